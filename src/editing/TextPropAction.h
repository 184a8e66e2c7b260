#pragma once

#include "editing/StyleAction.h"

// All properties of one text object: text, font, format, background mode,
// colours and the rectangle they gave it.
class CTextPropAction : public CStyleAction {
public:
    CTextPropAction(CLoopEditor* view, int descriptionId, CDrawingObject* object)
        : CStyleAction(view, descriptionId, object, CObjectStyle::TEXT) {}
};
