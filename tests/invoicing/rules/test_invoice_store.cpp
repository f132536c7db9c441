// Issued invoices in the tables: the stored codes, the parties, saving and
// loading with every field, the refusals, and the working line table.

#include <gtest/gtest.h>

#include <stdexcept>

#include "invoicing/rules/invoice_store.h"
#include "invoicing/rules/stock.h"
#include "platform/table.h"
#include "support/test_env.h"

using namespace invoicing;

// ---- codes -------------------------------------------------------------------------

TEST(StoredCodes, FromTheButtonsShown) {
    const struct {
        DocumentKindButtons kind;
        int rodzaj;
        int rodzFa;
    } kinds[] = {{{true, false, false}, 1, 1},
                 {{false, true, false}, 2, 2},
                 {{false, false, true}, 2, 3},
                 {{false, false, false}, 2, 3}};
    for (const auto& c : kinds) {
        EXPECT_EQ(documentTypeCode(c.kind), c.rodzaj);
        EXPECT_EQ(documentKindCode(c.kind), c.rodzFa);
    }
    const struct {
        PrintFormButtons shown;
        int rodzWy;
    } forms[] = {{{true, false, false, false}, 1},
                 {{false, true, false, false}, 2},
                 {{false, false, true, false}, 3},
                 {{false, false, false, true}, 4},
                 {{false, false, false, false}, 3}};
    for (const auto& c : forms)
        EXPECT_EQ(printFormCode(c.shown), c.rodzWy);
}

TEST(StoredCodes, OntoTheButtonsWhenLoading) {
    const DocumentKindButtons bill{false, false, true};
    const DocumentKindButtons vat{true, false, false};
    const struct {
        int rodzFa;
        int rodzaj;
        DocumentKindButtons shown;
        DocumentKindButtons expected;
    } kinds[] = {
        {1, 2, bill, {true, false, false}},
        {2, 1, bill, {false, true, false}},
        {3, 1, vat, {false, false, true}},
        {0, 1, vat, {false, false, false}}, // no kind stored: none checked
        {7, 1, vat, {false, false, false}},
        {-1, 1, bill, {true, false, false}}, // the kind taken from Rodzaj
        {-1, 2, vat, {false, true, false}},
        {-1, 0, bill, {false, false, true}}, // neither: the bill button keeps its state
        {-1, 0, vat, {false, false, false}},
    };
    for (const auto& c : kinds)
        EXPECT_EQ(documentKindOnLoad(c.rodzFa, c.rodzaj, c.shown), c.expected) << c.rodzFa << " " << c.rodzaj;

    const PrintFormButtons shown{false, false, true, false};
    const struct {
        int rodzWy;
        PrintFormButtons expected;
    } forms[] = {{1, {true, false, false, false}},
                 {2, {false, true, false, false}},
                 {3, {false, false, true, false}},
                 {4, {false, false, false, true}},
                 {5, {false, false, false, false}},
                 {0, shown},
                 {-2, shown}};
    for (const auto& c : forms)
        EXPECT_EQ(printFormOnLoad(c.rodzWy, shown), c.expected) << c.rodzWy;
}

TEST(StoredCodes, DiscountIsAWholePercentageOrNone) {
    EXPECT_EQ(storedDiscount(false, "7,5"), std::nullopt);
    EXPECT_EQ(storedDiscount(false, ""), std::nullopt);
    EXPECT_EQ(storedDiscount(true, "15"), 15);
    EXPECT_EQ(storedDiscount(true, "0"), 0);
    EXPECT_EQ(storedDiscount(true, " 5"), 5);
    for (const char* bad : {"7,5", "", "abc", "15%", "99999999999"}) {
        try {
            storedDiscount(true, QString::fromUtf8(bad));
            ADD_FAILURE() << bad << " was accepted";
        } catch (const SaveRefused& refusal) {
            EXPECT_TRUE(refusal.message().contains(QStringLiteral("„%1”").arg(bad))) << refusal.what();
        }
    }
}

// ---- tables ---------------------------------------------------------------------------

namespace {

class StoreFixture : public ::testing::Test {
protected:
    tvtest::WorkingFolder folder;

