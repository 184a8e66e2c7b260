#include "diagram/DrawingObject.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "diagram/DrawingGeometry.h"
#include "diagram/DrawingView.h"
#include "diagram/Vector2D.h"
#include "document/ConfDoc.h"
#include "platform/Archive.h"
#include "platform/GeometryArchive.h"
#include "platform/gui/DC.h"

IMPLEMENT_SERIAL(CDrawingObject, CDrawingItem, 2)

namespace {

constexpr double kPi = 3.141592653589793;

CRect Normalized(CRect rect) {
    rect.NormalizeRect();
    return rect;
}

}  // namespace

const std::array<const char*, 7>& CDrawingObject::GetPenStyleNames() {
    static const std::array<const char*, 7> names = {"PS_SOLID",      "PS_DASH",       "PS_DOT",
                                                     "PS_DASHDOT",    "PS_DASHDOTDOT", "PS_NULL",
                                                     "PS_INSIDEFRAME"};
    return names;
}

const std::array<const char*, 6>& CDrawingObject::GetHatchStyleNames() {
    static const std::array<const char*, 6> names = {
        "HS_HORIZONTAL", "HS_VERTICAL", "HS_FDIAGONAL", "HS_BDIAGONAL", "HS_CROSS", "HS_DIAGCROSS"};
    return names;
}

CDrawingObject::CDrawingObject() {
    m_logpen.lopnStyle = PS_INSIDEFRAME;
    m_logpen.lopnWidth = CPoint(0, 0);
    m_logpen.lopnColor = RGB(0, 0, 0);
    m_logbrush.lbStyle = BS_SOLID;
    m_logbrush.lbColor = RGB(194, 193, 193);
    m_logbrush.lbHatch = 0;
}

CDrawingObject::CDrawingObject(const CRect& rect) : CDrawingObject() {
    m_rect = rect;
}

CDrawingObject::CDrawingObject(const CDrawingObject& other)
    : CDrawingItem(other),
      m_nLoop(other.m_nLoop),
      m_transformations(other.m_transformations),
      m_nBkMode(other.m_nBkMode),
      m_rect(other.m_rect),
      m_bPen(other.m_bPen),
      m_bBrush(other.m_bBrush),
      m_logpen(other.m_logpen),
      m_logbrush(other.m_logbrush) {}

CDrawingObject::~CDrawingObject() = default;

// --- storage ---------------------------------------------------------------

void CDrawingObject::UpdateSchema(const CArchive& ar) {
    if (m_nSchema == -1 && ar.IsLoading()) {
        m_nSchema = ar.GetObjectSchema();
    }
}

int CDrawingObject::GetStoredSchema(const CArchive& ar) const {
    if (ar.IsLoading() && m_nSchema >= 0) {
        return m_nSchema;
    }
    return GetRuntimeClass()->m_wSchema;
}

void CDrawingObject::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    CDrawingItem::Serialize(ar);
    if (ar.IsStoring()) {
        WriteRect(ar, m_rect);
        ar.WriteUInt16(m_bPen ? 1 : 0);
        WriteLogPen(ar, m_logpen);
        ar.WriteUInt16(m_bBrush ? 1 : 0);
        WriteLogBrush(ar, m_logbrush);
        if (GetStoredSchema(ar) > 1) {
            ar.WriteInt32(m_nBkMode);
        }
        ar.WriteInt32(m_nLoop);
        ar.WriteInt32(static_cast<int32_t>(m_transformations.size()));
        for (const CTransformation& transformation : m_transformations) {
            WriteXForm(ar, transformation.m_xform);
        }
        return;
    }
    m_pDocument = dynamic_cast<CConfDoc*>(ar.m_pDocument);
    m_rect = ReadRect(ar);
    m_bPen = ar.ReadUInt16() == 1;
    m_logpen = ReadLogPen(ar);
    m_bBrush = ar.ReadUInt16() == 1;
    m_logbrush = ReadLogBrush(ar);
    if (GetStoredSchema(ar) > 1) {
        m_nBkMode = ar.ReadInt32();
    }
    m_nLoop = ar.ReadInt32();
    const int32_t count = ar.ReadInt32();
    if (count < 0 || static_cast<std::size_t>(count) > ar.GetRemaining() / kXFormBytes) {
        ar.ThrowMalformed(CArchiveException::badCount,
                          "Transformation count " + std::to_string(count) + " exceeds the data");
    }
    m_transformations.clear();
    m_transformations.reserve(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        m_transformations.emplace_back(ReadXForm(ar));
    }
}

