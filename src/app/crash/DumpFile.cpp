#include "app/crash/DumpFile.h"

#include <unistd.h>

#include "app/crash/SafeText.h"

void CDumpFile::U8(uint8_t value) {
    if (m_nPending == kCapacity && !Flush()) {
        return;
    }
    m_buffer[m_nPending++] = value;
    ++m_nOffset;
}

void CDumpFile::U16(uint16_t value) {
    U8(static_cast<uint8_t>(value));
    U8(static_cast<uint8_t>(value >> 8));
}

void CDumpFile::U32(uint32_t value) {
    U16(static_cast<uint16_t>(value));
    U16(static_cast<uint16_t>(value >> 16));
}

void CDumpFile::U64(uint64_t value) {
    U32(static_cast<uint32_t>(value));
    U32(static_cast<uint32_t>(value >> 32));
}

void CDumpFile::Bytes(const void* data, std::size_t length) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    for (std::size_t i = 0; i < length; ++i) {
        U8(bytes[i]);
    }
}

void CDumpFile::Zeros(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        U8(0);
    }
}

void CDumpFile::Align(uint32_t alignment) {
    while (m_nOffset % alignment != 0) {
        U8(0);
    }
}

void CDumpFile::SeekTo(uint32_t offset) {
    if (!Flush()) {
        return;
    }
    if (lseek(m_fd, static_cast<off_t>(offset), SEEK_SET) < 0) {
        m_bFailed = true;
        return;
    }
    m_nOffset = offset;
}

bool CDumpFile::Flush() {
    if (m_nPending > 0 && !m_bFailed && !SafeWriteAll(m_fd, m_buffer, m_nPending)) {
        m_bFailed = true;
    }
    m_nPending = 0;
    return !m_bFailed;
}
