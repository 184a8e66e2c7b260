#pragma once

#include <cstdint>
#include <vector>

#include "support/ByteWriter.h"

// The part every stored drawing object begins with, for a rectangle (0, 0, 20,
// 10): the pen flag and an inside-frame black pen, the brush flag and the grey
// solid brush, the background mode (left out when 0, as schema 1 has none),
// the loop and the number of transformations.
inline std::vector<uint8_t> DrawingCommonPart(int pen, int brush, int32_t bkMode, int32_t loop,
                                              int32_t transformationCount) {
    CByteWriter bytes;
    bytes.I32s({0, 0, 20, 10});
    bytes.U16(static_cast<uint16_t>(pen)).I32s({6, 0, 0, 0});
    bytes.U16(static_cast<uint16_t>(brush)).I32s({0, 0x00C1C1C2, 0});
    if (bkMode != 0) {
        bytes.I32(bkMode);
    }
    bytes.I32(loop).I32(transformationCount);
    return bytes.Get();
}
