#pragma once

#include <vector>

#include "editing/LoopAction.h"

// The line width of the selection, applied when the action is made.
class CLineWidthAction : public CLoopAction {
public:
    CLineWidthAction(CLoopEditor* view, int descriptionId, int width);
    ~CLineWidthAction() override;

    void Do() override;

protected:
    void UndoStep() override;
    void RedoStep() override;

private:
    struct Entry {
        CDrawingObject* object;
        int width;
    };
    void Swap();

    std::vector<Entry> m_entries;
};
