#include <gtest/gtest.h>

#include <vector>

#include <QComboBox>
#include <QLineEdit>

#include "costing/costing_sheet.h"
#include "platform/table.h"
#include "platform/ui/controls.h"
#include "platform/ui/messages.h"
#include "sheet_fixture.h"

using tvtest::SheetFixture;

namespace {

struct SummaryCase {
    const char* name;
    const char* totals[4]; // sections 1 to 4
    const char* profit;
    const char* vat;
    const char* scope;
    const char* printRun;
    // Edit62 profit, Edit61 labour, Edit64 net, Edit65 rounded, Edit66 VAT, Edit67 gross, Edit68 unit price
    const char* expected[7];
};

const SummaryCase kCases[] = {
    {"ProfitVatAndUnitPrice",
     {"100", "200", "300", "400"},
     "10",
     "22",
     "do całości",
     "1000",
     {"40", "740", "1040", "1040", "228,8", "1268,8", "1,2688"}},
    {"NetAtHalfRoundsUp",
     {"99,5", "0", "0", "0"},
     "0",
     "0",
     "do całości",
     "1",
     {"0", "0", "99,5", "100", "0", "100", "100"}},
    {"NetBelowHalfRoundsDown",
     {"99,4999", "0", "0", "0"},
     "0",
     "0",
     "do całości",
     "1",
     {"0", "0", "99,4999", "99", "0", "99", "99"}},
    {"VatOnSectionOneOnly",
     {"100", "200", "300", "400"},
     "10",
     "22",
     "do części I",
     "1000",
     {"40", "740", "1040", "1040", "22", "1062", "1,062"}},
    {"ExemptHasNoVat",
     {"100", "200", "300", "400"},
     "10",
     "zw.",
     "do całości",
     "2",
     {"40", "740", "1040", "1040", "0", "1040", "520"}},
    {"ProfitTruncatesAtFourDecimals",
     {"0", "0", "0", "33,3333"},
     "10",
     "7",
     "do całości",
     "3",
     {"3,3333", "36,6666", "36,6666", "37", "2,59", "39,59", "13,1966"}},
    {"NegativeNetRoundsTowardZeroAfterAddingAHalf",
     {"-3,7", "0", "0", "0"},
     "0",
     "0",
     "do całości",
     "1",
     {"0", "0", "-3,7", "-3", "0", "-3", "-3"}},
    // A print run of 0 has no unit price: "0", and the run finishes normally.
    {"ZeroPrintRunGivesAZeroUnitPrice",
     {"100", "0", "0", "0"},
     "0",
     "22",
     "do całości",
     "0",
     {"0", "0", "100", "100", "22", "122", "0"}},
    {"ZeroPrintRunInAnotherSpelling",
     {"100", "0", "0", "0"},
     "0",
     "22",
     "do całości",
     "0,00001",
     {"0", "0", "100", "100", "22", "122", "0"}},
};

void PrintTo(const SummaryCase& c, std::ostream* os) {
    *os << c.name;
}

class SummaryFigures : public SheetFixture, public ::testing::WithParamInterface<SummaryCase> {};

void setTotals(const char* const totals[4]) {
    QLineEdit* fields[] = {Form1->Edit21, Form1->Edit39, Form1->Edit44, Form1->Edit59};
    for (int i = 0; i < 4; ++i)
        fields[i]->setText(QString::fromUtf8(totals[i]));
}

} // namespace

