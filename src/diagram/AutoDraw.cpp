#include "diagram/AutoDraw.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "diagram/ConfGraphNode.h"
#include "diagram/ConfSpecialNode.h"
#include "diagram/DrawText.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "model/BlockTypeInfo.h"

namespace {

int Snap(int value) {
    return (value + (value >= 0 ? 5 : -5)) / 10 * 10;
}

// The connector text naming a block of another loop: " L2:PID-043", " LG:K-118".
std::string ConnectorText(int loop, const CBlock& block) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d", block.GetBlockNumber());
    return " " + CConfSpecialNode::LoopLabel(loop, block.GetName(), number);
}

}  // namespace

// The state of one run: the loop's nodes, their grid cells and the lanes used.
class CAutoDraw::Impl {
public:
    Impl(CConfDoc& document, int loop, CSize page) : m_doc(document), m_loop(loop), m_page(page) {}

    Result Run() {
        CLoop* loop = m_doc.GetLoop(m_loop);
        if (loop == nullptr) {
            return m_result;
        }
        FindExistingNodes();
        PlaceMissingNodes(*loop);
        for (int b = 0; b < loop->GetBlockCount(); ++b) {
            DrawInputs(*loop->GetBlock(b));
        }
        for (int b = 0; b < loop->GetBlockCount(); ++b) {
            DrawOutgoingConnectors(*loop->GetBlock(b));
        }
        return m_result;
    }

private:
    void FindExistingNodes() {
        for (const auto& item : m_doc.GetGraphObjects()) {
            auto* node = dynamic_cast<CConfGraphNode*>(item.get());
            if (node != nullptr && node->GetLoop() == m_loop) {
                m_nodes[node->GetNumber()] = node;
            }
        }
    }

    // Columns by signal flow: one right of the latest earlier block feeding it.
    std::map<int, int> Columns(const CLoop& loop) const {
        std::map<int, int> column;
        const int maxColumn = std::max(0, (m_page.cx - kLeftMargin - 40) / kColumnSpacing);
        for (int b = 0; b < loop.GetBlockCount(); ++b) {
            const CBlock& block = *loop.GetBlock(b);
            int depth = 0;
            for (int j = 0; j < block.GetParamListSize(PARAM_LINK); ++j) {
                const CBlock* source = loop.FindBlockOfOutput(block.GetLinkValue(j));
                if (source != nullptr && loop.IndexOfBlock(source->GetBlockNumber()) < b) {
                    depth = std::max(depth, column[source->GetBlockNumber()] + 1);
                }
            }
            column[block.GetBlockNumber()] = std::min(depth, maxColumn);
        }
        return column;
    }

    bool CellIsFree(const CRect& rect) const {
        CRect margin = rect;
        margin.InflateRect(20, 20);
        for (const auto& [number, node] : m_nodes) {
            CRect other = node->GetRect();
            other.NormalizeRect();
            if (CRect().IntersectRect(margin, other)) {
                return false;
            }
        }
        return true;
    }

    // The row of the block's first source drawn in an earlier column, so that
    // a chain of blocks lines up; 0 without one.
    int PreferredRow(const CLoop& loop, const CBlock& block,
                     const std::map<int, int>& column) const {
        for (int j = 0; j < block.GetParamListSize(PARAM_LINK); ++j) {
            const CBlock* source = loop.FindBlockOfOutput(block.GetLinkValue(j));
            if (source == nullptr) {
                continue;
            }
            auto row = m_rows.find(source->GetBlockNumber());
            if (row != m_rows.end() &&
                column.at(source->GetBlockNumber()) < column.at(block.GetBlockNumber())) {
                return row->second;
            }
        }
        return 0;
    }

    // True when a block of the first column takes an input from another loop:
    // its connector needs the room of a column to the left.
    bool NeedsConnectorRoom(const CLoop& loop, const std::map<int, int>& column) const {
        for (int b = 0; b < loop.GetBlockCount(); ++b) {
            const CBlock& block = *loop.GetBlock(b);
            for (int j = 0;
                 j < block.GetParamListSize(PARAM_LINK) && column.at(block.GetBlockNumber()) == 0;
                 ++j) {
                const int address = block.GetLinkValue(j);
                const CBlock* source = address == 0 ? nullptr : m_doc.FindBlockByOutput(address);
                if (source != nullptr && source->GetLoopNumber() != m_loop) {
                    return true;
                }
            }
        }
        return false;
    }

