#pragma once

#include "diagram/DrawingObject.h"

// A rectangle, outlined and filled as its pen and brush flags say.
class CDrawRectangle : public CDrawingObject {
    DECLARE_SERIAL(CDrawRectangle)

public:
    CDrawRectangle() = default;
    explicit CDrawRectangle(const CRect& rect) : CDrawingObject(rect) {}

    void Serialize(CArchive& ar) override;
    void Draw(CDC& dc) const override;
    std::unique_ptr<CDrawingObject> Clone() const override;
};
