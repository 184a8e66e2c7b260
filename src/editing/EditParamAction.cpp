#include "editing/EditParamAction.h"

#include "document/ConfDoc.h"
#include "editing/LoopEditor.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"

CEditParamAction::CEditParamAction(CLoopEditor* view, int descriptionId, const CBlock& before)
    : CLoopAction(view, descriptionId),
      m_kept(before.Clone()),
      m_nBlockNumber(before.GetBlockNumber()),
      m_change(*view) {
    const CConfDoc& document = Document();
    if (const CBlock* block = document.FindBlockByNumber(m_nBlockNumber)) {
        if (const CLoop* loop = document.FindLoopOfBlock(*block)) {
            m_nPosition = loop->IndexOfBlock(m_nBlockNumber);
        }
    }
}

CEditParamAction::~CEditParamAction() = default;

void CEditParamAction::Commit() {
    if (m_bCommitted) {
        return;
    }
    m_bCommitted = true;
    CBlock* current = Document().FindBlockByNumber(m_nBlockNumber);
    if (current == nullptr) {
        return;
    }
    m_change.Begin();
    GetView()->BringLinksInLine(*current, *m_kept);
    m_change.End();
}

void CEditParamAction::Do() {
    Commit();
    CLoopAction::Do();
    Close();
}

void CEditParamAction::Undo() {
    CAction::Undo();
    UndoStep();
}

void CEditParamAction::Redo() {
    CAction::Redo();
    RedoStep();
}

// The recorded change knows the edited block in the loop: it is taken back
// while that block is there, and made again once it is back.
void CEditParamAction::UndoStep() {
    m_change.Revert();
    Swap();
}

void CEditParamAction::RedoStep() {
    Swap();
    m_change.Replay();
}

// The block in the loop takes the kept state and the kept copy the present
// one: the block stays the same object, which the other actions and the
// recorded change refer to.
void CEditParamAction::Swap() {
    CConfDoc& document = Document();
    CBlock* current = document.FindBlockByNumber(m_nBlockNumber);
    if (current == nullptr || !m_kept) {
        return;
    }
    current->SwapContents(*m_kept);
    current->SetChanged(true);
    if (CLoop* loop = document.FindLoopOfBlock(*current)) {
        // New LINK values change the loop's wiring, which only a whole loop
        // carries to the controller; CONF and ADJ values go block by block.
        const bool wiring = current->CompareParams(PARAM_LINK, *m_kept) != 0;
        loop->SetModified(wiring ? CLoop::MODIFIED_BLOCKS : CLoop::MODIFIED_REPLACED);
    }
    GetView()->RefreshBlockList(current);
    GetView()->RepaintAll();
}
