#include "diagram/DrawRoundRect.h"

#include <algorithm>

#include "platform/Archive.h"
#include "platform/GeometryArchive.h"
#include "platform/gui/DC.h"

IMPLEMENT_SERIAL(CDrawRoundRect, CDrawRectangle, 2)

namespace {

constexpr int kRoundnessHandle = 9;

CRect Normalized(CRect rect) {
    rect.NormalizeRect();
    return rect;
}

}  // namespace

void CDrawRoundRect::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    CDrawRectangle::Serialize(ar);
    if (ar.IsStoring()) {
        WritePoint(ar, m_roundness);
    } else {
        m_roundness = ReadPoint(ar);
    }
}

void CDrawRoundRect::Draw(CDC& dc) const {
    const bool transformed = ApplyTransformations(dc);
    dc.SaveDC();
    SelectPenAndBrush(dc, m_bPen, m_bBrush);
    dc.RoundRect(m_rect, m_roundness);
    dc.RestoreDC(-1);
    if (transformed) {
        ResetTransform(dc);
    }
}

bool CDrawRoundRect::RegionIntersectsRect(const CRect& rect) const {
    const CRect own = Normalized(m_rect);
    CRgn region;
    if (!region.CreateRoundRectRgn(own.left, own.top, own.right, own.bottom, m_roundness.x,
                                   m_roundness.y)) {
        return CDrawRectangle::RegionIntersectsRect(rect);
    }
    return region.RectInRegion(Normalized(rect));
}

void CDrawRoundRect::MoveHandleTo(int handle, int x, int y, CDrawingView* view) {
    if (handle != kRoundnessHandle) {
        CDrawRectangle::MoveHandleTo(handle, x, y, view);
        return;
    }
    // Not beyond the right and bottom edges, not above or left of the centre.
    const CRect r = Normalized(m_rect);
    int64_t cornerX = std::min<int64_t>(x, static_cast<int64_t>(r.right) - 1);
    cornerX = std::max<int64_t>(cornerX, static_cast<int64_t>(r.left) + r.Width() / 2);
    int64_t cornerY = std::min<int64_t>(y, static_cast<int64_t>(r.bottom) - 1);
    cornerY = std::max<int64_t>(cornerY, static_cast<int64_t>(r.top) + r.Height() / 2);
    m_roundness = CPoint(static_cast<int32_t>(2 * (r.right - cornerX)),
                         static_cast<int32_t>(2 * (r.bottom - cornerY)));
    MarkModified(view);
    Invalidate(view);
}

int CDrawRoundRect::GetHandleCount() const {
    return kRoundnessHandle;
}

CPoint CDrawRoundRect::GetHandle(int handle) const {
    if (handle != kRoundnessHandle) {
        return CDrawRectangle::GetHandle(handle);
    }
    const CRect r = Normalized(m_rect);
    return CPoint(geometry::WrapSub(r.right, m_roundness.x / 2),
                  geometry::WrapSub(r.bottom, m_roundness.y / 2));
}

int CDrawRoundRect::GetHandleCursor(int handle) const {
    return handle == kRoundnessHandle ? IDC_SIZEALL : CDrawRectangle::GetHandleCursor(handle);
}

std::unique_ptr<CDrawingObject> CDrawRoundRect::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CDrawRoundRect(*this));
}
