#pragma once

// Private parts of the table layer shared by its sources (database, tables,
// queries); nothing outside src/platform includes this header.

#include <cstdint>
#include <string>
#include <vector>

#include <QHash>
#include <QString>
#include <QStringList>

#include <sqlite3.h>

#include "platform/table.h"

namespace tv::detail {

// The one text collation of the tables: Polish alphabetical order, letters
// compared regardless of case first, then accents, then case (lower first),
// then the code points, so that only identical texts compare equal.
int polishCompare(const char* a, int lengthA, const char* b, int lengthB);
int polishCompare(const QString& a, const QString& b);
extern const char* const kCollation;
void registerCollation(sqlite3* db);

// The hidden column that keeps the rows of a keyless table in the order they
// were added (and where insert() placed them). Queries never show it.
extern const char* const kOrderColumn;
constexpr std::int64_t kOrderStep = 1 << 16;

enum class CellKind : std::uint8_t { Null, Int, Real, Text };

// One value as a field reads it: straight from the row store (UTF-8) or from
// the pending row (QString).
struct CellRef {
    CellKind kind = CellKind::Null;
    std::int64_t i = 0;
    double d = 0;
    const char* utf8 = nullptr;
    int length = 0;
    const QString* text = nullptr;
    QString toText() const { return text ? *text : QString::fromUtf8(utf8, length); }
};

// One value of a pending row.
struct Value {
    CellKind kind = CellKind::Null;
    std::int64_t i = 0;
    double d = 0;
    QString s;
    static Value ofInt(std::int64_t v) {
        Value x;
        x.kind = CellKind::Int;
        x.i = v;
        return x;
    }
    static Value ofReal(double v) {
        Value x;
        x.kind = CellKind::Real;
        x.d = v;
        return x;
    }
    static Value ofText(const QString& v) {
        Value x;
        if (!v.isEmpty()) {
            x.kind = CellKind::Text;
            x.s = v;
        }
        return x;
    }
    bool operator==(const Value& o) const;
};

Value toValue(const CellRef& cell);
CellRef toCell(const Value& value);

// Rows read from a statement, kept compactly: one cell array and one text
// buffer for many rows, so that a block of rows costs two allocations.
class RowStore {
public:
    void reset(int columns);
    int columns() const { return m_columns; }
    int rowCount() const { return m_columns ? int(m_cells.size() / m_columns) : 0; }
    // Appends the columns firstColumn.. of the statement's current row.
    int addFromStatement(sqlite3_stmt* statement, int firstColumn);
    int addFromStatement(sqlite3_stmt* statement, const std::vector<int>& columns);
    int addValues(const std::vector<Value>& values);
    int addNulls();
    CellRef cell(int row, int column) const;

private:
    int addColumns(sqlite3_stmt* statement, const int* columns, int firstColumn);
    struct Cell {
        CellKind kind = CellKind::Null;
        std::uint32_t length = 0;
        union {
            std::int64_t i;
            double d;
            std::uint64_t offset;
        };
    };
    int m_columns = 0;
    std::vector<Cell> m_cells;
    std::string m_text;
};

// Binds a value: the empty text binds as NULL, as the tables store it.
void bindValue(sqlite3_stmt* statement, int position, const Value& value);
void bindText(sqlite3_stmt* statement, int position, const QString& text);

QString quoteIdentifier(const QString& name);
QString schemaName(const TableLayout& layout);
QString qualifiedName(const TableLayout& layout);
int layoutIndex(const TableLayout* layout);
// The declared SQL type of a field (its affinity and, for queries, its kind).
QString declaredType(const FieldDef& field);
FieldDef fieldFromDeclaredType(const QString& name, const char* declared);
QString createTableSql(const TableLayout& layout, const QString& tableName);
QStringList createIndexSql(const TableLayout& layout, const QString& schemaPrefix);
bool autoIncKey(const TableLayout& layout); // the key is one autoinc field (the rowid)
int autoIncField(const TableLayout& layout);

// The filter terms of a cursor as a WHERE clause with its bound values.
void compileFilter(const TableLayout& layout, const QVector<Table::FilterTerm>& terms, QString& where,
                   std::vector<Value>& values);

// The last error of the connection in words. A file still locked by another
// copy of the program once the busy timeout has passed is described as such.
QString sqliteMessage(sqlite3* db);
bool isBusy(int resultCode); // SQLITE_BUSY or SQLITE_LOCKED, extended or not
QString busyDetail();
// How long a statement waits for a file another copy of the program holds.
constexpr int kBusyTimeoutMs = 2000;

// The file layer the connection opens its table files through (registered on
// first use): the system's own, without the disk flushes of working tables.
const char* syncVfsName();
// Whether the table file attached next is a working table's.
void setNextFileWorking(bool working);
// Whether the coming commit wrote a table of the shop's data, so that its
// super-journal must reach the disk before the commit counts.
void setCommitFlushes(bool flush);

// Resets a statement when it goes out of scope so that it never holds a
// read transaction (which would keep its file from being detached).
class StatementUse {
public:
    explicit StatementUse(sqlite3_stmt* statement) : m_statement(statement) {}
    ~StatementUse() {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;
    sqlite3_stmt* get() const { return m_statement; }

private:
    sqlite3_stmt* m_statement;
};

// What a table cursor needs from the connection. Declared here so that the
// cursor and query sources can use it; defined in database.cpp.
class TableObserver {
public:
    virtual ~TableObserver() = default;
    virtual int observedLayout() const = 0;
    // The file's rows changed under the cursor (emptied, replaced, or a
    // transaction rolled back): re-read them.
    virtual void externalReset() = 0;
    // A transaction (serial number) rolled back: a pending row begun inside
    // it must not be posted later on its own.
    virtual void rolledBack(std::uint64_t serial) = 0;
    // The connection is closing.
    virtual void databaseClosed() = 0;
    // The program ends: post a changed pending row, drop an untouched one.
    virtual void finishPending() = 0;
};

} // namespace tv::detail

namespace tv {

struct Database::Impl {
    struct Slot {
        QString path; // resolved file; empty until known
        bool attached = false;
        bool checked = false;        // layout and integrity verified this run
        bool pragmasPending = false; // synchronous could not be set inside a transaction
        std::uint64_t lastUse = 0;
        int pins = 0;
        QHash<QString, sqlite3_stmt*> statements;
    };

