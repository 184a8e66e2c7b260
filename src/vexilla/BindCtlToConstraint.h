#pragma once

#include <cstdint>

#include "platform/Rect.h"
#include "platform/Size.h"
#include "vexilla/Constraint.h"
#include "vexilla/ResizeCtl.h"

namespace Geometry {

// A control bound to the constraint that places it when its dialog is resized.
class CBindCtlToConstraint : public SResizeCtl {
public:
    CBindCtlToConstraint() = default;
    CBindCtlToConstraint(uint32_t id, const CConstraint& constraint)
        : SResizeCtl(id, CRect()), m_constraint(constraint) {}

    // Records the control's initial rectangle (client coordinates of the dialog).
    void SetRect(const CRect& rect) { m_rect = rect; }

    // The control's rectangle for the client size newSize of a dialog laid out at
    // initialSize. Proportional edges and extents are scaled first, then the size
    // change is added by ratio; the result never lies left of or above the initial
    // rectangle and is never narrower or lower. Results beyond the 32-bit range
    // are saturated.
    CRect ResizeControl(CSize newSize, CSize initialSize) const;

    const CConstraint& GetConstraint() const { return m_constraint; }
    void SetConstraint(const CConstraint& constraint) { m_constraint = constraint; }

    bool operator==(const CBindCtlToConstraint&) const = default;

private:
    CConstraint m_constraint;
};

}  // namespace Geometry
