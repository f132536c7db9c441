// The invoice window's numbering, its save command and loading an invoice
// back, driven through the window's controls.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>

#include "invoicing/registers/issued_invoices.h"
#include "invoicing/rules/invoice_store.h"
#include "storage_fixture.h"
#include "support/typing.h"

using tvtest::StorageFixture;

namespace {

// What the operator set on the window: the codes of the header.
struct ShownInvoice {
    const char* number;
    const char* seller;
    const char* customer;
    QRadioButton* TForm_fa1::*kind;
    QRadioButton* TForm_fa1::*printForm;
    bool saleMonth;
    const char* paymentTerm;
    const char* shipping;
    // as stored
    int rodzaj;
    int rodzFa;
    int rodzWy;
};

void show(const ShownInvoice& c) {
    Form_fa1->Edit5->setText(QString::fromUtf8(c.number));
    Form_fa1->ComboBox2->setEditText(QString::fromUtf8(c.seller));
    Form_fa1->ComboBox3->setEditText(QString::fromUtf8(c.customer));
    (Form_fa1->*c.kind)->setChecked(true);
    (Form_fa1->*c.printForm)->setChecked(true);
    Form_fa1->CheckBox1->setChecked(c.saleMonth);
    Form_fa1->ComboBox1->setEditText(QStringLiteral("przelewem"));
    Form_fa1->ComboBox4->setEditText(QString::fromUtf8(c.paymentTerm));
    Form_fa1->ComboBox7->setEditText(QString::fromUtf8(c.shipping));
    Form_fa1->Edit11->setText(QStringLiteral("ZAM %1").arg(QString::fromUtf8(c.number)));
    Form_fa1->DateTimePicker1->setDate(QDate(2009, 3, 5));
    Form_fa1->DateTimePicker2->setDate(QDate(2009, 3, 25));
    Form_fa1->DateTimePicker3->setDate(QDate(2009, 3, 4));
}

// Every control loading sets, changed to something else.
void scramble() {
    Form_fa1->Edit5->setText("?");
    Form_fa1->ComboBox1->setEditText("?");
    Form_fa1->ComboBox2->setEditText("DRUGA");
    Form_fa1->ComboBox3->setEditText("ZERO");
    Form_fa1->ComboBox4->setEditText("?");
    Form_fa1->ComboBox7->setEditText("?");
    Form_fa1->Edit9->setText("?");
    Form_fa1->Edit11->setText("?");
    Form_fa1->CheckBox1->setChecked(false);
    Form_fa1->RadioButton4->setChecked(true);
    Form_fa1->RadioButton2->setChecked(true);
    for (QDateEdit* picker :
         {Form_fa1->DateTimePicker1, Form_fa1->DateTimePicker2, Form_fa1->DateTimePicker3})
        picker->setDate(QDate(2000, 1, 1));
    Form_fa1->pozycje->emptyTable();
    Form_fa1->storedNumber.clear();
}

} // namespace

TEST_F(StorageFixture, NumbersByTheAdministrationsPattern) {
    Form_fa10->Edit1->setText(QStringLiteral("FV/#N/#MMMM/#YY#"));
    EXPECT_EQ(Form_fa1->FormatujNumer(12, QDate(2009, 3, 5)), QStringLiteral("FV/12/marzec/09#"));
    Form_fa10->Edit1->setText(QStringLiteral("#N/#MM/#YYYY"));
    EXPECT_EQ(Form_fa1->FormatujNumer(7, QDate(2009, 12, 9)), QStringLiteral("7/12/2009"));
}

