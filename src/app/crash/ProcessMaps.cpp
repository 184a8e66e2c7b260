#include "app/crash/ProcessMaps.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace {

// A hexadecimal field ending at a separator; false when there is no digit.
bool ParseHex(const char*& cursor, const char* end, uint64_t& value) {
    value = 0;
    const char* first = cursor;
    while (cursor < end) {
        const char c = *cursor;
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else {
            break;
        }
        value = value << 4 | static_cast<uint64_t>(digit);
        ++cursor;
    }
    return cursor != first;
}

bool ParseDec(const char*& cursor, const char* end, uint64_t& value) {
    value = 0;
    const char* first = cursor;
    while (cursor < end && *cursor >= '0' && *cursor <= '9') {
        value = value * 10 + static_cast<uint64_t>(*cursor - '0');
        ++cursor;
    }
    return cursor != first;
}

bool Expect(const char*& cursor, const char* end, char c) {
    if (cursor < end && *cursor == c) {
        ++cursor;
        return true;
    }
    return false;
}

void SkipBlanks(const char*& cursor, const char* end) {
    while (cursor < end && *cursor == ' ') {
        ++cursor;
    }
}

}  // namespace

const char* CProcessMaps::StorePath(const char* path, std::size_t length) {
    if (m_nPathUsed + length + 1 > kPathPool) {
        return "";
    }
    char* stored = m_paths + m_nPathUsed;
    for (std::size_t i = 0; i < length; ++i) {
        stored[i] = path[i];
    }
    stored[length] = '\0';
    m_nPathUsed += length + 1;
    return stored;
}

// "start-end perms offset dev inode   path", e.g.
// "7f12a000-7f12c000 r-xp 00001000 08:01 1234   /usr/lib/libc.so.6".
bool CProcessMaps::AddLine(const char* line, std::size_t length) {
    if (m_nCount == kMaxRegions) {
        return false;
    }
    const char* cursor = line;
    const char* end = line + length;
    Region region{};
    uint64_t devMajor = 0;
    uint64_t devMinor = 0;
    if (!ParseHex(cursor, end, region.start) || !Expect(cursor, end, '-') ||
        !ParseHex(cursor, end, region.end) || !Expect(cursor, end, ' ') || end - cursor < 5) {
        return false;
    }
    region.readable = cursor[0] == 'r';
    region.writable = cursor[1] == 'w';
    region.executable = cursor[2] == 'x';
    cursor += 4;
    if (!Expect(cursor, end, ' ') || !ParseHex(cursor, end, region.offset) ||
        !Expect(cursor, end, ' ') || !ParseHex(cursor, end, devMajor) ||
        !Expect(cursor, end, ':') || !ParseHex(cursor, end, devMinor) ||
        !Expect(cursor, end, ' ') || !ParseDec(cursor, end, region.inode)) {
        return false;
    }
    SkipBlanks(cursor, end);
    region.path = StorePath(cursor, static_cast<std::size_t>(end - cursor));
    if (region.end <= region.start) {
        return false;
    }
    m_regions[m_nCount++] = region;
    return true;
}

bool CProcessMaps::Read() {
    m_nCount = 0;
    m_nPathUsed = 0;
    const int fd = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    char chunk[4096];
    char line[4096 + 64];
    std::size_t lineLength = 0;
    for (;;) {
        const ssize_t count = read(fd, chunk, sizeof chunk);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        for (ssize_t i = 0; i < count; ++i) {
            if (chunk[i] == '\n') {
                AddLine(line, lineLength);
                lineLength = 0;
            } else if (lineLength < sizeof line) {
                line[lineLength++] = chunk[i];
            }
        }
    }
    if (lineLength > 0) {
        AddLine(line, lineLength);
    }
    close(fd);
    return true;
}

const CProcessMaps::Region* CProcessMaps::Find(uint64_t address) const {
    for (std::size_t i = 0; i < m_nCount; ++i) {
        if (address >= m_regions[i].start && address < m_regions[i].end) {
            return &m_regions[i];
        }
    }
    return nullptr;
}
