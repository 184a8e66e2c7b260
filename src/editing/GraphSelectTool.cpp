#include "editing/GraphSelectTool.h"

#include "diagram/ConfCommNode.h"
#include "diagram/ConfGraphBlockList.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/ConfSpecialNode.h"
#include "diagram/DrawPolyline.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "editing/ActionIds.h"
#include "editing/DelGraphicBlockListAction.h"
#include "editing/DeleteLinkAction.h"
#include "editing/DeleteNodeAction.h"
#include "editing/EditKeys.h"
#include "editing/LoopEditor.h"

using namespace editkeys;

CGraphSelectTool::CGraphSelectTool() = default;
CGraphSelectTool::~CGraphSelectTool() = default;

CGraphLink* CGraphSelectTool::SingleLink(CLoopEditor& view) {
    return view.GetSelectedCount() == 1 ? dynamic_cast<CGraphLink*>(view.GetFirstSelected())
                                        : nullptr;
}

void CGraphSelectTool::OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point) {
    CPoint logical = view.DPtoLP(point);
    m_nMode = MODE_IDLE;
    m_bDragging = false;
    if (view.GetSelectedCount() == 1) {
        CDrawingObject* selected = view.GetFirstSelected();
        const int handle = selected->HitTestHandle(logical, &view);
        if (handle != 0) {
            if (auto* table = dynamic_cast<CConfGraphBlockList*>(selected)) {
                if (const CLoop* loop = view.GetDocument()->GetLoop(0)) {
                    table->BuildTable(&view, *loop);
                }
            }
            // The select tool takes the handle drag from here.
            CSelectTool::OnLButtonDown(view, flags, point);
            return;
        }
    }
    CDrawingObject* hit = view.GraphObjectAt(logical);
    if (hit == nullptr || dynamic_cast<CConfGraphBlockList*>(hit) != nullptr) {
        CSelectTool::OnLButtonDown(view, flags, point);
        return;
    }
    view.ClosePendingAction();
    PressOnObject(view, hit, flags);
    if (CGraphLink* link = SingleLink(view)) {
        if (link == hit && link->GetPath() != nullptr &&
            link->GetPath()->HitTestVertex(logical, &view) == 0) {
            m_nMode = MODE_INSERT_VERTEX;
        }
    }
    if (m_nMode != MODE_INSERT_VERTEX) {
        view.SnapPoint(logical);
    }
    m_down = logical;
    s_lastPoint = logical;
    view.CaptureMouse();
    m_bButtonDown = true;
}

void CGraphSelectTool::OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) {
    m_bButtonDown = false;
    CGraphLink* link = SingleLink(view);
    if (m_nMode == MODE_INSERT_VERTEX && !m_bDragging && link != nullptr) {
        CPoint logical = view.DPtoLP(point);
        view.SnapPoint(logical);
        view.InvalidateObject(link);
        link->GetPath()->InsertPointOnSegment(logical, &view);
        link->ConnectEnd(nullptr, &view);
        link->UpdateDecorations(&view);
        view.InvalidateObject(link);
        view.NoteChangeOutsideUndo();
        // Done here: the select tool would take the link for a polyline.
        m_nMode = MODE_IDLE;
    } else if (m_nMode == MODE_MOVE && view.GetSelectedCount() == 1) {
        FinishGraphMove(view);
    }
    CSelectTool::OnLButtonUp(view, flags, point);
}

// A dragged port label moves only the label: no undo entry. A connector that
// moved turns to its link again.
void CGraphSelectTool::FinishGraphMove(CLoopEditor& view) {
    CDrawingObject* selected = view.GetFirstSelected();
    if (auto* link = dynamic_cast<CGraphLink*>(selected)) {
        if (link->IsLabelDragged() && m_bDragging) {
            view.CancelPendingAction();
            view.NoteChangeOutsideUndo();
        }
    } else if (auto* connector = dynamic_cast<CConfSpecialNode*>(selected)) {
        if (dynamic_cast<CConfCommNode*>(connector) == nullptr && m_bDragging) {
            connector->OrientToLink(&view);
        }
    }
}

void CGraphSelectTool::OnLButtonDblClk(CLoopEditor& view, unsigned flags, CPoint point) {
    if (view.GetSelectedCount() == 1) {
        auto* node = dynamic_cast<CConfGraphNode*>(view.GetFirstSelected());
        if (node != nullptr) {
            view.EditBlockParameters(node);
            return;
        }
    }
    CSelectTool::OnLButtonDblClk(view, flags, point);
}

void CGraphSelectTool::OnRButtonDown(CLoopEditor& view, unsigned flags, CPoint point) {
    const CPoint logical = view.DPtoLP(point);
    CGraphLink* link = SingleLink(view);
    if (link != nullptr && link->GetPath() != nullptr &&
        link->GetPath()->HitTestVertex(logical, &view) != 0) {
        m_nMode = MODE_VERTEX_MENU;
        m_down = logical;
        return;
    }
    CSelectTool::OnRButtonDown(view, flags, point);
}

void CGraphSelectTool::OnRButtonUp(CLoopEditor& view, unsigned flags, CPoint point) {
    CGraphLink* link = SingleLink(view);
    if (m_nMode == MODE_VERTEX_MENU && link != nullptr) {
        CDrawPolyline* path = link->GetPath();
        if (path->GetPointCount() <= 2) {
            DeleteSelection(view);
        } else if (path->HitTestVertex(m_down, &view) != 0) {
            view.InvalidateObject(link);
            path->RemovePointsAt(path->GetCurVertexPoint(), &view);
            link->ConnectEnd(nullptr, &view);
            link->UpdateDecorations(&view);
            view.InvalidateObject(link);
            view.NoteChangeOutsideUndo();
        }
        ResetPoints();
        return;
    }
    CDrawingObject* hit = view.GraphObjectAt(view.DPtoLP(point));
    if (hit != nullptr && dynamic_cast<CConfGraphBlockList*>(hit) == nullptr) {
        if (!view.IsInSelection(hit)) {
            view.Select(hit, (flags & MK_SHIFT) != 0);
        }
        hit->ShowContextMenu(&view);
        ResetPoints();
        return;
    }
    CSelectTool::OnRButtonUp(view, flags, point);
}

void CGraphSelectTool::DeleteSelection(CLoopEditor& view) {
    if (DeleteSingleGraphObject(view)) {
        return;
    }
    for (CDrawingObject* object : std::vector<CDrawingObject*>(view.GetSelection())) {
        if (dynamic_cast<CGraphNode*>(object) != nullptr ||
            dynamic_cast<CGraphLink*>(object) != nullptr) {
            view.Deselect(object);
        }
    }
    CSelectTool::DeleteSelection(view);
}

bool CGraphSelectTool::DeleteSingleGraphObject(CLoopEditor& view) {
    if (view.GetSelectedCount() != 1) {
        return false;
    }
    CDrawingObject* selected = view.GetFirstSelected();
    CLoopAction* action = nullptr;
    if (auto* link = dynamic_cast<CGraphLink*>(selected)) {
        action = new CDeleteLinkAction(&view, IDS_DELETE_LINK_OBJECT, link);
    } else if (auto* node = dynamic_cast<CGraphNode*>(selected)) {
        action = new CDeleteNodeAction(&view, IDS_DELETE_BLOCK_OBJECT, node);
    } else if (dynamic_cast<CConfGraphBlockList*>(selected) != nullptr) {
        action = new CDelGraphicBlockListAction(&view, IDS_DELETE_BLOCK_LIST, selected);
    } else {
        return false;
    }
    view.SetPendingAction(action);
    action->Do();
    return true;
}
