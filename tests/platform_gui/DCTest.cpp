#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "platform/gui/DC.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

LOGPEN Pen(uint32_t style, int width, COLORREF color) {
    return LOGPEN{style, CPoint(width, width), color};
}

LOGBRUSH SolidBrush(COLORREF color) {
    return LOGBRUSH{BS_SOLID, color, 0};
}

LOGFONT Font(int height) {
    LOGFONT font;
    font.lfHeight = height;
    SetFaceName(font, "Arial");
    return font;
}

// A rotation by the angle about a pivot, built the way drawing objects build it:
// translate(-pivot), the linear part, translate(+pivot).
XFORM RotationAbout(double degrees, CPoint pivot) {
    const double radians = degrees / 180.0 * std::numbers::pi;
    const auto c = static_cast<float>(std::cos(radians));
    const auto s = static_cast<float>(std::sin(radians));
    const XFORM toOrigin{1, 0, 0, 1, static_cast<float>(-pivot.x), static_cast<float>(-pivot.y)};
    const XFORM rotation{c, s, -s, c, 0, 0};
    const XFORM back{1, 0, 0, 1, static_cast<float>(pivot.x), static_cast<float>(pivot.y)};
    XFORM step;
    CDC::CombineTransform(&step, toOrigin, rotation);
    CDC::CombineTransform(&step, step, back);
    return step;
}

// Sets the loop view's mapping: 100 logical units are 96 pixels times the zoom.
void SetZoom(CDC& dc, double zoom, CPoint windowOrg = CPoint()) {
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(CSize(100, 100));
    const int resolution = static_cast<int>(96 * zoom);
    dc.SetViewportExt(CSize(resolution, resolution));
    dc.SetWindowOrg(windowOrg);
}

class DCTest : public testing::Test {
protected:
    DCTest() : image(200, 200, QImage::Format_RGB32) { image.fill(Qt::white); }

    COLORREF Pixel(int x, int y) const {
        const QRgb rgb = image.pixel(x, y);
        return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
    }
    bool IsInk(int x, int y) const { return qGray(image.pixel(x, y)) < 160; }
    // The bounding box of dark pixels; a null rectangle when there are none.
    QRect InkBox() const {
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (IsInk(x, y)) {
                    box |= QRect(x, y, 1, 1);
                }
            }
        }
        return box;
    }
    bool IsBlank() const { return InkBox().isNull() && Pixel(100, 100) == kWhite; }

    QImage image;
};

// --- Mapping ---------------------------------------------------------------

TEST_F(DCTest, AnisotropicMappingPlacesShapesAtZoomAndOrigin) {
    {
        CDC dc(image);
        SetZoom(dc, 1.0);
        dc.Rectangle(CRect(0, 0, 100, 100));
    }
    // GM_COMPATIBLE: 100 units are 96 pixels and the right edge is left out.
    EXPECT_EQ(InkBox(), QRect(QPoint(0, 0), QPoint(95, 95)));

    image.fill(Qt::white);
    {
        CDC dc(image);
        SetZoom(dc, 2.0, CPoint(-20, -20));
        dc.Rectangle(CRect(0, 0, 50, 50));
    }
    EXPECT_EQ(InkBox(), QRect(QPoint(38, 38), QPoint(133, 133)));
}

TEST_F(DCTest, NegativeViewportExtentTurnsTheYAxisRound) {
    CDC dc(image);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(CSize(1, 1));
    dc.SetViewportExt(CSize(1, -1));
    dc.SetViewportOrg(CPoint(0, 200));
    dc.SelectBrush(SolidBrush(kRed));
    dc.Rectangle(CRect(10, 10, 60, 60));
    EXPECT_EQ(Pixel(30, 170), kRed);
    EXPECT_EQ(Pixel(30, 30), kWhite);
    CPoint point(10, 10);
    dc.LPtoDP(&point);
    EXPECT_EQ(point, CPoint(10, 190));
}

