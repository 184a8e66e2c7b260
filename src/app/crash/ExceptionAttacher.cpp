#include "app/crash/ExceptionAttacher.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>

#include "app/crash/CrashEnvironment.h"
#include "app/crash/ErrorLogWriter.h"
#include "app/crash/ExceptionNames.h"
#include "app/crash/FaultInfo.h"
#include "app/crash/MiniDumpWriter.h"
#include "app/crash/ModuleList.h"
#include "app/crash/ProcStatus.h"
#include "app/crash/ProcessMaps.h"
#include "app/crash/SafeMemory.h"
#include "app/crash/SafeText.h"

extern char** environ;

namespace {

const int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
// A SIGSEGV this close below the stack pointer is the stack running into its
// guard page.
constexpr uint64_t kStackOverflowReach = 64 * 1024;
// A second thread that faults while the first writes the report waits this
// long for the process to end (the first thread ends it).
constexpr int kOtherThreadWaitSeconds = 30;
// Bit 1 of the page-fault error code the kernel passes: the access was a write.
constexpr uint64_t kPageFaultWrite = 0x2;

std::atomic<bool> g_installed{false};
// The thread that reports (0: none yet).
std::atomic<pid_t> g_reportingThread{0};

// Filled with the process, used only by the one reporting thread.
CCrashEnvironment g_environment;
CProcessMaps g_maps;
CModuleList g_modules;
CFaultInfo g_fault;

pid_t CurrentThreadId() {
    return static_cast<pid_t>(syscall(SYS_gettid));
}

void DebugOutput(const char* text) {
    SafeWriteAll(STDERR_FILENO, text, SafeLength(text));
}

// Lets the fault run its course: the default action ends the process (and
// leaves a core file where the system keeps them).
void ContinueWithDefault(int signal, const siginfo_t* info) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    // A signal that was sent (abort(), kill) does not come back by itself
    // when the handler returns; a fault comes back with its instruction.
    if (info == nullptr || info->si_code <= 0) {
        raise(signal);
    }
}

// mkdir -p of a folder that ends in "/".
void MakeFolders(const char* folder) {
    char path[CCrashEnvironment::kPathMax];
    const std::size_t length = SafeCopy(path, sizeof path, folder);
    for (std::size_t i = 1; i < length; ++i) {
        if (path[i] == '/') {
            path[i] = '\0';
            mkdir(path, 0700);
            path[i] = '/';
        }
    }
}

int OpenIn(const char* folder, const char* name) {
    char path[CCrashEnvironment::kPathMax];
    const std::size_t length = SafeCopy(path, sizeof path, folder);
    SafeCopy(path + length, sizeof path - length, name);
    return open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_SYNC, 0644);
}

}  // namespace

std::string CExceptionAttacher::DefaultStateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string folder;
    if (state != nullptr && state[0] == '/') {
        folder = state;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::string(home != nullptr ? home : "/tmp") + "/.local/state";
    }
    return folder + "/KESTREL Plus/";
}

bool CExceptionAttacher::IsInstalled() {
    return g_installed.load();
}

