#include "diagram/DrawingClasses.h"

#include "diagram/ConfCommNode.h"
#include "diagram/ConfGraphBlockList.h"
#include "diagram/ConfGraphIOParameter.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/ConfSpecialNode.h"
#include "diagram/DrawEllipse.h"
#include "diagram/DrawLine.h"
#include "diagram/DrawPolyline.h"
#include "diagram/DrawRectangle.h"
#include "diagram/DrawRoundRect.h"
#include "diagram/DrawText.h"
#include "diagram/DrawingGroup.h"
#include "diagram/DrawingObject.h"
#include "diagram/DrawingTemplate.h"
#include "diagram/GraphLink.h"
#include "diagram/GraphNode.h"

std::vector<const CRuntimeClass*> RegisterDrawingClasses() {
    return {RUNTIME_CLASS(CDrawingObject),      RUNTIME_CLASS(CDrawLine),
            RUNTIME_CLASS(CDrawPolyline),       RUNTIME_CLASS(CDrawRectangle),
            RUNTIME_CLASS(CDrawRoundRect),      RUNTIME_CLASS(CDrawEllipse),
            RUNTIME_CLASS(CDrawText),           RUNTIME_CLASS(CDrawingGroup),
            RUNTIME_CLASS(CDrawingTemplate),    RUNTIME_CLASS(CGraphNode),
            RUNTIME_CLASS(CGraphLink),          RUNTIME_CLASS(CConfGraphNode),
            RUNTIME_CLASS(CConfSpecialNode),    RUNTIME_CLASS(CConfCommNode),
            RUNTIME_CLASS(CConfGraphBlockList), RUNTIME_CLASS(CConfGraphIOParameter)};
}
