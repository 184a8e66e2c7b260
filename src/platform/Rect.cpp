#include "platform/Rect.h"

#include <algorithm>
#include <utility>

using geometry::WrapAdd;
using geometry::WrapSub;

CPoint CRect::CenterPoint() const {
    // Summed in 64 bits so that far-out rectangles still give their true centre.
    const auto midX = (static_cast<int64_t>(left) + right) / 2;
    const auto midY = (static_cast<int64_t>(top) + bottom) / 2;
    return CPoint(static_cast<int32_t>(midX), static_cast<int32_t>(midY));
}

void CRect::NormalizeRect() {
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
}

void CRect::InflateRect(int32_t l, int32_t t, int32_t r, int32_t b) {
    left = WrapSub(left, l);
    top = WrapSub(top, t);
    right = WrapAdd(right, r);
    bottom = WrapAdd(bottom, b);
}

void CRect::DeflateRect(int32_t l, int32_t t, int32_t r, int32_t b) {
    left = WrapAdd(left, l);
    top = WrapAdd(top, t);
    right = WrapSub(right, r);
    bottom = WrapSub(bottom, b);
}

void CRect::OffsetRect(int32_t x, int32_t y) {
    left = WrapAdd(left, x);
    top = WrapAdd(top, y);
    right = WrapAdd(right, x);
    bottom = WrapAdd(bottom, y);
}

bool CRect::IntersectRect(const CRect& a, const CRect& b) {
    if (a.IsRectEmpty() || b.IsRectEmpty() || a.left >= b.right || b.left >= a.right ||
        a.top >= b.bottom || b.top >= a.bottom) {
        SetRectEmpty();
        return false;
    }
    *this = CRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom));
    return true;
}

bool CRect::UnionRect(const CRect& a, const CRect& b) {
    if (a.IsRectEmpty() && b.IsRectEmpty()) {
        SetRectEmpty();
        return false;
    }
    if (a.IsRectEmpty() || b.IsRectEmpty()) {
        *this = a.IsRectEmpty() ? b : a;
        return true;
    }
    *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                  std::max(a.bottom, b.bottom));
    return true;
}

CRect& CRect::operator+=(CPoint point) {
    OffsetRect(point);
    return *this;
}

CRect& CRect::operator+=(CSize size) {
    OffsetRect(size);
    return *this;
}

CRect& CRect::operator-=(CPoint point) {
    *this = CRect(TopLeft() - CSize(point.x, point.y), BottomRight() - CSize(point.x, point.y));
    return *this;
}

CRect& CRect::operator-=(CSize size) {
    return *this -= CPoint(size);
}

CRect& CRect::operator&=(const CRect& rect) {
    IntersectRect(CRect(*this), rect);
    return *this;
}

CRect& CRect::operator|=(const CRect& rect) {
    UnionRect(CRect(*this), rect);
    return *this;
}
