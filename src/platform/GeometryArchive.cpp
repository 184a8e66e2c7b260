#include "platform/GeometryArchive.h"

#include <string>

#include "platform/Archive.h"

int32_t ReadCoordinate(CArchive& ar, const char* field) {
    const int32_t value = ar.ReadInt32();
    if (value < -kMaxDrawingCoordinate || value > kMaxDrawingCoordinate) {
        ar.ThrowMalformed(CArchiveException::badValue,
                          std::string(field) + " " + std::to_string(value) +
                              " lies outside the drawing area (+-" +
                              std::to_string(kMaxDrawingCoordinate) + ")");
    }
    return value;
}

void WriteRect(CArchive& ar, const CRect& rect) {
    ar.WriteInt32(rect.left);
    ar.WriteInt32(rect.top);
    ar.WriteInt32(rect.right);
    ar.WriteInt32(rect.bottom);
}

CRect ReadRect(CArchive& ar) {
    CRect rect;
    rect.left = ReadCoordinate(ar, "Rectangle coordinate");
    rect.top = ReadCoordinate(ar, "Rectangle coordinate");
    rect.right = ReadCoordinate(ar, "Rectangle coordinate");
    rect.bottom = ReadCoordinate(ar, "Rectangle coordinate");
    return rect;
}

void WritePoint(CArchive& ar, CPoint point) {
    ar.WriteInt32(point.x);
    ar.WriteInt32(point.y);
}

CPoint ReadPoint(CArchive& ar) {
    CPoint point;
    point.x = ReadCoordinate(ar, "Point coordinate");
    point.y = ReadCoordinate(ar, "Point coordinate");
    return point;
}
