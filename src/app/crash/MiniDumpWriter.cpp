#include "app/crash/MiniDumpWriter.h"

#include <fcntl.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <initializer_list>

#include "app/crash/CrashEnvironment.h"
#include "app/crash/DumpFile.h"
#include "app/crash/FaultInfo.h"
#include "app/crash/ModuleList.h"
#include "app/crash/ProcessMaps.h"
#include "app/crash/SafeMemory.h"
#include "app/crash/SafeText.h"

namespace {

constexpr uint32_t kHeaderSize = 32;
constexpr uint32_t kDirectoryEntrySize = 12;
constexpr uint16_t kArchitectureAmd64 = 9;
constexpr uint32_t kPlatformLinux = 0x8201;
constexpr uint32_t kContextAmd64 = 0x00100000;
constexpr uint32_t kContextControl = 0x1;
constexpr uint32_t kContextInteger = 0x2;
constexpr uint32_t kContextSegments = 0x4;
constexpr uint32_t kContextFloatingPoint = 0x8;
constexpr uint32_t kCodeViewElfBuildId = 0x4270454C;  // "LEpB"
constexpr uint32_t kMiscInfoSize = 24;
constexpr uint32_t kMiscProcessId = 0x1;
constexpr std::size_t kFixedFileInfoSize = 52;
constexpr std::size_t kExceptionParameters = 15;
constexpr uint64_t kGuardReach = 4096;

void PutLocation(CDumpFile& file, uint32_t size, uint32_t rva) {
    file.U32(size);
    file.U32(rva);
}

uint32_t Since(const CDumpFile& file, uint32_t start) {
    return file.Offset() - start;
}

}  // namespace

bool CMiniDumpWriter::Write(int fd) {
    CDumpFile file(fd);
    file.SeekTo(kHeaderSize + kStreamCount * kDirectoryEntrySize);

    uint64_t stackStart = 0;
    uint64_t stackEnd = 0;
    StackBounds(stackStart, stackEnd);
    uint64_t codeStart = 0;
    uint64_t codeEnd = 0;
    CodeBounds(codeStart, codeEnd);

    const Location system = WriteSystemInfo(file);
    const Location context = WriteContext(file);
    MemoryRange ranges[2];
    std::size_t rangeCount = 0;
    ranges[rangeCount++] = WriteMemory(file, stackStart, stackEnd);
    if (codeEnd > codeStart) {
        ranges[rangeCount++] = WriteMemory(file, codeStart, codeEnd);
    }
    const Location threads = WriteThreadList(file, ranges[0], context);
    const Location modules = WriteModuleList(file);
    const Location exception = WriteException(file, context);
    const Location memory = WriteMemoryList(file, ranges, rangeCount);
    const Location misc = WriteMiscInfo(file);
    const Location maps = WriteMaps(file);

    const struct {
        StreamType type;
        Location location;
    } directory[kStreamCount] = {
        {SYSTEM_INFO, system},  {THREAD_LIST, threads}, {MODULE_LIST, modules},
        {EXCEPTION, exception}, {MEMORY_LIST, memory},  {MISC_INFO, misc},
        {LINUX_MAPS, maps},
    };
    file.SeekTo(0);
    file.U32(kSignature);
    file.U32(kVersion);
    file.U32(kStreamCount);
    file.U32(kHeaderSize);
    file.U32(0);  // checksum: not computed
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    file.U32(static_cast<uint32_t>(now.tv_sec));
    file.U64(0);  // the normal dump type
    for (const auto& entry : directory) {
        file.U32(entry.type);
        PutLocation(file, entry.location.size, entry.location.rva);
    }
    return file.Flush();
}

// The stack from a little below the stack pointer (the red zone the
// interrupted function may use) to the top of its mapping, as far as it is
// readable and at most kMaxStackBytes.
void CMiniDumpWriter::StackBounds(uint64_t& start, uint64_t& end) const {
    const uint64_t sp = m_fault.StackPointer();
    start = (sp - 128) & ~uint64_t{15};
    const CProcessMaps::Region* region = m_maps.Find(sp);
    if (region == nullptr) {
        // A stack pointer that ran into the guard page: the stack is the
        // mapping just above it.
        region = m_maps.Find(sp + kGuardReach);
        start = region != nullptr ? region->start : start;
    }
    if (region != nullptr && start < region->start) {
        start = region->start;
    }
    end = region != nullptr ? region->end : sp;
    if (end - start > kMaxStackBytes) {
        end = start + kMaxStackBytes;
    }
}

