#include "editing/AddAction.h"

#include "diagram/DrawingObject.h"
#include "editing/LoopEditor.h"

CAddAction::CAddAction(CLoopEditor* view, int descriptionId, std::unique_ptr<CDrawingObject> object)
    : CLoopAction(view, descriptionId), m_pObject(object.get()), m_owned(std::move(object)) {
    if (m_pObject != nullptr) {
        m_pObject->SetLoop(GetLoopNumber());
    }
}

CAddAction::~CAddAction() = default;

void CAddAction::Do() {
    CLoopAction::Do();
    Execute();
}

void CAddAction::Execute() {
    if (m_owned) {
        GetView()->AddObject(std::move(m_owned));
    }
}

void CAddAction::UndoStep() {
    if (!m_owned && IsInDocument(m_pObject)) {
        m_owned = GetView()->TakeObject(m_pObject);
    }
}
