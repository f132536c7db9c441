#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "platform/table.h"
#include "platform/ui/messages.h"
#include "sheet_fixture.h"

using tvtest::SheetFixture;

namespace {

const QString kEmptyOperand = QStringLiteral("'' is not a valid floating point value");

QStringList changesOf(QSignalSpy& spy) {
    QStringList texts;
    for (const QList<QVariant>& call : spy)
        texts << call.at(0).toString();
    spy.clear();
    return texts;
}

class InputFields : public SheetFixture {
protected:
    void SetUp() override {
        SheetFixture::SetUp();
        showSheet();
    }
    void mirrorsAre(const QString& text) {
        for (int n : {23, 46, 50, 75})
            EXPECT_EQ(at(n), text) << "Edit" << n;
    }
};

} // namespace

// ---- Keystrokes: a bad one is undone without a word ----

struct Keystroke {
    const char* name;
    int field;
    const char* start;
    const char* keys;
    const char* expected;
};

void PrintTo(const Keystroke& k, std::ostream* os) {
    *os << k.name;
}

class RejectedKeystrokes : public InputFields, public ::testing::WithParamInterface<Keystroke> {};

TEST_P(RejectedKeystrokes, LeaveTheLastValidText) {
    const Keystroke& k = GetParam();
    QLineEdit* field = edit(k.field);
    focus(field);
    retype(field, k.start);
    typeAtEnd(field, k.keys);
    EXPECT_EQ(field->text(), QString::fromUtf8(k.expected));
    EXPECT_EQ(Form1->poprzedniTekst, QString::fromUtf8(k.expected));
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Fields, RejectedKeystrokes,
                         ::testing::Values(Keystroke{"LetterInAnAmount", 7, "12", "a", "12"},
                                           Keystroke{"FullStopWhereTheSeparatorIsAComma", 7, "12", ".", "12"},
                                           Keystroke{"SecondSeparator", 53, "1,5", ",", "1,5"},
                                           Keystroke{"SignAfterDigits", 45, "3", "-", "3"},
                                           Keystroke{"LetterThenDigitsInTheStapleCount", 77, "0,05", "x1",
                                                     "0,051"},
                                           Keystroke{"LetterInThePrintRun", 2, "25", "x", "25"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A rejected keystroke in the print run brings back its own text, not the figure
// that its cascade wrote last into another field.
TEST_F(InputFields, ARejectedKeystrokeInThePrintRunRestoresItsOwnText) {
    Form1->ComboBox5->setEditText("1 zszywka");
    set(77, "0,5");
    focus(Form1->Edit2);
    retype(Form1->Edit2, "25");
    ASSERT_EQ(at(76), "12,5");
    typeAtEnd(Form1->Edit2, "x");
    EXPECT_EQ(at(2), "25");
    mirrorsAre("25");
    EXPECT_EQ(at(76), "12,5");
    EXPECT_EQ(Form1->poprzedniTekst, "25");
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(InputFields, TheRememberedTextFollowsTheFieldBeingEdited) {
    set(9, "7");
    focus(Form1->Edit9);
    EXPECT_EQ(Form1->poprzedniTekst, "7");
    set(23, "4"); // the program writes elsewhere; the remembered text stays the edited field's
    EXPECT_EQ(Form1->poprzedniTekst, "7");
    typeAtEnd(Form1->Edit9, "5");
    EXPECT_EQ(Form1->poprzedniTekst, "75");
}

// A field whose section stops with an error as it is left is left all the same:
// what the program writes into it afterwards is not what a keystroke restores.
TEST_F(InputFields, AFieldLeftWithAnErrorNoLongerOwnsTheRememberedText) {
    set(32, "");
    focus(Form1->Edit31);
    leave(Form1->Edit31);
    ASSERT_EQ(shownTexts(), QStringList{kEmptyOperand});
    set(31, "4");
    EXPECT_EQ(Form1->poprzedniTekst, "0");
}

// A text the program sets into a field nobody edits, and that is not a number,
// gives way to that field's own last text (a damaged calculation file line).
TEST_F(InputFields, AProgramWriteThatFailsTheCheckRestoresThatFieldsOwnText) {
    set(7, "5");
    focus(Form1->Edit9);
    retype(Form1->Edit9, "8");
    set(7, "abc");
    EXPECT_EQ(at(7), "5");
    EXPECT_EQ(at(9), "8");
    EXPECT_EQ(Form1->poprzedniTekst, "8");
    EXPECT_TRUE(shownTexts().isEmpty());
}

// ---- Leaving a field, and Enter ----

TEST_F(InputFields, AnEmptiedFieldIsAcceptedAndLeavingItWritesZeroAndRecomputes) {
    focus(Form1->Edit7);
    retype(Form1->Edit7, "12");
    EXPECT_EQ(at(21), "0"); // not recomputed while typing
    leave(Form1->Edit7);
    EXPECT_EQ(at(21), "12");

    focus(Form1->Edit7);
    erase(Form1->Edit7);
    EXPECT_EQ(at(7), "");
    EXPECT_TRUE(shownTexts().isEmpty());
    leave(Form1->Edit7);
    EXPECT_EQ(at(7), "0");
    EXPECT_EQ(at(21), "0");
}

TEST_F(InputFields, EnterWorksAsLeavingButKeepsTheFocus) {
    focus(Form1->Edit7);
    retype(Form1->Edit7, "12");
    pressEnter(Form1->Edit7);
    EXPECT_EQ(at(21), "12");
    EXPECT_TRUE(Form1->Edit7->hasFocus());
    erase(Form1->Edit7);
    pressEnter(Form1->Edit7);
    EXPECT_EQ(at(7), "0");
    EXPECT_EQ(at(21), "0");
    EXPECT_TRUE(Form1->Edit7->hasFocus());
}

TEST_F(InputFields, EnterInTheFoldsRunsNothingLeavingRecomputesSectionThree) {
    set(78, "0,5");
    focus(Form1->Edit40);
    retype(Form1->Edit40, "4");
    pressEnter(Form1->Edit40);
    EXPECT_EQ(at(79), "0");
    erase(Form1->Edit40);
    pressEnter(Form1->Edit40);
    EXPECT_EQ(at(40), "");
    leave(Form1->Edit40);
    EXPECT_EQ(at(40), "0");
    EXPECT_EQ(at(79), "0");

    focus(Form1->Edit40);
    retype(Form1->Edit40, "4");
    leave(Form1->Edit40);
    EXPECT_EQ(at(79), "2");
    EXPECT_EQ(at(44), "2");
}

// Every field of the input table has its Enter, change, exit and (but for the
// folds) key handler bound to it.
TEST_F(InputFields, EveryInputFieldIsBound) {
    const int fields[] = {7,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 22, 23, 24, 26, 28,
                          30, 31, 32, 33, 34, 35, 36, 40, 41, 43, 70, 71, 72, 73, 74, 78, 79, 45,
                          46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 75, 76, 77};
    for (int n : fields) {
        SCOPED_TRACE(QString("Edit%1").arg(n).toStdString());
        QLineEdit* field = edit(n);
        field->setText(""); // a result "at once" is filled again at once
        focus(field);
        EXPECT_EQ(Form1->poprzedniTekst, field->text());
        pressEnter(field);
        EXPECT_EQ(field->text(), n == 40 ? "" : "0");
        EXPECT_TRUE(field->hasFocus());
        if (!field->isReadOnly()) {
            typeAtEnd(field, "q");
            EXPECT_EQ(field->text(), n == 40 ? "" : "0");
        }
        leave(field);
        EXPECT_EQ(field->text(), "0");
    }
}

// ---- The print run and its mirrors ----

struct PrintRunExit {
    const char* typed;
    const char* left;
};

void PrintTo(const PrintRunExit& e, std::ostream* os) {
    *os << '"' << e.typed << '"';
}

class PrintRunLeft : public InputFields, public ::testing::WithParamInterface<PrintRunExit> {};

TEST_P(PrintRunLeft, BecomesOneWhenEmptyZeroOrNegative) {
    focus(Form1->Edit2);
    const QString typed = GetParam().typed;
    if (typed.isEmpty()) {
        erase(Form1->Edit2);
    } else if (typed.startsWith('-')) {
        // A sign alone is no number: the digits go in first, the sign before them.
        retype(Form1->Edit2, typed.mid(1));
        QTest::keyClick(Form1->Edit2, Qt::Key_Home);
        QTest::keyClicks(Form1->Edit2, "-");
    } else {
        retype(Form1->Edit2, typed);
    }
    ASSERT_EQ(at(2), typed);
    tv::ui::clearShownMessages();
    leave(Form1->Edit2);
    EXPECT_EQ(at(2), GetParam().left);
    mirrorsAre(GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(PrintRun, PrintRunLeft,
                         ::testing::Values(PrintRunExit{"", "1"}, PrintRunExit{"0", "1"},
                                           PrintRunExit{"-5", "1"}, PrintRunExit{"2,5", "2,5"},
                                           PrintRunExit{"1000", "1000"}));

TEST_F(InputFields, LeavingOrEnterInThePrintRunRecomputesThePaperAndTheSummaryEvenUnchanged) {
    focus(Form1->Edit2);
    set(5, "7");
    set(68, "x");
    pressEnter(Form1->Edit2);
    EXPECT_EQ(at(5), "0");  // the paper computation wrote the total of no lines
    EXPECT_EQ(at(68), "0"); // the summary wrote the unit price
    EXPECT_TRUE(Form1->Edit2->hasFocus());

    set(5, "7");
    set(68, "x");
    leave(Form1->Edit2);
    EXPECT_EQ(at(5), "0");
    EXPECT_EQ(at(68), "0");
}

// Each keystroke copies the run into the four mirrors; section 2 runs once and
// section 4 once for each of its three mirrors, each changing its total.
TEST_F(InputFields, KeystrokesInThePrintRunRunTheMirrorsSections) {
    set(22, "1");
    for (int n : {45, 47, 49, 51, 77})
        set(n, "1");
    Form1->ComboBox5->setEditText("1 zszywka");
    focus(Form1->Edit2);
    QSignalSpy material(Form1->Edit39, &QLineEdit::textChanged);
    QSignalSpy direct(Form1->Edit59, &QLineEdit::textChanged);

    retype(Form1->Edit2, "2");
    mirrorsAre("2");
    EXPECT_EQ(changesOf(material), QStringList({"2"}));
    EXPECT_EQ(changesOf(direct), QStringList({"4", "5", "6"}));

    typeAtEnd(Form1->Edit2, "5");
    mirrorsAre("25");
    EXPECT_EQ(changesOf(material), QStringList({"25"}));
    EXPECT_EQ(changesOf(direct), QStringList({"29", "52", "75"}));

    typeAtEnd(Form1->Edit2, "0");
    mirrorsAre("250");
    EXPECT_EQ(changesOf(material), QStringList({"250"}));
    EXPECT_EQ(changesOf(direct), QStringList({"300", "525", "750"}));
    EXPECT_EQ(at(64), "1000");
    EXPECT_EQ(at(67), "1220");
    EXPECT_EQ(at(68), "4,88");
    EXPECT_TRUE(shownTexts().isEmpty());
}

// Emptying the run stops the first mirror's section with one message; the next
// keystroke copies a number into all four mirrors again.
TEST_F(InputFields, EmptyingThePrintRunShowsOneErrorAndTheNextKeystrokeFillsTheMirrors) {
    focus(Form1->Edit2);
    erase(Form1->Edit2);
    EXPECT_EQ(shownTexts(), QStringList{kEmptyOperand});
    EXPECT_EQ(at(23), "");
    tv::ui::clearShownMessages();
    QTest::keyClicks(Form1->Edit2, "3");
    mirrorsAre("3");
    EXPECT_TRUE(shownTexts().isEmpty());
}

// The new fold count reaches the folding cost, the net and the gross at once.
TEST_F(InputFields, LeavingThePrintRunRecomputesTheFoldingCost) {
    addPaperLine(50, "1", 10);
    set(78, "0,02");
    focus(Form1->Edit2);
    retype(Form1->Edit2, "1000");
    leave(Form1->Edit2);
    EXPECT_EQ(at(10), "100");
    EXPECT_EQ(at(22), "10");
    EXPECT_EQ(at(24), "10000");
    EXPECT_EQ(at(40), "100000");
    EXPECT_EQ(at(79), "2000");
    EXPECT_EQ(at(44), "2000");
    EXPECT_EQ(at(64), "12000");
    EXPECT_EQ(at(67), "14640");
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join('|').toStdString();
}

// ---- The header's paper cost, results typed over ----

TEST_F(InputFields, ThePaperCostReachesSectionTwoWhenLeft) {
    focus(Form1->Edit5);
    retype(Form1->Edit5, "40");
    EXPECT_EQ(at(22), "0");
    leave(Form1->Edit5);
    EXPECT_EQ(at(22), "40");
    EXPECT_EQ(at(24), "40");
    EXPECT_EQ(at(39), "40");

    focus(Form1->Edit5);
    erase(Form1->Edit5);
    leave(Form1->Edit5);
    EXPECT_EQ(at(5), "0");
    EXPECT_EQ(at(22), "0");
    EXPECT_EQ(at(39), "0");

    // Enter copies it as leaving does, and the field keeps the focus.
    focus(Form1->Edit5);
    retype(Form1->Edit5, "12,5");
    EXPECT_EQ(at(22), "0");
    pressEnter(Form1->Edit5);
    EXPECT_EQ(at(22), "12,5");
    EXPECT_EQ(at(39), "12,5");
    EXPECT_TRUE(Form1->Edit5->hasFocus());
}

TEST_F(InputFields, AResultRecomputedAtOnceTakesNoTypedText) {
    set(11, "1,5");
    set(10, "2");
    ASSERT_EQ(at(14), "3");
    focus(Form1->Edit14);
    typeAtEnd(Form1->Edit14, "9");
    EXPECT_EQ(at(14), "3");
    QTest::keyClick(Form1->Edit14, Qt::Key_Backspace);
    EXPECT_EQ(at(14), "3");
}

TEST_F(InputFields, AResultTypedOverStaysUntilLeftAndNeverReachesTheTotal) {
    set(23, "2");
    set(22, "5");
    ASSERT_EQ(at(24), "10");
    focus(Form1->Edit24);
    retype(Form1->Edit24, "99");
    EXPECT_EQ(at(24), "99");
    EXPECT_EQ(at(39), "10");
    leave(Form1->Edit24);
    EXPECT_EQ(at(24), "10");
    EXPECT_EQ(at(39), "10");
}

TEST_F(InputFields, EmptyingAnOperandOfSectionTwoShowsTheErrorUntilLeft) {
    set(32, "25");
    focus(Form1->Edit31);
    retype(Form1->Edit31, "2");
    ASSERT_EQ(at(33), "50");
    erase(Form1->Edit31);
    EXPECT_EQ(shownTexts(), QStringList{kEmptyOperand});
    leave(Form1->Edit31);
    EXPECT_EQ(at(31), "0");
    EXPECT_EQ(at(33), "0");
    EXPECT_EQ(shownTexts().size(), 1);
}

TEST_F(InputFields, EmptyingAnOperandOfSectionOneIsSilent) {
    focus(Form1->Edit10);
    retype(Form1->Edit10, "2");
    erase(Form1->Edit10);
    EXPECT_TRUE(shownTexts().isEmpty());
    leave(Form1->Edit10);
    EXPECT_EQ(at(10), "0");
}

// Section 1 keeps quiet about its own operands only: the summary that its changed
// total runs reports an empty profit list as it does from any other section.
TEST_F(InputFields, TheSummaryRunBySectionOneStillReportsItsError) {
    focus(Form1->ComboBox2);
    erase(Form1->ComboBox2->lineEdit());
    ASSERT_EQ(shownTexts(), QStringList{kEmptyOperand});
    tv::ui::clearShownMessages();

    focus(Form1->Edit7);
    retype(Form1->Edit7, "5");
    leave(Form1->Edit7);
    EXPECT_EQ(at(21), "5");
    EXPECT_EQ(shownTexts(), QStringList{kEmptyOperand});
    EXPECT_EQ(at(64), "0"); // the summary stopped at the profit, before the net

    // With the list filled again the next change prices the job.
    Form1->ComboBox2->setEditText("0");
    tv::ui::clearShownMessages();
    focus(Form1->Edit7);
    retype(Form1->Edit7, "6");
    leave(Form1->Edit7);
    EXPECT_EQ(at(64), "6");
    EXPECT_TRUE(shownTexts().isEmpty());
}

// ---- Rates the program writes ----

TEST_F(InputFields, WrittenRatesRecomputeAtOnceOnlyThroughTheColourPageRate) {
    set(10, "2");
    set(12, "1");
    set(11, "3");
    EXPECT_EQ(at(14), "0");
    set(13, "4");
    EXPECT_EQ(at(14), "10");
    set(16, "5");
    set(15, "1");
    EXPECT_EQ(at(17), "0");
}

// Writing the text a field already holds is no change: no handler runs.
TEST_F(InputFields, SettingTheTextAFieldHoldsRunsNothing) {
    set(11, "2");
    set(10, "3");
    ASSERT_EQ(at(14), "6");
    set(11, "5"); // not at once
    set(10, "3"); // the same text: section 1 would now give 15
    EXPECT_EQ(at(14), "6");

    set(23, "7");
    ASSERT_EQ(at(2), "1");
    set(2, "1"); // the print run unchanged: its mirrors are not written
    EXPECT_EQ(at(23), "7");
    EXPECT_EQ(at(46), "1");
}

// ---- Option lists ----

TEST_F(InputFields, OptionListsRecomputeTheirSections) {
    set(26, "100");
    Form1->PrzeliczMaterial();
    focus(Form1->ComboBox4);
    retype(Form1->ComboBox4->lineEdit(), "10");
    EXPECT_EQ(at(38), "10");
    EXPECT_EQ(at(39), "110");

    set(75, "100");
    set(77, "0,05");
    Form1->ComboBox5->setCurrentIndex(0);
    focus(Form1->ComboBox5);
    QTest::keyClick(Form1->ComboBox5, Qt::Key_Down);
    QTest::keyClick(Form1->ComboBox5, Qt::Key_Down);
    ASSERT_EQ(Form1->ComboBox5->currentText(), "2 zszywki");
    EXPECT_EQ(at(76), "10");

    set(21, "100");
    EXPECT_EQ(at(66), "48,4"); // 22 % of the rounded net 220
    choose(Form1->ComboBox6, "do części I");
    EXPECT_EQ(at(66), "22");

    Form1->ComboBox1->setCurrentIndex(2);
    focus(Form1->ComboBox1);
    QTest::keyClick(Form1->ComboBox1, Qt::Key_Up);
    ASSERT_EQ(Form1->ComboBox1->currentText(), "7");
    EXPECT_EQ(at(66), "7");

    Form1->ComboBox2->setCurrentIndex(0);
    focus(Form1->ComboBox2);
    QTest::keyClick(Form1->ComboBox2, Qt::Key_Down);
    EXPECT_EQ(at(62), "0,1"); // 1 % of the direct labour of 10

    focus(Form1->ComboBox3);
    retype(Form1->ComboBox3->lineEdit(), "10");
    // The discounted printing line carries VAT 0 when VAT covers section 1 only.
    EXPECT_EQ(at(67), "204,3");
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join('|').toStdString();
}

TEST_F(InputFields, ListTextsSetByTheProgramRunNothing) {
    set(26, "100");
    Form1->PrzeliczMaterial();
    Form1->ComboBox4->setEditText("50");
    Form1->ComboBox6->setEditText("do części I");
    EXPECT_EQ(at(38), "0");
    EXPECT_EQ(at(39), "100");
}

// Qt reports an edited list as chosen when its window loses the focus; that is
// nobody's choice, and nothing may run for it (least of all on a closing sheet).
TEST_F(InputFields, AListRunsNothingWhenTheSheetLosesTheFocus) {
    focus(Form1->ComboBox2);
    retype(Form1->ComboBox2->lineEdit(), "5");
    ASSERT_TRUE(shownTexts().isEmpty());
    Form1->ComboBox1->setEditText(""); // any run of the summary would now report the empty rate
    Form1->hide();
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join('|').toStdString();
}

// ---- The customer ----

class CustomerChoice : public InputFields {
protected:
    void prepareData() override {
        InputFields::prepareData();
        tv::Table customers("kontrahenci.db");
        customers.open();
        customers.emptyTable();
        customers.append();
        customers.fieldByName("Id").setAsString("DRUKPOL");
        customers.fieldByName("Nr").setAsInteger(1);
        customers.fieldByName("Rabat").setAsFloat(15);
        customers.post();
    }
};

TEST_F(CustomerChoice, ChoosingACustomerChangesNoOtherField) {
    set(21, "100");
    const QString gross = at(67);
    Form1->ComboBox7->setCurrentIndex(-1);
    focus(Form1->ComboBox7);
    QTest::keyClick(Form1->ComboBox7, Qt::Key_Down);
    ASSERT_EQ(Form1->ComboBox7->currentText(), "DRUKPOL");
    leave(Form1->ComboBox7);
    EXPECT_EQ(Form1->ComboBox3->currentText(), "0");
    EXPECT_EQ(at(67), gross);
}

// The handler is kept for the day the customer's discount should reach the sheet.
TEST_F(CustomerChoice, TheUnboundCustomerHandlerTakesTheDiscountAndPrices) {
    set(21, "100");
    Form1->ComboBox7->setEditText("DRUKPOL");
    Form1->ComboBox7Exit(Form1->ComboBox7);
    EXPECT_EQ(Form1->ComboBox3->currentText(), "15");
    EXPECT_EQ(at(67), "103,7"); // 85 + 22 % VAT
    Form1->ComboBox7->setEditText("NIKT");
    Form1->ComboBox7Exit(Form1->ComboBox7);
    EXPECT_EQ(Form1->ComboBox3->currentText(), "0");
    Form1->ComboBox7->setEditText("");
    Form1->ComboBox7Exit(Form1->ComboBox7);
    EXPECT_EQ(Form1->ComboBox3->currentText(), "0");
    EXPECT_EQ(at(67), "122");
}
