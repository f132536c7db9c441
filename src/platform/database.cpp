// The connection to the table files of the working folder: attaching files on
// demand, verifying them, creating missing ones, and transactions.

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "platform/table.h"
#include "platform/table_internal.h"

namespace tv {

namespace {

// A plain pointer, never destroyed with the statics: the connection closes
// when the program calls close(), or else at exit before any static the
// closing needs (the layouts, the file layer) has gone, whatever order the
// statics of the program and its libraries are destroyed in.
Database* g_database = nullptr;

void closeAtExit() {
    try {
        // The tables still open hear nothing: what listens to them (controls
        // of a program that never closed its tables) may be gone already.
        if (g_database) g_database->impl()->observers.clear();
        Database::close();
    } catch (...) {
        // The process is ending; the files stay sound without a clean close.
    }
}

// The connection's own database: it holds no table, but multi-file commits
// need a main file on disk so that SQLite writes a super-journal and a
// transaction over several table files lands in all of them or in none.
const char* const kMainFile = ".tarvelino.db";

QString tableFileMessage(const TableLayout& layout, const QString& detail) {
    return QStringLiteral("Plik tabeli „%1” jest uszkodzony lub nieczytelny: %2")
        .arg(layout.fileName, detail);
}

QString describeOpenError(sqlite3* db, int rc) {
    switch (rc & 0xFF) {
    case SQLITE_NOTADB:
        return QStringLiteral("to nie jest plik bazy danych");
    case SQLITE_CORRUPT:
        return QStringLiteral("plik jest uszkodzony");
    case SQLITE_CANTOPEN:
        return QStringLiteral("nie można otworzyć pliku");
    case SQLITE_PERM:
    case SQLITE_READONLY:
        return QStringLiteral("brak uprawnień do pliku");
    default:
        return detail::sqliteMessage(db);
    }
}

QString resolveIn(const QString& folder, const QString& fileName) {
    QDir dir(folder);
    if (QFileInfo::exists(dir.filePath(fileName))) return dir.filePath(fileName);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : entries)
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    return {};
}

void execOrThrow(sqlite3* db, const QString& sql, const QString& context) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
        sqlite3_free(error);
        throw EDatabaseError(context.isEmpty() ? message : context + QLatin1String(": ") + message);
    }
}

// Delivered data: UTF-8, tab-separated, first line the field names; numbers
// with a point, dates as yyyy-mm-dd; \t, \n and \\ stand for themselves.
QString unescapeTsv(const QString& text) {
    if (!text.contains(u'\\')) return text;
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' && i + 1 < text.size()) {
            const QChar n = text.at(++i);
            out += n == u't' ? QChar(u'\t') : n == u'n' ? QChar(u'\n') : n;
        } else {
            out += c;
        }
    }
    return out;
}

void loadTsv(sqlite3* db, const TableLayout& layout, const QString& tsvPath) {
    QFile file(tsvPath);
    if (!file.open(QIODevice::ReadOnly))
        throw EDatabaseError(QStringLiteral("Nie można odczytać pliku danych „%1”").arg(tsvPath));
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r')) line.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty()) return;
    const QStringList header = lines.first().split(u'\t');
    QVector<int> fields;
    for (const QString& name : header) {
        const int index = layout.fieldIndex(name.trimmed());
        if (index < 0)
            throw EDatabaseError(QStringLiteral("Plik danych „%1”: tabela „%2” nie ma pola „%3”")
                                     .arg(tsvPath, layout.name, name));
        fields << index;
    }
    QStringList columns;
    QStringList marks;
    for (int index : fields) {
        columns << detail::quoteIdentifier(layout.fields[index].name);
        marks << QStringLiteral("?");
    }
    if (layout.key.isEmpty()) {
        columns << detail::quoteIdentifier(QLatin1String(detail::kOrderColumn));
        marks << QStringLiteral("?");
    }
    const QByteArray sql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(detail::quoteIdentifier(layout.name), columns.join(u','), marks.join(u','))
            .toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
        throw EDatabaseError(detail::sqliteMessage(db));
    struct Finalize {
        sqlite3_stmt* s;
        ~Finalize() { sqlite3_finalize(s); }
    } finalize{statement};
    for (int lineNo = 1; lineNo < lines.size(); ++lineNo) {
        const QStringList cells = lines[lineNo].split(u'\t');
        auto bad = [&](const QString& what) {
            return EDatabaseError(
                QStringLiteral("Plik danych „%1”, wiersz %2: %3").arg(tsvPath).arg(lineNo + 1).arg(what));
        };
        if (cells.size() != fields.size()) throw bad(QStringLiteral("liczba pól różni się od nagłówka"));
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        for (int c = 0; c < fields.size(); ++c) {
            const FieldDef& def = layout.fields[fields[c]];
            const QString text = unescapeTsv(cells[c]);
            if (text.isEmpty()) continue;
            bool ok = true;
            detail::Value value;
            switch (def.type) {
            case FieldType::Alpha:
                value = detail::Value::ofText(text.left(def.size));
                break;
            case FieldType::Long:
            case FieldType::AutoInc:
                value = detail::Value::ofInt(text.toLongLong(&ok));
                break;
            case FieldType::Number:
            case FieldType::Money:
                value = detail::Value::ofReal(text.toDouble(&ok));
                break;
            case FieldType::Date: {
                const QDate date = QDate::fromString(text, Qt::ISODate);
                ok = date.isValid();
                value = detail::Value::ofText(date.toString(Qt::ISODate));
                break;
            }
            }
            if (!ok) throw bad(QStringLiteral("niewłaściwa wartość „%1” pola „%2”").arg(text, def.name));
            detail::bindValue(statement, c + 1, value);
        }
        if (layout.key.isEmpty())
            sqlite3_bind_int64(statement, int(fields.size()) + 1, std::int64_t(lineNo) * detail::kOrderStep);
        if (sqlite3_step(statement) != SQLITE_DONE) throw bad(detail::sqliteMessage(db));
    }
}

} // namespace

