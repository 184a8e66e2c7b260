#pragma once

#include "editing/DrawingTool.h"

class CDrawPolyline;

// "&Polyline" and "Pol&ygon": each press adds a vertex, the last one follows
// the mouse (Ctrl and Shift hold it to an axis or 45 degrees from the vertex
// before), a double click ends the shape. The shape is one "Add a common
// object" entry; Escape or a right click while drawing takes it away again.
class CPolyTool : public CDrawingTool {
public:
    explicit CPolyTool(bool closed) : m_bClosed(closed) {}

    void SetCursor(CLoopEditor& view) override;
    void OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnMouseMove(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnLButtonDblClk(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnRButtonUp(CLoopEditor& view, unsigned flags, CPoint point) override;
    void Cancel(CLoopEditor& view) override;

    bool IsDrawing() const { return m_pShape != nullptr; }

private:
    void StartShape(CLoopEditor& view, CPoint first);
    void Finish(CLoopEditor& view);

    bool m_bClosed;
    bool m_bFirstClick = true;
    CDrawPolyline* m_pShape = nullptr;
};
