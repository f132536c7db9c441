// The rate rule of the goods register: gross from net and net from gross.

#include <gtest/gtest.h>

#include "invoicing/rules/goods_prices.h"
#include "platform/errors.h"
#include "support/test_env.h"

using invoicing::goodsRatePercent;
using invoicing::grossFromNet;
using invoicing::isGoodsRate;
using invoicing::netFromGross;

namespace {

struct PriceCase {
    const char* rate;
    double given;
    const char* gross; // from the given value as net, to four decimals
    const char* net;   // from the given value as gross
};

QString text(tv::Currency value) {
    return QString::number(double(value.units()) / 10000.0, 'f', 4);
}

} // namespace

TEST(GoodsPrices, GrossAndNetWithTheRateRule) {
    const PriceCase cases[] = {
        {"22", 100.0, "122.0000", "81.9672"},  {"zw.", 100.0, "100.0000", "100.0000"},
        {"zw", 100.0, "100.0000", "100.0000"}, {"", 100.0, "100.0000", "100.0000"},
        {"3", 100.0, "103.0000", "97.0874"},   {"7", 100.0, "107.0000", "93.4579"},
        {"0", 19.99, "19.9900", "19.9900"},    {"22", 122.0, "148.8400", "100.0000"},
        {"7,5", 100.0, "107.0000", "93.4579"}, {"7,99", 100.0, "107.0000", "93.4579"},
        {"22", 0.3333, "0.4066", "0.2732"},    {"22", -10.0, "-12.2000", "-8.1967"},
    };
    for (const PriceCase& c : cases) {
        const QString rate = QString::fromUtf8(c.rate);
        EXPECT_EQ(text(grossFromNet(c.given, rate)), c.gross) << c.rate << " " << c.given;
        EXPECT_EQ(text(netFromGross(c.given, rate)), c.net) << c.rate << " " << c.given;
    }
}

TEST(GoodsPrices, OnlyWholePercentagesCount) {
    const struct {
        const char* rate;
        long long percent;
    } cases[] = {{"22", 22}, {"7,5", 7}, {" 7 ", 7}, {"0,9", 0},
                 {"-5", -5}, {"zw.", 0}, {"", 0},    {"9e2", 900}};
    for (const auto& c : cases)
        EXPECT_EQ(goodsRatePercent(QString::fromUtf8(c.rate)), c.percent) << c.rate;
}

TEST(GoodsPrices, RateTextsThatDoNotConvertAreRefused) {
    for (const char* rate : {"abc", "ZW", "zw,", "7.5", "2 2"}) {
        EXPECT_FALSE(isGoodsRate(QString::fromUtf8(rate))) << rate;
        EXPECT_THROW(grossFromNet(100, QString::fromUtf8(rate)), tv::EConvertError) << rate;
    }
    for (const char* rate : {"22", "zw", "zw.", "", "7,5"})
        EXPECT_TRUE(isGoodsRate(QString::fromUtf8(rate))) << rate;
    // An exponent may not overflow the whole percentage.
    EXPECT_THROW(goodsRatePercent(QStringLiteral("9e99")), tv::EConvertError);
}

TEST(GoodsPrices, DecimalPointSettings) {
    tvtest::usePolishSettings(u'.');
    EXPECT_EQ(goodsRatePercent(QStringLiteral("7.5")), 7);
    EXPECT_THROW(goodsRatePercent(QStringLiteral("7,5")), tv::EConvertError);
    tvtest::usePolishSettings();
}
