#pragma once

#include "diagram/DrawingObject.h"

// An ellipse inscribed in the rectangle.
class CDrawEllipse : public CDrawingObject {
    DECLARE_SERIAL(CDrawEllipse)

public:
    CDrawEllipse() = default;
    explicit CDrawEllipse(const CRect& rect) : CDrawingObject(rect) {}

    void Serialize(CArchive& ar) override;
    void Draw(CDC& dc) const override;
    // Against the elliptic area of the normalised rectangle.
    bool RegionIntersectsRect(const CRect& rect) const override;
    std::unique_ptr<CDrawingObject> Clone() const override;
};
