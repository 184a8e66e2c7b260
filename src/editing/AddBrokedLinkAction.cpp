#include "editing/AddBrokedLinkAction.h"

#include "diagram/ConfSpecialNode.h"
#include "diagram/GraphLink.h"
#include "editing/LoopEditor.h"

CAddBrokedLinkAction::CAddBrokedLinkAction(CLoopEditor* view, int descriptionId, CGraphLink* first,
                                           CGraphLink* second, CConfSpecialNode* outgoing,
                                           CConfSpecialNode* incoming)
    : CLoopAction(view, descriptionId),
      m_pFirst(first),
      m_pSecond(second),
      m_pOutgoing(outgoing),
      m_pIncoming(incoming),
      m_removal(*view) {}

CAddBrokedLinkAction::~CAddBrokedLinkAction() = default;

void CAddBrokedLinkAction::UndoStep() {
    if (m_removal.IsRecorded()) {
        m_removal.Replay();
        return;
    }
    m_removal.Begin();
    RemoveObjects();
    m_removal.End();
}

// Every part leaves the document with the link, so that no object the action
// keeps stays drawn.
void CAddBrokedLinkAction::RemoveObjects() {
    CLoopEditor& view = *GetView();
    for (CGraphLink* link : {m_pFirst, m_pSecond}) {
        if (IsInDocument(link)) {
            link->Disconnect(&view);
            view.DeleteObject(link);
        }
    }
    for (CConfSpecialNode* connector : {m_pOutgoing, m_pIncoming}) {
        if (IsInDocument(connector)) {
            view.DeleteObject(connector);
        }
    }
}

void CAddBrokedLinkAction::RedoStep() {
    m_removal.Revert();
    CLoopEditor& view = *GetView();
    view.DeselectAll();
    for (CGraphLink* link : {m_pFirst, m_pSecond}) {
        if (IsInDocument(link)) {
            view.Select(link, true);
        }
    }
}
