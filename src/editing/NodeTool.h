#pragma once

#include "editing/DrawingTool.h"

// "&Block": a click on the page asks for a new block in the Function Block
// dialog and places its node centred on the snapped point, the block
// appended to the loop's execution order, as "Add a block object". The
// loop's own checks refuse a block whose number or group is in use or that
// the loop has no room for ("The loop size has reached."). A drag selects
// inside a rubber band; a double click opens a node's parameters. Over a
// node the view hands the mouse to the link tool.
class CNodeTool : public CDrawingTool {
public:
    void SetCursor(CLoopEditor& view) override;
    void OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnMouseMove(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnLButtonDblClk(CLoopEditor& view, unsigned flags, CPoint point) override;
    // Graph objects are deleted as the select tool deletes them, one at a time.
    void DeleteSelection(CLoopEditor& view) override;
    // The arrows nudge and the ordering keys reorder the selection here too.
    bool OnKeyDown(int key, bool control, CLoopEditor& view) override;

private:
    void PlaceNewBlock(CLoopEditor& view, CPoint centre);

    // The press landed on a graph object: the release places nothing.
    bool m_bOnObject = false;
};
