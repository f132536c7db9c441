// The invoice header's rules: place of issue, payment-term date, digits of a
// text and finding a party's row; no application object exists here.

#include <gtest/gtest.h>

#include <limits>

#include <QCoreApplication>

#include "invoicing/rules/invoice_header.h"
#include "platform/table.h"
#include "support/test_env.h"

TEST(InvoiceHeader, RunsWithoutAnApplicationObject) {
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

TEST(InvoiceHeader, PlaceOfIssueIsTheStreetBeforeItsFirstDigit) {
    const struct {
        const char* street;
        const char* place;
    } cases[] = {{"Długa 5", "Długa "},      {"Wólka", "Wólka"}, {"3 Maja 12", ""},
                 {"Al. 1000-lecia", "Al. "}, {"", ""},           {"Rynek 7/9", "Rynek "}};
    for (const auto& c : cases)
        EXPECT_EQ(invoicing::placeFromStreet(QString::fromUtf8(c.street)), QString::fromUtf8(c.place))
            << c.street;
}

TEST(InvoiceHeader, TermDateHasDayWithoutZeroAndTwoDigitMonth) {
    EXPECT_EQ(invoicing::termDateText(QDate(2009, 3, 5)), QStringLiteral("5/03/2009"));
    EXPECT_EQ(invoicing::termDateText(QDate(2024, 12, 31)), QStringLiteral("31/12/2024"));
}

TEST(InvoiceHeader, DigitsOfATextJoinIntoANumber) {
    EXPECT_EQ(invoicing::digitsOfText("przelew 14 dni"), 14);
    EXPECT_EQ(invoicing::digitsOfText("a1b2c3"), 123);
    EXPECT_EQ(invoicing::digitsOfText("gotówką"), 0);
    EXPECT_EQ(invoicing::digitsOfText("99999999999999"), std::numeric_limits<int>::max());
}

TEST(InvoiceHeader, FindsTheFirstRowWithExactlyTheText) {
    tvtest::WorkingFolder folder;
    tv::Table sellers(QStringLiteral("sprzedawcy.db"));
    sellers.open();
    const std::pair<const char*, int> rows[] = {{"ABC", 1}, {"abc", 2}, {"ABC ", 3}, {"ABC", 4}, {"", 5}};
    for (const auto& [id, nr] : rows) {
        sellers.append();
        sellers.fieldByName("Id").setAsString(id);
        sellers.fieldByName("Nr").setAsInteger(nr);
        sellers.post();
    }
    sellers.first();
    EXPECT_EQ(invoicing::findRow(sellers, "Id", QStringLiteral("ABC")), 1);
    EXPECT_EQ(invoicing::findRow(sellers, "Id", QStringLiteral("abc")), 2);
    EXPECT_EQ(invoicing::findRow(sellers, "Id", QStringLiteral("ABC ")), 3);
    EXPECT_EQ(invoicing::findRow(sellers, "Id", QStringLiteral("AB")), 0);
    EXPECT_EQ(invoicing::findRow(sellers, "Id", QString()), 0); // an empty picker names no row
    EXPECT_EQ(invoicing::findRow(sellers, "Nr", 4), 4);
    EXPECT_EQ(invoicing::findRow(sellers, "Nr", 6), 0);
    EXPECT_EQ(sellers.recNo(), 1); // the cursor has not moved
}

TEST(InvoiceHeader, FindsACustomerFromTheKeyOrderAsTheCursorWalksIt) {
    tvtest::WorkingFolder folder;
    tv::Table customers(QStringLiteral("kontrahenci.db"));
    customers.open();
    const std::pair<const char*, int> rows[] = {{"Nowak", 5}, {"Nowak", 3}, {"", 1},    {"Ćma", 2},
                                                {"Adam", 9},  {"Cyr", 4},   {"ADAM", 8}};
    for (const auto& [id, nr] : rows) {
        customers.append();
        customers.fieldByName("Id").setAsString(QString::fromUtf8(id));
        customers.fieldByName("Nr").setAsInteger(nr);
        customers.post();
    }
    customers.refresh();
    // Each answer is the first row of that text in the cursor's own order.
    for (const char* id : {"Nowak", "Ćma", "Adam", "ADAM", "Cyr"}) {
        const QString text = QString::fromUtf8(id);
        int walked = 0;
        for (int recNo = 1; recNo <= customers.recordCount() && !walked; ++recNo)
            if (customers.valueAt(recNo, 0).toString() == text) walked = recNo;
        EXPECT_EQ(invoicing::findRow(customers, "Id", text), walked) << id;
    }
    const int nowak = invoicing::findRow(customers, "Id", QStringLiteral("Nowak"));
    EXPECT_EQ(customers.valueAt(nowak, 1).toInt(), 3);
    EXPECT_EQ(invoicing::findRow(customers, "Id", QStringLiteral("Nowa")), 0);

    // Rows another view added are in the file before the cursor reads them.
    tv::Table other(QStringLiteral("kontrahenci.db"));
    other.open();
    other.append();
    other.fieldByName("Id").setAsString("Bartek");
    other.fieldByName("Nr").setAsInteger(11);
    other.post();
    EXPECT_TRUE(invoicing::fileHolds(customers, "Id", QStringLiteral("Bartek")));
    EXPECT_FALSE(invoicing::fileHolds(customers, "Id", QStringLiteral("Bart")));
    EXPECT_EQ(invoicing::findRow(customers, "Id", QStringLiteral("Bartek")), 0);
    EXPECT_EQ(customers.valueAt(invoicing::findRow(customers, "Id", QStringLiteral("Cyr")), 0).toString(),
              "Cyr");
    customers.refresh();
    EXPECT_EQ(customers.valueAt(invoicing::findRow(customers, "Id", QStringLiteral("Bartek")), 0).toString(),
              "Bartek");

    // A filtered cursor is walked.
    customers.setFilter({{"Id", ">=", "C"}});
    customers.setFiltered(true);
    EXPECT_EQ(customers.valueAt(invoicing::findRow(customers, "Id", QStringLiteral("Nowak")), 1).toInt(), 3);
    EXPECT_EQ(invoicing::findRow(customers, "Id", QStringLiteral("Adam")), 0);
}
