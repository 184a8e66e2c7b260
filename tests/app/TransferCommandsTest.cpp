// Download and upload from the main frame against the simulated controller,
// with the question and result boxes answered by script.
#include <gtest/gtest.h>

#include <QTabBar>
#include <QTest>
#include <filesystem>

#include "SimController.h"
#include "app/AppMessageBox.h"
#include "app/DebugLogWnd.h"
#include "app/MainFrame.h"
#include "app/TransferCommands.h"
#include "comm/AppSettings.h"
#include "comm/FakePort.h"
#include "comm/ui/OnlineDlg.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/LoopViewOnline.h"
#include "platform/FileIo.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "support/BoxAnswerer.h"
#include "support/TestPaths.h"

namespace {

// A simulated controller behind every controller opened while it lives; after
// answerLimit requests it falls silent, as a controller that was switched off.
class SimLine {
public:
    explicit SimLine(std::size_t answerLimit = SIZE_MAX)
        : m_scope([this, answerLimit](const std::vector<uint8_t>& request) {
              if (++m_nRequests > answerLimit) {
                  return std::vector<uint8_t>();
              }
              return sim.HandleRequest(request);
          }) {}
    CSimController sim;

private:
    std::size_t m_nRequests = 0;
    CFakePortScope m_scope;
};

class TransferCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterDrawingClasses();
        m_folder = testing::TempDir() + "/kestrel-transfer-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder + "/Work");
        m_settings = std::make_unique<CAppSettings>(m_folder + "/settings.ini");
        m_settings->SetWorkDir(m_folder + "/Work");
        CCommunicationData data;
        data.m_nTimeout = 1;
        data.m_nRetries = 0;
        m_settings->StoreCommSettings(data);
        m_frame = std::make_unique<CMainFrame>(*m_settings);
        // The scripted line answers this thread only; no worker may share it.
        m_frame->GetTransferCommands().SetGoOnlineAfterTransfer(false);
        CAppMessageBox::Install(m_frame.get());
        std::filesystem::copy_file(testpaths::ExamplePlant(), m_folder + "/PLANT.vxp");
    }
    void TearDown() override {
        SetMessageBoxHandler(nullptr);
        m_frame.reset();
        std::filesystem::remove_all(m_folder);
    }
    bool Download() {
        return m_frame->GetTransferCommands().RunTransfer(COnlineDlg::kResultDownload);
    }
    bool Upload() { return m_frame->GetTransferCommands().RunTransfer(COnlineDlg::kResultUpload); }

    std::string m_folder;
    std::unique_ptr<CAppSettings> m_settings;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(TransferCommandsTest, OnlyDownloadSendsTheConfigurationAndNamesIt) {
    SimLine line;
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/PLANT.vxp"));
    CBoxAnswerer boxes;
    boxes.Answer("before downloading", IDS_ONLY_DOWNLOAD);
    ASSERT_TRUE(Download());
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[0],
              "Download: Do you want to save the configuration before downloading to the Varex ?");
    EXPECT_EQ(boxes.seen[1], "Download: Configuration downloaded with success.");
    EXPECT_EQ(m_frame->GetConfigurationName(), "PLANT");
    EXPECT_TRUE(m_frame->GetDebugLog().GetText().contains("Download of PLANT to address 2: done"));
    EXPECT_EQ(line.sim.GetLoop(5).GetName().substr(0, 5), "PLANT");
    EXPECT_EQ(line.sim.GetLoop(1).GetBlockCount(),
              m_frame->GetActiveDocument()->GetLoop(1)->GetBlockCount());
}

TEST_F(TransferCommandsTest, CancelAndAMissingLoopGNameSendNothing) {
    SimLine line;
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/PLANT.vxp"));
    {
        CBoxAnswerer boxes;  // Cancel is the default answer
        EXPECT_FALSE(Download());
        EXPECT_EQ(boxes.seen.size(), 1u);
    }
    m_frame->GetActiveDocument()->SetLoopName(5, "");
    CBoxAnswerer boxes;
    boxes.Answer("before downloading", IDS_SAVE_AND_DOWNLOAD);
    EXPECT_FALSE(Download());
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[1],
              "KESTREL Plus: Can not be saved, because the General LOOP name is missing.");
    EXPECT_EQ(line.sim.GetRequestCount(), 0u);
}

