#include "editing/LinkTool.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

#include "diagram/BlockServices.h"
#include "diagram/ConfCommNode.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/ConfSpecialNode.h"
#include "diagram/GraphLink.h"
#include "diagram/RectHandles.h"
#include "document/ConfDoc.h"
#include "editing/ActionIds.h"
#include "editing/AddBrokedLinkAction.h"
#include "editing/AddCommLinkAction.h"
#include "editing/AddLinkAction.h"
#include "editing/EditKeys.h"
#include "editing/LoopEditor.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"

using namespace editkeys;

namespace {

// A bend clicked this close to the one before (half the side of a square) is a
// slip of the hand: one more than the larger side of the arrow head.
constexpr int kBendSlack =
    std::max(CGraphLink::kDefaultArrowSize.cx, CGraphLink::kDefaultArrowSize.cy) + 1;
// Where the incoming connector of a broken link goes when no bend was clicked
// before the destination: this far left of it.
constexpr int kIncomingGap = 40;

std::vector<std::string> SplitPorts(const std::string& ports) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < ports.size()) {
        const std::size_t end = ports.find(';', start);
        const std::size_t stop = end == std::string::npos ? ports.size() : end;
        if (stop > start) {
            names.push_back(ports.substr(start, stop - start));
        }
        start = stop + 1;
    }
    return names;
}

CRect NormalRect(const CGraphNode& node) {
    CRect rect = node.GetRect();
    rect.NormalizeRect();
    return rect;
}

// The text of a connector naming the block node at the link's other end.
std::string ConnectorText(const CGraphNode& node) {
    return CConfSpecialNode::LoopLabel(node.GetLoop(), node.GetName(), node.GetNumberText());
}

}  // namespace

CLinkTool::CLinkTool() : CPolyTool(false) {}
CLinkTool::~CLinkTool() = default;

bool CLinkTool::HasCommunicationPoints(CLoopEditor& view) {
    const CBlock* scan = view.GetDocument()->FindBlockByNumber(kScanBlockNumber);
    const CLoop* general = view.GetDocument()->GetLoop(CConfiguration::kLoopG);
    return scan != nullptr && general != nullptr &&
           view.GetDocument()->FindLoopOfBlock(*scan) == general;
}

void CLinkTool::SetCursor(CLoopEditor& view) {
    view.SetToolCursor(m_bBroken ? CLoopEditor::CURSOR_BROKEN_LINK : CLoopEditor::CURSOR_LINK);
}

// --- press and move ---------------------------------------------------------------

void CLinkTool::OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point) {
    CPoint logical = view.DPtoLP(point);
    m_nMode = MODE_IDLE;
    m_bPressedOnSelection = false;
    if (m_nStage == STAGE_IDLE) {
        PressIdle(view, flags, logical);
    }
    view.SnapPoint(logical);
    m_down = point;
    s_lastPoint = logical;
    m_bButtonDown = true;
    view.CaptureMouse();
}

void CLinkTool::PressIdle(CLoopEditor& view, unsigned flags, CPoint logical) {
    CDrawingObject* hit = view.GraphObjectAt(logical);
    if (hit == nullptr) {
        return;
    }
    view.ClosePendingAction();
    const bool shift = (flags & MK_SHIFT) != 0;
    if (!view.IsInSelection(hit)) {
        view.Select(hit, shift);
    } else if (shift) {
        view.Deselect(hit);
    }
    m_bPressedOnSelection =
        dynamic_cast<CGraphNode*>(hit) != nullptr && view.IsInSelection(hit) && !shift;
}

