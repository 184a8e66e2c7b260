#include "diagram/GraphLink.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "diagram/ConfGraphIOParameter.h"
#include "diagram/DrawingGeometry.h"
#include "diagram/DrawingView.h"
#include "diagram/GraphNode.h"
#include "document/ConfDoc.h"
#include "platform/Archive.h"
#include "platform/GeometryArchive.h"
#include "platform/gui/DC.h"

IMPLEMENT_SERIAL(CGraphLink, CDrawingObject, 2)

namespace {

std::unique_ptr<CDrawText> CloneText(const CDrawText* label) {
    if (label == nullptr) {
        return nullptr;
    }
    std::unique_ptr<CDrawingObject> copy = label->Clone();
    if (dynamic_cast<CDrawText*>(copy.get()) == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<CDrawText>(static_cast<CDrawText*>(copy.release()));
}

std::unique_ptr<CDrawPolyline> ClonePolyline(const CDrawPolyline* polyline) {
    if (polyline == nullptr) {
        return nullptr;
    }
    std::unique_ptr<CDrawingObject> copy = polyline->Clone();
    if (dynamic_cast<CDrawPolyline*>(copy.get()) == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<CDrawPolyline>(static_cast<CDrawPolyline*>(copy.release()));
}

// Repaints one part of the link through the view or the part's document.
void InvalidatePart(CDrawingObject* part, CDrawingView* view) {
    if (part == nullptr) {
        return;
    }
    if (view != nullptr) {
        view->InvalidateObject(part);
    } else if (CConfDoc* document = part->GetDocument()) {
        document->UpdateAllViews(nullptr, CDrawingObject::HINT_UPDATE_OBJECT, part);
    }
}

// The port text a label stands for: a value label's kept port label, or the
// label's own text.
std::string PortTextOf(const CDrawText* label) {
    if (label == nullptr) {
        return std::string();
    }
    if (const auto* value = dynamic_cast<const CConfGraphIOParameter*>(label)) {
        if (const CDrawText* port = value->GetPortLabel()) {
            return port->GetText();
        }
    }
    return label->GetText();
}

void FitToText(CDrawText& label) {
    label.SetRect(label.CalcTextRect());
}

}  // namespace

CGraphLink::CGraphLink() {
    m_bBrush = false;
    m_bOnline = false;
}

CGraphLink::CGraphLink(std::unique_ptr<CDrawPolyline> route, std::unique_ptr<CDrawPolyline> arrow,
                       std::unique_ptr<CDrawText> outLabel, std::unique_ptr<CDrawText> inLabel)
    : CGraphLink() {
    m_pPath = std::move(route);
    m_pArrow = std::move(arrow);
    if (m_pPath) {
        m_rect = m_pPath->GetRect();
    }
    AdoptLabel(m_pOutLabel, std::move(outLabel));
    AdoptLabel(m_pInLabel, std::move(inLabel));
}

CGraphLink::CGraphLink(const CGraphLink& other)
    : CDrawingObject(other),
      m_pPath(ClonePolyline(other.m_pPath.get())),
      m_pArrow(ClonePolyline(other.m_pArrow.get())),
      m_pFrom(other.m_pFrom),
      m_pTo(other.m_pTo),
      m_strName(other.m_strName),
      m_offOutLabel(other.m_offOutLabel),
      m_offInLabel(other.m_offInLabel),
      m_bShowOutLabel(other.m_bShowOutLabel),
      m_bShowInLabel(other.m_bShowInLabel) {
    {
        std::lock_guard lock(other.m_csOutLabel);
        m_pOutLabel = CloneText(other.m_pOutLabel.get());
    }
    std::lock_guard lock(other.m_csInLabel);
    m_pInLabel = CloneText(other.m_pInLabel.get());
}

CGraphLink::~CGraphLink() = default;

std::unique_ptr<CDrawingObject> CGraphLink::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CGraphLink(*this));
}

