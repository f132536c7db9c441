#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "costing/costing_sheet.h"
#include "costing/refdata/customer_copy.h"
#include "costing/refdata/customers.h"
#include "costing/reports/calculation_report.h"
#include "invoicing/invoice_window.h"
#include "platform/errors.h"
#include "platform/table.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/dataaware_grid.h"
#include "platform/ui/dataaware_source.h"
#include "platform/ui/messages.h"
#include "refdata_support.h"
#include "support/app_fixture.h"
#include "support/typing.h"

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

using refdatatest::shownTexts;

const QStringList kFields = {"Id",   "Nr",      "Nazwisko", "Firma", "Ulica", "Miejscowosc",
                             "Kod",  "Telefon", "Faks",     "Email", "NIP",   "REGON",
                             "Bank", "Nr_rku",  "Rabat",    "Uwagi", "Kraj"};

struct Customer {
    Customer(QString id, int nr, QString firma = {}, QString nazwisko = {}, QString nip = {})
        : id(std::move(id)), nr(nr), firma(std::move(firma)), nazwisko(std::move(nazwisko)),
          nip(std::move(nip)) {}
    QString id;
    int nr = 0;
    QString firma;
    QString nazwisko;
    QString nip;
};

// Every field of a customer by name; a field left out stays empty.
using CustomerValues = QVector<QPair<QString, QVariant>>;

void insertCustomer(const CustomerValues& values) {
    tv::Table table(QStringLiteral("kontrahenci.db"));
    table.open();
    table.append();
    for (const auto& [field, value] : values) {
        if (value.typeId() == QMetaType::Double)
            table.fieldByName(field).setAsFloat(value.toDouble());
        else if (value.typeId() == QMetaType::Int)
            table.fieldByName(field).setAsInteger(value.toInt());
        else
            table.fieldByName(field).setAsString(value.toString());
    }
    table.post();
}

void insertCustomers(const QVector<Customer>& customers) {
    tv::Database::instance().transaction([&] {
        for (const Customer& c : customers)
            insertCustomer(
                {{"Id", c.id}, {"Nr", c.nr}, {"Firma", c.firma}, {"Nazwisko", c.nazwisko}, {"NIP", c.nip}});
    });
}

void insertInvoiceFor(int customerNumber) {
    tv::Table invoices(QStringLiteral("wyst_faktury.db"));
    invoices.open();
    invoices.append();
    invoices.fieldByName("Nr").setAsString(QStringLiteral("FV/%1").arg(customerNumber));
    invoices.fieldByName("Nr_kontr").setAsInteger(customerNumber);
    invoices.post();
}

// The stored customers, every field, in the table's order.
QVector<QVariantList> storedCustomers(const QString& file = QStringLiteral("kontrahenci.db")) {
    tv::Table table(file);
    table.open();
    QVector<QVariantList> rows;
    for (table.first(); !table.eof(); table.next()) {
        QVariantList row;
        for (const QString& field : kFields)
            row << table.fieldByName(field).value();
        rows << row;
    }
    return rows;
}

QStringList storedIds() {
    QStringList ids;
    for (const QVariantList& row : storedCustomers())
        ids << row[0].toString();
    return ids;
}

class CustomerRegister : public tvtest::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        tv::ui::clearShownMessages();
    }

    static void refreshViews() {
        Form_fa4->kontrahenci->refresh();
        Form1->kontrahenci->refresh();
    }

    // Shown and active, so that its activation has run before a test types.
    static void showRegister() { refdatatest::showActive(Form_fa4); }

    static void click(tv::ui::PanelButton* panel) { QTest::mouseClick(panel, Qt::LeftButton); }
    static void click(tv::ui::SpeedButton* button) { button->click(); }

    // The Ids the register's table lets through, in its order.
    static QStringList shownIds() {
        QStringList ids;
        tv::Table& table = *Form_fa4->kontrahenci;
        const int id = table.layout().fieldIndex("Id");
        for (int row = 1; row <= table.recordCount(); ++row)
            ids << table.valueAt(row, id).toString();
        return ids;
    }

    static QStringList items(QComboBox* combo) {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list << combo->itemText(i);
        return list;
    }
};

