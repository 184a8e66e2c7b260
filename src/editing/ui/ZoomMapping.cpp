#include "editing/ui/ZoomMapping.h"

#include <algorithm>
#include <cmath>

#include "platform/gui/DC.h"

namespace {

constexpr float kMinZoom = 0.05F;
constexpr float kMaxZoom = 20.0F;

int Scale(int value, double factor) {
    return static_cast<int>(value * factor);
}

}  // namespace

void CZoomMapping::SetZoom(float zoom) {
    if (!std::isfinite(zoom)) {
        return;
    }
    m_zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
}

int CZoomMapping::GetScaledResolution() const {
    return Scale(kDisplayResolution, m_zoom);
}

CSize CZoomMapping::GetDevicePageSize() const {
    const int width = m_page.cx - 2 * kWindowOriginOffset.x;
    const int height = m_page.cy - 2 * kWindowOriginOffset.y;
    return CSize(width * kDisplayResolution / kWindowExtent,
                 height * kDisplayResolution / kWindowExtent);
}

CSize CZoomMapping::GetScaledPageSize() const {
    const CSize page = GetDevicePageSize();
    return CSize(Scale(page.cx, m_zoom), Scale(page.cy, m_zoom));
}

CSize CZoomMapping::GetScrollRange() const {
    const CSize page = GetScaledPageSize();
    return CSize(std::max(0, page.cx - m_client.cx), std::max(0, page.cy - m_client.cy));
}

CPoint CZoomMapping::ClampScroll(CPoint position) const {
    const CSize range = GetScrollRange();
    return CPoint(std::clamp(position.x, 0, range.cx), std::clamp(position.y, 0, range.cy));
}

CPoint CZoomMapping::GetViewportOrigin() const {
    const CSize page = GetScaledPageSize();
    CPoint origin(-m_scroll.x, -m_scroll.y);
    if (m_bCenterPage && page.cx < m_client.cx) {
        origin.x = (m_client.cx - page.cx) / 2;
    }
    if (m_bCenterPage && page.cy < m_client.cy) {
        origin.y = (m_client.cy - page.cy) / 2;
    }
    return origin;
}

CPoint CZoomMapping::LPtoDP(CPoint point) const {
    const double scale = static_cast<double>(GetScaledResolution()) / kWindowExtent;
    const CPoint origin = GetViewportOrigin();
    return CPoint(
        static_cast<int>(std::lround((point.x - kWindowOriginOffset.x) * scale)) + origin.x,
        static_cast<int>(std::lround((point.y - kWindowOriginOffset.y) * scale)) + origin.y);
}

CPoint CZoomMapping::DPtoLP(CPoint point) const {
    const int resolution = std::max(1, GetScaledResolution());
    const double scale = static_cast<double>(kWindowExtent) / resolution;
    const CPoint origin = GetViewportOrigin();
    return CPoint(
        static_cast<int>(std::lround((point.x - origin.x) * scale)) + kWindowOriginOffset.x,
        static_cast<int>(std::lround((point.y - origin.y) * scale)) + kWindowOriginOffset.y);
}

CRect CZoomMapping::LPtoDP(const CRect& rect) const {
    return CRect(LPtoDP(rect.TopLeft()), LPtoDP(rect.BottomRight()));
}

CRect CZoomMapping::DPtoLP(const CRect& rect) const {
    return CRect(DPtoLP(rect.TopLeft()), DPtoLP(rect.BottomRight()));
}

void CZoomMapping::Apply(CDC& dc) const {
    const int resolution = GetScaledResolution();
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(CSize(kWindowExtent, kWindowExtent));
    dc.SetViewportExt(CSize(resolution, resolution));
    dc.SetViewportOrg(GetViewportOrigin());
    dc.SetWindowOrg(kWindowOriginOffset);
}

CPoint CZoomMapping::ScrollToCenterOn(CPoint logical) const {
    CZoomMapping unscrolled = *this;
    unscrolled.m_scroll = CPoint();
    unscrolled.m_bCenterPage = false;
    const CPoint device = unscrolled.LPtoDP(logical);
    return ClampScroll(CPoint(device.x - m_client.cx / 2, device.y - m_client.cy / 2));
}

float CZoomMapping::FitFactor(const CRect& logical) const {
    CRect rect = logical;
    rect.NormalizeRect();
    const int width = std::max(1, rect.Width());
    const int height = std::max(1, rect.Height());
    // Client pixels over logical units, as the zoom commands have always measured.
    const double x = static_cast<double>(m_client.cx + 1) / width;
    const double y = static_cast<double>(m_client.cy + 1) / height;
    return static_cast<float>(std::min(x, y));
}

float CZoomMapping::FullPageFactor() const {
    const CSize page = GetDevicePageSize();
    if (page.cx <= 0 || page.cy <= 0) {
        return m_zoom;
    }
    // Fit the width, unless the page would then be taller than the client.
    const double x = static_cast<double>(m_client.cx) / page.cx;
    const double y = static_cast<double>(m_client.cy) / page.cy;
    return static_cast<float>(std::min(x, y));
}
