#pragma once

#include <optional>

#include <QString>

#include "costing/rules/vat_rates.h"

namespace tv {
class Table;
}

// The lines of the invoice being edited: the figures of one line, the
// discount on unit prices, the stock check of a line and the recompute.
namespace invoicing {

// What a line carries besides its quantity, unit price and rate: the net
// rounded to two decimals, the VAT and the gross unrounded (the rate rows
// round them). A line of the VAT RR kind carries no VAT. A rate that is not
// a line rate counts as 0 here: such a line is refused when it is posted.
struct LineFigures {
    double net = 0;
    double vat = 0;
    double gross = 0;
};
LineFigures lineFigures(double quantity, double unitPrice, const QString& rateCode, bool vatRR);

// Writes the line figures into the current line of a table in edit or insert
// state, from its Ilosc, Netto_jedn and VAT (an empty field reads as 0).
void applyLineFigures(tv::Table& lines, bool vatRR);

// The text to show when a line's rate cannot be posted.
QString invalidRateMessage(const QString& rateCode);

// A discount percentage as the window reads it: a number in the regional
// settings, held in single precision. False when the text is not a number.
bool readDiscount(const QString& text, float& percentage);
// The unit price less the percentage, rounded to two decimals.
double discountedPrice(double price, float percentage);

// A line's undiscounted unit price is kept in the line's Rabat field as the
// discount taken off its unit price; an empty field means none was taken.
// A line loaded from the register has no known undiscounted price: while
// unmarkedUnknown is set, a line whose Rabat is empty reports none.
std::optional<double> undiscountedPrice(tv::Table& lines, bool unmarkedUnknown);
// Records, on a line in edit or insert state, that its unit price is the
// undiscounted price less the discount taken.
void setDiscountTaken(tv::Table& lines, double undiscounted, double price);
// A unit price changed by anything but a discount becomes the line's
// undiscounted price: on a line in edit state whose Netto_jedn differs from
// the stored one, the discount taken is cleared.
void keepTypedPriceUndiscounted(tv::Table& lines);
// Sets every line's unit price from its undiscounted price: less the
// percentage when one is given, the undiscounted price itself otherwise.
// Lines without a known undiscounted price keep theirs. One transaction.
void repriceLines(tv::Table& lines, std::optional<float> percentage, bool unmarkedUnknown);

// A stock shortage of a line: the goods named exactly as the line (the first
// of that name in the goods' order) hold less than the line's quantity, both
// rounded to whole numbers (halves to even). An empty name is never checked.
// For an invoice stored under storedNumber, what its saving took from stock
// counts as still there for it. available is what the line may have: that
// stock, or 0 for a negative one.
struct StockShortage {
    QString goodsName;
    double available = 0;
};
std::optional<StockShortage> stockShortage(const QString& lineName, double quantity,
                                           const QString& storedNumber = QString());

// Renumbers the lines and rebuilds the rate table with the line's reading of
// rates, in one transaction; returns the invoice's three totals.
costing::RateTotals recomputeInvoice(tv::Table& lines, tv::Table& rates);

} // namespace invoicing
