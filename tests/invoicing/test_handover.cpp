// The costing sheet's "  Faktura": the costed job handed over to the invoice
// window as two lines, with the remarks, the customer and the discount.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "invoicing/rules/invoice_store.h"
#include "platform/ui/controls.h"
#include "storage_fixture.h"

using tvtest::StorageFixture;

namespace {

struct Sheet {
    const char* preparation = "150,00"; // Edit21
    const char* rounded = "1000,00";    // Edit65
    const char* job = "Ulotka A5";      // Edit1
    const char* rate = "22";            // ComboBox1
    const char* scope = "do całości";   // ComboBox6
    const char* discount = "0";         // ComboBox3
    const char* customer = "KOWAL";     // ComboBox7
};

// The sheet's figures as they stand when the operator clicks; the sheet is
// not recomputed by the hand-over, so none of its change handlers runs here.
void setSheet(const Sheet& sheet) {
    {
        const QSignalBlocker quiet(Form1->Edit21);
        Form1->Edit21->setText(QString::fromUtf8(sheet.preparation));
    }
    Form1->Edit65->setText(QString::fromUtf8(sheet.rounded));
    Form1->Edit1->setText(QString::fromUtf8(sheet.job));
    Form1->ComboBox1->setEditText(QString::fromUtf8(sheet.rate));
    Form1->ComboBox6->setEditText(QString::fromUtf8(sheet.scope));
    Form1->ComboBox3->setEditText(QString::fromUtf8(sheet.discount));
    Form1->ComboBox7->setEditText(QString::fromUtf8(sheet.customer));
    Form1->Edit69->setText(QStringLiteral("Zlecenie z kalkulacji"));
}

void handOver() {
    tv::ui::guard([] { Form1->SpeedButton4Click(Form1->SpeedButton4); });
}

} // namespace

TEST_F(StorageFixture, TheSheetsButtonHandsTheJobOver) {
    setSheet({});
    Form_fa10->Edit4->setText("Uwagi z administracji"); // what showing the window puts in
    ASSERT_TRUE(Form1->SpeedButton4->isEnabled());
    ASSERT_FALSE(Form_fa1->isVisible());
    QTest::mouseClick(Form1->SpeedButton4, Qt::LeftButton);
    EXPECT_TRUE(Form_fa1->isVisible());
    EXPECT_EQ(Form_fa1->Edit12->text(), QStringLiteral("Zlecenie z kalkulacji"));
    EXPECT_EQ(Form_fa1->ComboBox3->currentText(), QStringLiteral("KOWAL"));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(StorageFixture, FiguresThatAreNoAmountsChangeNothing) {
    const struct {
        Sheet sheet;
        const char* message;
    } cases[] = {
        {{"", "1000,00"}, "koszt przygotowania do druku „” nie jest kwotą"},
        {{"1x0", "1000,00"}, "koszt przygotowania do druku „1x0” nie jest kwotą"},
        {{"150,00", "abc"}, "zaokrąglona cena netto „abc” nie jest kwotą"},
        {{"150,00", ""}, "zaokrąglona cena netto „” nie jest kwotą"},
        // The sheet's rate goes to the printing line when the tax is on the whole job.
        {{"150,00", "1000,00", "Ulotka A5", "abc"}, "podatek „abc” nie jest stawką VAT"},
        {{"150,00", "1000,00", "Ulotka A5", "VAT"}, "podatek „VAT” nie jest stawką VAT"},
    };
    addLine("Papier A4", 2, 10, "22");
    Form_fa1->Edit12->setText("Uwagi faktury");
    Form_fa1->ComboBox3->setEditText("ZERO");
    for (const auto& c : cases) {
        tv::ui::clearShownMessages();
        setSheet(c.sheet);
        handOver();
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages()[0].text.contains(QString::fromUtf8(c.message)))
            << messages()[0].text.toStdString();
        EXPECT_EQ(Form_fa1->Edit12->text(), QStringLiteral("Uwagi faktury"));
        EXPECT_EQ(Form_fa1->ComboBox3->currentText(), QStringLiteral("ZERO"));
        EXPECT_EQ(shownLines(), QStringList{"1 Papier A4|2 szt 22 10"});
        EXPECT_FALSE(Form_fa1->isVisible());
    }
}

