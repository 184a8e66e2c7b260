#pragma once

#include "platform/Point.h"

class CConfDoc;
class CDC;
class CDrawingObject;

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
};