TEST_F(DCTest, PointsSizesAndRectanglesConvertBothWays) {
    CDC dc;
    SetZoom(dc, 1.25, CPoint(-20, -20));
    CPoint points[] = {CPoint(0, 0), CPoint(1, 1), CPoint(100, -40), CPoint(333, 777)};
    dc.LPtoDP(points, 4);
    EXPECT_EQ(points[0], CPoint(24, 24));
    EXPECT_EQ(points[1], CPoint(25, 25));  // 1.2 * 21 = 25.2
    EXPECT_EQ(points[2], CPoint(144, -24));
    dc.DPtoLP(points, 4);
    EXPECT_EQ(points[0], CPoint(0, 0));
    EXPECT_EQ(points[1], CPoint(1, 1));
    EXPECT_EQ(points[2], CPoint(100, -40));
    EXPECT_NEAR(points[3].x, 333, 1);
    EXPECT_NEAR(points[3].y, 777, 1);

    CRect rect(0, 0, 100, 50);
    dc.LPtoDP(&rect);
    EXPECT_EQ(rect, CRect(24, 24, 144, 84));

    // Sizes scale by the extents' magnitudes, so a flipped axis keeps its sign.
    dc.SetViewportExt(CSize(120, -120));
    CSize size(50, 50);
    dc.LPtoDP(&size);
    EXPECT_EQ(size, CSize(60, 60));
    dc.DPtoLP(&size);
    EXPECT_EQ(size, CSize(50, 50));
}

TEST_F(DCTest, TextModeIgnoresExtentsButKeepsOrigins) {
    CDC dc;
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    dc.SetWindowExt(CSize(100, 100));
    dc.SetViewportExt(CSize(300, 300));
    dc.SetViewportOrg(CPoint(5, 7));
    CPoint point(10, 10);
    dc.LPtoDP(&point);
    EXPECT_EQ(point, CPoint(15, 17));
    // Zero extents are refused; going back to MM_TEXT drops the extents.
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(CSize(0, 10));
    EXPECT_EQ(dc.GetWindowExt(), CSize(1, 1));
    dc.SetViewportExt(CSize(3, 3));
    dc.SetMapMode(MM_TEXT);
    EXPECT_EQ(dc.GetViewportExt(), CSize(1, 1));
}

// --- World transforms ------------------------------------------------------

TEST_F(DCTest, WorldTransformNeedsTheAdvancedMode) {
    CDC dc;
    const XFORM shift{1, 0, 0, 1, 10, 0};
    EXPECT_FALSE(dc.SetWorldTransform(shift));
    EXPECT_FALSE(dc.ModifyWorldTransform(&shift, MWT_RIGHTMULTIPLY));
    EXPECT_EQ(dc.SetGraphicsMode(GM_ADVANCED), GM_COMPATIBLE);
    EXPECT_TRUE(dc.SetWorldTransform(shift));
    // Leaving the advanced mode fails until the transform is the identity again.
    EXPECT_EQ(dc.SetGraphicsMode(GM_COMPATIBLE), 0);
    EXPECT_TRUE(dc.ModifyWorldTransform(nullptr, MWT_IDENTITY));
    EXPECT_EQ(dc.SetGraphicsMode(GM_COMPATIBLE), GM_ADVANCED);
}

TEST_F(DCTest, MultiplicationOrderDecidesWhichTransformComesFirst) {
    const XFORM shift{1, 0, 0, 1, 10, 0};
    const XFORM twice{2, 0, 0, 2, 0, 0};
    XFORM combined;
    ASSERT_TRUE(CDC::CombineTransform(&combined, shift, twice));
    EXPECT_EQ(combined, (XFORM{2, 0, 0, 2, 20, 0}));  // shift, then scale

    CDC dc;
    dc.SetGraphicsMode(GM_ADVANCED);
    dc.SetWorldTransform(shift);
    dc.ModifyWorldTransform(&twice, MWT_RIGHTMULTIPLY);
    CPoint point(1, 1);
    dc.LPtoDP(&point);
    EXPECT_EQ(point, CPoint(22, 2));

    dc.SetWorldTransform(shift);
    dc.ModifyWorldTransform(&twice, MWT_LEFTMULTIPLY);
    point = CPoint(1, 1);
    dc.LPtoDP(&point);
    EXPECT_EQ(point, CPoint(12, 2));
}

TEST_F(DCTest, RotationAboutAPivotTurnsADrawnLine) {
    CDC dc(image);
    dc.SetGraphicsMode(GM_ADVANCED);
    const XFORM rotation = RotationAbout(90, CPoint(100, 100));
    dc.ModifyWorldTransform(&rotation, MWT_RIGHTMULTIPLY);
    dc.MoveTo(CPoint(100, 100));
    dc.LineTo(CPoint(160, 100));
    EXPECT_TRUE(IsInk(100, 130));
    EXPECT_FALSE(IsInk(130, 100));
    EXPECT_EQ(InkBox().left(), 100);
    EXPECT_EQ(InkBox().right(), 100);
}

// --- Pens and brushes ------------------------------------------------------

