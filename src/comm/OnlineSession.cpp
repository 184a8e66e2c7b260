#include "comm/OnlineSession.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "comm/OnlineThread.h"
#include "platform/PostedMessage.h"
#include "vexilla/LogMsg.h"

namespace {

constexpr const char* kThreadProc = "CLoopView::SerialViewThreadProc";
constexpr const char* kShutdown = "CLoopView::OnThreadShutdown";
constexpr auto kShutdownPause = std::chrono::milliseconds(100);
constexpr auto kMonitoringExitWait = std::chrono::milliseconds(5000);

std::string TrimRight(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) {
        text.pop_back();
    }
    return text;
}

// The second field of "version;name;".
std::string NameOfProbe(const std::string& answer) {
    const std::size_t first = answer.find(';');
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t second = answer.find(';', first + 1);
    return TrimRight(answer.substr(
        first + 1, second == std::string::npos ? std::string::npos : second - first - 1));
}

}  // namespace

COnlineSession::COnlineSession(Poster poster) : m_poster(std::move(poster)) {}

COnlineSession::~COnlineSession() {
    LeaveOnlineMode();
}

int COnlineSession::ClampPeriod(int period) {
    return period < kMinPeriod || period > kMaxPeriod ? kMinPeriod : period;
}

std::vector<std::string> COnlineSession::SplitValues(const std::string& text) {
    std::vector<std::string> values;
    std::size_t start = 0;
    for (std::size_t end = text.find("%;"); end != std::string::npos;
         end = text.find("%;", start)) {
        values.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return values;
}

// --- user-interface thread ---------------------------------------------------

bool COnlineSession::GoOnline(const CCommunicationData& settings,
                              const std::string& configurationName) {
    if (m_pThread) {
        LeaveOnlineMode();
    }
    m_settings = settings;
    m_nPeriod = ClampPeriod(settings.m_nMonitPeriod);
    SetConfigurationName(configurationName);
    m_bConfigMatches = false;
    m_pEvents = std::make_unique<Events>();
    m_pThread = std::make_unique<COnlineThread>();
    m_nPrevState = STATE_OFFLINE;
    m_nState = STATE_ONLINE;
    if (!m_pThread->Start([this](COnlineThread& thread) { return Run(thread); })) {
        m_pThread.reset();
        m_pEvents.reset();
        m_nState = STATE_OFFLINE;
        return false;
    }
    return true;
}

void COnlineSession::StartMonitoring() {
    if (m_nState == STATE_ONLINE) {
        m_nState = STATE_MONITORING;
    }
}

void COnlineSession::StopMonitoring() {
    if (m_nState != STATE_MONITORING) {
        return;
    }
    m_nState = STATE_ONLINE;
    if (m_pEvents) {
        CLogMsg::Log("CLoopView::OnMonitoring", "Waiting monitoring exit...");
        // The worker keeps the event set while it is not inside a pass, so
        // this waits at most for the exchange in progress.
        m_pEvents->monitoringExit.Wait(kMonitoringExitWait);
    }
}

void COnlineSession::SetMonitoredBlocks(std::vector<CMonitoredBlock> blocks) {
    std::lock_guard lock(m_mutex);
    m_blocks = std::move(blocks);
}

void COnlineSession::SetConfigurationName(const std::string& name) {
    std::lock_guard lock(m_mutex);
    m_strConfigName = TrimRight(name);
}

bool COnlineSession::RequestSendToDevice() {
    if (!m_pEvents || !IsOnline()) {
        return false;
    }
    m_nPrevState = m_nState.load();
    m_nState = STATE_SEND_REQUESTED;
    m_pEvents->sendToDevice.Set();
    return true;
}

bool COnlineSession::RequestBlockMonitor() {
    if (!m_pEvents || m_nState != STATE_ONLINE) {
        return false;
    }
    m_pEvents->blockMonitor.Set();
    return true;
}

CConfController* COnlineSession::WaitPaused() {
    if (!m_pEvents || !m_pThread) {
        return nullptr;
    }
    m_pEvents->paused.Wait();
    return m_pThread->GetController();
}

void COnlineSession::Release() {
    if (!m_pEvents) {
        return;
    }
    if (m_nState == STATE_SEND_REQUESTED) {
        // Back to online or monitoring, whatever came between (a reconnect
        // after an error forgets the state before the request).
        m_nState = m_nPrevState == STATE_MONITORING ? STATE_MONITORING : STATE_ONLINE;
    }
    // Cleared here, before the worker wakes, so that a later request cannot
    // find it still set and borrow the controller before the worker parks again.
    m_pEvents->paused.Reset();
    m_pEvents->release.Set();
}

void COnlineSession::Retry() {
    if (!m_pEvents) {
        return;
    }
    m_nPrevState = m_nState.load();
    m_nState = STATE_RECONNECT;
    Release();
}

void COnlineSession::LeaveOnlineMode() {
    // The events first: a worker that sees the state must also find itself told
    // to go, or it would report an end of its own.
    if (m_pEvents) {
        m_pEvents->release.Set();
        m_pEvents->timeToGo.Set();
    }
    m_nState = STATE_LEAVING;
    m_nPrevState = STATE_LEAVING;
    if (m_pThread) {
        CLogMsg::Log("CLoopView::LeaveOnlineMode", "Calling OnThreadShutdown function...");
        Shutdown();
    }
    m_nState = STATE_OFFLINE;
    m_nPrevState = STATE_OFFLINE;
}

void COnlineSession::Shutdown() {
    CLogMsg::Log(kShutdown, "START - Thread shutdown...");
    if (m_pEvents) {
        // Whoever calls this wants the worker gone: it is woken wherever it waits.
        m_pEvents->timeToGo.Set();
        m_pEvents->release.Set();
        CLogMsg::Log(kShutdown, "Waiting for Thread exit...");
        m_pEvents->threadExited.Wait();
        CLogMsg::Log(kShutdown, "Thread has been exited...");
    }
    std::this_thread::sleep_for(kShutdownPause);
    if (m_pThread) {
        m_bConnected = false;
        CLogMsg::Log(kShutdown, "Terminating monitoring Thread...");
        m_pThread->Join();
        CLogMsg::Log(kShutdown, "Monitoring Thread terminated...");
        m_pThread.reset();
        m_pEvents.reset();
        m_nState = STATE_OFFLINE;
        m_nPrevState = STATE_OFFLINE;
    }
    CLogMsg::Log(kShutdown, "END - Thread shutdown...");
}

std::vector<CBlockValues> COnlineSession::TakeValues() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_values, {});
}

