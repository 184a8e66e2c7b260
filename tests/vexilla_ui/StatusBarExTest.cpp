// The status bar with its panes, logo controls and drawn icons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <functional>

#include "vexilla/StatusBarEx.h"

namespace {

// The main window's panes, left to right, and their widths.
constexpr int kIds[] = {28872, 28870, 28877, 28874, 28875, 28878, 28880, 28882};
constexpr int kWidths[] = {50, 50, 100, 53, 160, 250, 120, 100};
constexpr int kTx = 28872, kRx = 28870, kInterface = 28877, kEmpty = 28878, kMemory = 28880;

// The bounding box of the pixels of the area that pass the test.
QRect BoundsOf(const QImage& image, const QRect& area, const std::function<bool(QColor)>& test) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            bounds |= test(image.pixelColor(x, y)) ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return bounds;
}

bool BrightGreen(const QColor& c) {
    return c.alpha() == 255 && c.green() > 180 && c.red() < 120 && c.blue() < 120;
}

bool LogoGreen(const QColor& c) {
    return c.red() < 12 && std::abs(c.green() - 128) < 12 && c.blue() < 12;
}

class StatusBarExTest : public testing::Test {
protected:
    void SetUp() override {
        std::vector<CStatusBarEx::PaneInfo> panes;
        for (int index = 0; index < 8; ++index) {
            panes.push_back({kIds[index], kWidths[index], index < 2 ? 1u : 0u});
        }
        ASSERT_TRUE(m_bar.SetPanes(panes));
        m_bar.resize(1100, 24);
        m_bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_bar));
    }
    QImage GrabPane(int id) const { return m_bar.GetPaneWidget(id)->grab().toImage(); }
    QColor Background() const { return m_bar.palette().color(QPalette::Window); }

    CStatusBarEx m_bar;
};

TEST_F(StatusBarExTest, PanesStandLeftToRightAtTheirWidthsRightOfTheMessageSpace) {
    ASSERT_EQ(m_bar.GetPaneCount(), 8);
    int right = 100;  // the left stays free for messages
    for (int index = 0; index < 8; ++index) {
        const QWidget* pane = m_bar.GetPaneWidget(kIds[index]);
        ASSERT_NE(pane, nullptr);
        EXPECT_EQ(m_bar.GetPaneId(index), kIds[index]);
        EXPECT_EQ(m_bar.CommandToIndex(kIds[index]), index);
        EXPECT_EQ(pane->width(), kWidths[index]) << index;
        EXPECT_GE(pane->x(), right) << index;
        right = pane->x() + pane->width();
    }
    EXPECT_LE(right, m_bar.width());
    EXPECT_EQ(m_bar.CommandToIndex(1234), -1);
    EXPECT_EQ(m_bar.GetPaneId(8), -1);
}

TEST_F(StatusBarExTest, RefusedPaneListsLeaveThePanesAndAcceptedOnesReplaceThem) {
    const CStatusBarEx::PaneInfo repeated[] = {{1, 40}, {2, 40}, {1, 40}};
    const CStatusBarEx::PaneInfo negative[] = {{1, -5}};
    EXPECT_FALSE(m_bar.SetPanes(repeated));
    EXPECT_FALSE(m_bar.SetPanes(negative));
    EXPECT_EQ(m_bar.GetPaneCount(), 8);

    const CStatusBarEx::PaneInfo two[] = {{1, 40}, {2, 70}};
    ASSERT_TRUE(m_bar.SetPanes(two));
    EXPECT_EQ(m_bar.GetPaneCount(), 2);
    EXPECT_FALSE(m_bar.SetPaneText(kTx, "gone"));
    EXPECT_EQ(m_bar.GetPaneWidth(2), 70);
    EXPECT_EQ(m_bar.findChildren<QWidget*>().size(), 2 + (m_bar.isSizeGripEnabled() ? 1 : 0));
}

TEST_F(StatusBarExTest, TextsAndIconsBelongToTheirPanes) {
    EXPECT_TRUE(m_bar.SetPaneText(kMemory, "402 bytes Free"));
    EXPECT_EQ(m_bar.GetPaneText(kMemory), "402 bytes Free");
    EXPECT_EQ(m_bar.GetPaneText(kEmpty), "");
    EXPECT_FALSE(m_bar.SetPaneText(1234, "nowhere"));
    EXPECT_FALSE(m_bar.SetPaneIcon(1234, CStatusBarEx::LightIcon(true)));

    // A light alone stands in the middle of its pane; removing it leaves no trace.
    ASSERT_TRUE(m_bar.SetPaneIcon(kTx, CStatusBarEx::LightIcon(true)));
    QImage image = GrabPane(kTx);
    const QRect light = BoundsOf(image, image.rect(), BrightGreen);
    EXPECT_NEAR(light.center().x(), image.width() / 2, 2);
    EXPECT_TRUE(BoundsOf(GrabPane(kRx), image.rect(), BrightGreen).isEmpty());
    ASSERT_TRUE(m_bar.SetPaneIcon(kTx, QIcon()));
    EXPECT_TRUE(m_bar.GetPaneIcon(kTx).isNull());
    image = GrabPane(kTx);
    EXPECT_TRUE(BoundsOf(image, image.rect(), BrightGreen).isEmpty());

    // Beside a text the icon takes the text's place and the text moves past it, whole.
    const QColor ink = m_bar.palette().color(QPalette::WindowText);
    auto isInk = [&ink](const QColor& c) { return std::abs(c.value() - ink.value()) < 40; };
    image = GrabPane(kMemory);
    const QRect inside = image.rect().adjusted(1, 1, -1, -1);
    const QRect text = BoundsOf(image, inside, isInk);
    m_bar.SetPaneIcon(kMemory, CStatusBarEx::LightIcon(true));
    image = GrabPane(kMemory);
    const QRect icon = BoundsOf(image, inside, BrightGreen);
    const QRect moved = BoundsOf(image, inside.adjusted(icon.right() + 3, 0, 0, 0), isInk);
    EXPECT_LE(icon.left(), text.left() + 4);
    EXPECT_GE(moved.left(), text.left() + 16);
    EXPECT_EQ(moved.width(), text.width());
}

