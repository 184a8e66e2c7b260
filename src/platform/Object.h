#pragma once

#include "platform/RuntimeClass.h"

class CArchive;

// Root of the persistent classes: run-time class information and a Serialize
// that each derived class extends after calling its base class's.
class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    virtual ~CObject() = default;

    static const CRuntimeClass classCObject;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CArchive& ar);

    bool IsKindOf(const CRuntimeClass* pClass) const;
};
