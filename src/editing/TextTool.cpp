#include "editing/TextTool.h"

#include <memory>

#include "diagram/DrawText.h"
#include "document/ConfDoc.h"
#include "editing/ActionIds.h"
#include "editing/AddAction.h"
#include "editing/LoopEditor.h"
#include "editing/TextState.h"

void CTextTool::SetCursor(CLoopEditor& view) {
    view.SetToolCursor(CLoopEditor::CURSOR_DRAW);
}

void CTextTool::OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point) {
    const CPoint logical = view.DPtoLP(point);
    if (view.ObjectAt(logical) == nullptr) {
        view.DeselectAll();
    }
    CDrawingTool::OnLButtonDown(view, flags, point);
}

void CTextTool::OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) {
    const bool pressed = m_bButtonDown;
    CDrawingTool::OnLButtonUp(view, flags, point);
    if (!pressed) {
        return;
    }
    CPoint logical = view.DPtoLP(point);
    view.SnapPoint(logical);
    const CDrawingDefaults& defaults = view.GetDocument()->GetDrawingDefaults();
    CTextState state;
    state.font = defaults.m_logfont;
    state.textColor = defaults.m_crText;
    state.backColor = defaults.m_crBack;
    state.opaque = defaults.m_nBkMode == CDrawingDefaults::kBkOpaque;
    state.rect = CRect(logical, logical);
    if (!view.AskForText(state) || state.text.empty()) {
        return;
    }
    auto text = std::make_unique<CDrawText>(CRect(logical, logical), state.text);
    text->SetLoop(view.GetLoopNumber());
    state.ApplyTo(*text);
    view.ClosePendingAction();
    auto* action = new CAddAction(&view, IDS_ADD_COMMON_OBJECT, std::move(text));
    view.SetPendingAction(action);
    action->Do();
    view.ClosePendingAction();
}