    void SetUp() override {
        tvtest::usePolishSettings();
        addParty("sprzedawcy.db", "FIRMA", 1, "Anna Nowak");
        addParty("sprzedawcy.db", "DRUGA", 2, "Piotr Lis");
        addParty("sprzedawcy.db", "FIRMA", 3, "Ewa Nowak"); // the same short name twice
        addParty("kontrahenci.db", "KOWAL", 5, "Jan Kowalski");
        addParty("kontrahenci.db", "NOWAK", 6, "Maria Nowak");
    }

    static void addParty(const char* table, const char* id, int nr, const char* name) {
        tv::Table t(QString::fromLatin1(table));
        t.open();
        t.append();
        t.fieldByName("Id").setAsString(QString::fromUtf8(id));
        t.fieldByName("Nr").setAsInteger(nr);
        t.fieldByName("Nazwisko").setAsString(QString::fromUtf8(name));
        t.post();
    }

    static InvoiceHeader header(const QString& number) {
        InvoiceHeader h;
        h.number = number;
        h.seller = 1;
        h.customer = 5;
        h.documentType = 1;
        h.issueDate = QDate(2009, 3, 5);
        h.paymentDate = QDate(2009, 3, 19);
        h.paymentForm = QStringLiteral("przelewem ");
        h.net = tv::Currency::fromUnits(1000000);
        h.vat = tv::Currency::fromUnits(220000);
        h.gross = tv::Currency::fromUnits(1220000);
        h.saleDate = QDate(2009, 3, 4);
        h.paymentTerm = QStringLiteral("14 dni");
        h.order = QStringLiteral("ZAM/7/2009");
        h.shipping = QStringLiteral("Poczta");
        h.saleMonth = 0;
        h.documentKind = 1;
        h.printForm = 1;
        h.discount = std::nullopt;
        return h;
    }

    static InvoiceLine line(int lp, const char* name, double quantity, double unitNet, const char* vat) {
        InvoiceLine l;
        l.lp = lp;
        l.name = QString::fromUtf8(name);
        l.quantity = quantity;
        l.vat = QString::fromUtf8(vat);
        l.unit = QStringLiteral("szt");
        l.unitNet = unitNet;
        l.net = quantity * unitNet;
        l.vatAmount = *l.net * 0.22;
        l.gross = *l.net + *l.vatAmount;
        l.pkwiu = QStringLiteral("22.22.1");
        return l;
    }

    static QVector<InvoiceLine> twoLines() {
        return {line(1, "Przygotowanie do druku Ulotka", 1, 150, "22"), line(2, "Druk Ulotka", 1, 850, "7")};
    }

    // Every stored header's number and its lines' names, in table order.
    static QStringList storedRows() {
        QStringList rows;
        tv::Table headers(QStringLiteral("wyst_faktury.db"));
        headers.open();
        for (headers.first(); !headers.eof(); headers.next())
            rows << QStringLiteral("F ") + headers.fieldByName("Nr").asString();
        tv::Table lines(QStringLiteral("wyst_pozycje.db"));
        lines.open();
        for (lines.first(); !lines.eof(); lines.next())
            rows << QStringLiteral("P %1 %2 %3")
                        .arg(lines.fieldByName("Nr_faktury").asString(), lines.fieldByName("Lp").asString(),
                             lines.fieldByName("Nazwa").asString());
        return rows;
    }
};

} // namespace

TEST_F(StoreFixture, EveryFieldAndCodeComesBackAsSaved) {
    QVector<InvoiceHeader> headers;
    const int kinds[] = {1, 2, 3};
    for (int i = 0; i < 4; ++i) {
        InvoiceHeader h = header(QStringLiteral("%1/03/2009").arg(i + 1));
        h.documentKind = kinds[i % 3];
        h.documentType = h.documentKind == 1 ? 1 : 2;
        h.printForm = i + 1;
        h.saleMonth = i % 2;
        h.discount = i == 0 ? std::optional<int>() : std::optional<int>(i == 1 ? 15 : i == 2 ? 0 : 100);
        h.seller = i == 3 ? std::optional<int>() : std::optional<int>(2);
        h.customer = i == 3 ? std::optional<int>() : std::optional<int>(6);
        headers << h;
        saveInvoice(h, twoLines(), QString());
    }
    for (const InvoiceHeader& h : headers) {
        EXPECT_EQ(loadHeader(h.number), h) << h.number.toStdString();
        EXPECT_EQ(loadLines(h.number), twoLines());
    }
    EXPECT_EQ(loadHeader(QStringLiteral("9/03/2009")), std::nullopt);
    EXPECT_TRUE(loadLines(QStringLiteral("9/03/2009")).isEmpty());
}

