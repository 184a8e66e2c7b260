#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "comm/CommunicationData.h"
#include "platform/Event.h"

class COnlineThread;
class CConfController;

// A block the monitoring pass reads, in drawing order.
struct CMonitoredBlock {
    int number = 0;
    uint8_t loop = 0;
    uint8_t function = 0;
    uint8_t offset = 0;
};

// One block's reply of a monitoring pass: its values in output order.
struct CBlockValues {
    int number = 0;
    std::vector<std::string> values;
};

// The online side of a loop view without its window: the worker that keeps the
// connection, probes the controller or reads the shown loop's blocks every
// period, and the hand-over through which the user-interface thread borrows
// the worker's controller. The worker talks to the window only through the
// poster (which must only post, never wait) and the session's events.
class COnlineSession {
public:
    enum State : int {
        STATE_OFFLINE = 0,
        STATE_ONLINE = 2,
        STATE_MONITORING = 3,
        STATE_SEND_REQUESTED = 4,
        STATE_RECONNECT = 5,
        STATE_LEAVING = 6,
    };
    static constexpr int kMinPeriod = 200;
    static constexpr int kMaxPeriod = 60000;
    // Not one of the registered messages: tells the window that a pass has
    // left new values to take.
    static constexpr const char* kValuesReady = "KESTREL_ONLINE_VALUES";

    // Called on the worker with a registration name; must return at once.
    using Poster = std::function<void(const std::string& message)>;

    explicit COnlineSession(Poster poster);
    // Leaves online mode first.
    ~COnlineSession();
    COnlineSession(const COnlineSession&) = delete;
    COnlineSession& operator=(const COnlineSession&) = delete;

    // A period outside 200..60000 ms becomes 200 ms.
    static int ClampPeriod(int period);
    // The values of a reply: each value is followed by "%;".
    static std::vector<std::string> SplitValues(const std::string& text);

    // --- user-interface thread ---
    // Starts the worker (an earlier one is ended first); false when it could not start.
    bool GoOnline(const CCommunicationData& settings, const std::string& configurationName);
    // Online → monitoring and back. Leaving monitoring waits (at most 5 s) for
    // the worker to finish its pass.
    void StartMonitoring();
    void StopMonitoring();
    // The blocks a monitoring pass reads, replaced whenever the shown loop changes.
    void SetMonitoredBlocks(std::vector<CMonitoredBlock> blocks);
    void SetConfigurationName(const std::string& name);
    // The hand-over: asks the worker to park; false when not online.
    bool RequestSendToDevice();
    bool RequestBlockMonitor();
    // Waits (without a time-out) until the worker is parked, then lends its controller.
    CConfController* WaitPaused();
    // Lets a parked worker go on; after a send request the previous state comes back.
    void Release();
    // After a communication error: reconnect, then the state before the error.
    void Retry();
    // Ends the worker and waits until it has gone.
    void LeaveOnlineMode();
    // Waits for the worker's end and frees it; nothing when there is none.
    void Shutdown();

    // The values of the passes since the last call (the last value of each block).
    std::vector<CBlockValues> TakeValues();
    int GetLastPassMilliseconds() const { return m_nLastPassMs; }
    int GetPassCount() const { return m_nPasses; }

    int GetState() const { return m_nState; }
    int GetPreviousState() const { return m_nPrevState; }
    bool IsOnline() const { return m_nState == STATE_ONLINE || m_nState == STATE_MONITORING; }
    bool IsMonitoring() const { return m_nState == STATE_MONITORING; }
    bool HasWorker() const { return m_pThread != nullptr; }
    bool IsConnected() const { return m_bConnected; }
    bool ConfigurationMatches() const { return m_bConfigMatches; }
    int GetPeriod() const { return m_nPeriod; }
    // The worker's last error text; read only while the worker is parked.
    std::string GetErrorText() const;

private:
    struct Events {
        CEvent threadExited;
        CEvent release;
        CEvent timeToGo;
        CEvent commError;
        CEvent sendToDevice;
        CEvent blockMonitor;
        CEvent paused;
        CEvent monitoringExit;
    };

    // The worker's procedure.
    int Run(COnlineThread& thread);
    void CheckDevice(COnlineThread& thread);
    void ReadPass(COnlineThread& thread);
    // Parks after a request: posts the message, waits for release, goes on.
    bool Park(COnlineThread& thread, CEvent& request, const std::string& message, bool reopen);
    std::chrono::milliseconds NextWait(std::chrono::steady_clock::time_point start) const;

    Poster m_poster;
    CCommunicationData m_settings;
    std::unique_ptr<COnlineThread> m_pThread;
    std::unique_ptr<Events> m_pEvents;
    std::atomic<int> m_nState{STATE_OFFLINE};
    std::atomic<int> m_nPrevState{STATE_OFFLINE};
    std::atomic<bool> m_bConnected{false};
    std::atomic<bool> m_bConfigMatches{false};
    std::atomic<int> m_nPeriod{kMinPeriod};
    std::atomic<int> m_nLastPassMs{0};
    std::atomic<int> m_nPasses{0};
    mutable std::mutex m_mutex;  // guards the members below
    std::vector<CMonitoredBlock> m_blocks;
    std::vector<CBlockValues> m_values;
    std::string m_strConfigName;
};
