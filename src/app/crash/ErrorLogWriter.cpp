#include "app/crash/ErrorLogWriter.h"

#include <sys/sysinfo.h>
#include <sys/utsname.h>

#include <ctime>
#include <initializer_list>

#include "app/crash/CrashEnvironment.h"
#include "app/crash/ExceptionNames.h"
#include "app/crash/FaultInfo.h"
#include "app/crash/ModuleList.h"
#include "app/crash/ProcStatus.h"
#include "app/crash/ProcessMaps.h"
#include "app/crash/SafeMemory.h"
#include "app/crash/SafeText.h"

#ifndef KESTREL_FILE_VERSION
#define KESTREL_FILE_VERSION 1, 0, 0, 1
#endif

namespace {

// The user part of the x86-64 address space: 47 bits.
constexpr uint64_t kUserAddressSpaceMb = (uint64_t{1} << 47) >> 20;
// What the report calls the processor type of an x86-64 machine.
constexpr int kProcessorTypeAmd64 = 8664;

// The binaries of this product, by the start of their file name.
struct OwnBinary {
    const char* prefix;
    const char* description;
};
const OwnBinary kOwnBinaries[] = {
    {"kestrel-cli", "KESTREL command-line tool"},  {"kestrel", "KESTREL engineering tool"},
    {"libvexilla-log.so", "Vexilla log facility"}, {"libvexilla.so", "Vexilla controls library"},
    {"varex-sim", "Varex controller simulator"},   {"XCrashReport", "KESTREL crash report"},
};
constexpr int kFileVersion[4] = {KESTREL_FILE_VERSION};

bool StartsWith(const char* text, const char* prefix) {
    while (*prefix != '\0' && *text == *prefix) {
        ++text;
        ++prefix;
    }
    return *prefix == '\0';
}

const OwnBinary* FindOwnBinary(const char* fileName) {
    for (const OwnBinary& binary : kOwnBinaries) {
        if (StartsWith(fileName, binary.prefix)) {
            return &binary;
        }
    }
    return nullptr;
}

uint32_t BigEndian32(const uint8_t* bytes, std::size_t length, std::size_t at) {
    uint32_t value = 0;
    for (std::size_t i = at; i < at + 4; ++i) {
        value = value << 8 | (i < length ? bytes[i] : 0u);
    }
    return value;
}

void RegisterRow(CSafeText& out, const char* a, uint64_t va, const char* b, uint64_t vb,
                 const char* c, uint64_t vc) {
    out.StrPadded(a, 8).Hex0x(va, 16).Str("  ").StrPadded(b, 5).Hex0x(vb, 16);
    if (c != nullptr) {
        out.Str("  ").StrPadded(c, 7).Hex0x(vc, 16);
    }
    out.Str("\r\n");
}

}  // namespace

bool CErrorLogWriter::Write(int fd) const {
    CSafeText out(fd);
    WriteHeadline(out);
    WriteSystem(out);
    WriteAccess(out);
    WriteRegisters(out);
    WriteCodeBytes(out);
    WriteStack(out);
    WriteModules(out);
    out.Str("\r\n===== [end of ").Str(kFileName).Str("] =====\r\n");
    return out.Flush();
}

void CErrorLogWriter::WriteHeadline(CSafeText& out) const {
    const uint64_t ip = m_fault.InstructionPointer();
    const CModuleList::Module* module = m_modules.Find(ip);
    out.Str(m_environment.ProgramName()).Str(" caused ");
    out.Str(CExceptionNames::Name(m_fault.exceptionCode));
    out.Str(" (").Hex0x(m_fault.exceptionCode, 8).Str(") \r\nin module ");
    out.Str(module != nullptr ? CModuleList::FileName(module->path) : "Unknown");
    out.Str(" at ").Hex(m_fault.CodeSelector(), 4).Char(':').Hex(ip, 16).Str(".\r\n\r\n");
    out.Str("Exception handler called in ").Str(kPlaceName).Str(".\r\n");
}

