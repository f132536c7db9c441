// The new invoice: the invoice on screen is saved under its number unless it
// was printed, the running number moves on, and the window is cleared for the
// next invoice.

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/registers/issued_invoices.h"
#include "invoicing/rules/invoice_store.h"
#include "invoicing/rules/settings_files.h"
#include "platform/clock.h"
#include "platform/convert.h"
#include "platform/errors.h"
#include "platform/table.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware_controls.h"

namespace {

// Whether the running number is the invoice on screen's. Showing the window
// again moves the counter past a stored invoice on screen (to the next free
// number, or to 1 in a new year): the counter then numbers the next invoice.
bool counterOnScreen(TForm_fa1& w) {
    return w.storedNumber.isEmpty() || w.counterPastStored != w.storedNumber ||
           w.Edit5->text() != w.storedNumber;
}

// Saves the invoice on screen before the window is cleared. An invoice
// without lines is not saved, and a printed one was saved by its printing.
// One deleted in the register since it was stored stays deleted, unless the
// operator has given it another number (saving or printing it stores it
// anew). Returns whether the next invoice needs the next running number: the
// invoice on screen was stored now or before, it was numbered by the window
// rather than loaded from the register, and the counter is its own.
bool saveInvoiceOnScreen(TForm_fa1& w) {
    bool savedNow = false;
    const bool deleted = !w.storedNumber.isEmpty() && w.Edit5->text() == w.storedNumber &&
                         !invoicing::invoiceStored(w.storedNumber);
    if (w.LicznikFaktur >= 0 && !w.Wydrukowana && !deleted) {
        // A line still being typed belongs to the invoice.
        w.SpeedButton14Click(w.SpeedButton14);
        if (w.pozycje->recordCount() > 0) {
            const QString number = w.Edit5->text();
            // Asked before the transaction, so that no question waits inside it.
            if (!w.confirmNumberChange(number)) throw tv::EAbort();
            w.showingHeldWarnings(
                [&] { tv::Database::instance().transaction([&] { w.ZapiszFakture(number); }); });
            savedNow = true;
        }
    }
    const bool stored = savedNow || w.Wydrukowana || !w.storedNumber.isEmpty();
    w.Wydrukowana = false;
    const bool loaded = Form_fa2 && Form_fa2->loadedInvoice;
    return stored && !loaded && counterOnScreen(w);
}

QString firstSellerId(TForm_fa1& w) {
    w.sprzedawcy->first();
    w.kontrahenci->first();
    if (w.sprzedawcy->isEmpty()) {
        w.chosenSeller.reset();
        return QString();
    }
    w.chosenSeller = w.sprzedawcy->fieldByName(QStringLiteral("Nr")).asInteger();
    return w.sprzedawcy->fieldByName(QStringLiteral("Id")).asString();
}

// Clears the window for the invoice numbered by the administration's counter.
void resetWindow(TForm_fa1& w) {
    Form_fa10->ZapiszUstawienia();
    w.LicznikFaktur = int(tv::StrToFloat(Form_fa10->Edit2->text()));
    // The new number carries today's date, not the last invoice's.
    for (QDateEdit* date : {w.DateTimePicker1, w.DateTimePicker2, w.DateTimePicker3})
        date->setDate(tv::today());
    w.Edit5->setText(w.FormatujNumer(w.LicznikFaktur, w.DateTimePicker1->date()));
    w.storedNumber.clear();
    w.counterPastStored.clear();
    w.ComboBox2->setEditText(firstSellerId(w));
    w.ComboBox3->setEditText(QString());
    w.chosenCustomer.reset();
    w.ComboBox5->setEditText(QString());
    w.ComboBox1->setEditText(QStringLiteral("gotówką"));
    // The term stays as it was: its date shows while it says "Inne", since a
    // hidden date would still be printed as the term.
    w.DateTimePicker2->setVisible(w.ComboBox4->currentText() == QLatin1String("Inne"));
    w.RadioButton1->setChecked(true);
    w.TrybVatRR = false;
    w.Edit1->setText(QStringLiteral("0"));
    w.Edit2->setText(QStringLiteral("0"));
    w.Edit3->setText(QStringLiteral("0"));
    w.Edit4->setText(QString());
    w.Edit11->setText(QString());
    w.Edit7->setText(Form_fa10->Edit3->text());
    w.Edit12->setText(Form_fa10->Edit4->text());
    // The lines go before the box is reset: repricing them would write each
    // line once more and check it against a stock its invoice has taken.
    tv::Table& lines = *w.pozycje;
    if (lines.state() == tv::Table::State::Insert || lines.state() == tv::Table::State::Edit) lines.cancel();
    tv::Database::instance().transaction([&] {
        lines.first();
        while (!lines.isEmpty())
            lines.remove();
    });
    // Unchecked by code, the box must not run its handler: that would bring
    // the costing sheet's job back into the new invoice.
    w.setDiscountFromCode(false, w.ComboBox6->currentText());
    w.Przelicz();
}

} // namespace

void TForm_fa1::NowaFaktura() {
    saveInvoiceOnScreen(*this);
    resetWindow(*this);
}

void TForm_fa1::SpeedButton1Click(QObject*) {
    // The running number moves on only once the invoice on screen is safely
    // stored under it; an empty invoice leaves its number to the next one.
    const bool loaded = Form_fa2 && Form_fa2->loadedInvoice;
    const bool numberUsed = saveInvoiceOnScreen(*this);
    if (Form_fa2) Form_fa2->loadedInvoice = false;
    Zapisana = false;
    if (numberUsed) ++LicznikFaktur;
    // Under a loaded invoice the counter stood still, though the invoice it
    // numbered may have been saved meanwhile: the next number is one the
    // register does not hold yet.
    if (loaded) LicznikFaktur = std::max(LicznikFaktur, NastepnyNumer() + 1);
    Form_fa10->Edit2->setText(QString::number(std::max(LicznikFaktur, 1)));
    resetWindow(*this);
    Edit8->clear();
    Edit9->clear();
    setDiscountFromCode(false, ComboBox6->currentText());
    sprzedawcy->first();
    ComboBox2->setEditText(firstSellerId(*this));
    ComboBox5->setEditText(QString());
    ComboBox3->setEditText(QString());
    chosenCustomer.reset();
    Edit8->setText(DBEdit5->text());
    if (ComboBox3->currentText().isEmpty())
        Edit9->clear();
    else
        Edit9->setText(DBEdit6->text());
}