// ---- "dodaj" ------------------------------------------------------------------

struct NumberingCase {
    const char* name;
    QVector<Customer> customers;
    QVector<int> invoicedCustomers; // Nr_kontr of issued invoices
    const char* firmaSearch;
    int expected;
};

class Numbering : public CustomerRegister, public ::testing::WithParamInterface<NumberingCase> {};

TEST_P(Numbering, NewNumberIsOneAboveEveryNumberInUse) {
    const NumberingCase& c = GetParam();
    insertCustomers(c.customers);
    for (int nr : c.invoicedCustomers)
        insertInvoiceFor(nr);
    refreshViews();
    showRegister();
    QTest::keyClicks(Form_fa4->Firma, QString::fromUtf8(c.firmaSearch));

    click(Form_fa4->Panel1);

    tv::Table& table = *Form_fa4->kontrahenci;
    ASSERT_EQ(table.state(), tv::Table::State::Insert);
    EXPECT_EQ(table.fieldByName("Nr").asInteger(), c.expected);
    EXPECT_EQ(table.fieldByName("Id").asString(), "");
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();

    // The operator names the customer and confirms: the row is stored.
    QTest::keyClicks(Form_fa4->DBEdits[0], "NOWY");
    click(Form_fa4->SpeedButton9);
    bool found = false;
    for (const QVariantList& row : storedCustomers())
        if (row[0].toString() == "NOWY") found = row[1].toInt() == c.expected;
    EXPECT_TRUE(found);
}

const NumberingCase kNumbering[] = {
    {"EmptyRegisterStartsAtOne", {}, {}, "", 1},
    {"HighestPlusOneWhateverTheGaps", {{"A", 3}, {"B", 41}, {"C", 7}}, {}, "", 42},
    {"HiddenBySearchStillCounts", {{"A", 41, "Alfa"}, {"B", 3, "Zeta"}}, {}, "Z", 42},
    {"DeletedCustomerOnAnInvoiceKeepsItsNumber", {{"A", 3}}, {57, 12}, "", 58},
};

INSTANTIATE_TEST_SUITE_P(Cases, Numbering, ::testing::ValuesIn(kNumbering),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CustomerRegister, AddingTwiceNumbersOnAndStoresTheFirst) {
    insertCustomers({{"A", 5}});
    refreshViews();
    showRegister();
    click(Form_fa4->Panel1);
    click(Form_fa4->SpeedButton20); // "Dodaj pozycję" does the same
    EXPECT_EQ(Form_fa4->kontrahenci->fieldByName("Nr").asInteger(), 7);
    QVector<int> numbers;
    for (const QVariantList& row : storedCustomers())
        numbers << row[1].toInt();
    EXPECT_EQ(numbers.size(), 2);
    EXPECT_TRUE(numbers.contains(6));
}

// ---- "usuń" -------------------------------------------------------------------

TEST_F(CustomerRegister, DeleteOnAnEmptyRegisterAsksNothing) {
    showRegister();
    click(Form_fa4->SpeedButton8);
    EXPECT_TRUE(tv::ui::shownMessages().isEmpty());
}

TEST_F(CustomerRegister, DeleteAsksAndNoKeepsTheRow) {
    insertCustomers({{"A", 1}, {"B", 2}});
    refreshViews();
    showRegister();
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    click(Form_fa4->SpeedButton8);
    ASSERT_EQ(tv::ui::shownMessages().size(), 1);
    EXPECT_EQ(tv::ui::shownMessages()[0].text, "Czy na pewno usunąć wybraną pozycję?");
    EXPECT_EQ(tv::ui::shownMessages()[0].caption, "");
    EXPECT_EQ(tv::ui::shownMessages()[0].buttons, tv::ui::Buttons::YesNo);
    EXPECT_EQ(storedIds(), QStringList({"A", "B"}));
}

