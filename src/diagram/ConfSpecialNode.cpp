#include "diagram/ConfSpecialNode.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "diagram/ConfCommNode.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawingGeometry.h"
#include "diagram/DrawingView.h"
#include "diagram/GraphLink.h"
#include "model/Configuration.h"
#include "platform/Archive.h"
#include "platform/gui/DC.h"

IMPLEMENT_SERIAL(CConfSpecialNode, CGraphNode, 2)

namespace {

// Each link reference takes at least its two-byte object tag.
constexpr std::size_t kMinReferenceBytes = 2;

// Gives a shape the rectangle: a polyline's vertices are stretched from their
// bounds to it, any other shape just takes it.
void FitShapeTo(CDrawingObject& shape, const CRect& box) {
    auto* polyline = dynamic_cast<CDrawPolyline*>(&shape);
    if (polyline == nullptr || polyline->GetPointCount() == 0) {
        shape.SetRect(box);
        return;
    }
    const CRect old = polyline->GetRect();
    const double scaleX = old.Width() != 0 ? static_cast<double>(box.Width()) / old.Width() : 0.0;
    const double scaleY =
        old.Height() != 0 ? static_cast<double>(box.Height()) / old.Height() : 0.0;
    std::vector<CPoint> points;
    points.reserve(static_cast<std::size_t>(polyline->GetPointCount()));
    for (int i = 0; i < polyline->GetPointCount(); ++i) {
        const CPoint p = polyline->GetPoint(i);
        points.emplace_back(
            drawgeom::RoundToCoordinate(box.left + (static_cast<double>(p.x) - old.left) * scaleX),
            drawgeom::RoundToCoordinate(box.top + (static_cast<double>(p.y) - old.top) * scaleY));
    }
    polyline->SetPoints(points.data(), static_cast<int>(points.size()));
}

}  // namespace

CConfSpecialNode::CConfSpecialNode() = default;

CConfSpecialNode::CConfSpecialNode(int kind, const CDrawingObject& prototype,
                                   std::unique_ptr<CDrawText> label)
    : m_nKind(kind) {
    m_pShape = prototype.Clone();
    m_rect = m_pShape->GetRect();
    m_pName = std::move(label);
    if (m_pName) {
        m_pName->SetBkMode(TRANSPARENT);
        m_pName->SetFormat(DT_CENTER | DT_VCENTER);
    }
    FitToLabel();
}

CConfSpecialNode::CConfSpecialNode(const CConfSpecialNode& other)
    : CGraphNode(other),
      m_nKind(other.m_nKind),
      m_pOwner(other.m_pOwner),
      m_strText(other.m_strText) {}

CConfSpecialNode::~CConfSpecialNode() = default;

std::unique_ptr<CDrawingObject> CConfSpecialNode::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CConfSpecialNode(*this));
}

std::unique_ptr<CDrawPolyline> CConfSpecialNode::MakeArrowBox(const CRect& box) {
    const int32_t tip = box.Height() / 2;
    const int32_t shoulder = std::max(box.left, geometry::WrapSub(box.right, tip));
    const CPoint points[] = {{box.left, box.top},
                             {shoulder, box.top},
                             {box.right, drawgeom::Middle(box.top, box.bottom)},
                             {shoulder, box.bottom},
                             {box.left, box.bottom}};
    auto shape = std::make_unique<CDrawPolyline>(points, 5, true);
    LOGPEN pen;
    pen.lopnStyle = PS_SOLID;
    pen.lopnWidth = CPoint(1, 1);
    pen.lopnColor = RGB(0, 0, 0);
    shape->SetLogPen(pen);
    shape->SetLogBrush(LOGBRUSH{BS_SOLID, RGB(255, 255, 255), 0});
    return shape;
}

std::string CConfSpecialNode::LoopLabel(int loop, const std::string& name,
                                        const std::string& number) {
    const std::string prefix =
        loop == CConfiguration::kLoopG ? std::string("LG:") : "L" + std::to_string(loop) + ":";
    return prefix + name + "-" + number;
}

std::unique_ptr<CConfSpecialNode> CConfSpecialNode::CreateConnector(int kind,
                                                                    const std::string& text,
                                                                    CPoint anchor) {
    auto label = std::make_unique<CDrawText>(CRect(anchor, anchor), text);
    label->SetFontSize(kFontSize, true);
    CRect box = label->GetRect();
    box.InflateRect(kLabelMargin, kLabelMargin);
    const std::unique_ptr<CDrawPolyline> prototype = MakeArrowBox(box);

    std::unique_ptr<CConfSpecialNode> connector;
    if (kind == KIND_COMM) {
        connector = std::make_unique<CConfCommNode>(*prototype, std::move(label));
    } else {
        connector = std::make_unique<CConfSpecialNode>(kind, *prototype, std::move(label));
    }
    connector->SetText(text);
    connector->Offset(anchor - connector->GetAnchor(), nullptr);
    return connector;
}