TEST_F(DCTest, NullPenAndNullBrushLeaveOutlineOrInteriorOut) {
    CDC dc(image);
    dc.SelectPen(Pen(PS_NULL, 5, kBlack));
    dc.SelectBrush(SolidBrush(kRed));
    dc.Rectangle(CRect(10, 10, 90, 90));
    EXPECT_EQ(Pixel(10, 10), kRed);
    EXPECT_EQ(Pixel(50, 50), kRed);

    dc.SelectPen(Pen(PS_SOLID, 0, kBlue));
    dc.SelectNullBrush();
    dc.Ellipse(CRect(100, 100, 190, 190));
    EXPECT_EQ(Pixel(145, 145), kWhite);
    EXPECT_TRUE(Pixel(144, 100) == kBlue || Pixel(145, 100) == kBlue);

    dc.SelectNullPen();
    dc.Rectangle(CRect(0, 100, 90, 190));
    EXPECT_EQ(Pixel(0, 100), kWhite);
}

TEST_F(DCTest, PenWidthIsInLogicalUnitsAndInsideFrameStaysInside) {
    CDC dc(image);
    SetZoom(dc, 2.0);
    dc.SelectPen(Pen(PS_SOLID, 5, kBlack));  // 9.6 pixels
    dc.MoveTo(CPoint(10, 50));
    dc.LineTo(CPoint(90, 50));
    int thickness = 0;
    for (int y = 80; y < 112; ++y) {
        thickness += IsInk(100, y) ? 1 : 0;
    }
    EXPECT_NEAR(thickness, 10, 1);

    image.fill(Qt::white);
    dc.SelectNullBrush();
    dc.SelectPen(Pen(PS_INSIDEFRAME, 5, kBlack));
    dc.Rectangle(CRect(20, 20, 80, 80));
    const QRect box = InkBox();
    EXPECT_GE(box.left(), 38);
    EXPECT_LE(box.right(), 154);
    EXPECT_TRUE(IsInk(40, 96));
}

TEST_F(DCTest, ThinDashedPensHaveGapsAndWideOnesAreSolid) {
    CDC dc(image);
    dc.SelectPen(Pen(PS_DASH, 0, kBlack));
    dc.MoveTo(CPoint(0, 20));
    dc.LineTo(CPoint(200, 20));
    dc.SelectPen(Pen(PS_DOT, 4, kBlack));
    dc.MoveTo(CPoint(0, 60));
    dc.LineTo(CPoint(200, 60));
    int dashed = 0;
    int wide = 0;
    for (int x = 10; x < 190; ++x) {
        dashed += IsInk(x, 20) ? 1 : 0;
        wide += IsInk(x, 60) ? 1 : 0;
    }
    EXPECT_GT(dashed, 100);
    EXPECT_LT(dashed, 170);
    EXPECT_EQ(wide, 180);
}

TEST_F(DCTest, HatchesShowTheBackgroundOnlyWhenOpaque) {
    CDC dc(image);
    dc.SelectNullPen();
    dc.SelectBrush(LOGBRUSH{BS_HATCHED, kBlack, HS_CROSS});
    dc.SetBkColor(kRed);
    dc.SetBkMode(TRANSPARENT);
    dc.Rectangle(CRect(0, 0, 100, 100));
    dc.SetBkMode(OPAQUE);
    dc.Rectangle(CRect(100, 0, 200, 100));
    int leftWhite = 0;
    int rightRed = 0;
    int leftBlack = 0;
    for (int i = 10; i < 90; ++i) {
        leftWhite += Pixel(i, i) == kWhite ? 1 : 0;
        leftBlack += Pixel(i, i) == kBlack ? 1 : 0;
        rightRed += Pixel(100 + i, i) == kRed ? 1 : 0;
    }
    EXPECT_GT(leftWhite, 40);
    EXPECT_GT(leftBlack, 5);
    EXPECT_GT(rightRed, 40);
}

TEST_F(DCTest, AdvancedModeIncludesTheRightAndBottomEdges) {
    CDC dc(image);
    dc.SetGraphicsMode(GM_ADVANCED);
    dc.Rectangle(CRect(10, 10, 20, 20));
    EXPECT_EQ(InkBox(), QRect(QPoint(10, 10), QPoint(20, 20)));
}

// --- Pixel operations ------------------------------------------------------

