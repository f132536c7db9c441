#include <gtest/gtest.h>

#include "platform/table.h"
#include "support/test_env.h"

using tv::Table;

namespace {

int customerCount() {
    Table t("keyed.db");
    t.open();
    return t.recordCount();
}

// Begins a customer row and leaves it pending.
void beginCustomer(Table& t, const QString& id, int nr) {
    t.open();
    t.append();
    t.fieldByName("Code").setAsString(id);
    t.fieldByName("Nr").setAsInteger(nr);
}

} // namespace

TEST(ProgramEnd, ChangedPendingRowsArePostedUntouchedOnesDropped) {
    tvtest::WorkingFolder folder;
    Table changed("keyed.db");
    beginCustomer(changed, "Nowak", 1);

    Table untouched("numbered.db");
    untouched.open();
    untouched.append();

    int errors = 0;
    tv::Database::instance().postPendingRows([&](const tv::Error&) { ++errors; });
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(changed.state(), Table::State::Browse);
    EXPECT_EQ(untouched.state(), Table::State::Browse);
    EXPECT_EQ(customerCount(), 1);
    untouched.refresh();
    EXPECT_EQ(untouched.recordCount(), 0);
}

TEST(ProgramEnd, AFailedPostIsReportedAndTheOtherTablesStillFinish) {
    tvtest::WorkingFolder folder;
    Table first("keyed.db");
    beginCustomer(first, "Kowal", 7);
    first.post();

    Table duplicate("keyed.db");
    beginCustomer(duplicate, "Kowal", 7);

    Table other("lines.db");
    other.open();
    other.append();
    other.fieldByName("Name").setAsString("Druk ulotek");

    QStringList errors;
    tv::Database::instance().postPendingRows([&](const tv::Error& e) { errors << e.message(); });
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(customerCount(), 1);
    Table check("lines.db");
    check.open();
    EXPECT_EQ(check.recordCount(), 1);
}
