#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>

#include "app/TrendPanel.h"

TEST(TrendPanel, PlotsChosenOutputsShowsTheAchievedPeriodAndExportsCsv) {
    CTrendPanel panel;
    EXPECT_TRUE(panel.AddTrend(39, 0, "BLK-039 OUT047"));
    EXPECT_FALSE(panel.AddTrend(39, 0, "BLK-039 OUT047"));
    EXPECT_TRUE(panel.AddTrend(40, 1, "BLK-040 OUT050"));
    panel.SetRequestedPeriod(200);
    EXPECT_EQ(panel.GetPeriodText(), "Period: - (set 200 ms)");
    panel.OnPass({{39, {"12.50", "0.00"}}, {40, {"1.00", "-3.25"}}}, 1.0);
    // A reply cut short leaves a gap for the output it lacks.
    panel.OnPass({{39, {"13.00"}}, {40, {"2.00"}}}, 1.9);
    EXPECT_EQ(panel.GetPeriodText(), "Period: 900 ms achieved (set 200 ms)");
    const QString path = QString::fromStdString(testing::TempDir()) + "/trend.csv";
    ASSERT_TRUE(panel.ExportCsv(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(),
              "time_s,BLK-039 OUT047,BLK-040 OUT050\n"
              "1.000,12.5,-3.25\n"
              "1.900,13,\n");
    EXPECT_FALSE(panel.ExportCsv("/nonexistent-folder/trend.csv"));
}