TEST_F(StoreFixture, EmptyFieldsStayEmpty) {
    InvoiceHeader h = header(QStringLiteral("1/2009"));
    h.paymentForm.clear();
    h.paymentTerm.clear();
    h.order.clear();
    h.shipping.clear();
    h.paymentDate = QDate();
    InvoiceLine bare;
    bare.name = QStringLiteral("Usługa bez ceny");
    saveInvoice(h, {bare}, QString());
    EXPECT_EQ(loadHeader(h.number), h);
    const QVector<InvoiceLine> lines = loadLines(h.number);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0], bare);
    EXPECT_FALSE(lines[0].quantity.has_value());
    EXPECT_FALSE(lines[0].unitNet.has_value());
}

TEST_F(StoreFixture, SavingAgainReplacesTheInvoiceInItsPlace) {
    saveInvoice(header("1/2009"), twoLines(), QString());
    saveInvoice(header("2/2009"), {line(1, "Inna", 2, 10, "22")}, QString());
    saveInvoice(header("3/2009"), {line(1, "Trzecia", 1, 5, "0")}, QString());
    InvoiceHeader changed = header("2/2009");
    changed.order = QStringLiteral("ZMIANA");
    saveInvoice(changed, {line(1, "Nowa pierwsza", 1, 1, "22"), line(2, "Nowa druga", 1, 2, "22")},
                QStringLiteral("2/2009"));
    EXPECT_EQ(storedRows(),
              (QStringList{"F 1/2009", "F 2/2009", "F 3/2009", "P 1/2009 1 Przygotowanie do druku Ulotka",
                           "P 1/2009 2 Druk Ulotka", "P 3/2009 1 Trzecia", "P 2/2009 1 Nowa pierwsza",
                           "P 2/2009 2 Nowa druga"}));
    EXPECT_EQ(loadHeader("2/2009")->order, QStringLiteral("ZMIANA"));
}

TEST_F(StoreFixture, AStoredInvoiceMovesToANewNumberWithItsLines) {
    saveInvoice(header("1/2009"), twoLines(), QString());
    saveInvoice(header("2/2009"), {line(1, "Inna", 2, 10, "22")}, QString());
    saveInvoice(header("7/2009"), twoLines(), QStringLiteral("1/2009"));
    EXPECT_EQ(storedRows(),
              (QStringList{"F 7/2009", "F 2/2009", "P 2/2009 1 Inna",
                           "P 7/2009 1 Przygotowanie do druku Ulotka", "P 7/2009 2 Druk Ulotka"}));
    EXPECT_FALSE(invoiceStored("1/2009"));
    EXPECT_TRUE(invoiceStored("7/2009"));
}

TEST_F(StoreFixture, WhatStockGaveAMovedInvoiceFollowsItsNumber) {
    tv::Table goods(QStringLiteral("towary.DB"));
    goods.open();
    goods.append();
    goods.fieldByName("Nazwa").setAsString("Papier A4");
    goods.fieldByName("Nr").setAsInteger(1);
    goods.fieldByName("Magazyn").setAsFloat(10);
    goods.post();
    saveInvoice(header("1/2009"), {line(1, "Papier A4", 3, 10, "22")}, QString());
    deductInvoiceStock("1/2009", {{QStringLiteral("Papier A4"), 3}});
    saveInvoice(header("7/2009"), {line(1, "Papier A4", 3, 10, "22")}, QStringLiteral("1/2009"));
    EXPECT_TRUE(stockRecord("1/2009").isEmpty());
    ASSERT_EQ(stockRecord("7/2009").size(), 1);
    // Deducting under the new number takes nothing more.
    EXPECT_TRUE(deductInvoiceStock("7/2009", {{QStringLiteral("Papier A4"), 3}}).isEmpty());
    goods.refresh();
    goods.first();
    EXPECT_EQ(goods.fieldByName("Magazyn").asFloat(), 7.0);
}

