#pragma once

#include "editing/DrawingTool.h"

// "&Text": a click asks for a text in the text entry dialog and places it at
// the snapped point, in the document's text defaults, as "Add a common
// object". Cancelling the dialog leaves nothing.
class CTextTool : public CDrawingTool {
public:
    void SetCursor(CLoopEditor& view) override;
    void OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) override;
};