std::unique_ptr<CGraphLink> CGraphLink::CreateBetween(CGraphNode* from, CGraphNode* to,
                                                      const std::vector<CPoint>& route,
                                                      const std::string& outText,
                                                      const std::string& inText) {
    if (from == nullptr || to == nullptr) {
        return nullptr;
    }
    LOGPEN pen;
    pen.lopnStyle = PS_SOLID;
    pen.lopnWidth = CPoint(1, 1);
    pen.lopnColor = RGB(0, 0, 0);

    std::vector<CPoint> points = route;
    if (points.size() < 2) {
        points = {from->GetAnchor(), to->GetAnchor()};
    }
    auto path =
        std::make_unique<CDrawPolyline>(points.data(), static_cast<int>(points.size()), false);
    path->SetLogPen(pen);

    // A head pointing along +x with its base on the left edge; UpdateDecorations
    // puts the base's middle on the route's end and turns it along the last
    // segment.
    const CSize size = kDefaultArrowSize;
    const CPoint head[] = {{0, 0}, {size.cx, size.cy / 2}, {0, size.cy}};
    auto arrow = std::make_unique<CDrawPolyline>(head, 3, true);
    arrow->SetLogPen(pen);
    arrow->SetLogBrush(LOGBRUSH{BS_SOLID, pen.lopnColor, 0});

    auto makeLabel = [](const std::string& text) {
        auto label = std::make_unique<CDrawText>(CRect(), text);
        label->SetBkMode(TRANSPARENT);
        label->SetFormat(DT_SINGLELINE);
        label->SetFontSize(kPortFontSize, true);
        return label;
    };

    auto link = std::make_unique<CGraphLink>();
    link->SetLoop(from->GetLoop());
    link->m_pPath = std::move(path);
    link->m_pArrow = std::move(arrow);
    link->m_rect = link->m_pPath->GetRect();
    link->AdoptLabel(link->m_pOutLabel, makeLabel(outText));
    link->AdoptLabel(link->m_pInLabel, makeLabel(inText));
    link->SetDocument(from->GetDocument());
    link->Connect(from, to, 0);
    from->AddLink(link.get());
    if (to != from) {
        to->AddLink(link.get());
    }
    link->ConnectEnd(nullptr, nullptr);
    link->UpdateDecorations(nullptr);
    return link;
}

// --- storage -----------------------------------------------------------------

void CGraphLink::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    if (ar.IsStoring() && m_pPath) {
        m_rect = m_pPath->GetRect();
    }
    CDrawingObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteObject(m_pPath.get());
        ar.WriteObject(m_pArrow.get());
        {
            std::lock_guard lock(m_csOutLabel);
            ar.WriteObject(m_pOutLabel.get());
        }
        {
            std::lock_guard lock(m_csInLabel);
            ar.WriteObject(m_pInLabel.get());
        }
        ar.WriteObject(m_pFrom);
        ar.WriteObject(m_pTo);
        ar.WriteString(m_strName);
        WritePoint(ar, m_offOutLabel);
        WritePoint(ar, m_offInLabel);
        if (GetStoredSchema(ar) != 0) {
            ar.WriteInt32(m_bShowOutLabel);
            ar.WriteInt32(m_bShowInLabel);
        }
        return;
    }
    m_pPath = ar.ReadOwned<CDrawPolyline>();
    m_pArrow = ar.ReadOwned<CDrawPolyline>();
    std::unique_ptr<CDrawText> outLabel = ar.ReadOwned<CDrawText>();
    std::unique_ptr<CDrawText> inLabel = ar.ReadOwned<CDrawText>();
    m_pFrom = static_cast<CGraphNode*>(ar.ReadObject(RUNTIME_CLASS(CGraphNode)));
    m_pTo = static_cast<CGraphNode*>(ar.ReadObject(RUNTIME_CLASS(CGraphNode)));
    m_strName = ar.ReadString();
    m_offOutLabel = ReadPoint(ar);
    m_offInLabel = ReadPoint(ar);
    m_bShowOutLabel = 1;
    m_bShowInLabel = 1;
    if (GetStoredSchema(ar) != 0) {
        m_bShowOutLabel = ar.ReadInt32();
        m_bShowInLabel = ar.ReadInt32();
    }
    {
        std::lock_guard lock(m_csOutLabel);
        AdoptLabel(m_pOutLabel, std::move(outLabel));
    }
    {
        std::lock_guard lock(m_csInLabel);
        AdoptLabel(m_pInLabel, std::move(inLabel));
    }
    m_nDragPart = DRAG_NONE;
    UpdateDecorations(nullptr);
}

