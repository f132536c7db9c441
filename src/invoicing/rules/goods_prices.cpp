#include "invoicing/rules/goods_prices.h"

#include <cmath>

#include "costing/rules/money.h"
#include "platform/convert.h"
#include "platform/errors.h"

namespace invoicing {

namespace {

bool exempt(const QString& rate) {
    return rate.isEmpty() || rate == QLatin1String("zw") || rate == QLatin1String("zw.");
}

} // namespace

bool isGoodsRate(const QString& rate) {
    double value = 0;
    return exempt(rate) || tv::TryStrToFloat(rate, value);
}

long long goodsRatePercent(const QString& rate) {
    if (exempt(rate)) return 0;
    const double hundredths = std::trunc(tv::StrToFloat(rate) * 100.0);
    // A rate text is at most three characters, but one with an exponent
    // ("9e9") must not overflow the whole number it is truncated to.
    if (std::fabs(hundredths) > 1e15)
        throw tv::EConvertError(QStringLiteral("Stawka VAT „%1” jest poza zakresem").arg(rate));
    return static_cast<long long>(hundredths) / 100;
}

double goodsRateFactor(const QString& rate) {
    return 0.01 * double(goodsRatePercent(rate)) + 1.0;
}

tv::Currency grossFromNet(double net, const QString& rate) {
    return costing::toMoney(costing::mul(net, goodsRateFactor(rate)));
}

tv::Currency netFromGross(double gross, const QString& rate) {
    const double factor = goodsRateFactor(rate);
    // Divided in extended precision, as the products of the money rules are.
    return costing::toMoney(double(static_cast<long double>(gross) / factor));
}

} // namespace invoicing