TEST_F(StoreFixture, AnInvoiceWhoseStoredRowWentIsStoredAnew) {
    saveInvoice(header("5/2009"), twoLines(), QStringLiteral("4/2009"));
    EXPECT_EQ(storedRows(), (QStringList{"F 5/2009", "P 5/2009 1 Przygotowanie do druku Ulotka",
                                         "P 5/2009 2 Druk Ulotka"}));
}

TEST_F(StoreFixture, RefusesWhatCannotBeStoredAndWritesNothing) {
    saveInvoice(header("1/2009"), twoLines(), QString());
    saveInvoice(header("2/2009"), {line(1, "Inna", 2, 10, "22")}, QString());
    const QStringList before = storedRows();

    InvoiceHeader longOrder = header("3/2009");
    longOrder.order = QStringLiteral("Zamówienie nr 123456789");
    QVector<InvoiceLine> badRate = twoLines();
    badRate[1].vat = QStringLiteral("VAT");
    QVector<InvoiceLine> longUnit = twoLines();
    longUnit[0].unit = QStringLiteral("opakowanie zbiorcze");
    const struct {
        const char* what;
        InvoiceHeader header;
        QVector<InvoiceLine> lines;
        QString storedNumber;
        const char* message; // a part of the message
    } cases[] = {
        {"no number", header(""), twoLines(), QString(), "nie ma numeru"},
        {"21 characters", header("FV/1234567890/03/2009"), twoLines(), QString(), "najwyżej 20"},
        {"another invoice's number", header("2/2009"), twoLines(), QString(), "„2/2009” jest już zapisana"},
        {"moved onto another's number", header("2/2009"), twoLines(), "1/2009", "„2/2009” jest już zapisana"},
        {"a text longer than its field", longOrder, twoLines(), QString(), "„Zamówienie” mieści najwyżej 20"},
        {"a rate that is no rate", header("3/2009"), badRate, QString(), "stawkę VAT „VAT”"},
        {"a line text longer than its field", header("3/2009"), longUnit, QString(), "W pozycji 1 pole „Jm”"},
    };
    for (const auto& c : cases) {
        try {
            saveInvoice(c.header, c.lines, c.storedNumber);
            ADD_FAILURE() << c.what << ": saved";
        } catch (const SaveRefused& refusal) {
            EXPECT_TRUE(refusal.message().contains(QString::fromUtf8(c.message)))
                << c.what << ": " << refusal.what();
        }
        EXPECT_EQ(storedRows(), before) << c.what;
    }
}

TEST_F(StoreFixture, ANumberOfTwentyCharactersFits) {
    const QString number = QStringLiteral("FV/12345678/03/2009");
    ASSERT_EQ(number.size(), 19);
    saveInvoice(header(number + u'A'), twoLines(), QString());
    EXPECT_TRUE(invoiceStored(number + u'A'));
    EXPECT_FALSE(invoiceStored(number));
}

TEST_F(StoreFixture, SavesInsideTheCallersTransaction) {
    EXPECT_THROW(tv::Database::instance().transaction([&] {
        saveInvoice(header("1/2009"), twoLines(), QString());
        throw std::runtime_error("the stock deduction failed");
    }),
                 std::runtime_error);
    EXPECT_TRUE(storedRows().isEmpty());
}

TEST_F(StoreFixture, NumbersAndTextsAreBoundNotPasted) {
    const QString odd = QStringLiteral("1\"/'; drop table x");
    saveInvoice(header(odd.left(20)), twoLines(), QString());
    EXPECT_TRUE(invoiceStored(odd.left(20)));
    EXPECT_EQ(loadLines(odd.left(20)).size(), 2);
}

