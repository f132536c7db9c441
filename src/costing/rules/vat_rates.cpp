#include "costing/rules/vat_rates.h"

#include "costing/rules/money.h"
#include "costing/rules/rounding.h"
#include "platform/convert.h"
#include "platform/table.h"

namespace costing {

double vatRate(const QString& code) {
    return code == QLatin1String("zw.") ? 0.0 : tv::StrToFloat(code);
}

namespace {
bool isExempt(const QString& code) {
    return code.isEmpty() || code == QLatin1String("zw.") || code == QLatin1String("zw");
}
} // namespace

double lineVatRate(const QString& code) {
    return isExempt(code) ? 0.0 : tv::StrToFloat(code);
}

bool isValidLineRate(const QString& code) {
    double value = 0;
    return isExempt(code) || tv::TryStrToFloat(code, value);
}

RateTotals rebuildRateTable(tv::Table& lines, tv::Table& rates, double (*rateOf)(const QString&)) {
    const QString VAT = QStringLiteral("VAT"), Netto = QStringLiteral("Netto"),
                  KwotaVAT = QStringLiteral("KwotaVAT"), Brutto = QStringLiteral("Brutto");
    lines.first();
    rates.emptyTable();

    const int count = lines.recordCount();
    for (int i = 0; i < count; ++i) {
        lines.edit();
        lines.fieldByName(QStringLiteral("Lp")).setAsInteger(i + 1);
        lines.post();

        const QString code = lines.fieldByName(VAT).asString();
        bool found = false;
        for (rates.first(); !rates.eof(); rates.next()) {
            if (rates.fieldByName(VAT).asString() == code) {
                found = true;
                break;
            }
        }
        if (!found) {
            rates.append();
            rates.fieldByName(VAT).setAsString(code);
            rates.fieldByName(Netto).setAsFloat(Zaokraglij(lines.fieldByName(Netto).asFloat()));
            rates.fieldByName(KwotaVAT).setAsFloat(Zaokraglij(lines.fieldByName(KwotaVAT).asFloat()));
            rates.fieldByName(Brutto).setAsFloat(
                add(rates.fieldByName(Netto).asFloat(), rates.fieldByName(KwotaVAT).asFloat()));
            rates.post();
        } else {
            // Several lines of one rate: the VAT of their summed net, not the sum of their VATs.
            const double r = rateOf(rates.fieldByName(VAT).asString());
            rates.edit();
            rates.fieldByName(Netto).setAsFloat(
                add(rates.fieldByName(Netto).asFloat(), Zaokraglij(lines.fieldByName(Netto).asFloat())));
            rates.fieldByName(KwotaVAT).setAsFloat(
                Zaokraglij(mul(rates.fieldByName(Netto).asFloat(), r, 0.01)));
            rates.fieldByName(Brutto).setAsFloat(
                add(rates.fieldByName(Netto).asFloat(), rates.fieldByName(KwotaVAT).asFloat()));
            rates.post();
        }
        lines.next();
    }

    RateTotals totals;
    for (rates.first(); !rates.eof(); rates.next()) {
        totals.net = addRounded(totals.net, rates.fieldByName(Netto).asFloat());
        totals.gross = addRounded(totals.gross, rates.fieldByName(Brutto).asFloat());
        totals.vat = addRounded(totals.vat, rates.fieldByName(KwotaVAT).asFloat());
    }
    return totals;
}

} // namespace costing
