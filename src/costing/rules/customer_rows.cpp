#include "costing/rules/customer_rows.h"

#include <QDate>

#include "costing/rules/costing_tables.h"

namespace costing {

void setFieldValue(tv::Field to, const QVariant& value) {
    if (value.isNull()) {
        to.clear();
        return;
    }
    switch (to.def().type) {
    case tv::FieldType::Alpha:
        to.setAsString(value.toString());
        break;
    case tv::FieldType::Long:
    case tv::FieldType::AutoInc:
        to.setAsInteger(value.toInt());
        break;
    case tv::FieldType::Number:
    case tv::FieldType::Money:
        to.setAsFloat(value.toDouble());
        break;
    case tv::FieldType::Date:
        to.setAsDate(value.toDate());
        break;
    }
}

namespace {

// Appends one row to the destination for each row of the source, every field
// copied by name; the fields are looked up once, not once per row.
template <typename Source>
void copyCustomers(Source& from, tv::Table& to, const QVector<tv::FieldDef>& defs) {
    QVector<tv::Field> source;
    QVector<tv::Field> target;
    for (const tv::FieldDef& def : defs) {
        source.append(from.fieldByName(def.name));
        target.append(to.fieldByName(def.name));
    }
    while (!from.eof()) {
        to.append();
        for (int f = 0; f < defs.size(); ++f)
            copyField(source[f], target[f]);
        to.post();
        from.next();
    }
}

} // namespace

void resortCustomers(tv::Table& scratch, tv::Table& customers, tv::Query& source) {
    struct CloseOnExit {
        tv::Table& scratch;
        tv::Table& customers;
        tv::Query& source;
        ~CloseOnExit() {
            source.close();
            if (scratch.active()) scratch.close();
            if (customers.active()) customers.close();
        }
    } closeOnExit{scratch, customers, source};

    if (customers.active()) customers.close();
    customers.setTableName(QStringLiteral("kontrahenci.DB"));
    customers.open();

    if (scratch.active()) scratch.close();
    scratch.setTableName(QStringLiteral("tabletemp.DB"));
    const QVector<tv::FieldDef> defs = customerFields();
    scratch.createTable(defs);
    scratch.open();

    source.close();
    source.setSql(QStringLiteral("select * from kontrahenci order by Id"));
    source.open();
    source.first();
    tv::Database& database = tv::Database::instance();
    database.transaction([&] { copyCustomers(source, scratch, defs); });
    source.close();

    database.transaction([&] {
        customers.emptyTable();
        scratch.first();
        copyCustomers(scratch, customers, defs);
    });
}

} // namespace costing
