#include "editing/AddNodeAction.h"

#include "diagram/GraphNode.h"
#include "document/ConfDoc.h"
#include "editing/LoopEditor.h"
#include "model/Block.h"

CAddNodeAction::CAddNodeAction(CLoopEditor* view, int descriptionId,
                               std::unique_ptr<CGraphNode> node, std::unique_ptr<CBlock> block,
                               int position)
    : CLoopAction(view, descriptionId),
      m_pNode(node.get()),
      m_pBlock(block.get()),
      m_node(std::move(node)),
      m_block(std::move(block)),
      m_nPosition(position),
      m_change(*view) {
    if (m_pNode != nullptr) {
        m_pNode->SetLoop(GetLoopNumber());
    }
}

CAddNodeAction::~CAddNodeAction() = default;

void CAddNodeAction::Do() {
    CLoopAction::Do();
    Execute();
}

void CAddNodeAction::Execute() {
    if (!m_node) {
        return;
    }
    CLoopEditor& view = *GetView();
    CConfDoc& document = Document();
    m_change.Begin();
    view.AddObject(std::move(m_node));
    const int loop = GetLoopNumber();
    if (m_block && document.GetLoop(loop) != nullptr) {
        const int count = document.GetBlockCount(loop);
        const int position = m_nPosition < 0 || m_nPosition > count ? count : m_nPosition;
        document.InsertBlock(position, std::move(m_block), loop);
    }
    m_change.End();
    view.RefreshBlockList(m_pBlock);
    view.Select(m_pNode, false);
}

void CAddNodeAction::UndoStep() {
    m_change.Revert();
    GetView()->RefreshBlockList();
}

void CAddNodeAction::RedoStep() {
    m_change.Replay();
    CLoopEditor& view = *GetView();
    view.RefreshBlockList(m_pBlock);
    view.Select(m_pNode, false);
}
