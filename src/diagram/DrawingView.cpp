#include "diagram/DrawingView.h"

#include "diagram/BlockServices.h"

bool CDrawingView::DeleteBlock(int blockNumber) {
    CConfDoc* document = GetDocument();
    return document != nullptr && blockservices::DeleteBlock(*document, blockNumber);
}
