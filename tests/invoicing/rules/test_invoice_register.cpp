// The register of issued invoices without its form: the period filter, the
// printout's listing and totals, deleting an invoice's lines.

#include <gtest/gtest.h>

#include <QDate>

#include "invoicing/rules/invoice_register.h"
#include "invoicing/rules/stock.h"
#include "platform/convert.h"
#include "platform/regional.h"
#include "platform/table.h"
#include "support/test_env.h"

namespace {

struct Invoice {
    const char* nr;
    QDate issued;
    const char* payment = "gotówką";
    std::optional<int> customer = std::nullopt;
    double net = 0;
    double gross = 0;
};

class InvoiceRegister : public ::testing::Test {
protected:
    tvtest::WorkingFolder folder;

    static void addInvoices(std::initializer_list<Invoice> invoices) {
        tv::Table table(QStringLiteral("wyst_faktury.db"));
        table.open();
        tv::Database::instance().transaction([&] {
            for (const Invoice& i : invoices) {
                table.append();
                table.fieldByName("Nr").setAsString(QString::fromUtf8(i.nr));
                table.fieldByName("Data_wyst").setAsDate(i.issued);
                table.fieldByName("Forma_pl").setAsString(QString::fromUtf8(i.payment));
                if (i.customer) table.fieldByName("Nr_kontr").setAsInteger(*i.customer);
                table.fieldByName("Netto").setAsFloat(i.net);
                table.fieldByName("Brutto").setAsFloat(i.gross);
                table.post();
            }
        });
    }

    static void addCustomer(const char* id, int nr, const char* firma, const char* nip) {
        tv::Table table(QStringLiteral("kontrahenci.db"));
        table.open();
        table.append();
        table.fieldByName("Id").setAsString(QString::fromUtf8(id));
        table.fieldByName("Nr").setAsInteger(nr);
        table.fieldByName("Firma").setAsString(QString::fromUtf8(firma));
        table.fieldByName("NIP").setAsString(QString::fromUtf8(nip));
        table.post();
    }