TEST_F(DCTest, InversionsUndoThemselves) {
    CDC dc(image);
    dc.FillSolidRect(CRect(0, 0, 100, 200), kRed);
    const QImage before = image;
    dc.InvertRect(CRect(50, 50, 150, 150));
    EXPECT_EQ(Pixel(60, 60), RGB(0, 255, 255));
    EXPECT_EQ(Pixel(140, 140), kBlack);
    EXPECT_EQ(Pixel(150, 150), kWhite);
    dc.InvertRect(CRect(50, 50, 150, 150));
    EXPECT_EQ(image, before);

    dc.DrawFocusRect(CRect(20, 20, 180, 180));
    EXPECT_NE(image, before);
    EXPECT_EQ(image.copy(22, 22, 156, 156), before.copy(22, 22, 156, 156));
    dc.DrawFocusRect(CRect(20, 20, 180, 180));
    EXPECT_EQ(image, before);

    dc.SetROP2(R2_NOTXORPEN);
    dc.MoveTo(CPoint(0, 10));
    dc.LineTo(CPoint(200, 190));
    EXPECT_NE(image, before);
    dc.MoveTo(CPoint(0, 10));
    dc.LineTo(CPoint(200, 190));
    EXPECT_EQ(image, before);
}

TEST_F(DCTest, FillSolidRectAndSetPixelFollowTheMapping) {
    CDC dc(image);
    SetZoom(dc, 2.0);
    dc.FillSolidRect(CRect(10, 10, 20, 20), kBlue);
    EXPECT_EQ(InkBox(), QRect(QPoint(19, 19), QPoint(37, 37)));
    dc.SetPixel(CPoint(50, 50), kRed);
    EXPECT_EQ(Pixel(96, 96), kRed);
    EXPECT_EQ(Pixel(97, 97), kWhite);
}

// --- Text ------------------------------------------------------------------

class DCTextTest : public DCTest {
protected:
    QRect DrawnInk(const std::string& text, CRect rect, unsigned format) {
        image.fill(Qt::white);
        CDC dc(image);
        dc.SelectFont(Font(-20));
        dc.SetBkMode(TRANSPARENT);
        dc.DrawText(text, &rect, format);
        return InkBox();
    }
};

TEST_F(DCTextTest, AlignmentFlagsPutTheTextWhereTheyAsk) {
    const CRect box(0, 0, 200, 200);
    const QRect left = DrawnInk("Wide", box, DT_LEFT);
    const QRect right = DrawnInk("Wide", box, DT_RIGHT);
    const QRect centred = DrawnInk("Wide", box, DT_CENTER);
    ASSERT_FALSE(left.isNull());
    EXPECT_LT(left.left(), 5);
    EXPECT_GT(right.right(), 193);
    EXPECT_NEAR(centred.center().x(), 100, 4);
    EXPECT_LT(left.bottom(), 30);

    EXPECT_GT(DrawnInk("Wide", box, DT_SINGLELINE | DT_BOTTOM).top(), 170);
    EXPECT_NEAR(DrawnInk("Wide", box, DT_SINGLELINE | DT_VCENTER).center().y(), 100, 6);
    // Vertical placement needs DT_SINGLELINE.
    EXPECT_LT(DrawnInk("Wide", box, DT_BOTTOM).bottom(), 30);
}

TEST_F(DCTextTest, ClippingKeepsTextInsideItsRectangleUnlessNoClip) {
    const CRect small(10, 10, 30, 40);
    EXPECT_LE(DrawnInk("Clipped text", small, DT_SINGLELINE).right(), 29);
    EXPECT_GT(DrawnInk("Clipped text", small, DT_SINGLELINE | DT_NOCLIP).right(), 60);
}