// --- storage -----------------------------------------------------------------

void CConfSpecialNode::Serialize(CArchive& ar) {
    UpdateSchema(ar);
    CDrawingObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteObject(m_pShape.get());
        ar.WriteObject(m_pName.get());
        ar.WriteObject(m_pOwner);
        ar.WriteString(m_strText);
        ar.WriteInt32(m_nKind);
        ar.WriteInt32(static_cast<int32_t>(m_links.size()));
        for (const CGraphLink* link : m_links) {
            ar.WriteObject(link);
        }
        return;
    }
    m_pShape = ar.ReadOwned<CDrawingObject>();
    m_pName = ar.ReadOwned<CDrawText>();
    m_pNumber.reset();
    m_pOwner = static_cast<CGraphNode*>(ar.ReadObject(RUNTIME_CLASS(CGraphNode)));
    m_strText = ar.ReadString();
    m_nKind = ar.ReadInt32();
    const int32_t count = ar.ReadInt32();
    if (count < 0 || static_cast<std::size_t>(count) > ar.GetRemaining() / kMinReferenceBytes) {
        ar.ThrowMalformed(CArchiveException::badCount,
                          "Link count " + std::to_string(count) + " exceeds the data");
    }
    m_links.clear();
    for (int32_t i = 0; i < count; ++i) {
        if (CObject* link = ar.ReadObject(RUNTIME_CLASS(CGraphLink))) {
            m_links.push_back(static_cast<CGraphLink*>(link));
        }
    }
    for (CDrawingObject* part : {m_pShape.get(), static_cast<CDrawingObject*>(m_pName.get())}) {
        if (part != nullptr && part->GetLoop() == 0) {
            part->SetLoop(m_nLoop);
        }
    }
}

void CConfSpecialNode::SetLoop(int loop) {
    CGraphNode::SetLoop(loop);
    for (CDrawingObject* part : {m_pShape.get(), static_cast<CDrawingObject*>(m_pName.get())}) {
        if (part != nullptr) {
            part->SetLoop(loop);
        }
    }
}

// --- drawing and geometry ----------------------------------------------------

void CConfSpecialNode::Draw(CDC& dc) const {
    if (m_pShape) {
        m_pShape->Draw(dc);
    }
    if (m_pName) {
        m_pName->Draw(dc);
    }
}

void CConfSpecialNode::SetRect(const CRect& rect) {
    CDrawingObject::SetRect(rect);
    if (m_pShape) {
        m_rect = m_pShape->GetRect();
    }
}

CPoint CConfSpecialNode::GetOutlinePoint(CPoint /*toward*/, CDrawingView* /*view*/) const {
    return GetAnchor();
}

CPoint CConfSpecialNode::GetTerminalPoint(CPoint /*neighbour*/, int /*portIndex*/) const {
    return GetAnchor();
}

CPoint CConfSpecialNode::GetAnchor() const {
    const auto* box = dynamic_cast<const CDrawPolyline*>(m_pShape.get());
    if (box != nullptr && m_nKind == KIND_OUTGOING && box->GetPointCount() >= 5) {
        return CPoint(box->GetPoint(0).x, drawgeom::Middle(box->GetPoint(0).y, box->GetPoint(4).y));
    }
    if (box != nullptr && m_nKind == KIND_INCOMING && box->GetPointCount() >= 3) {
        return box->GetPoint(2);
    }
    return CGraphNode::GetAnchor();
}

void CConfSpecialNode::FitToLabel() {
    if (!m_pName || !m_pShape) {
        return;
    }
    m_pName->SetRect(m_pName->CalcTextRect());
    CRect box = m_pName->GetRect();
    box.InflateRect(kLabelMargin, kLabelMargin);
    FitShapeTo(*m_pShape, box);
    m_rect = m_pShape->GetRect();
}

