#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "comm/CommunicationData.h"
#include "platform/Event.h"

class CConfController;

// A worker thread with the protocol object it owns. The owner gives it a
// procedure and starts it; the user-interface thread may use the controller
// only while the procedure waits in one of its paused states.
class COnlineThread {
public:
    using Procedure = std::function<int(COnlineThread&)>;

    COnlineThread();
    // Joins the thread, waits until the controller is idle, then deletes it.
    ~COnlineThread();
    COnlineThread(const COnlineThread&) = delete;
    COnlineThread& operator=(const COnlineThread&) = delete;

    // Runs the procedure on a new thread; false when one runs already.
    bool Start(Procedure procedure);
    bool HasThread() const { return m_thread.joinable(); }
    // Waits for the procedure to return; nothing without a thread.
    void Join();
    int GetExitCode() const { return m_nExitCode; }
    // Set once the procedure runs; the stop event is the owner's to use.
    CEvent& GetStartedEvent() { return m_evStarted; }
    CEvent& GetStopEvent() { return m_evStop; }

    // Forwarded to the controller; each fails (CloseController succeeds) when
    // there is no controller.
    bool OpenController(const CCommunicationData& settings);
    bool CloseController();
    bool ProbeDevice(uint8_t address, std::string& text);
    bool ReadBlockValues(uint8_t loop, uint8_t function, uint8_t offset, std::string& text);
    std::string GetErrorText() const;
    int GetErrorCode() const;
    // Waits, without a time-out, until the controller's exchange has ended.
    void WaitIdle() const;
    CConfController* GetController() const { return m_pController.get(); }

private:
    std::unique_ptr<CConfController> m_pController;
    std::thread m_thread;
    CEvent m_evStarted;
    CEvent m_evStop;
    int m_nExitCode = 0;
};