TEST_F(StoreFixture, LoadsLinesInTheOrderOfTheirNumbers) {
    tv::Table lines(QStringLiteral("wyst_pozycje.db"));
    lines.open();
    for (const auto& [lp, name] :
         {std::pair{2, "druga"}, {3, "trzecia"}, {1, "pierwsza"}, {2, "druga bis"}}) {
        lines.append();
        lines.fieldByName("Lp").setAsInteger(lp);
        lines.fieldByName("Nazwa").setAsString(QString::fromLatin1(name));
        lines.fieldByName("Nr_faktury").setAsString("1/2009");
        lines.post();
    }
    QStringList names;
    for (const InvoiceLine& l : loadLines("1/2009"))
        names << l.name;
    EXPECT_EQ(names, (QStringList{"pierwsza", "druga", "druga bis", "trzecia"}));
}

TEST_F(StoreFixture, PartiesByThePickersText) {
    EXPECT_EQ(partyNumber(Party::Seller, "", std::nullopt), std::nullopt);
    EXPECT_EQ(partyNumber(Party::Seller, "", 1), std::nullopt);
    EXPECT_EQ(partyNumber(Party::Seller, "DRUGA", std::nullopt), 2);
    // The row the operator chose, among rows of the same short name.
    EXPECT_EQ(partyNumber(Party::Seller, "FIRMA", 3), 3);
    EXPECT_EQ(partyNumber(Party::Seller, "FIRMA", std::nullopt), 1);
    // A choice that no longer matches the text gives way to the text.
    EXPECT_EQ(partyNumber(Party::Seller, "FIRMA", 2), 1);
    EXPECT_EQ(partyNumber(Party::Customer, "NOWAK", 99), 6);
    EXPECT_EQ(partyNumber(Party::Customer, "KOWAL", 5), 5);

    const struct {
        Party party;
        const char* id;
        const char* message;
    } refused[] = {{Party::Seller, "firma", "Sprzedawcy „firma” nie ma w rejestrze sprzedawców"},
                   {Party::Seller, "A\"B", "Sprzedawcy „A\"B” nie ma"},
                   {Party::Customer, "KOWALSKI", "Kontrahenta „KOWALSKI” nie ma w rejestrze kontrahentów"}};
    for (const auto& c : refused) {
        try {
            partyNumber(c.party, QString::fromUtf8(c.id), std::nullopt);
            ADD_FAILURE() << c.id << " was accepted";
        } catch (const SaveRefused& refusal) {
            EXPECT_TRUE(refusal.message().contains(QString::fromUtf8(c.message))) << refusal.what();
        }
    }

    const std::optional<PartyRow> customer = findParty(Party::Customer, 5);
    ASSERT_TRUE(customer);
    EXPECT_EQ(customer->id, QStringLiteral("KOWAL"));
    EXPECT_EQ(customer->name, QStringLiteral("Jan Kowalski"));
    EXPECT_EQ(findParty(Party::Seller, 3)->name, QStringLiteral("Ewa Nowak"));
    EXPECT_FALSE(findParty(Party::Seller, 5));
}

TEST_F(StoreFixture, WorkingLinesAreReadAndReplacedAsTheyAre) {
    tv::Table working(QStringLiteral("pozycje.db"));
    working.open();
    tv::Table otherView(QStringLiteral("pozycje.DB"));
    otherView.open();
    for (const InvoiceLine& l : {line(7, "Stara", 1, 1, "22"), line(8, "Starsza", 1, 2, "7")}) {
        working.append();
        working.fieldByName("Lp").setAsInteger(*l.lp);
        working.fieldByName("Nazwa").setAsString(l.name);
        working.post();
    }
    otherView.refresh();
    ASSERT_EQ(otherView.recordCount(), 2);

    QVector<InvoiceLine> lines = twoLines();
    lines[0].lp = 5; // renumbered from 1 as they go in
    lines[1].lp = std::nullopt;
    lines[1].vatAmount = 0.7007; // stored unrounded, never recomputed
    replaceLines(working, lines);
    EXPECT_EQ(working.recNo(), 1);
    EXPECT_EQ(working.fieldByName("Nazwa").asString(), QStringLiteral("Przygotowanie do druku Ulotka"));
    lines[0].lp = 1;
    lines[1].lp = 2;
    EXPECT_EQ(readLines(working), lines);
    EXPECT_EQ(readLines(otherView), lines);

    replaceLines(working, {});
    EXPECT_EQ(working.recordCount(), 0);
    EXPECT_TRUE(readLines(otherView).isEmpty());
}