TEST_F(StatusBarExTest, BorderlessPanesHaveNoFrameFromThePaneNorFromTheBar) {
    QStyle* framing = QStyleFactory::create("Windows");  // frames every status bar item
    ASSERT_NE(framing, nullptr);
    framing->setParent(&m_bar);
    m_bar.setStyle(framing);
    const QWidget* tx = m_bar.GetPaneWidget(kTx);
    const QImage bar = m_bar.grab().toImage();
    const int middle = tx->y() + tx->height() / 2;
    EXPECT_EQ(bar.pixelColor(tx->x(), middle), Background());
    EXPECT_EQ(bar.pixelColor(tx->x() - 2, middle), Background());
    EXPECT_NE(bar.pixelColor(m_bar.GetPaneWidget(kEmpty)->x(), middle), Background());

    ASSERT_TRUE(m_bar.SetPaneStyle(kEmpty, CStatusBarEx::kPaneNoBorder));
    const QImage after = GrabPane(kEmpty);
    EXPECT_EQ(after.pixelColor(0, after.height() / 2), Background());
}

TEST_F(StatusBarExTest, TemporaryMessageIsDrawnLeftOfThePanes) {
    const QRect space(0, 0, m_bar.GetPaneWidget(kTx)->x() - 2, m_bar.height());
    auto isInk = [](const QColor& c) { return c.value() < 100; };
    EXPECT_TRUE(BoundsOf(m_bar.grab().toImage(), space, isInk).isEmpty());
    m_bar.showMessage("Ready to download the configuration");
    EXPECT_FALSE(BoundsOf(m_bar.grab().toImage(), space, isInk).isEmpty());
    EXPECT_TRUE(m_bar.GetPaneWidget(kMemory)->isVisible());
}

TEST_F(StatusBarExTest, LogoControlDrawsItsTextInItsColourOnTheButtonFace) {
    QFont font("Arial");
    font.setPixelSize(16);
    font.setWeight(QFont::Black);
    EXPECT_FALSE(m_bar.AddLogoControl(1234, "SERIAL", QColor(0, 128, 0), font));
    ASSERT_TRUE(m_bar.AddLogoControl(kInterface, "SERIAL", QColor(0, 128, 0), font));
    QApplication::processEvents();  // the bar grows for the larger font

    const QWidget* logo = m_bar.GetLogoControl(kInterface);
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->geometry(), m_bar.GetPaneWidget(kInterface)->contentsRect());
    EXPECT_GE(logo->height(), QFontMetrics(font).height());
    EXPECT_EQ(m_bar.GetLogoControl(kMemory), nullptr);

    QImage image = GrabPane(kInterface);
    EXPECT_EQ(image.pixelColor(2, 2), m_bar.palette().color(QPalette::Button));
    const QRect inside = image.rect().adjusted(1, 1, -1, -1);
    const QRect text = BoundsOf(image, inside, LogoGreen);
    EXPECT_NEAR(text.center().x(), image.width() / 2, 3);

    EXPECT_TRUE(m_bar.SetLogoText(kInterface, "ETHERNET"));
    EXPECT_EQ(m_bar.GetLogoText(kInterface), "ETHERNET");
    EXPECT_FALSE(m_bar.SetLogoText(kMemory, "no logo here"));
    image = GrabPane(kInterface);
    EXPECT_GT(BoundsOf(image, inside, LogoGreen).width(), text.width());
}

TEST(StatusBarExIcons, LightsAreRoundBrightWhenLitAndDarkOtherwise) {
    QColor centre[2];
    for (const bool lit : {false, true}) {
        const QIcon icon = CStatusBarEx::LightIcon(lit);
        // Drawn at the size shown, so sharp on dense screens too.
        const QImage large = icon.pixmap(QSize(32, 32)).toImage();
        EXPECT_EQ(large.size(), QSize(32, 32));
        EXPECT_EQ(large.pixelColor(1, 1).alpha(), 0);
        EXPECT_EQ(large.pixelColor(16, 16).alpha(), 255);
        const QImage image = icon.pixmap(QSize(16, 16)).toImage();
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);  // round: the corners stay clear
        centre[lit] = image.pixelColor(8, 8);
    }
    EXPECT_TRUE(BrightGreen(centre[1])) << centre[1].name().toStdString();
    EXPECT_LT(centre[0].green(), 120);
    EXPECT_GT(centre[0].green(), centre[0].red());

    // A disabled icon is the same picture, faded.
    const QImage disabled =
        CStatusBarEx::LightIcon(true).pixmap(QSize(16, 16), QIcon::Disabled).toImage();
    EXPECT_GT(disabled.pixelColor(8, 8).alpha(), 0);
    EXPECT_LT(disabled.pixelColor(8, 8).alpha(), 160);

    const QImage chip = CStatusBarEx::MemoryIcon().pixmap(QSize(16, 16)).toImage();
    const QRect drawn =
        BoundsOf(chip, chip.rect(), [](const QColor& c) { return c.alpha() > 128; });
    EXPECT_GE(drawn.width(), 10);
    EXPECT_GE(drawn.height(), 10);
}

}  // namespace
