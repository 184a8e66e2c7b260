#pragma once

#include <vector>

#include "editing/HeldObjects.h"
#include "editing/LoopAction.h"

// Copies of the selected objects, one grid step down and right when the grid
// is on. Graph nodes and links are not duplicated.
class CDuplicateAction : public CLoopAction {
public:
    CDuplicateAction(CLoopEditor* view, int descriptionId,
                     const std::vector<CDrawingObject*>& objects);
    ~CDuplicateAction() override;

    void Do() override;
    std::size_t GetCount() const { return m_objects.GetCount(); }

protected:
    void Execute() override;
    void UndoStep() override;

private:
    CHeldObjects m_objects;
};
