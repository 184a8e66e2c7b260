#pragma once

#include <memory>
#include <string>
#include <vector>

#include "diagram/GraphNode.h"

class CBlock;
class CConfSpecialNode;

// A function block on its loop's drawing: a circle with the block's name above
// the centre and its three-digit number below. A link between two block nodes
// stands for a LINK parameter of the destination block; links to other loops
// and communication sources end at connectors, which the node lists (not owns).
class CConfGraphNode : public CGraphNode {
    DECLARE_SERIAL(CConfGraphNode)

public:
    // Circle sizes of new blocks; the loop view starts with the smallest.
    static constexpr CSize kSmallestBlockSize{60, 60};
    static constexpr CSize kRegularBlockSize{80, 80};
    static constexpr CSize kLargestBlockSize{100, 100};
    // Block number of the scan block, whose inputs are numbered instead of lettered.
    static constexpr int kScanBlockNumber = 119;

    CConfGraphNode();
    CConfGraphNode(std::unique_ptr<CDrawingObject> shape, std::unique_ptr<CDrawText> name,
                   std::unique_ptr<CDrawText> number);
    ~CConfGraphNode() override;

    // The node of a block: a circle of the size centred on the point, the
    // block's name and its number ("%03d") laid out inside, on the block's loop.
    static std::unique_ptr<CConfGraphNode> CreateForBlock(const CBlock& block, CPoint centre,
                                                          CSize size);

    void Serialize(CArchive& ar) override;
    std::unique_ptr<CDrawingObject> Clone() const override;

    // Finds a link from a connector owned by the requester with the given port
    // texts, resets the LINK it fed (incoming connector) and deletes the link and
    // the connector through the view. Only the first match.
    void RemoveRemoteLink(CGraphNode* requester, const std::string& outText,
                          const std::string& inText, CDrawingView* view) override;
    // Resets the destination block's LINK parameter unless the link goes to a
    // connector (a communication connector frees its scan block input), then
    // drops the link.
    void RemoveLink(CGraphLink* link, CDrawingView* view) override;
    // Deletes every link through the view, then the block from the configuration.
    void DeleteLinks(CDrawingView* view) override;
    // "47;48;": the block's output addresses. False without block or outputs.
    bool GetOutputPorts(CDrawingView* view, std::string& ports) override;
    // "A;C;": the block's inputs whose LINK is free ("1;2;" for the scan block).
    bool GetFreeInputPorts(CDrawingView* view, std::string& ports) override;
    // A block's terminals are all on its circle: the point of the outline facing
    // the neighbouring route vertex.
    CPoint GetTerminalPoint(CPoint neighbour, int portIndex) const override;

    const std::string& GetSelectedPort() const { return m_strSelectedPort; }
    // "?" (nothing chosen) is kept as empty.
    void SetSelectedPort(const std::string& port);

    const std::vector<CConfSpecialNode*>& GetConnectors() const { return m_connectors; }
    void SetConnectors(std::vector<CConfSpecialNode*> connectors) {
        m_connectors = std::move(connectors);
    }
    // Appends the connector unless it is listed already.
    void AddConnector(CConfSpecialNode* connector);
    // Drops the connector from the list; true when it was listed.
    bool DetachConnector(CConfSpecialNode* connector);
    // Drops the connector and has the view select, repaint and delete it.
    void RemoveConnector(CConfSpecialNode* connector, CDrawingView* view);
    // The first connector with a link whose output or input port text is the
    // text; null for an empty text.
    CConfSpecialNode* FindConnectorByPort(const std::string& port) const;

    // The block this node stands for in the document; null when there is none.
    CBlock* FindBlock(CDrawingView* view) const;

protected:
    CConfGraphNode(const CConfGraphNode& other);

    std::vector<CConfSpecialNode*> m_connectors;
    std::string m_strSelectedPort;
};
