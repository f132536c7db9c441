#pragma once

#include <QString>

#include "platform/currency.h"

// The goods register keeps a goods item's gross price in step with its net
// price and VAT rate, and its net price with a typed gross price.
namespace invoicing {

// Whether a goods rate text can be computed with: "zw", "zw.", the empty text
// or a number in the regional settings. Never raises.
bool isGoodsRate(const QString& rate);

// The whole percentage a goods rate counts with: "zw", "zw." and the empty
// text are 0; any other text is read as a number (raising the conversion
// error) and only its whole percent counts, so "7,5" is 7.
long long goodsRatePercent(const QString& rate);

// 1 + percent / 100, as the two computations multiply and divide by it.
double goodsRateFactor(const QString& rate);

// The gross from the net, and the net from the gross, each to the nearest
// 0.0001 (the precision of a money field).
tv::Currency grossFromNet(double net, const QString& rate);
tv::Currency netFromGross(double gross, const QString& rate);

} // namespace invoicing
