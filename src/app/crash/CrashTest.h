#pragma once

// The support switch KESTREL_CRASH_TEST: makes the program fault on purpose,
// so that users and tests can see the whole crash path. Kinds: "segv" (a read
// through a null pointer), "segv-write" (a write to a read-only page),
// "call-null" (a call through a null function pointer), "fpe"
// (an integer divide by zero), "abort", "throw" (an uncaught exception),
// "stack" (unbounded recursion).
class CCrashTest {
public:
    static constexpr const char* kVariable = "KESTREL_CRASH_TEST";

    // Faults as the variable says; returns (false) when it is unset or names
    // no kind.
    static bool RunFromEnvironment();
    // Faults the named way; false for an unknown kind.
    static bool Run(const char* kind);
};
