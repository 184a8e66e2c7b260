#include "diagram/DrawPolyline.h"

#include <algorithm>

#include "diagram/DrawingView.h"
#include "platform/Archive.h"
#include "platform/GeometryArchive.h"
#include "platform/gui/DC.h"

IMPLEMENT_SERIAL(CDrawPolyline, CDrawingObject, 2)

namespace {

constexpr std::size_t kPointBytes = 8;

}  // namespace

CDrawPolyline::CDrawPolyline(bool closed) : m_nClosed(closed ? 1 : 0) {
    m_bBrush = false;
}

CDrawPolyline::CDrawPolyline(const CPoint* points, int count, bool closed)
    : m_nClosed(closed ? 1 : 0) {
    m_bBrush = closed;
    SetPoints(points, count);
}

void CDrawPolyline::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    CDrawingObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteUInt8(static_cast<uint8_t>(m_nClosed));
        ar.WriteInt32(static_cast<int32_t>(m_points.size()));
        for (const CPoint& point : m_points) {
            WritePoint(ar, point);
        }
        return;
    }
    m_nClosed = ar.ReadUInt8();
    const int32_t count = ar.ReadInt32();
    if (count < 0 || static_cast<std::size_t>(count) > ar.GetRemaining() / kPointBytes) {
        ar.ThrowMalformed(CArchiveException::badCount,
                          "Point count " + std::to_string(count) + " exceeds the data");
    }
    m_points.clear();
    m_points.reserve(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        m_points.push_back(ReadPoint(ar));
    }
    m_nCurVertex = -1;
    m_bBrush = IsClosed() && m_bBrush;
}

void CDrawPolyline::Draw(CDC& dc) const {
    if (m_points.empty()) {
        return;
    }
    const bool transformed = ApplyTransformations(dc);
    dc.SaveDC();
    const int count = static_cast<int>(m_points.size());
    if (IsClosed()) {
        SelectPenAndBrush(dc, true, m_bBrush);
        dc.Polygon(m_points.data(), count);
    } else {
        SelectPenAndBrush(dc, true, false);
        dc.Polyline(m_points.data(), count);
    }
    dc.RestoreDC(-1);
    if (transformed) {
        ResetTransform(dc);
    }
}

bool CDrawPolyline::HasFill() const {
    return m_bBrush;
}

bool CDrawPolyline::HitTest(CPoint point, CDrawingView* view) const {
    if (IsClosed() && m_bBrush) {
        return CDrawingObject::HitTest(point, view);
    }
    return HitTestOutline(point, view);
}

bool CDrawPolyline::RegionIntersectsRect(const CRect& rect) const {
    if (!CDrawingObject::RegionIntersectsRect(rect)) {
        return false;
    }
    if (m_points.size() < 2) {
        return true;
    }
    CRgn region;
    if (!region.CreatePolygonRgn(m_points.data(), static_cast<int>(m_points.size()), ALTERNATE)) {
        return true;
    }
    CRect other = rect;
    other.NormalizeRect();
    return region.RectInRegion(other);
}

void CDrawPolyline::MoveTo(const CRect& rect, CDrawingView* view) {
    const CSize delta = rect.TopLeft() - m_rect.TopLeft();
    if (delta == CSize()) {
        return;
    }
    Invalidate(view);
    if (m_points.empty()) {
        m_rect.OffsetRect(delta);
    } else {
        for (CPoint& point : m_points) {
            point += delta;
        }
        SetRect(CalcBounds());
    }
    Invalidate(view);
    MarkModified(view);
}

void CDrawPolyline::Offset(CSize delta, CDrawingView* view) {
    MoveTo(m_rect + delta, view);
}

void CDrawPolyline::MoveHandleTo(int handle, int x, int y, CDrawingView* view) {
    const int index = handle - 1;
    if (index < 0 || index >= GetPointCount() || m_points[index] == CPoint(x, y)) {
        return;
    }
    ChangePoints(view, [&] { m_points[index] = CPoint(x, y); });
}

int CDrawPolyline::GetHandleCount() const {
    return GetPointCount();
}

CPoint CDrawPolyline::GetHandle(int handle) const {
    return GetPoint(handle - 1);
}

int CDrawPolyline::GetHandleCursor(int /*handle*/) const {
    return IDC_SIZEALL;
}

int CDrawPolyline::HitTestVertex(CPoint point, CDrawingView* /*view*/) {
    m_nCurVertex = -1;
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        const CPoint& vertex = m_points[i];
        if (CRect(vertex - CSize(4, 4), vertex + CSize(4, 4)).PtInRect(point)) {
            m_nCurVertex = static_cast<int>(i);
            return 1;
        }
    }
    return 0;
}

std::unique_ptr<CDrawingObject> CDrawPolyline::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CDrawPolyline(*this));
}

