#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/AppEvents.h"
#include "app/MainFrame.h"
#include "comm/AppSettings.h"
#include "comm/ui/CalibrationDlg.h"
#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "platform/MessageBox.h"
#include "platform/PostedMessage.h"
#include "support/ModalAnswerer.h"
#include "support/TestPaths.h"

namespace {

// A main frame over settings kept in a file of the test's own.
class MainFrameTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterDrawingClasses();
        m_settingsPath = testing::TempDir() + "/kestrel-app-test-" +
                         testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
        std::filesystem::remove(m_settingsPath);
        m_settings = std::make_unique<CAppSettings>(m_settingsPath);
        m_frame = std::make_unique<CMainFrame>(*m_settings);
    }
    void TearDown() override {
        m_frame.reset();
        std::filesystem::remove(m_settingsPath);
    }
    std::string m_settingsPath;
    std::unique_ptr<CAppSettings> m_settings;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(MainFrameTest, OpensTheExampleAndShowsItsFreeMemory) {
    ASSERT_TRUE(m_frame->OpenDocument(testpaths::ExamplePlant()));
    EXPECT_EQ(m_frame->GetDocumentCount(), 1);
    ASSERT_NE(m_frame->GetActiveDocument(), nullptr);
    EXPECT_EQ(m_frame->GetActiveDocument()->GetConfigurationName(), "PLANT");
    EXPECT_EQ(m_frame->GetStatusText(CMainFrame::PANE_MEMORY),
              "375 bytes Free");  // loop 1: 135 of 510
    EXPECT_EQ(m_frame->GetStatusText(CMainFrame::PANE_INTERFACE), "SERIAL");
    m_frame->GetActiveDocument()->SelectLoop(5, true);
    m_frame->UpdateCommands();
    EXPECT_NE(m_frame->GetStatusText(CMainFrame::PANE_MEMORY), "375 bytes Free");
    EXPECT_FALSE(m_frame->OpenDocument("/nonexistent/NONE.vxp"));
    EXPECT_EQ(m_frame->GetDocumentCount(), 1);
}

TEST_F(MainFrameTest, StatusPanes) {
    m_frame->SetMemoryFree(254 - 300);
    EXPECT_EQ(m_frame->GetStatusText(CMainFrame::PANE_MEMORY), "");
    m_frame->SetMemoryFree(0xFFFF);
    EXPECT_EQ(m_frame->GetStatusText(CMainFrame::PANE_MEMORY), "");
    m_frame->SetMemoryFree(92);
    EXPECT_EQ(m_frame->GetStatusText(CMainFrame::PANE_MEMORY), "92 bytes Free");
    m_frame->SetCursorPosition(120, 45, false);
    EXPECT_EQ(m_frame->GetStatusText(CMainFrame::PANE_POSITION), "X: 120  Y: 45");
    m_frame->SetCursorPosition(0, 0, true);
    EXPECT_EQ(m_frame->GetStatusText(CMainFrame::PANE_POSITION), "");
}

TEST_F(MainFrameTest, ActivityLightsFollowPostedMessages) {
    CAppEvents::RouteMessagesTo(m_frame.get());
    EXPECT_FALSE(m_frame->IsTxLit());
    PostRegisteredMessage(msg::kUpdateTxLed, 1);
    PostRegisteredMessage(msg::kUpdateRxLed, 1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_frame->IsTxLit());
    EXPECT_TRUE(m_frame->IsRxLit());
    PostRegisteredMessage(msg::kUpdateTxLed, 2);  // not a state: nothing changes
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_frame->IsTxLit());
    PostRegisteredMessage(msg::kUpdateTxLed, 0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(m_frame->IsTxLit());
    SetMessagePoster(nullptr);
}

// The zoom commands show the last one chosen; "To Objects" is never checked.
TEST_F(MainFrameTest, ZoomCommandsShowTheLastOneChosen) {
    ASSERT_TRUE(m_frame->OpenDocument(testpaths::ExamplePlant()));
    m_frame->UpdateCommands();
    for (const char* name : {"zoomFull", "zoomWidth", "zoomHalf", "zoomObjects"}) {
        EXPECT_FALSE(m_frame->FindAction(name)->isChecked()) << name;
    }
    m_frame->FindAction("zoomFull")->trigger();
    EXPECT_TRUE(m_frame->FindAction("zoomFull")->isChecked());
    m_frame->FindAction("zoomHalf")->trigger();
    EXPECT_FALSE(m_frame->FindAction("zoomFull")->isChecked());
    EXPECT_TRUE(m_frame->FindAction("zoomHalf")->isChecked());
    m_frame->FindAction("zoomObjects")->trigger();
    EXPECT_FALSE(m_frame->FindAction("zoomObjects")->isChecked());
    EXPECT_FALSE(m_frame->FindAction("zoomHalf")->isChecked());
}

}  // namespace

TEST_F(MainFrameTest, CtrlF11OpensTheCalibrationDialog) {
    m_frame->show();
    QAction* calibration = m_frame->FindAction("commCalibration");
    ASSERT_NE(calibration, nullptr);
    EXPECT_TRUE(calibration->isEnabled());
    EXPECT_EQ(calibration->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F11));
    QString title;
    CModalAnswerer<CCalibrationDlg> user([&title](CCalibrationDlg& dialog) {
        title = dialog.windowTitle();
        QTest::mouseClick(dialog.findChild<QPushButton*>("closeButton"), Qt::LeftButton);
    });
    calibration->trigger();
    EXPECT_TRUE(user.HasAnswered());
    EXPECT_EQ(title, "Calibration");
}
