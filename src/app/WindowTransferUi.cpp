#include "app/WindowTransferUi.h"

#include <QApplication>

#include "app/AppMessageBox.h"
#include "platform/MessageBox.h"
#include "platform/gui/GdiConvert.h"
#include "vexilla/MessageBoxEx.h"

CWindowTransferUi::CWindowTransferUi(QWidget* parent,
                                     std::function<void(const std::string&)> nameSink)
    : m_pParent(parent), m_nameSink(std::move(nameSink)) {}

CWindowTransferUi::~CWindowTransferUi() {
    EndProgress();
    SetWaitCursor(false);
}

void CWindowTransferUi::BeginProgress(const std::string& title, const std::string& text,
                                      int maximum) {
    EndProgress();
    m_pProgress = std::make_unique<CMessageBoxEx>(m_pParent.data());
    m_pProgress->SetTitle(gdi::ToQString(title));
    m_pProgress->SetMsg(gdi::ToQString(text), CMessageBoxEx::kAlignCenter);
    m_pProgress->AddProgressBar(0, maximum);
    m_pProgress->DoModeless();
}

void CWindowTransferUi::SetProgress(int position) {
    if (m_pProgress) {
        m_pProgress->SetPBPosition(position);
        // The transfer blocks the event loop; the lights and the box still need
        // their paint events.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void CWindowTransferUi::EndProgress() {
    if (m_pProgress) {
        m_pProgress->EndDialog(IDOK);
        m_pProgress.reset();
    }
}

int CWindowTransferUi::ShowMessage(const std::string& title, const std::string& text,
                                   unsigned type) {
    // A question must not hide behind the wait cursor.
    const bool waiting = m_bWaitCursor;
    SetWaitCursor(false);
    const int answer = CAppMessageBox::Show(m_pParent.data(), title, text, type);
    SetWaitCursor(waiting);
    return answer;
}

void CWindowTransferUi::SetWaitCursor(bool on) {
    if (on == m_bWaitCursor) {
        return;
    }
    m_bWaitCursor = on;
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void CWindowTransferUi::SetConfigurationName(const std::string& name) {
    if (m_nameSink) {
        m_nameSink(name);
    }
}
