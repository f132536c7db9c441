#include "invoicing/rules/invoicing_tables.h"

#include "costing/rules/costing_tables.h"

namespace invoicing {

namespace {

using F = tv::FieldDef;
constexpr auto alpha = F::alpha;
constexpr auto longInt = F::longInt;
constexpr auto number = F::number;
constexpr auto money = F::money;
constexpr auto date = F::date;

} // namespace

QVector<tv::TableLayout> invoicingTables() {
    QVector<tv::TableLayout> all;
    all << tv::TableLayout::of("sprzedawcy", "sprzedawcy.db",
                               {alpha("Id", 10), longInt("Nr"), alpha("Nazwisko", 50), alpha("Firma", 255),
                                alpha("Ulica", 40), alpha("Miejscowosc", 20), alpha("Kod", 10),
                                alpha("Telefon", 15), alpha("Faks", 15), alpha("Email", 40), alpha("NIP", 13),
                                alpha("REGON", 30), alpha("Bank", 50), alpha("Nr_rku", 60),
                                alpha("Nr_dowodu", 11)});
    all << tv::TableLayout::of("wyst_faktury", "wyst_faktury.db",
                               {alpha("Nr", 20), longInt("Nr_sprzed"), longInt("Nr_kontr"), longInt("Rodzaj"),
                                date("Data_wyst"), date("Data_pl"), alpha("Forma_pl", 20), money("Netto"),
                                money("WartoscVAT"), money("Brutto"), date("Data_sp"), alpha("Termin_pl", 20),
                                alpha("Zamowienie", 20), alpha("Sp_wysylki", 20), longInt("Mies_sp"),
                                longInt("Rodz_fa"), longInt("Rodz_wy"), longInt("Rabat")},
                               {}, {QStringLiteral("Data_wyst"), QStringLiteral("Nr")});
    QVector<tv::FieldDef> issuedLines = costing::invoiceLineFields();
    issuedLines << alpha("Nr_faktury", 20);
    all << tv::TableLayout::of("wyst_pozycje", "wyst_pozycje.db", issuedLines, {},
                               {QStringLiteral("Nr_faktury")});
    all << tv::TableLayout::of("wyst_pozycje_kor", "wyst_pozycje_kor.DB", issuedLines, {},
                               {QStringLiteral("Nr_faktury")});
    all << tv::TableLayout::of("towary", "towary.DB",
                               {money("Brutto"), alpha("Nazwa", 255), longInt("Nr"), alpha("VAT", 3),
                                alpha("Jm", 10), money("Netto"), alpha("Opis", 100), alpha("PKWiU", 20),
                                alpha("Klasa", 10), number("Magazyn"), alpha("Id", 255)},
                               {"Nazwa", "Nr"});
    // What the stock version took from stock for each saved invoice, goods by
    // name: a save deducts only the difference against it.
    all << tv::TableLayout::of("rozchody", "rozchody.db",
                               {alpha("Nr_faktury", 20), alpha("Nazwa", 255), number("Ilosc")}, {},
                               {QStringLiteral("Nr_faktury")});
    return all;
}

} // namespace invoicing