// ---- Impl -------------------------------------------------------------------

void Database::Impl::exec(const QString& sql) {
    execOrThrow(db, sql, QString());
}

void Database::Impl::execOn(int layout, const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
        sqlite3_free(error);
        fail(layout, message);
    }
}

void Database::Impl::fail(int layout, const QString& what) {
    throw EDatabaseError(
        QStringLiteral("Błąd tabeli „%1”: %2").arg(allLayouts()[size_t(layout)].fileName, what));
}

void Database::Impl::damaged(int layout, const QString& detail) {
    throw EDatabaseError(tableFileMessage(allLayouts()[size_t(layout)], detail));
}

void Database::Impl::inUse(const QString& fileName) {
    throw EDatabaseError(
        QStringLiteral("Folder roboczy „%1” jest używany przez inną kopię programu: plik „%2” "
                       "jest zajęty. Zamknij drugą kopię programu i spróbuj ponownie.")
            .arg(QDir::toNativeSeparators(folder), fileName));
}

void Database::Impl::detach(int layout) {
    Slot& slot = files[size_t(layout)];
    if (!slot.attached) return;
    for (sqlite3_stmt* statement : std::as_const(slot.statements))
        sqlite3_finalize(statement);
    slot.statements.clear();
    finalizeQueryStatements();
    ++fileEvents;
    const QString sql = QStringLiteral("DETACH DATABASE %1")
                            .arg(detail::quoteIdentifier(detail::schemaName(allLayouts()[size_t(layout)])));
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(layout, detail::sqliteMessage(db));
    slot.attached = false;
}

void Database::Impl::applyPragmas(int layout) {
    Slot& slot = files[size_t(layout)];
    const TableLayout& table = allLayouts()[size_t(layout)];
    const QString schema = detail::quoteIdentifier(detail::schemaName(table));
    // Working tables are rebuilt on every use: their files are never flushed
    // to disk (the file layer leaves that out), but they keep a journal and a
    // synchronous level above OFF, so that a transaction over several files
    // takes them into its super-journal and lands whole in every one of them.
    // The journal is truncated rather than deleted, which is cheaper. The
    // shop's data is flushed at every commit.
    if (!sqlite3_get_autocommit(db)) {
        slot.pragmasPending = true;
        return;
    }
    execOn(layout,
           QStringLiteral("PRAGMA %1.journal_mode=%2; PRAGMA %1.synchronous=%3; PRAGMA %1.cache_size=-16384")
               .arg(schema, table.durable ? QStringLiteral("DELETE") : QStringLiteral("TRUNCATE"),
                    table.durable ? QStringLiteral("FULL") : QStringLiteral("NORMAL")));
    slot.pragmasPending = false;
}

