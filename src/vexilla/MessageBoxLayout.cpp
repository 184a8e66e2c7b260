#include "vexilla/MessageBoxLayout.h"

#include <algorithm>

namespace {

constexpr std::array<int, CMessageBoxLayout::kMetricCount> kDefaultMetrics = {10, 10, 10, 7, 10,
                                                                              7,  7,  4,  7, 40};

}  // namespace

CMessageBoxLayout::CMessageBoxLayout() : m_metrics(kDefaultMetrics), m_pixelsPer1000(1500, 1625) {}

void CMessageBoxLayout::SetMetric(int index, int value) {
    if (index >= 0 && index < kMetricCount) {
        m_metrics[index] = value;
    }
}

int CMessageBoxLayout::GetMetric(int index) const {
    return index >= 0 && index < kMetricCount ? m_metrics[index] : -1;
}

void CMessageBoxLayout::SetFontMeasures(int alphabetWidth, int fontHeight) {
    // A horizontal dialog unit is a quarter of the average letter width, a vertical
    // one an eighth of the line height; both rounded to the nearest pixel count.
    const int baseX = (alphabetWidth / 26 + 1) / 2;
    m_pixelsPer1000 = QSize((1000 * baseX + 2) / 4, (1000 * fontHeight + 4) / 8);
}

QSize CMessageBoxLayout::ButtonSize(QSize largestText) const {
    const int textWidth = std::max(largestText.width(), FromDlgX(m_metrics[kMinButtonText]));
    return QSize(textWidth + 2 * FromDlgX(m_metrics[kButtonPadX]),
                 largestText.height() + 2 * FromDlgY(m_metrics[kButtonPadY]));
}

QSize CMessageBoxLayout::FitMessage(int screenWidth,
                                    const std::function<int(int)>& heightForWidth) {
    int low = 0;
    int high = screenWidth;
    int reference = -1;
    QSize best;
    do {
        const int width = (low + high) / 2;
        const int height = heightForWidth(width);
        if (reference < 0) {
            reference = height;
        }
        if (height > reference) {
            low = width + 1;
        } else {
            // A try that keeps the height is the narrowest so far.
            best = QSize(width, height);
            high = width - 1;
        }
    } while (low < high);
    // The bounds may meet on a width that was never tried.
    if (low == high && low < best.width()) {
        const int height = heightForWidth(low);
        if (height <= reference) {
            best = QSize(low, height);
        }
    }
    return best;
}

CMessageBoxLayout::Placement CMessageBoxLayout::Arrange(QSize message, QSize icon, QSize button,
                                                        int buttonCount, int barHeight) const {
    const bool hasIcon = !icon.isEmpty();
    const bool hasBar = barHeight >= 0;
    const int left = FromDlgX(m_metrics[kLeftMargin]);
    const int right = FromDlgX(m_metrics[kRightMargin]);
    const int top = FromDlgY(m_metrics[kTopMargin]);
    const int bottom = FromDlgY(m_metrics[kBottomMargin]);
    const int iconGap = FromDlgX(m_metrics[kIconGap]);
    const int buttonGap = FromDlgX(m_metrics[kButtonGap]);

    int contentWidth = message.width();
    int contentHeight = message.height();
    if (hasIcon) {
        contentWidth += icon.width() + iconGap;
        contentHeight = std::max(contentHeight, icon.height());
    }
    const int rowWidth =
        buttonCount > 0 ? buttonCount * button.width() + (buttonCount - 1) * buttonGap : 0;

    Placement placement;
    int clientWidth = std::max(contentWidth, rowWidth) + left + right;
    int clientHeight =
        contentHeight + FromDlgY(m_metrics[kMessageGap]) + top + bottom + button.height();
    if (hasBar) {
        clientWidth = std::max(clientWidth, kMinBarClientWidth);
        clientHeight += barHeight / 2 + kBarSpacing;
    }
    if (buttonCount > 0) {
        clientHeight += kBarSpacing;
    }
    placement.client = QSize(clientWidth, clientHeight);

    int messageLeft = left;
    if (hasIcon) {
        placement.icon = QRect(QPoint(left, top), icon);
        messageLeft += icon.width() + iconGap;
    }
    // The message may reach two pixels into the right margin.
    placement.message =
        QRect(messageLeft, top, clientWidth - right + 2 - messageLeft, message.height());
    if (hasBar) {
        const int barTop = top + message.height() + kBarSpacing;
        placement.bar = QRect(left, barTop, clientWidth - right - left, barHeight);
    }

    int x = (clientWidth - rowWidth) / 2;
    const int y = clientHeight - bottom - button.height() + (hasBar ? kBarSpacing : 0);
    for (int i = 0; i < buttonCount; ++i) {
        placement.buttons.emplace_back(QPoint(x, y), button);
        x += button.width() + buttonGap;
    }
    return placement;
}
