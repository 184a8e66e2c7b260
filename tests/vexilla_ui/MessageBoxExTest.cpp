#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "vexilla/MessageBoxEx.h"
#include "vexilla/MessageBoxLayout.h"

namespace {

constexpr int kSaveAndDownload = 28736;
constexpr int kOnlyDownload = 28737;
constexpr int kCancel = 28738;

// Metrics of 1.5 pixels per horizontal and 2 pixels per vertical dialog unit.
CMessageBoxLayout EvenLayout() {
    CMessageBoxLayout layout;
    layout.SetPixelsPer1000(QSize(1500, 2000));
    return layout;
}

TEST(MessageBoxLayout, ConvertsDialogUnitsFromTheFont) {
    CMessageBoxLayout layout;
    // 52 letters 364 pixels wide: 7 pixels a letter; 13 pixels a line.
    layout.SetFontMeasures(364, 13);
    EXPECT_EQ(layout.GetPixelsPer1000(), QSize(1750, 1625));
    EXPECT_EQ(layout.FromDlgX(10), 17);
    EXPECT_EQ(layout.FromDlgY(7), 11);
    EXPECT_EQ(layout.GetMetric(9), 40);
    EXPECT_EQ(layout.GetMetric(3), 7);
    EXPECT_EQ(layout.GetMetric(10), -1);
    layout.SetMetric(10, 99);
    layout.SetMetric(-1, 99);
    layout.SetMetric(9, 20);
    EXPECT_EQ(layout.GetMetric(9), 20);
}

TEST(MessageBoxLayout, ButtonsShareOneSizeOfAtLeastTheMinimumText) {
    const CMessageBoxLayout layout = EvenLayout();
    // Minimum text 40 du = 60 px, padding 7 du = 10 px each side, 4 du = 8 px.
    EXPECT_EQ(layout.ButtonSize(QSize(50, 13)), QSize(80, 29));
    EXPECT_EQ(layout.ButtonSize(QSize(100, 15)), QSize(120, 31));
}

TEST(MessageBoxLayout, ArrangesMessageAndCentredButtonRow) {
    const CMessageBoxLayout layout = EvenLayout();
    const auto placement = layout.Arrange(QSize(200, 40), QSize(), QSize(80, 29), 3, -1);
    // Row 3 * 80 + 2 * 10 = 260, wider than the message; margins 15 + 15.
    EXPECT_EQ(placement.client, QSize(290, 40 + 14 + 20 + 14 + 29 + 5));
    EXPECT_TRUE(placement.icon.isEmpty());
    EXPECT_TRUE(placement.bar.isEmpty());
    EXPECT_EQ(placement.message, QRect(15, 20, 262, 40));
    ASSERT_EQ(placement.buttons.size(), 3u);
    EXPECT_EQ(placement.buttons[0], QRect(15, 79, 80, 29));
    EXPECT_EQ(placement.buttons[1].topLeft(), QPoint(105, 79));
    EXPECT_EQ(placement.buttons[2].topLeft(), QPoint(195, 79));
}

TEST(MessageBoxLayout, IconWidensTheContentAndMovesTheMessage) {
    const CMessageBoxLayout layout = EvenLayout();
    const auto placement = layout.Arrange(QSize(400, 20), QSize(32, 32), QSize(80, 29), 1, -1);
    // Content 32 + 15 + 400; the icon is taller than the message.
    EXPECT_EQ(placement.client, QSize(477, 32 + 14 + 20 + 14 + 29 + 5));
    EXPECT_EQ(placement.icon, QRect(15, 20, 32, 32));
    EXPECT_EQ(placement.message, QRect(62, 20, 402, 20));
    EXPECT_EQ(placement.buttons[0].left(), (477 - 80) / 2);
}

TEST(MessageBoxLayout, ProgressBarWidensAShortBoxAndSitsBelowTheMessage) {
    const CMessageBoxLayout layout = EvenLayout();
    const QSize noButton = layout.ButtonSize(QSize());
    const auto bare = layout.Arrange(QSize(50, 20), QSize(), noButton, 0, 20);
    EXPECT_EQ(bare.client, QSize(300, 20 + 14 + 20 + 14 + noButton.height() + 10 + 5));
    EXPECT_EQ(bare.bar, QRect(15, 45, 270, 20));
    EXPECT_TRUE(bare.buttons.empty());

    const auto withButton = layout.Arrange(QSize(50, 20), QSize(), QSize(80, 29), 1, 20);
    const int height = 20 + 14 + 20 + 14 + 29 + 15 + 5;
    EXPECT_EQ(withButton.client, QSize(300, height));
    EXPECT_EQ(withButton.buttons[0], QRect(110, height - 14 - 29 + 5, 80, 29));
}

TEST(MessageBoxLayout, FitMessageFindsTheNarrowestWidthKeepingTheHeight) {
    // 1000 pixels of text in lines of 10 pixels, broken anywhere.
    int tries = 0;
    const auto flowing = [&tries](int width) {
        ++tries;
        return width <= 0 ? 100000 : 10 * ((1000 + width - 1) / width);
    };
    const QSize fitted = CMessageBoxLayout::FitMessage(800, flowing);
    // At 400 pixels the text takes 3 lines; 334 is the narrowest width for 3 lines.
    EXPECT_EQ(fitted, QSize(334, 30));
    EXPECT_LT(tries, 20);

    // A single line stays a single line.
    const auto word = [](int width) { return width < 60 ? 20 : 10; };
    EXPECT_EQ(CMessageBoxLayout::FitMessage(800, word), QSize(60, 10));
    EXPECT_EQ(CMessageBoxLayout::FitMessage(1, word), QSize(0, 20));
}

TEST(MessageBoxEx, RtfShowsItsPlainText) {
    EXPECT_EQ(CMessageBoxEx::PlainTextOfRtf(
                  "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
                  "{\\*\\generator Editor;}\\f0\\fs20 Hello \\b World\\b0\\par\r\n"
                  "Caf\\'e9\\tab 50\\{x\\}\\\\ \\u8364?\\par}"),
              QString::fromUtf8("Hello World\nCaf\u00e9\t50{x}\\ \u20ac"));

    CMessageBoxEx box(nullptr, 1);
    const QString rtf = "{\\rtf1 Plain \\b bold\\b0}";
    box.SetMsg(rtf);
    EXPECT_EQ(box.GetShownText(), rtf);
    box.SetRtf(true);
    box.AddButton(1, true, 0, true, "OK");
    ASSERT_TRUE(box.DoModeless());
    EXPECT_EQ(box.GetMessageControl()->text(), "Plain bold");
    box.EndDialog(1);
}

class TransferQuestion : public testing::Test {
protected:
    void SetUp() override {
        m_box.SetTitle("Download");
        m_box.SetStandardIcon(CMessageBoxEx::kIconQuestion);
        m_box.SetMsg("Do you want to save the configuration before downloading to the Varex ?");
        m_box.AddButton(kSaveAndDownload, false, 10, false, "Save and Download");
        m_box.AddButton(kOnlyDownload, false, 20, false, "Only Download");
        m_box.AddButton(kCancel, true, 30, true, "Cancel");
    }

