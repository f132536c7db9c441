// The goods and services register driven as the operator does: net and
// gross with the rate, the two grids, search, "dodaj" and "anuluj".

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/registers/goods.h"
#include "platform/table.h"
#include "platform/ui/dataaware_combo.h"
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/dataaware_grid.h"
#include "registers_support.h"

using namespace registerstest;

namespace {

class GoodsRegister : public tvtest::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        tv::ui::clearShownMessages();
    }

    static tv::Table& goods() { return *Form_fa5->towary; }

    static void open() {
        goods().refresh();
        showActive(Form_fa5);
    }

    // Moves the register to the goods of that number.
    static void select(int nr) {
        goods().first();
        while (!goods().eof() && goods().fieldByName("Nr").asInteger() != nr)
            goods().next();
        ASSERT_FALSE(goods().eof());
    }

    static QVariant stored(int nr, const char* field) {
        return valueOf("towary.DB", "Nr", nr, QString::fromLatin1(field));
    }

    // Leaves a box the way the operator does: the focus goes to another one.
    static void leave() { Form_fa5->DBEdit5->setFocus(); }
};

// ---- net and gross ----------------------------------------------------------------

struct PricingCase {
    const char* name;
    const char* rate;
    const char* typedNet;   // into "Wartość netto", or nullptr
    const char* typedGross; // into "Wartość brutto", or nullptr
    const char* grossShown;
    const char* netShown;
    double storedNet;
    double storedGross;
};

class Pricing : public GoodsRegister, public ::testing::WithParamInterface<PricingCase> {};

TEST_P(Pricing, TypedValueSetsTheOther) {
    const PricingCase& c = GetParam();
    addGoods({"Ulotka", 1, "ULO", QString::fromUtf8(c.rate), 1.0, 1.0});
    open();
    select(1);

    if (c.typedNet) typeInto(Form_fa5->DBEdit3, QString::fromUtf8(c.typedNet));
    if (c.typedGross) typeInto(Form_fa5->EditBrutto, QString::fromUtf8(c.typedGross));
    // The other box follows while the operator types.
    if (c.typedGross)
        EXPECT_EQ(Form_fa5->DBEdit3->text(), c.netShown);
    else
        EXPECT_EQ(Form_fa5->EditBrutto->text(), c.grossShown);
    leave();
    click(Form_fa5->SpeedButton9);

    EXPECT_DOUBLE_EQ(stored(1, "Netto").toDouble(), c.storedNet);
    EXPECT_DOUBLE_EQ(stored(1, "Brutto").toDouble(), c.storedGross);
    EXPECT_EQ(Form_fa5->DBEdit3->text(), c.netShown);
    EXPECT_EQ(Form_fa5->EditBrutto->text(), c.grossShown);
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
}

const PricingCase kPricing[] = {
    {"NetAt22", "22", "100", nullptr, "122,00", "100,00", 100, 122},
    {"NetExempt", "zw.", "100", nullptr, "100,00", "100,00", 100, 100},
    {"NetAt3", "3", "100", nullptr, "103,00", "100,00", 100, 103},
    {"NetAtZwWithoutDot", "zw", "100", nullptr, "100,00", "100,00", 100, 100},
    {"NetWithDecimals", "22", "12,35", nullptr, "15,07", "12,35", 12.35, 15.067},
    {"HalfPercentDoesNotCount", "7,5", "100", nullptr, "107,00", "100,00", 100, 107},
    {"GrossAt22", "22", nullptr, "122", "122,00", "100,00", 100, 122},
    {"GrossAt7FourDecimals", "7", nullptr, "100", "100,00", "93,46", 93.4579, 100},
};

INSTANTIATE_TEST_SUITE_P(Cases, Pricing, ::testing::ValuesIn(kPricing),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GoodsRegister, ChoosingARateComputesTheGross) {
    addGoods({"Ulotka", 1, "ULO", "22", 100.0, 122.0});
    open();
    select(1);
    Form_fa5->DBComboBox1->setFocus();
    // "22" is current; the item above it is "7".
    QTest::keyClick(Form_fa5->DBComboBox1, Qt::Key_Up);
    EXPECT_EQ(Form_fa5->DBComboBox1->text(), "7");
    EXPECT_EQ(Form_fa5->EditBrutto->text(), "107,00");
    EXPECT_EQ(goods().fieldByName("VAT").asString(), "7");

    // Typing a rate computes as the operator types it.
    typeInto(Form_fa5->DBComboBox1, "3");
    EXPECT_EQ(Form_fa5->EditBrutto->text(), "103,00");
    leave();
    click(Form_fa5->SpeedButton9);
    EXPECT_EQ(stored(1, "VAT").toString(), "3");
    EXPECT_DOUBLE_EQ(stored(1, "Brutto").toDouble(), 103);
}

