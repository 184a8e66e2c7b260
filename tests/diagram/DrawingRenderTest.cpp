// Drawing the shapes on an image: each leaves ink where it lies and nowhere else.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QRect>

#include <memory>

#include "diagram/DrawEllipse.h"
#include "diagram/DrawLine.h"
#include "diagram/DrawPolyline.h"
#include "diagram/DrawRectangle.h"
#include "diagram/DrawRoundRect.h"
#include "diagram/DrawText.h"
#include "diagram/DrawingGroup.h"
#include "platform/gui/DC.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

QImage Blank() {
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage Render(const CDrawingObject& object) {
    QImage image = Blank();
    {
        CDC dc(image);
        object.Draw(dc);
    }
    return image;
}

// Pixels that are not white inside an area, or (inside = false) outside it.
int Ink(const QImage& image, const QRect& area, bool inside = true) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (area.contains(x, y) == inside && image.pixel(x, y) != kWhite) {
                ++count;
            }
        }
    }
    return count;
}

// A QRect from a CRect grown by a margin, for "nowhere else" checks.
QRect Around(const CRect& r, int margin) {
    return QRect(QPoint(r.left - margin, r.top - margin),
                 QPoint(r.right - 1 + margin, r.bottom - 1 + margin));
}

LOGPEN Pen(COLORREF color, int width = 1) {
    LOGPEN pen;
    pen.lopnStyle = PS_SOLID;
    pen.lopnWidth = CPoint(width, width);
    pen.lopnColor = color;
    return pen;
}

bool IsColor(const QImage& image, int x, int y, COLORREF color) {
    const QColor c(image.pixel(x, y));
    return c.red() == GetRValue(color) && c.green() == GetGValue(color) &&
           c.blue() == GetBValue(color);
}

TEST(DrawingRender, RectangleFillsItsAreaAndOutlinesItsEdges) {
    const CRect area(20, 30, 120, 90);
    CDrawRectangle rect(area);
    rect.SetLogPen(Pen(RGB(0, 0, 0)));
    rect.SetLogBrush(LOGBRUSH{BS_SOLID, RGB(255, 0, 0), 0});
    QImage image = Render(rect);
    EXPECT_TRUE(IsColor(image, 70, 60, RGB(255, 0, 0)));
    EXPECT_TRUE(IsColor(image, 20, 60, RGB(0, 0, 0)));
    EXPECT_TRUE(IsColor(image, 70, 30, RGB(0, 0, 0)));
    EXPECT_EQ(Ink(image, Around(area, 1), false), 0);

    // The same rectangle dragged inside out draws the same.
    CDrawRectangle inverted(CRect(120, 90, 20, 30));
    inverted.SetLogPen(Pen(RGB(0, 0, 0)));
    inverted.SetLogBrush(LOGBRUSH{BS_SOLID, RGB(255, 0, 0), 0});
    EXPECT_EQ(Render(inverted), image);

    // Flags switch off the fill and the outline.
    rect.SetBrush(false);
    image = Render(rect);
    EXPECT_FALSE(IsColor(image, 20, 60, RGB(255, 255, 255)));
    EXPECT_TRUE(IsColor(image, 70, 60, RGB(255, 255, 255)));
    rect.SetBrush(true);
    rect.SetPen(false);
    image = Render(rect);
    EXPECT_EQ(Ink(image, Around(area, 0), false), 0);
    EXPECT_TRUE(IsColor(image, 21, 60, RGB(255, 0, 0)));
    EXPECT_FALSE(IsColor(image, 20, 60, RGB(0, 0, 0)));
}

TEST(DrawingRender, EllipseAndRoundRectLeaveTheirCornersEmpty) {
    const CRect area(20, 20, 120, 120);
    CDrawEllipse ellipse(area);
    ellipse.SetLogBrush(LOGBRUSH{BS_SOLID, RGB(0, 0, 255), 0});
    const QImage image = Render(ellipse);
    EXPECT_TRUE(IsColor(image, 70, 70, RGB(0, 0, 255)));
    EXPECT_EQ(Ink(image, QRect(20, 20, 12, 12)), 0);
    EXPECT_EQ(Ink(image, Around(area, 1), false), 0);

    CDrawRoundRect round(area);
    round.SetRoundness(CPoint(40, 40));
    const QImage rounded = Render(round);
    EXPECT_EQ(Ink(rounded, QRect(20, 20, 4, 4)), 0);
    EXPECT_GT(Ink(rounded, QRect(30, 30, 4, 4)), 0);
    EXPECT_EQ(Ink(rounded, Around(area, 1), false), 0);
}

