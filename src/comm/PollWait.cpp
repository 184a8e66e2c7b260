#include "comm/PollWait.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

namespace pollwait {

Clock::time_point After(int milliseconds) {
    return Clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
}

int RemainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

int WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, RemainingMs(deadline));
        if (ready > 0) {
            if ((entry.revents & POLLNVAL) != 0) {
                errno = EBADF;
                return -1;
            }
            return 1;
        }
        if (ready == 0) {
            return 0;
        }
        if (errno != EINTR) {
            return -1;
        }
    }
}

}  // namespace pollwait
