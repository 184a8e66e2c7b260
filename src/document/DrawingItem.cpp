#include "document/DrawingItem.h"

IMPLEMENT_DYNAMIC(CDrawingItem, CObject)
