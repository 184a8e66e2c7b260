#pragma once

#include <cstddef>
#include <cstdint>

class CCrashEnvironment;
class CDumpFile;
class CModuleList;
class CProcessMaps;
struct CFaultInfo;

// Writes "CRASH.DMP", a minidump of the faulting thread in the standard
// format: the header "MDMP" and its stream directory, then the system
// information, the thread list (the faulting thread with its registers and
// its stack), the module list with each image's build id, the exception
// record, the memory list, the process id and the text of the memory map.
// The exception record follows the Linux habit of debuggers: the code is the
// signal number, the flags its si_code, the address the faulting address.
// Only async-signal-safe calls; memory is read through CSafeMemory.
class CMiniDumpWriter {
public:
    static constexpr const char* kFileName = "CRASH.DMP";
    static constexpr uint32_t kSignature = 0x504D444D;  // "MDMP"
    static constexpr uint32_t kVersion = 0xA793;
    static constexpr uint32_t kContextSize = 1232;  // the AMD64 context record
    static constexpr uint64_t kMaxStackBytes = 256 * 1024;
    static constexpr uint64_t kCodeBytesAround = 256;

    enum StreamType : uint32_t {
        THREAD_LIST = 3,
        MODULE_LIST = 4,
        MEMORY_LIST = 5,
        EXCEPTION = 6,
        SYSTEM_INFO = 7,
        MISC_INFO = 15,
        LINUX_MAPS = 0x47670009,
    };

    CMiniDumpWriter(const CFaultInfo& fault, const CCrashEnvironment& environment,
                    const CProcessMaps& maps, const CModuleList& modules)
        : m_fault(fault), m_environment(environment), m_maps(maps), m_modules(modules) {}

    // False when a write failed.
    bool Write(int fd);

private:
    struct Location {
        uint32_t size;
        uint32_t rva;
    };
    struct MemoryRange {
        uint64_t start;
        Location location;
    };
    static constexpr std::size_t kStreamCount = 7;

    Location WriteSystemInfo(CDumpFile& file);
    Location WriteContext(CDumpFile& file);
    MemoryRange WriteMemory(CDumpFile& file, uint64_t start, uint64_t end);
    Location WriteThreadList(CDumpFile& file, const MemoryRange& stack, const Location& context);
    Location WriteModuleList(CDumpFile& file);
    Location WriteException(CDumpFile& file, const Location& context);
    Location WriteMemoryList(CDumpFile& file, const MemoryRange* ranges, std::size_t count);
    Location WriteMiscInfo(CDumpFile& file);
    Location WriteMaps(CDumpFile& file);
    static uint32_t WriteString(CDumpFile& file, const char* text);
    void StackBounds(uint64_t& start, uint64_t& end) const;
    void CodeBounds(uint64_t& start, uint64_t& end) const;

    const CFaultInfo& m_fault;
    const CCrashEnvironment& m_environment;
    const CProcessMaps& m_maps;
    const CModuleList& m_modules;
};
