#pragma once

#include <chrono>
#include <cstdint>
#include <random>
#include <string>

#include "comm/AbstractCommPort.h"

struct addrinfo;

// The controller protocol over TCP: every frame travels behind a 6-byte header
//   0..1 transaction identifier (high byte first), 2..3 protocol identifier 600,
//   4 zero, 5 length of the frame on the line.
// A reply counts only when it carries the identifier of the last request.
class CEthernetPort : public CAbstractCommPort {
    DECLARE_DYNAMIC(CEthernetPort)

public:
    static constexpr uint16_t kProtocolId = 600;
    static constexpr uint16_t kDefaultTcpPort = 502;
    static constexpr std::size_t kMessageHeaderSize = 6;
    static constexpr uint16_t kLastSequentialId = 0x7FFF;

    CEthernetPort() = default;
    CEthernetPort(const CEthernetPort&) = delete;
    CEthernetPort& operator=(const CEthernetPort&) = delete;
    ~CEthernetPort() override;

    bool IsOpen() const override { return m_socket >= 0; }
    // name: "host", "host:port", "[v6 address]:port" or a bare v6 address.
    bool Open(const std::string& name, bool overlapped) override;
    void Close() override;
    // The frame of the next reply to the last request, unstuffed; the request
    // arguments are not needed here.
    int ReceiveFrame(uint8_t* dest, int destSize, const uint8_t* request,
                     int requestLength) override;
    int Read(uint8_t* buffer, int length) override;
    // Sends one frame (at most 255 bytes on the line) under a new transaction
    // identifier; returns the frame bytes sent.
    int Write(const uint8_t* buffer, int length) override;

    uint16_t GetTransactionId() const { return m_nTransactionId; }

    // Splits a name into host and TCP port (502 when it has none); false when
    // the host is empty or the port is not a number from 1 to 65535.
    static bool ParseAddress(const std::string& name, std::string& host, uint16_t& port);

    int m_nWriteWaitMs = 100;  // pause after each write
    int m_nConnectTimeoutMs = 3000;

protected:
    // A new transaction identifier, 0..0x7FFF.
    virtual uint16_t NextRandomId();

private:
    using Clock = std::chrono::steady_clock;
    struct Message;

    bool Connect(const std::string& host, uint16_t port);
    bool ConnectTo(const addrinfo& address, Clock::time_point deadline);
    int Receive(uint8_t* dest, int destSize);
    // Next whole message before the deadline: 1 taken, 0 none, -1 unusable bytes.
    int ReadMessage(Message& message, Clock::time_point deadline);
    bool ReadExactly(uint8_t* bytes, std::size_t count, Clock::time_point deadline);
    int CopyFrame(const Message& message, uint8_t* dest, int destSize);
    void DiscardPending();
    void NotifyReplyStart();

    int m_socket = -1;
    uint16_t m_nTransactionId = 0;
    uint16_t m_nProtocolId = kProtocolId;
    std::mt19937 m_random;
};
