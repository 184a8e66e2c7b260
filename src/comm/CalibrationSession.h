#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "comm/CalConfigFile.h"
#include "comm/CalibrationRecord.h"
#include "comm/CalibrationTable.h"
#include "comm/CommunicationData.h"
#include "comm/DeviceLookup.h"

class CConfController;

// The calibration operations on one controller, shared by the calibration
// dialog and the command-line tool. Each operation opens its own protocol
// object with the settings and the session's address, and closes it before it
// returns; on failure GetErrorText tells why (the protocol's text, which begins
// with a line break) and the caller's table is left as it was.
class CCalibrationSession {
public:
    CCalibrationSession(const CCommunicationData& settings, int address);

    int GetAddress() const { return m_settings.m_nDevAddress; }
    void SetAddress(int address);
    // The controller the last probe found (found is false before any probe).
    const DeviceProbeResult& GetDevice() const { return m_device; }
    void SetDevice(const DeviceProbeResult& device) { m_device = device; }
    const std::string& GetErrorText() const { return m_strError; }

    // Version and configuration name of the controller at the address.
    const DeviceProbeResult& Probe();
    // The controller's table of the table's kind.
    bool ReadTable(CCalibrationTable& table);
    // Writes the table; record gets the table as found before and as read back
    // after the write, with the device and the time.
    bool WriteTable(const CCalibrationTable& table, CCalibrationRecord& record);
    // The controller calibrates the inputs of mask at a point (row 0..3) itself;
    // table (mode 0) then holds the inputs' table as read back.
    bool Calibrate(uint8_t mask, int row, CCalibrationTable& table, CCalibrationRecord& record);
    // Replaces loops 1..5 with the loops given. True only when every loop was
    // accepted: a controller left with part of a configuration would run it.
    // progress gets the number of loops sent so far.
    bool SendConfiguration(const CCalConfigFile::Loops& loops,
                           const std::function<void(int)>& progress = {});

private:
    bool Open(CConfController& controller);
    bool Fail(const CConfController& controller);
    // Reads into table; false (table unchanged) for a failure or a short table.
    bool Read(CConfController& controller, CCalibrationTable& table);
    void StartRecord(CCalibrationRecord& record) const;

    CCommunicationData m_settings;
    DeviceProbeResult m_device;
    std::string m_strError;
};
