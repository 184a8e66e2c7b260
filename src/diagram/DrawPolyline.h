#pragma once

#include <vector>

#include "diagram/DrawingObject.h"

// An open polyline or a closed polygon. The rectangle is the bounding box of the
// vertices; each vertex is a handle (handle n is vertex n - 1).
class CDrawPolyline : public CDrawingObject {
    DECLARE_SERIAL(CDrawPolyline)

public:
    // A new polyline has no vertices and no fill.
    explicit CDrawPolyline(bool closed = false);
    // Fills when closed.
    CDrawPolyline(const CPoint* points, int count, bool closed);

    void Serialize(CArchive& ar) override;

    void Draw(CDC& dc) const override;
    bool HasFill() const override;
    // Filled polygons are hit inside, anything else on its outline.
    bool HitTest(CPoint point, CDrawingView* view) const override;
    bool RegionIntersectsRect(const CRect& rect) const override;
    // Moves every vertex by the displacement of the top-left corner.
    void MoveTo(const CRect& rect, CDrawingView* view) override;
    void Offset(CSize delta, CDrawingView* view) override;
    void MoveHandleTo(int handle, int x, int y, CDrawingView* view) override;
    int GetHandleCount() const override;
    CPoint GetHandle(int handle) const override;
    int GetHandleCursor(int handle) const override;
    // 1 when a vertex lies within 4 units of the point (it becomes the current
    // vertex), else 0.
    int HitTestVertex(CPoint point, CDrawingView* view) override;
    std::unique_ptr<CDrawingObject> Clone() const override;

    // With the same size as now, moves the vertices to the rectangle's place;
    // then the bounds follow the vertices.
    virtual void SetBoundsRect(const CRect& rect);
    // Replaces the vertices (a null array does nothing).
    virtual void SetPoints(const CPoint* points, int count);
    virtual const CPoint* GetPointData() const;
    virtual int GetPointCount() const;
    virtual int GetCurVertex() const;
    virtual CPoint GetCurVertexPoint() const;
    // (0, 0) when there are no vertices or the index is out of range.
    virtual CPoint GetFirstPoint() const;
    virtual CPoint GetLastPoint() const;
    virtual CPoint GetPoint(int index) const;
    virtual void SetPoint(int x, int y, int index);

    bool IsClosed() const { return m_nClosed != 0; }
    void SetClosed(bool closed) { m_nClosed = closed ? 1 : 0; }

    // Vertex editing by the tools; each repaints through the view and marks the
    // document modified.
    void AddPoint(int x, int y, CDrawingView* view);
    // Appends when the index is negative or beyond the last vertex.
    void InsertPoint(int index, int x, int y, CDrawingView* view);
    // Inserts the (snapped) point after the first segment the point hits, or
    // appends it; returns its index.
    int InsertPointOnSegment(CPoint point, CDrawingView* view);
    // Removes every vertex equal to the point; returns how many.
    int RemovePointsAt(CPoint point, CDrawingView* view);
    void RemoveLastPoint();
    // Sets the rectangle to the vertices' bounds; true when it changed.
    bool RecalcBounds(CDrawingView* view);

protected:
    // The bounding box of the vertices (the current rectangle when there are none).
    CRect CalcBounds() const;
    // Repaints around a change of the vertices and refits the bounds.
    template <class Change>
    void ChangePoints(CDrawingView* view, Change change);

    std::vector<CPoint> m_points;
    int m_nClosed = 0;
    int m_nCurVertex = -1;
};
