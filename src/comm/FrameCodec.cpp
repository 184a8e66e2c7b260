#include "comm/FrameCodec.h"

#include "comm/ProtocolCodes.h"

namespace frame {

uint16_t Crc16Kermit(const uint8_t* data, std::size_t size, uint16_t crc) {
    for (std::size_t i = 0; i < size; ++i) {
        uint8_t x = static_cast<uint8_t>((crc & 0xFF) ^ data[i]);
        x = static_cast<uint8_t>(x ^ (x << 4));
        crc = static_cast<uint16_t>(((x << 8) | (crc >> 8)) ^ (x << 3) ^ (x >> 4));
    }
    return crc;
}

uint16_t FrameChecksum(const uint8_t* frame, std::size_t size) {
    uint16_t crc = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (i >= 6 && frame[i - 1] == kInitialByte) {
            continue;  // the stuffing zero after a 0xFE
        }
        crc = Crc16Kermit(&frame[i], 1, crc);
    }
    return crc;
}

std::vector<uint8_t> Unstuff(const uint8_t* bytes, std::size_t size, std::size_t from) {
    std::vector<uint8_t> result;
    result.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        if (i > from && bytes[i] == 0x00 && bytes[i - 1] == kInitialByte) {
            continue;
        }
        result.push_back(bytes[i]);
    }
    return result;
}

std::size_t ReplyBodyLength(uint8_t answerCode, uint8_t lengthByte) {
    for (const uint8_t fixed : protocol::kFixedLengthAnswers) {
        if (answerCode == fixed) {
            return 5;
        }
    }
    return lengthByte;
}

}  // namespace frame

CFrameBuilder::CFrameBuilder(uint8_t target, uint8_t source, uint8_t code, uint8_t loop,
                             uint8_t function, uint8_t offset, uint8_t lengthByte)
    : m_frame{frame::kInitialByte, target, source, code, lengthByte, loop, function, offset},
      m_bFixedLength(lengthByte != 0) {}

void CFrameBuilder::AppendPlain(const uint8_t* data, std::size_t size) {
    m_frame.insert(m_frame.end(), data, data + size);
    m_dataSize += size;
}

void CFrameBuilder::AppendStuffed(const uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        m_frame.push_back(data[i]);
        if (data[i] == frame::kInitialByte) {
            m_frame.push_back(0x00);
        }
    }
    m_dataSize += size;
}

void CFrameBuilder::SetFunctionOffset(uint8_t function, uint8_t offset) {
    m_frame[6] = function;
    m_frame[7] = offset;
}

std::vector<uint8_t> CFrameBuilder::Finish() {
    if (!m_bFixedLength) {
        m_frame[4] = static_cast<uint8_t>(5 + m_dataSize);
    }
    const uint16_t crc = frame::FrameChecksum(m_frame.data(), m_frame.size());
    for (uint8_t byte : {static_cast<uint8_t>(crc & 0xFF), static_cast<uint8_t>(crc >> 8)}) {
        m_frame.push_back(byte);
        if (byte == frame::kInitialByte) {
            m_frame.push_back(0x00);
        }
    }
    return m_frame;
}
