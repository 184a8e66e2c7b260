#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/ColorRef.h"
#include "platform/Point.h"

class CArchive;

inline constexpr uint32_t PS_SOLID = 0;
inline constexpr uint32_t PS_DASH = 1;
inline constexpr uint32_t PS_DOT = 2;
inline constexpr uint32_t PS_DASHDOT = 3;
inline constexpr uint32_t PS_DASHDOTDOT = 4;
inline constexpr uint32_t PS_NULL = 5;
inline constexpr uint32_t PS_INSIDEFRAME = 6;

// A pen as stored: style, width in lopnWidth.x (lopnWidth.y unused) and colour.
struct LOGPEN {
    uint32_t lopnStyle = PS_SOLID;
    CPoint lopnWidth;
    COLORREF lopnColor = 0;

    bool operator==(const LOGPEN&) const = default;
};

// Stored size: style, width x and y, colour, four bytes each.
inline constexpr std::size_t kLogPenBytes = 16;

void WriteLogPen(CArchive& ar, const LOGPEN& pen);
LOGPEN ReadLogPen(CArchive& ar);
