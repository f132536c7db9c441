#include "costing/rules/rounding.h"

#include <cmath>

#include "platform/convert.h"

namespace {

// The integer part of a general-format number text: the characters before
// the first comma, or failing that before the first full stop.
QString integerPart(const QString& text) {
    qsizetype cut = text.indexOf(u',');
    if (cut < 0) cut = text.indexOf(u'.');
    return cut < 0 ? text : text.left(cut);
}

} // namespace

double Zaokraglij(double x) {
    // Nothing to round in an infinity or a NaN; they pass unchanged.
    if (!std::isfinite(x)) return x;
    const bool negative = x < 0.0;
    const double a = negative ? -x : x;
    // The products are formed in extended precision and then stored as doubles,
    // which is what the rounding has always done.
    double p = double(static_cast<long double>(a) * 1000.0L);
    const QString s = integerPart(tv::FloatToStr(p));
    if (!s.isEmpty()) {
        const QChar last = s.back();
        if (last >= u'5' && last <= u'9') p = p + 10.0;
    }
    const double q = double(static_cast<long double>(0.1) * static_cast<long double>(p));
    const QString t = integerPart(tv::FloatToStr(q));
    const double r = double(static_cast<long double>(tv::StrToFloat(t)) * static_cast<long double>(0.01));
    return negative ? -r : r;
}

bool CzyLiczba(QString text) {
    double value = 0;
    return tv::TryStrToFloat(text, value);
}

bool CzyKwota(QString text) {
    tv::Currency value;
    return tv::TryStrToCurr(text, value);
}
