#pragma once

#include "editing/GraphChange.h"
#include "editing/LoopAction.h"

class CBlock;
class CGraphNode;

// A block node (or a connector) deleted with its block and its links: the
// block leaves the loop's execution order, each link clears the LINK value it
// stood for, connectors on other loops go with their partner links. Undo puts
// every piece back where it was, LINK values included.
class CDeleteNodeAction : public CLoopAction {
public:
    // Without a block, the node's own block is found by its number label.
    CDeleteNodeAction(CLoopEditor* view, int descriptionId, CGraphNode* node,
                      CBlock* block = nullptr);
    ~CDeleteNodeAction() override;

    void Do() override;

protected:
    void Execute() override;
    void UndoStep() override;
    void RedoStep() override;
    virtual void Revert();

private:
    CGraphNode* m_pNode;
    CBlock* m_pBlock;
    CGraphChange m_change;
};
