#pragma once

#include <optional>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QVariant>
#include <QVector>
#include <QWidget>

#include "platform/table.h"
#include "platform/ui/controls.h"
#include "platform/ui/messages.h"
#include "support/app_fixture.h"

// Rows built in the test for the registers of the invoicing side.
namespace registerstest {

using FieldValues = QVector<QPair<QString, QVariant>>;

// Appends one row with the given fields (doubles, ints, dates, texts).
inline void addRow(const QString& file, const FieldValues& values) {
    tv::Table table(file);
    table.open();
    table.append();
    for (const auto& [field, value] : values) {
        tv::Field f = table.fieldByName(field);
        switch (value.typeId()) {
        case QMetaType::Double:
            f.setAsFloat(value.toDouble());
            break;
        case QMetaType::Int:
            f.setAsInteger(value.toInt());
            break;
        case QMetaType::QDate:
            f.setAsDate(value.toDate());
            break;
        default:
            f.setAsString(value.toString());
        }
    }
    table.post();
}

struct Goods {
    Goods(QString goodsName, int number, QString goodsId = {}, QString rate = {},
          std::optional<double> netPrice = {}, std::optional<double> grossPrice = {},
          std::optional<double> inStock = {})
        : name(std::move(goodsName)), nr(number), id(std::move(goodsId)), vat(std::move(rate)), net(netPrice),
          gross(grossPrice), stock(inStock) {}
    QString name;
    int nr = 0;
    QString id;
    QString vat;
    std::optional<double> net;
    std::optional<double> gross;
    std::optional<double> stock;
};

inline void addGoods(const Goods& g) {
    FieldValues values = {{"Nazwa", g.name}, {"Nr", g.nr}, {"Id", g.id}, {"VAT", g.vat}};
    if (g.net) values.append({"Netto", *g.net});
    if (g.gross) values.append({"Brutto", *g.gross});
    if (g.stock) values.append({"Magazyn", *g.stock});
    addRow(QStringLiteral("towary.DB"), values);
}

// One field of every row, as text, in table order (read afresh from the file).
inline QStringList column(const QString& file, const QString& field) {
    tv::Table table(file);
    table.open();
    QStringList values;
    for (table.first(); !table.eof(); table.next())
        values << table.fieldByName(field).asString();
    return values;
}

// One field of the row whose key field holds the key, read afresh.
inline QVariant valueOf(const QString& file, const QString& keyField, const QVariant& key,
                        const QString& field) {
    tv::Query query;
    query.setSql(
        QStringLiteral("select %1 from %2 where %3 = ?1").arg(field, file.section(u'.', 0, 0), keyField));
    query.bindValue(1, key);
    query.open();
    query.first();
    return query.eof() ? QVariant(QStringLiteral("<brak>")) : query.field(0).value();
}

inline int rowCount(const QString& file) {
    tv::Table table(file);
    table.open();
    return table.recordCount();
}

inline QStringList shownTexts() {
    QStringList texts;
    for (const tv::ui::ShownMessage& m : tv::ui::shownMessages())
        texts << m.text;
    return texts;
}

inline void showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// Replaces an edit's text by typing: select all, then the keys.
inline void typeInto(QWidget* edit, const QString& text) {
    edit->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(edit)) line->selectAll();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

inline void click(tv::ui::PanelButton* panel) {
    QTest::mouseClick(panel, Qt::LeftButton);
}
inline void click(QAbstractButton* button) {
    button->click();
}

// The texts one field shows in every row a table lets through, in order.
inline QStringList shownValues(tv::Table& table, const QString& field) {
    QStringList values;
    const int index = table.layout().fieldIndex(field);
    for (int row = 1; row <= table.recordCount(); ++row)
        values << table.valueAt(row, index).toString();
    return values;
}

} // namespace registerstest

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
