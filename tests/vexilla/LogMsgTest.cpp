#include "support/TempFolder.h"
#include "vexilla/LogMsg.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Time stamp "MM/DD/YY HH:MM:SS.mmm", the milliseconds left-justified in 3.
const std::string kStamp = R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d\.(\d{3}|\d\d |\d  ))";

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class LogMsgTest : public testing::Test {
protected:
    void TearDown() override { CLogMsg::CloseLogFile(); }

    std::string PathOf(const std::string& name) const { return m_folder.File(name); }

    CLogMsg m_log;  // resets the shared members for each test
    CTempFolder m_folder{"kestrel-logmsg"};
};

TEST_F(LogMsgTest, WritesNothingWithoutAnOpenFile) {
    CLogMsg::Log("CConfDoc::Serialize", "Serializing..");
    CLogMsg::SetLogHeader("header\n");
    EXPECT_EQ(CLogMsg::m_hFileHandle, -1);
    EXPECT_EQ(CLogMsg::m_szHeader, nullptr);
    EXPECT_TRUE(fs::is_empty(m_folder.Path()));

    const std::string path = PathOf("app.log");
    CLogMsg::SetLogName(path.c_str());
    CLogMsg::CloseLogFile();
    CLogMsg::Log("f", "after close");
    EXPECT_EQ(ReadText(path), "");
}

TEST_F(LogMsgTest, SecondNameKeepsTheFirstFileAndOpenTruncates) {
    const std::string first = PathOf("first.log");
    const std::string second = PathOf("second.log");
    std::ofstream(first) << "left over from an earlier run\n";

    CLogMsg::SetLogName(first.c_str());
    CLogMsg::SetLogName(second.c_str());
    CLogMsg::Log("f", "one");

    EXPECT_STREQ(CLogMsg::m_szFileName, first.c_str());
    EXPECT_FALSE(fs::exists(second));
    const std::vector<std::string> lines = SplitLines(ReadText(first));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].ends_with("] one"));
}

TEST_F(LogMsgTest, LineFormat) {
    const std::string path = PathOf("app.log");
    CLogMsg::SetLogName(path.c_str());
    CLogMsg::SetLogHeader("KESTREL log");
    CLogMsg::Log("CConfDoc::Serialize", "Serialized %d objects", 12);
    CLogMsg::Log("", "no function");
    CLogMsg::Log("CAVeryLongQualifiedName::WithAMemberFunction", "x");

    const std::string text = ReadText(path);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    ASSERT_TRUE(text.starts_with("KESTREL log"));  // the header has no line end of its own
    const std::vector<std::string> lines = SplitLines(text.substr(11));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(std::regex_match(
        lines[0],
        std::regex("^" + kStamp + R"(  \[CConfDoc::Serialize {16}\] Serialized 12 objects$)")))
        << lines[0];
    EXPECT_TRUE(std::regex_match(lines[1], std::regex("^" + kStamp + "  no function$")))
        << lines[1];
    EXPECT_TRUE(std::regex_match(
        lines[2],
        std::regex("^" + kStamp + R"(  \[CAVeryLongQualifiedName::WithAMemberFunction\] x$)")))
        << lines[2];
}

TEST_F(LogMsgTest, RotatesAFullFileUnderNumberedNames) {
    const std::string path = PathOf("app.log");
    std::ofstream(PathOf("app._1.log")) << "stale";
    CLogMsg::m_lSize = 1;
    CLogMsg::SetLogName(path.c_str());
    CLogMsg::SetLogHeader("HEADER\n");
    int count = 0;
    while (fs::file_size(path) < 1000) {
        CLogMsg::Log("Fill", "line %d", count++);
    }
    const std::string full = ReadText(path);
    CLogMsg::Log("Fill", "first of the fresh file");

    EXPECT_EQ(ReadText(PathOf("app._1.log")), full);
    const std::string fresh = ReadText(path);
    ASSERT_TRUE(fresh.starts_with("HEADER\n"));
    const std::vector<std::string> lines = SplitLines(fresh.substr(7));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].ends_with("] first of the fresh file"));

    while (fs::file_size(path) < 1000) {
        CLogMsg::Log("Fill", "line %d", count++);
    }
    CLogMsg::Log("Fill", "second rotation");
    EXPECT_TRUE(fs::exists(PathOf("app._2.log")));
    EXPECT_EQ(CLogMsg::m_iNextFile, 3u);
}

TEST_F(LogMsgTest, RotatedNameUsesTheDotOfTheFileNameOnly) {
    fs::create_directory(m_folder.Path() / "run.d");
    for (const std::string name : {"run.d/plain", "run.d/app.trace.log"}) {
        const std::string path = PathOf(name);
        CLogMsg log;
        CLogMsg::m_lSize = 0;  // every line rotates
        CLogMsg::SetLogName(path.c_str());
        CLogMsg::Log("f", "one");
        CLogMsg::Log("f", "two");
    }
    EXPECT_TRUE(fs::exists(PathOf("run.d/plain._1.log")));
    EXPECT_TRUE(fs::exists(PathOf("run.d/app.trace._1.log")));
    EXPECT_FALSE(fs::exists(PathOf("run._1.log")));
}

TEST_F(LogMsgTest, OverlongTextIsCut) {
    const std::string path = PathOf("app.log");
    CLogMsg::SetLogName(path.c_str());
    const std::string longText(1000, 'm');
    CLogMsg::Log(longText.c_str(), "%s", longText.c_str());
    CLogMsg::Log("f", "%s", longText.c_str());

    const std::string text = ReadText(path);
    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(text.size(), 2u * CLogMsg::kMaxLine);  // each line feed included
    for (const std::string& line : lines) {
        EXPECT_EQ(line.size(), CLogMsg::kMaxLine - 1u);
        EXPECT_EQ(line.back(), 'm');
    }

    CLogMsg::CloseLogFile();
    const std::string longPath = PathOf("missing/") + std::string(400, 'p');
    CLogMsg::SetLogName(longPath.c_str());
    EXPECT_EQ(std::string(CLogMsg::m_szFileName), longPath.substr(0, CLogMsg::kMaxPath - 1));
    EXPECT_EQ(CLogMsg::m_hFileHandle, -1);  // no such directory: the log stays silent
    CLogMsg::Log("f", "nowhere");
}

TEST_F(LogMsgTest, ConcurrentCallsWriteWholeLines) {
    const std::string path = PathOf("app.log");
    CLogMsg::m_lSize = 20;  // rotates while the threads write
    CLogMsg::SetLogName(path.c_str());
    CLogMsg::SetLogHeader("HEADER\n");
    constexpr int kThreads = 6;
    constexpr int kLines = 300;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < kLines; ++i) {
                CLogMsg::Log("Worker::Run", "thread %d line %03d %s", t, i, "payload payload");
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    CLogMsg::CloseLogFile();

    const std::regex whole("^" + kStamp +
                           R"(  \[Worker::Run {24}\] thread \d line \d{3} payload payload$)");
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_folder.Path())) {
        const std::string text = ReadText(entry.path());
        ASSERT_TRUE(text.starts_with("HEADER\n")) << entry.path();
        for (const std::string& line : SplitLines(text.substr(7))) {
            EXPECT_TRUE(std::regex_match(line, whole)) << line;
            ++count;
        }
    }
    EXPECT_EQ(count, kThreads * kLines);
    EXPECT_GT(CLogMsg::m_iNextFile, 2u);
}

}  // namespace
