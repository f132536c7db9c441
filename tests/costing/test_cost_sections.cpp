#include <gtest/gtest.h>

#include <vector>

#include <QComboBox>
#include <QLineEdit>

#include "costing/costing_sheet.h"
#include "platform/ui/controls.h"
#include "platform/ui/messages.h"
#include "sheet_fixture.h"

using tvtest::SheetFixture;

namespace {

const QString kEmptyOperand = QStringLiteral("'' is not a valid floating point value");

struct SectionCase {
    const char* name;
    int section;
    std::vector<std::pair<int, const char*>> inputs;
    std::vector<std::pair<const char*, const char*>> lists; // option list, text
    std::vector<std::pair<int, const char*>> expected;
};

void runSection(int section) {
    switch (section) {
    case 1:
        Form1->PrzeliczPrzygotowanie();
        break;
    case 2:
        Form1->PrzeliczMaterial();
        break;
    case 3:
        Form1->PrzeliczRobocizne();
        break;
    case 4:
        Form1->PrzeliczRobocizneBezposrednia();
        break;
    }
}

const SectionCase kCases[] = {
    {"DefaultsGiveZeros1", 1, {}, {}, {{14, "0"}, {17, "0"}, {20, "0"}, {21, "0"}}},
    {"DefaultsGiveZeros2", 2, {}, {}, {{24, "0"}, {33, "0"}, {36, "0"}, {37, "0"}, {38, "0"}, {39, "0"}}},
    {"DefaultsGiveZeros3", 3, {}, {}, {{79, "0"}, {74, "0"}, {44, "0"}}},
    {"DefaultsGiveZeros4", 4, {}, {}, {{48, "0"}, {52, "0"}, {55, "0"}, {58, "0"}, {76, "0"}, {59, "0"}}},
    {"TextsAndDesignAdd", 1, {{7, "12,5"}, {9, "100"}}, {}, {{21, "112,5"}}},
    {"TypesettingAddsBothPageKinds",
     1,
     {{10, "3"}, {11, "0,1"}, {12, "2"}, {13, "0,25"}},
     {},
     {{14, "0,8"}, {21, "0,8"}}},
    {"ScanningKeepsFourDecimals", 1, {{15, "0,333"}, {16, "1,5"}}, {}, {{17, "0,4995"}, {21, "0,4995"}}},
    {"Imagesetting", 1, {{18, "2,5"}, {19, "30"}, {7, "5"}}, {}, {{20, "75"}, {21, "80"}}},
    {"PaperProductTruncates",
     2,
     {{23, "3"}, {22, "0,3333"}},
     {},
     {{24, "0,9999"}, {37, "0,9999"}, {39, "0,9999"}}},
    {"FractionalRunTruncates", 2, {{23, "2,5"}, {22, "0,0001"}}, {}, {{24, "0,0002"}}},
    {"ExtrasAdd", 2, {{26, "1"}, {28, "2"}, {30, "3,5"}}, {}, {{37, "6,5"}, {39, "6,5"}}},
    {"PlatesAreMoneyProducts",
     2,
     {{31, "1,5"}, {32, "0,3333"}, {34, "8"}, {35, "40"}},
     {},
     {{33, "0,4999"}, {36, "320"}, {37, "320,4999"}}},
    {"MarkUpTruncates",
     2,
     {{26, "33,3333"}},
     {{"ComboBox4", "10"}},
     {{37, "33,3333"}, {38, "3,3333"}, {39, "36,6666"}}},
    {"LabourAdds", 3, {{41, "10"}, {43, "20"}, {70, "30"}, {71, "40,5"}}, {}, {{44, "100,5"}}},
    {"FoldingIsAFloatProduct", 3, {{40, "3"}, {78, "0,1"}}, {}, {{79, "0,3"}, {44, "0,3"}}},
    {"TransportKeepsFourDecimals", 3, {{72, "0,333"}, {73, "1,5"}}, {}, {{74, "0,4995"}, {44, "0,4995"}}},
    {"BlackPrintingPlatesTimesRunTimesPass",
     4,
     {{45, "2"}, {46, "1000"}, {47, "0,0333"}},
     {},
     {{48, "66,6"}}},
    {"PrintingPassProductTruncates", 4, {{45, "3"}, {46, "0,5"}, {47, "0,3333"}}, {}, {{48, "0,4999"}}},
    {"ColourPrinting", 4, {{49, "4"}, {50, "1000"}, {51, "0,05"}}, {}, {{52, "200"}, {59, "200"}}},
    {"CuttingAndOtherHours",
     4,
     {{53, "1,5"}, {54, "40"}, {56, "0,333"}, {57, "1,5"}},
     {},
     {{55, "60"}, {58, "0,4995"}, {59, "60,4995"}}},
    {"TwoStaples", 4, {{75, "100"}, {77, "0,05"}}, {{"ComboBox5", "2 zszywki"}}, {{76, "10"}, {59, "10"}}},
    {"OneStaple", 4, {{75, "100"}, {77, "0,05"}}, {{"ComboBox5", "1 zszywka"}}, {{76, "5"}}},
    {"AMistypedChoiceDoesNotStitch",
     4,
     {{75, "100"}, {77, "0,05"}},
     {{"ComboBox5", "1 zszywki"}},
     {{76, "0"}}},
    // Without stitching the staple price is never read, so an empty one stops nothing.
    {"NoStitchingIgnoresTheStaplePrice", 4, {{77, ""}, {53, "2"}, {54, "10"}}, {}, {{76, "0"}, {59, "20"}}},
};

void PrintTo(const SectionCase& c, std::ostream* os) {
    *os << c.name;
}

class SectionFigures : public SheetFixture, public ::testing::WithParamInterface<SectionCase> {};

} // namespace

