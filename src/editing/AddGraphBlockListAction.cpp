#include "editing/AddGraphBlockListAction.h"

#include "diagram/ConfGraphBlockList.h"
#include "document/ConfDoc.h"
#include "editing/LoopEditor.h"

namespace {

std::unique_ptr<CDrawingObject> Filled(CLoopEditor* view,
                                       std::unique_ptr<CConfGraphBlockList> picture) {
    CConfDoc* document = view->GetDocument();
    document->SetHasBlockList(true);
    if (picture) {
        if (const CLoop* loop = document->GetLoop(0)) {
            picture->BuildTable(view, *loop);
        }
    }
    return picture;
}

}  // namespace

CAddGraphBlockListAction::CAddGraphBlockListAction(CLoopEditor* view, int descriptionId,
                                                   std::unique_ptr<CConfGraphBlockList> picture)
    : CAddAction(view, descriptionId, Filled(view, std::move(picture))) {}

void CAddGraphBlockListAction::UndoStep() {
    CAddAction::UndoStep();
    Document().SetHasBlockList(false);
}

void CAddGraphBlockListAction::RedoStep() {
    CAddAction::RedoStep();
    Document().SetHasBlockList(true);
}
