// The invoice window itself: how it starts, shows, activates and closes, its
// seller and customer pickers, place of issue, dates and payment term, the
// toolbar, the panels and the logo.

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTableView>
#include <QTest>

#include "costing/refdata/customers.h"
#include "invoice_fixture.h"
#include "invoicing/info_screen.h"
#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/registers/goods.h"
#include "invoicing/registers/issued_invoices.h"
#include "invoicing/registers/sellers.h"
#include "invoicing/welcome_screen.h"
#include "platform/clock.h"
#include "platform/regional.h"
#include "platform/ui/application.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware.h"

using tvtest::InvoiceFixture;

namespace {

QStringList items(QComboBox* picker) {
    QStringList out;
    for (int i = 0; i < picker->count(); ++i)
        out << picker->itemText(i);
    return out;
}

class InvoiceWindow : public InvoiceFixture {
protected:
    void prepareData() override {
        InvoiceFixture::prepareData();
        tv::setToday(QDate(2009, 3, 5));
    }
    void TearDown() override {
        InvoiceFixture::TearDown();
        tv::setToday(QDate());
        tvtest::usePolishSettings();
    }
};

} // namespace

TEST_F(InvoiceWindow, StartsWithSortedPickersAndTheFirstSeller) {
    EXPECT_EQ(Form_fa1->windowTitle(), QString::fromUtf8("Tarvelino 2000 - moduł FAKTURY"));
    EXPECT_EQ(Form_fa1->size(), QSize(689, 577));
    EXPECT_EQ(items(Form_fa1->ComboBox2), QStringList({"Agencja", "Druk"}));
    EXPECT_EQ(items(Form_fa1->ComboBox3), QStringList({"Kowalski", "Nowak", "Zero"}));
    // The seller table's first row, not the list's first item.
    EXPECT_EQ(Form_fa1->ComboBox2->currentText(), "Druk");
    EXPECT_EQ(Form_fa1->chosenSeller, 1);
    EXPECT_TRUE(Form_fa1->ComboBox3->currentText().isEmpty());
    EXPECT_FALSE(Form_fa1->chosenCustomer.has_value());
    EXPECT_EQ(Form_fa1->DateTimePicker1->date(), QDate(2009, 3, 5));
    EXPECT_EQ(Form_fa1->DateTimePicker3->date(), QDate(2009, 3, 5));
    EXPECT_TRUE(Form_fa1->LiczPozycje);
    EXPECT_FALSE(Form_fa1->TrybVatRR);
}

TEST_F(InvoiceWindow, ShowSequenceSetsTheHeader) {
    Form_fa1->Zapisana = true;
    Form_fa1->Edit8->setText("stare");
    Form_fa1->ComboBox5->setEditText("Papier");
    showWindow();
    // The first seller of the sorted list is chosen, with its name and town.
    EXPECT_EQ(Form_fa1->ComboBox2->currentText(), "Agencja");
    EXPECT_EQ(Form_fa1->Edit8->text(), "Anna Agent");
    EXPECT_EQ(Form_fa1->Edit6->text(), QString::fromUtf8("Tarnów"));
    EXPECT_EQ(Form_fa1->chosenSeller, 2);
    EXPECT_TRUE(Form_fa1->ComboBox5->currentText().isEmpty());
    EXPECT_EQ(Form_fa10->Label12->text(), QDir::currentPath());
    EXPECT_EQ(Form_fa1->ComboBox4->currentText(), "5/03/2009");
    EXPECT_FALSE(Form_fa1->Zapisana);
    EXPECT_EQ(Form_fa10->Edit2->text(), QString::number(Form_fa1->NastepnyNumer() + 1));
    EXPECT_TRUE(Form_fa1->Edit9->text().isEmpty());
}

TEST_F(InvoiceWindow, EachStepOfTheShowSequenceStandsOnItsOwn) {
    // The seller table cannot be read: that step fails, the others still run.
    Form_fa1->sprzedawcy->close();
    Form_fa10->Edit2->setText("x");
    showWindow();
    ASSERT_FALSE(messages().isEmpty());
    EXPECT_EQ(messages().first().caption, "Tarvelino");
    EXPECT_EQ(Form_fa1->ComboBox4->currentText(), "5/03/2009");
    EXPECT_EQ(Form_fa10->Edit2->text(), QString::number(Form_fa1->NastepnyNumer() + 1));
    EXPECT_TRUE(Form_fa1->Edit8->text().isEmpty());
}

