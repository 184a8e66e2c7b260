#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The byte layout shared by requests and replies of the controller protocol:
//   0 initial byte 0xFE, 1 target address, 2 source address, 3 command or answer
//   code, 4 length L (logical bytes after this one) or 0x80 for read requests,
//   5 loop, 6 function, 7 offset, 8.. data, then the CRC-16/KERMIT checksum, low
//   byte first. From index 5 on, a 0xFE in stuffed data or in the checksum is
//   followed on the line by an inserted 0x00 that L and the checksum leave out.
namespace frame {

constexpr uint8_t kInitialByte = 0xFE;
constexpr uint8_t kKestrelAddress = 0x20;
constexpr uint8_t kReadLength = 0x80;
constexpr std::size_t kHeaderSize = 5;  // bytes 0..4
constexpr std::size_t kMaxFrameSize = 512;

// CRC-16/KERMIT of plain bytes (check value of "123456789": 0x2189).
uint16_t Crc16Kermit(const uint8_t* data, std::size_t size, uint16_t crc = 0);

// Checksum of a frame as it stands on the line before its checksum: every byte
// from index 0, leaving out each byte at index 6 or later that follows a 0xFE.
uint16_t FrameChecksum(const uint8_t* frame, std::size_t size);

// Removes the 0x00 that follows a 0xFE, from index `from` on.
std::vector<uint8_t> Unstuff(const uint8_t* bytes, std::size_t size, std::size_t from = 5);

// True for answer codes that mean an error (their byte 4 is a sub-code).
inline bool IsErrorAnswer(uint8_t answerCode) {
    return answerCode <= 0x20;
}

// Logical bytes after byte 4 of a reply: 5 for the answers without data, else L.
std::size_t ReplyBodyLength(uint8_t answerCode, uint8_t lengthByte);

}  // namespace frame

// Builds one frame: the header, plain or stuffed data, then the checksum.
class CFrameBuilder {
public:
    // lengthByte: 0 to have L computed (5 + logical data bytes), or a fixed value
    // such as 0x80 for read requests.
    CFrameBuilder(uint8_t target, uint8_t source, uint8_t code, uint8_t loop, uint8_t function,
                  uint8_t offset, uint8_t lengthByte = 0);

    // Data sent as it is (names, loop lists, monitoring lists).
    void AppendPlain(const uint8_t* data, std::size_t size);
    void AppendPlain(uint8_t byte) { AppendPlain(&byte, 1); }
    // Data whose 0xFE bytes are followed by an inserted 0x00 (parameter bytes).
    void AppendStuffed(const uint8_t* data, std::size_t size);

    // Bytes on the line so far, stuffing included, and the logical data count.
    std::size_t GetLineSize() const { return m_frame.size(); }
    std::size_t GetDataSize() const { return m_dataSize; }
    // Byte 3: the command or answer code.
    uint8_t GetCode() const { return m_frame[3]; }
    void SetFunctionOffset(uint8_t function, uint8_t offset);

    // Sets L (unless fixed) and appends the stuffed checksum; returns the frame.
    std::vector<uint8_t> Finish();

private:
    std::vector<uint8_t> m_frame;
    std::size_t m_dataSize = 0;
    bool m_bFixedLength;
};
