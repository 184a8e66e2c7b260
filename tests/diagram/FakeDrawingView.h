#pragma once

#include <cmath>
#include <vector>

#include "diagram/DrawingView.h"
#include "platform/gui/DC.h"

// A loop view stand-in: records repaint requests, maps logical units to device
// pixels by a whole scale, and snaps to a grid when asked.
class CFakeDrawingView : public CDrawingView {
public:
    void InvalidateObject(CDrawingObject* object) override { m_invalidated.push_back(object); }
    void PrepareDC(CDC& dc) override {
        if (m_nScale != 1) {
            dc.SetMapMode(MM_ANISOTROPIC);
            dc.SetWindowExt(CSize(1, 1));
            dc.SetViewportExt(CSize(m_nScale, m_nScale));
        }
    }
    double GetZoomFactor() const override { return m_dZoom; }
    void SnapPoint(CPoint& point) override {
        if (m_nGrid > 0) {
            point.x = static_cast<int>(std::lround(point.x / double(m_nGrid))) * m_nGrid;
            point.y = static_cast<int>(std::lround(point.y / double(m_nGrid))) * m_nGrid;
        }
    }
    void DeleteObject(CDrawingObject* /*object*/) override {}
    void SelectObject(CDrawingObject* /*object*/, bool /*add*/) override {}
    CConfDoc* GetDocument() const override { return m_pDocument; }
    bool IsMonitoring() const override { return false; }

    std::vector<CDrawingObject*> m_invalidated;
    double m_dZoom = 1.0;
    int m_nScale = 1;
    int m_nGrid = 0;
    CConfDoc* m_pDocument = nullptr;
};