std::string COnlineSession::GetErrorText() const {
    return m_pThread ? m_pThread->GetErrorText() : std::string();
}

// --- worker ------------------------------------------------------------------

int COnlineSession::Run(COnlineThread& thread) {
    Events& events = *m_pEvents;
    events.monitoringExit.Set();
    if (!thread.OpenController(m_settings)) {
        m_bConnected = false;
        m_nState = STATE_LEAVING;
        events.threadExited.Set();
        // Nobody asked the worker to end: the window learns it has gone.
        m_poster(msg::kThreadShutdown);
        return -1;
    }
    m_bConnected = true;
    const int period = m_nPeriod;
    CLogMsg::Log(kThreadProc, "Start Monitoring... TimeOut: %d", period);
    bool running = true;
    while (running) {
        std::chrono::milliseconds wait(period);
        switch (m_nState.load()) {
            case STATE_ONLINE:
                CheckDevice(thread);
                break;
            case STATE_MONITORING: {
                const auto start = std::chrono::steady_clock::now();
                ReadPass(thread);
                m_poster(kValuesReady);
                wait = NextWait(start);
                break;
            }
            case STATE_RECONNECT:
                m_nState = m_nPrevState.load();
                m_nPrevState = STATE_OFFLINE;
                thread.CloseController();
                if (thread.OpenController(m_settings)) {
                    CheckDevice(thread);
                } else {
                    events.commError.Set();
                }
                break;
            case STATE_LEAVING:
                running = false;
                continue;
            default:
                break;
        }
        wait = std::max(wait, std::chrono::milliseconds(kMinPeriod));
        switch (CEvent::WaitForAny(
            {&events.timeToGo, &events.commError, &events.sendToDevice, &events.blockMonitor},
            wait)) {
            case 0:
                running = false;
                break;
            case 1:
                CLogMsg::Log("CLoopView::SeriaViewThreadProx",
                             "START - Waiting WM_THREAD_COMMERROR");
                running = Park(thread, events.commError, msg::kThreadCommError, false);
                CLogMsg::Log("CLoopView::SeriaViewThreadProx",
                             "START - Waiting WM_THREAD_COMMERROR");
                break;
            case 2:
                running = Park(thread, events.sendToDevice, msg::kThreadSendToDevice, false);
                break;
            case 3:
                running = Park(thread, events.blockMonitor, msg::kThreadBlockMonitor, true);
                break;
            default:
                break;
        }
    }
    m_bConnected = false;
    const bool told = events.timeToGo.IsSet();
    m_nState = STATE_LEAVING;
    thread.WaitIdle();
    thread.CloseController();
    events.threadExited.Set();
    CLogMsg::Log(kThreadProc, "END - Thread shutdown...");
    if (!told) {
        m_poster(msg::kThreadShutdown);
    }
    return 0;
}

