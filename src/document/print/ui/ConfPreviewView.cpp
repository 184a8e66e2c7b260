#include "document/print/ui/ConfPreviewView.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScrollBar>
#include <QToolBar>

#include "document/print/PrintJob.h"

CConfPreviewView::CConfPreviewView(const CPrintJob& job, QPrinter& printer, QWidget* parent)
    : QPrintPreviewDialog(&printer, parent), m_job(job) {
    setWindowTitle(tr("Print Preview"));
    m_pPreview = findChild<QPrintPreviewWidget*>();
    // The dialog's own bar gives way to the program's.
    for (QToolBar* bar : findChildren<QToolBar*>()) {
        bar->hide();
    }
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* device) { m_job.Print(*device); });
    CreateButtonBar();
    connect(m_pPreview, &QPrintPreviewWidget::previewChanged, this, [this] { UpdateIndicator(); });
    // Scrolling through the pages moves the current page too.
    if (auto* pages = m_pPreview->findChild<QAbstractScrollArea*>()) {
        for (QScrollBar* bar : {pages->verticalScrollBar(), pages->horizontalScrollBar()}) {
            connect(bar, &QScrollBar::valueChanged, this, [this] { UpdateIndicator(); });
        }
    }
    resize(900, 800);
}

void CConfPreviewView::CreateButtonBar() {
    m_pBar = new QToolBar(this);
    m_pBar->setObjectName("previewBar");
    m_pBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto add = [this](const char* name, const QString& text, auto handler) {
        QAction* action = m_pBar->addAction(text, this, handler);
        action->setObjectName(name);
        return action;
    };
    add("previewPrint", tr("&Print..."), [this] {
        accept();
        if (m_print) {
            m_print();
        }
    });
    m_pBar->addSeparator();
    add("previewFirst", tr("&First"), [this] { GoTo(1); });
    add("previewPrevious", tr("P&rev Page"), [this] { GoTo(GetCurrentPage() - 1); });
    add("previewNext", tr("&Next Page"), [this] { GoTo(GetCurrentPage() + 1); });
    add("previewLast", tr("&Last"), [this] { GoTo(GetPageCount()); });
    m_pBar->addSeparator();
    add("previewWholePage", tr("&Whole Page"),
        [this] { m_pPreview->setZoomMode(QPrintPreviewWidget::FitInView); });
    add("previewPageWidth", tr("Page &Width"),
        [this] { m_pPreview->setZoomMode(QPrintPreviewWidget::FitToWidth); });
    add("preview130", tr("&130 %"), [this] {
        m_pPreview->setZoomMode(QPrintPreviewWidget::CustomZoom);
        m_pPreview->setZoomFactor(kZoom130);
    });
    m_pBar->addSeparator();
    add("previewClose", tr("&Close"), [this] { reject(); });
    m_pBar->addSeparator();
    m_pIndicator = new QLabel(m_pBar);
    m_pIndicator->setObjectName("pageIndicator");
    m_pIndicator->setContentsMargins(8, 0, 8, 0);
    m_pBar->addWidget(m_pIndicator);
    if (auto* box = qobject_cast<QBoxLayout*>(layout())) {
        box->insertWidget(0, m_pBar);
    }
}

int CConfPreviewView::GetCurrentPage() const {
    return m_pPreview->currentPage();
}

int CConfPreviewView::GetPageCount() const {
    return m_pPreview->pageCount();
}

void CConfPreviewView::GoTo(int page) {
    if (page >= 1 && page <= GetPageCount()) {
        m_pPreview->setCurrentPage(page);
    }
    UpdateIndicator();
}

QString CConfPreviewView::IndicatorText(int page, int pageCount, bool twoPages) {
    if (twoPages && page < pageCount) {
        return tr("Pages %1-%2").arg(page).arg(page + 1);
    }
    return tr("Page %1").arg(page);
}

QString CConfPreviewView::GetIndicatorText() const {
    return m_pIndicator->text();
}

void CConfPreviewView::UpdateIndicator() {
    const int page = GetCurrentPage();
    const int count = GetPageCount();
    const bool twoPages = m_pPreview->viewMode() == QPrintPreviewWidget::FacingPagesView;
    m_pIndicator->setText(IndicatorText(page, count, twoPages));
    for (const char* name : {"previewFirst", "previewPrevious"}) {
        findChild<QAction*>(name)->setEnabled(page > 1);
    }
    for (const char* name : {"previewNext", "previewLast"}) {
        findChild<QAction*>(name)->setEnabled(page < count);
    }
}