TEST_F(CustomerRegister, DeleteAnsweredYesRemovesTheCurrentRow) {
    insertCustomers({{"A", 1}, {"B", 2}, {"C", 3}});
    refreshViews();
    showRegister();
    click(Form_fa4->SpeedButton4); // last
    click(Form_fa4->SpeedButton5); // prior: B
    click(Form_fa4->SpeedButton19);
    EXPECT_EQ(storedIds(), QStringList({"A", "C"}));
    EXPECT_EQ(Form_fa4->kontrahenci->fieldByName("Id").asString(), "C") << "the next row becomes current";
}

// ---- search -------------------------------------------------------------------

struct SearchCase {
    const char* name;
    QVector<QPair<const char*, const char*>> typed; // search box, keys
    QStringList expected;
};

class Search : public CustomerRegister, public ::testing::WithParamInterface<SearchCase> {
protected:
    void SetUp() override {
        CustomerRegister::SetUp();
        insertCustomers({{"ALFA", 1, "Kowalski i S-ka", "Jan Kowalski", "111"},
                         {"BETA", 2, "Żuraw", "Ewa Nowak", "222"},
                         {"GAMMA", 3, "abc", "O'Neil", "333"},
                         {"DELTA", 4, "", "", ""},
                         {"EPSILON", 5, "kruk", "Zieliński", ""}});
        refreshViews();
        showRegister();
    }

    static QLineEdit* box(const char* name) {
        const QString n = QString::fromLatin1(name);
        return n == "Id"      ? Form_fa4->Id
               : n == "Firma" ? Form_fa4->Firma
               : n == "Imie"  ? Form_fa4->Imie
                              : Form_fa4->NIP;
    }
};

TEST_P(Search, KeepsTheRowsAtOrAfterEveryTypedText) {
    for (const auto& [name, keys] : GetParam().typed)
        QTest::keyClicks(box(name), QString::fromUtf8(keys));
    QStringList shown = shownIds();
    shown.sort();
    QStringList expected = GetParam().expected;
    expected.sort();
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(Form_fa4->DBGrid1->model()->rowCount(), expected.size());
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
}

const SearchCase kSearches[] = {
    {"NothingTypedShowsEveryone", {}, {"ALFA", "BETA", "GAMMA", "DELTA", "EPSILON"}},
    // Letters compare regardless of case first; an empty field sorts before any text.
    {"FirmaFromK", {{"Firma", "K"}}, {"ALFA", "BETA", "EPSILON"}},
    // Not a prefix search: "Żuraw" sorts after "L".
    {"FirmaFromL", {{"Firma", "L"}}, {"BETA"}},
    {"AnApostropheIsJustALetter", {{"Imie", "O'Neil"}}, {"GAMMA", "EPSILON"}},
    {"TermsAreJoinedByAnd", {{"Id", "D"}, {"NIP", "2"}}, {"GAMMA"}},
    {"PolishLettersInTheirPlace", {{"Firma", "Z"}}, {"BETA"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, Search, ::testing::ValuesIn(kSearches),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Search, FollowsEveryKeystroke) {
    QTest::keyClicks(Form_fa4->Imie, "Z");
    EXPECT_EQ(shownIds(), QStringList({"EPSILON"}));
    QTest::keyClick(Form_fa4->Imie, Qt::Key_Backspace);
    EXPECT_EQ(shownIds().size(), 5);
    QTest::keyClicks(Form_fa4->Imie, "F");
    QStringList shown = shownIds();
    shown.sort();
    EXPECT_EQ(shown, QStringList({"ALFA", "EPSILON", "GAMMA"}));
}

TEST_F(Search, ClearEmptiesTheBoxesAndShowsEveryone) {
    QTest::keyClicks(Form_fa4->Id, "X");
    QTest::keyClicks(Form_fa4->Firma, "Y");
    QTest::keyClicks(Form_fa4->Imie, "Z");
    QTest::keyClicks(Form_fa4->NIP, "9");
    ASSERT_EQ(shownIds().size(), 0);
    click(Form_fa4->Panel2);
    for (QLineEdit* box : {Form_fa4->Id, Form_fa4->Firma, Form_fa4->Imie, Form_fa4->NIP})
        EXPECT_EQ(box->text(), "");
    EXPECT_EQ(shownIds().size(), 5);
}

TEST_F(Search, ComingFromAnotherWindowStartsWithEmptyBoxes) {
    QTest::keyClicks(Form_fa4->Firma, "Y");
    ASSERT_EQ(shownIds().size(), 1);
    Form1->show();
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    Form_fa4->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form_fa4));
    EXPECT_EQ(Form_fa4->Firma->text(), "");
    EXPECT_EQ(shownIds().size(), 5);
}

