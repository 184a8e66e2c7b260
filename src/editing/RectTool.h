#pragma once

#include "editing/ShapeTool.h"

// "&Rectangle": a rectangle from the press to the release.
class CRectTool : public CShapeTool {
protected:
    std::unique_ptr<CDrawingObject> MakeShape(CPoint point) const override;
};
