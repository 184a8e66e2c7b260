#include "editing/LineTool.h"

#include "diagram/DrawLine.h"

std::unique_ptr<CDrawingObject> CLineTool::MakeShape(CPoint point) const {
    return std::make_unique<CDrawLine>(point, point);
}