void CLinkTool::OnMouseMove(CLoopEditor& view, unsigned flags, CPoint point) {
    CPoint logical = view.DPtoLP(point);
    view.SnapPoint(logical);
    const bool leftHeld = m_bButtonDown && (flags & MK_LBUTTON) != 0;
    if (m_nStage == STAGE_IDLE) {
        if (leftHeld && (flags & MK_SHIFT) == 0 &&
            (m_nMode == MODE_MOVE || (m_bPressedOnSelection && IsPastThreshold(m_down, point)))) {
            MoveGroup(view, point, logical);
            return;
        }
        SetCursor(view);
        if (!m_bButtonDown && view.GraphNodeAt(view.DPtoLP(point)) == nullptr) {
            view.UseBlockTool();
            return;
        }
    } else if (m_nStage == STAGE_ROUTE) {
        FollowMouse(view, flags, logical);
        SetCursor(view);
    }
    s_lastPoint = logical;
}

// The selected nodes and links go with the mouse; the move is one entry.
void CLinkTool::MoveGroup(CLoopEditor& view, CPoint point, CPoint logical) {
    m_nMode = MODE_MOVE;
    view.SetToolCursor(IDC_SIZEALL);
    MoveSelection(view, logical, true);
    view.AutoScroll(point);
    s_lastPoint = logical;
}

void CLinkTool::FollowMouse(CLoopEditor& view, unsigned flags, CPoint logical) {
    if (m_points.size() < 2) {
        return;
    }
    view.AutoScroll(view.LPtoDP(logical));
    RepaintRoute(view);
    m_points.back() = Constrain(logical, m_points[m_points.size() - 2], flags);
    RepaintRoute(view);
}

// --- release ----------------------------------------------------------------------

void CLinkTool::OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) {
    const bool wasDown = m_bButtonDown;
    m_bButtonDown = false;
    view.ReleaseMouse();
    if ((flags & MK_SHIFT) != 0 || !wasDown) {
        return;
    }
    if (m_nMode == MODE_MOVE) {
        m_nMode = MODE_IDLE;
        CLoopAction* pending = view.GetPendingAction();
        if (pending != nullptr && !pending->IsDone() && !pending->IsClosed()) {
            pending->Do();
        }
        return;
    }
    CPoint logical = view.DPtoLP(point);
    view.SnapPoint(logical);
    auto* node = dynamic_cast<CConfGraphNode*>(view.GraphNodeAt(view.DPtoLP(point)));
    if (m_nStage == STAGE_IDLE) {
        if (node != nullptr) {
            ChooseSource(view, node, logical);
        }
    } else if (m_nStage == STAGE_ROUTE) {
        if (!NodesAreValid(view)) {
            CancelLink(view);
        } else if (node != nullptr) {
            ChooseDestination(view, node, logical);
        } else {
            AddBend(view, flags, logical);
        }
    }
}

void CLinkTool::ChooseSource(CLoopEditor& view, CConfGraphNode* node, CPoint logical) {
    std::string ports;
    if (!node->GetOutputPorts(&view, ports)) {
        return;
    }
    m_pSource = node;
    m_nSourceLoop = node->GetLoop();
    m_nStage = STAGE_SOURCE_PORT;
    OfferPorts(view, *node, ports, false, logical);
}

void CLinkTool::OfferPorts(CLoopEditor& view, CConfGraphNode& node, const std::string& ports,
                           bool inputs, CPoint logical) {
    m_offered = SplitPorts(ports);
    view.OpenPortSelection(node, m_offered, inputs, view.LPtoDP(logical));
}

void CLinkTool::AddBend(CLoopEditor& view, unsigned flags, CPoint logical) {
    RepaintRoute(view);
    if (m_points.empty()) {
        // The second half of a broken link starts where its connector goes.
        m_points = {logical, logical};
    } else {
        if (m_points.size() >= 2) {
            m_points.back() = Constrain(logical, m_points[m_points.size() - 2], flags);
        }
        m_points.push_back(m_points.back());
    }
    RepaintRoute(view);
}

