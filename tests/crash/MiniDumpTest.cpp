#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "crash/CrashChild.h"
#include "crash/MiniDumpReader.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
    const std::string text = ReadWholeFile(path);
    return std::vector<uint8_t>(text.begin(), text.end());
}

uint64_t HexAfter(const std::string& text, const std::string& label) {
    const std::size_t at = text.find(label);
    return at == std::string::npos ? 0
                                   : std::stoull(text.substr(at + label.size(), 16), nullptr, 16);
}

// The output of a command, and whether it ended normally with 0.
std::string Capture(const std::string& command, bool& succeeded) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        succeeded = false;
        return output;
    }
    std::array<char, 4096> chunk;
    while (std::size_t count = fread(chunk.data(), 1, chunk.size(), pipe)) {
        output.append(chunk.data(), count);
    }
    const int status = pclose(pipe);
    succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return output;
}

bool HaveLldb() {
    bool found = false;
    Capture("command -v lldb >/dev/null 2>&1", found);
    return found;
}

class MiniDump : public ::testing::Test {
protected:
    void SetUp() override {
        if (!CCrashChild::FaultsCanBeTested()) {
            GTEST_SKIP() << "built with a sanitizer, which keeps its own fault handlers";
        }
        m_child = std::make_unique<CCrashChild>(m_folder.Path().string());
    }

    void Crash(const char* kind) {
        m_child->Run(kind, m_folder.Path().string() + "/state/");
        m_report = ReadWholeFile(m_folder.File("ERRORLOG.TXT"));
        m_dump = std::make_unique<CMiniDumpReader>(ReadBytes(m_folder.File("CRASH.DMP")));
    }

    std::string Backtrace() const {
        bool ran = false;
        const std::string output = Capture(
            "lldb --batch --no-lldbinit -c '" + m_folder.File("CRASH.DMP") + "' -o bt 2>&1", ran);
        return output;
    }

    CTempFolder m_folder{"kestrel-dump"};
    std::unique_ptr<CCrashChild> m_child;
    std::string m_report;
    std::unique_ptr<CMiniDumpReader> m_dump;
};

TEST_F(MiniDump, StreamsReadBackAndAgreeWithTheReport) {
    Crash("segv");
    ASSERT_TRUE(m_dump->Parse()) << m_dump->Error();
    EXPECT_EQ(m_dump->version & 0xFFFF, 0xA793u);
    EXPECT_EQ(m_dump->system.architecture, 9);  // AMD64
    EXPECT_EQ(m_dump->system.platform, 0x8201u);
    EXPECT_GE(m_dump->system.processors, 1);
    EXPECT_FALSE(m_dump->system.description.empty());

    ASSERT_EQ(m_dump->threads.size(), 1u);
    const CMiniDumpReader::Thread& thread = m_dump->threads[0];
    EXPECT_EQ(m_dump->exception.threadId, thread.id);
    EXPECT_EQ(m_dump->exception.code, static_cast<uint32_t>(SIGSEGV));
    EXPECT_EQ(m_dump->exception.flags, static_cast<uint32_t>(SEGV_MAPERR));
    EXPECT_EQ(m_dump->exception.address, 0u);
    // One context, with the registers of the report.
    EXPECT_EQ(m_dump->exception.context.rva, thread.context.rva);
    EXPECT_EQ(m_dump->ContextFlags(thread.context) & 0x00100007u, 0x00100007u);
    const uint64_t rip = m_dump->ContextRip(thread.context);
    const uint64_t rsp = m_dump->ContextRsp(thread.context);
    EXPECT_EQ(rip, HexAfter(m_report, "RIP:    0x"));
    EXPECT_EQ(rsp, HexAfter(m_report, "RSP: 0x"));
    // The stack memory starts at or below the stack pointer and is listed
    // in the memory list too.
    EXPECT_LE(thread.stackStart, rsp);
    EXPECT_GT(thread.stackStart + thread.stack.size, rsp);
    bool stackListed = false;
    bool codeListed = false;
    for (const CMiniDumpReader::Range& range : m_dump->memory) {
        stackListed |= range.start == thread.stackStart && range.memory.rva == thread.stack.rva;
        codeListed |= range.start <= rip && rip < range.start + range.memory.size;
    }
    EXPECT_TRUE(stackListed);
    EXPECT_TRUE(codeListed);
}

