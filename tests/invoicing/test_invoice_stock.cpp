// The stock version on the invoice window: the goods picker, choosing goods
// in it, the stock question and the deduction of "odejmij all".

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/registers/goods.h"
#include "invoicing/rules/stock.h"
#include "platform/table.h"
#include "platform/table_files.h"
#include "registers/registers_support.h"

using namespace registerstest;

namespace {

QStringList items(const QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

class InvoiceStock : public tvtest::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        addGoods({"Koperta C5", 1, "KOP", "22", 0.5, 0.61, 100.0});
        addGoods({"Papier A4", 2, "PAP", "22", 20.0, 24.4, 10.0});
        addGoods({"Papier A3", 3, "pap3", "22", 30.0, 36.6, 0.4});
        addGoods({"Teczka", 4, "TEC", "7", 3.0, 3.21, 0.6});
        Form_fa5->towary->refresh();
        stockVersion(false);
        tv::ui::clearShownMessages();
    }

    static void stockVersion(bool on) { Form_fa10->CheckBox1->setChecked(on); }

    static void addLine(const QString& name, double quantity) {
        tv::Table& lines = *Form_fa1->pozycje;
        lines.append();
        lines.fieldByName("Nazwa").setAsString(name);
        lines.fieldByName("Ilosc").setAsFloat(quantity);
        lines.post();
    }

    static double stockOf(int nr) { return valueOf("towary.DB", "Nr", nr, "Magazyn").toDouble(); }
};

TEST_F(InvoiceStock, PickerOffersGoodsInStockInTheStockVersionAndKeepsItsText) {
    Form_fa1->ComboBox5->setEditText("PA");
    Form_fa1->WypelnijListeTowarow();
    EXPECT_EQ(items(Form_fa1->ComboBox5), QStringList({"KOP", "PAP", "pap3", "TEC"}));
    stockVersion(true);
    Form_fa1->WypelnijListeTowarow();
    EXPECT_EQ(items(Form_fa1->ComboBox5), QStringList({"KOP", "PAP", "TEC"}));
    EXPECT_EQ(Form_fa1->ComboBox5->currentText(), "PA");
}

TEST_F(InvoiceStock, KeyInThePickerRefillsIt) {
    showActive(Form_fa1);
    Form_fa1->WypelnijListeTowarow();
    addGoods({"Nowy", 5, "NOW", "22", 1.0, 1.22, 1.0});
    Form_fa1->ComboBox5->setFocus();
    QTest::keyClick(Form_fa1->ComboBox5, Qt::Key_N);
    EXPECT_TRUE(items(Form_fa1->ComboBox5).contains("NOW"));
    EXPECT_EQ(Form_fa1->ComboBox5->currentText(), "n");
}

// Keys read the goods again only when the tables may have changed: each
// change shows at the next key, whichever way it came.
TEST_F(InvoiceStock, EveryChangeOfTheGoodsShowsAtTheNextKey) {
    showActive(Form_fa1);
    stockVersion(true);
    QTemporaryDir before;
    tv::Database& db = tv::Database::instance();
    ASSERT_TRUE(QFile::copy(db.pathFor("towary.DB"), QDir(before.path()).filePath("towary.DB")));
    Form_fa1->ComboBox5->setFocus();
    QTest::keyClick(Form_fa1->ComboBox5, Qt::Key_P);
    ASSERT_EQ(items(Form_fa1->ComboBox5), QStringList({"KOP", "PAP", "TEC"}));

    tv::Query::exec("update towary set Magazyn = 0 where Id = ?1", {QStringLiteral("PAP")});
    QTest::keyClick(Form_fa1->ComboBox5, Qt::Key_A);
    EXPECT_EQ(items(Form_fa1->ComboBox5), QStringList({"KOP", "TEC"}));

    addGoods({"Nowy", 5, "NOW", "22", 1.0, 1.22, 1.0});
    QTest::keyClick(Form_fa1->ComboBox5, Qt::Key_Backspace);
    EXPECT_EQ(items(Form_fa1->ComboBox5), QStringList({"KOP", "NOW", "TEC"}));

    // The goods file brought back as it was.
    tv::replaceTables(before.path(), {"towary.DB"});
    QTest::keyClick(Form_fa1->ComboBox5, Qt::Key_Backspace);
    EXPECT_EQ(items(Form_fa1->ComboBox5), QStringList({"KOP", "PAP", "TEC"}));
}

