#pragma once

#include <cstdint>
#include <string>

#include "platform/Object.h"

class CController;

// A transport of the controller protocol: a serial line or a TCP connection.
// It finds the end of a reply, strips the stuffing zeros and skips the echo of
// its own request on a two-wire line. Used by one thread at a time.
class CAbstractCommPort : public CObject {
    DECLARE_DYNAMIC(CAbstractCommPort)

public:
    ~CAbstractCommPort() override = default;

    virtual bool IsOpen() const = 0;
    // name: a serial device or a host ("10.0.0.7", "plc7", "127.0.0.1:15020").
    virtual bool Open(const std::string& name, bool overlapped) = 0;
    virtual void Close() = 0;
    // One reply to the request, unstuffed, copied into dest (cleared first);
    // returns its length or 0 when none arrived.
    virtual int ReceiveFrame(uint8_t* dest, int destSize, const uint8_t* request,
                             int requestLength) = 0;
    // Raw read and write; the number of bytes moved.
    virtual int Read(uint8_t* buffer, int length) = 0;
    virtual int Write(const uint8_t* buffer, int length) = 0;
    virtual void ClearInput() {}
    virtual void ClearOutput() {}
    virtual void ClearBuffers() {}

    // The system's text for the last error, empty when there is none.
    std::string GetLastErrorText() const;

    int m_nLastError = 0;             // errno of the last failed call
    int m_nReplyTimeout = 100;        // ms to wait for the start of a reply
    CController* m_pOwner = nullptr;  // told when a reply starts to arrive; not owned
};
