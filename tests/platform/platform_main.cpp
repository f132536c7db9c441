#include <gtest/gtest.h>

#include <QApplication>

#include "platform/test_tables.h"
#include "support/test_env.h"

// One offscreen application for every test of an executable, with the test
// tables registered and Polish regional settings in force unless a test sets
// others.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tvtest::registerTestTables();
    tvtest::usePolishSettings();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
