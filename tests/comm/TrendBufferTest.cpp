#include <gtest/gtest.h>

#include <cmath>

#include "comm/TrendBuffer.h"

TEST(TrendBuffer, KeepsTheWindowAndWritesCsvWithGapsForLaterSeries) {
    CTrendBuffer buffer(10.0);
    const int level = buffer.AddSeries("BLK-039 47");
    EXPECT_EQ(level, 0);
    buffer.AddRow(0.0, {1.5});
    buffer.AddRow(2.0, {2.5});
    buffer.AddSeries("BLK-040 49");
    buffer.AddRow(4.0, {3.0, -1.25});
    EXPECT_EQ(buffer.FindSeries("BLK-040 49"), 1);
    EXPECT_EQ(buffer.FindSeries("nothing"), -1);
    EXPECT_DOUBLE_EQ(buffer.GetAchievedPeriod(), 2000.0);
    EXPECT_EQ(buffer.ToCsv(),
              "time_s,BLK-039 47,BLK-040 49\n"
              "0.000,1.5,\n"
              "2.000,2.5,\n"
              "4.000,3,-1.25\n");
    // Twelve seconds on, the first two rows are older than the window.
    buffer.AddRow(12.5, {4.0, 0.0});
    ASSERT_EQ(buffer.GetRows().size(), 2u);
    EXPECT_DOUBLE_EQ(buffer.GetRows().front().time, 4.0);
    // A row from the past (a clock set back) is not taken.
    buffer.AddRow(1.0, {9.0, 9.0});
    EXPECT_EQ(buffer.GetRows().size(), 2u);
    EXPECT_EQ(CTrendBuffer().GetAchievedPeriod(), 0.0);
}
