#include "diagram/DrawingGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace drawgeom {

bool IntersectSegments(CPoint a1, CPoint a2, CPoint b1, CPoint b2, CPoint* result) {
    auto within = [](double v, int32_t e1, int32_t e2) {
        return v >= std::min(e1, e2) && v <= std::max(e1, e2);
    };
    auto onBoth = [&](double x, double y) {
        return within(x, a1.x, a2.x) && within(y, a1.y, a2.y) && within(x, b1.x, b2.x) &&
               within(y, b1.y, b2.y);
    };
    auto answer = [result](CPoint point) {
        if (result != nullptr) {
            *result = point;
        }
        return true;
    };

    const double dax = static_cast<double>(a2.x) - a1.x;
    const double day = static_cast<double>(a2.y) - a1.y;
    const double dbx = static_cast<double>(b2.x) - b1.x;
    const double dby = static_cast<double>(b2.y) - b1.y;
    const bool aIsPoint = dax == 0.0 && day == 0.0;
    const bool bIsPoint = dbx == 0.0 && dby == 0.0;

    if (dax * dby - day * dbx == 0.0) {
        // Parallel: only collinear segments can meet.
        if (aIsPoint && bIsPoint) {
            return a1 == b1 && answer(a1);
        }
        if (aIsPoint || bIsPoint) {
            const CPoint p = aIsPoint ? a1 : b1;
            const CPoint s1 = aIsPoint ? b1 : a1;
            const double sx = aIsPoint ? dbx : dax;
            const double sy = aIsPoint ? dby : day;
            const double side =
                sx * (static_cast<double>(p.y) - s1.y) - sy * (static_cast<double>(p.x) - s1.x);
            return side == 0.0 && onBoth(p.x, p.y) && answer(p);
        }
        const double side =
            dax * (static_cast<double>(b1.y) - a1.y) - day * (static_cast<double>(b1.x) - a1.x);
        if (side != 0.0) {
            return false;
        }
        // Positions along a (0 at a1, 1 at a2) on its longer axis.
        const bool alongX = std::abs(dax) >= std::abs(day);
        auto position = [&](CPoint p) {
            return alongX ? (static_cast<double>(p.x) - a1.x) / dax
                          : (static_cast<double>(p.y) - a1.y) / day;
        };
        const double t1 = position(b1);
        const double t2 = position(b2);
        const double tFar = std::max(t1, t2);
        const double tNear = std::min(t1, t2);
        if (tFar < 0.0 || tNear > 1.0) {
            return false;
        }
        return answer(tFar <= 1.0 ? (t1 >= t2 ? b1 : b2) : a2);
    }

    double x = 0.0;
    double y = 0.0;
    if (dax == 0.0) {
        x = a1.x;
        y = dby == 0.0 ? b1.y : b1.y + (x - b1.x) * (dby / dbx);
    } else if (dbx == 0.0) {
        x = b1.x;
        y = day == 0.0 ? a1.y : a1.y + (x - a1.x) * (day / dax);
    } else if (day == 0.0) {
        y = a1.y;
        x = b1.x + (y - b1.y) * (dbx / dby);
    } else if (dby == 0.0) {
        y = b1.y;
        x = a1.x + (y - a1.y) * (dax / day);
    } else {
        const double ma = day / dax;
        const double mb = dby / dbx;
        if (ma == mb) {
            return false;
        }
        const double ba = a1.y - ma * a1.x;
        const double bb = b1.y - mb * b1.x;
        x = (bb - ba) / (ma - mb);
        y = ma * x + ba;
    }
    // std::round rounds halves away from zero.
    x = std::round(x);
    y = std::round(y);
    if (!onBoth(x, y)) {
        return false;
    }
    return answer(CPoint(static_cast<int32_t>(x), static_cast<int32_t>(y)));
}

int32_t RoundToCoordinate(double value) {
    if (!(value == value)) {
        return 0;
    }
    return TruncateToCoordinate(std::round(value));
}

int32_t TruncateToCoordinate(double value) {
    if (!(value == value)) {
        return 0;
    }
    value = std::clamp(std::trunc(value), static_cast<double>(std::numeric_limits<int32_t>::min()),
                       static_cast<double>(std::numeric_limits<int32_t>::max()));
    return static_cast<int32_t>(value);
}

int32_t Middle(int32_t a, int32_t b) {
    return static_cast<int32_t>((static_cast<int64_t>(a) + b) / 2);
}

}  // namespace drawgeom
