// The gross total in words, byte for byte as invoices print it; no
// application object exists in these tests.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "invoicing/rules/amount_in_words.h"
#include "platform/currency.h"
#include "platform/regional.h"
#include "support/test_env.h"

using invoicing::amountInWords;
using invoicing::threeDigitsInWords;

namespace {

tv::Currency money(double value) {
    return tv::Currency::fromDouble(value);
}

QString words(double value, const QString& currency = QStringLiteral("zł")) {
    return amountInWords(money(value), currency);
}

} // namespace

TEST(AmountInWords, RunsWithoutAnApplicationObject) {
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

TEST(AmountInWords, GroupsOfThreeDigits) {
    const struct {
        const char* digits;
        const char* words;
    } cases[] = {
        {"000", ""},
        {"001", " jeden"},
        {"010", " dziesięć"},
        {"011", " jedenaście"},
        {"019", " dziewiętnaście"},
        {"020", " dwadzieścia"},
        {"101", " sto jeden"},
        {"110", " sto dziesięć"},
        {"215", " dwieście piętnaście"},
        {"999", " dziewięćset dziewięćdziesiąt dziewięć"},
        {"5x7", " pięćset siedem"}, // a character that is no digit gives nothing in its place
        {"1234", " sto dwadzieścia trzy"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(threeDigitsInWords(QString::fromUtf8(c.digits)), QString::fromUtf8(c.words)) << c.digits;
}

TEST(AmountInWords, AmountsOfEveryGroup) {
    const struct {
        double amount;
        const char* words;
    } cases[] = {
        {0.00, " 00\\100"},
        {0.01, " 01\\100"},
        {0.50, " 50\\100"},
        {1, " jeden zł 00\\100"},
        {2, " dwa zł 00\\100"},
        {5, " pięć zł 00\\100"},
        {11, " jedenaście zł 00\\100"},
        {12.30, " dwanaście zł 30\\100"},
        {13, " trzynaście zł 00\\100"},
        {14, " czternaście zł 00\\100"},
        {15, " piętnaście zł 00\\100"},
        {16, " szesnaście zł 00\\100"},
        {17, " siedemnaście zł 00\\100"},
        {18, " osiemnaście zł 00\\100"},
        {19, " dziewiętnaście zł 00\\100"},
        {21, " dwadzieścia jeden zł 00\\100"},
        {100, " sto zł 00\\100"},
        {1000, " jeden tysiąc zł 00\\100"},
        {2000, " dwa tysiące zł 00\\100"},
        {5000, " pięć tysięcy zł 00\\100"},
        {12000, " dwanaście tysięcy zł 00\\100"},
        {21000, " dwadzieścia jeden tysięcy zł 00\\100"},
        {22000, " dwadzieścia dwa tysiące zł 00\\100"},
        {101000, " sto jeden tysiąc zł 00\\100"},
        {12345.67, " dwanaście tysięcy trzysta czterdzieści pięć zł 67\\100"},
        {1000000, " jeden milion zł 00\\100"},
        {1000500, " jeden milion pięćset zł 00\\100"},
        {2000000, " dwa miliony zł 00\\100"},
        {5000000, " pięć milionów zł 00\\100"},
        {1234567.89,
         " jeden milion dwieście trzydzieści cztery tysiące pięćset sześćdziesiąt siedem zł 89\\100"},
        {1000000000, " jeden miliard zł 00\\100"},
        {3000000000.0, " trzy miliardy zł 00\\100"},
        {999999999999.99, " dziewięćset dziewięćdziesiąt dziewięć miliardów dziewięćset dziewięćdziesiąt "
                          "dziewięć milionów dziewięćset dziewięćdziesiąt dziewięć tysięcy dziewięćset "
                          "dziewięćdziesiąt dziewięć zł 99\\100"},
        {1000000000000.0, ""}, // thirteen integer digits: no words at all
    };
    for (const auto& c : cases)
        EXPECT_EQ(words(c.amount), QString::fromUtf8(c.words)) << c.amount;
}

TEST(AmountInWords, NegativeAmountsReadMinusAndTheirMagnitude) {
    EXPECT_EQ(words(-5), QString::fromUtf8(" minus pięć zł 00\\100"));
    EXPECT_EQ(words(-1234.5),
              QString::fromUtf8(" minus jeden tysiąc dwieście trzydzieści cztery zł 50\\100"));
    EXPECT_EQ(words(-0.07), QString::fromUtf8(" minus 07\\100"));
    EXPECT_EQ(words(-1000000000000.0), QString());
}

TEST(AmountInWords, GroszeComeFromTheAmountAsTheDisplayRoundsThem) {
    // Four decimals in memory: the display shows two, rounded half up.
    EXPECT_EQ(amountInWords(tv::Currency::fromUnits(12345), "zł"), QString::fromUtf8(" jeden zł 23\\100"));
    EXPECT_EQ(amountInWords(tv::Currency::fromUnits(12355), "zł"), QString::fromUtf8(" jeden zł 24\\100"));
    // Whatever the separator or the currency symbol, the grosze are two digits.
    tvtest::usePolishSettings(u'.');
    EXPECT_EQ(words(7.05, "EUR"), QString::fromUtf8(" siedem EUR 05\\100"));
    tvtest::usePolishSettings();
}

TEST(AmountInWords, CurrencyWordIsTheRegionalSymbolOrZl) {
    tv::RegionalSettings settings = tv::RegionalSettings::polish();
    tv::setRegional(settings);
    EXPECT_EQ(invoicing::currencyWord(), QString::fromUtf8("zł"));
    settings.currencySymbol = QStringLiteral("PLN");
    tv::setRegional(settings);
    EXPECT_EQ(invoicing::currencyWord(), QStringLiteral("PLN"));
    settings.currencySymbol.clear();
    tv::setRegional(settings);
    EXPECT_EQ(invoicing::currencyWord(), QString::fromUtf8("zł"));
    tvtest::usePolishSettings();
}
