#include "editing/DeleteNodeAction.h"

#include "diagram/ConfGraphNode.h"
#include "editing/LoopEditor.h"

CDeleteNodeAction::CDeleteNodeAction(CLoopEditor* view, int descriptionId, CGraphNode* node,
                                     CBlock* block)
    : CLoopAction(view, descriptionId), m_pNode(node), m_pBlock(block), m_change(*view) {
    if (m_pBlock == nullptr) {
        if (auto* blockNode = dynamic_cast<CConfGraphNode*>(node)) {
            m_pBlock = blockNode->FindBlock(view);
        }
    }
}

CDeleteNodeAction::~CDeleteNodeAction() = default;

void CDeleteNodeAction::Do() {
    CLoopAction::Do();
    Execute();
    Close();
}

void CDeleteNodeAction::Execute() {
    CLoopEditor& view = *GetView();
    if (m_change.IsRecorded()) {
        return;
    }
    // A block without a picture leaves the loop on its own.
    if (m_pNode == nullptr) {
        m_change.Begin();
        m_change.TakeBlock(m_pBlock);
        m_change.End();
        view.RefreshBlockList();
        return;
    }
    if (!IsInDocument(m_pNode)) {
        return;
    }
    m_change.Begin();
    // The block goes first, so that the links that leave clear only the LINKs
    // of the blocks that stay (the deleted block keeps its own).
    m_change.TakeBlock(m_pBlock);
    m_pNode->DeleteLinks(&view);
    view.DeleteObject(m_pNode);
    m_change.End();
    view.RefreshBlockList();
}

void CDeleteNodeAction::UndoStep() {
    Revert();
}

void CDeleteNodeAction::Revert() {
    m_change.Revert();
    CLoopEditor& view = *GetView();
    if (m_pNode != nullptr) {
        view.Select(m_pNode, false);
    }
    view.RefreshBlockList(m_pBlock);
}

void CDeleteNodeAction::RedoStep() {
    m_change.Replay();
    GetView()->RefreshBlockList();
}
