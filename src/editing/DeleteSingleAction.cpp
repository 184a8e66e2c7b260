#include "editing/DeleteSingleAction.h"

#include "editing/LoopEditor.h"

CDeleteSingleAction::CDeleteSingleAction(CLoopEditor* view, int descriptionId,
                                         CDrawingObject* object)
    : CLoopAction(view, descriptionId) {
    m_object.AddExisting(object);
}

CDeleteSingleAction::~CDeleteSingleAction() = default;

void CDeleteSingleAction::Do() {
    CLoopAction::Do();
    Execute();
    Close();
}

void CDeleteSingleAction::Execute() {
    m_object.TakeOut(*GetView());
}

void CDeleteSingleAction::UndoStep() {
    Revert();
}

void CDeleteSingleAction::Revert() {
    m_object.PutBack(*GetView());
}