    QString folder;
    sqlite3* db = nullptr;
    int attachLimit = 10;
    std::vector<Slot> files;
    // Prepared statements of queries, kept reset between uses: a query run
    // once per line of an invoice is prepared once. They may name any
    // attached file, so detaching one finalizes them all.
    QHash<QString, sqlite3_stmt*> queryStatements;
    // Counts the files taken up and let go (attached, detached) and the
    // closings: a file may hold other rows after any of them (a replaced or
    // newly created file), unseen by the connection's count of changes.
    std::uint64_t fileEvents = 0;
    std::uint64_t clock = 0;
    int transactionDepth = 0;
    int savepointCounter = 0;
    std::uint64_t transactionSerial = 0;
    std::vector<std::uint64_t> openTransactions;
    std::uint64_t currentTransaction() const {
        return openTransactions.empty() ? 0 : openTransactions.back();
    }
    void rolledBack(std::uint64_t serial);
    std::vector<detail::TableObserver*> observers;

    // Makes the table's file reachable on the connection; raises
    // EDatabaseError naming the file when it is missing or damaged.
    void attach(int layout);
    void pin(int layout) { ++files[size_t(layout)].pins; }
    void unpin(int layout) { --files[size_t(layout)].pins; }
    void detach(int layout);
    sqlite3_stmt* statement(int layout, const QString& sql);
    // A query's statement, prepared or from the cache; handed back reset.
    sqlite3_stmt* takeQueryStatement(const QString& sql);
    void returnQueryStatement(const QString& sql, sqlite3_stmt* statement);
    void finalizeQueryStatements();
    // A statement kept for many runs; null (with the connection's error
    // message set) when the text does not prepare or is empty.
    sqlite3_stmt* preparePersistent(const QString& sql);
    void exec(const QString& sql);
    void execOn(int layout, const QString& sql);
    [[noreturn]] void fail(int layout, const QString& what);
    [[noreturn]] void damaged(int layout, const QString& detail);
    // The file is locked by another copy of the program working in the folder.
    [[noreturn]] void inUse(const QString& fileName);

    // Replaces the file with an empty table (or one filled from a delivered
    // data file), atomically.
    void createFile(int layout, const QString& tsvPath);
    void verify(int layout, bool full);
    void applyPragmas(int layout);
    bool wroteDurableTable() const;  // in the running transaction
    void resetObservers(int layout); // -1: every table
    void closeAll();
};

} // namespace tv

namespace tv {

// What a Field reads and writes through: a table cursor or a query result.
struct Field::Source {
    virtual ~Source() = default;
    virtual const FieldDef& sourceField(int index) const = 0;
    virtual detail::CellRef sourceCell(int index) = 0;
    virtual void sourceWrite(int index, const detail::Value& value) = 0;
};

} // namespace tv
