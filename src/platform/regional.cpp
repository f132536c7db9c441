#include "platform/regional.h"

#include <QLocale>
#include <QRegularExpression>

namespace tv {

namespace {

// Qt's date pattern ("dd.MM.yyyy", "M/d/yy") in the d/m/y notation, with the
// first separator character standing as "/".
void takeShortDate(const QString& qtPattern, RegionalSettings& settings) {
    QChar separator;
    for (QChar c : qtPattern) {
        if (!c.isLetter() && c != u' ' && c != u'\'') {
            separator = c;
            break;
        }
    }
    QString pattern;
    for (qsizetype i = 0; i < qtPattern.size();) {
        const QChar c = qtPattern[i];
        if (c == u'\'') {
            // Quoted text of Qt's notation stays text, quoted the way format patterns quote.
            qsizetype end = qtPattern.indexOf(u'\'', i + 1);
            if (end < 0) end = qtPattern.size();
            if (end > i + 1) pattern += u'"' + qtPattern.mid(i + 1, end - i - 1) + u'"';
            i = end + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < qtPattern.size() && qtPattern[i + run] == c)
            ++run;
        if (c == u'd')
            pattern += run == 1 ? QStringLiteral("d") : QStringLiteral("dd");
        else if (c == u'M')
            pattern += run == 1 ? QStringLiteral("m") : QStringLiteral("mm");
        else if (c == u'y')
            pattern += run <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
        else if (!separator.isNull() && c == separator)
            pattern += QString(run, u'/');
        else
            pattern += QString(run, c);
        i += run;
    }
    if (pattern.contains(u'd') && pattern.contains(u'm') && pattern.contains(u'y')) {
        settings.shortDateFormat = pattern;
        if (!separator.isNull()) settings.dateSeparator = separator;
    }
}

// Where the symbol stands in the locale's currency text: the positive format
// code 0..3 and the negative code 0..15 of the regional settings.
void takeCurrencyFormat(const QLocale& locale, RegionalSettings& settings) {
    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    if (symbol.isEmpty()) return;
    settings.currencySymbol = symbol;
    settings.currencyDecimals = 2;
    const QString positive = locale.toCurrencyString(1.0);
    const qsizetype at = positive.indexOf(symbol);
    if (at < 0) return;
    const bool before = at == 0;
    const bool spaced = before ? positive.size() > symbol.size() && positive[symbol.size()].isSpace()
                               : at > 0 && positive[at - 1].isSpace();
    settings.currencyFormat = (before ? 0 : 1) + (spaced ? 2 : 0);

    QString negative = locale.toCurrencyString(-1.0);
    negative.replace(symbol, QStringLiteral("$"));
    negative.replace(locale.negativeSign(), QStringLiteral("-"));
    negative.replace(QRegularExpression(QStringLiteral("[0-9]+([^0-9][0-9]+)?")), QStringLiteral("1"));
    negative.replace(QChar(0x00A0), u' ');
    negative.replace(QChar(0x202F), u' ');
    // Qt gives some locales (Polish, US English) the accounting form in
    // parentheses; the everyday form there puts a minus before the amount.
    const bool accounting = negative.startsWith(u'(');
    static const char* const kNegative[] = {"($1)", "-$1",  "$-1",  "$1-",  "(1$)", "-1$",  "1-$",   "1$-",
                                            "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
    for (int code = 0; code < 16 && !accounting; ++code) {
        if (negative == QLatin1String(kNegative[code])) {
            settings.negativeCurrencyFormat = code;
            return;
        }
    }
    // Otherwise, and for a form outside the sixteen: a minus before the positive form.
    static const int kMinusFirst[] = {1, 5, 9, 8};
    settings.negativeCurrencyFormat = kMinusFirst[settings.currencyFormat];
}

void takeNames(const QLocale& locale, RegionalSettings& settings) {
    settings.longMonthNames.clear();
    settings.shortMonthNames.clear();
    settings.longDayNames.clear();
    settings.shortDayNames.clear();
    for (int month = 1; month <= 12; ++month) {
        settings.longMonthNames << locale.standaloneMonthName(month, QLocale::LongFormat);
        settings.shortMonthNames << locale.standaloneMonthName(month, QLocale::ShortFormat);
    }
    for (int day = 1; day <= 7; ++day) {
        settings.longDayNames << locale.standaloneDayName(day, QLocale::LongFormat);
        settings.shortDayNames << locale.standaloneDayName(day, QLocale::ShortFormat);
    }
}

RegionalSettings& current() {
    static RegionalSettings settings = RegionalSettings::fromSystem();
    return settings;
}

} // namespace

RegionalSettings RegionalSettings::polish() {
    RegionalSettings settings;
    takeNames(QLocale(QLocale::Polish, QLocale::Poland), settings);
    return settings;
}

QLocale RegionalSettings::sourceLocale(const QLocale& system) {
    if (system.language() == QLocale::C || system.name() == QLatin1String("C"))
        return QLocale(QLocale::Polish, QLocale::Poland);
    return system;
}

RegionalSettings RegionalSettings::fromSystem() {
    return fromLocale(QLocale::system());
}

RegionalSettings RegionalSettings::fromLocale(const QLocale& locale) {
    if (locale.language() == QLocale::C || locale.name() == QLatin1String("C")) return polish();
    RegionalSettings settings;
    takeNames(locale, settings);
    const QString decimal = locale.decimalPoint();
    if (decimal.size() == 1) settings.decimalSeparator = decimal[0];
    const QString group = locale.groupSeparator();
    settings.thousandSeparator = group.isEmpty() ? QChar(u' ') : group[0];
    takeShortDate(locale.dateFormat(QLocale::ShortFormat), settings);
    takeCurrencyFormat(locale, settings);
    return settings;
}

const RegionalSettings& regional() {
    return current();
}

void setRegional(const RegionalSettings& settings) {
    current() = settings;
}

} // namespace tv
