#include "editing/ui/LoopViewOnline.h"

#include <QApplication>
#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <cstdlib>

#include "comm/ConfController.h"
#include "comm/OnlineEvent.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "editing/ui/LoopView.h"
#include "platform/PostedMessage.h"
#include "vexilla/MessageBoxEx.h"

namespace {

constexpr auto kBlockMonitorPause = std::chrono::milliseconds(100);

}  // namespace

CLoopViewOnline::CLoopViewOnline(CLoopView& view)
    : m_view(view), m_session([this](const std::string& message) {
          // Posting never waits; the events of a worker that has gone are
          // recognised by their generation and dropped.
          QCoreApplication::postEvent(this, new COnlineEvent(message, m_nGeneration));
      }) {}

CLoopViewOnline::~CLoopViewOnline() {
    m_session.LeaveOnlineMode();
    LeaveMonitoringDisplay();
}

bool CLoopViewOnline::GoOnline(const CCommunicationData& settings) {
    if (m_session.HasWorker()) {
        LeaveOnlineMode();
    }
    ++m_nGeneration;
    const bool started = m_session.GoOnline(settings, m_view.GetDocument()->GetConfigurationName());
    m_session.SetMonitoredBlocks(MonitoredBlocks());
    m_view.RepaintAll();
    NotifyState();
    return started;
}

void CLoopViewOnline::LeaveOnlineMode() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_session.LeaveOnlineMode();
    LeaveMonitoringDisplay();
    QApplication::restoreOverrideCursor();
    m_view.RepaintAll();
    NotifyState();
}

void CLoopViewOnline::OnMonitoring() {
    if (!m_session.IsOnline()) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_session.IsMonitoring()) {
        m_session.StopMonitoring();
        LeaveMonitoringDisplay();
    } else {
        m_session.SetMonitoredBlocks(MonitoredBlocks());
        EnterMonitoringDisplay();
        m_session.StartMonitoring();
    }
    QApplication::restoreOverrideCursor();
    m_view.RepaintAll();
    NotifyState();
}

void CLoopViewOnline::RequestSendToDevice() {
    m_session.RequestSendToDevice();
}

void CLoopViewOnline::RequestBlockMonitor() {
    if (CanMonitorBlock()) {
        m_session.RequestBlockMonitor();
    }
}

// --- enabling ------------------------------------------------------------------

bool CLoopViewOnline::CanMonitor() const {
    return m_session.IsOnline() && !m_view.GetDocument()->IsAnyLoopModified();
}

bool CLoopViewOnline::IsMonitorChecked() const {
    return m_session.IsMonitoring();
}

bool CLoopViewOnline::CanUpdate() const {
    return m_session.IsOnline() && m_view.GetDocument()->IsAnyLoopModified();
}

bool CLoopViewOnline::CanMonitorBlock() const {
    return m_session.GetState() == COnlineSession::STATE_ONLINE && SelectedBlock() != nullptr;
}

void CLoopViewOnline::CheckMonitoring() {
    if (m_session.IsMonitoring() && m_view.GetDocument()->IsAnyLoopModified()) {
        OnMonitoring();
    }
}

void CLoopViewOnline::OnDocumentUpdate(long hint) {
    if (hint == CLoopEditor::HINT_LEAVE_ONLINE) {
        if (m_session.HasWorker()) {
            LeaveOnlineMode();
        }
        return;
    }
    if (m_session.HasWorker()) {
        m_session.SetConfigurationName(m_view.GetDocument()->GetConfigurationName());
        m_session.SetMonitoredBlocks(MonitoredBlocks());
    }
}

// --- worker messages -------------------------------------------------------------

