#pragma once

#include "diagram/DrawingGroup.h"

// A group inserted from a template file; the document keeps it in its template
// list.
class CDrawingTemplate : public CDrawingGroup {
    DECLARE_SERIAL(CDrawingTemplate)

public:
    CDrawingTemplate() = default;

    void Serialize(CArchive& ar) override;
    ListKind GetListKind() const override { return LIST_TEMPLATES; }
    std::unique_ptr<CDrawingObject> Clone() const override;
};
