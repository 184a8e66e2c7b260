#include "editing/StyleAction.h"

#include "diagram/DrawingObject.h"
#include "editing/LoopEditor.h"

CStyleAction::CStyleAction(CLoopEditor* view, int descriptionId, CDrawingObject* object,
                           unsigned parts)
    : CLoopAction(view, descriptionId),
      m_pObject(object),
      m_parts(parts),
      m_style(object != nullptr ? CObjectStyle::Of(*object, parts) : CObjectStyle()) {}

CStyleAction::~CStyleAction() = default;

void CStyleAction::Do() {
    CLoopAction::Do();
    Close();
}

void CStyleAction::UndoStep() {
    Swap();
}

void CStyleAction::RedoStep() {
    Swap();
}

void CStyleAction::Swap() {
    if (!IsInDocument(m_pObject)) {
        return;
    }
    const CObjectStyle current = CObjectStyle::Of(*m_pObject, m_parts);
    m_style.ApplyTo(*m_pObject, GetView());
    m_style = current;
}
