#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "costing/refdata/paper_kinds.h"
#include "platform/convert.h"
#include "platform/errors.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware.h"
#include "platform/ui/dataaware_grid.h"
#include "refdata_support.h"
#include "support/typing.h"

using namespace refdatatest;
using Nav = tv::ui::DBNavigator::Button;

namespace {

class PaperKindsTest : public RefdataFixture {
protected:
    void SetUp() override {
        RefdataFixture::SetUp();
        showActive(Form5);
    }

    static QStringList kinds() { return column(QStringLiteral("rodzpap.db"), QStringLiteral("Nazwa")); }
    static QStringList grammagesOf(int kind, const QString& field = QStringLiteral("Gramatura")) {
        return column(QStringLiteral("gramatury.db"), field, {{"Rodzpap", "=", tv::IntToStr(kind)}});
    }
    // What the grid shows of one column, top to bottom.
    static QStringList gridColumn(int c) {
        QStringList texts;
        QAbstractItemModel* model = Form5->DBGrid1->model();
        for (int r = 0; r < model->rowCount(); ++r)
            texts << model->data(model->index(r, c)).toString();
        return texts;
    }
    void addKind(const QString& name) {
        typeInto(Form5->Edit1, name);
        QTest::mouseClick(Form5->SpeedButton1, Qt::LeftButton);
    }
    int kindNr(const QString& name) {
        tv::Table table(QStringLiteral("rodzpap.db"));
        table.open();
        for (table.first(); !table.eof(); table.next())
            if (table.fieldByName("Nazwa").asString() == name) return table.fieldByName("Nr").asInteger();
        return -1;
    }
};

TEST_F(PaperKindsTest, ShowsTheFirstKindAndItsGrammages) {
    EXPECT_EQ(Form5->windowTitle(), QStringLiteral("Rodzaje papieru"));
    EXPECT_EQ(Form5->DBLookupComboBox1->text(), QStringLiteral("Kreda"));
    EXPECT_EQ(Form5->DBText1->text(), QStringLiteral("Kreda"));
    EXPECT_EQ(gridColumn(0), QStringList({"80", "90", "100"}));
    EXPECT_EQ(gridColumn(1), QStringList({"0,20", "0,25", ""}));
    EXPECT_EQ(gridColumn(2), QStringList({"100,00", "", "120,00"}));
    QStringList titles;
    for (int c = 0; c < 3; ++c)
        titles << Form5->DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"Gramatura", "Cena 1 arkusza", "Cena 1 ryzy"}));
    // No insert and no delete on the navigator: grammages come with their kind.
    EXPECT_EQ(Form5->DBNavigator1->visibleButtons(),
              QVector<Nav>({Nav::First, Nav::Prior, Nav::Next, Nav::Last, Nav::Edit, Nav::Post, Nav::Cancel,
                            Nav::Refresh}));
    EXPECT_EQ(Form5->DBNavigator1->button(Nav::Edit)->toolTip(), QStringLiteral("Modyfikuj pozycję"));
    EXPECT_EQ(Form5->DBNavigator1->button(Nav::Post)->toolTip(), QStringLiteral("Potwierdź zmianę"));
}

TEST_F(PaperKindsTest, ChoosingAKindShowsItsGrammages) {
    chooseWithKeys(Form5->DBLookupComboBox1, "Offset");
    EXPECT_EQ(Form5->DBText1->text(), QStringLiteral("Offset"));
    EXPECT_EQ(gridColumn(0), QStringList({"70"}));
    // Shown again, the dialog starts from the first kind.
    Form5->hide();
    Form5->show();
    EXPECT_EQ(Form5->DBLookupComboBox1->text(), QStringLiteral("Kreda"));
    EXPECT_EQ(gridColumn(0), QStringList({"80", "90", "100"}));
}

// ---------------------------------------------------------------------------
// Adding a kind

TEST_F(PaperKindsTest, ANewKindComesWithTheLadderOf45GrammagesWithoutPrices) {
    addKind("Karton");
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
    ASSERT_EQ(kinds(), QStringList({"Kreda", "Offset", "Karton"}));
    const int nr = kindNr("Karton");
    QStringList ladder;
    for (int g = 80; g <= 300; g += 5)
        ladder << QString::number(g);
    ASSERT_EQ(ladder.size(), 45);
    EXPECT_EQ(grammagesOf(nr), ladder);
    EXPECT_EQ(grammagesOf(nr, "Cena_ark"), QStringList(45, QString()));
    EXPECT_EQ(grammagesOf(nr, "Cena_ryzy"), QStringList(45, QString()));
    // The other kinds keep theirs; the dialog shows the new kind.
    EXPECT_EQ(grammagesOf(m_kreda).size(), 3);
    EXPECT_EQ(Form5->Edit1->text(), QString());
    EXPECT_EQ(Form5->DBText1->text(), QStringLiteral("Karton"));
    EXPECT_EQ(Form5->DBLookupComboBox1->text(), QStringLiteral("Karton"));
    EXPECT_EQ(gridColumn(0), ladder);
}

