// Draws the splash picture of the program: the program name in a dark band, the
// maker's word, a control loop (setpoint, summing point, controller, process,
// feedback) and a light field below it, where the program writes its
// description (the rectangle 28,200 - 348,270 stays plain).
// Usage: splash-gen OUT.BMP
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kWidth = 376;
constexpr int kHeight = 280;
const QColor kNavy(20, 36, 90);
const QColor kBlue(42, 74, 154);
const QColor kAmber(232, 146, 28);
const QColor kInk(34, 44, 70);

QFont Font(int pixelSize, QFont::Weight weight, bool italic = false) {
    QFont font("Liberation Sans");
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void Arrow(QPainter& painter, QPointF from, QPointF to, const QColor& color) {
    painter.setPen(QPen(color, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    const QLineF line(from, to);
    QLineF shaft(from, line.pointAt(1.0 - 7.0 / line.length()));
    painter.drawLine(shaft);
    QLineF back(to, from);
    QLineF left = back;
    left.setLength(8);
    left.setAngle(back.angle() + 25);
    QLineF right = back;
    right.setLength(8);
    right.setAngle(back.angle() - 25);
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(left.p2());
    head.lineTo(right.p2());
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(head);
    painter.setBrush(Qt::NoBrush);
}

void Box(QPainter& painter, const QRectF& box, const QColor& fill, const QColor& textColor,
         const QString& text) {
    painter.setPen(QPen(kBlue, 2));
    painter.setBrush(fill);
    painter.drawRoundedRect(box, 5, 5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(textColor);
    painter.setFont(Font(15, QFont::Bold));
    painter.drawText(box, Qt::AlignCenter, text);
}

void DrawBackground(QPainter& painter) {
    QLinearGradient field(0, 72, 0, kHeight);
    field.setColorAt(0.0, QColor(255, 255, 255));
    field.setColorAt(1.0, QColor(226, 234, 246));
    painter.fillRect(QRect(0, 0, kWidth, kHeight), field);

    QLinearGradient band(0, 0, kWidth, 70);
    band.setColorAt(0.0, kNavy);
    band.setColorAt(1.0, kBlue);
    painter.fillRect(QRect(0, 0, kWidth, 70), band);
    painter.fillRect(QRect(0, 70, kWidth, 3), kAmber);

    painter.fillRect(QRect(0, kHeight - 9, kWidth, 2), kAmber);
    painter.fillRect(QRect(0, kHeight - 7, kWidth, 7), kNavy);
    painter.setPen(QPen(kNavy, 1));
    painter.drawRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1));
}

void DrawTitle(QPainter& painter) {
    const QFont name = Font(36, QFont::Black);
    painter.setFont(name);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(22, 52), "KESTREL");
    const qreal nameWidth = QFontMetricsF(name).horizontalAdvance("KESTREL ");
    painter.setFont(Font(36, QFont::Bold, true));
    painter.setPen(kAmber);
    painter.drawText(QPointF(22 + nameWidth, 52), "Plus");

    // The maker's word with its mark: three rising bars.
    QFont maker = Font(14, QFont::Bold);
    maker.setLetterSpacing(QFont::AbsoluteSpacing, 2.5);
    painter.setFont(maker);
    painter.setPen(Qt::white);
    const QString word = "TORV";
    const qreal wordWidth = QFontMetricsF(maker).horizontalAdvance(word);
    const qreal x = kWidth - 18 - wordWidth;
    painter.drawText(QPointF(x, 26), word);
    for (int bar = 0; bar < 3; ++bar) {
        painter.fillRect(QRectF(x - 22 + bar * 6, 26 - 5 - bar * 4, 4, 5 + bar * 4),
                         bar == 2 ? kAmber : QColor(170, 190, 230));
    }
}

void DrawLoop(QPainter& painter) {
    const qreal y = 124;  // the forward path
    const QPointF sum(84, y);
    const qreal radius = 12;
    const QRectF controller(120, y - 19, 72, 38);
    const QRectF process(222, y - 19, 82, 38);
    const qreal tap = 326;
    const qreal feedbackY = 178;

    painter.setFont(Font(13, QFont::Bold));
    painter.setPen(kInk);
    painter.drawText(QRectF(14, y - 26, 40, 16), Qt::AlignLeft, "SP");
    Arrow(painter, QPointF(18, y), QPointF(sum.x() - radius, y), kInk);

    painter.setPen(QPen(kInk, 2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(sum, radius, radius);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QLineF(sum.x() - 5, y, sum.x() + 5, y));
    painter.drawLine(QLineF(sum.x(), y - 5, sum.x(), y + 5));
    painter.setFont(Font(13, QFont::Bold));
    painter.drawText(QRectF(sum.x() + 4, y + 12, 16, 16), Qt::AlignCenter, QString(QChar(0x2212)));

    Arrow(painter, QPointF(sum.x() + radius, y), QPointF(controller.left() - 1, y), kInk);
    Box(painter, controller, kBlue, Qt::white, "PID");
    Arrow(painter, QPointF(controller.right() + 1, y), QPointF(process.left() - 1, y), kInk);
    painter.setFont(Font(11, QFont::Normal));
    painter.setPen(kInk);
    painter.drawText(QRectF(controller.right(), y - 20, process.left() - controller.right(), 14),
                     Qt::AlignCenter, "OUT");
    Box(painter, process, Qt::white, kNavy, "Process");
    Arrow(painter, QPointF(process.right() + 1, y), QPointF(kWidth - 14, y), kInk);
    painter.setFont(Font(13, QFont::Bold));
    painter.setPen(kInk);
    painter.drawText(QRectF(kWidth - 50, y - 26, 36, 16), Qt::AlignRight, "PV");

    // The measurement back to the summing point.
    painter.setPen(QPen(kAmber, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(kAmber);
    painter.drawEllipse(QPointF(tap, y), 3, 3);
    painter.setBrush(Qt::NoBrush);
    QPainterPath feedback;
    feedback.moveTo(tap, y);
    feedback.lineTo(tap, feedbackY);
    feedback.lineTo(sum.x(), feedbackY);
    feedback.lineTo(sum.x(), y + radius + 9);
    painter.drawPath(feedback);
    Arrow(painter, QPointF(sum.x(), y + radius + 10), QPointF(sum.x(), y + radius + 1), kAmber);

    // A settling step response along the feedback path.
    painter.setPen(QPen(QColor(120, 150, 210), 1.5));
    QPainterPath response;
    for (int i = 0; i <= 100; ++i) {
        const qreal t = i / 100.0;
        const qreal value = 1.0 - std::exp(-5.0 * t) * std::cos(14.0 * t);
        const QPointF point(124 + t * 176, feedbackY - 6 - value * 14);
        if (i == 0) {
            response.moveTo(point);
        } else {
            response.lineTo(point);
        }
    }
    painter.drawPath(response);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: splash-gen OUT.BMP\n");
        return 2;
    }
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        DrawBackground(painter);
        DrawTitle(painter);
        DrawLoop(painter);
    }
    if (!picture.save(QString::fromLocal8Bit(argv[1]), "BMP")) {
        std::fprintf(stderr, "splash-gen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
