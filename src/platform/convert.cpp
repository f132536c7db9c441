#include "platform/convert.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include <QLocale>

#include "platform/clock.h"
#include "platform/regional.h"

namespace tv {

namespace {

// A decimal number as read from a text: value = (negative ? -1 : 1) x digits x 10^exponent,
// digits without leading zeros (empty for zero).
struct DecimalText {
    bool negative = false;
    std::string digits;
    std::int64_t exponent = 0;
};

constexpr std::int64_t kExponentCap = std::int64_t(1) << 40;

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Blanks, a sign, digits with at most one decimal separator, an optional
// exponent, blanks. A lone separator reads as zero; a sign alone does not.
bool parseDecimal(const QString& text, QChar separator, DecimalText& out) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == u' ')
        ++i;
    out = DecimalText();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        out.negative = text[i] == u'-';
        ++i;
    }
    bool consumed = false;
    std::int64_t exponent = 0;
    auto takeDigit = [&](QChar c) {
        if (!out.digits.empty() || c != u'0') out.digits.push_back(char(c.unicode()));
    };
    while (i < n && isAsciiDigit(text[i])) {
        takeDigit(text[i]);
        consumed = true;
        ++i;
    }
    if (i < n && text[i] == separator) {
        consumed = true;
        ++i;
        while (i < n && isAsciiDigit(text[i])) {
            // A fraction digit only shifts the exponent; leading zeros of the
            // whole number still count for the scale.
            takeDigit(text[i]);
            --exponent;
            ++i;
        }
    }
    if (!consumed) return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            negativeExponent = text[i] == u'-';
            ++i;
        }
        if (i >= n || !isAsciiDigit(text[i])) return false;
        std::int64_t written = 0;
        while (i < n && isAsciiDigit(text[i])) {
            if (written < kExponentCap) written = written * 10 + (text[i].unicode() - u'0');
            ++i;
        }
        exponent += negativeExponent ? -written : written;
    }
    while (i < n && text[i] == u' ')
        ++i;
    if (i != n) return false;
    if (out.digits.empty()) {
        out.exponent = 0;
        return true;
    }
    // Trailing zeros of the digits move into the exponent.
    while (out.digits.back() == '0') {
        out.digits.pop_back();
        ++exponent;
    }
    out.exponent = exponent;
    return true;
}

bool decimalToDouble(const DecimalText& number, double& value) {
    if (number.digits.empty()) {
        value = number.negative ? -0.0 : 0.0;
        return true;
    }
    // Power of ten of the leading digit plus one: the value lies in [10^(magnitude-1), 10^magnitude).
    const std::int64_t magnitude = std::int64_t(number.digits.size()) + number.exponent;
    if (magnitude > 400) return false;
    if (magnitude < -400) {
        value = number.negative ? -0.0 : 0.0;
        return true;
    }
    std::string text = number.digits;
    text += 'e';
    text += std::to_string(number.exponent);
    double parsed = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec == std::errc::result_out_of_range) {
        if (magnitude > 0) return false;
        parsed = 0.0;
    } else if (result.ec != std::errc() || !std::isfinite(parsed)) {
        return false;
    }
    value = number.negative ? -parsed : parsed;
    return true;
}

// The number x 10000 rounded to the nearest unit, ties to even, from its digits.
bool decimalToCurrency(const DecimalText& number, Currency& value) {
    using UInt128 = unsigned __int128;
    if (number.digits.empty()) {
        value = Currency();
        return true;
    }
    const std::int64_t scale = number.exponent + 4;
    const std::int64_t wholeDigits = std::int64_t(number.digits.size()) + scale;
    if (wholeDigits > 19) return false;
    UInt128 magnitude = 0;
    const std::int64_t kept = std::min<std::int64_t>(wholeDigits, std::int64_t(number.digits.size()));
    for (std::int64_t k = 0; k < kept; ++k)
        magnitude = magnitude * 10 + unsigned(number.digits[size_t(k)] - '0');
    for (std::int64_t k = kept; k < wholeDigits; ++k)
        magnitude *= 10;
    if (wholeDigits >= 0 && wholeDigits < std::int64_t(number.digits.size())) {
        // The dropped digits decide: more than half rounds up, exactly half to the even unit.
        const char first = number.digits[size_t(wholeDigits)];
        const bool restNonZero = size_t(wholeDigits) + 1 < number.digits.size(); // no trailing zeros
        if (first > '5' || (first == '5' && (restNonZero || (magnitude & 1) != 0))) ++magnitude;
    }
    const UInt128 limit = number.negative ? (UInt128(1) << 63) : (UInt128(1) << 63) - 1;
    if (magnitude > limit) return false;
    value = Currency::fromUnits(number.negative ? std::int64_t(-static_cast<__int128>(magnitude))
                                                : std::int64_t(magnitude));
    return true;
}

