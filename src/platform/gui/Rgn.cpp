#include "platform/gui/Rgn.h"

#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Half the side of the square sampled around a unit's centre: wide enough that a
// region's diagonal edge passing close to the centre still counts, narrow enough
// that regions sharing an edge with the rectangle do not.
constexpr double kSampleHalf = 1.0 / 16.0;

QRectF NormalizedRectF(const CRect& rect) {
    CRect r = rect;
    r.NormalizeRect();
    return QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom));
}

// True when the polygon covers no ground: all its points lie on one line.
bool AllOnOneLine(const QPolygonF& polygon) {
    const QPointF& first = polygon.front();
    qsizetype other = 1;
    while (other < polygon.size() && polygon[other] == first) {
        ++other;
    }
    if (other == polygon.size()) {
        return true;
    }
    const QPointF direction = polygon[other] - first;
    for (qsizetype i = other + 1; i < polygon.size(); ++i) {
        const QPointF offset = polygon[i] - first;
        if (direction.x() * offset.y() - direction.y() * offset.x() != 0.0) {
            return false;
        }
    }
    return true;
}

}  // namespace

struct CRgn::Impl {
    QPainterPath area;
    // Degenerate polygons (all points on one line) make a valid but empty region.
    bool empty = false;
};

CRgn::CRgn() = default;
CRgn::~CRgn() = default;
CRgn::CRgn(CRgn&&) noexcept = default;
CRgn& CRgn::operator=(CRgn&&) noexcept = default;

bool CRgn::CreatePolygonRgn(const CPoint* points, int count, int fillMode) {
    if (points == nullptr || count < 2) {
        return false;
    }
    QPolygonF polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i) {
        polygon.append(QPointF(points[i].x, points[i].y));
    }
    m_impl = std::make_unique<Impl>();
    m_impl->area.addPolygon(polygon);
    m_impl->area.closeSubpath();
    m_impl->area.setFillRule(fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    m_impl->empty = AllOnOneLine(polygon);
    return true;
}

bool CRgn::CreateEllipticRgnIndirect(const CRect& rect) {
    m_impl = std::make_unique<Impl>();
    const QRectF r = NormalizedRectF(rect);
    m_impl->area.addEllipse(r);
    m_impl->empty = r.isEmpty();
    return true;
}

bool CRgn::CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth,
                              int ellipseHeight) {
    m_impl = std::make_unique<Impl>();
    const QRectF r = NormalizedRectF(CRect(left, top, right, bottom));
    m_impl->area.addRoundedRect(r, std::abs(ellipseWidth) / 2.0, std::abs(ellipseHeight) / 2.0);
    m_impl->empty = r.isEmpty();
    return true;
}

bool CRgn::CreateRectRgnIndirect(const CRect& rect) {
    m_impl = std::make_unique<Impl>();
    const QRectF r = NormalizedRectF(rect);
    m_impl->area.addRect(r);
    m_impl->empty = r.isEmpty();
    return true;
}

bool CRgn::IsValid() const {
    return m_impl != nullptr;
}

bool CRgn::RectInRegion(const CRect& rect) const {
    if (!m_impl || m_impl->empty) {
        return false;
    }
    CRect r = rect;
    r.NormalizeRect();
    // Sample the centres of the rectangle's units: from the first unit's centre to
    // the last one's, widened a little so that a single unit is a small square.
    const double right = std::max<double>(r.right, static_cast<double>(r.left) + 1.0);
    const double bottom = std::max<double>(r.bottom, static_cast<double>(r.top) + 1.0);
    const QRectF sample(QPointF(r.left + 0.5 - kSampleHalf, r.top + 0.5 - kSampleHalf),
                        QPointF(right - 0.5 + kSampleHalf, bottom - 0.5 + kSampleHalf));
    return m_impl->area.intersects(sample);
}

bool CRgn::PtInRegion(CPoint point) const {
    if (!m_impl || m_impl->empty) {
        return false;
    }
    return m_impl->area.contains(QPointF(point.x + 0.5, point.y + 0.5));
}

CRect CRgn::GetRgnBox() const {
    if (!m_impl || m_impl->empty) {
        return CRect();
    }
    const QRectF box = m_impl->area.boundingRect();
    return CRect(static_cast<int32_t>(std::floor(box.left())),
                 static_cast<int32_t>(std::floor(box.top())),
                 static_cast<int32_t>(std::ceil(box.right())),
                 static_cast<int32_t>(std::ceil(box.bottom())));
}
