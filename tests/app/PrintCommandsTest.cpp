#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <filesystem>

#include "app/AppMessageBox.h"
#include "app/MainFrame.h"
#include "app/PrintCommands.h"
#include "comm/AppSettings.h"
#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "document/print/ui/PrintSelectedDlg.h"
#include "platform/MessageBox.h"
#include "support/BoxAnswerer.h"
#include "support/ModalAnswerer.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

namespace {

// The user confirms "Print Selected" with the OK button.
void PressOk(CPrintSelectedDlg& dialog) {
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
}

class PrintCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterDrawingClasses();
        m_settings = std::make_unique<CAppSettings>(m_folder.File("settings.ini"));
        m_settings->SetWorkDir(m_folder.Path().string());
        m_frame = std::make_unique<CMainFrame>(*m_settings);
        m_frame->show();
        CAppMessageBox::Install(m_frame.get());
        ASSERT_TRUE(m_frame->OpenDocument(testpaths::ExamplePlant()));
        m_frame->UpdateCommands();
    }
    void TearDown() override {
        SetMessageBoxHandler(nullptr);
        m_frame.reset();
    }
    QAction* Command(const char* name) const { return m_frame->findChild<QAction*>(name); }

    CTempFolder m_folder;
    std::unique_ptr<CAppSettings> m_settings;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(PrintCommandsTest, FileMenuPrintsThePlantToAPdfFile) {
    for (const char* name : {"filePrint", "filePrintPreview", "filePrintPdf", "filePrintSetup"}) {
        ASSERT_NE(Command(name), nullptr) << name;
        EXPECT_TRUE(Command(name)->isEnabled()) << name;
    }
    const std::string target = m_folder.File("PLANT-printed");
    CModalAnswerer<CPrintSelectedDlg> selection(PressOk);
    CModalAnswerer<QFileDialog> chooser([&target](QFileDialog& dialog) {
        dialog.selectFile(QString::fromStdString(target));
        static_cast<QDialog&>(dialog).accept();  // as the Save button does
    });
    Command("filePrintPdf")->trigger();
    EXPECT_TRUE(selection.HasAnswered());
    ASSERT_TRUE(std::filesystem::exists(target + ".pdf"));
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(target + ".pdf")});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString(info.readAllStandardOutput()).contains(QRegularExpression("Pages: +7\\n")));
}

TEST_F(PrintCommandsTest, WithoutAPrinterPrintingSaysSoAndSetupKeepsTheDefaults) {
    if (CPrintCommands::HasPrinter()) {
        GTEST_SKIP() << "a printer is installed on this machine";
    }
    CConfDoc& document = *m_frame->GetActiveDocument();
    const CSize page = document.GetPageSize();
    {
        CBoxAnswerer boxes;
        Command("filePrintSetup")->trigger();
        ASSERT_EQ(boxes.seen.size(), 1U);
        EXPECT_NE(boxes.seen[0].find("no printer installed"), std::string::npos) << boxes.seen[0];
    }
    EXPECT_EQ(document.GetPageSize(), page);

    CModalAnswerer<CPrintSelectedDlg> selection(PressOk);
    CBoxAnswerer boxes;
    boxes.Answer("no printer installed to print to", IDNO);
    Command("filePrint")->trigger();
    EXPECT_TRUE(selection.HasAnswered());
    ASSERT_EQ(boxes.seen.size(), 1U);
    EXPECT_NE(boxes.seen[0].find("PDF file instead"), std::string::npos) << boxes.seen[0];
}

TEST_F(PrintCommandsTest, CancelledSelectionPrintsNothing) {
    CModalAnswerer<CPrintSelectedDlg> selection(
        [](CPrintSelectedDlg& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    CBoxAnswerer boxes;
    EXPECT_FALSE(m_frame->GetPrintCommands().PrintToPdf(
        *m_frame->GetActiveDocument(), QString::fromStdString(m_folder.File("x.pdf"))));
    EXPECT_TRUE(selection.HasAnswered());
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_FALSE(std::filesystem::exists(m_folder.File("x.pdf")));
}

}  // namespace
