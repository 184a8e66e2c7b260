#include "vexilla/LineWidthBar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kMargin = 3;
constexpr int kBarWidth = 76;
constexpr int kLabelWidth = 14;
// Room above and below the thickest sample, so neighbours never touch.
constexpr int kItemPadding = 8;
constexpr int kMinimumItemHeight = 16;

}  // namespace

CLineWidthBar::CLineWidthBar(QWidget* parent, std::vector<int> widths)
    : QWidget(parent), m_widths(std::move(widths)) {
    std::erase_if(m_widths, [](int width) { return width <= 0; });
    // As with the other tool boxes, a click leaves the focus with the drawing.
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(sizeHint());
}

int CLineWidthBar::ItemHeight() const {
    const int thickest = m_widths.empty() ? 0 : *std::max_element(m_widths.begin(), m_widths.end());
    return std::max(kMinimumItemHeight, thickest + kItemPadding);
}

QRect CLineWidthBar::GetItemRect(int index) const {
    if (index < 0 || index >= Count()) {
        return {};
    }
    return {kMargin, kMargin + index * ItemHeight(), kBarWidth - 2 * kMargin, ItemHeight()};
}

int CLineWidthBar::ItemAt(const QPoint& point) const {
    for (int index = 0; index < Count(); ++index) {
        if (GetItemRect(index).contains(point)) {
            return index;
        }
    }
    return -1;
}

int CLineWidthBar::GetLineWidth() const {
    return m_chosen >= 0 ? m_widths[m_chosen] : 0;
}

bool CLineWidthBar::SetLineWidth(int width) {
    const auto found = std::find(m_widths.begin(), m_widths.end(), width);
    const int chosen = found == m_widths.end() ? -1 : static_cast<int>(found - m_widths.begin());
    if (chosen != m_chosen) {
        m_chosen = chosen;
        update();
    }
    if (chosen >= 0) {
        SetCurrentIndex(chosen);
    }
    return chosen >= 0;
}

void CLineWidthBar::SetCurrentIndex(int index) {
    index = std::clamp(index, 0, std::max(0, Count() - 1));
    if (index != m_current) {
        m_current = index;
        update();
    }
}

QSize CLineWidthBar::sizeHint() const {
    return {kBarWidth, 2 * kMargin + Count() * ItemHeight()};
}

void CLineWidthBar::Choose(int index) {
    SetLineWidth(m_widths[index]);
    if (m_onClick) {
        m_onClick(m_widths[index]);
    }
}

void CLineWidthBar::mousePressEvent(QMouseEvent* event) {
    const int index = ItemAt(event->position().toPoint());
    if (index >= 0 && event->button() == Qt::LeftButton) {
        Choose(index);
    } else {
        QWidget::mousePressEvent(event);
    }
}

bool CLineWidthBar::MoveCurrent(int key) {
    switch (key) {
        case Qt::Key_Up:
            SetCurrentIndex(m_current - 1);
            return true;
        case Qt::Key_Down:
            SetCurrentIndex(m_current + 1);
            return true;
        case Qt::Key_Home:
            SetCurrentIndex(0);
            return true;
        case Qt::Key_End:
            SetCurrentIndex(Count() - 1);
            return true;
        default:
            return false;
    }
}

void CLineWidthBar::keyPressEvent(QKeyEvent* event) {
    if (MoveCurrent(event->key())) {
        return;
    }
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && Count() > 0) {
        Choose(m_current);
        return;
    }
    QWidget::keyPressEvent(event);
}

// A sample is a bar exactly as many pixels thick as the width it stands for,
// centred in its row, after the width in figures.
void CLineWidthBar::PaintItem(QPainter& painter, int index) const {
    const QRect rect = GetItemRect(index);
    const bool chosen = index == m_chosen;
    if (chosen) {
        painter.fillRect(rect, palette().color(QPalette::Highlight));
    }
    const QColor ink = palette().color(chosen ? QPalette::HighlightedText : QPalette::WindowText);
    const int width = m_widths[index];
    painter.setPen(ink);
    painter.drawText(QRect(rect.left() + 2, rect.top(), kLabelWidth, rect.height()),
                     Qt::AlignCenter, QString::number(width));
    const int left = rect.left() + kLabelWidth + 6;
    const int top = rect.top() + (rect.height() - width) / 2;
    painter.fillRect(QRect(left, top, rect.right() - 4 - left, width), ink);
    if (index == m_current && hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ink, 1, Qt::DotLine));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
}

void CLineWidthBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    for (int index = 0; index < Count(); ++index) {
        PaintItem(painter, index);
    }
}
