#pragma once

#include <memory>

#include "editing/GraphChange.h"
#include "editing/LoopAction.h"

class CGraphLink;
class CGraphNode;

// A link between two block terminals: it joins the drawing and both nodes'
// link lists, and the destination block's LINK parameter takes the address
// of the source output. Undo disconnects it, which resets that LINK.
class CAddLinkAction : public CLoopAction {
public:
    CAddLinkAction(CLoopEditor* view, int descriptionId, std::unique_ptr<CGraphLink> link,
                   CGraphNode* from, CGraphNode* to);
    ~CAddLinkAction() override;

    void Do() override;
    CGraphLink* GetLink() const { return m_pLink; }

protected:
    void Execute() override;
    void UndoStep() override;
    void RedoStep() override;
    // Adds the link and the objects of its kind and writes the LINK value.
    virtual void AddObjects();
    CGraphNode* GetFrom() const { return m_pFrom; }
    CGraphNode* GetTo() const { return m_pTo; }
    void AddLinkObject();

private:
    CGraphLink* m_pLink;
    std::unique_ptr<CGraphLink> m_link;
    CGraphNode* m_pFrom;
    CGraphNode* m_pTo;
    CGraphChange m_change;
};
