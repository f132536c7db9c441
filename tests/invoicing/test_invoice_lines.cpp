// The invoice's lines in the window: typing a line into the grid, the line
// commands and keys, goods lines and the discount.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include "invoice_fixture.h"
#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/registers/goods.h"
#include "invoicing/registers/issued_invoices.h"
#include "invoicing/rules/invoice_lines.h"
#include "invoicing/rules/stock.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware.h"

using tvtest::InvoiceFixture;

namespace {

enum Column { Lp, Nazwa, PKWiU, Ilosc, Jm, NettoJedn, Netto, VAT, KwotaVAT, Brutto, Klasa };

class InvoiceLines : public InvoiceFixture {
protected:
    void SetUp() override {
        InvoiceFixture::SetUp();
        Form_fa1->handOver = [this] { ++handOvers; };
        showWindow();
        tv::ui::clearShownMessages();
    }

    tv::ui::DBGrid* grid() const { return Form_fa1->DBGrid1; }
    tv::Table& lines() const { return *Form_fa1->pozycje; }

    // Clicks a cell of the grid, as the operator does.
    void click(int row, int column) {
        const QModelIndex index = grid()->model()->index(row, column);
        ASSERT_TRUE(index.isValid());
        grid()->setFocus(Qt::MouseFocusReason);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(index).center());
    }
    // Types into whatever has the focus: the first key opens the cell's editor.
    static void type(const QString& text) {
        for (QChar ch : text)
            QTest::keyClicks(QApplication::focusWidget(), QString(ch));
    }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QApplication::processEvents();
    }
    // Types a cell of the current line and leaves it with Tab.
    void fill(int column, const QString& text) {
        click(lines().recNo() - 1, column);
        type(text);
        press(Qt::Key_Tab);
    }

    QString field(const char* name) { return lines().fieldByName(name).asString(); }

    int handOvers = 0;
};

} // namespace

