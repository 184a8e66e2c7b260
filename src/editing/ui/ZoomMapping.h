#pragma once

#include "platform/Point.h"
#include "platform/Rect.h"
#include "platform/Size.h"

class CDC;

// The arithmetic of a zooming view on the screen: 100 logical units (1/100 inch)
// map to the display resolution times the zoom factor in pixels; the window
// origin is offset so the page starts a margin inside the window; the viewport
// origin follows the scroll position, or centres the page when it is smaller
// than the client area.
class CZoomMapping {
public:
    static constexpr int kDisplayResolution = 96;
    static constexpr int kWindowExtent = 100;
    static constexpr CPoint kWindowOriginOffset{-20, -20};
    static constexpr double kZoomStep = 1.25;

    // The page in logical units; the scrolled area adds the margin on each side.
    void SetPageSize(CSize page) { m_page = page; }
    CSize GetPageSize() const { return m_page; }
    void SetZoom(float zoom);
    float GetZoom() const { return m_zoom; }
    void SetClientSize(CSize client) { m_client = client; }
    CSize GetClientSize() const { return m_client; }
    void SetScrollPosition(CPoint position) { m_scroll = position; }
    CPoint GetScrollPosition() const { return m_scroll; }
    void SetCenterPage(bool center) { m_bCenterPage = center; }
    bool IsCenterPage() const { return m_bCenterPage; }

    // Display resolution times the zoom, truncated.
    int GetScaledResolution() const;
    // The page with its margins in pixels at 100 % and at the current zoom.
    CSize GetDevicePageSize() const;
    CSize GetScaledPageSize() const;
    // How far the view can scroll in each direction (never negative).
    CSize GetScrollRange() const;
    CPoint ClampScroll(CPoint position) const;

    CPoint GetViewportOrigin() const;
    CPoint LPtoDP(CPoint point) const;
    CPoint DPtoLP(CPoint point) const;
    CRect LPtoDP(const CRect& rect) const;
    CRect DPtoLP(const CRect& rect) const;
    // Sets this mapping on a device context.
    void Apply(CDC& dc) const;

    // The scroll position that puts a logical point at the client centre.
    CPoint ScrollToCenterOn(CPoint logical) const;
    // The zoom that fits a logical rectangle into the client area: the smaller of
    // (client width + 1) / width and (client height + 1) / height.
    float FitFactor(const CRect& logical) const;
    // The zoom that shows the whole page (with margins) in the client area.
    float FullPageFactor() const;

private:
    CSize m_page{816, 1056};
    float m_zoom = 1.0F;
    CSize m_client;
    CPoint m_scroll;
    bool m_bCenterPage = true;
};