TEST_F(MiniDump, ModulesCarryTheirNamesAndBuildIds) {
    Crash("segv");
    ASSERT_TRUE(m_dump->Parse()) << m_dump->Error();
    const CMiniDumpReader::Module* helper = nullptr;
    for (const CMiniDumpReader::Module& module : m_dump->modules) {
        if (module.name == m_child->Program()) {
            helper = &module;
        }
    }
    ASSERT_NE(helper, nullptr);
    EXPECT_EQ(helper->base, HexAfter(m_report, m_child->Program() + "\r\nImage Base: 0x"));
    // "LEpB" and the build id, whose first bytes the report shows as the checksum.
    ASSERT_GT(helper->codeView.size(), 8u);
    EXPECT_EQ(std::string(helper->codeView.begin(), helper->codeView.begin() + 4), "LEpB");
    const std::size_t entry = m_report.find(m_child->Program() + "\r\nImage Base:");
    ASSERT_NE(entry, std::string::npos);
    const uint64_t checksum = HexAfter(m_report.substr(entry), "Checksum:   0x");
    const uint32_t fromDump = static_cast<uint32_t>(helper->codeView[4]) << 24 |
                              static_cast<uint32_t>(helper->codeView[5]) << 16 |
                              static_cast<uint32_t>(helper->codeView[6]) << 8 | helper->codeView[7];
    EXPECT_EQ(static_cast<uint32_t>(checksum), fromDump);
}

TEST(MiniDumpReader, RefusesLocationsOutsideTheFile) {
    std::vector<uint8_t> bytes(44, 0);
    const uint8_t header[] = {'M', 'D', 'M', 'P', 0x93, 0xA7, 0, 0, 1, 0, 0, 0, 32, 0, 0, 0};
    std::copy(std::begin(header), std::end(header), bytes.begin());
    // One stream of type 7 claiming 56 bytes at offset 40 of a 44-byte file.
    const uint8_t entry[] = {7, 0, 0, 0, 56, 0, 0, 0, 40, 0, 0, 0};
    std::copy(std::begin(entry), std::end(entry), bytes.begin() + 32);
    CMiniDumpReader reader(bytes);
    EXPECT_FALSE(reader.Parse());
    EXPECT_EQ(reader.Error(), "a stream lies outside the file");
}

TEST_F(MiniDump, LldbShowsTheFaultingFrame) {
    if (!HaveLldb()) {
        GTEST_SKIP() << "lldb is not installed (make deps installs it)";
    }
    Crash("segv");
    const std::string output = Backtrace();
    EXPECT_NE(output.find("stop reason = signal SIGSEGV"), std::string::npos) << output;
    EXPECT_TRUE(std::regex_search(output, std::regex("frame #0: 0x[0-9a-f]+ crash-helper`[^\n]*"
                                                     "CrashTestReadNull")))
        << output;
    EXPECT_TRUE(std::regex_search(output, std::regex("frame #\\d+: [^\n]*crash-helper`main ")))
        << output;
}

TEST_F(MiniDump, LldbUnwindsAnOverflowedStack) {
    if (!HaveLldb()) {
        GTEST_SKIP() << "lldb is not installed (make deps installs it)";
    }
    // The stack pointer lies in the guard page: the dump holds the stack above it.
    Crash("stack");
    const std::string output = Backtrace();
    EXPECT_TRUE(std::regex_search(output, std::regex("frame #1: [^\n]*CrashTestRecurse")))
        << output;
}

TEST_F(MiniDump, LldbFollowsAnUncaughtExceptionToItsThrow) {
    if (!HaveLldb()) {
        GTEST_SKIP() << "lldb is not installed (make deps installs it)";
    }
    Crash("throw");
    const std::string output = Backtrace();
    EXPECT_NE(output.find("CrashTestThrow"), std::string::npos) << output;
}

}  // namespace
