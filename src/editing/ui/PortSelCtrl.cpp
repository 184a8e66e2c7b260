#include "editing/ui/PortSelCtrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "comm/OnlineEvent.h"

namespace {

constexpr const char* kEndSelectionMessage =
    "WM_PSC_ENDSELECTION-{20AD46C1-4500-4576-A4E1-F84A50B95F31}";

constexpr int kCellPadding = 8;
constexpr int kCellHeight = 22;
// Terminal names are short ("A", "47"); every cell takes the widest one.
constexpr int kMinCellWidth = 24;

}  // namespace

QEvent::Type CPortSelEndEvent::Type() {
    return COnlineEvent::TypeOf(kEndSelectionMessage);
}

CPortSelCtrl::CPortSelCtrl(std::vector<std::string> ports, QObject* receiver, QWidget* parent)
    : QWidget(parent, Qt::Popup), m_cells(std::move(ports)), m_receiver(receiver) {
    setObjectName("portSelection");
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_cells.emplace_back(kPictureCell);
    m_cells.emplace_back(kNoneCell);
    m_nCellWidth = kMinCellWidth;
    for (const std::string& cell : m_cells) {
        const int width = fontMetrics().horizontalAdvance(QString::fromStdString(cell));
        m_nCellWidth = std::max(m_nCellWidth, width + 2 * kCellPadding);
    }
    resize(sizeHint());
}

// Closing without a choice is a choice of none.
CPortSelCtrl::~CPortSelCtrl() {
    End(false, std::string());
}

QSize CPortSelCtrl::sizeHint() const {
    return QSize(GetCellCount() * m_nCellWidth + 1, kCellHeight + 1);
}

QRect CPortSelCtrl::CellRect(int cell) const {
    return QRect(cell * m_nCellWidth, 0, m_nCellWidth, kCellHeight);
}

int CPortSelCtrl::CellAt(const QPoint& point) const {
    for (int cell = 0; cell < GetCellCount(); ++cell) {
        if (CellRect(cell).contains(point)) {
            return cell;
        }
    }
    return -1;
}

void CPortSelCtrl::Popup(const QPoint& globalPoint) {
    move(globalPoint);
    show();
    setFocus(Qt::PopupFocusReason);
}

void CPortSelCtrl::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    for (int cell = 0; cell < GetCellCount(); ++cell) {
        const QRect box = CellRect(cell);
        if (cell == m_nCurrent) {
            painter.fillRect(box, palette().color(QPalette::Highlight));
            painter.setPen(palette().color(QPalette::HighlightedText));
        } else {
            painter.setPen(palette().color(QPalette::Text));
        }
        painter.drawText(box, Qt::AlignCenter, QString::fromStdString(m_cells[cell]));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(box);
    }
}

void CPortSelCtrl::mouseMoveEvent(QMouseEvent* event) {
    const int cell = CellAt(event->position().toPoint());
    if (cell >= 0 && cell != m_nCurrent) {
        m_nCurrent = cell;
        update();
    }
}

void CPortSelCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int cell = CellAt(event->position().toPoint());
    if (cell >= 0) {
        ChooseCell(cell);
    } else if (!rect().contains(event->position().toPoint())) {
        close();
    }
}

void CPortSelCtrl::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            m_nCurrent = std::max(0, m_nCurrent - 1);
            update();
            break;
        case Qt::Key_Right:
            m_nCurrent = std::min(GetCellCount() - 1, m_nCurrent + 1);
            update();
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            ChooseCell(m_nCurrent);
            break;
        case Qt::Key_Escape:
            close();
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

void CPortSelCtrl::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!m_bEnded) {
        End(false, std::string());
        close();
    }
}

void CPortSelCtrl::ChooseCell(int cell) {
    const std::string& text = m_cells.at(cell);
    if (text == kNoneCell) {
        End(false, std::string());
    } else if (text == kPictureCell) {
        std::string port;
        // The dialog takes the mouse: the popup goes first, its end follows the dialog.
        m_bEnded = true;
        hide();
        m_bEnded = false;
        const bool picked = m_chooser && m_chooser(port);
        End(picked, port);
    } else {
        End(true, text);
    }
    close();
}

void CPortSelCtrl::End(bool chosen, const std::string& port) {
    if (m_bEnded) {
        return;
    }
    m_bEnded = true;
    if (m_receiver != nullptr) {
        QCoreApplication::postEvent(m_receiver, new CPortSelEndEvent(chosen, port));
    }
}