TEST_F(InvoiceWindow, ActivationTakesTheCurrencyWordHelpFileAndGoodsPicker) {
    tv::RegionalSettings settings = tv::RegionalSettings::polish();
    settings.currencySymbol = "EUR";
    tv::setRegional(settings);
    tv::ui::setHelpFile("KM550HELP.HLP");
    showWindow();
    EXPECT_EQ(Form_fa1->valuta->text(), "EUR");
    EXPECT_EQ(tv::ui::helpFile(), "Fhelp.hlp");
    // Outside the stock version the goods picker gives way to the goods list.
    EXPECT_TRUE(Form_fa1->ComboBox5->isHidden());
    EXPECT_FALSE(Form_fa1->DBLookupComboBox3->isHidden());

    settings.currencySymbol.clear();
    tv::setRegional(settings);
    Form_fa1->FormActivate(Form_fa1);
    EXPECT_EQ(Form_fa1->valuta->text(), QString::fromUtf8("zł"));
}

TEST_F(InvoiceWindow, ChoosingASellerShowsItsNameAndTownOrNoSeller) {
    showWindow();
    choose(Form_fa1->ComboBox2, "Druk");
    EXPECT_EQ(Form_fa1->Edit8->text(), "Jan Drukarz");
    EXPECT_EQ(Form_fa1->Edit6->text(), QString::fromUtf8("Kraków"));
    EXPECT_EQ(Form_fa1->chosenSeller, 1);
    // A text that names no seller is no seller, not the last row.
    typeInto(Form_fa1->ComboBox2, "Dru");
    EXPECT_EQ(Form_fa1->ComboBox2->currentText(), "Dru");
    EXPECT_TRUE(Form_fa1->Edit8->text().isEmpty());
    EXPECT_FALSE(Form_fa1->chosenSeller.has_value());
    typeInto(Form_fa1->ComboBox2, "Agencja");
    EXPECT_EQ(Form_fa1->Edit8->text(), "Anna Agent");
    EXPECT_EQ(Form_fa1->chosenSeller, 2);
    // A text set by code names the party too, without running the handler.
    Form_fa1->ComboBox2->setEditText("Druk");
    EXPECT_EQ(Form_fa1->chosenSeller, 1);
    EXPECT_EQ(Form_fa1->Edit8->text(), "Anna Agent");
}

TEST_F(InvoiceWindow, ChoosingACustomerTakesItsDiscountWithoutTheBoxHandler) {
    int handOvers = 0;
    Form_fa1->handOver = [&] { ++handOvers; };
    showWindow();
    const struct {
        const char* customer;
        const char* name;
        bool checked;
        const char* percentage;
        std::optional<int> nr;
    } cases[] = {
        {"Nowak", "Ewa Nowak", true, "7,5", 8}, {"Kowalski", "Piotr Kowalski", false, "", 7},
        {"Zero", "Zenon Zero", true, "0", 9},   {"Nowak", "Ewa Nowak", true, "7,5", 8},
        {"Nikt", "", false, "", std::nullopt},
    };
    for (const auto& c : cases) {
        typeInto(Form_fa1->ComboBox3, QString::fromUtf8(c.customer));
        EXPECT_EQ(Form_fa1->Edit9->text(), QString::fromUtf8(c.name)) << c.customer;
        EXPECT_EQ(Form_fa1->CheckBox2->isChecked(), c.checked) << c.customer;
        EXPECT_EQ(Form_fa1->ComboBox6->currentText(), QString::fromUtf8(c.percentage)) << c.customer;
        EXPECT_EQ(Form_fa1->chosenCustomer, c.nr) << c.customer;
    }
    EXPECT_EQ(handOvers, 0);
    // Every choice recomputed the (empty) invoice.
    EXPECT_EQ(Form_fa1->Edit1->text(), QString::fromUtf8("0,00 zł"));
}