TEST_F(TransferCommandsTest, ControllerLostMidDownloadShowsTheFailureText) {
    SimLine line(3);
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/PLANT.vxp"));
    CBoxAnswerer boxes;
    boxes.Answer("before downloading", IDS_ONLY_DOWNLOAD);
    EXPECT_FALSE(Download());
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[1],
              "Download: Problem to download this configuration.\nCommunication Time-out !!!");
    EXPECT_EQ(m_frame->GetConfigurationName(), "PLANT");  // the open document's, as before
}

// Without a line there is no controller to ask; the user is told so, in the
// title of the operation, instead of being left without a word.
TEST_F(TransferCommandsTest, AConnectionThatCannotBeOpenedIsReported) {
    CCommunicationData unreachable = m_settings->LoadCommSettings();
    unreachable.m_nInterface = CCommunicationData::kInterfaceEthernet;
    unreachable.m_strIPAddress = "127.0.0.1:1";
    m_settings->StoreCommSettings(unreachable);
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/PLANT.vxp"));
    {
        CBoxAnswerer boxes;
        boxes.Answer("before downloading", IDS_ONLY_DOWNLOAD);
        EXPECT_FALSE(Download());
        ASSERT_EQ(boxes.seen.size(), 2u);
        EXPECT_EQ(boxes.seen[1], "Download: Cannot open the connection to \"127.0.0.1:1\".");
    }
    CBoxAnswerer boxes;
    boxes.Answer("before uploading", IDS_ONLY_UPLOAD);
    EXPECT_FALSE(Upload());
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[1], "Upload: Cannot open the connection to \"127.0.0.1:1\".");
}

TEST_F(TransferCommandsTest, UploadWithoutAMatchingFileDrawsANewDocument) {
    SimLine line;
    std::string error;
    ASSERT_TRUE(line.sim.LoadDocument(m_folder + "/PLANT.vxp", error)) << error;
    CBoxAnswerer boxes;
    ASSERT_TRUE(Upload());  // no document open: no question first
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0], "Upload: Configuration uploaded with success.");
    ASSERT_EQ(m_frame->GetDocumentCount(), 1);
    CConfDoc* document = m_frame->GetActiveDocument();
    EXPECT_EQ(document->GetConfigurationName(), "PLANT");
    EXPECT_TRUE(document->IsModified());
    EXPECT_GT(document->GetBlockCount(0), 0);
    EXPECT_FALSE(document->GetGraphObjects().empty());  // drawn automatically
}

TEST_F(TransferCommandsTest, UploadAsksForTheDrawingsOfTheFileWithTheSameName) {
    SimLine line;
    std::string error;
    ASSERT_TRUE(line.sim.LoadDocument(m_folder + "/PLANT.vxp", error)) << error;
    std::filesystem::copy_file(m_folder + "/PLANT.vxp", m_folder + "/Work/PLANT.vxp");
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/PLANT.vxp"));
    m_frame->GetActiveDocument()->SetModifiedFlag(true);

    CBoxAnswerer boxes;
    boxes.Answer("before uploading", IDS_ONLY_UPLOAD);
    boxes.Answer("graphic information", IDYES);
    ASSERT_TRUE(Upload());
    ASSERT_EQ(boxes.seen.size(), 3u);  // "Only Upload" drops the changes unasked
    EXPECT_EQ(boxes.seen[1], "Upload: Configuration uploaded with success.");
    EXPECT_NE(boxes.seen[2].find("same name in your working directory"), std::string::npos);
    ASSERT_EQ(m_frame->GetDocumentCount(), 1);
    CConfDoc* document = m_frame->GetActiveDocument();
    EXPECT_EQ(document->GetPathName(), AbsolutePath(m_folder + "/Work/PLANT.vxp"));
    EXPECT_EQ(m_frame->GetConfigurationName(), "PLANT");

    // The uploaded loops were added one by one; loop 1 is the one shown, and
    // each tab makes its own loop current.
    EXPECT_EQ(document->GetCurrentLoopNumber(), 1);
    const int loop1Free = document->GetFreeBytes();
    EXPECT_EQ(m_frame->GetStatusText(CMainFrame::PANE_MEMORY),
              QString("%1 bytes Free").arg(loop1Free));
    QTabBar* tabs = m_frame->findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(document->GetCurrentLoopNumber(), 2);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    EXPECT_EQ(document->GetCurrentLoopNumber(), 1);
}

