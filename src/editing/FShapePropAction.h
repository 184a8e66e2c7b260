#pragma once

#include "editing/StyleAction.h"

// The line and fill properties of one filled shape.
class CFShapePropAction : public CStyleAction {
public:
    CFShapePropAction(CLoopEditor* view, int descriptionId, CDrawingObject* object)
        : CStyleAction(view, descriptionId, object, CObjectStyle::PEN | CObjectStyle::BRUSH) {}
};
