#pragma once

#include "editing/DrawingTool.h"

class CDrawingObject;
class CDrawPolyline;

// Selection, moving and resizing of drawing objects: a press on nothing
// starts a rubber band, on an object a move (after the drag threshold), on a
// handle of the only selected object a resize; a click on a polyline's segment
// adds a vertex there, a right click on its vertex removes it. Arrow keys move
// the selection, each press its own undo entry.
class CSelectTool : public CDrawingTool {
public:
    CSelectTool();
    ~CSelectTool() override;

    void OnMouseMove(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnRButtonDown(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnRButtonUp(CLoopEditor& view, unsigned flags, CPoint point) override;
    bool OnKeyDown(int key, bool control, CLoopEditor& view) override;
    void Cancel(CLoopEditor& view) override;

protected:
    // The press on an object: selection by the Shift rules, then a move.
    void PressOnObject(CLoopEditor& view, CDrawingObject* object, unsigned flags);
    // The drag in modes 2 to 4 once the pointer passed the threshold.
    void Drag(CLoopEditor& view, unsigned flags, CPoint point);
    static CDrawPolyline* SinglePolyline(CLoopEditor& view);
    void ResetPoints();

    bool m_bDragging = false;

private:
    void ShowHoverCursor(CLoopEditor& view, CPoint point);
    void ResizeSelection(CLoopEditor& view, CPoint logical);
    bool MoveByKey(CLoopEditor& view, int key, bool control);
};
