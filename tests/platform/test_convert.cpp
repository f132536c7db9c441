#include <cmath>
#include <limits>
#include <optional>

#include <gtest/gtest.h>

#include <QLocale>

#include "platform/convert.h"
#include "platform/regional.h"
#include "support/test_env.h"

using tv::Currency;

// Readable QString values in failure messages.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

// Puts the settings back as the test found them.
class SettingsGuard {
public:
    SettingsGuard() : m_saved(tv::regional()) {}
    ~SettingsGuard() { tv::setRegional(m_saved); }

private:
    tv::RegionalSettings m_saved;
};

std::string printable(const QString& text) {
    QString shown;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0xA0)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
        else
            shown += c;
    }
    return "\"" + shown.toStdString() + "\"";
}

// --- text to float and to Currency -------------------------------------------

// One text, read with a comma as the decimal separator; nullopt where it must be rejected.
struct NumberCase {
    const char* text;
    std::optional<double> asFloat;
    std::optional<std::int64_t> asUnits;
};

class NumberText : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberText, FloatAndCurrencyReadTheSameGrammar) {
    const NumberCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    double d = -1;
    Currency money = Currency::fromUnits(-1);
    EXPECT_EQ(tv::TryStrToFloat(text, d), c.asFloat.has_value()) << printable(text);
    if (c.asFloat) {
        EXPECT_EQ(d, *c.asFloat) << printable(text);
        EXPECT_EQ(tv::StrToFloat(text), *c.asFloat);
    } else {
        EXPECT_THROW(tv::StrToFloat(text), tv::EConvertError) << printable(text);
    }
    EXPECT_EQ(tv::TryStrToCurr(text, money), c.asUnits.has_value()) << printable(text);
    if (c.asUnits) {
        EXPECT_EQ(money.units(), *c.asUnits) << printable(text);
        EXPECT_EQ(tv::StrToCurr(text).units(), *c.asUnits);
    } else {
        EXPECT_THROW(tv::StrToCurr(text), tv::EConvertError) << printable(text);
    }
}

