// Table files on disk: damaged files, the delivered data set, what opening
// leaves alone.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
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
        Table customers("keyed.db");
        customers.open();
        Database::instance().transaction([&] {
            for (int i = 0; i < 3000; ++i) {
                customers.append();
                customers.fieldByName("Code").setAsString(QString("K%1").arg(i, 5, 10, QChar('0')));
                customers.fieldByName("Nr").setAsInteger(i);
                customers.fieldByName("Name").setAsString(QString("Firma numer %1").arg(i));
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
    const QString path = dir.filePath("keyed.db");
    GetParam().damage(dir.path(), path);
    const QByteArray before = fileHash(path);
    try {
        Database::open(dir.path());
        FAIL() << "a damaged file was opened";
    } catch (const EDatabaseError& e) {
        const QString prefix = "Plik tabeli „keyed.db” jest uszkodzony lub nieczytelny: ";
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
                   "brak tabeli „keyed”"},
        DamageCase{"otherTable",
                   [](const QString&, const QString& path) { sqliteScript(path, "create table inna(a, b)"); },
                   "brak tabeli „keyed”"},
        DamageCase{"wrongLayout",
                   [](const QString&, const QString& path) {
                       sqliteScript(path, "create table keyed(Code VARCHAR(10), Nr INTEGER)");
                   },
                   "niezgodny układ pól"},
        DamageCase{"wrongFieldType",
                   [](const QString& folder, const QString& path) {
                       Database::open(folder);
                       Database::close();
                       sqliteScript(path,
                                    "drop table keyed; create table keyed(Code VARCHAR(10), Nr INTEGER, "
                                    "Person VARCHAR(50), Name VARCHAR(100), TaxNo VARCHAR(13), Amount "
                                    "VARCHAR(5), Note VARCHAR(150))");
                   },
                   "„Amount VARCHAR(5)” zamiast „Amount DOUBLE”"},
        DamageCase{"corruptPage", corruptPage, "kontrola spójności"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DamagedFile, OtherTablesOfTheFolderAreLeftAsTheyWere) {
    QTemporaryDir dir;
    Database::open(dir.path());
    Database::close();
    writeFile(dir.filePath("goods.DB"), QByteArray(100, 'z'));
    QFile::remove(dir.filePath("parts.db"));
    EXPECT_THROW(Database::open(dir.path()), EDatabaseError);
    EXPECT_EQ(fileHash(dir.filePath("goods.DB")),
              QCryptographicHash::hash(QByteArray(100, 'z'), QCryptographicHash::Sha256));
}

TEST(DamagedFile, DamagedScratchTableIsReplacedByTheNextCreateTable) {
    QTemporaryDir dir;
    writeFile(dir.filePath("scratch.DB"), QByteArray(3000, 'q'));
    ASSERT_NO_THROW(Database::open(dir.path()));
    Table scratch("scratch.DB");
    EXPECT_THROW(scratch.open(), EDatabaseError);
    scratch.createTable(tv::layoutFor("scratch.DB")->fields);
    scratch.open();
    EXPECT_TRUE(scratch.isEmpty());
    scratch.close();
    Database::close();
}

// ---- the connection's own file, and files another copy holds -----------------------

TEST(FolderFiles, ADamagedConnectionFileIsReportedUnderItsOwnName) {
    QTemporaryDir dir;
    Database::open(dir.path());
    Database::close();
    const QByteArray keyed = fileHash(dir.filePath("keyed.db"));
    writeFile(dir.filePath(".tarvelino.db"), QByteArray(5000, 'x'));
    try {
        Database::open(dir.path());
        FAIL() << "a damaged connection file was opened";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.message().startsWith("Plik „.tarvelino.db” w folderze roboczym")) << e.what();
        EXPECT_TRUE(e.message().contains("to nie jest plik bazy danych")) << e.what();
        EXPECT_FALSE(e.message().contains("Plik tabeli")) << e.what();
    }
    EXPECT_FALSE(Database::isOpen());
    EXPECT_EQ(fileHash(dir.filePath("keyed.db")), keyed);
}

namespace {

// Another copy of the program in the middle of a write: its own connection
// holds the file's lock until release().
class OtherCopy {
public:
    OtherCopy(const QString& path, const char* lock) {
        EXPECT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &m_db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(m_db, lock, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(m_db);
    }
    ~OtherCopy() { release(); }
    void release() {
        if (!m_db) return;
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
        m_db = nullptr;
    }

private:
    sqlite3* m_db = nullptr;
};

} // namespace

TEST(FolderFiles, AFileHeldByAnotherCopyIsInUseNotDamaged) {
    QTemporaryDir dir;
    Database::open(dir.path());
    Database::close();
    OtherCopy other(dir.filePath("keyed.db"), "BEGIN EXCLUSIVE");
    QElapsedTimer waited;
    waited.start();
    try {
        Database::open(dir.path());
        FAIL() << "a locked file was opened";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.message().startsWith("Folder roboczy")) << e.what();
        EXPECT_TRUE(e.message().contains("jest używany przez inną kopię programu")) << e.what();
        EXPECT_TRUE(e.message().contains("„keyed.db”")) << e.what();
        EXPECT_FALSE(e.message().contains("uszkodzony")) << e.what();
    }
    EXPECT_GE(waited.elapsed(), 1500) << "gave up without waiting";
    other.release();
    EXPECT_NO_THROW(Database::open(dir.path()));
    Database::close();
}

TEST(FolderFiles, AWriteWaitsForTheOtherCopyAndReportsTheFolderInUse) {
    QTemporaryDir dir;
    Database::open(dir.path());
    Table customers("keyed.db");
    customers.open();
    {
        // A lock held for a moment only: the write waits for it and lands.
        OtherCopy brief(dir.filePath("keyed.db"), "BEGIN IMMEDIATE");
        std::thread releaser([&brief] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            brief.release();
        });
        customers.append();
        customers.fieldByName("Code").setAsString("Alfa");
        customers.fieldByName("Nr").setAsInteger(1);
        EXPECT_NO_THROW(customers.post());
        releaser.join();
    }
    OtherCopy held(dir.filePath("keyed.db"), "BEGIN IMMEDIATE");
    customers.append();
    customers.fieldByName("Code").setAsString("Beta");
    customers.fieldByName("Nr").setAsInteger(2);
    try {
        customers.post();
        FAIL() << "a write into a held file was reported done";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.message().contains("keyed.db")) << e.what();
        EXPECT_TRUE(e.message().contains("używany przez inną kopię programu")) << e.what();
        EXPECT_FALSE(e.message().contains("uszkodzony")) << e.what();
    }
    EXPECT_EQ(customers.state(), Table::State::Insert);
    held.release();
    customers.post();
    EXPECT_EQ(customers.recordCount(), 2);
    customers.close();
    Database::close();
}

