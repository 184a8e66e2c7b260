#include "comm/SerialFrameReceiver.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>

#include "comm/FrameCodec.h"
#include "comm/PollWait.h"

namespace {

using pollwait::Clock;
using pollwait::RemainingMs;

constexpr std::size_t kMaxBodySize = 255;  // the length byte's range

}  // namespace

CSerialFrameReceiver::CSerialFrameReceiver(ByteSource& source, int baudRate, int replyTimeoutMs)
    : m_source(source),
      m_nMultiplier(ByteTimeMultiplier(baudRate)),
      m_nReplyTimeout(std::max(replyTimeoutMs, 0)) {}

int CSerialFrameReceiver::ByteTimeMultiplier(int baudRate) {
    switch (baudRate) {
        case 2400:
            return 10;
        case 4800:
            return 5;
        case 9600:
            return 2;
        default:
            return 1;
    }
}

int CSerialFrameReceiver::Receive(uint8_t* dest, int destSize, const uint8_t* request,
                                  int requestLength) {
    if (dest == nullptr || destSize < static_cast<int>(frame::kHeaderSize)) {
        return 0;
    }
    Header header{};
    for (int pass = 0; pass < 2; ++pass) {
        if (!ReadHeader(header)) {
            return 0;
        }
        if (Belongs(header, request, requestLength)) {
            return TakeReply(header, dest, destSize);
        }
        // Our own request coming back on a two-wire line: skip the rest of it.
        const int echoRest = requestLength - static_cast<int>(frame::kHeaderSize);
        if (pass == 0 && echoRest > 0) {
            ReadBytes(nullptr, static_cast<std::size_t>(echoRest));
        }
    }
    return 0;
}

bool CSerialFrameReceiver::FindInitialByte() {
    for (int attempt = 0; attempt < kInitialByteTries; ++attempt) {
        uint8_t byte = 0;
        const int got = m_source.ReadByte(byte, m_nReplyTimeout);
        if (got < 0) {
            return false;
        }
        if (got == 1 && byte == frame::kInitialByte) {
            if (m_onReplyStart) {
                m_onReplyStart();
            }
            return true;
        }
    }
    return false;
}

// Reads count bytes within multiplier × count + 70 ms; bytes may be null to discard.
bool CSerialFrameReceiver::ReadBytes(uint8_t* bytes, std::size_t count) {
    const auto deadline =
        Clock::now() +
        std::chrono::milliseconds(static_cast<long long>(m_nMultiplier) * count + kHeaderTimeoutMs);
    for (std::size_t i = 0; i < count; ++i) {
        uint8_t byte = 0;
        if (m_source.ReadByte(byte, RemainingMs(deadline)) != 1) {
            return false;
        }
        if (bytes != nullptr) {
            bytes[i] = byte;
        }
    }
    return true;
}

bool CSerialFrameReceiver::ReadHeader(Header& header) {
    if (!FindInitialByte()) {
        return false;
    }
    header[0] = frame::kInitialByte;
    return ReadBytes(&header[1], frame::kHeaderSize - 1);
}

// A reply is addressed to us (byte 1 = our source address) or comes from the
// controller we addressed (byte 2 = its address); the echo of a request is neither.
bool CSerialFrameReceiver::Belongs(const Header& header, const uint8_t* request,
                                   int requestLength) {
    if (request == nullptr || requestLength < 3) {
        return true;  // nothing to tell an echo by
    }
    return header[1] == request[2] || header[2] == request[1];
}

int CSerialFrameReceiver::TakeReply(const Header& header, uint8_t* dest, int destSize) {
    const std::size_t bodyLength = frame::ReplyBodyLength(header[3], header[4]);
    const bool errorAnswer = frame::IsErrorAnswer(header[3]);
    if (bodyLength > kMaxBodySize ||
        frame::kHeaderSize + bodyLength > static_cast<std::size_t>(destSize)) {
        DrainLine();
        return 0;
    }
    std::array<uint8_t, kMaxBodySize> body{};
    std::size_t received = 0;
    const bool complete = ReadBody(body.data(), bodyLength, received);
    // An error answer's byte 4 is a sub-code: controllers follow it either with
    // that many bytes or with the echo and checksum. Both carry what matters in
    // the header, so a short body is kept and whatever follows is dropped.
    if (!complete && !errorAnswer) {
        return 0;
    }
    if (errorAnswer) {
        DrainLine();
    }
    std::memset(dest, 0, static_cast<std::size_t>(destSize));
    std::memcpy(dest, header, frame::kHeaderSize);
    std::memcpy(dest + frame::kHeaderSize, body.data(), received);
    return static_cast<int>(frame::kHeaderSize + received);
}

bool CSerialFrameReceiver::ReadBody(uint8_t* body, std::size_t length, std::size_t& received) {
    const int byteTimeout = m_nMultiplier + kHeaderTimeoutMs;
    uint8_t previous = 0;
    bool havePrevious = false;
    received = 0;
    while (received < length) {
        uint8_t byte = 0;
        if (m_source.ReadByte(byte, byteTimeout) != 1) {
            return false;
        }
        const bool stuffing = havePrevious && previous == frame::kInitialByte && byte == 0x00;
        previous = byte;
        havePrevious = true;
        if (!stuffing) {
            body[received++] = byte;
        }
    }
    // A checksum ending in 0xFE is followed by its stuffing zero: take it too, so
    // that the next exchange does not find it in front of its reply.
    if (length > 0 && previous == frame::kInitialByte) {
        uint8_t zero = 0;
        m_source.ReadByte(zero, byteTimeout);
    }
    return true;
}

// Drops bytes until the line has been quiet for a few byte times.
void CSerialFrameReceiver::DrainLine() {
    const int quietMs = m_nMultiplier * kQuietFactor + kQuietExtraMs;
    uint8_t byte = 0;
    for (std::size_t dropped = 0; dropped < kMaxDrainBytes; ++dropped) {
        if (m_source.ReadByte(byte, quietMs) != 1) {
            return;
        }
    }
}
