#include "editing/ui/LoopView.h"
#include "editing/ui/LoopViewOnline.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "diagram/ConfGraphNode.h"
#include "diagram/DrawingObject.h"
#include "diagram/GraphLink.h"
#include "diagram/LoopPainter.h"
#include "diagram/RectHandles.h"
#include "document/ConfDoc.h"
#include "editing/EditKeys.h"
#include "editing/LoopCommands.h"
#include "editing/ui/BlockListPanel.h"
#include "editing/ui/FunctionBlockDlg.h"
#include "editing/ui/ObjectMenu.h"
#include "editing/ui/ObjectPropertySheet.h"
#include "editing/ui/TextEntryDlg.h"
#include "model/Block.h"
#include "platform/gui/DC.h"

using namespace editkeys;

namespace {

// Pixels from the edge of the client area where a drag scrolls the view.
constexpr int kAutoScrollMargin = 16;
constexpr int kAutoScrollStep = 20;

unsigned MouseFlags(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    unsigned flags = 0;
    if ((buttons & Qt::LeftButton) != 0) {
        flags |= MK_LBUTTON;
    }
    if ((buttons & Qt::RightButton) != 0) {
        flags |= MK_RBUTTON;
    }
    if ((modifiers & Qt::ShiftModifier) != 0) {
        flags |= MK_SHIFT;
    }
    if ((modifiers & Qt::ControlModifier) != 0) {
        flags |= MK_CONTROL;
    }
    return flags;
}

CPoint DevicePoint(const QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    return CPoint(position.x(), position.y());
}

// The keys the tools see; 0 for the others.
int KeyCode(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Left:
            return VK_LEFT;
        case Qt::Key_Right:
            return VK_RIGHT;
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Down:
            return VK_DOWN;
        case Qt::Key_Delete:
            return VK_DELETE;
        case Qt::Key_Escape:
            return VK_ESCAPE;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Tab:
            return VK_TAB;
        case Qt::Key_PageUp:
            return VK_PRIOR;
        case Qt::Key_PageDown:
            return VK_NEXT;
        case Qt::Key_Home:
            return VK_HOME;
        case Qt::Key_End:
            return VK_END;
        case Qt::Key_G:
            return VK_G;
        case Qt::Key_U:
            return VK_U;
        default:
            return 0;
    }
}

// Enter, Delete, Escape, Tab and the arrows go to the view before any shortcut.
bool IsViewKey(const QKeyEvent* event) {
    const Qt::KeyboardModifiers others =
        event->modifiers() & ~(Qt::ControlModifier | Qt::KeypadModifier);
    if (others != 0) {
        return false;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Delete:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            return true;
        default:
            return false;
    }
}

Qt::CursorShape CursorShape(int cursor) {
    switch (cursor) {
        case IDC_SIZEALL:
            return Qt::SizeAllCursor;
        case IDC_SIZENWSE:
            return Qt::SizeFDiagCursor;
        case IDC_SIZENESW:
            return Qt::SizeBDiagCursor;
        case IDC_SIZEWE:
            return Qt::SizeHorCursor;
        case IDC_SIZENS:
            return Qt::SizeVerCursor;
        case CLoopEditor::CURSOR_DRAW:
        case CLoopEditor::CURSOR_LINK:
        case CLoopEditor::CURSOR_BROKEN_LINK:
            return Qt::CrossCursor;
        case CLoopEditor::CURSOR_BLOCK:
            return Qt::PointingHandCursor;
        default:
            return Qt::ArrowCursor;
    }
}

}  // namespace

