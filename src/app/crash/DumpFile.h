#pragma once

#include <cstddef>
#include <cstdint>

// A binary file written field by field in little-endian order through a
// fixed buffer, for the minidump: it knows the offset of the next byte (the
// file's relative address), can go back to an earlier offset, and calls
// nothing but write(2) and lseek(2). A failed write is remembered; later
// writes are dropped.
class CDumpFile {
public:
    explicit CDumpFile(int fd) : m_fd(fd) {}
    ~CDumpFile() { Flush(); }
    CDumpFile(const CDumpFile&) = delete;
    CDumpFile& operator=(const CDumpFile&) = delete;

    uint32_t Offset() const { return m_nOffset; }
    void U8(uint8_t value);
    void U16(uint16_t value);
    void U32(uint32_t value);
    void U64(uint64_t value);
    void Bytes(const void* data, std::size_t length);
    void Zeros(std::size_t count);
    // Pads with zeros to a multiple of alignment.
    void Align(uint32_t alignment);
    // Continues at an offset (after flushing what is pending).
    void SeekTo(uint32_t offset);
    bool Flush();
    bool Failed() const { return m_bFailed; }

private:
    static constexpr std::size_t kCapacity = 8192;

    int m_fd;
    uint32_t m_nOffset = 0;
    std::size_t m_nPending = 0;
    bool m_bFailed = false;
    uint8_t m_buffer[kCapacity];
};
