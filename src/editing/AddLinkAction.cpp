#include "editing/AddLinkAction.h"

#include "diagram/BlockServices.h"
#include "diagram/GraphLink.h"
#include "diagram/GraphNode.h"
#include "editing/LoopEditor.h"

CAddLinkAction::CAddLinkAction(CLoopEditor* view, int descriptionId,
                               std::unique_ptr<CGraphLink> link, CGraphNode* from, CGraphNode* to)
    : CLoopAction(view, descriptionId),
      m_pLink(link.get()),
      m_link(std::move(link)),
      m_pFrom(from),
      m_pTo(to),
      m_change(*view) {
    if (m_pLink != nullptr) {
        m_pLink->SetLoop(GetLoopNumber());
        // A link made ready for the action may already be in its nodes' lists;
        // it joins them when the action is done, so that undo knows them without it.
        for (CGraphNode* node : {m_pFrom, m_pTo}) {
            if (node != nullptr) {
                while (node->HasLink(m_pLink)) {
                    node->CGraphNode::RemoveLink(m_pLink, nullptr);
                }
            }
        }
    }
}

CAddLinkAction::~CAddLinkAction() = default;

void CAddLinkAction::Do() {
    CLoopAction::Do();
    Execute();
}

void CAddLinkAction::Execute() {
    if (!m_link) {
        return;
    }
    m_change.Begin();
    AddObjects();
    m_change.End();
    GetView()->Select(m_pLink, false);
}

void CAddLinkAction::AddLinkObject() {
    GetView()->AddObject(std::move(m_link));
    m_pLink->SetFrom(m_pFrom);
    m_pLink->SetTo(m_pTo);
    for (CGraphNode* node : {m_pFrom, m_pTo}) {
        if (node != nullptr && !node->HasLink(m_pLink)) {
            node->AddLink(m_pLink);
        }
    }
}

void CAddLinkAction::AddObjects() {
    AddLinkObject();
    if (m_pTo != nullptr) {
        blockservices::SetLinkParam(Document(), m_pTo->GetNumberText(), m_pLink->GetInPortText(),
                                    m_pLink->GetOutPortText());
    }
}

void CAddLinkAction::UndoStep() {
    m_change.Revert();
}

void CAddLinkAction::RedoStep() {
    m_change.Replay();
    GetView()->Select(m_pLink, false);
}
