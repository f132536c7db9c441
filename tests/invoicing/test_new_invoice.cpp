#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>

#include "invoicing/admin_support.h"
#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/registers/issued_invoices.h"
#include "invoicing/rules/invoice_store.h"
#include "platform/ui/controls.h"

using admintest::cp1250Lines;
using admintest::readBytes;
using admintest::writeBytes;

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

class NewInvoice : public admintest::InvoicingFixture {
protected:
    void prepareSideFiles() override {
        writeBytes(file("ustaw.txt"), cp1250Lines({"#N/#MM/#YYYY", "41", "Dziękujemy", "0", "0", "0",
                                                   "Uwagi z administracji", "0", "0", "0"}));
        // The seller table keeps the order rows were added in: BETA is its first row.
        admintest::addSeller("BETA", 2, "Barbara Nowak", "Kraków");
        admintest::addSeller("ALFA", 1, "Adam Kowalski", "Warszawa");
    }

    void addLines(int count) {
        for (int i = 0; i < count; ++i)
            admintest::addLine(*Form_fa1->pozycje, QStringLiteral("Ulotki A5 %1").arg(i + 1), 1000, "0,25");
    }

    // What an operator leaves in the window after working on an invoice.
    void dirtyTheWindow() {
        TForm_fa1& w = *Form_fa1;
        const QDate past(2023, 11, 30);
        w.DateTimePicker1->setDate(past);
        w.DateTimePicker2->setDate(past);
        w.DateTimePicker3->setDate(past);
        w.DateTimePicker2->setVisible(true);
        w.ComboBox1->setEditText("czekiem");
        w.ComboBox2->setEditText("ALFA");
        w.chosenSeller = 1;
        w.ComboBox3->setEditText("KLIENT");
        w.chosenCustomer = 7;
        w.ComboBox4->setEditText("14 dni");
        w.ComboBox5->setEditText("papier");
        w.ComboBox6->setEditText("15");
        w.ComboBox7->setEditText("Poczta");
        w.CheckBox1->setChecked(true);
        w.RadioButton4->setChecked(true);
        w.RadioButton7->setChecked(true);
        w.TrybVatRR = true;
        w.Edit1->setText("305,00 zł");
        w.Edit2->setText("55,00 zł");
        w.Edit3->setText("250,00 zł");
        w.Edit4->setText("trzysta pięć zł 00/100");
        w.Edit6->setText("Gdańsk");
        w.Edit7->setText("inny tekst");
        w.Edit8->setText("ktoś");
        w.Edit9->setText("ktoś inny");
        w.Edit11->setText("ZAM/7");
        w.Edit12->setText("inne uwagi");
        w.storedNumber = "41/11/2023";
        w.Zapisana = true;
    }
};

} // namespace

