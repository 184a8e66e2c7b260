#include "editing/MoveAction.h"

#include "editing/LoopEditor.h"

CMoveAction::CMoveAction(CLoopEditor* view, int descriptionId,
                         const std::vector<CDrawingObject*>& objects)
    : CLoopAction(view, descriptionId), m_objects(view->GetSelection()) {
    for (CDrawingObject* object : objects) {
        m_objects.Add(object);
    }
}

CMoveAction::~CMoveAction() = default;

void CMoveAction::Do() {
    CLoopAction::Do();
    Close();
}

void CMoveAction::UndoStep() {
    m_objects.Swap(*GetView());
}

void CMoveAction::RedoStep() {
    m_objects.Swap(*GetView());
}
