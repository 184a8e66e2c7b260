#pragma once

#include "platform/Point.h"

class CConfDoc;
class CDC;
class CDrawingObject;
class CGraphNode;

// What a drawing object needs of the window that shows it: repainting, the
// view's mapping for measuring and hit tests, the zoom, the snap grid and the
// selection. The loop view implements it; operations that take a view accept
// null and then notify the document's views instead.
class CDrawingView {
public:
    virtual ~CDrawingView() = default;

    // Repaints the area the object covers now.
    virtual void InvalidateObject(CDrawingObject* object) = 0;
    // Sets the view's mapping (zoom and scrolling) on a device context.
    virtual void PrepareDC(CDC& dc) = 0;
    virtual double GetZoomFactor() const = 0;
    // Moves a point to the nearest grid point when snapping is on.
    virtual void SnapPoint(CPoint& point) = 0;
    virtual void DeleteObject(CDrawingObject* object) = 0;
    // Selects an object, adding it to the selection or replacing the selection.
    virtual void SelectObject(CDrawingObject* object, bool add) = 0;
    virtual CConfDoc* GetDocument() const = 0;
    // True while the controller is monitored (online).
    virtual bool IsMonitoring() const = 0;

    // The editor's part: it shows an object's properties or its context menu and
    // records a node resize as an undoable action. A view that does not edit
    // answers false and shows nothing.
    virtual bool EditObjectProperties(CDrawingObject* /*object*/) { return false; }
    virtual void ShowObjectMenu(CDrawingObject* /*object*/) {}
    virtual bool RecordNodeResize(CGraphNode* /*node*/, int /*width*/, int /*height*/) {
        return false;
    }
    // Removes the block with the number from its loop when its node goes; the
    // editor keeps it for undo. The default deletes it.
    virtual bool DeleteBlock(int blockNumber);
};
