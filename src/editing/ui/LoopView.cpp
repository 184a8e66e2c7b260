#include "editing/ui/LoopView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "diagram/DrawingObject.h"
#include "diagram/LoopPainter.h"
#include "document/ConfDoc.h"
#include "platform/gui/DC.h"

namespace {

// Pixels added around an object's rectangle when it is repainted (handles, pens).
constexpr int kInvalidateMargin = 4;

}  // namespace

CLoopView::CLoopView(CConfDoc& document, QWidget* parent)
    : CZoomView(parent), m_document(document) {
    m_nLoop = std::max(1, document.GetCurrentLoopNumber());
    SetLogicalSize(CLoopPainter::kDefaultPage);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    m_document.AddView(this);
}

CLoopView::~CLoopView() {
    m_document.RemoveView(this);
}

int CLoopView::SnapToGrid(int value, int step) {
    if (step <= 0) {
        return value;
    }
    int quotient = value / step;
    int remainder = value % step;
    if (remainder < 0) {
        --quotient;
        remainder += step;
    }
    if (2 * remainder > step) {
        ++quotient;
    }
    return quotient * step;
}

void CLoopView::OnUpdate(CView* sender, long hint, CObject* hintObject) {
    if (sender == nullptr && hintObject == nullptr && hint == HINT_REPAINT) {
        DeselectAll();
    }
    switch (hint) {
        case HINT_OBJECT:
            InvalidateObject(dynamic_cast<CDrawingObject*>(hintObject));
            break;
        case HINT_OBJECTS:
            for (CDrawingObject* object : m_selection) {
                InvalidateObject(object);
            }
            break;
        case HINT_LOOP_SELECTED:
            if (m_document.GetCurrentLoopNumber() != m_nLoop) {
                DeselectAll();
                m_nLoop = m_document.GetCurrentLoopNumber();
            }
            break;
        case HINT_PAGE_SIZE:
            SetLogicalSize(m_document.GetPageSize());
            break;
        case HINT_LEAVE_ONLINE:
            m_bMonitoring = false;
            ClearPosition();
            break;
        default:
            break;
    }
    viewport()->update();
    if (m_onUpdate) {
        m_onUpdate(hint);
    }
}

void CLoopView::InvalidateObject(CDrawingObject* object) {
    if (object == nullptr) {
        return;
    }
    CRect area = LPtoDP(object->GetInvalidRect());
    area.NormalizeRect();
    area.InflateRect(kInvalidateMargin, kInvalidateMargin);
    viewport()->update(QRect(area.left, area.top, area.Width(), area.Height()));
}

void CLoopView::PrepareDC(CDC& dc) {
    PrepareMapping(dc);
}

void CLoopView::SnapPoint(CPoint& point) {
    const CGeneralData& data = m_document.GetGeneralData();
    if (data.m_bSnapToGrid) {
        point.x = SnapToGrid(point.x, data.m_gridSpacing.cx);
        point.y = SnapToGrid(point.y, data.m_gridSpacing.cy);
    }
    m_lastPoint = point;
    if (m_onPosition) {
        m_onPosition(point);
    }
}

void CLoopView::DeleteObject(CDrawingObject* object) {
    if (object == nullptr) {
        return;
    }
    InvalidateObject(object);
    std::erase(m_selection, object);
    // The document hands over only selected objects.
    object->Select(true);
    m_document.RemoveDrawingObject(object);
}

void CLoopView::SelectObject(CDrawingObject* object, bool add) {
    if (!add) {
        DeselectAll();
    }
    if (object == nullptr || object->IsSelected() || object->GetLoop() != m_nLoop) {
        return;
    }
    object->Select(true);
    m_selection.push_back(object);
    InvalidateObject(object);
}

void CLoopView::DeselectAll() {
    for (CDrawingObject* object : m_selection) {
        // Objects the document has dropped meanwhile are gone with it.
        if (IsInDocument(object)) {
            InvalidateObject(object);
            object->Select(false);
        }
    }
    m_selection.clear();
}

bool CLoopView::IsInDocument(const CDrawingObject* object) const {
    for (const CConfDoc::DrawingList* list :
         {&m_document.GetTemplates(), &m_document.GetObjects(), &m_document.GetGraphObjects()}) {
        for (const auto& item : *list) {
            if (item.get() == object) {
                return true;
            }
        }
    }
    return false;
}

CRect CLoopView::GetLoopExtent() const {
    CRect extent;
    for (const CConfDoc::DrawingList* list :
         {&m_document.GetTemplates(), &m_document.GetObjects(), &m_document.GetGraphObjects()}) {
        for (const auto& item : *list) {
            const auto* object = dynamic_cast<const CDrawingObject*>(item.get());
            if (object == nullptr || object->GetLoop() != m_nLoop) {
                continue;
            }
            CRect rect = object->GetRect();
            rect.NormalizeRect();
            extent.UnionRect(extent, rect);
        }
    }
    return extent;
}

void CLoopView::ZoomToLoopObjects() {
    ZoomToObjects(GetLoopExtent());
}

void CLoopView::OnDraw(CDC& dc, const CRect& clip) {
    CLoopPainter(m_document, m_nLoop, GetLogicalSize()).Draw(dc, clip);
}

void CLoopView::keyPressEvent(QKeyEvent* event) {
    const bool keypad = (event->modifiers() & Qt::KeypadModifier) != 0;
    if (keypad && event->key() == Qt::Key_Plus) {
        ZoomIn();
    } else if (keypad && event->key() == Qt::Key_Minus) {
        ZoomOut();
    } else {
        CZoomView::keyPressEvent(event);
    }
}

void CLoopView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    CPoint point = DPtoLP(CPoint(position.x(), position.y()));
    SnapPoint(point);
    CZoomView::mouseMoveEvent(event);
}

void CLoopView::leaveEvent(QEvent* event) {
    ClearPosition();
    CZoomView::leaveEvent(event);
}

void CLoopView::ClearPosition() {
    if (m_onClearPosition) {
        m_onClearPosition();
    }
}
