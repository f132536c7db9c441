#include <gtest/gtest.h>

#include <QDate>

#include "invoicing/rules/printout_texts.h"
#include "platform/regional.h"
#include "support/test_env.h"

using invoicing::PartyFields;
using invoicing::Printout;

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '[';
    for (const QString& s : list)
        *out << '"' << s.toStdString() << "\" ";
    *out << ']';
}

namespace {

PartyFields fullParty() {
    PartyFields p;
    p.Firma = QStringLiteral("Drukarnia „Żak” s.c.");
    p.Ulica = QStringLiteral("ul. Długa 5");
    p.Kod = QStringLiteral("30-001");
    p.Miejscowosc = QStringLiteral("Kraków");
    p.NIP = QStringLiteral("676-10-20-300");
    p.REGON = QStringLiteral("350123456");
    p.Telefon = QStringLiteral("12 411 22 33");
    p.Faks = QStringLiteral("12 411 22 34");
    p.Email = QStringLiteral("biuro@zak.pl");
    p.Bank = QStringLiteral("PKO BP");
    p.Nr_rku = QStringLiteral("12 1020 2892 0000 5102 0123 4567");
    p.Nazwisko = QStringLiteral("Jan Żak");
    return p;
}

} // namespace

// ---- party blocks --------------------------------------------------------------

TEST(PartyBlocks, AFullSellerPrintsEveryLineWithTheBulletsBetweenPairs) {
    const PartyFields p = fullParty();
    EXPECT_EQ(invoicing::sellerBlock(p, Printout::VatInvoice),
              QStringList({"Drukarnia „Żak” s.c.", "ul. Długa 5, 30-001 Kraków",
                           "NIP: 676-10-20-300 \u2022 REGON: 350123456",
                           "tel. 12 411 22 33 \u2022 Fax: 12 411 22 34", "Email: biuro@zak.pl"}));
    EXPECT_EQ(invoicing::sellerBlock(p, Printout::Bill),
              QStringList({"Drukarnia „Żak” s.c.", "ul. Długa 5, 30-001 Kraków",
                           "NIP: 676-10-20-300 \u2022 REGON: 350123456",
                           "tel. 12 411 22 33 \u2022 Faks: 12 411 22 34", "Email: biuro@zak.pl"}));
}

TEST(PartyBlocks, TheCustomersCountryFollowsTheTownAndTheBillWritesTelWithoutABlank) {
    PartyFields p = fullParty();
    p.Kraj = QStringLiteral("Polska");
    EXPECT_EQ(invoicing::customerBlock(p, Printout::VatInvoice),
              QStringList({"Drukarnia „Żak” s.c.", "ul. Długa 5, 30-001 Kraków Polska",
                           "NIP: 676-10-20-300 \u2022 REGON: 350123456",
                           "tel. 12 411 22 33 \u2022 Fax: 12 411 22 34", "Email: biuro@zak.pl"}));
    EXPECT_EQ(invoicing::customerBlock(p, Printout::Bill),
              QStringList({"Drukarnia „Żak” s.c.", "ul. Długa 5, 30-001 Kraków Polska",
                           "NIP: 676-10-20-300 \u2022 REGON: 350123456",
                           "tel.12 411 22 33 \u2022 Faks: 12 411 22 34", "Email: biuro@zak.pl"}));
}

struct SparseCase {
    const char* what;
    QString NIP, REGON, Telefon, Faks;
    QString taxLine, invoicePhone, billSellerPhone;
};

TEST(PartyBlocks, EmptyTaxAndPhoneFieldsLeaveTheirLinesInPlace) {
    const SparseCase cases[] = {
        {"nothing", "", "", "", "", "", "", ""},
        {"REGON and fax only", "", "350123456", "", "12 34", " \u2022 REGON: 350123456", " \u2022 Fax: 12 34",
         " \u2022 Faks: 12 34"},
        {"NIP and phone only", "676", "", "600 100 200", "", "NIP: 676", "tel. 600 100 200",
         "tel. 600 100 200"},
    };
    for (const SparseCase& c : cases) {
        SCOPED_TRACE(c.what);
        PartyFields p;
        p.Firma = QStringLiteral("Firma");
        p.Ulica = QStringLiteral("Polna 1");
        p.Kod = QStringLiteral("00-950");
        p.Miejscowosc = QStringLiteral("Warszawa");
        p.NIP = c.NIP;
        p.REGON = c.REGON;
        p.Telefon = c.Telefon;
        p.Faks = c.Faks;
        EXPECT_EQ(invoicing::sellerBlock(p, Printout::VatInvoice),
                  QStringList({"Firma", "Polna 1, 00-950 Warszawa", c.taxLine, c.invoicePhone}));
        EXPECT_EQ(invoicing::sellerBlock(p, Printout::Bill),
                  QStringList({"Firma", "Polna 1, 00-950 Warszawa", c.taxLine, c.billSellerPhone}));
    }
}

