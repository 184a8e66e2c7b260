#pragma once

#include "editing/LoopAction.h"
#include "editing/ObjectStyle.h"

// What the property actions share: the object's look (the parts the kind
// names) noted before the property sheet changes it; undo and redo exchange
// it with the object's present look.
class CStyleAction : public CLoopAction {
public:
    CStyleAction(CLoopEditor* view, int descriptionId, CDrawingObject* object, unsigned parts);
    ~CStyleAction() override;

    void Do() override;
    CDrawingObject* GetObject() const { return m_pObject; }

protected:
    void UndoStep() override;
    void RedoStep() override;

private:
    void Swap();

    CDrawingObject* m_pObject;
    unsigned m_parts;
    CObjectStyle m_style;
};
