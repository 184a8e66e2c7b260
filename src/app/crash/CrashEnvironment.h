#pragma once

#include <cstddef>
#include <cstdint>

// What the fault handler needs to know about the process and cannot ask for
// safely once a fault happened (user names and time zones take locks and
// allocate): gathered when the handler is installed, kept in fixed buffers.
class CCrashEnvironment {
public:
    static constexpr std::size_t kPathMax = 4096;

    // Reads the program's path, the user, the processor count and the local
    // time offset. stateFolder: where the files go when the program folder
    // cannot be written (ends in "/").
    void Prepare(const char* stateFolder);

    const char* ProgramPath() const { return m_szProgramPath; }
    // "/path/to/" of the program.
    const char* ProgramFolder() const { return m_szProgramFolder; }
    // The program's file name without an extension.
    const char* ProgramName() const { return m_szProgramName; }
    const char* ProgramFileName() const { return m_szProgramFileName; }
    const char* UserName() const { return m_szUserName; }
    const char* StateFolder() const { return m_szStateFolder; }
    int ProcessorCount() const { return m_nProcessors; }
    // Local time = UTC + this offset (seconds), as at start-up.
    int64_t UtcOffset() const { return m_nUtcOffset; }
    int64_t LocalTime(int64_t utcSeconds) const { return utcSeconds + m_nUtcOffset; }

private:
    char m_szProgramPath[kPathMax] = {};
    char m_szProgramFolder[kPathMax] = {};
    char m_szProgramName[256] = {};
    char m_szProgramFileName[256] = {};
    char m_szUserName[256] = {};
    char m_szStateFolder[kPathMax] = {};
    int m_nProcessors = 1;
    int64_t m_nUtcOffset = 0;
};