    static QStringList filtered(const QVector<tv::Table::FilterTerm>& terms) {
        tv::Table table(QStringLiteral("wyst_faktury.db"));
        table.setFilter(terms);
        table.setFiltered(true);
        table.open();
        QStringList numbers;
        for (table.first(); !table.eof(); table.next())
            numbers << table.fieldByName("Nr").asString();
        return numbers;
    }
};

struct PeriodCase {
    const char* name;
    QDate from;
    QDate to;
    bool transferOnly;
    QStringList expected;
};

class Period : public InvoiceRegister, public ::testing::WithParamInterface<PeriodCase> {};

TEST_P(Period, IssueDatesBetweenBothEndsIncluded) {
    addInvoices({{"1/01", QDate(2024, 1, 31), "przelewem"},
                 {"2/02", QDate(2024, 2, 1), "przelewem "},
                 {"3/02", QDate(2024, 2, 29), "zapłacono przelewem"},
                 {"4/03", QDate(2024, 3, 1), "przelewem"},
                 {"5/12", QDate(2023, 12, 31), "gotówką"},
                 {"6/02", QDate(2024, 2, 15), "Przelewem"}});
    const PeriodCase& c = GetParam();
    EXPECT_EQ(filtered(invoicing::periodFilter(c.from, c.to, c.transferOnly)), c.expected);
}

const PeriodCase kPeriods[] = {
    {"February", QDate(2024, 2, 1), QDate(2024, 2, 29), false, {"2/02", "3/02", "6/02"}},
    {"OneDay", QDate(2024, 2, 1), QDate(2024, 2, 1), false, {"2/02"}},
    {"AcrossTheYear", QDate(2023, 12, 31), QDate(2024, 1, 31), false, {"1/01", "5/12"}},
    {"TransfersExactlyPrzelewem", QDate(2023, 1, 1), QDate(2024, 12, 31), true, {"1/01", "4/03"}},
    {"NoTransferInFebruary", QDate(2024, 2, 1), QDate(2024, 2, 29), true, {}},
    {"NothingInThePeriod", QDate(2025, 1, 1), QDate(2025, 12, 31), false, {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, Period, ::testing::ValuesIn(kPeriods),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InvoiceRegister, PeriodComparesDatesWhateverTheShortDateForm) {
    addInvoices({{"1", QDate(2024, 3, 9)}, {"2", QDate(2024, 11, 2)}});
    tv::RegionalSettings settings = tv::RegionalSettings::polish();
    settings.shortDateFormat = QStringLiteral("mm/dd/yy");
    settings.dateSeparator = u'/';
    tv::setRegional(settings);
    EXPECT_EQ(filtered(invoicing::periodFilter(QDate(2024, 3, 1), QDate(2024, 3, 31), false)),
              QStringList({"1"}));
    tvtest::usePolishSettings();
}

TEST_F(InvoiceRegister, ListingKeepsInvoicesWithoutACustomerAndTotalsItsRows) {
    addCustomer("ALFA", 1, "Alfa sp. z o.o.", "111-222-33-44");
    addCustomer("BETA", 2, "Beta", "555");
    addInvoices({{"2/03", QDate(2024, 3, 5), "gotówką", 2, 100.10, 123.12},
                 {"1/03", QDate(2024, 3, 5), "przelewem", 1, 200, 246},
                 {"3/03", QDate(2024, 3, 1), "gotówką", std::nullopt, 10, 12.3},
                 {"4/03", QDate(2024, 3, 2), "gotówką", 77, 5, 6.15},
                 {"1/04", QDate(2024, 4, 1), "gotówką", 1, 1000, 1230}});
    tv::Query listing;
    invoicing::openRegisterListing(listing, QDate(2024, 3, 1), QDate(2024, 3, 31));
    QStringList rows;
    for (listing.first(); !listing.eof(); listing.next())
        rows << listing.fieldByName("Nr").asString() + "|" + listing.fieldByName("Firma").asString() + "|" +
                    listing.fieldByName("NIP").asString() + "|" + listing.fieldByName("Data_wyst").asString();
    EXPECT_EQ(rows,
              QStringList({"3/03|||01.03.2024", "4/03|||02.03.2024",
                           "1/03|Alfa sp. z o.o.|111-222-33-44|05.03.2024", "2/03|Beta|555|05.03.2024"}));
    const invoicing::ListingTotals totals = invoicing::listingTotals(listing);
    EXPECT_EQ(tv::CurrToStr(totals.net), "315,1");
    EXPECT_EQ(tv::CurrToStr(totals.gross), "387,57");
}

TEST_F(InvoiceRegister, ListingShowsAnInvoiceOnceWhenTwoCustomersShareItsNumber) {
    addCustomer("ALFA", 1, "Alfa", "1");
    addCustomer("ALFA2", 1, "Alfa bis", "2");
    addInvoices({{"1/03", QDate(2024, 3, 5), "gotówką", 1, 10, 12}});
    tv::Query listing;
    invoicing::openRegisterListing(listing, QDate(2024, 3, 1), QDate(2024, 3, 31));
    EXPECT_EQ(listing.recordCount(), 1);
}

TEST_F(InvoiceRegister, ListingOfAnEmptyPeriodTotalsNothing) {
    addInvoices({{"1", QDate(2024, 3, 5), "gotówką", std::nullopt, 1, 2}});
    tv::Query listing;
    invoicing::openRegisterListing(listing, QDate(2024, 4, 1), QDate(2024, 4, 30));
    EXPECT_EQ(listing.recordCount(), 0);
    const invoicing::ListingTotals totals = invoicing::listingTotals(listing);
    EXPECT_EQ(totals.net, tv::Currency());
    EXPECT_EQ(totals.gross, tv::Currency());
}

TEST_F(InvoiceRegister, DeletingLinesTakesExactlyThatInvoicesAndItsStockRecord) {
    tv::Table lines(QStringLiteral("wyst_pozycje.db"));
    lines.open();
    for (const char* nr : {"1/03", "10/03", "1/03", "1/03 ", "2/03", "1/03"}) {
        lines.append();
        lines.fieldByName("Nr_faktury").setAsString(QString::fromUtf8(nr));
        lines.fieldByName("Nazwa").setAsString(QStringLiteral("Towar"));
        lines.post();
    }
    tv::Table goods(QStringLiteral("towary.DB"));
    goods.open();
    goods.append();
    goods.fieldByName("Nazwa").setAsString("Towar");
    goods.fieldByName("Nr").setAsInteger(1);
    goods.fieldByName("Magazyn").setAsFloat(10);
    goods.post();
    invoicing::deductInvoiceStock("1/03", {{"Towar", 3}});
    invoicing::deductInvoiceStock("2/03", {{"Towar", 1}});

    invoicing::deleteInvoiceLines("1/03");

    lines.refresh();
    QStringList left;
    for (lines.first(); !lines.eof(); lines.next())
        left << lines.fieldByName("Nr_faktury").asString();
    EXPECT_EQ(left, QStringList({"10/03", "1/03 ", "2/03"}));
    EXPECT_TRUE(invoicing::stockRecord("1/03").isEmpty());
    EXPECT_EQ(invoicing::stockRecord("2/03").size(), 1);
    goods.refresh();
    EXPECT_DOUBLE_EQ(goods.fieldByName("Magazyn").asFloat(), 6); // nothing given back
}

TEST_F(InvoiceRegister, IdsByNumberForTheRegistersColumns) {
    addCustomer("ZETA", 5, "", "");
    addCustomer("ALFA", 5, "", "");
    addCustomer("BETA", 6, "", "");
    const QHash<int, QString> ids = invoicing::idsByNumber("kontrahenci");
    EXPECT_EQ(ids.value(5), "ALFA");
    EXPECT_EQ(ids.value(6), "BETA");
    EXPECT_FALSE(ids.contains(7));
    EXPECT_THROW(invoicing::idsByNumber("wyst_faktury; drop table towary"), tv::EDatabaseError);
}

} // namespace
