#include "platform/XForm.h"

#include "platform/Archive.h"

void WriteXForm(CArchive& ar, const XFORM& xform) {
    ar.WriteFloat(xform.eM11);
    ar.WriteFloat(xform.eM12);
    ar.WriteFloat(xform.eM21);
    ar.WriteFloat(xform.eM22);
    ar.WriteFloat(xform.eDx);
    ar.WriteFloat(xform.eDy);
}

XFORM ReadXForm(CArchive& ar) {
    XFORM xform;
    xform.eM11 = ar.ReadFloat();
    xform.eM12 = ar.ReadFloat();
    xform.eM21 = ar.ReadFloat();
    xform.eM22 = ar.ReadFloat();
    xform.eDx = ar.ReadFloat();
    xform.eDy = ar.ReadFloat();
    return xform;
}
