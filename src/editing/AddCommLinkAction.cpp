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
    // The connector stands for an input of the scan block, which takes the
    // address of the link's source output.
    if (GetLink() != nullptr) {
        blockservices::SetLinkParam(Document(), std::to_string(CConfGraphNode::kScanBlockNumber),
                                    GetLink()->GetInPortText(), GetLink()->GetOutPortText());
    }
}
