// Stock of the stock version: the picker's goods, the deduction of a saved
// invoice and its record over save and re-save.

#include <gtest/gtest.h>

#include <optional>

#include <QMap>

#include "invoicing/rules/stock.h"
#include "platform/table.h"
#include "support/test_env.h"

using invoicing::StockLine;

namespace {

struct Goods {
    const char* name;
    std::optional<double> stock;
    const char* id = "";
    int nr = 0;
};

class Stock : public ::testing::Test {
protected:
    tvtest::WorkingFolder folder;

    void addGoods(std::initializer_list<Goods> goods) {
        tv::Table table(QStringLiteral("towary.DB"));
        table.open();
        int nr = 1;
        for (const Goods& g : goods) {
            table.append();
            table.fieldByName("Nazwa").setAsString(QString::fromUtf8(g.name));
            table.fieldByName("Nr").setAsInteger(g.nr ? g.nr : nr);
            if (g.stock) table.fieldByName("Magazyn").setAsFloat(*g.stock);
            table.fieldByName("Id").setAsString(QString::fromUtf8(g.id));
            table.post();
            ++nr;
        }
    }

    // Every goods name with its stock, read afresh.
    static QMap<QString, double> stock() {
        tv::Table table(QStringLiteral("towary.DB"));
        table.open();
        QMap<QString, double> result;
        for (table.first(); !table.eof(); table.next())
            result.insert(table.fieldByName("Nazwa").asString() + "#" + table.fieldByName("Nr").asString(),
                          table.fieldByName("Magazyn").asFloat());
        return result;
    }

    static double stockOf(const QString& name, int nr = 1) {
        return stock().value(name + "#" + QString::number(nr), -999);
    }

    static QMap<QString, double> record(const QString& number) {
        QMap<QString, double> result;
        for (const StockLine& line : invoicing::stockRecord(number))
            result.insert(line.name, line.quantity);
        return result;
    }
};

// ---- the picker ------------------------------------------------------------------

TEST(StockPicker, WholeStockAboveZeroRoundingHalvesToEven) {
    const struct {
        double stock;
        bool offered;
    } cases[] = {{0, false},  {0.4, false}, {0.5, false}, {0.6, true},  {1, true},
                 {1.5, true}, {2.5, true},  {-3, false},  {-0.6, false}};
    for (const auto& c : cases)
        EXPECT_EQ(invoicing::offeredInStock(c.stock), c.offered) << c.stock;
}

TEST_F(Stock, PickerOffersIdsInOrderAndOnlyGoodsInStockInTheStockVersion) {
    addGoods({{"Papier", 0.4, "PAP"},
              {"Koperta", 0.6, "KOP"},
              {"Ołówek", std::nullopt, "OLO"},
              {"Zeszyt", 12, "ZES"},
              {"Bez identyfikatora", 5, ""},
              {"ćwiartka", 3, "ĆWI"}});
    EXPECT_EQ(invoicing::goodsPickerIds(false), QStringList({"ĆWI", "KOP", "OLO", "PAP", "ZES"}));
    EXPECT_EQ(invoicing::goodsPickerIds(true), QStringList({"ĆWI", "KOP", "ZES"}));
}

TEST_F(Stock, FindsGoodsByExactNameAndIdByCaseSensitivePrefix) {
    addGoods({{"Papier A4", 10, "PA4", 7}, {"Papier", 3, "pap", 9}, {"Papier", 4, "PX", 2}});
    auto exact = invoicing::findGoodsByName("Papier");
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->stock, 4); // the first of the two in key order (Nr 2)
    EXPECT_FALSE(invoicing::findGoodsByName("Papie"));
    EXPECT_FALSE(invoicing::findGoodsByName("papier"));
    EXPECT_FALSE(invoicing::findGoodsByName(""));

    auto byId = invoicing::findGoodsByIdPrefix("P");
    ASSERT_TRUE(byId);
    EXPECT_EQ(byId->name, "Papier");
    EXPECT_EQ(byId->number.toInt(), 2);
    byId = invoicing::findGoodsByIdPrefix("PA");
    ASSERT_TRUE(byId);
    EXPECT_EQ(byId->name, "Papier A4");
    byId = invoicing::findGoodsByIdPrefix("pa");
    ASSERT_TRUE(byId);
    EXPECT_EQ(byId->number.toInt(), 9);
    EXPECT_FALSE(invoicing::findGoodsByIdPrefix("Pa"));
    EXPECT_TRUE(invoicing::findGoodsByIdPrefix(""));
}

