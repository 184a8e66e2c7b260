#pragma once

#include <cstddef>

class CArchive;

// A world transform: x' = x * eM11 + y * eM21 + eDx, y' = x * eM12 + y * eM22 + eDy.
// A default-made XFORM is the identity.
struct XFORM {
    float eM11 = 1.0f;
    float eM12 = 0.0f;
    float eM21 = 0.0f;
    float eM22 = 1.0f;
    float eDx = 0.0f;
    float eDy = 0.0f;

    bool operator==(const XFORM&) const = default;
};

// Stored size: six 32-bit IEEE floats.
inline constexpr std::size_t kXFormBytes = 24;

constexpr XFORM IdentityXForm() {
    return XFORM{1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
}

void WriteXForm(CArchive& ar, const XFORM& xform);
XFORM ReadXForm(CArchive& ar);
