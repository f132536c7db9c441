#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "platform/convert.h"
#include "platform/currency.h"
#include "platform/errors.h"

using tv::Currency;

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

// --- from a double ------------------------------------------------------------

struct FromDoubleCase {
    const char* name;
    double value;
    std::int64_t units;
};

class FromDouble : public ::testing::TestWithParam<FromDoubleCase> {};

TEST_P(FromDouble, RoundsTheExactValueToNearestUnitTiesToEven) {
    EXPECT_EQ(Currency::fromDouble(GetParam().value).units(), GetParam().units) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FromDouble,
    ::testing::Values(
        FromDoubleCase{"zero", 0.0, 0}, FromDoubleCase{"negative zero", -0.0, 0},
        FromDoubleCase{"one", 1.0, 10000}, FromDoubleCase{"four decimals", 0.4995, 4995},
        FromDoubleCase{"product of two floats", 0.333 * 1.5, 4995},
        // The double 5e-05 lies just above half a unit, so it rounds up; its
        // product with 10000 as a double would be exactly 0.5 and round to 0.
        FromDoubleCase{"just above a tie", 0.0001 * 0.5, 1}, FromDoubleCase{"literal 5e-5", 5e-5, 1},
        FromDoubleCase{"below one and a half units", 0.00015 - 1e-19, 1},
        // 1/32 and 3/32 are exact doubles at exactly half a unit.
        FromDoubleCase{"tie to even down", 0.03125, 312}, FromDoubleCase{"tie to even up", 0.09375, 938},
        FromDoubleCase{"negative tie down", -0.03125, -312},
        FromDoubleCase{"negative tie up", -0.09375, -938},
        FromDoubleCase{"smallest double", std::numeric_limits<double>::denorm_min(), 0},
        FromDoubleCase{"largest whole-ish", 922337203685477.5, 9223372036854775000},
        FromDoubleCase{"most negative whole-ish", -922337203685477.5, -9223372036854775000},
        FromDoubleCase{"hundredths", 2.675, 26750}, FromDoubleCase{"negative", -12.34567, -123457}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(CurrencyFromDouble, RaisesForValuesOutOfRangeAndNonFinite) {
    for (double d : {922337203685477.625, -922337203685477.625, 1e16, -1e300,
                     std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_THROW(Currency::fromDouble(d), tv::EOverflow) << d;
    }
    try {
        Currency::fromDouble(1e20);
        FAIL();
    } catch (const tv::EOverflow& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Przekroczenie zakresu kwoty"));
    }
}

// The exact decimal expansion of a double, scaled exactly from its text, is a
// second way to the same rounding: both must agree on every double.
TEST(CurrencyFromDouble, AgreesWithExactDecimalScalingOnRandomDoubles) {
    std::mt19937_64 random(20260101);
    std::uniform_int_distribution<int> exponent(-40, 49);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    for (int k = 0; k < 20000; ++k) {
        double d = std::ldexp(mantissa(random), exponent(random));
        if (k % 2) d = -d;
        if (k % 7 == 0) // exact ties and near-ties: multiples of 1/20000 nudged by an ulp or not
            d = std::nextafter(double(std::int64_t(d * 20000)) / 20000.0, (k % 3) ? 0.0 : 1e300);
        char buffer[1200];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::fixed, 1100).ptr;
        QString exact = QString::fromLatin1(buffer, end - buffer);
        exact.replace(u'.', u',');
        tv::Currency expected;
        if (!tv::TryStrToCurr(exact, expected)) {
            EXPECT_THROW(Currency::fromDouble(d), tv::EOverflow) << exact.toStdString();
            continue;
        }
        ASSERT_EQ(Currency::fromDouble(d).units(), expected.units()) << exact.toStdString();
    }
}

TEST(CurrencyToDouble, DividesTheUnitsOnce) {
    EXPECT_EQ(Currency::fromUnits(12345).toDouble(), 1.2345);
    EXPECT_EQ(Currency::fromUnits(-1).toDouble(), -0.0001);
    EXPECT_EQ(Currency::fromUnits(0).toDouble(), 0.0);
    EXPECT_EQ(Currency::fromUnits(kMax).toDouble(), 922337203685477.5807);
}

TEST(CurrencyWhole, FromIntScalesAndTruncTruncatesTowardZero) {
    EXPECT_EQ(Currency::fromInt(-3).units(), -30000);
    EXPECT_EQ(Currency::fromInt(922337203685477).units(), 9223372036854770000);
    EXPECT_THROW(Currency::fromInt(922337203685478), tv::EOverflow);
    EXPECT_EQ(Currency::fromUnits(19999).trunc(), 1);
    EXPECT_EQ(Currency::fromUnits(-19999).trunc(), -1);
}

// --- arithmetic ------------------------------------------------------------------

struct BinaryCase {
    std::int64_t a;
    std::int64_t b;
    std::int64_t product;
    std::int64_t quotient;
};

class Arithmetic : public ::testing::TestWithParam<BinaryCase> {};

TEST_P(Arithmetic, ProductAndQuotientTruncateTowardZero) {
    const auto& c = GetParam();
    EXPECT_EQ((Currency::fromUnits(c.a) * Currency::fromUnits(c.b)).units(), c.product);
    EXPECT_EQ((Currency::fromUnits(c.a) / Currency::fromUnits(c.b)).units(), c.quotient);
}

INSTANTIATE_TEST_SUITE_P(Cases, Arithmetic,
                         ::testing::Values(
                             // print run 3 x 0,3333 = 0,9999; quotient 3 / 0,3333 = 9,0009
                             BinaryCase{30000, 3333, 9999, 90009},
                             // print run 2,5 x 0,0001 = 0,0002 (2,5 units truncated)
                             BinaryCase{25000, 1, 2, 250000000}, BinaryCase{-25000, 1, -2, -250000000},
                             BinaryCase{25000, -1, -2, -250000000},
                             // mark-up 33,3333 x 0,1 = 3,3333
                             BinaryCase{333333, 1000, 33333, 3333330},
                             // 1 / 3 = 0,3333 and -1 / 3 = -0,3333
                             BinaryCase{10000, 30000, 30000, 3333}, BinaryCase{-10000, 30000, -30000, -3333},
                             // raw products beyond 64 bits whose results fit
                             BinaryCase{10000000000000, 1000000000, 1000000000000000000, 100000000},
                             BinaryCase{kMax, 10000, kMax, kMax}, BinaryCase{kMin, 10000, kMin, kMin},
                             BinaryCase{kMax, -10000, -kMax, -kMax}));

TEST(CurrencyArithmetic, RaisesInsteadOfWrapping) {
    const Currency max = Currency::fromUnits(kMax);
    const Currency min = Currency::fromUnits(kMin);
    const Currency one = Currency::fromInt(1);
    EXPECT_THROW(max + Currency::fromUnits(1), tv::EOverflow);
    EXPECT_THROW(min - Currency::fromUnits(1), tv::EOverflow);
    EXPECT_THROW(-min, tv::EOverflow);
    EXPECT_THROW(max * Currency::fromInt(2), tv::EOverflow);
    EXPECT_THROW(min * Currency::fromInt(-1), tv::EOverflow);
    EXPECT_THROW(max / Currency::fromUnits(1), tv::EOverflow);
    EXPECT_THROW(min / Currency::fromUnits(-10000), tv::EOverflow);
    EXPECT_THROW(one / Currency(), tv::EOverflow);
    Currency sum = max;
    EXPECT_THROW(sum += one, tv::EOverflow);
    EXPECT_EQ(sum, max) << "a failed sum leaves the amount as it was";
    EXPECT_EQ((max - max).units(), 0);
    EXPECT_EQ((min + max).units(), -1);
    EXPECT_EQ((-max).units(), -kMax);
}

TEST(CurrencyArithmetic, ComparesByUnits) {
    EXPECT_LT(Currency::fromUnits(-1), Currency());
    EXPECT_EQ(Currency::fromDouble(0.5), Currency::fromUnits(5000));
    EXPECT_GT(Currency::fromInt(1), Currency::fromUnits(9999));
}

} // namespace
