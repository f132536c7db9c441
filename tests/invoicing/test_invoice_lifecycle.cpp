// An operator's day on the invoice window: invoices saved, printed, loaded
// from the register, changed, deleted and followed by the next one, with the
// register, the stock and its record, the counter and the window checked to
// agree after each step.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include "costing/costing_sheet.h"
#include "invoicing/registers/issued_invoices.h"
#include "invoicing/rules/invoice_store.h"
#include "invoicing/rules/stock.h"
#include "invoicing/storage_fixture.h"
#include "platform/clock.h"
#include "platform/report/painter.h"
#include "platform/ui/dataaware_grid.h"
#include "platform/ui/messages.h"

namespace {

// Print jobs land here instead of a printer.
class JobCounter : public tv::report::PrintSink {
public:
    QStringList jobNames;
    QString defaultPrinterName() override { return QStringLiteral("Drukarka"); }
    bool print(const QVector<tv::report::LaidOutPage>&, const QString& jobName) override {
        jobNames << jobName;
        return true;
    }
};

void addGoods(const char* name, int nr, const char* id, double net, double stock) {
    tv::Table goods(QStringLiteral("towary.DB"));
    goods.open();
    goods.append();
    goods.fieldByName("Nazwa").setAsString(QString::fromUtf8(name));
    goods.fieldByName("Nr").setAsInteger(nr);
    goods.fieldByName("Id").setAsString(QString::fromUtf8(id));
    goods.fieldByName("VAT").setAsString("22");
    goods.fieldByName("Jm").setAsString("szt");
    goods.fieldByName("Netto").setAsFloat(net);
    goods.fieldByName("Magazyn").setAsFloat(stock);
    goods.post();
}

class InvoiceLifecycle : public tvtest::StorageFixture {
public:
    void prepareData() override {
        StorageFixture::prepareData();
        addGoods("Papier A4", 1, "PAP", 20.0, 10.0);
        addGoods("Koperta C5", 2, "KOP", 0.5, 100.0);
    }
    void SetUp() override {
        StorageFixture::SetUp();
        tv::report::setPrintSink(&printer);
        Form_fa1->show();
        tv::ui::clearShownMessages();
    }
    void TearDown() override {
        tv::report::setPrintSink(nullptr);
        Form_fa1->hide();
        StorageFixture::TearDown();
    }

    static void stockVersion(bool on) { Form_fa10->CheckBox1->setChecked(on); }
    static double stockOf(const char* goods) {
        tv::Query query;
        query.setSql(QStringLiteral("select Magazyn from towary where Nazwa = ?"));
        query.bindValue(1, QString::fromUtf8(goods));
        query.open();
        return query.eof() ? -1 : query.field(0).asFloat();
    }
    static double recorded(const QString& number, const QString& goods) {
        double sum = 0;
        for (const invoicing::StockLine& line : invoicing::stockRecord(number))
            if (line.name == goods) sum += line.quantity;
        return sum;
    }
    static void print() {
        tv::ui::guard([] { Form_fa1->SpeedButton4Click(Form_fa1->SpeedButton4); });
    }
    static void newInvoice() {
        tv::ui::guard([] { Form_fa1->SpeedButton1Click(Form_fa1->SpeedButton1); });
    }
    // The operator's change of one line's quantity, confirmed.
    static void changeQuantity(int lp, double quantity) {
        tv::Table& lines = *Form_fa1->pozycje;
        lines.moveTo(lp);
        lines.edit();
        lines.fieldByName("Ilosc").setAsFloat(quantity);
        Form_fa1->SpeedButton14Click(Form_fa1->SpeedButton14);
    }
    // "wczytaj fakturę" on the register's row with that number.
    static void loadFromRegister(const QString& number) {
        Form_fa2->show();
        tv::Table& invoices = *Form_fa2->wyst_faktury;
        for (invoices.first(); !invoices.eof(); invoices.next())
            if (invoices.fieldByName("Nr").asString() == number) break;
        ASSERT_EQ(invoices.fieldByName("Nr").asString(), number);
        tv::ui::guard([] { Form_fa2->SpeedButton1Click(Form_fa2->SpeedButton1); });
    }
    static void deleteInRegister(const QString& number) {
        Form_fa2->show();
        tv::Table& invoices = *Form_fa2->wyst_faktury;
        for (invoices.first(); !invoices.eof(); invoices.next())
            if (invoices.fieldByName("Nr").asString() == number) break;
        ASSERT_EQ(invoices.fieldByName("Nr").asString(), number);
        tv::ui::guard([] { Form_fa2->SpeedButton19Click(Form_fa2->SpeedButton19); });
        Form_fa2->close();
    }
    static QStringList storedNumbers() {
        QStringList numbers;
        tv::Query query;
        query.setSql(QStringLiteral("select Nr from wyst_faktury order by rowid"));
        query.open();
        for (query.first(); !query.eof(); query.next())
            numbers << query.field(0).asString();
        return numbers;
    }