[[noreturn]] void raiseFloat(const QString& text) {
    throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

// The first precision + 1 significant digits of a double, correctly rounded,
// and the power of ten of the first one.
void scientificDigits(double magnitude, int precision, std::string& digits, int& exponent) {
    char buffer[800];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, precision);
    digits.clear();
    const char* p = buffer;
    for (; p < result.ptr && *p != 'e'; ++p) {
        if (*p != '.') digits.push_back(*p);
    }
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), result.ptr, exponent);
}

// Digits and the position of the decimal point of a positive double rounded
// to `significant` digits: value = 0.digits x 10^point, no trailing zeros.
// A value exactly halfway rounds away from zero, as digits written by hand do.
void roundedDigits(double magnitude, int significant, std::string& digits, int& point) {
    int exponent = 0;
    scientificDigits(magnitude, significant, digits, exponent);
    bool tie = digits.back() == '5';
    if (tie) {
        // 767 digits hold the exact value of any double.
        std::string exact;
        int exactExponent = 0;
        scientificDigits(magnitude, 780, exact, exactExponent);
        tie = exact.compare(0, size_t(significant) + 1, digits) == 0 &&
              exact.find_first_not_of('0', size_t(significant) + 1) == std::string::npos;
    }
    if (tie) {
        digits.pop_back();
        int k = significant - 1;
        while (k >= 0 && digits[size_t(k)] == '9')
            digits[size_t(k--)] = '0';
        if (k >= 0) {
            ++digits[size_t(k)];
        } else {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        }
    } else {
        scientificDigits(magnitude, significant - 1, digits, exponent);
    }
    point = exponent + 1;
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
}

// Plain decimal text of 0.digits x 10^point.
QString plainDecimal(const std::string& digits, int point, QChar separator) {
    if (digits.empty()) return QStringLiteral("0");
    QString out;
    const int count = int(digits.size());
    if (point <= 0) {
        out.reserve(2 - point + count);
        out += u'0';
        out += separator;
        out += QString(-point, u'0');
        out += QLatin1String(digits.data(), count);
    } else if (point >= count) {
        out.reserve(point);
        out += QLatin1String(digits.data(), count);
        out += QString(point - count, u'0');
    } else {
        out.reserve(count + 1);
        out += QLatin1String(digits.data(), point);
        out += separator;
        out += QLatin1String(digits.data() + point, count - point);
    }
    return out;
}