TEST(PartyBlocks, AnEmptyAddressIsDroppedByTheInvoiceForTheCustomerAndByTheBillForTheSeller) {
    PartyFields p;
    p.Firma = QStringLiteral("Anonim");
    // The address of empty fields is a comma and two blanks.
    EXPECT_EQ(invoicing::customerBlock(p, Printout::VatInvoice), QStringList({"Anonim", "", ""}));
    EXPECT_EQ(invoicing::customerBlock(p, Printout::Bill), QStringList({"Anonim", ",  ", "", ""}));
    EXPECT_EQ(invoicing::sellerBlock(p, Printout::VatInvoice), QStringList({"Anonim", ",  ", "", ""}));
    EXPECT_EQ(invoicing::sellerBlock(p, Printout::Bill), QStringList({"Anonim", "", ""}));

    // Around the limits: the invoice keeps a customer's line of 6 characters,
    // the bill a seller's of 5.
    struct Limit {
        const char* kod;
        const char* town;
        int length;
        bool invoiceCustomer;
        bool billSeller;
    };
    const Limit limits[] = {{"", "", 3, false, false},
                            {"1", "", 4, false, false},
                            {"1", "a", 5, false, true},
                            {"12", "a", 6, true, true}};
    for (const Limit& l : limits) {
        SCOPED_TRACE(l.length);
        PartyFields q;
        q.Kod = QString::fromLatin1(l.kod);
        q.Miejscowosc = QString::fromLatin1(l.town);
        const QString line = ", " + q.Kod + " " + q.Miejscowosc;
        ASSERT_EQ(line.size(), l.length);
        EXPECT_EQ(invoicing::customerBlock(q, Printout::VatInvoice).contains(line), l.invoiceCustomer);
        EXPECT_EQ(invoicing::sellerBlock(q, Printout::Bill).contains(line), l.billSeller);
    }
    // A country alone makes the customer's line long enough.
    PartyFields abroad;
    abroad.Kraj = QStringLiteral("Niemcy");
    EXPECT_TRUE(invoicing::customerBlock(abroad, Printout::VatInvoice).contains(",   Niemcy"));
}

TEST(PartyBlocks, BankLinesFollowTheBankOnTheInvoiceAndTheAccountOnTheBill) {
    PartyFields p = fullParty();
    EXPECT_EQ(invoicing::bankLines(p, Printout::VatInvoice),
              QStringList({"Nr rachunku bankowego", "PKO BP", "12 1020 2892 0000 5102 0123 4567"}));
    EXPECT_EQ(invoicing::bankLines(p, Printout::Bill),
              QStringList({"Nr rachunku bankowego:", "PKO BP", "12 1020 2892 0000 5102 0123 4567"}));
    const QStringList none = {"", "", ""};
    PartyFields noBank = p;
    noBank.Bank.clear();
    EXPECT_EQ(invoicing::bankLines(noBank, Printout::VatInvoice), none);
    EXPECT_EQ(invoicing::bankLines(noBank, Printout::Bill),
              QStringList({"Nr rachunku bankowego:", "", "12 1020 2892 0000 5102 0123 4567"}));
    PartyFields noAccount = p;
    noAccount.Nr_rku.clear();
    EXPECT_EQ(invoicing::bankLines(noAccount, Printout::VatInvoice),
              QStringList({"Nr rachunku bankowego", "PKO BP", ""}));
    EXPECT_EQ(invoicing::bankLines(noAccount, Printout::Bill), none);
}

// ---- dates and terms -------------------------------------------------------------

TEST(PrintoutDates, SlashesStandWhateverTheRegionalSeparator) {
    for (QChar separator : {QChar(u'.'), QChar(u'-')}) {
        tv::RegionalSettings settings = tv::RegionalSettings::polish();
        settings.dateSeparator = separator;
        tv::setRegional(settings);
        EXPECT_EQ(invoicing::printoutDate(QDate(2009, 3, 5)), "5/03/2009");
        EXPECT_EQ(invoicing::printoutDate(QDate(2024, 12, 31)), "31/12/2024");
    }
    tvtest::usePolishSettings();
}

TEST(PrintoutDates, EveryMonthHasItsPolishName) {
    const char* names[] = {"styczeń", "luty",     "marzec",   "kwiecień",    "maj",      "czerwiec",
                           "lipiec",  "sierpień", "wrzesień", "październik", "listopad", "grudzień"};
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(invoicing::saleMonthText(QDate(2024, month, 28)),
                  QString::fromUtf8(names[month - 1]) + " 2024");
}

TEST(PrintoutDates, OnlyTheTermInnePrintsThePaymentDate) {
    const QDate date(2024, 4, 9);
    EXPECT_EQ(invoicing::paymentTermText("Inne", date), "9/04/2024");
    for (const char* term : {"14 dni", "Zgodnie z umową", "9/04/2024", "inne", "Inne ", ""})
        EXPECT_EQ(invoicing::paymentTermText(QString::fromUtf8(term), date), QString::fromUtf8(term));
}

// ---- copies ------------------------------------------------------------------------

TEST(PrintForms, EachFormHasItsPreviewCaptionAndCopies) {
    using invoicing::FormaWydruku;
    struct Case {
        FormaWydruku form;
        QString preview;
        QStringList copies;
    };
    const Case cases[] = {
        {FormaWydruku::OryginalIKopia, "Oryginał", {"Oryginał", "Kopia"}},
        {FormaWydruku::OryginalI2Kopie, "Oryginał", {"Oryginał", "Kopia", "Kopia"}},
        {FormaWydruku::BezNapisu, "", {""}},
        {FormaWydruku::OryginalKopia2x, "Oryginał \\ Kopia", {"Oryginał \\ Kopia", "Oryginał \\ Kopia"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preview.toStdString());
        EXPECT_EQ(invoicing::previewCaption(c.form), c.preview);
        EXPECT_EQ(invoicing::copyCaptions(c.form), c.copies);
    }
}
