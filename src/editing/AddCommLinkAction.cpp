#include "editing/AddCommLinkAction.h"

#include "diagram/BlockServices.h"
#include "diagram/ConfCommNode.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/GraphLink.h"
#include "editing/LoopEditor.h"

CAddCommLinkAction::CAddCommLinkAction(CLoopEditor* view, int descriptionId,
                                       std::unique_ptr<CGraphLink> link, CGraphNode* source,
                                       std::unique_ptr<CConfCommNode> commNode)
    : CAddLinkAction(view, descriptionId, std::move(link), source, commNode.get()),
      m_pCommNode(commNode.get()),
      m_commNode(std::move(commNode)) {
    if (m_pCommNode != nullptr) {
        m_pCommNode->SetLoop(GetLoopNumber());
    }
}

CAddCommLinkAction::~CAddCommLinkAction() = default;

void CAddCommLinkAction::AddObjects() {
    if (m_commNode) {
        GetView()->AddObject(std::move(m_commNode));
    }
    AddLinkObject();
    // The block end of the link carries the connector's reference.
    CGraphNode* block = dynamic_cast<CConfGraphNode*>(GetFrom()) != nullptr ? GetFrom() : GetTo();
    if (block != nullptr && GetLink() != nullptr) {
        blockservices::SetLinkParam(Document(), block->GetNumberText(), GetLink()->GetInPortText(),
                                    GetLink()->GetOutPortText());
    }
}
