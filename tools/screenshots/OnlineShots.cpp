#include "OnlineShots.h"

#include <QApplication>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QTimer>
#include <mutex>

#include "ShotSaver.h"
#include "SimController.h"
#include "SimPort.h"
#include "app/MainFrame.h"
#include "app/OnlineCommands.h"
#include "app/TrendPanel.h"
#include "comm/AppSettings.h"
#include "comm/Controller.h"
#include "comm/ui/BlockMonitorDlg.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/LoopViewOnline.h"
#include "vexilla/MessageBoxEx.h"

namespace {

// The simulator behind every port, for the workers' threads: one frame at a
// time, and a plug to pull.
class CSharedSim {
public:
    std::vector<uint8_t> Answer(const std::vector<uint8_t>& request) {
        std::lock_guard lock(m_mutex);
        return plugged ? sim.HandleRequest(request) : std::vector<uint8_t>();
    }
    void SetPlugged(bool on) {
        std::lock_guard lock(m_mutex);
        plugged = on;
    }
    CSimController sim;

private:
    std::mutex m_mutex;
    bool plugged = true;
};

// Runs the event loop until the condition holds or some seconds passed.
bool Await(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return condition();
}

CConfGraphNode* NodeOfBlock(CConfDoc& document, int number) {
    for (const auto& item : document.GetGraphObjects()) {
        auto* node = dynamic_cast<CConfGraphNode*>(item.get());
        if (node != nullptr && node->FindBlock(nullptr) != nullptr &&
            node->FindBlock(nullptr)->GetBlockNumber() == number) {
            return node;
        }
    }
    return nullptr;
}

bool SaveBlockMonitor(CMainFrame& frame, CConfDoc& document, const CCommunicationData& settings,
                      const QString& folder) {
    CBlock* pid = document.FindBlockByNumber(39);
    if (pid == nullptr) {
        return false;
    }
    CBlockMonitorDlg monitor(settings, document, *pid, 1, &frame);
    monitor.show();
    Await([&] { return monitor.GetWorker().GetCycleCount() > 1; });
    QApplication::processEvents();
    const bool ok = SaveShot(monitor, folder + "/block-monitor.png");
    monitor.reject();
    return ok;
}

bool SaveMonitoringBox(CLoopView& view, CSharedSim& line, const QString& folder) {
    bool saved = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = dynamic_cast<CMessageBoxEx*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || saved) {
            return;
        }
        saved = SaveShot(*box, folder + "/monitoring-error.png");
        box->EndDialog(CLoopViewOnline::kGoOfflineButton);
    });
    poll.start(20);
    line.SetPlugged(false);
    Await([&] { return saved && !view.IsOnline(); });
    line.SetPlugged(true);
    return saved;
}

}  // namespace

bool SaveOnlineShots(CMainFrame& frame, CAppSettings& settings, const QString& folder) {
    CSharedSim line;
    CController::SetPortFactory([&line](const CCommunicationData&) {
        auto port = std::make_unique<CSimPort>(
            [&line](const std::vector<uint8_t>& request) { return line.Answer(request); });
        port->Open("", false);
        return port;
    });
    CCommunicationData data = settings.LoadCommSettings();
    data.m_nMonitPeriod = 200;
    data.m_nRetries = 0;
    settings.StoreCommSettings(data);

    CConfDoc* document = frame.GetActiveDocument();
    CLoopView* view = frame.GetActiveLoopView();
    bool ok = document != nullptr && view != nullptr;
    if (ok) {
        document->SelectLoop(1, true);
        std::string error;
        ok = line.sim.LoadDocument(document->GetPathName(), error);
        for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
            document->GetLoop(n)->SetModified(0);
        }
    }
    if (ok) {
        COnlineCommands& online = frame.GetOnlineCommands();
        ok = online.GoOnline(*view);
        view->Online().OnMonitoring();
        // Two outputs on the trend, from the links out of the two controllers.
        for (const auto& item : document->GetGraphObjects()) {
            auto* link = dynamic_cast<CGraphLink*>(item.get());
            if (link != nullptr && link->GetLoop() == 1 &&
                (link->GetOutPortText() == "47" || link->GetOutPortText() == "49") &&
                view->Online().CanAddToTrend(*link)) {
                view->Online().AddToTrend(*link);
            }
        }
        const int start = view->Online().GetSession().GetPassCount();
        Await([&] { return view->Online().GetSession().GetPassCount() > start + 12; });
        frame.UpdateCommands();
        ok = SaveShot(frame, folder + "/main-online-monitoring.png") && ok;
        if (online.HasTrendPanel()) {
            ok = SaveShot(online.GetTrendPanel(), folder + "/trend-panel.png") && ok;
        }
        view->Online().OnMonitoring();
        if (CConfGraphNode* node = NodeOfBlock(*document, 39)) {
            view->Select(node, false);
        }
        ok = SaveBlockMonitor(frame, *document, data, folder) && ok;
        view->Online().OnMonitoring();
        ok = SaveMonitoringBox(*view, line, folder) && ok;
        view->Online().LeaveOnlineMode();
    }
    CController::SetPortFactory(nullptr);
    return ok;
}
