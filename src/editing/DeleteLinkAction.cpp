#include "editing/DeleteLinkAction.h"

#include "diagram/ConfGraphNode.h"
#include "diagram/ConfSpecialNode.h"
#include "diagram/GraphLink.h"
#include "editing/LoopEditor.h"

CDeleteLinkAction::CDeleteLinkAction(CLoopEditor* view, int descriptionId, CGraphLink* link)
    : CLoopAction(view, descriptionId), m_pLink(link), m_change(*view) {}

CDeleteLinkAction::~CDeleteLinkAction() = default;

void CDeleteLinkAction::Do() {
    CLoopAction::Do();
    Execute();
    Close();
}

void CDeleteLinkAction::Execute() {
    CLoopEditor& view = *GetView();
    if (!IsInDocument(m_pLink) || m_change.IsRecorded()) {
        return;
    }
    CGraphNode* ends[] = {m_pLink->GetFrom(), m_pLink->GetTo()};
    m_change.Begin();
    m_pLink->Disconnect(&view);
    view.DeleteObject(m_pLink);
    // A connector exists for its link: one left without links goes as well.
    for (CGraphNode* end : ends) {
        auto* connector = dynamic_cast<CConfSpecialNode*>(end);
        if (connector != nullptr && connector->GetLinks().empty() && view.HasObject(connector)) {
            if (auto* owner = dynamic_cast<CConfGraphNode*>(connector->GetOwner())) {
                owner->DetachConnector(connector);
            }
            view.DeleteObject(connector);
        }
    }
    m_change.End();
}

void CDeleteLinkAction::UndoStep() {
    Revert();
}

void CDeleteLinkAction::Revert() {
    m_change.Revert();
    GetView()->Select(m_pLink, false);
}

void CDeleteLinkAction::RedoStep() {
    m_change.Replay();
}
