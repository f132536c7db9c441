#include "invoicing/rules/invoicing_tables.h"

#include "costing/rules/costing_tables.h"

namespace invoicing {

namespace {

tv::FieldDef alpha(const char* name, int size) {
    return {QString::fromLatin1(name), tv::FieldType::Alpha, size};
}
tv::FieldDef longInt(const char* name) {
    return {QString::fromLatin1(name), tv::FieldType::Long, 0};
}
tv::FieldDef number(const char* name) {
    return {QString::fromLatin1(name), tv::FieldType::Number, 0};
}
tv::FieldDef money(const char* name) {
    return {QString::fromLatin1(name), tv::FieldType::Money, 0};
}
tv::FieldDef date(const char* name) {
    return {QString::fromLatin1(name), tv::FieldType::Date, 0};
}

tv::TableLayout table(const char* name, const char* fileName, QVector<tv::FieldDef> fields,
                      QStringList key = {}, QStringList indexes = {}) {
    tv::TableLayout layout;
    layout.name = QString::fromLatin1(name);
    layout.fileName = QString::fromLatin1(fileName);
    layout.fields = std::move(fields);
    layout.key = std::move(key);
    layout.indexes = std::move(indexes);
    return layout;
}

} // namespace

QVector<tv::TableLayout> invoicingTables() {
    QVector<tv::TableLayout> all;
    all << table("sprzedawcy", "sprzedawcy.db",
                 {alpha("Id", 10), longInt("Nr"), alpha("Nazwisko", 50), alpha("Firma", 255),
                  alpha("Ulica", 40), alpha("Miejscowosc", 20), alpha("Kod", 10), alpha("Telefon", 15),
                  alpha("Faks", 15), alpha("Email", 40), alpha("NIP", 13), alpha("REGON", 30),
                  alpha("Bank", 50), alpha("Nr_rku", 60), alpha("Nr_dowodu", 11)});
    all << table("wyst_faktury", "wyst_faktury.db",
                 {alpha("Nr", 20), longInt("Nr_sprzed"), longInt("Nr_kontr"), longInt("Rodzaj"),
                  date("Data_wyst"), date("Data_pl"), alpha("Forma_pl", 20), money("Netto"),
                  money("WartoscVAT"), money("Brutto"), date("Data_sp"), alpha("Termin_pl", 20),
                  alpha("Zamowienie", 20), alpha("Sp_wysylki", 20), longInt("Mies_sp"), longInt("Rodz_fa"),
                  longInt("Rodz_wy"), longInt("Rabat")},
                 {}, {QStringLiteral("Data_wyst")});
    QVector<tv::FieldDef> issuedLines = costing::invoiceLineFields();
    issuedLines << alpha("Nr_faktury", 20);
    all << table("wyst_pozycje", "wyst_pozycje.db", issuedLines, {}, {QStringLiteral("Nr_faktury")});
    all << table("wyst_pozycje_kor", "wyst_pozycje_kor.DB", issuedLines, {}, {QStringLiteral("Nr_faktury")});
    all << table("towary", "towary.DB",
                 {money("Brutto"), alpha("Nazwa", 255), longInt("Nr"), alpha("VAT", 3), alpha("Jm", 10),
                  money("Netto"), alpha("Opis", 100), alpha("PKWiU", 20), alpha("Klasa", 10),
                  number("Magazyn"), alpha("Id", 255)},
                 {"Nazwa", "Nr"});
    // What the stock version took from stock for each saved invoice, goods by
    // name: a save deducts only the difference against it.
    all << table("rozchody", "rozchody.db", {alpha("Nr_faktury", 20), alpha("Nazwa", 255), number("Ilosc")},
                 {}, {QStringLiteral("Nr_faktury")});
    return all;
}

} // namespace invoicing
