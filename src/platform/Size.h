#pragma once

#include <cstdint>

// Coordinate arithmetic wraps around in two's complement, as the stored 32-bit
// coordinates did on the original platform; values read from a damaged file must
// never make an addition undefined.
namespace geometry {

constexpr int32_t WrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

constexpr int32_t WrapSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

}  // namespace geometry

// An extent or a displacement: cx across, cy down.
class CSize {
public:
    constexpr CSize() = default;
    constexpr CSize(int32_t initCX, int32_t initCY) : cx(initCX), cy(initCY) {}

    constexpr void SetSize(int32_t newCX, int32_t newCY) {
        cx = newCX;
        cy = newCY;
    }

    constexpr bool operator==(const CSize&) const = default;

    constexpr CSize& operator+=(CSize size) {
        cx = geometry::WrapAdd(cx, size.cx);
        cy = geometry::WrapAdd(cy, size.cy);
        return *this;
    }
    constexpr CSize& operator-=(CSize size) {
        cx = geometry::WrapSub(cx, size.cx);
        cy = geometry::WrapSub(cy, size.cy);
        return *this;
    }
    constexpr CSize operator+(CSize size) const { return CSize(*this) += size; }
    constexpr CSize operator-(CSize size) const { return CSize(*this) -= size; }
    constexpr CSize operator-() const { return CSize() -= *this; }

    int32_t cx = 0;
    int32_t cy = 0;
};
