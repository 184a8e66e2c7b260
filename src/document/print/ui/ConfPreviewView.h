#pragma once

#include <QPrintPreviewDialog>
#include <functional>

class CPrintJob;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QToolBar;

// The print preview: the pages of a print job on the printer's paper, with the
// program's button bar (print, previous and next, first and last page, close,
// whole page, page width, 130 %) and a page indicator. Print closes the
// preview and hands over to the printing itself, without another dialog.
class CConfPreviewView : public QPrintPreviewDialog {
    Q_OBJECT

public:
    static constexpr double kZoom130 = 1.3;

    CConfPreviewView(const CPrintJob& job, QPrinter& printer, QWidget* parent = nullptr);

    // What Print does after the preview closed.
    void SetPrintHandler(std::function<void()> handler) { m_print = std::move(handler); }
    int GetCurrentPage() const;
    int GetPageCount() const;
    QString GetIndicatorText() const;
    QPrintPreviewWidget* GetPreview() const { return m_pPreview; }

    // "Page %u" for one page, "Pages %u-%u" for two side by side.
    static QString IndicatorText(int page, int pageCount, bool twoPages);

private:
    void CreateButtonBar();
    void GoTo(int page);
    void UpdateIndicator();

    const CPrintJob& m_job;
    QPrintPreviewWidget* m_pPreview = nullptr;
    QToolBar* m_pBar = nullptr;
    QLabel* m_pIndicator = nullptr;
    std::function<void()> m_print;
};
