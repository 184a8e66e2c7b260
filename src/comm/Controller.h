#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "comm/AbstractCommPort.h"
#include "comm/CommunicationData.h"
#include "comm/ProtocolCodes.h"
#include "platform/Event.h"
#include "platform/Object.h"

class CFrameBuilder;

// The controller protocol: builds each request, sends it with retries, checks
// the reply and takes its data. Short-lived: open, run operations, close. Every
// operation returns false (or nothing) and leaves an error code on failure.
class CController : public CObject {
    DECLARE_DYNAMIC(CController)

public:
    // Error codes; the texts are string table entries 28829 + code.
    enum ErrorCode {
        ERR_NONE = 0,
        ERR_TARGET_ADDRESS = 1,
        ERR_SOURCE_ADDRESS = 2,
        ERR_ANSWER_CODE = 3,
        ERR_CRC = 4,
        ERR_INITIAL_BYTE = 5,
        ERR_ADDRESSING = 6,
        ERR_TIMEOUT = 7,
        ERR_MEMORY_OVERFLOW = 8,
        ERR_NO_COMM_BLOCK = 9,
        ERR_KEY_SAFE = 10,
        ERR_DEVICE_NOT_FOUND = 11,
        ERR_SEND_BLOCK = 12,
    };
    static constexpr uint8_t kSourceAddress = 0x20;
    static constexpr std::size_t kBufferSize = 512;

    // Makes the transport for a sequence's settings; tests install fakes.
    using PortFactory =
        std::function<std::unique_ptr<CAbstractCommPort>(const CCommunicationData&)>;

    CController();
    ~CController() override;

    virtual bool Open(const CCommunicationData& settings, bool withIdleEvent);
    virtual bool Close();
    virtual std::string GetErrorText() const;
    virtual int GetErrorCode() const { return m_nErrorCode; }
    virtual bool ReadGeneralItem(uint8_t item, std::vector<uint8_t>& data);
    virtual bool ReplaceLoops(const uint8_t* loopNumbers, int count);
    virtual bool ReplaceLoop(int loopNumber);
    virtual bool ReplaceAllLoops();
    // names: the loops' names separated by ";", in the order of loopNumbers.
    virtual bool WriteLoopNames(const std::string& names, const uint8_t* loopNumbers, int count);
    virtual bool WriteCalibration(int kind, const uint8_t* data);
    virtual bool ReadLoopName(const std::string& loop, char name[9]);
    virtual bool ReadBlockValues(uint8_t loop, uint8_t function, uint8_t offset, std::string& text);
    virtual bool ReadCalibration(uint8_t kind, std::vector<uint8_t>& data);
    virtual bool ReadVersion(std::string& text);
    virtual bool ScanDevices(std::vector<std::string>& found, int first, int last);
    // "version;name;" of the controller at an address (the target address stays).
    virtual bool ProbeDevice(uint8_t address, std::string& text);
    virtual int Read(uint8_t* buffer, int length);
    virtual int ReceiveFrame(uint8_t* buffer, int length, const uint8_t* request,
                             int requestLength);
    virtual int SendFrame(const uint8_t* buffer, int length);
    virtual void OnTxActivity(bool on);
    virtual void OnRxActivity(bool on);

    bool IsOpen() const { return m_pPort && m_pPort->IsOpen(); }
    bool IsBusy() const { return m_bBusy; }
    // Set while no exchange is in progress; exists when opened with the idle event.
    const CEvent* GetIdleEvent() const { return m_pIdleEvent.get(); }
    uint8_t GetTargetAddress() const { return m_nTargetAddress; }
    // Bytes of calibration data each kind carries (kind 241 is sent as kind 1).
    static int CalibrationSize(int kind);

    static std::string ErrorText(int code);
    static void SetPortFactory(PortFactory factory);

protected:
    // A checked reply: the unstuffed frame.
    struct Reply {
        std::vector<uint8_t> bytes;
        uint8_t Length() const { return bytes.size() > 4 ? bytes[4] : 0; }
        // Data bytes from index 8 that the length byte announces and that arrived.
        std::size_t DataSize() const;
    };
    enum class Echo { none, check };

    // One request/reply exchange with retries; on success reply holds the frame.
    // Sends the request and checks that the reply carries the answer code of its
    // command (and the echo when asked).
    bool Exchange(CFrameBuilder& request, Echo echo, Reply& reply);
    bool Exchange(CFrameBuilder& request, Echo echo);
    CFrameBuilder Request(protocol::Command command, uint8_t loop, uint8_t function, uint8_t offset,
                          uint8_t lengthByte = 0) const;
    bool Fail(int code);
    void SetErrorCode(int code) { m_nErrorCode = code; }

private:
    bool CheckReply(const std::vector<uint8_t>& request, uint8_t expectedAnswer, Echo echo,
                    Reply& reply);
    // Sleeps the protocol's fixed pauses; tests may shorten them.
    void Pause(int milliseconds) const;

    std::unique_ptr<CAbstractCommPort> m_pPort;
    std::unique_ptr<CEvent> m_pIdleEvent;
    std::atomic<bool> m_bBusy{false};
    int m_nErrorCode = ERR_NONE;
    int m_nAttempts = 1;
    uint8_t m_nTargetAddress = 2;
};
