#include "invoicing/rules/data_archive.h"

#include <ctime>

#include <archive.h>
#include <archive_entry.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>

#include "platform/errors.h"
#include "platform/table.h"
#include "platform/table_files.h"

namespace invoicing {

namespace {

struct ArchiveWriter {
    archive* a = archive_write_new();
    ~ArchiveWriter() { archive_write_free(a); }
};
struct ArchiveReader {
    archive* a = archive_read_new();
    ~ArchiveReader() { archive_read_free(a); }
};
struct Entry {
    archive_entry* e = archive_entry_new();
    ~Entry() { archive_entry_free(e); }
};

QString archiveMessage(archive* a) {
    const char* text = archive_error_string(a);
    return text ? QString::fromUtf8(text) : QStringLiteral("nieznany błąd");
}

QString displayName(const QString& path) {
    return QFileInfo(path).fileName();
}

// Packs the named files of folder into the zip at zipPath, replacing it whole.
void packFiles(const QString& folder, const QStringList& fileNames, const QString& zipPath) {
    auto failed = [&](const QString& why) {
        return tv::Error(
            QStringLiteral("Nie można utworzyć archiwum „%1”: %2").arg(displayName(zipPath), why));
    };
    QSaveFile output(zipPath);
    if (!output.open(QIODevice::WriteOnly)) throw failed(output.errorString());
    ArchiveWriter writer;
    if (archive_write_set_format_zip(writer.a) != ARCHIVE_OK ||
        archive_write_open_fd(writer.a, int(output.handle())) != ARCHIVE_OK)
        throw failed(archiveMessage(writer.a));
    for (const QString& name : fileNames) {
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::ReadOnly)) throw failed(file.errorString());
        Entry entry;
        archive_entry_set_pathname_utf8(entry.e, name.toUtf8().constData());
        archive_entry_set_filetype(entry.e, AE_IFREG);
        archive_entry_set_perm(entry.e, 0644);
        archive_entry_set_size(entry.e, file.size());
        archive_entry_set_mtime(entry.e, std::time(nullptr), 0);
        if (archive_write_header(writer.a, entry.e) != ARCHIVE_OK) throw failed(archiveMessage(writer.a));
        while (!file.atEnd()) {
            const QByteArray block = file.read(1 << 16);
            if (block.isEmpty()) throw failed(file.errorString());
            if (archive_write_data(writer.a, block.constData(), size_t(block.size())) != block.size())
                throw failed(archiveMessage(writer.a));
        }
    }
    if (archive_write_close(writer.a) != ARCHIVE_OK) throw failed(archiveMessage(writer.a));
    if (!output.commit()) throw failed(output.errorString());
}

// An entry name that is a table of the program: a plain file name ending in
// ".db", never a path. The table's layout, or nullptr.
const tv::TableLayout* tableOfEntry(const QString& name) {
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name.startsWith(u'.'))
        return nullptr;
    if (!name.endsWith(QLatin1String(".db"), Qt::CaseInsensitive)) return nullptr;
    const tv::TableLayout* layout = tv::layoutFor(name);
    return layout && !layout->scratch ? layout : nullptr;
}

} // namespace

QString archiveFileName() {
    return QStringLiteral("archiwum1.zip");
}

QString safetyCopyFileName() {
    return QStringLiteral("kopia_przed_rozpakowaniem.zip");
}

void archiveTables(const QString& zipPath) {
    QTemporaryDir copies;
    if (!copies.isValid())
        throw tv::Error(QStringLiteral("Nie można utworzyć archiwum „%1”: brak miejsca na kopie tabel")
                            .arg(displayName(zipPath)));
    const QStringList names = tv::backupTables(copies.path());
    packFiles(copies.path(), names, zipPath);
}

