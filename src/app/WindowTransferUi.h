#pragma once

#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "comm/TransferUi.h"

class CMessageBoxEx;
class QWidget;

// The transfer sequences' dialogs in the windowed program: a modeless Vexilla
// box with a progress bar while loops move, modal Vexilla boxes for results and
// questions, and the wait cursor for the whole transfer.
class CWindowTransferUi : public CTransferUi {
public:
    // nameSink receives the configuration name a download put into the controller.
    CWindowTransferUi(QWidget* parent, std::function<void(const std::string&)> nameSink = {});
    ~CWindowTransferUi() override;

    void BeginProgress(const std::string& title, const std::string& text, int maximum) override;
    void SetProgress(int position) override;
    void EndProgress() override;
    int ShowMessage(const std::string& title, const std::string& text, unsigned type) override;
    void SetWaitCursor(bool on) override;
    void SetConfigurationName(const std::string& name) override;

private:
    QPointer<QWidget> m_pParent;
    std::function<void(const std::string&)> m_nameSink;
    std::unique_ptr<CMessageBoxEx> m_pProgress;
    bool m_bWaitCursor = false;
};
