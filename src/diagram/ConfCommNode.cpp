#include "diagram/ConfCommNode.h"

#include "diagram/ConfGraphNode.h"
#include "diagram/DrawingGeometry.h"
#include "diagram/GraphLink.h"

IMPLEMENT_SERIAL(CConfCommNode, CConfSpecialNode, 2)

CConfCommNode::CConfCommNode() {
    m_nKind = KIND_COMM;
}

CConfCommNode::CConfCommNode(const CDrawingObject& prototype, std::unique_ptr<CDrawText> label)
    : CConfSpecialNode(KIND_COMM, prototype, std::move(label)) {}

CConfCommNode::CConfCommNode(const CConfCommNode& other) = default;

CConfCommNode::~CConfCommNode() = default;

std::unique_ptr<CDrawingObject> CConfCommNode::Clone() const {
    return std::unique_ptr<CDrawingObject>(new CConfCommNode(*this));
}

CPoint CConfCommNode::GetOutlinePoint(CPoint toward, CDrawingView* /*view*/) const {
    CRect box = m_pShape ? m_pShape->GetRect() : m_rect;
    box.NormalizeRect();
    const bool withinWidth = toward.x >= box.left && toward.x <= box.right;
    if (withinWidth && toward.y < box.top) {
        return CPoint(drawgeom::Middle(box.left, box.right), box.top);
    }
    if (withinWidth && toward.y > box.bottom) {
        return CPoint(drawgeom::Middle(box.left, box.right), box.bottom);
    }
    if (toward.x < box.left) {
        return CPoint(box.left, drawgeom::Middle(box.top, box.bottom));
    }
    return CPoint(box.right, drawgeom::Middle(box.top, box.bottom));
}

CPoint CConfCommNode::GetTerminalPoint(CPoint neighbour, int /*portIndex*/) const {
    return GetOutlinePoint(neighbour, nullptr);
}

void CConfCommNode::RemoveLink(CGraphLink* link, CDrawingView* view) {
    if (link == nullptr) {
        return;
    }
    if (auto* block = dynamic_cast<CConfGraphNode*>(link->GetOtherNode(this))) {
        block->DetachConnector(this);
    }
    CGraphNode::RemoveLink(link, view);
}

CPoint CConfCommNode::GetAnchor() const {
    const CGraphLink* link = GetLink();
    const CDrawPolyline* route = link != nullptr ? link->GetPath() : nullptr;
    if (route == nullptr || route->GetPointCount() == 0) {
        return CGraphNode::GetAnchor();
    }
    return link->GetFrom() == this ? route->GetFirstPoint() : route->GetLastPoint();
}

void CConfCommNode::OrientToLink(CDrawingView* view) {
    if (CGraphLink* link = GetLink()) {
        link->UpdateDecorations(view);
    }
}
