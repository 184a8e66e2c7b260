#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QAction>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "document/print/PrintJob.h"
#include "document/print/ui/ConfPreviewView.h"
#include "support/TestPaths.h"

namespace {

class ConfPreviewViewTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterDrawingClasses();
        ASSERT_TRUE(m_doc.OnOpenDocument(testpaths::ExamplePlant()));
        m_job = std::make_unique<CPrintJob>(m_doc, CPageSetup(), CPrintSelection());
        m_pages = m_job->Prepare();
        ASSERT_GT(m_pages, 2);
        m_printer.setFullPage(true);
        m_printer.setPageLayout(
            CPageSetup::LayoutOf(CPageSetup::kPaperLetter, CPageSetup::kPortrait));
        m_preview = std::make_unique<CConfPreviewView>(*m_job, m_printer);
        m_preview->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_preview.get()));
        QTest::qWait(50);  // the pages are made once the preview is shown
    }
    // Clicks the bar's button of a command, as the user does.
    void Press(const char* name) {
        auto* action = m_preview->findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        QWidget* button = m_preview->findChild<QToolBar*>("previewBar")->widgetForAction(action);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    bool Enabled(const char* name) const {
        return m_preview->findChild<QAction*>(name)->isEnabled();
    }

    CConfDoc m_doc;
    std::unique_ptr<CPrintJob> m_job;
    int m_pages = 0;
    QPrinter m_printer;
    std::unique_ptr<CConfPreviewView> m_preview;
};

TEST_F(ConfPreviewViewTest, ButtonsMoveThroughThePagesAndTheIndicatorFollows) {
    EXPECT_EQ(m_preview->GetPageCount(), m_pages);
    EXPECT_EQ(m_preview->GetCurrentPage(), 1);
    EXPECT_EQ(m_preview->GetIndicatorText(), "Page 1");
    EXPECT_FALSE(Enabled("previewPrevious"));
    EXPECT_FALSE(Enabled("previewFirst"));
    Press("previewNext");
    EXPECT_EQ(m_preview->GetCurrentPage(), 2);
    EXPECT_EQ(m_preview->GetIndicatorText(), "Page 2");
    Press("previewLast");
    EXPECT_EQ(m_preview->GetCurrentPage(), m_pages);
    EXPECT_FALSE(Enabled("previewNext"));
    EXPECT_FALSE(Enabled("previewLast"));
    Press("previewPrevious");
    EXPECT_EQ(m_preview->GetCurrentPage(), m_pages - 1);
    Press("previewFirst");
    EXPECT_EQ(m_preview->GetCurrentPage(), 1);
    Press("previewLast");
    m_preview->GetPreview()->findChild<QAbstractScrollArea*>()->verticalScrollBar()->setValue(0);
    EXPECT_EQ(m_preview->GetIndicatorText(), "Page 1");  // scrolled back to the top
    EXPECT_EQ(CConfPreviewView::IndicatorText(3, 7, true), "Pages 3-4");
    EXPECT_EQ(CConfPreviewView::IndicatorText(7, 7, true), "Page 7");
}

TEST_F(ConfPreviewViewTest, ThreeZoomModes) {
    QPrintPreviewWidget* pages = m_preview->GetPreview();
    Press("preview130");
    EXPECT_EQ(pages->zoomMode(), QPrintPreviewWidget::CustomZoom);
    EXPECT_DOUBLE_EQ(pages->zoomFactor(), 1.3);
    Press("previewPageWidth");
    EXPECT_EQ(pages->zoomMode(), QPrintPreviewWidget::FitToWidth);
    Press("previewWholePage");
    EXPECT_EQ(pages->zoomMode(), QPrintPreviewWidget::FitInView);
}

TEST_F(ConfPreviewViewTest, PrintClosesThePreviewAndHandsOver) {
    bool printed = false;
    m_preview->SetPrintHandler([&] { printed = !m_preview->isVisible(); });
    Press("previewPrint");
    EXPECT_TRUE(printed);
    EXPECT_EQ(m_preview->result(), QDialog::Accepted);
}

TEST_F(ConfPreviewViewTest, CloseEndsWithoutPrinting) {
    bool printed = false;
    m_preview->SetPrintHandler([&] { printed = true; });
    Press("previewClose");
    EXPECT_FALSE(printed);
    EXPECT_FALSE(m_preview->isVisible());
}

}  // namespace