QStringList extractArchive(const QString& zipPath, const QString& folder, qint64 maxBytes) {
    auto failed = [&](const QString& why) {
        return tv::Error(
            QStringLiteral("Nie można odczytać archiwum „%1”: %2").arg(displayName(zipPath), why));
    };
    if (!QFileInfo::exists(zipPath))
        throw tv::Error(QStringLiteral("Nie znaleziono archiwum „%1”").arg(displayName(zipPath)));
    ArchiveReader reader;
    archive_read_support_format_zip(reader.a);
    if (archive_read_open_filename(reader.a, QFile::encodeName(zipPath).constData(), 1 << 16) != ARCHIVE_OK)
        throw failed(archiveMessage(reader.a));
    const QString tooBig =
        QStringLiteral("tabele w archiwum po rozpakowaniu zajęłyby ponad %1 MB").arg(maxBytes / (1 << 20));
    qint64 unpacked = 0;
    QStringList names;
    QSet<const tv::TableLayout*> seen;
    archive_entry* entry = nullptr;
    int rc;
    while ((rc = archive_read_next_header(reader.a, &entry)) == ARCHIVE_OK) {
        const char* utf8 = archive_entry_pathname_utf8(entry);
        const QString name =
            utf8 ? QString::fromUtf8(utf8) : QString::fromLocal8Bit(archive_entry_pathname(entry));
        const tv::TableLayout* layout =
            archive_entry_filetype(entry) == AE_IFREG ? tableOfEntry(name) : nullptr;
        if (!layout) {
            archive_read_data_skip(reader.a);
            continue;
        }
        if (seen.contains(layout))
            throw failed(QStringLiteral("tabela „%1” występuje dwa razy").arg(layout->fileName));
        seen.insert(layout);
        // The size an entry declares may lie: the bytes are counted as they come too.
        if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > maxBytes - unpacked)
            throw failed(tooBig);
        const QString target = QDir(folder).filePath(layout->fileName);
        QFile file(target);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw failed(file.errorString());
        char block[1 << 16];
        la_ssize_t n;
        while ((n = archive_read_data(reader.a, block, sizeof block)) > 0) {
            unpacked += n;
            if (unpacked > maxBytes) throw failed(tooBig);
            if (file.write(block, n) != n) throw failed(file.errorString());
        }
        if (n < 0) throw failed(archiveMessage(reader.a));
        file.close();
        try {
            tv::checkTableFile(target, *layout);
        } catch (const tv::Error& e) {
            throw failed(e.message());
        }
        names << layout->fileName;
    }
    if (rc != ARCHIVE_EOF) throw failed(archiveMessage(reader.a));
    if (names.isEmpty()) throw failed(QStringLiteral("archiwum nie zawiera żadnej tabeli programu"));
    return names;
}

QStringList restoreTables(const QString& zipPath, const QString& safetyZipPath) {
    QTemporaryDir restored;
    QTemporaryDir safety;
    if (!restored.isValid() || !safety.isValid())
        throw tv::Error(QStringLiteral("Nie można rozpakować archiwum: brak miejsca na pliki tymczasowe"));
    const QStringList names = extractArchive(zipPath, restored.path());

    // Rows a window holds unconfirmed are stored first, so that the safety
    // copy has them and no cursor is left with a row of the old tables.
    QStringList unposted;
    tv::Database::instance().postPendingRows([&](const tv::Error& e) { unposted << e.message(); });
    if (!unposted.isEmpty())
        throw tv::Error(
            QStringLiteral("Nie można rozpakować archiwum: nie udało się zapisać zmian w toku (%1)")
                .arg(unposted.join(QStringLiteral("; "))));

    // The damaged tables a restore is often meant to mend go into the safety
    // copy as they lie instead of stopping it.
    const QStringList current = tv::backupTables(safety.path(), tv::DamagedTables::CopyAsTheyLie);
    packFiles(safety.path(), current, safetyZipPath);
    try {
        tv::replaceTables(restored.path(), names);
    } catch (const tv::Error& e) {
        try {
            tv::replaceTables(safety.path(), current);
        } catch (const tv::Error& again) {
            throw tv::Error(
                QStringLiteral("Nie udało się rozpakować archiwum (%1) ani przywrócić danych sprzed "
                               "rozpakowania (%2). Kopia tych danych jest w pliku „%3”.")
                    .arg(e.message(), again.message(), displayName(safetyZipPath)));
        }
        throw tv::Error(
            QStringLiteral(
                "Nie udało się rozpakować archiwum: %1. Dane sprzed rozpakowania zostały przywrócone.")
                .arg(e.message()));
    }
    return names;
}

} // namespace invoicing
