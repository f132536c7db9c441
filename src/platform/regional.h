#pragma once

#include <QString>
#include <QStringList>

class QLocale;

namespace tv {

// The user's regional settings that shape every number, amount and date text.
// Taken from the system locale at start; Polish where the system has none
// (C or POSIX). Tests set them explicitly.
struct RegionalSettings {
    QChar decimalSeparator = u',';
    QChar thousandSeparator = QChar(0x00A0);
    QChar dateSeparator = u'.';
    // Short date pattern in the day/month/year notation of format patterns:
    // "d", "dd", "m", "mm", "yy", "yyyy"; "/" stands for dateSeparator.
    QString shortDateFormat = QStringLiteral("dd/mm/yyyy");
    QString currencySymbol = QStringLiteral("zł");
    // Currency display: 0 = "zł1", 1 = "1zł", 2 = "zł 1", 3 = "1 zł".
    int currencyFormat = 3;
    // Negative currency display: 8 = "-1 zł" (the Polish default).
    int negativeCurrencyFormat = 8;
    int currencyDecimals = 2;
    // Month names January..December and weekday names Monday..Sunday, as a
    // date's part standing alone names them ("marzec", "poniedziałek").
    QStringList longMonthNames;
    QStringList shortMonthNames;
    QStringList longDayNames;
    QStringList shortDayNames;

    static RegionalSettings polish();
    // The locale the settings are taken from: the system's, or Polish (Poland)
    // where the system has none (C or POSIX).
    static QLocale sourceLocale(const QLocale& system);
    // The settings of the system locale (LC_NUMERIC, LC_TIME, LC_MONETARY as Qt
    // sees them), or polish() when the locale is C or POSIX.
    static RegionalSettings fromSystem();
    // The settings of a given locale, polish() for the C locale.
    static RegionalSettings fromLocale(const QLocale& locale);
};

// The settings in force. The program sets them once at start.
const RegionalSettings& regional();
void setRegional(const RegionalSettings& settings);

} // namespace tv