// --- drawing -----------------------------------------------------------------

void CDrawingObject::Draw(CDC& /*dc*/) const {}

void CDrawingObject::DrawTracker(CDC& dc) const {
    const int count = GetHandleCount();
    for (int handle = 1; handle <= count; ++handle) {
        const CPoint point = GetHandle(handle);
        dc.InvertRect(CRect(point - CSize(3, 3), point + CSize(4, 4)));
    }
}

void CDrawingObject::SelectPenAndBrush(CDC& dc, bool pen, bool brush) const {
    if (pen) {
        dc.SelectPen(m_logpen);
    } else {
        dc.SelectNullPen();
    }
    if (brush) {
        dc.SelectBrush(m_logbrush);
    } else {
        dc.SelectNullBrush();
    }
}

void CDrawingObject::ResetTransform(CDC& dc) {
    const XFORM identity = IdentityXForm();
    dc.ModifyWorldTransform(&identity, MWT_IDENTITY);
}

bool CDrawingObject::EditProperties(CDrawingView* view) {
    return view != nullptr && view->EditObjectProperties(this);
}

void CDrawingObject::ShowContextMenu(CDrawingView* view) {
    if (view != nullptr) {
        view->ShowObjectMenu(this);
    }
}

// --- attributes --------------------------------------------------------------

void CDrawingObject::SetRect(const CRect& rect) {
    m_rect = Normalized(rect);
}

CRect CDrawingObject::GetInvalidRect() const {
    CRect rect = Normalized(m_rect);
    if (m_bPen && m_logpen.lopnStyle != PS_NULL && m_logpen.lopnStyle != PS_INSIDEFRAME) {
        const int half = m_logpen.lopnWidth.x / 2;
        rect.InflateRect(half, half);
    }
    rect.InflateRect(6, 6);
    return rect;
}

void CDrawingObject::SetLineWidth(int width) {
    m_logpen.lopnWidth = CPoint(width, width);
}

void CDrawingObject::SetLineColor(COLORREF color) {
    m_logpen.lopnColor = color;
}

void CDrawingObject::SetFillColor(COLORREF color) {
    m_logbrush.lbColor = color;
}

void CDrawingObject::SetFillStyle(uint32_t style) {
    m_logbrush.lbStyle = style;
}

int CDrawingObject::GetLineWidth() const {
    return m_logpen.lopnWidth.x;
}

COLORREF CDrawingObject::GetLineColor() const {
    return m_logpen.lopnColor;
}

COLORREF CDrawingObject::GetFillColor() const {
    return m_logbrush.lbColor;
}

uint32_t CDrawingObject::GetFillStyle() const {
    return m_logbrush.lbStyle;
}

bool CDrawingObject::HasLine() const {
    return m_bPen;
}

bool CDrawingObject::HasFill() const {
    return m_bBrush;
}

void CDrawingObject::SetLogPen(const LOGPEN& pen) {
    m_logpen = pen;
}

void CDrawingObject::SetLogBrush(const LOGBRUSH& brush) {
    m_logbrush = brush;
    m_bBrush = brush.lbStyle != BS_NULL;
}

LOGPEN CDrawingObject::GetLogPen() const {
    return m_logpen;
}

LOGBRUSH CDrawingObject::GetLogBrush() const {
    return m_logbrush;
}

void CDrawingObject::SetLogFont(const LOGFONT& /*font*/) {}

LOGFONT CDrawingObject::GetLogFont() const {
    LOGFONT font;
    font.lfHeight = -16;
    font.lfWeight = FW_NORMAL;
    font.lfQuality = 2;
    font.lfPitchAndFamily = 2;
    SetFaceName(font, "Arial");
    return font;
}

void CDrawingObject::SetTextFormat(unsigned /*format*/) {}

void CDrawingObject::SetTextColors(COLORREF /*text*/, COLORREF /*back*/) {}

int CDrawingObject::SetBkMode(int mode) {
    const int old = m_nBkMode;
    m_nBkMode = mode;
    return old;
}

