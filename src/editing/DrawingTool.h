#pragma once

#include "platform/Object.h"
#include "platform/Point.h"
#include "platform/Rect.h"

class CLoopEditor;

// A tool of the loop view: a small state machine that turns mouse and key
// input into edits. The base behaviour here is what every tool inherits:
// capture on press, a handle drag with the Shift and Ctrl constraints,
// properties on a double click, the context menu on a right click, Escape and
// Delete. Points arrive in device units.
class CDrawingTool : public CObject {
public:
    enum Mode : int {
        MODE_IDLE = 0,
        MODE_RUBBER_BAND = 1,
        MODE_MOVE = 2,
        MODE_RESIZE = 3,
        MODE_INSERT_VERTEX = 4,
        MODE_VERTEX_MENU = 5,
    };

    CDrawingTool();
    ~CDrawingTool() override;
    CDrawingTool(const CDrawingTool&) = delete;
    CDrawingTool& operator=(const CDrawingTool&) = delete;

    virtual void Activate(CLoopEditor& view);
    virtual void SetCursor(CLoopEditor& view);
    virtual void OnMouseMove(CLoopEditor& view, unsigned flags, CPoint point);
    virtual void OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point);
    virtual void OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point);
    virtual void OnLButtonDblClk(CLoopEditor& view, unsigned flags, CPoint point);
    virtual void OnRButtonDown(CLoopEditor& view, unsigned flags, CPoint point);
    virtual void OnRButtonUp(CLoopEditor& view, unsigned flags, CPoint point);
    // True when the key was used.
    virtual bool OnKeyDown(int key, bool control, CLoopEditor& view);
    virtual void Cancel(CLoopEditor& view);
    // The view shows another loop now: a gesture under way is dropped, so no
    // half-made object stays on the loop left behind.
    virtual void LoopChanged(CLoopEditor& view) { Cancel(view); }
    virtual void DeleteSelection(CLoopEditor& view);
    virtual void DuplicateSelection(CLoopEditor& view);
    // The properties of the only selected object.
    virtual void EditProperties(CLoopEditor& view);

    int GetToolNumber() const { return m_nToolNumber; }
    int GetMode() const { return m_nMode; }
    bool IsButtonDown() const { return m_bButtonDown; }

    // The values all tools share: the last mouse point (logical units) and the
    // handle being dragged (0 for none).
    static CPoint GetLastPoint() { return s_lastPoint; }
    static int GetDraggedHandle() { return s_nDragHandle; }

    // The point held at 45 degrees (Shift) or along an axis (Ctrl) from the
    // origin; unchanged without either key.
    static CPoint Constrain(CPoint point, CPoint origin, unsigned flags);

protected:
    // The rubber band from the press to the point (device units), shown once
    // the pointer passed the threshold; ending it selects what lies inside.
    void RubberBand(CLoopEditor& view, CPoint point);
    void EndRubberBand(CLoopEditor& view);
    // One step of a drag that moves the selection (only its graph objects when
    // asked) from the last point to the logical point. The first step records
    // "Move some objects" as the pending action; releasing the button does it.
    static void MoveSelection(CLoopEditor& view, CPoint logical, bool graphOnly);
    // Device distance from the press to the point beyond the drag threshold.
    static bool IsPastThreshold(CPoint down, CPoint point);

    int m_nMode = MODE_IDLE;
    CRect m_rect;
    CPoint m_down;
    bool m_bRubberBandShown = false;
    bool m_bButtonDown = false;
    int m_nToolNumber;

    static CPoint s_lastPoint;
    static int s_nDragHandle;
};
