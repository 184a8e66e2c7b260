#pragma once

#include <memory>

#include "platform/Point.h"
#include "platform/Rect.h"

// Polygon fill modes for regions.
enum : int { ALTERNATE = 1, WINDING = 2 };

// An area for hit tests: polygon, ellipse, rounded rectangle or rectangle, in
// logical units. A point (x, y) stands for the unit square from (x, y) to
// (x + 1, y + 1) and lies in the region when the centre of that square does, so a
// rectangular region holds exactly the points its rectangle holds.
class CRgn {
public:
    CRgn();
    ~CRgn();
    CRgn(CRgn&&) noexcept;
    CRgn& operator=(CRgn&&) noexcept;

    bool CreatePolygonRgn(const CPoint* points, int count, int fillMode);
    bool CreateEllipticRgnIndirect(const CRect& rect);
    bool CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth,
                            int ellipseHeight);
    bool CreateRectRgnIndirect(const CRect& rect);
    bool IsValid() const;
    // True when any part of the rectangle lies in the region. The rectangle is
    // normalised; a zero width or height counts as one unit.
    bool RectInRegion(const CRect& rect) const;
    bool PtInRegion(CPoint point) const;
    // The smallest rectangle holding the region; empty for an empty region.
    CRect GetRgnBox() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
