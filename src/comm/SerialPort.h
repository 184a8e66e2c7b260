#pragma once

#include <linux/serial.h>

#include <string>
#include <vector>

#include "comm/AbstractCommPort.h"

struct termios;

// The controller protocol over a serial line (RS-232, or RS-485 through a
// converter that RTS switches to transmit). The line is raw, 8 data bits, 2 stop
// bits, no flow control.
class CSerialPort : public CAbstractCommPort {
    DECLARE_DYNAMIC(CSerialPort)

public:
    static constexpr int kDefaultBaudRate = 19200;
    static constexpr int kParityNone = 0;
    static constexpr int kParityOdd = 1;
    static constexpr int kParityEven = 2;

    CSerialPort() = default;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;
    ~CSerialPort() override;

    bool IsOpen() const override { return m_fd >= 0; }
    // Opens the device exclusively and purges it; the line starts raw at 19200
    // baud, even parity, until Configure changes it.
    bool Open(const std::string& device, bool overlapped) override;
    void Close() override;
    int ReceiveFrame(uint8_t* dest, int destSize, const uint8_t* request,
                     int requestLength) override;
    // Up to length bytes, waiting at most the reply time-out.
    int Read(uint8_t* buffer, int length) override;
    // Sends the frame with RTS raised, then leaves the line time to turn round.
    int Write(const uint8_t* buffer, int length) override;
    void ClearInput() override;
    void ClearOutput() override;
    void ClearBuffers() override;

    // Speed (2400..38400, anything else runs at 19200), parity (0 none, 1 odd,
    // 2 even) and stop bits. Settings a device refuses are left as they are.
    void Configure(int baudRate, int parity, int stopBits = 2);
    // Turns line into the raw settings Configure applies.
    static void MakeLineSettings(termios& line, int baudRate, int parity, int stopBits);
    // True when the driver switches RTS by itself while it transmits.
    bool HasAutomaticRts() const { return m_bAutoRts; }
    int GetBaudRate() const { return m_nBaudRate; }

    // The serial devices that can be opened now, in natural order.
    static std::vector<std::string> ListSerialPorts();
    // Name order with digit runs compared as numbers ("ttyS2" before "ttyS10").
    static bool NaturalLess(const std::string& left, const std::string& right);

    int m_nWriteWaitMs = 50;  // line turn-around after each write

private:
    bool LockDevice();
    void EnableAutomaticRts();
    void RestoreRs485();
    void SetModemLine(int line, bool on) const;
    bool WriteAll(const uint8_t* buffer, int length, int& written);
    void NotifyReplyStart();

    int m_fd = -1;
    bool m_bOverlapped = false;
    bool m_bAutoRts = false;
    bool m_bRs485Saved = false;
    serial_rs485 m_savedRs485{};  // the driver's RS-485 settings before ours
    int m_nBaudRate = kDefaultBaudRate;
};
