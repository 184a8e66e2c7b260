// Test main for code that draws: a GUI application on the offscreen platform,
// so fonts and images work without a display.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdlib>

#include "support/TestEnvironment.h"

int main(int argc, char** argv) {
    IsolateTestEnvironment();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
