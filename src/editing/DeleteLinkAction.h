#pragma once

#include "editing/GraphChange.h"
#include "editing/LoopAction.h"

class CGraphLink;

// One link deleted: it leaves both nodes, which clears the LINK value it stood
// for; a link of a broken pair takes its partner and both connectors along.
class CDeleteLinkAction : public CLoopAction {
public:
    CDeleteLinkAction(CLoopEditor* view, int descriptionId, CGraphLink* link);
    ~CDeleteLinkAction() override;

    void Do() override;

protected:
    void Execute() override;
    void UndoStep() override;
    void RedoStep() override;
    virtual void Revert();

private:
    CGraphLink* m_pLink;
    CGraphChange m_change;
};