void Database::Impl::verify(int layout, bool full) {
    const TableLayout& table = allLayouts()[size_t(layout)];
    const QString schema = detail::quoteIdentifier(detail::schemaName(table));
    sqlite3_stmt* statement = nullptr;
    const QByteArray info =
        QStringLiteral("PRAGMA %1.table_info(%2)").arg(schema, detail::quoteIdentifier(table.name)).toUtf8();
    int rc = sqlite3_prepare_v2(db, info.constData(), -1, &statement, nullptr);
    if (detail::isBusy(rc)) inUse(table.fileName);
    if (rc != SQLITE_OK) damaged(layout, describeOpenError(db, rc));
    QStringList names;
    QStringList types;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)));
        types
            << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 2))).toUpper();
    }
    sqlite3_finalize(statement);
    if (detail::isBusy(rc)) inUse(table.fileName);
    if (rc != SQLITE_DONE) damaged(layout, describeOpenError(db, rc));
    if (names.isEmpty()) damaged(layout, QStringLiteral("brak tabeli „%1”").arg(table.name));
    QStringList expectedNames;
    QStringList expectedTypes;
    for (const FieldDef& field : table.fields) {
        expectedNames << field.name;
        expectedTypes << detail::declaredType(field);
    }
    if (table.key.isEmpty()) {
        expectedNames << QLatin1String(detail::kOrderColumn);
        expectedTypes << QStringLiteral("INTEGER");
    }
    if (names.size() != expectedNames.size())
        damaged(layout, QStringLiteral("niezgodny układ pól (%1 zamiast %2)")
                            .arg(names.size())
                            .arg(expectedNames.size()));
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(expectedNames[i], Qt::CaseInsensitive) != 0 || types[i] != expectedTypes[i])
            damaged(layout, QStringLiteral("niezgodny układ pól: „%1 %2” zamiast „%3 %4”")
                                .arg(names[i], types[i], expectedNames[i], expectedTypes[i]));
    if (!full) return;
    const QByteArray check = QStringLiteral("PRAGMA %1.quick_check(1)").arg(schema).toUtf8();
    rc = sqlite3_prepare_v2(db, check.constData(), -1, &statement, nullptr);
    QString verdict;
    if (rc == SQLITE_OK && (rc = sqlite3_step(statement)) == SQLITE_ROW)
        verdict = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    else
        verdict = describeOpenError(db, rc);
    sqlite3_finalize(statement);
    if (detail::isBusy(rc)) inUse(table.fileName);
    if (verdict != QLatin1String("ok"))
        damaged(layout, QStringLiteral("kontrola spójności nie powiodła się (%1)").arg(verdict));
    // Indexes that this version keeps for speed are added to older files.
    for (const QString& sql : detail::createIndexSql(table, schema + u'.'))
        execOn(layout, sql);
}

void Database::Impl::attach(int layout) {
    Slot& slot = files[size_t(layout)];
    if (slot.attached) {
        slot.lastUse = ++clock;
        if (slot.pragmasPending && sqlite3_get_autocommit(db)) applyPragmas(layout);
        return;
    }
    const TableLayout& table = allLayouts()[size_t(layout)];
    int attachedCount = 0;
    for (const Slot& s : files)
        attachedCount += s.attached ? 1 : 0;
    if (attachedCount >= attachLimit) {
        // The connection reaches only so many files at once: the file used
        // least recently that no transaction or running statement holds goes.
        int victim = -1;
        for (int i = 0; i < int(files.size()); ++i) {
            const Slot& s = files[size_t(i)];
            if (!s.attached || s.pins > 0) continue;
            const QByteArray schema = detail::schemaName(allLayouts()[size_t(i)]).toUtf8();
            if (sqlite3_txn_state(db, schema.constData()) != SQLITE_TXN_NONE) continue;
            if (victim < 0 || s.lastUse < files[size_t(victim)].lastUse) victim = i;
        }
        if (victim < 0) fail(layout, QStringLiteral("zbyt wiele tabel naraz w jednej operacji"));
        detach(victim);
    }
    if (slot.path.isEmpty() || !QFileInfo::exists(slot.path)) slot.path = resolveIn(folder, table.fileName);
    if (slot.path.isEmpty())
        throw EDatabaseError(QStringLiteral("Brak pliku tabeli „%1” w folderze „%2”")
                                 .arg(table.fileName, QDir::toNativeSeparators(folder)));
    // mode=rw: a file that vanished is reported, never silently recreated.
    const QString uri =
        QLatin1String("file:") +
        QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(slot.path).absoluteFilePath(), "/")) +
        QLatin1String("?mode=rw");
    const QByteArray sql = QStringLiteral("ATTACH DATABASE ? AS %1")
                               .arg(detail::quoteIdentifier(detail::schemaName(table)))
                               .toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
        fail(layout, detail::sqliteMessage(db));
    const QByteArray uriUtf8 = uri.toUtf8();
    sqlite3_bind_text(statement, 1, uriUtf8.constData(), -1, SQLITE_TRANSIENT);
    detail::setNextFileWorking(!table.durable);
    const int rc = sqlite3_step(statement);
    detail::setNextFileWorking(false);
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) {
        const int code = sqlite3_extended_errcode(db);
        if (detail::isBusy(code)) inUse(table.fileName);
        damaged(layout, describeOpenError(db, code));
    }
    slot.attached = true;
    ++fileEvents;
    slot.lastUse = ++clock;
    try {
        verify(layout, !slot.checked);
        slot.checked = true;
        applyPragmas(layout);
    } catch (...) {
        detach(layout);
        throw;
    }
}