// ---- "potwierdź" and the re-sort ------------------------------------------

const CustomerValues kFullCustomer = {{"Id", "ZETA"},
                                      {"Nr", 9},
                                      {"Nazwisko", "Zofia Łęcka"},
                                      {"Firma", "Łęcka i Córki sp. j."},
                                      {"Ulica", "Długa 5/7"},
                                      {"Miejscowosc", "Łódź"},
                                      {"Kod", "90-001"},
                                      {"Telefon", "42 123 45 67"},
                                      {"Faks", "42 123 45 68"},
                                      {"Email", "biuro@lecka.pl"},
                                      {"NIP", "725-000-00-00"},
                                      {"REGON", "123456789"},
                                      {"Bank", "Bank Śląski"},
                                      {"Nr_rku", "12 3456 7890 1234 5678 9012 3456"},
                                      {"Rabat", 12.345678901234567},
                                      {"Uwagi", "płaci przelewem; \"stały\" klient"},
                                      {"Kraj", "Polska"}};

TEST_F(CustomerRegister, ConfirmRewritesInIdOrderKeepingEveryField) {
    insertCustomer(kFullCustomer);
    insertCustomers({{"beta", 2, "b"}, {"Alfa", 7, "a"}, {"ćma", 3}, {"CEZAR", 1}});
    refreshViews();
    const QVector<QVariantList> before = storedCustomers();
    showRegister();

    click(Form_fa4->SpeedButton9);

    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
    const QVector<QVariantList> after = storedCustomers();
    EXPECT_EQ(storedIds(), QStringList({"Alfa", "beta", "CEZAR", "ćma", "ZETA"}));
    ASSERT_EQ(after.size(), before.size());
    for (const QVariantList& row : before)
        EXPECT_TRUE(after.contains(row)) << row[0].toString().toStdString();
    // Empty fields stay empty rather than becoming "" or 0.
    for (const QVariantList& row : after) {
        if (row[0].toString() == "CEZAR") {
            EXPECT_TRUE(row[14].isNull() && row[2].isNull());
        }
    }
    // The scratch table keeps the last copy.
    EXPECT_EQ(storedCustomers(QStringLiteral("tabletemp.DB")), after);
}

TEST_F(CustomerRegister, ConfirmPostsThePendingChangeFirst) {
    insertCustomers({{"A", 1, "stara"}});
    refreshViews();
    showRegister();
    tv::ui::DBEdit* firma = Form_fa4->DBEdits[2];
    ASSERT_EQ(firma->dataField(), "Firma");
    firma->selectAll();
    QTest::keyClicks(firma, "nowa");
    click(Form_fa4->SpeedButton14);
    EXPECT_EQ(storedCustomers()[0][3].toString(), "nowa");
    EXPECT_EQ(Form_fa4->kontrahenci->state(), tv::Table::State::Browse);
}

TEST_F(CustomerRegister, AFailedRewriteLeavesEveryCustomerAndShowsTheError) {
    insertCustomer(kFullCustomer);
    insertCustomers({{"A", 1}, {"B", 2}, {"C", 3}});
    refreshViews();
    const QVector<QVariantList> before = storedCustomers();
    int posts = 0;
    Form_fa1->tabletemp2->beforePost = [&posts](tv::Table&) {
        if (++posts == 3) throw tv::EDatabaseError("Dysk pełny");
    };
    showRegister();

    click(Form_fa4->SpeedButton9);
    Form_fa1->tabletemp2->beforePost = nullptr;

    EXPECT_EQ(shownTexts(), QStringList({"Dysk pełny"}));
    EXPECT_EQ(storedCustomers(), before);
    EXPECT_EQ(shownIds().size(), before.size());
}

