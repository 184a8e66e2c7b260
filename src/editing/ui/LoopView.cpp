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
#include "diagram/ConfSpecialNode.h"
#include "diagram/DrawingObject.h"
#include "diagram/GraphLink.h"
#include "diagram/LoopPainter.h"
#include "diagram/RectHandles.h"
#include "document/ConfDoc.h"
#include "editing/EditKeys.h"
#include "editing/LinkTool.h"
#include "editing/LoopCommands.h"
#include "editing/ui/BlockListPanel.h"
#include "editing/ui/FunctionBlockDlg.h"
#include "editing/ui/GraphPortSelDlg.h"
#include "editing/ui/ObjectMenu.h"
#include "editing/ui/ObjectPropertySheet.h"
#include "editing/ui/PortSelCtrl.h"
#include "editing/ui/TextEntryDlg.h"
#include "editing/ui/ToolCursors.h"
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

QCursor CursorFor(int cursor) {
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
        default:
            return CToolCursors::ForId(cursor);
    }
}

}  // namespace

CLoopView::CLoopView(CConfDoc& document, QWidget* parent)
    : CZoomView(parent), CLoopEditor(document) {
    SetLogicalSize(CLoopPainter::kDefaultPage);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    setAcceptDrops(true);
    m_releaseTimer.setSingleShot(true);
    m_releaseTimer.setInterval(kLinkReleaseDelayMs);
    QObject::connect(&m_releaseTimer, &QTimer::timeout, viewport(),
                     [this] { DeliverHeldRelease(); });
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
    viewport()->setCursor(CursorFor(cursor));
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
    if (QMenu* menu = CObjectMenu::Build(*this, object, this)) {
        PopUp(menu, QCursor::pos());
    }
}

// The menu becomes the last one (the one before goes); it is run modally, or
// only shown when menus must not wait. Returns the entry chosen in a modal run.
QAction* CLoopView::PopUp(QMenu* menu, const QPoint& globalPoint) {
    if (m_pLastMenu != nullptr) {
        m_pLastMenu->deleteLater();
    }
    m_pLastMenu = menu;
    if (m_bMenusNonModal) {
        menu->popup(globalPoint);
        return nullptr;
    }
    return menu->exec(globalPoint);
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
    QPainter painter(viewport());
    DrawLinkFeedback(painter);
    if (!m_rubberBand) {
        return;
    }
    QPen pen(Qt::black, 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const CRect& band = *m_rubberBand;
    painter.drawRect(QRect(band.left, band.top, band.Width(), band.Height()));
}

// The link being drawn: dotted blue segments over the page, the half that
// ends at an outgoing connector only on the loop where it starts.
void CLoopView::DrawLinkFeedback(QPainter& painter) const {
    const CLinkTool* link = GetLinkTool();
    if (link == nullptr || GetCurrentTool() != link || !link->IsLinking()) {
        return;
    }
    painter.setPen(QPen(QColor(0, 0, 255), 1, Qt::DotLine));
    auto drawRoute = [&](const std::vector<CPoint>& route) {
        for (std::size_t i = 1; i < route.size(); ++i) {
            const CPoint a = LPtoDP(route[i - 1]);
            const CPoint b = LPtoDP(route[i]);
            painter.drawLine(a.x, a.y, b.x, b.y);
        }
    };
    drawRoute(link->GetRoute());
    if (link->GetSourceLoop() == GetLoopNumber()) {
        drawRoute(link->GetFirstHalf());
    }
}

void CLoopView::OpenPortSelection(CGraphNode& node, const std::vector<std::string>& ports,
                                  bool /*inputs*/, CPoint devicePoint) {
    if (m_pPortPopup != nullptr) {
        m_pPortPopup->close();
    }
    auto* popup = new CPortSelCtrl(ports, this, this);
    auto* blockNode = dynamic_cast<CConfGraphNode*>(&node);
    popup->SetPictureChooser([this, blockNode, ports](std::string& port) {
        const CBlock* block =
            blockNode != nullptr && HasObject(blockNode) ? blockNode->FindBlock(this) : nullptr;
        if (block == nullptr) {
            return false;
        }
        CGraphPortSelDlg dialog(*block, ports, this);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        port = dialog.GetSelectedPort();
        return !port.empty();
    });
    m_pPortPopup = popup;
    popup->Popup(viewport()->mapToGlobal(QPoint(devicePoint.x, devicePoint.y)));
}

void CLoopView::ShowLinkMenu(CPoint devicePoint, bool sendEnabled, bool communicationEnabled) {
    auto* menu = new QMenu(this);
    menu->setObjectName("linkMenu");
    auto addEntry = [&](const QString& text, int command, bool enabled) {
        QAction* action = menu->addAction(text);
        action->setData(command);
        action->setEnabled(enabled);
    };
    addEntry(tr("Send Link To"), CLinkTool::ID_SEND_LINK_TO, sendEnabled);
    addEntry(tr("Communication Link"), CLinkTool::ID_COMMUNICATION_LINK, communicationEnabled);
    menu->addSeparator();
    addEntry(tr("Cancel the link"), CLinkTool::ID_CANCEL_LINK, true);
    if (m_bMenusNonModal) {
        QObject::connect(menu, &QMenu::triggered, viewport(), [this](QAction* action) {
            RunLinkCommand(action->data().toInt());
            Changed();
        });
    }
    if (QAction* chosen =
            PopUp(menu, viewport()->mapToGlobal(QPoint(devicePoint.x, devicePoint.y)))) {
        RunLinkCommand(chosen->data().toInt());
        Changed();
    }
}

void CLoopView::OnSelectionChanged() {
    if (m_onChange) {
        m_onChange();
    }
}

// --- input ----------------------------------------------------------------------

bool CLoopView::event(QEvent* event) {
    if (event->type() == CPortSelEndEvent::Type()) {
        const auto* end = static_cast<CPortSelEndEvent*>(event);
        EndPortSelection(end->IsChosen(), end->GetPort());
        Changed();
        return true;
    }
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
    DeliverHeldRelease();
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
        if (GetCurrentTool() != nullptr && GetCurrentTool() == GetLinkTool()) {
            // A double click may be coming: the release waits for it.
            m_heldRelease = std::make_pair(flags, DevicePoint(event));
            m_releaseTimer.start();
            return;
        }
        LButtonUp(flags, DevicePoint(event));
        ReleaseMouse();
    } else if (event->button() == Qt::RightButton) {
        RButtonUp(flags, DevicePoint(event));
    }
    Changed();
}

void CLoopView::DeliverHeldRelease() {
    m_releaseTimer.stop();
    if (!m_heldRelease) {
        return;
    }
    const auto [flags, point] = *m_heldRelease;
    m_heldRelease.reset();
    LButtonUp(flags, point);
    ReleaseMouse();
    Changed();
}

void CLoopView::Changed() {
    if (m_onChange) {
        m_onChange();
    }
}

void CLoopView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // The release before a double click is dropped.
        m_heldRelease.reset();
        m_releaseTimer.stop();
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
