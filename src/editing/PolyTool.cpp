#include "editing/PolyTool.h"

#include <memory>

#include "diagram/DrawPolyline.h"
#include "document/ConfDoc.h"
#include "editing/ActionIds.h"
#include "editing/AddAction.h"
#include "editing/LoopEditor.h"

void CPolyTool::SetCursor(CLoopEditor& view) {
    view.SetToolCursor(CLoopEditor::CURSOR_DRAW);
}

void CPolyTool::OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point) {
    CPoint logical = view.DPtoLP(point);
    if (m_bFirstClick && view.ObjectAt(logical) == nullptr) {
        view.DeselectAll();
    }
    m_bFirstClick = false;
    view.SnapPoint(logical);
    if (m_pShape == nullptr) {
        StartShape(view, logical);
    }
    m_pShape->AddPoint(logical.x, logical.y, &view);
    CDrawingTool::OnLButtonDown(view, flags, logical);
    m_nMode = MODE_RESIZE;
}

void CPolyTool::StartShape(CLoopEditor& view, CPoint first) {
    auto shape = std::make_unique<CDrawPolyline>(m_bClosed);
    const CDrawingDefaults& defaults = view.GetDocument()->GetDrawingDefaults();
    shape->SetLoop(view.GetLoopNumber());
    shape->SetLogPen(defaults.m_logpen);
    shape->SetPen(true);
    shape->SetLogBrush(defaults.m_logbrush);
    shape->SetBrush(m_bClosed && defaults.m_logbrush.lbStyle != BS_NULL);
    m_pShape = shape.get();
    view.ClosePendingAction();
    auto* action = new CAddAction(&view, IDS_ADD_COMMON_OBJECT, std::move(shape));
    view.SetPendingAction(action);
    action->Do();
    m_pShape->AddPoint(first.x, first.y, &view);
}

void CPolyTool::OnMouseMove(CLoopEditor& view, unsigned flags, CPoint point) {
    view.SetToolCursor(CLoopEditor::CURSOR_DRAW);
    if (m_pShape == nullptr || !view.HasObject(m_pShape) || m_pShape->GetPointCount() < 2) {
        return;
    }
    CPoint logical = view.DPtoLP(point);
    view.SnapPoint(logical);
    view.AutoScroll(point);
    const int last = m_pShape->GetPointCount() - 1;
    logical = Constrain(logical, m_pShape->GetPoint(last - 1), flags);
    view.InvalidateObject(m_pShape);
    m_pShape->SetPoint(logical.x, logical.y, last);
    m_pShape->RecalcBounds(&view);
    view.InvalidateObject(m_pShape);
    s_lastPoint = logical;
}

// The shape goes on past a release: the mouse stays with the tool.
void CPolyTool::OnLButtonUp(CLoopEditor& /*view*/, unsigned /*flags*/, CPoint /*point*/) {
    m_bButtonDown = false;
}

void CPolyTool::OnLButtonDblClk(CLoopEditor& view, unsigned /*flags*/, CPoint /*point*/) {
    if (m_pShape == nullptr) {
        return;
    }
    // The press of the double click added a vertex where the last one already
    // was (or a unit beside it); that one goes.
    const int count = m_pShape->GetPointCount();
    if (count > 2) {
        const CPoint last = m_pShape->GetPoint(count - 1);
        const CPoint before = m_pShape->GetPoint(count - 2);
        if (last == before || last == before + CSize(1, 0)) {
            view.InvalidateObject(m_pShape);
            m_pShape->RemoveLastPoint();
            m_pShape->RecalcBounds(&view);
        }
    }
    Finish(view);
}

void CPolyTool::Finish(CLoopEditor& view) {
    if (view.HasCapture()) {
        view.ReleaseMouse();
    }
    m_pShape = nullptr;
    m_bFirstClick = true;
    m_nMode = MODE_IDLE;
    s_lastPoint = CPoint();
    m_down = CPoint();
    view.ClosePendingAction();
}

void CPolyTool::OnRButtonUp(CLoopEditor& view, unsigned flags, CPoint point) {
    Cancel(view);
    CDrawingTool::OnRButtonUp(view, flags, point);
}

void CPolyTool::Cancel(CLoopEditor& view) {
    if (m_pShape != nullptr && view.HasObject(m_pShape)) {
        view.InvalidateObject(m_pShape);
        view.DeleteObject(m_pShape);
        view.CancelPendingAction();
    }
    m_pShape = nullptr;
    m_bFirstClick = true;
    s_lastPoint = CPoint();
    m_down = CPoint();
    CDrawingTool::Cancel(view);
}