QString nonFiniteText(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString groupThousands(const QString& whole, QChar separator) {
    if (separator.isNull() || whole.size() <= 3) return whole;
    QString out;
    out.reserve(whole.size() + whole.size() / 3);
    const qsizetype lead = whole.size() % 3;
    for (qsizetype k = 0; k < whole.size(); ++k) {
        if (k > 0 && (k - lead) % 3 == 0) out += separator;
        out += whole[k];
    }
    return out;
}

// Places the symbol and the sign around the grouped amount as the settings say.
QString placeCurrency(const QString& amount, bool negative) {
    const RegionalSettings& settings = regional();
    const QString& s = settings.currencySymbol;
    if (!negative) {
        switch (settings.currencyFormat) {
        case 0:
            return s + amount;
        case 1:
            return amount + s;
        case 2:
            return s + u' ' + amount;
        default:
            return amount + u' ' + s;
        }
    }
    switch (settings.negativeCurrencyFormat) {
    case 0:
        return u'(' + s + amount + u')';
    case 1:
        return u'-' + s + amount;
    case 2:
        return s + u'-' + amount;
    case 3:
        return s + amount + u'-';
    case 4:
        return u'(' + amount + s + u')';
    case 5:
        return u'-' + amount + s;
    case 6:
        return amount + u'-' + s;
    case 7:
        return amount + s + u'-';
    case 9:
        return u'-' + s + u' ' + amount;
    case 10:
        return amount + u' ' + s + u'-';
    case 11:
        return s + u' ' + amount + u'-';
    case 12:
        return s + u' ' + u'-' + amount;
    case 13:
        return amount + u'-' + u' ' + s;
    case 14:
        return u'(' + s + u' ' + amount + u')';
    case 15:
        return u'(' + amount + u' ' + s + u')';
    default:
        return u'-' + amount + u' ' + s;
    }
}

// Whole digits and `decimals` fraction digits rounded half away from zero
// from the decimal digits 0.digits x 10^point.
void roundToDecimals(std::string digits, int point, int decimals, QString& whole, QString& fraction) {
    // Keep point + decimals digits, rounding on the next one.
    const int keep = point + decimals;
    if (keep < 0) {
        digits.clear();
        point = 0;
    } else if (keep < int(digits.size())) {
        const bool up = digits[size_t(keep)] >= '5';
        digits.resize(size_t(keep));
        if (up) {
            int k = keep - 1;
            while (k >= 0 && digits[size_t(k)] == '9') {
                digits[size_t(k)] = '0';
                --k;
            }
            if (k >= 0) {
                ++digits[size_t(k)];
            } else {
                digits.insert(digits.begin(), '1');
                ++point;
            }
        }
    }
    // Spread the digits over the whole and fraction parts.
    whole.clear();
    fraction.clear();
    for (int k = 0; k < point; ++k)
        whole += k < int(digits.size()) ? QChar(digits[size_t(k)]) : QChar(u'0');
    if (whole.isEmpty()) whole = QStringLiteral("0");
    for (int k = point; k < point + decimals; ++k)
        fraction += (k >= 0 && k < int(digits.size())) ? QChar(digits[size_t(k)]) : QChar(u'0');
}

QString formatAmount(const QString& whole, const QString& fraction, bool negative) {
    const RegionalSettings& settings = regional();
    QString amount = groupThousands(whole, settings.thousandSeparator);
    if (!fraction.isEmpty()) amount += settings.decimalSeparator + fraction;
    // An amount that rounds to zero shows no sign.
    auto allZero = [](const QString& part) {
        return std::all_of(part.begin(), part.end(), [](QChar c) { return c == u'0'; });
    };
    const bool zero = allZero(whole) && allZero(fraction);
    return placeCurrency(amount, negative && !zero);
}

// --- dates -------------------------------------------------------------------

enum class DateOrder { DMY, MDY, YMD };

DateOrder dateOrder(const QString& pattern) {
    QChar quote;
    for (QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            continue;
        }
        const QChar lower = c.toLower();
        if (lower == u'd') return DateOrder::DMY;
        if (lower == u'm') return DateOrder::MDY;
        if (lower == u'y') return DateOrder::YMD;
    }
    return DateOrder::MDY;
}

void skipBlanks(const QString& text, qsizetype& i) {
    while (i < text.size() && text[i] == u' ')
        ++i;
}

bool scanNumber(const QString& text, qsizetype& i, int& number, int& length) {
    skipBlanks(text, i);
    number = 0;
    length = 0;
    while (i < text.size() && isAsciiDigit(text[i]) && number < 1000) {
        number = number * 10 + (text[i].unicode() - u'0');
        ++length;
        ++i;
    }
    return length > 0;
}

bool scanChar(const QString& text, qsizetype& i, QChar c) {
    skipBlanks(text, i);
    if (i < text.size() && text[i] == c) {
        ++i;
        return true;
    }
    return false;
}

// A two-digit year falls within fifty years before the current one and the
// forty-nine after it.
int expandYear(int year, int length) {
    if (length > 2) return year;
    const int base = tv::today().year() - 50;
    year += base / 100 * 100;
    if (year < base) year += 100;
    return year;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0'));
}

