// An operator's day with the program, through its windows only: a print job
// is priced on the costing sheet and saved, becomes an invoice with a seller
// and a goods line from stock, is saved and printed as a PDF (no printer
// installed), comes back from the register, and everything is still there
// when the program is started again in the same folder.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/program.h"
#include "app/start_screen.h"
#include "costing/costing_sheet.h"
#include "costing/refdata/customers.h"
#include "costing/refdata/paper_colour.h"
#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/registers/goods.h"
#include "invoicing/registers/issued_invoices.h"
#include "invoicing/registers/sellers.h"
#include "journey_support.h"
#include "platform/clock.h"
#include "platform/report/painter.h"
#include "platform/table.h"
#include "platform/ui/application.h"
#include "platform/ui/dataaware_combo.h"
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/dataaware_grid.h"
#include "platform/ui/report_preview.h"
#include "support/test_env.h"

using namespace journey;
using tv::ui::Answer;

namespace {

// No printer is installed on the machine: printing must offer the PDF.
class NoPrinter : public tv::report::PrintSink {
public:
    QString defaultPrinterName() override { return QString(); }
    bool print(const QVector<tv::report::LaidOutPage>&, const QString& jobName) override {
        ADD_FAILURE() << "a job went to a printer that is not there: " << jobName.toStdString();
        return false;
    }
};

// Money as the invoice window shows it: thousands grouped with a no-break
// space (written here as "_"), a blank before the currency.
QString money(const char* text) {
    return QString::fromUtf8(text).replace(u'_', QChar(0x00A0));
}

const QDate kToday(2025, 3, 14);

} // namespace