    // Runs the box modal and applies action once it shows.
    int RunModal(const std::function<void()>& action) {
        QTimer::singleShot(0, &m_box, action);
        // Ends a box the action failed to end, so that a fault fails instead of hanging.
        QTimer::singleShot(5000, &m_box, [this] { m_box.EndDialog(-2); });
        return m_box.DoModal();
    }

    CMessageBoxEx m_box{nullptr, 1};
};

TEST_F(TransferQuestion, ButtonsStandInOrderAroundTheFocusedDefault) {
    ASSERT_TRUE(m_box.DoModeless());
    EXPECT_TRUE(m_box.isVisible());
    EXPECT_EQ(m_box.windowTitle(), "Download");
    EXPECT_TRUE(m_box.windowFlags() & Qt::WindowCloseButtonHint);
    const int ids[] = {kSaveAndDownload, kOnlyDownload, kCancel};
    const char* texts[] = {"Save and Download", "Only Download", "Cancel"};
    int previousRight = 0;
    for (int i = 0; i < 3; ++i) {
        QPushButton* button = m_box.GetButton(ids[i]);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), texts[i]);
        EXPECT_EQ(button->size(), m_box.GetButton(kSaveAndDownload)->size());
        EXPECT_GT(button->x(), previousRight);
        EXPECT_EQ(button->y(), m_box.GetButton(kSaveAndDownload)->y());
        previousRight = button->geometry().right();
    }
    EXPECT_EQ(m_box.GetButtonValue(kOnlyDownload), 20);
    EXPECT_TRUE(m_box.GetButton(kCancel)->isDefault());
    EXPECT_EQ(m_box.focusWidget(), m_box.GetButton(kCancel));
    // The row is centred in the box and the icon pushes the message right.
    const int row = previousRight + 1 - m_box.GetButton(kSaveAndDownload)->x();
    EXPECT_LE(std::abs(m_box.GetButton(kSaveAndDownload)->x() - (m_box.width() - row) / 2), 1);
    EXPECT_GT(m_box.GetMessageControl()->x(), m_box.GetLayout().FromDlgX(10) + 16);
    m_box.EndDialog(kCancel);
}