void CGraphLink::SetDocument(CConfDoc* document) {
    CDrawingObject::SetDocument(document);
    for (CDrawPolyline* part : {m_pPath.get(), m_pArrow.get()}) {
        if (part != nullptr) {
            part->SetDocument(document);
        }
    }
    {
        std::lock_guard lock(m_csOutLabel);
        if (m_pOutLabel) {
            m_pOutLabel->SetDocument(document);
        }
    }
    std::lock_guard lock(m_csInLabel);
    if (m_pInLabel) {
        m_pInLabel->SetDocument(document);
    }
}

void CGraphLink::AdoptLabel(std::unique_ptr<CDrawText>& slot, std::unique_ptr<CDrawText> label) {
    slot = std::move(label);
    if (slot && slot->GetLoop() == 0) {
        slot->SetLoop(m_nLoop);
    }
}

// --- drawing -----------------------------------------------------------------

void CGraphLink::Draw(CDC& dc) const {
    if (m_pPath) {
        m_pPath->Draw(dc);
    }
    if (m_pArrow) {
        m_pArrow->Draw(dc);
    }
    {
        std::lock_guard lock(m_csOutLabel);
        if (m_pOutLabel && m_bShowOutLabel) {
            m_pOutLabel->Draw(dc);
        }
    }
    std::lock_guard lock(m_csInLabel);
    if (m_pInLabel && m_bShowInLabel) {
        m_pInLabel->Draw(dc);
    }
}

void CGraphLink::DrawTracker(CDC& dc) const {
    const int count = GetHandleCount();
    for (int handle = 2; handle <= count; ++handle) {
        const CPoint point = GetHandle(handle);
        dc.InvertRect(CRect(point - CSize(3, 3), point + CSize(4, 4)));
    }
    {
        std::lock_guard lock(m_csOutLabel);
        if (m_pOutLabel && m_bShowOutLabel) {
            m_pOutLabel->DrawTracker(dc);
        }
    }
    std::lock_guard lock(m_csInLabel);
    if (m_pInLabel && m_bShowInLabel) {
        m_pInLabel->DrawTracker(dc);
    }
}

// --- geometry and attributes -------------------------------------------------

void CGraphLink::SetRect(const CRect& rect) {
    if (!m_pPath) {
        CDrawingObject::SetRect(rect);
        return;
    }
    m_pPath->SetBoundsRect(rect);
    m_rect = m_pPath->GetRect();
}

CRect CGraphLink::GetRect() const {
    return m_pPath ? m_pPath->GetRect() : m_rect;
}

CRect CGraphLink::GetInvalidRect() const {
    if (!m_pPath) {
        return CDrawingObject::GetInvalidRect();
    }
    CRect rect = m_pPath->GetInvalidRect();
    {
        std::lock_guard lock(m_csOutLabel);
        if (m_pOutLabel) {
            rect.UnionRect(rect, m_pOutLabel->GetInvalidRect());
        }
    }
    {
        std::lock_guard lock(m_csInLabel);
        if (m_pInLabel) {
            rect.UnionRect(rect, m_pInLabel->GetInvalidRect());
        }
    }
    if (m_pArrow) {
        // The head turns about the middle of its left edge: whatever the angle
        // it stays within its diagonal of that point.
        const CRect head = m_pArrow->GetRect();
        const CPoint pivot(head.left, geometry::WrapAdd(head.top, head.Height() / 2));
        const int reach =
            drawgeom::RoundToCoordinate(std::ceil(std::hypot(static_cast<double>(head.Width()),
                                                             static_cast<double>(head.Height())))) +
            6;
        CRect around(pivot, pivot);
        around.InflateRect(reach, reach);
        rect.UnionRect(rect, around);
    }
    return rect;
}

void CGraphLink::SetLineWidth(int width) {
    CDrawingObject::SetLineWidth(width);
    for (CDrawPolyline* part : {m_pPath.get(), m_pArrow.get()}) {
        if (part != nullptr) {
            part->SetLineWidth(width);
        }
    }
}

