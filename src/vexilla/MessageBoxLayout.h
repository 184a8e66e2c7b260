#pragma once

#include <QRect>
#include <QSize>
#include <array>
#include <functional>
#include <vector>

// The size and placement arithmetic of the extended message box, kept apart from
// the window so that it can be checked without a display. Distances are metrics
// in dialog units, converted to pixels with the pixels per 1000 dialog units of
// the box's font.
class CMessageBoxLayout {
public:
    enum Metric {
        kLeftMargin = 0,
        kRightMargin = 1,
        kTopMargin = 2,
        kBottomMargin = 3,
        kIconGap = 4,        // between icon and message
        kMessageGap = 5,     // between message and buttons
        kButtonPadX = 6,     // inside a button, each side
        kButtonPadY = 7,     // inside a button, top and bottom
        kButtonGap = 8,      // between two buttons
        kMinButtonText = 9,  // narrowest text width a button is sized for
        kMetricCount = 10,
    };
    // Least client width of a box with a progress bar, in pixels.
    static constexpr int kMinBarClientWidth = 300;
    // Space added below the message for the bar and above the buttons, in pixels.
    static constexpr int kBarSpacing = 5;

    struct Placement {
        QSize client;
        QRect icon;  // empty without an icon
        QRect message;
        QRect bar;  // empty without a progress bar
        std::vector<QRect> buttons;
    };

    CMessageBoxLayout();

    // Out-of-range indexes are ignored by SetMetric; GetMetric answers -1 for them.
    void SetMetric(int index, int value);
    int GetMetric(int index) const;

    // Derives the pixels per 1000 dialog units from a font: the width of the 52
    // letters A-Z a-z and the line height.
    void SetFontMeasures(int alphabetWidth, int fontHeight);
    void SetPixelsPer1000(QSize pixels) { m_pixelsPer1000 = pixels; }
    QSize GetPixelsPer1000() const { return m_pixelsPer1000; }
    int FromDlgX(int units) const { return units * m_pixelsPer1000.width() / 1000; }
    int FromDlgY(int units) const { return units * m_pixelsPer1000.height() / 1000; }

    // One size for every button, from the largest text width and height among them.
    QSize ButtonSize(QSize largestText) const;

    // Searches the narrowest width between 0 and screenWidth at which the text needs
    // no more height than at half the screen width. heightForWidth answers the height
    // the text needs at a width. Returns that width and its height.
    static QSize FitMessage(int screenWidth, const std::function<int(int)>& heightForWidth);

    // Places everything; an empty icon size means no icon, barHeight < 0 no bar.
    Placement Arrange(QSize message, QSize icon, QSize button, int buttonCount,
                      int barHeight) const;

private:
    std::array<int, kMetricCount> m_metrics;
    QSize m_pixelsPer1000;
};
