#pragma once

#include <sys/types.h>
#include <ucontext.h>

#include <cstdint>

// What the handler knows about one fault: the signal and its code, the
// faulting address, the exception it stands for and the machine state of the
// faulting thread (copied out of the signal frame, or taken by getcontext for
// an uncaught exception).
struct CFaultInfo {
    enum Access { ACCESS_UNKNOWN, ACCESS_READ, ACCESS_WRITE };

    int signal = 0;
    int siCode = 0;
    uint64_t faultAddress = 0;
    Access access = ACCESS_UNKNOWN;
    uint32_t exceptionCode = 0;
    pid_t threadId = 0;
    ucontext_t context{};
    // The floating-point state the context points to, copied with it.
    struct _libc_fpstate fpState {};
    bool hasFpState = false;

    uint64_t Reg(int index) const {
        return static_cast<uint64_t>(context.uc_mcontext.gregs[index]);
    }
    uint64_t InstructionPointer() const { return Reg(REG_RIP); }
    uint64_t StackPointer() const { return Reg(REG_RSP); }
    uint16_t CodeSelector() const { return static_cast<uint16_t>(Reg(REG_CSGSFS) & 0xFFFF); }
    // The kernel keeps the stack selector in the top 16 bits of the same slot.
    uint16_t StackSelector() const { return static_cast<uint16_t>(Reg(REG_CSGSFS) >> 48); }
};