// The text the short date pattern writes after its last day, month or year.
QString shortDateSuffix(const RegionalSettings& settings) {
    const QString& pattern = settings.shortDateFormat;
    qsizetype after = 0;
    QChar quote;
    for (qsizetype k = 0; k < pattern.size(); ++k) {
        const QChar c = pattern[k];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (QStringView(u"dDmMyY").contains(c)) {
            after = k + 1;
        }
    }
    if (after >= pattern.size()) return QString();
    return FormatDateTime(pattern.mid(after), QDate(2000, 1, 1));
}

} // namespace

double StrToFloat(const QString& text) {
    double value = 0;
    if (!TryStrToFloat(text, value)) raiseFloat(text);
    return value;
}

bool TryStrToFloat(const QString& text, double& value) {
    DecimalText number;
    if (!parseDecimal(text, regional().decimalSeparator, number)) return false;
    return decimalToDouble(number, value);
}

Currency StrToCurr(const QString& text) {
    Currency value;
    if (!TryStrToCurr(text, value)) raiseFloat(text);
    return value;
}

bool TryStrToCurr(const QString& text, Currency& value) {
    DecimalText number;
    if (!parseDecimal(text, regional().decimalSeparator, number)) return false;
    return decimalToCurrency(number, value);
}

int StrToInt(const QString& text) {
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

bool TryStrToInt(const QString& text, int& value) {
    qsizetype i = 0;
    skipBlanks(text, i);
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i >= text.size()) return false;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!isAsciiDigit(text[i])) return false;
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        if (magnitude > std::int64_t(std::numeric_limits<int>::max()) + 1) return false;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int>::max()) return false;
    value = int(signedValue);
    return true;
}

QString IntToStr(long long value) {
    return QString::number(value);
}

QString FloatToStr(double value) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    if (value == 0.0) return QStringLiteral("0");
    std::string digits;
    int point = 0;
    roundedDigits(std::fabs(value), 15, digits, point);
    const QString text = plainDecimal(digits, point, regional().decimalSeparator);
    return value < 0 ? u'-' + text : text;
}

QString CurrToStr(Currency value) {
    const std::int64_t units = value.units();
    const bool negative = units < 0;
    const std::uint64_t magnitude = negative ? 0 - std::uint64_t(units) : std::uint64_t(units);
    QString text = negative ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / 10000);
    std::uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        int width = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --width;
        }
        text += regional().decimalSeparator;
        text += QStringLiteral("%1").arg(fraction, width, 10, QChar(u'0'));
    }
    return text;
}

QString FormatCurrency(double value) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    std::string digits;
    int point = 0;
    if (value != 0.0) roundedDigits(std::fabs(value), 15, digits, point);
    QString whole;
    QString fraction;
    roundToDecimals(digits, point, regional().currencyDecimals, whole, fraction);
    return formatAmount(whole, fraction, value < 0);
}

QString FormatCurrency(Currency value) {
    const std::int64_t units = value.units();
    const bool negative = units < 0;
    const std::uint64_t magnitude = negative ? 0 - std::uint64_t(units) : std::uint64_t(units);
    const std::string text = std::to_string(magnitude);
    // magnitude = text x 10^-4 = 0.text x 10^(size - 4)
    std::string digits = text == "0" ? std::string() : text;
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    QString whole;
    QString fraction;
    roundToDecimals(digits, int(text.size()) - 4, regional().currencyDecimals, whole, fraction);
    return formatAmount(whole, fraction, negative);
}

QString DateToStr(const QDate& date) {
    return FormatDateTime(regional().shortDateFormat, date);
}

