#include "platform/LogBrush.h"

#include "platform/Archive.h"

void WriteLogBrush(CArchive& ar, const LOGBRUSH& brush) {
    ar.WriteUInt32(brush.lbStyle);
    ar.WriteUInt32(brush.lbColor);
    ar.WriteUInt32(brush.lbHatch);
}

LOGBRUSH ReadLogBrush(CArchive& ar) {
    LOGBRUSH brush;
    brush.lbStyle = ar.ReadUInt32();
    brush.lbColor = ar.ReadUInt32();
    brush.lbHatch = ar.ReadUInt32();
    return brush;
}
