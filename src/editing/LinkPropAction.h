#pragma once

#include "editing/StyleAction.h"

// The line properties of a link and the text properties of its port labels.
class CLinkPropAction : public CStyleAction {
public:
    CLinkPropAction(CLoopEditor* view, int descriptionId, CDrawingObject* object)
        : CStyleAction(view, descriptionId, object, CObjectStyle::PEN | CObjectStyle::LABELS) {}
};
