#include "editing/RectTool.h"

#include "diagram/DrawRectangle.h"

std::unique_ptr<CDrawingObject> CRectTool::MakeShape(CPoint point) const {
    return std::make_unique<CDrawRectangle>(CRect(point, point));
}
