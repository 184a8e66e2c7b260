#include "editing/ui/EditIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "vexilla/DrawnIcon.h"

namespace {

const QColor kInk(50, 50, 60);
const QColor kPaper(255, 255, 255);
const QColor kShape(120, 160, 220);
const QColor kAnchor(220, 120, 60);

QPen InkPen(double width = 1.0) {
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A curved arrow turning back (undo) or forward (redo).
void DrawTurn(QPainter& painter, bool forward) {
    painter.save();
    if (forward) {
        painter.translate(16, 0);
        painter.scale(-1, 1);
    }
    painter.setPen(QPen(QColor(40, 90, 170), 1.8, Qt::SolidLine, Qt::RoundCap));
    QPainterPath arc;
    arc.moveTo(4.0, 7.0);
    arc.cubicTo(7.0, 3.0, 14.0, 4.0, 13.0, 10.0);
    arc.cubicTo(12.5, 12.5, 10.0, 13.5, 8.0, 13.5);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(arc);
    painter.setBrush(QColor(40, 90, 170));
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygonF({QPointF(1.5, 4.0), QPointF(6.5, 4.5), QPointF(3.5, 9.5)}));
    painter.restore();
}

void DrawScissors(QPainter& painter) {
    painter.setPen(InkPen(1.2));
    painter.drawLine(QPointF(4.0, 1.5), QPointF(11.0, 10.0));
    painter.drawLine(QPointF(12.0, 1.5), QPointF(5.0, 10.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(2.0, 10.0, 4.5, 4.5));
    painter.drawEllipse(QRectF(9.5, 10.0, 4.5, 4.5));
}

void DrawSheet(QPainter& painter, const QRectF& rect) {
    painter.setPen(InkPen());
    painter.setBrush(kPaper);
    painter.drawRect(rect);
    for (double y = rect.top() + 2.5; y < rect.bottom() - 1.0; y += 2.5) {
        painter.drawLine(QPointF(rect.left() + 1.5, y), QPointF(rect.right() - 1.5, y));
    }
}

void DrawCopy(QPainter& painter) {
    DrawSheet(painter, QRectF(1.5, 1.5, 8, 10));
    DrawSheet(painter, QRectF(6.5, 4.5, 8, 10));
}

void DrawPaste(QPainter& painter) {
    painter.setPen(InkPen());
    painter.setBrush(QColor(200, 160, 100));
    painter.drawRoundedRect(QRectF(2.5, 2.5, 9, 12), 1, 1);
    painter.setBrush(QColor(170, 170, 180));
    painter.drawRect(QRectF(5.0, 1.5, 4, 2.5));
    DrawSheet(painter, QRectF(7.5, 6.5, 7, 8));
}

void DrawCross(QPainter& painter) {
    painter.setPen(QPen(QColor(190, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(4, 4), QPointF(12, 12));
    painter.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void DrawArrowPointer(QPainter& painter) {
    painter.setPen(InkPen());
    painter.setBrush(kPaper);
    painter.drawPolygon(
        QPolygonF({QPointF(4, 1.5), QPointF(4, 13), QPointF(7, 10), QPointF(9.5, 14.5),
                   QPointF(11, 13.5), QPointF(8.5, 9.5), QPointF(12.5, 9.5)}));
}

void DrawLock(QPainter& painter) {
    painter.setPen(InkPen(1.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(4.5, 1.5, 7, 9), 0, 180 * 16);
    painter.drawLine(QPointF(4.5, 6), QPointF(4.5, 8));
    painter.drawLine(QPointF(11.5, 6), QPointF(11.5, 8));
    painter.setPen(InkPen());
    painter.setBrush(QColor(230, 180, 60));
    painter.drawRect(QRectF(3, 7.5, 10, 7));
}

// Two overlapping squares; which one is on top and where an arrow points
// tell the drawing-order commands apart.
void DrawOrder(QPainter& painter, bool frontOnTop, int arrow) {
    const QRectF back(1.5, 1.5, 8, 8);
    const QRectF front(6.5, 6.5, 8, 8);
    painter.setPen(InkPen());
    auto square = [&painter](const QRectF& rect, const QColor& color) {
        painter.setBrush(color);
        painter.drawRect(rect);
    };
    if (frontOnTop) {
        square(back, kPaper);
        square(front, kShape);
    } else {
        square(front, kPaper);
        square(back, kShape);
    }
    if (arrow != 0) {
        painter.setPen(QPen(kAnchor, 1.6, Qt::SolidLine, Qt::RoundCap));
        const double y = arrow > 0 ? 3.0 : 13.0;
        painter.drawLine(QPointF(13.0, 3.0), QPointF(13.0, 13.0));
        painter.drawLine(QPointF(13.0, y), QPointF(11.0, y + (arrow > 0 ? 2.0 : -2.0)));
        painter.drawLine(QPointF(13.0, y), QPointF(15.0, y + (arrow > 0 ? 2.0 : -2.0)));
    }
}

void DrawGroup(QPainter& painter, bool group) {
    painter.setPen(QPen(kInk, 1.0, group ? Qt::DashLine : Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(1.5, 1.5, 13, 13));
    painter.setPen(InkPen());
    painter.setBrush(kShape);
    painter.drawRect(QRectF(3.5, 3.5, 5, 4));
    painter.drawEllipse(QRectF(7.5, 8.5, 5, 4));
    if (!group) {
        painter.setPen(QPen(kAnchor, 1.4));
        painter.drawLine(QPointF(2.5, 13.5), QPointF(13.5, 2.5));
    }
}

// Two bars lined up on an edge or a centre line (drawn in orange).
void DrawAlignment(QPainter& painter, int alignment) {
    const bool across = alignment <= 5;  // left, centre, right line up x
    painter.setPen(QPen(kAnchor, 1.2));
    double line = 0;
    switch (alignment) {
        case 3:
        case 6:
            line = 2.0;
            break;
        case 5:
        case 8:
            line = 14.0;
            break;
        default:
            line = 8.0;
            break;
    }
    if (across) {
        painter.drawLine(QPointF(line, 1), QPointF(line, 15));
    } else {
        painter.drawLine(QPointF(1, line), QPointF(15, line));
    }
    painter.setPen(InkPen());
    painter.setBrush(kShape);
    const double lengths[] = {10.0, 6.0};
    for (int i = 0; i < 2; ++i) {
        const double length = lengths[i];
        double start = line;
        if (line > 8.0) {
            start = line - length;
        } else if (line == 8.0) {
            start = 8.0 - length / 2;
        }
        const double offset = 3.0 + i * 6.0;
        if (across) {
            painter.drawRect(QRectF(start, offset, length, 4));
        } else {
            painter.drawRect(QRectF(offset, start, 4, length));
        }
    }
}

void DrawCentreAll(QPainter& painter) {
    painter.setPen(QPen(kAnchor, 1.2));
    painter.drawLine(QPointF(8, 1), QPointF(8, 15));
    painter.drawLine(QPointF(1, 8), QPointF(15, 8));
    painter.setPen(InkPen());
    painter.setBrush(kShape);
    painter.drawRect(QRectF(3.5, 3.5, 9, 9));
    painter.setBrush(kPaper);
    painter.drawRect(QRectF(6, 6, 4, 4));
}

void DrawSpacing(QPainter& painter, bool horizontal) {
    painter.save();
    if (!horizontal) {
        painter.translate(16, 0);
        painter.rotate(90);
    }
    painter.setPen(InkPen());
    painter.setBrush(kShape);
    for (double x : {1.5, 6.5, 11.5}) {
        painter.drawRect(QRectF(x, 4.5, 3, 7));
    }
    painter.restore();
}

void DrawBlockSize(QPainter& painter, double diameter) {
    painter.setPen(InkPen());
    painter.setBrush(QColor(194, 193, 193));
    painter.drawEllipse(QPointF(8, 8), diameter / 2, diameter / 2);
}

void DrawProperties(QPainter& painter) {
    DrawSheet(painter, QRectF(2.5, 1.5, 11, 13));
    painter.setPen(QPen(kAnchor, 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(9, 12), QPointF(14, 7));
}

void DrawInformation(QPainter& painter) {
    painter.setPen(InkPen());
    painter.setBrush(QColor(60, 110, 200));
    painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    painter.setPen(QPen(kPaper, 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8, 7), QPointF(8, 11.5));
    painter.drawPoint(QPointF(8, 4.5));
}

// A magnifier over a page; the page part it frames tells the zooms apart.
void DrawZoom(QPainter& painter, int kind) {
    painter.setPen(InkPen());
    painter.setBrush(kPaper);
    painter.drawRect(QRectF(1.5, 1.5, 9, 12));
    painter.setPen(QPen(kAnchor, 1.2));
    painter.setBrush(Qt::NoBrush);
    const QRectF frames[] = {QRectF(2.5, 2.5, 7, 10), QRectF(2.5, 4.5, 7, 4),
                             QRectF(2.5, 2.5, 3.5, 5), QRectF(4, 5, 4, 4)};
    painter.drawRect(frames[std::clamp(kind, 1, 4) - 1]);
    painter.setPen(InkPen(1.2));
    painter.drawEllipse(QRectF(8.5, 8.5, 5, 5));
    painter.setPen(InkPen(2.0));
    painter.drawLine(QPointF(13, 13), QPointF(15, 15));
}

void DrawSettings(QPainter& painter) {
    painter.setPen(InkPen());
    painter.setBrush(QColor(170, 175, 190));
    for (int i = 0; i < 8; ++i) {
        painter.save();
        painter.translate(8, 8);
        painter.rotate(i * 45.0);
        painter.drawRect(QRectF(-1.2, -7.0, 2.4, 3.0));
        painter.restore();
    }
    painter.drawEllipse(QPointF(8, 8), 4.5, 4.5);
    painter.setBrush(kPaper);
    painter.drawEllipse(QPointF(8, 8), 1.8, 1.8);
}

void DrawGauge(QPainter& painter) {
    painter.setPen(InkPen());
    painter.setBrush(kPaper);
    painter.drawPie(QRectF(1.5, 3.5, 13, 13), 0, 180 * 16);
    painter.setPen(QPen(kAnchor, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8, 10), QPointF(12, 5.5));
}

}  // namespace

QIcon CEditIcons::Information() {
    return DrawnIcon(DrawInformation);
}

QIcon CEditIcons::Zoom(int kind) {
    return DrawnIcon([kind](QPainter& painter) { DrawZoom(painter, kind); });
}

QIcon CEditIcons::Settings() {
    return DrawnIcon(DrawSettings);
}

QIcon CEditIcons::Calibration() {
    return DrawnIcon(DrawGauge);
}

QIcon CEditIcons::Undo() {
    return DrawnIcon([](QPainter& painter) { DrawTurn(painter, false); });
}

QIcon CEditIcons::Redo() {
    return DrawnIcon([](QPainter& painter) { DrawTurn(painter, true); });
}

QIcon CEditIcons::Cut() {
    return DrawnIcon(DrawScissors);
}

QIcon CEditIcons::Copy() {
    return DrawnIcon(DrawCopy);
}

QIcon CEditIcons::Paste() {
    return DrawnIcon(DrawPaste);
}

QIcon CEditIcons::Delete() {
    return DrawnIcon(DrawCross);
}

QIcon CEditIcons::Select() {
    return DrawnIcon(DrawArrowPointer);
}

QIcon CEditIcons::DrawingTool(int kind) {
    return DrawnIcon([kind](QPainter& painter) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(InkPen(1.4));
        painter.setBrush(kind == 0 || kind == 4 || kind == 6 ? Qt::NoBrush : QBrush(kShape));
        // 0 line, 1 rectangle, 2 round rectangle, 3 ellipse, 4 text, 5 block,
        // 6 polyline, 7 polygon, 8 block list
        const QRectF box(2.5, 4.5, 11.0, 8.0);
        switch (kind) {
            case 0:
                painter.drawLine(QPointF(2.5, 13.5), QPointF(13.5, 2.5));
                break;
            case 1:
                painter.drawRect(box);
                break;
            case 2:
                painter.drawRoundedRect(box, 3.0, 3.0);
                break;
            case 3:
                painter.drawEllipse(box);
                break;
            case 6:
            case 7: {
                const QPointF corners[] = {{2.5, 12.5}, {5.5, 3.5}, {10.0, 9.0}, {13.5, 3.0}};
                if (kind == 6) {
                    painter.drawPolyline(corners, 4);
                } else {
                    painter.drawPolygon(corners, 4);
                }
                break;
            }
            case 8:
                painter.setBrush(kPaper);
                painter.drawRect(QRectF(2.5, 2.5, 11.0, 11.0));
                for (double y : {5.5, 8.5, 11.0}) {
                    painter.drawLine(QPointF(2.5, y), QPointF(13.5, y));
                }
                painter.drawLine(QPointF(6.5, 5.5), QPointF(6.5, 13.5));
                break;
            case 5:
                painter.drawEllipse(QRectF(3.0, 3.0, 10.0, 10.0));
                painter.drawLine(QPointF(0.5, 8.0), QPointF(3.0, 8.0));
                painter.drawLine(QPointF(13.0, 8.0), QPointF(15.5, 8.0));
                break;
            default: {
                QFont font = painter.font();
                font.setPixelSize(14);
                font.setBold(true);
                painter.setFont(font);
                painter.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, "T");
                break;
            }
        }
    });
}

QIcon CEditIcons::Lock() {
    return DrawnIcon(DrawLock);
}

QIcon CEditIcons::ToFront() {
    return DrawnIcon([](QPainter& painter) { DrawOrder(painter, true, 0); });
}

QIcon CEditIcons::ToBack() {
    return DrawnIcon([](QPainter& painter) { DrawOrder(painter, false, 0); });
}

QIcon CEditIcons::ForwardOne() {
    return DrawnIcon([](QPainter& painter) { DrawOrder(painter, true, 1); });
}

QIcon CEditIcons::BackwardOne() {
    return DrawnIcon([](QPainter& painter) { DrawOrder(painter, false, -1); });
}

QIcon CEditIcons::Group() {
    return DrawnIcon([](QPainter& painter) { DrawGroup(painter, true); });
}

QIcon CEditIcons::Ungroup() {
    return DrawnIcon([](QPainter& painter) { DrawGroup(painter, false); });
}

QIcon CEditIcons::Align(int alignment) {
    if (alignment == 9) {
        return DrawnIcon(DrawCentreAll);
    }
    return DrawnIcon([alignment](QPainter& painter) { DrawAlignment(painter, alignment); });
}

QIcon CEditIcons::Spacing(bool horizontal) {
    return DrawnIcon([horizontal](QPainter& painter) { DrawSpacing(painter, horizontal); });
}

QIcon CEditIcons::BlockSize(int step) {
    const double diameter = 8.0 + 3.0 * step;
    return DrawnIcon([diameter](QPainter& painter) { DrawBlockSize(painter, diameter); });
}

QIcon CEditIcons::Properties() {
    return DrawnIcon(DrawProperties);
}
