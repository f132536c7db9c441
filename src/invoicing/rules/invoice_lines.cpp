#include "invoicing/rules/invoice_lines.h"

#include <algorithm>
#include <cmath>

#include "costing/rules/money.h"
#include "costing/rules/rounding.h"
#include "invoicing/rules/stock.h"
#include "platform/convert.h"
#include "platform/table.h"

namespace invoicing {

namespace {

const QString kIlosc = QStringLiteral("Ilosc");
const QString kNettoJedn = QStringLiteral("Netto_jedn");
const QString kVAT = QStringLiteral("VAT");
const QString kRabat = QStringLiteral("Rabat");

bool editing(const tv::Table& table) {
    return table.state() == tv::Table::State::Edit || table.state() == tv::Table::State::Insert;
}

} // namespace

LineFigures lineFigures(double quantity, double unitPrice, const QString& rateCode, bool vatRR) {
    LineFigures figures;
    figures.net = Zaokraglij(costing::mul(unitPrice, quantity));
    if (vatRR) {
        figures.gross = figures.net;
        return figures;
    }
    const double rate = costing::isValidLineRate(rateCode) ? costing::lineVatRate(rateCode) : 0.0;
    figures.vat = costing::mul(figures.net, rate, 0.01);
    figures.gross = costing::mulAdd(figures.net, rate, 0.01, figures.net);
    return figures;
}

void applyLineFigures(tv::Table& lines, bool vatRR) {
    const LineFigures figures =
        lineFigures(lines.fieldByName(kIlosc).asFloat(), lines.fieldByName(kNettoJedn).asFloat(),
                    lines.fieldByName(kVAT).asString(), vatRR);
    lines.fieldByName(QStringLiteral("Netto")).setAsFloat(figures.net);
    lines.fieldByName(QStringLiteral("KwotaVAT")).setAsFloat(figures.vat);
    lines.fieldByName(QStringLiteral("Brutto")).setAsFloat(figures.gross);
}

QString invalidRateMessage(const QString& rateCode) {
    return QStringLiteral("Niewłaściwa stawka VAT „%1”: stawka musi być liczbą, „zw.” albo pozostać pusta")
        .arg(rateCode);
}

bool readDiscount(const QString& text, float& percentage) {
    double value = 0;
    if (!tv::TryStrToFloat(text, value)) return false;
    percentage = float(value);
    return true;
}

double discountedPrice(double price, float percentage) {
    return Zaokraglij(costing::mul(100.0 - double(percentage), price, 0.01));
}

std::optional<double> undiscountedPrice(tv::Table& lines, bool unmarkedUnknown) {
    const tv::Field taken = lines.fieldByName(kRabat);
    const double price = lines.fieldByName(kNettoJedn).asFloat();
    if (taken.isNull()) {
        if (unmarkedUnknown) return std::nullopt;
        return price;
    }
    const tv::Currency discount = taken.asCurrency();
    if (discount == tv::Currency()) return price;
    return (tv::Currency::fromDouble(price) + discount).toDouble();
}

void setDiscountTaken(tv::Table& lines, double undiscounted, double price) {
    const tv::Currency taken = tv::Currency::fromDouble(undiscounted) - tv::Currency::fromDouble(price);
    lines.fieldByName(kRabat).setAsCurrency(taken);
}

void keepTypedPriceUndiscounted(tv::Table& lines) {
    if (lines.state() != tv::Table::State::Edit) return;
    const int priceIndex = lines.layout().fieldIndex(kNettoJedn);
    const QVariant stored = lines.valueAt(lines.recNo(), priceIndex);
    const tv::Field price = lines.fieldByName(kNettoJedn);
    const bool same =
        stored.isNull() ? price.isNull() : (!price.isNull() && price.asFloat() == stored.toDouble());
    if (same) return;
    tv::Field taken = lines.fieldByName(kRabat);
    if (taken.isNull() || taken.asCurrency() != tv::Currency()) taken.setAsCurrency(tv::Currency());
}

void repriceLines(tv::Table& lines, std::optional<float> percentage, bool unmarkedUnknown) {
    if (editing(lines)) {
        if (lines.modified())
            lines.post();
        else
            lines.cancel();
    }
    tv::Database::instance().transaction([&] {
        lines.first();
        while (!lines.eof()) {
            const std::optional<double> undiscounted = undiscountedPrice(lines, unmarkedUnknown);
            if (undiscounted) {
                const double price = percentage ? discountedPrice(*undiscounted, *percentage) : *undiscounted;
                lines.edit();
                lines.fieldByName(kNettoJedn).setAsFloat(price);
                setDiscountTaken(lines, *undiscounted, price);
                lines.post();
            }
            lines.next();
        }
    });
}

std::optional<StockShortage> stockShortage(const QString& lineName, double quantity,
                                           const QString& storedNumber) {
    const std::optional<GoodsStock> goods = findGoodsByName(lineName);
    if (!goods) return std::nullopt;
    // What a stored invoice has taken already is still the line's to have.
    double taken = 0;
    if (!storedNumber.isEmpty())
        for (const StockLine& line : stockRecord(storedNumber))
            if (line.name == goods->name) taken += line.quantity;
    // Both to the nearest whole number, halves to even.
    const double available = std::max(std::nearbyint(goods->stock + taken), 0.0);
    if (available - std::nearbyint(quantity) >= 0) return std::nullopt;
    return StockShortage{goods->name, available};
}

costing::RateTotals recomputeInvoice(tv::Table& lines, tv::Table& rates) {
    // A line still open is posted first, on its own: should the recompute
    // fail, the operator's line is not lost with it.
    if (editing(lines)) {
        if (lines.modified())
            lines.post();
        else
            lines.cancel();
    }
    costing::RateTotals totals;
    tv::Database::instance().transaction(
        [&] { totals = costing::rebuildRateTable(lines, rates, costing::lineVatRate); });
    return totals;
}

} // namespace invoicing