void CGraphLink::SetLineColor(COLORREF color) {
    CDrawingObject::SetLineColor(color);
    if (m_pPath) {
        m_pPath->SetLineColor(color);
    }
    if (m_pArrow) {
        m_pArrow->SetLineColor(color);
        m_pArrow->SetFillColor(color);
    }
}

void CGraphLink::SetLogPen(const LOGPEN& pen) {
    CDrawingObject::SetLogPen(pen);
    for (CDrawPolyline* part : {m_pPath.get(), m_pArrow.get()}) {
        if (part != nullptr) {
            part->SetLogPen(pen);
            part->SetLineColor(pen.lopnColor);
            part->SetFillColor(pen.lopnColor);
        }
    }
}

LOGPEN CGraphLink::GetLogPen() const {
    return m_pPath ? m_pPath->GetLogPen() : CDrawingObject::GetLogPen();
}

void CGraphLink::SetLogFont(const LOGFONT& font) {
    {
        std::lock_guard lock(m_csOutLabel);
        if (m_pOutLabel) {
            m_pOutLabel->SetLogFont(font);
        }
    }
    std::lock_guard lock(m_csInLabel);
    if (m_pInLabel) {
        m_pInLabel->SetLogFont(font);
    }
}

LOGFONT CGraphLink::GetLogFont() const {
    {
        std::lock_guard lock(m_csInLabel);
        if (m_pInLabel) {
            return m_pInLabel->GetLogFont();
        }
    }
    std::lock_guard lock(m_csOutLabel);
    return m_pOutLabel ? m_pOutLabel->GetLogFont() : CDrawingObject::GetLogFont();
}

void CGraphLink::SetTextColors(COLORREF text, COLORREF back) {
    {
        std::lock_guard lock(m_csOutLabel);
        if (m_pOutLabel) {
            m_pOutLabel->SetTextColors(text, back);
        }
    }
    std::lock_guard lock(m_csInLabel);
    if (m_pInLabel) {
        m_pInLabel->SetTextColors(text, back);
    }
}

// --- hit testing and dragging ------------------------------------------------

bool CGraphLink::HitTest(CPoint point, CDrawingView* view) const {
    if (m_pPath && m_pPath->HitTest(point, view)) {
        m_nDragPart = DRAG_ROUTE;
        return true;
    }
    // A hidden label cannot be grabbed.
    {
        std::lock_guard lock(m_csOutLabel);
        if (m_pOutLabel && m_bShowOutLabel && m_pOutLabel->HitTest(point, view)) {
            m_nDragPart = DRAG_OUT_LABEL;
            return true;
        }
    }
    {
        std::lock_guard lock(m_csInLabel);
        if (m_pInLabel && m_bShowInLabel && m_pInLabel->HitTest(point, view)) {
            m_nDragPart = DRAG_IN_LABEL;
            return true;
        }
    }
    m_nDragPart = DRAG_NONE;
    return false;
}

void CGraphLink::Offset(CSize delta, CDrawingView* view) {
    if (IsLabelDragged()) {
        const bool out = m_nDragPart == DRAG_OUT_LABEL;
        std::lock_guard lock(out ? m_csOutLabel : m_csInLabel);
        CDrawText* label = out ? m_pOutLabel.get() : m_pInLabel.get();
        if (label == nullptr) {
            return;
        }
        InvalidatePart(label, view);
        label->Offset(delta, view);
        (out ? m_offOutLabel : m_offInLabel) += delta;
        InvalidatePart(label, view);
        return;
    }
    // A link follows its nodes; it moves as a whole only with both of them.
    if (!m_pPath || m_pFrom == nullptr || m_pTo == nullptr || !m_pFrom->IsSelected() ||
        !m_pTo->IsSelected() || delta == CSize()) {
        return;
    }
    Invalidate(view);
    m_pPath->Offset(delta, view);
    m_rect = m_pPath->GetRect();
    ConnectEnd(nullptr, view);
    UpdateDecorations(view);
    Invalidate(view);
}

