#pragma once

#include <csignal>
#include <string>

struct CFaultInfo;

// The program's last line of defence: handlers for the faults (SIGSEGV,
// SIGBUS, SIGILL, SIGFPE, SIGABRT, a stack overflow on an alternate signal
// stack) and for an uncaught C++ exception (std::set_terminate). The first
// fault of the process writes "ERRORLOG.TXT" and "CRASH.DMP" beside the
// program (or in the user's state folder when the program folder cannot be
// written), starts "XCrashReport" from the program folder unless a debugger is
// attached, and lets the process end with the fault. A fault while this is
// going on writes nothing more.
//
// Everything after the fault is async-signal-safe: the tables it fills were
// allocated with the process, it calls plain system calls, takes no lock and
// touches no Qt.
class CExceptionAttacher {
public:
    static constexpr const char* kReportProgram = "XCrashReport";
    static constexpr std::size_t kAltStackSize = 256 * 1024;

    // Installs the handlers once per process; later calls change nothing and
    // return false. stateFolder: where the files go when the program folder
    // is not writable; empty for ~/.local/state/KESTREL Plus/.
    static bool Install(const std::string& stateFolder = std::string());
    static bool IsInstalled();
    // Gives the calling thread an alternate signal stack, so that a stack
    // overflow in it is reported too (Install does it for its own thread).
    static bool PrepareThread();
    // The user's state folder of the program, ending in "/".
    static std::string DefaultStateFolder();

private:
    static void OnSignal(int signal, siginfo_t* info, void* context);
    [[noreturn]] static void OnTerminate();
    // Claims the one report of the process; false for any later fault.
    static bool Claim();
    static void FillFromSignal(CFaultInfo& fault, int signal, const siginfo_t* info,
                               const void* context);
    static void Report(const CFaultInfo& fault);
    static int CreateReportFile(const char* name, char* folder, std::size_t folderSize);
    static void StartReportProgram(const char* folder);
    static bool DebuggerAttached();
};
