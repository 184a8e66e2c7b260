#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/FileIo.h"
#include "support/TempFolder.h"

namespace {

class FileIoTest : public testing::Test {
protected:
    std::set<std::string> Names() const { return m_folder.Names(); }
    std::string Path(const std::string& name) const { return m_folder.File(name); }
    void Touch(const std::string& name) const { std::fclose(std::fopen(Path(name).c_str(), "w")); }

    // The id of a process that has ended.
    static pid_t EndedProcess() {
        const pid_t child = ::fork();
        if (child == 0) {
            ::_exit(0);
        }
        ::waitpid(child, nullptr, 0);
        return child;
    }

    static std::string Host() {
        char name[256] = {};
        ::gethostname(name, sizeof name - 1);
        std::string host(name);
        for (char& c : host) {
            c = (c == '/' || c == '-') ? '_' : c;
        }
        return host;
    }

    CTempFolder m_folder{"kestrel-fileio"};
};

TEST_F(FileIoTest, AWriteLeavesOnlyTheTarget) {
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(Path("PLANT.vxp"), {1, 2, 3}, error)) << error;
    EXPECT_EQ(Names(), std::set<std::string>{"PLANT.vxp"});
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(Path("PLANT.vxp"), 100, bytes, error));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3}));
}

// A save killed half-way leaves its temporary file; the next save of the same
// file removes it, but never one that a live process is still writing, one of
// another host (a shared folder) or one of another file.
TEST_F(FileIoTest, TheNextWriteClearsTemporariesOfEndedWriters) {
    const std::string prefix = "PLANT.vxp.saving-" + Host() + "-";
    const std::string killed = prefix + std::to_string(EndedProcess()) + "-Ab3dEf";
    const std::string writing = prefix + std::to_string(::getppid()) + "-Zz9yXw";
    const std::string elsewhere =
        "PLANT.vxp.saving-otherhost-" + std::to_string(EndedProcess()) + "-Qq1wEe";
    const std::string otherFile =
        "LOOP_G.vxp.saving-" + Host() + "-" + std::to_string(EndedProcess()) + "-Rr2tYy";
    const std::string unrelated = "PLANT.vxp.notes";
    for (const std::string& name : {killed, writing, elsewhere, otherFile, unrelated}) {
        Touch(name);
    }
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(Path("PLANT.vxp"), {7}, error)) << error;
    EXPECT_EQ(Names(),
              (std::set<std::string>{"PLANT.vxp", writing, elsewhere, otherFile, unrelated}));
}

TEST_F(FileIoTest, AFailedWriteRemovesItsTemporaryAndKeepsTheOldFile) {
    std::string error;
    const std::string path = Path("PLANT.vxp");
    ASSERT_TRUE(WriteFileAtomically(path, {1, 2, 3}, error));
    SetWriteFailureForTesting(1);
    EXPECT_FALSE(WriteFileAtomically(path, {4, 5, 6, 7}, error));
    SetWriteFailureForTesting(std::nullopt);
    EXPECT_NE(error.find("Cannot write"), std::string::npos);
    EXPECT_EQ(Names(), std::set<std::string>{"PLANT.vxp"});
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(path, 100, bytes, error));
    EXPECT_EQ(bytes.size(), 3u);
}

}  // namespace