void CConfSpecialNode::OrientToLink(CDrawingView* view) {
    CGraphLink* link = GetLink();
    if (link == nullptr) {
        return;
    }
    auto* box = dynamic_cast<CDrawPolyline*>(m_pShape.get());
    const CDrawPolyline* route = link->GetPath();
    const int count = route != nullptr ? route->GetPointCount() : 0;
    if (box == nullptr || box->GetPointCount() < 5 || count < 2 ||
        (m_nKind != KIND_OUTGOING && m_nKind != KIND_INCOMING)) {
        link->UpdateDecorations(view);
        return;
    }
    const bool incoming = m_nKind == KIND_INCOMING;
    const CPoint e = route->GetPoint(incoming ? 0 : count - 1);
    const CPoint f = route->GetPoint(incoming ? 1 : count - 2);
    const bool right = incoming ? f.x >= e.x : e.x >= f.x;

    std::vector<CPoint> points(box->GetPointData(), box->GetPointData() + box->GetPointCount());
    const int32_t w = m_pName ? std::max(m_pName->GetRect().Width(), 0) : 0;
    int32_t h = m_pName ? m_pName->GetRect().Height() : 0;
    if (h < 1) {
        h = geometry::WrapSub(points[4].y, points[0].y);
    }
    const int64_t s = right ? 1 : -1;
    const int32_t x0 = points[0].x;
    const int32_t y1 = points[1].y;
    // Sums in 64 bits, wrapped back like every other coordinate.
    auto at = [](int32_t base, int64_t step) { return static_cast<int32_t>(base + step); };
    points[1] = CPoint(at(x0, s * (int64_t{w} + 3)), y1);
    points[2] = CPoint(at(x0, s * (int64_t{w} + h)), at(y1, h / 2));
    points[3] = CPoint(at(x0, s * (int64_t{w} + 3)), at(y1, h));
    points[4] = CPoint(points[4].x, at(y1, h));

    Invalidate(view);
    box->SetPoints(points.data(), static_cast<int>(points.size()));
    const CRect bounds = box->GetRect();
    const int32_t top = geometry::WrapSub(e.y, bounds.Height() / 2);
    // The anchor goes onto the link's end: the box starts there when the link
    // comes from the left, ends there when it goes on to the right. An outgoing
    // connector straight above or below its link's end stays where it is.
    if (f.x < e.x) {
        box->SetBoundsRect(CRect(CPoint(e.x, top), bounds.Size()));
    } else if (e.x < f.x || incoming) {
        box->SetBoundsRect(
            CRect(CPoint(geometry::WrapSub(e.x, bounds.Width()), top), bounds.Size()));
    }
    m_rect = box->GetRect();
    // The text sits in the box beside the tip: after the back edge when the box
    // points right, after the tip when it points left.
    if (m_pName) {
        const CPoint corner(geometry::WrapAdd(m_rect.left, right ? 3 : h - 1), m_rect.top);
        m_pName->MoveTo(CRect(corner, m_pName->GetRect().Size()), view);
    }
    Invalidate(view);
    link->UpdateDecorations(view);
}

// --- links -------------------------------------------------------------------

CGraphLink* CConfSpecialNode::GetLink() const {
    return m_links.empty() ? nullptr : m_links.front();
}

void CConfSpecialNode::AddLink(CGraphLink* link) {
    if (link == nullptr) {
        return;
    }
    CGraphNode::AddLink(link);
    if (auto* block = dynamic_cast<CConfGraphNode*>(link->GetOtherNode(this))) {
        block->AddConnector(this);
    }
}

void CConfSpecialNode::RemoveLink(CGraphLink* link, CDrawingView* view) {
    // A link dropped already has been answered for on the other loop.
    if (link == nullptr || !HasLink(link)) {
        return;
    }
    CGraphNode* other = link->GetOtherNode(this);
    if (other != nullptr && view != nullptr && m_pOwner != nullptr &&
        link->GetOutLabel() != nullptr && link->GetInLabel() != nullptr) {
        m_pOwner->RemoveRemoteLink(other, link->GetOutPortText(), link->GetInPortText(), view);
    }
    if (auto* block = dynamic_cast<CConfGraphNode*>(other)) {
        block->DetachConnector(this);
    }
    CGraphNode::RemoveLink(link, view);
}

void CConfSpecialNode::DeleteLinks(CDrawingView* view) {
    for (CGraphLink* link : std::vector<CGraphLink*>(m_links)) {
        if (link == nullptr) {
            continue;
        }
        if (CGraphNode* other = link->GetOtherNode(this)) {
            other->RemoveLink(link, view);
        }
        CGraphNode::RemoveLink(link, view);
        if (view != nullptr) {
            view->SelectObject(link, true);
            view->DeleteObject(link);
        }
    }
}