TEST_F(InvoiceLines, ALineTypedInTheGridCarriesItsFigures) {
    const QString totalBefore = Form_fa1->Edit1->text();
    grid()->setFocus(Qt::MouseFocusReason);
    press(Qt::Key_Insert);
    ASSERT_EQ(lines().state(), tv::Table::State::Insert);
    EXPECT_EQ(field("Lp"), "1");
    fill(Nazwa, "Ulotki");
    fill(Ilosc, "3");
    fill(NettoJedn, "0,333");
    fill(VAT, "22");
    // Net rounded, VAT and gross not, while the line is still open.
    EXPECT_EQ(field("Netto"), "1");
    EXPECT_EQ(field("KwotaVAT"), "0,22");
    EXPECT_EQ(field("Brutto"), "1,22");
    EXPECT_EQ(Form_fa1->Edit1->text(), totalBefore); // no recompute before the line is confirmed

    click(0, Nazwa);
    press(Qt::Key_Return); // confirms the open line
    EXPECT_EQ(lines().state(), tv::Table::State::Browse);
    EXPECT_EQ(lines().recordCount(), 1);
    EXPECT_EQ(Form_fa1->Edit3->text(), "1,00 zł");
    EXPECT_EQ(Form_fa1->Edit2->text(), "0,22 zł");
    EXPECT_EQ(Form_fa1->Edit1->text(), "1,22 zł");
    EXPECT_EQ(Form_fa1->Edit4->text(), QString::fromUtf8(" jeden zł 22\\100"));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(InvoiceLines, DownOnTheLastLineStartsTheNextOne) {
    grid()->setFocus(Qt::MouseFocusReason);
    press(Qt::Key_Insert);
    fill(Nazwa, "Ulotki");
    click(0, Ilosc);
    type("2");
    press(Qt::Key_Down);
    // The typed line is posted and a new one opened after it.
    EXPECT_EQ(lines().recordCount(), 1);
    EXPECT_EQ(lines().state(), tv::Table::State::Insert);
    EXPECT_EQ(lines().recNo(), 2);
    // The next name goes into the new line; the first keeps its own.
    fill(Nazwa, "Teczki");
    EXPECT_EQ(field("Nazwa"), "Teczki");
    press(Qt::Key_Return); // confirms the open line
    EXPECT_EQ(lines().recordCount(), 2);
    lines().first();
    EXPECT_EQ(field("Nazwa"), "Ulotki");
    EXPECT_EQ(field("Ilosc"), "2");

    // Down from a new line nobody typed in opens no second one, and Up
    // takes it back.
    click(1, Nazwa);
    press(Qt::Key_Down);
    ASSERT_EQ(lines().state(), tv::Table::State::Insert);
    press(Qt::Key_Down);
    EXPECT_EQ(lines().recNo(), 3);
    press(Qt::Key_Up);
    EXPECT_EQ(lines().state(), tv::Table::State::Browse);
    EXPECT_EQ(lines().recordCount(), 2);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(InvoiceLines, UnitPriceOfSevenPerCentKeepsItsUnroundedVat) {
    addLine("Druk", 1, 10.01, "7");
    EXPECT_EQ(lineFigures(), QStringList({"10,01 10,01 0,7007 10,7107"}));
    addLine("Zwolniony", 2, 5, "zw.");
    addLine("Bez stawki", 1, 4, "");
    addLine("Puste", 0, 0, "22");
    EXPECT_EQ(lineFigures(), QStringList({"10,01 10,01 0,7007 10,7107", "5 10 0 10", "4 4 0 4", "0 0 0 0"}));
}

TEST_F(InvoiceLines, VatRrLinesCarryNoVat) {
    Form_fa1->TrybVatRR = true;
    addLine("Płody rolne", 2, 50, "22");
    EXPECT_EQ(lineFigures(), QStringList({"50 100 0 100"}));
}

TEST_F(InvoiceLines, ARateThatIsNoRateKeepsTheLineOpenWithAMessage) {
    grid()->setFocus(Qt::MouseFocusReason);
    press(Qt::Key_Insert);
    fill(Nazwa, "Papier");
    fill(Ilosc, "2");
    fill(NettoJedn, "10");
    fill(VAT, "VAT");
    EXPECT_EQ(field("Netto"), "20");
    EXPECT_EQ(field("KwotaVAT"), "0");
    Form_fa1->SpeedButton14->click();
    EXPECT_EQ(lines().state(), tv::Table::State::Insert);
    EXPECT_EQ(lines().recordCount(), 0);
    EXPECT_EQ(messageTexts(), QStringList({invoicing::invalidRateMessage("VAT")}));
    // Corrected to "zw", counted as exempt, the line goes in.
    fill(VAT, "zw");
    Form_fa1->SpeedButton14->click();
    EXPECT_EQ(lines().recordCount(), 1);
    EXPECT_EQ(Form_fa1->Edit1->text(), "20,00 zł");
}

TEST_F(InvoiceLines, DeletingAsksAndRecomputesEitherWay) {
    // Nothing to delete: no question.
    Form_fa1->SpeedButton19->click();
    EXPECT_TRUE(messages().isEmpty());

    addLine("A", 1, 10, "22");
    addLine("B", 1, 20, "22");
    addLine("C", 1, 30, "22");
    lines().first();
    lines().next();
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    Form_fa1->SpeedButton19->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages().first().text, QString::fromUtf8("Czy na pewno usunąć wybraną pozycję?"));
    EXPECT_TRUE(messages().first().caption.isEmpty());
    EXPECT_EQ(messages().first().buttons, tv::ui::Buttons::YesNo);
    EXPECT_EQ(lines().recordCount(), 3);
    EXPECT_EQ(Form_fa1->Edit1->text(), "73,20 zł"); // recomputed after No as well

    // The recompute leaves the cursor on the last line; the operator picks the second again.
    lines().first();
    lines().next();
    Form_fa1->SpeedButton19->click(); // answered Yes
    EXPECT_EQ(lines().recordCount(), 2);
    QStringList numbers;
    for (lines().first(); !lines().eof(); lines().next())
        numbers << field("Lp") + " " + field("Nazwa");
    EXPECT_EQ(numbers, QStringList({"1 A", "2 C"}));
    EXPECT_EQ(Form_fa1->Edit1->text(), "48,80 zł");
}

TEST_F(InvoiceLines, KeysRunTheLineCommandsAndTheGridDoesNotActOnThem) {
    addLine("A", 1, 10, "22");
    addLine("B", 1, 20, "22");
    addLine("C", 1, 30, "22");
    click(1, Nazwa);

    // Ctrl+Delete would be the grid's own delete with its own question.
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(messageTexts(), QStringList({QString::fromUtf8("Czy na pewno usunąć wybraną pozycję?")}));
    EXPECT_EQ(lines().recordCount(), 3);

    // Insert opens a new line numbered after the others, not recomputed yet.
    press(Qt::Key_Insert);
    EXPECT_EQ(lines().state(), tv::Table::State::Insert);
    EXPECT_EQ(field("Lp"), "4");
    // Escape drops it.
    press(Qt::Key_Escape);
    EXPECT_EQ(lines().state(), tv::Table::State::Browse);
    EXPECT_EQ(lines().recordCount(), 3);

    // Enter puts a line into edit, a second Enter confirms it.
    click(0, Nazwa);
    press(Qt::Key_Return);
    EXPECT_EQ(lines().state(), tv::Table::State::Edit);
    EXPECT_EQ(grid()->cellEditor(), nullptr);
    press(Qt::Key_Return);
    EXPECT_EQ(lines().state(), tv::Table::State::Browse);

    // Escape inside a cell being typed gives the line its stored values back.
    click(2, Nazwa);
    type("Zmiana");
    ASSERT_NE(grid()->cellEditor(), nullptr);
    press(Qt::Key_Escape);
    EXPECT_EQ(grid()->cellEditor(), nullptr);
    EXPECT_EQ(lines().state(), tv::Table::State::Browse);
    EXPECT_EQ(field("Nazwa"), "C");
}

TEST_F(InvoiceLines, LeavingTheGridConfirmsTheLine) {
    addLine("A", 2, 10, "22");
    click(0, Ilosc);
    type("5");
    Form_fa1->Edit11->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(lines().state(), tv::Table::State::Browse);
    EXPECT_EQ(lineFigures(), QStringList({"10 50 11 61"}));
    EXPECT_EQ(Form_fa1->Edit1->text(), "61,00 zł");
}

TEST_F(InvoiceLines, DiscountSetByCodeRepricesEveryLineOnceFromItsFullPrice) {
    addLine("A", 1, 100, "22");
    addLine("B", 2, 50, "7");
    Form_fa1->setDiscountFromCode(true, "20");
    EXPECT_TRUE(Form_fa1->CheckBox2->isChecked());
    EXPECT_EQ(Form_fa1->ComboBox6->currentText(), "20");
    EXPECT_EQ(lineFigures(), QStringList({"80 80 17,6 97,6", "40 80 5,6 85,6"}));
    EXPECT_EQ(Form_fa1->Edit1->text(), "183,20 zł");
    // The same state again changes nothing; another percentage starts from the full price.
    Form_fa1->setDiscountFromCode(true, "20");
    EXPECT_EQ(lineFigures(), QStringList({"80 80 17,6 97,6", "40 80 5,6 85,6"}));
    Form_fa1->setDiscountFromCode(true, "10");
    EXPECT_EQ(lineFigures(), QStringList({"90 90 19,8 109,8", "45 90 6,3 96,3"}));
    Form_fa1->setDiscountFromCode(false, "");
    EXPECT_FALSE(Form_fa1->CheckBox2->isChecked());
    EXPECT_EQ(lineFigures(), QStringList({"100 100 22 122", "50 100 7 107"}));
    // Never the box's own handler, which would run the hand-over.
    EXPECT_EQ(handOvers, 0);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(InvoiceLines, APriceTypedUnderADiscountIsTheLinesFullPrice) {
    addLine("A", 1, 100, "22");
    Form_fa1->setDiscountFromCode(true, "20");
    click(0, NettoJedn);
    type("200");
    Form_fa1->SpeedButton14->click();
    EXPECT_EQ(lineFigures(), QStringList({"200 200 44 244"}));
    Form_fa1->setDiscountFromCode(true, "10");
    EXPECT_EQ(lineFigures(), QStringList({"180 180 39,6 219,6"}));
}

TEST_F(InvoiceLines, LinesOfALoadedInvoiceKeepTheirPrices) {
    Form_fa2->loadedInvoice = true;
    addLine("Wczytana", 1, 90, "22"); // as loading writes it, discounted already
    Form_fa1->SpeedButton20->click(); // a line the operator adds to it
    lines().fieldByName("Nazwa").setAsString("Dopisana");
    lines().fieldByName("Ilosc").setAsFloat(1);
    lines().fieldByName("Netto_jedn").setAsFloat(100);
    lines().fieldByName("VAT").setAsString("22");
    Form_fa1->SpeedButton14->click();
    Form_fa1->setDiscountFromCode(true, "50");
    EXPECT_EQ(lineFigures(), QStringList({"90 90 19,8 109,8", "50 50 11 61"}));
    Form_fa2->loadedInvoice = false;
}

TEST_F(InvoiceLines, TheOperatorsDiscountCompoundsAndUncheckingRunsTheHandOver) {
    addLine("A", 1, 100, "22");
    Form_fa1->ComboBox6->setEditText("10");
    Form_fa1->CheckBox2->setChecked(true); // as the box's own click would
    EXPECT_EQ(lineFigures(), QStringList({"90 90 19,8 109,8"}));
    Form_fa1->CheckBox2->setChecked(false);
    EXPECT_EQ(handOvers, 1);
    Form_fa1->CheckBox2->setChecked(true);
    EXPECT_EQ(lineFigures(), QStringList({"81 81 17,82 98,82"}));
    EXPECT_EQ(Form_fa1->Edit1->text(), "98,82 zł");
    // Its memory of the full price stays: a percentage set by code starts from 100 again.
    Form_fa1->setDiscountFromCode(true, "50");
    EXPECT_EQ(lineFigures(), QStringList({"50 50 11 61"}));
}

TEST_F(InvoiceLines, ADiscountThatIsNoNumberWarnsOncePerLine) {
    addLine("A", 1, 100, "22");
    addLine("B", 1, 50, "22");
    addLine("C", 1, 10, "22");
    Form_fa1->ComboBox6->setEditText("dużo");
    Form_fa1->CheckBox2->setChecked(true);
    EXPECT_EQ(messageTexts(), QStringList(3, QString::fromUtf8("Niewłaściwa wartość rabatu")));
    EXPECT_EQ(messages().first().caption, "Uwaga");
    EXPECT_EQ(lineFigures(), QStringList({"100 100 22 122", "50 50 11 61", "10 10 2,2 12,2"}));
    EXPECT_EQ(Form_fa1->Edit1->text(), "195,20 zł");
}

namespace {

class GoodsLines : public InvoiceLines {
protected:
    void prepareData() override {
        InvoiceLines::prepareData();
        tvtest::addGoods({{"Papier A4", 1, "PAP", 10.00, "22", "ryza", "KLASA12345", 5},
                          {"Zszywki", 2, "ZSZ", 99.99, "7", "op", "", 1},
                          {"Dziwny", 3, "DZI", 5, "x", "szt", "", 1}});
    }
    void chooseGoods(const QString& id) {
        tv::ui::DBLookupComboBox* list = Form_fa1->DBLookupComboBox3;
        list->showPopup();
        QAbstractItemView* view = list->view();
        const QModelIndex index = view->model()->index(list->findText(id), 0);
        ASSERT_TRUE(index.isValid()) << id.toStdString();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
};

} // namespace

TEST_F(GoodsLines, TheChosenGoodsBecomeALine) {
    // Nothing chosen yet: nothing is added.
    QTest::mouseClick(Form_fa1->Panel5, Qt::LeftButton);
    EXPECT_EQ(messageTexts(), QStringList({QString::fromUtf8("Proszę wybrac towar z listy")}));
    EXPECT_EQ(lines().recordCount(), 0);
    tv::ui::clearShownMessages();

    chooseGoods("ZSZ");
    QTest::mouseClick(Form_fa1->Panel5, Qt::LeftButton);
    chooseGoods("PAP");
    QTest::mouseClick(Form_fa1->Panel5, Qt::LeftButton);
    ASSERT_EQ(lines().recordCount(), 2);
    lines().last();
    EXPECT_EQ(field("Lp"), "2");
    EXPECT_EQ(field("Nazwa"), "Papier A4");
    EXPECT_EQ(field("Ilosc"), "1");
    EXPECT_EQ(field("Jm"), "ryza");
    EXPECT_EQ(field("Klasa"), "KLA");
    EXPECT_EQ(field("VAT"), "22");
    EXPECT_EQ(lineFigures(), QStringList({"99,99 99,99 6,9993 106,9893", "10 10 2,2 12,2"}));
    EXPECT_EQ(Form_fa1->Edit1->text(), "119,19 zł");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(GoodsLines, GoodsTakeTheDiscountInForce) {
    Form_fa1->setDiscountFromCode(true, "10");
    chooseGoods("ZSZ");
    QTest::mouseClick(Form_fa1->Panel5, Qt::LeftButton);
    EXPECT_EQ(lineFigures(), QStringList({"89,99 89,99 6,2993 96,2893"}));
    // Its full price is the goods' price: without the discount it returns to it.
    Form_fa1->setDiscountFromCode(false, "");
    EXPECT_EQ(lineFigures(), QStringList({"99,99 99,99 6,9993 106,9893"}));

    // A percentage that is no number: the goods' price, with the message.
    Form_fa1->CheckBox2->blockSignals(true);
    Form_fa1->CheckBox2->setChecked(true);
    Form_fa1->CheckBox2->blockSignals(false);
    Form_fa1->ComboBox6->setEditText("abc");
    chooseGoods("PAP");
    QTest::mouseClick(Form_fa1->Panel5, Qt::LeftButton);
    EXPECT_EQ(messageTexts(), QStringList({QString::fromUtf8("Niewłaściwa wartość rabatu")}));
    lines().last();
    EXPECT_EQ(field("Netto_jedn"), "10");
}

TEST_F(GoodsLines, GoodsWithARateThatIsNoRateStayOpen) {
    chooseGoods("DZI");
    QTest::mouseClick(Form_fa1->Panel5, Qt::LeftButton);
    EXPECT_EQ(messageTexts(), QStringList({invoicing::invalidRateMessage("x")}));
    EXPECT_EQ(lines().state(), tv::Table::State::Insert);
    EXPECT_EQ(field("Nazwa"), "Dziwny");
    EXPECT_EQ(lines().recordCount(), 0);
}

TEST_F(InvoiceLines, WithoutGoodsThePanelDoesNothing) {
    QTest::mouseClick(Form_fa1->Panel5, Qt::LeftButton);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(lines().recordCount(), 0);
    EXPECT_EQ(lines().state(), tv::Table::State::Browse);
}

namespace {

// The stock version: the line rule checks every line against the goods.
class StockLines : public GoodsLines {
protected:
    void SetUp() override {
        GoodsLines::SetUp();
        Form_fa10->CheckBox1->setChecked(true);
        Form_fa10->CheckBox1MouseUp(Form_fa10->CheckBox1);
        Form_fa1->WypelnijListeTowarow();
        tv::ui::clearShownMessages();
    }
};

} // namespace

TEST_F(StockLines, AQuantityAboveTheStockIsCutToItAtOnce) {
    EXPECT_FALSE(Form_fa1->ComboBox5->isHidden());
    EXPECT_TRUE(Form_fa1->DBLookupComboBox3->isHidden());
    grid()->setFocus(Qt::MouseFocusReason);
    press(Qt::Key_Insert);
    fill(Nazwa, "Papier A4");
    fill(NettoJedn, "10");
    fill(VAT, "22");
    fill(Ilosc, "7");
    EXPECT_EQ(messageTexts(), QStringList({"W magazynie brakuje produktu Papier A4"}));
    EXPECT_EQ(messages().first().caption, "Uwaga");
    EXPECT_EQ(messages().first().icon, tv::ui::Icon::Warning);
    // The line's figures follow the cut quantity straight away.
    EXPECT_EQ(field("Ilosc"), "5");
    EXPECT_EQ(field("Netto"), "50");
    EXPECT_EQ(field("Brutto"), "61");
    Form_fa1->SpeedButton14->click();
    EXPECT_EQ(Form_fa1->Edit1->text(), QString::fromUtf8("61,00 zł"));
    EXPECT_EQ(messages().size(), 1); // the recompute finds nothing more to cut
}

TEST_F(StockLines, OnlyGoodsOfExactlyTheLinesNameAreChecked) {
    addLine("Druk Papier A4", 50, 1, "22"); // a costing line: no goods of that name
    addLine("Papier", 50, 1, "22");         // the beginning of a goods name is no match
    addLine("", 50, 1, "22");
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(lineFigures(), QStringList({"1 50 11 61", "1 50 11 61", "1 50 11 61"}));
}

TEST_F(StockLines, ALoadedInvoiceIsNotCheckedAStoredOneCountsWhatItTook) {
    Form_fa2->loadedInvoice = true;
    addLine("Zszywki", 3, 99.99, "7");
    EXPECT_TRUE(messages().isEmpty());
    Form_fa2->loadedInvoice = false;
    lines().emptyTable();

    // Saved under its number, the invoice took 4 of the 5 reams.
    addLine("Papier A4", 4, 10, "22");
    Form_fa1->storedNumber = "3/2009";
    tv::Database::instance().transaction([] { Form_fa1->deductStock("3/2009"); });
    Form_fa1->Przelicz();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(lineFigures(), QStringList({"10 40 8,8 48,8"}));
    Form_fa1->storedNumber.clear();
}

TEST_F(StockLines, GoodsComeFromTheStockPicker) {
    QTest::mouseClick(Form_fa1->Panel5, Qt::LeftButton);
    EXPECT_EQ(messageTexts(), QStringList({QString::fromUtf8("Proszę wybrac towar z listy")}));
    EXPECT_EQ(lines().recordCount(), 0);
    tv::ui::clearShownMessages();
    typeInto(Form_fa1->ComboBox5, "ZSZ");
    QTest::mouseClick(Form_fa1->Panel5, Qt::LeftButton);
    ASSERT_EQ(lines().recordCount(), 1);
    EXPECT_EQ(field("Nazwa"), "Zszywki");
    EXPECT_EQ(lineFigures(), QStringList({"99,99 99,99 6,9993 106,9893"}));
    EXPECT_TRUE(messages().isEmpty());
}

// The line is the goods the picker names, whatever the goods register's
// cursor did since; a text that names no goods adds nothing.
TEST_F(StockLines, TheLineIsTheGoodsThePickerNames) {
    typeInto(Form_fa1->ComboBox5, "ZSZ");
    Form_fa5->towary->first(); // the operator browses the register meanwhile
    QTest::mouseClick(Form_fa1->Panel5, Qt::LeftButton);
    ASSERT_EQ(lines().recordCount(), 1);
    EXPECT_EQ(field("Nazwa"), "Zszywki");

    typeInto(Form_fa1->ComboBox5, "XYZ");
    QTest::mouseClick(Form_fa1->Panel5, Qt::LeftButton);
    EXPECT_EQ(messageTexts(), QStringList({QString::fromUtf8("Proszę wybrac towar z listy")}));
    EXPECT_EQ(lines().recordCount(), 1);
    EXPECT_EQ(lines().state(), tv::Table::State::Browse);
}

TEST_F(StockLines, ANewInvoiceDoesNotCheckTheSavedLinesAgainstTheStockTheyTook) {
    addLine("Papier A4", 5, 10, "22"); // the whole stock
    Form_fa1->setDiscountFromCode(true, "10");
    tv::ui::pushTestAnswer(tv::ui::Answer::Yes); // the stock question
    Form_fa1->SpeedButton2->click();
    ASSERT_FALSE(Form_fa1->storedNumber.isEmpty());
    ASSERT_EQ(invoicing::findGoodsByName("Papier A4")->stock, 0);
    tv::ui::clearShownMessages();

    Form_fa1->SpeedButton1->click();
    EXPECT_TRUE(messages().isEmpty()) << messages().value(0).text.toStdString();
    EXPECT_EQ(lines().recordCount(), 0);
    EXPECT_FALSE(Form_fa1->CheckBox2->isChecked());
    EXPECT_EQ(invoicing::findGoodsByName("Papier A4")->stock, 0);
}

TEST_F(StockLines, NoWarningWaitsWhileATransactionIsOpen) {
    const QString shortage = "W magazynie brakuje produktu Papier A4";
    const QString discount = QString::fromUtf8("Niewłaściwa wartość rabatu");
    const struct {
        const char* what;
        std::function<void()> act;
        QStringList messages;
    } cases[] = {
        {"the recompute", [] { Form_fa1->Przelicz(); }, {shortage}},
        {"a discount set by code", [] { Form_fa1->setDiscountFromCode(true, "10"); }, {shortage}},
        {"a discount set by code that is no number",
         [] { Form_fa1->setDiscountFromCode(true, "dużo"); },
         {discount, shortage}},
        {"the operator's discount that is no number",
         [] {
             Form_fa1->ComboBox6->setEditText("dużo");
             Form_fa1->CheckBox2->setChecked(true);
         },
         {discount, shortage}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Form_fa1->setDiscountFromCode(false, "5");
        lines().emptyTable();
        // Written as loading writes it, unchecked: more than the 5 reams in stock.
        Form_fa2->loadedInvoice = true;
        addLine("Papier A4", 7, 10, "22");
        Form_fa2->loadedInvoice = false;
        tv::ui::clearShownMessages();
        int waitingInTransaction = 0;
        tv::ui::setAnswerer([&](const tv::ui::ShownMessage&) {
            if (tv::Database::instance().inTransaction()) ++waitingInTransaction;
            return tv::ui::Answer::Ok;
        });
        c.act();
        EXPECT_EQ(messageTexts(), c.messages);
        EXPECT_EQ(waitingInTransaction, 0);
        // The quantity is cut to the stock all the same.
        EXPECT_EQ(field("Ilosc"), "5");
    }
}

TEST_F(InvoiceLines, AWarningHeldInATransactionIsShownAfterItsRollbackToo) {
    int waitingInTransaction = 0;
    tv::ui::setAnswerer([&](const tv::ui::ShownMessage&) {
        if (tv::Database::instance().inTransaction()) ++waitingInTransaction;
        return tv::ui::Answer::Ok;
    });
    EXPECT_THROW(Form_fa1->showingHeldWarnings([] {
        tv::Database::instance().transaction([] {
            Form_fa1->warnOutsideTransaction("przed");
            throw tv::EAbort();
        });
    }),
                 tv::EAbort);
    EXPECT_EQ(messageTexts(), QStringList({"przed"}));
    EXPECT_EQ(waitingInTransaction, 0);
    // Shown once: the next transaction holds nothing over.
    Form_fa1->showingHeldWarnings([] { tv::Database::instance().transaction([] {}); });
    EXPECT_EQ(messages().size(), 1);
}
