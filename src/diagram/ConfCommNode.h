#pragma once

#include <memory>

#include "diagram/ConfSpecialNode.h"

// A connector for a value that comes from a communication source. Its box does
// not turn: a link meets it in the middle of the edge that faces the link.
class CConfCommNode : public CConfSpecialNode {
    DECLARE_SERIAL(CConfCommNode)

public:
    CConfCommNode();
    CConfCommNode(const CDrawingObject& prototype, std::unique_ptr<CDrawText> label);
    ~CConfCommNode() override;

    std::unique_ptr<CDrawingObject> Clone() const override;

    // The middle of the top or bottom edge when the point lies above or below
    // the box within its width, else of the left or right edge.
    CPoint GetOutlinePoint(CPoint toward, CDrawingView* view) const override;
    CPoint GetTerminalPoint(CPoint neighbour, int portIndex) const override;
    // Leaves the other node's connector list and drops the link; there is no
    // other loop to tell.
    void RemoveLink(CGraphLink* link, CDrawingView* view) override;
    // Where the link's route meets the connector, or the centre of the shape
    // without a link.
    CPoint GetAnchor() const override;
    // Only lays the link's arrow head and labels out again.
    void OrientToLink(CDrawingView* view) override;

protected:
    CConfCommNode(const CConfCommNode& other);
};
