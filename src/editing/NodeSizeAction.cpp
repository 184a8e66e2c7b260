#include "editing/NodeSizeAction.h"

#include "diagram/GraphNode.h"
#include "editing/LoopEditor.h"

CNodeSizeAction::CNodeSizeAction(CLoopEditor* view, int descriptionId, CGraphNode* node, CSize size)
    : CLoopAction(view, descriptionId), m_pNode(node), m_size(size) {}

CNodeSizeAction::~CNodeSizeAction() = default;

void CNodeSizeAction::Do() {
    CLoopAction::Do();
    Execute();
    Close();
}

void CNodeSizeAction::Execute() {
    if (!IsInDocument(m_pNode)) {
        return;
    }
    const CRect rect = m_pNode->GetRect();
    if (rect.Width() == m_size.cx && rect.Height() == m_size.cy) {
        return;
    }
    const CPoint centre = rect.CenterPoint();
    m_rect = CRect(centre.x - m_size.cx / 2, centre.y - m_size.cy / 2, centre.x + m_size.cx / 2,
                   centre.y + m_size.cy / 2);
    Swap();
}

void CNodeSizeAction::UndoStep() {
    Swap();
}

void CNodeSizeAction::RedoStep() {
    Swap();
}

void CNodeSizeAction::Swap() {
    if (!IsInDocument(m_pNode) || m_rect.IsRectNull()) {
        return;
    }
    CLoopEditor& view = *GetView();
    const CRect current = m_pNode->GetRect();
    // The links of a node follow it only while it counts as selected.
    const bool selected = m_pNode->IsSelected();
    m_pNode->Select(true);
    view.InvalidateObject(m_pNode);
    m_pNode->SetRect(m_rect);
    m_pNode->AfterLinksMove(&view);
    view.InvalidateObject(m_pNode);
    m_pNode->Select(selected);
    m_rect = current;
}
