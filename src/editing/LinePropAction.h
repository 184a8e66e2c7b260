#pragma once

#include "editing/StyleAction.h"

// The line properties of one line or open polyline (its pen).
class CLinePropAction : public CStyleAction {
public:
    CLinePropAction(CLoopEditor* view, int descriptionId, CDrawingObject* object)
        : CStyleAction(view, descriptionId, object, CObjectStyle::PEN) {}
};
