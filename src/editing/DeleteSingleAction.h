#pragma once

#include "editing/HeldObjects.h"
#include "editing/LoopAction.h"

// One drawing object deleted; the action owns it while it is out.
class CDeleteSingleAction : public CLoopAction {
public:
    CDeleteSingleAction(CLoopEditor* view, int descriptionId, CDrawingObject* object);
    ~CDeleteSingleAction() override;

    void Do() override;

protected:
    void Execute() override;
    void UndoStep() override;
    virtual void Revert();

private:
    CHeldObjects m_object;
};
