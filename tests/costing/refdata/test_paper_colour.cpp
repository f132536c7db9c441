#include <functional>
#include <string>

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "costing/refdata/paper_kinds.h"
#include "costing/rules/money.h"
#include "platform/convert.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware.h"
#include "refdata_support.h"

using namespace refdatatest;

namespace {

class PaperColourTest : public RefdataFixture {
protected:
    void addData() override {
        RefdataFixture::addData();
        // A ratio that is no power of two: its sheets are not exact in binary.
        addFormat(QStringLiteral("X3"), 3);
        addFormat(QStringLiteral("Z0"), 0);
        // A line of an earlier run, which start-up must not keep.
        tv::Table papkol(QStringLiteral("papkol.db"));
        papkol.open();
        papkol.append();
        papkol.fieldByName(QStringLiteral("Format")).setAsString(QStringLiteral("A4"));
        papkol.fieldByName(QStringLiteral("Ilosc")).setAsFloat(7);
        papkol.post();
    }

    void SetUp() override {
        RefdataFixture::SetUp();
        showActive(Form4);
    }

    // The sheet's format box, as the operator chooses the job's format.
    void chooseJobFormat(const QString& name) {
        chooseWithKeys(Form1->DBLookupComboBox1, name);
        ASSERT_EQ(Form4->Label9->text(), name);
    }

    void fillLine(const QString& pages, const QString& kind, const QString& grammage, const QString& colour,
                  bool reamPrice) {
        typeInto(Form4->Edit2, pages);
        chooseWithKeys(Form4->DBLookupComboBox2, kind);
        chooseWithKeys(Form4->ComboBox2, grammage);
        chooseWithKeys(Form4->ComboBox1, colour);
        QTest::mouseClick(reamPrice ? Form4->RadioButton1 : Form4->RadioButton2, Qt::LeftButton);
    }

    void addLine(const QString& pages, const QString& kind, const QString& grammage, const QString& colour,
                 bool reamPrice = true) {
        fillLine(pages, kind, grammage, colour, reamPrice);
        QTest::mouseClick(Form4->SpeedButton3, Qt::LeftButton);
    }

    static QStringList lines(const QString& field) { return column(QStringLiteral("papkol.db"), field); }
};

TEST_F(PaperColourTest, StartsWithTheFirstKindItsGrammagesAndNoLines) {
    EXPECT_EQ(rowCount(QStringLiteral("papkol.db")), 0);
    EXPECT_EQ(Form4->windowTitle(), QStringLiteral("Papier/Kolor"));
    EXPECT_EQ(Form4->DBLookupComboBox2->text(), QStringLiteral("Kreda"));
    QStringList grammages;
    for (int i = 0; i < Form4->ComboBox2->count(); ++i)
        grammages << Form4->ComboBox2->itemText(i);
    EXPECT_EQ(grammages, QStringList({"80", "90", "100"}));
    EXPECT_EQ(Form4->ComboBox2->currentText(), QString());
    EXPECT_EQ(Form4->Edit2->text(), QStringLiteral("1"));
    EXPECT_EQ(Form4->ComboBox1->currentText(), QStringLiteral("1"));
    EXPECT_TRUE(Form4->RadioButton1->isChecked());
    EXPECT_EQ(Form4->DBEdit2->dataField(), QStringLiteral("Cena_ryzy"));
    EXPECT_EQ(Form4->Edit1->text(), QStringLiteral("0"));
    EXPECT_EQ(Form4->Label9->text(), QStringLiteral("A4"));
    EXPECT_EQ(Form4->formatMatrycy, QStringLiteral("A3"));
    QStringList titles;
    for (int c = 0; c < Form4->DBGrid1->model()->columnCount(); ++c)
        titles << Form4->DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"Format", "Ilość arkuszy", "Rodzaj papieru", "Ilość kolorów", "Gramatura",
                                   "Koszt"}));
    EXPECT_TRUE(Form4->DBGrid1->isReadOnly());
}

// ---------------------------------------------------------------------------
// Adding a line

struct AddCase {
    const char* name;
    const char* jobFormat;
    const char* pages;
    const char* kind;
    const char* grammage;
    const char* colour;
    bool reamPrice;
    float jobRatio;
    double price; // of the chosen kind
};

