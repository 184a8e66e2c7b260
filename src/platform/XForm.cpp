#include "platform/XForm.h"

#include <cmath>
#include <string>

#include "platform/Archive.h"
#include "platform/GeometryArchive.h"

void WriteXForm(CArchive& ar, const XFORM& xform) {
    ar.WriteFloat(xform.eM11);
    ar.WriteFloat(xform.eM12);
    ar.WriteFloat(xform.eM21);
    ar.WriteFloat(xform.eM22);
    ar.WriteFloat(xform.eDx);
    ar.WriteFloat(xform.eDy);
}

namespace {

// The drawings rotate, mirror and scale by modest factors; a factor beyond this
// or an offset beyond the drawing area is not a drawing's.
constexpr float kMaxXFormFactor = 1000.0f;

float ReadXFormElement(CArchive& ar, float limit) {
    const float value = ar.ReadFloat();
    if (!std::isfinite(value) || std::fabs(value) > limit) {
        ar.ThrowMalformed(CArchiveException::badValue,
                          "Transformation element " + std::to_string(value) + " out of range");
    }
    return value;
}

}  // namespace

XFORM ReadXForm(CArchive& ar) {
    constexpr auto kMaxOffset = static_cast<float>(kMaxDrawingCoordinate);
    XFORM xform;
    xform.eM11 = ReadXFormElement(ar, kMaxXFormFactor);
    xform.eM12 = ReadXFormElement(ar, kMaxXFormFactor);
    xform.eM21 = ReadXFormElement(ar, kMaxXFormFactor);
    xform.eM22 = ReadXFormElement(ar, kMaxXFormFactor);
    xform.eDx = ReadXFormElement(ar, kMaxOffset);
    xform.eDy = ReadXFormElement(ar, kMaxOffset);
    return xform;
}
