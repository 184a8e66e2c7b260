#include "diagram/DrawEllipse.h"

#include "platform/gui/DC.h"

IMPLEMENT_SERIAL(CDrawEllipse, CDrawingObject, 2)

void CDrawEllipse::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    CDrawingObject::Serialize(ar);
}

void CDrawEllipse::Draw(CDC& dc) const {
    const bool transformed = ApplyTransformations(dc);
    dc.SaveDC();
    SelectPenAndBrush(dc, m_bPen, m_bBrush);
    dc.Ellipse(m_rect);
    dc.RestoreDC(-1);
    if (transformed) {
        ResetTransform(dc);
    }
}

bool CDrawEllipse::RegionIntersectsRect(const CRect& rect) const {
    CRect own = m_rect;
    own.NormalizeRect();
    CRgn region;
    if (!region.CreateEllipticRgnIndirect(own)) {
        return CDrawingObject::RegionIntersectsRect(rect);
    }
    CRect other = rect;
    other.NormalizeRect();
    return region.RectInRegion(other);
}

std::unique_ptr<CDrawingObject> CDrawEllipse::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CDrawEllipse(*this));
}