// --- hit testing -------------------------------------------------------------

int CDrawingObject::GetPenTolerance() const {
    const int half = m_logpen.lopnWidth.x / 2;
    return half > 1 ? half + 1 : 2;
}

bool CDrawingObject::IntersectsRect(const CRect& rect) const {
    return RegionIntersectsRect(rect);
}

bool CDrawingObject::HitTest(CPoint point, CDrawingView* view) const {
    if (m_bBrush && m_logbrush.lbStyle != BS_NULL) {
        const int tol = GetPenTolerance();
        return IntersectsRect(CRect(point - CSize(tol, tol), point + CSize(tol, tol)));
    }
    return HitTestOutline(point, view);
}

CPoint CDrawingObject::GetCenter() const {
    return m_rect.TopLeft() + CSize(m_rect.Width() / 2, m_rect.Height() / 2);
}

std::vector<std::vector<CPoint>> CDrawingObject::GetFlattenedOutline(CDrawingView* view) const {
    CDC dc;
    if (view != nullptr) {
        view->PrepareDC(dc);
    }
    // Drawing applies the transformations and resets the world transform at the
    // end, so the path read back is the transformed outline in logical units.
    dc.SetGraphicsMode(GM_ADVANCED);
    dc.BeginPath();
    Draw(dc);
    dc.EndPath();
    dc.FlattenPath();
    ResetTransform(dc);
    dc.SetGraphicsMode(GM_COMPATIBLE);
    return dc.GetPath();
}

bool CDrawingObject::HitTestOutline(CPoint point, CDrawingView* view) const {
    for (const std::vector<CPoint>& figure : GetFlattenedOutline(view)) {
        for (std::size_t i = 1; i < figure.size(); ++i) {
            if (HitTestSegment(point, figure[i - 1].x, figure[i - 1].y, figure[i].x, figure[i].y)) {
                return true;
            }
        }
    }
    return false;
}

CPoint CDrawingObject::GetOutlinePoint(CPoint toward, CDrawingView* view) const {
    const CPoint center = GetCenter();
    for (const std::vector<CPoint>& figure : GetFlattenedOutline(view)) {
        for (std::size_t i = 1; i < figure.size(); ++i) {
            CPoint crossing;
            if (IntersectSegments(center, toward, figure[i - 1], figure[i], &crossing)) {
                return crossing;
            }
        }
    }
    return CPoint();
}

bool CDrawingObject::IntersectSegments(CPoint a1, CPoint a2, CPoint b1, CPoint b2,
                                       CPoint* result) const {
    return drawgeom::IntersectSegments(a1, a2, b1, b2, result);
}

bool CDrawingObject::HitTestSegment(CPoint point, int x1, int y1, int x2, int y2) const {
    const int64_t tol = GetPenTolerance() + 1;
    if (point.x < static_cast<int64_t>(std::min(x1, x2)) - tol ||
        point.x > static_cast<int64_t>(std::max(x1, x2)) + tol ||
        point.y < static_cast<int64_t>(std::min(y1, y2)) - tol ||
        point.y > static_cast<int64_t>(std::max(y1, y2)) + tol) {
        return false;
    }
    const double distance =
        CVector2D::SignedDistanceFromLine(point, CPoint(x1, y1), CPoint(x2, y2));
    return distance >= -static_cast<double>(tol) && distance <= static_cast<double>(tol);
}

bool CDrawingObject::MakeSegmentBand(int x1, int y1, int x2, int y2,
                                     std::array<CPoint, 4>& band) const {
    const double half = static_cast<double>((static_cast<int64_t>(m_logpen.lopnWidth.x) + 5) / 2);
    const double length = CVector2D(CPoint(x1, y1), CPoint(x2, y2)).Length();
    if (length == 0.0) {
        return false;
    }
    const CSize o(drawgeom::TruncateToCoordinate((static_cast<double>(y1) - y2) * half / length),
                  drawgeom::TruncateToCoordinate((static_cast<double>(x1) - x2) * half / length));
    band[0] = CPoint(geometry::WrapSub(x1, o.cx), geometry::WrapAdd(y1, o.cy));
    band[1] = CPoint(geometry::WrapAdd(x1, o.cx), geometry::WrapSub(y1, o.cy));
    band[2] = CPoint(geometry::WrapAdd(x2, o.cx), geometry::WrapSub(y2, o.cy));
    band[3] = CPoint(geometry::WrapSub(x2, o.cx), geometry::WrapAdd(y2, o.cy));
    return true;
}

