#pragma once

#include <memory>

#include "editing/DrawingTool.h"

class CDrawingObject;

// What the line, rectangle, round rectangle and ellipse tools share: a press
// makes the shape with zero size at the snapped point, with the document's
// line (and fill) defaults, as "Add a common object"; the drag pulls its
// handle 5 with the Shift and Ctrl constraints; a release where the press was
// takes the shape and its undo entry away again.
class CShapeTool : public CDrawingTool {
public:
    void SetCursor(CLoopEditor& view) override;
    void OnLButtonDown(CLoopEditor& view, unsigned flags, CPoint point) override;
    void OnLButtonUp(CLoopEditor& view, unsigned flags, CPoint point) override;
    void Cancel(CLoopEditor& view) override;

protected:
    // The new shape from the point to the point.
    virtual std::unique_ptr<CDrawingObject> MakeShape(CPoint point) const = 0;
    // Lines have no inside to fill.
    virtual bool IsFilled() const { return true; }

private:
    void Discard(CLoopEditor& view);

    CDrawingObject* m_pShape = nullptr;
};
