// The recompute of the invoice: its lines renumbered, the totals per rate,
// the three totals with their display texts and the gross in words.

#include <QLineEdit>

#include "invoicing/invoice_window.h"
#include "invoicing/rules/amount_in_words.h"
#include "invoicing/rules/invoice_lines.h"
#include "platform/convert.h"

void TForm_fa1::Przelicz() {
    const costing::RateTotals totals = invoicing::recomputeInvoice(*pozycje, *stawkiVAT);
    RazemNetto = totals.net;
    RazemBrutto = totals.gross;
    RazemVAT = totals.vat;
    Edit3->setText(tv::FormatCurrency(RazemNetto));
    Edit2->setText(tv::FormatCurrency(RazemVAT));
    Edit1->setText(tv::FormatCurrency(RazemBrutto));
    Edit4->setText(Slownie(RazemBrutto));
}

QString TForm_fa1::Slownie(tv::Currency kwota) {
    return invoicing::amountInWords(kwota, invoicing::currencyWord());
}

QString TForm_fa1::SlownieTrzyCyfry(const QString& cyfry) {
    return invoicing::threeDigitsInWords(cyfry);
}