bool CDrawingObject::SegmentIntersectsRect(const CRect& rect, int x1, int y1, int x2,
                                           int y2) const {
    std::array<CPoint, 4> band;
    CRgn region;
    if (!MakeSegmentBand(x1, y1, x2, y2, band) ||
        !region.CreatePolygonRgn(band.data(), static_cast<int>(band.size()), WINDING)) {
        return RegionIntersectsRect(rect);
    }
    return region.RectInRegion(Normalized(rect));
}

bool CDrawingObject::RegionIntersectsRect(const CRect& rect) const {
    CRect common;
    return common.IntersectRect(Normalized(m_rect), Normalized(rect));
}

bool CDrawingObject::IsInsideRect(const CRect& rect) const {
    CRect own = Normalized(m_rect);
    if (own.Width() == 0) {
        own.right = geometry::WrapAdd(own.left, 1);
    }
    if (own.Height() == 0) {
        own.bottom = geometry::WrapAdd(own.top, 1);
    }
    const CRect outer = Normalized(rect);
    return own.left >= outer.left && own.right <= outer.right && own.top >= outer.top &&
           own.bottom <= outer.bottom;
}

bool CDrawingObject::OverlapsRect(const CRect& rect) const {
    const CRect own = Normalized(m_rect);
    const CRect other = Normalized(rect);
    return own.left < other.right && other.left < own.right && own.top < other.bottom &&
           other.top < own.bottom;
}

void CDrawingObject::Select(bool select) {
    m_bSelected = select;
}

// --- moving and resizing -----------------------------------------------------

void CDrawingObject::Invalidate(CDrawingView* view) {
    if (view != nullptr) {
        view->InvalidateObject(this);
    } else if (m_pDocument != nullptr) {
        m_pDocument->UpdateAllViews(nullptr, HINT_UPDATE_OBJECT, this);
    }
}

void CDrawingObject::MarkModified(CDrawingView* view) {
    CConfDoc* document = view != nullptr ? view->GetDocument() : nullptr;
    if (document == nullptr) {
        document = m_pDocument;
    }
    if (document != nullptr) {
        document->SetModifiedFlag(true);
    }
}

void CDrawingObject::MoveTopLeftTo(CPoint point, CDrawingView* view) {
    Offset(point - GetRect().TopLeft(), view);
}

void CDrawingObject::MoveTo(const CRect& rect, CDrawingView* view) {
    if (rect == m_rect) {
        return;
    }
    Invalidate(view);
    m_rect = rect;
    Invalidate(view);
    MarkModified(view);
}

void CDrawingObject::Offset(CSize delta, CDrawingView* view) {
    const CRect moved = m_rect + delta;
    if (moved == m_rect) {
        return;
    }
    MoveTo(moved, view);
}

void CDrawingObject::MoveHandleTo(int handle, int x, int y, CDrawingView* view) {
    if (recthandles::Find(handle) != nullptr) {
        MoveTo(recthandles::MoveEdges(m_rect, handle, CPoint(x, y)), view);
    }
}

// --- handles -----------------------------------------------------------------

int CDrawingObject::GetHandleCount() const {
    return 8;
}

int CDrawingObject::ZoomOf(const CDrawingView* view) {
    const double zoom = view != nullptr ? view->GetZoomFactor() : 1.0;
    if (!(zoom >= 2.0)) {
        return 1;
    }
    return static_cast<int>(std::min(zoom, 1000.0));
}

CRect CDrawingObject::HandleRectOn(int handle, const CDC& dc, int zoom) const {
    CPoint point = GetHandle(handle);
    dc.LPtoDP(&point);
    const int size = 3 * zoom;
    CRect rect(point - CSize(size, size), point + CSize(size, size));
    dc.DPtoLP(&rect);
    return rect;
}

CRect CDrawingObject::GetHandleRect(int handle, CDrawingView* view) const {
    CDC dc;
    if (view != nullptr) {
        view->PrepareDC(dc);
    }
    return HandleRectOn(handle, dc, ZoomOf(view));
}

