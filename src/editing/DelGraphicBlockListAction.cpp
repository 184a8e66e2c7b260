#include "editing/DelGraphicBlockListAction.h"

#include "document/ConfDoc.h"

CDelGraphicBlockListAction::CDelGraphicBlockListAction(CLoopEditor* view, int descriptionId,
                                                       CDrawingObject* picture)
    : CDeleteSingleAction(view, descriptionId, picture) {}

void CDelGraphicBlockListAction::Execute() {
    CDeleteSingleAction::Execute();
    Document().SetHasBlockList(false);
}

void CDelGraphicBlockListAction::Revert() {
    CDeleteSingleAction::Revert();
    Document().SetHasBlockList(true);
}
