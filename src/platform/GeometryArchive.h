#pragma once

#include "platform/Point.h"
#include "platform/Rect.h"

class CArchive;

// Rectangles and points as the stored drawings hold them: left, top, right,
// bottom (or x, y) as little-endian 32-bit integers.
void WriteRect(CArchive& ar, const CRect& rect);
CRect ReadRect(CArchive& ar);
void WritePoint(CArchive& ar, CPoint point);
CPoint ReadPoint(CArchive& ar);