TEST_F(CustomerRegister, EveryRewriteStartsAFreshScratchCopy) {
    insertCustomers({{"A", 1}, {"B", 2}, {"C", 3}});
    refreshViews();
    showRegister();
    click(Form_fa4->SpeedButton9);
    ASSERT_EQ(storedCustomers(QStringLiteral("tabletemp.DB")).size(), 3);
    click(Form_fa4->SpeedButton8); // deletes A, answered Yes
    click(Form_fa4->SpeedButton9);
    EXPECT_EQ(storedCustomers(QStringLiteral("tabletemp.DB")).size(), 2);
}

TEST_F(CustomerRegister, CancelDropsThePendingRecord) {
    insertCustomers({{"A", 1}});
    refreshViews();
    showRegister();
    click(Form_fa4->Panel1);
    click(Form_fa4->SpeedButton10);
    EXPECT_EQ(Form_fa4->kontrahenci->state(), tv::Table::State::Browse);
    EXPECT_EQ(storedIds(), QStringList({"A"}));
}

// ---- "zamknij" -------------------------------------------------------------------

TEST_F(CustomerRegister, CloseRefillsBothPickersInIdOrderAndKeepsTheirTexts) {
    insertCustomers({{"BETA", 1}, {"ALFA", 2}, {"BETA", 3}, {"ćma", 4}, {"CEZAR", 5}});
    refreshViews();
    Form1->ComboBox7->setEditText("BETA");
    Form_fa1->ComboBox3->setEditText("XYZ");
    showRegister();
    tv::ui::DBEdit* uwagi = Form_fa4->DBEdits[14];
    ASSERT_EQ(uwagi->dataField(), "Uwagi");
    QTest::keyClicks(uwagi, "niezatwierdzone");

    click(Form_fa4->SpeedButton1);

    const QStringList expected = {"ALFA", "BETA", "BETA", "CEZAR", "ćma"};
    EXPECT_EQ(items(Form1->ComboBox7), expected);
    EXPECT_EQ(items(Form_fa1->ComboBox3), expected);
    EXPECT_EQ(Form1->ComboBox7->currentText(), "BETA");
    EXPECT_EQ(Form_fa1->ComboBox3->currentText(), "XYZ");
    EXPECT_FALSE(Form_fa4->isVisible());
    bool posted = false;
    for (const QVariantList& row : storedCustomers())
        posted = posted || row[15].toString() == "niezatwierdzone";
    EXPECT_TRUE(posted) << "a changed record is posted on closing";
}

// However the operator leaves the register, the customer being typed is kept
// and both pickers offer it, as "zamknij" does.
TEST_F(CustomerRegister, CloseBoxAndEscapeLeaveAsZamknijDoes) {
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "close box");
        showRegister();
        click(Form_fa4->Panel1); // dodaj
        const QString id = escape ? QStringLiteral("ESC") : QStringLiteral("KRZYZYK");
        Form_fa4->DBEdits[0]->setFocus();
        QTest::keyClicks(Form_fa4->DBEdits[0], id);
        // The operator moves on to the next field, then leaves with Escape
        // (in the field still being typed, Escape takes the typing back).
        QTest::keyClick(Form_fa4->DBEdits[0], Qt::Key_Tab);
        if (escape)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            Form_fa4->close();
        EXPECT_FALSE(Form_fa4->isVisible());
        EXPECT_EQ(Form_fa4->kontrahenci->state(), tv::Table::State::Browse);
        EXPECT_GE(Form1->ComboBox7->findText(id), 0);
        EXPECT_GE(Form_fa1->ComboBox3->findText(id), 0);
    }
    EXPECT_EQ(refdatatest::column("kontrahenci.db", "Id"), QStringList({"ESC", "KRZYZYK"}));
}

