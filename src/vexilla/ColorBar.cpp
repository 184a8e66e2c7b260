#include "vexilla/ColorBar.h"

#include <qdrawutil.h>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <array>

namespace {

// The classic sixteen colours (dark row, bright row) and a row of light tints
// and greys that diagrams often want for fills.
constexpr std::array<QRgb, 24> kSwatches = {
    0x000000, 0x808080, 0x800000, 0x808000, 0x008000, 0x008080, 0x000080, 0x800080,
    0xffffff, 0xc0c0c0, 0xff0000, 0xffff00, 0x00ff00, 0x00ffff, 0x0000ff, 0xff00ff,
    0x404040, 0xe0e0e0, 0xff8000, 0xffff80, 0x80ff80, 0x80ffff, 0x8080ff, 0xff80c0,
};
constexpr int kCount = static_cast<int>(kSwatches.size());
constexpr int kRows = kCount / CColorBar::kColumns;

constexpr int kMargin = 3;
constexpr int kCell = 15;
constexpr int kGap = 2;
constexpr int kGridHeight = kRows * kCell + (kRows - 1) * kGap;
constexpr int kGridWidth = CColorBar::kColumns * kCell + (CColorBar::kColumns - 1) * kGap;
constexpr int kIndicator = 32;
// The fill indicator sits below and right of the line indicator, both within a
// square as high as the grid.
constexpr int kIndicatorOffset = kGridHeight - kIndicator;
constexpr int kGridLeft = kMargin + kGridHeight + 6;

}  // namespace

CColorBar::CColorBar(QWidget* parent) : QWidget(parent) {
    // Clicking a colour must leave the keyboard focus with the drawing it is
    // applied to; the keyboard reaches the box with Tab.
    setFocusPolicy(Qt::TabFocus);
    // The right button picks the fill colour; no context menu of a parent may
    // open on it.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setFixedSize(sizeHint());
}

int CColorBar::GetSwatchCount() {
    return kCount;
}

QColor CColorBar::GetSwatchColor(int index) {
    return index >= 0 && index < kCount ? QColor(kSwatches[index]) : QColor();
}

QRect CColorBar::GetSwatchRect(int index) const {
    if (index < 0 || index >= kCount) {
        return {};
    }
    const int column = index % kColumns;
    const int row = index / kColumns;
    return {kGridLeft + column * (kCell + kGap), kMargin + row * (kCell + kGap), kCell, kCell};
}

int CColorBar::SwatchAt(const QPoint& point) const {
    for (int index = 0; index < kCount; ++index) {
        if (GetSwatchRect(index).contains(point)) {
            return index;
        }
    }
    return -1;
}

void CColorBar::SetCurrentIndex(int index) {
    index = std::clamp(index, 0, kCount - 1);
    if (index != m_current) {
        m_current = index;
        update();
    }
}

void CColorBar::SetLineColor(const QColor& color) {
    if (color != m_lineColor) {
        m_lineColor = color;
        update();
    }
}

void CColorBar::SetFillColor(const QColor& color) {
    if (color != m_fillColor) {
        m_fillColor = color;
        update();
    }
}

QRect CColorBar::GetIndicatorRect(int which) const {
    const int offset = which == kFill ? kIndicatorOffset : 0;
    return {kMargin + offset, kMargin + offset, kIndicator, kIndicator};
}

void CColorBar::SetFillMode(bool fillMode) {
    if (fillMode != m_fillMode) {
        m_fillMode = fillMode;
        update();
    }
}

QSize CColorBar::sizeHint() const {
    return {kGridLeft + kGridWidth + kMargin, kMargin + kGridHeight + kMargin};
}

// The indicator in front is the one the left button sets, so it is hit first.
int CColorBar::IndicatorAt(const QPoint& point) const {
    for (const int which : {PrimaryTarget(), SecondaryTarget()}) {
        if (GetIndicatorRect(which).contains(point)) {
            return which;
        }
    }
    return -1;
}

void CColorBar::Pick(int index, int which) {
    SetCurrentIndex(index);
    const QColor color = GetSwatchColor(index);
    if (which == kLine) {
        SetLineColor(color);
    } else {
        SetFillColor(color);
    }
    if (m_onClick) {
        m_onClick(which, color);
    }
}

void CColorBar::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const int index = SwatchAt(point);
    if (index >= 0 && event->button() == Qt::LeftButton) {
        Pick(index, PrimaryTarget());
    } else if (index >= 0 && event->button() == Qt::RightButton) {
        Pick(index, SecondaryTarget());
    } else if (const int which = IndicatorAt(point);
               which >= 0 && event->button() == Qt::LeftButton) {
        SetFillMode(which == kFill);
    } else {
        QWidget::mousePressEvent(event);
    }
}

bool CColorBar::MoveCurrent(int key) {
    int column = m_current % kColumns;
    int row = m_current / kColumns;
    switch (key) {
        case Qt::Key_Left:
            column = std::max(0, column - 1);
            break;
        case Qt::Key_Right:
            column = std::min(kColumns - 1, column + 1);
            break;
        case Qt::Key_Up:
            row = std::max(0, row - 1);
            break;
        case Qt::Key_Down:
            row = std::min(kRows - 1, row + 1);
            break;
        case Qt::Key_Home:
            column = row = 0;
            break;
        case Qt::Key_End:
            column = kColumns - 1;
            row = kRows - 1;
            break;
        default:
            return false;
    }
    SetCurrentIndex(row * kColumns + column);
    return true;
}

void CColorBar::keyPressEvent(QKeyEvent* event) {
    if (MoveCurrent(event->key())) {
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const bool shifted = event->modifiers().testFlag(Qt::ShiftModifier);
        Pick(m_current, shifted ? SecondaryTarget() : PrimaryTarget());
        return;
    }
    QWidget::keyPressEvent(event);
}

void CColorBar::PaintIndicator(QPainter& painter, int which) const {
    const QRect rect = GetIndicatorRect(which);
    painter.fillRect(rect, which == kLine ? m_lineColor : m_fillColor);
    // A dark outer and a light inner edge keep black and white indicators visible
    // on any background.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(rect.adjusted(1, 1, -2, -2));
}

void CColorBar::PaintSwatch(QPainter& painter, int index) const {
    const QRect rect = GetSwatchRect(index);
    const QBrush brush(GetSwatchColor(index));
    qDrawShadePanel(&painter, rect, palette(), true, 1, &brush);
    if (index == m_current && hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect.adjusted(-1, -1, 0, 0));
    }
}

void CColorBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    PaintIndicator(painter, SecondaryTarget());
    PaintIndicator(painter, PrimaryTarget());
    for (int index = 0; index < kCount; ++index) {
        PaintSwatch(painter, index);
    }
}

QString CColorBar::ToolTipAt(const QPoint& point) const {
    const int index = SwatchAt(point);
    if (index >= 0) {
        const QColor color = GetSwatchColor(index);
        return QStringLiteral("RGB(%1, %2, %3)")
            .arg(color.red())
            .arg(color.green())
            .arg(color.blue());
    }
    switch (IndicatorAt(point)) {
        case kLine:
            return QCoreApplication::translate("CColorBar", "Line color");
        case kFill:
            return QCoreApplication::translate("CColorBar", "Fill color");
        default:
            return {};
    }
}

bool CColorBar::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QWidget::event(event);
    }
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = ToolTipAt(help->pos());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
}