TEST_F(StorageFixture, NextNumberSeesEveryStoredInvoiceAndLeavesTheRegisterAlone) {
    for (const auto& [number, date] : {std::pair{"3/01/2009", QDate(2009, 1, 3)},
                                       {"10/02/2009", QDate(2009, 2, 10)},
                                       {"15/12/2008", QDate(2008, 12, 15)},
                                       {"4/03/2009", QDate(2009, 3, 4)}}) {
        invoicing::InvoiceHeader header;
        header.number = QString::fromLatin1(number);
        header.issueDate = date;
        invoicing::saveInvoice(header, {}, QString());
    }
    tv::Table& register_ = *Form_fa2->wyst_faktury;
    register_.setFilter({{QStringLiteral("Data_wyst"), QStringLiteral(">="), QStringLiteral("01.03.2009")}});
    register_.setFiltered(true);
    register_.first();
    ASSERT_EQ(register_.recordCount(), 1);
    EXPECT_EQ(Form_fa1->NastepnyNumer(), 10);
    EXPECT_EQ(register_.recordCount(), 1);
    EXPECT_EQ(register_.fieldByName("Nr").asString(), QStringLiteral("4/03/2009"));
}

TEST_F(StorageFixture, SavesTheWindowAndLoadsItBackWithEveryCode) {
    const ShownInvoice cases[] = {
        {"1/03/2009", "FIRMA", "KOWAL", &TForm_fa1::RadioButton1, &TForm_fa1::RadioButton6, false, "14 dni",
         "", 1, 1, 1},
        {"2/03/2009", "DRUGA", "", &TForm_fa1::RadioButton3, &TForm_fa1::RadioButton5, true, "Inne", "Poczta",
         2, 2, 2},
        {"3/03/2009", "", "RABAT", &TForm_fa1::RadioButton4, &TForm_fa1::RadioButton2, false, "7 dni",
         "Przesyłka kurierska", 2, 3, 3},
        {"4/03/2009", "FIRMA", "ZERO", &TForm_fa1::RadioButton1, &TForm_fa1::RadioButton7, true,
         "Zgodnie z umową", "Servisco", 1, 1, 4},
    };
    for (const ShownInvoice& c : cases) {
        scramble();
        show(c);
        addLine("Papier A4", 2, 10.5, "22");
        addLine("Usługa", 1, 100, "zw.");
        save();
        EXPECT_TRUE(messages().isEmpty()) << c.number << ": " << messages().value(0).text.toStdString();
        EXPECT_TRUE(Form_fa1->Zapisana);
        EXPECT_EQ(Form_fa1->storedNumber, QString::fromUtf8(c.number));
        const std::optional<invoicing::InvoiceHeader> stored = invoicing::loadHeader(c.number);
        ASSERT_TRUE(stored) << c.number;
        EXPECT_EQ(stored->documentType, c.rodzaj) << c.number;
        EXPECT_EQ(stored->documentKind, c.rodzFa) << c.number;
        EXPECT_EQ(stored->printForm, c.rodzWy) << c.number;
        EXPECT_EQ(stored->saleMonth, c.saleMonth ? 1 : 0) << c.number;
        EXPECT_EQ(stored->discount, std::nullopt);
    }
    EXPECT_EQ(invoicing::loadHeader("1/03/2009")->seller, 1);
    EXPECT_EQ(invoicing::loadHeader("1/03/2009")->customer, 5);
    // An empty picker is no party.
    EXPECT_EQ(invoicing::loadHeader("2/03/2009")->customer, std::nullopt);
    EXPECT_EQ(invoicing::loadHeader("3/03/2009")->seller, std::nullopt);

    for (const ShownInvoice& c : cases) {
        scramble();
        Form_fa1->WczytajFakture(c.number);
        EXPECT_TRUE(messages().isEmpty()) << c.number;
        EXPECT_EQ(Form_fa1->storedNumber, QString::fromUtf8(c.number));
        EXPECT_EQ(Form_fa1->Edit5->text(), QString::fromUtf8(c.number));
        EXPECT_EQ(Form_fa1->ComboBox2->currentText(), QString::fromUtf8(c.seller));
        EXPECT_EQ(Form_fa1->ComboBox3->currentText(), QString::fromUtf8(c.customer));
        EXPECT_TRUE((Form_fa1->*c.kind)->isChecked()) << c.number;
        EXPECT_TRUE((Form_fa1->*c.printForm)->isChecked()) << c.number;
        EXPECT_EQ(Form_fa1->CheckBox1->isChecked(), c.saleMonth);
        EXPECT_EQ(Form_fa1->ComboBox1->currentText(), QStringLiteral("przelewem"));
        EXPECT_EQ(Form_fa1->ComboBox4->currentText(), QString::fromUtf8(c.paymentTerm));
        EXPECT_EQ(!Form_fa1->DateTimePicker2->isHidden(), QByteArray(c.paymentTerm) == "Inne") << c.number;
        EXPECT_EQ(Form_fa1->ComboBox7->currentText(), QString::fromUtf8(c.shipping));
        EXPECT_EQ(Form_fa1->Edit11->text(), QStringLiteral("ZAM %1").arg(QString::fromUtf8(c.number)));
        EXPECT_EQ(Form_fa1->DateTimePicker1->date(), QDate(2009, 3, 5));
        EXPECT_EQ(Form_fa1->DateTimePicker2->date(), QDate(2009, 3, 25));
        EXPECT_EQ(Form_fa1->DateTimePicker3->date(), QDate(2009, 3, 4));
        EXPECT_EQ(shownLines(), (QStringList{"1 Papier A4|2 szt 22 10,5", "2 Usługa|1 szt zw. 100"}));
    }
    // The customer's name comes with the customer; an invoice without one shows none.
    EXPECT_EQ(Form_fa1->Edit9->text(), QStringLiteral("Ewa Zero"));
    EXPECT_EQ(Form_fa1->chosenCustomer, 7);
    scramble();
    Form_fa1->WczytajFakture("2/03/2009");
    EXPECT_EQ(Form_fa1->Edit9->text(), QString());
    EXPECT_EQ(Form_fa1->chosenCustomer, std::nullopt);
    EXPECT_EQ(Form_fa1->chosenSeller, 2);
    EXPECT_EQ(Form_fa1->sprzedawcy->fieldByName("Nr").asInteger(), 2);
}

