#pragma once

#include <memory>

#include "editing/AddLinkAction.h"

class CConfCommNode;

// A link that ends at a new communication connector: link and connector join
// the drawing together. The connector stands for an input of the scan block
// (number 119, in the general loop), named by the link's input label; that
// input's LINK takes the address of the link's source output.
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