// The sheet's own view of the customers reads what the register stored: the
// printout names a customer added a moment ago by its firm.
TEST_F(CustomerRegister, TheSheetSeesTheCustomersTheRegisterStored) {
    insertCustomers({{"ALFA", 1, "Alfa S.A."}, {"ZETA", 2, "Zeta"}});
    refreshViews();
    showRegister();
    click(Form_fa4->Panel1);
    QTest::keyClicks(Form_fa4->DBEdits[0], "NOWY");
    QTest::keyClicks(Form_fa4->DBEdits[2], "Nowa Firma");
    click(Form_fa4->SpeedButton9);
    click(Form_fa4->SpeedButton3);
    click(Form_fa4->SpeedButton8); // deletes ALFA, answered Yes
    click(Form_fa4->SpeedButton1);

    Form1->ComboBox7->setEditText("NOWY");
    Form7->WypelnijKalkulacje();
    EXPECT_EQ(Form7->QuickRep1.label("QRLabel17").caption, "Nowa Firma");
    Form1->ComboBox7->setEditText("ALFA");
    Form7->WypelnijKalkulacje();
    EXPECT_EQ(Form7->QuickRep1.label("QRLabel17").caption, "ALFA") << "a deleted customer prints as typed";
    EXPECT_EQ(shownTexts(), QStringList({"Czy na pewno usunąć wybraną pozycję?"}));
}

// ---- panels and buttons ----------------------------------------------------------

class PanelColours : public CustomerRegister, public ::testing::WithParamInterface<const char*> {};

TEST_P(PanelColours, TurnLighterWhilePressed) {
    showRegister();
    auto* panel = Form_fa4->findChild<tv::ui::PanelButton*>(QString::fromLatin1(GetParam()));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->colour(), 8257541);
    QTest::mousePress(panel, Qt::LeftButton);
    EXPECT_EQ(panel->colour(), 12648458);
    // Let go outside the panel, so that its command does not run.
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(-10, -10));
    EXPECT_EQ(panel->colour(), 8257541);
}

INSTANTIATE_TEST_SUITE_P(Panels, PanelColours,
                         ::testing::Values("Panel1", "SpeedButton8", "SpeedButton9", "SpeedButton10",
                                           "SpeedButton1", "Panel2"));

TEST_F(CustomerRegister, PanelsCarryTheirCaptions) {
    EXPECT_EQ(Form_fa4->Panel1->text(), "dodaj");
    EXPECT_EQ(Form_fa4->SpeedButton8->text(), "usuń");
    EXPECT_EQ(Form_fa4->SpeedButton9->text(), "potwierdź");
    EXPECT_EQ(Form_fa4->SpeedButton10->text(), "anuluj");
    EXPECT_EQ(Form_fa4->SpeedButton1->text(), "zamknij");
    EXPECT_EQ(Form_fa4->Panel2->text(), "wyczyść");
    EXPECT_EQ(Form_fa4->windowTitle(), "Zbiór kontrahentów");
}

TEST_F(CustomerRegister, NavigationButtonsHaveTheirHintsAndMoveTheRow) {
    const QVector<QPair<tv::ui::SpeedButton*, QString>> hints = {
        {Form_fa4->SpeedButton3, "Pierwsza pozycja"},   {Form_fa4->SpeedButton5, "Poprzednia pozycja"},
        {Form_fa4->SpeedButton6, "Następna pozycja"},   {Form_fa4->SpeedButton4, "Ostatnia pozycja"},
        {Form_fa4->SpeedButton20, "Dodaj pozycję"},     {Form_fa4->SpeedButton19, "Usuń pozycję"},
        {Form_fa4->SpeedButton21, "Modyfikuj pozycję"}, {Form_fa4->SpeedButton14, "Potwierdź zmianę"},
        {Form_fa4->SpeedButton15, "Anuluj zmianę"},     {Form_fa4->SpeedButton2, "Odśwież dane"}};
    for (const auto& [button, hint] : hints) {
        EXPECT_EQ(button->toolTip(), hint);
        EXPECT_EQ(button->text(), "");
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
    }

    insertCustomers({{"A", 1}, {"B", 2}, {"C", 3}});
    refreshViews();
    showRegister();
    tv::Table& table = *Form_fa4->kontrahenci;
    click(Form_fa4->SpeedButton4);
    EXPECT_EQ(table.recNo(), 3);
    click(Form_fa4->SpeedButton5);
    EXPECT_EQ(table.recNo(), 2);
    click(Form_fa4->SpeedButton3);
    EXPECT_EQ(table.recNo(), 1);
    click(Form_fa4->SpeedButton6);
    EXPECT_EQ(table.recNo(), 2);
    click(Form_fa4->SpeedButton21);
    EXPECT_EQ(table.state(), tv::Table::State::Edit);
    click(Form_fa4->SpeedButton15);
    EXPECT_EQ(table.state(), tv::Table::State::Browse);
    insertCustomers({{"D", 4}});
    click(Form_fa4->SpeedButton2);
    EXPECT_EQ(table.recordCount(), 4);
}

