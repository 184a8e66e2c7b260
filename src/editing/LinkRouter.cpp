#include "editing/LinkRouter.h"

#include <algorithm>
#include <cmath>

namespace linkrouter {

namespace {

// Room kept between a route and the nodes it passes.
constexpr int kClearance = 10;

int Snap(int value, int grid) {
    if (grid <= 0) {
        return value;
    }
    return static_cast<int>(std::lround(static_cast<double>(value) / grid)) * grid;
}

bool IsClear(const std::vector<CPoint>& route, const std::vector<CRect>& obstacles) {
    for (std::size_t i = 1; i < route.size(); ++i) {
        for (const CRect& obstacle : obstacles) {
            if (SegmentCrosses(route[i - 1], route[i], obstacle)) {
                return false;
            }
        }
    }
    return true;
}

std::vector<CPoint> Across(CPoint a, CPoint b, int x) {
    return {a, CPoint(x, a.y), CPoint(x, b.y), b};
}

std::vector<CPoint> Down(CPoint a, CPoint b, int y) {
    return {a, CPoint(a.x, y), CPoint(b.x, y), b};
}

// Drops repeated points and bends that lie on a straight run.
std::vector<CPoint> Simplified(const std::vector<CPoint>& route) {
    std::vector<CPoint> points;
    for (const CPoint point : route) {
        if (!points.empty() && points.back() == point) {
            continue;
        }
        if (points.size() >= 2) {
            const CPoint p = points[points.size() - 2];
            const CPoint q = points.back();
            const long long cross = static_cast<long long>(q.x - p.x) * (point.y - q.y) -
                                    static_cast<long long>(q.y - p.y) * (point.x - q.x);
            if (cross == 0) {
                points.back() = point;
                continue;
            }
        }
        points.push_back(point);
    }
    return points;
}

}  // namespace

bool SegmentCrosses(CPoint a, CPoint b, const CRect& rect) {
    CRect box = rect;
    box.NormalizeRect();
    // Liang-Barsky: clip the segment to the box, strictly inside.
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {static_cast<double>(a.x) - box.left, static_cast<double>(box.right) - a.x,
                        static_cast<double>(a.y) - box.top, static_cast<double>(box.bottom) - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] <= 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 >= t1) {
            return false;
        }
    }
    return t1 - t0 > 1e-9;
}

std::vector<CPoint> Route(const CRect& from, const CRect& to, const std::vector<CRect>& obstacles,
                          int grid) {
    CRect source = from;
    CRect target = to;
    source.NormalizeRect();
    target.NormalizeRect();
    const CPoint a = source.CenterPoint();
    const CPoint b = target.CenterPoint();
    std::vector<CRect> blocked;
    int top = std::min(source.top, target.top);
    int bottom = std::max(source.bottom, target.bottom);
    int right = std::max(source.right, target.right);
    for (CRect obstacle : obstacles) {
        obstacle.NormalizeRect();
        obstacle.InflateRect(kClearance / 2, kClearance / 2);
        blocked.push_back(obstacle);
        top = std::min(top, obstacle.top);
        bottom = std::max(bottom, obstacle.bottom);
        right = std::max(right, obstacle.right);
    }
    const int gapX = source.right < target.left   ? (source.right + target.left) / 2
                     : target.right < source.left ? (target.right + source.left) / 2
                                                  : (a.x + b.x) / 2;
    const int gapY = source.bottom < target.top   ? (source.bottom + target.top) / 2
                     : target.bottom < source.top ? (target.bottom + source.top) / 2
                                                  : (a.y + b.y) / 2;
    const std::vector<std::vector<CPoint>> candidates = {
        {a, b},
        Across(a, b, Snap(gapX, grid)),
        Down(a, b, Snap(gapY, grid)),
        Down(a, b, Snap(std::min(source.top, target.top) - 2 * kClearance, grid)),
        Down(a, b, Snap(std::max(source.bottom, target.bottom) + 2 * kClearance, grid)),
        Down(a, b, Snap(top - 2 * kClearance, grid)),
        Down(a, b, Snap(bottom + 2 * kClearance, grid)),
        {a, CPoint(a.x, Snap(top - 2 * kClearance, grid)),
         CPoint(Snap(right + 2 * kClearance, grid), Snap(top - 2 * kClearance, grid)),
         CPoint(Snap(right + 2 * kClearance, grid), b.y), b},
    };
    for (const auto& candidate : candidates) {
        if (IsClear(candidate, blocked)) {
            return Simplified(candidate);
        }
    }
    // Above everything there is nothing to cross but the links' own ends.
    return Simplified(candidates[5]);
}

}  // namespace linkrouter
