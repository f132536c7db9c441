// Table files on disk: damaged files, the delivered data set, what opening
// leaves alone.

#include <gtest/gtest.h>

#include <functional>

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/table.h"
#include "support/test_env.h"

using tv::Database;
using tv::EDatabaseError;
using tv::Table;

namespace {

QByteArray fileHash(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void sqliteScript(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

// A valid customer file with enough rows to span many pages, then one page
// in the middle overwritten.
void corruptPage(const QString& folder, const QString& path) {
    Database::open(folder);
    {
        Table customers("kontrahenci.db");
        customers.open();
        Database::instance().transaction([&] {
            for (int i = 0; i < 3000; ++i) {
                customers.append();
                customers.fieldByName("Id").setAsString(QString("K%1").arg(i, 5, 10, QChar('0')));
                customers.fieldByName("Nr").setAsInteger(i);
                customers.fieldByName("Firma").setAsString(QString("Firma numer %1").arg(i));
                customers.post();
            }
        });
    }
    Database::close();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qint64 pages = file.size() / 4096;
    ASSERT_GT(pages, 10);
    file.seek((pages / 2) * 4096);
    file.write(QByteArray(4096, char(0x5A)));
}

struct DamageCase {
    const char* name;
    std::function<void(const QString& folder, const QString& path)> damage;
    const char* detail; // part of the message after the file name
};

} // namespace

class DamagedFile : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedFile, OpeningNamesTheFileAndWritesNothingIntoIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kontrahenci.db");
    GetParam().damage(dir.path(), path);
    const QByteArray before = fileHash(path);
    try {
        Database::open(dir.path());
        FAIL() << "a damaged file was opened";
    } catch (const EDatabaseError& e) {
        const QString prefix = "Plik tabeli „kontrahenci.db” jest uszkodzony lub nieczytelny: ";
        EXPECT_TRUE(e.message().startsWith(prefix)) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QString::fromUtf8(GetParam().detail))) << e.message().toStdString();
    }
    EXPECT_FALSE(Database::isOpen());
    EXPECT_EQ(fileHash(path), before);
    EXPECT_FALSE(QFile::exists(path + "-journal"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFile,
    ::testing::Values(
        DamageCase{"notADatabase",
                   [](const QString&, const QString& path) { writeFile(path, QByteArray(5000, 'x')); },
                   "to nie jest plik bazy danych"},
        DamageCase{"emptyFile", [](const QString&, const QString& path) { writeFile(path, {}); },
                   "brak tabeli „kontrahenci”"},
        DamageCase{"otherTable",
                   [](const QString&, const QString& path) { sqliteScript(path, "create table inna(a, b)"); },
                   "brak tabeli „kontrahenci”"},
        DamageCase{"wrongLayout",
                   [](const QString&, const QString& path) {
                       sqliteScript(path, "create table kontrahenci(Id VARCHAR(10), Nr INTEGER)");
                   },
                   "niezgodny układ pól"},
        DamageCase{"wrongFieldType",
                   [](const QString& folder, const QString& path) {
                       Database::open(folder);
                       Database::close();
                       sqliteScript(
                           path, "drop table kontrahenci; create table kontrahenci(Id VARCHAR(10), Nr "
                                 "INTEGER, Nazwisko VARCHAR(50), Firma VARCHAR(100), Ulica VARCHAR(40), "
                                 "Miejscowosc VARCHAR(35), Kod VARCHAR(10), Telefon VARCHAR(15), Faks "
                                 "VARCHAR(15), Email VARCHAR(40), NIP VARCHAR(13), REGON VARCHAR(30), Bank "
                                 "VARCHAR(50), Nr_rku VARCHAR(60), Rabat VARCHAR(5), Uwagi VARCHAR(150), "
                                 "Kraj VARCHAR(150))");
                   },
                   "„Rabat VARCHAR(5)” zamiast „Rabat DOUBLE”"},
        DamageCase{"corruptPage", corruptPage, "kontrola spójności"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DamagedFile, OtherTablesOfTheFolderAreLeftAsTheyWere) {
    QTemporaryDir dir;
    Database::open(dir.path());
    Database::close();
    writeFile(dir.filePath("towary.DB"), QByteArray(100, 'z'));
    QFile::remove(dir.filePath("papkol.db"));
    EXPECT_THROW(Database::open(dir.path()), EDatabaseError);
    EXPECT_EQ(fileHash(dir.filePath("towary.DB")),
              QCryptographicHash::hash(QByteArray(100, 'z'), QCryptographicHash::Sha256));
}

TEST(DamagedFile, DamagedScratchTableIsReplacedByTheNextCreateTable) {
    QTemporaryDir dir;
    writeFile(dir.filePath("tabletemp.DB"), QByteArray(3000, 'q'));
    ASSERT_NO_THROW(Database::open(dir.path()));
    Table scratch("tabletemp.DB");
    EXPECT_THROW(scratch.open(), EDatabaseError);
    scratch.createTable(tv::layoutFor("tabletemp.DB")->fields);
    scratch.open();
    EXPECT_TRUE(scratch.isEmpty());
    scratch.close();
    Database::close();
}

// ---- the delivered data set ----------------------------------------------------------

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

TEST(DeliveredDataReopen, OpeningEmptiesNothingAndRefillsNothing) {
    QTemporaryDir dir;
    Database::open(dir.path(), tvtest::sourceDataDir());
    {
        Table colours("papkol.db");
        colours.open();
        colours.append();
        colours.fieldByName("Format").setAsString("A4");
        colours.post();
        Table formats("formaty.db");
        formats.open();
        formats.remove();
    }
    Database::close();
    QFile::remove(dir.filePath("pozycje.db"));
    Database::open(dir.path(), tvtest::sourceDataDir());
    Table colours("papkol.db");
    colours.open();
    EXPECT_EQ(colours.recordCount(), 1);
    Table formats("formaty.db");
    formats.open();
    EXPECT_EQ(formats.recordCount(), 13);
    Table lines("pozycje.db");
    lines.open(); // a missing file is created again, empty
    EXPECT_TRUE(lines.isEmpty());
    Database::close();
}

TEST(DeliveredDataReopen, BrokenDataFileIsReportedAndCreatesNoTable) {
    QTemporaryDir data;
    QDir().mkpath(data.filePath("tables"));
    writeFile(data.filePath("tables/formaty.tsv"), "Nr\tNazwa\tSt0\n1\tA0\tjeden\n");
    QTemporaryDir dir;
    try {
        Database::open(dir.path(), data.path());
        FAIL() << "a broken data file was loaded";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.message().contains("formaty.tsv")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("wiersz 2")) << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("formaty.db")));
    EXPECT_FALSE(QFile::exists(dir.filePath("formaty.db.nowy")));
}
