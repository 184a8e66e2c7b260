#include "diagram/DrawRectangle.h"

#include "platform/gui/DC.h"

IMPLEMENT_SERIAL(CDrawRectangle, CDrawingObject, 2)

void CDrawRectangle::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    CDrawingObject::Serialize(ar);
}

void CDrawRectangle::Draw(CDC& dc) const {
    const bool transformed = ApplyTransformations(dc);
    dc.SaveDC();
    SelectPenAndBrush(dc, m_bPen, m_bBrush);
    dc.Rectangle(m_rect);
    dc.RestoreDC(-1);
    if (transformed) {
        ResetTransform(dc);
    }
}

std::unique_ptr<CDrawingObject> CDrawRectangle::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CDrawRectangle(*this));
}