bool CExceptionAttacher::PrepareThread() {
    // The stack is never freed: a thread's handler may run until the process ends.
    void* stack = mmap(nullptr, kAltStackSize, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
    if (stack == MAP_FAILED) {
        return false;
    }
    stack_t alternate{};
    alternate.ss_sp = stack;
    alternate.ss_size = kAltStackSize;
    return sigaltstack(&alternate, nullptr) == 0;
}

bool CExceptionAttacher::Install(const std::string& stateFolder) {
    bool expected = false;
    if (!g_installed.compare_exchange_strong(expected, true)) {
        return false;
    }
    std::string folder = stateFolder.empty() ? DefaultStateFolder() : stateFolder;
    if (folder.back() != '/') {
        folder += '/';
    }
    g_environment.Prepare(folder.c_str());
    CSafeMemory::Prepare();
    PrepareThread();
    for (int signal : kSignals) {
        struct sigaction action {};
        action.sa_sigaction = &CExceptionAttacher::OnSignal;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
    std::set_terminate(&CExceptionAttacher::OnTerminate);
    return true;
}

bool CExceptionAttacher::Claim() {
    const pid_t self = CurrentThreadId();
    pid_t expected = 0;
    if (g_reportingThread.compare_exchange_strong(expected, self)) {
        return true;
    }
    if (expected != self) {
        // Another thread is writing the report: keep this one from ending the
        // process under it.
        for (int i = 0; i < kOtherThreadWaitSeconds * 10; ++i) {
            const timespec tenth{0, 100 * 1000 * 1000};
            nanosleep(&tenth, nullptr);
        }
    }
    return false;
}

void CExceptionAttacher::OnSignal(int signal, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    if (Claim()) {
        FillFromSignal(g_fault, signal, info, context);
        Report(g_fault);
    }
    ContinueWithDefault(signal, info);
    errno = savedErrno;
}

void CExceptionAttacher::OnTerminate() {
    if (Claim()) {
        CFaultInfo& fault = g_fault;
        getcontext(&fault.context);
        // getcontext leaves the selectors out; the report prints them.
        uint64_t cs = 0;
        uint64_t ss = 0;
        asm volatile("mov %%cs, %0\n\tmov %%ss, %1" : "=r"(cs), "=r"(ss));
        fault.context.uc_mcontext.gregs[REG_CSGSFS] = static_cast<greg_t>(cs | ss << 48);
        if (fault.context.uc_mcontext.fpregs != nullptr) {
            fault.fpState = *fault.context.uc_mcontext.fpregs;
            fault.hasFpState = true;
        }
        fault.signal = SIGABRT;
        fault.siCode = SI_TKILL;
        fault.exceptionCode = CExceptionNames::kCppException;
        fault.threadId = CurrentThreadId();
        Report(fault);
    }
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigaction(SIGABRT, &action, nullptr);
    std::abort();
}

void CExceptionAttacher::FillFromSignal(CFaultInfo& fault, int signal, const siginfo_t* info,
                                        const void* context) {
    fault.signal = signal;
    fault.siCode = info != nullptr ? info->si_code : 0;
    fault.threadId = CurrentThreadId();
    const bool fromFault = info != nullptr && info->si_code > 0;
    fault.faultAddress = fromFault ? reinterpret_cast<uint64_t>(info->si_addr) : 0;
    if (context != nullptr) {
        const ucontext_t* uc = static_cast<const ucontext_t*>(context);
        fault.context = *uc;
        if (uc->uc_mcontext.fpregs != nullptr) {
            fault.fpState = *uc->uc_mcontext.fpregs;
            fault.hasFpState = true;
        }
    }
    bool stackOverflow = false;
    if (signal == SIGSEGV && fromFault) {
        fault.access = (fault.Reg(REG_ERR) & kPageFaultWrite) != 0 ? CFaultInfo::ACCESS_WRITE
                                                                   : CFaultInfo::ACCESS_READ;
        const uint64_t sp = fault.StackPointer();
        stackOverflow =
            fault.faultAddress < sp + 4096 && fault.faultAddress + kStackOverflowReach > sp;
    }
    fault.exceptionCode = CExceptionNames::CodeForSignal(signal, fault.siCode, stackOverflow);
}

int CExceptionAttacher::CreateReportFile(const char* name, char* folder, std::size_t folderSize) {
    int fd = OpenIn(g_environment.ProgramFolder(), name);
    if (fd >= 0) {
        SafeCopy(folder, folderSize, g_environment.ProgramFolder());
        return fd;
    }
    MakeFolders(g_environment.StateFolder());
    fd = OpenIn(g_environment.StateFolder(), name);
    if (fd >= 0) {
        SafeCopy(folder, folderSize, g_environment.StateFolder());
    }
    return fd;
}

void CExceptionAttacher::Report(const CFaultInfo& fault) {
    g_maps.Read();
    g_modules.Collect(g_maps);
    static char folder[CCrashEnvironment::kPathMax];
    const int logFd = CreateReportFile(CErrorLogWriter::kFileName, folder, sizeof folder);
    if (logFd < 0) {
        DebugOutput("Error creating exception report\r\n");
        return;
    }
    CErrorLogWriter(fault, g_environment, g_maps, g_modules).Write(logFd);
    close(logFd);

    DebugOutput("writing minidump\r\n");
    const int dumpFd = OpenIn(folder, CMiniDumpWriter::kFileName);
    if (dumpFd >= 0) {
        CMiniDumpWriter(fault, g_environment, g_maps, g_modules).Write(dumpFd);
        close(dumpFd);
    }
    if (!DebuggerAttached()) {
        StartReportProgram(folder);
    }
}

bool CExceptionAttacher::DebuggerAttached() {
    return CProcStatus::Field("TracerPid", 0) != 0;
}

// XCrashReport PROGRAM FOLDER: the crashed program's file name and the folder
// that holds the two files.
void CExceptionAttacher::StartReportProgram(const char* folder) {
    static char path[CCrashEnvironment::kPathMax];
    const std::size_t length = SafeCopy(path, sizeof path, g_environment.ProgramFolder());
    SafeCopy(path + length, sizeof path - length, kReportProgram);
    if (access(path, X_OK) != 0) {
        return;
    }
    // The raw system call: fork() would run the handlers registered with
    // pthread_atfork, which are not safe here.
    const long child = syscall(SYS_fork);
    if (child != 0) {
        return;
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    setsid();
    char* const argv[] = {path, const_cast<char*>(g_environment.ProgramFileName()),
                          const_cast<char*>(folder), nullptr};
    execve(path, argv, environ);
    _exit(127);
}
