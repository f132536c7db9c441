// The register of issued invoices: showing, the period and transfer filters,
// the lines of the selected invoice, deleting and "wczytaj fakturę".

#include <gtest/gtest.h>

#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QRadioButton>
#include <QTest>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/issued_invoices.h"
#include "invoicing/rules/stock.h"
#include "platform/clock.h"
#include "platform/table.h"
#include "platform/ui/dataaware_grid.h"
#include "registers_support.h"

using namespace registerstest;

namespace {

struct Invoice {
    const char* nr;
    QDate issued;
    const char* payment;
    int seller;
    int customer;
    QVector<const char*> lines;
};

class IssuedInvoices : public tvtest::AppFixture {
protected:
    void prepareData() override {
        addRow("sprzedawcy.db", {{"Id", "FIRMA"}, {"Nr", 1}});
        addRow("kontrahenci.db", {{"Id", "ALFA"}, {"Nr", 1}});
        addRow("kontrahenci.db", {{"Id", "BETA"}, {"Nr", 2}});
        const Invoice invoices[] = {
            {"1/01/2024", QDate(2024, 1, 10), "gotówką", 1, 1, {"Druk ulotek", "Projekt"}},
            {"2/01/2024", QDate(2024, 1, 31), "przelewem", 1, 2, {"Wizytówki"}},
            {"1/02/2024", QDate(2024, 2, 1), "przelewem ", 1, 1, {"Plakaty", "Skład", "Naświetlanie"}},
            {"2/02/2024", QDate(2024, 2, 20), "zapłacono przelewem", 1, 2, {}},
            {"1/03/2024", QDate(2024, 3, 1), "przelewem", 1, 99, {"Teczki"}},
        };
        for (const Invoice& i : invoices) {
            addRow("wyst_faktury.db", {{"Nr", i.nr},
                                       {"Data_wyst", i.issued},
                                       {"Forma_pl", QString::fromUtf8(i.payment)},
                                       {"Nr_sprzed", i.seller},
                                       {"Nr_kontr", i.customer},
                                       {"Netto", 100.0},
                                       {"Brutto", 122.0}});
        }
        // Lines out of number order, as saving and re-saving leaves them.
        for (int round = 0; round < 3; ++round)
            for (const Invoice& i : invoices)
                if (round < i.lines.size())
                    addRow("wyst_pozycje.db", {{"Nr_faktury", i.nr},
                                               {"Lp", round + 1},
                                               {"Nazwa", QString::fromUtf8(i.lines[round])}});
    }

    void SetUp() override {
        tv::setToday(QDate(2024, 3, 15));
        AppFixture::SetUp();
        tv::ui::clearShownMessages();
    }

    void TearDown() override {
        AppFixture::TearDown();
        tv::setToday(QDate());
    }

    static tv::Table& invoices() { return *Form_fa2->wyst_faktury; }
    static QStringList listed() { return shownValues(invoices(), "Nr"); }
    static QStringList lines() { return shownValues(*Form_fa2->wyst_pozycje, "Nazwa"); }
    static QString current() { return invoices().fieldByName("Nr").asString(); }

    // A date changed in the picker as the operator does it.
    static void choose(QDateEdit* picker, const QDate& date) { picker->setDate(date); }

    static void selectRow(int row) {
        tv::ui::DBGrid* grid = Form_fa2->DBGrid1;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 0)).center());
    }
};

TEST_F(IssuedInvoices, ShowingListsEveryInvoiceEndsOnTheLastAndShowsItsLines) {
    showActive(Form_fa2);
    EXPECT_EQ(listed(), QStringList({"1/01/2024", "2/01/2024", "1/02/2024", "2/02/2024", "1/03/2024"}));
    EXPECT_EQ(current(), "1/03/2024");
    EXPECT_EQ(lines(), QStringList({"Teczki"}));
    EXPECT_EQ(Form_fa2->do_kiedy->date(), QDate(2024, 3, 15));
    EXPECT_EQ(Form_fa2->od_kiedy->date(), QDate(2001, 1, 1));
    // Seller and customer by their Id; an unknown customer shows empty.
    const QAbstractItemModel* model = Form_fa2->DBGrid1->model();
    EXPECT_EQ(model->data(model->index(1, 2)).toString(), "FIRMA");
    EXPECT_EQ(model->data(model->index(1, 3)).toString(), "BETA");
    EXPECT_EQ(model->data(model->index(4, 3)).toString(), "");
}

