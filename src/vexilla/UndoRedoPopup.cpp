#include "vexilla/UndoRedoPopup.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kMaxVisibleRows = 12;
constexpr int kMinWidth = 160;
constexpr int kMaxWidth = 480;
constexpr int kTextPadding = 12;

QString Translate(const char* text) {
    return QCoreApplication::translate("CUndoRedoPopup", text);
}

// The list never takes the focus, so its selection would be drawn in the pale
// inactive colours; the highlight must look like one.
void UseActiveHighlight(QWidget& list) {
    QPalette colors = list.palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        colors.setColor(QPalette::Inactive, role, colors.color(QPalette::Active, role));
    }
    list.setPalette(colors);
}

}  // namespace

CUndoRedoPopup::CUndoRedoPopup(QWidget* parent, const QPoint& screenPos, const QStringList& actions,
                               int kind)
    : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint),
      m_kind(kind),
      m_screenPos(screenPos),
      m_pList(new QListWidget(this)),
      m_pFooter(new QLabel(this)) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFocusPolicy(Qt::StrongFocus);
    m_pList->addItems(actions);
    m_pList->setSelectionMode(QAbstractItemView::MultiSelection);
    m_pList->setFocusPolicy(Qt::NoFocus);
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pList->viewport()->setMouseTracking(true);
    m_pList->viewport()->installEventFilter(this);
    UseActiveHighlight(*m_pList);
    m_pFooter->setAlignment(Qt::AlignCenter);
    m_pFooter->setContentsMargins(4, 2, 4, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pList);
    layout->addWidget(m_pFooter);
    Highlight(actions.isEmpty() ? -1 : 0);
}

CUndoRedoPopup::~CUndoRedoPopup() = default;

QString CUndoRedoPopup::FooterText(int kind, int count) {
    if (count <= 0) {
        return Translate("Cancel");
    }
    if (kind == kRedo) {
        return count == 1 ? Translate("Redo 1 Action") : Translate("Redo %1 Actions").arg(count);
    }
    return count == 1 ? Translate("Undo 1 Action") : Translate("Undo %1 Actions").arg(count);
}

QString CUndoRedoPopup::GetFooterText() const {
    return m_pFooter->text();
}

void CUndoRedoPopup::Open() {
    m_finished = false;
    m_count = 0;
    FitSize();
    PlaceOnScreen();
    show();
    setFocus(Qt::PopupFocusReason);
}

int CUndoRedoPopup::Exec() {
    QEventLoop loop;
    m_pLoop = &loop;
    Open();
    if (!m_finished) {
        loop.exec();
    }
    m_pLoop = nullptr;
    return m_count;
}

void CUndoRedoPopup::Highlight(int index) {
    m_highlighted = std::clamp(index, -1, m_pList->count() - 1);
    for (int row = 0; row < m_pList->count(); ++row) {
        m_pList->item(row)->setSelected(row <= m_highlighted);
    }
    if (m_highlighted >= 0) {
        m_pList->scrollToItem(m_pList->item(m_highlighted));
    }
    m_pFooter->setText(FooterText(m_kind, m_highlighted + 1));
}

// Wide enough for the longest description (within bounds) and tall enough for up
// to a dozen of them; longer lists scroll.
void CUndoRedoPopup::FitSize() {
    const QFontMetrics metrics = m_pList->fontMetrics();
    int textWidth = metrics.horizontalAdvance(FooterText(m_kind, m_pList->count()));
    for (int row = 0; row < m_pList->count(); ++row) {
        textWidth = std::max(textWidth, metrics.horizontalAdvance(m_pList->item(row)->text()));
    }
    const int frame = 2 * m_pList->frameWidth();
    const int rows = std::clamp(m_pList->count(), 1, kMaxVisibleRows);
    const int rowHeight = m_pList->count() > 0 ? m_pList->sizeHintForRow(0) : metrics.height();
    const int scrollBar =
        m_pList->count() > kMaxVisibleRows ? m_pList->verticalScrollBar()->sizeHint().width() : 0;
    m_pList->setFixedSize(
        std::clamp(textWidth + kTextPadding + frame + scrollBar, kMinWidth, kMaxWidth),
        rows * rowHeight + frame);
    adjustSize();
}

void CUndoRedoPopup::PlaceOnScreen() {
    QScreen* screen = QGuiApplication::screenAt(m_screenPos);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    QPoint topLeft = m_screenPos;
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - width())));
        topLeft.setY(std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - height())));
    }
    move(topLeft);
}

bool CUndoRedoPopup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pList->viewport() && HandleListMouse(event)) {
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

// The list only shows the highlight: presses do not select, a release chooses.
bool CUndoRedoPopup::HandleListMouse(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease: {
            const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
            if (QListWidgetItem* item = m_pList->itemAt(position)) {
                Highlight(m_pList->row(item));
            }
            if (event->type() == QEvent::MouseButtonRelease) {
                Finish(m_highlighted + 1);
            }
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;
        default:
            return false;
    }
}

void CUndoRedoPopup::keyPressEvent(QKeyEvent* event) {
    const int page = std::max(1, std::min(m_pList->count(), kMaxVisibleRows) - 1);
    switch (event->key()) {
        case Qt::Key_Up:
            Highlight(std::max(m_highlighted - 1, 0));
            break;
        case Qt::Key_Down:
            Highlight(m_highlighted + 1);
            break;
        case Qt::Key_PageUp:
            Highlight(std::max(m_highlighted - page, 0));
            break;
        case Qt::Key_PageDown:
            Highlight(m_highlighted + page);
            break;
        case Qt::Key_Home:
            Highlight(0);
            break;
        case Qt::Key_End:
            Highlight(m_pList->count() - 1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Finish(m_highlighted + 1);
            break;
        case Qt::Key_Escape:
            Finish(0);
            break;
        default:
            QFrame::keyPressEvent(event);
    }
}

// Another application taking the focus cancels, like a click outside.
void CUndoRedoPopup::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason && isVisible()) {
        Finish(0);
    }
}

// However the popup disappears (a click outside closes it), it reports once.
void CUndoRedoPopup::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    Finish(0);
}

// The handler comes last: it may schedule the popup's deletion.
void CUndoRedoPopup::Finish(int count) {
    if (m_finished) {
        return;
    }
    m_finished = true;
    m_count = count;
    if (isVisible()) {
        hide();
    }
    if (m_pLoop != nullptr) {
        m_pLoop->quit();
    }
    if (m_handler) {
        m_handler(m_kind, count);
    }
}