sqlite3_stmt* Database::Impl::statement(int layout, const QString& sql) {
    attach(layout);
    Slot& slot = files[size_t(layout)];
    auto it = slot.statements.constFind(sql);
    if (it != slot.statements.constEnd()) return it.value();
    sqlite3_stmt* statement = preparePersistent(sql);
    if (!statement) fail(layout, detail::sqliteMessage(db));
    slot.statements.insert(sql, statement);
    return statement;
}

sqlite3_stmt* Database::Impl::takeQueryStatement(const QString& sql) {
    if (sqlite3_stmt* cached = queryStatements.take(sql)) return cached;
    return preparePersistent(sql);
}

sqlite3_stmt* Database::Impl::preparePersistent(const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &statement,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    return statement;
}

void Database::Impl::returnQueryStatement(const QString& sql, sqlite3_stmt* statement) {
    if (!statement) return;
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    // A nested run of the same text prepared a second statement: one is kept.
    if (!db || queryStatements.contains(sql))
        sqlite3_finalize(statement);
    else
        queryStatements.insert(sql, statement);
}

void Database::Impl::finalizeQueryStatements() {
    for (sqlite3_stmt* statement : std::as_const(queryStatements))
        sqlite3_finalize(statement);
    queryStatements.clear();
}

void Database::Impl::createFile(int layout, const QString& tsvPath) {
    const TableLayout& table = allLayouts()[size_t(layout)];
    Slot& slot = files[size_t(layout)];
    if (slot.attached) detach(layout);
    const QString target = slot.path.isEmpty() ? QDir(folder).filePath(table.fileName) : slot.path;
    const QString temporary = target + QLatin1String(".nowy");
    QFile::remove(temporary);
    QFile::remove(temporary + QLatin1String("-journal"));
    sqlite3* file = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(temporary).constData(), &file,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        const QString message = detail::sqliteMessage(file);
        sqlite3_close(file);
        throw EDatabaseError(QStringLiteral("Nie można utworzyć pliku tabeli „%1”: %2").arg(target, message));
    }
    detail::registerCollation(file);
    try {
        const QString context = QStringLiteral("Nie można utworzyć pliku tabeli „%1”").arg(table.fileName);
        execOrThrow(file, QStringLiteral("PRAGMA journal_mode=OFF; PRAGMA synchronous=FULL; BEGIN"), context);
        execOrThrow(file, detail::createTableSql(table, detail::quoteIdentifier(table.name)), context);
        for (const QString& sql : detail::createIndexSql(table, QString()))
            execOrThrow(file, sql, context);
        if (!tsvPath.isEmpty()) loadTsv(file, table, tsvPath);
        execOrThrow(file, QStringLiteral("PRAGMA user_version=1; COMMIT"), context);
    } catch (...) {
        sqlite3_close(file);
        QFile::remove(temporary);
        throw;
    }
    sqlite3_close(file);
    // A journal left beside the old file must never be replayed into the new one.
    QFile::remove(target + QLatin1String("-journal"));
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(temporary);
        throw EDatabaseError(QStringLiteral("Nie można utworzyć pliku tabeli „%1”").arg(target));
    }
    slot.path = target;
    slot.checked = true;
}

bool Database::Impl::wroteDurableTable() const {
    for (int i = 0; i < int(files.size()); ++i) {
        const TableLayout& layout = allLayouts()[size_t(i)];
        if (!files[size_t(i)].attached || !layout.durable) continue;
        const QByteArray schema = detail::schemaName(layout).toUtf8();
        if (sqlite3_txn_state(db, schema.constData()) == SQLITE_TXN_WRITE) return true;
    }
    return false;
}

