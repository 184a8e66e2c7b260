#include "app/OnlineCommands.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QThread>

#include "app/MainFrame.h"
#include "app/TransferCommands.h"
#include "app/TrendPanel.h"
#include "app/WindowTransferUi.h"
#include "comm/AppSettings.h"
#include "comm/Transfers.h"
#include "comm/ui/BlockMonitorDlg.h"
#include "document/ConfDoc.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/LoopViewOnline.h"

namespace {

constexpr unsigned long kCloseGrace = 200;  // ms after leaving, before closing

// "Prompt.\nTip": the status-bar prompt and the tool tip of a command.
void Describe(QAction* action, const QString& prompt) {
    const QStringList parts = prompt.split('\n');
    action->setStatusTip(parts.value(0));
    action->setToolTip(parts.value(1));
}

}  // namespace

COnlineCommands::COnlineCommands(CMainFrame& frame, CAppSettings& settings)
    : m_frame(frame), m_settings(settings) {}

void COnlineCommands::AddCommands(QMenu* menu) {
    menu->addSeparator();
    auto add = [this, menu](const char* name, const QString& text, const QString& prompt,
                            void (COnlineCommands::*command)()) {
        auto* action = new QAction(text, &m_frame);
        action->setObjectName(name);
        Describe(action, prompt);
        QObject::connect(action, &QAction::triggered, &m_frame, [this, command] {
            (this->*command)();
            m_frame.UpdateCommands();
        });
        menu->addAction(action);
        return action;
    };
    add("commMonitor", tr("&Monitor"), tr("Monitor controller.\nMonitor"),
        &COnlineCommands::OnMonitoring)
        ->setCheckable(true);
    add("commUpdate", tr("&Update"), tr("Sents the changed LOOP(s) to controller.\nUpdate"),
        &COnlineCommands::RequestSendToDevice);
    add("commMonitorBlock", tr("Monitor current &block"), tr("Monitor current block.\nMonitor"),
        &COnlineCommands::RequestBlockMonitor);
}

void COnlineCommands::UpdateCommands() {
    CLoopView* view = m_frame.GetActiveLoopView();
    CLoopViewOnline* online = view != nullptr && view->IsOnline() ? &view->Online() : nullptr;
    if (online != nullptr) {
        online->CheckMonitoring();
    }
    if (QAction* monitor = m_frame.FindAction("commMonitor")) {
        monitor->setEnabled(online != nullptr && online->CanMonitor());
        monitor->setChecked(online != nullptr && online->IsMonitorChecked());
    }
    if (QAction* update = m_frame.FindAction("commUpdate")) {
        update->setEnabled(online != nullptr && online->CanUpdate());
    }
    if (QAction* block = m_frame.FindAction("commMonitorBlock")) {
        block->setEnabled(online != nullptr && online->CanMonitorBlock());
    }
}

bool COnlineCommands::GoOnline(CLoopView& view) {
    Wire(view);
    const bool started = view.Online().GoOnline(m_settings.LoadCommSettings());
    m_frame.LogLine(
        started ? tr("Online: %1")
                      .arg(QString::fromLatin1(view.GetDocument()->GetConfigurationName().c_str()))
                : tr("Online: the worker could not start"));
    view.setFocus();
    m_frame.UpdateCommands();
    return started;
}

void COnlineCommands::LeaveActive() {
    if (CLoopView* view = ActiveOnlineView()) {
        view->Online().LeaveOnlineMode();
        QThread::msleep(kCloseGrace);
    }
}

void COnlineCommands::OnlineUploadCommand() {
    if (CLoopView* view = ActiveOnlineView()) {
        view->Online().LeaveOnlineMode();
    }
    m_frame.GetTransferCommands().RunTransfer(6);
}

void COnlineCommands::OnMonitoring() {
    if (CLoopView* view = ActiveOnlineView()) {
        view->Online().OnMonitoring();
    }
}

void COnlineCommands::RequestSendToDevice() {
    if (CLoopView* view = ActiveOnlineView()) {
        view->Online().RequestSendToDevice();
    }
}

void COnlineCommands::RequestBlockMonitor() {
    if (CLoopView* view = ActiveOnlineView()) {
        view->Online().RequestBlockMonitor();
    }
}

void COnlineCommands::Wire(CLoopView& view) {
    CLoopViewOnline& online = view.Online();
    CConfDoc* document = view.GetDocument();
    online.SetSendHandler([this, document](CConfController& controller, bool monitoring) {
        CWindowTransferUi ui(&m_frame);
        const bool ok = SendChangedLoops(*document, controller, monitoring, ui);
        m_frame.LogLine(tr("Update: %1").arg(ok ? tr("done") : tr("failed")));
        return ok;
    });
    online.SetBlockMonitorHandler([this, document](CBlock& block, int loopNumber) {
        CBlockMonitorDlg dialog(m_settings.LoadCommSettings(), *document, block, loopNumber,
                                &m_frame);
        dialog.exec();
        // Values changed in the monitor are the document's: they are saved with
        // it, and those not downloaded yet wait for "Update".
        if (dialog.WasEdited()) {
            if (block.IsChanged()) {
                if (CLoop* loop = document->FindLoopOfBlock(block)) {
                    loop->SetModified(CLoop::MODIFIED_REPLACED);
                }
            }
            document->SetModifiedFlag(true);
        }
    });
    online.SetStateListener([this] { m_frame.UpdateCommands(); });
    online.SetTrendHandler([this](int blockNumber, int position, const std::string& name) {
        CTrendPanel& panel = GetTrendPanel();
        panel.AddTrend(blockNumber, position, QString::fromLatin1(name.c_str()));
        panel.SetRequestedPeriod(
            COnlineSession::ClampPeriod(m_settings.LoadCommSettings().m_nMonitPeriod));
        m_pTrendDock->show();
    });
    online.SetValuesListener([this](const std::vector<CBlockValues>& values) {
        if (m_pTrend != nullptr) {
            m_pTrend->OnPass(values);
        }
    });
}

CTrendPanel& COnlineCommands::GetTrendPanel() {
    if (m_pTrend == nullptr) {
        m_pTrendDock = new QDockWidget(tr("Trend"), &m_frame);
        m_pTrendDock->setObjectName("trendDock");
        m_pTrend = new CTrendPanel(m_pTrendDock);
        m_pTrendDock->setWidget(m_pTrend);
        m_frame.addDockWidget(Qt::BottomDockWidgetArea, m_pTrendDock);
    }
    return *m_pTrend;
}

CLoopView* COnlineCommands::ActiveOnlineView() const {
    CLoopView* view = m_frame.GetActiveLoopView();
    return view != nullptr && view->IsOnline() ? view : nullptr;
}
