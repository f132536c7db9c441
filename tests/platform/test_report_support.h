#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include "platform/report/report.h"

namespace tvtest {

// Rows in memory for a detail band: field names, one list of texts per row,
// and the fields that hold money.
class RowsSource : public tv::report::DataSource {
public:
    RowsSource(QStringList fields, QVector<QStringList> rows, QSet<QString> money = {})
        : m_fields(std::move(fields)), m_rows(std::move(rows)), m_money(std::move(money)) {}

    void first() override { m_pos = 0; }
    void next() override { ++m_pos; }
    bool eof() const override { return m_pos >= m_rows.size(); }
    QString fieldText(const QString& field) const override {
        const int i = m_fields.indexOf(field);
        return i < 0 ? QString() : m_rows.at(m_pos).value(i);
    }
    bool isMoney(const QString& field) const override { return m_money.contains(field); }
    void restore() override { ++restores; }

    int restores = 0;

private:
    QStringList m_fields;
    QVector<QStringList> m_rows;
    QSet<QString> m_money;
    int m_pos = 0;
};

inline QVector<QStringList> numberedRows(int count) {
    QVector<QStringList> rows;
    for (int i = 1; i <= count; ++i)
        rows.append({QStringLiteral("Wiersz %1").arg(i), QString::number(i * 100)});
    return rows;
}

} // namespace tvtest