TEST_F(IssuedInvoices, SelectingAnInvoiceShowsExactlyItsLines) {
    showActive(Form_fa2);
    selectRow(2);
    EXPECT_EQ(current(), "1/02/2024");
    EXPECT_EQ(lines(), QStringList({"Plakaty", "Skład", "Naświetlanie"}));
    Form_fa2->SpeedButton4->click();
    EXPECT_EQ(lines(), QStringList({"Druk ulotek", "Projekt"}));
    Form_fa2->SpeedButton7->click();
    EXPECT_EQ(lines(), QStringList({"Wizytówki"}));
    Form_fa2->SpeedButton7->click();
    Form_fa2->SpeedButton7->click();
    EXPECT_EQ(current(), "2/02/2024");
    EXPECT_TRUE(lines().isEmpty());
    Form_fa2->SpeedButton6->click();
    EXPECT_EQ(lines().size(), 3);
}

struct PeriodCase {
    const char* name;
    QDate from;
    QDate to;
    bool transferOnly;
    QStringList expected;
};

class Period : public IssuedInvoices, public ::testing::WithParamInterface<PeriodCase> {};

TEST_P(Period, ChosenPeriodAndTransfers) {
    const PeriodCase& c = GetParam();
    showActive(Form_fa2);
    choose(Form_fa2->do_kiedy, c.to);
    choose(Form_fa2->od_kiedy, c.from);
    if (c.transferOnly) Form_fa2->CheckBox1->click();
    EXPECT_EQ(listed(), c.expected);
    EXPECT_TRUE(shownTexts().isEmpty());
}

