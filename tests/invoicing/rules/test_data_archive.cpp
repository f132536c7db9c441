// The data archive: every table packed into one zip, checked and brought back
// in place of the open tables; no application object exists here.

#include <gtest/gtest.h>

#include <archive.h>
#include <archive_entry.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "invoicing/rules/data_archive.h"
#include "platform/errors.h"
#include "platform/table.h"
#include "platform/table_files.h"
#include "support/test_env.h"

namespace {

// A zip of the given entries, written the way any zip tool would.
void writeZip(const QString& path, const QVector<QPair<QString, QByteArray>>& entries) {
    archive* a = archive_write_new();
    archive_write_set_format_zip(a);
    ASSERT_EQ(archive_write_open_filename(a, QFile::encodeName(path).constData()), ARCHIVE_OK);
    for (const auto& [name, bytes] : entries) {
        archive_entry* e = archive_entry_new();
        archive_entry_set_pathname_utf8(e, name.toUtf8().constData());
        archive_entry_set_filetype(e, AE_IFREG);
        archive_entry_set_perm(e, 0644);
        archive_entry_set_size(e, bytes.size());
        archive_write_header(a, e);
        archive_write_data(a, bytes.constData(), size_t(bytes.size()));
        archive_entry_free(e);
    }
    archive_write_close(a);
    archive_write_free(a);
}

QStringList zipEntries(const QString& path) {
    QStringList names;
    archive* a = archive_read_new();
    archive_read_support_format_zip(a);
    if (archive_read_open_filename(a, QFile::encodeName(path).constData(), 1 << 16) == ARCHIVE_OK) {
        archive_entry* e = nullptr;
        while (archive_read_next_header(a, &e) == ARCHIVE_OK)
            names << QString::fromUtf8(archive_entry_pathname_utf8(e));
    }
    archive_read_free(a);
    return names;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DataArchive : public ::testing::Test {
protected:
    tvtest::WorkingFolder folder;
    tv::Table customers{QStringLiteral("kontrahenci.db")};
    QString zip = folder.file(invoicing::archiveFileName());
    QString safety = folder.file(invoicing::safetyCopyFileName());

    void SetUp() override { customers.open(); }

    void addCustomer(const char* id, int nr) {
        customers.append();
        customers.fieldByName("Id").setAsString(QString::fromUtf8(id));
        customers.fieldByName("Nr").setAsInteger(nr);
        customers.post();
    }

    QStringList ids() {
        QStringList out;
        for (customers.first(); !customers.eof(); customers.next())
            out << customers.fieldByName("Id").asString();
        return out;
    }

    static QStringList tableFiles() {
        QStringList names;
        for (const tv::TableLayout& layout : tv::allLayouts())
            if (!layout.scratch) names << layout.fileName;
        return names;
    }
};

} // namespace

TEST(DataArchiveRules, RunWithoutAnApplicationObject) {
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

TEST_F(DataArchive, ArchiveHoldsEveryTableAsASoundDatabase) {
    addCustomer("Ala", 1);
    invoicing::archiveTables(zip);
    EXPECT_EQ(zipEntries(zip), tableFiles());
    QTemporaryDir out;
    EXPECT_EQ(invoicing::extractArchive(zip, out.path()), tableFiles());
    // Archiving again replaces the file whole.
    addCustomer("Basia", 2);
    invoicing::archiveTables(zip);
    EXPECT_EQ(zipEntries(zip), tableFiles());
}

TEST_F(DataArchive, RestoreBringsTheTablesBackAndKeepsASafetyCopy) {
    addCustomer("Ala", 1);
    addCustomer("Basia", 2);
    invoicing::archiveTables(zip);
    customers.first();
    customers.remove();
    addCustomer("Celina", 3);
    // An unconfirmed change of a window goes into the safety copy, not astray.
    customers.last();
    customers.edit();
    customers.fieldByName("Nazwisko").setAsString("w toku");

    const QStringList restored = invoicing::restoreTables(zip, safety);
    EXPECT_EQ(restored, tableFiles());
    EXPECT_EQ(customers.state(), tv::Table::State::Browse);
    EXPECT_EQ(ids(), QStringList({"Ala", "Basia"})); // the open cursor reads the restored rows

    QTemporaryDir out;
    invoicing::extractArchive(safety, out.path());
    tv::replaceTables(out.path(), {QStringLiteral("kontrahenci.db")});
    EXPECT_EQ(ids(), QStringList({"Basia", "Celina"}));
    customers.last();
    EXPECT_EQ(customers.fieldByName("Nazwisko").asString(), "w toku");
}

TEST_F(DataArchive, ADamagedTableRefusesTheWholeArchive) {
    addCustomer("Ala", 1);
    invoicing::archiveTables(zip);
    QTemporaryDir out;
    invoicing::extractArchive(zip, out.path());
    QByteArray goods = fileBytes(QDir(out.path()).filePath("towary.DB"));
    goods.replace(2048, 2048, QByteArray(2048, '\x5a'));
    const struct {
        const char* why;
        QVector<QPair<QString, QByteArray>> entries;
    } cases[] = {
        {"not a database", {{"kontrahenci.db", "to nie jest tabela"}}},
        {"damaged pages",
         {{"kontrahenci.db", fileBytes(QDir(out.path()).filePath("kontrahenci.db"))}, {"towary.DB", goods}}},
        {"another table's layout",
         {{"kontrahenci.db", fileBytes(QDir(out.path()).filePath("sprzedawcy.db"))}}},
        {"no table at all", {{"notatki.txt", "x"}, {"../kontrahenci.db", "x"}, {"dane/kontrahenci.db", "x"}}},
    };
    for (const auto& c : cases) {
        writeZip(zip, c.entries);
        addCustomer("Nowy", 10);
        EXPECT_THROW(invoicing::restoreTables(zip, safety), tv::Error) << c.why;
        EXPECT_FALSE(QFile::exists(safety)) << c.why;
        EXPECT_EQ(ids(), QStringList({"Ala", "Nowy"})) << c.why;
        customers.last();
        customers.remove();
    }
}

TEST_F(DataArchive, EntriesThatAreNoTablesArePassedOver) {
    addCustomer("Ala", 1);
    invoicing::archiveTables(zip);
    QTemporaryDir out;
    invoicing::extractArchive(zip, out.path());
    writeZip(zip, {{"czytaj.txt", "x"},
                   {"../../sprzedawcy.db", "x"},
                   {"kontrahenci.DB", fileBytes(QDir(out.path()).filePath("kontrahenci.db"))}});
    customers.first();
    customers.remove();
    EXPECT_EQ(invoicing::restoreTables(zip, safety), QStringList({"kontrahenci.db"}));
    EXPECT_EQ(ids(), QStringList({"Ala"}));
}

// A zip entry that unpacks to far more than it takes (or says it takes)
// stops the unpacking at the bound, whatever its header declares.
TEST_F(DataArchive, UnpackingStopsAtTheBound) {
    const qint64 bound = 1 << 20;
    const QByteArray zeros(8 << 20, '\0');
    writeZip(zip, {{"kontrahenci.db", zeros}});
    QByteArray lying = fileBytes(zip);
    // Every header of the zip declares 100 bytes unpacked.
    for (const QByteArray& signature : {QByteArray("PK\x01\x02"), QByteArray("PK\x03\x04")}) {
        const qsizetype sizeAt = signature == "PK\x01\x02" ? 24 : 22;
        for (qsizetype at = lying.indexOf(signature); at >= 0; at = lying.indexOf(signature, at + 4))
            lying.replace(at + sizeAt, 4, QByteArray("\x64\0\0\0", 4));
    }
    const struct {
        const char* why;
        QByteArray bytes;
    } cases[] = {{"declared size", fileBytes(zip)}, {"lying headers", lying}};
    for (const auto& c : cases) {
        QFile out(zip);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(c.bytes);
        out.close();
        QTemporaryDir target;
        try {
            invoicing::extractArchive(zip, target.path(), bound);
            FAIL() << c.why;
        } catch (const tv::Error& e) {
            EXPECT_EQ(e.message(), QString::fromUtf8("Nie można odczytać archiwum „archiwum1.zip”: tabele w "
                                                     "archiwum po rozpakowaniu zajęłyby ponad 1 MB"))
                << c.why << ": " << e.message().toStdString();
        }
        EXPECT_LE(QFileInfo(QDir(target.path()).filePath("kontrahenci.db")).size(), bound) << c.why;
    }
}

TEST_F(DataArchive, MissingArchiveIsReportedByName) {
    try {
        invoicing::restoreTables(zip, safety);
        FAIL() << "no error";
    } catch (const tv::Error& e) {
        EXPECT_EQ(e.message(), QString::fromUtf8("Nie znaleziono archiwum „archiwum1.zip”"));
    }
}

// Restoring is how a damaged table is mended: the damaged file goes into the
// safety copy as it lies and the archive's table takes its place.
TEST_F(DataArchive, RestoreMendsADamagedTableAndKeepsItsBytes) {
    addCustomer("Ala", 1);
    tv::Table goods{QStringLiteral("towary.DB")};
    goods.open();
    goods.append();
    goods.fieldByName("Nazwa").setAsString("Papier A4");
    goods.post();
    goods.close();
    invoicing::archiveTables(zip);
    addCustomer("Ola", 2);

    QFile file(folder.file("towary.DB"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(QByteArray(4096, '\x5a'));
    file.close();
    const QByteArray damaged = fileBytes(folder.file("towary.DB"));

    EXPECT_EQ(invoicing::restoreTables(zip, safety), tableFiles());
    EXPECT_EQ(ids(), QStringList({"Ala"}));
    goods.open();
    ASSERT_EQ(goods.recordCount(), 1);
    EXPECT_EQ(goods.fieldByName("Nazwa").asString(), "Papier A4");

    // The safety copy holds every table, the damaged one byte for byte.
    EXPECT_EQ(zipEntries(safety), tableFiles());
    archive* a = archive_read_new();
    archive_read_support_format_zip(a);
    ASSERT_EQ(archive_read_open_filename(a, QFile::encodeName(safety).constData(), 1 << 16), ARCHIVE_OK);
    archive_entry* e = nullptr;
    QByteArray kept;
    while (archive_read_next_header(a, &e) == ARCHIVE_OK) {
        if (QString::fromUtf8(archive_entry_pathname_utf8(e)) != "towary.DB") continue;
        char block[4096];
        la_ssize_t n;
        while ((n = archive_read_data(a, block, sizeof block)) > 0)
            kept.append(block, n);
    }
    archive_read_free(a);
    EXPECT_EQ(kept, damaged);
}
