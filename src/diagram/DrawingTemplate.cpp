#include "diagram/DrawingTemplate.h"

IMPLEMENT_SERIAL(CDrawingTemplate, CDrawingGroup, 2)

void CDrawingTemplate::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    CDrawingGroup::Serialize(ar);
}

std::unique_ptr<CDrawingObject> CDrawingTemplate::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CDrawingTemplate(*this));
}
