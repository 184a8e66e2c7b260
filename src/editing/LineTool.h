#pragma once

#include "editing/ShapeTool.h"

// "&Line": a straight line from the press to the release.
class CLineTool : public CShapeTool {
protected:
    std::unique_ptr<CDrawingObject> MakeShape(CPoint point) const override;
    bool IsFilled() const override { return false; }
};
