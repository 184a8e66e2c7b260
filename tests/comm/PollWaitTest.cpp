#include <gtest/gtest.h>

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "comm/PollWait.h"

namespace {

class PollWaitTest : public testing::Test {
protected:
    PollWaitTest() { EXPECT_EQ(::pipe(m_fds), 0); }
    ~PollWaitTest() override {
        for (int fd : m_fds) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    int m_fds[2] = {-1, -1};
};

TEST_F(PollWaitTest, ReadyDataAndAPassedDeadline) {
    EXPECT_EQ(pollwait::WaitFor(m_fds[0], POLLIN, pollwait::After(0)), 0);
    ASSERT_EQ(::write(m_fds[1], "x", 1), 1);
    EXPECT_EQ(pollwait::WaitFor(m_fds[0], POLLIN, pollwait::After(1000)), 1);
    EXPECT_EQ(pollwait::RemainingMs(pollwait::After(-5)), 0);
}

// A hang-up is not a wait's failure: the read that follows tells what happened
// (here the end of the data), as it does for a reset connection or a lost device.
TEST_F(PollWaitTest, AHangUpIsLeftToTheFollowingRead) {
    ::close(m_fds[1]);
    m_fds[1] = -1;
    EXPECT_EQ(pollwait::WaitFor(m_fds[0], POLLIN, pollwait::After(1000)), 1);
    char byte = 0;
    EXPECT_EQ(::read(m_fds[0], &byte, 1), 0);
}

TEST_F(PollWaitTest, ADescriptorThatIsNotOpenFails) {
    const int closed = m_fds[0];
    ::close(closed);
    m_fds[0] = -1;
    errno = 0;
    EXPECT_EQ(pollwait::WaitFor(closed, POLLIN, pollwait::After(1000)), -1);
    EXPECT_EQ(errno, EBADF);
}

}  // namespace
