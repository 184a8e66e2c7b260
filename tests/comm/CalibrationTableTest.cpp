// The calibration modes: grid shape, the point ranges a typed value must lie
// in, the selection mask of the automatic mode and the table bytes.
#include <gtest/gtest.h>

#include "comm/CalibrationTable.h"

namespace {

using Bytes = std::vector<uint8_t>;

bool Accepts(int mode, int row, const std::string& text) {
    int value = 0;
    return CCalibrationTable::ParseCell(mode, row, text, value);
}

}  // namespace

TEST(CalibrationTable, ModesHaveTheirKindsTitlesAndPoints) {
    EXPECT_EQ(CCalibrationTable::KindOfMode(0), 1);
    EXPECT_EQ(CCalibrationTable::KindOfMode(1), 1);
    EXPECT_EQ(CCalibrationTable::KindOfMode(3), 2);
    EXPECT_EQ(CCalibrationTable::KindOfMode(5), 3);
    EXPECT_EQ(CCalibrationTable::KindOfMode(6), 0);
    EXPECT_EQ(CCalibrationTable::ColumnTitle(0, 7), "A.I. 8");
    EXPECT_EQ(CCalibrationTable::ColumnTitle(2, 0), "C.O. 1");
    EXPECT_EQ(CCalibrationTable::ColumnTitle(5, 3), "V.O. 4");
    EXPECT_EQ(CCalibrationTable::ColumnTitle(5, 4), "");
    EXPECT_EQ(CCalibrationTable::RowLabel(1, 3), "5.0V");
    EXPECT_EQ(CCalibrationTable::RowLabel(4, 1), "100%");
    EXPECT_EQ(CCalibrationTable::RowLabel(4, 2), "");
    EXPECT_EQ(CCalibrationTable(1).GetColumnCount() * CCalibrationTable(1).GetRowCount(), 32);
    EXPECT_EQ(CCalibrationTable(0).ToBytes().size(), 64u);  // the automatic mode too
    EXPECT_EQ(CCalibrationTable(4).ToBytes().size(), 16u);
}

TEST(CalibrationTable, TypedValuesMustLieInTheirPointsRange) {
    EXPECT_FALSE(Accepts(1, 3, "5.25"));  // "5.0V" of the manual input mode
    EXPECT_TRUE(Accepts(1, 3, "5.2"));
    EXPECT_TRUE(Accepts(1, 3, "4.8"));
    EXPECT_FALSE(Accepts(1, 0, "0.21"));
    EXPECT_TRUE(Accepts(1, 0, "-0.2"));
    EXPECT_TRUE(Accepts(3, 0, "4.0"));  // "0%" of 4 - 20 mA
    EXPECT_FALSE(Accepts(3, 0, "0.0"));
    EXPECT_TRUE(Accepts(2, 0, "0.0"));  // "0%" of 0 - 20 mA
    EXPECT_FALSE(Accepts(2, 1, "20.3"));
    EXPECT_TRUE(Accepts(3, 1, "19.8"));
    EXPECT_TRUE(Accepts(5, 0, "1.2"));
    EXPECT_FALSE(Accepts(4, 0, "1.0"));
    EXPECT_TRUE(Accepts(4, 1, "5"));
    // Compared as the grid shows the value: 5.2004 is "5.200".
    EXPECT_TRUE(Accepts(1, 3, "5.2004"));
    EXPECT_FALSE(Accepts(1, 3, "5.2006"));
    // No number, or a mode without typed values.
    for (const char* text : {"", " ", "4.0x", "nan", "inf", "1e400", "4,0"}) {
        EXPECT_FALSE(Accepts(3, 0, text)) << text;
    }
    EXPECT_FALSE(Accepts(0, 1, "1.0"));
    EXPECT_FALSE(Accepts(3, 2, "4.0"));

    int value = 0;
    ASSERT_TRUE(CCalibrationTable::ParseCell(3, 0, " 3.9995 ", value));
    EXPECT_EQ(value, 4000);
    EXPECT_EQ(CCalibrationTable::FormatThousandths(value), "4.000");
    EXPECT_EQ(CCalibrationTable::FormatThousandths(-5), "-0.005");
    EXPECT_EQ(CCalibrationTable::FormatThousandths(-1200), "-1.200");
}

TEST(CalibrationTable, SelectedColumnsMakeTheMask) {
    std::vector<bool> selected(8, false);
    EXPECT_EQ(CCalibrationTable::SelectionMask(selected), 0);
    selected[0] = selected[2] = true;
    EXPECT_EQ(CCalibrationTable::SelectionMask(selected), 0x05);
    selected.assign(8, true);
    EXPECT_EQ(CCalibrationTable::SelectionMask(selected), 0xFF);
}

TEST(CalibrationTable, BytesAreSigned16BitColumnByColumn) {
    CCalibrationTable table(CCalibrationTable::kCurrent4To20);
    ASSERT_TRUE(table.SetValue(0, 0, 4000));
    ASSERT_TRUE(table.SetValue(0, 1, 20000));
    ASSERT_TRUE(table.SetValue(1, 0, -2));
    ASSERT_TRUE(table.SetValue(3, 1, 4094));  // low byte 0xFE: not stuffed here
    EXPECT_FALSE(table.SetValue(4, 0, 1));
    EXPECT_FALSE(table.SetValue(0, 2, 1));
    EXPECT_FALSE(table.SetValue(0, 0, 40000));
    const Bytes bytes = table.ToBytes();
    EXPECT_EQ(bytes,
              (Bytes{0xA0, 0x0F, 0x20, 0x4E, 0xFE, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0xFE, 0x0F}));

    CCalibrationTable read(CCalibrationTable::kCurrent0To20);
    ASSERT_TRUE(read.FromBytes(bytes));
    EXPECT_EQ(read.GetValue(1, 0), -2);
    EXPECT_EQ(read.GetText(3, 1), "4.094");
    // A table of another size changes nothing.
    EXPECT_FALSE(read.FromBytes(Bytes(15, 0)));
    EXPECT_FALSE(read.FromBytes(Bytes(64, 0)));
    EXPECT_EQ(read.GetValue(0, 1), 20000);
}
