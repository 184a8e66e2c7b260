#pragma once

#include "platform/Object.h"
#include "platform/XForm.h"

// One world transformation of a drawing object: a 2 x 3 matrix whose
// translation part, for the transformations of drawing objects, is the pivot
// relative to the object's top-left corner. A new one is the identity.
class CTransformation : public CObject {
    DECLARE_DYNAMIC(CTransformation)

public:
    CTransformation() = default;
    explicit CTransformation(const XFORM& xform) : m_xform(xform) {}

    const XFORM& GetXForm() const { return m_xform; }
    void SetXForm(const XFORM& xform) { m_xform = xform; }

    // The transformation that applies a, then b.
    static XFORM Combine(const XFORM& a, const XFORM& b);

    bool operator==(const CTransformation& other) const { return m_xform == other.m_xform; }

    XFORM m_xform;
};
