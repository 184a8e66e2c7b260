#pragma once

#include "editing/GraphChange.h"
#include "editing/LoopAction.h"

class CConfSpecialNode;
class CGraphLink;

// A broken link: a link from the source block to an outgoing connector and one
// from an incoming connector to the destination block. The link tool adds the
// four objects and writes the LINK value; the action takes them back out on
// undo (noting everything that changed with it) and puts them back on redo.
class CAddBrokedLinkAction : public CLoopAction {
public:
    CAddBrokedLinkAction(CLoopEditor* view, int descriptionId, CGraphLink* first,
                         CGraphLink* second, CConfSpecialNode* outgoing,
                         CConfSpecialNode* incoming);
    ~CAddBrokedLinkAction() override;

protected:
    void UndoStep() override;
    void RedoStep() override;

private:
    void RemoveObjects();

    CGraphLink* m_pFirst;
    CGraphLink* m_pSecond;
    CConfSpecialNode* m_pOutgoing;
    CConfSpecialNode* m_pIncoming;
    CGraphChange m_removal;
};
