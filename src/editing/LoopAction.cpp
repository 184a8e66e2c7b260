#include "editing/LoopAction.h"

#include "document/ConfDoc.h"
#include "editing/LoopEditor.h"

CLoopAction::CLoopAction(CLoopEditor* view, int descriptionId)
    : CAction(view->GetDocument(), descriptionId),
      m_pView(view),
      m_nLoop(view->GetDocument()->GetCurrentLoopNumber()) {}

CLoopAction::~CLoopAction() = default;

void CLoopAction::Undo() {
    const int loop = Document().GetCurrentLoopNumber();
    CAction::Undo();
    UndoStep();
    ReapplyLoop(loop);
}

void CLoopAction::Redo() {
    const int loop = Document().GetCurrentLoopNumber();
    CAction::Redo();
    RedoStep();
    ReapplyLoop(loop);
}

CConfDoc& CLoopAction::Document() const {
    return *m_pView->GetDocument();
}

bool CLoopAction::IsInDocument(const CDrawingObject* object) const {
    return object != nullptr && m_pView->HasObject(object);
}

void CLoopAction::ReapplyLoop(int loop) const {
    if (loop >= 1 && loop <= CConfiguration::kLoopCount) {
        Document().SelectLoop(loop);
    }
}
