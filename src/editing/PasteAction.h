#pragma once

#include <memory>
#include <vector>

#include "editing/HeldObjects.h"
#include "editing/LoopAction.h"

// Copies of the clipboard's objects added to the current loop. Graph nodes,
// links and block list pictures are not pasted: they stand for the loop's
// blocks.
class CPasteAction : public CLoopAction {
public:
    CPasteAction(CLoopEditor* view, int descriptionId,
                 const std::vector<std::unique_ptr<CDrawingObject>>& clipboard);
    ~CPasteAction() override;

    void Do() override;
    std::size_t GetCount() const { return m_objects.GetCount(); }

protected:
    void Execute() override;
    void UndoStep() override;
    CHeldObjects& Objects() { return m_objects; }

private:
    CHeldObjects m_objects;
};