// The header's typed texts are stored in 20 characters of code page 1250:
// each control takes no other characters, and no more than 20 except the
// number (one too long is refused on saving), so the stored invoice and the
// "ustmain.txt" choices are what the window showed.
TEST_F(StorageFixture, TypedHeaderTextsAreWhatTheirFieldsHold) {
    struct Case {
        QLineEdit* control;
        const char* typed;
        const char* kept;
        QString invoicing::InvoiceHeader::*stored;
    } cases[] = {
        {Form_fa1->Edit5, "ΩFV/2009/Łódź/1", "FV/2009/Łódź/1", &invoicing::InvoiceHeader::number},
        {Form_fa1->Edit11, "zamówienie ✓ nr 12 z marca", "zamówienie  nr 12 z ",
         &invoicing::InvoiceHeader::order},
        {Form_fa1->ComboBox1->lineEdit(), "ΩMEGA karta", "MEGA karta",
         &invoicing::InvoiceHeader::paymentForm},
        {Form_fa1->ComboBox4->lineEdit(), "płatne w ciągu 21 dni roboczych", "płatne w ciągu 21 dn",
         &invoicing::InvoiceHeader::paymentTerm},
        {Form_fa1->ComboBox7->lineEdit(), "Poczta → Żabka", "Poczta  Żabka",
         &invoicing::InvoiceHeader::shipping},
    };
    chooseParties("FIRMA", 1, "KOWAL", 5);
    for (const Case& c : cases) {
        c.control->selectAll();
        tvtest::typeText(c.control, QString::fromUtf8(c.typed));
        EXPECT_EQ(c.control->text(), QString::fromUtf8(c.kept)) << c.typed;
    }
    addLine("Papier A4", 1, 10, "22");
    save();
    EXPECT_TRUE(messages().isEmpty()) << messages().value(0).text.toStdString();
    const std::optional<invoicing::InvoiceHeader> stored = invoicing::loadHeader(Form_fa1->Edit5->text());
    ASSERT_TRUE(stored);
    for (const Case& c : cases)
        EXPECT_EQ((*stored).*c.stored, c.control->text()) << c.typed;
    EXPECT_EQ(storedRows(), (QStringList{"F FV/2009/Łódź/1", "P FV/2009/Łódź/1 1 Papier A4"}));
}

