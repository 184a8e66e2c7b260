#pragma once

#include "editing/StyleAction.h"

// The line and fill properties of a node and the text properties of its labels.
class CNodePropAction : public CStyleAction {
public:
    CNodePropAction(CLoopEditor* view, int descriptionId, CDrawingObject* object)
        : CStyleAction(view, descriptionId, object,
                       CObjectStyle::PEN | CObjectStyle::BRUSH | CObjectStyle::LABELS) {}
};
