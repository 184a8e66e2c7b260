#include "editing/DrawingTool.h"

#include <cstdlib>

#include "diagram/DrawingObject.h"
#include "editing/ActionIds.h"
#include "editing/DeleteAction.h"
#include "editing/DuplicateAction.h"
#include "editing/EditKeys.h"
#include "editing/LoopEditor.h"
#include "editing/MoveAction.h"

using namespace editkeys;

CPoint CDrawingTool::s_lastPoint;
int CDrawingTool::s_nDragHandle = 0;

namespace {

int g_nNextToolNumber = 1;

int SignOf(int value) {
    return value < 0 ? -1 : 1;
}

}  // namespace

CDrawingTool::CDrawingTool() : m_nToolNumber(g_nNextToolNumber++) {}

CDrawingTool::~CDrawingTool() = default;

void CDrawingTool::Activate(CLoopEditor& view) {
    SetCursor(view);
}

void CDrawingTool::SetCursor(CLoopEditor& view) {
    view.SetToolCursor(CLoopEditor::CURSOR_SELECT);
}

CPoint CDrawingTool::Constrain(CPoint point, CPoint origin, unsigned flags) {
    const int dx = point.x - origin.x;
    const int dy = point.y - origin.y;
    if ((flags & MK_SHIFT) != 0) {
        if (std::abs(dy) < std::abs(dx)) {
            point.y = origin.y + SignOf(dx) * dx * SignOf(dy);
        } else {
            point.x = origin.x + SignOf(dx) * dy * SignOf(dy);
        }
    } else if ((flags & MK_CONTROL) != 0) {
        if (std::abs(dy) < std::abs(dx)) {
            point.y = origin.y;
        } else {
            point.x = origin.x;
        }
    }
    return point;
}

bool CDrawingTool::IsPastThreshold(CPoint down, CPoint point) {
    const long long dx = point.x - down.x;
    const long long dy = point.y - down.y;
    const long long limit = CLoopEditor::kDragThreshold;
    return dx * dx + dy * dy > limit * limit;
}

void CDrawingTool::OnLButtonDown(CLoopEditor& view, unsigned /*flags*/, CPoint point) {
    view.CaptureMouse();
    m_down = point;
    s_lastPoint = point;
    m_bButtonDown = true;
}

void CDrawingTool::OnMouseMove(CLoopEditor& view, unsigned flags, CPoint point) {
    if (!view.HasCapture() || m_nMode != MODE_RESIZE) {
        return;
    }
    CPoint logical = view.DPtoLP(point);
    view.SnapPoint(logical);
    view.AutoScroll(point);
    logical = Constrain(logical, m_down, flags);
    for (CDrawingObject* object : std::vector<CDrawingObject*>(view.GetSelection())) {
        object->MoveHandleTo(s_nDragHandle, logical.x, logical.y, &view);
    }
    view.SetToolCursor(CLoopEditor::CURSOR_DRAW);
    s_lastPoint = logical;
}

void CDrawingTool::OnLButtonUp(CLoopEditor& view, unsigned /*flags*/, CPoint /*point*/) {
    view.ReleaseMouse();
    s_lastPoint = CPoint();
    m_down = CPoint();
    m_nMode = MODE_IDLE;
    m_bButtonDown = false;
}

void CDrawingTool::OnLButtonDblClk(CLoopEditor& view, unsigned /*flags*/, CPoint /*point*/) {
    if (view.GetSelectedCount() == 1) {
        EditProperties(view);
    }
}

void CDrawingTool::OnRButtonDown(CLoopEditor& /*view*/, unsigned /*flags*/, CPoint /*point*/) {}

void CDrawingTool::OnRButtonUp(CLoopEditor& view, unsigned /*flags*/, CPoint point) {
    if (CDrawingObject* object = view.ObjectAt(view.DPtoLP(point))) {
        object->ShowContextMenu(&view);
    } else {
        view.DeselectAll();
        view.ChooseSelectTool();
    }
    s_lastPoint = CPoint();
    m_down = CPoint();
    m_nMode = MODE_IDLE;
}

bool CDrawingTool::OnKeyDown(int key, bool /*control*/, CLoopEditor& view) {
    if (key == VK_ESCAPE) {
        Cancel(view);
        return true;
    }
    if (key == VK_DELETE) {
        view.DeleteCommand();
        return true;
    }
    return false;
}

void CDrawingTool::Cancel(CLoopEditor& view) {
    if (view.HasCapture()) {
        view.ReleaseMouse();
    }
    m_nMode = MODE_IDLE;
    m_bButtonDown = false;
}

void CDrawingTool::DeleteSelection(CLoopEditor& view) {
    if (view.GetSelectedCount() == 0) {
        return;
    }
    auto* action = new CDeleteAction(&view, IDS_DELETE_COMMON_OBJECT, view.GetSelection());
    view.SetPendingAction(action);
    action->Do();
}

void CDrawingTool::DuplicateSelection(CLoopEditor& view) {
    if (view.GetSelectedCount() == 0) {
        return;
    }
    view.ClosePendingAction();
    auto* action = new CDuplicateAction(&view, IDS_DUPLICATE_OBJECTS, view.GetSelection());
    view.SetPendingAction(action);
    action->Do();
}

void CDrawingTool::EditProperties(CLoopEditor& view) {
    if (CDrawingObject* object = view.GetFirstSelected()) {
        object->EditProperties(&view);
    }
}

// The rubber band from the press, in device units, once the pointer passed
// the drag threshold.
void CDrawingTool::RubberBand(CLoopEditor& view, CPoint point) {
    if (!m_bRubberBandShown && !IsPastThreshold(m_down, point)) {
        return;
    }
    if (m_bRubberBandShown) {
        view.DrawFocusRect(m_rect);
    }
    m_rect = CRect(m_down.x, m_down.y, point.x, point.y);
    m_rect.NormalizeRect();
    view.DrawFocusRect(m_rect);
    m_bRubberBandShown = true;
    m_nMode = MODE_RUBBER_BAND;
    view.AutoScroll(point);
    s_lastPoint = point;
}

void CDrawingTool::EndRubberBand(CLoopEditor& view) {
    view.DrawFocusRect(m_rect);
    m_bRubberBandShown = false;
    view.SelectInRect(view.DPtoLP(m_rect), true);
}

void CDrawingTool::MoveSelection(CLoopEditor& view, CPoint logical, bool graphOnly) {
    CLoopAction* pending = view.GetPendingAction();
    if ((pending == nullptr || pending->IsClosed()) && view.GetSelectedCount() > 0) {
        view.SetPendingAction(new CMoveAction(&view, IDS_MOVE_OBJECTS, view.GetSelection()));
    }
    const CSize delta = logical - s_lastPoint;
    if (delta.cx == 0 && delta.cy == 0) {
        return;
    }
    for (CDrawingObject* object : std::vector<CDrawingObject*>(view.GetSelection())) {
        if (!graphOnly || CLoopEditor::IsGraphObject(object)) {
            object->Offset(delta, &view);
        }
    }
}
