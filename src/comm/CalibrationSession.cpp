#include "comm/CalibrationSession.h"

#include "comm/ConfController.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "vexilla/LogMsg.h"

CCalibrationSession::CCalibrationSession(const CCommunicationData& settings, int address)
    : m_settings(settings) {
    SetAddress(address);
}

void CCalibrationSession::SetAddress(int address) {
    if (address != m_settings.m_nDevAddress) {
        m_device = DeviceProbeResult();
    }
    m_settings.m_nDevAddress = address;
}

bool CCalibrationSession::Open(CConfController& controller) {
    m_strError.clear();
    if (controller.Open(m_settings, false)) {
        return true;
    }
    const std::string& target =
        m_settings.IsEthernet() ? m_settings.m_strIPAddress : m_settings.m_strPort;
    m_strError = "\n" + AfxFormatString(IDS_CANNOT_OPEN_CONNECTION, {target});
    return false;
}

bool CCalibrationSession::Fail(const CConfController& controller) {
    m_strError = controller.GetErrorText();
    if (m_strError.empty()) {
        // A reply that answered but did not carry a whole table.
        m_strError = CController::ErrorText(CController::ERR_CRC);
    }
    return false;
}

const DeviceProbeResult& CCalibrationSession::Probe() {
    m_device = ProbeDeviceAt(m_settings, m_settings.m_nDevAddress);
    return m_device;
}

bool CCalibrationSession::Read(CConfController& controller, CCalibrationTable& table) {
    std::vector<uint8_t> bytes;
    CCalibrationTable read(table.GetMode());
    if (!controller.ReadCalibration(static_cast<uint8_t>(table.GetKind()), bytes) ||
        !read.FromBytes(bytes)) {
        return false;
    }
    table = read;
    return true;
}

bool CCalibrationSession::ReadTable(CCalibrationTable& table) {
    CConfController controller;
    if (!Open(controller)) {
        return false;
    }
    const bool ok = Read(controller, table) || Fail(controller);
    controller.Close();
    return ok;
}

void CCalibrationSession::StartRecord(CCalibrationRecord& record) const {
    record.m_nAddress = m_settings.m_nDevAddress;
    record.m_strModel = m_device.model;
    record.m_strVersion = m_device.version;
    record.m_strConfiguration = m_device.HoldsConfiguration() ? m_device.name : std::string();
}

bool CCalibrationSession::WriteTable(const CCalibrationTable& table, CCalibrationRecord& record) {
    CConfController controller;
    if (!Open(controller)) {
        return false;
    }
    // The table as found is read first: a line that cannot read it now would
    // not let us read back what we wrote either.
    CCalibrationTable found(table.GetMode());
    CCalibrationTable left(table.GetMode());
    const std::vector<uint8_t> bytes = table.ToBytes();
    const bool ok =
        (Read(controller, found) && controller.WriteCalibration(table.GetKind(), bytes.data()) &&
         Read(controller, left)) ||
        Fail(controller);
    controller.Close();
    if (ok) {
        record = CCalibrationRecord(found, left);
        StartRecord(record);
        record.StampNow();
        CLogMsg::Log("CCalibrationSession::WriteTable", "Calibration written");
    }
    return ok;
}

bool CCalibrationSession::Calibrate(uint8_t mask, int row, CCalibrationTable& table,
                                    CCalibrationRecord& record) {
    if (mask == 0 || row < 0 || row >= CCalibrationTable::kInputRows) {
        return false;
    }
    CConfController controller;
    if (!Open(controller)) {
        return false;
    }
    CCalibrationTable found(CCalibrationTable::kInputAuto);
    CCalibrationTable left(CCalibrationTable::kInputAuto);
    const uint8_t request[2] = {mask, static_cast<uint8_t>(row)};
    const bool ok =
        (Read(controller, found) &&
         controller.WriteCalibration(CCalibrationTable::kAutoCalibrationKind, request) &&
         Read(controller, left)) ||
        Fail(controller);
    controller.Close();
    if (ok) {
        table = left;
        record = CCalibrationRecord(found, left);
        StartRecord(record);
        record.StampNow();
    }
    return ok;
}

bool CCalibrationSession::SendConfiguration(const CCalConfigFile::Loops& loops,
                                            const std::function<void(int)>& progress) {
    CConfController controller;
    if (!Open(controller)) {
        return false;
    }
    bool ok = controller.ReplaceAllLoops();
    for (int n = 1; n <= CCalConfigFile::kLoopCount && ok; ++n) {
        const CLoop* loop = loops[n - 1].get();
        ok = loop != nullptr && controller.SendLoop(*loop);
        if (progress) {
            progress(n);
        }
    }
    if (!ok) {
        Fail(controller);
    }
    controller.Close();
    if (ok && loops[CCalConfigFile::kLoopCount - 1] != nullptr) {
        // The controller now holds this configuration: records go under its name.
        m_device.name = loops[CCalConfigFile::kLoopCount - 1]->GetName();
    }
    return ok;
}
