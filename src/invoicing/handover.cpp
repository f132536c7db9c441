// The costing sheet's "  Faktura": a method of the sheet's class that belongs
// to the invoicing side, since it writes only into the invoice window.

#include "costing/costing_sheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScopeGuard>

#include "costing/rules/vat_rates.h"
#include "invoicing/invoice_window.h"
#include "platform/convert.h"
#include "platform/table.h"
#include "platform/ui/messages.h"

namespace {

// A figure of the sheet the invoice lines are made of; a text that is no
// amount ends the hand-over before anything has changed.
tv::Currency sheetAmount(const QLineEdit* edit, const QString& what) {
    tv::Currency amount;
    if (tv::TryStrToCurr(edit->text(), amount)) return amount;
    tv::ui::showMessage(QStringLiteral("Nie można wystawić faktury: %1 „%2” nie jest kwotą. Przelicz "
                                       "kalkulację i spróbuj ponownie.")
                            .arg(what, edit->text()),
                        QStringLiteral("Uwaga"), tv::ui::Icon::Warning);
    throw tv::EAbort();
}

// The rate of the printing line; a text that is no rate ends the hand-over
// before anything has changed, as the line could not be posted with it.
QString sheetRate(const QString& rate) {
    if (costing::isValidLineRate(rate)) return rate;
    tv::ui::showMessage(
        QStringLiteral("Nie można wystawić faktury: podatek „%1” nie jest stawką VAT. Wybierz "
                       "stawkę w kalkulacji i spróbuj ponownie.")
            .arg(rate),
        QStringLiteral("Uwaga"), tv::ui::Icon::Warning);
    throw tv::EAbort();
}

void writeLine(tv::Table& lines, int lp, const QString& name, const QString& vat) {
    lines.append();
    lines.fieldByName(QStringLiteral("Lp")).setAsInteger(lp);
    lines.fieldByName(QStringLiteral("Nazwa")).setAsString(name);
    lines.fieldByName(QStringLiteral("Ilosc")).setAsInteger(1);
    lines.fieldByName(QStringLiteral("VAT")).setAsString(vat);
    lines.fieldByName(QStringLiteral("Jm")).setAsString(QStringLiteral("szt"));
}

} // namespace

void TForm1::SpeedButton4Click(QObject* Sender) {
    // One hand-over at a time: one started from inside another (the discount
    // box of the invoice window, or a new invoice it starts) has nothing to add.
    static bool running = false;
    if (running) return;
    running = true;
    auto done = qScopeGuard([] { running = false; });

    TForm_fa1* invoice = Form_fa1;
    // The figures are checked before anything changes.
    const tv::Currency preparation = sheetAmount(Edit21, QStringLiteral("koszt przygotowania do druku"));
    const tv::Currency rounded = sheetAmount(Edit65, QStringLiteral("zaokrąglona cena netto"));
    // Printing takes the sheet's rate only when the tax is on the whole job.
    const QString rate =
        sheetRate(ComboBox6->currentText() == QStringLiteral("do całości") ? ComboBox1->currentText()
                                                                           : QStringLiteral("0"));

    // The window is shown before it is filled: showing a hidden window
    // renumbers it and puts the administration's remarks in, which must not
    // replace the sheet's.
    if (!invoice->isVisible()) invoice->show();
    // An invoice already stored stays as it was stored: the job becomes a new one.
    if (!invoice->storedNumber.isEmpty()) invoice->SpeedButton1Click(Sender);

    invoice->Edit12->setText(Edit69->text());
    invoice->ComboBox3->setEditText(ComboBox7->currentText());
    invoice->ComboBox3Change(Sender);

    const QString jobName = Edit1->text();
    const QString discount = ComboBox3->currentText();
    tv::Table& lines = *invoice->pozycje;
    invoice->showingHeldWarnings([&] {
        tv::Database::instance().transaction([&] {
            lines.emptyTable();
            // The lines go in at full price with the box clear; checking it below
            // then applies the sheet's discount to them exactly once.
            invoice->setDiscountFromCode(false, invoice->ComboBox6->currentText());

            writeLine(lines, 1, QStringLiteral("Przygotowanie do druku ") + jobName, QStringLiteral("22"));
            // Preparation is billed at the standard rate whatever the sheet's rate.
            lines.fieldByName(QStringLiteral("Netto_jedn")).setAsString(Edit21->text());
            invoice->SpeedButton14Click(Sender);

            writeLine(lines, 2, QStringLiteral("Druk ") + jobName, rate);
            lines.fieldByName(QStringLiteral("Netto_jedn")).setAsCurrency(rounded - preparation);
            invoice->SpeedButton14Click(Sender);

            if (discount == QLatin1String("0"))
                invoice->setDiscountFromCode(false, invoice->ComboBox6->currentText());
            else
                invoice->setDiscountFromCode(true, discount);
        });
    });

    invoice->raise();
    invoice->activateWindow();
}