// The text of the label that names a control.
QString labelOf(const QWidget* control) {
    for (const QLabel* label : Form_fa4->findChildren<QLabel*>())
        if (label->buddy() == control) return label->text();
    return QStringLiteral("(bez etykiety)");
}

QString groupOf(const QWidget* control) {
    for (QWidget* w = control->parentWidget(); w; w = w->parentWidget())
        if (auto* group = qobject_cast<QGroupBox*>(w)) return group->title();
    return QString();
}

TEST_F(CustomerRegister, DetailEditsAreLabelledAndBoundToTheirFields) {
    const QVector<QPair<QString, QString>> expected = {{"Identyfikator", "Id"},
                                                       {"Imię i nazwisko", "Nazwisko"},
                                                       {"Firma", "Firma"},
                                                       {"Adres e-mail", "Email"},
                                                       {"Ulica", "Ulica"},
                                                       {"Miejscowość", "Miejscowosc"},
                                                       {"Kod", "Kod"},
                                                       {"Telefon", "Telefon"},
                                                       {"Faks", "Faks"},
                                                       {"NIP", "NIP"},
                                                       {"REGON", "REGON"},
                                                       {"Bank", "Bank"},
                                                       {"Numer rachunku bankowego", "Nr_rku"},
                                                       {"Rabat", "Rabat"},
                                                       {"Uwagi", "Uwagi"},
                                                       {"Kraj", "Kraj"}};
    for (int i = 0; i < 16; ++i) {
        tv::ui::DBEdit* edit = Form_fa4->DBEdits[size_t(i)];
        EXPECT_EQ(edit->objectName(), QStringLiteral("DBEdit%1").arg(i + 1));
        EXPECT_EQ(labelOf(edit), expected[i].first) << "DBEdit" << i + 1;
        EXPECT_EQ(edit->dataField(), expected[i].second) << "DBEdit" << i + 1;
        EXPECT_EQ(groupOf(edit), "Informacje o kontrahencie");
    }
}

TEST_F(CustomerRegister, GridShowsItsSixColumnsAndIsEditableInPlace) {
    const QStringList fields = {"Id", "Nazwisko", "Firma", "NIP", "Miejscowosc", "Telefon"};
    const QStringList titles = {"Identyfikator", "Imię i nazwisko", "Firma", "NIP", "Miejscowosc", "Telefon"};
    tv::ui::DBGrid* grid = Form_fa4->DBGrid1;
    ASSERT_EQ(grid->model()->columnCount(), fields.size());
    for (int c = 0; c < fields.size(); ++c) {
        EXPECT_EQ(grid->gridModel()->columns()[c].field, fields[c]);
        EXPECT_EQ(grid->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
    }
    EXPECT_FALSE(grid->isReadOnly());
    EXPECT_TRUE(grid->confirmDelete());
    EXPECT_EQ(grid->dataSource(), Form_fa4->DataSource1);
    EXPECT_TRUE(Form_fa4->DataSource1->autoEdit());
}

TEST_F(CustomerRegister, SearchGroupHoldsFourLabelledBoxesAndTheHiddenSearchButton) {
    const QVector<QPair<QLineEdit*, QString>> boxes = {{Form_fa4->Id, "Identyfikator"},
                                                       {Form_fa4->Firma, "Firma"},
                                                       {Form_fa4->Imie, "Imię i nazwisko"},
                                                       {Form_fa4->NIP, "NIP"}};
    const QStringList names = {"Id", "Firma", "Imie", "NIP"};
    for (int i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].first->objectName(), names[i]);
        EXPECT_EQ(labelOf(boxes[i].first), boxes[i].second);
        EXPECT_EQ(groupOf(boxes[i].first), "Wyszukiwanie");
    }
    EXPECT_EQ(Form_fa4->Button1->text(), "Button1");
    showRegister();
    EXPECT_FALSE(Form_fa4->Button1->isVisible());

    // The hidden button's click is the search itself.
    insertCustomers({{"ALFA", 1}, {"BETA", 2}});
    refreshViews();
    {
        const QSignalBlocker quiet(Form_fa4->Id);
        Form_fa4->Id->setText("B");
    }
    ASSERT_EQ(shownIds().size(), 2);
    Form_fa4->Button1->click();
    EXPECT_EQ(shownIds(), QStringList({"BETA"}));
}

