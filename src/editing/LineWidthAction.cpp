#include "editing/LineWidthAction.h"

#include "diagram/DrawingObject.h"
#include "editing/LoopEditor.h"

CLineWidthAction::CLineWidthAction(CLoopEditor* view, int descriptionId, int width)
    : CLoopAction(view, descriptionId) {
    for (CDrawingObject* object : view->GetSelection()) {
        m_entries.push_back({object, object->GetLineWidth()});
        view->InvalidateObject(object);
        object->SetLineWidth(width);
        view->InvalidateObject(object);
    }
}

CLineWidthAction::~CLineWidthAction() = default;

void CLineWidthAction::Do() {
    CLoopAction::Do();
    Close();
}

void CLineWidthAction::UndoStep() {
    Swap();
}

void CLineWidthAction::RedoStep() {
    Swap();
}

void CLineWidthAction::Swap() {
    CLoopEditor& view = *GetView();
    for (Entry& entry : m_entries) {
        if (!IsInDocument(entry.object)) {
            continue;
        }
        const int current = entry.object->GetLineWidth();
        view.InvalidateObject(entry.object);
        entry.object->SetLineWidth(entry.width);
        view.InvalidateObject(entry.object);
        entry.width = current;
    }
}
