#include "platform/gui/TextMetrics.h"

#include <QImage>

QFontMetrics TextMetrics::Measure(const QFont& font) {
    return QFontMetrics(font, &Device());
}

QPaintDevice& TextMetrics::Device() {
    static QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
    return image;
}
