// The per-rate rule and the rate codes, as the sheet and the invoice share
// them; no application object exists in these tests.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "costing/rules/vat_rates.h"
#include "platform/errors.h"
#include "platform/table.h"
#include "support/test_env.h"

using costing::lineVatRate;
using costing::rebuildRateTable;
using costing::vatRate;

TEST(VatRates, RunWithoutAnApplicationObject) {
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

TEST(VatRates, CodesOfTheListsAndOfInvoiceLines) {
    EXPECT_EQ(vatRate("22"), 22.0);
    EXPECT_EQ(vatRate("zw."), 0.0);
    EXPECT_EQ(vatRate("7,5"), 7.5);
    EXPECT_THROW(vatRate(""), tv::EConvertError);
    EXPECT_THROW(vatRate("zw"), tv::EConvertError);

    const struct {
        const char* code;
        double rate;
        bool valid;
    } lines[] = {{"22", 22, true},   {"zw.", 0, true},  {"zw", 0, true},  {"", 0, true},
                 {"7,5", 7.5, true}, {"VAT", 0, false}, {"2 2", 0, false}};
    for (const auto& c : lines) {
        EXPECT_EQ(costing::isValidLineRate(c.code), c.valid) << c.code;
        if (c.valid)
            EXPECT_EQ(lineVatRate(c.code), c.rate) << c.code;
        else
            EXPECT_THROW(lineVatRate(c.code), tv::EConvertError) << c.code;
    }
}

namespace {

struct Line {
    const char* vat;
    double net;
    double vatAmount;
};

class RateTable : public ::testing::Test {
protected:
    tvtest::WorkingFolder folder;
    tv::Table lines{QStringLiteral("pozycje.db")};
    tv::Table rates{QStringLiteral("stawkiVAT.db")};

    void SetUp() override {
        lines.open();
        rates.open();
    }

    costing::RateTotals rebuild(std::initializer_list<Line> given,
                                double (*rateOf)(const QString&) = lineVatRate) {
        for (const Line& line : given) {
            lines.append();
            lines.fieldByName("Lp").setAsInteger(99);
            lines.fieldByName("VAT").setAsString(line.vat);
            lines.fieldByName("Netto").setAsFloat(line.net);
            lines.fieldByName("KwotaVAT").setAsFloat(line.vatAmount);
            lines.post();
        }
        costing::RateTotals totals;
        tv::Database::instance().transaction([&] { totals = rebuildRateTable(lines, rates, rateOf); });
        return totals;
    }

    QStringList rows() {
        QStringList out;
        for (rates.first(); !rates.eof(); rates.next())
            out << QStringLiteral("%1 %2 %3 %4")
                       .arg(rates.fieldByName("VAT").asString(), rates.fieldByName("Netto").asString(),
                            rates.fieldByName("KwotaVAT").asString(), rates.fieldByName("Brutto").asString());
        return out;
    }
};

} // namespace

TEST_F(RateTable, SeveralLinesOfARateTakeTheVatOfTheirSummedNet) {
    const costing::RateTotals totals = rebuild({{"22", 0.03, 0.0066}, {"22", 0.03, 0.0066}});
    EXPECT_EQ(rows(), QStringList{"22 0,06 0,01 0,07"});
    EXPECT_EQ(totals.net, tv::Currency::fromUnits(600));
    EXPECT_EQ(totals.vat, tv::Currency::fromUnits(100));
    EXPECT_EQ(totals.gross, tv::Currency::fromUnits(700));
}

TEST_F(RateTable, RatesInTheOrderTheyFirstAppearAndLinesRenumbered) {
    const costing::RateTotals totals =
        rebuild({{"22", 100, 22}, {"7", 10, 0.7}, {"22", 50, 11}, {"zw.", 5, 0}});
    EXPECT_EQ(rows(), (QStringList{"22 150 33 183", "7 10 0,7 10,7", "zw. 5 0 5"}));
    EXPECT_EQ(totals.gross, tv::Currency::fromInt(19870) / tv::Currency::fromInt(100));
    int lp = 0;
    for (lines.first(); !lines.eof(); lines.next())
        EXPECT_EQ(lines.fieldByName("Lp").asInteger(), ++lp);
}

TEST_F(RateTable, AnEmptyRateOfSeveralLinesCountsAsExemptOnInvoiceLines) {
    rebuild({{"", 10, 0}, {"", 5, 0}});
    EXPECT_EQ(rows(), QStringList{" 15 0 15"});
}

TEST_F(RateTable, NoLinesGiveNoRowsAndZeroTotals) {
    const costing::RateTotals totals = rebuild({});
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(totals.gross, tv::Currency());
}
