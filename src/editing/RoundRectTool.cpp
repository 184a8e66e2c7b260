#include "editing/RoundRectTool.h"

#include "diagram/DrawRoundRect.h"

std::unique_ptr<CDrawingObject> CRoundRectTool::MakeShape(CPoint point) const {
    return std::make_unique<CDrawRoundRect>(CRect(point, point));
}
