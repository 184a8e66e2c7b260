#pragma once

#include <cstdint>

#include "platform/Point.h"

// Plane geometry of the drawings, in logical units: free functions that the
// drawing objects, nodes and links share.
namespace drawgeom {

// The crossing of the segments a1-a2 and b1-b2, rounded half away from zero;
// for collinear overlapping segments the end of the overlap farther from a1.
// False when they do not meet; result (when given) is left as it was then.
bool IntersectSegments(CPoint a1, CPoint a2, CPoint b1, CPoint b2, CPoint* result);

// A coordinate worked out in doubles, as an int32 that never leaves the range
// (0 for NaN): rounded half away from zero, or cut towards zero as a cast does.
int32_t RoundToCoordinate(double value);
int32_t TruncateToCoordinate(double value);

// The middle of two coordinates, without overflowing on the way.
int32_t Middle(int32_t a, int32_t b);

}  // namespace drawgeom
