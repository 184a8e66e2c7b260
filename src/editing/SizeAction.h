#pragma once

#include "editing/LoopAction.h"
#include "platform/Point.h"

// One object resized by a handle. The action notes where the handle stood
// before the drag; swapping moves the handle there and notes where it was.
class CSizeAction : public CLoopAction {
public:
    CSizeAction(CLoopEditor* view, int descriptionId, CDrawingObject* object, int handle,
                CPoint point);
    ~CSizeAction() override;

    void Do() override;
    CDrawingObject* GetObject() const { return m_pObject; }
    int GetHandle() const { return m_nHandle; }

protected:
    void UndoStep() override;
    void RedoStep() override;

private:
    void Swap();

    CDrawingObject* m_pObject;
    int m_nHandle;
    CPoint m_point;
    int m_nDragPart;
};
