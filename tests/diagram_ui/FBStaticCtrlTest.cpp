#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "diagram/ui/FBStaticCtrl.h"
#include "model/BlockTypeTable.h"
#include "support/TestPaths.h"

namespace {

std::string PictureOf(const char* mnemonic) {
    // Appended step by step: g++ 12 warns wrongly about a chain of + on a literal.
    std::string path = testpaths::Resources();
    path += "/Block Support/Functions/";
    path += GetBlockTypeCode(FindBlockTypeByMnemonic(mnemonic));
    return path;
}

TEST(FBStaticCtrl, ShowsThePictureWithItsTerminals) {
    CFBStaticCtrl control;
    control.resize(420, 360);
    control.SetPicture(PictureOf("APID"), 1, false, {true, false, false, false, false});
    ASSERT_TRUE(control.HasImage());
    EXPECT_EQ(control.GetDescriptor().GetInputCount(), 5);
    // The second APID (block 040) has outputs 49 and 50.
    const CFBIOParamDescr::CParamDescr* firstOutput = control.GetDescriptor().GetParam(5);
    ASSERT_NE(firstOutput, nullptr);
    EXPECT_EQ(firstOutput->m_strName, "49");

    // The image sits centred, one pixel lower.
    const QPoint origin = control.ImageOrigin();
    QImage image(PictureOf("APID").append(".gif").c_str());
    EXPECT_EQ(origin.x(), (420 - image.width()) / 2);
    EXPECT_EQ(origin.y(), (360 - image.height()) / 2 + 1);

    // Clicking a terminal selects it; clicking elsewhere clears the selection.
    const CRect area = control.GetDescriptor().GetParam(0)->m_rect;
    QTest::mouseClick(&control, Qt::LeftButton, {},
                      origin + QPoint((area.left + area.right) / 2, (area.top + area.bottom) / 2));
    EXPECT_EQ(control.GetSelectedParamName(), "A");
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(control.GetSelectedParamName(), "");

    // A linked input's name is drawn in green beside its terminal.
    const QImage shown = control.grab().toImage();
    const QRect left(origin.x() + area.left - 30, origin.y() + area.top, 30,
                     area.bottom - area.top);
    bool green = false;
    for (int x = left.left(); x < left.right() && !green; ++x) {
        for (int y = left.top(); y < left.bottom() && !green; ++y) {
            green = shown.pixelColor(x, y).green() > 60 && shown.pixelColor(x, y).red() < 40;
        }
    }
    EXPECT_TRUE(green);
}

TEST(FBStaticCtrl, MissingFilesGiveAnEmptyPicture) {
    CFBStaticCtrl control;
    control.SetPicture("/nonexistent/F99", 0, false, {});
    EXPECT_FALSE(control.HasImage());
    EXPECT_EQ(control.GetDescriptor().GetCount(), 0);
    EXPECT_EQ(control.GetSelectedParam(), nullptr);
    control.resize(100, 100);
    EXPECT_FALSE(control.grab().isNull());  // paints without a picture
}

}  // namespace
