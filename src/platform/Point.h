#pragma once

#include <cstdint>

#include "platform/Size.h"

// A position in logical or device units.
class CPoint {
public:
    constexpr CPoint() = default;
    constexpr CPoint(int32_t initX, int32_t initY) : x(initX), y(initY) {}
    constexpr explicit CPoint(CSize size) : x(size.cx), y(size.cy) {}

    constexpr void SetPoint(int32_t newX, int32_t newY) {
        x = newX;
        y = newY;
    }
    constexpr void Offset(int32_t xOffset, int32_t yOffset) {
        x = geometry::WrapAdd(x, xOffset);
        y = geometry::WrapAdd(y, yOffset);
    }
    constexpr void Offset(CPoint point) { Offset(point.x, point.y); }
    constexpr void Offset(CSize size) { Offset(size.cx, size.cy); }

    constexpr bool operator==(const CPoint&) const = default;

    constexpr CPoint& operator+=(CSize size) {
        Offset(size);
        return *this;
    }
    constexpr CPoint& operator-=(CSize size) {
        x = geometry::WrapSub(x, size.cx);
        y = geometry::WrapSub(y, size.cy);
        return *this;
    }
    constexpr CPoint& operator+=(CPoint point) { return *this += CSize(point.x, point.y); }
    constexpr CPoint& operator-=(CPoint point) { return *this -= CSize(point.x, point.y); }

    constexpr CPoint operator+(CSize size) const { return CPoint(*this) += size; }
    constexpr CPoint operator-(CSize size) const { return CPoint(*this) -= size; }
    constexpr CPoint operator+(CPoint point) const { return CPoint(*this) += point; }
    // The displacement from point to this point.
    constexpr CSize operator-(CPoint point) const {
        return CSize(geometry::WrapSub(x, point.x), geometry::WrapSub(y, point.y));
    }
    constexpr CPoint operator-() const { return CPoint() -= CSize(x, y); }

    int32_t x = 0;
    int32_t y = 0;
};

constexpr CPoint operator+(CSize size, CPoint point) {
    return point + size;
}

constexpr CPoint operator-(CSize size, CPoint point) {
    return CPoint(size) -= point;
}
