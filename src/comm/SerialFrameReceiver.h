#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// Finds one reply of the controller protocol in the bytes of a serial line:
// skips noise before the initial byte, skips the echo of our own request on a
// two-wire line, reads the body the header announces and removes the stuffing
// zeros. Knows nothing of the device; it reads through a ByteSource.
class CSerialFrameReceiver {
public:
    // Single bytes with a time-out: a serial device, or a script in tests.
    class ByteSource {
    public:
        virtual ~ByteSource() = default;
        // 1 when a byte was read, 0 after the time-out, -1 on an error.
        virtual int ReadByte(uint8_t& byte, int timeoutMs) = 0;
    };

    static constexpr int kInitialByteTries = 3;
    static constexpr int kHeaderTimeoutMs = 70;  // constant part of the byte time-outs
    static constexpr int kQuietFactor = 8;       // bytes of silence that end a reply
    static constexpr int kQuietExtraMs = 20;
    static constexpr std::size_t kMaxDrainBytes = 1024;

    CSerialFrameReceiver(ByteSource& source, int baudRate, int replyTimeoutMs);

    // Called each time an initial byte arrives.
    void SetReplyStartHandler(std::function<void()> handler) {
        m_onReplyStart = std::move(handler);
    }

    // One reply to request (its bytes as sent, stuffing included), unstuffed,
    // copied into dest after clearing destSize bytes of it; returns its length,
    // or 0 when none arrived or it does not fit.
    int Receive(uint8_t* dest, int destSize, const uint8_t* request, int requestLength);

    // Milliseconds a byte may take at a line speed.
    static int ByteTimeMultiplier(int baudRate);

private:
    using Header = uint8_t[5];

    bool FindInitialByte();
    bool ReadBytes(uint8_t* bytes, std::size_t count);
    bool ReadHeader(Header& header);
    static bool Belongs(const Header& header, const uint8_t* request, int requestLength);
    int TakeReply(const Header& header, uint8_t* dest, int destSize);
    // Reads up to length logical bytes into body; false when the line fell silent.
    bool ReadBody(uint8_t* body, std::size_t length, std::size_t& received);
    void DrainLine();

    ByteSource& m_source;
    int m_nMultiplier;
    int m_nReplyTimeout;
    std::function<void()> m_onReplyStart;
};
