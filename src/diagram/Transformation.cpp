#include "diagram/Transformation.h"

IMPLEMENT_DYNAMIC(CTransformation, CObject)

XFORM CTransformation::Combine(const XFORM& a, const XFORM& b) {
    // Row vectors: p' = p * A * B.
    XFORM out;
    out.eM11 = a.eM11 * b.eM11 + a.eM12 * b.eM21;
    out.eM12 = a.eM11 * b.eM12 + a.eM12 * b.eM22;
    out.eM21 = a.eM21 * b.eM11 + a.eM22 * b.eM21;
    out.eM22 = a.eM21 * b.eM12 + a.eM22 * b.eM22;
    out.eDx = a.eDx * b.eM11 + a.eDy * b.eM21 + b.eDx;
    out.eDy = a.eDx * b.eM12 + a.eDy * b.eM22 + b.eDy;
    return out;
}