void COnlineSession::CheckDevice(COnlineThread& thread) {
    std::string answer;
    if (!thread.ProbeDevice(static_cast<uint8_t>(m_settings.m_nDevAddress), answer)) {
        m_pEvents->commError.Set();
        return;
    }
    std::lock_guard lock(m_mutex);
    m_bConfigMatches = NameOfProbe(answer) == m_strConfigName;
}

void COnlineSession::ReadPass(COnlineThread& thread) {
    std::vector<CMonitoredBlock> blocks;
    {
        std::lock_guard lock(m_mutex);
        blocks = m_blocks;
    }
    m_pEvents->monitoringExit.Reset();
    const auto start = std::chrono::steady_clock::now();
    for (const CMonitoredBlock& block : blocks) {
        if (m_nState != STATE_MONITORING) {
            break;
        }
        std::string text;
        if (!thread.ReadBlockValues(block.loop, block.function, block.offset, text)) {
            m_pEvents->commError.Set();
            break;
        }
        CBlockValues read{block.number, SplitValues(text)};
        std::lock_guard lock(m_mutex);
        auto same = std::find_if(m_values.begin(), m_values.end(),
                                 [&](const CBlockValues& v) { return v.number == block.number; });
        if (same != m_values.end()) {
            *same = std::move(read);
        } else {
            m_values.push_back(std::move(read));
        }
    }
    m_nLastPassMs = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                         std::chrono::steady_clock::now() - start)
                                         .count());
    ++m_nPasses;
    m_pEvents->monitoringExit.Set();
}

bool COnlineSession::Park(COnlineThread& thread, CEvent& request, const std::string& message,
                          bool reopen) {
    Events& events = *m_pEvents;
    // Taken before parking: a request the user makes once the worker is
    // released again must not be lost.
    request.Reset();
    m_poster(message);
    if (reopen) {
        // The block monitor opens a line of its own meanwhile.
        thread.CloseController();
    }
    events.paused.Set();
    events.release.Wait();
    bool ok = true;
    if (reopen && !events.timeToGo.IsSet()) {
        ok = thread.OpenController(m_settings);
    }
    events.release.Reset();
    return ok && !events.timeToGo.IsSet();
}

std::chrono::milliseconds COnlineSession::NextWait(
    std::chrono::steady_clock::time_point start) const {
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    const std::chrono::milliseconds period(m_nPeriod.load());
    return elapsed >= period ? std::chrono::milliseconds(kMinPeriod) : period - elapsed;
}
