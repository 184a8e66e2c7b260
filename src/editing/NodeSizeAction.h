#pragma once

#include "editing/LoopAction.h"
#include "platform/Rect.h"
#include "platform/Size.h"

class CGraphNode;

// The size of one node, changed about its centre when the action is done. The
// rectangle it had is noted, so that undo gives it back exactly (odd sizes
// included); the node's links reconnect each time.
class CNodeSizeAction : public CLoopAction {
public:
    CNodeSizeAction(CLoopEditor* view, int descriptionId, CGraphNode* node, CSize size);
    ~CNodeSizeAction() override;

    void Do() override;

protected:
    void Execute() override;
    void UndoStep() override;
    void RedoStep() override;

private:
    void Swap();

    CGraphNode* m_pNode;
    CSize m_size;
    CRect m_rect;
};