void CDrawPolyline::SetBoundsRect(const CRect& rect) {
    if (m_points.empty()) {
        SetRect(rect);
        return;
    }
    if (rect.Width() == m_rect.Width() && rect.Height() == m_rect.Height()) {
        const CSize delta = rect.TopLeft() - m_rect.TopLeft();
        for (CPoint& point : m_points) {
            point += delta;
        }
    }
    SetRect(CalcBounds());
}

void CDrawPolyline::SetPoints(const CPoint* points, int count) {
    if (points == nullptr) {
        return;
    }
    m_points.assign(points, points + std::max(count, 0));
    m_nCurVertex = -1;
    if (!m_points.empty()) {
        SetRect(CalcBounds());
    }
}

const CPoint* CDrawPolyline::GetPointData() const {
    return m_points.empty() ? nullptr : m_points.data();
}

int CDrawPolyline::GetPointCount() const {
    return static_cast<int>(m_points.size());
}

int CDrawPolyline::GetCurVertex() const {
    return m_nCurVertex;
}

CPoint CDrawPolyline::GetCurVertexPoint() const {
    return GetPoint(m_nCurVertex);
}

CPoint CDrawPolyline::GetFirstPoint() const {
    return m_points.empty() ? CPoint() : m_points.front();
}

CPoint CDrawPolyline::GetLastPoint() const {
    return m_points.empty() ? CPoint() : m_points.back();
}

CPoint CDrawPolyline::GetPoint(int index) const {
    if (index < 0 || index >= GetPointCount()) {
        return CPoint();
    }
    return m_points[static_cast<std::size_t>(index)];
}

void CDrawPolyline::SetPoint(int x, int y, int index) {
    if (index < 0 || index >= GetPointCount()) {
        return;
    }
    m_points[static_cast<std::size_t>(index)] = CPoint(x, y);
    SetRect(CalcBounds());
}

template <class Change>
void CDrawPolyline::ChangePoints(CDrawingView* view, Change change) {
    Invalidate(view);
    change();
    if (!m_points.empty()) {
        SetRect(CalcBounds());
    }
    Invalidate(view);
    MarkModified(view);
}

void CDrawPolyline::AddPoint(int x, int y, CDrawingView* view) {
    ChangePoints(view, [&] { m_points.emplace_back(x, y); });
}

void CDrawPolyline::InsertPoint(int index, int x, int y, CDrawingView* view) {
    ChangePoints(view, [&] {
        if (index < 0 || index > GetPointCount()) {
            m_points.emplace_back(x, y);
        } else {
            m_points.insert(m_points.begin() + index, CPoint(x, y));
        }
    });
}

int CDrawPolyline::InsertPointOnSegment(CPoint point, CDrawingView* view) {
    const std::size_t count = m_points.size();
    std::size_t segments = count >= 2 ? count - 1 : 0;
    if (IsClosed() && count >= 2) {
        ++segments;  // the closing segment back to vertex 0
    }
    int index = -1;
    for (std::size_t i = 0; i < segments; ++i) {
        const CPoint& a = m_points[i];
        const CPoint& b = m_points[(i + 1) % count];
        if (HitTestSegment(point, a.x, a.y, b.x, b.y)) {
            index = static_cast<int>(i) + 1;
            break;
        }
    }
    if (view != nullptr) {
        view->SnapPoint(point);
    }
    if (index < 0) {
        index = static_cast<int>(count);
    }
    InsertPoint(index, point.x, point.y, view);
    return index;
}

int CDrawPolyline::RemovePointsAt(CPoint point, CDrawingView* view) {
    const auto removed = std::count(m_points.begin(), m_points.end(), point);
    if (removed == 0) {
        return 0;
    }
    ChangePoints(view, [&] { std::erase(m_points, point); });
    m_nCurVertex = -1;
    return static_cast<int>(removed);
}

void CDrawPolyline::RemoveLastPoint() {
    if (m_points.empty()) {
        return;
    }
    m_points.pop_back();
    if (m_points.empty()) {
        std::vector<CPoint>().swap(m_points);
    } else {
        SetRect(CalcBounds());
    }
    if (m_nCurVertex >= GetPointCount()) {
        m_nCurVertex = -1;
    }
}

bool CDrawPolyline::RecalcBounds(CDrawingView* view) {
    if (m_points.empty()) {
        return false;
    }
    const CRect bounds = CalcBounds();
    if (bounds == m_rect) {
        return false;
    }
    Invalidate(view);
    SetRect(bounds);
    Invalidate(view);
    return true;
}

CRect CDrawPolyline::CalcBounds() const {
    if (m_points.empty()) {
        return m_rect;
    }
    CRect bounds(m_points.front(), m_points.front());
    for (const CPoint& point : m_points) {
        bounds.left = std::min(bounds.left, point.x);
        bounds.top = std::min(bounds.top, point.y);
        bounds.right = std::max(bounds.right, point.x);
        bounds.bottom = std::max(bounds.bottom, point.y);
    }
    return bounds;
}
