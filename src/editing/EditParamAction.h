#pragma once

#include <memory>

#include "editing/GraphChange.h"
#include "editing/LoopAction.h"

class CBlock;

// All parameters of one block. The action notes a copy of the block before
// the parameter dialog changes it; once the dialog is done, Commit brings the
// node's links in line with the LINK values (noting what that changed). Undo
// and redo exchange the block in the loop with the noted copy and take the
// links back or make them again. The action always owns the block it keeps.
class CEditParamAction : public CLoopAction {
public:
    CEditParamAction(CLoopEditor* view, int descriptionId, const CBlock& before);
    ~CEditParamAction() override;

    // The block as it is in the loop now replaces nothing; its links follow.
    void Commit();
    void Do() override;
    // Only the base step and the exchange: no loop is made current.
    void Undo() override;
    void Redo() override;

    const CBlock* GetKeptBlock() const { return m_kept.get(); }
    int GetBlockNumber() const { return m_nBlockNumber; }
    int GetPosition() const { return m_nPosition; }

protected:
    void UndoStep() override;
    void RedoStep() override;

private:
    void Swap();

    std::unique_ptr<CBlock> m_kept;
    int m_nBlockNumber;
    int m_nPosition = -1;
    CGraphChange m_change;
    bool m_bCommitted = false;
};
