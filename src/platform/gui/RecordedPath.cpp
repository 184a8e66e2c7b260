#include "platform/gui/RecordedPath.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTolerance = 0.1;
constexpr int kMaxSegments = 4096;

// The largest second difference of a cubic's control points, which bounds its
// curvature: |B''| <= 6 * this.
double SecondDifference(const QPointF (&p)[4]) {
    const QPointF a = p[0] - 2 * p[1] + p[2];
    const QPointF b = p[1] - 2 * p[2] + p[3];
    return std::max(std::hypot(a.x(), a.y()), std::hypot(b.x(), b.y()));
}

// Chords of n equal parameter steps stay within 0.75 * M / n^2 of the curve.
int SegmentCount(const QPointF (&device)[4], const QTransform& deviceToLogical) {
    QPointF logical[4];
    for (int i = 0; i < 4; ++i) {
        logical[i] = deviceToLogical.map(device[i]);
    }
    const double bend = std::max(SecondDifference(device), SecondDifference(logical));
    const double n = std::ceil(std::sqrt(0.75 * bend / kTolerance));
    return std::clamp(static_cast<int>(std::min(n, double{kMaxSegments})), 1, kMaxSegments);
}

QPointF CubicPoint(const QPointF (&p)[4], double t) {
    const double u = 1.0 - t;
    return u * u * u * p[0] + 3 * u * u * t * p[1] + 3 * u * t * t * p[2] + t * t * t * p[3];
}

void AddFlattenedCubic(QPainterPath& out, const QPointF (&p)[4], const QTransform& toLogical) {
    const int n = SegmentCount(p, toLogical);
    for (int i = 1; i < n; ++i) {
        out.lineTo(CubicPoint(p, static_cast<double>(i) / n));
    }
    out.lineTo(p[3]);
}

CPoint Rounded(QPointF point) {
    return CPoint(static_cast<int32_t>(std::lround(point.x())),
                  static_cast<int32_t>(std::lround(point.y())));
}

}  // namespace

void RecordedPath::Begin() {
    m_path = QPainterPath();
    m_phase = Phase::Recording;
    m_figureOpen = false;
}

bool RecordedPath::End() {
    if (m_phase != Phase::Recording) {
        return false;
    }
    m_phase = Phase::Closed;
    return true;
}

void RecordedPath::Add(const QPainterPath& figures) {
    m_path.addPath(figures);
    m_figureOpen = false;
}

void RecordedPath::MoveTo(QPointF point) {
    m_path.moveTo(point);
    m_figureOpen = true;
}

void RecordedPath::LineTo(QPointF from, QPointF to) {
    if (!m_figureOpen) {
        m_path.moveTo(from);
        m_figureOpen = true;
    }
    m_path.lineTo(to);
}

bool RecordedPath::Flatten(const QTransform& deviceToLogical) {
    if (m_phase != Phase::Closed) {
        return false;
    }
    m_path = Flattened(deviceToLogical);
    return true;
}

QPainterPath RecordedPath::Flattened(const QTransform& deviceToLogical) const {
    QPainterPath out;
    out.setFillRule(m_path.fillRule());
    for (int i = 0; i < m_path.elementCount(); ++i) {
        const QPainterPath::Element e = m_path.elementAt(i);
        if (e.isMoveTo()) {
            out.moveTo(e);
        } else if (e.isLineTo()) {
            out.lineTo(e);
        } else if (e.isCurveTo() && i + 2 < m_path.elementCount()) {
            const QPointF cubic[4] = {out.currentPosition(), e, m_path.elementAt(i + 1),
                                      m_path.elementAt(i + 2)};
            AddFlattenedCubic(out, cubic, deviceToLogical);
            i += 2;
        }
    }
    return out;
}

std::vector<std::vector<CPoint>> RecordedPath::Figures(const QTransform& deviceToLogical) const {
    std::vector<std::vector<CPoint>> figures;
    if (m_phase != Phase::Closed) {
        return figures;
    }
    const QPainterPath flat = Flattened(deviceToLogical);
    for (int i = 0; i < flat.elementCount(); ++i) {
        const QPainterPath::Element e = flat.elementAt(i);
        if (e.isMoveTo() || figures.empty()) {
            figures.emplace_back();
        }
        figures.back().push_back(Rounded(deviceToLogical.map(QPointF(e))));
    }
    return figures;
}
