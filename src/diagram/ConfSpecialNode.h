#pragma once

#include <memory>
#include <string>

#include "diagram/DrawPolyline.h"
#include "diagram/GraphNode.h"

// A connector: the end of a link that leaves the loop (outgoing), comes from
// another loop (incoming) or from a communication source. It is an arrow-shaped
// box around its text, belongs to a block node (its owner) and has no number.
// Links end exactly at its anchor, not on its outline.
class CConfSpecialNode : public CGraphNode {
    DECLARE_SERIAL(CConfSpecialNode)

public:
    enum Kind : int { KIND_UNSET = -1, KIND_OUTGOING = 0, KIND_INCOMING = 1, KIND_COMM = 2 };

    // Space between the text and the box.
    static constexpr int kLabelMargin = 5;
    static constexpr int kFontSize = 12;

    CConfSpecialNode();
    // The shape is a copy of the prototype; the label becomes the name label,
    // centred and transparent, and the box is fitted around it.
    CConfSpecialNode(int kind, const CDrawingObject& prototype, std::unique_ptr<CDrawText> label);
    ~CConfSpecialNode() override;

    // A connector of the kind (a communication connector for KIND_COMM) showing
    // the text, with its anchor on the point.
    static std::unique_ptr<CConfSpecialNode> CreateConnector(int kind, const std::string& text,
                                                             CPoint anchor);
    // The connectors' shape: a box with its right end drawn to a tip at half
    // height. Vertex 0 is the top-left corner, vertex 2 the tip, vertex 4 the
    // bottom-left corner.
    static std::unique_ptr<CDrawPolyline> MakeArrowBox(const CRect& box);
    // The text naming a block on a loop: "L2:PID-043", "LG:K-118" for the
    // general loop (loop 5).
    static std::string LoopLabel(int loop, const std::string& name, const std::string& number);

    // Not the block node part: the drawing object part, then shape, label,
    // owner, text, kind and the links.
    void Serialize(CArchive& ar) override;
    std::unique_ptr<CDrawingObject> Clone() const override;

    // The shape, then the label.
    void Draw(CDC& dc) const override;
    // The box keeps its size: the connector's rectangle stays its shape's.
    void SetRect(const CRect& rect) override;
    void SetLoop(int loop) override;
    // Links end at the anchor.
    CPoint GetOutlinePoint(CPoint toward, CDrawingView* view) const override;
    // Also registers the connector with the block node at the link's other end.
    void AddLink(CGraphLink* link) override;
    // Asks the owner to drop the matching link on its loop's drawing (through
    // the view), leaves the other node's connector list and drops the link.
    void RemoveLink(CGraphLink* link, CDrawingView* view) override;
    // Every link leaves its other node and is deleted through the view.
    void DeleteLinks(CDrawingView* view) override;
    // Outgoing: the middle of the back edge (vertices 0 and 4); incoming: the
    // tip (vertex 2); otherwise the centre of the shape.
    CPoint GetAnchor() const override;
    CPoint GetTerminalPoint(CPoint neighbour, int portIndex) const override;

    // The first link, or null.
    virtual CGraphLink* GetLink() const;
    // Fits the label to its text and the box around it with a margin.
    virtual void FitToLabel();
    // Turns the box to point along its link and puts its anchor on the link's
    // end, with the text beside the tip.
    virtual void OrientToLink(CDrawingView* view);

    CGraphNode* GetOwner() const { return m_pOwner; }
    void SetOwner(CGraphNode* owner) { m_pOwner = owner; }
    const std::string& GetText() const { return m_strText; }
    void SetText(const std::string& text) { m_strText = text; }
    int GetKind() const { return m_nKind; }
    void SetKind(int kind) { m_nKind = kind; }

protected:
    CConfSpecialNode(const CConfSpecialNode& other);

    int m_nKind = KIND_UNSET;
    CGraphNode* m_pOwner = nullptr;
    std::string m_strText;
};
