#pragma once

#include <vector>

#include "editing/LoopAction.h"
#include "editing/PlacedObjects.h"

// Several objects moved: by a drag, by the arrow keys or by an alignment. The
// objects are noted with their rectangles before the move, which the caller
// makes; Do only registers and closes the action.
class CMoveAction : public CLoopAction {
public:
    CMoveAction(CLoopEditor* view, int descriptionId, const std::vector<CDrawingObject*>& objects);
    ~CMoveAction() override;

    void Do() override;
    const CPlacedObjects& GetObjects() const { return m_objects; }

protected:
    void UndoStep() override;
    void RedoStep() override;

private:
    CPlacedObjects m_objects;
};
