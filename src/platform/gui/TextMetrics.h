#pragma once

#include <QFont>
#include <QFontMetrics>

class QPaintDevice;

// Text is measured on one small image whatever the surface, so that sizes worked
// out without a device (text rectangles, hit tests) agree with what is drawn.
class TextMetrics {
public:
    static QFontMetrics Measure(const QFont& font);
    static QPaintDevice& Device();
};