TEST_P(SummaryFigures, ComeOutToTheLastDecimal) {
    const SummaryCase& c = GetParam();
    Form1->ComboBox2->setEditText(QString::fromUtf8(c.profit));
    Form1->ComboBox1->setEditText(QString::fromUtf8(c.vat));
    Form1->ComboBox6->setEditText(QString::fromUtf8(c.scope));
    set(2, QString::fromUtf8(c.printRun));
    setTotals(c.totals);
    Form1->PrzeliczPodsumowanie();
    const int fields[] = {62, 61, 64, 65, 66, 67, 68};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(at(fields[i]), QString::fromUtf8(c.expected[i])) << "Edit" << fields[i];
    EXPECT_EQ(at(63), at(59));
    EXPECT_EQ(at(60), "0");
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Summary, SummaryFigures, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

struct LineRow {
    int lp;
    QString name;
    QString vat;
    double unit, net, vatAmount, gross;
};

struct RateRow {
    QString vat;
    double net, vatAmount, gross;
};

// What the invoice window would read: a cursor of its own on the shared files.
std::vector<LineRow> jobLines() {
    tv::Table t("pozycje.db");
    t.open();
    std::vector<LineRow> rows;
    for (t.first(); !t.eof(); t.next())
        rows.push_back({t.fieldByName("Lp").asInteger(), t.fieldByName("Nazwa").asString(),
                        t.fieldByName("VAT").asString(), t.fieldByName("Netto_jedn").asFloat(),
                        t.fieldByName("Netto").asFloat(), t.fieldByName("KwotaVAT").asFloat(),
                        t.fieldByName("Brutto").asFloat()});
    return rows;
}

std::vector<RateRow> rateRows() {
    tv::Table t("stawkiVAT.db");
    t.open();
    std::vector<RateRow> rows;
    for (t.first(); !t.eof(); t.next())
        rows.push_back({t.fieldByName("VAT").asString(), t.fieldByName("Netto").asFloat(),
                        t.fieldByName("KwotaVAT").asFloat(), t.fieldByName("Brutto").asFloat()});
    return rows;
}

// Preparation and the rest of a rounded net, as the summary splits them.
class DiscountedSummary : public SheetFixture {
protected:
    void price(const QString& preparation, const QString& rest, const QString& discount,
               const QString& vat = "22", const QString& scope = "do całości") {
        set(1, "Ulotka A5");
        set(2, "1000");
        Form1->ComboBox1->setEditText(vat);
        Form1->ComboBox6->setEditText(scope);
        Form1->ComboBox3->setEditText(discount);
        set(21, preparation);
        set(39, rest);
        Form1->PrzeliczPodsumowanie();
    }
};

} // namespace

TEST_F(DiscountedSummary, WritesTheTwoJobLinesAndOneRowPerRate) {
    set(60, "x");
    price("100", "900", "10");
    const auto lines = jobLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].lp, 1);
    EXPECT_EQ(lines[0].name, "Przygotowanie do druku Ulotka A5");
    EXPECT_EQ(lines[0].vat, "22");
    EXPECT_DOUBLE_EQ(lines[0].unit, 90);
    EXPECT_DOUBLE_EQ(lines[0].net, 90);
    EXPECT_DOUBLE_EQ(lines[0].vatAmount, 19.8);
    EXPECT_DOUBLE_EQ(lines[0].gross, 109.8);
    EXPECT_EQ(lines[1].lp, 2);
    EXPECT_EQ(lines[1].name, "Druk Ulotka A5");
    EXPECT_EQ(lines[1].vat, "22");
    EXPECT_DOUBLE_EQ(lines[1].unit, 810);
    EXPECT_DOUBLE_EQ(lines[1].vatAmount, 178.2);

    const auto rates = rateRows();
    ASSERT_EQ(rates.size(), 1u);
    EXPECT_EQ(rates[0].vat, "22");
    EXPECT_DOUBLE_EQ(rates[0].net, 900);
    EXPECT_DOUBLE_EQ(rates[0].vatAmount, 198);
    EXPECT_DOUBLE_EQ(rates[0].gross, 1098);

    EXPECT_EQ(at(67), "1098");
    EXPECT_EQ(at(68), "1,098");
    EXPECT_EQ(at(66), "220"); // the undiscounted VAT of the rounded net stays shown
    EXPECT_EQ(at(60), "x");   // not written with a discount
    {
        tv::Table t("pozycje.db");
        t.open();
        t.first();
        EXPECT_EQ(t.fieldByName("Jm").asString(), "szt");
        EXPECT_DOUBLE_EQ(t.fieldByName("Ilosc").asFloat(), 1);
    }
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(DiscountedSummary, SectionOneScopePutsThePrintingLineAtZeroPercent) {
    price("100", "900", "10", "22", "do części I");
    const auto lines = jobLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].vat, "0");
    EXPECT_DOUBLE_EQ(lines[1].vatAmount, 0);
    const auto rates = rateRows();
    ASSERT_EQ(rates.size(), 2u);
    EXPECT_EQ(rates[0].vat, "22");
    EXPECT_DOUBLE_EQ(rates[0].gross, 109.8);
    EXPECT_EQ(rates[1].vat, "0");
    EXPECT_DOUBLE_EQ(rates[1].gross, 810);
    EXPECT_EQ(at(67), "919,8");
}

