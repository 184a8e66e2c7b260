// The colour and line-width tool boxes, clicked and typed at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>
#include <set>
#include <utility>
#include <vector>

#include "vexilla/ColorBar.h"
#include "vexilla/LineWidthBar.h"

namespace {

using Pick = std::pair<int, QColor>;
constexpr int kLine = CColorBar::kLine;
constexpr int kFill = CColorBar::kFill;

class ColorBarTest : public testing::Test {
protected:
    void SetUp() override {
        m_bar.SetClickHandler(
            [this](int which, const QColor& c) { m_picks.emplace_back(which, c); });
        m_bar.show();
    }
    void Click(int index, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(&m_bar, button, {}, m_bar.GetSwatchRect(index).center());
    }
    QColor PixelAt(const QPoint& point) { return m_bar.grab().toImage().pixelColor(point); }
    // A point of the fill indicator that the line indicator never covers, and one
    // where the two overlap.
    QPoint FillCorner() const { return m_bar.GetIndicatorRect(kFill).bottomRight() - QPoint(4, 4); }
    QPoint Overlap() const {
        return (m_bar.GetIndicatorRect(kLine) & m_bar.GetIndicatorRect(kFill)).center();
    }

    CColorBar m_bar;
    std::vector<Pick> m_picks;
};

TEST_F(ColorBarTest, EveryClickReportsTheColourDrawnUnderTheCursor) {
    const QImage image = m_bar.grab().toImage();
    std::set<QRgb> distinct;
    for (int index = 0; index < CColorBar::GetSwatchCount(); ++index) {
        const QColor shown = image.pixelColor(m_bar.GetSwatchRect(index).center());
        distinct.insert(shown.rgb());
        Click(index);
        Click(index, Qt::RightButton);
        ASSERT_EQ(m_picks.size(), 2u * index + 2);
        EXPECT_EQ(m_picks[2 * index], Pick(kLine, shown)) << index;
        EXPECT_EQ(m_picks[2 * index + 1], Pick(kFill, shown)) << index;
    }
    EXPECT_EQ(distinct.size(), size_t(CColorBar::GetSwatchCount()));
}

TEST_F(ColorBarTest, IndicatorsShowTheLastPicksAndRepeatedPicksAreReportedAgain) {
    Click(10);                   // red
    Click(14, Qt::RightButton);  // blue
    Click(10);
    ASSERT_EQ(m_picks.size(), 3u);
    EXPECT_EQ(m_picks[2], m_picks[0]);
    EXPECT_EQ(m_bar.GetLineColor(), QColor(Qt::red));
    EXPECT_EQ(PixelAt(Overlap()), QColor(Qt::red));
    EXPECT_EQ(PixelAt(FillCorner()), QColor(Qt::blue));

    // Set from outside, the indicators change but nothing is reported.
    m_bar.SetFillColor(Qt::yellow);
    EXPECT_EQ(PixelAt(FillCorner()), QColor(Qt::yellow));
    EXPECT_EQ(m_picks.size(), 3u);
}

TEST_F(ColorBarTest, ClicksBesideTheSwatchesOrWithTheMiddleButtonReportNothing) {
    const QRect first = m_bar.GetSwatchRect(0);
    const QRect last = m_bar.GetSwatchRect(CColorBar::GetSwatchCount() - 1);
    for (const QPoint point : {QPoint(first.right() + 1, first.center().y()),
                               QPoint(first.center().x(), first.bottom() + 1),
                               last.bottomRight() + QPoint(1, 1), QPoint(1, 1)}) {
        QTest::mouseClick(&m_bar, Qt::LeftButton, {}, point);
        QTest::mouseClick(&m_bar, Qt::RightButton, {}, point);
    }
    Click(5, Qt::MiddleButton);
    EXPECT_TRUE(m_picks.empty());
}

TEST_F(ColorBarTest, FillModeSwapsTheButtonsAndBringsTheFillIndicatorToTheFront) {
    m_bar.SetLineColor(Qt::red);
    m_bar.SetFillColor(Qt::blue);
    QTest::mouseClick(&m_bar, Qt::LeftButton, {}, FillCorner());
    ASSERT_TRUE(m_bar.IsFillMode());
    EXPECT_EQ(PixelAt(Overlap()), QColor(Qt::blue));
    Click(4);
    Click(6, Qt::RightButton);
    QTest::keyClick(&m_bar, Qt::Key_Return);
    const std::vector<Pick> expected = {{kFill, CColorBar::GetSwatchColor(4)},
                                        {kLine, CColorBar::GetSwatchColor(6)},
                                        {kFill, CColorBar::GetSwatchColor(6)}};
    EXPECT_EQ(m_picks, expected);

    // The line indicator, now behind, still shows at its top left corner.
    QTest::mouseClick(&m_bar, Qt::LeftButton, {},
                      m_bar.GetIndicatorRect(kLine).topLeft() + QPoint(4, 4));
    EXPECT_FALSE(m_bar.IsFillMode());
}

TEST_F(ColorBarTest, KeyboardMovesWithinTheGridAndPicksWithEnter) {
    const int last = CColorBar::GetSwatchCount() - 1;
    const int columns = CColorBar::kColumns;
    for (const auto key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down}) {
        QTest::keyClick(&m_bar, key);
    }
    EXPECT_EQ(m_bar.GetCurrentIndex(), columns + 1);
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(&m_bar, Qt::Key_Down);
    }
    EXPECT_EQ(m_bar.GetCurrentIndex(), last - columns + 2);  // stays in its column
    for (const auto key : {Qt::Key_End, Qt::Key_Right, Qt::Key_Left, Qt::Key_A}) {
        QTest::keyClick(&m_bar, key);
    }
    EXPECT_TRUE(m_picks.empty());
    QTest::keyClick(&m_bar, Qt::Key_Return);
    QTest::keyClick(&m_bar, Qt::Key_Enter, Qt::ShiftModifier);
    const QColor picked = CColorBar::GetSwatchColor(last - 1);
    EXPECT_EQ(m_picks, (std::vector<Pick>{{kLine, picked}, {kFill, picked}}));
    QTest::keyClick(&m_bar, Qt::Key_Home);
    EXPECT_EQ(m_bar.GetCurrentIndex(), 0);
}

