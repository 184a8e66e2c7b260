#pragma once

#include <memory>
#include <string>
#include <vector>

#include "diagram/DrawText.h"
#include "diagram/DrawingObject.h"

class CGraphLink;

// A node of a loop's function graph: a shape with a name label and a number
// label, and the links that end at it. The node owns its shape and labels; the
// links belong to the document's graph list and are only referred to here.
class CGraphNode : public CDrawingObject {
    DECLARE_SERIAL(CGraphNode)

public:
    // Strings and commands of the node's property sheet and resize action.
    static constexpr int IDS_BLOCK_PROPERTIES = 28823;
    static constexpr int IDS_EDIT_BLOCK_PROPERTIES = 28910;
    static constexpr int IDS_RESIZE_OBJECT = 28901;

    // Bands of a circular node's labels: band height = height / kLabelBandDivisor,
    // the name band centred kNameRaiseDivisor band heights above the centre.
    static constexpr double kLabelBandDivisor = 3.2;
    static constexpr double kNameRaiseDivisor = 1.8;

    CGraphNode();
    // Takes the shape's rectangle and lays the labels out in it.
    CGraphNode(std::unique_ptr<CDrawingObject> shape, std::unique_ptr<CDrawText> name,
               std::unique_ptr<CDrawText> number);
    // The links are not deleted: they belong to the document.
    ~CGraphNode() override;

    void Serialize(CArchive& ar) override;
    void SetDocument(CConfDoc* document) override;
    ListKind GetListKind() const override { return LIST_GRAPH; }

    // Shape, then the name label, then the number label.
    void Draw(CDC& dc) const override;
    // The shape takes the rectangle and the node takes the shape's; a circular
    // shape lays the labels out again.
    void SetRect(const CRect& rect) override;
    CRect GetRect() const override;
    CRect GetInvalidRect() const override;
    // Pen and brush belong to the shape, font and text colours to the labels.
    void SetLineWidth(int width) override;
    void SetLineColor(COLORREF color) override;
    void SetFillColor(COLORREF color) override;
    int GetLineWidth() const override;
    COLORREF GetLineColor() const override;
    COLORREF GetFillColor() const override;
    void SetLogPen(const LOGPEN& pen) override;
    void SetLogBrush(const LOGBRUSH& brush) override;
    LOGPEN GetLogPen() const override;
    LOGBRUSH GetLogBrush() const override;
    void SetLogFont(const LOGFONT& font) override;
    // The name label's font (the number label's when there is no name label).
    LOGFONT GetLogFont() const override;
    void SetTextColors(COLORREF text, COLORREF back) override;
    bool HitTest(CPoint point, CDrawingView* view) const override;
    // The node's outline is its shape's.
    CPoint GetOutlinePoint(CPoint toward, CDrawingView* view) const override;
    // Moves the shape to the rectangle and the labels by the same displacement.
    void MoveTo(const CRect& rect, CDrawingView* view) override;
    // Moves the node and lets the links with a selected end follow.
    void Offset(CSize delta, CDrawingView* view) override;
    // Nodes are resized only through SetSize.
    void MoveHandleTo(int handle, int x, int y, CDrawingView* view) override;
    int GetHandleCursor(int handle) const override;
    std::unique_ptr<CDrawingObject> Clone() const override;

    // Link notifications around a move; each goes to the links that have a
    // selected end.
    virtual void BeforeLinksMove(CDrawingView* view);
    virtual void LinksMoved(int dx, int dy, CDrawingView* view);
    virtual void AfterLinksMove(CDrawingView* view);
    // The node's name when the link ends here, empty when it does not, and
    // "FAIL !!!" when the node has no name label.
    virtual std::string GetLinkName(const CGraphLink* link) const;
    virtual void AddLink(CGraphLink* link);
    // Drops a link that goes to a connector owned by the requesting node and
    // carries the given port texts. A plain node has none.
    virtual void RemoveRemoteLink(CGraphNode* requester, const std::string& outText,
                                  const std::string& inText, CDrawingView* view);
    // Drops the first entry equal to the link.
    virtual void RemoveLink(CGraphLink* link, CDrawingView* view);
    // Drops every link and has the view select and delete it. Without a view the
    // links are only dropped: objects are deleted through a view.
    virtual void DeleteLinks(CDrawingView* view);
    virtual CDrawingObject* GetShape() const;
    virtual void SetShape(std::unique_ptr<CDrawingObject> shape);
    // Resizes the shape about its centre and reconnects the links.
    virtual void SetSize(CDrawingView* view, int width, int height);
    virtual CDrawText* GetNameLabel() const;
    virtual std::string GetName() const;
    virtual void SetName(const std::string& name);
    virtual void SetNameLabel(std::unique_ptr<CDrawText> label);
    virtual CDrawText* GetNumberLabel() const;
    virtual std::string GetNumberText() const;
    // The number label's text read as a decimal number ("007" gives 7).
    virtual int GetNumber() const;
    // Writes the number with three digits ("%03d").
    virtual void SetNumber(int number);
    virtual void SetNumberText(const std::string& text);
    virtual void SetNumberLabel(std::unique_ptr<CDrawText> label);
    // Where links aim: the centre of the shape.
    virtual CPoint GetAnchor() const;
    // The output addresses ("47;48;") and free inputs ("A;C;") of the node's
    // block; a plain node has no ports and answers false.
    virtual bool GetOutputPorts(CDrawingView* view, std::string& ports);
    virtual bool GetFreeInputPorts(CDrawingView* view, std::string& ports);
    // The terminal lookup of CGraphLink::Connect: where a link to the given port
    // should end when its next route vertex is neighbour. A point with a
    // coordinate of 0 or less means "no terminal here"; a plain node has none.
    virtual CPoint GetTerminalPoint(CPoint neighbour, int portIndex) const;

    const std::vector<CGraphLink*>& GetLinks() const { return m_links; }
    // Puts back a link list taken earlier (undo keeps the order exact).
    void SetLinks(std::vector<CGraphLink*> links) { m_links = std::move(links); }
    bool HasLink(const CGraphLink* link) const;
    // Puts the labels of a circular node in their bands, with a font as high as
    // the band; other shapes keep their labels where they are.
    void LayoutLabels();

protected:
    // Clones the shape and both labels, so that each node owns its own shape,
    // and refers to the same links.
    CGraphNode(const CGraphNode& other);

    // The resize itself: the rectangle of the new size about the old centre,
    // then the links reconnect.
    void ResizeAboutCentre(CDrawingView* view, int width, int height);
    bool IsCircular() const;
    // The document to work on: the view's, else the node's own.
    CConfDoc* DocumentFor(CDrawingView* view) const;

    std::unique_ptr<CDrawingObject> m_pShape;
    std::unique_ptr<CDrawText> m_pName;
    std::unique_ptr<CDrawText> m_pNumber;
    std::vector<CGraphLink*> m_links;
};
