// Filters of a table cursor: the terms the forms set, compiled into a bound
// WHERE clause.

#include <QDate>
#include <QStringList>

#include "platform/convert.h"
#include "platform/table_internal.h"

namespace tv::detail {

void compileFilter(const TableLayout& layout, const QVector<Table::FilterTerm>& list, QString& where,
                   std::vector<Value>& values) {
    QStringList parts;
    values.clear();
    for (const Table::FilterTerm& term : list) {
        const int i = layout.fieldIndex(term.field.trimmed());
        if (i < 0)
            throw EDatabaseError(
                QStringLiteral("Filtr tabeli „%1”: nie ma pola „%2”").arg(layout.name, term.field));
        const FieldDef& def = layout.fields[i];
        const QString op = term.op.trimmed();
        static const QStringList ops = {QStringLiteral("="),  QStringLiteral("<>"), QStringLiteral(">="),
                                        QStringLiteral("<="), QStringLiteral(">"),  QStringLiteral("<")};
        if (!ops.contains(op))
            throw EDatabaseError(
                QStringLiteral("Filtr tabeli „%1”: nieznany operator „%2”").arg(layout.name, term.op));
        const QString column = detail::quoteIdentifier(def.name);
        const bool numeric = def.type == FieldType::Long || def.type == FieldType::AutoInc ||
                             def.type == FieldType::Number || def.type == FieldType::Money;
        if (term.value.isEmpty()) {
            // The empty text is the lowest value: an empty field equals it.
            const QString isEmpty = numeric ? QStringLiteral("%1 IS NULL").arg(column)
                                            : QStringLiteral("(%1 IS NULL OR %1 = '')").arg(column);
            const QString notEmpty = numeric ? QStringLiteral("%1 IS NOT NULL").arg(column)
                                             : QStringLiteral("(%1 IS NOT NULL AND %1 <> '')").arg(column);
            if (op == QLatin1String(">=")) continue;
            if (op == QLatin1String("<"))
                parts << QStringLiteral("0");
            else if (op == QLatin1String("=") || op == QLatin1String("<="))
                parts << isEmpty;
            else
                parts << notEmpty;
            continue;
        }
        Value value;
        if (numeric) {
            double number = 0;
            bool ok = TryStrToFloat(term.value, number);
            if (!ok) number = term.value.trimmed().toDouble(&ok);
            if (!ok)
                throw EDatabaseError(QStringLiteral("Filtr tabeli „%1”: „%2” nie jest liczbą (pole „%3”)")
                                         .arg(layout.name, term.value, def.name));
            value = Value::ofReal(number);
        } else if (def.type == FieldType::Date) {
            QDate date;
            if (!TryStrToDate(term.value, date)) date = QDate::fromString(term.value.trimmed(), Qt::ISODate);
            if (!date.isValid())
                throw EDatabaseError(QStringLiteral("Filtr tabeli „%1”: „%2” nie jest datą (pole „%3”)")
                                         .arg(layout.name, term.value, def.name));
            value = Value::ofText(date.toString(Qt::ISODate));
        } else {
            value = Value::ofText(term.value);
        }
        values.push_back(value);
        const QString mark = QStringLiteral("?%1").arg(values.size());
        // An empty field sorts below every value, so it passes "<", "<=" and "<>".
        if (op == QLatin1String("<>") || op == QLatin1String("<") || op == QLatin1String("<="))
            parts << QStringLiteral("(%1 IS NULL OR %1 %2 %3)").arg(column, op, mark);
        else
            parts << QStringLiteral("%1 %2 %3").arg(column, op, mark);
    }
    where = parts.join(QLatin1String(" AND "));
}

} // namespace tv::detail