// ---- the delivered data set ----------------------------------------------------------

namespace {

// A delivered data set of the tests' own: numbered rows in two series, three
// pick-list entries with a ladder of 45 prices each, one settings record.
// Numbers are written with a point, as delivered data files hold them.
QString testDataSet() {
    static QTemporaryDir dir;
    static const bool written = [] {
        QDir().mkpath(dir.filePath("tables"));
        QByteArray numbered = "Nr\tName\tRatio\n";
        int nr = 0;
        for (char series : {'A', 'B'})
            for (int i = 0; i <= 6; ++i)
                numbered += QString("%1\t%2%3\t%4\n").arg(++nr).arg(series).arg(i).arg(1 << i).toUtf8();
        writeFile(dir.filePath("tables/numbered.tsv"), numbered);
        writeFile(dir.filePath("tables/picklist.tsv"), "Nr\tName\n1\tKreda\n2\tOffset\n3\tKarton\n");
        QByteArray prices = "Kind\tWeight\tUnit\tBulk\n";
        for (int kind = 1; kind <= 3; ++kind)
            for (int weight = 80; weight <= 300; weight += 5) {
                const int cents = kind * 10 + weight / 5;
                prices += QString("%1\t%2\t%3.%4\t%5.00\n")
                              .arg(kind)
                              .arg(weight)
                              .arg(cents / 100)
                              .arg(cents % 100, 2, 10, QChar('0'))
                              .arg(cents * 5)
                              .toUtf8();
            }
        writeFile(dir.filePath("tables/prices.tsv"), prices);
        writeFile(dir.filePath("tables/settings.tsv"),
                  "Rate1\tRate2\tMachine\tFormat\tTax\n0.04\t80\t4\tA3\t22\n");
        return true;
    }();
    return written ? dir.path() : QString();
}

} // namespace

class DeliveredData : public ::testing::Test {
protected:
    void SetUp() override { Database::open(dir.path(), testDataSet()); }
    void TearDown() override { Database::close(); }
    QTemporaryDir dir;
};