bool TryStrToDate(const QString& text, QDate& date) {
    const RegionalSettings& settings = regional();
    const QChar separator = settings.dateSeparator;
    qsizetype i = 0;
    int n1 = 0, n2 = 0, n3 = 0, l1 = 0, l2 = 0, l3 = 0;
    if (!(scanNumber(text, i, n1, l1) && scanChar(text, i, separator) && scanNumber(text, i, n2, l2)))
        return false;
    const DateOrder order = dateOrder(settings.shortDateFormat);
    int year = 0, month = 0, day = 0;
    if (scanChar(text, i, separator)) {
        if (!scanNumber(text, i, n3, l3)) return false;
        switch (order) {
        case DateOrder::MDY:
            year = expandYear(n3, l3), month = n1, day = n2;
            break;
        case DateOrder::DMY:
            year = expandYear(n3, l3), month = n2, day = n1;
            break;
        case DateOrder::YMD:
            year = expandYear(n1, l1), month = n2, day = n3;
            break;
        }
        // A separator may close the date.
        scanChar(text, i, separator);
    } else {
        year = tv::today().year();
        if (order == DateOrder::DMY)
            day = n1, month = n2;
        else
            month = n1, day = n2;
    }
    skipBlanks(text, i);
    if (i != text.size()) {
        // The short form may close with text of its own ("7.03.26 г."), as DateToStr writes it.
        const QString rest = text.mid(i).trimmed();
        QString suffix = shortDateSuffix(settings).trimmed();
        if (rest != suffix && !(suffix.startsWith(separator) && rest == suffix.mid(1).trimmed()))
            return false;
    }
    if (year < 1 || year > 9999 || !QDate::isValid(year, month, day)) return false;
    date = QDate(year, month, day);
    return true;
}

QDate StrToDate(const QString& text) {
    QDate date;
    if (!TryStrToDate(text, date)) throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
    return date;
}

QDate parseDateLenient(const QString& text) {
    QDate date;
    if (TryStrToDate(text, date)) return date;
    // Three numbers joined by one of "-", "." or "/": year first when it has four digits.
    const QString trimmed = text.trimmed();
    for (QChar separator : {u'-', u'.', u'/'}) {
        const QStringList parts = trimmed.split(separator);
        if (parts.size() != 3) continue;
        int numbers[3] = {};
        bool ok = true;
        for (int k = 0; k < 3 && ok; ++k) {
            const QString& part = parts[k];
            ok = !part.isEmpty() && part.size() <= 4 &&
                 std::all_of(part.begin(), part.end(), [](QChar c) { return isAsciiDigit(c); });
            if (ok) numbers[k] = part.toInt();
        }
        if (!ok) continue;
        if (parts[0].size() == 4 && parts[2].size() <= 2)
            date = QDate(numbers[0], numbers[1], numbers[2]);
        else if (parts[2].size() == 4 && parts[0].size() <= 2)
            date = QDate(numbers[2], numbers[1], numbers[0]);
        if (date.isValid()) return date;
    }
    return QDate();
}

QString FormatDateTime(const QString& pattern, const QDate& date) {
    if (!date.isValid()) return QString();
    const RegionalSettings& settings = regional();
    static const QLocale polishNames(QLocale::Polish, QLocale::Poland);
    QString out;
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = pattern[i];
        if (c == u'"' || c == u'\'') {
            // Quoted text stands for itself.
            qsizetype end = pattern.indexOf(c, i + 1);
            if (end < 0) end = n;
            out += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        const QChar lower = c.toLower();
        if (lower != u'd' && lower != u'm' && lower != u'y') {
            out += c == u'/' ? settings.dateSeparator : c;
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < n && pattern[i + run].toLower() == lower)
            ++run;
        i += run;
        if (lower == u'd') {
            switch (run) {
            case 1:
                out += QString::number(date.day());
                break;
            case 2:
                out += twoDigits(date.day());
                break;
            case 3:
                out += polishNames.dayName(date.dayOfWeek(), QLocale::ShortFormat);
                break;
            case 4:
                out += polishNames.dayName(date.dayOfWeek(), QLocale::LongFormat);
                break;
            case 5:
                out += FormatDateTime(settings.shortDateFormat, date);
                break;
            default:
                out += QString::number(date.day()) + u' ' +
                       polishNames.monthName(date.month(), QLocale::LongFormat) + u' ' +
                       QString::number(date.year());
                break;
            }
        } else if (lower == u'm') {
            switch (run) {
            case 1:
                out += QString::number(date.month());
                break;
            case 2:
                out += twoDigits(date.month());
                break;
            case 3:
                out += polishNames.standaloneMonthName(date.month(), QLocale::ShortFormat);
                break;
            default:
                out += polishNames.standaloneMonthName(date.month(), QLocale::LongFormat);
                break;
            }
        } else {
            if (run <= 2)
                out += twoDigits(date.year() % 100);
            else
                out += QStringLiteral("%1").arg(date.year(), 4, 10, QChar(u'0'));
        }
    }
    return out;
}

} // namespace tv