void CLinkTool::ChooseDestination(CLoopEditor& view, CConfGraphNode* node, CPoint logical) {
    RepaintRoute(view);
    const CRect rect = NormalRect(*node);
    if (m_points.empty()) {
        const CPoint anchor(rect.left - kIncomingGap, rect.CenterPoint().y);
        m_points = {anchor, rect.CenterPoint()};
    } else {
        m_points.back() = logical;
    }
    TrimDestinationRoute(*node);
    std::string ports;
    if (!node->GetFreeInputPorts(&view, ports)) {
        // Every input has its source already.
        CancelLink(view);
        return;
    }
    m_pDest = node;
    m_nStage = STAGE_DEST_PORT;
    RepaintRoute(view);
    OfferPorts(view, *node, ports, true, logical);
}

// A last bend inside the destination, or on top of the bend before it, was
// only the approach to the node. A link back into its own block goes around
// the node's top.
void CLinkTool::TrimDestinationRoute(const CConfGraphNode& node) {
    const CRect rect = NormalRect(node);
    if (m_points.size() > 2) {
        const CPoint bend = m_points[m_points.size() - 2];
        const CPoint before = m_points[m_points.size() - 3];
        const bool nearBefore =
            std::abs(bend.x - before.x) <= kBendSlack && std::abs(bend.y - before.y) <= kBendSlack;
        if (rect.PtInRect(bend) || nearBefore) {
            m_points.erase(m_points.end() - 2);
        }
    }
    if (!m_bBroken && &node == m_pSource && m_points.size() == 2) {
        const int half = rect.Width() / 2;
        m_points.insert(m_points.begin() + 1, {CPoint(rect.right + half, rect.top - half),
                                               CPoint(rect.left - half, rect.top - half)});
    }
}

// --- the popup's answer -------------------------------------------------------------

void CLinkTool::EndPortSelection(CLoopEditor& view, bool chosen, const std::string& port) {
    const bool offered = std::find(m_offered.begin(), m_offered.end(), port) != m_offered.end();
    if (m_nStage != STAGE_SOURCE_PORT && m_nStage != STAGE_DEST_PORT) {
        return;
    }
    if (!chosen || !offered || !NodesAreValid(view)) {
        CancelLink(view);
        return;
    }
    m_offered.clear();
    if (m_nStage == STAGE_SOURCE_PORT) {
        m_strOutPort = port;
        m_pSource->SetSelectedPort(port);
        const CPoint start = NormalRect(*m_pSource).CenterPoint();
        m_points = {start, s_lastPoint == CPoint() ? start : s_lastPoint};
        m_nStage = STAGE_ROUTE;
        RepaintRoute(view);
        return;
    }
    m_strInPort = port;
    m_pDest->SetSelectedPort(port);
    if (m_bBroken) {
        FinishBrokenLink(view);
    } else {
        FinishLink(view);
    }
}

bool CLinkTool::NodesAreValid(CLoopEditor& view) const {
    return (m_pSource == nullptr || view.HasObject(m_pSource)) &&
           (m_pDest == nullptr || view.HasObject(m_pDest));
}

void CLinkTool::FinishLink(CLoopEditor& view) {
    std::unique_ptr<CGraphLink> link =
        CGraphLink::CreateBetween(m_pSource, m_pDest, m_points, m_strOutPort, m_strInPort);
    CConfGraphNode* from = m_pSource;
    CConfGraphNode* to = m_pDest;
    RepaintRoute(view);
    Reset();
    if (!link) {
        return;
    }
    view.ClosePendingAction();
    auto* action = new CAddLinkAction(&view, IDS_ADD_LINK_OBJECT, std::move(link), from, to);
    view.SetPendingAction(action);
    action->Do();
    view.ClosePendingAction();
}

