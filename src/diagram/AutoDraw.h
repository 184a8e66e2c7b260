#pragma once

#include "platform/Size.h"

class CConfDoc;

// The automatic drawing of a loop: a node for every block that has none, placed
// in columns by signal flow (a block right of the blocks that feed it) and in
// rows by execution order; a link for every LINK value whose source block is in
// the loop, routed through the gaps between the nodes; and connectors for links
// to and from other loops. Blocks and links already drawn stay as they are.
class CAutoDraw {
public:
    struct Result {
        int nodes = 0;
        int links = 0;
        int connectors = 0;
    };

    static constexpr int kColumnSpacing = 170;
    static constexpr int kRowSpacing = 130;
    static constexpr int kLeftMargin = 90;
    static constexpr int kTopMargin = 70;
    static constexpr int kLaneSpacing = 10;
    static constexpr int kInputSpacing = 16;

    CAutoDraw(CConfDoc& document, int loopNumber, CSize page);

    Result Run();

private:
    class Impl;
    CConfDoc& m_document;
    int m_nLoop;
    CSize m_page;
};
