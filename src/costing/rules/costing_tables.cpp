#include "costing/rules/costing_tables.h"

namespace costing {

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
tv::FieldDef autoInc(const char* name) {
    return {QString::fromLatin1(name), tv::FieldType::AutoInc, 0};
}

tv::TableLayout table(const char* name, const char* fileName, QVector<tv::FieldDef> fields,
                      QStringList key = {}) {
    tv::TableLayout layout;
    layout.name = QString::fromLatin1(name);
    layout.fileName = QString::fromLatin1(fileName);
    layout.fields = std::move(fields);
    layout.key = std::move(key);
    return layout;
}

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
    all << table("kontrahenci", "kontrahenci.db", customerFields(), {"Id", "Nr"});
    tv::TableLayout scratch = working(table("tabletemp", "tabletemp.DB", customerFields()));
    scratch.scratch = true;
    all << scratch;
    all << table("formaty", "formaty.db", {autoInc("Nr"), alpha("Nazwa", 6), number("St0")}, {"Nr"});
    all << working(table("papkol", "papkol.db",
                         {alpha("Format", 5), number("Ilosc"), alpha("Rodzpap", 10), alpha("Kolor", 5),
                          number("Gramatura"), money("Koszt")}));
    all << table("rodzpap", "rodzpap.db", {autoInc("Nr"), alpha("Nazwa", 10)});
    tv::TableLayout grammages =
        table("gramatury", "gramatury.db",
              {longInt("Rodzpap"), number("Gramatura"), money("Cena_ark"), money("Cena_ryzy")});
    grammages.indexes = {QStringLiteral("Rodzpap")};
    all << grammages;
    all << table(
        "ustawienia", "ustawienia.db",
        {money("Przelot_bialy1"), money("Przelot_kolor1"), money("Przelot_bialy2"), money("Przelot_kolor2"),
         money("Przelot_bialy4"), money("Przelot_kolor4"), longInt("Maszyna"),      money("Stawka_godz"),
         money("Pl_czb"),         money("Pl_kolor"),       alpha("Matryca", 5),     money("Skanowanie"),
         money("Fotonasw"),       money("Sklad_czb"),      money("Sklad_kolor"),    longInt("Zysk_od_rob"),
         longInt("Narzut_mat"),   alpha("Podatek", 3),     money("Falsowanie"),     money("Szycie"),
         money("Ciecie"),         money("Transport")});
    QVector<tv::FieldDef> lines = invoiceLineFields();
    lines << money("Rabat");
    all << working(table("pozycje", "pozycje.db", lines));
    all << working(table("stawkiVAT", "stawkiVAT.db",
                         {alpha("VAT", 3), money("Netto"), money("KwotaVAT"), money("Brutto")}));
    return all;
}

} // namespace costing
