#pragma once

#include <initializer_list>

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "platform/table.h"
#include "platform/ui/messages.h"
#include "support/app_fixture.h"

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tvtest {

struct SellerRow {
    const char* id;
    int nr;
    const char* name;
    const char* town;
    const char* street;
};
struct CustomerRow {
    const char* id;
    int nr;
    const char* name;
    const char* discount; // in the regional settings; "" for none
};
struct GoodsRow {
    const char* name;
    int nr;
    const char* id;
    double net;
    const char* vat;
    const char* unit;
    const char* kind;
    double stock;
};

// Rows appended to a table of the working folder, before or after the forms
// are created.
inline void addSellers(std::initializer_list<SellerRow> rows) {
    tv::Table table(QStringLiteral("sprzedawcy.db"));
    table.open();
    for (const SellerRow& r : rows) {
        table.append();
        table.fieldByName("Id").setAsString(QString::fromUtf8(r.id));
        table.fieldByName("Nr").setAsInteger(r.nr);
        table.fieldByName("Nazwisko").setAsString(QString::fromUtf8(r.name));
        table.fieldByName("Miejscowosc").setAsString(QString::fromUtf8(r.town));
        table.fieldByName("Ulica").setAsString(QString::fromUtf8(r.street));
        table.post();
    }
}
inline void addCustomers(std::initializer_list<CustomerRow> rows) {
    tv::Table table(QStringLiteral("kontrahenci.db"));
    table.open();
    for (const CustomerRow& r : rows) {
        table.append();
        table.fieldByName("Id").setAsString(QString::fromUtf8(r.id));
        table.fieldByName("Nr").setAsInteger(r.nr);
        table.fieldByName("Nazwisko").setAsString(QString::fromUtf8(r.name));
        table.fieldByName("Rabat").setAsString(QString::fromUtf8(r.discount));
        table.post();
    }
}
inline void addGoods(std::initializer_list<GoodsRow> rows) {
    tv::Table table(QStringLiteral("towary.DB"));
    table.open();
    for (const GoodsRow& r : rows) {
        table.append();
        table.fieldByName("Nazwa").setAsString(QString::fromUtf8(r.name));
        table.fieldByName("Nr").setAsInteger(r.nr);
        table.fieldByName("Id").setAsString(QString::fromUtf8(r.id));
        table.fieldByName("Netto").setAsFloat(r.net);
        table.fieldByName("VAT").setAsString(QString::fromUtf8(r.vat));
        table.fieldByName("Jm").setAsString(QString::fromUtf8(r.unit));
        table.fieldByName("Klasa").setAsString(QString::fromUtf8(r.kind));
        table.fieldByName("Magazyn").setAsFloat(r.stock);
        table.post();
    }
}

// The invoice window over a working folder with two sellers and three
// customers; the window is not shown until a test shows it.
class InvoiceFixture : public AppFixture {
protected:
    void prepareData() override {
        addSellers({{"Druk", 1, "Jan Drukarz", "Kraków", "Długa 5"},
                    {"Agencja", 2, "Anna Agent", "Tarnów", "Wólka"}});
        addCustomers({{"Kowalski", 7, "Piotr Kowalski", ""},
                      {"Nowak", 8, "Ewa Nowak", "7,5"},
                      {"Zero", 9, "Zenon Zero", "0"}});
    }

    void SetUp() override {
        AppFixture::SetUp();
        // A first start checks every option of the administration; these
        // tests choose the ones they need.
        Form_fa10->CheckBox1->setChecked(false); // "wersja magazynowa"
        Form_fa10->CheckBox2->setChecked(false); // "archiwizuj automatycznie"
        Form_fa10->CheckBox_Ulica->setChecked(false);
        tv::ui::clearShownMessages();
    }

    void TearDown() override {
        if (Form_fa1) Form_fa1->hide();
        AppFixture::TearDown();
    }

    static void showWindow() {
        Form_fa1->show();
        Form_fa1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form_fa1));
    }

    // The operator opens a picker's list and clicks an item (the window is shown).
    static void choose(QComboBox* picker, const QString& text) {
        picker->showPopup();
        QAbstractItemView* view = picker->view();
        const QModelIndex index = view->model()->index(picker->findText(text), 0);
        ASSERT_TRUE(index.isValid()) << text.toStdString();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        ASSERT_EQ(picker->currentText(), text);
    }
    // The operator replaces a picker's text by typing.
    static void typeInto(QComboBox* picker, const QString& text) {
        QLineEdit* edit = picker->lineEdit();
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, text);
    }

    // A line appended to the window's line table, as code writes one: every
    // field write runs the window's line rule.
    static void addLine(const QString& name, double quantity, double price, const QString& rate) {
        tv::Table& lines = *Form_fa1->pozycje;
        lines.append();
        lines.fieldByName("Lp").setAsInteger(lines.recordCount() + 1);
        lines.fieldByName("Nazwa").setAsString(name);
        lines.fieldByName("Ilosc").setAsFloat(quantity);
        lines.fieldByName("VAT").setAsString(rate);
        lines.fieldByName("Jm").setAsString("szt");
        lines.fieldByName("Netto_jedn").setAsFloat(price);
        lines.post();
    }

    // "Netto_jedn Netto KwotaVAT Brutto" of each line, as the fields' texts.
    static QStringList lineFigures() {
        QStringList out;
        tv::Table& lines = *Form_fa1->pozycje;
        for (lines.first(); !lines.eof(); lines.next())
            out << QStringLiteral("%1 %2 %3 %4")
                       .arg(lines.fieldByName("Netto_jedn").asString(), lines.fieldByName("Netto").asString(),
                            lines.fieldByName("KwotaVAT").asString(), lines.fieldByName("Brutto").asString());
        return out;
    }

    QStringList messageTexts() const {
        QStringList out;
        for (const tv::ui::ShownMessage& m : messages())
            out << m.text;
        return out;
    }
};

} // namespace tvtest
