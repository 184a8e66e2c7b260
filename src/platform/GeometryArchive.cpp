#include "platform/GeometryArchive.h"

#include <algorithm>
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

void WriteCoordinate(CArchive& ar, int32_t value) {
    ar.WriteInt32(std::clamp(value, -kMaxDrawingCoordinate, kMaxDrawingCoordinate));
}

void WriteRect(CArchive& ar, const CRect& rect) {
    WriteCoordinate(ar, rect.left);
    WriteCoordinate(ar, rect.top);
    WriteCoordinate(ar, rect.right);
    WriteCoordinate(ar, rect.bottom);
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
    WriteCoordinate(ar, point.x);
    WriteCoordinate(ar, point.y);
}

CPoint ReadPoint(CArchive& ar) {
    CPoint point;
    point.x = ReadCoordinate(ar, "Point coordinate");
    point.y = ReadCoordinate(ar, "Point coordinate");
    return point;
}