void CGraphLink::MoveHandleTo(int handle, int x, int y, CDrawingView* view) {
    if (m_nDragPart != DRAG_ROUTE || !m_pPath) {
        return;
    }
    m_pPath->MoveHandleTo(handle, x, y, view);
    m_rect = m_pPath->GetRect();
    const int count = m_pPath->GetPointCount();
    if (count == 3) {
        ConnectEnd(nullptr, view);
    } else {
        // The vertex next to an end (or the end itself) decides where that end
        // meets its node.
        if (handle <= 2 && m_pFrom != nullptr) {
            ConnectEnd(m_pFrom, view);
        }
        if (handle >= count - 1 && m_pTo != nullptr) {
            ConnectEnd(m_pTo, view);
        }
    }
    UpdateDecorations(view);
}

int CGraphLink::GetHandleCount() const {
    if (!m_pPath) {
        return 4;
    }
    return std::max(m_pPath->GetPointCount() - 1, 0);
}

CPoint CGraphLink::GetHandle(int handle) const {
    return m_pPath ? m_pPath->GetHandle(handle) : CDrawingObject::GetHandle(handle);
}

int CGraphLink::GetHandleCursor(int handle) const {
    return m_pPath ? m_pPath->GetHandleCursor(handle) : CDrawingObject::GetHandleCursor(handle);
}

// --- following the nodes -----------------------------------------------------

void CGraphLink::NodeWillMove(CGraphNode* node, CDrawingView* view) {
    if (node == nullptr || !m_pPath) {
        return;
    }
    const int count = m_pPath->GetPointCount();
    if (count < 2) {
        return;
    }
    auto putAt = [&](int index, CPoint point) {
        m_pPath->MoveHandleTo(index + 1, point.x, point.y, view);
    };
    if (node == m_pFrom) {
        putAt(0, m_pFrom->GetAnchor());
        if (count == 2 && m_pTo != nullptr) {
            putAt(1, m_pTo->GetAnchor());
        }
    }
    if (node == m_pTo) {
        putAt(count - 1, m_pTo->GetAnchor());
        if (count == 2 && m_pFrom != nullptr) {
            putAt(0, m_pFrom->GetAnchor());
        }
    }
    m_rect = m_pPath->GetRect();
}

void CGraphLink::NodeMoved(int dx, int dy, CGraphNode* node, CDrawingView* view) {
    if (node == nullptr || !m_pPath) {
        return;
    }
    const int count = m_pPath->GetPointCount();
    if (count < 1) {
        return;
    }
    const CSize delta(dx, dy);
    if (node == m_pFrom) {
        const CPoint moved = m_pPath->GetPoint(0) + delta;
        m_pPath->MoveHandleTo(1, moved.x, moved.y, view);
    }
    if (node == m_pTo) {
        const CPoint moved = m_pPath->GetPoint(count - 1) + delta;
        m_pPath->MoveHandleTo(count, moved.x, moved.y, view);
    }
    m_rect = m_pPath->GetRect();
}

void CGraphLink::NodeHasMoved(CGraphNode* node, CDrawingView* view) {
    if (node == nullptr || (node != m_pFrom && node != m_pTo)) {
        return;
    }
    ConnectEnd(m_pFrom, view);
    ConnectEnd(m_pTo, view);
    UpdateDecorations(view);
}

bool CGraphLink::HasSelectedEnd() const {
    return (m_pFrom != nullptr && m_pFrom->IsSelected()) ||
           (m_pTo != nullptr && m_pTo->IsSelected());
}

CGraphNode* CGraphLink::GetOtherNode(const CGraphNode* node) const {
    return node == m_pFrom ? m_pTo : m_pFrom;
}

bool CGraphLink::Connect(CGraphNode* from, CGraphNode* to, int portIndex) {
    const int count = m_pPath ? m_pPath->GetPointCount() : 0;
    if (count >= 2) {
        if (from != nullptr) {
            const CPoint terminal = from->GetTerminalPoint(m_pPath->GetPoint(1), portIndex);
            if (terminal.x > 0 && terminal.y > 0) {
                m_pPath->SetPoint(terminal.x, terminal.y, 0);
            }
        }
        if (to != nullptr) {
            const CPoint terminal = to->GetTerminalPoint(m_pPath->GetPoint(count - 2), portIndex);
            if (terminal.x > 0 && terminal.y > 0) {
                m_pPath->SetPoint(terminal.x, terminal.y, count - 1);
            }
        }
        m_rect = m_pPath->GetRect();
    }
    m_pFrom = from;
    m_pTo = to;
    return true;
}

