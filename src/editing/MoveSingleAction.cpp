#include "editing/MoveSingleAction.h"

#include "editing/LoopEditor.h"

CMoveSingleAction::CMoveSingleAction(CLoopEditor* view, int descriptionId, CDrawingObject* object)
    : CLoopAction(view, descriptionId), m_object(view->GetSelection()) {
    m_object.Add(object);
}

CMoveSingleAction::~CMoveSingleAction() = default;

void CMoveSingleAction::UndoStep() {
    m_object.Swap(*GetView());
}

void CMoveSingleAction::RedoStep() {
    m_object.Swap(*GetView());
}
