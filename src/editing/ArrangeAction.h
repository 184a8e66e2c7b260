#pragma once

#include "editing/LoopAction.h"
#include "editing/PlacedObjects.h"

// Equal spacing of the selection, across (type 1) or down (type 2): the first
// and last objects in that direction keep their places and the others are
// spread between them with equal gaps. The action spaces them when it is made.
class CArrangeAction : public CLoopAction {
public:
    enum Type { kHorizontal = 1, kVertical = 2 };

    CArrangeAction(CLoopEditor* view, int descriptionId, int type);
    ~CArrangeAction() override;

    void Do() override;
    std::size_t GetMovedCount() const { return m_objects.GetCount(); }

protected:
    void UndoStep() override;
    void RedoStep() override;

private:
    void Arrange(int type);

    CPlacedObjects m_objects;
};