    JobCounter printer;
};

// A day in the stock version: goods leave stock once per sale whatever the
// invoice goes through, and the register, the record and the counter agree.
TEST_F(InvoiceLifecycle, GoodsLeaveStockOnceOverSavePrintReloadAndChange) {
    stockVersion(true);
    chooseParties("FIRMA", 1, "KOWAL", 5);
    addLine("Papier A4", 3, 20, "22");
    save();
    const QString first = Form_fa1->storedNumber;
    ASSERT_EQ(first, "1/03/2009");
    print();
    EXPECT_EQ(printer.jobNames, QStringList({"Faktura VAT 1/03/2009", "Faktura VAT 1/03/2009"}));
    EXPECT_EQ(stockOf("Papier A4"), 7);
    EXPECT_EQ(Form_fa1->Edit5->text(), "2/03/2009");

    chooseParties("FIRMA", 1, "KOWAL", 5);
    addLine("Papier A4", 5, 20, "22");
    save();
    EXPECT_EQ(stockOf("Papier A4"), 2);
    loadFromRegister(first);
    ASSERT_EQ(Form_fa1->storedNumber, first);
    changeQuantity(1, 4);
    save();
    EXPECT_EQ(stockOf("Papier A4"), 1);
    EXPECT_EQ(recorded(first, "Papier A4"), 4);
    newInvoice();
    EXPECT_EQ(Form_fa1->Edit5->text(), "3/03/2009");
    EXPECT_EQ(storedNumbers(), QStringList({"1/03/2009", "2/03/2009"}));
    EXPECT_EQ(stockOf("Papier A4"), 1);
}

// The sheet's job as it stands when "  Faktura" is clicked.
void handOverAJob() {
    {
        const QSignalBlocker quiet(Form1->Edit21);
        Form1->Edit21->setText("100,00");
    }
    Form1->Edit65->setText("500,00");
    Form1->Edit1->setText("Ulotka");
    Form1->ComboBox1->setEditText("22");
    Form1->ComboBox6->setEditText("do całości");
    Form1->ComboBox3->setEditText("0");
    Form1->ComboBox7->setEditText("KOWAL");
    tv::ui::guard([] { Form1->SpeedButton4Click(Form1->SpeedButton4); });
}

// What follows a saved invoice once the window was closed and opened again:
// the window's show moves the counter to the next free number, which the
// next invoice takes, with no number left out.
struct AfterShowingAgain {
    const char* what;
    QDate shownOn; // none: the window stays open
    void (*next)();
    const char* nextNumber;
    friend void PrintTo(const AfterShowingAgain& c, std::ostream* out) { *out << c.what; }
};

class NextNumberAfterShowingAgain : public InvoiceLifecycle,
                                    public ::testing::WithParamInterface<AfterShowingAgain> {};

TEST_P(NextNumberAfterShowingAgain, TakesTheNextFreeNumber) {
    const AfterShowingAgain& c = GetParam();
    // The year's twelfth invoice, saved and left on screen.
    Form_fa10->Edit2->setText("12");
    tv::ui::guard([] { Form_fa10->SpeedButton1Click(Form_fa10->SpeedButton1); });
    chooseParties("FIRMA", 1, "KOWAL", 5);
    addLine("Druk", 1, 100, "22");
    save();
    ASSERT_EQ(Form_fa1->storedNumber, "12/03/2009");
    if (c.shownOn.isValid()) {
        Form_fa1->hide();
        tv::setToday(c.shownOn);
        Form_fa1->show();
    }
    c.next();
    EXPECT_EQ(Form_fa1->storedNumber, QString());
    EXPECT_EQ(Form_fa1->Edit5->text(), QString::fromUtf8(c.nextNumber));
    EXPECT_EQ(Form_fa10->Edit2->text(), QString::number(Form_fa1->LicznikFaktur));
    EXPECT_EQ(storedNumbers(), QStringList({"12/03/2009"}));
}

INSTANTIATE_TEST_SUITE_P(
    InvoiceLifecycle, NextNumberAfterShowingAgain,
    ::testing::Values(AfterShowingAgain{"the window left open", QDate(), &InvoiceLifecycle::newInvoice,
                                        "13/03/2009"},
                      AfterShowingAgain{"shown again, then Nowa faktura", QDate(2009, 3, 5),
                                        &InvoiceLifecycle::newInvoice, "13/03/2009"},
                      AfterShowingAgain{"shown again, then printed once more", QDate(2009, 3, 5),
                                        &InvoiceLifecycle::print, "13/03/2009"},
                      AfterShowingAgain{"shown again by the sheet's hand-over", QDate(2009, 3, 5),
                                        handOverAJob, "13/03/2009"},
                      AfterShowingAgain{"shown again in a new year", QDate(2010, 1, 4),
                                        &InvoiceLifecycle::newInvoice, "1/01/2010"}),
    [](const auto& info) { return std::to_string(info.index); });

// An invoice deleted in the register while it is on screen stays deleted
// when the window moves on to the next invoice; saving or printing it is the
// operator's explicit choice and stores it anew.
TEST_F(InvoiceLifecycle, AnInvoiceDeletedInTheRegisterStaysDeleted) {
    const struct {
        const char* what;
        void (*next)();
        QStringList stored;
    } cases[] = {
        {"Nowa faktura", &InvoiceLifecycle::newInvoice, {}},
        {"the sheet's hand-over", handOverAJob, {}},
        {"Zapisz fakturę", &InvoiceLifecycle::save, {"1/03/2009"}},
        {"Drukuj fakturę", &InvoiceLifecycle::print, {"1/03/2009"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Form_fa10->Edit2->setText("1");
        tv::ui::guard([] { Form_fa10->SpeedButton1Click(Form_fa10->SpeedButton1); });
        chooseParties("FIRMA", 1, "KOWAL", 5);
        addLine("Druk", 1, 100, "22");
        save();
        ASSERT_EQ(Form_fa1->storedNumber, "1/03/2009");
        deleteInRegister("1/03/2009");
        ASSERT_EQ(storedNumbers(), QStringList());
        c.next();
        EXPECT_EQ(storedNumbers(), c.stored);
        EXPECT_EQ(invoicing::loadLines("1/03/2009").size(), c.stored.size());
        // Leave the window with a new invoice and the register empty.
        newInvoice();
        for (const QString& number : storedNumbers())
            deleteInRegister(number);
    }
}

} // namespace
