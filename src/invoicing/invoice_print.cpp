#include "invoicing/invoice_window.h"

#include <functional>
#include <vector>

#include <QComboBox>
#include <QRadioButton>

#include "invoicing/reports/bill_report.h"
#include "invoicing/reports/vat_invoice_report.h"
#include "invoicing/rules/printout_texts.h"
#include "platform/ui/messages.h"
#include "platform/ui/report_preview.h"

// Preview and print of the invoice on screen: the document kind picks the
// printout, the print form the copies and their captions.

namespace {

// A document kind's printout: its report, the label that carries the copy
// caption and the fill that copies the window into it.
struct DocumentPrintout {
    tv::report::Report* report;
    QString copyCaption;
    std::function<void()> fill;
};

std::vector<DocumentPrintout> chosenPrintouts(const TForm_fa1& window) {
    std::vector<DocumentPrintout> printouts;
    if (window.RadioButton1->isChecked())
        printouts.push_back(
            {&Form_fa6->QuickRep1, QStringLiteral("QRLabel25"), [] { Form_fa6->WypelnijFakture(); }});
    if (window.RadioButton4->isChecked())
        printouts.push_back(
            {&Form_fa7->QuickRep1, QStringLiteral("QRLabel48"), [] { Form_fa7->WypelnijRachunek(); }});
    return printouts;
}

// The print form's buttons in the order they are tested; the last stands
// when none of the first three is checked.
invoicing::FormaWydruku chosenPrintForm(const TForm_fa1& window) {
    if (window.RadioButton6->isChecked()) return invoicing::FormaWydruku::OryginalIKopia;
    if (window.RadioButton7->isChecked()) return invoicing::FormaWydruku::OryginalI2Kopie;
    if (window.RadioButton5->isChecked()) return invoicing::FormaWydruku::BezNapisu;
    return invoicing::FormaWydruku::OryginalKopia2x;
}

// "faktura VAT RR", or no kind at all, has no printout: the operator is told
// instead of the command passing silently (and, when printing, saving and
// clearing an invoice that never reached paper).
bool printoutChosen(const std::vector<DocumentPrintout>& printouts) {
    if (!printouts.empty()) return true;
    tv::ui::showMessage(
        QStringLiteral("Wydruk jest dostępny tylko dla dokumentów „faktura VAT” i „rachunek”. "
                       "Wybierz rodzaj dokumentu."),
        QStringLiteral("Uwaga"), tv::ui::Icon::Warning);
    return false;
}

// An invoice without a buyer prints an empty buyer block; the operator says
// whether that is meant. A picker text that names no customer is not asked
// about: the save refuses it.
bool buyerConfirmed(const TForm_fa1& window) {
    if (invoicing::printout::chosenCustomer()) return true;
    if (!window.chosenCustomer && !window.ComboBox3->currentText().isEmpty()) return true;
    return tv::ui::askYesNo(
        QStringLiteral("Nie wybrano nabywcy. Czy wydrukować dokument bez danych nabywcy?"),
        QStringLiteral("Uwaga"), tv::ui::Icon::Warning);
}

} // namespace

void TForm_fa1::SpeedButton3Click(QObject*) {
    const std::vector<DocumentPrintout> printouts = chosenPrintouts(*this);
    if (!printoutChosen(printouts)) return;
    // 1. Recompute and confirm the pending line.
    Przelicz();
    SpeedButton14Click(this);
    // 2., 3. Fill, caption and show each printout.
    const QString caption = invoicing::previewCaption(chosenPrintForm(*this));
    for (const DocumentPrintout& printout : printouts) {
        printout.fill();
        printout.report->label(printout.copyCaption).caption = caption;
        tv::ui::previewReport(*printout.report, this);
    }
}

void TForm_fa1::SpeedButton4Click(QObject*) {
    const std::vector<DocumentPrintout> printouts = chosenPrintouts(*this);
    if (!printoutChosen(printouts)) return;
    // 1. Recompute, confirm the pending line and save. The invoice counts as
    // printed only once every copy went out: until then the automatic save of
    // the next "Nowa faktura" still keeps it.
    Przelicz();
    SpeedButton14Click(this);
    if (!buyerConfirmed(*this)) return;
    // The save command answers through Zapisana and storedNumber: "Nie" to the
    // stock question, a refused or failed save leave the invoice unsaved, and
    // nothing unsaved is printed.
    const bool savedBefore = Zapisana;
    Zapisana = false;
    SpeedButton2Click(this);
    if (!Zapisana || storedNumber.isEmpty()) {
        Zapisana = savedBefore;
        return;
    }
    // 2., 3. The copies. One that does not go out stops the command here:
    // the invoice stays on screen, saved, for another try.
    if (!printDocument()) return;
    // 5. Printed and saved: the next invoice.
    Wydrukowana = true;
    SpeedButton1Click(this);
}

bool TForm_fa1::printDocument() {
    const QStringList captions = invoicing::copyCaptions(chosenPrintForm(*this));
    for (const DocumentPrintout& printout : chosenPrintouts(*this)) {
        printout.fill();
        const auto caption = [&](int copy) {
            printout.report->label(printout.copyCaption).caption = captions.at(copy);
        };
        if (!tv::ui::printReport(*printout.report, int(captions.size()), caption)) return false;
    }
    return true;
}
