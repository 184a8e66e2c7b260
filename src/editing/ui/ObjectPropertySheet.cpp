#include "editing/ui/ObjectPropertySheet.h"

bool CObjectPropertySheet::Edit(CLoopEditor& /*view*/, CDrawingObject* /*object*/,
                                QWidget* /*parent*/) {
    return false;
}