void CMiniDumpWriter::CodeBounds(uint64_t& start, uint64_t& end) const {
    const uint64_t ip = m_fault.InstructionPointer();
    const CProcessMaps::Region* region = m_maps.Find(ip);
    if (region == nullptr || !region->readable) {
        start = end = 0;
        return;
    }
    start = ip - region->start > kCodeBytesAround ? ip - kCodeBytesAround : region->start;
    end = region->end - ip > kCodeBytesAround ? ip + kCodeBytesAround : region->end;
}

CMiniDumpWriter::Location CMiniDumpWriter::WriteSystemInfo(CDumpFile& file) {
    utsname system{};
    uname(&system);
    uint32_t version[3] = {0, 0, 0};
    const char* p = system.release;
    for (int part = 0; part < 3 && *p >= '0' && *p <= '9'; ++part) {
        while (*p >= '0' && *p <= '9') {
            version[part] = version[part] * 10 + static_cast<uint32_t>(*p++ - '0');
        }
        if (*p == '.') {
            ++p;
        }
    }
    // The service-pack text of the format carries the kernel's own words.
    char description[sizeof system.release + sizeof system.version + 2];
    std::size_t length = SafeCopy(description, sizeof description, system.release);
    description[length++] = ' ';
    SafeCopy(description + length, sizeof description - length, system.version);
    file.Align(4);
    const uint32_t stringRva = WriteString(file, description);

    file.Align(4);
    const uint32_t start = file.Offset();
    file.U16(kArchitectureAmd64);
    file.U16(6);  // processor level
    file.U16(0);  // processor revision
    const int processors = m_environment.ProcessorCount();
    file.U8(static_cast<uint8_t>(processors > 255 ? 255 : processors));
    file.U8(1);  // product type: a workstation
    file.U32(version[0]);
    file.U32(version[1]);
    file.U32(version[2]);
    file.U32(kPlatformLinux);
    file.U32(stringRva);
    file.U16(0);  // suite mask
    file.U16(0);
    file.Zeros(24);  // processor information: not read
    return {Since(file, start), start};
}

uint32_t CMiniDumpWriter::WriteString(CDumpFile& file, const char* text) {
    const uint32_t rva = file.Offset();
    const std::size_t length = SafeLength(text);
    file.U32(static_cast<uint32_t>(length * 2));
    for (std::size_t i = 0; i < length; ++i) {
        // Paths and kernel texts are taken byte for byte: exact for ASCII.
        file.U16(static_cast<uint8_t>(text[i]));
    }
    file.U16(0);
    return rva;
}

CMiniDumpWriter::Location CMiniDumpWriter::WriteContext(CDumpFile& file) {
    const CFaultInfo& f = m_fault;
    file.Align(16);
    const uint32_t start = file.Offset();
    file.Zeros(6 * 8);  // parameter home addresses
    uint32_t flags = kContextAmd64 | kContextControl | kContextInteger | kContextSegments;
    if (f.hasFpState) {
        flags |= kContextFloatingPoint;
    }
    file.U32(flags);
    file.U32(f.hasFpState ? f.fpState.mxcsr : 0);
    const uint64_t segments = f.Reg(REG_CSGSFS);
    file.U16(f.CodeSelector());
    file.U16(0);                                      // ds
    file.U16(0);                                      // es
    file.U16(static_cast<uint16_t>(segments >> 32));  // fs
    file.U16(static_cast<uint16_t>(segments >> 16));  // gs
    file.U16(f.StackSelector());
    file.U32(static_cast<uint32_t>(f.Reg(REG_EFL)));
    file.Zeros(6 * 8);  // debug registers
    for (int reg : {REG_RAX, REG_RCX, REG_RDX, REG_RBX, REG_RSP, REG_RBP, REG_RSI, REG_RDI, REG_R8,
                    REG_R9, REG_R10, REG_R11, REG_R12, REG_R13, REG_R14, REG_R15, REG_RIP}) {
        file.U64(f.Reg(reg));
    }
    // The FXSAVE area has the layout of the kernel's floating-point frame.
    if (f.hasFpState) {
        file.Bytes(&f.fpState, 512);
    } else {
        file.Zeros(512);
    }
    file.Zeros(26 * 16 + 6 * 8);  // vector registers and branch records
    return {Since(file, start), start};
}

