#pragma once

#include "diagram/DrawingObject.h"

// A straight line from the rectangle's top-left corner (start) to its
// bottom-right corner (end); the rectangle is usually inverted.
class CDrawLine : public CDrawingObject {
    DECLARE_SERIAL(CDrawLine)

public:
    CDrawLine();
    CDrawLine(CPoint start, CPoint end);

    void Serialize(CArchive& ar) override;

    void Draw(CDC& dc) const override;
    bool HitTest(CPoint point, CDrawingView* view) const override;
    // Against the band of half width (pen width + 5) / 2 around the line.
    bool RegionIntersectsRect(const CRect& rect) const override;
    // Handle 2 is the end point.
    void MoveHandleTo(int handle, int x, int y, CDrawingView* view) override;
    int GetHandleCount() const override;
    CPoint GetHandle(int handle) const override;
    int GetHandleCursor(int handle) const override;
    std::unique_ptr<CDrawingObject> Clone() const override;

    CPoint GetStart() const { return m_rect.TopLeft(); }
    CPoint GetEnd() const { return m_rect.BottomRight(); }
};