// Lines of one rate get the VAT of their summed net: 0,14 x 22 % = 0,03, not 2 x 0,02.
TEST_F(DiscountedSummary, SeveralLinesOfOneRateTakeTheVatOfTheirSummedNet) {
    price("1", "1", "93");
    const auto lines = jobLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_DOUBLE_EQ(lines[0].unit, 0.07);
    EXPECT_DOUBLE_EQ(lines[1].unit, 0.07);
    const auto rates = rateRows();
    ASSERT_EQ(rates.size(), 1u);
    EXPECT_DOUBLE_EQ(rates[0].net, 0.14);
    EXPECT_DOUBLE_EQ(rates[0].vatAmount, 0.03);
    EXPECT_EQ(at(67), "0,17");
}

TEST_F(DiscountedSummary, TwoLinesAtFivePenniesGiveTwoPenniesOfVat) {
    price("1", "1", "95");
    const auto rates = rateRows();
    ASSERT_EQ(rates.size(), 1u);
    EXPECT_DOUBLE_EQ(rates[0].net, 0.1);
    EXPECT_DOUBLE_EQ(rates[0].vatAmount, 0.02);
}

// The discount percentage is held in single precision: 12,3 is 12,30000019..., so
// 87,7 % of 5 zł (4,385) comes out just below the half grosz and rounds down.
TEST_F(DiscountedSummary, TheDiscountIsTakenInSinglePrecision) {
    price("5", "995", "12,3");
    const auto lines = jobLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_DOUBLE_EQ(lines[0].unit, 4.38);
    EXPECT_DOUBLE_EQ(lines[1].unit, 872.61);
    EXPECT_EQ(at(67), "1069,93"); // 876,99 + 22 % VAT of the summed net, 192,94
}