TEST_F(InvoiceWindow, PlaceOfIssueFromTownOrStreetBeforeItsNumber) {
    showWindow();
    choose(Form_fa1->ComboBox2, "Druk");
    Form_fa10->CheckBox_Ulica->setChecked(true);
    Form_fa1->UstawMiejsceWystawienia();
    EXPECT_EQ(Form_fa1->Edit6->text(), QString::fromUtf8("Długa "));
    choose(Form_fa1->ComboBox2, "Agencja");
    Form_fa1->UstawMiejsceWystawienia();
    EXPECT_EQ(Form_fa1->Edit6->text(), QString::fromUtf8("Wólka"));
    Form_fa10->CheckBox_Ulica->setChecked(false);
    Form_fa1->UstawMiejsceWystawienia();
    EXPECT_EQ(Form_fa1->Edit6->text(), QString::fromUtf8("Tarnów"));
}

TEST_F(InvoiceWindow, OperatorsIssueDateSetsThePaymentTermAndRenumbers) {
    showWindow();
    Form_fa1->Edit5->setText("przed");
    // Code setting the date runs nothing.
    Form_fa1->DateTimePicker1->setDate(QDate(2009, 4, 1));
    EXPECT_EQ(Form_fa1->ComboBox4->currentText(), "5/03/2009");
    EXPECT_EQ(Form_fa1->Edit5->text(), "przed");

    // The operator steps the day down: the term becomes the date text.
    QDateEdit* date = Form_fa1->DateTimePicker1;
    date->setFocus(Qt::MouseFocusReason);
    date->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(date, Qt::Key_Up);
    EXPECT_EQ(date->date(), QDate(2009, 4, 2));
    EXPECT_EQ(Form_fa1->ComboBox4->currentText(), "2/04/2009");
    EXPECT_EQ(Form_fa1->Edit5->text(), Form_fa1->FormatujNumer(Form_fa1->LicznikFaktur, QDate(2009, 4, 2)));

    // Or picks a day in the calendar.
    QTest::mouseClick(date, Qt::LeftButton, {}, QPoint(date->width() - 6, date->height() / 2));
    auto* days = date->calendarWidget()->findChild<QTableView*>();
    ASSERT_NE(days, nullptr);
    ASSERT_TRUE(days->isVisible());
    QTest::keyClick(days, Qt::Key_Left);
    QTest::keyClick(days, Qt::Key_Return);
    EXPECT_EQ(date->date(), QDate(2009, 4, 1));
    EXPECT_EQ(Form_fa1->ComboBox4->currentText(), "1/04/2009");

    // A stored invoice keeps its number.
    Form_fa1->storedNumber = "7/03/2009";
    Form_fa1->Edit5->setText("7/03/2009");
    date->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(date, Qt::Key_Up);
    EXPECT_EQ(Form_fa1->ComboBox4->currentText(), "2/04/2009");
    EXPECT_EQ(Form_fa1->Edit5->text(), "7/03/2009");
}

TEST_F(InvoiceWindow, PaymentDateShowsForTheTermInneOnly) {
    showWindow();
    choose(Form_fa1->ComboBox4, "Inne");
    EXPECT_FALSE(Form_fa1->DateTimePicker2->isHidden());
    choose(Form_fa1->ComboBox4, "14 dni");
    EXPECT_TRUE(Form_fa1->DateTimePicker2->isHidden());
    typeInto(Form_fa1->ComboBox4, "Inne");
    EXPECT_FALSE(Form_fa1->DateTimePicker2->isHidden());
}