TEST_F(InvoiceStock, TypingAnIdPositionsTheGoodsRegisterCaseSensitively) {
    showActive(Form_fa1);
    Form_fa1->WypelnijListeTowarow();
    tv::Table& goods = *Form_fa5->towary;
    goods.first();
    Form_fa1->ComboBox5->setFocus();
    QTest::keyClicks(Form_fa1->ComboBox5, "TE");
    EXPECT_EQ(goods.fieldByName("Nazwa").asString(), "Teczka");
    // "Papier A3" (Id "pap3") comes first in the table's order; "PA" is only
    // the beginning of "PAP".
    typeInto(Form_fa1->ComboBox5, "PA");
    EXPECT_EQ(goods.fieldByName("Nazwa").asString(), "Papier A4");
    typeInto(Form_fa1->ComboBox5, "pa");
    EXPECT_EQ(Form_fa1->ComboBox5->currentText(), "pa");
    EXPECT_EQ(goods.fieldByName("Nazwa").asString(), "Papier A3");
    QTest::keyClicks(Form_fa1->ComboBox5, "X");
    EXPECT_EQ(goods.fieldByName("Nazwa").asString(), "Papier A3"); // nothing begins so: stays
    // Chosen from the list.
    Form_fa1->ComboBox5->setCurrentIndex(-1);
    QTest::keyClick(Form_fa1->ComboBox5, Qt::Key_Down);
    EXPECT_EQ(Form_fa1->ComboBox5->currentText(), "KOP");
    EXPECT_EQ(goods.fieldByName("Nazwa").asString(), "Koperta C5");
}

TEST_F(InvoiceStock, TypingAnIdFindsGoodsTheRegistersSearchHides) {
    showActive(Form_fa5);
    QTest::keyClicks(Form_fa5->Nazwa, "T"); // only "Teczka"
    Form_fa5->close();
    showActive(Form_fa1);
    Form_fa1->ComboBox5->setFocus();
    QTest::keyClicks(Form_fa1->ComboBox5, "KO");
    EXPECT_EQ(Form_fa5->towary->fieldByName("Nazwa").asString(), "Koperta C5");
}

TEST_F(InvoiceStock, StockQuestionOnlyInTheStockVersionWithLines) {
    EXPECT_TRUE(Form_fa1->askStockQuestion());
    addLine("Papier A4", 1);
    EXPECT_TRUE(Form_fa1->askStockQuestion());
    EXPECT_TRUE(tv::ui::shownMessages().isEmpty());

    stockVersion(true);
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    EXPECT_FALSE(Form_fa1->askStockQuestion());
    EXPECT_TRUE(Form_fa1->askStockQuestion());
    ASSERT_EQ(tv::ui::shownMessages().size(), 2);
    const tv::ui::ShownMessage& m = tv::ui::shownMessages().first();
    EXPECT_EQ(m.text, "Naciśnięcie tak spowoduje odjęcie produktów z magazynu kontynuować ?");
    EXPECT_EQ(m.caption, "Uwaga");
    EXPECT_EQ(m.icon, tv::ui::Icon::Warning);
    EXPECT_EQ(m.buttons, tv::ui::Buttons::YesNo);

    Form_fa1->pozycje->emptyTable();
    tv::ui::clearShownMessages();
    EXPECT_TRUE(Form_fa1->askStockQuestion());
    EXPECT_TRUE(tv::ui::shownMessages().isEmpty());
}

