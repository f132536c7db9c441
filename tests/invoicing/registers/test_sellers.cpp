// The sellers register: editing only after "Modyfikuj pozycję" or "dodaj",
// numbering, the delete question and the seller picker refilled on closing.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTest>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/sellers.h"
#include "platform/table.h"
#include "platform/ui/dataaware_controls.h"
#include "registers_support.h"

using namespace registerstest;

namespace {

class SellersRegister : public tvtest::AppFixture {
protected:
    static tv::Table& sellers() { return *Form_fa3->sprzedawcy; }

    static void addSeller(const char* id, int nr, const char* name = "") {
        addRow("sprzedawcy.db",
               {{"Id", QString::fromUtf8(id)}, {"Nr", nr}, {"Nazwisko", QString::fromUtf8(name)}});
    }

    static void open() {
        sellers().refresh();
        showActive(Form_fa3);
        tv::ui::clearShownMessages();
    }

    static QStringList items(const QComboBox* combo) {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list << combo->itemText(i);
        return list;
    }
};

TEST_F(SellersRegister, FieldsChangeOnlyAfterModifyOrAdd) {
    addSeller("JAN", 1, "Jan Kowalski");
    open();
    typeInto(Form_fa3->DBEdits[1], "Ktos inny");
    EXPECT_EQ(Form_fa3->DBEdits[1]->text(), "Jan Kowalski");
    EXPECT_EQ(sellers().state(), tv::Table::State::Browse);

    Form_fa3->SpeedButton21->click(); // Modyfikuj pozycję
    typeInto(Form_fa3->DBEdits[1], "Jan Nowak");
    click(Form_fa3->SpeedButton9);
    EXPECT_EQ(column("sprzedawcy.db", "Nazwisko"), QStringList({"Jan Nowak"}));
}

struct NumberCase {
    const char* name;
    QVector<int> sellers;
    QVector<int> invoiceSellers; // Nr_sprzed of issued invoices
    int expected;
};

class SellerNumbers : public SellersRegister, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(SellerNumbers, AddNumbersAboveEveryNumberInUse) {
    const NumberCase& c = GetParam();
    for (int nr : c.sellers)
        addSeller(QString::number(nr).toLatin1().constData(), nr);
    for (int nr : c.invoiceSellers)
        addRow("wyst_faktury.db", {{"Nr", QStringLiteral("FV/%1").arg(nr)}, {"Nr_sprzed", nr}});
    open();
    click(Form_fa3->SpeedButton7);
    ASSERT_EQ(sellers().state(), tv::Table::State::Insert);
    EXPECT_EQ(sellers().fieldByName("Nr").asInteger(), c.expected);
    typeInto(Form_fa3->DBEdits[0], "NOWY");
    click(Form_fa3->SpeedButton14);
    EXPECT_EQ(valueOf("sprzedawcy.db", "Id", "NOWY", "Nr").toInt(), c.expected);
}

const NumberCase kNumbers[] = {
    {"EmptyRegisterStartsAtOne", {}, {}, 1},
    {"HighestPlusOne", {3, 8, 5}, {}, 9},
    {"DeletedSellerOnAnInvoiceKeepsItsNumber", {2}, {14}, 15},
};

INSTANTIATE_TEST_SUITE_P(Cases, SellerNumbers, ::testing::ValuesIn(kNumbers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SellersRegister, CancelDropsTheNewSeller) {
    addSeller("JAN", 1);
    open();
    click(Form_fa3->SpeedButton20);
    typeInto(Form_fa3->DBEdits[0], "NOWY");
    click(Form_fa3->SpeedButton10);
    EXPECT_EQ(column("sprzedawcy.db", "Id"), QStringList({"JAN"}));
}

TEST_F(SellersRegister, DeleteAsksItsOwnQuestion) {
    open();
    click(Form_fa3->SpeedButton8); // empty: no question
    EXPECT_TRUE(shownTexts().isEmpty());
    addSeller("JAN", 1);
    addSeller("EWA", 2);
    sellers().refresh();
    sellers().last();
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    click(Form_fa3->SpeedButton8);
    EXPECT_EQ(rowCount("sprzedawcy.db"), 2);
    Form_fa3->SpeedButton19->click();
    EXPECT_EQ(column("sprzedawcy.db", "Id"), QStringList({"JAN"}));
    EXPECT_EQ(shownTexts(), QStringList({"Czy na pewno usunąć pozycję?", "Czy na pewno usunąć pozycję?"}));
}

TEST_F(SellersRegister, CloseStoresTheEditAndFillsTheSellerPickerInOrder) {
    addSeller("ZOFIA", 1);
    addSeller("ADAM", 2);
    addSeller("ADAM", 3);
    open();
    Form_fa1->ComboBox2->setEditText("ZOFIA");
    click(Form_fa3->SpeedButton7);
    typeInto(Form_fa3->DBEdits[0], "MAREK");
    click(Form_fa3->SpeedButton1);
    EXPECT_FALSE(Form_fa3->isVisible());
    EXPECT_EQ(items(Form_fa1->ComboBox2), QStringList({"ADAM", "ADAM", "MAREK", "ZOFIA"}));
    EXPECT_EQ(Form_fa1->ComboBox2->currentText(), "ZOFIA");
}

// However the operator leaves the register, the seller being typed is kept
// and the invoice window's picker offers it, as "zamknij" does.
TEST_F(SellersRegister, CloseBoxAndEscapeLeaveAsZamknijDoes) {
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "close box");
        open();
        click(Form_fa3->SpeedButton7); // dodaj
        const char* id = escape ? "ESC" : "OKNO";
        typeInto(Form_fa3->DBEdits[0], id);
        // The operator moves on to the next field, then leaves with Escape
        // (in the field still being typed, Escape takes the typing back).
        QTest::keyClick(Form_fa3->DBEdits[0], Qt::Key_Tab);
        if (escape)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            Form_fa3->close();
        EXPECT_FALSE(Form_fa3->isVisible());
        EXPECT_EQ(sellers().state(), tv::Table::State::Browse);
        EXPECT_GE(Form_fa1->ComboBox2->findText(id), 0);
    }
    EXPECT_EQ(column("sprzedawcy.db", "Id"), QStringList({"OKNO", "ESC"}));
}

} // namespace