TEST_F(StorageFixture, WritesTheJobAsTwoLines) {
    const struct {
        Sheet sheet;
        QStringList lines;
        double net;
    } cases[] = {
        {{"150,00", "1000,00", "Ulotka A5", "22", "do całości"},
         {"1 Przygotowanie do druku Ulotka A5|1 szt 22 150", "2 Druk Ulotka A5|1 szt 22 850"},
         1000},
        // Preparation is always billed at 22; printing at the sheet's rate only on the whole.
        {{"150,00", "1000,00", "Ulotka A5", "7", "do całości"},
         {"1 Przygotowanie do druku Ulotka A5|1 szt 22 150", "2 Druk Ulotka A5|1 szt 7 850"},
         1000},
        {{"150,00", "1000,00", "Ulotka A5", "7", "do części I"},
         {"1 Przygotowanie do druku Ulotka A5|1 szt 22 150", "2 Druk Ulotka A5|1 szt 0 850"},
         1000},
        {{"150,00", "1000,00", "Ulotka A5", "zw.", "do całości"},
         {"1 Przygotowanie do druku Ulotka A5|1 szt 22 150", "2 Druk Ulotka A5|1 szt zw. 850"},
         1000},
        {{"200", "200", "Wizytówki", "22", "do całości"},
         {"1 Przygotowanie do druku Wizytówki|1 szt 22 200", "2 Druk Wizytówki|1 szt 22 0"},
         200},
        // A rate the printing line does not take is never looked at.
        {{"150,00", "1000,00", "Ulotka A5", "abc", "do części I"},
         {"1 Przygotowanie do druku Ulotka A5|1 szt 22 150", "2 Druk Ulotka A5|1 szt 0 850"},
         1000},
        {{"12,34", "99", "", "22", "do całości"},
         {"1 Przygotowanie do druku |1 szt 22 12,34", "2 Druk |1 szt 22 86,66"},
         99},
    };
    for (const auto& c : cases) {
        Form_fa1->pozycje->emptyTable();
        addLine("Papier A4", 2, 10, "22"); // goods already on the invoice go
        setSheet(c.sheet);
        handOver();
        EXPECT_TRUE(messages().isEmpty()) << messages().value(0).text.toStdString();
        EXPECT_EQ(shownLines(), c.lines);
        EXPECT_EQ(Form_fa1->RazemNetto, tv::Currency::fromDouble(c.net));
        EXPECT_EQ(Form_fa1->pozycje->state(), tv::Table::State::Browse);
    }
}

TEST_F(StorageFixture, PassesTheSheetsDiscountOnceWhateverTheBoxShowed) {
    const struct {
        const char* what;
        const char* discount;
        const char* customer;
        bool checkedBefore;
        bool checked;
        const char* percentage; // nullptr: whatever the customer step left
        const char* preparation;
        const char* printing;
    } cases[] = {
        {"no discount", "0", "KOWAL", false, false, nullptr, "150", "850"},
        {"the sheet's discount", "15", "KOWAL", false, true, "15", "127,5", "722,5"},
        {"the box already checked", "15", "KOWAL", true, true, "15", "127,5", "722,5"},
        {"a customer's own discount", "15", "RABAT", false, true, "15", "127,5", "722,5"},
        {"a customer's discount of 0 and none on the sheet", "0", "ZERO", false, false, nullptr, "150",
         "850"},
        {"a customer's discount and none on the sheet", "0", "RABAT", true, false, nullptr, "150", "850"},
    };
    for (const auto& c : cases) {
        tv::ui::clearShownMessages();
        setDiscountBox(c.checkedBefore, c.checkedBefore ? "15" : "5");
        Sheet sheet;
        sheet.discount = c.discount;
        sheet.customer = c.customer;
        setSheet(sheet);
        handOver();
        EXPECT_TRUE(messages().isEmpty()) << c.what << ": " << messages().value(0).text.toStdString();
        EXPECT_EQ(Form_fa1->CheckBox2->isChecked(), c.checked) << c.what;
        if (c.percentage) {
            EXPECT_EQ(Form_fa1->ComboBox6->currentText(), QString::fromUtf8(c.percentage)) << c.what;
        }
        EXPECT_EQ(
            shownLines(),
            (QStringList{QStringLiteral("1 Przygotowanie do druku Ulotka A5|1 szt 22 %1").arg(c.preparation),
                         QStringLiteral("2 Druk Ulotka A5|1 szt 22 %1").arg(c.printing)}))
            << c.what;
    }
}

TEST_F(StorageFixture, AStoredInvoiceStaysAsStoredAndTheJobBecomesANewOne) {
    chooseParties("FIRMA", 1, "KOWAL", 5);
    Form_fa1->Edit5->setText("1/03/2009");
    addLine("Papier A4", 2, 10, "22");
    save();
    ASSERT_EQ(Form_fa1->storedNumber, QStringLiteral("1/03/2009"));
    Form_fa1->Wydrukowana = true; // printed, so "Nowa faktura" need not save it again
    const QStringList stored = storedRows();

    setSheet({});
    handOver();
    EXPECT_EQ(storedRows(), stored);
    EXPECT_EQ(Form_fa1->storedNumber, QString());
    EXPECT_NE(Form_fa1->Edit5->text(), QStringLiteral("1/03/2009"));
    EXPECT_EQ(shownLines().size(), 2);
    save();
    EXPECT_EQ(invoicing::loadLines("1/03/2009").size(), 1);
    EXPECT_EQ(invoicing::loadLines(Form_fa1->Edit5->text()).size(), 2);
}

TEST_F(StorageFixture, ASheetDiscountThatIsNoNumberIsToldOnceTheLinesAreIn) {
    Sheet sheet;
    sheet.discount = "dużo";
    setSheet(sheet);
    int waitingInTransaction = 0;
    tv::ui::setAnswerer([&](const tv::ui::ShownMessage&) {
        if (tv::Database::instance().inTransaction()) ++waitingInTransaction;
        return tv::ui::Answer::Ok;
    });
    handOver();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QString::fromUtf8("Niewłaściwa wartość rabatu"));
    EXPECT_EQ(waitingInTransaction, 0);
    // The lines stay at full price.
    EXPECT_EQ(shownLines(), (QStringList{"1 Przygotowanie do druku Ulotka A5|1 szt 22 150",
                                         "2 Druk Ulotka A5|1 szt 22 850"}));
}
