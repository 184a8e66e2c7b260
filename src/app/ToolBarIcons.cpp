#include "app/ToolBarIcons.h"

#include <QPainter>
#include <QPainterPath>

#include "vexilla/DrawnIcon.h"

namespace {

const QColor kOutline(60, 60, 70);

// A sheet of paper with its top right corner folded down.
void DrawPage(QPainter& painter) {
    QPainterPath sheet;
    sheet.moveTo(3.5, 1.5);
    sheet.lineTo(9.5, 1.5);
    sheet.lineTo(12.5, 4.5);
    sheet.lineTo(12.5, 14.5);
    sheet.lineTo(3.5, 14.5);
    sheet.closeSubpath();
    painter.setPen(QPen(kOutline, 1.0));
    painter.setBrush(Qt::white);
    painter.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(9.5, 1.5);
    fold.lineTo(9.5, 4.5);
    fold.lineTo(12.5, 4.5);
    painter.setBrush(QColor(215, 215, 222));
    painter.drawPath(fold);
}

void DrawFolder(QPainter& painter) {
    painter.setPen(QPen(QColor(150, 110, 20), 1.0));
    painter.setBrush(QColor(235, 190, 70));
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6.0, 3.5);
    back.lineTo(7.5, 5.0);
    back.lineTo(13.5, 5.0);
    back.lineTo(13.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    painter.drawPath(back);
    painter.setBrush(QColor(250, 215, 110));
    QPolygonF front(
        {QPointF(3.5, 7.5), QPointF(15.0, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)});
    painter.drawPolygon(front);
}

void DrawDisk(QPainter& painter) {
    painter.setPen(QPen(QColor(30, 50, 110), 1.0));
    painter.setBrush(QColor(60, 100, 190));
    QPainterPath body;
    body.moveTo(1.5, 1.5);
    body.lineTo(12.5, 1.5);
    body.lineTo(14.5, 3.5);
    body.lineTo(14.5, 14.5);
    body.lineTo(1.5, 14.5);
    body.closeSubpath();
    painter.drawPath(body);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(4.5, 1.5, 7, 5));
    painter.setBrush(QColor(200, 205, 215));
    painter.drawRect(QRectF(3.5, 9.5, 9, 5));
}

// A controller on the line: its box, a cable and the plug at the computer's end.
void DrawOnline(QPainter& painter) {
    painter.setPen(QPen(kOutline, 1.0));
    painter.setBrush(QColor(90, 140, 90));
    painter.drawRoundedRect(QRectF(1.5, 2.5, 7, 11), 1.0, 1.0);
    painter.setBrush(QColor(120, 255, 120));
    painter.drawRect(QRectF(3.0, 4.0, 4, 2));
    painter.setPen(QPen(kOutline, 1.5));
    painter.drawLine(QPointF(8.5, 8.0), QPointF(12.0, 8.0));
    painter.setPen(QPen(kOutline, 1.0));
    painter.setBrush(QColor(200, 200, 210));
    painter.drawRect(QRectF(11.5, 5.5, 3, 5));
}

}  // namespace

QIcon CToolBarIcons::New() {
    return DrawnIcon(DrawPage);
}

QIcon CToolBarIcons::Open() {
    return DrawnIcon(DrawFolder);
}

QIcon CToolBarIcons::Save() {
    return DrawnIcon(DrawDisk);
}

QIcon CToolBarIcons::Online() {
    return DrawnIcon(DrawOnline);
}
