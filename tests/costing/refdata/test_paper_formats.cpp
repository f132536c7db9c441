#include <functional>

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "costing/refdata/paper_formats.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware.h"
#include "refdata_support.h"

using namespace refdatatest;
using Nav = tv::ui::DBNavigator::Button;

namespace {

class PaperFormatsTest : public RefdataFixture {
protected:
    void SetUp() override {
        RefdataFixture::SetUp();
        showActive(Form3);
    }

    static QStringList formats() { return column(QStringLiteral("formaty.db"), QStringLiteral("Nazwa")); }
    static QStringList sheetFormatBox() {
        QStringList items;
        for (int i = 0; i < Form1->DBLookupComboBox1->count(); ++i)
            items << Form1->DBLookupComboBox1->itemText(i);
        return items;
    }
    void insertFormat(const QString& name, const QString& ratio) {
        Form3->DBNavigator1->click(Nav::Insert);
        typeInto(Form3->DBEdit2, name);
        typeInto(Form3->DBEdit3, ratio);
    }
};

TEST_F(PaperFormatsTest, ListsTheFormatsWithTheNavigatorsHints) {
    EXPECT_EQ(Form3->windowTitle(), QStringLiteral("Edycja formatów"));
    EXPECT_EQ(Form3->DBGrid1->model()->rowCount(), 4);
    EXPECT_EQ(Form3->DBGrid1->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Nazwa"));
    EXPECT_EQ(Form3->DBGrid1->model()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("Stosunek do A0"));
    const QStringList hints = {"Pierwsza pozycja",  "Poprzednia pozycja", "Następna pozycja",
                               "Ostatnia pozycja",  "Wstaw nową pozycję", "Usuń pozycję",
                               "Modyfikuj pozycję", "Potwierdź zmianę",   "Anuluj zmianę",
                               "Odśwież dane"};
    const Nav buttons[] = {Nav::First,  Nav::Prior, Nav::Next, Nav::Last,   Nav::Insert,
                           Nav::Delete, Nav::Edit,  Nav::Post, Nav::Cancel, Nav::Refresh};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(Form3->DBNavigator1->button(buttons[i])->toolTip(), hints[i]);
}

TEST_F(PaperFormatsTest, AConfirmedFormatReachesTheSheetsFormatBoxOnClosing) {
    insertFormat("B2", "4");
    Form3->DBNavigator1->click(Nav::Post);
    EXPECT_EQ(formats(), QStringList({"A4", "A3", "A5", "A1", "B2"}));
    QTest::mouseClick(Form3->SpeedButton1, Qt::LeftButton);
    EXPECT_FALSE(Form3->isVisible());
    EXPECT_FALSE(Form3->formaty->active());
    EXPECT_EQ(sheetFormatBox(), QStringList({"A4", "A3", "A5", "A1", "B2"}));
    // The sheet still shows the format it had.
    EXPECT_EQ(Form1->DBLookupComboBox1->text(), QStringLiteral("A4"));
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
}

// Both ways of closing store the row being edited and refresh the sheet.
struct CloseCase {
    const char* name;
    std::function<void()> close;
};

const CloseCase kCloses[] = {
    {"Zamknij", [] { QTest::mouseClick(Form3->SpeedButton1, Qt::LeftButton); }},
    {"CloseBox", [] { Form3->close(); }},
    {"Escape", [] { QTest::keyClick(Form3, Qt::Key_Escape); }},
};

class ClosingWithAPendingRow : public PaperFormatsTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingWithAPendingRow, PostsItFirst) {
    insertFormat("B2", "4");
    GetParam().close();
    EXPECT_FALSE(Form3->isVisible());
    EXPECT_EQ(formats(), QStringList({"A4", "A3", "A5", "A1", "B2"}));
    EXPECT_EQ(column(QStringLiteral("formaty.db"), QStringLiteral("St0")).last(), QStringLiteral("4"));
    EXPECT_TRUE(sheetFormatBox().contains("B2"));
}

TEST_P(ClosingWithAPendingRow, StoresAnEditedName) {
    Form3->formaty->first();
    Form3->DBNavigator1->click(Nav::Edit);
    typeInto(Form3->DBEdit2, "A4+");
    GetParam().close();
    EXPECT_FALSE(Form3->isVisible());
    EXPECT_EQ(formats().first(), QStringLiteral("A4+"));
    EXPECT_EQ(sheetFormatBox().first(), QStringLiteral("A4+"));
}

TEST_P(ClosingWithAPendingRow, DropsAnUntouchedNewRow) {
    Form3->DBNavigator1->click(Nav::Insert);
    GetParam().close();
    EXPECT_FALSE(Form3->isVisible());
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
    EXPECT_EQ(formats().size(), 4);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClosingWithAPendingRow, ::testing::ValuesIn(kCloses),
                         [](const auto& info) { return std::string(info.param.name); });

// A row that cannot be stored keeps the dialog open with the reason.
struct BadRowCase {
    const char* name;
    const char* formatName;
    const char* ratio;
    const char* message;
};

const BadRowCase kBadRows[] = {
    {"NoName", "", "4", "Wpisz nazwę formatu"},
    {"ZeroRatio", "B2", "0", "Stosunek do formatu X0 musi być liczbą większą od zera"},
    {"NegativeRatio", "B2", "-4", "Stosunek do formatu X0 musi być liczbą większą od zera"},
    {"NoRatio", "B2", "", "Stosunek do formatu X0 musi być liczbą większą od zera"},
    {"RatioNotANumber", "B2", "abc", "'abc' is not a valid floating point value"},
};

class ClosingWithABadRow : public PaperFormatsTest, public ::testing::WithParamInterface<BadRowCase> {};

TEST_P(ClosingWithABadRow, StaysOpenWithTheError) {
    const BadRowCase& c = GetParam();
    insertFormat(QString::fromUtf8(c.formatName), QString::fromUtf8(c.ratio));
    QTest::mouseClick(Form3->SpeedButton1, Qt::LeftButton);
    EXPECT_TRUE(Form3->isVisible());
    EXPECT_EQ(shownTexts(), QStringList({QString::fromUtf8(c.message)}));
    EXPECT_EQ(Form3->formaty->state(), tv::Table::State::Insert);
    EXPECT_EQ(formats().size(), 4);

    // The close box too.
    tv::ui::clearShownMessages();
    Form3->close();
    EXPECT_TRUE(Form3->isVisible());
    EXPECT_EQ(shownTexts(), QStringList({QString::fromUtf8(c.message)}));

    // Cancelled, the dialog closes.
    Form3->DBNavigator1->click(Nav::Cancel);
    QTest::mouseClick(Form3->SpeedButton1, Qt::LeftButton);
    EXPECT_FALSE(Form3->isVisible());
    EXPECT_EQ(formats().size(), 4);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClosingWithABadRow, ::testing::ValuesIn(kBadRows),
                         [](const auto& info) { return std::string(info.param.name); });

// A format confirmed here serves a paper line at once, though the paper
// dialog reads the formats through a table of its own.
TEST_F(PaperFormatsTest, AFormatAddedHereServesTheNextPaperLine) {
    insertFormat("B2", "4");
    Form3->DBNavigator1->click(Nav::Post);
    QTest::mouseClick(Form3->SpeedButton1, Qt::LeftButton);
    chooseWithKeys(Form1->DBLookupComboBox1, QStringLiteral("B2"));
    ASSERT_EQ(Form4->Label9->text(), QStringLiteral("B2"));
    Form4->Edit2->setText(QStringLiteral("10"));
    chooseWithKeys(Form4->ComboBox2, QStringLiteral("80"));
    QTest::mouseClick(Form4->SpeedButton3, Qt::LeftButton);
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
    // 10 B2 pages on A3 plates: 10 x 8 / 4 sheets.
    EXPECT_EQ(column(QStringLiteral("papkol.db"), QStringLiteral("Ilosc")), QStringList({"20"}));
}

// Paper lines carry the format's name, not its number: a renamed format
// leaves them with the old name, and the job's format of that name is gone.
TEST_F(PaperFormatsTest, ARenamedFormatNoLongerMatchesLinesOfItsOldName) {
    ASSERT_EQ(Form4->Label9->text(), QStringLiteral("A4"));
    Form4->Edit2->setText(QStringLiteral("100"));
    chooseWithKeys(Form4->ComboBox2, QStringLiteral("80"));
    QTest::mouseClick(Form4->SpeedButton3, Qt::LeftButton);
    ASSERT_EQ(column(QStringLiteral("papkol.db"), QStringLiteral("Format")), QStringList({"A4"}));

    Form3->formaty->first();
    Form3->DBNavigator1->click(Nav::Edit);
    typeInto(Form3->DBEdit2, "A4n");
    Form3->DBNavigator1->click(Nav::Post);
    QTest::mouseClick(Form3->SpeedButton1, Qt::LeftButton);
    ASSERT_EQ(formats().first(), QStringLiteral("A4n"));

    EXPECT_EQ(column(QStringLiteral("papkol.db"), QStringLiteral("Format")), QStringList({"A4"}));
    tv::ui::clearShownMessages();
    tv::ui::guard([] { Form4->PrzeliczPapier(); });
    EXPECT_EQ(shownTexts(),
              QStringList({QStringLiteral("Format papieru „A4” nie istnieje w tabeli formatów papieru.")}));
}

TEST_F(PaperFormatsTest, TheNameIsLimitedToFiveCharactersWhereTyped) {
    Form3->DBNavigator1->click(Nav::Insert);
    typeInto(Form3->DBEdit2, "SRA3XL");
    EXPECT_EQ(Form3->DBEdit2->text(), QStringLiteral("SRA3X"));
    Form3->DBNavigator1->click(Nav::Cancel);

    // And in the grid's own editor.
    Form3->formaty->first();
    Form3->DBNavigator1->click(Nav::Edit);
    const QModelIndex cell = Form3->DBGrid1->model()->index(0, 0);
    Form3->DBGrid1->setCurrentIndex(cell);
    static_cast<QAbstractItemView*>(Form3->DBGrid1)->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(Form3->DBGrid1->cellEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->maxLength(), 5);
}

TEST_F(PaperFormatsTest, TypingChangesNothingBeforeModifyIsPressed) {
    Form3->formaty->first();
    QTest::keyClicks(Form3->DBEdit3, "9");
    EXPECT_EQ(Form3->DBEdit3->text(), QStringLiteral("16"));
    EXPECT_EQ(Form3->formaty->state(), tv::Table::State::Browse);
}

TEST_F(PaperFormatsTest, ShownAgainTheDialogReadsTheFormatsAfresh) {
    QTest::mouseClick(Form3->SpeedButton1, Qt::LeftButton);
    addFormat(QStringLiteral("B1"), 2);
    Form3->show();
    EXPECT_TRUE(Form3->formaty->active());
    EXPECT_EQ(Form3->DBGrid1->model()->rowCount(), 5);
}

} // namespace