void CGraphLink::Disconnect(CDrawingView* view) {
    if (m_pFrom != nullptr) {
        m_pFrom->RemoveLink(this, view);
    }
    if (m_pTo != nullptr) {
        m_pTo->RemoveLink(this, view);
    }
}

void CGraphLink::ConnectEnd(CGraphNode* node, CDrawingView* view) {
    if (!m_pPath) {
        return;
    }
    Invalidate(view);
    const int count = m_pPath->GetPointCount();
    const CPoint none;
    if (count >= 2) {
        const int last = count - 1;
        if ((node == nullptr || node == m_pFrom) && m_pFrom != nullptr) {
            CPoint neighbour = m_pPath->GetPoint(1);
            if (count == 2 && m_pTo != nullptr) {
                const CPoint onTo = m_pTo->GetOutlinePoint(m_pPath->GetPoint(0), view);
                if (onTo != none) {
                    neighbour = onTo;
                    m_pPath->SetPoint(onTo.x, onTo.y, 1);
                }
            }
            m_offOutLabel = CPoint();
            const CPoint end = m_pFrom->GetOutlinePoint(neighbour, view);
            if (end != none) {
                m_pPath->SetPoint(end.x, end.y, 0);
            }
        }
        if ((node == nullptr || node == m_pTo) && m_pTo != nullptr) {
            CPoint neighbour = m_pPath->GetPoint(last - 1);
            if (count == 2 && m_pFrom != nullptr) {
                const CPoint onFrom = m_pFrom->GetOutlinePoint(m_pPath->GetPoint(last), view);
                if (onFrom != none) {
                    neighbour = onFrom;
                    m_pPath->SetPoint(onFrom.x, onFrom.y, 0);
                }
            }
            m_offInLabel = CPoint();
            const CPoint end = m_pTo->GetOutlinePoint(neighbour, view);
            if (end != none) {
                m_pPath->SetPoint(end.x, end.y, last);
            }
        }
        m_rect = m_pPath->GetRect();
    }
    Invalidate(view);
}

// --- decorations -------------------------------------------------------------

void CGraphLink::UpdateDecorations(CDrawingView* view) {
    const int count = m_pPath ? m_pPath->GetPointCount() : 0;
    if (m_pArrow && count >= 2) {
        InvalidatePart(m_pArrow.get(), view);
        const CPoint tip = m_pPath->GetPoint(count - 1);
        const CPoint before = m_pPath->GetPoint(count - 2);
        const CRect head = m_pArrow->GetRect();
        const int width = head.Width();
        const int height = head.Height();
        const int32_t top = geometry::WrapSub(tip.y, height / 2);
        m_pArrow->SetBoundsRect(
            CRect(tip.x, top, geometry::WrapAdd(tip.x, width), geometry::WrapAdd(top, height)));
        const double dx = static_cast<double>(tip.x) - before.x;
        const double dy = static_cast<double>(tip.y) - before.y;
        const double length = std::hypot(dx, dy);
        const CPoint pivot(0, height / 2);
        if (length > 0.0) {
            m_pArrow->SetRotation(dy / length, dx / length, &pivot);
        } else {
            m_pArrow->SetRotation(0.0, 1.0, &pivot);
        }
        InvalidatePart(m_pArrow.get(), view);
    }
    if (m_pFrom != nullptr) {
        std::lock_guard lock(m_csOutLabel);
        if (m_pOutLabel) {
            PlaceLabel(DRAG_OUT_LABEL, m_pFrom, m_pOutLabel.get(), view);
        }
    }
    if (m_pTo != nullptr) {
        std::lock_guard lock(m_csInLabel);
        if (m_pInLabel) {
            PlaceLabel(DRAG_IN_LABEL, m_pTo, m_pInLabel.get(), view);
        }
    }
}