void CErrorLogWriter::WriteSystem(CSafeText& out) const {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    out.Str("Error occurred at ").DateTime(m_environment.LocalTime(now.tv_sec)).Str(".\r\n");
    out.Str(m_environment.ProgramPath()).Str(", run by ").Str(m_environment.UserName());
    out.Str(".\r\n");

    utsname system{};
    uname(&system);
    // "6.1.0-18-amd64" gives the version 6.1.0.
    uint64_t parts[3] = {0, 0, 0};
    const char* p = system.release;
    for (int part = 0; part < 3 && *p >= '0' && *p <= '9'; ++part) {
        while (*p >= '0' && *p <= '9') {
            parts[part] = parts[part] * 10 + static_cast<uint64_t>(*p++ - '0');
        }
        if (*p == '.') {
            ++p;
        }
    }
    out.Str("Operating system:  ").Str(system.sysname).Str(" (").Dec(parts[0]).Char('.');
    out.Dec(parts[1]).Char('.').Dec(parts[2]).Str(").\r\n");
    out.SignedDec(m_environment.ProcessorCount()).Str(" processor(s), type ");
    out.SignedDec(kProcessorTypeAmd64).Str(".\r\n");

    struct sysinfo memory {};
    sysinfo(&memory);
    const uint64_t unit = memory.mem_unit != 0 ? memory.mem_unit : 1;
    const uint64_t total = memory.totalram * unit;
    const uint64_t available = (memory.freeram + memory.bufferram) * unit;
    const uint64_t inUse = total != 0 ? (total - available) * 100 / total : 0;
    const uint64_t mapped = static_cast<uint64_t>(CProcStatus::Field("VmSize", 0)) >> 10;
    out.Dec(inUse).Str("% memory in use.\r\n");
    out.Dec(total >> 20).Str(" MBytes physical memory.\r\n");
    out.Dec(available >> 20).Str(" MBytes physical memory free.\r\n");
    out.Dec((memory.totalswap * unit) >> 20).Str(" MBytes paging file.\r\n");
    out.Dec((memory.freeswap * unit) >> 20).Str(" MBytes paging file free.\r\n");
    out.Dec(kUserAddressSpaceMb).Str(" MBytes user address space.\r\n");
    out.Dec(kUserAddressSpaceMb - mapped).Str(" MBytes user address space free.\r\n");
}

void CErrorLogWriter::WriteAccess(CSafeText& out) const {
    if (m_fault.exceptionCode != CExceptionNames::kAccessViolation ||
        m_fault.access == CFaultInfo::ACCESS_UNKNOWN) {
        return;
    }
    out.Str(m_fault.access == CFaultInfo::ACCESS_WRITE ? "Write to" : "Read from");
    out.Str(" location ").Hex(m_fault.faultAddress, 16).Str(" caused an access violation.\r\n");
}

void CErrorLogWriter::WriteRegisters(CSafeText& out) const {
    const CFaultInfo& f = m_fault;
    out.Str("\r\nContext:\r\n");
    RegisterRow(out, "RDI:", f.Reg(REG_RDI), "RSI:", f.Reg(REG_RSI), "RAX:", f.Reg(REG_RAX));
    RegisterRow(out, "RBX:", f.Reg(REG_RBX), "RCX:", f.Reg(REG_RCX), "RDX:", f.Reg(REG_RDX));
    RegisterRow(out, "RIP:", f.Reg(REG_RIP), "RBP:", f.Reg(REG_RBP), "SegCs:", f.CodeSelector());
    RegisterRow(out, "EFlags:", f.Reg(REG_EFL), "RSP:", f.Reg(REG_RSP),
                "SegSs:", f.StackSelector());
    RegisterRow(out, "R8:", f.Reg(REG_R8), "R9:", f.Reg(REG_R9), "R10:", f.Reg(REG_R10));
    RegisterRow(out, "R11:", f.Reg(REG_R11), "R12:", f.Reg(REG_R12), "R13:", f.Reg(REG_R13));
    RegisterRow(out, "R14:", f.Reg(REG_R14), "R15:", f.Reg(REG_R15), nullptr, 0);
}