bool CLoopViewOnline::event(QEvent* event) {
    auto* online = dynamic_cast<COnlineEvent*>(event);
    if (online == nullptr) {
        return QObject::event(event);
    }
    if (online->GetGeneration() != m_nGeneration || !m_session.HasWorker()) {
        return true;
    }
    if (online->Is(msg::kThreadCommError)) {
        OnThreadCommError();
    } else if (online->Is(msg::kThreadSendToDevice)) {
        OnThreadSendToDevice();
    } else if (online->Is(msg::kThreadBlockMonitor)) {
        OnThreadBlockMonitor();
    } else if (online->Is(msg::kThreadShutdown)) {
        OnThreadShutdown();
    } else if (online->Is(COnlineSession::kValuesReady)) {
        OnValuesReady();
    }
    return true;
}

void CLoopViewOnline::OnThreadCommError() {
    // The worker parks right after posting; its controller is ours to read then.
    if (m_session.WaitPaused() == nullptr) {
        return;
    }
    const std::string text = m_session.GetErrorText();
    int answer = kRetryButton;
    if (!text.empty()) {
        CMessageBoxEx box(&m_view);
        box.SetTitle(tr("Monitoring"));
        box.SetStandardIcon(CMessageBoxEx::kIconExclamation);
        box.SetMsg(QString::fromLatin1(text.c_str()));
        box.AddButton(kRetryButton, true, 0, false, tr("Retry"));
        box.AddButton(kGoOfflineButton, false, 0, true, tr("Go Offline"));
        answer = box.DoModal();
    }
    if (!m_session.HasWorker()) {
        return;
    }
    if (answer == kGoOfflineButton) {
        LeaveOnlineMode();
    } else {
        m_session.Retry();
    }
}

void CLoopViewOnline::OnThreadSendToDevice() {
    CConfController* controller = m_session.WaitPaused();
    if (controller == nullptr) {
        return;
    }
    const bool monitoring = m_session.GetPreviousState() == COnlineSession::STATE_MONITORING;
    if (m_onSend) {
        m_onSend(*controller, monitoring);
    }
    m_session.Release();
    m_view.RefreshBlockList();
    m_view.RepaintAll();
    NotifyState();
}

void CLoopViewOnline::OnThreadBlockMonitor() {
    if (m_session.WaitPaused() == nullptr) {
        return;
    }
    CBlock* block = SelectedBlock();
    // The controller lets go of the worker's line before the monitor takes its own.
    QThread::msleep(kBlockMonitorPause.count());
    CConfDoc* document = m_view.GetDocument();
    if (block != nullptr && !document->GetLoopName(5).empty() && m_onBlockMonitor) {
        m_onBlockMonitor(*block, m_view.GetLoopNumber());
    }
    if (m_session.HasWorker()) {
        m_session.Release();
    }
}

void CLoopViewOnline::OnThreadShutdown() {
    // Only a worker that ended by itself posts this; it has gone already.
    if (m_session.GetState() != COnlineSession::STATE_LEAVING) {
        return;
    }
    m_session.Shutdown();
    LeaveMonitoringDisplay();
    m_view.RepaintAll();
    NotifyState();
}

void CLoopViewOnline::OnValuesReady() {
    const std::vector<CBlockValues> values = m_session.TakeValues();
    if (!m_bDisplay || values.empty()) {
        return;
    }
    ApplyValues(values);
    if (m_onValues) {
        m_onValues(values);
    }
}

// --- the monitoring display --------------------------------------------------------

void CLoopViewOnline::EnterMonitoringDisplay() {
    if (m_bDisplay) {
        return;
    }
    m_bDisplay = true;
    m_view.SetMonitoring(true);
    for (const auto& item : m_view.GetDocument()->GetGraphObjects()) {
        if (auto* link = dynamic_cast<CGraphLink*>(item.get())) {
            link->BeginOnline(&m_view);
        } else if (auto* node = dynamic_cast<CConfGraphNode*>(item.get())) {
            node->SetOnline(true);
        }
    }
}

void CLoopViewOnline::LeaveMonitoringDisplay() {
    if (!m_bDisplay) {
        return;
    }
    m_bDisplay = false;
    m_view.SetMonitoring(false);
    for (const auto& item : m_view.GetDocument()->GetGraphObjects()) {
        if (auto* link = dynamic_cast<CGraphLink*>(item.get())) {
            link->EndOnline(&m_view);
        } else if (auto* node = dynamic_cast<CConfGraphNode*>(item.get())) {
            node->SetOnline(false);
        }
    }
}