// A text that fits its rectangle is drawn without a clip; one that does not is
// clipped, and the clip is gone again for what is drawn next.
TEST_F(DCTextTest, ClipOfOneTextDoesNotReachTheNext) {
    const QRect fitting = DrawnInk("Fits", CRect(0, 0, 200, 100), DT_SINGLELINE);
    EXPECT_EQ(DrawnInk("Fits", CRect(0, 0, 200, 100), DT_SINGLELINE | DT_NOCLIP), fitting);

    image.fill(Qt::white);
    {
        CDC dc(image);
        dc.SelectFont(Font(-20));
        dc.SetBkMode(TRANSPARENT);
        CRect small(10, 10, 30, 40);
        dc.DrawText("Clipped text", &small, DT_SINGLELINE);
        CRect below(10, 100, 190, 140);
        dc.DrawText("Second text", &below, DT_SINGLELINE);
        dc.Rectangle(CRect(150, 10, 190, 50));
    }
    EXPECT_GT(InkBox().right(), 150);
    int inkBelow = 0;
    for (int x = 10; x < 190; ++x) {
        for (int y = 100; y < 140; ++y) {
            inkBelow += IsInk(x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(inkBelow, 50);
    EXPECT_TRUE(IsInk(150, 30));
}

TEST_F(DCTextTest, EachTextUsesTheFontSelectedForIt) {
    image.fill(Qt::white);
    CDC dc(image);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectFont(Font(-10));
    CRect small(0, 0, 200, 100);
    dc.DrawText("H", &small, DT_SINGLELINE);
    dc.SelectFont(Font(-40));
    CRect large(0, 100, 200, 200);
    dc.DrawText("H", &large, DT_SINGLELINE);
    auto inkHeight = [this](int top, int bottom) {
        int first = -1;
        int last = -1;
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < 200; ++x) {
                if (IsInk(x, y)) {
                    first = first < 0 ? y : first;
                    last = y;
                }
            }
        }
        return last - first + 1;
    };
    EXPECT_LT(inkHeight(0, 100), 12);
    EXPECT_GT(inkHeight(100, 200), 25);
}

TEST_F(DCTextTest, CalcRectMeasuresWithoutDrawing) {
    CDC dc(image);
    dc.SelectFont(Font(-20));
    const int lineHeight = dc.GetTextHeight();
    CRect shortRect(5, 7, 5, 7);
    EXPECT_EQ(dc.DrawText("Tag", &shortRect, DT_CALCRECT | DT_SINGLELINE), lineHeight);
    CRect longRect(5, 7, 5, 7);
    dc.DrawText("Tag with more text", &longRect, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(shortRect.TopLeft(), CPoint(5, 7));
    EXPECT_EQ(shortRect.Height(), lineHeight);
    EXPECT_EQ(shortRect.Width(), dc.GetTextExtent("Tag").cx);
    EXPECT_GT(longRect.Width(), shortRect.Width());
    EXPECT_TRUE(IsBlank());

    // Word breaks wrap within the width; line ends always start a new line.
    const int wordWidth = dc.GetTextExtent("alpha beta").cx;
    CRect wrapped(0, 0, wordWidth + 2, 0);
    EXPECT_EQ(dc.DrawText("alpha beta alpha beta alpha", &wrapped, DT_CALCRECT | DT_WORDBREAK),
              3 * lineHeight);
    EXPECT_LE(wrapped.Width(), wordWidth + 2);
    CRect lines(0, 0, 0, 0);
    EXPECT_EQ(dc.DrawText("one\r\ntwo\nthree", &lines, DT_CALCRECT), 3 * lineHeight);
    EXPECT_EQ(lines.Width(), dc.GetTextExtent("three").cx);

    // A '&' prefix takes no room unless DT_NOPREFIX.
    CRect prefixed(0, 0, 0, 0);
    dc.DrawText("&File", &prefixed, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(prefixed.Width(), dc.GetTextExtent("File").cx);
    dc.DrawText("&File", &prefixed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(prefixed.Width(), dc.GetTextExtent("&File").cx);
}

TEST_F(DCTextTest, FontHeightsAreLogicalAndScaleWithTheZoom) {
    CDC measuring;
    measuring.SelectFont(Font(30));
    EXPECT_NEAR(measuring.GetTextHeight(), 30, 1);  // positive: cell height
    measuring.SelectFont(Font(-30));
    EXPECT_GT(measuring.GetTextHeight(), 30);  // negative: character height

    int inkHeight[2] = {};
    CRect calc[2];
    for (int i = 0; i < 2; ++i) {
        image.fill(Qt::white);
        CDC dc(image);
        SetZoom(dc, i + 1.0);
        dc.SelectFont(Font(-30));
        calc[i] = CRect(0, 0, 0, 0);
        dc.DrawText("HH", &calc[i], DT_CALCRECT | DT_SINGLELINE);
        CRect rect(0, 0, 200, 100);
        dc.DrawText("HH", &rect, DT_SINGLELINE);
        inkHeight[i] = InkBox().height();
    }
    EXPECT_EQ(calc[0], calc[1]);
    EXPECT_NEAR(inkHeight[0], 21, 3);  // cap height of a 28.8-pixel font
    EXPECT_NEAR(inkHeight[1], 2 * inkHeight[0], 3);
}

TEST_F(DCTextTest, OpaqueModeFillsTheTextBoxWithTheBackgroundColour) {
    for (const int mode : {TRANSPARENT, OPAQUE}) {
        image.fill(Qt::red);
        CDC dc(image);
        dc.SelectFont(Font(-20));
        dc.SetBkMode(mode);
        dc.SetBkColor(kBlue);
        CRect rect(0, 0, 200, 100);
        dc.DrawText("o", &rect, DT_SINGLELINE);
        const CSize extent = dc.GetTextExtent("o");
        // Below the letter and the cell's corner lie in the text box; right of it not.
        EXPECT_EQ(Pixel(extent.cx / 2, extent.cy - 2), mode == OPAQUE ? kBlue : kRed);
        EXPECT_EQ(Pixel(0, 0), mode == OPAQUE ? kBlue : kRed);
        EXPECT_EQ(Pixel(extent.cx + 2, 2), kRed);
    }
}

// --- Paths -----------------------------------------------------------------

// Distance of a point from the ellipse, to first order: |F| / |grad F|.
double EllipseDistance(CPoint point, double cx, double cy, double a, double b) {
    const double dx = point.x - cx;
    const double dy = point.y - cy;
    const double f = dx * dx / (a * a) + dy * dy / (b * b) - 1.0;
    const double gx = 2 * dx / (a * a);
    const double gy = 2 * dy / (b * b);
    return std::abs(f) / std::hypot(gx, gy);
}

TEST_F(DCTest, FlattenedEllipseStaysWithinAUnitOfTheCurve) {
    for (const double zoom : {0.25, 1.0, 4.0}) {
        CDC dc(image);
        SetZoom(dc, zoom);
        dc.SetGraphicsMode(GM_ADVANCED);
        ASSERT_TRUE(dc.BeginPath());
        dc.Ellipse(CRect(10, 20, 810, 320));
        ASSERT_TRUE(dc.EndPath());
        ASSERT_TRUE(dc.FlattenPath());
        const auto figures = dc.GetPath();
        ASSERT_EQ(figures.size(), 1u);
        const std::vector<CPoint>& outline = figures[0];
        EXPECT_GT(outline.size(), 40u);
        EXPECT_EQ(outline.front(), outline.back());
        for (const CPoint& point : outline) {
            EXPECT_LE(EllipseDistance(point, 410, 170, 400, 150), 1.0)
                << "zoom " << zoom << " at " << point.x << "," << point.y;
        }
        // Chord midpoints too: the segments, not just their ends, hug the curve.
        for (size_t i = 1; i < outline.size(); ++i) {
            const CPoint mid((outline[i - 1].x + outline[i].x) / 2,
                             (outline[i - 1].y + outline[i].y) / 2);
            EXPECT_LE(EllipseDistance(mid, 410, 170, 400, 150), 1.5);
        }
    }
    EXPECT_TRUE(IsBlank());
}

TEST_F(DCTest, PathFiguresFollowTheShapeCalls) {
    CDC dc;
    SetZoom(dc, 0.25);  // logical points fall between pixels
    dc.SetGraphicsMode(GM_ADVANCED);
    EXPECT_FALSE(dc.FlattenPath());
    dc.BeginPath();
    dc.Rectangle(CRect(0, 0, 100, 50));
    dc.MoveTo(CPoint(10, 10));
    dc.LineTo(CPoint(20, 10));
    dc.LineTo(CPoint(20, 30));
    const CPoint open[] = {CPoint(1, 2), CPoint(3, 4), CPoint(5, 6)};
    dc.Polyline(open, 3);
    EXPECT_TRUE(dc.GetPath().empty());  // still recording
    dc.EndPath();
    const auto figures = dc.GetPath();
    ASSERT_EQ(figures.size(), 3u);
    EXPECT_EQ(figures[0], (std::vector<CPoint>{CPoint(0, 0), CPoint(100, 0), CPoint(100, 50),
                                               CPoint(0, 50), CPoint(0, 0)}));
    EXPECT_EQ(figures[1], (std::vector<CPoint>{CPoint(10, 10), CPoint(20, 10), CPoint(20, 30)}));
    EXPECT_EQ(figures[2], (std::vector<CPoint>(std::begin(open), std::end(open))));
}

TEST_F(DCTest, PathRecordedUnderARotationReadsBackRotated) {
    CDC dc;
    SetZoom(dc, 1.0);
    dc.SetGraphicsMode(GM_ADVANCED);
    const XFORM rotation = RotationAbout(90, CPoint(100, 100));
    dc.ModifyWorldTransform(&rotation, MWT_RIGHTMULTIPLY);
    dc.BeginPath();
    const CPoint arrow[] = {CPoint(100, 100), CPoint(160, 100), CPoint(150, 90)};
    dc.Polyline(arrow, 3);
    dc.EndPath();
    // Read back under the same transform: the points as drawn.
    EXPECT_EQ(dc.GetPath()[0], (std::vector<CPoint>(std::begin(arrow), std::end(arrow))));
    // Read back without it: the rotated points.
    dc.ModifyWorldTransform(nullptr, MWT_IDENTITY);
    dc.FlattenPath();
    EXPECT_EQ(dc.GetPath()[0],
              (std::vector<CPoint>{CPoint(100, 100), CPoint(100, 160), CPoint(110, 150)}));
}

// --- Saved states ----------------------------------------------------------

TEST_F(DCTest, RestoreDCBringsBackPenMappingAndModes) {
    CDC dc(image);
    dc.SelectPen(Pen(PS_SOLID, 0, kRed));
    const int level = dc.SaveDC();
    dc.SelectPen(Pen(PS_SOLID, 0, kBlue));
    SetZoom(dc, 2.0);
    dc.SetBkMode(TRANSPARENT);
    dc.SaveDC();
    dc.SetGraphicsMode(GM_ADVANCED);
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetGraphicsMode(), GM_COMPATIBLE);
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_TRUE(dc.RestoreDC(level));
    EXPECT_FALSE(dc.RestoreDC(level));
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    dc.MoveTo(CPoint(10, 50));
    dc.LineTo(CPoint(50, 50));
    EXPECT_EQ(Pixel(30, 50), kRed);
    EXPECT_EQ(dc.SelectPen(Pen(PS_SOLID, 0, kBlack)).lopnColor, kRed);
}

// The context works out pens, brushes, fonts and the mapping once and keeps them;
// each change must still reach the next shape.
TEST_F(DCTest, EveryChangeOfPenBrushOrMappingReachesTheNextShape) {
    CDC dc(image);
    dc.SelectPen(Pen(PS_SOLID, 0, kRed));
    dc.SelectBrush(SolidBrush(kBlue));
    dc.Rectangle(CRect(10, 10, 30, 30));
    EXPECT_EQ(Pixel(10, 20), kRed);
    EXPECT_EQ(Pixel(20, 20), kBlue);

    dc.SelectBrush(SolidBrush(kBlack));
    dc.Rectangle(CRect(40, 10, 60, 30));
    EXPECT_EQ(Pixel(50, 20), kBlack);

    // A wide pen's width follows the zoom, also when only the mapping changes.
    dc.SaveDC();
    dc.SelectPen(Pen(PS_SOLID, 4, kRed));
    dc.MoveTo(CPoint(10, 50));
    dc.LineTo(CPoint(60, 50));
    SetZoom(dc, 2.0);
    dc.MoveTo(CPoint(10, 40));
    dc.LineTo(CPoint(60, 40));
    // 40 units are 76.8 pixels at zoom 2; the pen is 7.7 pixels wide there.
    EXPECT_EQ(Pixel(40, 74), kRed);
    EXPECT_EQ(Pixel(40, 79), kRed);
    EXPECT_EQ(Pixel(40, 83), kWhite);
    EXPECT_EQ(Pixel(40, 51), kRed);  // 4 pixels wide about y = 50 before
    EXPECT_EQ(Pixel(40, 54), kWhite);
    dc.RestoreDC(-1);

    // Back to the first pen, brush and mapping.
    dc.Rectangle(CRect(70, 10, 90, 30));
    EXPECT_EQ(Pixel(70, 20), kRed);
    EXPECT_EQ(Pixel(80, 20), kBlack);
    EXPECT_EQ(Pixel(80, 31), kWhite);
}

TEST_F(DCTest, AdvancedModeShapesFollowTheWorldTransform) {
    CDC dc(image);
    dc.SetGraphicsMode(GM_ADVANCED);
    dc.SelectBrush(SolidBrush(kBlue));
    const XFORM shift{1, 0, 0, 1, 100, 0};
    dc.SetWorldTransform(shift);
    dc.Rectangle(CRect(0, 0, 20, 20));
    EXPECT_EQ(Pixel(110, 10), kBlue);
    EXPECT_EQ(Pixel(10, 10), kWhite);
    dc.ModifyWorldTransform(nullptr, MWT_IDENTITY);
    dc.Ellipse(CRect(0, 100, 40, 140));
    EXPECT_EQ(Pixel(20, 120), kBlue);
    EXPECT_EQ(Pixel(1, 101), kWhite);
}

// --- Regions ---------------------------------------------------------------

// A five-pointed star drawn in one stroke: its middle is crossed twice.
CRgn Star(int fillMode) {
    std::vector<CPoint> points;
    for (int i = 0; i < 5; ++i) {
        const double angle = (-90.0 + i * 144.0) / 180.0 * std::numbers::pi;
        points.emplace_back(static_cast<int>(std::lround(100 + 90 * std::cos(angle))),
                            static_cast<int>(std::lround(100 + 90 * std::sin(angle))));
    }
    CRgn region;
    EXPECT_TRUE(region.CreatePolygonRgn(points.data(), 5, fillMode));
    return region;
}

TEST(CRgnTest, FillModeDecidesWhetherTheStarsMiddleIsInside) {
    const CRgn alternate = Star(ALTERNATE);
    const CRgn winding = Star(WINDING);
    EXPECT_FALSE(alternate.PtInRegion(CPoint(100, 100)));
    EXPECT_TRUE(winding.PtInRegion(CPoint(100, 100)));
    EXPECT_FALSE(alternate.RectInRegion(CRect(95, 95, 105, 105)));
    EXPECT_TRUE(winding.RectInRegion(CRect(95, 95, 105, 105)));
    // A point arm is inside both ways.
    EXPECT_TRUE(alternate.PtInRegion(CPoint(100, 25)));
    EXPECT_TRUE(winding.PtInRegion(CPoint(100, 25)));
    EXPECT_EQ(alternate.GetRgnBox().top, 10);
}

TEST(CRgnTest, EllipseAndRoundedRectangleLeaveTheirCornersOut) {
    CRgn ellipse;
    ASSERT_TRUE(ellipse.CreateEllipticRgnIndirect(CRect(100, 100, 0, 50)));  // normalised
    EXPECT_TRUE(ellipse.PtInRegion(CPoint(50, 75)));
    EXPECT_TRUE(ellipse.PtInRegion(CPoint(1, 75)));
    EXPECT_FALSE(ellipse.PtInRegion(CPoint(2, 52)));
    EXPECT_FALSE(ellipse.RectInRegion(CRect(0, 50, 8, 56)));
    EXPECT_FALSE(ellipse.RectInRegion(CRect(92, 94, 100, 100)));
    EXPECT_EQ(ellipse.GetRgnBox(), CRect(0, 50, 100, 100));

    CRgn rounded;
    ASSERT_TRUE(rounded.CreateRoundRectRgn(0, 0, 100, 100, 40, 40));
    EXPECT_FALSE(rounded.PtInRegion(CPoint(1, 1)));
    EXPECT_TRUE(rounded.PtInRegion(CPoint(1, 50)));
    EXPECT_TRUE(rounded.PtInRegion(CPoint(10, 10)));
    EXPECT_FALSE(rounded.PtInRegion(CPoint(98, 98)));
}

TEST(CRgnTest, RectInRegionCountsOverlapNotTouching) {
    CRgn box;
    EXPECT_FALSE(box.IsValid());
    EXPECT_FALSE(box.RectInRegion(CRect(0, 0, 10, 10)));
    ASSERT_TRUE(box.CreateRectRgnIndirect(CRect(10, 10, 20, 20)));
    EXPECT_TRUE(box.PtInRegion(CPoint(10, 10)));
    EXPECT_FALSE(box.PtInRegion(CPoint(20, 19)));
    EXPECT_FALSE(box.RectInRegion(CRect(20, 10, 30, 20)));  // shares the right edge
    EXPECT_TRUE(box.RectInRegion(CRect(19, 10, 30, 20)));
    EXPECT_TRUE(box.RectInRegion(CRect(30, 30, 0, 0)));     // inverted, holds the region
    EXPECT_TRUE(box.RectInRegion(CRect(15, 15, 15, 15)));   // a point inside
    EXPECT_FALSE(box.RectInRegion(CRect(20, 20, 20, 20)));  // a point just outside
    EXPECT_TRUE(box.RectInRegion(CRect(12, 0, 12, 30)));    // zero width, crossing

    // A diagonal band, as links and lines test with.
    const CPoint band[] = {CPoint(0, 4), CPoint(4, 0), CPoint(104, 100), CPoint(100, 104)};
    CRgn diagonal;
    ASSERT_TRUE(diagonal.CreatePolygonRgn(band, 4, WINDING));
    EXPECT_TRUE(diagonal.RectInRegion(CRect(50, 50, 51, 51)));
    EXPECT_FALSE(diagonal.RectInRegion(CRect(70, 20, 80, 30)));

    const CPoint line[] = {CPoint(0, 0), CPoint(50, 50), CPoint(100, 100)};
    CRgn flat;
    ASSERT_TRUE(flat.CreatePolygonRgn(line, 3, ALTERNATE));
    EXPECT_FALSE(flat.RectInRegion(CRect(40, 40, 60, 60)));
    EXPECT_FALSE(flat.CreatePolygonRgn(line, 1, ALTERNATE));
}

}  // namespace
