#pragma once

#include <QString>

#include "platform/currency.h"

// The gross total of an invoice in Polish words, as the invoice states it.
namespace invoicing {

// One group of three digits in words: hundreds, then tens and units or a
// teen. Looks only at the first three characters (the caller passes at least
// three); every word begins with a blank, "000" gives the empty text and a
// character that is not a digit gives nothing in its place.
QString threeDigitsInWords(const QString& digits);

// The amount in words followed by the currency word and the grosze:
// " jeden tysiąc zł 00\100". Amounts of more than twelve integer digits give
// the empty text; an integer part of zero gives no words and no currency
// word; a negative amount reads " minus" and the words of its magnitude. The
// grosze are the amount's two decimals as the money display rounds them.
QString amountInWords(tv::Currency amount, const QString& currencyWord);

// The currency word of the regional settings: their currency symbol, or "zł"
// where they have none.
QString currencyWord();

} // namespace invoicing