void CGraphLink::PlaceLabel(int end, CGraphNode* node, CDrawText* label, CDrawingView* view) {
    const int count = m_pPath ? m_pPath->GetPointCount() : 0;
    if (node == nullptr || label == nullptr || count < 2) {
        return;
    }
    InvalidatePart(label, view);
    FitToText(*label);

    const bool outEnd = end == DRAG_OUT_LABEL;
    const CPoint e = m_pPath->GetPoint(outEnd ? 0 : count - 1);
    const CPoint f = m_pPath->GetPoint(outEnd ? 1 : count - 2);
    const CDrawingObject* shape = node->GetShape();
    const CPoint c = shape != nullptr ? shape->GetRect().CenterPoint() : node->GetAnchor();

    // Room for the arrow head along the segment, and half its height across.
    double clearX = kNoArrowClearance.cx;
    double clearY = kNoArrowClearance.cy;
    if (m_pArrow) {
        clearX = m_pArrow->GetRect().Width();
        clearY = m_pArrow->GetRect().Height();
    }
    if (outEnd || !m_pArrow) {
        clearX /= 2.0;
    }

    // The quadrant of the segment around the node chooses the text format.
    unsigned format = DT_SINGLELINE;
    if (f.x < c.x) {
        format |= f.y < c.y ? DT_RIGHT : DT_RIGHT | DT_BOTTOM;
    } else if (c.y < f.y) {
        format |= DT_BOTTOM;
    }

    // Direction of the end segment away from the node (from the centre towards
    // the next vertex when the segment has no length).
    double ux = static_cast<double>(f.x) - e.x;
    double uy = static_cast<double>(f.y) - e.y;
    if (ux == 0.0 && uy == 0.0) {
        ux = static_cast<double>(f.x) - c.x;
        uy = static_cast<double>(f.y) - c.y;
    }
    if (ux == 0.0 && uy == 0.0) {
        ux = 1.0;
    }
    const double length = std::hypot(ux, uy);
    ux /= length;
    uy /= length;

    // The label hangs from its corner nearest the segment: it spreads along x
    // the way the segment goes and along y against it, so the whole label lies
    // on one side of the segment's line.
    const double w = label->GetRect().Width();
    const double h = label->GetRect().Height();
    const double spreadX = ux >= 0.0 ? 1.0 : -1.0;
    const double spreadY = (uy > 0.0 || (uy == 0.0 && ux < 0.0)) ? -1.0 : 1.0;
    const double side = (ux * spreadY - uy * spreadX) >= 0.0 ? 1.0 : -1.0;
    const double nx = -uy * side;
    const double ny = ux * side;
    // Far enough along the segment that no part of the label reaches back past
    // the clearance towards the node, and at least 3 units off the segment.
    const double back = std::min(0.0, spreadX * w * ux) + std::min(0.0, spreadY * h * uy);
    const double along = clearX - back;
    const double across = std::max(3.0, clearY / 2.0);
    const int32_t cornerX = drawgeom::RoundToCoordinate(e.x + ux * along + nx * across);
    const int32_t cornerY = drawgeom::RoundToCoordinate(e.y + uy * along + ny * across);
    const int32_t width = static_cast<int32_t>(w);
    const int32_t height = static_cast<int32_t>(h);
    const int32_t left = spreadX > 0.0 ? cornerX : geometry::WrapSub(cornerX, width);
    const int32_t top = spreadY > 0.0 ? cornerY : geometry::WrapSub(cornerY, height);
    label->SetRect(
        CRect(left, top, geometry::WrapAdd(left, width), geometry::WrapAdd(top, height)));
    label->SetFormat(format);
    FitToText(*label);
    InvalidatePart(label, view);
}

void CGraphLink::ShowOutLabel(bool show, CDrawingView* view) {
    m_bShowOutLabel = show ? 1 : 0;
    std::lock_guard lock(m_csOutLabel);
    InvalidatePart(m_pOutLabel.get(), view);
}

void CGraphLink::ShowInLabel(bool show, CDrawingView* view) {
    m_bShowInLabel = show ? 1 : 0;
    std::lock_guard lock(m_csInLabel);
    InvalidatePart(m_pInLabel.get(), view);
}

// --- online ------------------------------------------------------------------

