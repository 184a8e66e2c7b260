#pragma once

#include <cstdint>

class CCrashEnvironment;
class CModuleList;
class CProcessMaps;
class CSafeText;
struct CFaultInfo;

// Writes the text report "ERRORLOG.TXT" of a fault: what faulted and where,
// the system, the registers, the bytes at the instruction, the stack and the
// loaded modules, every line ending in "\r\n". Only async-signal-safe calls;
// every read of process memory goes through CSafeMemory.
class CErrorLogWriter {
public:
    static constexpr const char* kFileName = "ERRORLOG.TXT";
    static constexpr const char* kPlaceName = "ExceptionAttacher - AfxWinMain";
    static constexpr int kMaxStackWords = 3072;

    CErrorLogWriter(const CFaultInfo& fault, const CCrashEnvironment& environment,
                    const CProcessMaps& maps, const CModuleList& modules)
        : m_fault(fault), m_environment(environment), m_maps(maps), m_modules(modules) {}

    // False when a write failed (a full disk): the report is incomplete.
    bool Write(int fd) const;

private:
    void WriteHeadline(CSafeText& out) const;
    void WriteSystem(CSafeText& out) const;
    void WriteAccess(CSafeText& out) const;
    void WriteRegisters(CSafeText& out) const;
    void WriteCodeBytes(CSafeText& out) const;
    void WriteStack(CSafeText& out) const;
    void WriteModules(CSafeText& out) const;
    void WriteVersion(CSafeText& out, const char* path) const;

    const CFaultInfo& m_fault;
    const CCrashEnvironment& m_environment;
    const CProcessMaps& m_maps;
    const CModuleList& m_modules;
};
