#include "costing/refdata/customer_copy.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "costing/costing_sheet.h"
#include "costing/refdata/customers.h"
#include "costing/rules/costing_tables.h"
#include "costing/rules/customer_rows.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/dataaware_navigator.h"
#include "platform/ui/dataaware_source.h"
#include "platform/ui/messages.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Kontrahenci"));
    kontrahenci = new tv::Table(QStringLiteral("kontrahenci.db"));
    Query1 = new tv::Query;
    DataSource1 = new tv::ui::DataSource(kontrahenci, this);

    auto* layout = new QVBoxLayout(this);
    DBNavigator1 = new tv::ui::DBNavigator(this);
    DBNavigator1->setDataSource(DataSource1);
    layout->addWidget(DBNavigator1);

    auto* fields = new QGridLayout;
    const QVector<tv::ui::RegisterField>& catalogue = costing::customerEditFields();
    for (int i = 0; i < catalogue.size() && i < int(DBEdits.size()); ++i) {
        auto* edit = new tv::ui::DBEdit(this);
        edit->setObjectName(QStringLiteral("DBEdit%1").arg(i + 1));
        edit->setDataSource(DataSource1);
        edit->setDataField(catalogue[i].field);
        fields->addWidget(new QLabel(catalogue[i].label, this), i / 2, (i % 2) * 2);
        fields->addWidget(edit, i / 2, (i % 2) * 2 + 1);
        DBEdits[size_t(i)] = edit;
    }
    layout->addLayout(fields);

    auto* buttons = new QHBoxLayout;
    SpeedButton2 = new tv::ui::SpeedButton(QStringLiteral("Sortuj wg:"), this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("Id"), QStringLiteral("NIP"), QStringLiteral("Firma"),
                         QStringLiteral("Nazwisko"), QStringLiteral("Telefon"),
                         QStringLiteral("Miejscowość")});
    ComboBox1->setCurrentIndex(-1);
    SpeedButton1 = new tv::ui::SpeedButton(QStringLiteral("Zamknij"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    buttons->addWidget(SpeedButton2);
    buttons->addWidget(ComboBox1);
    buttons->addStretch(1);
    buttons->addWidget(SpeedButton1);
    layout->addLayout(buttons);

    tv::ui::onClick(static_cast<QAbstractButton*>(SpeedButton1), [this] { SpeedButton1Click(SpeedButton1); });
    tv::ui::onClick(static_cast<QAbstractButton*>(SpeedButton2), [this] { SpeedButton2Click(SpeedButton2); });

    kontrahenci->open();
}

TForm2::~TForm2() {
    delete DBNavigator1;
    qDeleteAll(DBEdits);
    DBEdits.fill(nullptr);
    delete DataSource1;
    delete Query1;
    delete kontrahenci;
}

void TForm2::SpeedButton1Click(QObject*) {
    QComboBox* picker = Form1->ComboBox7;
    const QString text = picker->currentText();
    QStringList ids;
    kontrahenci->first();
    const int count = kontrahenci->recordCount();
    for (int i = 0; i < count; ++i) {
        ids.append(kontrahenci->fieldByName(QStringLiteral("Id")).asString());
        kontrahenci->next();
    }
    picker->clear();
    picker->addItems(ids);
    // The customer chosen on the sheet stays chosen.
    picker->setEditText(text);
    close();
}

void TForm2::SpeedButton2Click(QObject*) {
    const QString choice = ComboBox1->currentText();
    if (choice.isEmpty()) {
        tv::ui::showMessage(QStringLiteral("Wybierz kategorię sortowania"));
        return;
    }
    const QString column = choice == QStringLiteral("Miejscowość") ? QStringLiteral("Miejscowosc") : choice;
    // Only a column of the table may follow "order by".
    if (kontrahenci->layout().fieldIndex(column) < 0) {
        tv::ui::showMessage(QStringLiteral("Wybierz kategorię sortowania"));
        return;
    }
    Query1->close();
    Query1->setSql(QStringLiteral("select * from kontrahenci order by ") + column);
    Query1->open();

    // The sorted rows are read whole before the table is emptied, and the
    // table is emptied and refilled as one transaction: a failure midway
    // leaves every customer in place.
    const QVector<tv::FieldDef> defs = costing::customerFields();
    QVector<QVector<QVariant>> rows;
    rows.reserve(Query1->recordCount());
    for (Query1->first(); !Query1->eof(); Query1->next()) {
        QVector<QVariant> row;
        row.reserve(defs.size());
        for (const tv::FieldDef& def : defs)
            row.append(Query1->fieldByName(def.name).value());
        rows.append(row);
    }
    Query1->close();

    tv::Database::instance().transaction([&] {
        kontrahenci->emptyTable();
        for (const QVector<QVariant>& row : rows) {
            kontrahenci->append();
            for (int f = 0; f < defs.size(); ++f)
                costing::setFieldValue(kontrahenci->fieldByName(defs[f].name), row[f]);
            kontrahenci->post();
        }
    });
    kontrahenci->first();
}
