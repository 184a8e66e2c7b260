#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "crash/CrashChild.h"
#include "crash/MiniDumpReader.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

struct FaultCase {
    const char* kind;
    int signal;
    const char* name;
    uint32_t code;
    const char* module;  // the module of the faulting instruction
    const char* frame;   // a function the backtrace must name
};

const FaultCase kCases[] = {
    {"segv", SIGSEGV, "an Access Violation", 0xC0000005, "crash-helper", "CrashTestReadNull"},
    {"segv-write", SIGSEGV, "an Access Violation", 0xC0000005, "crash-helper",
     "CrashTestWriteReadOnly"},
    {"fpe", SIGFPE, "an Integer Divide by Zero", 0xC0000094, "crash-helper",
     "CrashTestDivideByZero"},
    {"abort", SIGABRT, "a Noncontinuable Exception", 0xC0000025, "libc.so.6", "CrashTestAbort"},
    {"throw", SIGABRT, "a Microsoft C++ Exception", 0xE06D7363, "crash-helper", "CrashTestThrow"},
    {"stack", SIGSEGV, "a Stack Overflow", 0xC00000FD, "crash-helper", "CrashTestRecurse"},
};

std::string Hex8(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// A helper in a temporary program folder with a stand-in report program.
class CrashFiles : public ::testing::Test {
protected:
    void SetUp() override {
        if (!CCrashChild::FaultsCanBeTested()) {
            GTEST_SKIP() << "built with a sanitizer, which keeps its own fault handlers";
        }
        m_child = std::make_unique<CCrashChild>(m_folder.Path().string());
        m_child->AddReportStandIn(m_args);
    }

    std::string File(const char* name) const { return m_folder.File(name); }
    std::string StateFolder() const { return m_state.Path().string() + "/"; }

    CTempFolder m_folder{"kestrel-crash"};
    CTempFolder m_state{"kestrel-crash-state"};
    std::string m_args = m_state.File("args.txt");
    std::unique_ptr<CCrashChild> m_child;
};

class EveryFault : public CrashFiles, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(EveryFault, ReportHasTheLayoutAndTheProcessEndsWithTheFault) {
    const FaultCase& c = GetParam();
    const int status = m_child->Run(c.kind, StateFolder());
    ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
    EXPECT_EQ(WTERMSIG(status), c.signal);

    const std::string report = ReadWholeFile(File("ERRORLOG.TXT"));
    ASSERT_FALSE(report.empty());
    // Every line ends in "\r\n": no line feed stands alone.
    EXPECT_EQ(std::regex_search(report, std::regex("[^\\r]\\n")), false);
    const std::string headline = std::string("crash-helper caused ") + c.name + " (0x" +
                                 Hex8(c.code) + ") \r\nin module " + c.module + " at 0033:";
    EXPECT_EQ(report.rfind(headline, 0), 0u) << report.substr(0, 200);
    EXPECT_NE(report.find(".\r\n\r\nException handler called in ExceptionAttacher - "
                          "AfxWinMain.\r\nError occurred at "),
              std::string::npos);
    EXPECT_TRUE(
        std::regex_search(report, std::regex("Operating system:  Linux \\(\\d+\\.\\d+\\.\\d+"
                                             "\\)\\.\r\n\\d+ processor\\(s\\), type 8664")));
    EXPECT_NE(report.find("\r\nContext:\r\nRDI:    0x"), std::string::npos);
    EXPECT_TRUE(std::regex_search(
        report,
        std::regex("EFlags: 0x[0-9a-f]{16}  RSP: 0x[0-9a-f]{16}  SegSs: 0x[0-9a-f]{16}\r\n")));
    // The overflowing stack pointer points into the guard page: nothing to show.
    const char* stackStart = c.code == 0xC00000FD ? "Exception encountered during stack dump\\.\r\n"
                                                  : "0x[0-9a-f]{16}: ";
    EXPECT_TRUE(std::regex_search(report, std::regex(std::string("\r\nBytes at CS:RIP:\r\n"
                                                                 "([0-9a-f]{2} ){16}\r\n\r\n"
                                                                 "Stack:\r\n") +
                                                     stackStart)));
    const std::string end = "\r\n===== [end of ERRORLOG.TXT] =====\r\n";
    ASSERT_GE(report.size(), end.size());
    EXPECT_EQ(report.substr(report.size() - end.size()), end);
    EXPECT_TRUE(fs::exists(File("CRASH.DMP")));
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryFault, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name = info.param.kind;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

TEST_F(CrashFiles, AccessViolationSaysReadOrWriteAndWhere) {
    m_child->Run("segv", StateFolder());
    EXPECT_NE(ReadWholeFile(File("ERRORLOG.TXT"))
                  .find("\r\nRead from location 0000000000000000 caused an access violation.\r\n"),
              std::string::npos);
    m_child->Run("segv-write", StateFolder());
    EXPECT_TRUE(std::regex_search(ReadWholeFile(File("ERRORLOG.TXT")),
                                  std::regex("\r\nWrite to location [0-9a-f]{13}000 caused an "
                                             "access violation\\.\r\n")));
}

TEST_F(CrashFiles, UnreadableInstructionGivesQuestionMarksAndNoModule) {
    m_child->Run("call-null", StateFolder());
    const std::string report = ReadWholeFile(File("ERRORLOG.TXT"));
    EXPECT_EQ(report.rfind("crash-helper caused an Access Violation (0xc0000005) \r\nin module "
                           "Unknown at 0033:0000000000000000.\r\n",
                           0),
              0u)
        << report.substr(0, 200);
    std::string unreadable;
    for (int i = 0; i < 16; ++i) {
        unreadable += "?? ";
    }
    EXPECT_NE(report.find("\r\nBytes at CS:RIP:\r\n" + unreadable + "\r\n"), std::string::npos);
    // The stack is still there: the call pushed its return address.
    EXPECT_NE(report.find("\r\n\r\nStack:\r\n0x"), std::string::npos);
}

TEST_F(CrashFiles, StackLinesHaveFourWordsAndTheirCharacters) {
    m_child->Run("segv", StateFolder());
    const std::vector<std::string> lines = SplitCrLf(ReadWholeFile(File("ERRORLOG.TXT")));
    const auto stack = std::find(lines.begin(), lines.end(), "Stack:");
    ASSERT_NE(stack, lines.end());
    int words = 0;
    const std::regex full("0x[0-9a-f]{16}: ([0-9a-f]{8} ){4}[\\s\\S]{16}");
    auto line = stack + 1;
    for (; line != lines.end() && line->rfind("0x", 0) == 0; ++line) {
        if (std::regex_match(*line, full)) {
            words += 4;
        } else {
            // Only the last line may be short, with nine blanks for each missing word.
            EXPECT_TRUE(line + 1 == lines.end() || (line + 1)->rfind("0x", 0) != 0) << *line;
            EXPECT_TRUE(std::regex_match(
                *line, std::regex("0x[0-9a-f]{16}: (([0-9a-f]{8} ){1}( {9}){3}[\\s\\S]{4}|"
                                  "([0-9a-f]{8} ){2}( {9}){2}[\\s\\S]{8}|"
                                  "([0-9a-f]{8} ){3}( {9}){1}[\\s\\S]{12})")))
                << *line;
        }
    }
    EXPECT_GT(words, 0);
    EXPECT_LE(words, 3072);
}

TEST_F(CrashFiles, ModulesListOurImageWithBuildIdAndVersion) {
    // Under the name of the product's program its version is filled in.
    m_child = std::make_unique<CCrashChild>(m_folder.Path().string(), "kestrel");
    m_child->Run("segv", StateFolder());
    const std::string report = ReadWholeFile(File("ERRORLOG.TXT"));
    const std::string entry = "\r\n" + m_child->Program() + "\r\nImage Base: 0x";
    const std::size_t at = report.find(entry);
    ASSERT_NE(at, std::string::npos);
    const std::string tail = report.substr(at);
    EXPECT_TRUE(std::regex_search(
        tail, std::regex("^\r\n[^\r]+\r\nImage Base: 0x[0-9a-f]{16}  Image Size: 0x[0-9a-f]{8}\r\n"
                         "Checksum:   0x[0-9a-f]{8}  Time Stamp: 0x[0-9a-f]{8}\r\n"
                         "File Size:  \\d+ +  File Time:  \\d+/\\d+/\\d+ \\d\\d:\\d\\d:\\d\\d\r\n"
                         "Version Information:\r\n   Company:    Torv\r\n"
                         "   Product:    KESTREL Plus\r\n")));
    EXPECT_NE(report.find("libc.so.6\r\nImage Base: 0x"), std::string::npos);
    EXPECT_NE(report.find("\r\nModule 1\r\n"), std::string::npos);
}

TEST_F(CrashFiles, ReportProgramGetsItsPathTheProgramAndTheFolder) {
    m_child->Run("segv", StateFolder());
    ASSERT_TRUE(WaitForFile(m_args, 5000));
    EXPECT_EQ(ReadWholeFile(m_args),
              m_folder.File("XCrashReport") + "|crash-helper|" + m_folder.Path().string() + "/\n");
}

TEST_F(CrashFiles, UnwritableProgramFolderSendsTheFilesToTheStateFolder) {
    // A folder where the report should be stops the create as a read-only
    // folder would (and does so for root, too).
    fs::create_directory(File("ERRORLOG.TXT"));
    const std::string state = StateFolder() + "nested/KESTREL Plus/";
    m_child->Run("segv", state);
    EXPECT_NE(ReadWholeFile(state + "ERRORLOG.TXT").find("caused an Access Violation"),
              std::string::npos);
    EXPECT_TRUE(fs::exists(state + "CRASH.DMP"));
    ASSERT_TRUE(WaitForFile(m_args, 5000));
    EXPECT_NE(ReadWholeFile(m_args).find("|crash-helper|" + state + "\n"), std::string::npos);
}

TEST_F(CrashFiles, NowhereToWriteGivesNoReportButStillEnds) {
    fs::create_directory(File("ERRORLOG.TXT"));
    fs::create_directories(StateFolder() + "ERRORLOG.TXT");
    const int status = m_child->Run("fpe", StateFolder());
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGFPE);
    EXPECT_FALSE(fs::exists(File("CRASH.DMP")));
    EXPECT_FALSE(WaitForFile(m_args, 300));
}

TEST_F(CrashFiles, UnderADebuggerBothFilesButNoReportProgram) {
    const int status = m_child->RunTraced("segv", StateFolder());
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGSEGV);
    EXPECT_NE(ReadWholeFile(File("ERRORLOG.TXT")).find("caused an Access Violation"),
              std::string::npos);
    EXPECT_TRUE(fs::exists(File("CRASH.DMP")));
    EXPECT_FALSE(WaitForFile(m_args, 500));
}

TEST_F(CrashFiles, FaultsOfOtherThreadsWriteNothingMore) {
    const int status = m_child->Run("threads", StateFolder());
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGSEGV);
    const std::string report = ReadWholeFile(File("ERRORLOG.TXT"));
    EXPECT_EQ(report.find("caused an Access Violation"),
              report.rfind("caused an Access Violation"));
    EXPECT_EQ(report.find("[end of ERRORLOG.TXT]"), report.rfind("[end of ERRORLOG.TXT]"));
    ASSERT_TRUE(WaitForFile(m_args, 5000));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const std::string args = ReadWholeFile(m_args);
    EXPECT_EQ(std::count(args.begin(), args.end(), '\n'), 1) << args;
}

TEST_F(CrashFiles, NoFaultNoFiles) {
    const int status = m_child->Run("none", StateFolder());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(fs::exists(File("ERRORLOG.TXT")));
}

}  // namespace
