#pragma once

#include <cstddef>
#include <cstdint>

// The process's memory regions as /proc/self/maps lists them, read into fixed
// tables so that the fault handler can walk them: no allocation, only
// open(2)/read(2). Regions beyond the table's size are dropped.
class CProcessMaps {
public:
    static constexpr std::size_t kMaxRegions = 4096;
    static constexpr std::size_t kPathPool = 256 * 1024;

    struct Region {
        uint64_t start;
        uint64_t end;
        uint64_t offset;
        uint64_t inode;
        bool readable;
        bool writable;
        bool executable;
        const char* path;  // "" for anonymous memory; "[stack]" and the like
    };

    // Reads the listing; false when /proc/self/maps cannot be read.
    bool Read();
    // Parses one listing line (without its line end); false when malformed.
    bool AddLine(const char* line, std::size_t length);

    std::size_t Count() const { return m_nCount; }
    const Region& At(std::size_t index) const { return m_regions[index]; }
    // The region holding an address, or null.
    const Region* Find(uint64_t address) const;

private:
    const char* StorePath(const char* path, std::size_t length);

    Region m_regions[kMaxRegions];
    std::size_t m_nCount = 0;
    char m_paths[kPathPool];
    std::size_t m_nPathUsed = 0;
};