CLoopView::CLoopView(CConfDoc& document, QWidget* parent)
    : CZoomView(parent), CLoopEditor(document) {
    SetLogicalSize(CLoopPainter::kDefaultPage);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

CLoopView::~CLoopView() = default;

void CLoopView::OnUpdate(CView* sender, long hint, CObject* hintObject) {
    CLoopEditor::OnUpdate(sender, hint, hintObject);
    switch (hint) {
        case HINT_OBJECTS:
            for (CDrawingObject* object : GetSelection()) {
                InvalidateObject(object);
            }
            break;
        case HINT_PAGE_SIZE:
            SetLogicalSize(GetDocument()->GetPageSize());
            break;
        case HINT_LEAVE_ONLINE:
            ClearPosition();
            break;
        default:
            break;
    }
    if (m_pOnline) {
        m_pOnline->OnDocumentUpdate(hint);
    }
    viewport()->update();
    if (m_onUpdate) {
        m_onUpdate(hint);
    }
    if (m_onChange) {
        m_onChange();
    }
}

void CLoopView::PrepareDC(CDC& dc) {
    PrepareMapping(dc);
}

// --- the window's part for the editor ----------------------------------------------

void CLoopView::RepaintDevice(const CRect& rect) {
    viewport()->update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}

void CLoopView::RepaintAll() {
    viewport()->update();
}

void CLoopView::SetToolCursor(int cursor) {
    viewport()->setCursor(CursorShape(cursor));
}

void CLoopView::AutoScroll(CPoint devicePoint) {
    const QSize client = viewport()->size();
    auto step = [](int position, int extent) {
        if (position < kAutoScrollMargin) {
            return -kAutoScrollStep;
        }
        return position > extent - kAutoScrollMargin ? kAutoScrollStep : 0;
    };
    const int dx = step(devicePoint.x, client.width());
    const int dy = step(devicePoint.y, client.height());
    if (dx != 0) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx);
    }
    if (dy != 0) {
        verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
    }
}

// The platform draws the band by inverting pixels, so the same rectangle a
// second time erases it; here the band is drawn over the page when painting.
void CLoopView::DrawFocusRect(const CRect& rect) {
    if (m_rubberBand && *m_rubberBand == rect) {
        m_rubberBand.reset();
    } else {
        m_rubberBand = rect;
    }
    viewport()->update();
}

void CLoopView::ShowPosition(CPoint point) {
    if (m_onPosition) {
        m_onPosition(point);
    }
}

std::unique_ptr<CBlock> CLoopView::ChooseNewBlock() {
    CFunctionBlockDlg dialog(*GetDocument(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return nullptr;
    }
    return dialog.TakeNewBlock();
}

bool CLoopView::AskForText(CTextState& state) {
    CTextEntryDlg dialog(state, this);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    state = dialog.GetState();
    return true;
}

void CLoopView::EditBlockParameters(CGraphNode* node) {
    if (m_onBlockParameters) {
        m_onBlockParameters(node);
        return;
    }
    auto* blockNode = dynamic_cast<CConfGraphNode*>(node);
    const CBlock* block = blockNode != nullptr ? blockNode->FindBlock(this) : nullptr;
    if (block == nullptr || IsMonitoring()) {
        return;
    }
    CFunctionBlockDlg::EditBlock(*this, block->GetBlockNumber(), this);
    if (m_onChange) {
        m_onChange();
    }
}

bool CLoopView::EditObjectProperties(CDrawingObject* object) {
    if (object == nullptr || IsMonitoring()) {
        return false;
    }
    const bool changed = CObjectPropertySheet::Edit(*this, object, this);
    if (m_onChange) {
        m_onChange();
    }
    return changed;
}

void CLoopView::ShowObjectMenu(CDrawingObject* object) {
    QMenu* menu = CObjectMenu::Build(*this, object, this);
    if (menu == nullptr) {
        return;
    }
    if (m_pLastMenu != nullptr) {
        m_pLastMenu->deleteLater();
    }
    m_pLastMenu = menu;
    if (m_bMenusNonModal) {
        menu->popup(QCursor::pos());
    } else {
        menu->exec(QCursor::pos());
    }
}

bool CLoopView::RunMenuCommand(int command, CDrawingObject* object) {
    const bool done = CObjectMenu::Run(*this, command, object);
    if (m_onChange) {
        m_onChange();
    }
    return done;
}

void CLoopView::ZoomToLoopObjects() {
    ZoomToObjects(GetLoopExtent());
}

// --- painting -------------------------------------------------------------------

void CLoopView::OnDraw(CDC& dc, const CRect& clip) {
    CLoopPainter(*GetDocument(), GetLoopNumber(), GetLogicalSize()).Draw(dc, clip);
    // The selection's handles go over everything, each object's only once.
    for (const CDrawingObject* object : GetSelection()) {
        if (HasObject(object)) {
            object->DrawTracker(dc);
        }
    }
}

void CLoopView::paintEvent(QPaintEvent* event) {
    CZoomView::paintEvent(event);
    if (!m_rubberBand) {
        return;
    }
    QPainter painter(viewport());
    QPen pen(Qt::black, 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const CRect& band = *m_rubberBand;
    painter.drawRect(QRect(band.left, band.top, band.Width(), band.Height()));
}

void CLoopView::OnSelectionChanged() {
    if (m_onChange) {
        m_onChange();
    }
}

// --- input ----------------------------------------------------------------------

bool CLoopView::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && IsViewKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return CZoomView::event(event);
}

void CLoopView::keyPressEvent(QKeyEvent* event) {
    const int key = KeyCode(event->key());
    const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
    if (key != 0 && KeyDown(key, control)) {
        if (m_onChange) {
            m_onChange();
        }
        return;
    }
    const bool keypad = (event->modifiers() & Qt::KeypadModifier) != 0;
    if (keypad && event->key() == Qt::Key_Plus) {
        ZoomIn();
    } else if (keypad && event->key() == Qt::Key_Minus) {
        ZoomOut();
    } else {
        CZoomView::keyPressEvent(event);
    }
}

void CLoopView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const unsigned flags = MouseFlags(event->modifiers(), event->buttons());
    if (event->button() == Qt::LeftButton) {
        CaptureMouse();
        LButtonDown(flags, DevicePoint(event));
    } else if (event->button() == Qt::RightButton) {
        RButtonDown(flags, DevicePoint(event));
    }
}

