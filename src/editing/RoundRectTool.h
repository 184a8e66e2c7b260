#pragma once

#include "editing/RectTool.h"

// "R&oundRectangle": a rectangle with rounded corners.
class CRoundRectTool : public CRectTool {
protected:
    std::unique_ptr<CDrawingObject> MakeShape(CPoint point) const override;
};
