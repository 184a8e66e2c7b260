#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "diagram/DrawPolyline.h"
#include "diagram/DrawText.h"
#include "diagram/DrawingObject.h"

class CGraphNode;

// A link of a loop's function graph: a route from an output terminal of one node
// to an input terminal of another, with an arrow head at the destination and a
// port label at each end. The link owns its route, arrow head and labels; the
// nodes belong to the document and are only referred to.
//
// While the document monitors the controller the port labels are replaced by
// value labels that the monitoring thread writes. Each label has its own mutex:
// drawing, replacing, measuring and writing a label happen only while it is
// held. Never call back into the link's own invalidation while holding one (the
// view asks the link for its extent, which takes both).
class CGraphLink : public CDrawingObject {
    DECLARE_SERIAL(CGraphLink)

public:
    // Parts a hit test can find; the tools drag a label or the route by it.
    enum DragPart : int { DRAG_NONE = 0, DRAG_ROUTE = 1, DRAG_OUT_LABEL = 7, DRAG_IN_LABEL = 8 };

    // Property sheet, context menu and commands of a link.
    static constexpr int IDS_LINK_PROPERTIES = 28825;
    static constexpr int IDS_EDIT_LINK_PROPERTIES = 28911;
    static constexpr int IDR_LINK_MENU = 154;
    static constexpr int ID_LINK_SHOW_OUT_PORT = 32862;
    static constexpr int ID_LINK_SHOW_IN_PORT = 32863;
    static constexpr int ID_LINK_SHOW_ALL_IN_PORTS = 32871;
    static constexpr int ID_LINK_SHOW_ALL_OUT_PORTS = 32872;
    static constexpr int ID_LINK_HIDE_ALL_IN_PORTS = 32873;
    static constexpr int ID_LINK_HIDE_ALL_OUT_PORTS = 32874;

    // Label clearance when the link has no arrow head.
    static constexpr CSize kNoArrowClearance{14, 8};
    // Size of the arrow head a new link gets.
    static constexpr CSize kDefaultArrowSize{10, 8};
    // Font height of the port labels of a new link.
    static constexpr int kPortFontSize = 10;

    CGraphLink();
    // Takes the route's rectangle; labels whose loop is 0 take the link's.
    CGraphLink(std::unique_ptr<CDrawPolyline> route, std::unique_ptr<CDrawPolyline> arrow,
               std::unique_ptr<CDrawText> outLabel, std::unique_ptr<CDrawText> inLabel);
    // Deletes the route, the arrow head and the labels; the nodes stay.
    ~CGraphLink() override;

    // A link from one node to another along the route (the anchors of both nodes
    // when the route has fewer than two vertices), with a solid route, a filled
    // arrow head, port labels with the two texts, connected, added to both nodes
    // and laid out. Null without both nodes.
    static std::unique_ptr<CGraphLink> CreateBetween(CGraphNode* from, CGraphNode* to,
                                                     const std::vector<CPoint>& route,
                                                     const std::string& outText,
                                                     const std::string& inText);

    void Serialize(CArchive& ar) override;
    void SetDocument(CConfDoc* document) override;
    ListKind GetListKind() const override { return LIST_GRAPH; }

    // The route, the arrow head, then each label that is shown.
    void Draw(CDC& dc) const override;
    // Handles of the interior vertices, then the labels' trackers.
    void DrawTracker(CDC& dc) const override;
    void SetRect(const CRect& rect) override;
    CRect GetRect() const override;
    CRect GetInvalidRect() const override;
    // Route and arrow head; the arrow head is filled with the line colour.
    void SetLineWidth(int width) override;
    void SetLineColor(COLORREF color) override;
    void SetLogPen(const LOGPEN& pen) override;
    LOGPEN GetLogPen() const override;
    // Both labels; the font read back is the input label's, else the output's.
    void SetLogFont(const LOGFONT& font) override;
    LOGFONT GetLogFont() const override;
    void SetTextColors(COLORREF text, COLORREF back) override;
    // Asks the route, then each shown label, and remembers the part hit.
    bool HitTest(CPoint point, CDrawingView* view) const override;
    // After a label hit, moves only that label and adds to its offset; otherwise
    // moves the route when both nodes are selected.
    void Offset(CSize delta, CDrawingView* view) override;
    // Drags an interior route vertex after a route hit and reconnects the ends.
    void MoveHandleTo(int handle, int x, int y, CDrawingView* view) override;
    int GetHandleCount() const override;
    CPoint GetHandle(int handle) const override;
    int GetHandleCursor(int handle) const override;
    std::unique_ptr<CDrawingObject> Clone() const override;
    // Passes a value from the monitoring thread to both value labels.
    void SetOnlineValue(CDrawingView* view, const std::string& value) override;

