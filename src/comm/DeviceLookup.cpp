#include "comm/DeviceLookup.h"

#include <chrono>

#include "comm/ConfController.h"
#include "model/BlockTypeInfo.h"
#include "model/Configuration.h"
#include "model/ParamValue.h"
#include "platform/PostedMessage.h"

DeviceProbeResult DeviceProbeResult::FromAnswer(const std::string& answer) {
    DeviceProbeResult result;
    const std::size_t first = answer.find(';');
    if (first == std::string::npos) {
        return result;
    }
    result.version = answer.substr(0, first);
    const std::size_t second = answer.find(';', first + 1);
    result.name = answer.substr(
        first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    result.found = !result.version.empty() && !result.name.empty();
    if (result.found) {
        result.model = result.version[0] == '2' ? "Varex" : "Varex Plus";
    }
    return result;
}

bool DeviceProbeResult::CanDownload(const CConfiguration& config) const {
    if (!found || config.GetBlockCount(0) == 0) {
        return false;
    }
    return ParseLeadingDouble(version) >= 4.0 || !config.HasDitBlocks();
}

DeviceProbeResult ProbeDeviceAt(CCommunicationData settings, int address) {
    settings.m_nDevAddress = address;
    CConfController controller;
    if (!controller.Open(settings, false)) {
        return {};
    }
    std::string answer;
    const bool answered = controller.ProbeDevice(static_cast<uint8_t>(address), answer);
    controller.Close();
    return answered ? DeviceProbeResult::FromAnswer(answer) : DeviceProbeResult();
}

CDeviceScan::CDeviceScan(const CCommunicationData& settings, int first, int last)
    : m_settings(settings), m_nFirst(first), m_nLast(last) {}

CDeviceScan::~CDeviceScan() {
    if (m_thread.joinable()) {
        Cancel();
        Finish();
    }
}

bool CDeviceScan::Start() {
    if (m_thread.joinable()) {
        return false;
    }
    m_evCancel.Reset();
    m_evFinished.Reset();
    m_thread = std::thread(&CDeviceScan::Run, this);
    return true;
}

void CDeviceScan::Finish() {
    if (!m_thread.joinable()) {
        return;
    }
    m_evFinished.Wait();
    m_thread.join();
}

std::vector<std::string> CDeviceScan::GetFound() const {
    std::lock_guard lock(m_foundMutex);
    return m_found;
}

void CDeviceScan::Run() {
    CConfController controller;
    if (controller.Open(m_settings, false)) {
        for (int address = m_nFirst; address <= m_nLast; ++address) {
            PostRegisteredMessage(msg::kUpdatePbPos, address);
            std::string answer;
            if (controller.ProbeDevice(static_cast<uint8_t>(address), answer)) {
                std::lock_guard lock(m_foundMutex);
                m_found.push_back(std::to_string(address) + ";" + answer);
            }
            if (m_evCancel.Wait(std::chrono::milliseconds(kCancelWaitMs))) {
                break;
            }
        }
        controller.Close();
    }
    if (!m_evCancel.IsSet()) {
        PostRegisteredMessage(msg::kDeviceLookFinished, 1);
    }
    m_evFinished.Set();
}
