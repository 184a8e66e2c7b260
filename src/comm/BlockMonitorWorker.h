#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "comm/CommunicationData.h"
#include "comm/OnlineSession.h"
#include "platform/Event.h"

class COnlineThread;
class CConfController;

// A linked input of the monitored block: the source block and the place of
// the source output among that block's values.
struct CMonitoredInput {
    std::string name;
    bool linked = false;
    CMonitoredBlock source;
    int position = 0;
};

// The worker of the block monitor: its own connection, reading one block's
// inputs (the values of their sources) and outputs every period. The same
// hand-over as the loop view's worker lends its controller to the dialog.
class CBlockMonitorWorker {
public:
    enum State : int { STATE_PAUSED = 1, STATE_MONITORING = 3, STATE_ENDING = 6 };
    static constexpr int kMinPeriod = 500;
    static constexpr int kMaxPeriod = 60000;
    // Shown at an input that has no value.
    static constexpr const char* kNoLink = "NL";
    // Type codes of the blocks whose values are not read ("Scan", "Scan/Actuaction PID").
    static constexpr int kScanType = 0x22;
    static constexpr int kScanPidType = 0x23;

    struct Values {
        std::vector<std::string> inputs;
        std::vector<std::string> outputs;
    };

    explicit CBlockMonitorWorker(COnlineSession::Poster poster);
    // Ends the worker first.
    ~CBlockMonitorWorker();
    CBlockMonitorWorker(const CBlockMonitorWorker&) = delete;
    CBlockMonitorWorker& operator=(const CBlockMonitorWorker&) = delete;

    // A period outside 500..60000 ms becomes 500 ms.
    static int ClampPeriod(int period);

    // Starts monitoring the block; false when a worker runs already.
    bool Start(const CCommunicationData& settings, const CMonitoredBlock& block,
               std::vector<CMonitoredInput> inputs);
    void GoOnline();
    void GoOffline();
    void RequestSendToDevice();
    // Waits (without a time-out) until the worker is parked, then lends its controller.
    CConfController* WaitPaused();
    void Release();
    // After a failed send: the error box follows, as for a failed read.
    void SetCommError();
    // Ends the worker and waits until it has gone.
    void Stop();

    Values GetValues() const;
    int GetState() const { return m_nState; }
    int GetPeriod() const { return m_nPeriod; }
    int GetCycleCount() const { return m_nCycles; }
    bool HasWorker() const { return m_pThread != nullptr; }
    std::string GetErrorText() const;

private:
    struct Events {
        CEvent timeToGo;
        CEvent pause;
        CEvent release;
        CEvent commError;
        CEvent sendToDevice;
        CEvent paused;
        CEvent threadExited;
    };

    int Run(COnlineThread& thread);
    void Cycle(COnlineThread& thread);
    bool ReadValues(COnlineThread& thread, const CMonitoredBlock& block,
                    std::vector<std::string>& values);
    void Park(CEvent& request, const char* what, const char* message);

    COnlineSession::Poster m_poster;
    CCommunicationData m_settings;
    CMonitoredBlock m_block;
    std::vector<CMonitoredInput> m_inputs;
    std::unique_ptr<COnlineThread> m_pThread;
    std::unique_ptr<Events> m_pEvents;
    std::atomic<int> m_nState{STATE_PAUSED};
    std::atomic<int> m_nPeriod{kMinPeriod};
    std::atomic<int> m_nCycles{0};
    mutable std::mutex m_mutex;
    Values m_values;
};