TEST_F(TransferQuestion, EscapeEndsWithTheEscapeButton) {
    EXPECT_EQ(RunModal([this] { QTest::keyClick(&m_box, Qt::Key_Escape); }), kCancel);
    EXPECT_FALSE(m_box.isVisible());
    // Ending destroys the buttons.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_box.GetButton(kCancel), nullptr);
}

TEST_F(TransferQuestion, CtrlBreakEndsWithTheEscapeButton) {
    EXPECT_EQ(RunModal([this] {
                  QTest::keyClick(m_box.GetButton(kSaveAndDownload), Qt::Key_Pause,
                                  Qt::ControlModifier);
              }),
              kCancel);
}

TEST_F(TransferQuestion, EnterEndsWithTheFocusedButton) {
    EXPECT_EQ(RunModal([this] {
                  QPushButton* button = m_box.GetButton(kOnlyDownload);
                  button->setFocus();
                  QTest::keyClick(button, Qt::Key_Return);
              }),
              kOnlyDownload);
    EXPECT_EQ(m_box.GetDefaultButton(), kOnlyDownload);
}

TEST_F(TransferQuestion, EnterOutsideTheButtonsEndsWithTheDefault) {
    EXPECT_EQ(RunModal([this] {
                  m_box.GetMessageControl()->setFocus();
                  QTest::keyClick(&m_box, Qt::Key_Enter);
              }),
              kCancel);
}

TEST_F(TransferQuestion, ClickEndsWithThatButton) {
    EXPECT_EQ(
        RunModal([this] { QTest::mouseClick(m_box.GetButton(kSaveAndDownload), Qt::LeftButton); }),
        kSaveAndDownload);
    EXPECT_EQ(m_box.GetResult(), kSaveAndDownload);
}