TEST_F(TransferCommandsTest, UploadKeepsAnotherDocumentWhoseChangesTheUserKeeps) {
    SimLine line;
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/PLANT.vxp"));
    m_frame->NewDocument();
    m_frame->GetActiveDocument()->SetModifiedFlag(true);
    std::filesystem::copy_file(m_folder + "/PLANT.vxp", m_folder + "/OTHER.vxp");
    CBoxAnswerer boxes;
    boxes.Answer("diferent than Loop G", IDNO);
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/OTHER.vxp"));
    ASSERT_EQ(boxes.seen.size(), 1u);  // the file's name is not the Loop G name
    EXPECT_EQ(m_frame->GetActiveDocument()->GetConfigurationName(), "OTHER");

    boxes.Answer("before uploading", IDS_ONLY_UPLOAD);
    boxes.Answer("Save changes", IDCANCEL);
    EXPECT_FALSE(Upload());
    EXPECT_EQ(line.sim.GetRequestCount(), 0u);
    EXPECT_GE(m_frame->GetDocumentCount(), 1);
}

}  // namespace

TEST_F(TransferCommandsTest, GoOnlineFromTheDialogAndTheOnlineCommandAgainGoesOffline) {
    SimLine line;
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/PLANT.vxp"));
    CLoopView* view = m_frame->GetActiveLoopView();
    ASSERT_NE(view, nullptr);
    m_frame->GetTransferCommands().RunTransfer(COnlineDlg::kResultGoOnline);
    EXPECT_TRUE(view->IsOnline());
    m_frame->UpdateCommands();
    // Update while a loop is changed, Monitor while none is.
    const bool changed = m_frame->GetActiveDocument()->IsAnyLoopModified();
    EXPECT_EQ(m_frame->FindAction("commUpdate")->isEnabled(), changed);
    EXPECT_EQ(m_frame->FindAction("commMonitor")->isEnabled(), !changed);
    // An edit to undo; while monitoring it cannot be undone.
    view->Select(view->FindBlockNode(39, 1), false);
    QTest::keyClick(view, Qt::Key_Right);
    view->ClosePendingAction();
    m_frame->UpdateCommands();
    ASSERT_TRUE(m_frame->FindAction("editUndo")->isEnabled());
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        m_frame->GetActiveDocument()->GetLoop(n)->SetModified(0);
    }
    view->Online().OnMonitoring();
    m_frame->UpdateCommands();
    EXPECT_TRUE(view->IsMonitoring());
    EXPECT_FALSE(m_frame->FindAction("editUndo")->isEnabled());
    // No dialog: the command ends online mode at once.
    m_frame->OnlineCommand();
    m_frame->UpdateCommands();
    EXPECT_TRUE(m_frame->FindAction("editUndo")->isEnabled());
    EXPECT_FALSE(view->IsOnline());
    EXPECT_FALSE(view->Online().GetSession().HasWorker());
}

TEST_F(TransferCommandsTest, ClosingTheProgramWhileMonitoringTakesTheViewOfflineFirst) {
    SimLine line;
    ASSERT_TRUE(m_frame->OpenDocument(m_folder + "/PLANT.vxp"));
    CLoopView* view = m_frame->GetActiveLoopView();
    ASSERT_NE(view, nullptr);
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        m_frame->GetActiveDocument()->GetLoop(n)->SetModified(0);
    }
    m_frame->GetTransferCommands().RunTransfer(COnlineDlg::kResultGoOnline);
    view->Online().OnMonitoring();
    ASSERT_TRUE(view->IsMonitoring());
    const COnlineSession& session = view->Online().GetSession();
    for (int i = 0; i < 500 && session.GetPassCount() == 0; ++i) {
        QTest::qWait(10);
    }
    EXPECT_GT(session.GetPassCount(), 0);
    EXPECT_TRUE(m_frame->close());
    EXPECT_EQ(m_frame->GetDocumentCount(), 0);
}