void Database::Impl::resetObservers(int layout) {
    const std::vector<detail::TableObserver*> copy = observers;
    for (detail::TableObserver* observer : copy) {
        if (std::find(observers.begin(), observers.end(), observer) == observers.end()) continue;
        if (layout < 0 || observer->observedLayout() == layout) observer->externalReset();
    }
}

void Database::Impl::rolledBack(std::uint64_t serial) {
    const std::vector<detail::TableObserver*> copy = observers;
    for (detail::TableObserver* observer : copy)
        if (std::find(observers.begin(), observers.end(), observer) != observers.end())
            observer->rolledBack(serial);
    resetObservers(-1);
}

void Database::Impl::closeAll() {
    const std::vector<detail::TableObserver*> copy = observers;
    observers.clear();
    for (detail::TableObserver* observer : copy)
        observer->databaseClosed();
    if (!db) return;
    if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    finalizeQueryStatements();
    ++fileEvents;
    for (Slot& slot : files) {
        for (sqlite3_stmt* statement : std::as_const(slot.statements))
            sqlite3_finalize(statement);
        slot.statements.clear();
        slot.attached = false;
    }
    sqlite3_close_v2(db);
    db = nullptr;
}

// ---- Database -----------------------------------------------------------------

Database::Database() : m_impl(std::make_unique<Impl>()) {}

Database::~Database() {
    m_impl->closeAll();
}

