#pragma once

#include <string>
#include <vector>

#include "diagram/ConfGraphNode.h"
#include "editing/PolyTool.h"
#include "model/Configuration.h"

class CGraphNode;

// Draws a link from an output of one block to a free input of another. A
// release on a node makes it the source and offers its outputs in the port
// popup; releases elsewhere add bends; a release on the destination offers its
// free inputs, and the link is "Add a link object". The right-click menu sends
// the link to a pair of connectors ("Send Link To", the destination may be on
// another loop), to a communication point of the scan block ("Communication
// Link") or cancels it. The view makes this tool current over a node and the
// block tool again when the pointer leaves the nodes while no link is drawn.
class CLinkTool : public CPolyTool {
public:
    // Commands of the menu a right click opens while a link is drawn.
    static constexpr int ID_SEND_LINK_TO = 32788;
    static constexpr int ID_COMMUNICATION_LINK = 131;
    static constexpr int ID_CANCEL_LINK = 132;
    // The scan block, in the general loop, whose inputs are the communication points.
    static constexpr int kScanBlockNumber = CConfGraphNode::kScanBlockNumber;

    enum Stage : int {
        STAGE_IDLE,         // no link
        STAGE_SOURCE_PORT,  // the source's outputs are offered
        STAGE_ROUTE,        // bends are clicked in
        STAGE_DEST_PORT,    // the destination's free inputs are offered
    };

    CLinkTool();
    ~CLinkTool() override;

    void SetCursor(CLoopEditor& view) override;
    void OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnMouseMove(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnLButtonDblClk(CLoopEditor& view, unsigned flags, CPoint point) override;
    // Graph objects are deleted as the select tool deletes them, one at a time.
    void DeleteSelection(CLoopEditor& view) override;
    // The arrows nudge and the ordering keys reorder the selection here too.
    bool OnKeyDown(int key, bool control, CLoopEditor& view) override;
    void OnRButtonUp(CLoopEditor& view, unsigned flags, CPoint point) override;
    void Cancel(CLoopEditor& view) override;
    // A broken link may end on another loop; anything else drawn is dropped.
    void LoopChanged(CLoopEditor& view) override;

    // The end of the port popup: the terminal chosen, or none (the link goes).
    void EndPortSelection(CLoopEditor& view, bool chosen, const std::string& port);
    // The commands of the link menu; false for any other command.
    bool RunCommand(CLoopEditor& view, int command);
    void CancelLink(CLoopEditor& view);
    void StartBrokenLink(CLoopEditor& view);
    void FinishCommLink(CLoopEditor& view);

    int GetStage() const { return m_nStage; }
    bool IsLinking() const { return m_nStage != STAGE_IDLE; }
    bool IsBroken() const { return m_bBroken; }
    CConfGraphNode* GetSource() const { return m_pSource; }
    // The terminals the open popup offers.
    const std::vector<std::string>& GetOfferedPorts() const { return m_offered; }
    // The route being drawn on the view's loop (logical units; the last point
    // follows the mouse), then the half that ends at the outgoing connector.
    const std::vector<CPoint>& GetRoute() const { return m_points; }
    const std::vector<CPoint>& GetFirstHalf() const { return m_firstHalf; }
    int GetSourceLoop() const { return m_nSourceLoop; }
    // True when the general loop holds the scan block.
    static bool HasCommunicationPoints(CLoopEditor& view);

private:
    void PressIdle(CLoopEditor& view, unsigned flags, CPoint logical);
    void MoveGroup(CLoopEditor& view, CPoint point, CPoint logical);
    void FollowMouse(CLoopEditor& view, unsigned flags, CPoint logical);
    void ChooseSource(CLoopEditor& view, CConfGraphNode* node, CPoint logical);
    void ChooseDestination(CLoopEditor& view, CConfGraphNode* node, CPoint logical);
    void TrimDestinationRoute(const CConfGraphNode& node);
    void AddBend(CLoopEditor& view, unsigned flags, CPoint logical);
    void OfferPorts(CLoopEditor& view, CConfGraphNode& node, const std::string& ports, bool inputs,
                    CPoint logical);
    void FinishLink(CLoopEditor& view);
    void FinishBrokenLink(CLoopEditor& view);
    bool NodesAreValid(CLoopEditor& view) const;
    void RepaintRoute(CLoopEditor& view) const;
    void Reset();

    int m_nStage = STAGE_IDLE;
    CConfGraphNode* m_pSource = nullptr;
    CConfGraphNode* m_pDest = nullptr;
    std::string m_strOutPort;
    std::string m_strInPort;
    std::vector<std::string> m_offered;
    std::vector<CPoint> m_points;
    bool m_bBroken = false;
    std::vector<CPoint> m_firstHalf;
    int m_nSourceLoop = 0;
    bool m_bPressedOnSelection = false;
};
