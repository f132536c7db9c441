#include "platform/table_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/table_internal.h"

namespace tv {

namespace {

struct Connection {
    sqlite3* db = nullptr;
    ~Connection() { sqlite3_close(db); }
};

QString fileError(const QString& fileName, const QString& what) {
    return QStringLiteral("Plik tabeli „%1” nie nadaje się do użycia: %2").arg(fileName, what);
}

QString describe(sqlite3* db, int rc) {
    switch (rc & 0xFF) {
    case SQLITE_NOTADB:
        return QStringLiteral("to nie jest plik bazy danych");
    case SQLITE_CORRUPT:
        return QStringLiteral("plik jest uszkodzony");
    case SQLITE_CANTOPEN:
        return QStringLiteral("nie można otworzyć pliku");
    default:
        return db ? detail::sqliteMessage(db) : QString::fromUtf8(sqlite3_errstr(rc));
    }
}

// Runs a pragma that answers with text rows; returns them.
QStringList pragmaRows(sqlite3* db, const QString& sql, int column, QStringList* second = nullptr) {
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    int rc = sqlite3_prepare_v2(db, utf8.constData(), -1, &statement, nullptr);
    if (rc != SQLITE_OK) throw EDatabaseError(describe(db, sqlite3_extended_errcode(db)));
    QStringList rows;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        rows << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
        if (second)
            *second << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, column + 1)));
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) throw EDatabaseError(describe(db, sqlite3_extended_errcode(db)));
    return rows;
}

void backupInto(sqlite3* target, const char* targetSchema, sqlite3* source, const char* sourceSchema,
                const QString& fileName) {
    sqlite3_backup* backup = sqlite3_backup_init(target, targetSchema, source, sourceSchema);
    if (!backup) throw EDatabaseError(fileError(fileName, detail::sqliteMessage(target)));
    const int rc = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) throw EDatabaseError(fileError(fileName, describe(nullptr, rc)));
}

} // namespace

QStringList backupTables(const QString& folder, DamagedTables damaged) {
    Database::Impl& d = *Database::instance().impl();
    const std::deque<TableLayout>& layouts = allLayouts();
    QStringList written;
    for (int i = 0; i < int(layouts.size()); ++i) {
        const TableLayout& layout = layouts[size_t(i)];
        if (layout.scratch || size_t(i) >= d.files.size()) continue;
        const QString target = QDir(folder).filePath(layout.fileName);
        QFile::remove(target);
        try {
            d.attach(i);
            Connection copy;
            if (sqlite3_open_v2(QFile::encodeName(target).constData(), &copy.db,
                                SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
                throw EDatabaseError(fileError(layout.fileName, detail::sqliteMessage(copy.db)));
            const QByteArray schema = detail::schemaName(layout).toUtf8();
            backupInto(copy.db, "main", d.db, schema.constData(), layout.fileName);
        } catch (const EDatabaseError&) {
            if (damaged == DamagedTables::Refuse) throw;
            const QString source = Database::instance().pathFor(layout.fileName);
            if (!QFileInfo::exists(source)) continue;
            // Only a file that fails its own check is taken as it lies; any
            // other failure (the copy's side, a file in use) stands.
            try {
                checkTableFile(source, layout);
            } catch (const EDatabaseError&) {
                QFile::remove(target);
                QFile original(source);
                if (!original.copy(target))
                    throw EDatabaseError(fileError(layout.fileName, original.errorString()));
                written << layout.fileName;
                continue;
            }
            throw;
        }
        written << layout.fileName;
    }
    return written;
}

void checkTableFile(const QString& path, const TableLayout& layout) {
    const QString name = QFileInfo(path).fileName();
    Connection file;
    const int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &file.db, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) throw EDatabaseError(fileError(name, describe(file.db, rc)));
    detail::registerCollation(file.db);
    QStringList types;
    QStringList names;
    try {
        names = pragmaRows(file.db,
                           QStringLiteral("PRAGMA table_info(%1)").arg(detail::quoteIdentifier(layout.name)),
                           1, &types);
    } catch (const EDatabaseError& e) {
        throw EDatabaseError(fileError(name, e.message()));
    }
    QStringList expectedNames;
    QStringList expectedTypes;
    for (const FieldDef& field : layout.fields) {
        expectedNames << field.name;
        expectedTypes << detail::declaredType(field);
    }
    if (layout.key.isEmpty()) {
        expectedNames << QLatin1String(detail::kOrderColumn);
        expectedTypes << QStringLiteral("INTEGER");
    }
    if (names.isEmpty())
        throw EDatabaseError(fileError(name, QStringLiteral("brak tabeli „%1”").arg(layout.name)));
    bool same = names.size() == expectedNames.size();
    for (int i = 0; same && i < names.size(); ++i)
        same = names[i].compare(expectedNames[i], Qt::CaseInsensitive) == 0 &&
               types[i].toUpper() == expectedTypes[i].toUpper();
    if (!same) throw EDatabaseError(fileError(name, QStringLiteral("niezgodny układ pól")));
    QStringList verdict;
    try {
        verdict = pragmaRows(file.db, QStringLiteral("PRAGMA integrity_check"), 0);
    } catch (const EDatabaseError& e) {
        throw EDatabaseError(fileError(name, e.message()));
    }
    if (verdict != QStringList{QStringLiteral("ok")})
        throw EDatabaseError(fileError(
            name, QStringLiteral("kontrola spójności nie powiodła się (%1)").arg(verdict.value(0))));
}

void replaceTables(const QString& sourceFolder, const QStringList& fileNames) {
    Database::Impl& d = *Database::instance().impl();
    if (d.transactionDepth > 0)
        throw EDatabaseError(QStringLiteral("Nie można podmienić tabel w trakcie zapisu zmian"));
    try {
        for (const QString& fileName : fileNames) {
            const TableLayout* layout = layoutFor(fileName);
            if (!layout || layout->scratch)
                throw EDatabaseError(QStringLiteral("Nieznana tabela „%1”").arg(fileName));
            const int index = detail::layoutIndex(layout);
            Database::Impl::Slot& slot = d.files[size_t(index)];
            QFile source(QDir(sourceFolder).filePath(fileName));
            if (!source.open(QIODevice::ReadOnly))
                throw EDatabaseError(fileError(fileName, source.errorString()));
            d.detach(index);
            const QString target =
                slot.path.isEmpty() ? QDir(d.folder).filePath(layout->fileName) : slot.path;
            // The new file lands whole (written beside the old one, synced and
            // renamed over it); a journal of the old file must never be
            // replayed into it.
            QSaveFile replacement(target);
            if (!replacement.open(QIODevice::WriteOnly))
                throw EDatabaseError(fileError(fileName, replacement.errorString()));
            while (!source.atEnd()) {
                const QByteArray block = source.read(1 << 20);
                if (block.isEmpty() && source.error() != QFileDevice::NoError)
                    throw EDatabaseError(fileError(fileName, source.errorString()));
                if (replacement.write(block) != block.size())
                    throw EDatabaseError(fileError(fileName, replacement.errorString()));
            }
            QFile::remove(target + QLatin1String("-journal"));
            if (!replacement.commit()) throw EDatabaseError(fileError(fileName, replacement.errorString()));
            slot.path = target;
            slot.checked = false;
            d.attach(index);
        }
    } catch (...) {
        d.resetObservers(-1);
        throw;
    }
    d.resetObservers(-1);
}

} // namespace tv
