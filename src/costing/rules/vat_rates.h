#pragma once

#include <QString>

#include "platform/currency.h"

namespace tv {
class Table;
}

// VAT rate codes and the per-rate rule that the costing sheet and the invoice
// window share.
namespace costing {

// The VAT percentage of a rate code of the sheet's lists: "zw." is exempt,
// any other code is read as a number (raising the conversion error).
double vatRate(const QString& code);

// The VAT percentage of an invoice line: "zw." and "zw" are exempt, as is a
// line without a rate; any other text is read as a number.
double lineVatRate(const QString& code);

// Whether an invoice line may carry the code: exempt, empty or a number.
bool isValidLineRate(const QString& code);

// The three totals of the per-rate table.
struct RateTotals {
    tv::Currency net;
    tv::Currency vat;
    tv::Currency gross;
};

// Renumbers the lines 1, 2, 3 ... and rebuilds the table of totals per rate
// from them: one row per distinct rate text, in the order the texts first
// appear. A rate of one line carries that line's rounded VAT; a rate of
// several lines the VAT of their summed net, rounded once. The totals are the
// sums of the rate rows, each partial sum rounded to two decimals (net, gross,
// VAT in that order). They are summed in memory: a temporary row in the shared
// table would be seen by the other window if anything stopped half-way.
// rateOf reads the rate of a code.
RateTotals rebuildRateTable(tv::Table& lines, tv::Table& rates, double (*rateOf)(const QString&) = vatRate);

} // namespace costing
