#pragma once

#include <chrono>

// Waiting on a descriptor until a deadline, as the transports and the reply
// reader do: poll again after a signal, never a negative time-out.
namespace pollwait {

using Clock = std::chrono::steady_clock;

// Now plus milliseconds (a negative count counts as none).
Clock::time_point After(int milliseconds);

// Milliseconds left until the deadline, 0 once it has passed.
int RemainingMs(Clock::time_point deadline);

// 1 when fd has one of the events before the deadline, or reports an error or a
// hang-up: the read or write that follows then says which, with its own errno
// (a reset connection, a device gone). 0 when the deadline passes first; -1
// when the descriptor is not open (EBADF) or poll itself fails (errno set).
int WaitFor(int fd, short events, Clock::time_point deadline);

}  // namespace pollwait
