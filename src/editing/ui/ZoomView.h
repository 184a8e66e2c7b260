#pragma once

#include <QAbstractScrollArea>

#include "editing/ui/ZoomMapping.h"
#include "platform/Point.h"
#include "platform/Rect.h"
#include "platform/Size.h"

class CDC;

// A scrolling view of a page in logical units (1/100 inch) with a zoom factor.
// The page is drawn by OnDraw straight onto the viewport; the scroll bars
// follow the page at the current zoom.
class CZoomView : public QAbstractScrollArea {
public:
    // The last zoom command.
    enum ZoomKind { ZOOM_NONE = 0, ZOOM_FULL = 1, ZOOM_WIDTH = 2, ZOOM_HALF = 3, ZOOM_OBJECTS = 4 };
    // A device rectangle whose larger side is below this zooms in one step.
    static constexpr int kMinZoomRectPixels = 10;

    explicit CZoomView(QWidget* parent = nullptr);
    ~CZoomView() override;

    // The page in logical units; the display resolution is 96 dpi.
    void SetLogicalSize(CSize page);
    CSize GetLogicalSize() const { return m_mapping.GetPageSize(); }
    float GetZoom() const { return m_mapping.GetZoom(); }
    // Sets the zoom and centres on a logical point (the client centre when null).
    void SetZoom(float zoom, const CPoint* center = nullptr);
    ZoomKind GetZoomKind() const { return m_nZoomKind; }
    const CZoomMapping& GetMapping() const { return m_mapping; }

    // The view's mapping on a device context.
    void PrepareMapping(CDC& dc) const;
    CPoint LPtoDP(CPoint point) const { return m_mapping.LPtoDP(point); }
    CPoint DPtoLP(CPoint point) const { return m_mapping.DPtoLP(point); }
    CRect LPtoDP(const CRect& rect) const { return m_mapping.LPtoDP(rect); }
    CRect DPtoLP(const CRect& rect) const { return m_mapping.DPtoLP(rect); }
    // The client area in logical units.
    CRect GetClientRectLogical() const;

    void ZoomIn(const CPoint* center = nullptr);
    void ZoomOut(const CPoint* center = nullptr);
    // Fits a logical rectangle into the client area; with center the view is
    // centred on it, otherwise the scroll position is kept.
    void ZoomToRect(const CRect& logical, bool center = true);
    void ZoomFull();
    void ZoomWidth();
    void ZoomHalf();
    // After a full-page zoom, shows the objects' rectangle when part of it lies
    // outside the client area.
    void ZoomToObjects(const CRect& objects);
    // Page width enabled only while the page is narrower than high.
    bool CanZoomWidth() const;

protected:
    // Draws the page on a context already mapped; clip is in logical units.
    virtual void OnDraw(CDC& dc, const CRect& clip) = 0;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Scroll bar ranges from the scaled page; the mapping's scroll from the bars.
    void UpdateScrollBars();
    void ScrollTo(CPoint position);
    int VerticalScrollBarWidth() const;

    CZoomMapping m_mapping;
    ZoomKind m_nZoomKind = ZOOM_NONE;
    bool m_bUpdatingBars = false;
};