TEST_F(PaperKindsTest, ANameIsNeeded) {
    for (const char* name : {"", "   "}) {
        tv::ui::clearShownMessages();
        addKind(QString::fromUtf8(name));
        EXPECT_EQ(shownTexts(), QStringList({"Wpisz nazwę papieru"})) << "'" << name << "'";
        EXPECT_EQ(tv::ui::shownMessages().value(0).caption, QString());
    }
    EXPECT_EQ(kinds(), QStringList({"Kreda", "Offset"}));
    EXPECT_EQ(rowCount(QStringLiteral("gramatury.db")), 4);
}

TEST_F(PaperKindsTest, TheNameIsLimitedToTenCharactersWhereTyped) {
    typeInto(Form5->Edit1, "Kredowy_matowy");
    EXPECT_EQ(Form5->Edit1->text(), QStringLiteral("Kredowy_ma"));
    Form5->Edit1->clear();
    tvtest::typeText(Form5->Edit1, QStringLiteral("Papier ekologiczny żółty"));
    EXPECT_EQ(Form5->Edit1->text(), QStringLiteral("Papier eko"));
}

// The name lands in the kinds table and in every paper line, both code page
// 1250 text: a character outside it is never taken.
TEST_F(PaperKindsTest, TheNameTakesOnlyWhatTheTableCanHold) {
    Form5->Edit1->setFocus();
    Form5->Edit1->clear();
    tvtest::typeText(Form5->Edit1, QStringLiteral("ΩKarton α"));
    EXPECT_EQ(Form5->Edit1->text(), QStringLiteral("Karton "));
}

TEST_F(PaperKindsTest, AKindAndItsLadderAreStoredTogetherOrNotAtAll) {
    int posts = 0;
    Form5->gramatury->beforePost = [&posts](tv::Table&) {
        if (++posts == 30) throw tv::EDatabaseError(QStringLiteral("Dysk pełny"));
    };
    addKind("Karton");
    EXPECT_EQ(shownTexts(), QStringList({"Dysk pełny"}));
    EXPECT_EQ(kinds(), QStringList({"Kreda", "Offset"}));
    EXPECT_EQ(rowCount(QStringLiteral("gramatury.db")), 4);
    EXPECT_EQ(Form5->gramatury->state(), tv::Table::State::Browse);
    EXPECT_EQ(Form5->rodzpap->recordCount(), 2);

    // The rule comes back on for the next kind.
    Form5->gramatury->beforePost = nullptr;
    tv::ui::clearShownMessages();
    addKind("Karton");
    EXPECT_TRUE(shownTexts().isEmpty());
    EXPECT_EQ(grammagesOf(kindNr("Karton")).size(), 45);
}

// ---------------------------------------------------------------------------
// The ream price filled from the sheet price

struct ReamCase {
    const char* name;
    const char* grammage; // row of Kreda to edit
    const char* sheet;    // typed into "Cena za arkusz"; nullptr leaves it
    const char* ream;     // typed into "Cena za ryzę"; nullptr leaves it
    const char* storedSheet;
    const char* storedReam;
};

const ReamCase kReamCases[] = {
    {"SheetPriceFillsAnEmptyReamPrice", "90", "0,30", nullptr, "0,3", "150"},
    {"SheetPriceFillsAZeroReamPrice", "90", "0,30", "0", "0,3", "150"},
    {"PostingAlonePricesTheReamFromTheSheet", "90", nullptr, nullptr, "0,25", "125"},
    {"ASetReamPriceStays", "80", "0,40", nullptr, "0,4", "100"},
    {"ZeroSheetPriceFillsNothing", "90", "0", "0", "0", "0"},
    {"AReamPriceAloneFillsNoSheetPrice", "100", nullptr, "125", "", "125"},
};

class ReamPrice : public PaperKindsTest, public ::testing::WithParamInterface<ReamCase> {};

