#include "app/crash/CrashTest.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

// Each way of faulting is a function of its own that the optimiser keeps, so
// that the report and the dump's backtrace name it.
namespace {

[[gnu::noinline]] int CrashTestReadNull() {
    volatile int* pointer = nullptr;
    return *pointer;
}

[[gnu::noinline]] void CrashTestWriteReadOnly() {
    void* page = mmap(nullptr, 4096, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    *static_cast<volatile int*>(page) = 1;
}

// A call through a null function pointer: the instruction address itself is
// unmapped.
void (*volatile g_nullFunction)() = nullptr;

[[gnu::noinline]] void CrashTestCallNull() {
    g_nullFunction();
}

[[gnu::noinline]] int CrashTestDivideByZero() {
    volatile int zero = 0;
    volatile int value = 42;
    return value / zero;
}

[[gnu::noinline]] void CrashTestAbort() {
    std::abort();
}

[[gnu::noinline]] void CrashTestThrow() {
    throw std::runtime_error("KESTREL_CRASH_TEST=throw");
}

// Deeper than any stack; read through a volatile so the recursion stays.
volatile long g_recursionLimit = 1L << 40;

[[gnu::noinline]] long CrashTestRecurse(long depth) {
    volatile char frame[256];
    frame[0] = static_cast<char>(depth);
    if (depth >= g_recursionLimit) {
        return frame[0];
    }
    return CrashTestRecurse(depth + 1) + frame[0];
}

}  // namespace

bool CCrashTest::RunFromEnvironment() {
    const char* kind = std::getenv(kVariable);
    return kind != nullptr && *kind != '\0' && Run(kind);
}

bool CCrashTest::Run(const char* kind) {
    if (std::strcmp(kind, "segv") == 0) {
        return CrashTestReadNull() != 0;
    }
    if (std::strcmp(kind, "segv-write") == 0) {
        CrashTestWriteReadOnly();
    } else if (std::strcmp(kind, "call-null") == 0) {
        CrashTestCallNull();
    } else if (std::strcmp(kind, "fpe") == 0) {
        return CrashTestDivideByZero() != 0;
    } else if (std::strcmp(kind, "abort") == 0) {
        CrashTestAbort();
    } else if (std::strcmp(kind, "throw") == 0) {
        CrashTestThrow();
    } else if (std::strcmp(kind, "stack") == 0) {
        return CrashTestRecurse(0) != 0;
    } else {
        return false;
    }
    return true;
}