TEST_F(GoodsRegister, EmptyRateBoxLeavesTheGrossAlone) {
    addGoods({"Usługa", 1, "USL", "", 10.0, 55.0});
    open();
    select(1);
    typeInto(Form_fa5->DBEdit3, "20");
    leave();
    click(Form_fa5->SpeedButton9);
    EXPECT_DOUBLE_EQ(stored(1, "Netto").toDouble(), 20);
    EXPECT_DOUBLE_EQ(stored(1, "Brutto").toDouble(), 55);
}

TEST_F(GoodsRegister, NetEditedInTheGridComputesTheGross) {
    addGoods({"Ulotka", 1, "ULO", "22", 100.0, 122.0});
    open();
    select(1);
    tv::ui::DBGrid* grid = Form_fa5->DBGrid2;
    const QModelIndex net = grid->model()->index(0, 4); // Nazwa, Id, VAT, Jm, Netto
    ASSERT_EQ(grid->model()->headerData(4, Qt::Horizontal).toString(), "Netto");
    ASSERT_TRUE(grid->model()->setData(net, QStringLiteral("50")));
    EXPECT_EQ(Form_fa5->EditBrutto->text(), "61,00");
    click(Form_fa5->SpeedButton9);
    EXPECT_DOUBLE_EQ(stored(1, "Brutto").toDouble(), 61);
}

TEST_F(GoodsRegister, BrowsingAndPassingThroughWritesNothing) {
    // Stored values that do not agree with the rule stay as they are until
    // the operator edits them.
    addGoods({"A", 1, "A", "22", 100.0, 150.0});
    addGoods({"B", 2, "B", "7", 10.0, 99.0});
    addGoods({"C", 3, "C", "", 5.0, 1.0});
    open();
    for (int step = 0; step < 3; ++step) {
        click(Form_fa5->SpeedButton6);
        Form_fa5->DBEdit3->setFocus();
        Form_fa5->DBComboBox1->setFocus();
        QTest::keyClick(Form_fa5->DBComboBox1, Qt::Key_Tab);
        Form_fa5->EditBrutto->setFocus();
    }
    click(Form_fa5->SpeedButton3);
    click(Form_fa5->SpeedButton4);
    EXPECT_EQ(goods().state(), tv::Table::State::Browse);
    EXPECT_DOUBLE_EQ(stored(1, "Brutto").toDouble(), 150);
    EXPECT_DOUBLE_EQ(stored(2, "Brutto").toDouble(), 99);
    EXPECT_DOUBLE_EQ(stored(3, "Brutto").toDouble(), 1);
}

TEST_F(GoodsRegister, RateThatIsNoNumberIsReportedAndComputesNothing) {
    addGoods({"Ulotka", 1, "ULO", "22", 100.0, 122.0});
    open();
    select(1);
    typeInto(Form_fa5->DBComboBox1, "ab");
    EXPECT_TRUE(shownTexts().isEmpty()); // not while it is being typed
    EXPECT_EQ(Form_fa5->EditBrutto->text(), "122,00");
    leave();
    ASSERT_EQ(shownTexts().size(), 1);
    EXPECT_EQ(shownTexts().first(), "'ab' is not a valid floating point value");
    EXPECT_EQ(Form_fa5->EditBrutto->text(), "122,00");
    click(Form_fa5->SpeedButton10);
    EXPECT_EQ(stored(1, "VAT").toString(), "22");
}

// ---- the two grids -------------------------------------------------------------------