TEST_P(ReamPrice, FollowsTheRuleAfterPosting) {
    const ReamCase& c = GetParam();
    const int row =
        Form5->DBGrid1->model()
            ->match(Form5->DBGrid1->model()->index(0, 0), Qt::DisplayRole, QString::fromUtf8(c.grammage))
            .value(0)
            .row();
    QTest::mouseClick(Form5->DBGrid1->viewport(), Qt::LeftButton, {},
                      Form5->DBGrid1->visualRect(Form5->DBGrid1->model()->index(row, 0)).center());
    ASSERT_EQ(Form5->DBEdit2->text(), QString::fromUtf8(c.grammage));

    Form5->DBNavigator1->click(Nav::Edit);
    if (c.sheet) typeInto(Form5->DBEdit3, QString::fromUtf8(c.sheet));
    if (c.ream) typeInto(Form5->DBEdit1, QString::fromUtf8(c.ream));
    Form5->DBNavigator1->click(Nav::Post);

    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
    EXPECT_EQ(Form5->gramatury->state(), tv::Table::State::Browse);
    EXPECT_TRUE(przeliczanieCeny);
    const QStringList grammages = grammagesOf(m_kreda);
    const int stored = grammages.indexOf(QString::fromUtf8(c.grammage));
    EXPECT_EQ(grammagesOf(m_kreda, "Cena_ark").value(stored), QString::fromUtf8(c.storedSheet));
    EXPECT_EQ(grammagesOf(m_kreda, "Cena_ryzy").value(stored), QString::fromUtf8(c.storedReam));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReamPrice, ::testing::ValuesIn(kReamCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PaperKindsTest, AReamPriceOnceFilledIsNotChangedByANewSheetPrice) {
    Form5->gramatury->moveTo(2); // 90 g, no ream price
    Form5->DBNavigator1->click(Nav::Edit);
    typeInto(Form5->DBEdit3, "0,30");
    Form5->DBNavigator1->click(Nav::Post);
    EXPECT_EQ(grammagesOf(m_kreda, "Cena_ryzy").value(1), QStringLiteral("150"));
    Form5->DBNavigator1->click(Nav::Edit);
    typeInto(Form5->DBEdit3, "0,40");
    Form5->DBNavigator1->click(Nav::Post);
    EXPECT_EQ(grammagesOf(m_kreda, "Cena_ark").value(1), QStringLiteral("0,4"));
    EXPECT_EQ(grammagesOf(m_kreda, "Cena_ryzy").value(1), QStringLiteral("150"));
    EXPECT_EQ(Form5->DBEdit1->text(), QStringLiteral("150,00"));
}

TEST_F(PaperKindsTest, TypingChangesNothingBeforeModifyIsPressed) {
    Form5->gramatury->first();
    QTest::keyClicks(Form5->DBEdit3, "9");
    EXPECT_EQ(Form5->DBEdit3->text(), QStringLiteral("0,20"));
    EXPECT_EQ(Form5->gramatury->state(), tv::Table::State::Browse);
}

TEST_F(PaperKindsTest, TheRuleIsOnAgainAfterItsOwnPostFailed) {
    Form5->gramatury->moveTo(2); // 90 g, no ream price
    int posts = 0;
    // The operator's post lands; the rule's own post fails.
    Form5->gramatury->beforePost = [&posts](tv::Table&) {
        if (++posts == 2) throw tv::EDatabaseError(QStringLiteral("Tabela zablokowana"));
    };
    Form5->DBNavigator1->click(Nav::Edit);
    typeInto(Form5->DBEdit3, "0,30");
    Form5->DBNavigator1->click(Nav::Post);
    EXPECT_EQ(shownTexts(), QStringList({"Tabela zablokowana"}));
    EXPECT_TRUE(przeliczanieCeny);
    EXPECT_EQ(Form5->gramatury->state(), tv::Table::State::Browse);
    EXPECT_EQ(grammagesOf(m_kreda, "Cena_ark").value(1), QStringLiteral("0,3"));
    EXPECT_EQ(grammagesOf(m_kreda, "Cena_ryzy").value(1), QString());

    // The next post fills the ream price again.
    Form5->gramatury->beforePost = nullptr;
    Form5->DBNavigator1->click(Nav::Edit);
    Form5->DBNavigator1->click(Nav::Post);
    EXPECT_EQ(grammagesOf(m_kreda, "Cena_ryzy").value(1), QStringLiteral("150"));
}

// ---------------------------------------------------------------------------
// Deleting a kind

TEST_F(PaperKindsTest, DeletingAKindAsksWithTheLoneApostropheAndTakesItsGrammages) {
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    QTest::mouseClick(Form5->SpeedButton2, Qt::LeftButton);
    ASSERT_EQ(tv::ui::shownMessages().size(), 1);
    EXPECT_EQ(tv::ui::shownMessages()[0].text,
              QStringLiteral("Czy na pewno chcesz usunąć rodzaj papieru 'Kreda?"));
    EXPECT_EQ(tv::ui::shownMessages()[0].caption, QString());
    EXPECT_EQ(tv::ui::shownMessages()[0].buttons, tv::ui::Buttons::YesNo);
    EXPECT_EQ(kinds(), QStringList({"Kreda", "Offset"}));
    EXPECT_EQ(rowCount(QStringLiteral("gramatury.db")), 4);

    tv::ui::clearShownMessages();
    QTest::mouseClick(Form5->SpeedButton2, Qt::LeftButton);
    ASSERT_EQ(tv::ui::shownMessages().size(), 2);
    EXPECT_EQ(tv::ui::shownMessages()[1].text,
              QStringLiteral("Usunięto rodzaj papieru 'Kreda' wraz z przypisanymi mu cenami gramatur"));
    EXPECT_EQ(tv::ui::shownMessages()[1].caption, QStringLiteral("OK"));
    EXPECT_EQ(tv::ui::shownMessages()[1].buttons, tv::ui::Buttons::Ok);
    EXPECT_EQ(kinds(), QStringList({"Offset"}));
    EXPECT_TRUE(grammagesOf(m_kreda).isEmpty());
    EXPECT_EQ(grammagesOf(m_offset), QStringList({"70"}));
    // The dialog goes on with the kind that is now current.
    EXPECT_EQ(Form5->DBText1->text(), QStringLiteral("Offset"));
    EXPECT_TRUE(Form5->gramatury->filtered());
    EXPECT_EQ(gridColumn(0), QStringList({"70"}));
}

TEST_F(PaperKindsTest, DeletingTheOnlyKindLeavesTheGrammagesUnfiltered) {
    // A grammage row of a kind that no longer exists.
    addGrammage(99, 60, 0.05, std::nullopt);
    chooseWithKeys(Form5->DBLookupComboBox1, "Offset");
    QTest::mouseClick(Form5->SpeedButton2, Qt::LeftButton);
    ASSERT_EQ(kinds(), QStringList({"Kreda"}));
    QTest::mouseClick(Form5->SpeedButton2, Qt::LeftButton);
    EXPECT_TRUE(kinds().isEmpty());
    EXPECT_FALSE(Form5->gramatury->filtered());
    EXPECT_EQ(gridColumn(0), QStringList({"60"}));
    EXPECT_EQ(Form5->DBLookupComboBox1->text(), QString());

    tv::ui::clearShownMessages();
    QTest::mouseClick(Form5->SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(shownTexts(), QStringList({"Wybierz rodzaj papieru"}));
}

TEST_F(PaperKindsTest, AFailedDeletionLeavesTheKindAndAllItsGrammages) {
    int steps = 0;
    Form5->gramatury->afterScroll = [&steps](tv::Table&) {
        if (++steps == 2) throw tv::EDatabaseError(QStringLiteral("Błąd zapisu"));
    };
    QTest::mouseClick(Form5->SpeedButton2, Qt::LeftButton);
    Form5->gramatury->afterScroll = nullptr;
    EXPECT_TRUE(shownTexts().contains("Błąd zapisu")) << shownTexts().join(" | ").toStdString();
    EXPECT_FALSE(
        shownTexts().contains("Usunięto rodzaj papieru 'Kreda' wraz z przypisanymi mu cenami gramatur"));
    EXPECT_EQ(kinds(), QStringList({"Kreda", "Offset"}));
    EXPECT_EQ(grammagesOf(m_kreda), QStringList({"80", "90", "100"}));
    EXPECT_EQ(Form5->rodzpap->recordCount(), 2);
}

TEST_F(PaperKindsTest, AGrammageIsNotInsertedWhileThereIsNoKind) {
    emptyTable(QStringLiteral("rodzpap.db"));
    Form5->rodzpap->refresh();
    const int before = Form5->gramatury->recordCount();
    tv::ui::guard([] { Form5->gramatury->append(); });
    EXPECT_EQ(shownTexts(), QStringList({"Dodaj najpierw rodzaj papieru"}));
    EXPECT_EQ(Form5->gramatury->state(), tv::Table::State::Browse);
    EXPECT_EQ(Form5->gramatury->recordCount(), before);
}

TEST_F(PaperKindsTest, ANewGrammageRowBelongsToTheCurrentKind) {
    chooseWithKeys(Form5->DBLookupComboBox1, "Offset");
    Form5->gramatury->append();
    EXPECT_EQ(Form5->gramatury->fieldByName("Rodzpap").asInteger(), m_offset);
    Form5->gramatury->cancel();
}

// The grid makes new grammages as the operator expects of an editable grid:
// Down on the last row appends, Insert inserts at the current row, each row
// given the current kind by the table's after-insert handler.
TEST_F(PaperKindsTest, TheGridAppendsOnDownAndInsertsOnInsert) {
    tv::ui::DBGrid* grid = Form5->DBGrid1;
    grid->setFocus();
    auto clickRow = [grid](int row) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 0)).center());
    };
    // The first key opens the cell's editor; the others go to it.
    auto typeAndEnter = [grid](const char* text) {
        for (const char* c = text; *c; ++c)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : grid, *c);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    };
    clickRow(2);
    QTest::keyClick(grid, Qt::Key_Down);
    ASSERT_EQ(Form5->gramatury->state(), tv::Table::State::Insert);
    EXPECT_EQ(Form5->gramatury->fieldByName("Rodzpap").asInteger(), m_kreda);
    EXPECT_EQ(gridColumn(0), QStringList({"80", "90", "100", ""}));
    typeAndEnter("310");
    // Down from the new row posts it and appends the next one; Down again
    // from that untouched row adds none, and leaving it takes it back.
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(Form5->gramatury->state(), tv::Table::State::Insert);
    EXPECT_EQ(gridColumn(0), QStringList({"80", "90", "100", "310", ""}));
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(gridColumn(0), QStringList({"80", "90", "100", "310"}));
    clickRow(1);
    EXPECT_EQ(Form5->gramatury->state(), tv::Table::State::Browse);
    QTest::keyClick(grid, Qt::Key_Insert);
    EXPECT_EQ(gridColumn(0), QStringList({"80", "", "90", "100", "310"}));
    clickRow(3); // off the untouched row: it goes, the cursor lands on 100
    EXPECT_EQ(gridColumn(0), QStringList({"80", "90", "100", "310"}));
    EXPECT_EQ(Form5->gramatury->fieldByName("Gramatura").asString(), "100");
    clickRow(1);
    QTest::keyClick(grid, Qt::Key_Insert);
    ASSERT_EQ(Form5->gramatury->state(), tv::Table::State::Insert);
    typeAndEnter("85");
    Form5->gramatury->post();
    EXPECT_EQ(grammagesOf(m_kreda), QStringList({"80", "85", "90", "100", "310"}));
    EXPECT_EQ(grammagesOf(m_offset).size(), 1);
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
}