void CLoopView::mouseReleaseEvent(QMouseEvent* event) {
    const unsigned flags = MouseFlags(event->modifiers(), event->buttons());
    if (event->button() == Qt::LeftButton) {
        LButtonUp(flags, DevicePoint(event));
        ReleaseMouse();
    } else if (event->button() == Qt::RightButton) {
        RButtonUp(flags, DevicePoint(event));
    }
    if (m_onChange) {
        m_onChange();
    }
}

void CLoopView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        LButtonDblClk(MouseFlags(event->modifiers(), event->buttons()), DevicePoint(event));
    }
}

namespace {

bool CarriesBlock(const QMimeData* data) {
    return data != nullptr && data->hasFormat(CBlockListPanel::kBlockMimeType);
}

}  // namespace

void CLoopView::dragEnterEvent(QDragEnterEvent* event) {
    if (CarriesBlock(event->mimeData()) && !IsMonitoring() && !IsEditingLocked()) {
        event->acceptProposedAction();
    }
}

void CLoopView::dragMoveEvent(QDragMoveEvent* event) {
    if (CarriesBlock(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void CLoopView::dropEvent(QDropEvent* event) {
    if (!CarriesBlock(event->mimeData()) || IsMonitoring() || IsEditingLocked()) {
        return;
    }
    const int number = event->mimeData()->data(CBlockListPanel::kBlockMimeType).toInt();
    const QPoint at = event->position().toPoint();
    CPoint centre = DPtoLP(CPoint(at.x(), at.y()));
    SnapPoint(centre);
    if (Commands().PlaceBlockNode(number, centre)) {
        event->acceptProposedAction();
        if (m_onChange) {
            m_onChange();
        }
    }
}

void CLoopView::mouseMoveEvent(QMouseEvent* event) {
    MouseMove(MouseFlags(event->modifiers(), event->buttons()), DevicePoint(event));
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

// --- online ------------------------------------------------------------------------

CLoopViewOnline& CLoopView::Online() {
    if (!m_pOnline) {
        m_pOnline = std::make_unique<CLoopViewOnline>(*this);
    }
    return *m_pOnline;
}

bool CLoopView::IsOnline() const {
    return m_pOnline && m_pOnline->IsOnline();
}