TEST_F(StorageFixture, SavingAgainReplacesTheStoredInvoice) {
    chooseParties("FIRMA", 1, "KOWAL", 5);
    Form_fa1->Edit5->setText("1/03/2009");
    addLine("Pierwsza", 1, 1, "22");
    addLine("Druga", 1, 2, "22");
    save();
    Form_fa1->pozycje->emptyTable();
    addLine("Jedyna", 1, 3, "7");
    save();
    EXPECT_EQ(storedRows(), (QStringList{"F 1/03/2009", "P 1/03/2009 1 Jedyna"}));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(StorageFixture, LoadsTheLinesAsStoredInTheOrderOfTheirNumbers) {
    invoicing::InvoiceHeader header;
    header.number = QStringLiteral("9/03/2009");
    header.issueDate = QDate(2009, 3, 5);
    invoicing::InvoiceLine second;
    second.lp = 2;
    second.name = QStringLiteral("druga");
    second.quantity = 2;
    second.vat = QStringLiteral("22");
    second.unitNet = 1.5;
    second.net = 3;
    second.vatAmount = 0.66;
    second.gross = 3.66;
    invoicing::InvoiceLine first = second;
    first.lp = 1;
    first.name = QStringLiteral("pierwsza");
    invoicing::saveInvoice(header, {second, first}, QString());
    addLine("na ekranie", 1, 1, "22");
    Form_fa1->WczytajFakture("9/03/2009");
    EXPECT_EQ(shownLines(), (QStringList{"1 pierwsza|2  22 1,5", "2 druga|2  22 1,5"}));
    EXPECT_EQ(invoicing::readLines(*Form_fa1->pozycje), (QVector<invoicing::InvoiceLine>{first, second}));
}

TEST_F(StorageFixture, LoadsTheKindOfOlderInvoicesFromTheirCodes) {
    const struct {
        int rodzFa; // 0 stands for no value
        int rodzaj;
        int rodzWy;                        // 0 stands for no value
        QRadioButton* TForm_fa1::*checked; // none for no kind
        QRadioButton* TForm_fa1::*printForm;
    } cases[] = {
        {-1, 1, 4, &TForm_fa1::RadioButton1, &TForm_fa1::RadioButton7},
        {-1, 2, 2, &TForm_fa1::RadioButton3, &TForm_fa1::RadioButton5},
        {0, 1, 0, nullptr, &TForm_fa1::RadioButton2}, // the print form stays as it was
        {5, 1, 1, nullptr, &TForm_fa1::RadioButton6},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString number = QStringLiteral("%1/2009").arg(++n);
        tv::Query::exec(QStringLiteral("insert into wyst_faktury (Nr, Rodzaj, Rodz_fa, Rodz_wy, Data_wyst) "
                                       "values (?, ?, ?, ?, ?)"),
                        {number, c.rodzaj, c.rodzFa ? QVariant(c.rodzFa) : QVariant(),
                         c.rodzWy ? QVariant(c.rodzWy) : QVariant(), QDate(2009, 3, 1)});
        Form_fa1->RadioButton2->setChecked(true);
        Form_fa1->RadioButton4->setChecked(true);
        Form_fa1->WczytajFakture(number);
        for (QRadioButton* TForm_fa1::*kind :
             {&TForm_fa1::RadioButton1, &TForm_fa1::RadioButton3, &TForm_fa1::RadioButton4})
            EXPECT_EQ((Form_fa1->*kind)->isChecked(), kind == c.checked) << number.toStdString();
        EXPECT_TRUE((Form_fa1->*c.printForm)->isChecked()) << number.toStdString();
    }
    // The buttons work as a group again afterwards.
    Form_fa1->RadioButton4->setChecked(true);
    Form_fa1->RadioButton1->setChecked(true);
    EXPECT_FALSE(Form_fa1->RadioButton4->isChecked());
}

TEST_F(StorageFixture, TellsOfPartiesNoLongerRegistered) {
    tv::Query::exec(QStringLiteral("insert into wyst_faktury (Nr, Nr_sprzed, Nr_kontr) values (?, ?, ?)"),
                    {QStringLiteral("1/2009"), 99, 98});
    chooseParties("FIRMA", 1, "KOWAL", 5);
    Form_fa1->WczytajFakture("1/2009");
    ASSERT_EQ(messages().size(), 2);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Nie znaleziono sprzedawcy wyszczególnionego w fakturze"));
    EXPECT_EQ(messages()[1].text, QStringLiteral("Nie znaleziono kontrahenta wyszczególnionego w fakturze"));
    for (const tv::ui::ShownMessage& m : messages()) {
        EXPECT_EQ(m.caption, QStringLiteral("Błąd"));
        EXPECT_EQ(m.buttons, tv::ui::Buttons::Ok);
    }
    EXPECT_EQ(Form_fa1->ComboBox2->currentText(), QString());
    EXPECT_EQ(Form_fa1->ComboBox3->currentText(), QString());
    EXPECT_EQ(Form_fa1->chosenSeller, std::nullopt);
    EXPECT_EQ(Form_fa1->chosenCustomer, std::nullopt);
}

TEST_F(StorageFixture, LoadingAnUnknownNumberChangesNothing) {
    Form_fa1->Edit5->setText("7/03/2009");
    addLine("Zostaje", 1, 1, "22");
    Form_fa1->WczytajFakture("8/03/2009");
    EXPECT_EQ(Form_fa1->Edit5->text(), QStringLiteral("7/03/2009"));
    EXPECT_EQ(Form_fa1->storedNumber, QString());
    EXPECT_EQ(shownLines().size(), 1);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(StorageFixture, RefusesWhatCannotBeStoredWithAMessage) {
    invoicing::InvoiceHeader other;
    other.number = QStringLiteral("5/03/2009");
    invoicing::saveInvoice(other, {}, QString());
    const QStringList before = storedRows();
    const struct {
        const char* what;
        const char* number;
        const char* seller;
        const char* customer;
        bool discount;
        const char* percentage;
        const char* message; // a part of it
    } cases[] = {
        {"unknown customer", "1/03/2009", "FIRMA", "NIEMA", false, "5", "Kontrahenta „NIEMA” nie ma"},
        {"unknown seller", "1/03/2009", "INNA", "KOWAL", false, "5", "Sprzedawcy „INNA” nie ma"},
        {"fraction of a discount", "1/03/2009", "FIRMA", "KOWAL", true, "7,5", "Rabat „7,5” nie jest liczbą"},
        {"another invoice's number", "5/03/2009", "FIRMA", "KOWAL", false, "5",
         "„5/03/2009” jest już zapisana"},
        {"a number too long", "FV/2009/03/05/0000001", "FIRMA", "KOWAL", false, "5",
         "mieści się najwyżej 20"},
        {"no number", "", "FIRMA", "KOWAL", false, "5", "nie ma numeru"},
    };
    int waitingInTransaction = 0;
    tv::ui::setAnswerer([&](const tv::ui::ShownMessage&) {
        if (tv::Database::instance().inTransaction()) ++waitingInTransaction;
        return tv::ui::Answer::Ok;
    });
    for (const auto& c : cases) {
        tv::ui::clearShownMessages();
        waitingInTransaction = 0;
        Form_fa1->Zapisana = false;
        Form_fa1->pozycje->emptyTable();
        addLine("Papier", 1, 1, "22");
        Form_fa1->Edit5->setText(QString::fromUtf8(c.number));
        chooseParties(QString::fromUtf8(c.seller), std::nullopt, QString::fromUtf8(c.customer), std::nullopt);
        setDiscountBox(c.discount, QString::fromUtf8(c.percentage));
        save();
        ASSERT_EQ(messages().size(), 1) << c.what;
        EXPECT_TRUE(messages()[0].text.contains(QString::fromUtf8(c.message)))
            << c.what << ": " << messages()[0].text.toStdString();
        EXPECT_EQ(messages()[0].caption, QStringLiteral("Uwaga"));
        EXPECT_EQ(waitingInTransaction, 0) << c.what;
        EXPECT_EQ(storedRows(), before) << c.what;
        EXPECT_FALSE(Form_fa1->Zapisana) << c.what;
        EXPECT_EQ(Form_fa1->storedNumber, QString()) << c.what;
    }
}

TEST_F(StorageFixture, ANewNumberForAStoredInvoiceIsAskedFirst) {
    chooseParties("FIRMA", 1, "KOWAL", 5);
    Form_fa1->Edit5->setText("1/03/2009");
    addLine("Papier", 1, 1, "22");
    save();
    ASSERT_EQ(Form_fa1->storedNumber, QStringLiteral("1/03/2009"));
    invoicing::InvoiceHeader other;
    other.number = QStringLiteral("5/03/2009");
    invoicing::saveInvoice(other, {}, QString());

    // Onto another invoice's number: refused without a question.
    tv::ui::clearShownMessages();
    Form_fa1->Edit5->setText("5/03/2009");
    save();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].buttons, tv::ui::Buttons::Ok);
    EXPECT_TRUE(messages()[0].text.contains("„5/03/2009” jest już zapisana"));

    // "Nie": nothing is saved.
    tv::ui::clearShownMessages();
    Form_fa1->Edit5->setText("2/03/2009");
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    save();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].buttons, tv::ui::Buttons::YesNo);
    EXPECT_TRUE(messages()[0].text.contains("„1/03/2009”"));
    EXPECT_TRUE(messages()[0].text.contains("„2/03/2009”"));
    EXPECT_EQ(storedRows(), (QStringList{"F 1/03/2009", "F 5/03/2009", "P 1/03/2009 1 Papier"}));
    EXPECT_EQ(Form_fa1->storedNumber, QStringLiteral("1/03/2009"));

    // "Tak": the stored invoice takes the new number, lines and all.
    tv::ui::clearShownMessages();
    tv::ui::pushTestAnswer(tv::ui::Answer::Yes);
    save();
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(storedRows(), (QStringList{"F 2/03/2009", "F 5/03/2009", "P 2/03/2009 1 Papier"}));
    EXPECT_EQ(Form_fa1->storedNumber, QStringLiteral("2/03/2009"));
}