void CErrorLogWriter::WriteCodeBytes(CSafeText& out) const {
    out.Str("\r\nBytes at CS:RIP:\r\n");
    const uint64_t ip = m_fault.InstructionPointer();
    for (uint64_t i = 0; i < 16; ++i) {
        uint8_t byte = 0;
        if (CSafeMemory::ReadExact(ip + i, &byte, 1)) {
            out.Hex(byte, 2).Char(' ');
        } else {
            out.Str("?? ");
        }
    }
}

void CErrorLogWriter::WriteStack(CSafeText& out) const {
    out.Str("\r\n\r\nStack:\r\n");
    const uint64_t sp = m_fault.StackPointer();
    const CProcessMaps::Region* stack = m_maps.Find(sp);
    const uint64_t limit = sp + kMaxStackWords * 4;
    // Without a region the reads decide where the stack ends.
    const uint64_t top = stack != nullptr && stack->end < limit ? stack->end : limit;
    for (uint64_t line = sp; line < top; line += 16) {
        const uint64_t words = (top - line) / 4 < 4 ? (top - line) / 4 : 4;
        uint8_t bytes[16];
        if (words == 0) {
            break;
        }
        if (!CSafeMemory::ReadExact(line, bytes, words * 4)) {
            out.Str("Exception encountered during stack dump.\r\n");
            return;
        }
        out.Hex0x(line, 16).Str(": ");
        for (uint64_t w = 0; w < 4; ++w) {
            if (w < words) {
                const uint8_t* b = bytes + w * 4;
                out.Hex(static_cast<uint32_t>(b[0] | b[1] << 8 | b[2] << 16) |
                            static_cast<uint32_t>(b[3]) << 24,
                        8)
                    .Char(' ');
            } else {
                out.Str("         ");
            }
        }
        for (uint64_t i = 0; i < words * 4; ++i) {
            out.Char(bytes[i] < 32 || bytes[i] == 127 ? '.' : static_cast<char>(bytes[i]));
        }
        out.Str("\r\n");
    }
}

void CErrorLogWriter::WriteModules(CSafeText& out) const {
    out.Str("\r\n");
    for (std::size_t i = 0; i < m_modules.Count(); ++i) {
        const CModuleList::Module& module = m_modules.At(i);
        out.Str("Module ").Dec(i + 1).Str("\r\n").Str(module.path).Str("\r\n");
        out.Str("Image Base: ").Hex0x(module.base, 16).Str("  Image Size: ");
        out.Hex0x(module.size, 8).Str("\r\n");
        // The build id stands for the checksum and the time stamp: its first
        // eight bytes, in the order tools print them.
        out.Str("Checksum:   ").Hex0x(BigEndian32(module.buildId, module.buildIdLength, 0), 8);
        out.Str("  Time Stamp: ").Hex0x(BigEndian32(module.buildId, module.buildIdLength, 4), 8);
        out.Str("\r\n");
        out.Str("File Size:  ")
            .DecLeft(static_cast<uint64_t>(module.fileSize), 10)
            .Str("  File Time:  ");
        out.DateTime(m_environment.LocalTime(module.fileTime)).Str("\r\n");
        WriteVersion(out, module.path);
        out.Str("\r\n");
    }
}

void CErrorLogWriter::WriteVersion(CSafeText& out, const char* path) const {
    const OwnBinary* own = FindOwnBinary(CModuleList::FileName(path));
    out.Str("Version Information:\r\n");
    out.Str("   Company:    ").Str(own != nullptr ? "Torv" : "").Str("\r\n");
    out.Str("   Product:    ").Str(own != nullptr ? "KESTREL Plus" : "").Str("\r\n");
    out.Str("   FileDesc:   ").Str(own != nullptr ? own->description : "").Str("\r\n");
    for (const char* label : {"   FileVer:    ", "   ProdVer:    "}) {
        out.Str(label);
        for (int part = 0; part < 4; ++part) {
            out.Dec(own != nullptr ? static_cast<uint64_t>(kFileVersion[part]) : 0);
            out.Str(part < 3 ? "." : "\r\n");
        }
    }
}
