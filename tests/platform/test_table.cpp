// The table cursor: order, filters, editing, events, queries.

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QDir>
#include <QFile>

#include "platform/convert.h"
#include "platform/table.h"
#include "platform/table_files.h"
#include "support/test_env.h"

using tv::Currency;
using tv::Database;
using tv::EDatabaseError;
using tv::Query;
using tv::Table;

namespace {

QStringList column(Table& table, const QString& field) {
    QStringList values;
    table.first();
    while (!table.eof()) {
        values << table.fieldByName(field).asString();
        table.next();
    }
    return values;
}

QStringList column(Query& query, const QString& field) {
    QStringList values;
    query.first();
    while (!query.eof()) {
        values << query.fieldByName(field).asString();
        query.next();
    }
    return values;
}

void addCustomer(Table& table, const QString& id, int nr, const QString& firma = QString()) {
    table.append();
    table.fieldByName("Code").setAsString(id);
    table.fieldByName("Nr").setAsInteger(nr);
    if (!firma.isEmpty()) table.fieldByName("Name").setAsString(firma);
    table.post();
}

// How many table files the connection reaches at once.
int attachLimit() {
    return sqlite3_limit(Database::instance().handle(), SQLITE_LIMIT_ATTACHED, -1);
}

void addLine(Table& table, const QString& name) {
    table.append();
    table.fieldByName("Name").setAsString(name);
    table.post();
}

} // namespace

// ---- file names ---------------------------------------------------------------

TEST(TableNames, ExtensionCaseAndOmissionNameOneTable) {
    tvtest::WorkingFolder folder;
    Table costing("lines.DB");
    costing.open();
    addLine(costing, "Przygotowanie");
    Table invoice("lines.db");
    invoice.open();
    EXPECT_EQ(column(invoice, "Name"), QStringList{"Przygotowanie"});
    EXPECT_EQ(tv::layoutFor("LINES"), tv::layoutFor("lines.DB"));
    EXPECT_EQ(tv::layoutFor("nieznana.db"), nullptr);
    EXPECT_THROW(Table("nieznana.db"), EDatabaseError);
}

TEST(TableNames, ExistingFileIsUsedWhateverItsCase) {
    QTemporaryDir dir;
    Database::open(dir.path());
    Database::close();
    ASSERT_TRUE(QFile::rename(dir.filePath("goods.DB"), dir.filePath("GOODS.db")));
    Database::open(dir.path());
    EXPECT_EQ(Database::instance().pathFor("goods.db"), dir.filePath("GOODS.db"));
    EXPECT_FALSE(QFile::exists(dir.filePath("goods.DB")));
    Database::close();
}

// ---- key order and the Polish collation --------------------------------------------

// Each list is in the order the tables must give: Polish letters after their
// base letters, case ignored first and lower case first on a tie.
struct CollationCase {
    const char* name;
    QStringList sorted;
};

class KeyOrder : public ::testing::TestWithParam<CollationCase> {};

TEST_P(KeyOrder, KeyedTableQueryAndFilterShareTheOrder) {
    tvtest::WorkingFolder folder;
    const QStringList sorted = GetParam().sorted;
    Table customers("keyed.db");
    customers.open();
    // Added in reverse, then shuffled a little, so that insertion order cannot pass for key order.
    QStringList added = sorted;
    std::reverse(added.begin(), added.end());
    if (added.size() > 2) added.swapItemsAt(0, added.size() / 2);
    for (int i = 0; i < added.size(); ++i)
        addCustomer(customers, added[i], i + 1);
    EXPECT_EQ(column(customers, "Code"), sorted);
    customers.close();
    customers.open();
    EXPECT_EQ(column(customers, "Code"), sorted);

    Query query;
    query.setSql("select Code from keyed order by Code");
    query.open();
    EXPECT_EQ(column(query, "Code"), sorted);

    // ">=" keeps the rows at or after the value in the same order.
    const QString middle = sorted[sorted.size() / 2];
    customers.setFilter({{"Code", ">=", middle}});
    customers.setFiltered(true);
    EXPECT_EQ(column(customers, "Code"), sorted.mid(sorted.size() / 2));
}

