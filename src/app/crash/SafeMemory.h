#pragma once

#include <cstddef>
#include <cstdint>

// Reads of the process's own memory that cannot fault: the kernel copies the
// bytes (process_vm_readv, or /proc/self/mem when that call is refused), so an
// unmapped or unreadable address gives a short count, not a second signal.
class CSafeMemory {
public:
    // Opens /proc/self/mem ahead of time, outside the fault handler.
    static void Prepare();
    // Bytes copied from address into dest (0..length); stops at the first
    // unreadable page.
    static std::size_t Read(uint64_t address, void* dest, std::size_t length);
    static bool ReadExact(uint64_t address, void* dest, std::size_t length) {
        return Read(address, dest, length) == length;
    }
};
