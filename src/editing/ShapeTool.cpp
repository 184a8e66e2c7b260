#include "editing/ShapeTool.h"

#include "diagram/DrawingObject.h"
#include "document/ConfDoc.h"
#include "editing/ActionIds.h"
#include "editing/AddAction.h"
#include "editing/LoopEditor.h"

namespace {

// The handle that follows the mouse while a shape is drawn.
constexpr int kDrawnHandle = 5;

}  // namespace

void CShapeTool::SetCursor(CLoopEditor& view) {
    view.SetToolCursor(CLoopEditor::CURSOR_DRAW);
}

void CShapeTool::OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point) {
    CPoint logical = view.DPtoLP(point);
    if (view.ObjectAt(logical) == nullptr) {
        view.DeselectAll();
    }
    view.SnapPoint(logical);
    std::unique_ptr<CDrawingObject> shape = MakeShape(logical);
    const CDrawingDefaults& defaults = view.GetDocument()->GetDrawingDefaults();
    shape->SetLoop(view.GetLoopNumber());
    shape->SetLogPen(defaults.m_logpen);
    shape->SetPen(true);
    if (IsFilled()) {
        shape->SetLogBrush(defaults.m_logbrush);
    } else {
        shape->SetBrush(false);
    }
    m_pShape = shape.get();
    view.ClosePendingAction();
    auto* action = new CAddAction(&view, IDS_ADD_COMMON_OBJECT, std::move(shape));
    view.SetPendingAction(action);
    action->Do();
    CDrawingTool::OnLButtonDown(view, flags, logical);
    m_nMode = MODE_RESIZE;
    s_nDragHandle = kDrawnHandle;
}

void CShapeTool::OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) {
    CPoint logical = view.DPtoLP(point);
    view.SnapPoint(logical);
    if (m_pShape != nullptr && logical == m_down) {
        Discard(view);
    }
    view.ClosePendingAction();
    m_pShape = nullptr;
    s_nDragHandle = 0;
    CDrawingTool::OnLButtonUp(view, flags, point);
}

void CShapeTool::Cancel(CLoopEditor& view) {
    if (m_pShape != nullptr && m_bButtonDown) {
        Discard(view);
        m_pShape = nullptr;
        s_nDragHandle = 0;
        CDrawingTool::OnLButtonUp(view, 0, CPoint());
    }
    CDrawingTool::Cancel(view);
}

// A click without a drag leaves nothing behind: neither the shape nor its
// undo entry.
void CShapeTool::Discard(CLoopEditor& view) {
    if (!view.HasObject(m_pShape)) {
        return;
    }
    view.InvalidateObject(m_pShape);
    view.DeleteObject(m_pShape);
    view.CancelPendingAction();
}