TEST_F(DeliveredData, RowsLoadInTheirOrderAndTheNumberingGoesOn) {
    Table formats("numbered.db");
    formats.open();
    QStringList names;
    QStringList ratios;
    for (formats.first(); !formats.eof(); formats.next()) {
        names << formats.fieldByName("Name").asString();
        ratios << formats.fieldByName("Ratio").asString();
    }
    EXPECT_EQ(names, (QStringList{"A0", "A1", "A2", "A3", "A4", "A5", "A6", "B0", "B1", "B2", "B3", "B4",
                                  "B5", "B6"}));
    EXPECT_EQ(ratios,
              (QStringList{"1", "2", "4", "8", "16", "32", "64", "1", "2", "4", "8", "16", "32", "64"}));
    formats.first();
    EXPECT_EQ(formats.fieldByName("Nr").asInteger(), 1);
    // The next row added continues the numbering.
    formats.append();
    formats.fieldByName("Name").setAsString("C5");
    formats.post();
    EXPECT_EQ(formats.fieldByName("Nr").asInteger(), 15);
}

TEST_F(DeliveredData, IndexedRowsLoadWithTheirMoney) {
    Table kinds("picklist.db");
    kinds.open();
    ASSERT_GE(kinds.recordCount(), 3);
    Table grams("prices.db");
    grams.open();
    for (kinds.first(); !kinds.eof(); kinds.next()) {
        const QString kind = kinds.fieldByName("Nr").asString();
        EXPECT_FALSE(kinds.fieldByName("Name").asString().isEmpty());
        grams.setFilter({{"Kind", "=", kind}});
        grams.setFiltered(true);
        ASSERT_EQ(grams.recordCount(), 45) << kind.toStdString();
        int expectedGrammage = 80;
        tv::Currency previous;
        for (grams.first(); !grams.eof(); grams.next()) {
            EXPECT_EQ(grams.fieldByName("Weight").asInteger(), expectedGrammage);
            const tv::Currency sheet = grams.fieldByName("Unit").asCurrency();
            EXPECT_GT(sheet, previous);
            EXPECT_EQ(grams.fieldByName("Bulk").asCurrency(), sheet * tv::Currency::fromInt(500));
            previous = sheet;
            expectedGrammage += 5;
        }
        EXPECT_EQ(expectedGrammage, 305);
    }
}

TEST_F(DeliveredData, OneRecordLoadsWithEveryField) {
    Table settings("settings.db");
    settings.open();
    ASSERT_EQ(settings.recordCount(), 1);
    EXPECT_EQ(settings.fieldByName("Machine").asInteger(), 4);
    EXPECT_EQ(settings.fieldByName("Format").asString(), "A3");
    EXPECT_EQ(settings.fieldByName("Tax").asString(), "22");
    EXPECT_GT(settings.fieldByName("Rate2").asFloat(), 0);
    EXPECT_GT(settings.fieldByName("Rate1").asFloat(), 0);
    for (int i = 0; i < settings.fieldCount(); ++i)
        EXPECT_FALSE(settings.field(i).isNull()) << settings.field(i).name().toStdString();
}

TEST_F(DeliveredData, TablesWithoutDataStartEmpty) {
    for (const char* name : {"keyed.db", "names.db", "goods.DB", "documents.db", "entries.db", "lines.db",
                             "totals.db", "parts.db"}) {
        Table table(name);
        table.open();
        EXPECT_TRUE(table.isEmpty()) << name;
        EXPECT_TRUE(QFile::exists(Database::instance().pathFor(name))) << name;
    }
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath("scratch.DB.nowy")));
}

TEST(DeliveredDataReopen, OpeningEmptiesNothingAndRefillsNothing) {
    QTemporaryDir dir;
    Database::open(dir.path(), testDataSet());
    {
        Table colours("parts.db");
        colours.open();
        colours.append();
        colours.fieldByName("Code").setAsString("A4");
        colours.post();
        Table formats("numbered.db");
        formats.open();
        formats.remove();
    }
    Database::close();
    QFile::remove(dir.filePath("lines.db"));
    Database::open(dir.path(), testDataSet());
    Table colours("parts.db");
    colours.open();
    EXPECT_EQ(colours.recordCount(), 1);
    Table formats("numbered.db");
    formats.open();
    EXPECT_EQ(formats.recordCount(), 13);
    Table lines("lines.db");
    lines.open(); // a missing file is created again, empty
    EXPECT_TRUE(lines.isEmpty());
    Database::close();
}

TEST(DeliveredDataReopen, BrokenDataFileIsReportedAndCreatesNoTable) {
    QTemporaryDir data;
    QDir().mkpath(data.filePath("tables"));
    writeFile(data.filePath("tables/numbered.tsv"), "Nr\tName\tRatio\n1\tA0\tjeden\n");
    QTemporaryDir dir;
    try {
        Database::open(dir.path(), data.path());
        FAIL() << "a broken data file was loaded";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.message().contains("numbered.tsv")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("wiersz 2")) << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("numbered.db")));
    EXPECT_FALSE(QFile::exists(dir.filePath("numbered.db.nowy")));
}