TEST_P(SectionFigures, ComeOutToTheLastDecimal) {
    const SectionCase& c = GetParam();
    for (const auto& [number, text] : c.inputs)
        set(number, QString::fromUtf8(text));
    for (const auto& [list, text] : c.lists)
        qobject_cast<QComboBox*>(Form1->control(list))->setEditText(QString::fromUtf8(text));
    runSection(c.section);
    for (const auto& [number, text] : c.expected)
        EXPECT_EQ(at(number), QString::fromUtf8(text)) << "Edit" << number;
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Sections, SectionFigures, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

class SectionFailures : public SheetFixture {};

// Section 1 runs on every keystroke; a half-typed operand stops it without a word,
// and what it wrote before the operand stays written.
TEST_F(SectionFailures, SectionOneStopsSilentlyAtAnEmptyOperand) {
    set(10, "2");
    set(11, "1");
    Form1->PrzeliczPrzygotowanie();
    ASSERT_EQ(at(14), "2");
    ASSERT_EQ(at(21), "2");

    set(15, "1");
    set(16, "");
    set(11, "3");
    set(19, "5");
    set(18, "1");
    tv::ui::guard([] { Form1->PrzeliczPrzygotowanie(); });
    EXPECT_EQ(at(14), "6"); // written before the empty operand
    EXPECT_EQ(at(17), "0"); // not reached
    EXPECT_EQ(at(20), "0");
    EXPECT_EQ(at(21), "2");
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(SectionFailures, SectionTwoShowsTheConversionErrorOnceAndStopsThere) {
    set(23, "2");
    set(32, ""); // the plate price is being retyped; its change recomputes nothing
    set(31, "1");
    EXPECT_EQ(shownTexts(), QStringList{kEmptyOperand});
    tv::ui::clearShownMessages();

    set(22, "7"); // an operand marked "at once" runs the section, which stops at the empty price
    EXPECT_EQ(shownTexts(), QStringList{kEmptyOperand});
    EXPECT_EQ(at(24), "14");
    EXPECT_EQ(at(33), "0");
    EXPECT_EQ(at(39), "0");
}

TEST_F(SectionFailures, SectionFourReadsTheStaplePriceOnlyWhenStitching) {
    set(53, "2");
    set(54, "10");
    set(77, "");
    Form1->ComboBox5->setEditText("1 zszywka");
    tv::ui::guard([] { Form1->PrzeliczRobocizneBezposrednia(); });
    EXPECT_EQ(shownTexts(), QStringList{kEmptyOperand});
    EXPECT_EQ(at(55), "20"); // written before the stitching step
    EXPECT_EQ(at(76), "0");
    EXPECT_EQ(at(59), "0");
}

TEST_F(SectionFailures, AMarkUpThatIsNotANumberStopsSectionTwoWithItsText) {
    set(26, "10");
    Form1->ComboBox4->setEditText("1O");
    tv::ui::guard([] { Form1->PrzeliczMaterial(); });
    EXPECT_EQ(shownTexts(), QStringList{"'1O' is not a valid floating point value"});
    EXPECT_EQ(at(37), "10");
    EXPECT_EQ(at(39), "0");
}

// The summary runs from a total's change only; an empty profit list shows when it runs.
TEST_F(SectionFailures, ARateChangeThatKeepsTheTotalDoesNotRunTheSummary) {
    Form1->ComboBox2->setEditText("");
    set(32, "30");
    tv::ui::guard([] { Form1->PrzeliczMaterial(); }); // no plates: the total stays 0
    EXPECT_TRUE(shownTexts().isEmpty());

    set(31, "1"); // one plate: the total changes and the summary runs into the empty list
    EXPECT_EQ(at(39), "30");
    EXPECT_EQ(shownTexts(), QStringList{kEmptyOperand});
}

// A nested run of a section through its own "at once" result field completes the
// section; the outer run then changes nothing more, so the summary runs once.
TEST_F(SectionFailures, AResultFieldRunningItsSectionAgainStillChangesTheTotalOnce) {
    QStringList totals;
    QObject::connect(Form1->Edit21, &QLineEdit::textChanged, [&](const QString& t) { totals << t; });
    QStringList gross;
    QObject::connect(Form1->Edit67, &QLineEdit::textChanged, [&](const QString& t) { gross << t; });
    Form1->ComboBox1->setEditText("0");
    set(15, "2");
    set(16, "3"); // not at once
    set(19, "1");
    set(18, "4");
    Form1->PrzeliczPrzygotowanie(); // Edit17 and Edit20 are "at once" result fields
    EXPECT_EQ(at(17), "6");
    EXPECT_EQ(at(20), "4");
    EXPECT_EQ(totals, QStringList{"10"});
    EXPECT_EQ(gross, QStringList{"10"});
}
