#include "invoicing/rules/invoice_header.h"

#include <limits>

#include "platform/table.h"

namespace invoicing {

QString placeFromStreet(const QString& street) {
    for (int i = 0; i < street.size(); ++i)
        if (street.at(i) >= u'0' && street.at(i) <= u'9') return street.left(i);
    return street;
}

int digitsOfText(const QString& text) {
    long long value = 0;
    bool any = false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') continue;
        any = true;
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    }
    return any ? int(value) : 0;
}

QString termDateText(const QDate& date) {
    return QStringLiteral("%1/%2/%3")
        .arg(date.day())
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

namespace {

int walk(tv::Table& table, int index, const QString& text) {
    const int count = table.recordCount();
    for (int recNo = 1; recNo <= count; ++recNo)
        if (table.valueAt(recNo, index).toString() == text) return recNo;
    return 0;
}

// The place of the first row holding the text, worked out from the key
// order of a table keyed by that field first, which the cursor walks in:
// the rows before it are counted through the key's index. 0 when the file
// has no such row, -1 when the cursor does not agree (filtered, or not
// re-read since the file changed).
int fromKeyOrder(tv::Table& table, int index, const QString& text) {
    const tv::TableLayout& layout = table.layout();
    const QString field = layout.fields[index].name;
    if (table.filtered() || layout.key.isEmpty() || layout.key.size() > 2 ||
        layout.key.first().compare(field, Qt::CaseInsensitive) != 0)
        return -1;
    const QString second = layout.key.value(1);
    QVariant secondValue;
    tv::Query query;
    if (!second.isEmpty()) {
        query.setSql(QStringLiteral("select %3 from %1 where %2 = ?1 order by %3 limit 1")
                         .arg(layout.name, field, second));
        query.bindValue(1, text);
        query.open();
        if (query.eof()) return 0;
        secondValue = query.field(0).value();
        query.setSql(QStringLiteral("select count(*) from %1 where %2 is null or %2 < ?1 or (%2 = ?1 and "
                                    "(%3 is null or %3 < ?2))")
                         .arg(layout.name, field, second));
        query.bindValue(2, secondValue);
    } else {
        query.setSql(QStringLiteral("select count(*) from %1 where %2 = ?1").arg(layout.name, field));
        query.bindValue(1, text);
        query.open();
        if (query.field(0).asInteger() == 0) return 0;
        query.setSql(
            QStringLiteral("select count(*) from %1 where %2 is null or %2 < ?1").arg(layout.name, field));
    }
    query.bindValue(1, text);
    query.open();
    const int recNo = query.field(0).asInteger() + 1;
    if (recNo > table.recordCount() || table.valueAt(recNo, index).toString() != text) return -1;
    if (!second.isEmpty() && table.valueAt(recNo, layout.fieldIndex(second)) != secondValue) return -1;
    return recNo;
}

} // namespace

int findRow(tv::Table& table, const QString& field, const QString& text) {
    if (!table.active() || text.isEmpty()) return 0;
    const int index = table.layout().fieldIndex(field);
    const int placed = fromKeyOrder(table, index, text);
    return placed >= 0 ? placed : walk(table, index, text);
}

bool fileHolds(tv::Table& table, const QString& field, const QString& text) {
    if (!table.active() || text.isEmpty()) return false;
    tv::Query query;
    query.setSql(QStringLiteral("select count(*) from %1 where %2 = ?1").arg(table.layout().name, field));
    query.bindValue(1, text);
    query.open();
    return query.field(0).asInteger() > 0;
}

int findRow(tv::Table& table, const QString& field, int value) {
    if (!table.active()) return 0;
    const int index = table.layout().fieldIndex(field);
    const int count = table.recordCount();
    for (int recNo = 1; recNo <= count; ++recNo) {
        const QVariant stored = table.valueAt(recNo, index);
        if (!stored.isNull() && stored.toLongLong() == value) return recNo;
    }
    return 0;
}

} // namespace invoicing