TEST(MessageBoxEx, WithoutEscapeButtonTheBoxCannotBeClosed) {
    CMessageBoxEx box(nullptr, 1);
    box.SetMsg("Monitoring failed.");
    box.AddButton(1, false, 0, false, "Retry");
    box.AddButton(2, false, 0, false, "Go Offline");
    ASSERT_TRUE(box.DoModeless());
    EXPECT_FALSE(box.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(box.windowFlags() & Qt::WindowSystemMenuHint);

    QTest::keyClick(&box, Qt::Key_Escape);
    QTest::keyClick(box.GetButton(1), Qt::Key_Pause, Qt::ControlModifier);
    // Enter with no button focused and no default does nothing either.
    box.GetMessageControl()->setFocus();
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_FALSE(box.close());
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(box.GetResult(), -1);
    // A second run while it shows is refused.
    EXPECT_FALSE(box.DoModeless());
    EXPECT_EQ(box.DoModal(), -1);

    QTest::mouseClick(box.GetButton(2), Qt::LeftButton);
    EXPECT_EQ(box.GetResult(), 2);
    EXPECT_FALSE(box.isVisible());
}

TEST(MessageBoxEx, ModelessProgressFollowsTheWork) {
    CMessageBoxEx box(nullptr, 1);
    box.SetTitle("Download");
    box.SetMsg("Sending the configuration to Varex. Please wait.");
    box.AddProgressBar(0, 5, 1, CMessageBoxEx::kBarColorPlain, 1);
    ASSERT_TRUE(box.DoModeless());
    QProgressBar* bar = box.GetProgressBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 5);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_GE(box.width(), 300);
    EXPECT_GT(bar->y(), box.GetMessageControl()->geometry().bottom());
    EXPECT_LE(bar->geometry().bottom(), box.height());

    box.SetPBPosition(2);
    EXPECT_EQ(bar->value(), 2);
    box.SetPBPosition(0);  // the minimum itself is ignored
    box.SetPBPosition(6);
    box.SetPBPosition(-1);
    EXPECT_EQ(bar->value(), 2);
    box.UpdatePBPosition();
    EXPECT_EQ(bar->value(), 3);
    box.SetPBPosition(5);
    EXPECT_EQ(bar->value(), bar->maximum());
    box.UpdatePBPosition();
    EXPECT_EQ(box.GetPBPosition(), 5);

    box.EndDialog(-1);
    EXPECT_FALSE(box.isVisible());
}

TEST(MessageBoxEx, BoxSizesItselfToItsText) {
    CMessageBoxEx shortBox(nullptr, 1);
    shortBox.SetMsg("Done.");
    shortBox.AddButton(1, true, 0, true, "OK");
    ASSERT_TRUE(shortBox.DoModeless());

    QString longText;
    for (int i = 0; i < 60; ++i) {
        longText += QString("Loop %1 has changed parameters that are not yet sent. ").arg(i);
    }
    CMessageBoxEx longBox(nullptr, 1);
    longBox.SetMsg(longText, CMessageBoxEx::kAlignCenter);
    longBox.AddButton(1, true, 0, true, "OK");
    ASSERT_TRUE(longBox.DoModeless());

    const QLabel* shortLabel = shortBox.GetMessageControl();
    const QLabel* longLabel = longBox.GetMessageControl();
    const int line = shortLabel->fontMetrics().height();
    EXPECT_LT(shortLabel->height(), 2 * line);
    EXPECT_GT(longLabel->height(), 5 * line);
    EXPECT_GT(longBox.width(), shortBox.width());
    EXPECT_LE(longBox.width(), longBox.screen()->availableGeometry().width());
    EXPECT_TRUE(longLabel->alignment() & Qt::AlignHCenter);
    // The short box is as wide as its button row; the minimum text width rules.
    const CMessageBoxLayout& layout = shortBox.GetLayout();
    EXPECT_EQ(shortBox.GetButton(1)->width(), layout.FromDlgX(40) + 2 * layout.FromDlgX(7));
    // The message control shows all the text it was measured for.
    for (const QLabel* label : {shortLabel, longLabel}) {
        EXPECT_LE(label->heightForWidth(label->width()), label->height() + 1);
    }
    shortBox.EndDialog(1);
    longBox.EndDialog(1);
}

TEST(MessageBoxEx, TextsComeFromTheStringLoader) {
    const auto previous = CMessageBoxEx::SetStringLoader(
        [](int id) { return id == kSaveAndDownload ? QString("Save and Download") : QString(); });
    CMessageBoxEx box(nullptr, 0);
    EXPECT_FALSE(box.SetMsg(12345));
    box.AddButton(kSaveAndDownload);
    box.AddButton(7, false, 0, false, kSaveAndDownload);
    ASSERT_TRUE(box.DoModeless());
    EXPECT_FALSE(box.windowFlags() & Qt::WindowTitleHint);
    EXPECT_EQ(box.GetButton(kSaveAndDownload)->text(), "Save and Download");
    EXPECT_EQ(box.GetButton(7)->text(), "Save and Download");
    box.EndDialog(7);
    CMessageBoxEx::SetStringLoader(previous);
}

}  // namespace
