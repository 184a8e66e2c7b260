#include "app/crash/ExceptionNames.h"

#include <csignal>

// How the faults of Linux map onto the exceptions the report names:
//
//   signal   si_code                      code        name
//   SIGSEGV  (near the stack pointer,     0xC00000FD  "a Stack Overflow"
//             on the alternate stack)
//   SIGSEGV  any other                    0xC0000005  "an Access Violation"
//   SIGBUS   BUS_ADRALN                   0x80000002  "a Datatype Misalignment"
//   SIGBUS   BUS_ADRERR, BUS_OBJERR, ...  0xC0000006  "an In Page Error"
//   SIGILL   ILL_PRVOPC, ILL_PRVREG       0xC0000096  "a Privileged Instruction"
//   SIGILL   any other                    0xC000001D  "an Illegal Instruction"
//   SIGFPE   FPE_INTDIV                   0xC0000094  "an Integer Divide by Zero"
//   SIGFPE   FPE_INTOVF                   0xC0000095  "an Integer Overflow"
//   SIGFPE   FPE_FLTDIV                   0xC000008E  "a Float Divide by Zero"
//   SIGFPE   FPE_FLTOVF                   0xC0000091  "a Float Overflow"
//   SIGFPE   FPE_FLTUND                   0xC0000093  "a Float Underflow"
//   SIGFPE   FPE_FLTRES                   0xC000008F  "a Float Inexact Result"
//   SIGFPE   FPE_FLTINV, any other        0xC0000090  "a Float Invalid Operation"
//   SIGFPE   FPE_FLTSUB                   0xC000008C  "a Array Bounds Exceeded"
//   SIGTRAP  any                          0x80000003  "a Breakpoint"
//   SIGINT   any                          0x40010005  "a Control-C"
//   SIGABRT  any (abort(), assert)        0xC0000025  "a Noncontinuable Exception"
//   std::terminate (uncaught exception)   0xE06D7363  "a Microsoft C++ Exception"
//   anything else                         the signal  "an Unknown exception type"
//
// abort() has no exception of its own; it ends the process without a way
// back, which is what a noncontinuable exception says.

namespace {

struct NamedCode {
    uint32_t code;
    const char* name;
};

const NamedCode kNames[] = {
    {0x40010005, "a Control-C"},
    {0x40010008, "a Control-Break"},
    {0x80000002, "a Datatype Misalignment"},
    {0x80000003, "a Breakpoint"},
    {0xC0000005, "an Access Violation"},
    {0xC0000006, "an In Page Error"},
    {0xC0000017, "a No Memory"},
    {0xC000001D, "an Illegal Instruction"},
    {0xC0000025, "a Noncontinuable Exception"},
    {0xC0000026, "an Invalid Disposition"},
    {0xC000008C, "a Array Bounds Exceeded"},
    {0xC000008D, "a Float Denormal Operand"},
    {0xC000008E, "a Float Divide by Zero"},
    {0xC000008F, "a Float Inexact Result"},
    {0xC0000090, "a Float Invalid Operation"},
    {0xC0000091, "a Float Overflow"},
    {0xC0000092, "a Float Stack Check"},
    {0xC0000093, "a Float Underflow"},
    {0xC0000094, "an Integer Divide by Zero"},
    {0xC0000095, "an Integer Overflow"},
    {0xC0000096, "a Privileged Instruction"},
    {0xC00000FD, "a Stack Overflow"},
    {0xC0000142, "a DLL Initialization Failed"},
    {0xE06D7363, "a Microsoft C++ Exception"},
};

uint32_t CodeForFpe(int siCode) {
    switch (siCode) {
        case FPE_INTDIV:
            return 0xC0000094;
        case FPE_INTOVF:
            return 0xC0000095;
        case FPE_FLTDIV:
            return 0xC000008E;
        case FPE_FLTOVF:
            return 0xC0000091;
        case FPE_FLTUND:
            return 0xC0000093;
        case FPE_FLTRES:
            return 0xC000008F;
        case FPE_FLTSUB:
            return 0xC000008C;
        default:
            return 0xC0000090;
    }
}

}  // namespace

uint32_t CExceptionNames::CodeForSignal(int signal, int siCode, bool stackOverflow) {
    switch (signal) {
        case SIGSEGV:
            return stackOverflow ? kStackOverflow : kAccessViolation;
        case SIGBUS:
            return siCode == BUS_ADRALN ? 0x80000002 : 0xC0000006;
        case SIGILL:
            return siCode == ILL_PRVOPC || siCode == ILL_PRVREG ? 0xC0000096 : 0xC000001D;
        case SIGFPE:
            return CodeForFpe(siCode);
        case SIGTRAP:
            return 0x80000003;
        case SIGINT:
            return 0x40010005;
        case SIGABRT:
            return 0xC0000025;
        default:
            return static_cast<uint32_t>(signal);
    }
}

const char* CExceptionNames::Name(uint32_t code) {
    for (const NamedCode& entry : kNames) {
        if (entry.code == code) {
            return entry.name;
        }
    }
    return "an Unknown exception type";
}