void Database::open(const QString& workingFolder, const QString& deliveredData) {
    close();
    std::unique_ptr<Database> database(new Database);
    Impl& d = *database->m_impl;
    const QFileInfo folderInfo(workingFolder);
    if (!folderInfo.isDir())
        throw EDatabaseError(QStringLiteral("Folder roboczy „%1” nie istnieje").arg(workingFolder));
    d.folder = folderInfo.absoluteFilePath();
    const QString mainPath = QDir(d.folder).filePath(QLatin1String(kMainFile));
    if (sqlite3_open_v2(QFile::encodeName(mainPath).constData(), &d.db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                        detail::syncVfsName()) != SQLITE_OK) {
        const QString message = d.db ? detail::sqliteMessage(d.db) : QString();
        throw EDatabaseError(QStringLiteral("Nie można otworzyć tabel w folderze „%1”: %2")
                                 .arg(QDir::toNativeSeparators(d.folder), message));
    }
    detail::registerCollation(d.db);
    sqlite3_extended_result_codes(d.db, 1);
    // Another copy of the program working in the folder holds a file only
    // for a moment; a statement waits that long before it gives up.
    sqlite3_busy_timeout(d.db, detail::kBusyTimeoutMs);
    d.exec(QStringLiteral("PRAGMA temp_store=MEMORY"));
    // The connection's own file is read first, so that a fault of its own is
    // reported under its name rather than under the first table's.
    {
        sqlite3_stmt* check = nullptr;
        int rc = sqlite3_prepare_v2(d.db, "SELECT count(*) FROM main.sqlite_master", -1, &check, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_step(check);
        sqlite3_finalize(check);
        if (detail::isBusy(rc)) d.inUse(QLatin1String(kMainFile));
        if (rc != SQLITE_ROW)
            throw EDatabaseError(
                QStringLiteral(
                    "Plik „%1” w folderze roboczym „%2” jest uszkodzony lub nieczytelny: %3. Plik nie "
                    "przechowuje żadnych danych: usuń go, a program utworzy go na nowo.")
                    .arg(QLatin1String(kMainFile), QDir::toNativeSeparators(d.folder),
                         describeOpenError(d.db, rc)));
    }
    d.attachLimit = sqlite3_limit(d.db, SQLITE_LIMIT_ATTACHED, -1);
    const std::deque<TableLayout>& layouts = allLayouts();
    d.files.resize(layouts.size());
    for (int i = 0; i < int(layouts.size()); ++i) {
        const TableLayout& layout = layouts[size_t(i)];
        Impl::Slot& slot = d.files[size_t(i)];
        slot.path = resolveIn(d.folder, layout.fileName);
        // The scratch table exists only once createTable has made it, and
        // a damaged copy of it is no reason to keep the program from starting.
        if (layout.scratch) continue;
        if (slot.path.isEmpty()) {
            QString tsv;
            if (!deliveredData.isEmpty()) {
                const QString candidate =
                    QDir(deliveredData).filePath(QStringLiteral("tables/%1.tsv").arg(layout.name));
                if (QFileInfo::exists(candidate)) tsv = candidate;
            }
            d.createFile(i, tsv);
        } else {
            d.attach(i); // verifies the file; raises naming it when damaged
        }
    }
    // Registered once the file layer and the layouts exist, so that it runs
    // before anything they were built of is destroyed.
    static const bool closesAtExit = std::atexit(closeAtExit) == 0;
    (void)closesAtExit;
    g_database = database.release();
}

void Database::close() {
    Database* open = g_database;
    g_database = nullptr;
    delete open;
}

bool Database::isOpen() {
    return g_database != nullptr;
}

Database& Database::instance() {
    if (!g_database) throw EDatabaseError(QStringLiteral("Tabele nie są otwarte: brak folderu roboczego"));
    return *g_database;
}

QString Database::workingFolder() const {
    return m_impl->folder;
}

QString Database::pathFor(const QString& fileName) const {
    if (const TableLayout* layout = layoutFor(fileName)) {
        const Impl::Slot& slot = m_impl->files[size_t(detail::layoutIndex(layout))];
        if (!slot.path.isEmpty()) return slot.path;
        const QString found = resolveIn(m_impl->folder, layout->fileName);
        return found.isEmpty() ? QDir(m_impl->folder).filePath(layout->fileName) : found;
    }
    const QString found = resolveIn(m_impl->folder, fileName);
    return found.isEmpty() ? QDir(m_impl->folder).filePath(fileName) : found;
}

void Database::transaction(const std::function<void()>& fn) {
    Impl& d = *m_impl;
    const std::uint64_t serial = ++d.transactionSerial;
    if (d.transactionDepth == 0) {
        d.exec(QStringLiteral("BEGIN"));
        d.transactionDepth = 1;
        d.openTransactions.push_back(serial);
        try {
            fn();
        } catch (...) {
            sqlite3_exec(d.db, "ROLLBACK", nullptr, nullptr, nullptr);
            d.transactionDepth = 0;
            d.openTransactions.clear();
            d.rolledBack(serial);
            throw;
        }
        d.openTransactions.clear();
        detail::setCommitFlushes(d.wroteDurableTable());
        const int committed = sqlite3_exec(d.db, "COMMIT", nullptr, nullptr, nullptr);
        detail::setCommitFlushes(true);
        if (committed != SQLITE_OK) {
            const QString message = detail::sqliteMessage(d.db);
            sqlite3_exec(d.db, "ROLLBACK", nullptr, nullptr, nullptr);
            d.transactionDepth = 0;
            d.rolledBack(serial);
            throw EDatabaseError(QStringLiteral("Nie udało się zapisać zmian w tabelach: %1").arg(message));
        }
        d.transactionDepth = 0;
        return;
    }
    // A nested call joins the running transaction; a savepoint lets it fail
    // alone without leaving half its rows behind should the caller go on.
    const QString savepoint = QStringLiteral("tv_%1").arg(++d.savepointCounter);
    d.exec(QStringLiteral("SAVEPOINT ") + savepoint);
    ++d.transactionDepth;
    d.openTransactions.push_back(serial);
    try {
        fn();
    } catch (...) {
        sqlite3_exec(d.db, QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(savepoint).toUtf8().constData(),
                     nullptr, nullptr, nullptr);
        --d.transactionDepth;
        d.openTransactions.pop_back();
        d.rolledBack(serial);
        throw;
    }
    --d.transactionDepth;
    d.openTransactions.pop_back();
    d.exec(QStringLiteral("RELEASE ") + savepoint);
}

Database::ChangeStamp Database::changeStamp() const {
    return {m_impl->fileEvents, m_impl->db ? sqlite3_total_changes64(m_impl->db) : -1};
}

bool Database::inTransaction() const {
    return m_impl->transactionDepth > 0;
}

sqlite3* Database::handle() const {
    return m_impl->db;
}

} // namespace tv

namespace tv {

void Database::postPendingRows(const std::function<void(const Error&)>& onError) {
    const auto observers = m_impl->observers;
    for (detail::TableObserver* observer : observers) {
        // A table destroyed by an earlier one's post handler has left the list.
        if (std::find(m_impl->observers.begin(), m_impl->observers.end(), observer) ==
            m_impl->observers.end())
            continue;
        try {
            observer->finishPending();
        } catch (const Error& e) {
            onError(e);
        }
    }
}

} // namespace tv