TEST_F(PaperKindsTest, TheGridInsertsNothingWhileThereIsNoKind) {
    emptyTable(QStringLiteral("rodzpap.db"));
    Form5->rodzpap->refresh();
    const int before = Form5->gramatury->recordCount();
    Form5->DBGrid1->setFocus();
    QTest::keyClick(Form5->DBGrid1, Qt::Key_Insert);
    EXPECT_EQ(shownTexts(), QStringList({"Dodaj najpierw rodzaj papieru"}));
    EXPECT_EQ(Form5->gramatury->state(), tv::Table::State::Browse);
    EXPECT_EQ(Form5->gramatury->recordCount(), before);
}

// Without kinds at start-up the grammages are not narrowed to any kind: the
// grid shows the rows that belong to none, as after deleting the last kind.
class PaperKindsWithoutKindsTest : public PaperKindsTest {
protected:
    void addData() override {
        addFormat(QStringLiteral("A4"), 16);
        addFormat(QStringLiteral("A3"), 8);
        writeSettings({{"Matryca", "A3"}});
        addGrammage(1, 60, 0.05, std::nullopt);
        addGrammage(7, 70, 0.06, std::nullopt);
    }
};

TEST_F(PaperKindsWithoutKindsTest, StartsWithTheGrammagesUnfiltered) {
    EXPECT_EQ(Form5->DBLookupComboBox1->text(), QString());
    EXPECT_EQ(Form5->DBText1->text(), QString());
    EXPECT_FALSE(Form5->gramatury->filtered());
    EXPECT_EQ(gridColumn(0), QStringList({"60", "70"}));
    // A first kind added then narrows them to its own ladder.
    addKind("Kreda");
    EXPECT_TRUE(Form5->gramatury->filtered());
    EXPECT_EQ(gridColumn(0).size(), 45);
}

TEST_F(PaperKindsTest, ClosingHidesTheDialog) {
    QTest::mouseClick(Form5->SpeedButton3, Qt::LeftButton);
    EXPECT_FALSE(Form5->isVisible());
}

} // namespace
