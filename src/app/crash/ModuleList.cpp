#include "app/crash/ModuleList.h"

#include <sys/stat.h>

#include "app/crash/ProcessMaps.h"
#include "app/crash/SafeMemory.h"

namespace {

constexpr uint32_t kPtLoad = 1;
constexpr uint32_t kPtNote = 4;
constexpr uint32_t kNtGnuBuildId = 3;
constexpr std::size_t kElfHeaderSize = 64;
constexpr std::size_t kProgramHeaderSize = 56;
constexpr uint16_t kMaxProgramHeaders = 64;
constexpr uint64_t kMaxNotesSize = 4096;

uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint64_t U64(const uint8_t* p) {
    return static_cast<uint64_t>(U32(p)) | static_cast<uint64_t>(U32(p + 4)) << 32;
}

bool SamePath(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

bool IsElfImage(const CProcessMaps::Region& region) {
    if (region.offset != 0 || region.path[0] != '/' || !region.readable) {
        return false;
    }
    uint8_t magic[5];
    // 64-bit objects only: the handler reads 64-bit headers.
    return CSafeMemory::ReadExact(region.start, magic, sizeof magic) && magic[0] == 0x7F &&
           magic[1] == 'E' && magic[2] == 'L' && magic[3] == 'F' && magic[4] == 2;
}

}  // namespace

const char* CModuleList::FileName(const char* path) {
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == '/') {
            name = p + 1;
        }
    }
    return name;
}

void CModuleList::Collect(const CProcessMaps& maps) {
    m_nCount = 0;
    for (std::size_t i = 0; i < maps.Count() && m_nCount < kMaxModules; ++i) {
        const CProcessMaps::Region& first = maps.At(i);
        if (!IsElfImage(first)) {
            continue;
        }
        Module& module = m_modules[m_nCount];
        module = Module{};
        module.base = first.start;
        module.path = first.path;
        uint64_t end = first.end;
        while (i + 1 < maps.Count() && maps.At(i + 1).inode == first.inode &&
               SamePath(maps.At(i + 1).path, first.path)) {
            end = maps.At(++i).end;
        }
        module.size = end - module.base;
        ReadBuildId(module);
        struct stat status;
        if (stat(module.path, &status) == 0) {
            module.fileSize = status.st_size;
            module.fileTime = status.st_mtime;
        }
        ++m_nCount;
    }
}

const CModuleList::Module* CModuleList::Find(uint64_t address) const {
    for (std::size_t i = 0; i < m_nCount; ++i) {
        if (address >= m_modules[i].base && address - m_modules[i].base < m_modules[i].size) {
            return &m_modules[i];
        }
    }
    return nullptr;
}

void CModuleList::ReadBuildId(Module& module) {
    uint8_t header[kElfHeaderSize];
    if (!CSafeMemory::ReadExact(module.base, header, sizeof header)) {
        return;
    }
    const uint64_t phOffset = U64(header + 0x20);
    const uint16_t phEntrySize = U16(header + 0x36);
    const uint16_t phCount = U16(header + 0x38);
    if (phEntrySize != kProgramHeaderSize || phCount > kMaxProgramHeaders ||
        phOffset >= module.size) {
        return;
    }
    // The image's load bias: where its first loadable segment landed against
    // the address it was linked for.
    uint64_t bias = module.base;
    bool biasKnown = false;
    for (int pass = 0; pass < 2; ++pass) {
        for (uint16_t index = 0; index < phCount; ++index) {
            uint8_t ph[kProgramHeaderSize];
            if (!CSafeMemory::ReadExact(module.base + phOffset + index * kProgramHeaderSize, ph,
                                        sizeof ph)) {
                return;
            }
            const uint32_t type = U32(ph);
            const uint64_t vaddr = U64(ph + 0x10);
            const uint64_t fileSize = U64(ph + 0x20);
            if (pass == 0 && type == kPtLoad && !biasKnown) {
                bias = module.base - (vaddr & ~uint64_t{0xFFF});
                biasKnown = true;
            } else if (pass == 1 && type == kPtNote && ReadNotes(bias + vaddr, fileSize, module)) {
                return;
            }
        }
    }
}

bool CModuleList::ReadNotes(uint64_t address, uint64_t size, Module& module) {
    uint8_t notes[kMaxNotesSize];
    if (size > sizeof notes) {
        size = sizeof notes;
    }
    const std::size_t length = CSafeMemory::Read(address, notes, static_cast<std::size_t>(size));
    std::size_t at = 0;
    while (at + 12 <= length) {
        const uint32_t nameSize = U32(notes + at);
        const uint32_t descSize = U32(notes + at + 4);
        const uint32_t type = U32(notes + at + 8);
        const std::size_t nameAt = at + 12;
        const std::size_t descAt = nameAt + ((nameSize + 3u) & ~3u);
        const std::size_t next = descAt + ((descSize + 3u) & ~3u);
        if (nameSize > length || descSize > length || next > length) {
            return false;
        }
        if (type == kNtGnuBuildId && nameSize == 4 && notes[nameAt] == 'G' &&
            notes[nameAt + 1] == 'N' && notes[nameAt + 2] == 'U' && descSize <= kMaxBuildId) {
            for (uint32_t i = 0; i < descSize; ++i) {
                module.buildId[i] = notes[descAt + i];
            }
            module.buildIdLength = descSize;
            return true;
        }
        at = next;
    }
    return false;
}
