#pragma once

#include <QMdiSubWindow>
#include <functional>
#include <memory>

class CConfDoc;
class CTabChildFrame;

// A document's window in the main frame: the tabbed loop frame, which shows the
// document this window owns. Closing it asks first whether unsaved changes
// are to be kept.
class CDocumentWindow : public QMdiSubWindow {
public:
    // Answers whether the window may close (it may save the document first).
    using CloseQuery = std::function<bool(CDocumentWindow&)>;

    CDocumentWindow(std::unique_ptr<CConfDoc> document, CloseQuery canClose);
    ~CDocumentWindow() override;

    CConfDoc& GetDocument() { return *m_document; }
    CTabChildFrame* GetFrame() { return m_frame; }
    // The caption follows the document's title.
    void RefreshTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<CConfDoc> m_document;
    CTabChildFrame* m_frame = nullptr;
    CloseQuery m_canClose;
};
