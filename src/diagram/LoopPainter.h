#pragma once

#include "platform/Rect.h"
#include "platform/Size.h"

class CConfDoc;
class CDC;
class CDrawingObject;
class QImage;

// Draws a loop's page as the loop view shows it: the grey surround, the page in
// the paper colour with its frame, the dot grid, and the loop's drawing objects
// (templates, then other objects, then block nodes and links on top).
class CLoopPainter {
public:
    // The page without a printer: 8.5 x 11 inches.
    static constexpr CSize kDefaultPage{816, 1056};
    // The page starts this many logical units inside the window.
    static constexpr int kPageMargin = 20;

    CLoopPainter(const CConfDoc& document, int loopNumber, CSize page = kDefaultPage);

    // Draws on a context whose mapping is already set; clip is the area to fill
    // with the surround, in logical units.
    void Draw(CDC& dc, const CRect& clip) const;
    // Sets the view's mapping for a zoom factor (100 units = 96 pixels at 1.0).
    static void PrepareMapping(CDC& dc, double zoom);
    // The page and its margin drawn into a new image at a zoom factor.
    QImage Render(double zoom) const;

    // True when the object belongs on this loop's drawing.
    bool IsOnLoop(const CDrawingObject& object) const;
    // The loop's drawing objects alone, as they are printed on white paper.
    void DrawObjects(CDC& dc) const;

private:
    void DrawPage(CDC& dc) const;
    void DrawGrid(CDC& dc) const;

    const CConfDoc& m_document;
    int m_nLoop;
    CSize m_page;
};
