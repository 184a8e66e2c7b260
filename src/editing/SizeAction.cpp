#include "editing/SizeAction.h"

#include "diagram/GraphLink.h"
#include "editing/LoopEditor.h"

CSizeAction::CSizeAction(CLoopEditor* view, int descriptionId, CDrawingObject* object, int handle,
                         CPoint point)
    : CLoopAction(view, descriptionId),
      m_pObject(object),
      m_nHandle(handle),
      m_point(point),
      m_nDragPart(CGraphLink::DRAG_ROUTE) {
    if (const auto* link = dynamic_cast<const CGraphLink*>(object)) {
        m_nDragPart = link->GetDragPart();
    }
}

CSizeAction::~CSizeAction() = default;

void CSizeAction::Do() {
    CLoopAction::Do();
    Close();
}

void CSizeAction::UndoStep() {
    Swap();
}

void CSizeAction::RedoStep() {
    Swap();
}

void CSizeAction::Swap() {
    if (!IsInDocument(m_pObject)) {
        return;
    }
    // A link moves its vertices only while its route is the part dragged.
    if (const auto* link = dynamic_cast<const CGraphLink*>(m_pObject)) {
        link->SetDragPart(m_nDragPart);
    }
    const CPoint current = m_pObject->GetHandle(m_nHandle);
    m_pObject->MoveHandleTo(m_nHandle, m_point.x, m_point.y, GetView());
    m_point = current;
}
