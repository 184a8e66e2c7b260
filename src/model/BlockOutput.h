#pragma once

#include <cstdint>

// One output of a block: its address (1..178 or 225..240), the generated name and
// the user's tag, both NUL-terminated in fixed fields as stored in documents.
struct BlockOutput {
    int32_t address = 0;
    char name[20] = {};
    char userTag[20] = {};
};
