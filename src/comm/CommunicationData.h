#pragma once

#include <array>
#include <cstdint>
#include <string>

// The communication settings one sequence uses, copied by value into every
// sequence that opens a controller.
struct CCommunicationData {
    static constexpr int kInterfaceSerial = 0;
    static constexpr int kInterfaceEthernet = 1;

    int32_t m_nInterface = kInterfaceSerial;  // 0 serial line, anything else Ethernet
    int32_t m_nDevAddress = 2;                // target address of the controller
    std::string m_strPort;                    // serial device ("/dev/ttyUSB0")
    std::string m_strIPAddress = "0.0.0.0";   // controller host, "host" or "host:port"
    std::array<std::string, 6> m_strSpare;    // not used by the protocol
    uint8_t m_nParity = 2;                    // 0 none, 1 odd, 2 even
    int32_t m_nBaudRate = 19200;
    int32_t m_nTimeout = 100;       // ms to wait for the first byte of a reply
    int32_t m_nMonitPeriod = 2000;  // ms between monitoring cycles
    int32_t m_nRetries = 3;         // repeats after the first attempt

    bool IsEthernet() const { return m_nInterface != kInterfaceSerial; }
};
