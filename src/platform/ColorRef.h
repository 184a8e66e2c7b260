#pragma once

#include <cstdint>

// A colour as stored in documents and pens: 0x00BBGGRR, red in the low byte.
using COLORREF = uint32_t;

constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
           (static_cast<COLORREF>(b) << 16);
}

constexpr uint8_t GetRValue(COLORREF color) {
    return static_cast<uint8_t>(color);
}
constexpr uint8_t GetGValue(COLORREF color) {
    return static_cast<uint8_t>(color >> 8);
}
constexpr uint8_t GetBValue(COLORREF color) {
    return static_cast<uint8_t>(color >> 16);
}
