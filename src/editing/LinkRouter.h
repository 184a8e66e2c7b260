#pragma once

#include <vector>

#include "platform/Point.h"
#include "platform/Rect.h"

// The route of a link the editor draws by itself (when a LINK value is set
// in the parameters): from the centre of the source node to the centre of the
// destination node, with bends that keep it off the other nodes. The ends are
// put on the nodes' terminals afterwards (CGraphLink::Connect).
namespace linkrouter {

// The first of a few orthogonal shapes (straight, a step across, a step down,
// over or under everything, around the right side) whose segments cross none
// of the obstacles; bends are snapped to the grid step (none for 0 or less).
std::vector<CPoint> Route(const CRect& from, const CRect& to, const std::vector<CRect>& obstacles,
                          int grid);

// True when the segment a-b passes through the rectangle's inside.
bool SegmentCrosses(CPoint a, CPoint b, const CRect& rect);

}  // namespace linkrouter