// ---- the costing module's own customer view ------------------------------------

TEST_F(CustomerRegister, CopyFormCloseFillsTheSheetsPicker) {
    insertCustomers({{"BETA", 1}, {"ALFA", 2}});
    Form2->kontrahenci->refresh();
    Form1->ComboBox7->setEditText("ALFA");
    Form2->SpeedButton1Click(Form2->SpeedButton1);
    EXPECT_EQ(items(Form1->ComboBox7), QStringList({"ALFA", "BETA"}));
    EXPECT_EQ(Form1->ComboBox7->currentText(), "ALFA");
    EXPECT_FALSE(Form2->isVisible());
}

TEST_F(CustomerRegister, CopyFormSortNeedsAColumnAndKeepsEveryCustomer) {
    insertCustomer(kFullCustomer);
    insertCustomers({{"B", 1}, {"A", 2}});
    Form2->kontrahenci->refresh();
    const QVector<QVariantList> before = storedCustomers();

    Form2->SpeedButton2Click(Form2->SpeedButton2);
    EXPECT_EQ(shownTexts(), QStringList({"Wybierz kategorię sortowania"}));

    Form2->ComboBox1->setCurrentText("Miejscowość");
    Form2->SpeedButton2Click(Form2->SpeedButton2);
    EXPECT_EQ(Form2->ComboBox1->currentText(), "Miejscowość");
    const QVector<QVariantList> after = storedCustomers();
    ASSERT_EQ(after.size(), before.size());
    for (const QVariantList& row : before)
        EXPECT_TRUE(after.contains(row)) << row[0].toString().toStdString();
    EXPECT_EQ(Form2->kontrahenci->recordCount(), 3);
}

} // namespace

// ---- what the edits take -------------------------------------------------------

// The identifier is 10 characters of code page 1250 in the table: the edit
// takes no more and no other, so the screen, the table and a calculation
// naming the customer all agree.
TEST_F(CustomerRegister, TheIdentifierTakesWhatItsFieldHolds) {
    struct {
        const char* typed;
        const char* kept;
    } cases[] = {{"WYDAWNICTWO-ŻAK", "WYDAWNICTW"}, {"ΩMEGA", "MEGA"}, {"Żuraw™✓", "Żuraw™"}};
    showRegister();
    for (const auto& c : cases) {
        click(Form_fa4->Panel1);
        QLineEdit* id = Form_fa4->DBEdits[0];
        id->setFocus();
        tvtest::typeText(id, QString::fromUtf8(c.typed));
        EXPECT_EQ(id->text(), QString::fromUtf8(c.kept)) << c.typed;
        click(Form_fa4->SpeedButton9);
    }
    QStringList expected;
    for (const auto& c : cases)
        expected << QString::fromUtf8(c.kept);
    std::sort(expected.begin(), expected.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QStringList stored = storedIds();
    std::sort(stored.begin(), stored.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(stored, expected);
}