// The payment date shows whenever the term says "Inne", however the term got
// there: the remembered defaults of the last run, or the issue date that
// replaces the term with its date text.
TEST_F(InvoiceWindow, PaymentDateFollowsATermSetByTheWindowItself) {
    QFile defaults(QDir(workingFolder()).filePath("ustmain.txt"));
    ASSERT_TRUE(defaults.open(QIODevice::WriteOnly));
    defaults.write("got\xF3wk\xB9\r\nInne\r\n\r\n0\r\n0\r\n0\r\n");
    defaults.close();
    showWindow();
    ASSERT_EQ(Form_fa1->ComboBox4->currentText(), "Inne");
    EXPECT_FALSE(Form_fa1->DateTimePicker2->isHidden());

    choose(Form_fa1->ComboBox4, "Inne");
    ASSERT_FALSE(Form_fa1->DateTimePicker2->isHidden());
    QDateEdit* date = Form_fa1->DateTimePicker1;
    date->setFocus(Qt::MouseFocusReason);
    date->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(date, Qt::Key_Up);
    ASSERT_EQ(Form_fa1->ComboBox4->currentText(), "6/03/2009");
    EXPECT_TRUE(Form_fa1->DateTimePicker2->isHidden());
}

TEST_F(InvoiceWindow, ClosingTheSellerRegisterKeepsTheChosenSeller) {
    showWindow();
    choose(Form_fa1->ComboBox2, "Druk");
    tv::Table sellers(QStringLiteral("sprzedawcy.db"));
    sellers.open();

    const struct {
        const char* change;
        const char* text;
        std::optional<int> nr;
        const char* name;
    } cases[] = {
        {"", "Druk", 1, "Jan Drukarz"},            // nothing changed
        {"rename", "Drukarnia", 1, "Jan Drukarz"}, // the same seller under a new Id
        {"add", "Drukarnia", 1, "Jan Drukarz"},    // another seller joins the list
        {"delete", "", std::nullopt, ""},          // the seller is gone
    };
    for (const auto& c : cases) {
        Form_fa1->Panel3Click(Form_fa1->Panel3);
        ASSERT_TRUE(Form_fa3->isVisible());
        const QString change = QString::fromLatin1(c.change);
        if (change == "rename" || change == "delete") {
            sellers.refresh();
            sellers.first();
            if (change == "rename") {
                sellers.edit();
                sellers.fieldByName("Id").setAsString("Drukarnia");
                sellers.post();
            } else {
                sellers.remove();
            }
        } else if (change == "add") {
            tvtest::addSellers({{"Biuro", 3, "Beata Biuro", "Bochnia", "Rynek 1"}});
        }
        // As the register's "zamknij" does, the picker is emptied before it closes.
        Form_fa1->ComboBox2->clear();
        Form_fa3->close();
        EXPECT_EQ(Form_fa1->ComboBox2->currentText(), QString::fromUtf8(c.text)) << c.change;
        EXPECT_EQ(Form_fa1->chosenSeller, c.nr) << c.change;
        EXPECT_EQ(Form_fa1->Edit8->text(), QString::fromUtf8(c.name)) << c.change;
        EXPECT_GT(Form_fa1->ComboBox2->count(), 0) << c.change;
    }
    EXPECT_EQ(items(Form_fa1->ComboBox2), QStringList({"Agencja", "Biuro"}));
}

TEST_F(InvoiceWindow, ClosingTheCustomerRegisterKeepsTheCustomerAndItsDiscount) {
    showWindow();
    choose(Form_fa1->ComboBox3, "Nowak");
    Form_fa1->Panel2Click(Form_fa1->Panel2);
    ASSERT_TRUE(Form_fa1->customerRegister->isVisible());
    tvtest::addCustomers({{"Adam", 10, "Adam Adamski", ""}});
    Form_fa4->SpeedButton1Click(Form_fa4); // "zamknij"
    EXPECT_EQ(items(Form_fa1->ComboBox3), QStringList({"Adam", "Kowalski", "Nowak", "Zero"}));
    EXPECT_EQ(Form_fa1->ComboBox3->currentText(), "Nowak");
    EXPECT_EQ(Form_fa1->chosenCustomer, 8);
    EXPECT_EQ(Form_fa1->Edit9->text(), "Ewa Nowak");
    EXPECT_TRUE(Form_fa1->CheckBox2->isChecked());
    EXPECT_EQ(Form_fa1->ComboBox6->currentText(), "7,5");
    // The new customer can be chosen at once.
    choose(Form_fa1->ComboBox3, "Adam");
    EXPECT_EQ(Form_fa1->Edit9->text(), "Adam Adamski");
    EXPECT_EQ(Form_fa1->chosenCustomer, 10);
}

