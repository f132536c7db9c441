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

int findRow(tv::Table& table, const QString& field, const QString& text) {
    if (!table.active() || text.isEmpty()) return 0;
    const int index = table.layout().fieldIndex(field);
    const int count = table.recordCount();
    for (int recNo = 1; recNo <= count; ++recNo)
        if (table.valueAt(recNo, index).toString() == text) return recNo;
    return 0;
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