TEST_F(StorageFixture, TheNewInvoicesSaveAsksAndRefusesOutsideItsTransaction) {
    chooseParties("FIRMA", 1, "KOWAL", 5);
    Form_fa1->Edit5->setText("1/03/2009");
    addLine("Papier", 1, 1, "22");
    save();
    ASSERT_EQ(Form_fa1->storedNumber, QStringLiteral("1/03/2009"));
    invoicing::InvoiceHeader other;
    other.number = QStringLiteral("5/03/2009");
    invoicing::saveInvoice(other, {}, QString());
    const QStringList stored = storedRows();

    int waitingInTransaction = 0;
    tv::ui::setAnswerer([&](const tv::ui::ShownMessage&) {
        if (tv::Database::instance().inTransaction()) ++waitingInTransaction;
        return tv::ui::Answer::No;
    });
    const auto newInvoice = [] {
        tv::ui::guard([] { Form_fa1->SpeedButton1Click(Form_fa1->SpeedButton1); });
    };
    const struct {
        const char* what;
        const char* number;
        const char* message; // a part of it
    } cases[] = {
        {"renumbered, and the operator says no", "2/03/2009", "Czy nadać jej nowy numer „2/03/2009”?"},
        {"renumbered onto another invoice", "5/03/2009", "„5/03/2009” jest już zapisana"},
    };
    for (const auto& c : cases) {
        tv::ui::clearShownMessages();
        waitingInTransaction = 0;
        Form_fa1->Edit5->setText(QString::fromUtf8(c.number));
        newInvoice();
        ASSERT_EQ(messages().size(), 1) << c.what;
        EXPECT_TRUE(messages()[0].text.contains(QString::fromUtf8(c.message)))
            << c.what << ": " << messages()[0].text.toStdString();
        EXPECT_EQ(waitingInTransaction, 0) << c.what;
        // Nothing saved, and the invoice stays on screen.
        EXPECT_EQ(storedRows(), stored) << c.what;
        EXPECT_EQ(Form_fa1->storedNumber, QStringLiteral("1/03/2009")) << c.what;
        EXPECT_EQ(shownLines().size(), 1) << c.what;
    }
}