INSTANTIATE_TEST_SUITE_P(
    Polish, KeyOrder,
    ::testing::Values(CollationCase{"alphabet", {"a", "ą", "b", "c", "ć", "d", "e", "ę", "f", "l", "ł", "m",
                                                 "n", "ń", "o", "ó", "p", "s", "ś", "t", "z", "ź", "ż"}},
                      CollationCase{"words",
                                    {"Lublin", "łąka", "Łódź", "Opole", "Ósemka", "Sopot", "Śrem", "Zabrze",
                                     "Źródło", "żaba", "Żyrardów"}},
                      CollationCase{"caseFirstIgnored", {"abc", "ABD", "abe", "Abf"}},
                      CollationCase{"caseBreaksTies", {"kot", "Kot", "KOT", "kota"}},
                      CollationCase{"prefixFirst", {"", "A", "Ab", "Abc", "B"}},
                      CollationCase{"digitsAndSpaces", {"1", "10", "2", "a b", "ab"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeyOrderTies, SecondKeyFieldOrdersEqualTexts) {
    tvtest::WorkingFolder folder;
    Table goods("goods.DB");
    goods.open();
    for (int nr : {3, 1, 2}) {
        goods.append();
        goods.fieldByName("Name").setAsString("Ulotka");
        goods.fieldByName("Nr").setAsInteger(nr);
        goods.post();
    }
    EXPECT_EQ(column(goods, "Nr"), (QStringList{"1", "2", "3"}));
    // The posted row is current, in its key place.
    goods.append();
    goods.fieldByName("Name").setAsString("Afisz");
    goods.fieldByName("Nr").setAsInteger(9);
    goods.post();
    EXPECT_EQ(goods.recNo(), 1);
    EXPECT_EQ(goods.fieldByName("Name").asString(), "Afisz");
}

TEST(KeyOrderTies, ChangingTheKeyMovesTheRow) {
    tvtest::WorkingFolder folder;
    Table customers("keyed.db");
    customers.open();
    addCustomer(customers, "Alfa", 1);
    addCustomer(customers, "Beta", 2);
    addCustomer(customers, "Gamma", 3);
    customers.first();
    customers.edit();
    customers.fieldByName("Code").setAsString("Zeta");
    customers.post();
    EXPECT_EQ(customers.recNo(), 3);
    EXPECT_EQ(column(customers, "Code"), (QStringList{"Beta", "Gamma", "Zeta"}));
}

// ---- keyless tables: order of addition, insert before the current row --------------

TEST(KeylessOrder, RowsStayInTheOrderAdded) {
    tvtest::WorkingFolder folder;
    Table lines("entries.db");
    lines.open();
    for (const char* name : {"Zeszyt", "Afisz", "Mapa"})
        addLine(lines, name);
    EXPECT_EQ(column(lines, "Name"), (QStringList{"Zeszyt", "Afisz", "Mapa"}));
    Query query;
    query.setSql("select * from entries");
    query.open();
    EXPECT_EQ(column(query, "Name"), (QStringList{"Zeszyt", "Afisz", "Mapa"}));
}

TEST(KeylessOrder, InsertPlacesTheRowBeforeTheCurrentOne) {
    tvtest::WorkingFolder folder;
    Table lines("lines.db");
    lines.open();
    for (const char* name : {"A", "B", "C"})
        addLine(lines, name);
    lines.first();
    lines.next(); // on B
    lines.insert();
    lines.fieldByName("Name").setAsString("x");
    lines.post();
    EXPECT_EQ(lines.recNo(), 2);
    lines.first();
    lines.insert();
    lines.fieldByName("Name").setAsString("y");
    lines.post();
    EXPECT_EQ(column(lines, "Name"), (QStringList{"y", "A", "x", "B", "C"}));
    Table other("lines.DB");
    other.open();
    EXPECT_EQ(column(other, "Name"), (QStringList{"y", "A", "x", "B", "C"}));
}

TEST(KeylessOrder, ManyInsertsAtOnePlaceKeepTheirOrder) {
    tvtest::WorkingFolder folder;
    Table lines("lines.db");
    lines.open();
    addLine(lines, "first");
    addLine(lines, "last");
    QStringList expected{"first"};
    // Each insert goes before "last", halving the room left there until the
    // table has to be spread out again.
    for (int i = 0; i < 40; ++i) {
        lines.last();
        lines.insert();
        lines.fieldByName("Name").setAsString(QString::number(i));
        lines.post();
        expected << QString::number(i);
    }
    expected << "last";
    EXPECT_EQ(column(lines, "Name"), expected);
    lines.refresh();
    EXPECT_EQ(column(lines, "Name"), expected);
}

TEST(KeylessOrder, InsertIntoEmptyTableOrPastTheEndAppends) {
    tvtest::WorkingFolder folder;
    Table lines("lines.db");
    lines.open();
    lines.insert();
    lines.fieldByName("Name").setAsString("A");
    lines.post();
    lines.next(); // past the end
    ASSERT_TRUE(lines.eof());
    lines.insert();
    lines.fieldByName("Name").setAsString("B");
    lines.post();
    EXPECT_EQ(column(lines, "Name"), (QStringList{"A", "B"}));
}

// ---- filters -------------------------------------------------------------------------

class CustomerFilter : public ::testing::Test {
protected:
    void SetUp() override {
        customers.open();
        addCustomer(customers, "Alfa", 1, "Drukarnia \"Alfa\"");
        addCustomer(customers, "O'Brien", 2, "O'Brien & syn");
        addCustomer(customers, "Beta", 3); // Name empty
        addCustomer(customers, "Kowal", 4, "Kowalski");
    }
    QStringList ids(const QVector<Table::FilterTerm>& terms) {
        customers.setFilter(terms);
        customers.setFiltered(true);
        return column(customers, "Code");
    }
    tvtest::WorkingFolder folder;
    Table customers{"keyed.db"};
};

TEST_F(CustomerFilter, QuotesInValuesAreStoredFoundAndFiltered) {
    EXPECT_EQ(ids({{"Code", "=", "O'Brien"}}), QStringList{"O'Brien"});
    EXPECT_EQ(ids({{"Name", "=", "Drukarnia \"Alfa\""}}), QStringList{"Alfa"});
    EXPECT_EQ(ids({{"Name", ">=", "O'"}}), QStringList{"O'Brien"});
    EXPECT_EQ(customers.recordCount(), 1);
}

TEST_F(CustomerFilter, EmptyFieldComparesAsEmptyText) {
    // The register's cleared search: every term ">= ''", every row shows.
    EXPECT_EQ(ids({{"Code", ">=", ""}, {"Name", ">=", ""}, {"Person", ">=", ""}, {"TaxNo", ">=", ""}}),
              (QStringList{"Alfa", "Beta", "Kowal", "O'Brien"}));
    EXPECT_EQ(customers.recordCount(), 4);
    EXPECT_EQ(ids({{"Name", "=", ""}}), QStringList{"Beta"});
    // Typing narrows: an empty Name sorts below "K".
    EXPECT_EQ(ids({{"Code", ">=", ""}, {"Name", ">=", "K"}}), (QStringList{"Kowal", "O'Brien"}));
    EXPECT_EQ(ids({{"Name", "<", "E"}}), (QStringList{"Alfa", "Beta"}));
}

TEST_F(CustomerFilter, FilterOffShowsEveryRowAndBadTermsAreRejected) {
    ids({{"Code", "=", "Beta"}});
    customers.setFiltered(false);
    EXPECT_EQ(customers.recordCount(), 4);
    EXPECT_THROW(customers.setFilter({{"Brak", "=", "x"}}), EDatabaseError);
    EXPECT_THROW(customers.setFilter({{"Code", "like", "x"}}), EDatabaseError);
    EXPECT_THROW(customers.setFilter({{"Nr", "=", "abc"}}), EDatabaseError);
    EXPECT_EQ(customers.recordCount(), 4); // the earlier filter (off) stays
}

TEST(TableFilter, NumberFieldComparesNumerically) {
    tvtest::WorkingFolder folder;
    Table grams("prices.db");
    grams.open();
    for (int kind : {1, 2, 10, 1}) {
        grams.append();
        grams.fieldByName("Kind").setAsInteger(kind);
        grams.fieldByName("Weight").setAsInteger(80 + kind);
        grams.post();
    }
    grams.setFilter({{"Kind", "=", "1"}});
    grams.setFiltered(true);
    EXPECT_EQ(column(grams, "Weight"), (QStringList{"81", "81"}));
    grams.setFilter({{"Kind", ">=", "2"}});
    EXPECT_EQ(column(grams, "Weight"), (QStringList{"82", "90"}));
    grams.setFilter({{"Weight", ">=", "81,5"}});
    EXPECT_EQ(grams.recordCount(), 2);
}

TEST(TableFilter, DatesCompareAsDatesInTheShortForm) {
    tvtest::WorkingFolder folder;
    Table invoices("documents.db");
    invoices.open();
    const QDate dates[] = {QDate(2023, 12, 31), QDate(2024, 1, 1), QDate(2024, 2, 10), QDate(2024, 3, 1)};
    int n = 0;
    for (const QDate& d : dates) {
        invoices.append();
        invoices.fieldByName("Nr").setAsString(QString("FV/%1").arg(++n));
        invoices.fieldByName("Issued").setAsDate(d);
        invoices.fieldByName("Payment").setAsString(n % 2 ? "przelewem" : "gotówką");
        invoices.post();
    }
    invoices.setFilter({{"Issued", ">=", tv::DateToStr(QDate(2024, 1, 1))},
                        {"Issued", "<=", tv::DateToStr(QDate(2024, 2, 10))}});
    invoices.setFiltered(true);
    EXPECT_EQ(column(invoices, "Nr"), (QStringList{"FV/2", "FV/3"}));
    invoices.setFilter({{"Issued", ">=", tv::DateToStr(QDate(2023, 1, 1))},
                        {"Issued", "<=", tv::DateToStr(QDate(2024, 12, 31))},
                        {"Payment", "=", "przelewem"}});
    EXPECT_EQ(column(invoices, "Nr"), (QStringList{"FV/1", "FV/3"}));
}

TEST(TableFilter, LineFilterOfTheRegister) {
    tvtest::WorkingFolder folder;
    Table lines("entries.db");
    lines.open();
    for (const char* nr : {"1/2024", "2/2024", "1/2024"}) {
        lines.append();
        lines.fieldByName("DocNr").setAsString(nr);
        lines.post();
    }
    lines.setFilter({{"DocNr", "=", "-1"}});
    lines.setFiltered(true);
    EXPECT_TRUE(lines.eof());
    EXPECT_EQ(lines.recordCount(), 0);
    lines.setFilter({{"DocNr", "=", "1/2024"}});
    EXPECT_EQ(lines.recordCount(), 2);
}

// ---- deleting ------------------------------------------------------------------------

TEST(TableDelete, NextRowBecomesCurrent) {
    tvtest::WorkingFolder folder;
    Table lines("lines.db");
    lines.open();
    for (const char* name : {"A", "B", "C"})
        addLine(lines, name);
    lines.first();
    lines.next();
    lines.remove();
    EXPECT_EQ(lines.fieldByName("Name").asString(), "C");
    EXPECT_EQ(lines.recordCount(), 2);
    lines.remove(); // the last row: the one before stays current, at the end
    EXPECT_EQ(lines.fieldByName("Name").asString(), "A");
    EXPECT_TRUE(lines.eof());
    lines.remove();
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_THROW(lines.remove(), EDatabaseError);
}

TEST(TableDelete, DeletingWhileWalkingSkipsNoRow) {
    tvtest::WorkingFolder folder;
    Table grams("prices.db");
    grams.open();
    for (int kind : {1, 1, 2, 1, 1, 2, 1}) {
        grams.append();
        grams.fieldByName("Kind").setAsInteger(kind);
        grams.post();
    }
    grams.first();
    while (!grams.eof()) {
        if (grams.fieldByName("Kind").asInteger() == 1)
            grams.remove();
        else
            grams.next();
    }
    EXPECT_EQ(column(grams, "Kind"), (QStringList{"2", "2"}));
}

// ---- autoincrement, events and re-posting -----------------------------------------------

TEST(TableAutoInc, NumberIsReadableRightAfterPost) {
    tvtest::WorkingFolder folder;
    Table kinds("picklist.db");
    kinds.open();
    kinds.append();
    kinds.fieldByName("Name").setAsString("Offset");
    EXPECT_TRUE(kinds.fieldByName("Nr").isNull());
    kinds.post();
    EXPECT_EQ(kinds.fieldByName("Nr").asInteger(), 1);
    kinds.append();
    kinds.fieldByName("Name").setAsString("Karton");
    kinds.post();
    EXPECT_EQ(kinds.fieldByName("Nr").asInteger(), 2);
    kinds.first();
    kinds.remove();
    kinds.append();
    kinds.fieldByName("Name").setAsString("Kreda");
    kinds.post();
    EXPECT_EQ(kinds.fieldByName("Nr").asInteger(), 3); // never reused
    kinds.edit();
    EXPECT_THROW(kinds.fieldByName("Nr").setAsInteger(7), EDatabaseError);
}

TEST(TableEvents, AfterPostMayEditAndPostTheSameRowAgain) {
    tvtest::WorkingFolder folder;
    Table grams("prices.db");
    grams.open();
    bool przeliczanieCeny = true;
    int afterPostCalls = 0;
    grams.afterPost = [&](Table& t) {
        ++afterPostCalls;
        if (!przeliczanieCeny) return;
        t.edit();
        if (t.fieldByName("Unit").asCurrency() != Currency() &&
            t.fieldByName("Bulk").asCurrency() == Currency())
            t.fieldByName("Bulk").setAsCurrency(t.fieldByName("Unit").asCurrency() * Currency::fromInt(500));
        przeliczanieCeny = false;
        t.post();
        przeliczanieCeny = true;
    };
    grams.append();
    grams.fieldByName("Kind").setAsInteger(1);
    grams.fieldByName("Weight").setAsInteger(80);
    grams.post();
    grams.edit();
    grams.fieldByName("Unit").setAsString("0,30");
    grams.post();
    EXPECT_EQ(grams.fieldByName("Bulk").asCurrency(), Currency::fromInt(150));
    EXPECT_EQ(grams.state(), Table::State::Browse);
    grams.edit();
    grams.fieldByName("Unit").setAsString("0,40");
    grams.post();
    EXPECT_EQ(grams.fieldByName("Bulk").asCurrency(), Currency::fromInt(150));
    EXPECT_EQ(afterPostCalls, 6);
    Table check("prices.db");
    check.open();
    EXPECT_EQ(check.recordCount(), 1);
    EXPECT_EQ(check.fieldByName("Bulk").asString(), "150");
    EXPECT_EQ(check.fieldByName("Unit").asString(), "0,4");
}

TEST(TableEvents, BeforeInsertMayStopTheInsertAndAfterInsertFillsTheRow) {
    tvtest::WorkingFolder folder;
    Table grams("prices.db");
    grams.open();
    bool refuse = true;
    grams.beforeInsert = [&](Table&) {
        if (refuse) throw tv::EAbort();
    };
    grams.afterInsert = [](Table& t) { t.fieldByName("Kind").setAsInteger(7); };
    EXPECT_THROW(grams.append(), tv::EAbort);
    EXPECT_EQ(grams.state(), Table::State::Browse);
    refuse = false;
    grams.append();
    EXPECT_EQ(grams.fieldByName("Kind").asInteger(), 7);
    grams.next(); // the changed row is posted by moving
    EXPECT_EQ(grams.recordCount(), 1);
    // A handler may post the new row itself.
    grams.afterInsert = [](Table& t) {
        t.fieldByName("Kind").setAsInteger(8);
        t.post();
    };
    grams.append();
    EXPECT_EQ(grams.state(), Table::State::Browse);
    EXPECT_EQ(grams.recordCount(), 2);
    EXPECT_EQ(grams.fieldByName("Kind").asInteger(), 8);
}

TEST(TableEvents, ListenersHearMovesWritesPostsAndStates) {
    tvtest::WorkingFolder folder;
    Table lines("lines.db");
    lines.open();
    QList<Table::Event> heard;
    const int handle = lines.addListener([&](Table::Event e) { heard << e; });
    addLine(lines, "A");
    EXPECT_TRUE(heard.contains(Table::Event::StateChanged));
    EXPECT_TRUE(heard.contains(Table::Event::FieldChanged));
    EXPECT_TRUE(heard.contains(Table::Event::DataChanged));
    EXPECT_TRUE(heard.contains(Table::Event::UpdateRecord));
    heard.clear();
    lines.first();
    EXPECT_EQ(heard, QList<Table::Event>{Table::Event::Scrolled});
    lines.removeListener(handle);
    heard.clear();
    lines.next();
    EXPECT_TRUE(heard.isEmpty());
}

// ---- pending rows ------------------------------------------------------------------------

TEST(TablePending, MovingPostsAChangedRowAndDropsAnUntouchedOne) {
    tvtest::WorkingFolder folder;
    Table lines("lines.db");
    lines.open();
    int posts = 0;
    lines.afterPost = [&](Table&) { ++posts; };
    addLine(lines, "A");
    addLine(lines, "B");
    ASSERT_EQ(posts, 2);
    lines.first();
    lines.edit();
    lines.next(); // untouched edit: dropped
    EXPECT_EQ(posts, 2);
    lines.append();
    lines.first(); // untouched new row: dropped
    EXPECT_EQ(lines.recordCount(), 2);
    lines.edit();
    lines.fieldByName("Name").setAsString("A2");
    lines.last(); // changed: posted
    EXPECT_EQ(posts, 3);
    lines.insert();
    lines.fieldByName("Name").setAsString("N");
    lines.refresh(); // changed new row: posted
    EXPECT_EQ(posts, 4);
    EXPECT_EQ(column(lines, "Name"), (QStringList{"A2", "N", "B"}));
    lines.edit();
    lines.fieldByName("Name").setAsString("zmiana");
    lines.cancel();
    EXPECT_EQ(lines.fieldByName("Name").asString(), "B");
}

TEST(TablePending, WritingOutsideEditIsRefused) {
    tvtest::WorkingFolder folder;
    Table lines("lines.db");
    lines.open();
    addLine(lines, "A");
    try {
        lines.fieldByName("Name").setAsString("B");
        FAIL() << "write in browse state accepted";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.message().contains("lines")) << e.message().toStdString();
    }
    EXPECT_THROW(lines.fieldByName("Brak"), EDatabaseError);
    Table closed("lines.db");
    EXPECT_THROW(closed.first(), EDatabaseError);
}

TEST(TablePending, KeyViolationKeepsTheRowPending) {
    tvtest::WorkingFolder folder;
    Table customers("keyed.db");
    customers.open();
    addCustomer(customers, "Alfa", 1);
    customers.append();
    customers.fieldByName("Code").setAsString("Alfa");
    customers.fieldByName("Nr").setAsInteger(1);
    try {
        customers.post();
        FAIL() << "duplicate key accepted";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.message(), "Naruszenie klucza: w tabeli „keyed” istnieje już wiersz o tym kluczu");
    }
    EXPECT_EQ(customers.state(), Table::State::Insert);
    EXPECT_EQ(customers.fieldByName("Code").asString(), "Alfa");
    customers.fieldByName("Nr").setAsInteger(2);
    customers.post();
    EXPECT_EQ(customers.recordCount(), 2);
    // Empty key fields count as values too.
    addCustomer(customers, "", 5);
    customers.append();
    customers.fieldByName("Nr").setAsInteger(5);
    EXPECT_THROW(customers.post(), EDatabaseError);
    customers.cancel();
    // Changing a key onto an existing one is refused as well.
    customers.first();
    customers.edit();
    customers.fieldByName("Code").setAsString("Alfa");
    customers.fieldByName("Nr").setAsInteger(2);
    EXPECT_THROW(customers.post(), EDatabaseError);
    EXPECT_EQ(customers.state(), Table::State::Edit);
}

// ---- two views of one file -------------------------------------------------------------

TEST(TableViews, AnotherViewSeesPostedRowsAfterItsRefresh) {
    tvtest::WorkingFolder folder;
    Table register_("keyed.db");
    Table sheet("keyed.DB");
    register_.open();
    sheet.open();
    addCustomer(register_, "Beta", 2);
    EXPECT_EQ(sheet.recordCount(), 0);
    sheet.refresh();
    EXPECT_EQ(column(sheet, "Code"), QStringList{"Beta"});
    addCustomer(register_, "Alfa", 1);
    addCustomer(register_, "Gamma", 3);
    sheet.first(); // on Beta
    sheet.refresh();
    EXPECT_EQ(sheet.fieldByName("Code").asString(), "Beta");
    EXPECT_EQ(sheet.recNo(), 2);
    register_.first();
    register_.edit();
    register_.fieldByName("Name").setAsString("Alfa sp. z o.o.");
    register_.post();
    sheet.refresh();
    sheet.first();
    EXPECT_EQ(sheet.fieldByName("Name").asString(), "Alfa sp. z o.o.");
}

TEST(TableViews, EmptyingTheTableMakesTheOtherViewsReread) {
    tvtest::WorkingFolder folder;
    Table a("keyed.db");
    Table b("keyed.db");
    a.open();
    addCustomer(a, "Alfa", 1);
    addCustomer(a, "Beta", 2);
    b.open();
    ASSERT_EQ(b.recordCount(), 2);
    a.emptyTable();
    EXPECT_EQ(a.recordCount(), 0);
    EXPECT_EQ(b.recordCount(), 0);
    addCustomer(a, "Gamma", 3);
    b.refresh();
    EXPECT_EQ(column(b, "Code"), QStringList{"Gamma"});
}

// ---- fields ------------------------------------------------------------------------------

TEST(TableFields, AlphaLongerThanItsSizeKeepsItsFirstCharacters) {
    tvtest::WorkingFolder folder;
    Table customers("keyed.db");
    customers.open();
    addCustomer(customers, "ŻółćGęśląJaźń", 1);
    EXPECT_EQ(customers.fieldByName("Code").asString(), "ŻółćGęśląJ");
    customers.close();
    customers.open();
    EXPECT_EQ(customers.fieldByName("Code").asString(), "ŻółćGęśląJ");
}

TEST(TableFields, EmptyFieldsReadAsEmptyTextAndZero) {
    tvtest::WorkingFolder folder;
    Table customers("keyed.db");
    customers.open();
    addCustomer(customers, "Alfa", 1);
    tv::Field amount = customers.fieldByName("Amount");
    EXPECT_TRUE(amount.isNull());
    EXPECT_EQ(amount.asString(), "");
    EXPECT_EQ(amount.asFloat(), 0.0);
    EXPECT_EQ(amount.asCurrency(), Currency());
    EXPECT_EQ(amount.asInteger(), 0);
    EXPECT_FALSE(amount.value().isValid());
    EXPECT_EQ(customers.fieldByName("Name").asString(), "");
}

TEST(TableFields, TextConvertsInTheRegionalSettings) {
    tvtest::WorkingFolder folder;
    Table invoices("documents.db");
    invoices.open();
    invoices.append();
    invoices.fieldByName("Nr").setAsString("FV/1");
    invoices.fieldByName("Net").setAsString("1234,5");
    invoices.fieldByName("Discount").setAsString("12");
    invoices.fieldByName("Issued").setAsString(tv::DateToStr(QDate(2024, 5, 3)));
    EXPECT_THROW(invoices.fieldByName("Gross").setAsString("12.5x"), tv::EConvertError);
    EXPECT_THROW(invoices.fieldByName("Discount").setAsString("1,5"), tv::EConvertError);
    invoices.fieldByName("Tax").setAsCurrency(Currency::fromUnits(2839350)); // 283,935
    invoices.post();
    invoices.close();
    invoices.open();
    EXPECT_EQ(invoices.fieldByName("Net").asString(), "1234,5");
    EXPECT_EQ(invoices.fieldByName("Net").asFloat(), 1234.5);
    EXPECT_EQ(invoices.fieldByName("Tax").asCurrency(), Currency::fromUnits(2839350));
    EXPECT_EQ(invoices.fieldByName("Discount").asString(), "12");
    EXPECT_EQ(invoices.fieldByName("Issued").asDate(), QDate(2024, 5, 3));
    EXPECT_EQ(invoices.fieldByName("Issued").asString(), tv::DateToStr(QDate(2024, 5, 3)));
    EXPECT_TRUE(invoices.fieldByName("Gross").isNull());
    invoices.edit();
    invoices.fieldByName("Net").setAsString("");
    invoices.post();
    EXPECT_TRUE(invoices.fieldByName("Net").isNull());
}

// ---- the scratch table ------------------------------------------------------------------

TEST(ScratchTable, CreateTableReplacesEveryEarlierRow) {
    tvtest::WorkingFolder folder;
    Table scratch("scratch.DB");
    EXPECT_THROW(scratch.open(), EDatabaseError); // made only on demand
    const QVector<tv::FieldDef> fields = tv::layoutFor("scratch.DB")->fields;
    scratch.createTable(fields);
    scratch.open();
    addCustomer(scratch, "Zeta", 2);
    addCustomer(scratch, "Alfa", 1);
    EXPECT_EQ(column(scratch, "Code"), (QStringList{"Zeta", "Alfa"})); // no key: order of addition
    scratch.close();
    Table otherView("SCRATCH.db");
    otherView.open();
    ASSERT_EQ(otherView.recordCount(), 2);
    scratch.createTable(fields);
    scratch.open();
    EXPECT_TRUE(scratch.isEmpty());
    EXPECT_EQ(otherView.recordCount(), 0);
    addCustomer(scratch, "Nowy", 1);
    otherView.refresh();
    EXPECT_EQ(column(otherView, "Code"), QStringList{"Nowy"});
    QVector<tv::FieldDef> other = fields;
    other[0].size = 12;
    EXPECT_THROW(scratch.createTable(other), EDatabaseError);
}

// ---- transactions -------------------------------------------------------------------------

TEST(TableTransaction, FailureRollsBackEveryTable) {
    tvtest::WorkingFolder folder;
    Table invoices("documents.db");
    Table lines("entries.db");
    invoices.open();
    lines.open();
    EXPECT_THROW(Database::instance().transaction([&] {
        invoices.append();
        invoices.fieldByName("Nr").setAsString("FV/1");
        invoices.post();
        addLine(lines, "A");
        addLine(lines, "B");
        throw EDatabaseError("przerwane");
    }),
                 EDatabaseError);
    EXPECT_FALSE(Database::instance().inTransaction());
    EXPECT_EQ(invoices.recordCount(), 0);
    EXPECT_EQ(lines.recordCount(), 0);
    Table fresh("entries.db");
    fresh.open();
    EXPECT_EQ(fresh.recordCount(), 0);

    Database::instance().transaction([&] {
        invoices.append();
        invoices.fieldByName("Nr").setAsString("FV/2");
        invoices.post();
        // A nested part that fails leaves nothing behind, the rest lands.
        try {
            Database::instance().transaction([&] {
                addLine(lines, "X");
                throw EDatabaseError("część");
            });
        } catch (const EDatabaseError&) {
        }
        addLine(lines, "Y");
    });
    fresh.refresh();
    EXPECT_EQ(column(fresh, "Name"), QStringList{"Y"});
    EXPECT_EQ(column(invoices, "Nr"), QStringList{"FV/2"});
}

TEST(TableTransaction, RowLeftPendingByAFailedTransactionIsNeverPostedAlone) {
    tvtest::WorkingFolder folder;
    Table invoices("documents.db");
    Table lines("entries.db");
    invoices.open();
    lines.open();
    lines.append();
    lines.fieldByName("Name").setAsString("begun before");
    EXPECT_THROW(Database::instance().transaction([&] {
        invoices.append();
        invoices.fieldByName("Nr").setAsString("FV/1");
        invoices.post();
        invoices.append();
        invoices.fieldByName("Nr").setAsString("FV/2");
        throw EDatabaseError("przerwane");
    }),
                 EDatabaseError);
    EXPECT_EQ(invoices.state(), Table::State::Browse);
    invoices.first();
    EXPECT_EQ(invoices.recordCount(), 0);
    // The operator's row begun before the transaction is still theirs.
    EXPECT_EQ(lines.state(), Table::State::Insert);
    lines.post();
    EXPECT_EQ(lines.recordCount(), 1);
}

// ---- queries ---------------------------------------------------------------------------------

TEST(TableQuery, BoundValuesMatchTextsWithQuotes) {
    tvtest::WorkingFolder folder;
    Table customers("keyed.db");
    customers.open();
    addCustomer(customers, "O'Brien", 7);
    addCustomer(customers, "\"Alfa\"", 8);
    Query query;
    query.setSql("select Nr from keyed where Code=?");
    query.bindValue(1, QString("O'Brien"));
    query.open();
    ASSERT_EQ(query.recordCount(), 1);
    EXPECT_EQ(query.fieldByName("Nr").asInteger(), 7);
    query.close();
    query.bindValue(1, QString("\"Alfa\""));
    query.open();
    EXPECT_EQ(query.fieldByName("nr").asInteger(), 8);
    query.close();
    query.bindValue(1, QString("Brak"));
    query.open();
    EXPECT_TRUE(query.eof());
    EXPECT_EQ(query.recordCount(), 0);
}

TEST(TableQuery, ListedTextsRunUnchanged) {
    tvtest::WorkingFolder folder;
    Table customers("keyed.db");
    customers.open();
    addCustomer(customers, "Beta", 2, "Beta SA");
    addCustomer(customers, "alfa", 1, "Alfa");
    Table sellers("names.db");
    sellers.open();
    for (const char* id : {"Zenon", "Adam"}) {
        sellers.append();
        sellers.fieldByName("Code").setAsString(id);
        sellers.post();
    }
    Table rates("totals.db");
    rates.open();
    for (const char* vat : {"7", "22", "zw"}) {
        rates.append();
        rates.fieldByName("Rate").setAsString(vat);
        rates.post();
    }
    Table goods("goods.DB");
    goods.open();
    for (const char* name : {"Ulotka", "afisz"}) {
        goods.append();
        goods.fieldByName("Name").setAsString(name);
        goods.post();
    }
    struct Case {
        const char* sql;
        const char* field;
        QStringList rows;
        int fields;
    } cases[] = {
        {"select * from keyed order by Code", "Code", {"alfa", "Beta"}, 7},
        {"select Code from keyed order by Code", "Code", {"alfa", "Beta"}, 1},
        {"select * from keyed order by Name", "Name", {"Alfa", "Beta SA"}, 7},
        {"select Code from names order by Code", "Code", {"Adam", "Zenon"}, 1},
        {"select * from totals order by Rate desc", "Rate", {"zw", "7", "22"}, 4},
        {"select * from goods order by name", "Name", {"afisz", "Ulotka"}, 4},
    };
    for (const Case& c : cases) {
        Query query;
        query.setSql(c.sql);
        query.open();
        EXPECT_EQ(column(query, c.field), c.rows) << c.sql;
        EXPECT_EQ(query.fieldCount(), c.fields) << c.sql;
    }
}

TEST(TableQuery, RegisterPrintoutJoinsInvoicesWithCustomers) {
    tvtest::WorkingFolder folder;
    Table customers("keyed.db");
    customers.open();
    addCustomer(customers, "Alfa", 1, "Alfa sp. z o.o.");
    addCustomer(customers, "Beta", 2, "Beta SA");
    Table invoices("documents.DB");
    invoices.open();
    struct Row {
        const char* nr;
        int customer;
        QDate date;
    } rows[] = {{"3/2024", 2, QDate(2024, 2, 1)},
                {"1/2024", 1, QDate(2024, 1, 5)},
                {"2/2024", 2, QDate(2024, 1, 5)},
                {"9/2023", 1, QDate(2023, 12, 30)}};
    for (const Row& r : rows) {
        invoices.append();
        invoices.fieldByName("Nr").setAsString(r.nr);
        invoices.fieldByName("Party").setAsInteger(r.customer);
        invoices.fieldByName("Issued").setAsDate(r.date);
        invoices.fieldByName("Net").setAsFloat(100);
        invoices.post();
    }
    Query query;
    query.setSql("select documents.*, keyed.TaxNo, keyed.Name, keyed.Code "
                 "from documents, keyed "
                 "where keyed.Nr = documents.Party "
                 "and documents.Issued >= :od_kiedy and documents.Issued <= :do_kiedy "
                 "order by documents.Issued, documents.Nr");
    query.bindValue(1, QDate(2024, 1, 1));
    query.bindValue(2, QDate(2024, 2, 1));
    query.open();
    EXPECT_EQ(column(query, "Nr"), (QStringList{"1/2024", "2/2024", "3/2024"}));
    EXPECT_EQ(column(query, "Name"), (QStringList{"Alfa sp. z o.o.", "Beta SA", "Beta SA"}));
    query.first();
    EXPECT_EQ(query.fieldByName("Issued").asDate(), QDate(2024, 1, 5));
    EXPECT_EQ(query.fieldByName("Net").asString(), "100");
    EXPECT_EQ(query.fieldCount(), 12);
    EXPECT_THROW(query.fieldByName("Net").setAsString("1"), EDatabaseError);
}

TEST(TableQuery, ExecAndErrorsAreReported) {
    tvtest::WorkingFolder folder;
    Query::exec("insert into lines (Lp, Name) values (?, ?)", {1, QString("Druk \"ulotek\"")});
    Table lines("lines.db");
    lines.open();
    addLine(lines, "po");
    EXPECT_EQ(column(lines, "Name"), (QStringList{"Druk \"ulotek\"", "po"}));
    Query bad;
    bad.setSql("select * from brak_tabeli");
    EXPECT_THROW(bad.open(), EDatabaseError);
    EXPECT_THROW(Query::exec("select ?", {1, 2}), EDatabaseError);
}

// ---- many files on one connection ----------------------------------------------------------

TEST(TableConnection, EveryTableWorksWhenMoreAreOpenThanCanBeAttached) {
    tvtest::WorkingFolder folder;
    std::vector<std::unique_ptr<Table>> tables;
    for (const tv::TableLayout& layout : tv::allLayouts()) {
        tables.push_back(std::make_unique<Table>(layout.fileName));
        if (layout.name == "scratch") tables.back()->createTable(layout.fields);
        tables.back()->open();
    }
    ASSERT_GT(int(tables.size()), attachLimit());
    auto firstWritable = [](Table& table) {
        return table.layout().fields.first().type == tv::FieldType::AutoInc ? 1 : 0;
    };
    for (int round = 0; round < 2; ++round) {
        for (auto& table : tables) {
            table->append();
            table->field(firstWritable(*table)).setAsString(QString::number(10 + round));
            const int nr = table->layout().fieldIndex("Nr");
            if (nr >= 0 && table->layout().fields[nr].type == tv::FieldType::Long)
                table->field(nr).setAsInteger(round); // keeps keyed rows apart
            table->post();
        }
    }
    // A transaction over the invoice files while the other files come and go.
    const QStringList invoiceFiles{"documents.db", "entries.db", "goods.DB", "keyed.db",
                                   "names.db",     "lines.db",   "totals.db"};
    auto isInvoiceFile = [&](const Table& table) { return invoiceFiles.contains(table.tableName()); };
    Database::instance().transaction([&] {
        for (auto& table : tables) {
            table->first(); // reads every file, attaching those not attached
            if (!isInvoiceFile(*table)) continue;
            table->edit();
            table->field(firstWritable(*table)).setAsString("30");
            table->post();
        }
    });
    for (auto& table : tables) {
        table->refresh();
        EXPECT_EQ(table->recordCount(), 2) << table->tableName().toStdString();
        EXPECT_EQ(column(*table, table->layout().fields[firstWritable(*table)].name).contains("30"),
                  isInvoiceFile(*table))
            << table->tableName().toStdString();
    }
    // More files than the connection reaches at once in one transaction:
    // refused, and none of its writes lands.
    EXPECT_THROW(Database::instance().transaction([&] {
        for (auto& table : tables) {
            table->first();
            table->edit();
            table->field(firstWritable(*table)).setAsString("40");
            table->post();
        }
    }),
                 EDatabaseError);
    for (auto& table : tables)
        EXPECT_FALSE(column(*table, table->layout().fields[firstWritable(*table)].name).contains("40"))
            << table->tableName().toStdString();
}

TEST(TableConnection, QueryAttachesTheFilesItNames) {
    tvtest::WorkingFolder folder;
    {
        Table customers("keyed.db");
        customers.open();
        addCustomer(customers, "Alfa", 1, "Alfa SA");
        Table invoices("documents.db");
        invoices.open();
        invoices.append();
        invoices.fieldByName("Nr").setAsString("1/2024");
        invoices.fieldByName("Party").setAsInteger(1);
        invoices.post();
    }
    // Every other file read since, so the two are no longer attached.
    std::vector<std::unique_ptr<Table>> others;
    for (const tv::TableLayout& layout : tv::allLayouts()) {
        if (layout.name == "scratch" || layout.name == "keyed" || layout.name == "documents") continue;
        others.push_back(std::make_unique<Table>(layout.fileName));
        others.back()->open();
    }
    ASSERT_GE(int(others.size()), attachLimit());
    Query query;
    query.setSql("select f.Nr, k.Name from documents f join keyed k on k.Nr = f.Party");
    query.open();
    ASSERT_EQ(query.recordCount(), 1);
    EXPECT_EQ(query.fieldByName("Name").asString(), "Alfa SA");
    EXPECT_EQ(query.fieldByName("Nr").asString(), "1/2024");
}

// A query's statement is prepared once and kept between runs: each run still
// answers with its own values and the rows posted since, also once its file
// has been detached and attached again, and while the same text runs inside it.
TEST(TableConnection, AQueryRunAgainAnswersAnew) {
    tvtest::WorkingFolder folder;
    Table customers("keyed.db");
    customers.open();
    addCustomer(customers, "Alfa", 1, "Alfa SA");
    addCustomer(customers, "Beta", 2, "Beta sp. z o.o.");
    const QString sql = QStringLiteral("select Name from keyed where Nr = ?1");
    auto nameOf = [&](int nr) {
        Query query;
        query.setSql(sql);
        query.bindValue(1, nr);
        query.open();
        return query.eof() ? QString() : query.fieldByName("Name").asString();
    };
    EXPECT_EQ(nameOf(1), "Alfa SA");
    EXPECT_EQ(nameOf(2), "Beta sp. z o.o.");
    EXPECT_EQ(nameOf(3), QString());
    addCustomer(customers, "Gamma", 3, "Gamma SA");
    EXPECT_EQ(nameOf(3), "Gamma SA");

    // Run while a run of the same text is still open.
    Query outer;
    outer.setSql(sql);
    outer.bindValue(1, 2);
    outer.open();
    EXPECT_EQ(nameOf(1), "Alfa SA");
    EXPECT_EQ(outer.fieldByName("Name").asString(), "Beta sp. z o.o.");

    // Every other file read since, so the customers' file was detached.
    std::vector<std::unique_ptr<Table>> others;
    for (const tv::TableLayout& layout : tv::allLayouts()) {
        if (layout.name == "scratch" || layout.name == "keyed") continue;
        others.push_back(std::make_unique<Table>(layout.fileName));
        others.back()->open();
    }
    ASSERT_GE(int(others.size()), attachLimit());
    EXPECT_EQ(nameOf(2), "Beta sp. z o.o.");
    // A statement kept between runs holds no lock: the file takes writes.
    EXPECT_NO_THROW(Query::exec("update keyed set Name = ?1 where Nr = ?2", {QString("Alfa SA II"), 1}));
    EXPECT_EQ(nameOf(1), "Alfa SA II");
}

// A list read from the tables is read again only when the stamp says a table
// may hold other rows: reads leave it, writes, replaced files and closing
// change it.
TEST(TableConnection, TheChangeStampMovesWithWhatTheTablesHold) {
    tvtest::WorkingFolder folder;
    Database& db = Database::instance();
    Table customers("keyed.db");
    customers.open();
    addCustomer(customers, "Alfa", 1, "Alfa SA");
    Database::ChangeStamp stamp = db.changeStamp();

    // Reading, through a cursor or a query, changes nothing.
    customers.refresh();
    for (customers.first(); !customers.eof(); customers.next()) {}
    Query query;
    query.setSql("select Name from keyed order by Code");
    query.open();
    EXPECT_EQ(db.changeStamp(), stamp);

    addCustomer(customers, "Beta", 2);
    EXPECT_NE(db.changeStamp(), stamp);
    stamp = db.changeStamp();
    // A write taken back still counts: the stamp errs towards reading again.
    EXPECT_THROW(db.transaction([&] {
        addCustomer(customers, "Gamma", 3);
        throw tv::EDatabaseError("przerwane");
    }),
                 tv::EDatabaseError);
    EXPECT_NE(db.changeStamp(), stamp);

    // A file put in place of the table.
    QTemporaryDir other;
    stamp = db.changeStamp();
    ASSERT_TRUE(QFile::copy(db.pathFor("keyed.db"), QDir(other.path()).filePath("keyed.db")));
    tv::replaceTables(other.path(), {"keyed.db"});
    EXPECT_NE(db.changeStamp(), stamp);

    // Closed and opened again.
    customers.close();
    stamp = db.changeStamp();
    const QString path = db.workingFolder();
    Database::close();
    Database::open(path);
    EXPECT_NE(Database::instance().changeStamp(), stamp);
}

// ---- what data-aware controls use ------------------------------------------------------------

TEST(TableControls, UpdateRecordLetsAControlWriteBeforeThePost) {
    tvtest::WorkingFolder folder;
    Table lines("lines.db");
    lines.open();
    QString typed;
    lines.addListener([&](Table::Event e) {
        if (e == Table::Event::UpdateRecord && !typed.isEmpty()) {
            lines.fieldByName("Name").setAsString(typed);
            typed.clear();
        }
    });
    lines.append();
    typed = "wpisane w polu";
    lines.post();
    EXPECT_EQ(lines.fieldByName("Name").asString(), "wpisane w polu");
    // An untouched row that a control changes on leaving is posted, not dropped.
    lines.append();
    typed = "drugie";
    lines.first();
    EXPECT_EQ(column(lines, "Name"), (QStringList{"wpisane w polu", "drugie"}));
}

TEST(TableControls, MoveToAndValueAtReachAnyRow) {
    tvtest::WorkingFolder folder;
    Table lines("lines.db");
    lines.open();
    Database::instance().transaction([&] {
        for (int i = 1; i <= 1000; ++i) {
            lines.append();
            lines.fieldByName("Lp").setAsInteger(i);
            lines.fieldByName("Net").setAsFloat(i * 1.5);
            lines.post();
        }
    });
    const int lp = lines.layout().fieldIndex("Lp");
    const int netto = lines.layout().fieldIndex("Net");
    lines.first();
    EXPECT_EQ(lines.valueAt(700, lp), QVariant(qlonglong(700)));
    EXPECT_EQ(lines.valueAt(3, netto), QVariant(4.5));
    EXPECT_FALSE(lines.valueAt(1001, lp).isValid());
    EXPECT_EQ(lines.recNo(), 1);
    EXPECT_TRUE(lines.moveTo(999));
    EXPECT_EQ(lines.fieldByName("Lp").asInteger(), 999);
    EXPECT_FALSE(lines.moveTo(0));
    EXPECT_FALSE(lines.moveTo(1001));
    EXPECT_EQ(lines.recNo(), 999);
    // Reading another row while this one is being edited neither posts nor moves.
    lines.edit();
    lines.fieldByName("Lp").setAsInteger(5000);
    EXPECT_EQ(lines.valueAt(999, lp), QVariant(qlonglong(999)));
    EXPECT_EQ(lines.valueAt(10, lp), QVariant(qlonglong(10)));
    EXPECT_EQ(lines.state(), Table::State::Edit);
    EXPECT_EQ(lines.fieldByName("Lp").asInteger(), 5000);
    lines.post();
    EXPECT_EQ(lines.valueAt(999, lp), QVariant(qlonglong(5000)));
    // Walking backwards reads the rows the other way round.
    QStringList last3;
    lines.last();
    for (int i = 0; i < 3; ++i, lines.prior())
        last3 << lines.fieldByName("Lp").asString();
    EXPECT_EQ(last3, (QStringList{"1000", "5000", "998"}));
}
