#include "editing/EllipseTool.h"

#include "diagram/DrawEllipse.h"

std::unique_ptr<CDrawingObject> CEllipseTool::MakeShape(CPoint point) const {
    return std::make_unique<CDrawEllipse>(CRect(point, point));
}