TEST(DrawingRender, PolylineDrawsOnlyItsSegmentsPolygonFillsInside) {
    const CPoint corner[] = {{10, 10}, {100, 10}, {100, 100}};
    CDrawPolyline open(corner, 3, false);
    open.SetLogPen(Pen(RGB(0, 0, 0)));
    open.SetLogBrush(LOGBRUSH{BS_SOLID, RGB(0, 255, 0), 0});  // ignored: open
    const QImage image = Render(open);
    EXPECT_GT(Ink(image, QRect(40, 9, 20, 3)), 0);
    EXPECT_GT(Ink(image, QRect(99, 40, 3, 20)), 0);
    EXPECT_EQ(Ink(image, QRect(12, 12, 86, 86)), 0);  // no fill, no closing edge
    EXPECT_EQ(Ink(image, QRect(9, 9, 93, 93), false), 0);

    CDrawPolyline polygon(corner, 3, true);
    polygon.SetLogBrush(LOGBRUSH{BS_SOLID, RGB(0, 255, 0), 0});
    const QImage filled = Render(polygon);
    EXPECT_TRUE(IsColor(filled, 80, 30, RGB(0, 255, 0)));
    EXPECT_EQ(Ink(filled, QRect(10, 40, 30, 60)), 0);  // below the diagonal

    CDrawLine line(CPoint(150, 190), CPoint(150, 110));
    line.SetLogPen(Pen(RGB(0, 0, 0)));
    const QImage drawnLine = Render(line);
    EXPECT_GT(Ink(drawnLine, QRect(149, 110, 3, 80)), 60);
    EXPECT_EQ(Ink(drawnLine, QRect(148, 108, 5, 84), false), 0);
}

TEST(DrawingRender, TextInksItsRectangleInItsColour) {
    const CRect area(20, 20, 180, 60);
    CDrawText text(area, "HELLO WORLD");
    text.SetTextColor(RGB(0, 0, 255));
    LOGFONT font = text.GetLogFont();
    font.lfHeight = -24;
    text.SetLogFont(font);
    text.SetRect(area);
    const QImage image = Render(text);
    EXPECT_GT(Ink(image, QRect(20, 20, 160, 40)), 50);
    EXPECT_EQ(Ink(image, Around(area, 0), false), 0);
    // The default background mode is transparent: no white-over-white box but no
    // fill colour either.
    EXPECT_EQ(Ink(image, QRect(20, 50, 160, 10)), 0);

    CDrawText empty(area, "");
    EXPECT_EQ(Ink(Render(empty), QRect(0, 0, 200, 200)), 0);
}

TEST(DrawingRender, GroupsDrawTheirMembersAndRotationsTurnTheShape) {
    CDrawingGroup group;
    group.AddObject(std::make_unique<CDrawRectangle>(CRect(10, 10, 30, 30)), true);
    group.AddObject(std::make_unique<CDrawEllipse>(CRect(150, 150, 190, 190)), true);
    const QImage image = Render(group);
    EXPECT_GT(Ink(image, QRect(10, 10, 20, 20)), 300);
    EXPECT_GT(Ink(image, QRect(150, 150, 40, 40)), 900);
    EXPECT_EQ(Ink(image, QRect(40, 40, 100, 100)), 0);

    // A quarter turn about the top-left corner puts the wide bar below it,
    // reaching left.
    CDrawRectangle bar(CRect(100, 100, 140, 110));
    bar.SetRotationAngle(90.0);
    QImage turned = Blank();
    {
        CDC dc(turned);
        bar.Draw(dc);
        // The world transform is back to the identity for whatever follows.
        EXPECT_EQ(dc.GetWorldTransform(), IdentityXForm());
        CDrawRectangle(CRect(10, 10, 20, 20)).Draw(dc);
    }
    EXPECT_GT(Ink(turned, QRect(91, 101, 8, 38)), 250);
    EXPECT_EQ(Ink(turned, QRect(105, 100, 40, 12)), 0);
    EXPECT_GT(Ink(turned, QRect(11, 11, 8, 8)), 60);
    // The rotated outline is what hit tests see.
    bar.SetBrush(false);
    EXPECT_TRUE(bar.HitTest(CPoint(90, 120), nullptr));
    EXPECT_FALSE(bar.HitTest(CPoint(120, 100), nullptr));
}

}  // namespace
