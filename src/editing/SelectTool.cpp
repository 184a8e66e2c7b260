#include "editing/SelectTool.h"

#include "diagram/DrawPolyline.h"
#include "diagram/DrawText.h"
#include "diagram/GraphNode.h"
#include "diagram/RectHandles.h"
#include "document/ConfDoc.h"
#include "editing/ActionIds.h"
#include "editing/EditKeys.h"
#include "editing/LoopCommands.h"
#include "editing/LoopEditor.h"
#include "editing/MoveAction.h"
#include "editing/SizeAction.h"

using namespace editkeys;

CSelectTool::CSelectTool() = default;
CSelectTool::~CSelectTool() = default;

CDrawPolyline* CSelectTool::SinglePolyline(CLoopEditor& view) {
    return view.GetSelectedCount() == 1 ? dynamic_cast<CDrawPolyline*>(view.GetFirstSelected())
                                        : nullptr;
}

void CSelectTool::ResetPoints() {
    s_lastPoint = CPoint();
    m_down = CPoint();
    m_nMode = MODE_IDLE;
}

// --- press ----------------------------------------------------------------------

void CSelectTool::OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point) {
    CPoint logical = view.DPtoLP(point);
    view.ClosePendingAction();
    m_nMode = MODE_IDLE;
    m_bDragging = false;
    if (view.GetSelectedCount() == 1) {
        const int handle = view.GetFirstSelected()->HitTestHandle(logical, &view);
        if (handle != 0) {
            s_nDragHandle = handle;
            m_nMode = MODE_RESIZE;
            view.SnapPoint(logical);
            m_down = logical;
            s_lastPoint = logical;
        }
    }
    if (m_nMode != MODE_RESIZE) {
        CDrawingObject* hit = view.ObjectAt(logical);
        if (hit == nullptr) {
            hit = view.GraphNodeAt(logical);
        }
        if (hit != nullptr) {
            PressOnObject(view, hit, flags);
            CDrawPolyline* polyline = SinglePolyline(view);
            if (polyline != nullptr && polyline == hit &&
                polyline->HitTestVertex(logical, &view) == 0 && polyline->HitTest(logical, &view)) {
                m_nMode = MODE_INSERT_VERTEX;
            }
            if (m_nMode != MODE_INSERT_VERTEX) {
                view.SnapPoint(logical);
            }
            m_down = logical;
            s_lastPoint = logical;
        } else {
            view.DeselectAll();
            m_nMode = MODE_IDLE;
            m_down = point;
            s_lastPoint = point;
        }
    }
    view.CaptureMouse();
    m_bButtonDown = true;
}

void CSelectTool::PressOnObject(CLoopEditor& view, CDrawingObject* object, unsigned flags) {
    m_nMode = MODE_MOVE;
    const bool shift = (flags & MK_SHIFT) != 0;
    if (view.IsInSelection(object)) {
        if (shift) {
            view.Deselect(object);
        }
    } else {
        view.Select(object, shift);
    }
}

// --- move -----------------------------------------------------------------------

void CSelectTool::OnMouseMove(CLoopEditor& view, unsigned flags, CPoint point) {
    if (m_nMode == MODE_IDLE && !m_bButtonDown) {
        ShowHoverCursor(view, point);
        return;
    }
    if (m_nMode == MODE_RUBBER_BAND || (m_nMode == MODE_IDLE && m_bButtonDown)) {
        RubberBand(view, point);
        return;
    }
    if (m_nMode >= MODE_MOVE && m_nMode <= MODE_INSERT_VERTEX && m_bButtonDown) {
        Drag(view, flags, point);
    }
}

void CSelectTool::ShowHoverCursor(CLoopEditor& view, CPoint point) {
    int cursor = CLoopEditor::CURSOR_SELECT;
    if (view.GetSelectedCount() == 1) {
        CDrawingObject* object = view.GetFirstSelected();
        const int handle = object->HitTestHandle(view.DPtoLP(point), &view);
        if (handle != 0 && object->GetHandleCursor(handle) != IDC_NONE) {
            cursor = object->GetHandleCursor(handle);
        }
    }
    view.SetToolCursor(cursor);
}

// Once past the threshold the objects follow the pointer for the rest of the
// drag, also when it comes back near the press.
void CSelectTool::Drag(CLoopEditor& view, unsigned flags, CPoint point) {
    CPoint logical = view.DPtoLP(point);
    view.SnapPoint(logical);
    if (!m_bDragging && !IsPastThreshold(view.LPtoDP(m_down), point)) {
        return;
    }
    m_bDragging = true;
    logical = Constrain(logical, m_down, flags);
    if (m_nMode == MODE_INSERT_VERTEX) {
        m_nMode = MODE_MOVE;
    }
    if (m_nMode == MODE_MOVE) {
        MoveSelection(view, logical, false);
        view.SetToolCursor(IDC_SIZEALL);
    } else if (m_nMode == MODE_RESIZE) {
        ResizeSelection(view, logical);
    }
    view.AutoScroll(point);
    s_lastPoint = logical;
}

