// The rules of an invoice's lines: figures, discount, the undiscounted price a
// line keeps, the stock check and the recompute; no application object.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "costing/rules/rounding.h"
#include "invoicing/rules/invoice_lines.h"
#include "invoicing/rules/stock.h"
#include "platform/errors.h"
#include "platform/table.h"
#include "support/test_env.h"

using invoicing::lineFigures;

TEST(LineRule, RunsWithoutAnApplicationObject) {
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

TEST(LineRule, NetIsRoundedVatAndGrossAreNot) {
    const struct {
        double quantity;
        double price;
        const char* rate;
        bool vatRR;
        double net, vat, gross;
    } cases[] = {
        {3, 0.333, "22", false, 1.00, 0.22, 1.22},
        {1, 10.01, "7", false, 10.01, 0.7007, 10.7107},
        {2, 5.005, "22", false, 10.01, 2.2022, 12.2122},
        {1, 100, "zw.", false, 100, 0, 100},
        {1, 100, "zw", false, 100, 0, 100},
        {1, 100, "", false, 100, 0, 100},
        {1, 100, "22", true, 100, 0, 100},
        {0, 12.5, "22", false, 0, 0, 0},
        {4, 0, "22", false, 0, 0, 0},
        {1, 50, "VAT", false, 50, 0, 50}, // refused when posted; figures as for no VAT meanwhile
        {-2, 10, "22", false, -20, -4.4, -24.4},
    };
    for (const auto& c : cases) {
        const invoicing::LineFigures f = lineFigures(c.quantity, c.price, c.rate, c.vatRR);
        EXPECT_DOUBLE_EQ(f.net, c.net) << c.quantity << " x " << c.price << " " << c.rate;
        EXPECT_NEAR(f.vat, c.vat, 1e-12) << c.quantity << " x " << c.price << " " << c.rate;
        EXPECT_NEAR(f.gross, c.gross, 1e-12) << c.quantity << " x " << c.price << " " << c.rate;
    }
}

TEST(LineRule, DiscountReadsInTheRegionalSettingsAndRoundsThePrice) {
    float d = 0;
    ASSERT_TRUE(invoicing::readDiscount("10", d));
    EXPECT_DOUBLE_EQ(invoicing::discountedPrice(99.99, d), 89.99);
    ASSERT_TRUE(invoicing::readDiscount("12,5", d));
    EXPECT_DOUBLE_EQ(invoicing::discountedPrice(100.00, d), 87.50);
    ASSERT_TRUE(invoicing::readDiscount("0", d));
    EXPECT_DOUBLE_EQ(invoicing::discountedPrice(150.00, d), 150.00);
    ASSERT_TRUE(invoicing::readDiscount("15", d));
    EXPECT_DOUBLE_EQ(invoicing::discountedPrice(850.00, d), 722.50);
    EXPECT_FALSE(invoicing::readDiscount("12.5", d));
    EXPECT_FALSE(invoicing::readDiscount("", d));
    EXPECT_FALSE(invoicing::readDiscount("dziesięć", d));
}

namespace {

class Lines : public ::testing::Test {
protected:
    tvtest::WorkingFolder folder;
    tv::Table lines{QStringLiteral("pozycje.db")};
    tv::Table rates{QStringLiteral("stawkiVAT.db")};

    void SetUp() override {
        lines.open();
        rates.open();
    }

    // A line with its figures from the line rule; taken: the Rabat field,
    // NaN for an empty one.
    void addLine(const char* name, double quantity, double price, const char* rate, double taken = NAN) {
        lines.append();
        lines.fieldByName("Lp").setAsInteger(lines.recordCount() + 1);
        lines.fieldByName("Nazwa").setAsString(QString::fromUtf8(name));
        lines.fieldByName("Ilosc").setAsFloat(quantity);
        lines.fieldByName("VAT").setAsString(rate);
        lines.fieldByName("Netto_jedn").setAsFloat(price);
        if (!std::isnan(taken)) lines.fieldByName("Rabat").setAsFloat(taken);
        invoicing::applyLineFigures(lines, false);
        lines.post();
    }

    QStringList prices() {
        QStringList out;
        for (lines.first(); !lines.eof(); lines.next())
            out << QStringLiteral("%1/%2").arg(lines.fieldByName("Netto_jedn").asString(),
                                               lines.fieldByName("Rabat").asString());
        return out;
    }

    QStringList rateRows() {
        QStringList out;
        for (rates.first(); !rates.eof(); rates.next())
            out << QStringLiteral("%1 %2 %3 %4")
                       .arg(rates.fieldByName("VAT").asString(), rates.fieldByName("Netto").asString(),
                            rates.fieldByName("KwotaVAT").asString(), rates.fieldByName("Brutto").asString());
        return out;
    }
};

} // namespace

TEST_F(Lines, RepricingStartsFromTheUndiscountedPriceEveryTime) {
    addLine("Papier", 1, 100, "22");    // never discounted
    addLine("Druk", 1, 90, "22", 10);   // 100 less 10 taken off
    addLine("Farba", 1, 99.99, "7", 0); // marked, no discount
    invoicing::repriceLines(lines, 20.0f, false);
    EXPECT_EQ(prices(), QStringList({"80/20", "80/20", "79,99/20"}));
    invoicing::repriceLines(lines, 10.0f, false); // not compounded: from 100 again
    EXPECT_EQ(prices(), QStringList({"90/10", "90/10", "89,99/10"}));
    invoicing::repriceLines(lines, std::nullopt, false);
    EXPECT_EQ(prices(), QStringList({"100/0", "100/0", "99,99/0"}));
}

TEST_F(Lines, LinesWithoutAMarkKeepTheirPriceWhenUnknown) {
    addLine("Wczytana", 1, 90, "22"); // from the register: its undiscounted price is unknown
    addLine("Dopisana", 1, 100, "22", 0);
    invoicing::repriceLines(lines, 50.0f, true);
    EXPECT_EQ(prices(), QStringList({"90/", "50/50"}));
}

TEST_F(Lines, APriceTypedOnAStoredLineBecomesItsUndiscountedPrice) {
    addLine("Druk", 1, 90, "22", 10);
    lines.first();
    lines.edit();
    lines.fieldByName("Ilosc").setAsFloat(2); // not the price: the discount stays known
    invoicing::keepTypedPriceUndiscounted(lines);
    EXPECT_EQ(lines.fieldByName("Rabat").asString(), "10");
    lines.fieldByName("Netto_jedn").setAsFloat(120);
    invoicing::keepTypedPriceUndiscounted(lines);
    EXPECT_EQ(lines.fieldByName("Rabat").asString(), "0");
    lines.post();
    invoicing::repriceLines(lines, 25.0f, false);
    EXPECT_EQ(prices(), QStringList({"90/30"}));
}

TEST_F(Lines, RecomputeRenumbersAndTotalsPerRate) {
    addLine("A", 1, 0.03, "22");
    addLine("B", 1, 10, "7");
    addLine("C", 1, 0.03, "22");
    addLine("D", 2, 5, "zw.");
    addLine("E", 1, 3, "");
    addLine("F", 1, 4, "");
    addLine("G", 1, 1, "zw");
    // Scattered numbers: the recompute gives 1..n.
    lines.first();
    lines.edit();
    lines.fieldByName("Lp").setAsInteger(40);
    lines.post();

    const costing::RateTotals totals = invoicing::recomputeInvoice(lines, rates);
    EXPECT_EQ(rateRows(),
              QStringList({"22 0,06 0,01 0,07", "7 10 0,7 10,7", "zw. 10 0 10", " 7 0 7", "zw 1 0 1"}));
    EXPECT_EQ(totals.net, tv::Currency::fromDouble(28.06));
    EXPECT_EQ(totals.vat, tv::Currency::fromDouble(0.71));
    EXPECT_EQ(totals.gross, tv::Currency::fromDouble(28.77));
    QStringList numbers;
    for (lines.first(); !lines.eof(); lines.next())
        numbers << lines.fieldByName("Lp").asString();
    EXPECT_EQ(numbers, QStringList({"1", "2", "3", "4", "5", "6", "7"}));
}

TEST_F(Lines, RecomputeOfNoLinesEmptiesTheRates) {
    addLine("A", 1, 10, "22");
    invoicing::recomputeInvoice(lines, rates);
    lines.first();
    lines.remove();
    const costing::RateTotals totals = invoicing::recomputeInvoice(lines, rates);
    EXPECT_EQ(rates.recordCount(), 0);
    EXPECT_EQ(totals.gross, tv::Currency());
}

TEST_F(Lines, AFailedRecomputeChangesNoTableAndKeepsThePostedLine) {
    addLine("A", 1, 10, "22");
    addLine("B", 1, 10, "22");
    invoicing::recomputeInvoice(lines, rates);
    const QStringList before = rateRows();
    // Rates nobody may post reach the table from outside the window; the
    // second line of such a rate cannot be added to its row.
    addLine("C", 1, 10, "x");
    lines.first();
    lines.next();
    lines.edit();
    lines.fieldByName("VAT").setAsString("x");
    lines.fieldByName("Nazwa").setAsString("B zmieniona");
    EXPECT_THROW(invoicing::recomputeInvoice(lines, rates), tv::EConvertError);
    EXPECT_EQ(rateRows(), before);
    lines.refresh();
    lines.first();
    lines.next();
    EXPECT_EQ(lines.fieldByName("Nazwa").asString(), "B zmieniona");
}

namespace {

class Stock : public ::testing::Test {
protected:
    tvtest::WorkingFolder folder;
    tv::Table goods{QStringLiteral("towary.DB")};

    void SetUp() override {
        goods.open();
        const struct {
            const char* name;
            int nr;
            double stock;
        } rows[] = {{"Papier A4", 1, 10}, {"Papier", 3, 2.5}, {"Papier", 2, 3.5},
                    {"Toner", 4, -2},     {"Druk ", 5, 0},    {"papier", 6, 100}};
        for (const auto& r : rows) {
            goods.append();
            goods.fieldByName("Nazwa").setAsString(r.name);
            goods.fieldByName("Nr").setAsInteger(r.nr);
            goods.fieldByName("Magazyn").setAsFloat(r.stock);
            goods.post();
        }
        // The goods register's own cursor, filtered to nothing, is not what the check reads.
        goods.setFilter({{"Nazwa", ">=", "Zzz"}});
        goods.setFiltered(true);
    }
};

} // namespace

TEST_F(Stock, ShortageByExactNameWholeNumbersHalvesToEven) {
    const struct {
        const char* line;
        double quantity;
        bool shortage;
        double available;
    } cases[] = {
        {"Papier", 4, false, 0}, // "Papier" Nr 2 comes first: 3.5 rounds to 4
        {"Papier", 5, true, 4},     {"Papier A4", 10.4, false, 0}, {"Papier A4", 10.6, true, 10},
        {"Papier A", 50, false, 0}, // no goods of that name: the beginning of a name is no match
        {"", 50, false, 0},         // an empty name is never checked
        {"Toner", 0, false, 0},     // a negative stock allows nothing, and nothing is short at 0
        {"Toner", 1, true, 0},      {"Druk ", 1, true, 0},         {"PAPIER", 500, false, 0},
    };
    for (const auto& c : cases) {
        const std::optional<invoicing::StockShortage> s = invoicing::stockShortage(c.line, c.quantity);
        EXPECT_EQ(s.has_value(), c.shortage) << c.line << " " << c.quantity;
        if (s && c.shortage) {
            EXPECT_EQ(s->goodsName, QString::fromUtf8(c.line));
            EXPECT_EQ(s->available, c.available) << c.line;
        }
    }
    EXPECT_EQ(invoicing::shortageMessage("Toner"), QStringLiteral("W magazynie brakuje produktu Toner"));
}

TEST_F(Stock, WhatAStoredInvoiceTookIsStillItsToHave) {
    goods.setFiltered(false);
    tv::Database::instance().transaction([] {
        invoicing::deductInvoiceStock(QStringLiteral("1/2009"), {{QStringLiteral("Papier A4"), 6}});
    });
    // The stock is 4 now; the invoice that took 6 may still have 10.
    EXPECT_FALSE(invoicing::stockShortage("Papier A4", 10, "1/2009").has_value());
    const std::optional<invoicing::StockShortage> more = invoicing::stockShortage("Papier A4", 11, "1/2009");
    ASSERT_TRUE(more.has_value());
    EXPECT_EQ(more->available, 10);
    const std::optional<invoicing::StockShortage> another =
        invoicing::stockShortage("Papier A4", 5, "2/2009");
    ASSERT_TRUE(another.has_value());
    EXPECT_EQ(another->available, 4);
}
