#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "app/StartupClock.h"

namespace {

TEST(StartupClock, CountsFromTheProcessStartAndReportsAfterTheFirstPaint) {
    CStartupClock::Start();
    EXPECT_GT(CStartupClock::ProcessStartMs(), 0);
    // Since this test program started; never the time since the machine booted.
    EXPECT_GE(CStartupClock::Elapsed(), 0);
    EXPECT_LT(CStartupClock::Elapsed(), 10 * 60 * 1000);

    QWidget shown;
    bool reported = false;
    CStartupClock::AfterFirstPaint(
        &shown, [&reported] { reported = true; }, 60000);
    shown.show();
    EXPECT_TRUE(QTest::qWaitFor([&reported] { return reported; }, 5000));

    QWidget hidden;  // never painted: reported after the time-out, once
    int reports = 0;
    CStartupClock::AfterFirstPaint(
        &hidden, [&reports] { ++reports; }, 50);
    QTest::qWait(200);
    EXPECT_EQ(reports, 1);
}

}  // namespace