    // Node notifications while the nodes move.
    virtual void NodeWillMove(CGraphNode* node, CDrawingView* view);
    virtual void NodeMoved(int dx, int dy, CGraphNode* node, CDrawingView* view);
    virtual void NodeHasMoved(CGraphNode* node, CDrawingView* view);
    virtual bool HasSelectedEnd() const;
    virtual CGraphNode* GetOtherNode(const CGraphNode* node) const;
    // Puts the route's ends on the nodes' terminals (CGraphNode::GetTerminalPoint)
    // and sets both ends. Always true.
    virtual bool Connect(CGraphNode* from, CGraphNode* to, int portIndex);
    // Both nodes drop the link.
    virtual void Disconnect(CDrawingView* view);
    // Puts the route's end at the node (both ends for null) where the segment
    // from the node's centre to the next vertex crosses its outline, and resets
    // that end's label offset.
    virtual void ConnectEnd(CGraphNode* node, CDrawingView* view);
    // Places a port label beside the end segment at its node (end is
    // DRAG_OUT_LABEL or DRAG_IN_LABEL). The caller holds that label's mutex.
    virtual void PlaceLabel(int end, CGraphNode* node, CDrawText* label, CDrawingView* view);
    // Places the arrow head at the destination end and both labels.
    virtual void UpdateDecorations(CDrawingView* view);
    virtual void ShowOutLabel(bool show, CDrawingView* view);
    virtual void ShowInLabel(bool show, CDrawingView* view);

    // Swaps the port labels for value labels (only the output end stays shown)
    // and back. The document calls these when monitoring starts and ends.
    void BeginOnline(CDrawingView* view);
    void EndOnline(CDrawingView* view);

    CDrawPolyline* GetPath() const { return m_pPath.get(); }
    // Stores a copy of the route.
    void SetPath(const CDrawPolyline& route);
    CDrawPolyline* GetArrow() const { return m_pArrow.get(); }
    // The labels are replaced while the link is online; the user interface
    // thread may read them, other threads go through SetOnlineValue.
    CDrawText* GetOutLabel() const { return m_pOutLabel.get(); }
    CDrawText* GetInLabel() const { return m_pInLabel.get(); }
    // Store copies that take the link's loop; null removes the label.
    void SetOutLabel(const CDrawText* label);
    void SetInLabel(const CDrawText* label);
    // The port texts of the ends, also while value labels stand in for them.
    std::string GetOutPortText() const;
    std::string GetInPortText() const;
    CGraphNode* GetFrom() const { return m_pFrom; }
    void SetFrom(CGraphNode* node) { m_pFrom = node; }
    CGraphNode* GetTo() const { return m_pTo; }
    void SetTo(CGraphNode* node) { m_pTo = node; }
    const std::string& GetName() const { return m_strName; }
    void SetName(const std::string& name) { m_strName = name; }
    CPoint GetOutLabelOffset() const { return m_offOutLabel; }
    CPoint GetInLabelOffset() const { return m_offInLabel; }
    bool IsShowOutLabel() const { return m_bShowOutLabel != 0; }
    bool IsShowInLabel() const { return m_bShowInLabel != 0; }
    int GetDragPart() const { return m_nDragPart; }
    // An undone move repeats the drag with the part that was dragged then.
    void SetDragPart(int part) const { m_nDragPart = part; }
    bool IsLabelDragged() const {
        return m_nDragPart == DRAG_OUT_LABEL || m_nDragPart == DRAG_IN_LABEL;
    }

protected:
    // Copies every member, each owned part as a clone; the copy is not online.
    CGraphLink(const CGraphLink& other);

    void AdoptLabel(std::unique_ptr<CDrawText>& slot, std::unique_ptr<CDrawText> label);
    void SwapInValueLabel(std::unique_ptr<CDrawText>& slot, int& show, CDrawingView* view);
    void SwapOutValueLabel(std::unique_ptr<CDrawText>& slot, int& show, CDrawingView* view);
    void InvalidateLabels(CDrawingView* view);

    mutable std::mutex m_csOutLabel;
    mutable std::mutex m_csInLabel;
    std::unique_ptr<CDrawPolyline> m_pPath;
    std::unique_ptr<CDrawPolyline> m_pArrow;
    std::unique_ptr<CDrawText> m_pOutLabel;
    std::unique_ptr<CDrawText> m_pInLabel;
    CGraphNode* m_pFrom = nullptr;
    CGraphNode* m_pTo = nullptr;
    mutable int m_nDragPart = DRAG_NONE;
    std::string m_strName;
    CPoint m_offOutLabel;
    CPoint m_offInLabel;
    int m_bShowOutLabel = 1;
    int m_bShowInLabel = 1;
    // m_bOnline as the monitoring thread sees it.
    std::atomic<bool> m_bValuesWanted{false};
};