class Journey : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_previousFolder = QDir::currentPath();
        QDir::setCurrent(m_folder.path());
        tv::setToday(kToday);
        // As main does on a machine whose locale is C, as a CI machine's is.
        m_previousLocale = QLocale();
        tv::ui::useProgramLocale(QLocale::c());
        tv::report::setPrintSink(&m_noPrinter);
        tv::ui::resetTerminationRequest();
    }
    void TearDown() override {
        if (m_running) endProgram();
        tv::report::setPrintSink(nullptr);
        tv::setToday(QDate());
        QLocale::setDefault(m_previousLocale);
        QDir::setCurrent(m_previousFolder);
    }

    QString file(const QString& name) const { return QDir(m_folder.path()).filePath(name); }

    // ---- the steps -------------------------------------------------------------

    // As main starts the program: tables, forms, the start screen; Enter.
    void startTheProgram() {
        startProgram(m_folder.path(), tvtest::sourceDataDir());
        m_running = true;
        ASSERT_TRUE(Form_start->isVisible());
        ASSERT_NO_FATAL_FAILURE(activate(Form_start));
        EXPECT_EQ(Form_start->windowTitle(), QStringLiteral("Tarvelino 2.22"));
        QTest::keyClick(Form_start, Qt::Key_Return);
        ASSERT_TRUE(Form1->isVisible());
        EXPECT_FALSE(Form_start->isVisible());
        ASSERT_NO_FATAL_FAILURE(activate(Form1));
    }

    // As main ends it once the message loop is over.
    void endTheProgram() {
        Form1->Koniec1->trigger(); // "Koniec"
        EXPECT_TRUE(tv::ui::terminationRequested());
        endProgram();
        m_running = false;
        tv::ui::resetTerminationRequest();
    }

    // The customer is new: the operator adds it in the customer register,
    // opened from the sheet.
    void addTheCustomer() {
        click(Form1->SpeedButton10); // "Edytuj listę kontrahentów"
        ASSERT_NO_FATAL_FAILURE(opened(Form_fa4));
        click(Form_fa4->Panel1); // dodaj
        const QStringList values = {"ŻAK", "Anna Żak", "Wydawnictwo Żak", "", "Polna 3", "Tarnów", "33-100",
                                    "",    "",         "873-000-11-22"};
        for (int i = 0; i < values.size(); ++i) {
            if (values[i].isEmpty()) continue;
            ASSERT_NO_FATAL_FAILURE(type(Form_fa4->DBEdits[size_t(i)], values[i]));
        }
        click(Form_fa4->SpeedButton9); // potwierdź
        click(Form_fa4->SpeedButton1); // zamknij
        EXPECT_FALSE(Form_fa4->isVisible());
        EXPECT_EQ(Form1->ComboBox7->findText(QStringLiteral("ŻAK")), 0);
    }

    void priceTheJob() {
        ASSERT_NO_FATAL_FAILURE(choose(Form1->ComboBox7, QStringLiteral("ŻAK")));
        ASSERT_NO_FATAL_FAILURE(fill(Form1->Edit1, QStringLiteral("Ulotka A4")));
        ASSERT_NO_FATAL_FAILURE(fill(Form1->Edit2, QStringLiteral("500")));
        EXPECT_EQ(Form1->Edit23->text(), QStringLiteral("500"));
        ASSERT_NO_FATAL_FAILURE(choose(Form1->DBLookupComboBox1, QStringLiteral("A4")));

        // Two paper lines through the paper dialog: 8 pages of coated paper
        // in full colour at the ream price, 4 pages of offset in one colour at
        // the sheet price (A4 pages on A3 plates: two pages a sheet).
        click(Form1->SpeedButton11); // "Ustaw papier/kolor"
        ASSERT_NO_FATAL_FAILURE(opened(Form4));
        EXPECT_EQ(Form4->Label9->text(), QStringLiteral("A4"));
        ASSERT_NO_FATAL_FAILURE(addPaperLine("8", "Kreda mat", "135", "pełny", Form4->RadioButton1));
        ASSERT_NO_FATAL_FAILURE(addPaperLine("4", "Offset", "80", "1", Form4->RadioButton2));
        EXPECT_EQ(columnTexts(Form4->DBGrid1, "Ilość arkuszy"), QStringList({"4", "2"}));
        EXPECT_EQ(columnTexts(Form4->DBGrid1, "Koszt"), QStringList({"2,48", "0,60"}));
        EXPECT_EQ(Form4->Edit1->text(), QStringLiteral("3,08"));
        click(Form4->SpeedButton1); // Zamknij
        EXPECT_FALSE(Form4->isVisible());
        // The paper lines' figures on the sheet.
        EXPECT_EQ(Form1->Edit5->text(), QStringLiteral("3,08"));
        EXPECT_EQ(Form1->Edit10->text(), QStringLiteral("4"));
        EXPECT_EQ(Form1->Edit12->text(), QStringLiteral("8"));
        EXPECT_EQ(Form1->Edit31->text(), QStringLiteral("2"));
        EXPECT_EQ(Form1->Edit34->text(), QStringLiteral("16"));
        EXPECT_EQ(Form1->Edit40->text(), QStringLiteral("6000"));

        // Preparation: texts and design.
        ASSERT_NO_FATAL_FAILURE(fill(Form1->Edit7, QStringLiteral("120")));
        ASSERT_NO_FATAL_FAILURE(fill(Form1->Edit9, QStringLiteral("80,3")));
        EXPECT_EQ(Form1->Edit14->text(), QStringLiteral("260"));
        EXPECT_EQ(Form1->Edit21->text(), QStringLiteral("460,3"));
        // Material: the colour plates cost more than the settings say.
        ASSERT_NO_FATAL_FAILURE(fill(Form1->Edit35, QStringLiteral("45")));
        EXPECT_EQ(Form1->Edit24->text(), QStringLiteral("1540"));
        EXPECT_EQ(Form1->Edit33->text(), QStringLiteral("50"));
        EXPECT_EQ(Form1->Edit36->text(), QStringLiteral("720"));
        EXPECT_EQ(Form1->Edit38->text(), QStringLiteral("231"));
        EXPECT_EQ(Form1->Edit39->text(), QStringLiteral("2541"));
        // Labour: varnishing, the folds of the paper lines, transport.
        ASSERT_NO_FATAL_FAILURE(fill(Form1->Edit41, QStringLiteral("150")));
        ASSERT_NO_FATAL_FAILURE(fill(Form1->Edit72, QStringLiteral("20")));
        EXPECT_EQ(Form1->Edit79->text(), QStringLiteral("120"));
        EXPECT_EQ(Form1->Edit74->text(), QStringLiteral("30"));
        EXPECT_EQ(Form1->Edit44->text(), QStringLiteral("300"));
        // Direct labour: printing passes, cutting, two staples.
        ASSERT_NO_FATAL_FAILURE(fill(Form1->Edit53, QStringLiteral("1,25")));
        ASSERT_NO_FATAL_FAILURE(choose(Form1->ComboBox5, QStringLiteral("2 zszywki")));
        EXPECT_EQ(Form1->Edit48->text(), QStringLiteral("30"));
        EXPECT_EQ(Form1->Edit52->text(), QStringLiteral("360"));
        EXPECT_EQ(Form1->Edit55->text(), QStringLiteral("50"));
        EXPECT_EQ(Form1->Edit76->text(), QStringLiteral("50"));
        EXPECT_EQ(Form1->Edit59->text(), QStringLiteral("490"));

        // Summary: 7 % on the whole, a discount of 10 %, remarks.
        ASSERT_NO_FATAL_FAILURE(choose(Form1->ComboBox1, QStringLiteral("7")));
        ASSERT_NO_FATAL_FAILURE(choose(Form1->ComboBox6, QStringLiteral("do całości")));
        ASSERT_NO_FATAL_FAILURE(choose(Form1->ComboBox3, QStringLiteral("10")));
        ASSERT_NO_FATAL_FAILURE(fill(Form1->Edit69, QStringLiteral("Druk do 20 marca")));
        EXPECT_EQ(Form1->Edit62->text(), QStringLiteral("98"));
        EXPECT_EQ(Form1->Edit61->text(), QStringLiteral("888"));
        EXPECT_EQ(Form1->Edit64->text(), QStringLiteral("3889,3"));
        EXPECT_EQ(Form1->Edit65->text(), QStringLiteral("3889"));
        EXPECT_EQ(Form1->Edit66->text(), QStringLiteral("272,23"));
        // With the discount the price comes from the discounted lines:
        // 414,27 and 3085,83 at 7 %.
        EXPECT_EQ(Form1->Edit67->text(), QStringLiteral("3745,11"));
        EXPECT_EQ(Form1->Edit68->text(), QStringLiteral("7,4902"));
    }

    void addPaperLine(const QString& pages, const QString& kind, const QString& grammage,
                      const QString& colours, QRadioButton* price) {
        ASSERT_NO_FATAL_FAILURE(fill(Form4->Edit2, pages));
        ASSERT_NO_FATAL_FAILURE(choose(Form4->DBLookupComboBox2, kind));
        ASSERT_NO_FATAL_FAILURE(choose(Form4->ComboBox2, grammage));
        ASSERT_NO_FATAL_FAILURE(choose(Form4->ComboBox1, colours));
        ASSERT_NO_FATAL_FAILURE(click(price));
        ASSERT_TRUE(price->isChecked());
        ASSERT_NO_FATAL_FAILURE(click(Form4->SpeedButton3)); // "  Dodaj"
    }

    void saveTheCalculation() {
        m_operator.expectFileDialog(QStringLiteral("Zachowaj jako.."), file("Kalkulacje/ulotka.clc"));
        Form1->Zapiszjako1->trigger();
        m_operator.checkAllAnswered();
        EXPECT_TRUE(QFile::exists(file("Kalkulacje/ulotka.clc")));
        EXPECT_TRUE(Form1->windowTitle().endsWith(QStringLiteral("ulotka.clc")))
            << Form1->windowTitle().toStdString();
        m_calculation = bytesOf(file("Kalkulacje/ulotka.clc"));
    }

    tv::Table& lines() { return *Form_fa1->pozycje; }
    QStringList lineTexts() {
        QStringList out;
        tv::Table& t = lines();
        for (t.first(); !t.eof(); t.next())
            out << QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                       .arg(t.fieldByName("Lp").asString(), t.fieldByName("Nazwa").asString(),
                            t.fieldByName("Ilosc").asString(), t.fieldByName("Jm").asString(),
                            t.fieldByName("Netto_jedn").asString(), t.fieldByName("Netto").asString(),
                            t.fieldByName("VAT").asString());
        return out;
    }
    QStringList rateTexts() {
        QStringList out;
        tv::Table& t = *Form_fa1->stawkiVAT;
        for (t.first(); !t.eof(); t.next())
            out << QStringLiteral("%1|%2|%3|%4")
                       .arg(t.fieldByName("VAT").asString(), t.fieldByName("Netto").asString(),
                            t.fieldByName("KwotaVAT").asString(), t.fieldByName("Brutto").asString());
        return out;
    }

    void handTheJobOver() {
        click(Form1->SpeedButton4); // "  Faktura"
        ASSERT_TRUE(Form_fa1->isVisible());
        EXPECT_EQ(Form_fa1->windowTitle(), QStringLiteral("Tarvelino 2000 - moduł FAKTURY"));
        ASSERT_NO_FATAL_FAILURE(activate(Form_fa1));
        EXPECT_EQ(Form_fa1->Edit5->text(), QStringLiteral("1/03/2025"));
        EXPECT_EQ(Form_fa1->ComboBox3->currentText(), QStringLiteral("ŻAK"));
        EXPECT_EQ(Form_fa1->Edit9->text(), QStringLiteral("Anna Żak"));
        EXPECT_EQ(Form_fa1->Edit12->text(), QStringLiteral("Druk do 20 marca"));
        EXPECT_TRUE(Form_fa1->CheckBox2->isChecked());
        EXPECT_EQ(Form_fa1->ComboBox6->currentText(), QStringLiteral("10"));
        EXPECT_EQ(columnTexts(Form_fa1->DBGrid1, "Nazwa"),
                  QStringList({"Przygotowanie do druku Ulotka A4", "Druk Ulotka A4"}));
        EXPECT_EQ(columnTexts(Form_fa1->DBGrid1, "Netto_jedn"), QStringList({"414,27", "3085,83"}));
        EXPECT_EQ(columnTexts(Form_fa1->DBGrid1, "VAT"), QStringList({"22", "7"}));
        EXPECT_EQ(rateTexts(), QStringList({"22|414,27|91,14|505,41", "7|3085,83|216,01|3301,84"}));
        EXPECT_EQ(Form_fa1->Edit3->text(), money("3_500,10 zł"));
        EXPECT_EQ(Form_fa1->Edit2->text(), money("307,15 zł"));
        EXPECT_EQ(Form_fa1->Edit1->text(), money("3_807,25 zł"));
        EXPECT_EQ(Form_fa1->Edit4->text(), QStringLiteral(" trzy tysiące osiemset siedem zł 25\\100"));
    }

    // The seller is new too: added in the seller register from the window.
    void addAndChooseTheSeller() {
        click(Form_fa1->Panel3); // "sprzedawcy"
        ASSERT_NO_FATAL_FAILURE(opened(Form_fa3));
        EXPECT_EQ(Form_fa3->windowTitle(), QStringLiteral("Zbiór sprzedawców"));
        click(Form_fa3->SpeedButton7); // dodaj
        const QStringList values = {"TARVEL",
                                    "Jan Drukarz",
                                    "Drukarnia Tarvel",
                                    "Długa 5",
                                    "Kraków",
                                    "30-001",
                                    "",
                                    "",
                                    "676-000-00-01",
                                    "",
                                    "",
                                    "Bank Spółdzielczy",
                                    "12 3456 7890 0000"};
        for (int i = 0; i < values.size(); ++i) {
            if (values[i].isEmpty()) continue;
            ASSERT_NO_FATAL_FAILURE(type(Form_fa3->DBEdits[size_t(i)], values[i]));
        }
        click(Form_fa3->SpeedButton9); // potwierdź
        click(Form_fa3->SpeedButton1); // zamknij
        EXPECT_FALSE(Form_fa3->isVisible());
        ASSERT_NO_FATAL_FAILURE(choose(Form_fa1->ComboBox2, QStringLiteral("TARVEL")));
        EXPECT_EQ(Form_fa1->Edit8->text(), QStringLiteral("Jan Drukarz"));
        // Choosing a seller makes its town the place of issue.
        EXPECT_EQ(Form_fa1->Edit6->text(), QStringLiteral("Kraków"));
    }

    // A goods item with a stock, added in the goods register of the stock version.
    void addTheGoods() {
        EXPECT_TRUE(Form_fa10->CheckBox1->isChecked()); // "wersja magazynowa", set by a first start
        click(Form_fa1->Panel1);                        // "towary i usługi"
        ASSERT_NO_FATAL_FAILURE(opened(Form_fa5));
        EXPECT_TRUE(Form_fa5->DBGrid1->isVisible()); // the grid with the stock
        click(Form_fa5->SpeedButton7);               // dodaj
        ASSERT_NO_FATAL_FAILURE(type(Form_fa5->DBEdit1, QStringLiteral("Teczka ofertowa")));
        ASSERT_NO_FATAL_FAILURE(type(Form_fa5->DBEdit7, QStringLiteral("TECZKA")));
        ASSERT_NO_FATAL_FAILURE(type(Form_fa5->DBEdit2, QStringLiteral("szt")));
        ASSERT_NO_FATAL_FAILURE(choose(Form_fa5->DBComboBox1, QStringLiteral("22")));
        ASSERT_NO_FATAL_FAILURE(fill(Form_fa5->DBEdit3, QStringLiteral("12,5")));
        EXPECT_EQ(Form_fa5->EditBrutto->text(), QStringLiteral("15,25"));
        ASSERT_NO_FATAL_FAILURE(typeInCell(Form_fa5->DBGrid1, 0, "Magazyn", QStringLiteral("40")));
        click(Form_fa5->SpeedButton9); // potwierdź
        EXPECT_EQ(columnTexts(Form_fa5->DBGrid1, "Nazwa"), QStringList({"Teczka ofertowa"}));
        EXPECT_EQ(columnTexts(Form_fa5->DBGrid1, "Magazyn"), QStringList({"40"}));
        click(Form_fa5->SpeedButton1); // zamknij
        EXPECT_FALSE(Form_fa5->isVisible());
        EXPECT_EQ(stock(), 40.0);
    }

    static double stock() {
        tv::Query query;
        query.setSql(QStringLiteral("select Magazyn from towary where Id = 'TECZKA'"));
        query.open();
        return query.eof() ? -1 : query.field(0).asFloat();
    }

    // Five folders from stock, at the customer's discount.
    void addTheGoodsLine() {
        ASSERT_NO_FATAL_FAILURE(choose(Form_fa1->ComboBox5, QStringLiteral("TECZKA")));
        click(Form_fa1->Panel5); // "dodaj towar do listy"
        ASSERT_EQ(lines().recordCount(), 3);
        EXPECT_EQ(cell(Form_fa1->DBGrid1, 2, "Nazwa"), QStringLiteral("Teczka ofertowa"));
        EXPECT_EQ(cell(Form_fa1->DBGrid1, 2, "Netto_jedn"), QStringLiteral("11,25"));
        ASSERT_NO_FATAL_FAILURE(typeInCell(Form_fa1->DBGrid1, 2, "Ilosc", QStringLiteral("5")));
        click(Form_fa1->SpeedButton14); // "Potwierdź zmianę"
        EXPECT_EQ(lineTexts(), QStringList({"1|Przygotowanie do druku Ulotka A4|1|szt|414,27|414,27|22",
                                            "2|Druk Ulotka A4|1|szt|3085,83|3085,83|7",
                                            "3|Teczka ofertowa|5|szt|11,25|56,25|22"}));
        EXPECT_EQ(rateTexts(), QStringList({"22|470,52|103,51|574,03", "7|3085,83|216,01|3301,84"}));
        EXPECT_EQ(Form_fa1->Edit3->text(), money("3_556,35 zł"));
        EXPECT_EQ(Form_fa1->Edit2->text(), money("319,52 zł"));
        EXPECT_EQ(Form_fa1->Edit1->text(), money("3_875,87 zł"));
        EXPECT_EQ(Form_fa1->Edit4->text(),
                  QStringLiteral(" trzy tysiące osiemset siedemdziesiąt pięć zł 87\\100"));
    }

    // Paid by transfer within 14 days, against an order; sold two days ago.
    void fillTheInvoiceDetails() {
        ASSERT_NO_FATAL_FAILURE(choose(Form_fa1->ComboBox1, QStringLiteral("przelewem")));
        ASSERT_NO_FATAL_FAILURE(choose(Form_fa1->ComboBox4, QStringLiteral("14 dni")));
        ASSERT_NO_FATAL_FAILURE(fill(Form_fa1->Edit11, QStringLiteral("ZAM/7/2025")));
        ASSERT_NO_FATAL_FAILURE(focus(Form_fa1->DateTimePicker3));
        QTest::keyClick(Form_fa1->DateTimePicker3, Qt::Key_Down);
        QTest::keyClick(Form_fa1->DateTimePicker3, Qt::Key_Down);
        EXPECT_EQ(Form_fa1->DateTimePicker3->date(), QDate(2025, 3, 12));
        // The issue date stays today, and with it the number.
        EXPECT_EQ(Form_fa1->DateTimePicker1->date(), kToday);
        EXPECT_EQ(Form_fa1->Edit5->text(), QStringLiteral("1/03/2025"));
    }

    static QStringList registerRows() {
        QStringList out;
        tv::Table t(QStringLiteral("wyst_faktury.db"));
        t.open();
        for (t.first(); !t.eof(); t.next())
            out << QStringLiteral("%1|%2|%3|%4|%5")
                       .arg(t.fieldByName("Nr").asString(), t.fieldByName("Data_wyst").asString(),
                            t.fieldByName("Nr_sprzed").asString(), t.fieldByName("Nr_kontr").asString(),
                            t.fieldByName("Forma_pl").asString());
        return out;
    }
    static QStringList registerLines() {
        QStringList out;
        tv::Table t(QStringLiteral("wyst_pozycje.db"));
        t.open();
        for (t.first(); !t.eof(); t.next())
            out << QStringLiteral("%1|%2|%3|%4|%5|%6")
                       .arg(t.fieldByName("Nr_faktury").asString(), t.fieldByName("Lp").asString(),
                            t.fieldByName("Nazwa").asString(), t.fieldByName("Ilosc").asString(),
                            t.fieldByName("Netto_jedn").asString(), t.fieldByName("VAT").asString());
        return out;
    }

    void saveTheInvoice() {
        m_operator.expectBox(kStockQuestion, Answer::Yes);
        click(Form_fa1->SpeedButton2); // "Zapisz fakturę"
        m_operator.checkAllAnswered();
        EXPECT_EQ(Form_fa1->storedNumber, QStringLiteral("1/03/2025"));
        EXPECT_EQ(registerRows(), QStringList({"1/03/2025|14.03.2025|1|1|przelewem"}));
        EXPECT_EQ(registerLines(), QStringList({"1/03/2025|1|Przygotowanie do druku Ulotka A4|1|414,27|22",
                                                "1/03/2025|2|Druk Ulotka A4|1|3085,83|7",
                                                "1/03/2025|3|Teczka ofertowa|5|11,25|22"}));
        EXPECT_EQ(stock(), 35.0);
    }

    // What the window shows of the invoice, to find again on paper and after loading.
    struct Shown {
        QString number, net, vat, gross, words;
    };
    Shown shown() const {
        return {Form_fa1->Edit5->text(), Form_fa1->Edit3->text(), Form_fa1->Edit2->text(),
                Form_fa1->Edit1->text(), Form_fa1->Edit4->text()};
    }

    void printTheInvoiceAsPdf() {
        click(Form_fa1->RadioButton6); // "Oryginał i kopia"
        ASSERT_TRUE(Form_fa1->RadioButton6->isChecked());
        m_printed = shown();
        m_operator.expectBox(kStockQuestion, Answer::Yes);
        m_operator.expectBox(QString::fromUtf8(tv::ui::noPrinterMessage), Answer::Yes);
        m_operator.expectFileDialog(QStringLiteral("Zapisz wydruk jako PDF"), file("faktura"));
        click(Form_fa1->SpeedButton4); // "Drukuj fakturę"
        m_operator.checkAllAnswered();
        // Saved again before printing, the stock is not taken twice.
        EXPECT_EQ(stock(), 35.0);
        EXPECT_EQ(registerRows().size(), 1);

        const QStringList pages = pdfPages(file("faktura.pdf"));
        ASSERT_EQ(pages.size(), 2) << pages.join("\n----\n").toStdString();
        const auto plain = [](QString text) { return text.replace(QChar(0x00A0), u' ').simplified(); };
        for (int copy = 0; copy < 2; ++copy) {
            SCOPED_TRACE(copy == 0 ? "the original" : "the copy");
            const QString page = plain(pages[copy]);
            EXPECT_TRUE(page.contains(copy == 0 ? QStringLiteral("Oryginał") : QStringLiteral("Kopia")));
            EXPECT_EQ(page.contains(QStringLiteral("Oryginał")), copy == 0);
            for (const QString& text :
                 {m_printed.number, m_printed.net, m_printed.vat, m_printed.gross, m_printed.words.trimmed(),
                  QStringLiteral("Wydawnictwo Żak"), QStringLiteral("Drukarnia Tarvel"),
                  QStringLiteral("Teczka ofertowa"), QStringLiteral("12/03/2025"), QStringLiteral("14 dni"),
                  QStringLiteral("przelewem"), QStringLiteral("ZAM/7/2025"),
                  QStringLiteral("Udzielono rabatu: 10 %")})
                EXPECT_TRUE(page.contains(plain(text))) << text.toStdString() << "\n" << page.toStdString();
        }

        // The window has moved on to the next invoice.
        EXPECT_EQ(Form_fa1->Edit5->text(), QStringLiteral("2/03/2025"));
        EXPECT_EQ(lines().recordCount(), 0);
        EXPECT_EQ(Form_fa1->Edit1->text(), money("0,00 zł"));
        EXPECT_TRUE(Form_fa1->storedNumber.isEmpty());
    }

    void loadThePrintedInvoice() {
        click(Form_fa1->Panel4); // "faktury"
        ASSERT_NO_FATAL_FAILURE(opened(Form_fa2));
        click(Form_fa2->CheckBox1); // "tylko faktury przelewowe"
        ASSERT_TRUE(Form_fa2->CheckBox1->isChecked());
        const int row = columnTexts(Form_fa2->DBGrid1, "Nr").indexOf(m_printed.number);
        ASSERT_GE(row, 0);
        ASSERT_NO_FATAL_FAILURE(clickCell(Form_fa2->DBGrid1, row, "Nr"));
        EXPECT_EQ(columnTexts(Form_fa2->DBGrid2, "Nazwa"),
                  QStringList({"Przygotowanie do druku Ulotka A4", "Druk Ulotka A4", "Teczka ofertowa"}));
        click(Form_fa2->SpeedButton1); // "wczytaj fakturę"
        EXPECT_FALSE(Form_fa2->isVisible());

        const Shown back = shown();
        EXPECT_EQ(back.number, m_printed.number);
        EXPECT_EQ(back.net, m_printed.net);
        EXPECT_EQ(back.vat, m_printed.vat);
        EXPECT_EQ(back.gross, m_printed.gross);
        EXPECT_EQ(back.words, m_printed.words);
        EXPECT_EQ(Form_fa1->ComboBox2->currentText(), QStringLiteral("TARVEL"));
        EXPECT_EQ(Form_fa1->Edit8->text(), QStringLiteral("Jan Drukarz"));
        EXPECT_EQ(Form_fa1->ComboBox3->currentText(), QStringLiteral("ŻAK"));
        EXPECT_EQ(Form_fa1->Edit9->text(), QStringLiteral("Anna Żak"));
        EXPECT_EQ(Form_fa1->DateTimePicker1->date(), kToday);
        EXPECT_EQ(Form_fa1->DateTimePicker3->date(), QDate(2025, 3, 12));
        EXPECT_EQ(Form_fa1->ComboBox1->currentText(), QStringLiteral("przelewem"));
        EXPECT_EQ(Form_fa1->ComboBox4->currentText(), QStringLiteral("14 dni"));
        EXPECT_EQ(Form_fa1->Edit11->text(), QStringLiteral("ZAM/7/2025"));
        EXPECT_EQ(Form_fa1->Edit6->text(), QStringLiteral("Kraków"));
        EXPECT_TRUE(Form_fa1->CheckBox2->isChecked());
        EXPECT_EQ(Form_fa1->ComboBox6->currentText(), QStringLiteral("10"));
        EXPECT_TRUE(Form_fa1->RadioButton1->isChecked()); // "faktura VAT"
        EXPECT_TRUE(Form_fa1->RadioButton6->isChecked()); // "Oryginał i kopia"
        EXPECT_EQ(lineTexts(), QStringList({"1|Przygotowanie do druku Ulotka A4|1|szt|414,27|414,27|22",
                                            "2|Druk Ulotka A4|1|szt|3085,83|3085,83|7",
                                            "3|Teczka ofertowa|5|szt|11,25|56,25|22"}));
        EXPECT_EQ(rateTexts(), QStringList({"22|470,52|103,51|574,03", "7|3085,83|216,01|3301,84"}));
    }

    // What must outlive the run: the register, the counter, the side files, the calculation.
    struct Kept {
        QStringList invoices, invoiceLines;
        QString counter;
        QByteArray settings, windowDefaults, options, calculation;
    };
    Kept kept() const {
        return {registerRows(),
                registerLines(),
                Form_fa10->Edit2->text(),
                bytesOf(file("ustaw.txt")),
                bytesOf(file("ustmain.txt")),
                bytesOf(file("FAKTURY.INI")),
                bytesOf(file("Kalkulacje/ulotka.clc"))};
    }

    void restartInTheSameFolder() {
        // The operator closes the invoice window, then ends the program.
        click(Form_fa1->SpeedButton6); // "Zamknij"
        EXPECT_FALSE(Form_fa1->isVisible());
        EXPECT_TRUE(QFile::exists(file("archiwum1.zip"))); // "archiwizuj automatycznie"
        const Kept before = kept();
        EXPECT_EQ(before.counter, QStringLiteral("2"));
        EXPECT_EQ(before.calculation, m_calculation);
        ASSERT_NO_FATAL_FAILURE(endTheProgram());
        ASSERT_NO_FATAL_FAILURE(startTheProgram());
        const Kept after = kept();
        EXPECT_EQ(after.invoices, before.invoices);
        EXPECT_EQ(after.invoiceLines, before.invoiceLines);
        EXPECT_EQ(after.counter, before.counter);
        EXPECT_EQ(after.settings, before.settings);
        EXPECT_EQ(after.windowDefaults, before.windowDefaults);
        EXPECT_EQ(after.options, before.options);
        EXPECT_EQ(after.calculation, before.calculation);
        EXPECT_EQ(stock(), 35.0);

        // The invoice window numbers on from the register.
        click(Form1->SpeedButton4); // "  Faktura"
        ASSERT_TRUE(Form_fa1->isVisible());
        EXPECT_EQ(Form_fa1->Edit5->text(), QStringLiteral("2/03/2025"));
        // with the choices of the last run.
        EXPECT_EQ(Form_fa1->ComboBox1->currentText(), QStringLiteral("przelewem"));
        EXPECT_EQ(Form_fa1->ComboBox4->currentText(), QStringLiteral("14 dni"));
        EXPECT_TRUE(Form_fa1->RadioButton6->isChecked());
        EXPECT_EQ(bytesOf(file("ustaw.txt")), before.settings);
        EXPECT_EQ(bytesOf(file("ustmain.txt")), before.windowDefaults);
        EXPECT_EQ(bytesOf(file("FAKTURY.INI")), before.options);
        // The calculation opens as it was saved.
        m_operator.expectFileDialog(QStringLiteral("Otwórz kalkulację.."), file("Kalkulacje/ulotka.clc"));
        Form1->Otworz1->trigger();
        m_operator.checkAllAnswered();
        EXPECT_EQ(Form1->ComboBox7->currentText(), QStringLiteral("ŻAK"));
        EXPECT_EQ(Form1->Edit1->text(), QStringLiteral("Ulotka A4"));
        EXPECT_EQ(Form1->Edit2->text(), QStringLiteral("500"));
        EXPECT_EQ(Form1->DBLookupComboBox1->text(), QStringLiteral("A4"));
        EXPECT_EQ(Form1->Edit65->text(), QStringLiteral("3889"));
        EXPECT_EQ(Form1->Edit67->text(), QStringLiteral("3745,11"));
        EXPECT_EQ(Form4->papkol->recordCount(), 2);
    }

    static inline const QString kStockQuestion =
        QStringLiteral("Naciśnięcie tak spowoduje odjęcie produktów z magazynu kontynuować ?");

    QTemporaryDir m_folder;
    QString m_previousFolder;
    QLocale m_previousLocale;
    NoPrinter m_noPrinter;
    Operator m_operator;
    bool m_running = false;
    QByteArray m_calculation;
    Shown m_printed;
};

TEST_F(Journey, APricedJobBecomesAPrintedRegisteredInvoiceThatSurvivesARestart) {
    ASSERT_NO_FATAL_FAILURE(startTheProgram());
    ASSERT_NO_FATAL_FAILURE(addTheCustomer());
    ASSERT_NO_FATAL_FAILURE(priceTheJob());
    ASSERT_NO_FATAL_FAILURE(saveTheCalculation());
    ASSERT_NO_FATAL_FAILURE(handTheJobOver());
    ASSERT_NO_FATAL_FAILURE(addAndChooseTheSeller());
    ASSERT_NO_FATAL_FAILURE(addTheGoods());
    ASSERT_NO_FATAL_FAILURE(addTheGoodsLine());
    ASSERT_NO_FATAL_FAILURE(fillTheInvoiceDetails());
    ASSERT_NO_FATAL_FAILURE(saveTheInvoice());
    ASSERT_NO_FATAL_FAILURE(printTheInvoiceAsPdf());
    ASSERT_NO_FATAL_FAILURE(loadThePrintedInvoice());
    ASSERT_NO_FATAL_FAILURE(restartInTheSameFolder());
    m_operator.checkAllAnswered();
}