const PeriodCase kPeriods[] = {
    {"January", QDate(2024, 1, 1), QDate(2024, 1, 31), false, {"1/01/2024", "2/01/2024"}},
    {"OneDay", QDate(2024, 2, 1), QDate(2024, 2, 1), false, {"1/02/2024"}},
    {"TransfersExactly", QDate(2024, 1, 1), QDate(2024, 3, 15), true, {"2/01/2024", "1/03/2024"}},
    {"NoTransfersInFebruary", QDate(2024, 2, 1), QDate(2024, 2, 29), true, {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, Period, ::testing::ValuesIn(kPeriods),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(IssuedInvoices, WrongDatesAreReportedAndTheListStays) {
    showActive(Form_fa2);
    choose(Form_fa2->od_kiedy, QDate(2024, 2, 1));
    ASSERT_EQ(listed(), QStringList({"1/02/2024", "2/02/2024", "1/03/2024"}));
    choose(Form_fa2->od_kiedy, QDate(2024, 3, 16));
    ASSERT_EQ(tv::ui::shownMessages().size(), 1);
    EXPECT_EQ(tv::ui::shownMessages().first().text, "Niewłaściwe daty");
    EXPECT_EQ(tv::ui::shownMessages().first().caption, "uwaga !");
    EXPECT_EQ(tv::ui::shownMessages().first().icon, tv::ui::Icon::Warning);
    EXPECT_EQ(listed(), QStringList({"1/02/2024", "2/02/2024", "1/03/2024"}));
}

TEST_F(IssuedInvoices, EmptyPeriodShowsNoLines) {
    showActive(Form_fa2);
    choose(Form_fa2->od_kiedy, QDate(2024, 3, 2));
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(lines().isEmpty());
}

TEST_F(IssuedInvoices, ShowingAgainListsEveryInvoiceUpToToday) {
    showActive(Form_fa2);
    choose(Form_fa2->od_kiedy, QDate(2024, 2, 1));
    choose(Form_fa2->do_kiedy, QDate(2024, 2, 2));
    EXPECT_EQ(listed(), QStringList({"1/02/2024"}));
    Form_fa2->SpeedButton2Click();
    tv::setToday(QDate(2024, 3, 20));
    showActive(Form_fa2);
    EXPECT_EQ(listed().size(), 5);
    EXPECT_EQ(Form_fa2->od_kiedy->date(), QDate(2024, 2, 1));
    EXPECT_EQ(Form_fa2->do_kiedy->date(), QDate(2024, 3, 20));
}

// ---- delete ------------------------------------------------------------------------------

TEST_F(IssuedInvoices, DeleteTakesTheInvoiceWithExactlyItsLinesAndItsStockRecord) {
    addGoods({"Plakaty", 1, "PLA", "22", 1.0, 1.22, 10.0});
    invoicing::deductInvoiceStock("1/02/2024", {{"Plakaty", 4}});
    showActive(Form_fa2);
    selectRow(2);
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    Form_fa2->SpeedButton19->click();
    EXPECT_EQ(rowCount("wyst_faktury.db"), 5);

    Form_fa2->DBGrid1->setFocus();
    QTest::keyClick(Form_fa2->DBGrid1, Qt::Key_Delete);
    EXPECT_EQ(shownTexts(),
              QStringList({"Czy na pewno usunąć wybraną pozycję?", "Czy na pewno usunąć wybraną pozycję?"}));
    EXPECT_EQ(column("wyst_faktury.db", "Nr"),
              QStringList({"1/01/2024", "2/01/2024", "2/02/2024", "1/03/2024"}));
    EXPECT_EQ(column("wyst_pozycje.db", "Nr_faktury"),
              QStringList({"1/01/2024", "2/01/2024", "1/03/2024", "1/01/2024"}));
    EXPECT_TRUE(invoicing::stockRecord("1/02/2024").isEmpty());
    EXPECT_DOUBLE_EQ(valueOf("towary.DB", "Nr", 1, "Magazyn").toDouble(), 6); // no stock goes back
    EXPECT_EQ(current(), "2/02/2024");
    EXPECT_TRUE(lines().isEmpty());
}

TEST_F(IssuedInvoices, DeletingTheLastShownInvoiceShowsNoLines) {
    showActive(Form_fa2);
    choose(Form_fa2->od_kiedy, QDate(2024, 3, 1));
    ASSERT_EQ(listed(), QStringList({"1/03/2024"}));
    Form_fa2->SpeedButton19->click();
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_EQ(rowCount("wyst_pozycje.db"), 6);
    tv::ui::clearShownMessages();
    Form_fa2->SpeedButton19->click(); // nothing left: no question
    EXPECT_TRUE(shownTexts().isEmpty());
}

// ---- wczytaj fakturę ------------------------------------------------------------------

TEST_F(IssuedInvoices, LoadingMarksTheInvoiceLoadedAndCloses) {
    showActive(Form_fa2);
    Form_fa1->storedNumber = QStringLiteral("1/01/2024"); // the window's invoice is stored
    Form_fa1->pozycje->append();
    Form_fa1->pozycje->fieldByName("Nazwa").setAsString("Linia");
    Form_fa1->pozycje->post();
    click(Form_fa2->SpeedButton1);
    EXPECT_TRUE(Form_fa2->loadedInvoice);
    EXPECT_FALSE(Form_fa2->isVisible());
    // The loaded invoice's customer (99) is not registered: loading says so.
    EXPECT_EQ(shownTexts(), QStringList({"Nie znaleziono kontrahenta wyszczególnionego w fakturze"}));
}

TEST_F(IssuedInvoices, LoadingOverAnUnsavedInvoiceAsksFirst) {
    Form_fa1->pozycje->append();
    Form_fa1->pozycje->fieldByName("Nazwa").setAsString("Linia");
    Form_fa1->pozycje->post();
    showActive(Form_fa2);

    // "Tak", and the save is refused (the window's number belongs to a stored
    // invoice): the invoice stays, nothing loads.
    click(Form_fa2->SpeedButton1);
    const QStringList shown = shownTexts();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.first(), QString("Faktura na ekranie nie została zapisana. Czy zapisać ją przed "
                                     "wczytaniem wybranej faktury?"));
    EXPECT_TRUE(shown.last().contains("jest już zapisana")) << shown.last().toStdString();
    EXPECT_FALSE(Form_fa2->loadedInvoice);
    EXPECT_TRUE(Form_fa2->isVisible());

    // "Nie": loaded over it.
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    click(Form_fa2->SpeedButton1);
    EXPECT_TRUE(Form_fa2->loadedInvoice);
    EXPECT_FALSE(Form_fa2->isVisible());
}

// A stored invoice changed on screen since it was loaded is offered to be
// saved first, like one never saved; an unchanged one is not.
struct ScreenEdit {
    const char* name;
    std::function<void()> edit;
};

class LoadingOverAStoredInvoice : public IssuedInvoices, public ::testing::WithParamInterface<ScreenEdit> {
protected:
    static constexpr const char* kQuestion =
        "Faktura na ekranie nie została zapisana. Czy zapisać ją przed wczytaniem wybranej faktury?";

    // Loads the January invoice into the window, changes it, and loads the
    // register's last invoice over it; the answer goes to the first question.
    static QStringList loadOverAnswering(const std::function<void()>& edit, tv::ui::Answer answer) {
        Form_fa1->WczytajFakture("1/01/2024");
        edit();
        showActive(Form_fa2);
        tv::ui::clearShownMessages();
        tv::ui::pushTestAnswer(answer);
        click(Form_fa2->SpeedButton1);
        return shownTexts();
    }
};

TEST_F(LoadingOverAStoredInvoice, UnchangedLoadsWithoutAsking) {
    const QStringList shown = loadOverAnswering([] {}, tv::ui::Answer::No);
    EXPECT_FALSE(shown.contains(kQuestion));
    EXPECT_EQ(Form_fa1->storedNumber, "1/03/2024");

    // Changed and then saved, it asks nothing either.
    const auto changedAndSaved = [] {
        Form_fa1->Edit11->setText("zamówienie 7");
        Form_fa1->SpeedButton2Click();
    };
    EXPECT_FALSE(loadOverAnswering(changedAndSaved, tv::ui::Answer::No).contains(kQuestion));
    EXPECT_EQ(valueOf("wyst_faktury.db", "Nr", "1/01/2024", "Zamowienie").toString(), "zamówienie 7");
    EXPECT_EQ(Form_fa1->storedNumber, "1/03/2024");
}

TEST_P(LoadingOverAStoredInvoice, ChangedAsksFirst) {
    const QStringList shown = loadOverAnswering(GetParam().edit, tv::ui::Answer::No);
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.first(), QString(kQuestion));
    // "Nie": loaded over it, and the stored invoice stays as it was.
    EXPECT_EQ(Form_fa1->storedNumber, "1/03/2024");
    EXPECT_FALSE(Form_fa2->isVisible());
    EXPECT_EQ(valueOf("wyst_faktury.db", "Nr", "1/01/2024", "Zamowienie").toString(), "");
    EXPECT_EQ(rowCount("wyst_pozycje.db"), 7);
}

const ScreenEdit kScreenEdits[] = {
    {"LineQuantity",
     [] {
         Form_fa1->pozycje->first();
         Form_fa1->pozycje->edit();
         Form_fa1->pozycje->fieldByName("Ilosc").setAsFloat(3);
         Form_fa1->pozycje->post();
     }},
    {"LineRemoved", [] { Form_fa1->pozycje->remove(); }},
    {"LineTypedNotConfirmed",
     [] {
         Form_fa1->pozycje->append();
         Form_fa1->pozycje->fieldByName("Nazwa").setAsString("Linia");
     }},
    {"Order", [] { Form_fa1->Edit11->setText("zamówienie 7"); }},
    {"Customer", [] { Form_fa1->ComboBox3->setEditText("BETA"); }},
    {"IssueDate", [] { Form_fa1->DateTimePicker1->setDate(QDate(2024, 1, 12)); }},
    {"PrintForm",
     [] {
         (Form_fa1->RadioButton7->isChecked() ? Form_fa1->RadioButton6 : Form_fa1->RadioButton7)
             ->setChecked(true);
     }},
};

INSTANTIATE_TEST_SUITE_P(Cases, LoadingOverAStoredInvoice, ::testing::ValuesIn(kScreenEdits),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoadingOverAStoredInvoice, TakSavesTheChangeThenLoads) {
    loadOverAnswering([] { Form_fa1->Edit11->setText("zamówienie 7"); }, tv::ui::Answer::Yes);
    EXPECT_EQ(valueOf("wyst_faktury.db", "Nr", "1/01/2024", "Zamowienie").toString(), "zamówienie 7");
    EXPECT_EQ(Form_fa1->storedNumber, "1/03/2024");
    EXPECT_TRUE(Form_fa2->loadedInvoice);
}

TEST_F(LoadingOverAStoredInvoice, ARefusedSaveKeepsTheChangedInvoice) {
    // Renumbered to the number of another stored invoice: the save is refused.
    const QStringList shown =
        loadOverAnswering([] { Form_fa1->Edit5->setText("2/01/2024"); }, tv::ui::Answer::Yes);
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.first(), QString(kQuestion));
    EXPECT_TRUE(shown.last().contains("jest już zapisana")) << shown.last().toStdString();
    EXPECT_EQ(Form_fa1->storedNumber, "1/01/2024");
    EXPECT_EQ(Form_fa1->Edit5->text(), "2/01/2024");
    EXPECT_FALSE(Form_fa2->loadedInvoice);
    EXPECT_TRUE(Form_fa2->isVisible());
}

} // namespace

class IssuedInvoicesEmpty : public tvtest::AppFixture {};

TEST_F(IssuedInvoicesEmpty, EmptyRegisterLoadsNothing) {
    registerstest::showActive(Form_fa2);
    registerstest::click(Form_fa2->SpeedButton1);
    EXPECT_FALSE(Form_fa2->loadedInvoice);
    EXPECT_TRUE(Form_fa2->isVisible());
    EXPECT_TRUE(registerstest::shownTexts().isEmpty());
}
