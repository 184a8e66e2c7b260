#include "platform/GeometryArchive.h"

#include "platform/Archive.h"

void WriteRect(CArchive& ar, const CRect& rect) {
    ar.WriteInt32(rect.left);
    ar.WriteInt32(rect.top);
    ar.WriteInt32(rect.right);
    ar.WriteInt32(rect.bottom);
}

CRect ReadRect(CArchive& ar) {
    CRect rect;
    rect.left = ar.ReadInt32();
    rect.top = ar.ReadInt32();
    rect.right = ar.ReadInt32();
    rect.bottom = ar.ReadInt32();
    return rect;
}

void WritePoint(CArchive& ar, CPoint point) {
    ar.WriteInt32(point.x);
    ar.WriteInt32(point.y);
}

CPoint ReadPoint(CArchive& ar) {
    CPoint point;
    point.x = ar.ReadInt32();
    point.y = ar.ReadInt32();
    return point;
}
