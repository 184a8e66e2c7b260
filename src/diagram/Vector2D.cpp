#include "diagram/Vector2D.h"

#include <cmath>

CVector2D::CVector2D(CPoint a, CPoint b)
    : m_dX(static_cast<double>(b.x) - a.x), m_dY(static_cast<double>(b.y) - a.y) {}

double CVector2D::Length() const {
    return std::hypot(m_dX, m_dY);
}

CVector2D::Projection CVector2D::Project(const CVector2D& v, const CVector2D& d) {
    Projection result;
    const double dd = d.Dot(d);
    if (dd == 0.0) {
        return result;
    }
    const double t = v.Dot(d) / dd;
    result.along = d * t;
    result.remainder = v - result.along;
    result.alongLength = result.along.Length();
    result.remainderLength = result.remainder.Length();
    return result;
}

double CVector2D::DistanceFromLine(CPoint p, CPoint a, CPoint b) {
    return Project(CVector2D(a, p), CVector2D(a, b)).remainderLength;
}

double CVector2D::SignedDistanceFromLine(CPoint p, CPoint a, CPoint b) {
    const CVector2D d(a, b);
    const double length = d.Length();
    if (length == 0.0) {
        return 0.0;
    }
    return CVector2D(a, p).Dot(d.Perpendicular()) / length;
}