TEST_F(StorageFixture, StoresTheRecomputedTotals) {
    chooseParties("FIRMA", 1, "KOWAL", 5);
    Form_fa1->Edit5->setText("1/03/2009");
    addLine("Papier", 2, 10.5, "22");
    addLine("Usługa", 1, 100, "7");
    save();
    const std::optional<invoicing::InvoiceHeader> stored = invoicing::loadHeader("1/03/2009");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->net, tv::Currency::fromInt(121));
    EXPECT_EQ(stored->vat, tv::Currency::fromUnits(116200));
    EXPECT_EQ(stored->gross, tv::Currency::fromUnits(1326200));
}

TEST_F(StorageFixture, TheDiscountIsStoredAndLoadedWithoutRepricing) {
    chooseParties("FIRMA", 1, "KOWAL", 5);
    Form_fa1->Edit5->setText("1/03/2009");
    addLine("Papier", 1, 85, "22");
    setDiscountBox(true, "15");
    save();
    EXPECT_EQ(invoicing::loadHeader("1/03/2009")->discount, 15);
    setDiscountBox(false, "5");
    Form_fa1->Edit5->setText("2/03/2009");
    Form_fa1->storedNumber.clear();
    save();
    EXPECT_EQ(invoicing::loadHeader("2/03/2009")->discount, std::nullopt);

    Form_fa1->WczytajFakture("1/03/2009");
    EXPECT_TRUE(Form_fa1->CheckBox2->isChecked());
    EXPECT_EQ(Form_fa1->ComboBox6->currentText(), QStringLiteral("15"));
    EXPECT_EQ(shownLines(), QStringList{"1 Papier|1 szt 22 85"});
    Form_fa1->WczytajFakture("2/03/2009");
    EXPECT_FALSE(Form_fa1->CheckBox2->isChecked());
    EXPECT_EQ(shownLines(), QStringList{"1 Papier|1 szt 22 85"});
}