TEST_F(NewInvoice, TheFirstRunAtStartNumbersFromTheSettingsAndSavesNothing) {
    TForm_fa1& w = *Form_fa1;
    EXPECT_EQ(w.LicznikFaktur, 41);
    EXPECT_FALSE(w.Wydrukowana);
    EXPECT_EQ(w.DateTimePicker1->date(), fixedToday());
    EXPECT_EQ(w.ComboBox2->currentText(), QString("BETA"));
    EXPECT_EQ(w.chosenSeller, std::optional<int>(2));
    EXPECT_EQ(w.Edit7->text(), QString("Dziękujemy"));
    EXPECT_EQ(w.Edit12->text(), QString("Uwagi z administracji"));
    EXPECT_EQ(w.pozycje->recordCount(), 0);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(NewInvoice, NowaFakturaResetsTheHeaderTotalsAndLinesAndKeepsTheRest) {
    addLines(2);
    dirtyTheWindow();
    Form_fa1->Wydrukowana = true; // printed, so not saved again
    Form_fa1->SpeedButton1Click(Form_fa1->SpeedButton1);

    TForm_fa1& w = *Form_fa1;
    // The new number carries today's date, not the last invoice's.
    EXPECT_EQ(w.Edit5->text(), w.FormatujNumer(42, fixedToday()));
    EXPECT_EQ(w.DateTimePicker1->date(), fixedToday());
    EXPECT_EQ(w.DateTimePicker2->date(), fixedToday());
    EXPECT_EQ(w.DateTimePicker3->date(), fixedToday());
    EXPECT_TRUE(w.DateTimePicker2->isHidden());
    EXPECT_EQ(w.ComboBox1->currentText(), QString("gotówką"));
    EXPECT_EQ(w.ComboBox2->currentText(), QString("BETA"));
    EXPECT_EQ(w.chosenSeller, std::optional<int>(2));
    EXPECT_EQ(w.ComboBox3->currentText(), QString());
    EXPECT_EQ(w.chosenCustomer, std::nullopt);
    EXPECT_EQ(w.ComboBox5->currentText(), QString());
    EXPECT_TRUE(w.RadioButton1->isChecked());
    EXPECT_FALSE(w.TrybVatRR);
    EXPECT_FALSE(w.CheckBox2->isChecked());
    EXPECT_EQ(w.Edit4->text(), QString::fromUtf8(" 00\\100")); // the words of the empty invoice
    EXPECT_EQ(w.Edit11->text(), QString());
    EXPECT_EQ(w.Edit7->text(), QString("Dziękujemy"));
    EXPECT_EQ(w.Edit12->text(), QString("Uwagi z administracji"));
    EXPECT_EQ(w.Edit9->text(), QString());
    EXPECT_EQ(w.pozycje->recordCount(), 0);
    EXPECT_EQ(w.storedNumber, QString());
    EXPECT_FALSE(w.Zapisana);
    EXPECT_FALSE(w.Wydrukowana);
    // Left as the operator had them.
    EXPECT_EQ(w.ComboBox4->currentText(), QString("14 dni"));
    EXPECT_EQ(w.ComboBox6->currentText(), QString("15"));
    EXPECT_EQ(w.ComboBox7->currentText(), QString("Poczta"));
    EXPECT_TRUE(w.CheckBox1->isChecked());
    EXPECT_TRUE(w.RadioButton7->isChecked());
    EXPECT_EQ(w.Edit6->text(), QString("Gdańsk"));
}

// A term "Inne" stays, and with it the payment date it prints, now today's.
TEST_F(NewInvoice, APaymentTermOfInneKeepsItsDateInSight) {
    addLines(1);
    Form_fa1->Wydrukowana = true;
    Form_fa1->ComboBox4->setEditText(QStringLiteral("Inne"));
    Form_fa1->DateTimePicker2->setDate(fixedToday().addDays(30));
    Form_fa1->SpeedButton1Click(Form_fa1->SpeedButton1);
    EXPECT_EQ(Form_fa1->ComboBox4->currentText(), QString("Inne"));
    EXPECT_FALSE(Form_fa1->DateTimePicker2->isHidden());
    EXPECT_EQ(Form_fa1->DateTimePicker2->date(), fixedToday());
}

TEST_F(NewInvoice, TheCounterMovesOnOnlyWhenTheInvoiceOnScreenTookItsNumber) {
    struct Case {
        const char* what;
        int lines;
        bool printed;
        bool stored;
        bool loaded;
        int counterAfter;
    };
    const Case cases[] = {
        {"an empty invoice leaves its number to the next one", 0, false, false, false, 41},
        {"an invoice with lines is saved under its number", 3, false, false, false, 42},
        {"a printed invoice was saved by its printing", 2, true, true, false, 42},
        {"an invoice saved before whose lines went", 0, false, true, false, 42},
        // Saved under 42 here, after 41 above: the counter passes both.
        {"an invoice loaded from the register leaves the stored numbers behind", 1, false, true, true, 43},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Form_fa1->LicznikFaktur = 41;
        Form_fa10->Edit2->setText("41");
        addLines(c.lines);
        Form_fa1->Wydrukowana = c.printed;
        Form_fa1->storedNumber = c.stored ? QStringLiteral("7/05/2024") : QString();
        Form_fa2->loadedInvoice = c.loaded;
        Form_fa1->SpeedButton1Click(Form_fa1->SpeedButton1);
        EXPECT_EQ(Form_fa1->LicznikFaktur, c.counterAfter);
        EXPECT_EQ(Form_fa10->Edit2->text(), QString::number(c.counterAfter));
        EXPECT_TRUE(readBytes(file("ustaw.txt"))
                        .startsWith("#N/#MM/#YYYY\r\n" + QByteArray::number(c.counterAfter) + "\r\n"));
        EXPECT_FALSE(Form_fa2->loadedInvoice);
        EXPECT_FALSE(Form_fa1->Wydrukowana);
        EXPECT_EQ(Form_fa1->pozycje->recordCount(), 0);
    }
}

TEST_F(NewInvoice, TwoNewInvoicesInARowAdvanceByOneEach) {
    addLines(1);
    Form_fa1->SpeedButton1Click(Form_fa1->SpeedButton1);
    EXPECT_EQ(Form_fa1->LicznikFaktur, 42);
    addLines(2);
    Form_fa1->SpeedButton1Click(Form_fa1->SpeedButton1);
    EXPECT_EQ(Form_fa1->LicznikFaktur, 43);
    EXPECT_EQ(Form_fa10->Edit2->text(), QString("43"));
    // With nothing on screen, the next press keeps the number.
    Form_fa1->SpeedButton1Click(Form_fa1->SpeedButton1);
    EXPECT_EQ(Form_fa1->LicznikFaktur, 43);
    EXPECT_EQ(readBytes(file("ustaw.txt")), cp1250Lines({"#N/#MM/#YYYY", "43", "Dziękujemy", "0", "0", "0",
                                                         "Uwagi z administracji", "0", "0", "0"}));
}

TEST_F(NewInvoice, AfterALoadedInvoiceTheNewNumberIsNoStoredOne) {
    TForm_fa1& w = *Form_fa1;
    const auto store = [&](int number, int lines) {
        w.pozycje->emptyTable();
        w.storedNumber.clear();
        w.Edit5->setText(w.FormatujNumer(number, fixedToday()));
        addLines(lines);
        w.SpeedButton2Click(w.SpeedButton2);
        ASSERT_EQ(w.storedNumber, w.FormatujNumer(number, fixedToday()));
    };
    store(7, 1);
    store(42, 2);
    const struct {
        const char* what;
        int counter;
        int next;
    } cases[] = {
        {"the counter still on the invoice saved last", 42, 43},
        {"the counter on a number not stored yet", 43, 43},
        {"the counter set ahead in the administration", 50, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        w.LicznikFaktur = c.counter;
        Form_fa10->Edit2->setText(QString::number(c.counter));
        Form_fa2->loadedInvoice = true; // as the register's "wczytaj fakturę" loads it
        w.WczytajFakture(w.FormatujNumer(7, fixedToday()));
        ASSERT_EQ(w.pozycje->recordCount(), 1);
        w.SpeedButton1Click(w.SpeedButton1);
        EXPECT_EQ(w.LicznikFaktur, c.next);
        EXPECT_EQ(w.Edit5->text(), w.FormatujNumer(c.next, fixedToday()));
        EXPECT_EQ(Form_fa10->Edit2->text(), QString::number(c.next));
    }
    // The new invoice is saved under its own number; the stored ones keep their lines.
    addLines(3);
    w.SpeedButton2Click(w.SpeedButton2);
    EXPECT_TRUE(messages().isEmpty()) << messages().value(0).text.toStdString();
    EXPECT_EQ(w.storedNumber, w.FormatujNumer(50, fixedToday()));
    EXPECT_EQ(invoicing::loadLines(w.FormatujNumer(42, fixedToday())).size(), 2);
    EXPECT_EQ(invoicing::loadLines(w.FormatujNumer(7, fixedToday())).size(), 1);
}

TEST_F(NewInvoice, ALineBeingTypedIsDroppedWithTheOthers) {
    addLines(1);
    tv::Table& lines = *Form_fa1->pozycje;
    lines.append();
    lines.fieldByName("Nazwa").setAsString("w trakcie");
    Form_fa1->Wydrukowana = true;
    Form_fa1->SpeedButton1Click(Form_fa1->SpeedButton1);
    EXPECT_EQ(lines.state(), tv::Table::State::Browse);
    EXPECT_EQ(lines.recordCount(), 0);
}

TEST_F(NewInvoice, TheSellerPickerStaysEmptyWithoutSellers) {
    tv::Table& sellers = *Form_fa1->sprzedawcy;
    sellers.emptyTable();
    Form_fa1->ComboBox2->setEditText("BETA");
    Form_fa1->chosenSeller = 2;
    Form_fa1->SpeedButton1Click(Form_fa1->SpeedButton1);
    EXPECT_EQ(Form_fa1->ComboBox2->currentText(), QString());
    EXPECT_EQ(Form_fa1->chosenSeller, std::nullopt);
    EXPECT_TRUE(messages().isEmpty());
}