// ---- one save --------------------------------------------------------------------

struct DeductionCase {
    const char* name;
    double stock;
    QVector<std::pair<const char*, double>> lines;
    double expectedStock;
    int messages;
    double recorded;
};

class Deduction : public Stock, public ::testing::WithParamInterface<DeductionCase> {};

TEST_P(Deduction, OneSave) {
    const DeductionCase& c = GetParam();
    addGoods({{"Towar", c.stock}, {"Towar dłuższy", 50}});
    QVector<StockLine> lines;
    for (const auto& [name, quantity] : c.lines)
        lines.append({QString::fromUtf8(name), quantity});

    const QStringList messages = invoicing::deductInvoiceStock("1/2024", lines);

    EXPECT_DOUBLE_EQ(stockOf("Towar"), c.expectedStock);
    EXPECT_DOUBLE_EQ(stockOf("Towar dłuższy", 2), 50);
    EXPECT_EQ(messages.size(), c.messages);
    for (const QString& m : messages)
        EXPECT_EQ(m, "W magazynie brakuje produktu Towar");
    // What was taken is the difference of two rounded stocks.
    EXPECT_NEAR(record("1/2024").value("Towar"), c.recorded, 1e-9);
}

const DeductionCase kDeductions[] = {
    {"PartOfTheStock", 10, {{"Towar", 3.3}}, 6.7, 0, 3.3},
    {"ShortageTakesWhatThereIs", 2, {{"Towar", 5}}, 0, 1, 2},
    {"TwoLinesOfOneGoodsOnePerShortLine", 6, {{"Towar", 4}, {"Towar", 4}}, 0, 1, 6},
    {"EveryUncoveredLineIsReported", 6, {{"Towar", 4}, {"Towar", 4}, {"Towar", 1}}, 0, 2, 6},
    {"AllOfIt", 4, {{"Towar", 4}}, 0, 0, 4},
    {"PrefixOfANameIsNoMatch", 10, {{"Tow", 3}}, 10, 0, 0},
    {"CostingLinesChangeNothing", 10, {{"Druk ulotek A4", 1}, {"", 2}}, 10, 0, 0},
    {"EmptyStockIsAShortage", 0, {{"Towar", 1}}, 0, 1, 0},
    {"RoundedToTwoDecimals", 10, {{"Towar", 0.125}}, 9.88, 0, 0.12},
    {"ShortageOnANegativeStockLeavesNone", -2, {{"Towar", 1}}, 0, 1, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, Deduction, ::testing::ValuesIn(kDeductions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Stock, ShortageMessagesFollowTheLineOrder) {
    addGoods({{"A", 1}, {"B", 1}});
    const QStringList messages =
        invoicing::deductInvoiceStock("1", {{"B", 2}, {"A", 1}, {"A", 1}, {"B", 0.5}});
    EXPECT_EQ(messages, QStringList({"W magazynie brakuje produktu B", "W magazynie brakuje produktu A",
                                     "W magazynie brakuje produktu B"}));
}

// ---- save and save again ---------------------------------------------------------

struct ResaveCase {
    const char* name;
    double stock;
    double first;
    std::optional<double> second; // none: the line is gone from the invoice
    double restockedBetween;      // added to the stock between the saves
    double expectedStock;
    int secondMessages;
};

class Resave : public Stock, public ::testing::WithParamInterface<ResaveCase> {};

TEST_P(Resave, OnlyTheDifferenceMoves) {
    const ResaveCase& c = GetParam();
    addGoods({{"Towar", c.stock}});
    invoicing::deductInvoiceStock("FV/1", {{"Towar", c.first}});
    if (c.restockedBetween != 0)
        tv::Query::exec("update towary set Magazyn = Magazyn + ?1", {c.restockedBetween});

    QVector<StockLine> lines;
    if (c.second) lines.append({"Towar", *c.second});
    const QStringList messages = invoicing::deductInvoiceStock("FV/1", lines);

    EXPECT_DOUBLE_EQ(stockOf("Towar"), c.expectedStock);
    EXPECT_EQ(messages.size(), c.secondMessages);
}

const ResaveCase kResaves[] = {
    {"SameQuantitiesDeductNothingMore", 10, 3, 3, 0, 7, 0},
    {"MoreDeductsTheDifference", 10, 3, 5, 0, 5, 0},
    {"LessGivesBack", 10, 3, 1, 0, 9, 0},
    {"LineRemovedGivesAllBack", 10, 3, std::nullopt, 0, 10, 0},
    {"ZeroQuantityGivesAllBack", 10, 3, 0, 0, 10, 0},
    {"AfterAShortageOnlyWhatWasTakenComesBack", 2, 5, std::nullopt, 0, 2, 0},
    {"AfterAShortageARestockCoversTheRest", 2, 5, 5, 10, 7, 0},
    {"AfterAShortageStillShort", 2, 5, 5, 0, 0, 1},
    {"RoundedTakeSavedAgainStays", 10, 0.125, 0.125, 0, 9.88, 0},
    {"RoundedTakeComesBackWhole", 10, 0.125, 0, 0, 10, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, Resave, ::testing::ValuesIn(kResaves),
                         [](const auto& info) { return std::string(info.param.name); });

// Whatever the rounding of the stock, what the invoice took and what the
// stock holds add up to the stock before it, and saving the same quantity
// again moves nothing.
TEST_F(Stock, RoundingNeitherLosesNorNibblesStock) {
    addGoods({{"Towar", 10}});
    for (const double quantity : {0.125, 0.115, 0.3333, 0.005, 1.005, 2.675, 0.0}) {
        invoicing::deductInvoiceStock("FV/1", {{"Towar", quantity}});
        const double stock = stockOf("Towar");
        EXPECT_NEAR(stock + record("FV/1").value("Towar"), 10, 1e-9) << quantity;
        for (int again = 0; again < 3; ++again) {
            invoicing::deductInvoiceStock("FV/1", {{"Towar", quantity}});
            EXPECT_EQ(stockOf("Towar"), stock) << quantity;
        }
    }
    EXPECT_EQ(stockOf("Towar"), 10);
    EXPECT_TRUE(record("FV/1").isEmpty());
}

TEST_F(Stock, InvoicesKeepRecordsOfTheirOwn) {
    addGoods({{"A", 10}, {"B", 10}});
    invoicing::deductInvoiceStock("1", {{"A", 2}, {"B", 1}});
    invoicing::deductInvoiceStock("2", {{"A", 3}});
    invoicing::deductInvoiceStock("1", {{"A", 2}}); // B left invoice 1
    EXPECT_DOUBLE_EQ(stockOf("A"), 5);
    EXPECT_DOUBLE_EQ(stockOf("B", 2), 10);
    EXPECT_EQ(record("1"), (QMap<QString, double>{{"A", 2}}));
    EXPECT_EQ(record("2"), (QMap<QString, double>{{"A", 3}}));
}

TEST_F(Stock, DroppedRecordGivesNothingBackAndMovedRecordFollowsTheNumber) {
    addGoods({{"A", 10}});
    invoicing::deductInvoiceStock("1", {{"A", 2}});
    invoicing::deductInvoiceStock("2", {{"A", 3}});
    invoicing::dropStockRecord("1");
    EXPECT_DOUBLE_EQ(stockOf("A"), 5);
    EXPECT_TRUE(record("1").isEmpty());

    invoicing::moveStockRecord("2", "7");
    EXPECT_TRUE(record("2").isEmpty());
    // Saved again under its new number, the invoice deducts nothing more.
    invoicing::deductInvoiceStock("7", {{"A", 3}});
    EXPECT_DOUBLE_EQ(stockOf("A"), 5);
}

TEST_F(Stock, GoodsDeletedSinceTheSaveKeepTheirRecord) {
    addGoods({{"A", 10}, {"B", 10}});
    invoicing::deductInvoiceStock("1", {{"A", 2}, {"B", 2}});
    tv::Query::exec("delete from towary where Nazwa = 'B'");
    invoicing::deductInvoiceStock("1", {{"A", 1}});
    EXPECT_DOUBLE_EQ(stockOf("A"), 9);
    EXPECT_EQ(record("1"), (QMap<QString, double>{{"A", 1}, {"B", 2}}));
}

TEST_F(Stock, AFailureLeavesStockAndRecordAsTheyWere) {
    addGoods({{"A", 10}});
    invoicing::deductInvoiceStock("1", {{"A", 2}});
    EXPECT_THROW(tv::Database::instance().transaction([&] {
        invoicing::deductInvoiceStock("1", {{"A", 5}});
        throw tv::EDatabaseError("zapis faktury nie powiódł się");
    }),
                 tv::EDatabaseError);
    EXPECT_DOUBLE_EQ(stockOf("A"), 8);
    EXPECT_EQ(record("1"), (QMap<QString, double>{{"A", 2}}));
}

} // namespace