TEST_F(InvoiceWindow, AdministrationTakesTheCounterFromItsForm) {
    showWindow();
    Form_fa10->Edit2->setText("12,9");
    Form_fa1->SpeedButton13->click();
    EXPECT_TRUE(Form_fa10->isVisible());
    EXPECT_EQ(Form_fa1->LicznikFaktur, 12);
    EXPECT_EQ(Form_fa1->Edit5->text(), Form_fa1->FormatujNumer(12, Form_fa1->DateTimePicker1->date()));
    Form_fa10->hide();
    tv::ui::clearShownMessages();
    Form_fa10->Edit2->setText("abc");
    Form_fa1->SpeedButton13->click();
    EXPECT_EQ(Form_fa1->LicznikFaktur, 12);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages().first().text, "'abc' is not a valid floating point value");
}

TEST_F(InvoiceWindow, ToolbarAndPanelsOpenTheirWindows) {
    showWindow();
    Form_fa1->SpeedButton16->click();
    EXPECT_TRUE(Form_fa9->isVisible());
    Form_fa9->hide();
    const struct {
        tv::ui::PanelButton* panel;
        QWidget* form;
    } panels[] = {{Form_fa1->Panel1, Form_fa5},
                  {Form_fa1->Panel2, Form_fa1->customerRegister},
                  {Form_fa1->Panel3, Form_fa3},
                  {Form_fa1->Panel4, Form_fa2}};
    for (const auto& p : panels) {
        ASSERT_FALSE(p.form->isVisible());
        QTest::mouseClick(p.panel, Qt::LeftButton);
        EXPECT_TRUE(p.form->isVisible()) << p.panel->text().toStdString();
        p.form->hide();
    }
    QTest::mouseClick(Form_fa1->Panel8, Qt::LeftButton); // "NIP" does nothing
    EXPECT_TRUE(messages().isEmpty());

    // A panel turns lighter while the mouse button is down.
    QTest::mousePress(Form_fa1->Panel3, Qt::LeftButton);
    EXPECT_EQ(Form_fa1->Panel3->colour(), 12648458);
    QTest::mouseRelease(Form_fa1->Panel3, Qt::LeftButton);
    EXPECT_EQ(Form_fa1->Panel3->colour(), 8257541);
    Form_fa3->hide();

    Form_fa1->SpeedButton5->click();
    EXPECT_TRUE(messages().isEmpty()); // the help page was found
    Form_fa1->SpeedButton6->click();
    EXPECT_FALSE(Form_fa1->isVisible());
}

TEST_F(InvoiceWindow, LogoOpensTheConfiguredAddressOnly) {
    QStringList opened;
    Form_fa1->openAddress = [&](const QString& address) {
        opened << address;
        return true;
    };
    showWindow();
    Form_fa1->webAddress.clear();
    QTest::mouseClick(Form_fa1->Image1, Qt::LeftButton);
    EXPECT_TRUE(opened.isEmpty());
    Form_fa1->webAddress = "https://tarvelino.example";
    QTest::mouseClick(Form_fa1->Image1, Qt::LeftButton);
    EXPECT_EQ(opened, QStringList({"https://tarvelino.example"}));
    EXPECT_EQ(Form_fa1->Image1->toolTip(), "nasza strona w internecie");
}

TEST_F(InvoiceWindow, ClosingArchivesWhenAskedAndClosesTheWelcomeScreen) {
    const QString archive = QDir(workingFolder()).filePath("archiwum1.zip");
    showWindow();
    Form_fa1->close();
    EXPECT_FALSE(QFileInfo::exists(archive));

    Form_fa10->CheckBox2->setChecked(true);
    showWindow();
    Form_fa8->show();
    Form_fa1->close();
    EXPECT_FALSE(Form_fa1->isVisible());
    EXPECT_TRUE(QFileInfo::exists(archive));
    EXPECT_FALSE(Form_fa8->isVisible());
    EXPECT_TRUE(messages().isEmpty()); // archiving on close is silent when it succeeds
}
