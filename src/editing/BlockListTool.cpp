#include "editing/BlockListTool.h"

#include <memory>

#include "diagram/ConfGraphBlockList.h"
#include "editing/ActionIds.h"
#include "editing/AddGraphBlockListAction.h"
#include "editing/LoopEditor.h"

void CBlockListTool::SetCursor(CLoopEditor& view) {
    view.SetToolCursor(CLoopEditor::CURSOR_DRAW);
}

void CBlockListTool::OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) {
    const bool pressed = m_bButtonDown;
    CDrawingTool::OnLButtonUp(view, flags, point);
    if (!pressed || view.IsMonitoring()) {
        return;
    }
    CPoint corner = view.DPtoLP(point);
    view.SnapPoint(corner);
    auto picture = std::make_unique<CConfGraphBlockList>();
    picture->SetLoop(view.GetLoopNumber());
    picture->SetRect(CRect(corner, corner));
    view.ClosePendingAction();
    auto* action = new CAddGraphBlockListAction(&view, IDS_ADD_BLOCK_LIST, std::move(picture));
    view.SetPendingAction(action);
    action->Do();
    view.ClosePendingAction();
}
