#pragma once

#include <memory>

#include "editing/GraphChange.h"
#include "editing/LoopAction.h"

class CBlock;
class CGraphNode;

// A block node and its block: the node joins the drawing and the block the
// current loop's execution order (appended, or at a given place). Undo takes
// both out again, with any link that reached the node meanwhile.
class CAddNodeAction : public CLoopAction {
public:
    // position: the block's place in the loop, -1 to append.
    CAddNodeAction(CLoopEditor* view, int descriptionId, std::unique_ptr<CGraphNode> node,
                   std::unique_ptr<CBlock> block, int position);
    ~CAddNodeAction() override;

    void Do() override;
    CGraphNode* GetNode() const { return m_pNode; }
    CBlock* GetBlock() const { return m_pBlock; }

protected:
    void Execute() override;
    void UndoStep() override;
    void RedoStep() override;

private:
    CGraphNode* m_pNode;
    CBlock* m_pBlock;
    std::unique_ptr<CGraphNode> m_node;
    std::unique_ptr<CBlock> m_block;
    int m_nPosition;
    CGraphChange m_change;
};
