#include <cstdint>
#include <random>

#include <gtest/gtest.h>

#include "costing/rules/rounding.h"
#include "platform/convert.h"
#include "platform/regional.h"
#include "support/test_env.h"

// Readable QString values in failure messages.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

// Runs each case with a comma and with a full stop as the decimal separator.
class WithSeparator : public ::testing::Test {
protected:
    ~WithSeparator() override { tvtest::usePolishSettings(u','); }
    template <typename Check> void forBothSeparators(Check check) {
        for (QChar separator : {QChar(u','), QChar(u'.')}) {
            SCOPED_TRACE(std::string("separator ") + char(separator.unicode()));
            tvtest::usePolishSettings(separator);
            check(separator);
        }
    }
};

// --- Zaokraglij ------------------------------------------------------------------------

struct RoundCase {
    double x;
    double expected;
};

class ZaokraglijCases : public WithSeparator, public ::testing::WithParamInterface<RoundCase> {};

TEST_P(ZaokraglijCases, RoundsToTwoDecimalsHalfAwayFromZero) {
    forBothSeparators([](QChar) {
        const double result = Zaokraglij(GetParam().x);
        EXPECT_EQ(result, GetParam().expected) << GetParam().x << " gives " << result;
    });
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ZaokraglijCases,
    ::testing::Values(RoundCase{0.0, 0.0}, RoundCase{-0.0, 0.0}, RoundCase{1.234, 1.23},
                      RoundCase{1.235, 1.24}, RoundCase{1.2349, 1.23}, RoundCase{-1.235, -1.24},
                      RoundCase{-1.234, -1.23},
                      // the third decimal alone decides, later digits are ignored
                      RoundCase{1.2349999, 1.23}, RoundCase{1.2350001, 1.24},
                      // products just short of a whole number are cleaned by the 15-digit text
                      RoundCase{1.005, 1.01}, RoundCase{2.675, 2.68}, RoundCase{0.995, 1.0},
                      RoundCase{0.005, 0.01}, RoundCase{0.0049, 0.0}, RoundCase{-0.005, -0.01},
                      // its product with 1000 is 0,00005, never written with an exponent
                      RoundCase{0.00000005, 0.0}, RoundCase{12.5, 12.5}, RoundCase{100.0, 100.0},
                      RoundCase{0.4995, 0.5}, RoundCase{99.995, 100.0},
                      // the hundredths are scaled by the double 0.01, which lands one ulp
                      // above the double nearest to 1234567,13; the text is the same
                      RoundCase{1234567.125, 1234567.1300000001}, RoundCase{-1234567.124, -1234567.12},
                      RoundCase{36.6666, 36.67}, RoundCase{1e-300, 0.0}));

// Every amount with three decimals rounds to the amount with two that a
// person would write: the hundredths, half a grosz rounding away from zero.
TEST_F(WithSeparator, ThreeDecimalAmountsRoundAsWrittenByHand) {
    std::mt19937_64 random(42);
    std::uniform_int_distribution<std::int64_t> thousandths(-10'000'000'000, 10'000'000'000);
    forBothSeparators([&](QChar separator) {
        for (int k = 0; k < 20000; ++k) {
            const std::int64_t m = k < 2000 ? k - 1000 : thousandths(random);
            const double x = double(m) / 1000.0;
            const std::int64_t magnitude = m < 0 ? -m : m;
            const std::int64_t hundredths = (magnitude + 5) / 10;
            QString expected = QString::number(hundredths / 100);
            if (hundredths % 100 != 0) {
                QString fraction = QStringLiteral("%1").arg(hundredths % 100, 2, 10, QChar(u'0'));
                if (fraction.endsWith(u'0')) fraction.chop(1);
                expected += separator + fraction;
            }
            if (m < 0 && hundredths != 0) expected.prepend(u'-');
            ASSERT_EQ(tv::FloatToStr(Zaokraglij(x)), expected) << "x = " << m << "/1000";
        }
    });
}

TEST(Zaokraglij, NonFiniteValuesPassUnchanged) {
    EXPECT_EQ(Zaokraglij(std::numeric_limits<double>::infinity()), std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(Zaokraglij(std::numeric_limits<double>::quiet_NaN())));
}

// --- CzyLiczba and CzyKwota ------------------------------------------------------------------

struct CheckCase {
    const char* text;
    bool number;
    bool amount;
};

class NumberChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(NumberChecks, TellWhetherTheConversionsAccept) {
    const QString text = QString::fromUtf8(GetParam().text);
    EXPECT_EQ(CzyLiczba(text), GetParam().number) << text.toStdString();
    EXPECT_EQ(CzyKwota(text), GetParam().amount) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(CommaLocale, NumberChecks,
                         ::testing::Values(CheckCase{"", false, false}, CheckCase{",", true, true},
                                           CheckCase{"1e3", true, true}, CheckCase{"1 000", false, false},
                                           CheckCase{" 12,5 ", true, true}, CheckCase{"12.5", false, false},
                                           CheckCase{"12,", true, true}, CheckCase{"-", false, false},
                                           CheckCase{"+,5", true, true}, CheckCase{"\t1", false, false},
                                           CheckCase{"12 zł", false, false}, CheckCase{"1e400", false, false},
                                           CheckCase{"1e18", true, false},
                                           CheckCase{"922337203685477,5807", true, true},
                                           CheckCase{"922337203685477,5808", true, false},
                                           CheckCase{"-922337203685477,5808", true, true},
                                           CheckCase{"0,00005", true, true}));

TEST(NumberChecks, FollowTheSeparatorInForce) {
    tvtest::usePolishSettings(u'.');
    EXPECT_FALSE(CzyLiczba(QStringLiteral(" 12,5 ")));
    EXPECT_FALSE(CzyKwota(QStringLiteral(" 12,5 ")));
    EXPECT_TRUE(CzyLiczba(QStringLiteral("12.5")));
    EXPECT_TRUE(CzyKwota(QStringLiteral(".")));
    EXPECT_FALSE(CzyKwota(QStringLiteral("1,000.5")));
    tvtest::usePolishSettings(u',');
}

} // namespace
