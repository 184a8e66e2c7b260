#pragma once

#include <vector>

#include "editing/HeldObjects.h"
#include "editing/LoopAction.h"

// Several drawing objects deleted (or cut). They leave the document when the
// action is made and the action owns them while they are out. Graph nodes and
// links are left alone: they go one at a time with their blocks and LINKs.
class CDeleteAction : public CLoopAction {
public:
    CDeleteAction(CLoopEditor* view, int descriptionId,
                  const std::vector<CDrawingObject*>& objects);
    ~CDeleteAction() override;

    void Do() override;
    std::size_t GetCount() const { return m_objects.GetCount(); }

protected:
    void Execute() override;
    void UndoStep() override;
    virtual void Revert();

private:
    CHeldObjects m_objects;
};
