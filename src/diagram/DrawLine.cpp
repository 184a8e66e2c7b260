#include "diagram/DrawLine.h"

#include "platform/Archive.h"
#include "platform/gui/DC.h"

IMPLEMENT_SERIAL(CDrawLine, CDrawingObject, 2)

CDrawLine::CDrawLine() {
    m_bBrush = false;
}

CDrawLine::CDrawLine(CPoint start, CPoint end) : CDrawingObject(CRect(start, end)) {
    m_bBrush = false;
}

void CDrawLine::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    CDrawingObject::Serialize(ar);
}

void CDrawLine::Draw(CDC& dc) const {
    const bool transformed = ApplyTransformations(dc);
    dc.SaveDC();
    SelectPenAndBrush(dc, true, false);
    dc.MoveTo(GetStart());
    dc.LineTo(GetEnd());
    dc.RestoreDC(-1);
    if (transformed) {
        ResetTransform(dc);
    }
}

bool CDrawLine::HitTest(CPoint point, CDrawingView* /*view*/) const {
    return RegionIntersectsRect(CRect(point, point + CSize(1, 1)));
}

bool CDrawLine::RegionIntersectsRect(const CRect& rect) const {
    return SegmentIntersectsRect(rect, m_rect.left, m_rect.top, m_rect.right, m_rect.bottom);
}

void CDrawLine::MoveHandleTo(int handle, int x, int y, CDrawingView* view) {
    CDrawingObject::MoveHandleTo(handle == 2 ? 5 : handle, x, y, view);
}

int CDrawLine::GetHandleCount() const {
    return 2;
}

CPoint CDrawLine::GetHandle(int handle) const {
    return CDrawingObject::GetHandle(handle == 2 ? 5 : handle);
}

int CDrawLine::GetHandleCursor(int /*handle*/) const {
    return IDC_SIZEALL;
}

std::unique_ptr<CDrawingObject> CDrawLine::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CDrawLine(*this));
}