constexpr auto kNo = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Accepted, NumberText,
    ::testing::Values(NumberCase{"12,5", 12.5, 125000}, NumberCase{"  12,5  ", 12.5, 125000},
                      NumberCase{"-12,5", -12.5, -125000}, NumberCase{"+7", 7.0, 70000},
                      NumberCase{"0", 0.0, 0}, NumberCase{"-0", -0.0, 0}, NumberCase{",", 0.0, 0},
                      NumberCase{"-,", -0.0, 0}, NumberCase{"12,", 12.0, 120000}, NumberCase{",5", 0.5, 5000},
                      NumberCase{"007", 7.0, 70000}, NumberCase{"0,1", 0.1, 1000},
                      NumberCase{"1e3", 1000.0, 10000000}, NumberCase{"1E3", 1000.0, 10000000},
                      NumberCase{"1e+3", 1000.0, 10000000}, NumberCase{"-1,5e-2", -0.015, -150},
                      NumberCase{",5e1", 5.0, 50000}, NumberCase{"2,5E-0004", 0.00025, 2},
                      NumberCase{"0,333", 0.333, 3330}, NumberCase{"0,4995", 0.4995, 4995},
                      // money is scaled from the digits, not from the nearest double
                      NumberCase{"0,30000000000000004", 0.30000000000000004, 3000},
                      NumberCase{"1,23455", 1.23455, 12346}, NumberCase{"1,23445", 1.23445, 12344},
                      NumberCase{"1,234450001", 1.234450001, 12345}, NumberCase{"0,00005", 0.00005, 0},
                      NumberCase{"0,00015", 0.00015, 2}, NumberCase{"-0,00015", -0.00015, -2},
                      NumberCase{"0,000049999", 0.000049999, 0}, NumberCase{"1e-5", 1e-5, 0},
                      NumberCase{"0e999999999999999999999", 0.0, 0}, NumberCase{"1e-400", 0.0, 0},
                      NumberCase{"9007199254740993", 9007199254740992.0, kNo},
                      NumberCase{"922337203685477,5807", 922337203685477.5807, kMax},
                      NumberCase{"922337203685477,58074", 922337203685477.58074, kMax},
                      NumberCase{"-922337203685477,5808", -922337203685477.5808, kMin},
                      NumberCase{"9,223372036854775807e14", 922337203685477.5807, kMax},
                      NumberCase{"1,7976931348623157e308", std::numeric_limits<double>::max(), kNo}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

INSTANTIATE_TEST_SUITE_P(
    Rejected, NumberText,
    ::testing::Values(NumberCase{"", kNo, kNo}, NumberCase{" ", kNo, kNo}, NumberCase{"+", kNo, kNo},
                      NumberCase{"-", kNo, kNo}, NumberCase{"12.5", kNo, kNo}, NumberCase{"1 000", kNo, kNo},
                      NumberCase{"1\u00A0000", kNo, kNo}, NumberCase{"1.000,5", kNo, kNo},
                      NumberCase{"12,5 zł", kNo, kNo}, NumberCase{"zł12", kNo, kNo},
                      NumberCase{"\t12", kNo, kNo}, NumberCase{"12\t", kNo, kNo},
                      NumberCase{"12\n", kNo, kNo}, NumberCase{"1,2,3", kNo, kNo}, NumberCase{"1e", kNo, kNo},
                      NumberCase{"1e+", kNo, kNo}, NumberCase{"e3", kNo, kNo}, NumberCase{"1e3,5", kNo, kNo},
                      NumberCase{"- 1", kNo, kNo}, NumberCase{"--1", kNo, kNo}, NumberCase{"0x10", kNo, kNo},
                      NumberCase{"INF", kNo, kNo}, NumberCase{"NAN", kNo, kNo}, NumberCase{"abc", kNo, kNo},
                      NumberCase{"١٢", kNo, kNo}, NumberCase{"1e400", kNo, kNo},
                      // the first amounts past the money range, in both directions
                      NumberCase{"922337203685477,5808", 922337203685477.5808, kNo},
                      NumberCase{"922337203685477,58075", 922337203685477.58075, kNo},
                      NumberCase{"-922337203685477,5809", -922337203685477.5809, kNo},
                      NumberCase{"1e19", 1e19, kNo}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(NumberTextMessage, NamesTheRejectedText) {
    try {
        tv::StrToFloat(QStringLiteral("abc"));
        FAIL();
    } catch (const tv::EConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'abc' is not a valid floating point value"));
    }
    try {
        tv::StrToCurr(QStringLiteral("12,5 zł"));
        FAIL();
    } catch (const tv::EConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'12,5 zł' is not a valid floating point value"));
    }
    try {
        tv::StrToFloat(QString());
        FAIL();
    } catch (const tv::EConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'' is not a valid floating point value"));
    }
}

TEST(NumberTextSeparator, FollowsTheSettingsInForce) {
    SettingsGuard guard;
    tvtest::usePolishSettings(u'.');
    EXPECT_EQ(tv::StrToFloat(QStringLiteral(" 12.5 ")), 12.5);
    EXPECT_EQ(tv::StrToCurr(QStringLiteral("12.5")).units(), 125000);
    EXPECT_THROW(tv::StrToFloat(QStringLiteral("12,5")), tv::EConvertError);
    EXPECT_THROW(tv::StrToCurr(QStringLiteral("1,000")), tv::EConvertError);
    EXPECT_EQ(tv::FloatToStr(12.5), QStringLiteral("12.5"));
    EXPECT_EQ(tv::CurrToStr(Currency::fromUnits(125000)), QStringLiteral("12.5"));
}

// --- integers ------------------------------------------------------------------

struct IntCase {
    const char* text;
    std::optional<int> value;
};

class IntText : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntText, ReadsDecimalDigitsWithin32Bits) {
    const QString text = QString::fromUtf8(GetParam().text);
    int value = -1;
    EXPECT_EQ(tv::TryStrToInt(text, value), GetParam().value.has_value()) << printable(text);
    if (GetParam().value) {
        EXPECT_EQ(value, *GetParam().value);
    } else {
        try {
            tv::StrToInt(text);
            ADD_FAILURE() << printable(text);
        } catch (const tv::EConvertError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntText,
    ::testing::Values(IntCase{"0", 0}, IntCase{"12", 12}, IntCase{"  12", 12}, IntCase{"+5", 5},
                      IntCase{"-17", -17}, IntCase{"007", 7}, IntCase{"2147483647", 2147483647},
                      IntCase{"-2147483648", std::numeric_limits<int>::min()}, IntCase{"", std::nullopt},
                      IntCase{" ", std::nullopt}, IntCase{"-", std::nullopt}, IntCase{"12 ", std::nullopt},
                      IntCase{"1 2", std::nullopt}, IntCase{"\t1", std::nullopt},
                      IntCase{"2147483648", std::nullopt}, IntCase{"-2147483649", std::nullopt},
                      IntCase{"99999999999999999999999", std::nullopt}, IntCase{"1,0", std::nullopt},
                      IntCase{"1e3", std::nullopt}, IntCase{"0x10", std::nullopt},
                      IntCase{"$10", std::nullopt}, IntCase{"12a", std::nullopt}));

TEST(IntToStr, WritesPlainDigits) {
    EXPECT_EQ(tv::IntToStr(0), QStringLiteral("0"));
    EXPECT_EQ(tv::IntToStr(-1234567), QStringLiteral("-1234567"));
    EXPECT_EQ(tv::IntToStr(std::numeric_limits<long long>::min()), QStringLiteral("-9223372036854775808"));
}

// --- float to text ---------------------------------------------------------------

struct FloatTextCase {
    double value;
    const char* text;
};

class FloatText : public ::testing::TestWithParam<FloatTextCase> {};

TEST_P(FloatText, FifteenDigitsPlainNotation) {
    EXPECT_EQ(tv::FloatToStr(GetParam().value), QString::fromUtf8(GetParam().text)) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FloatText,
    ::testing::Values(FloatTextCase{0.0, "0"}, FloatTextCase{-0.0, "0"}, FloatTextCase{12.5, "12,5"},
                      FloatTextCase{100.0, "100"}, FloatTextCase{-1.5, "-1,5"}, FloatTextCase{0.1, "0,1"},
                      FloatTextCase{0.1 + 0.2, "0,3"}, FloatTextCase{1.0 / 3.0, "0,333333333333333"},
                      FloatTextCase{2.0 / 3.0, "0,666666666666667"},
                      FloatTextCase{-2.0 / 3.0, "-0,666666666666667"},
                      // a product just short of a whole number is cleaned by the 15 digits
                      FloatTextCase{1.005 * 1000.0, "1005"}, FloatTextCase{2.675 * 1000.0, "2675"},
                      // never an exponent, small or large
                      FloatTextCase{0.00000005 * 1000.0, "0,00005"}, FloatTextCase{1e-10, "0,0000000001"},
                      FloatTextCase{1.5e-7, "0,00000015"}, FloatTextCase{1e15, "1000000000000000"},
                      FloatTextCase{1e20, "100000000000000000000"},
                      FloatTextCase{123456789012345678.0, "123456789012346000"},
                      FloatTextCase{999999999999999.9, "1000000000000000"},
                      FloatTextCase{99999.99999999999, "100000"},
                      FloatTextCase{0.1234567890123456, "0,123456789012346"},
                      FloatTextCase{123456.7890123456, "123456,789012346"},
                      // exact halves at the sixteenth digit round away from zero
                      FloatTextCase{123456789012344.5, "123456789012345"},
                      FloatTextCase{-123456789012344.5, "-123456789012345"},
                      FloatTextCase{1234567890123445.0, "1234567890123450"},
                      FloatTextCase{999999999999999.5, "1000000000000000"},
                      FloatTextCase{123456789012344.46875, "123456789012344"},
                      FloatTextCase{std::numeric_limits<double>::infinity(), "INF"},
                      FloatTextCase{-std::numeric_limits<double>::infinity(), "-INF"},
                      FloatTextCase{std::numeric_limits<double>::quiet_NaN(), "NAN"}));

TEST(FloatText, ExtremesStayPlainAndExact) {
    const QString tiny = tv::FloatToStr(std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(tiny, QStringLiteral("0,") + QString(323, u'0') + QStringLiteral("494065645841247"));
    const QString huge = tv::FloatToStr(std::numeric_limits<double>::max());
    EXPECT_EQ(huge, QStringLiteral("179769313486232") + QString(294, u'0'));
    EXPECT_EQ(tv::FloatToStr(-std::numeric_limits<double>::min()),
              QStringLiteral("-0,") + QString(307, u'0') + QStringLiteral("22250738585072"));
    EXPECT_EQ(tv::StrToFloat(tiny), 5e-324);
    // Fifteen digits of the largest double lie beyond it: the text does not read back.
    EXPECT_THROW(tv::StrToFloat(huge), tv::EConvertError);
}

TEST(FloatText, ReadsBackToTheSameFifteenDigits) {
    for (double d : {0.1, 1.0 / 7.0, 12345.678, 1e-5, 7.7e12, 2.0 / 3.0, 0.4995, 1e300, 3e-300}) {
        const QString text = tv::FloatToStr(d);
        EXPECT_EQ(tv::FloatToStr(tv::StrToFloat(text)), text);
        EXPECT_FALSE(text.contains(u'e') || text.contains(u'E')) << text.toStdString();
    }
}

// --- Currency to text and the currency display -------------------------------------

struct CurrTextCase {
    std::int64_t units;
    const char* text;
};

class CurrText : public ::testing::TestWithParam<CurrTextCase> {};

TEST_P(CurrText, UpToFourDecimalsNoTrailingZeros) {
    EXPECT_EQ(tv::CurrToStr(Currency::fromUnits(GetParam().units)), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Cases, CurrText,
                         ::testing::Values(CurrTextCase{0, "0"}, CurrTextCase{125000, "12,5"},
                                           CurrTextCase{1000000, "100"}, CurrTextCase{4995, "0,4995"},
                                           CurrTextCase{-4995, "-0,4995"}, CurrTextCase{1, "0,0001"},
                                           CurrTextCase{-10000, "-1"},
                                           CurrTextCase{12345678900, "1234567,89"},
                                           CurrTextCase{kMax, "922337203685477,5807"},
                                           CurrTextCase{kMin, "-922337203685477,5808"}));

TEST(CurrText, ReadsBackExactly) {
    for (std::int64_t units : {std::int64_t(0), std::int64_t(1), std::int64_t(-99999), kMax, kMin}) {
        EXPECT_EQ(tv::StrToCurr(tv::CurrToStr(Currency::fromUnits(units))).units(), units);
    }
}

struct DisplayCase {
    double value;
    const char* text;
};

class CurrencyDisplay : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(CurrencyDisplay, PolishGroupsThousandsWithTwoDecimals) {
    QString expected = QString::fromUtf8(GetParam().text);
    expected.replace(u'_', QChar(0x00A0)); // "_" marks the thousands separator
    EXPECT_EQ(tv::FormatCurrency(GetParam().value), expected);
    if (std::fabs(GetParam().value) < 1e14) {
        // The money type shows the same text where its four decimals hold the value.
        const Currency money = Currency::fromDouble(GetParam().value);
        if (money.toDouble() == GetParam().value) {
            EXPECT_EQ(tv::FormatCurrency(money), expected) << GetParam().value;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CurrencyDisplay,
    ::testing::Values(DisplayCase{0.0, "0,00 zł"}, DisplayCase{1.0, "1,00 zł"}, DisplayCase{12.5, "12,50 zł"},
                      DisplayCase{999.999, "1_000,00 zł"}, DisplayCase{1234.56, "1_234,56 zł"},
                      DisplayCase{-1234.5, "-1_234,50 zł"}, DisplayCase{1234567.891, "1_234_567,89 zł"},
                      DisplayCase{123456.0, "123_456,00 zł"}, DisplayCase{2.675, "2,68 zł"},
                      DisplayCase{1.005, "1,01 zł"}, DisplayCase{0.005, "0,01 zł"},
                      DisplayCase{-0.005, "-0,01 zł"}, DisplayCase{0.0049, "0,00 zł"},
                      DisplayCase{-0.001, "0,00 zł"}, DisplayCase{1.2345, "1,23 zł"},
                      DisplayCase{1.235, "1,24 zł"}, DisplayCase{1e20, "100_000_000_000_000_000_000,00 zł"}));

TEST(CurrencyDisplay, MoneyExtremes) {
    EXPECT_EQ(tv::FormatCurrency(Currency::fromUnits(kMax)),
              QStringLiteral("922\u00A0337\u00A0203\u00A0685\u00A0477,58 zł"));
    EXPECT_EQ(tv::FormatCurrency(Currency::fromUnits(kMin)),
              QStringLiteral("-922\u00A0337\u00A0203\u00A0685\u00A0477,58 zł"));
    EXPECT_EQ(tv::FormatCurrency(Currency::fromUnits(-50)), QStringLiteral("-0,01 zł"));
    EXPECT_EQ(tv::FormatCurrency(Currency::fromUnits(-49)), QStringLiteral("0,00 zł"));
}

TEST(CurrencyDisplay, PlacesTheSymbolAsTheSettingsSay) {
    SettingsGuard guard;
    tv::RegionalSettings settings = tv::RegionalSettings::polish();
    settings.currencySymbol = QStringLiteral("$");
    settings.decimalSeparator = u'.';
    settings.thousandSeparator = u',';
    const char* const positive[] = {"$1,234.50", "1,234.50$", "$ 1,234.50", "1,234.50 $"};
    for (int code = 0; code < 4; ++code) {
        settings.currencyFormat = code;
        tv::setRegional(settings);
        EXPECT_EQ(tv::FormatCurrency(1234.5), QLatin1String(positive[code])) << code;
    }
    const char* const negative[] = {"($1.50)", "-$1.50",  "$-1.50",   "$1.50-",  "(1.50$)", "-1.50$",
                                    "1.50-$",  "1.50$-",  "-1.50 $",  "-$ 1.50", "1.50 $-", "$ 1.50-",
                                    "$ -1.50", "1.50- $", "($ 1.50)", "(1.50 $)"};
    for (int code = 0; code < 16; ++code) {
        settings.negativeCurrencyFormat = code;
        tv::setRegional(settings);
        EXPECT_EQ(tv::FormatCurrency(-1.5), QLatin1String(negative[code])) << code;
    }
}

// --- dates -----------------------------------------------------------------------

TEST(DateText, PolishShortFormBothWays) {
    EXPECT_EQ(tv::DateToStr(QDate(2026, 12, 10)), QStringLiteral("10.12.2026"));
    EXPECT_EQ(tv::DateToStr(QDate(2026, 1, 5)), QStringLiteral("05.01.2026"));
    EXPECT_EQ(tv::DateToStr(QDate()), QString());
    EXPECT_EQ(tv::StrToDate(QStringLiteral("10.12.2026")), QDate(2026, 12, 10));
}

struct DateCase {
    const char* text;
    QDate date; // null: rejected
};

class DateText : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateText, ReadsTheShortForm) {
    const QString text = QString::fromUtf8(GetParam().text);
    QDate date;
    EXPECT_EQ(tv::TryStrToDate(text, date), GetParam().date.isValid()) << printable(text);
    if (GetParam().date.isValid()) {
        EXPECT_EQ(date, GetParam().date) << printable(text);
    } else {
        try {
            tv::StrToDate(text);
            ADD_FAILURE() << printable(text);
        } catch (const tv::EConvertError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid date").arg(text));
        }
    }
}

const int kThisYear = QDate::currentDate().year();

INSTANTIATE_TEST_SUITE_P(
    Cases, DateText,
    ::testing::Values(DateCase{"10.12.2026", QDate(2026, 12, 10)},
                      DateCase{" 10 . 12 . 2026 ", QDate(2026, 12, 10)},
                      DateCase{"1.2.2026", QDate(2026, 2, 1)}, DateCase{"10.12.2026.", QDate(2026, 12, 10)},
                      DateCase{"29.02.2024", QDate(2024, 2, 29)}, DateCase{"10.12", QDate(kThisYear, 12, 10)},
                      DateCase{"01.01.0026", QDate(26, 1, 1)}, DateCase{"10.12.26", QDate(2026, 12, 10)},
                      DateCase{"", QDate()}, DateCase{"10", QDate()}, DateCase{"29.02.2025", QDate()},
                      DateCase{"32.01.2026", QDate()}, DateCase{"10.13.2026", QDate()},
                      DateCase{"10/12/2026", QDate()}, DateCase{"10-12-2026", QDate()},
                      DateCase{"2026-12-10", QDate()}, DateCase{"10.12.2026 12:00", QDate()},
                      DateCase{"10..12.2026", QDate()}, DateCase{"10.12.12026", QDate()},
                      DateCase{"abc", QDate()}, DateCase{"0.12.2026", QDate()},
                      DateCase{"\t10.12.2026", QDate()}));

TEST(DateText, TwoDigitYearsFallWithinAHundredYearWindow) {
    const int base = kThisYear - 50;
    for (int yy : {0, 25, 49, 50, 51, 75, 99}) {
        const QDate date = tv::StrToDate(QStringLiteral("01.06.%1").arg(yy, 2, 10, QChar(u'0')));
        EXPECT_GE(date.year(), base) << yy;
        EXPECT_LT(date.year(), base + 100) << yy;
        EXPECT_EQ(date.year() % 100, yy);
    }
}

TEST(DateText, FollowsOtherOrdersAndSeparators) {
    SettingsGuard guard;
    tv::RegionalSettings settings = tv::RegionalSettings::polish();
    settings.shortDateFormat = QStringLiteral("yyyy/mm/dd");
    settings.dateSeparator = u'-';
    tv::setRegional(settings);
    EXPECT_EQ(tv::DateToStr(QDate(2026, 3, 7)), QStringLiteral("2026-03-07"));
    EXPECT_EQ(tv::StrToDate(QStringLiteral("2026-3-7")), QDate(2026, 3, 7));
    EXPECT_EQ(tv::StrToDate(QStringLiteral("3-7")), QDate(kThisYear, 3, 7));
    EXPECT_THROW(tv::StrToDate(QStringLiteral("07.03.2026")), tv::EConvertError);

    settings.shortDateFormat = QStringLiteral("m/d/yy");
    settings.dateSeparator = u'/';
    tv::setRegional(settings);
    EXPECT_EQ(tv::DateToStr(QDate(2026, 3, 7)), QStringLiteral("3/7/26"));
    EXPECT_EQ(tv::StrToDate(QStringLiteral("3/7/2026")), QDate(2026, 3, 7));
}

TEST(DateText, FormatPatternsOfThePrintouts) {
    const QDate date(2026, 3, 7);
    EXPECT_EQ(tv::FormatDateTime(QStringLiteral("d/mm/yyyy"), date), QStringLiteral("7.03.2026"));
    EXPECT_EQ(tv::FormatDateTime(QStringLiteral("dd/mm/yy"), date), QStringLiteral("07.03.26"));
    EXPECT_EQ(tv::FormatDateTime(QStringLiteral("d/m/yyyy"), QDate(2026, 12, 10)),
              QStringLiteral("10.12.2026"));
    EXPECT_EQ(tv::FormatDateTime(QStringLiteral("yyyy-mm-dd"), date), QStringLiteral("2026-03-07"));
    EXPECT_EQ(tv::FormatDateTime(QStringLiteral("'Data:' dd/mm/yyyy"), date),
              QStringLiteral("Data: 07.03.2026"));
    EXPECT_EQ(tv::FormatDateTime(QStringLiteral("mmmm yyyy"), date), QStringLiteral("marzec 2026"));
    EXPECT_EQ(tv::FormatDateTime(QStringLiteral("ddddd"), date), QStringLiteral("07.03.2026"));
    SettingsGuard guard;
    tv::RegionalSettings settings = tv::RegionalSettings::polish();
    settings.dateSeparator = u'-';
    tv::setRegional(settings);
    EXPECT_EQ(tv::FormatDateTime(QStringLiteral("d/mm/yyyy"), date), QStringLiteral("7-03-2026"));
}

struct LenientCase {
    const char* text;
    QDate date;
};

class LenientDate : public ::testing::TestWithParam<LenientCase> {};

TEST_P(LenientDate, ReadsTheShortFormAndTheFileForms) {
    EXPECT_EQ(tv::parseDateLenient(QString::fromUtf8(GetParam().text)), GetParam().date) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, LenientDate,
                         ::testing::Values(LenientCase{"10.12.2026", QDate(2026, 12, 10)},
                                           LenientCase{"2026-12-10", QDate(2026, 12, 10)},
                                           LenientCase{"10-12-2026", QDate(2026, 12, 10)},
                                           LenientCase{"1.2.2026", QDate(2026, 2, 1)},
                                           LenientCase{" 2026-02-01 ", QDate(2026, 2, 1)},
                                           LenientCase{"10.12.26", QDate(2026, 12, 10)},
                                           LenientCase{"", QDate()}, LenientCase{"2026-02-30", QDate()},
                                           LenientCase{"26-12-10", QDate()},
                                           LenientCase{"2026/12/10x", QDate()}, LenientCase{"10-12", QDate()},
                                           LenientCase{"jutro", QDate()}));

// --- settings from a locale --------------------------------------------------------

TEST(RegionalSettingsFromLocale, PolishForTheCLocale) {
    const tv::RegionalSettings polish = tv::RegionalSettings::polish();
    const tv::RegionalSettings c = tv::RegionalSettings::fromLocale(QLocale::c());
    EXPECT_EQ(c.decimalSeparator, polish.decimalSeparator);
    EXPECT_EQ(c.shortDateFormat, QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(c.dateSeparator, u'.');
    EXPECT_EQ(c.currencySymbol, QStringLiteral("zł"));
    EXPECT_EQ(c.currencyFormat, 3);
    EXPECT_EQ(c.negativeCurrencyFormat, 8);
    if (QLocale::system().language() == QLocale::C) {
        EXPECT_EQ(tv::RegionalSettings::fromSystem().shortDateFormat, polish.shortDateFormat);
    }
}

TEST(RegionalSettingsFromLocale, TakesSeparatorsAndCurrency) {
    const tv::RegionalSettings pl =
        tv::RegionalSettings::fromLocale(QLocale(QLocale::Polish, QLocale::Poland));
    EXPECT_EQ(pl.decimalSeparator, u',');
    EXPECT_EQ(pl.dateSeparator, u'.');
    EXPECT_EQ(pl.currencySymbol, QStringLiteral("zł"));
    EXPECT_EQ(pl.currencyFormat, 3);
    // Qt offers the accounting form "(1 zł)"; the everyday Polish form is "-1 zł".
    EXPECT_EQ(pl.negativeCurrencyFormat, 8);

    const tv::RegionalSettings us =
        tv::RegionalSettings::fromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.decimalSeparator, u'.');
    EXPECT_EQ(us.thousandSeparator, u',');
    EXPECT_EQ(us.dateSeparator, u'/');
    EXPECT_EQ(us.currencySymbol, QStringLiteral("$"));
    EXPECT_EQ(us.currencyFormat, 0);
    EXPECT_EQ(us.negativeCurrencyFormat, 1);

    const tv::RegionalSettings de =
        tv::RegionalSettings::fromLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de.decimalSeparator, u',');
    EXPECT_EQ(de.thousandSeparator, u'.');
    EXPECT_EQ(de.currencySymbol, QStringLiteral("€"));
    EXPECT_EQ(de.currencyFormat, 3);
    EXPECT_EQ(de.negativeCurrencyFormat, 8);
}

class LocaleDates : public ::testing::TestWithParam<QLocale::Language> {};

// The short form taken from a locale writes a date as the locale itself
// writes it, and reads that text back.
TEST_P(LocaleDates, ShortFormMatchesTheLocale) {
    SettingsGuard guard;
    const QLocale locale(GetParam());
    tv::setRegional(tv::RegionalSettings::fromLocale(locale));
    for (const QDate date : {QDate(2026, 3, 7), QDate(2026, 12, 10), QDate(2031, 1, 31)}) {
        const QString text = locale.toString(date, QLocale::ShortFormat);
        EXPECT_EQ(tv::DateToStr(date), text) << locale.name().toStdString();
        EXPECT_EQ(tv::StrToDate(text), date) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, LocaleDates,
                         ::testing::Values(QLocale::Polish, QLocale::English, QLocale::German,
                                           QLocale::French, QLocale::Hungarian, QLocale::Czech,
                                           QLocale::Japanese, QLocale::Bulgarian, QLocale::Korean,
                                           QLocale::Chinese));

TEST(RegionalSettingsFromLocale, RoundTripsTheLocalesOwnTexts) {
    SettingsGuard guard;
    tv::setRegional(tv::RegionalSettings::fromLocale(QLocale(QLocale::English, QLocale::UnitedStates)));
    EXPECT_EQ(tv::StrToFloat(QStringLiteral("1.5")), 1.5);
    EXPECT_EQ(tv::FormatCurrency(-1234.5), QStringLiteral("-$1,234.50"));
    EXPECT_EQ(tv::StrToDate(tv::DateToStr(QDate(2026, 3, 7))), QDate(2026, 3, 7));
}

} // namespace

TEST(RegionalSettingsFromLocale, NamesMonthsAndDaysAsTheyStandAlone) {
    const tv::RegionalSettings polish = tv::RegionalSettings::polish();
    ASSERT_EQ(polish.longMonthNames.size(), 12);
    ASSERT_EQ(polish.longDayNames.size(), 7);
    EXPECT_EQ(polish.longMonthNames[2], QStringLiteral("marzec"));
    EXPECT_EQ(polish.shortMonthNames[2], QStringLiteral("mar"));
    EXPECT_EQ(polish.longDayNames[0], QStringLiteral("poniedziałek"));
    EXPECT_EQ(tv::RegionalSettings::fromLocale(QLocale::c()).longMonthNames, polish.longMonthNames);
    const tv::RegionalSettings us =
        tv::RegionalSettings::fromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.longMonthNames[2], QStringLiteral("March"));
    EXPECT_EQ(us.shortDayNames[6], QStringLiteral("Sun"));
}
