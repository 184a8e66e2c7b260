#include "editing/ui/ToolCursors.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <functional>
#include <map>

#include "editing/LoopEditor.h"

namespace {

constexpr int kSize = 32;
constexpr int kCentre = 10;

// Black with a white outline, so that the cursor shows on white paper and on
// dark objects alike.
void Stroke(QPainter& painter, const std::function<void()>& draw) {
    painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap));
    draw();
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
    draw();
}

void DrawCross(QPainter& painter) {
    Stroke(painter, [&] {
        painter.drawLine(kCentre, 1, kCentre, kCentre - 3);
        painter.drawLine(kCentre, kCentre + 3, kCentre, 2 * kCentre - 1);
        painter.drawLine(1, kCentre, kCentre - 3, kCentre);
        painter.drawLine(kCentre + 3, kCentre, 2 * kCentre - 1, kCentre);
    });
}

void DrawLinkBadge(QPainter& painter, bool broken) {
    Stroke(painter, [&] {
        painter.drawEllipse(QRect(15, 21, 5, 5));
        painter.drawEllipse(QRect(26, 21, 5, 5));
        if (broken) {
            painter.drawLine(20, 23, 22, 23);
            painter.drawLine(24, 23, 26, 23);
            painter.drawLine(23, 19, 23, 28);
        } else {
            painter.drawLine(20, 23, 26, 23);
        }
    });
}

void DrawBlockBadge(QPainter& painter) {
    painter.setBrush(Qt::white);
    Stroke(painter, [&] { painter.drawEllipse(QRect(17, 17, 12, 12)); });
}

QCursor DrawnCursor(int id) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    if (id == CLoopEditor::CURSOR_SELECT) {
        const QPolygon arrow({QPoint(1, 1), QPoint(1, 17), QPoint(5, 13), QPoint(8, 20),
                              QPoint(11, 19), QPoint(8, 12), QPoint(13, 12)});
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(Qt::black);
        painter.drawPolygon(arrow);
        painter.end();
        return QCursor(pixmap, 1, 1);
    }
    DrawCross(painter);
    if (id == CLoopEditor::CURSOR_LINK || id == CLoopEditor::CURSOR_BROKEN_LINK) {
        DrawLinkBadge(painter, id == CLoopEditor::CURSOR_BROKEN_LINK);
    } else if (id == CLoopEditor::CURSOR_BLOCK) {
        DrawBlockBadge(painter);
    }
    painter.end();
    return QCursor(pixmap, kCentre, kCentre);
}

}  // namespace

QCursor CToolCursors::ForId(int id) {
    switch (id) {
        case CLoopEditor::CURSOR_DRAW:
        case CLoopEditor::CURSOR_LINK:
        case CLoopEditor::CURSOR_BROKEN_LINK:
        case CLoopEditor::CURSOR_BLOCK:
        case CLoopEditor::CURSOR_SELECT:
            break;
        default:
            return QCursor(Qt::ArrowCursor);
    }
    // Drawn once each; the view asks on every mouse move.
    static std::map<int, QCursor> cache;
    auto it = cache.find(id);
    if (it == cache.end()) {
        it = cache.emplace(id, DrawnCursor(id)).first;
    }
    return it->second;
}