TEST_F(GoodsRegister, StockVersionShowsTheGridWithClassAndStock) {
    addGoods({"Ulotka", 1, "ULO", "22", 1.0, 1.22, 5.0});
    Form_fa10->CheckBox1->setChecked(false);
    open();
    EXPECT_TRUE(Form_fa5->DBGrid2->isVisible());
    QStringList titles;
    for (int c = 0; c < Form_fa5->DBGrid2->model()->columnCount(); ++c)
        titles << Form_fa5->DBGrid2->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"Nazwa", "Identyfikator", "VAT", "Jm", "Netto", "Opis", "PKWiU"}));
    Form_fa5->close();

    {
        // Checked by reading the settings, not by the operator's click:
        // showing the register shows the stock grid.
        const QSignalBlocker quiet(Form_fa10->CheckBox1);
        Form_fa10->CheckBox1->setChecked(true);
    }
    showActive(Form_fa1);
    open();
    EXPECT_FALSE(Form_fa5->DBGrid2->isVisible());
    EXPECT_TRUE(Form_fa5->DBGrid1->isVisible());
    titles.clear();
    for (int c = 0; c < Form_fa5->DBGrid1->model()->columnCount(); ++c)
        titles << Form_fa5->DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"Nazwa", "VAT", "Jm", "Netto", "Opis", "PKWiU", "Klasa", "Magazyn"}));

    // Switched in the administration, the grids change at once.
    Form_fa10->CheckBox1->setChecked(false);
    EXPECT_TRUE(Form_fa5->DBGrid2->isVisible());
    EXPECT_FALSE(Form_fa5->DBGrid1->isVisible());
    Form_fa10->CheckBox1->setChecked(true);
    EXPECT_TRUE(Form_fa5->DBGrid1->isVisible());
    EXPECT_FALSE(Form_fa5->DBGrid2->isVisible());
}

// ---- search ------------------------------------------------------------------------------

TEST_F(GoodsRegister, SearchNarrowsByBoundTextsAndClearingShowsAll) {
    addGoods({"Papier", 1, "PAP"});
    addGoods({"Koperta", 2, "KOP"});
    addGoods({"O'Brien tusz", 3, "TUS"});
    addGoods({"Zeszyt", 4, "ZES"});
    open();
    QTest::keyClicks(Form_fa5->Nazwa, "P");
    EXPECT_EQ(shownValues(goods(), "Nazwa"), QStringList({"Papier", "Zeszyt"}));
    typeInto(Form_fa5->Nazwa, "O'B");
    EXPECT_EQ(shownValues(goods(), "Nazwa"), QStringList({"O'Brien tusz", "Papier", "Zeszyt"}));
    EXPECT_TRUE(shownTexts().isEmpty());
    click(Form_fa5->Panel1);
    EXPECT_EQ(Form_fa5->Nazwa->text(), "");
    EXPECT_EQ(goods().recordCount(), 4);
}

// ---- dodaj, anuluj, potwierdź, usuń, zamknij --------------------------------------------

TEST_F(GoodsRegister, AddStoresANumberedRecordAtOnceAboveEveryNumber) {
    addGoods({"Alfa", 41});
    addGoods({"Zeta", 3});
    open();
    QTest::keyClicks(Form_fa5->Nazwa, "Z"); // the search hides number 41
    click(Form_fa5->SpeedButton7);
    EXPECT_EQ(goods().state(), tv::Table::State::Browse);
    EXPECT_EQ(goods().fieldByName("Nr").asInteger(), 42);
    EXPECT_EQ(stored(42, "Nazwa").toString(), "");
    EXPECT_TRUE(Form_fa5->addedRecord);

    typeInto(Form_fa5->DBEdit1, "Nowy towar");
    click(Form_fa5->SpeedButton9);
    EXPECT_FALSE(Form_fa5->addedRecord);
    click(Form_fa5->SpeedButton10); // nothing added is pending: only a cancel
    EXPECT_EQ(stored(42, "Nazwa").toString(), "Nowy towar");
}

TEST_F(GoodsRegister, AddOnAnEmptyRegisterGivesOne) {
    open();
    click(Form_fa5->SpeedButton20);
    EXPECT_EQ(column("towary.DB", "Nr"), QStringList({"1"}));
}

