#pragma once

#include "editing/Action.h"

class CConfDoc;
class CDrawingObject;
class CLoopEditor;

// An action made in a loop view. Its undo and redo run in a common frame: the
// loop that is current when they start is made current again when they end
// (the views update with hint 7), so undoing an edit of another loop does not
// change the loop the user looks at.
class CLoopAction : public CAction {
public:
    CLoopAction(CLoopEditor* view, int descriptionId);
    ~CLoopAction() override;

    void Undo() override;
    void Redo() override;

    CLoopEditor* GetView() const { return m_pView; }
    int GetLoopNumber() const { return m_nLoop; }

protected:
    // The kind's own steps. Redo repeats the change by default.
    virtual void UndoStep() = 0;
    virtual void RedoStep() { Execute(); }
    virtual void Execute() {}

    CConfDoc& Document() const;
    // True while the document holds the object (actions skip stale objects).
    bool IsInDocument(const CDrawingObject* object) const;
    void ReapplyLoop(int loop) const;

private:
    CLoopEditor* m_pView;
    int m_nLoop;
};
