#pragma once

#include <memory>

#include "editing/AddLinkAction.h"

class CConfCommNode;

// A link that ends at a new communication connector: link and connector join
// the drawing together, and the block at the link's other end takes the
// connector's reference in the LINK parameter of the link's input.
class CAddCommLinkAction : public CAddLinkAction {
public:
    CAddCommLinkAction(CLoopEditor* view, int descriptionId, std::unique_ptr<CGraphLink> link,
                       CGraphNode* source, std::unique_ptr<CConfCommNode> commNode);
    ~CAddCommLinkAction() override;

protected:
    void AddObjects() override;

private:
    CConfCommNode* m_pCommNode;
    std::unique_ptr<CConfCommNode> m_commNode;
};