TEST_F(InvoiceStock, DeductionShowsShortagesAfterwardsAndRefillsThePicker) {
    Form_fa1->Edit5->setText("1/03/2024");
    addLine("Papier A4", 4);
    addLine("Teczka", 2);
    addLine("Druk ulotek", 1);
    addLine("Papier A4", 4);
    stockVersion(true); // after the lines: the line rule would cut the folders to the stock
    Form_fa1->WypelnijListeTowarow();
    ASSERT_TRUE(items(Form_fa1->ComboBox5).contains("TEC"));

    Form_fa1->Button1->click();

    EXPECT_DOUBLE_EQ(stockOf(2), 2);
    EXPECT_DOUBLE_EQ(stockOf(4), 0);
    EXPECT_DOUBLE_EQ(stockOf(1), 100);
    EXPECT_EQ(shownTexts(), QStringList({"W magazynie brakuje produktu Teczka"}));
    EXPECT_EQ(tv::ui::shownMessages().first().caption, "Uwaga");
    EXPECT_EQ(items(Form_fa1->ComboBox5), QStringList({"KOP", "PAP"}));
    // The goods register shows the new stock.
    Form_fa5->towary->first();
    Form_fa5->towary->next();
    EXPECT_EQ(Form_fa5->towary->fieldByName("Nazwa").asString(), "Papier A3");
    EXPECT_DOUBLE_EQ(Form_fa5->towary->fieldByName("Magazyn").asFloat(), 0.4);
    Form_fa5->towary->next();
    EXPECT_DOUBLE_EQ(Form_fa5->towary->fieldByName("Magazyn").asFloat(), 2);

    // Saved again unchanged: nothing more leaves stock; the part of the
    // folders that stock could not cover is still missing.
    tv::ui::clearShownMessages();
    Form_fa1->Button1->click();
    EXPECT_DOUBLE_EQ(stockOf(2), 2);
    EXPECT_DOUBLE_EQ(stockOf(4), 0);
    EXPECT_EQ(shownTexts(), QStringList({"W magazynie brakuje produktu Teczka"}));
}

TEST_F(InvoiceStock, ResaveWithLessGivesStockBack) {
    stockVersion(true);
    Form_fa1->Edit5->setText("7/2024");
    addLine("Papier A4", 6);
    Form_fa1->Button1->click();
    EXPECT_DOUBLE_EQ(stockOf(2), 4);
    Form_fa1->pozycje->first();
    Form_fa1->pozycje->edit();
    Form_fa1->pozycje->fieldByName("Ilosc").setAsFloat(1);
    Form_fa1->pozycje->post();
    Form_fa1->Button1->click();
    EXPECT_DOUBLE_EQ(stockOf(2), 9);
}

TEST_F(InvoiceStock, NothingOutsideTheStockVersion) {
    Form_fa1->Edit5->setText("1/2024");
    addLine("Papier A4", 4);
    Form_fa1->Button1->click();
    EXPECT_DOUBLE_EQ(stockOf(2), 10);
    EXPECT_TRUE(invoicing::stockRecord("1/2024").isEmpty());
}

TEST_F(InvoiceStock, DeductionInsideTheSaversTransactionRollsBackWithIt) {
    stockVersion(true);
    addLine("Papier A4", 4);
    EXPECT_THROW(tv::Database::instance().transaction([] {
        Form_fa1->deductStock("1/2024");
        throw tv::EDatabaseError("zapis nie powiódł się");
    }),
                 tv::EDatabaseError);
    EXPECT_DOUBLE_EQ(stockOf(2), 10);
    EXPECT_TRUE(invoicing::stockRecord("1/2024").isEmpty());
    Form_fa5->towary->first();
    Form_fa5->towary->next();
    Form_fa5->towary->next();
    EXPECT_EQ(Form_fa5->towary->fieldByName("Nazwa").asString(), "Papier A4");
    EXPECT_DOUBLE_EQ(Form_fa5->towary->fieldByName("Magazyn").asFloat(), 10);
}

} // namespace
