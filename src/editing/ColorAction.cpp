#include "editing/ColorAction.h"

#include "diagram/DrawText.h"
#include "editing/LoopEditor.h"

CColorAction::CColorAction(CLoopEditor* view, int descriptionId, bool lineColor, COLORREF color)
    : CLoopAction(view, descriptionId), m_bLine(lineColor) {
    for (CDrawingObject* object : view->GetSelection()) {
        m_entries.push_back({object, ColorOf(*object)});
        view->InvalidateObject(object);
        SetColor(*object, color);
        view->InvalidateObject(object);
    }
}

CColorAction::~CColorAction() = default;

void CColorAction::Do() {
    CLoopAction::Do();
    Close();
}

void CColorAction::UndoStep() {
    Swap();
}

void CColorAction::RedoStep() {
    Swap();
}

COLORREF CColorAction::ColorOf(const CDrawingObject& object) const {
    if (const auto* text = dynamic_cast<const CDrawText*>(&object)) {
        return m_bLine ? text->GetTextColor() : text->GetBackColor();
    }
    return m_bLine ? object.GetLineColor() : object.GetFillColor();
}

void CColorAction::SetColor(CDrawingObject& object, COLORREF color) const {
    if (auto* text = dynamic_cast<CDrawText*>(&object)) {
        if (m_bLine) {
            text->SetTextColor(color);
        } else {
            text->SetBackColor(color);
        }
    } else if (m_bLine) {
        object.SetLineColor(color);
    } else {
        object.SetFillColor(color);
    }
}

void CColorAction::Swap() {
    CLoopEditor& view = *GetView();
    for (Entry& entry : m_entries) {
        if (!IsInDocument(entry.object)) {
            continue;
        }
        const COLORREF current = ColorOf(*entry.object);
        view.InvalidateObject(entry.object);
        SetColor(*entry.object, entry.color);
        view.InvalidateObject(entry.object);
        entry.color = current;
    }
}
