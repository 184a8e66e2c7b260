#include "comm/BlockMonitorWorker.h"

#include "comm/OnlineThread.h"
#include "platform/PostedMessage.h"
#include "vexilla/LogMsg.h"

namespace {

constexpr const char* kThreadProc = "CBlockMonitorDlg::SerialDlgThreadProc";
constexpr auto kStartPause = std::chrono::milliseconds(200);

}  // namespace

CBlockMonitorWorker::CBlockMonitorWorker(COnlineSession::Poster poster)
    : m_poster(std::move(poster)) {}

CBlockMonitorWorker::~CBlockMonitorWorker() {
    Stop();
}

int CBlockMonitorWorker::ClampPeriod(int period) {
    return period < kMinPeriod || period > kMaxPeriod ? kMinPeriod : period;
}

bool CBlockMonitorWorker::Start(const CCommunicationData& settings, const CMonitoredBlock& block,
                                std::vector<CMonitoredInput> inputs) {
    if (m_pThread) {
        return false;
    }
    m_settings = settings;
    m_block = block;
    m_inputs = std::move(inputs);
    m_nPeriod = ClampPeriod(settings.m_nMonitPeriod);
    m_nState = STATE_MONITORING;
    m_pEvents = std::make_unique<Events>();
    m_pThread = std::make_unique<COnlineThread>();
    if (!m_pThread->Start([this](COnlineThread& thread) { return Run(thread); })) {
        m_pThread.reset();
        m_pEvents.reset();
        return false;
    }
    return true;
}

void CBlockMonitorWorker::GoOnline() {
    if (!m_pEvents) {
        return;
    }
    m_nState = STATE_MONITORING;
    // A pause asked for while the worker was parked on an error would park it
    // again at once.
    m_pEvents->pause.Reset();
    Release();
}

void CBlockMonitorWorker::GoOffline() {
    if (!m_pEvents) {
        return;
    }
    m_nState = STATE_PAUSED;
    m_pEvents->pause.Set();
}

void CBlockMonitorWorker::RequestSendToDevice() {
    if (m_pEvents) {
        m_pEvents->sendToDevice.Set();
    }
}

CConfController* CBlockMonitorWorker::WaitPaused() {
    if (!m_pEvents || !m_pThread) {
        return nullptr;
    }
    m_pEvents->paused.Wait();
    return m_pThread->GetController();
}

void CBlockMonitorWorker::Release() {
    if (!m_pEvents) {
        return;
    }
    m_pEvents->paused.Reset();
    m_pEvents->release.Set();
}

void CBlockMonitorWorker::SetCommError() {
    if (m_pEvents) {
        m_pEvents->commError.Set();
    }
}

void CBlockMonitorWorker::Stop() {
    if (!m_pThread) {
        return;
    }
    m_nState = STATE_ENDING;
    m_pEvents->timeToGo.Set();
    m_pEvents->release.Set();
    m_pEvents->threadExited.Wait();
    m_pThread->Join();
    m_pThread.reset();
    m_pEvents.reset();
}

CBlockMonitorWorker::Values CBlockMonitorWorker::GetValues() const {
    std::lock_guard lock(m_mutex);
    return m_values;
}

std::string CBlockMonitorWorker::GetErrorText() const {
    return m_pThread ? m_pThread->GetErrorText() : std::string();
}

// --- worker ------------------------------------------------------------------

int CBlockMonitorWorker::Run(COnlineThread& thread) {
    Events& events = *m_pEvents;
    // The loop view's worker lets go of the line first.
    events.timeToGo.Wait(kStartPause);
    thread.OpenController(m_settings);
    CLogMsg::Log(kThreadProc, "Start Monitoring... TimeOut: %d", m_nPeriod.load());
    while (true) {
        if (m_nState == STATE_MONITORING) {
            Cycle(thread);
        }
        if (m_nState == STATE_ENDING) {
            break;
        }
        const int which = CEvent::WaitForAny(
            {&events.timeToGo, &events.pause, &events.commError, &events.sendToDevice},
            std::chrono::milliseconds(m_nPeriod.load()));
        if (which == 0) {
            CLogMsg::Log(kThreadProc, "hEvTimeToGo");
            break;
        }
        if (which == 1) {
            Park(events.pause, "m_hEvThreadPause", nullptr);
        } else if (which == 2) {
            Park(events.commError, "hEvThreadCommError", msg::kThreadCommError);
            // "Retry" after a lost line needs a fresh connection.
            if (m_nState != STATE_ENDING) {
                thread.CloseController();
                thread.OpenController(m_settings);
            }
        } else if (which == 3) {
            Park(events.sendToDevice, "hEvSendToDevice", msg::kThreadSendToDevice);
        }
    }
    thread.WaitIdle();
    thread.CloseController();
    CLogMsg::Log(kThreadProc, "End Monitoring...");
    m_poster(msg::kThreadShutdown);
    events.threadExited.Set();
    return 0;
}

void CBlockMonitorWorker::Park(CEvent& request, const char* what, const char* message) {
    Events& events = *m_pEvents;
    CLogMsg::Log(kThreadProc, "%s", what);
    // Taken before parking, so that a request made after the release stays.
    request.Reset();
    if (message != nullptr) {
        m_poster(message);
    }
    events.paused.Set();
    events.release.Wait();
    events.release.Reset();
}

void CBlockMonitorWorker::Cycle(COnlineThread& thread) {
    if (m_block.function == kScanType || m_block.function == kScanPidType) {
        return;
    }
    Values values;
    for (const CMonitoredInput& input : m_inputs) {
        if (m_nState != STATE_MONITORING) {
            return;
        }
        std::string value = kNoLink;
        std::vector<std::string> source;
        if (input.linked) {
            if (!ReadValues(thread, input.source, source)) {
                return;
            }
            if (input.position >= 0 && input.position < static_cast<int>(source.size())) {
                value = source[input.position];
            }
        }
        values.inputs.push_back(value);
    }
    if (m_nState != STATE_MONITORING || !ReadValues(thread, m_block, values.outputs)) {
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_values = std::move(values);
    }
    ++m_nCycles;
    m_poster(COnlineSession::kValuesReady);
}

bool CBlockMonitorWorker::ReadValues(COnlineThread& thread, const CMonitoredBlock& block,
                                     std::vector<std::string>& values) {
    std::string text;
    if (!thread.ReadBlockValues(block.loop, block.function, block.offset, text)) {
        m_pEvents->commError.Set();
        return false;
    }
    values = COnlineSession::SplitValues(text);
    return true;
}
