#pragma once

#include <string>

#include "comm/TransferUi.h"

// Transfers from a shell: messages and progress on stderr (a bar on a
// terminal), questions answered by the command's options.
class CCliTransferUi : public CTransferUi {
public:
    // answerYesNo: the answer to Yes/No questions (IDYES or IDNO).
    explicit CCliTransferUi(int answerYesNo);

    void BeginProgress(const std::string& title, const std::string& text, int maximum) override;
    void SetProgress(int position) override;
    void EndProgress() override;
    int ShowMessage(const std::string& title, const std::string& text, unsigned type) override;

    // Whether any message was shown (a silent failure means no connection).
    bool HasShownMessage() const { return m_bShownMessage; }
    // True when the last message carried the error icon.
    bool LastMessageWasError() const { return m_bLastError; }

private:
    int m_nAnswerYesNo;
    int m_nMaximum = 0;
    bool m_bTerminal;
    bool m_bShownMessage = false;
    bool m_bLastError = false;
};
