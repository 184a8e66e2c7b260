#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "crash/CrashChild.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

namespace fs = std::filesystem;

namespace {

// The windowed program itself, copied into a folder of its own with a
// stand-in report program, started with KESTREL_CRASH_TEST on the offscreen
// platform.
TEST(ProgramCrash, KestrelReportsItsOwnFaultAndStartsTheReportProgram) {
    if (!CCrashChild::FaultsCanBeTested()) {
        GTEST_SKIP() << "built with a sanitizer, which keeps its own fault handlers";
    }
    const std::string built = testpaths::ProgramDir() + "/kestrel";
    if (!fs::exists(built)) {
        GTEST_SKIP() << "the windowed program is not built";
    }
    CTempFolder folder("kestrel-program-crash");
    const std::string program = folder.File("kestrel");
    fs::copy_file(built, program);
    const std::string args = folder.File("args.txt");
    CCrashChild(folder.Path().string()).AddReportStandIn(args);

    const std::string home = folder.File("home");
    fs::create_directories(home + "/runtime");
    fs::permissions(home + "/runtime", fs::perms::owner_all);
    const std::vector<std::string> environment = {"HOME=" + home,
                                                  "XDG_RUNTIME_DIR=" + home + "/runtime",
                                                  "QT_QPA_PLATFORM=offscreen",
                                                  "KESTREL_NO_SPLASH=1",
                                                  "KESTREL_CRASH_TEST=segv",
                                                  "PATH=/usr/bin:/bin"};
    std::vector<char*> envp;
    for (const std::string& entry : environment) {
        envp.push_back(const_cast<char*>(entry.c_str()));
    }
    envp.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        execle(program.c_str(), program.c_str(), static_cast<char*>(nullptr), envp.data());
        _exit(126);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), SIGSEGV);

    const std::string report = ReadWholeFile(folder.File("ERRORLOG.TXT"));
    EXPECT_EQ(
        report.rfind("kestrel caused an Access Violation (0xc0000005) \r\nin module kestrel", 0),
        0u)
        << report.substr(0, 200);
    // Our library, with its version information.
    EXPECT_NE(report.find("libvexilla.so.1"), std::string::npos);
    EXPECT_NE(report.find("   FileDesc:   Vexilla controls library\r\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(folder.File("CRASH.DMP")));
    ASSERT_TRUE(WaitForFile(args, 5000));
    EXPECT_EQ(ReadWholeFile(args),
              folder.File("XCrashReport") + "|kestrel|" + folder.Path().string() + "/\n");
}

}  // namespace
