#pragma once

#include <memory>

#include "editing/AddAction.h"

class CConfGraphBlockList;

// A new block list picture, filled with the current loop's blocks when the
// action is made; the document's block-list flag follows it in and out.
class CAddGraphBlockListAction : public CAddAction {
public:
    CAddGraphBlockListAction(CLoopEditor* view, int descriptionId,
                             std::unique_ptr<CConfGraphBlockList> picture);

protected:
    void UndoStep() override;
    void RedoStep() override;
};