// The four objects go into the drawing here; the action takes them back out.
void CLinkTool::FinishBrokenLink(CLoopEditor& view) {
    CConfDoc& document = *view.GetDocument();
    const int destinationLoop = m_pDest->GetLoop();
    auto outgoing = CConfSpecialNode::CreateConnector(CConfSpecialNode::KIND_OUTGOING,
                                                      ConnectorText(*m_pDest), m_firstHalf.back());
    auto incoming = CConfSpecialNode::CreateConnector(CConfSpecialNode::KIND_INCOMING,
                                                      ConnectorText(*m_pSource), m_points.front());
    outgoing->SetLoop(m_nSourceLoop);
    outgoing->SetOwner(m_pSource);
    incoming->SetLoop(destinationLoop);
    incoming->SetOwner(m_pDest);
    CConfSpecialNode* out = outgoing.get();
    CConfSpecialNode* in = incoming.get();
    auto first = CGraphLink::CreateBetween(m_pSource, out, m_firstHalf, m_strOutPort, m_strInPort);
    auto second = CGraphLink::CreateBetween(in, m_pDest, m_points, m_strOutPort, m_strInPort);
    CGraphLink* firstLink = first.get();
    CGraphLink* secondLink = second.get();
    firstLink->SetLoop(m_nSourceLoop);
    secondLink->SetLoop(destinationLoop);
    const std::string destinationNumber = m_pDest->GetNumberText();
    RepaintRoute(view);
    Reset();
    view.AddObject(std::move(outgoing));
    view.AddObject(std::move(incoming));
    view.AddObject(std::move(first));
    view.AddObject(std::move(second));
    out->OrientToLink(&view);
    in->OrientToLink(&view);
    blockservices::SetLinkParam(document, destinationNumber, secondLink->GetInPortText(),
                                secondLink->GetOutPortText());
    view.ClosePendingAction();
    auto* action =
        new CAddBrokedLinkAction(&view, IDS_ADD_BROKEN_LINK, firstLink, secondLink, out, in);
    view.SetPendingAction(action);
    action->Do();
    view.ClosePendingAction();
    view.DeselectAll();
    view.Select(firstLink, true);
    view.Select(secondLink, true);
}

// --- the link menu --------------------------------------------------------------------

void CLinkTool::OnRButtonUp(CLoopEditor& view, unsigned flags, CPoint point) {
    if (m_nStage == STAGE_ROUTE) {
        view.ShowLinkMenu(point, !m_bBroken, !m_bBroken && HasCommunicationPoints(view));
        return;
    }
    if (CDrawingObject* hit = view.GraphObjectAt(view.DPtoLP(point))) {
        if (!view.IsInSelection(hit)) {
            view.Select(hit, (flags & MK_SHIFT) != 0);
        }
    }
    CDrawingTool::OnRButtonUp(view, flags, point);
}

bool CLinkTool::RunCommand(CLoopEditor& view, int command) {
    switch (command) {
        case ID_SEND_LINK_TO:
            StartBrokenLink(view);
            return true;
        case ID_COMMUNICATION_LINK:
            FinishCommLink(view);
            return true;
        case ID_CANCEL_LINK:
            CancelLink(view);
            return true;
        default:
            return false;
    }
}

void CLinkTool::StartBrokenLink(CLoopEditor& view) {
    if (m_nStage != STAGE_ROUTE || m_bBroken || m_points.size() < 2 || !NodesAreValid(view)) {
        return;
    }
    RepaintRoute(view);
    m_firstHalf = m_points;
    m_points.clear();
    m_bBroken = true;
    SetCursor(view);
    RepaintRoute(view);
}