    void PlaceMissingNodes(const CLoop& loop) {
        std::map<int, int> column = Columns(loop);
        if (m_nodes.empty() && NeedsConnectorRoom(loop, column)) {
            const int maxColumn = std::max(0, (m_page.cx - kLeftMargin - 40) / kColumnSpacing);
            for (auto& [number, col] : column) {
                col = std::min(col + 1, maxColumn);
            }
        }
        std::map<int, std::set<int>> usedRows;
        const CSize size = CConfGraphNode::kSmallestBlockSize;
        for (int b = 0; b < loop.GetBlockCount(); ++b) {
            const CBlock& block = *loop.GetBlock(b);
            if (m_nodes.count(block.GetBlockNumber()) != 0) {
                continue;
            }
            const int col = column.at(block.GetBlockNumber());
            int row = PreferredRow(loop, block, column);
            CPoint centre;
            CRect rect;
            for (;; ++row) {
                centre = CPoint(Snap(kLeftMargin + col * kColumnSpacing),
                                Snap(kTopMargin + row * kRowSpacing));
                rect = CRect(centre.x - size.cx / 2, centre.y - size.cy / 2, centre.x + size.cx / 2,
                             centre.y + size.cy / 2);
                if ((usedRows[col].count(row) == 0 && CellIsFree(rect)) || row > 200) {
                    break;
                }
            }
            usedRows[col].insert(row);
            m_rows[block.GetBlockNumber()] = row;
            auto node = CConfGraphNode::CreateForBlock(block, centre, size);
            node->SetLoop(m_loop);
            m_nodes[block.GetBlockNumber()] = node.get();
            m_doc.AddDrawingObject(std::move(node));
            ++m_result.nodes;
        }
    }

    bool HasLinkInto(const CGraphNode& node, const std::string& input) const {
        for (const CGraphLink* link : node.GetLinks()) {
            if (link->GetTo() == &node && link->GetInLabel() != nullptr &&
                link->GetInLabel()->GetText() == input) {
                return true;
            }
        }
        return false;
    }

    // The y at which the k-th of n linked inputs enters a node: one input at
    // the centre, several spread evenly so their labels do not overlap.
    static int InputY(const CRect& rect, int k, int n) {
        const int centre = (rect.top + rect.bottom) / 2;
        return centre + (2 * k - (n - 1)) * kInputSpacing / 2;
    }

    int LinkedInputCount(const CBlock& block) const {
        int count = 0;
        for (int j = 0; j < block.GetParamListSize(PARAM_LINK); ++j) {
            const int address = block.GetLinkValue(j);
            count += address != 0 && m_doc.FindBlockByOutput(address) != nullptr ? 1 : 0;
        }
        return count;
    }

    int NextLane(int key) { return m_lanes[key]++ * kLaneSpacing; }

    // A route from the source node's right side to the destination's left side
    // through the gaps between columns and rows.
    std::vector<CPoint> Route(const CRect& from, const CRect& to, int inputY) {
        const CPoint start(from.right, (from.top + from.bottom) / 2);
        const CPoint end(to.left, inputY);
        const bool adjacent = to.left > from.right && to.left - from.right <= kColumnSpacing;
        if (adjacent) {
            if (start.y == end.y) {
                return {start, end};
            }
            // The channel runs close to the destination, clear of connectors
            // hanging under the source.
            const int gap = Snap(to.left - 20) - NextLane(to.left);
            return {start, CPoint(gap, start.y), CPoint(gap, end.y), end};
        }
        const int outX = Snap(from.right + 25) + NextLane(from.right);
        const int laneY = Snap(from.bottom + (kRowSpacing - (from.bottom - from.top)) / 2) +
                          NextLane(-from.bottom);
        const int inX = Snap(to.left - 25) - NextLane(-to.left);
        return {start,
                CPoint(outX, start.y),
                CPoint(outX, laneY),
                CPoint(inX, laneY),
                CPoint(inX, end.y),
                end};
    }

    void AddLink(CGraphNode* from, CGraphNode* to, const std::vector<CPoint>& route,
                 const std::string& out, const std::string& in) {
        auto link = CGraphLink::CreateBetween(from, to, route, out, in);
        if (link) {
            link->SetLoop(m_loop);
            m_doc.AddDrawingObject(std::move(link));
            ++m_result.links;
        }
    }

