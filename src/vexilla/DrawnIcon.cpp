#include "vexilla/DrawnIcon.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <map>
#include <tuple>

namespace {

constexpr int kGrid = 16;

// Draws the picture only when a size of it is first shown, and keeps each size:
// a tool bar's icons cost nothing at start-up until they are painted.
class CDrawnIconEngine : public QIconEngine {
public:
    explicit CDrawnIconEngine(std::function<void(QPainter&)> draw) : m_draw(std::move(draw)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / double(kGrid), rect.height() / double(kGrid));
        if (mode == QIcon::Disabled) {
            painter->setOpacity(0.35);
        }
        m_draw(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const auto key = std::make_tuple(size.width(), size.height(), static_cast<int>(mode));
        const auto cached = m_pixmaps.find(key);
        if (cached != m_pixmaps.end()) {
            return cached->second;
        }
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        }
        return m_pixmaps[key] = QPixmap::fromImage(image);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

    QIconEngine* clone() const override { return new CDrawnIconEngine(m_draw); }

private:
    std::function<void(QPainter&)> m_draw;
    std::map<std::tuple<int, int, int>, QPixmap> m_pixmaps;
};

}  // namespace

QIcon DrawnIcon(const std::function<void(QPainter&)>& draw) {
    return QIcon(new CDrawnIconEngine(draw));
}
