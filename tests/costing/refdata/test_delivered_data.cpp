// The data set delivered with the program: what a new working folder receives.

#include <gtest/gtest.h>

#include <QFile>

#include "platform/currency.h"
#include "platform/table.h"
#include "support/test_env.h"

using tv::Database;
using tv::Table;

class DeliveredData : public ::testing::Test {
protected:
    tvtest::WorkingFolder folder{true};
};

TEST_F(DeliveredData, FormatsHoldBothSeriesWithTheirRatios) {
    Table formats("formaty.db");
    formats.open();
    QStringList names;
    QStringList ratios;
    for (formats.first(); !formats.eof(); formats.next()) {
        names << formats.fieldByName("Nazwa").asString();
        ratios << formats.fieldByName("St0").asString();
    }
    EXPECT_EQ(names, (QStringList{"A0", "A1", "A2", "A3", "A4", "A5", "A6", "B0", "B1", "B2", "B3", "B4",
                                  "B5", "B6"}));
    EXPECT_EQ(ratios,
              (QStringList{"1", "2", "4", "8", "16", "32", "64", "1", "2", "4", "8", "16", "32", "64"}));
    formats.first();
    EXPECT_EQ(formats.fieldByName("Nr").asInteger(), 1);
    // The next format added continues the numbering.
    formats.append();
    formats.fieldByName("Nazwa").setAsString("C5");
    formats.post();
    EXPECT_EQ(formats.fieldByName("Nr").asInteger(), 15);
}

TEST_F(DeliveredData, EveryPaperKindHasItsGrammageLadderWithReamPrices) {
    Table kinds("rodzpap.db");
    kinds.open();
    ASSERT_GE(kinds.recordCount(), 3);
    Table grams("gramatury.db");
    grams.open();
    for (kinds.first(); !kinds.eof(); kinds.next()) {
        const QString kind = kinds.fieldByName("Nr").asString();
        EXPECT_FALSE(kinds.fieldByName("Nazwa").asString().isEmpty());
        grams.setFilter({{"Rodzpap", "=", kind}});
        grams.setFiltered(true);
        ASSERT_EQ(grams.recordCount(), 45) << kind.toStdString();
        int expectedGrammage = 80;
        tv::Currency previous;
        for (grams.first(); !grams.eof(); grams.next()) {
            EXPECT_EQ(grams.fieldByName("Gramatura").asInteger(), expectedGrammage);
            const tv::Currency sheet = grams.fieldByName("Cena_ark").asCurrency();
            EXPECT_GT(sheet, previous);
            EXPECT_EQ(grams.fieldByName("Cena_ryzy").asCurrency(), sheet * tv::Currency::fromInt(500));
            previous = sheet;
            expectedGrammage += 5;
        }
        EXPECT_EQ(expectedGrammage, 305);
    }
}

TEST_F(DeliveredData, SettingsHoldOneRecordOfShopRates) {
    Table settings("ustawienia.db");
    settings.open();
    ASSERT_EQ(settings.recordCount(), 1);
    EXPECT_EQ(settings.fieldByName("Maszyna").asInteger(), 4);
    EXPECT_EQ(settings.fieldByName("Matryca").asString(), "A3");
    EXPECT_EQ(settings.fieldByName("Podatek").asString(), "22");
    EXPECT_GT(settings.fieldByName("Stawka_godz").asFloat(), 0);
    EXPECT_GT(settings.fieldByName("Zysk_od_rob").asInteger(), 0);
    for (int i = 0; i < settings.fieldCount(); ++i)
        EXPECT_FALSE(settings.field(i).isNull()) << settings.field(i).name().toStdString();
}

TEST_F(DeliveredData, RegistersAndWorkingTablesStartEmpty) {
    for (const char* name :
         {"kontrahenci.db", "sprzedawcy.db", "towary.DB", "wyst_faktury.db", "wyst_pozycje.db",
          "wyst_pozycje_kor.DB", "pozycje.db", "stawkiVAT.db", "papkol.db"}) {
        Table table(name);
        table.open();
        EXPECT_TRUE(table.isEmpty()) << name;
        EXPECT_TRUE(QFile::exists(Database::instance().pathFor(name))) << name;
    }
    EXPECT_FALSE(QFile::exists(folder.file("tabletemp.DB.nowy")));
}
