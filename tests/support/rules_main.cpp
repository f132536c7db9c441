#include <gtest/gtest.h>

#include "costing/rules/costing_tables.h"
#include "invoicing/rules/invoicing_tables.h"
#include "platform/table.h"
#include "support/test_env.h"

// The rules need no application object: no QApplication is created here, so
// a rule that reached for a widget or an event loop would fail its test.
int main(int argc, char** argv) {
    tv::registerLayouts(costing::costingTables());
    tv::registerLayouts(invoicing::invoicingTables());
    tvtest::usePolishSettings();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
