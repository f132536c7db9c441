#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include <ostream>

#include "costing/costing_sheet.h"
#include "costing/rules/vat_rates.h"
#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "platform/clock.h"
#include "platform/table.h"
#include "platform/ui/controls.h"
#include "support/app_fixture.h"

// Texts in failure messages as the operator reads them.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tvtest {

// The program's forms over a working folder with two sellers and three
// customers (one with a stored discount of 10, one of 0), on 5 March 2009,
// outside the stock version.
class StorageFixture : public AppFixture {
protected:
    void prepareData() override {
        addParty("sprzedawcy.db", "FIRMA", 1, "Anna Nowak");
        addParty("sprzedawcy.db", "DRUGA", 2, "Piotr Lis");
        addParty("kontrahenci.db", "KOWAL", 5, "Jan Kowalski");
        addParty("kontrahenci.db", "RABAT", 6, "Maria Nowak", 10);
        addParty("kontrahenci.db", "ZERO", 7, "Ewa Zero", 0);
    }

    void SetUp() override {
        tv::setToday(QDate(2009, 3, 5));
        AppFixture::SetUp();
        // Outside the stock version unless a test turns it on.
        Form_fa10->CheckBox1->setChecked(false);
        tv::ui::clearShownMessages();
    }

    void TearDown() override {
        AppFixture::TearDown();
        tv::setToday(QDate());
    }

    static void addParty(const char* table, const char* id, int nr, const char* name,
                         std::optional<double> discount = std::nullopt) {
        tv::Table t(QString::fromLatin1(table));
        t.open();
        t.append();
        t.fieldByName("Id").setAsString(QString::fromUtf8(id));
        t.fieldByName("Nr").setAsInteger(nr);
        t.fieldByName("Nazwisko").setAsString(QString::fromUtf8(name));
        if (discount) t.fieldByName("Rabat").setAsFloat(*discount);
        t.post();
    }

    // A line of the invoice on screen, written straight into its table.
    static void addLine(const char* name, double quantity, double unitNet, const char* vat) {
        tv::Table& lines = *Form_fa1->pozycje;
        lines.append();
        lines.fieldByName("Lp").setAsInteger(lines.recordCount() + 1);
        lines.fieldByName("Nazwa").setAsString(QString::fromUtf8(name));
        lines.fieldByName("Ilosc").setAsFloat(quantity);
        lines.fieldByName("VAT").setAsString(QString::fromUtf8(vat));
        lines.fieldByName("Jm").setAsString("szt");
        lines.fieldByName("Netto_jedn").setAsFloat(unitNet);
        const double net = quantity * unitNet;
        const double vatAmount = net * costing::lineVatRate(QString::fromUtf8(vat)) * 0.01;
        lines.fieldByName("Netto").setAsFloat(net);
        lines.fieldByName("KwotaVAT").setAsFloat(vatAmount);
        lines.fieldByName("Brutto").setAsFloat(net + vatAmount);
        lines.post();
    }

    // The parties as the operator's choice in the pickers leaves them.
    static void chooseParties(const QString& seller, std::optional<int> sellerNr, const QString& customer,
                              std::optional<int> customerNr) {
        Form_fa1->ComboBox2->setEditText(seller);
        Form_fa1->chosenSeller = sellerNr;
        Form_fa1->ComboBox3->setEditText(customer);
        Form_fa1->chosenCustomer = customerNr;
    }

    // The discount box as only code may set it, with its handlers kept out.
    static void setDiscountBox(bool checked, const QString& percentage) {
        const QSignalBlocker box(Form_fa1->CheckBox2);
        Form_fa1->CheckBox2->setChecked(checked);
        Form_fa1->ComboBox6->setEditText(percentage);
    }

    // The save button as the operator presses it: a refusal ends it silently
    // after its message.
    static void save() {
        tv::ui::guard([] { Form_fa1->SpeedButton2Click(Form_fa1->SpeedButton2); });
    }

    // Every stored header's number and its lines, in table order.
    static QStringList storedRows() {
        QStringList rows;
        tv::Table headers(QStringLiteral("wyst_faktury.db"));
        headers.open();
        for (headers.first(); !headers.eof(); headers.next())
            rows << QStringLiteral("F ") + headers.fieldByName("Nr").asString();
        tv::Table lines(QStringLiteral("wyst_pozycje.db"));
        lines.open();
        for (lines.first(); !lines.eof(); lines.next())
            rows << QStringLiteral("P %1 %2 %3")
                        .arg(lines.fieldByName("Nr_faktury").asString(), lines.fieldByName("Lp").asString(),
                             lines.fieldByName("Nazwa").asString());
        return rows;
    }

    // Lines of the invoice on screen as "Lp Nazwa Ilosc Jm VAT Netto_jedn".
    static QStringList shownLines() {
        QStringList rows;
        tv::Table lines(QStringLiteral("pozycje.db"));
        lines.open();
        for (lines.first(); !lines.eof(); lines.next())
            rows << QStringLiteral("%1 %2|%3 %4 %5 %6")
                        .arg(lines.fieldByName("Lp").asString(), lines.fieldByName("Nazwa").asString(),
                             lines.fieldByName("Ilosc").asString(), lines.fieldByName("Jm").asString(),
                             lines.fieldByName("VAT").asString(), lines.fieldByName("Netto_jedn").asString());
        return rows;
    }
};

} // namespace tvtest
