// What a new user does first: start the simulator, point the communication
// settings at it, download the example and upload it again, all through the
// main window over TCP.
#include <gtest/gtest.h>

#include <QAction>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <filesystem>

#include "app/AppMessageBox.h"
#include "app/MainFrame.h"
#include "app/TransferCommands.h"
#include "comm/AppSettings.h"
#include "comm/DeviceLookup.h"
#include "comm/ui/OnlineDlg.h"
#include "diagram/DrawingClasses.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "editing/ui/LoopView.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "support/BoxAnswerer.h"
#include "support/TestPaths.h"

namespace {

// The simulator on a free loopback port for the life of the object.
class SimulatorProcess {
public:
    SimulatorProcess() {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QString::fromStdString(testpaths::Simulator()),
                        {"--tcp", "0", "--max-seconds", "120"});
        if (!m_process.waitForStarted(5000)) {
            return;
        }
        QString banner;
        while (!banner.contains('\n') && m_process.waitForReadyRead(5000)) {
            banner += QString::fromLocal8Bit(m_process.readAll());
        }
        const QRegularExpressionMatch match =
            QRegularExpression("listening on (\\S+)").match(banner);
        if (match.hasMatch()) {
            host = match.captured(1).toStdString();
        }
    }
    ~SimulatorProcess() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    std::string host;  // "127.0.0.1:PORT", empty when it did not start

private:
    QProcess m_process;
};

TEST(SimulatorSession, DownloadAndUploadThroughTheMainWindow) {
    SimulatorProcess simulator;
    ASSERT_FALSE(simulator.host.empty()) << "varex-sim did not start";
    RegisterDrawingClasses();
    const std::string folder = testing::TempDir() + "/kestrel-sim-session";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder + "/Work");
    std::filesystem::copy_file(testpaths::ExamplePlant(), folder + "/PLANT.vxp");
    CAppSettings settings(folder + "/settings.ini");
    settings.SetWorkDir(folder + "/Work");
    CCommunicationData data;
    data.m_nInterface = CCommunicationData::kInterfaceEthernet;
    data.m_strIPAddress = simulator.host;
    settings.StoreCommSettings(data);
    CMainFrame frame(settings);
    CAppMessageBox::Install(&frame);

    // "Look" finds the controller, without a configuration yet.
    const DeviceProbeResult before = ProbeDeviceAt(settings.LoadCommSettings(), 2);
    EXPECT_TRUE(before.found);
    EXPECT_EQ(before.name, "NO CONFG");

    ASSERT_TRUE(frame.OpenDocument(folder + "/PLANT.vxp"));
    {
        CBoxAnswerer boxes;
        boxes.Answer("before downloading", IDS_ONLY_DOWNLOAD);
        EXPECT_TRUE(frame.GetTransferCommands().RunTransfer(COnlineDlg::kResultDownload));
        ASSERT_EQ(boxes.seen.size(), 2u);
        EXPECT_EQ(boxes.seen[1], "Download: Configuration downloaded with success.");
    }
    EXPECT_EQ(ProbeDeviceAt(settings.LoadCommSettings(), 2).name, "PLANT");

    // The view is online after the download; Monitor puts live values on the links.
    CLoopView* view = frame.GetActiveLoopView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->IsOnline());
    frame.UpdateCommands();
    QAction* monitor = frame.FindAction("commMonitor");
    ASSERT_NE(monitor, nullptr);
    ASSERT_TRUE(monitor->isEnabled());
    monitor->trigger();
    EXPECT_TRUE(monitor->isChecked());
    auto showsValues = [&] {
        for (const auto& item : frame.GetActiveDocument()->GetGraphObjects()) {
            auto* link = dynamic_cast<CGraphLink*>(item.get());
            if (link != nullptr && link->GetOutLabel() != nullptr &&
                link->GetOutLabel()->GetText().find('=') != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    for (int i = 0; i < 1000 && !showsValues(); ++i) {
        QTest::qWait(10);
    }
    EXPECT_TRUE(showsValues());
    monitor->trigger();
    EXPECT_FALSE(view->IsMonitoring());

    std::filesystem::copy_file(folder + "/PLANT.vxp", folder + "/Work/PLANT.vxp");
    CBoxAnswerer boxes;
    boxes.Answer("before uploading", IDS_ONLY_UPLOAD);
    boxes.Answer("graphic information", IDNO);
    EXPECT_TRUE(frame.GetTransferCommands().RunTransfer(COnlineDlg::kResultUpload));
    ASSERT_EQ(boxes.seen.size(), 3u);
    CConfDoc* uploaded = frame.GetActiveDocument();
    ASSERT_NE(uploaded, nullptr);
    EXPECT_EQ(uploaded->GetConfigurationName(), "PLANT");
    EXPECT_TRUE(uploaded->IsNeverSaved());  // a new document, drawn automatically
    EXPECT_FALSE(uploaded->GetGraphObjects().empty());
    SetMessageBoxHandler(nullptr);
    std::filesystem::remove_all(folder);
}

}  // namespace