// The link ends at a new communication connector standing for the scan
// block's first free input, which takes the source output's address.
void CLinkTool::FinishCommLink(CLoopEditor& view) {
    if (m_nStage != STAGE_ROUTE || m_bBroken || m_points.size() < 2 || !NodesAreValid(view) ||
        !HasCommunicationPoints(view)) {
        return;
    }
    const CBlock* scan = view.GetDocument()->FindBlockByNumber(kScanBlockNumber);
    std::string input;
    for (int i = 0; i < scan->GetParamListSize(PARAM_LINK) && input.empty(); ++i) {
        if (scan->GetLinkValue(i) == 0) {
            input = std::to_string(i + 1);
        }
    }
    if (input.empty()) {
        CancelLink(view);
        return;
    }
    auto connector = CConfSpecialNode::CreateConnector(
        CConfSpecialNode::KIND_COMM,
        CConfSpecialNode::LoopLabel(CConfiguration::kLoopG, "SCN",
                                    std::to_string(kScanBlockNumber)),
        m_points.back());
    std::unique_ptr<CConfCommNode> commNode(static_cast<CConfCommNode*>(connector.release()));
    commNode->SetLoop(view.GetLoopNumber());
    commNode->SetOwner(m_pSource);
    auto link = CGraphLink::CreateBetween(m_pSource, commNode.get(), m_points, m_strOutPort, input);
    CConfGraphNode* source = m_pSource;
    // The connector joins the source's list when the action adds the link.
    source->DetachConnector(commNode.get());
    RepaintRoute(view);
    Reset();
    if (!link) {
        return;
    }
    view.ClosePendingAction();
    auto* action = new CAddCommLinkAction(&view, IDS_ADD_COMM_LINK, std::move(link), source,
                                          std::move(commNode));
    view.SetPendingAction(action);
    action->Do();
    view.ClosePendingAction();
}

// --- ending -----------------------------------------------------------------------------

void CLinkTool::OnLButtonDblClk(CLoopEditor& view, unsigned /*flags*/, CPoint /*point*/) {
    if (m_nStage == STAGE_SOURCE_PORT) {
        CancelLink(view);
    }
    if (m_nStage != STAGE_IDLE || view.GetSelectedCount() != 1) {
        return;
    }
    CDrawingObject* selected = view.GetFirstSelected();
    if (auto* node = dynamic_cast<CConfGraphNode*>(selected)) {
        view.EditBlockParameters(node);
    } else if (dynamic_cast<CConfSpecialNode*>(selected) != nullptr) {
        EditProperties(view);
    }
}

void CLinkTool::DeleteSelection(CLoopEditor& view) {
    if (!IsLinking()) {
        if (CDrawingTool* select = view.GetSelectTool()) {
            select->DeleteSelection(view);
        }
    }
}

bool CLinkTool::OnKeyDown(int key, bool control, CLoopEditor& view) {
    CDrawingTool* select = view.GetSelectTool();
    if (IsLinking() || select == nullptr) {
        return CDrawingTool::OnKeyDown(key, control, view);
    }
    return select->OnKeyDown(key, control, view);
}

void CLinkTool::CancelLink(CLoopEditor& view) {
    RepaintRoute(view);
    if (m_pSource != nullptr && view.HasObject(m_pSource)) {
        m_pSource->SetSelectedPort(std::string());
    }
    Reset();
    SetCursor(view);
}

void CLinkTool::Cancel(CLoopEditor& view) {
    CancelLink(view);
    CDrawingTool::Cancel(view);
}

void CLinkTool::LoopChanged(CLoopEditor& view) {
    if (!(m_bBroken && m_nStage == STAGE_ROUTE)) {
        Cancel(view);
    }
}

void CLinkTool::Reset() {
    m_nStage = STAGE_IDLE;
    m_pSource = nullptr;
    m_pDest = nullptr;
    m_strOutPort.clear();
    m_strInPort.clear();
    m_offered.clear();
    m_points.clear();
    m_firstHalf.clear();
    m_bBroken = false;
    m_nSourceLoop = 0;
    m_nMode = MODE_IDLE;
}

void CLinkTool::RepaintRoute(CLoopEditor& view) const {
    std::vector<CPoint> all = m_points;
    if (view.GetLoopNumber() == m_nSourceLoop) {
        all.insert(all.end(), m_firstHalf.begin(), m_firstHalf.end());
    }
    if (all.empty()) {
        return;
    }
    CRect bounds(all.front(), all.front());
    for (const CPoint& point : all) {
        bounds.left = std::min(bounds.left, point.x);
        bounds.top = std::min(bounds.top, point.y);
        bounds.right = std::max(bounds.right, point.x);
        bounds.bottom = std::max(bounds.bottom, point.y);
    }
    bounds.InflateRect(2, 2);
    view.RepaintDevice(view.LPtoDP(bounds));
}