TEST_F(StorageFixture, TheStockVersionAsksBeforeSaving) {
    Form_fa10->CheckBox1->setChecked(true);
    chooseParties("FIRMA", 1, "KOWAL", 5);
    Form_fa1->Edit5->setText("1/03/2009");
    addLine("Papier", 1, 1, "22");
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    save();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text,
              QStringLiteral("Naciśnięcie tak spowoduje odjęcie produktów z magazynu kontynuować ?"));
    EXPECT_TRUE(storedRows().isEmpty());
    EXPECT_FALSE(Form_fa1->Zapisana);

    // "Tak": stored, and any shortage is told after the invoice is stored.
    tv::ui::clearShownMessages();
    tv::ui::pushTestAnswer(tv::ui::Answer::Yes);
    save();
    ASSERT_FALSE(messages().isEmpty());
    EXPECT_EQ(messages()[0].buttons, tv::ui::Buttons::YesNo);
    for (int i = 1; i < messages().size(); ++i)
        EXPECT_TRUE(messages()[i].text.startsWith("W magazynie brakuje produktu "))
            << messages()[i].text.toStdString();
    EXPECT_EQ(storedRows(), (QStringList{"F 1/03/2009", "P 1/03/2009 1 Papier"}));
    EXPECT_TRUE(Form_fa1->Zapisana);

    // Without lines there is nothing to deduct and nothing to ask.
    tv::ui::clearShownMessages();
    Form_fa1->pozycje->emptyTable();
    save();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(storedRows(), QStringList{"F 1/03/2009"});
}