std::vector<CMonitoredBlock> CLoopViewOnline::MonitoredBlocks() const {
    std::vector<CMonitoredBlock> blocks;
    const int loop = m_view.GetLoopNumber();
    for (const auto& item : m_view.GetDocument()->GetGraphObjects()) {
        auto* node = dynamic_cast<CConfGraphNode*>(item.get());
        if (node == nullptr || node->GetLoop() != loop) {
            continue;
        }
        if (const CBlock* block = node->FindBlock(&m_view)) {
            blocks.push_back({block->GetBlockNumber(), static_cast<uint8_t>(loop),
                              CConfController::FunctionOf(*block),
                              CConfController::OffsetOf(*block)});
        }
    }
    return blocks;
}

void CLoopViewOnline::ApplyValues(const std::vector<CBlockValues>& values) {
    const int loop = m_view.GetLoopNumber();
    for (const auto& item : m_view.GetDocument()->GetGraphObjects()) {
        auto* node = dynamic_cast<CConfGraphNode*>(item.get());
        if (node == nullptr || node->GetLoop() != loop) {
            continue;
        }
        const CBlock* block = node->FindBlock(&m_view);
        if (block == nullptr) {
            continue;
        }
        auto read = std::find_if(values.begin(), values.end(), [&](const CBlockValues& v) {
            return v.number == block->GetBlockNumber();
        });
        if (read == values.end()) {
            continue;
        }
        for (CGraphLink* link : node->GetLinks()) {
            if (link->GetFrom() != node) {
                continue;
            }
            // The link's output label names the source output by its address;
            // the reply lists the values in the block's output order.
            const int address = std::atoi(link->GetOutPortText().c_str());
            std::string value;
            for (int i = 0; i < block->GetOutputCount(); ++i) {
                if (block->GetOutputAddress(i) == address) {
                    if (i < static_cast<int>(read->values.size())) {
                        value = read->values[i];
                    }
                    break;
                }
            }
            link->SetOnlineValue(&m_view, value);
        }
    }
}

std::string CLoopViewOnline::ValueOf(const CGraphLink& link) {
    const CDrawText* label = link.GetOutLabel();
    if (label == nullptr) {
        return {};
    }
    const std::string text = label->GetText();
    const std::size_t equals = text.find('=');
    return equals == std::string::npos ? std::string() : text.substr(equals + 1);
}

bool CLoopViewOnline::CanAddToTrend(const CGraphLink& link) const {
    int position = 0;
    return m_session.IsMonitoring() && m_onTrend && SourceOf(link, position) != nullptr;
}

void CLoopViewOnline::AddToTrend(const CGraphLink& link) {
    int position = 0;
    const CBlock* source = SourceOf(link, position);
    if (source == nullptr || !m_onTrend) {
        return;
    }
    m_onTrend(source->GetBlockNumber(), position,
              source->GetDisplayName() + " " + source->GetOutputName(position));
}

const CBlock* CLoopViewOnline::SourceOf(const CGraphLink& link, int& position) const {
    auto* node = dynamic_cast<CConfGraphNode*>(link.GetFrom());
    const CBlock* block = node != nullptr ? node->FindBlock(&m_view) : nullptr;
    if (block == nullptr) {
        return nullptr;
    }
    const int address = std::atoi(link.GetOutPortText().c_str());
    for (int i = 0; i < block->GetOutputCount(); ++i) {
        if (block->GetOutputAddress(i) == address) {
            position = i;
            return block;
        }
    }
    return nullptr;
}

CBlock* CLoopViewOnline::SelectedBlock() const {
    auto* node = dynamic_cast<CConfGraphNode*>(m_view.GetFirstSelected());
    return node != nullptr ? node->FindBlock(&m_view) : nullptr;
}

void CLoopViewOnline::NotifyState() {
    if (m_onState) {
        m_onState();
    }
}
