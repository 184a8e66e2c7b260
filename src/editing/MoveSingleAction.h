#pragma once

#include "editing/LoopAction.h"
#include "editing/PlacedObjects.h"

// One object moved, noted with its rectangle before the move.
class CMoveSingleAction : public CLoopAction {
public:
    CMoveSingleAction(CLoopEditor* view, int descriptionId, CDrawingObject* object);
    ~CMoveSingleAction() override;

protected:
    void UndoStep() override;
    void RedoStep() override;

private:
    CPlacedObjects m_object;
};
