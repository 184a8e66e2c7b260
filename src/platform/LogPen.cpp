#include "platform/LogPen.h"

#include "platform/Archive.h"
#include "platform/GeometryArchive.h"

void WriteLogPen(CArchive& ar, const LOGPEN& pen) {
    ar.WriteUInt32(pen.lopnStyle);
    WriteCoordinate(ar, pen.lopnWidth.x);
    ar.WriteInt32(pen.lopnWidth.y);
    ar.WriteUInt32(pen.lopnColor);
}

LOGPEN ReadLogPen(CArchive& ar) {
    LOGPEN pen;
    pen.lopnStyle = ar.ReadUInt32();
    pen.lopnWidth.x = ReadCoordinate(ar, "Pen width");
    pen.lopnWidth.y = ar.ReadInt32();
    pen.lopnColor = ar.ReadUInt32();
    return pen;
}
