#pragma once

#include <QDate>
#include <QString>

#include "platform/currency.h"
#include "platform/errors.h"

namespace tv {

// Text conversions with the rules of the regional settings in force.
// A failure raises EConvertError with the platform's conversion message:
//   "'%s' is not a valid floating point value"   (float and currency)
//   "'%s' is not a valid integer value"
//   "'%s' is not a valid date"

// Leading and trailing spaces (not tabs), an optional sign, digits with at most
// one decimal separator of the locale (a lone separator reads as 0), an
// optional exponent; the empty text is rejected; the value must be finite.
double StrToFloat(const QString& text);
bool TryStrToFloat(const QString& text, double& value);

// The same grammar, scaled to four decimals exactly from the decimal text
// (never through a double), rounding ties to even; must fit Currency.
Currency StrToCurr(const QString& text);
bool TryStrToCurr(const QString& text, Currency& value);

// Optional blanks and sign, decimal digits, 32-bit range.
int StrToInt(const QString& text);
bool TryStrToInt(const QString& text, int& value);
QString IntToStr(long long value);

// General float text: 15 significant digits, plain decimal notation (never an
// exponent), no trailing zeros, the locale's separator, none for a whole number.
QString FloatToStr(double value);

// Up to four decimals, no trailing zeros, no grouping, "-" for negatives.
QString CurrToStr(Currency value);

// The regional currency display: grouped thousands, the currency's decimals
// (two), the symbol placed as the settings say ("1 234,50 zł").
QString FormatCurrency(double value);
QString FormatCurrency(Currency value);

// Dates in the short date form of the settings, both ways.
QString DateToStr(const QDate& date);
QDate StrToDate(const QString& text);
bool TryStrToDate(const QString& text, QDate& date);
// The short form, or one of "yyyy-MM-dd", "dd.MM.yyyy", "dd-MM-yyyy" (one- or
// two-digit day and month); a null date when none of them reads.
QDate parseDateLenient(const QString& text);

// A date by a format pattern: "d" day, "dd" two-digit day, "m" month,
// "mm" two-digit month, "yy" two-digit year, "yyyy" year, "/" the date
// separator of the settings; other characters stand for themselves.
QString FormatDateTime(const QString& pattern, const QDate& date);

} // namespace tv