int CDrawingObject::HitTestHandle(CPoint point, CDrawingView* view) const {
    CDC dc;
    if (view != nullptr) {
        view->PrepareDC(dc);
    }
    const int zoom = ZoomOf(view);
    const int count = GetHandleCount();
    for (int handle = 1; handle <= count; ++handle) {
        if (Normalized(HandleRectOn(handle, dc, zoom)).PtInRect(point)) {
            return handle;
        }
    }
    return 0;
}

CPoint CDrawingObject::GetHandle(int handle) const {
    return recthandles::Position(m_rect, handle);
}

int CDrawingObject::GetHandleCursor(int handle) const {
    return recthandles::Cursor(handle);
}

int CDrawingObject::HitTestVertex(CPoint /*point*/, CDrawingView* /*view*/) {
    return 0;
}

// --- lifetime ----------------------------------------------------------------

void CDrawingObject::Remove() {
    delete this;
}

std::unique_ptr<CDrawingObject> CDrawingObject::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CDrawingObject(*this));
}

// --- transformations ---------------------------------------------------------

void CDrawingObject::AddTransformation(const XFORM* xform) {
    if (xform != nullptr) {
        m_transformations.emplace_back(*xform);
    }
}

void CDrawingObject::ClearTransformations() {
    m_transformations.clear();
}

bool CDrawingObject::ApplyTransformations(CDC& dc) const {
    if (m_transformations.empty()) {
        return false;
    }
    CTransformation accumulated;
    for (const CTransformation& transformation : m_transformations) {
        ComposeTransformation(accumulated, transformation);
    }
    if (dc.GetGraphicsMode() != GM_ADVANCED) {
        dc.SetGraphicsMode(GM_ADVANCED);
    }
    dc.ModifyWorldTransform(&accumulated.m_xform, MWT_RIGHTMULTIPLY);
    return true;
}

void CDrawingObject::ComposeTransformation(CTransformation& acc, const CTransformation& t) const {
    const XFORM& m = t.m_xform;
    const double px = static_cast<double>(m_rect.left) + m.eDx;
    const double py = static_cast<double>(m_rect.top) + m.eDy;
    // Translate the pivot to the origin, apply the linear part, translate back.
    XFORM step;
    step.eM11 = m.eM11;
    step.eM12 = m.eM12;
    step.eM21 = m.eM21;
    step.eM22 = m.eM22;
    step.eDx = static_cast<float>(px - px * m.eM11 - py * m.eM21);
    step.eDy = static_cast<float>(py - px * m.eM12 - py * m.eM22);
    acc.m_xform = CTransformation::Combine(acc.m_xform, step);
}

void CDrawingObject::SetRotation(double sine, double cosine, const CPoint* pivot) {
    ClearTransformations();
    AddRotation(sine, cosine, pivot);
}

void CDrawingObject::SetRotationAngle(double degrees) {
    ClearTransformations();
    AddRotationAngle(degrees, nullptr);
}

void CDrawingObject::AddRotation(double sine, double cosine, const CPoint* pivot) {
    XFORM xform;
    xform.eM11 = static_cast<float>(cosine);
    xform.eM12 = static_cast<float>(sine);
    xform.eM21 = static_cast<float>(-sine);
    xform.eM22 = static_cast<float>(cosine);
    xform.eDx = pivot != nullptr ? static_cast<float>(pivot->x) : 0.0f;
    xform.eDy = pivot != nullptr ? static_cast<float>(pivot->y) : 0.0f;
    AddTransformation(&xform);
}

void CDrawingObject::AddRotationAngle(double degrees, const CPoint* pivot) {
    const double radians = std::fmod(degrees, 360.0) / 360.0 * 2.0 * kPi;
    AddRotation(std::sin(radians), std::cos(radians), pivot);
}

// --- online ------------------------------------------------------------------

void CDrawingObject::EnterOnlineMode(CDrawingView* /*view*/) {
    m_bOnline = true;
}

void CDrawingObject::LeaveOnlineMode(CDrawingView* /*view*/) {
    m_bOnline = false;
}

void CDrawingObject::SetOnlineValue(CDrawingView* /*view*/, const std::string& /*value*/) {}