const AddCase kAddCases[] = {
    // 100 A4 pages on A3 plates are 50 sheets; a ream of 500 sheets at 100 zł.
    {"A4OnA3ReamPrice", "A4", "100", "Kreda", "80", "1", true, 16, 100.0},
    {"A4OnA3SheetPrice", "A4", "100", "Kreda", "80", "1", false, 16, 0.20},
    {"A5QuarterSheets", "A5", "7", "Kreda", "90", "3", false, 32, 0.25},
    {"SinglePrecisionSheets", "X3", "1", "Kreda", "80", "2", true, 3, 100.0},
    {"OtherKindFullColour", "A4", "10", "Offset", "70", "pełny", true, 16, 50.0},
};

class AddLine : public PaperColourTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(AddLine, StoresTheSheetsAndCostOfTheLine) {
    const AddCase& c = GetParam();
    chooseJobFormat(QString::fromUtf8(c.jobFormat));
    addLine(QString::fromUtf8(c.pages), QString::fromUtf8(c.kind), QString::fromUtf8(c.grammage),
            QString::fromUtf8(c.colour), c.reamPrice);

    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
    ASSERT_EQ(rowCount(QStringLiteral("papkol.db")), 1);
    tv::Table papkol(QStringLiteral("papkol.db"));
    papkol.open();
    // The sheets are computed in single precision, multiplying first.
    const float sheets = std::stof(c.pages) * 8.0f / c.jobRatio;
    const double cost = c.reamPrice ? costing::mul(c.price, 0.002, sheets) : costing::mul(c.price, sheets);
    EXPECT_EQ(papkol.fieldByName("Ilosc").asFloat(), double(sheets));
    EXPECT_EQ(papkol.fieldByName("Koszt").asCurrency(), tv::Currency::fromDouble(cost));
    EXPECT_EQ(papkol.fieldByName("Format").asString(), QString::fromUtf8(c.jobFormat));
    EXPECT_EQ(papkol.fieldByName("Rodzpap").asString(), QString::fromUtf8(c.kind));
    EXPECT_EQ(papkol.fieldByName("Kolor").asString(), QString::fromUtf8(c.colour));
    EXPECT_EQ(papkol.fieldByName("Gramatura").asString(), QString::fromUtf8(c.grammage));
    // The dialog's total follows at once.
    EXPECT_EQ(Form4->Edit1->text(), tv::CurrToStr(tv::Currency::fromDouble(cost)));
    EXPECT_EQ(Form4->DBGrid1->model()->rowCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, AddLine, ::testing::ValuesIn(kAddCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PaperColourTest, ExampleFiguresOfTheLines) {
    addLine("100", "Kreda", "80", "1", true);
    addLine("100", "Kreda", "80", "1", false);
    EXPECT_EQ(lines("Ilosc"), QStringList({"50", "50"}));
    // 0,002 x 50 x 100 zł and 50 x 0,20 zł.
    EXPECT_EQ(lines("Koszt"), QStringList({"10", "10"}));
    EXPECT_EQ(Form4->Edit1->text(), QStringLiteral("20"));
}

// A ream-priced line whose cost lies on a rounding boundary: 11 A4 pages on A1
// plates are 1,375 sheets, at 185 zł a ream 0,50875 zł, which the extended
// product puts just above the half.
class ReamOnTheBoundary : public PaperColourTest {
protected:
    void addData() override {
        PaperColourTest::addData();
        addGrammage(addKind(QStringLiteral("Kreda mat")), 80, 0.37, 185.0);
    }
};

TEST_F(ReamOnTheBoundary, CostsAsTheSectionsFormTheirProducts) {
    Form4->formatMatrycy = QStringLiteral("A1");
    chooseJobFormat(QStringLiteral("A4"));
    addLine("11", "Kreda mat", "80", "1", true);
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
    tv::Table papkol(QStringLiteral("papkol.db"));
    papkol.open();
    ASSERT_EQ(papkol.recordCount(), 1);
    EXPECT_EQ(papkol.fieldByName("Ilosc").asString(), QStringLiteral("1,375"));
    EXPECT_EQ(tv::CurrToStr(papkol.fieldByName("Koszt").asCurrency()), QStringLiteral("0,5088"));
    EXPECT_EQ(Form4->Edit1->text(), QStringLiteral("0,5088"));
}

// The sheet's paper, page, plate, pass and fold figures follow the lines:
// full colour counts four plates a sheet, "3" three, "1" one black plate.
TEST_F(PaperColourTest, TheSheetFollowsTheColourCountsOfTheLines) {
    addLine("20", "Kreda", "80", "pełny");
    addLine("20", "Kreda", "80", "3");
    addLine("20", "Kreda", "80", "1");
    ASSERT_EQ(lines("Ilosc"), QStringList({"10", "10", "10"}));
    EXPECT_EQ(Form4->Edit1->text(), QStringLiteral("6"));
    EXPECT_EQ(Form1->Edit5->text(), QStringLiteral("6"));
    EXPECT_EQ(Form1->Edit22->text(), QStringLiteral("6"));
    EXPECT_EQ(Form1->Edit10->text(), QStringLiteral("20"));
    EXPECT_EQ(Form1->Edit12->text(), QStringLiteral("40"));
    EXPECT_EQ(Form1->Edit31->text(), QStringLiteral("10"));
    EXPECT_EQ(Form1->Edit34->text(), QStringLiteral("70"));
    EXPECT_EQ(Form1->Edit45->text(), QStringLiteral("10"));
    EXPECT_EQ(Form1->Edit49->text(), QStringLiteral("70"));
    // A4 on A3 folds once a sheet: 60 pages for a print run of 1.
    EXPECT_EQ(Form1->Edit40->text(), QStringLiteral("60"));
}

// ---------------------------------------------------------------------------
// Inputs checked before anything is added

struct RejectCase {
    const char* name;
    std::function<void(PaperColourTest&)> prepare;
    const char* message;
};

class AddRejected : public PaperColourTest, public ::testing::WithParamInterface<RejectCase> {
public:
    void fill(const QString& pages, const QString& grammage, bool reamPrice) {
        fillLine(pages, QStringLiteral("Kreda"), grammage, QStringLiteral("1"), reamPrice);
    }
};

const RejectCase kRejectCases[] = {
    {"NoGrammageChosen", [](PaperColourTest&) {}, "Wybierz gramaturę"},
    {"ZeroPages", [](PaperColourTest& t) { static_cast<AddRejected&>(t).fill("0", "80", true); },
     "Ilość stron musi być liczbą całkowitą większą od zera"},
    {"NoPages",
     [](PaperColourTest& t) {
         static_cast<AddRejected&>(t).fill("10", "80", true);
         // Emptied and not left: the buttons take no focus.
         typeInto(Form4->Edit2, "");
     },
     "Ilość stron musi być liczbą całkowitą większą od zera"},
    {"NegativePages",
     [](PaperColourTest& t) {
         static_cast<AddRejected&>(t).fill("10", "80", true);
         Form4->Edit2->setText(QStringLiteral("-4"));
     },
     "Ilość stron musi być liczbą całkowitą większą od zera"},
    {"NoReamPrice", [](PaperColourTest& t) { static_cast<AddRejected&>(t).fill("10", "90", true); },
     "Wybrana gramatura nie ma ceny za ryzę"},
    {"NoSheetPrice", [](PaperColourTest& t) { static_cast<AddRejected&>(t).fill("10", "100", false); },
     "Wybrana gramatura nie ma ceny za arkusz"},
    {"UnknownPlateFormat",
     [](PaperColourTest& t) {
         static_cast<AddRejected&>(t).fill("10", "80", true);
         Form4->formatMatrycy = QStringLiteral("B7");
     },
     "Format matrycy „B7” nie istnieje w tabeli formatów papieru."},
    {"NoPlateFormat",
     [](PaperColourTest& t) {
         static_cast<AddRejected&>(t).fill("10", "80", true);
         Form4->formatMatrycy.clear();
     },
     "Format matrycy nie jest wybrany."},
    {"ZeroRatioJobFormat",
     [](PaperColourTest& t) {
         static_cast<AddRejected&>(t).fill("10", "80", true);
         Form4->Label9->setText(QStringLiteral("Z0"));
     },
     "Format papieru „Z0” ma niewłaściwą wielkość (St0 = 0); popraw ją w formatach papieru."},
    {"GrammageGoneSinceChosen",
     [](PaperColourTest& t) {
         static_cast<AddRejected&>(t).fill("10", "80", true);
         tv::Table other(QStringLiteral("gramatury.db"));
         other.open();
         for (other.first(); !other.eof();)
             if (other.fieldByName("Gramatura").asInteger() == 80)
                 other.remove();
             else
                 other.next();
         Form4->gramatury->refresh();
     },
     "Wybierz gramaturę"},
};

TEST_P(AddRejected, ShowsWhyAndAddsNothing) {
    GetParam().prepare(*this);
    tv::ui::clearShownMessages();
    QTest::mouseClick(Form4->SpeedButton3, Qt::LeftButton);
    ASSERT_EQ(shownTexts(), QStringList({QString::fromUtf8(GetParam().message)}));
    EXPECT_EQ(rowCount(QStringLiteral("papkol.db")), 0);
    EXPECT_EQ(Form4->papkol->state(), tv::Table::State::Browse);
    EXPECT_EQ(Form4->Edit1->text(), QStringLiteral("0"));
}

INSTANTIATE_TEST_SUITE_P(Cases, AddRejected, ::testing::ValuesIn(kRejectCases),
                         [](const auto& info) { return std::string(info.param.name); });

class PaperColourNoKindsTest : public PaperColourTest {
protected:
    void addData() override {
        addFormat(QStringLiteral("A4"), 16);
        addFormat(QStringLiteral("A3"), 8);
        writeSettings({{"Matryca", "A3"}});
    }
};

TEST_F(PaperColourNoKindsTest, WithoutKindsTheBoxesAreEmptyAndNothingIsAdded) {
    EXPECT_EQ(Form4->DBLookupComboBox2->text(), QString());
    EXPECT_EQ(Form4->ComboBox2->count(), 0);
    QTest::mouseClick(Form4->SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(shownTexts(), QStringList({"Wybierz rodzaj papieru"}));
    EXPECT_EQ(tv::ui::shownMessages().last().caption, QString());
    EXPECT_EQ(rowCount(QStringLiteral("papkol.db")), 0);
}

// ---------------------------------------------------------------------------
// Deleting

TEST_F(PaperColourTest, DeletingFromNoLinesAsksNothing) {
    QTest::mouseClick(Form4->SpeedButton4, Qt::LeftButton);
    EXPECT_TRUE(shownTexts().isEmpty());
    EXPECT_EQ(rowCount(QStringLiteral("papkol.db")), 0);
}

TEST_F(PaperColourTest, DeletingTheChosenLineAsksFirst) {
    addLine("100", "Kreda", "80", "1");
    addLine("20", "Offset", "70", "2");
    ASSERT_EQ(lines("Rodzpap"), QStringList({"Kreda", "Offset"}));
    // The operator picks the first line in the grid.
    QTest::mouseClick(Form4->DBGrid1->viewport(), Qt::LeftButton, {},
                      Form4->DBGrid1->visualRect(Form4->DBGrid1->model()->index(0, 0)).center());
    ASSERT_EQ(Form4->papkol->recNo(), 1);

    tv::ui::clearShownMessages();
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    QTest::mouseClick(Form4->SpeedButton4, Qt::LeftButton);
    ASSERT_EQ(tv::ui::shownMessages().size(), 1);
    EXPECT_EQ(tv::ui::shownMessages()[0].text, QStringLiteral("Czy na pewno usunąć wybraną pozycję?"));
    EXPECT_EQ(tv::ui::shownMessages()[0].caption, QString());
    EXPECT_EQ(tv::ui::shownMessages()[0].buttons, tv::ui::Buttons::YesNo);
    EXPECT_EQ(lines("Rodzpap"), QStringList({"Kreda", "Offset"}));

    QTest::mouseClick(Form4->SpeedButton4, Qt::LeftButton);
    EXPECT_EQ(lines("Rodzpap"), QStringList({"Offset"}));
    // 10 Offset sheets at 50 zł a ream.
    EXPECT_EQ(Form4->Edit1->text(), QStringLiteral("1"));
}

TEST_F(PaperColourTest, ClearingAnsweredNoKeepsTheLinesAndStillRecomputes) {
    addLine("100", "Kreda", "80", "1");
    Form1->Edit5->setText(QStringLiteral("999"));
    tv::ui::clearShownMessages();
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    QTest::mouseClick(Form4->SpeedButton5, Qt::LeftButton);
    EXPECT_EQ(shownTexts(), QStringList({"Czy na pewno usunąć wszystkie pozycje?"}));
    EXPECT_EQ(rowCount(QStringLiteral("papkol.db")), 1);
    EXPECT_EQ(Form1->Edit5->text(), QStringLiteral("10"));
}

TEST_F(PaperColourTest, ClearingAnsweredYesEmptiesTheLinesAndZeroesTheSheet) {
    addLine("100", "Kreda", "80", "1");
    addLine("40", "Kreda", "80", "pełny");
    QTest::mouseClick(Form4->SpeedButton5, Qt::LeftButton);
    EXPECT_EQ(rowCount(QStringLiteral("papkol.db")), 0);
    EXPECT_EQ(Form4->Edit1->text(), QStringLiteral("0"));
    for (QLineEdit* field : {Form1->Edit5, Form1->Edit22, Form1->Edit10, Form1->Edit12, Form1->Edit31,
                             Form1->Edit34, Form1->Edit45, Form1->Edit49, Form1->Edit40})
        EXPECT_EQ(field->text(), QStringLiteral("0")) << field->objectName().toStdString();
}

// ---------------------------------------------------------------------------
// Kind, grammage and price shown

TEST_F(PaperColourTest, ChoosingAKindListsItsGrammagesOnly) {
    chooseWithKeys(Form4->DBLookupComboBox2, "Offset");
    ASSERT_EQ(Form4->ComboBox2->count(), 1);
    EXPECT_EQ(Form4->ComboBox2->itemText(0), QStringLiteral("70"));
    EXPECT_EQ(Form4->ComboBox2->currentText(), QString());
    chooseWithKeys(Form4->DBLookupComboBox2, "Kreda");
    EXPECT_EQ(Form4->ComboBox2->count(), 3);
}

// Prices and grammages changed elsewhere (the kinds dialog has tables of its
// own) are read again each time the kind is chosen.
TEST_F(PaperColourTest, ChoosingAKindReReadsItsGrammagesAndPrices) {
    addGrammage(m_kreda, 115, 0.30, 150.0);
    {
        tv::Table other(QStringLiteral("gramatury.db"));
        other.open();
        other.first(); // Kreda 80 g
        other.edit();
        other.fieldByName("Cena_ryzy").setAsFloat(200);
        other.post();
    }
    chooseWithKeys(Form4->DBLookupComboBox2, "Offset");
    chooseWithKeys(Form4->DBLookupComboBox2, "Kreda");
    QStringList grammages;
    for (int i = 0; i < Form4->ComboBox2->count(); ++i)
        grammages << Form4->ComboBox2->itemText(i);
    EXPECT_EQ(grammages, QStringList({"80", "90", "100", "115"}));
    chooseWithKeys(Form4->ComboBox2, "80");
    EXPECT_EQ(Form4->DBEdit2->text(), QStringLiteral("200,00"));
}

TEST_F(PaperColourTest, ThePriceBoxShowsTheChosenGrammagesReamOrSheetPrice) {
    chooseWithKeys(Form4->ComboBox2, "90");
    EXPECT_EQ(Form4->DBEdit2->text(), QString()); // no ream price
    QTest::mouseClick(Form4->RadioButton2, Qt::LeftButton);
    EXPECT_EQ(Form4->DBEdit2->text(), QStringLiteral("0,25"));
    chooseWithKeys(Form4->ComboBox2, "80");
    EXPECT_EQ(Form4->DBEdit2->text(), QStringLiteral("0,20"));
    QTest::mouseClick(Form4->RadioButton1, Qt::LeftButton);
    EXPECT_EQ(Form4->DBEdit2->text(), QStringLiteral("100,00"));
    EXPECT_TRUE(Form4->DBEdit2->isReadOnly());
}

TEST_F(PaperColourTest, TheKindsButtonShowsTheKindsDialogAndReReadsTheKinds) {
    QTest::mouseClick(Form4->SpeedButton2, Qt::LeftButton);
    EXPECT_TRUE(Form5->isVisible());
    typeInto(Form5->Edit1, "Karton");
    QTest::mouseClick(Form5->SpeedButton1, Qt::LeftButton);
    // Added after the dialog opened, the kind waits for the next press.
    EXPECT_LT(Form4->DBLookupComboBox2->findText("Karton"), 0);
    QTest::mouseClick(Form4->SpeedButton2, Qt::LeftButton);
    EXPECT_GE(Form4->DBLookupComboBox2->findText("Karton"), 0);
    // The kind shown stays chosen.
    EXPECT_EQ(Form4->DBLookupComboBox2->text(), QStringLiteral("Kreda"));
    chooseWithKeys(Form4->DBLookupComboBox2, "Karton");
    EXPECT_EQ(Form4->ComboBox2->count(), 45);
}

TEST_F(PaperColourTest, ClosingHidesTheDialogAndKeepsTheLines) {
    addLine("100", "Kreda", "80", "1");
    QTest::mouseClick(Form4->SpeedButton1, Qt::LeftButton);
    EXPECT_FALSE(Form4->isVisible());
    EXPECT_EQ(rowCount(QStringLiteral("papkol.db")), 1);
}

// ---------------------------------------------------------------------------
// The page count

struct WholeNumberCase {
    const char* text;
    bool whole;
};

const WholeNumberCase kWholeNumbers[] = {
    {"12", true},         {"0", true},           {"-5", true},           {"+3", true},   {" 7", true},
    {"2147483647", true}, {"2147483648", false}, {"-2147483649", false}, {"2,5", false}, {"2.5", false},
    {"abc", false},       {"", false},           {"1e3", false},         {"-", false},
};

TEST(CzyCalkowita, TellsTextsThatConvertToA32BitInteger) {
    for (const WholeNumberCase& c : kWholeNumbers)
        EXPECT_EQ(CzyCalkowita(QString::fromUtf8(c.text)), c.whole) << c.text;
}

struct KeystrokeCase {
    const char* name;
    const char* before;
    Qt::Key key;
    const char* after;
};

const KeystrokeCase kKeystrokes[] = {
    {"Digit", "12", Qt::Key_5, "125"},
    {"Letter", "12", Qt::Key_A, "12"},
    {"DecimalSeparator", "12", Qt::Key_Comma, "12"},
    {"Point", "12", Qt::Key_Period, "12"},
    {"MinusAfterDigits", "12", Qt::Key_Minus, "12"},
    {"Backspace", "12", Qt::Key_Backspace, "1"},
};

class PageCountKeystroke : public PaperColourTest, public ::testing::WithParamInterface<KeystrokeCase> {};

TEST_P(PageCountKeystroke, KeepsTheTextAWholeNumber) {
    const KeystrokeCase& c = GetParam();
    Form4->ComboBox1->setFocus();
    Form4->Edit2->setText(QString::fromUtf8(c.before));
    Form4->Edit2->setFocus();
    Form4->Edit2->end(false);
    QTest::keyClick(Form4->Edit2, c.key);
    EXPECT_EQ(Form4->Edit2->text(), QString::fromUtf8(c.after));
}

INSTANTIATE_TEST_SUITE_P(Cases, PageCountKeystroke, ::testing::ValuesIn(kKeystrokes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PaperColourTest, AnEmptiedPageCountIsAcceptedAndBecomesZeroOnLeaving) {
    typeInto(Form4->Edit2, "");
    EXPECT_EQ(Form4->Edit2->text(), QString());
    QTest::keyClick(Form4->Edit2, Qt::Key_X);
    EXPECT_EQ(Form4->Edit2->text(), QString());
    Form4->ComboBox1->setFocus();
    EXPECT_EQ(Form4->Edit2->text(), QStringLiteral("0"));
}

} // namespace
