#pragma once

#include <cstddef>
#include <cstdint>

class CProcessMaps;

// The ELF images mapped into the process (the program and its shared
// libraries), found in the memory map: an image starts at a file mapping of
// offset 0 whose first bytes are an ELF header and spans the mappings of the
// same file that follow it. Its build id is read from the note segment of the
// image in memory, the file's size and time from the file system.
class CModuleList {
public:
    static constexpr std::size_t kMaxModules = 512;
    static constexpr std::size_t kMaxBuildId = 32;

    struct Module {
        uint64_t base;
        uint64_t size;
        const char* path;  // points into the maps it was made from
        uint8_t buildId[kMaxBuildId];
        std::size_t buildIdLength;
        int64_t fileSize;
        int64_t fileTime;  // seconds since 1970, UTC
    };

    void Collect(const CProcessMaps& maps);
    std::size_t Count() const { return m_nCount; }
    const Module& At(std::size_t index) const { return m_modules[index]; }
    // The module holding an address, or null.
    const Module* Find(uint64_t address) const;
    // The file name part of a path.
    static const char* FileName(const char* path);

private:
    static void ReadBuildId(Module& module);
    static bool ReadNotes(uint64_t address, uint64_t size, Module& module);

    Module m_modules[kMaxModules];
    std::size_t m_nCount = 0;
};
