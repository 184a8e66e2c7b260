#pragma once

#include <string>
#include <vector>

// A copy of the crash helper in a folder of its own (its program folder), run
// as a child process.
class CCrashChild {
public:
    // Copies the helper (built beside this test program) into folder, under
    // a name of its choice.
    explicit CCrashChild(const std::string& folder, const std::string& name = "crash-helper");

    const std::string& Program() const { return m_strProgram; }
    // Runs "crash-helper KIND STATE_FOLDER" and waits for it: the wait status.
    int Run(const std::string& kind, const std::string& stateFolder) const;
    // The same under a tracer (this process) that passes every signal on.
    int RunTraced(const std::string& kind, const std::string& stateFolder) const;
    // Puts a stand-in report program beside the helper that appends its
    // arguments, one line "argv0|argv1|argv2", to the file argsFile.
    void AddReportStandIn(const std::string& argsFile) const;

    // Whether the tests may fault on purpose: the sanitizers keep their own
    // signal handlers.
    static bool FaultsCanBeTested();

private:
    std::string m_strFolder;
    std::string m_strProgram;
};

std::string ReadWholeFile(const std::string& path);
// Waits up to timeoutMs for a file to exist; false when it never did.
bool WaitForFile(const std::string& path, int timeoutMs);
