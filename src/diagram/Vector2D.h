#pragma once

#include "platform/Point.h"

// A 2-vector in doubles for the geometry of hit tests.
class CVector2D {
public:
    constexpr CVector2D() = default;
    constexpr CVector2D(double x, double y) : m_dX(x), m_dY(y) {}
    // The vector from a to b.
    CVector2D(CPoint a, CPoint b);

    double Dot(const CVector2D& other) const { return m_dX * other.m_dX + m_dY * other.m_dY; }
    // Turned a quarter turn: (-y, x).
    CVector2D Perpendicular() const { return CVector2D(-m_dY, m_dX); }
    double Length() const;
    bool IsZero() const { return m_dX == 0.0 && m_dY == 0.0; }

    CVector2D operator+(const CVector2D& o) const {
        return CVector2D(m_dX + o.m_dX, m_dY + o.m_dY);
    }
    CVector2D operator-(const CVector2D& o) const {
        return CVector2D(m_dX - o.m_dX, m_dY - o.m_dY);
    }
    CVector2D operator*(double f) const { return CVector2D(m_dX * f, m_dY * f); }

    // Splits v into its part along the direction d and the remainder at right
    // angles to d, with the length of each. A zero direction gives zeros.
    struct Projection;
    static Projection Project(const CVector2D& v, const CVector2D& d);

    // Distance of p from the infinite line through a and b; zero when a == b.
    static double DistanceFromLine(CPoint p, CPoint a, CPoint b);
    // The same, signed: positive on the side the perpendicular of (b - a) points to.
    static double SignedDistanceFromLine(CPoint p, CPoint a, CPoint b);

    double m_dX = 0.0;
    double m_dY = 0.0;
};

struct CVector2D::Projection {
    CVector2D along;
    CVector2D remainder;
    double alongLength = 0.0;
    double remainderLength = 0.0;
};
