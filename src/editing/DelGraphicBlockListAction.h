#pragma once

#include "editing/DeleteSingleAction.h"

// The block list picture deleted; the document's block-list flag goes with it.
class CDelGraphicBlockListAction : public CDeleteSingleAction {
public:
    CDelGraphicBlockListAction(CLoopEditor* view, int descriptionId, CDrawingObject* picture);

protected:
    void Execute() override;
    void Revert() override;
};
