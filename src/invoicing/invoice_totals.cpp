// The recompute of the invoice: its lines renumbered, the totals per rate,
// the three totals with their display texts and the gross in words.

#include <QLineEdit>

#include "invoicing/invoice_window.h"
#include "invoicing/rules/amount_in_words.h"
#include "invoicing/rules/invoice_lines.h"
#include "platform/convert.h"
#include "platform/ui/dataaware.h"

namespace {

// Lets the controls of a data source follow its table once, when the scope
// ends, instead of at every row the recompute rewrites.
class FollowAtEnd {
public:
    explicit FollowAtEnd(tv::ui::DataSource* source) : m_source(source), m_table(source->table()) {
        m_source->setTable(nullptr);
    }
    ~FollowAtEnd() { m_source->setTable(m_table); }
    FollowAtEnd(const FollowAtEnd&) = delete;
    FollowAtEnd& operator=(const FollowAtEnd&) = delete;

private:
    tv::ui::DataSource* m_source;
    tv::Table* m_table;
};

} // namespace

void TForm_fa1::Przelicz() {
    // The line being edited is posted while the grid still follows it, so
    // that what the operator typed in a cell goes in with it.
    if (pozycje->state() == tv::Table::State::Edit || pozycje->state() == tv::Table::State::Insert) {
        if (pozycje->modified())
            pozycje->post();
        else
            pozycje->cancel();
    }
    costing::RateTotals totals;
    // Warnings of the lines' rewrite come once the controls follow again.
    showingHeldWarnings([&] {
        FollowAtEnd lines(DataSource4);
        FollowAtEnd rates(DataSource8);
        totals = invoicing::recomputeInvoice(*pozycje, *stawkiVAT);
    });
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
