#pragma once

#include <memory>

#include "editing/LoopAction.h"

// One new drawing object. The action owns the object until it is done and
// again while it is undone; the document owns it in between.
class CAddAction : public CLoopAction {
public:
    CAddAction(CLoopEditor* view, int descriptionId, std::unique_ptr<CDrawingObject> object);
    ~CAddAction() override;

    void Do() override;
    CDrawingObject* GetObject() const { return m_pObject; }

protected:
    void Execute() override;
    void UndoStep() override;

private:
    CDrawingObject* m_pObject;
    std::unique_ptr<CDrawingObject> m_owned;
};