    void DrawInputs(const CBlock& block) {
        CConfGraphNode* node = m_nodes[block.GetBlockNumber()];
        const int linked = LinkedInputCount(block);
        int k = 0;
        for (int j = 0; j < block.GetParamListSize(PARAM_LINK); ++j) {
            const int address = block.GetLinkValue(j);
            const CBlock* source = address == 0 ? nullptr : m_doc.FindBlockByOutput(address);
            const std::string input = block.GetLinkInputName(j);
            if (source == nullptr) {
                continue;
            }
            const int slot = k++;
            if (node == nullptr || HasLinkInto(*node, input)) {
                continue;
            }
            CRect to = node->GetRect();
            to.NormalizeRect();
            const int inputY = InputY(to, slot, linked);
            auto it = m_nodes.find(source->GetBlockNumber());
            if (it != m_nodes.end() && source->GetLoopNumber() == m_loop) {
                CRect from = it->second->GetRect();
                from.NormalizeRect();
                AddLink(it->second, node, Route(from, to, inputY), std::to_string(address), input);
                continue;
            }
            if (source->GetLoopNumber() != m_loop) {
                AddIncomingConnector(*source, node, to, inputY, address, input);
            }
        }
    }

    void AddIncomingConnector(const CBlock& source, CConfGraphNode* node, const CRect& to,
                              int inputY, int address, const std::string& input) {
        const CPoint anchor(Snap(to.left - 40) - NextLane(-to.left - 1000), inputY);
        auto connector = CConfSpecialNode::CreateConnector(
            CConfSpecialNode::KIND_INCOMING, ConnectorText(source.GetLoopNumber(), source), anchor);
        connector->SetLoop(m_loop);
        connector->SetOwner(node);
        CConfSpecialNode* raw = connector.get();
        m_doc.AddDrawingObject(std::move(connector));
        ++m_result.connectors;
        AddLink(raw, node, {anchor, CPoint(to.left, inputY)}, std::to_string(address), input);
        raw->OrientToLink(nullptr);
    }

    void DrawOutgoingConnectors(const CBlock& source) {
        CConfGraphNode* node = m_nodes[source.GetBlockNumber()];
        if (node == nullptr) {
            return;
        }
        CRect from = node->GetRect();
        from.NormalizeRect();
        int stacked = 0;
        for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
            const CLoop* other = m_doc.GetLoop(n);
            if (other == nullptr || n == m_loop) {
                continue;
            }
            for (int b = 0; b < other->GetBlockCount(); ++b) {
                const CBlock& target = *other->GetBlock(b);
                for (int j = 0; j < target.GetParamListSize(PARAM_LINK); ++j) {
                    const int address = target.GetLinkValue(j);
                    if (address == 0 || !source.HasOutputAddress(address) ||
                        HasOutgoing(*node, n, target)) {
                        continue;
                    }
                    // Below the node, clear of the row's links and the lane under it.
                    const int centreX = (from.left + from.right) / 2;
                    const CPoint anchor(centreX + 10, from.bottom + 20 + stacked * 22);
                    ++stacked;
                    auto connector = CConfSpecialNode::CreateConnector(
                        CConfSpecialNode::KIND_OUTGOING, ConnectorText(n, target), anchor);
                    connector->SetLoop(m_loop);
                    connector->SetOwner(node);
                    CConfSpecialNode* raw = connector.get();
                    m_doc.AddDrawingObject(std::move(connector));
                    ++m_result.connectors;
                    AddLink(node, raw,
                            {CPoint(centreX, from.bottom), CPoint(centreX, anchor.y), anchor},
                            std::to_string(address), target.GetLinkInputName(j));
                    raw->OrientToLink(nullptr);
                }
            }
        }
    }

    bool HasOutgoing(const CGraphNode& node, int loop, const CBlock& target) const {
        const std::string text = ConnectorText(loop, target);
        for (const CGraphLink* link : node.GetLinks()) {
            const auto* connector = dynamic_cast<const CConfSpecialNode*>(link->GetTo());
            if (link->GetFrom() == &node && connector != nullptr && connector->GetText() == text) {
                return true;
            }
        }
        return false;
    }

    CConfDoc& m_doc;
    int m_loop;
    CSize m_page;
    Result m_result;
    std::map<int, CConfGraphNode*> m_nodes;
    std::map<int, int> m_lanes;
    std::map<int, int> m_rows;  // block number -> grid row of nodes placed in this run
};

CAutoDraw::CAutoDraw(CConfDoc& document, int loopNumber, CSize page)
    : m_document(document), m_nLoop(loopNumber), m_page(page) {}

CAutoDraw::Result CAutoDraw::Run() {
    return Impl(m_document, m_nLoop, m_page).Run();
}
