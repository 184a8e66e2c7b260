#include "app/DocumentWindow.h"

#include <QCloseEvent>

#include "document/ConfDoc.h"
#include "editing/ui/TabChildFrame.h"

CDocumentWindow::CDocumentWindow(std::unique_ptr<CConfDoc> document, CloseQuery canClose)
    : m_document(std::move(document)), m_canClose(std::move(canClose)) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_frame = new CTabChildFrame(*m_document, this);
    setWidget(m_frame);
    RefreshTitle();
}

CDocumentWindow::~CDocumentWindow() {
    delete m_frame;  // the view leaves the document before the document goes
    m_frame = nullptr;
}

void CDocumentWindow::RefreshTitle() {
    setWindowTitle(QString::fromLatin1(m_document->GetTitle().c_str()));
}

void CDocumentWindow::closeEvent(QCloseEvent* event) {
    if (m_canClose && !m_canClose(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
