#pragma once

#include <cstdint>

#include "platform/Point.h"
#include "platform/Rect.h"

class CArchive;

// Coordinates and extents a stored drawing may hold, in logical units (1/100
// inch): some 250 m either side of the origin, far beyond any page. The drawing
// code adds, doubles and maps them to devices; within this range none of that
// leaves 32 bits, so the readers refuse a file with anything further out.
inline constexpr int32_t kMaxDrawingCoordinate = 1'000'000;

// A 32-bit coordinate within +-kMaxDrawingCoordinate; anything else is refused
// as malformed, naming the field.
int32_t ReadCoordinate(CArchive& ar, const char* field);

// Writes a coordinate brought within +-kMaxDrawingCoordinate. The drawing code
// may place a part (a label laid out beside a node at the edge) a little past
// the range; what is written must always read back, so it stays at the edge.
void WriteCoordinate(CArchive& ar, int32_t value);

// Rectangles and points as the stored drawings hold them: left, top, right,
// bottom (or x, y) as little-endian 32-bit coordinates.
void WriteRect(CArchive& ar, const CRect& rect);
CRect ReadRect(CArchive& ar);
void WritePoint(CArchive& ar, CPoint point);
CPoint ReadPoint(CArchive& ar);
