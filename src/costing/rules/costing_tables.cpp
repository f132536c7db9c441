#include "costing/rules/costing_tables.h"

namespace costing {

namespace {

using F = tv::FieldDef;
constexpr auto alpha = F::alpha;
constexpr auto longInt = F::longInt;
constexpr auto number = F::number;
constexpr auto money = F::money;
constexpr auto autoInc = F::autoInc;

// Working tables are rebuilt on every use.
tv::TableLayout working(tv::TableLayout layout) {
    layout.durable = false;
    return layout;
}

} // namespace

QVector<tv::FieldDef> customerFields() {
    return {alpha("Id", 10),     longInt("Nr"),        alpha("Nazwisko", 50),
            alpha("Firma", 100), alpha("Ulica", 40),   alpha("Miejscowosc", 35),
            alpha("Kod", 10),    alpha("Telefon", 15), alpha("Faks", 15),
            alpha("Email", 40),  alpha("NIP", 13),     alpha("REGON", 30),
            alpha("Bank", 50),   alpha("Nr_rku", 60),  number("Rabat"),
            alpha("Uwagi", 150), alpha("Kraj", 150)};
}

QVector<tv::FieldDef> invoiceLineFields() {
    return {longInt("Lp"),       alpha("Nazwa", 255), number("Ilosc"),   alpha("VAT", 3),
            alpha("Jm", 10),     money("Netto"),      money("KwotaVAT"), money("Brutto"),
            money("Netto_jedn"), alpha("PKWiU", 20),  alpha("Klasa", 3)};
}

QVector<tv::TableLayout> costingTables() {
    QVector<tv::TableLayout> all;
    all << tv::TableLayout::of("kontrahenci", "kontrahenci.db", customerFields(), {"Id", "Nr"});
    tv::TableLayout scratch = working(tv::TableLayout::of("tabletemp", "tabletemp.DB", customerFields()));
    scratch.scratch = true;
    all << scratch;
    all << tv::TableLayout::of("formaty", "formaty.db", {autoInc("Nr"), alpha("Nazwa", 6), number("St0")},
                               {"Nr"});
    all << working(tv::TableLayout::of("papkol", "papkol.db",
                                       {alpha("Format", 5), number("Ilosc"), alpha("Rodzpap", 10),
                                        alpha("Kolor", 5), number("Gramatura"), money("Koszt")}));
    all << tv::TableLayout::of("rodzpap", "rodzpap.db", {autoInc("Nr"), alpha("Nazwa", 10)});
    tv::TableLayout grammages =
        tv::TableLayout::of("gramatury", "gramatury.db",
                            {longInt("Rodzpap"), number("Gramatura"), money("Cena_ark"), money("Cena_ryzy")});
    grammages.indexes = {QStringLiteral("Rodzpap")};
    all << grammages;
    all << tv::TableLayout::of(
        "ustawienia", "ustawienia.db",
        {money("Przelot_bialy1"), money("Przelot_kolor1"), money("Przelot_bialy2"), money("Przelot_kolor2"),
         money("Przelot_bialy4"), money("Przelot_kolor4"), longInt("Maszyna"),      money("Stawka_godz"),
         money("Pl_czb"),         money("Pl_kolor"),       alpha("Matryca", 5),     money("Skanowanie"),
         money("Fotonasw"),       money("Sklad_czb"),      money("Sklad_kolor"),    longInt("Zysk_od_rob"),
         longInt("Narzut_mat"),   alpha("Podatek", 3),     money("Falsowanie"),     money("Szycie"),
         money("Ciecie"),         money("Transport")});
    QVector<tv::FieldDef> lines = invoiceLineFields();
    lines << money("Rabat");
    all << working(tv::TableLayout::of("pozycje", "pozycje.db", lines));
    all << working(tv::TableLayout::of(
        "stawkiVAT", "stawkiVAT.db", {alpha("VAT", 3), money("Netto"), money("KwotaVAT"), money("Brutto")}));
    return all;
}

} // namespace costing
