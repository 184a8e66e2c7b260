#include "crash/CrashChild.h"

#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string HelperBesideMe() {
    return (fs::read_symlink("/proc/self/exe").parent_path() / "crash-helper").string();
}

}  // namespace

CCrashChild::CCrashChild(const std::string& folder, const std::string& name)
    : m_strFolder(folder), m_strProgram(folder + "/" + name) {
    fs::copy_file(HelperBesideMe(), m_strProgram, fs::copy_options::overwrite_existing);
}

bool CCrashChild::FaultsCanBeTested() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || defined(KESTREL_SANITIZE)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
    return false;
#else
    return true;
#endif
#else
    return true;
#endif
}

int CCrashChild::Run(const std::string& kind, const std::string& stateFolder) const {
    const pid_t child = fork();
    if (child == 0) {
        execl(m_strProgram.c_str(), m_strProgram.c_str(), kind.c_str(), stateFolder.c_str(),
              static_cast<char*>(nullptr));
        _exit(126);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

int CCrashChild::RunTraced(const std::string& kind, const std::string& stateFolder) const {
    const pid_t child = fork();
    if (child == 0) {
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        execl(m_strProgram.c_str(), m_strProgram.c_str(), kind.c_str(), stateFolder.c_str(),
              static_cast<char*>(nullptr));
        _exit(126);
    }
    int status = 0;
    bool execSeen = false;
    while (waitpid(child, &status, 0) == child && WIFSTOPPED(status)) {
        int signal = WSTOPSIG(status);
        if (signal == SIGTRAP && !execSeen) {
            execSeen = true;  // the stop after exec, not a signal to deliver
            signal = 0;
        }
        ptrace(PTRACE_CONT, child, nullptr, reinterpret_cast<void*>(static_cast<long>(signal)));
    }
    return status;
}

void CCrashChild::AddReportStandIn(const std::string& argsFile) const {
    const std::string path = m_strFolder + "/XCrashReport";
    std::ofstream script(path);
    script << "#!/bin/sh\necho \"$0|$1|$2\" >> '" << argsFile << "'\n";
    script.close();
    chmod(path.c_str(), 0755);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool WaitForFile(const std::string& path, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        if (fs::exists(path)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return fs::exists(path);
}
