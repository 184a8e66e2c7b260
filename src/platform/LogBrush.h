#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/ColorRef.h"

class CArchive;

inline constexpr uint32_t BS_SOLID = 0;
inline constexpr uint32_t BS_NULL = 1;
inline constexpr uint32_t BS_HOLLOW = BS_NULL;
inline constexpr uint32_t BS_HATCHED = 2;

inline constexpr uint32_t HS_HORIZONTAL = 0;
inline constexpr uint32_t HS_VERTICAL = 1;
inline constexpr uint32_t HS_FDIAGONAL = 2;
inline constexpr uint32_t HS_BDIAGONAL = 3;
inline constexpr uint32_t HS_CROSS = 4;
inline constexpr uint32_t HS_DIAGCROSS = 5;

// A brush as stored: style, colour and, for BS_HATCHED, the hatch pattern. The
// hatch is four bytes in the stored documents whatever the pointer size.
struct LOGBRUSH {
    uint32_t lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    uint32_t lbHatch = 0;

    bool operator==(const LOGBRUSH&) const = default;
};

inline constexpr std::size_t kLogBrushBytes = 12;

void WriteLogBrush(CArchive& ar, const LOGBRUSH& brush);
LOGBRUSH ReadLogBrush(CArchive& ar);
