#include <gtest/gtest.h>

#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "costing/sheet_fixture.h"
#include "platform/ui/controls.h"
#include "platform/ui/messages.h"

using tvtest::SheetFixture;

namespace {

struct Line {
    double sheets;
    const char* colours;
    double cost;
};

// Sheets as "Dodaj" computes them: pages x plate ratio / job ratio in single precision.
double sheetsFor(float pages, float jobRatio, float plateRatio) {
    return double(pages * plateRatio / jobRatio);
}

struct PaperCase {
    const char* name;
    const char* job;
    const char* plate;
    std::vector<Line> lines;
    const char* printRun;
    // Form4's Edit1, then the sheet's Edit10, Edit12, Edit31, Edit34, Edit45, Edit49, Edit40
    const char* expected[8];
};

const PaperCase kCases[] = {
    // A4 on A3: 50 sheets are 100 pages; one fold per page and copy.
    {"A4OnA3", "A4", "A3", {{50, "1", 10}}, "1000", {"10", "100", "0", "50", "0", "50", "0", "100000"}},
    {"FullColourCountsFourColours",
     "A4",
     "A3",
     {{10, "pełny", 2.5}},
     "1",
     {"2,5", "0", "20", "0", "40", "0", "40", "20"}},
    {"ThreeColours", "A4", "A3", {{10, "3", 0}}, "1", {"0", "0", "20", "0", "30", "0", "30", "20"}},
    {"LinesAddUpInMoney",
     "A4",
     "A3",
     {{50, "1", 0.1}, {10, "pełny", 0.2}, {10, "3", 1.25}},
     "2",
     {"1,55", "100", "40", "50", "70", "50", "70", "280"}},
    // The plate is more than half the job sheet: nothing to fold, whatever the run.
    {"NoFoldsBelowOneFoldPerSheet",
     "A4",
     "X10",
     {{50, "1", 0}},
     "1000",
     {"0", "80", "0", "50", "0", "50", "0", "0"}},
    {"NoLinesGiveZeros", "A4", "A3", {}, "1000", {"0", "0", "0", "0", "0", "0", "0", "0"}},
    // 100 pages on a ratio that is not a power of two stay 100 pages.
    {"SinglePrecisionSheetsStillGiveWholePages",
     "X12",
     "A3",
     {{sheetsFor(100, 12, 8), "1", 0}},
     "1",
     {"0", "100", "0", "66,6666641235352", "0", "66,6666641235352", "0", "0"}},
    {"SinglePrecisionColourPages",
     "X12",
     "A3",
     {{sheetsFor(100, 12, 8), "2", 0}},
     "1",
     {"0", "0", "100", "0", "133,33332824707", "0", "133,33332824707", "0"}},
};

void PrintTo(const PaperCase& c, std::ostream* os) {
    *os << c.name;
}

class PaperFigures : public SheetFixture, public ::testing::WithParamInterface<PaperCase> {};

} // namespace

TEST_P(PaperFigures, ReachTheSheet) {
    const PaperCase& c = GetParam();
    Form4->Label9->setText(c.job);
    Form4->formatMatrycy = c.plate;
    for (const Line& line : c.lines)
        addPaperLine(line.sheets, QString::fromUtf8(line.colours), line.cost, c.job);
    set(2, c.printRun);
    set(40, "7");
    tv::ui::guard([] { Form4->PrzeliczPapier(); });
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join('|').toStdString();

    EXPECT_EQ(Form4->Edit1->text(), QString::fromUtf8(c.expected[0]));
    EXPECT_EQ(at(5), Form4->Edit1->text());
    EXPECT_EQ(at(22), Form4->Edit1->text());
    const int fields[] = {10, 12, 31, 34, 45, 49, 40};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(at(fields[i]), QString::fromUtf8(c.expected[i + 1])) << "Edit" << fields[i];
}

INSTANTIATE_TEST_SUITE_P(Paper, PaperFigures, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

struct BadFormat {
    const char* name;
    const char* job;
    const char* plate;
    const char* named; // the format the message must name
};

void PrintTo(const BadFormat& c, std::ostream* os) {
    *os << c.name;
}

class BadFormats : public SheetFixture, public ::testing::WithParamInterface<BadFormat> {};

} // namespace

// A format the table does not hold, or one without a positive ratio, stops the
// computation with a message naming it, before anything reaches the sheet.
TEST_P(BadFormats, StopTheComputationWithAMessageNamingTheFormat) {
    const BadFormat& c = GetParam();
    Form4->Label9->setText(c.job);
    Form4->formatMatrycy = c.plate;
    addPaperLine(50, "1", 10);
    for (int n : {5, 22, 10, 12, 31, 34, 45, 49, 40})
        set(n, "3");
    tv::ui::clearShownMessages();

    tv::ui::guard([] { Form4->PrzeliczPapier(); });
    ASSERT_EQ(tv::ui::shownMessages().size(), 1);
    const tv::ui::ShownMessage& m = tv::ui::shownMessages()[0];
    EXPECT_TRUE(m.text.contains(QStringLiteral("„%1”").arg(c.named))) << m.text.toStdString();
    EXPECT_EQ(m.icon, tv::ui::Icon::Error);
    for (int n : {5, 22, 10, 12, 31, 34, 45, 49, 40})
        EXPECT_EQ(at(n), "3") << "Edit" << n;
    EXPECT_EQ(Form4->Edit1->text(), "0");
}

INSTANTIATE_TEST_SUITE_P(Paper, BadFormats,
                         ::testing::Values(BadFormat{"UnknownJobFormat", "A9X", "A3", "A9X"},
                                           BadFormat{"UnknownPlateFormat", "A4", "Q1", "Q1"},
                                           BadFormat{"ZeroPlateRatio", "A4", "ZERO", "ZERO"},
                                           BadFormat{"ZeroJobRatio", "ZERO", "A3", "ZERO"}),
                         [](const auto& info) { return std::string(info.param.name); });

class PaperComputation : public SheetFixture {};

TEST_F(PaperComputation, NoChosenFormatIsReportedAsSuch) {
    Form4->Label9->setText("");
    tv::ui::guard([] { Form4->PrzeliczPapier(); });
    ASSERT_EQ(tv::ui::shownMessages().size(), 1);
    EXPECT_EQ(tv::ui::shownMessages()[0].text, "Format papieru nie jest wybrany.");
}

// While the print run is retyped there is no run to count folds for: the other
// figures arrive, the folds stay, and nothing is said. (No price is set, so that
// no total changes and the summary, which divides by the run, does not run.)
TEST_F(PaperComputation, AnEmptyPrintRunSkipsTheFoldCountSilently) {
    addPaperLine(50, "1", 0);
    set(40, "7");
    {
        const QSignalBlocker blocker(Form1->Edit2);
        Form1->Edit2->setText("");
    }
    tv::ui::guard([] { Form4->PrzeliczPapier(); });
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join('|').toStdString();
    EXPECT_EQ(at(10), "100");
    EXPECT_EQ(at(45), "50");
    EXPECT_EQ(at(40), "7");
}

// The written fold count is priced at once: folding cost, labour total and gross.
TEST_F(PaperComputation, TheNewFoldCountIsPricedAtOnce) {
    addPaperLine(50, "1", 0);
    set(78, "0,1");
    set(2, "10");
    Form4->PrzeliczPapier();
    EXPECT_EQ(at(40), "1000");
    EXPECT_EQ(at(79), "100");
    EXPECT_EQ(at(44), "100");
    EXPECT_EQ(at(67), "122");
}
