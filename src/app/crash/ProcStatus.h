#pragma once

#include <cstdint>

// One number of /proc/self/status ("TracerPid", "VmSize" in kB), read with
// open(2)/read(2) into a fixed buffer so that the fault handler may ask.
class CProcStatus {
public:
    // The value of the field, or fallback when it is missing or unreadable.
    static int64_t Field(const char* name, int64_t fallback);
    // The same, in a listing given as text.
    static int64_t FieldIn(const char* text, const char* name, int64_t fallback);
};
