#pragma once

#include <cstdint>

#include "platform/Point.h"
#include "platform/Size.h"

// A rectangle kept exactly as given: right may lie left of left and bottom above
// top. Width and height are then negative, the rectangle counts as empty and
// contains no point; NormalizeRect puts the corners in order. The right and
// bottom edges are outside the rectangle.
class CRect {
public:
    constexpr CRect() = default;
    constexpr CRect(int32_t l, int32_t t, int32_t r, int32_t b)
        : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(CPoint topLeft, CSize size) : CRect(topLeft, topLeft + size) {}
    constexpr CRect(CPoint topLeft, CPoint bottomRight)
        : CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y) {}

    constexpr int32_t Width() const { return geometry::WrapSub(right, left); }
    constexpr int32_t Height() const { return geometry::WrapSub(bottom, top); }
    constexpr CSize Size() const { return CSize(Width(), Height()); }
    constexpr CPoint TopLeft() const { return CPoint(left, top); }
    constexpr CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const;

    constexpr bool IsRectEmpty() const { return Width() <= 0 || Height() <= 0; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(CPoint point) const {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    constexpr bool EqualRect(const CRect& rect) const { return *this == rect; }
    constexpr bool operator==(const CRect&) const = default;

    constexpr void SetRect(int32_t l, int32_t t, int32_t r, int32_t b) {
        *this = CRect(l, t, r, b);
    }
    constexpr void SetRect(CPoint topLeft, CPoint bottomRight) {
        *this = CRect(topLeft, bottomRight);
    }
    constexpr void SetRectEmpty() { *this = CRect(); }
    void NormalizeRect();

    // Moves left and top outwards by l and t, right and bottom by r and b.
    void InflateRect(int32_t l, int32_t t, int32_t r, int32_t b);
    void InflateRect(int32_t x, int32_t y) { InflateRect(x, y, x, y); }
    void InflateRect(CSize size) { InflateRect(size.cx, size.cy); }
    void DeflateRect(int32_t l, int32_t t, int32_t r, int32_t b);
    void DeflateRect(int32_t x, int32_t y) { DeflateRect(x, y, x, y); }
    void DeflateRect(CSize size) { DeflateRect(size.cx, size.cy); }
    void OffsetRect(int32_t x, int32_t y);
    void OffsetRect(CPoint point) { OffsetRect(point.x, point.y); }
    void OffsetRect(CSize size) { OffsetRect(size.cx, size.cy); }

    // The common part of a and b; false and the null rectangle when a or b is
    // empty or they do not overlap.
    bool IntersectRect(const CRect& a, const CRect& b);
    // The smallest rectangle holding a and b, ignoring an empty one; false and the
    // null rectangle when both are empty.
    bool UnionRect(const CRect& a, const CRect& b);

    CRect& operator+=(CPoint point);
    CRect& operator+=(CSize size);
    CRect& operator-=(CPoint point);
    CRect& operator-=(CSize size);
    CRect& operator&=(const CRect& rect);
    CRect& operator|=(const CRect& rect);
    CRect operator+(CPoint point) const { return CRect(*this) += point; }
    CRect operator+(CSize size) const { return CRect(*this) += size; }
    CRect operator-(CPoint point) const { return CRect(*this) -= point; }
    CRect operator-(CSize size) const { return CRect(*this) -= size; }
    CRect operator&(const CRect& rect) const { return CRect(*this) &= rect; }
    CRect operator|(const CRect& rect) const { return CRect(*this) |= rect; }

    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};
