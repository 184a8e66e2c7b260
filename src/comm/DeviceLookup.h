#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "comm/CommunicationData.h"
#include "platform/Event.h"

class CConfiguration;

// What a probe of one address found.
struct DeviceProbeResult {
    bool found = false;  // both a version and a name answered
    std::string model;   // "Varex" (version 2.x) or "Varex Plus"
    std::string version;
    std::string name;  // the LOOP G name, "NO CONFG" without a configuration

    // Splits a probe answer "version;name;".
    static DeviceProbeResult FromAnswer(const std::string& answer);
    bool HoldsConfiguration() const { return !name.empty() && name != "NO CONFG"; }
    // Upload needs a configuration in the controller; download a found device,
    // blocks to send, and a version that runs DIT blocks when there are any.
    bool CanUpload() const { return HoldsConfiguration(); }
    bool CanDownload(const CConfiguration& config) const;
};

// Probes one address with the settings (the address replaces the stored one).
DeviceProbeResult ProbeDeviceAt(CCommunicationData settings, int address);

// A scan of an address range on a worker thread. The worker posts the address it
// probes (WM_THREAD_UPDATEPBPOS) and, when it ends without cancel,
// WM_THREAD_DEVLOOKFINISHED; it never waits for whoever watches it. Between
// probes it waits up to 200 ms on the cancel event.
class CDeviceScan {
public:
    static constexpr int kCancelWaitMs = 200;

    CDeviceScan(const CCommunicationData& settings, int first, int last);
    ~CDeviceScan();
    CDeviceScan(const CDeviceScan&) = delete;
    CDeviceScan& operator=(const CDeviceScan&) = delete;

    bool Start();
    void Cancel() { m_evCancel.Set(); }
    // Waits for the worker to finish and joins it.
    void Finish();
    const CEvent& GetFinishedEvent() const { return m_evFinished; }
    bool WasCancelled() const { return m_evCancel.IsSet(); }
    // Entries "address;version;name;" (valid after Finish).
    std::vector<std::string> GetFound() const;

private:
    void Run();

    CCommunicationData m_settings;
    int m_nFirst;
    int m_nLast;
    CEvent m_evCancel;
    CEvent m_evFinished;
    std::thread m_thread;
    mutable std::mutex m_foundMutex;
    std::vector<std::string> m_found;
};
