#include "editing/DuplicateAction.h"

#include "diagram/DrawingObject.h"
#include "document/ConfDoc.h"
#include "editing/LoopEditor.h"

CDuplicateAction::CDuplicateAction(CLoopEditor* view, int descriptionId,
                                   const std::vector<CDrawingObject*>& objects)
    : CLoopAction(view, descriptionId) {
    const CGeneralData& data = Document().GetGeneralData();
    const CSize step = data.m_bSnapToGrid ? data.m_gridSpacing : CSize(0, 0);
    for (const CDrawingObject* object : objects) {
        if (object == nullptr || CLoopEditor::IsGraphObject(object)) {
            continue;
        }
        std::unique_ptr<CDrawingObject> clone = object->Clone();
        clone->SetLoop(GetLoopNumber());
        if (step.cx != 0 || step.cy != 0) {
            clone->Offset(step, nullptr);
        }
        m_objects.AddNew(std::move(clone));
    }
}

CDuplicateAction::~CDuplicateAction() = default;

void CDuplicateAction::Do() {
    CLoopAction::Do();
    Execute();
    Close();
}

void CDuplicateAction::Execute() {
    m_objects.Append(*GetView());
}

void CDuplicateAction::UndoStep() {
    m_objects.TakeOut(*GetView());
}