// The right button picks the fill colour, so the window holding the box must not
// open its menu for the same click.
TEST(ColorBar, RightButtonOpensNoContextMenuOfTheToolBoxWindow) {
    QWidget window;
    window.setContextMenuPolicy(Qt::CustomContextMenu);
    int menus = 0;
    QObject::connect(&window, &QWidget::customContextMenuRequested, [&menus] { ++menus; });
    auto* bar = new CColorBar(&window);
    window.resize(bar->width() + 50, bar->height());
    auto askForMenu = [](QWidget* widget, const QPoint& point) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, widget->mapToGlobal(point));
        QApplication::sendEvent(widget, &event);
    };
    askForMenu(bar, bar->GetSwatchRect(3).center());
    EXPECT_EQ(menus, 0);
    askForMenu(&window, QPoint(bar->width() + 5, 5));
    EXPECT_EQ(menus, 1);  // beside the box the window's menu still opens
}

class LineWidthBarTest : public testing::Test {
protected:
    void SetUp() override {
        m_bar.SetClickHandler([this](int width) { m_picks.push_back(width); });
        m_bar.show();
    }
    void Click(int index) {
        QTest::mouseClick(&m_bar, Qt::LeftButton, {}, m_bar.GetItemRect(index).center());
    }
    // The samples drawn on the highlight colour.
    std::vector<int> Highlighted() {
        const QImage image = m_bar.grab().toImage();
        std::vector<int> rows;
        for (int index = 0; index < int(m_bar.GetWidths().size()); ++index) {
            const QPoint corner = m_bar.GetItemRect(index).topLeft() + QPoint(1, 1);
            if (image.pixelColor(corner) == m_bar.palette().color(QPalette::Highlight)) {
                rows.push_back(index);
            }
        }
        return rows;
    }

    CLineWidthBar m_bar;
    std::vector<int> m_picks;
};

TEST_F(LineWidthBarTest, EachSampleIsAsThickAsItsWidth) {
    const QImage image = m_bar.grab().toImage();
    const QColor ink = m_bar.palette().color(QPalette::WindowText);
    ASSERT_EQ(m_bar.GetWidths(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    for (int index = 0; index < 8; ++index) {
        const QRect row = m_bar.GetItemRect(index);
        int thickness = 0;
        for (int y = row.top(); y <= row.bottom(); ++y) {
            thickness += image.pixelColor(row.center().x() + 10, y) == ink ? 1 : 0;
        }
        EXPECT_EQ(thickness, index + 1) << "row " << index;
    }
    EXPECT_LE(m_bar.GetItemRect(7).bottom(), m_bar.height() - 1);
}

TEST_F(LineWidthBarTest, ClickChoosesHighlightsAndReportsEveryTime) {
    EXPECT_TRUE(Highlighted().empty());
    for (int index = 0; index < 8; ++index) {
        Click(index);
        EXPECT_EQ(Highlighted(), std::vector<int>{index});
    }
    Click(7);
    QTest::mouseClick(&m_bar, Qt::LeftButton, {}, QPoint(m_bar.width() / 2, m_bar.height() - 1));
    QTest::mouseClick(&m_bar, Qt::RightButton, {}, m_bar.GetItemRect(2).center());
    EXPECT_EQ(m_picks, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 8}));
    EXPECT_EQ(m_bar.GetLineWidth(), 8);

    // Set from outside, a width is highlighted without a report; one not offered
    // (a selection drawn wider) clears the highlight.
    EXPECT_TRUE(m_bar.SetLineWidth(5));
    EXPECT_EQ(Highlighted(), std::vector<int>{4});
    EXPECT_FALSE(m_bar.SetLineWidth(20));
    EXPECT_EQ(m_bar.GetLineWidth(), 0);
    EXPECT_TRUE(Highlighted().empty());
    EXPECT_EQ(m_picks.size(), 9u);
}

TEST_F(LineWidthBarTest, KeyboardMovesAndChooses) {
    for (const auto key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return,
                           Qt::Key_End, Qt::Key_Down, Qt::Key_Space, Qt::Key_Home, Qt::Key_Enter}) {
        QTest::keyClick(&m_bar, key);
    }
    EXPECT_EQ(m_picks, (std::vector<int>{4, 8, 1}));
    EXPECT_EQ(m_bar.GetLineWidth(), 1);
}

TEST(LineWidthBar, OffersOnlyPositiveWidthsOfItsOwnSet) {
    CLineWidthBar bar(nullptr, {0, 1, -2, 3, 6});
    EXPECT_EQ(bar.GetWidths(), (std::vector<int>{1, 3, 6}));
    EXPECT_EQ(bar.ItemAt(bar.GetItemRect(2).center()), 2);
    EXPECT_FALSE(bar.SetLineWidth(2));

    CLineWidthBar empty(nullptr, {});
    int picks = 0;
    empty.SetClickHandler([&picks](int) { ++picks; });
    QTest::keyClick(&empty, Qt::Key_End);
    QTest::keyClick(&empty, Qt::Key_Return);  // nothing to choose
    EXPECT_EQ(picks, 0);
}

}  // namespace