CMiniDumpWriter::MemoryRange CMiniDumpWriter::WriteMemory(CDumpFile& file, uint64_t start,
                                                          uint64_t end) {
    file.Align(16);
    const uint32_t rva = file.Offset();
    uint8_t chunk[4096];
    for (uint64_t at = start; at < end;) {
        const std::size_t length =
            end - at < sizeof chunk ? static_cast<std::size_t>(end - at) : sizeof chunk;
        const std::size_t read = CSafeMemory::Read(at, chunk, length);
        file.Bytes(chunk, read);
        file.Zeros(length - read);  // the range keeps its size
        at += length;
    }
    return {start, {Since(file, rva), rva}};
}

CMiniDumpWriter::Location CMiniDumpWriter::WriteThreadList(CDumpFile& file,
                                                           const MemoryRange& stack,
                                                           const Location& context) {
    file.Align(4);
    const uint32_t start = file.Offset();
    file.U32(1);
    file.U32(static_cast<uint32_t>(m_fault.threadId));
    file.U32(0);  // suspend count
    file.U32(0);  // priority class
    file.U32(0);  // priority
    file.U64(0);  // thread environment block
    file.U64(stack.start);
    PutLocation(file, stack.location.size, stack.location.rva);
    PutLocation(file, context.size, context.rva);
    return {Since(file, start), start};
}

CMiniDumpWriter::Location CMiniDumpWriter::WriteModuleList(CDumpFile& file) {
    const std::size_t count = m_modules.Count();
    uint32_t nameRva[CModuleList::kMaxModules];
    Location codeView[CModuleList::kMaxModules];
    for (std::size_t i = 0; i < count; ++i) {
        const CModuleList::Module& module = m_modules.At(i);
        file.Align(4);
        nameRva[i] = WriteString(file, module.path);
        file.Align(4);
        codeView[i].rva = file.Offset();
        file.U32(kCodeViewElfBuildId);
        file.Bytes(module.buildId, module.buildIdLength);
        codeView[i].size = Since(file, codeView[i].rva);
    }
    file.Align(4);
    const uint32_t start = file.Offset();
    file.U32(static_cast<uint32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const CModuleList::Module& module = m_modules.At(i);
        file.U64(module.base);
        file.U32(static_cast<uint32_t>(module.size));
        file.U32(0);  // checksum
        file.U32(static_cast<uint32_t>(module.fileTime));
        file.U32(nameRva[i]);
        file.Zeros(kFixedFileInfoSize);
        PutLocation(file, codeView[i].size, codeView[i].rva);
        PutLocation(file, 0, 0);  // misc record
        file.U64(0);
        file.U64(0);
    }
    return {Since(file, start), start};
}

CMiniDumpWriter::Location CMiniDumpWriter::WriteException(CDumpFile& file,
                                                          const Location& context) {
    file.Align(8);
    const uint32_t start = file.Offset();
    file.U32(static_cast<uint32_t>(m_fault.threadId));
    file.U32(0);  // alignment
    file.U32(static_cast<uint32_t>(m_fault.signal));
    file.U32(static_cast<uint32_t>(m_fault.siCode));
    file.U64(0);  // no chained record
    file.U64(m_fault.faultAddress);
    file.U32(0);  // no parameters
    file.U32(0);
    file.Zeros(kExceptionParameters * 8);
    PutLocation(file, context.size, context.rva);
    return {Since(file, start), start};
}

CMiniDumpWriter::Location CMiniDumpWriter::WriteMemoryList(CDumpFile& file,
                                                           const MemoryRange* ranges,
                                                           std::size_t count) {
    file.Align(4);
    const uint32_t start = file.Offset();
    file.U32(static_cast<uint32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        file.U64(ranges[i].start);
        PutLocation(file, ranges[i].location.size, ranges[i].location.rva);
    }
    return {Since(file, start), start};
}

CMiniDumpWriter::Location CMiniDumpWriter::WriteMiscInfo(CDumpFile& file) {
    file.Align(4);
    const uint32_t start = file.Offset();
    file.U32(kMiscInfoSize);
    file.U32(kMiscProcessId);
    file.U32(static_cast<uint32_t>(getpid()));
    file.Zeros(kMiscInfoSize - 12);
    return {Since(file, start), start};
}

CMiniDumpWriter::Location CMiniDumpWriter::WriteMaps(CDumpFile& file) {
    file.Align(4);
    const uint32_t start = file.Offset();
    const int fd = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        char chunk[4096];
        for (;;) {
            const ssize_t count = read(fd, chunk, sizeof chunk);
            if (count < 0 && errno == EINTR) {
                continue;
            }
            if (count <= 0) {
                break;
            }
            file.Bytes(chunk, static_cast<std::size_t>(count));
        }
        close(fd);
    }
    return {Since(file, start), start};
}
