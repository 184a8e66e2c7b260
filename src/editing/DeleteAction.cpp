#include "editing/DeleteAction.h"

#include "diagram/GraphLink.h"
#include "diagram/GraphNode.h"
#include "editing/LoopEditor.h"

CDeleteAction::CDeleteAction(CLoopEditor* view, int descriptionId,
                             const std::vector<CDrawingObject*>& objects)
    : CLoopAction(view, descriptionId) {
    for (CDrawingObject* object : objects) {
        if (dynamic_cast<CGraphNode*>(object) == nullptr &&
            dynamic_cast<CGraphLink*>(object) == nullptr && view->HasObject(object)) {
            m_objects.AddExisting(object);
        }
    }
    Execute();
}

CDeleteAction::~CDeleteAction() = default;

void CDeleteAction::Do() {
    CLoopAction::Do();
    Close();
}

void CDeleteAction::Execute() {
    m_objects.TakeOut(*GetView());
}

void CDeleteAction::UndoStep() {
    Revert();
}

void CDeleteAction::Revert() {
    m_objects.PutBack(*GetView());
}