TEST_F(GoodsRegister, CancelRemovesTheAddedRecordWhereverTheCursorMoved) {
    addGoods({"Alfa", 1});
    addGoods({"Beta", 2});
    open();
    click(Form_fa5->SpeedButton7);
    typeInto(Form_fa5->DBEdit1, "Gamma");
    click(Form_fa5->SpeedButton3); // posts the name, moves to the first row
    EXPECT_EQ(column("towary.DB", "Nazwa"), QStringList({"Alfa", "Beta", "Gamma"}));
    click(Form_fa5->SpeedButton15);
    EXPECT_EQ(column("towary.DB", "Nazwa"), QStringList({"Alfa", "Beta"}));
    EXPECT_EQ(goods().recordCount(), 2);
    EXPECT_FALSE(Form_fa5->addedRecord);

    // Without a pending "dodaj", "anuluj" only drops the edit.
    select(2);
    typeInto(Form_fa5->DBEdit1, "Beta zmieniona");
    click(Form_fa5->SpeedButton10);
    EXPECT_EQ(column("towary.DB", "Nazwa"), QStringList({"Alfa", "Beta"}));
}

TEST_F(GoodsRegister, DeleteAsksAndKeepsTheRowOnNo) {
    addGoods({"Alfa", 1});
    addGoods({"Beta", 2});
    open();
    select(2);
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    click(Form_fa5->SpeedButton8);
    EXPECT_EQ(rowCount("towary.DB"), 2);
    click(Form_fa5->SpeedButton19);
    EXPECT_EQ(column("towary.DB", "Nazwa"), QStringList({"Alfa"}));
    EXPECT_EQ(shownTexts(),
              QStringList({"Czy na pewno usunąć wybraną pozycję?", "Czy na pewno usunąć wybraną pozycję?"}));
}

TEST_F(GoodsRegister, CloseStoresTheEditAndRefillsThePicker) {
    addGoods({"Alfa", 1, "ALF", "22", 1.0, 1.22, 3.0});
    open();
    select(1);
    typeInto(Form_fa5->DBEdit7, "AAA");
    click(Form_fa5->SpeedButton1);
    EXPECT_FALSE(Form_fa5->isVisible());
    EXPECT_EQ(stored(1, "Id").toString(), "AAA");
    ASSERT_EQ(Form_fa1->ComboBox5->count(), 1);
    EXPECT_EQ(Form_fa1->ComboBox5->itemText(0), "AAA");
}

// However the operator leaves the register, the goods being typed are kept
// and the invoice window's goods picker offers them, as "zamknij" does.
TEST_F(GoodsRegister, CloseBoxAndEscapeLeaveAsZamknijDoes) {
    Form_fa10->CheckBox1->setChecked(false); // every goods item is offered, stock or not
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "close box");
        open();
        click(Form_fa5->SpeedButton7); // dodaj
        const char* id = escape ? "ESC" : "OKNO";
        typeInto(Form_fa5->DBEdit7, id);
        // The operator moves on to the next field, then leaves with Escape
        // (in the field still being typed, Escape takes the typing back).
        QTest::keyClick(Form_fa5->DBEdit7, Qt::Key_Tab);
        if (escape)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            Form_fa5->close();
        EXPECT_FALSE(Form_fa5->isVisible());
        EXPECT_EQ(goods().state(), tv::Table::State::Browse);
        EXPECT_GE(Form_fa1->ComboBox5->findText(id), 0);
    }
    EXPECT_EQ(column("towary.DB", "Id"), QStringList({"OKNO", "ESC"}));
}

// Goods the table refuses keep the register open, the error shown, so that
// the operator can put them right.
TEST_F(GoodsRegister, CloseBoxKeepsTheRegisterOpenWhenTheGoodsAreRefused) {
    addGoods({"Alfa", 1, "ALF", "22", 1.0, 1.22, 3.0});
    open();
    click(Form_fa5->SpeedButton7); // dodaj
    typeInto(Form_fa5->DBEdit1, "Alfa");
    QTest::keyClick(Form_fa5->DBEdit1, Qt::Key_Tab);
    goods().fieldByName("Nr").setAsInteger(1); // the name and number of the goods there already
    Form_fa5->close();
    EXPECT_TRUE(Form_fa5->isVisible());
    EXPECT_EQ(shownTexts().size(), 1);
    EXPECT_EQ(column("towary.DB", "Nazwa"), QStringList({"", "Alfa"}));
}

} // namespace
