#include "editing/NodeTool.h"

#include <memory>

#include "diagram/ConfGraphNode.h"
#include "document/ConfDoc.h"
#include "editing/EditKeys.h"
#include "editing/LoopCommands.h"
#include "editing/LoopEditor.h"
#include "model/Block.h"

void CNodeTool::SetCursor(CLoopEditor& view) {
    view.SetToolCursor(CLoopEditor::CURSOR_BLOCK);
}

void CNodeTool::OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point) {
    CDrawingObject* hit = view.GraphObjectAt(view.DPtoLP(point));
    if (hit == nullptr) {
        view.DeselectAll();
    } else if (!view.IsInSelection(hit)) {
        // A press that reaches a node here (no move came first) picks it.
        view.Select(hit, (flags & editkeys::MK_SHIFT) != 0);
    }
    m_bOnObject = hit != nullptr;
    m_nMode = MODE_IDLE;
    m_down = point;
    s_lastPoint = point;
    m_bButtonDown = true;
    view.CaptureMouse();
}

void CNodeTool::OnMouseMove(CLoopEditor& view, unsigned flags, CPoint point) {
    const bool leftHeld = m_bButtonDown && (flags & editkeys::MK_LBUTTON) != 0;
    // Links start from nodes: over one, the link tool takes the mouse.
    if (!m_bButtonDown && view.GraphNodeAt(view.DPtoLP(point)) != nullptr) {
        view.UseLinkTool();
        return;
    }
    view.SetToolCursor(CLoopEditor::CURSOR_BLOCK);
    if (leftHeld) {
        RubberBand(view, point);
    }
    CPoint logical = view.DPtoLP(point);
    view.SnapPoint(logical);
    s_lastPoint = logical;
}

void CNodeTool::OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) {
    const bool clicked = m_bButtonDown && m_nMode == MODE_IDLE && !m_bOnObject;
    if (m_nMode == MODE_RUBBER_BAND && m_bRubberBandShown) {
        EndRubberBand(view);
    }
    CDrawingTool::OnLButtonUp(view, flags, point);
    if (clicked && !view.IsMonitoring()) {
        CPoint centre = view.DPtoLP(point);
        view.SnapPoint(centre);
        PlaceNewBlock(view, centre);
    }
}

void CNodeTool::OnLButtonDblClk(CLoopEditor& view, unsigned /*flags*/, CPoint /*point*/) {
    if (view.GetSelectedCount() == 1) {
        if (auto* node = dynamic_cast<CConfGraphNode*>(view.GetFirstSelected())) {
            view.EditBlockParameters(node);
        }
    }
}

void CNodeTool::PlaceNewBlock(CLoopEditor& view, CPoint centre) {
    std::unique_ptr<CBlock> block = view.ChooseNewBlock();
    if (!block) {
        return;
    }
    // The document tells the user why a block cannot join the loop.
    CConfDoc& document = *view.GetDocument();
    if (document.IsBlockNumberUsed(block->GetBlockNumber()) ||
        !document.CanPlaceNewBlock(block->GetTypeIndex(), block->GetBlockNumber())) {
        return;
    }
    view.Commands().InsertBlock(std::move(block), -1, centre);
}

void CNodeTool::DeleteSelection(CLoopEditor& view) {
    if (CDrawingTool* select = view.GetSelectTool()) {
        select->DeleteSelection(view);
    }
}

bool CNodeTool::OnKeyDown(int key, bool control, CLoopEditor& view) {
    CDrawingTool* select = view.GetSelectTool();
    return select != nullptr ? select->OnKeyDown(key, control, view)
                             : CDrawingTool::OnKeyDown(key, control, view);
}