// The resize is recorded from the first step that changes the object, with
// the place the handle had before the drag, so that undo restores the size
// the object had.
void CSelectTool::ResizeSelection(CLoopEditor& view, CPoint logical) {
    for (CDrawingObject* object : std::vector<CDrawingObject*>(view.GetSelection())) {
        if (dynamic_cast<CDrawText*>(object) != nullptr || s_nDragHandle == 0) {
            continue;
        }
        const CRect rectBefore = object->GetRect();
        const CPoint handleBefore = object->GetHandle(s_nDragHandle);
        object->MoveHandleTo(s_nDragHandle, logical.x, logical.y, &view);
        const bool changed =
            object->GetRect() != rectBefore || object->GetHandle(s_nDragHandle) != handleBefore;
        CLoopAction* pending = view.GetPendingAction();
        if (changed && (pending == nullptr || pending->IsClosed())) {
            view.SetPendingAction(
                new CSizeAction(&view, IDS_RESIZE_OBJECT, object, s_nDragHandle, handleBefore));
        }
        const int cursor = object->GetHandleCursor(s_nDragHandle);
        if (cursor != IDC_NONE) {
            view.SetToolCursor(cursor);
        }
    }
}

// --- release --------------------------------------------------------------------

void CSelectTool::OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) {
    if (m_nMode == MODE_RUBBER_BAND && m_bRubberBandShown) {
        EndRubberBand(view);
    } else if (m_nMode == MODE_INSERT_VERTEX && !m_bDragging) {
        // A click on a segment of the selected polyline puts a vertex there.
        if (CDrawPolyline* polyline = SinglePolyline(view)) {
            polyline->InsertPointOnSegment(m_down, &view);
            view.NoteChangeOutsideUndo();
        }
    }
    CLoopAction* pending = view.GetPendingAction();
    if (pending != nullptr && !pending->IsDone() && !pending->IsClosed()) {
        pending->Do();
    }
    m_bDragging = false;
    view.SetToolCursor(CLoopEditor::CURSOR_SELECT);
    CDrawingTool::OnLButtonUp(view, flags, point);
}

// --- right button ---------------------------------------------------------------

void CSelectTool::OnRButtonDown(CLoopEditor& view, unsigned /*flags*/, CPoint point) {
    const CPoint logical = view.DPtoLP(point);
    CDrawPolyline* polyline = SinglePolyline(view);
    if (polyline != nullptr && polyline->HitTestVertex(logical, &view) != 0) {
        m_nMode = MODE_VERTEX_MENU;
        m_down = logical;
    }
}

void CSelectTool::OnRButtonUp(CLoopEditor& view, unsigned flags, CPoint point) {
    if (m_nMode == MODE_VERTEX_MENU) {
        if (CDrawPolyline* polyline = SinglePolyline(view)) {
            if (polyline->GetPointCount() <= 2) {
                DeleteSelection(view);
            } else if (polyline->HitTestVertex(m_down, &view) != 0) {
                polyline->RemovePointsAt(polyline->GetCurVertexPoint(), &view);
                view.NoteChangeOutsideUndo();
            }
        }
        ResetPoints();
        return;
    }
    if (CDrawingObject* object = view.ObjectAt(view.DPtoLP(point))) {
        if (!view.IsInSelection(object)) {
            view.Select(object, (flags & MK_SHIFT) != 0);
        }
    }
    CDrawingTool::OnRButtonUp(view, flags, point);
}

// --- keys -----------------------------------------------------------------------

bool CSelectTool::OnKeyDown(int key, bool control, CLoopEditor& view) {
    if (view.GetSelectedCount() > 0) {
        if (MoveByKey(view, key, control)) {
            return true;
        }
        if (control) {
            CLoopCommands& commands = view.Commands();
            switch (key) {
                case VK_PRIOR:
                    return commands.ForwardOne();
                case VK_NEXT:
                    return commands.BackwardOne();
                case VK_END:
                    return commands.ToBack();
                case VK_HOME:
                    return commands.ToFront();
                case VK_G:
                    return commands.Group();
                case VK_U:
                    return commands.Ungroup();
                default:
                    break;
            }
        }
    }
    return CDrawingTool::OnKeyDown(key, control, view);
}

bool CSelectTool::MoveByKey(CLoopEditor& view, int key, bool control) {
    CSize direction;
    switch (key) {
        case VK_LEFT:
            direction = CSize(-1, 0);
            break;
        case VK_RIGHT:
            direction = CSize(1, 0);
            break;
        case VK_UP:
            direction = CSize(0, -1);
            break;
        case VK_DOWN:
            direction = CSize(0, 1);
            break;
        default:
            return false;
    }
    const CGeneralData& data = view.GetDocument()->GetGeneralData();
    CSize step = data.m_bSnapToGrid ? data.m_gridSpacing : CSize(1, 1);
    if (control) {
        step = CSize(step.cx * 2, step.cy * 2);
    }
    CLoopAction* pending = view.GetPendingAction();
    if (pending == nullptr || pending->IsClosed()) {
        view.SetPendingAction(new CMoveAction(&view, IDS_MOVE_OBJECTS, view.GetSelection()));
    }
    const CSize delta(direction.cx * step.cx, direction.cy * step.cy);
    for (CDrawingObject* object : std::vector<CDrawingObject*>(view.GetSelection())) {
        object->Offset(delta, &view);
    }
    pending = view.GetPendingAction();
    if (pending != nullptr && !pending->IsDone() && !pending->IsClosed()) {
        pending->Do();
    }
    return true;
}

void CSelectTool::Cancel(CLoopEditor& view) {
    if (m_bRubberBandShown) {
        view.DrawFocusRect(m_rect);
        m_bRubberBandShown = false;
    }
    m_bDragging = false;
    CDrawingTool::Cancel(view);
}
