#pragma once

#include <cstdint>

// The exception a fault stands for: the code (in the numbering of structured
// exceptions, which the report prints) and its name, from a signal and its
// si_code. The table is in ExceptionNames.cpp.
class CExceptionNames {
public:
    // The code an uncaught C++ exception reports.
    static constexpr uint32_t kCppException = 0xE06D7363;
    static constexpr uint32_t kAccessViolation = 0xC0000005;
    static constexpr uint32_t kStackOverflow = 0xC00000FD;

    // The code for a signal; stackOverflow when a SIGSEGV hit the stack's guard.
    static uint32_t CodeForSignal(int signal, int siCode, bool stackOverflow);
    // "an Access Violation", ..., or "an Unknown exception type".
    static const char* Name(uint32_t code);
};