// A fractional rate code is read as the number it is, also for the second line of the rate.
TEST_F(DiscountedSummary, AFractionalRateCodeAccumulatesLikeAnyOther) {
    price("100", "900", "10", "7,5");
    const auto rates = rateRows();
    ASSERT_EQ(rates.size(), 1u);
    EXPECT_EQ(rates[0].vat, "7,5");
    EXPECT_DOUBLE_EQ(rates[0].vatAmount, 67.5);
    EXPECT_EQ(at(67), "967,5");
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(DiscountedSummary, ExemptLinesCarryNoVat) {
    price("100", "900", "50", "zw.");
    const auto rates = rateRows();
    ASSERT_EQ(rates.size(), 1u);
    EXPECT_EQ(rates[0].vat, "zw.");
    EXPECT_DOUBLE_EQ(rates[0].net, 500);
    EXPECT_DOUBLE_EQ(rates[0].vatAmount, 0);
    EXPECT_EQ(at(67), "500");
}

TEST_F(DiscountedSummary, ADiscountThatIsNotANumberIsReportedPerLineAndNotApplied) {
    price("100", "900", "0");
    Form1->ComboBox3->setEditText("dziesięć");
    Form1->PrzeliczPodsumowanie();
    ASSERT_EQ(tv::ui::shownMessages().size(), 2);
    for (const tv::ui::ShownMessage& m : tv::ui::shownMessages()) {
        EXPECT_EQ(m.text, "Niewłaściwa wartość rabatu");
        EXPECT_EQ(m.caption, "Uwaga");
        EXPECT_EQ(m.icon, tv::ui::Icon::Warning);
        EXPECT_EQ(m.buttons, tv::ui::Buttons::Ok);
    }
    const auto lines = jobLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_DOUBLE_EQ(lines[0].unit, 100);
    EXPECT_DOUBLE_EQ(lines[1].unit, 900);
    EXPECT_EQ(at(67), "1220");
}

TEST_F(DiscountedSummary, ARunWithoutDiscountLeavesBothTablesAlone) {
    price("100", "900", "10");
    const auto linesBefore = jobLines();
    const auto ratesBefore = rateRows();
    set(60, "x");
    price("300", "700", "0");
    EXPECT_EQ(at(60), "0");
    EXPECT_EQ(at(67), "1220");
    const auto lines = jobLines();
    ASSERT_EQ(lines.size(), linesBefore.size());
    EXPECT_DOUBLE_EQ(lines[0].unit, 90);
    EXPECT_EQ(rateRows().size(), ratesBefore.size());
    EXPECT_DOUBLE_EQ(rateRows()[0].gross, 1098);
}

TEST_F(DiscountedSummary, TheTemporaryTotalRowNeverReachesTheRateTable) {
    price("100", "900", "10", "22", "do części I");
    tv::Table rates("stawkiVAT.db");
    rates.open();
    for (rates.first(); !rates.eof(); rates.next())
        EXPECT_FALSE(rates.fieldByName("VAT").asString().isEmpty());
    EXPECT_EQ(rates.recordCount(), 2);
}

// A discount so large that the amounts leave the money range stops the run inside
// the rewrite: both tables keep the rows of the last complete run.
TEST_F(DiscountedSummary, AFailedRewriteLeavesBothTablesAsTheyWere) {
    price("100", "900", "10");
    tv::ui::clearShownMessages();
    Form1->ComboBox3->setEditText("1e300");
    set(21, "200"); // the total's change runs the summary
    EXPECT_EQ(tv::ui::shownMessages().size(), 1);
    const auto lines = jobLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_DOUBLE_EQ(lines[0].unit, 90);
    EXPECT_DOUBLE_EQ(lines[1].unit, 810);
    const auto rates = rateRows();
    ASSERT_EQ(rates.size(), 1u);
    EXPECT_DOUBLE_EQ(rates[0].gross, 1098);
    EXPECT_EQ(at(67), "1098");
}

TEST_F(DiscountedSummary, TheRateRuleRenumbersTheLinesInTableOrder) {
    tv::Table lines("pozycje.db");
    lines.open();
    lines.emptyTable();
    const char* codes[] = {"22", "7", "22"};
    const double nets[] = {10.004, 0.355, 30.006};
    for (int i = 0; i < 3; ++i) {
        lines.append();
        lines.fieldByName("Lp").setAsInteger(9);
        lines.fieldByName("VAT").setAsString(codes[i]);
        lines.fieldByName("Netto").setAsFloat(nets[i]);
        lines.fieldByName("KwotaVAT").setAsFloat(nets[i] * (i == 1 ? 0.07 : 0.22));
        lines.post();
    }
    Form1->pozycje->open();
    Form1->pozycje->refresh();
    Form1->stawkiVAT->open();
    Form1->stawkiVAT->refresh();
    Form1->PrzeliczStawkiVAT();
    const auto renumbered = jobLines();
    ASSERT_EQ(renumbered.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(renumbered[size_t(i)].lp, i + 1);
    const auto rates = rateRows();
    ASSERT_EQ(rates.size(), 2u);
    EXPECT_EQ(rates[0].vat, "22");
    EXPECT_DOUBLE_EQ(rates[0].net, 40.01);     // 10,00 + 30,01
    EXPECT_DOUBLE_EQ(rates[0].vatAmount, 8.8); // 40,01 x 22 % = 8,8022
    EXPECT_EQ(rates[1].vat, "7");
    EXPECT_DOUBLE_EQ(rates[1].net, 0.36);
    // A rate's first line keeps its own rounded VAT (0,02485), not 7 % of its
    // rounded net (0,0252, which would give 0,03).
    EXPECT_DOUBLE_EQ(rates[1].vatAmount, 0.02);
    EXPECT_EQ(at(67), "49,19");
}
