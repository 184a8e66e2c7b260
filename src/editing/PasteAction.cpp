#include "editing/PasteAction.h"

#include "diagram/DrawingObject.h"
#include "editing/LoopEditor.h"

CPasteAction::CPasteAction(CLoopEditor* view, int descriptionId,
                           const std::vector<std::unique_ptr<CDrawingObject>>& clipboard)
    : CLoopAction(view, descriptionId) {
    for (const auto& object : clipboard) {
        if (object && !CLoopEditor::IsGraphObject(object.get())) {
            std::unique_ptr<CDrawingObject> clone = object->Clone();
            clone->SetLoop(GetLoopNumber());
            m_objects.AddNew(std::move(clone));
        }
    }
}

CPasteAction::~CPasteAction() = default;

void CPasteAction::Do() {
    CLoopAction::Do();
    Execute();
    Close();
}

void CPasteAction::Execute() {
    m_objects.Append(*GetView());
}

void CPasteAction::UndoStep() {
    m_objects.TakeOut(*GetView());
}
