#include "platform/test_tables.h"

#include "platform/table.h"

namespace tvtest {

namespace {

tv::FieldDef alpha(const char* name, int size) {
    return {QString::fromLatin1(name), tv::FieldType::Alpha, size};
}
tv::FieldDef longInt(const char* name) {
    return {QString::fromLatin1(name), tv::FieldType::Long, 0};
}
tv::FieldDef number(const char* name) {
    return {QString::fromLatin1(name), tv::FieldType::Number, 0};
}
tv::FieldDef money(const char* name) {
    return {QString::fromLatin1(name), tv::FieldType::Money, 0};
}
tv::FieldDef autoInc(const char* name) {
    return {QString::fromLatin1(name), tv::FieldType::AutoInc, 0};
}
tv::FieldDef date(const char* name) {
    return {QString::fromLatin1(name), tv::FieldType::Date, 0};
}

tv::TableLayout table(const char* name, const char* fileName, QVector<tv::FieldDef> fields,
                      QStringList key = {}, QStringList indexes = {}) {
    tv::TableLayout layout;
    layout.name = QString::fromLatin1(name);
    layout.fileName = QString::fromLatin1(fileName);
    layout.fields = std::move(fields);
    layout.key = std::move(key);
    layout.indexes = std::move(indexes);
    return layout;
}

tv::TableLayout working(tv::TableLayout layout) {
    layout.durable = false;
    return layout;
}

// A register's row: a short text key with a number beside it, longer texts
// to filter on, a number that may stay empty.
QVector<tv::FieldDef> keyedFields() {
    return {alpha("Code", 10),  longInt("Nr"),    alpha("Person", 50), alpha("Name", 100),
            alpha("TaxNo", 13), number("Amount"), alpha("Note", 150)};
}

} // namespace

// More tables than one connection attaches at once, so that the tests of
// attaching and detaching files have files to spare.
QVector<tv::TableLayout> testTables() {
    QVector<tv::TableLayout> all;
    // Keyed by a text and a number: key order, key violations, filters, joins.
    all << table("keyed", "keyed.db", keyedFields(), {"Code", "Nr"});
    // Made only on demand, with the keyed table's fields and no key.
    tv::TableLayout scratch = working(table("scratch", "scratch.DB", keyedFields()));
    scratch.scratch = true;
    all << scratch;
    // An autoincrement key with a short name and a ratio: what grids and
    // data-aware edits are tried on.
    all << table("numbered", "numbered.db", {autoInc("Nr"), alpha("Name", 6), number("Ratio")}, {"Nr"});
    // An autoincrement number that is not a key: a pick list's rows.
    all << table("picklist", "picklist.db", {autoInc("Nr"), alpha("Name", 10)});
    // Keyless, large, with an index on the field its filters use.
    all << table("prices", "prices.db", {longInt("Kind"), number("Weight"), money("Unit"), money("Bulk")}, {},
                 {"Kind"});
    // Working tables, rebuilt on every use: lines, their totals, a job's parts.
    all << working(table("lines", "lines.db",
                         {longInt("Lp"), alpha("Name", 255), number("Qty"), alpha("Rate", 3), money("Net"),
                          money("Tax"), money("Gross")}));
    all << working(
        table("totals", "totals.db", {alpha("Rate", 3), money("Net"), money("Tax"), money("Gross")}));
    all << working(
        table("parts", "parts.db",
              {alpha("Code", 5), number("Qty"), alpha("Kind", 10), number("Weight"), money("Cost")}));
    // Keyless texts and numbers only.
    all << table("names", "names.db", {alpha("Code", 10), longInt("Nr"), alpha("Name", 255)});
    // Documents with dates, and their lines, each with an index.
    all << table("documents", "documents.db",
                 {alpha("Nr", 20), longInt("Party"), longInt("Kind"), date("Issued"), alpha("Payment", 20),
                  money("Net"), money("Tax"), money("Gross"), longInt("Discount")},
                 {}, {"Issued"});
    all << table("entries", "entries.db",
                 {longInt("Lp"), alpha("Name", 255), number("Qty"), money("Net"), alpha("DocNr", 20)}, {},
                 {"DocNr"});
    // Keyed by a long text, then a number; its file is named with an upper-case extension.
    all << table("goods", "goods.DB", {alpha("Name", 255), longInt("Nr"), money("Price"), alpha("Rate", 3)},
                 {"Name", "Nr"});
    // One record of settings.
    all << table("settings", "settings.db",
                 {money("Rate1"), money("Rate2"), longInt("Machine"), alpha("Format", 5), alpha("Tax", 3)});
    return all;
}

void registerTestTables() {
    tv::registerLayouts(testTables());
}

} // namespace tvtest
