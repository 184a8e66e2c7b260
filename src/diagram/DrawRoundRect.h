#pragma once

#include "diagram/DrawRectangle.h"

// A rectangle with rounded corners. Handle 9 sets the size of the corner
// ellipse; it sits at the corner ellipse's centre near the bottom-right corner.
class CDrawRoundRect : public CDrawRectangle {
    DECLARE_SERIAL(CDrawRoundRect)

public:
    CDrawRoundRect() = default;
    explicit CDrawRoundRect(const CRect& rect) : CDrawRectangle(rect) {}

    void Serialize(CArchive& ar) override;
    void Draw(CDC& dc) const override;
    bool RegionIntersectsRect(const CRect& rect) const override;
    void MoveHandleTo(int handle, int x, int y, CDrawingView* view) override;
    int GetHandleCount() const override;
    CPoint GetHandle(int handle) const override;
    int GetHandleCursor(int handle) const override;
    std::unique_ptr<CDrawingObject> Clone() const override;

    // Width and height of the corner ellipse.
    CPoint GetRoundness() const { return m_roundness; }
    void SetRoundness(CPoint roundness) { m_roundness = roundness; }

protected:
    CPoint m_roundness{10, 10};
};