void CGraphLink::SwapInValueLabel(std::unique_ptr<CDrawText>& slot, int& show, CDrawingView* view) {
    InvalidatePart(slot.get(), view);
    auto value = std::make_unique<CConfGraphIOParameter>(*slot, show);
    value->SetText(value->GetText(), true);
    slot = std::move(value);
}

void CGraphLink::SwapOutValueLabel(std::unique_ptr<CDrawText>& slot, int& show,
                                   CDrawingView* view) {
    auto* value = dynamic_cast<CConfGraphIOParameter*>(slot.get());
    if (value == nullptr) {
        return;
    }
    show = value->GetSavedShow();
    InvalidatePart(value, view);
    if (value->GetPortLabel() != nullptr) {
        std::unique_ptr<CDrawText> port = value->TakePortLabel();
        port->SetText(port->GetText(), true);
        slot = std::move(port);
    }
}

void CGraphLink::InvalidateLabels(CDrawingView* view) {
    {
        std::lock_guard lock(m_csOutLabel);
        InvalidatePart(m_pOutLabel.get(), view);
    }
    std::lock_guard lock(m_csInLabel);
    InvalidatePart(m_pInLabel.get(), view);
}

void CGraphLink::BeginOnline(CDrawingView* view) {
    if (m_bOnline) {
        return;
    }
    EnterOnlineMode(view);
    if (m_pFrom != nullptr) {
        std::lock_guard lock(m_csOutLabel);
        if (m_pOutLabel) {
            SwapInValueLabel(m_pOutLabel, m_bShowOutLabel, view);
        }
    }
    if (m_pTo != nullptr) {
        std::lock_guard lock(m_csInLabel);
        if (m_pInLabel) {
            SwapInValueLabel(m_pInLabel, m_bShowInLabel, view);
            // Both ends would show the same value: only the output end does.
            m_bShowInLabel = 0;
        }
    }
    m_bValuesWanted = true;
    InvalidateLabels(view);
}

void CGraphLink::EndOnline(CDrawingView* view) {
    m_bValuesWanted = false;
    LeaveOnlineMode(view);
    if (m_pFrom != nullptr) {
        std::lock_guard lock(m_csOutLabel);
        SwapOutValueLabel(m_pOutLabel, m_bShowOutLabel, view);
    }
    if (m_pTo != nullptr) {
        std::lock_guard lock(m_csInLabel);
        SwapOutValueLabel(m_pInLabel, m_bShowInLabel, view);
    }
    UpdateDecorations(view);
    InvalidateLabels(view);
}

void CGraphLink::SetOnlineValue(CDrawingView* view, const std::string& value) {
    if (!m_bValuesWanted) {
        return;
    }
    {
        std::lock_guard lock(m_csOutLabel);
        if (m_pOutLabel) {
            m_pOutLabel->SetOnlineValue(view, value);
        }
    }
    std::lock_guard lock(m_csInLabel);
    if (m_pInLabel) {
        m_pInLabel->SetOnlineValue(view, value);
    }
}

// --- parts -------------------------------------------------------------------

void CGraphLink::SetPath(const CDrawPolyline& route) {
    m_pPath = ClonePolyline(&route);
    if (m_pPath) {
        m_pPath->SetDocument(m_pDocument);
        m_pPath->RecalcBounds(nullptr);
        m_rect = m_pPath->GetRect();
    }
}

void CGraphLink::SetOutLabel(const CDrawText* label) {
    std::lock_guard lock(m_csOutLabel);
    m_pOutLabel = CloneText(label);
    if (m_pOutLabel) {
        m_pOutLabel->SetLoop(m_nLoop);
    }
}

void CGraphLink::SetInLabel(const CDrawText* label) {
    std::lock_guard lock(m_csInLabel);
    m_pInLabel = CloneText(label);
    if (m_pInLabel) {
        m_pInLabel->SetLoop(m_nLoop);
    }
}

std::string CGraphLink::GetOutPortText() const {
    std::lock_guard lock(m_csOutLabel);
    return PortTextOf(m_pOutLabel.get());
}

std::string CGraphLink::GetInPortText() const {
    std::lock_guard lock(m_csInLabel);
    return PortTextOf(m_pInLabel.get());
}
