#include "app/crash/SafeMemory.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>

namespace {

int g_memFd = -1;
bool g_vmReadRefused = false;

// One attempt of at most one page's worth, so that a read that crosses into
// an unreadable page still returns what came before it.
ssize_t ReadOnce(uint64_t address, void* dest, std::size_t length) {
    if (!g_vmReadRefused) {
        iovec local{dest, length};
        iovec remote{reinterpret_cast<void*>(address), length};
        const ssize_t count = process_vm_readv(getpid(), &local, 1, &remote, 1, 0);
        if (count >= 0 || errno == EFAULT) {
            return count;
        }
        g_vmReadRefused = true;  // a sandbox without the call
    }
    if (g_memFd < 0) {
        return -1;
    }
    return pread(g_memFd, dest, length, static_cast<off_t>(address));
}

}  // namespace

void CSafeMemory::Prepare() {
    if (g_memFd < 0) {
        g_memFd = open("/proc/self/mem", O_RDONLY | O_CLOEXEC);
    }
}

std::size_t CSafeMemory::Read(uint64_t address, void* dest, std::size_t length) {
    constexpr uint64_t kPage = 4096;
    std::size_t done = 0;
    while (done < length) {
        const uint64_t here = address + done;
        std::size_t chunk = static_cast<std::size_t>(kPage - here % kPage);
        if (chunk > length - done) {
            chunk = length - done;
        }
        const ssize_t count = ReadOnce(here, static_cast<char*>(dest) + done, chunk);
        if (count <= 0) {
            break;
        }
        done += static_cast<std::size_t>(count);
    }
    return done;
}
