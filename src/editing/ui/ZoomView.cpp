#include "editing/ui/ZoomView.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "platform/gui/DC.h"

CZoomView::CZoomView(QWidget* parent) : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    UpdateScrollBars();
}

CZoomView::~CZoomView() = default;

void CZoomView::SetLogicalSize(CSize page) {
    if (page.cx <= 0 || page.cy <= 0) {
        return;
    }
    m_mapping.SetPageSize(page);
    UpdateScrollBars();
    viewport()->update();
}

void CZoomView::SetZoom(float zoom, const CPoint* center) {
    const CPoint target = center != nullptr ? *center : GetClientRectLogical().CenterPoint();
    m_mapping.SetZoom(zoom);
    UpdateScrollBars();
    ScrollTo(m_mapping.ScrollToCenterOn(target));
    viewport()->update();
}

void CZoomView::PrepareMapping(CDC& dc) const {
    m_mapping.Apply(dc);
}

CRect CZoomView::GetClientRectLogical() const {
    const CSize client = m_mapping.GetClientSize();
    CRect rect = DPtoLP(CRect(0, 0, client.cx, client.cy));
    rect.NormalizeRect();
    return rect;
}

void CZoomView::ZoomIn(const CPoint* center) {
    SetZoom(static_cast<float>(GetZoom() * CZoomMapping::kZoomStep), center);
}

void CZoomView::ZoomOut(const CPoint* center) {
    SetZoom(static_cast<float>(GetZoom() / CZoomMapping::kZoomStep), center);
}

void CZoomView::ZoomToRect(const CRect& logical, bool center) {
    CRect rect = logical;
    rect.NormalizeRect();
    const CPoint middle = rect.CenterPoint();
    const CRect device = LPtoDP(rect);
    if (std::max(std::abs(device.Width()), std::abs(device.Height())) < kMinZoomRectPixels) {
        ZoomIn(&middle);
        return;
    }
    m_mapping.SetZoom(m_mapping.FitFactor(rect));
    UpdateScrollBars();
    if (center) {
        ScrollTo(m_mapping.ScrollToCenterOn(middle));
    }
    viewport()->update();
}

void CZoomView::ZoomFull() {
    m_nZoomKind = ZOOM_FULL;
    m_mapping.SetZoom(m_mapping.FullPageFactor());
    UpdateScrollBars();
    ScrollTo(CPoint());
    viewport()->update();
}

void CZoomView::ZoomWidth() {
    m_nZoomKind = ZOOM_WIDTH;
    const CPoint middle = GetClientRectLogical().CenterPoint();
    const int width = GetLogicalSize().cx + VerticalScrollBarWidth();
    ZoomToRect(CRect(middle.x - width / 2, middle.y, middle.x - width / 2 + width, middle.y), true);
}

void CZoomView::ZoomHalf() {
    m_nZoomKind = ZOOM_HALF;
    const CRect client = GetClientRectLogical();
    const int width = GetLogicalSize().cx / 2 + VerticalScrollBarWidth();
    ZoomToRect(CRect(client.left, client.top, client.left + width, client.top), true);
}

void CZoomView::ZoomToObjects(const CRect& objects) {
    ZoomFull();
    m_nZoomKind = ZOOM_OBJECTS;
    CRect extent = objects;
    extent.NormalizeRect();
    if (extent.IsRectEmpty()) {
        return;
    }
    const CRect client = GetClientRectLogical();
    if (client.PtInRect(extent.TopLeft()) && client.PtInRect(extent.BottomRight())) {
        return;
    }
    CRect rect;
    rect.UnionRect(client, extent);
    // Equal margins on opposite sides keep the objects in the middle.
    const int horizontal = std::max(extent.left - rect.left, rect.right - extent.right);
    const int vertical = std::max(extent.top - rect.top, rect.bottom - extent.bottom);
    rect = CRect(extent.left - horizontal, extent.top - vertical, extent.right + horizontal,
                 extent.bottom + vertical);
    const int width = std::max(1, rect.Width());
    const int height = std::max(1, rect.Height());
    if (width < height) {
        const int grow = width * (height / width) - width;
        rect.InflateRect(grow / 2, 0);
    } else {
        const int grow = height * (width / height) - height;
        rect.InflateRect(0, grow / 2);
    }
    ZoomToRect(rect, false);
}

bool CZoomView::CanZoomWidth() const {
    const CSize page = GetLogicalSize();
    return page.cx < page.cy;
}

void CZoomView::paintEvent(QPaintEvent* event) {
    const QSize size = viewport()->size();
    if (size.isEmpty()) {
        return;
    }
    // Straight onto the widget: Qt's backing store already keeps the picture
    // from flickering, so a buffer of our own would only cost a fill and a copy.
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.fillRect(area, Qt::white);
    CDC dc(painter);
    PrepareMapping(dc);
    CRect clip = DPtoLP(CRect(area.left(), area.top(), area.right() + 1, area.bottom() + 1));
    clip.NormalizeRect();
    OnDraw(dc, clip);
}

void CZoomView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CZoomView::scrollContentsBy(int /*dx*/, int /*dy*/) {
    if (m_bUpdatingBars) {
        return;
    }
    m_mapping.SetScrollPosition(
        CPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()));
    viewport()->update();
}

void CZoomView::UpdateScrollBars() {
    m_bUpdatingBars = true;
    const QSize client = viewport()->size();
    m_mapping.SetClientSize(CSize(client.width(), client.height()));
    const CSize range = m_mapping.GetScrollRange();
    horizontalScrollBar()->setRange(0, range.cx);
    verticalScrollBar()->setRange(0, range.cy);
    horizontalScrollBar()->setPageStep(std::max(1, client.width()));
    verticalScrollBar()->setPageStep(std::max(1, client.height()));
    const int line = std::max(1, m_mapping.GetScaledResolution() / 4);
    horizontalScrollBar()->setSingleStep(line);
    verticalScrollBar()->setSingleStep(line);
    m_mapping.SetScrollPosition(m_mapping.ClampScroll(m_mapping.GetScrollPosition()));
    horizontalScrollBar()->setValue(m_mapping.GetScrollPosition().x);
    verticalScrollBar()->setValue(m_mapping.GetScrollPosition().y);
    m_bUpdatingBars = false;
}

void CZoomView::ScrollTo(CPoint position) {
    m_mapping.SetScrollPosition(m_mapping.ClampScroll(position));
    m_bUpdatingBars = true;
    horizontalScrollBar()->setValue(m_mapping.GetScrollPosition().x);
    verticalScrollBar()->setValue(m_mapping.GetScrollPosition().y);
    m_bUpdatingBars = false;
}

int CZoomView::VerticalScrollBarWidth() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}
