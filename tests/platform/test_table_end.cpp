#include <gtest/gtest.h>

#include "platform/table.h"
#include "support/test_env.h"

using tv::Table;

namespace {

int customerCount() {
    Table t("kontrahenci.db");
    t.open();
    return t.recordCount();
}

// Begins a customer row and leaves it pending.
void beginCustomer(Table& t, const QString& id, int nr) {
    t.open();
    t.append();
    t.fieldByName("Id").setAsString(id);
    t.fieldByName("Nr").setAsInteger(nr);
}

} // namespace

TEST(ProgramEnd, ChangedPendingRowsArePostedUntouchedOnesDropped) {
    tvtest::WorkingFolder folder;
    Table changed("kontrahenci.db");
    beginCustomer(changed, "Nowak", 1);

    Table untouched("formaty.db");
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
    Table first("kontrahenci.db");
    beginCustomer(first, "Kowal", 7);
    first.post();

    Table duplicate("kontrahenci.db");
    beginCustomer(duplicate, "Kowal", 7);

    Table other("pozycje.db");
    other.open();
    other.append();
    other.fieldByName("Nazwa").setAsString("Druk ulotek");

    QStringList errors;
    tv::Database::instance().postPendingRows([&](const tv::Error& e) { errors << e.message(); });
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(customerCount(), 1);
    Table check("pozycje.db");
    check.open();
    EXPECT_EQ(check.recordCount(), 1);
}
