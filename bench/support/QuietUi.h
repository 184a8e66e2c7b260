#pragma once

#include <string>

#include "comm/TransferUi.h"
#include "platform/MessageBox.h"

// The transfers' user interface for benchmarks: no progress, and "No" to
// every question.
class CQuietUi : public CTransferUi {
public:
    void BeginProgress(const std::string&, const std::string&, int) override {}
    void SetProgress(int) override {}
    void EndProgress() override {}
    int ShowMessage(const std::string&, const std::string&, unsigned) override { return IDNO; }
};
