#pragma once

#include "editing/ShapeTool.h"

// The ellipse of the drawing tool box, in the rectangle dragged out.
class CEllipseTool : public CShapeTool {
protected:
    std::unique_ptr<CDrawingObject> MakeShape(CPoint point) const override;
};
