#pragma once

#include "editing/DrawingTool.h"

// "Bloc&k List": a click places the table of the current loop's blocks in
// execution order with its top-left corner at the snapped point, as "Add a
// graphic block list info object".
class CBlockListTool : public CDrawingTool {
public:
    void SetCursor(CLoopEditor& view) override;
    void OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) override;
};
