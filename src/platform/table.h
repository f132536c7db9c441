#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include "platform/currency.h"
#include "platform/errors.h"

struct sqlite3;

namespace tv {

enum class FieldType { Alpha, Long, Number, Money, Date, AutoInc };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Alpha;
    int size = 0; // characters, for Alpha

    static FieldDef alpha(const char* name, int size) {
        return {QString::fromLatin1(name), FieldType::Alpha, size};
    }
    static FieldDef longInt(const char* name) { return {QString::fromLatin1(name), FieldType::Long, 0}; }
    static FieldDef number(const char* name) { return {QString::fromLatin1(name), FieldType::Number, 0}; }
    static FieldDef money(const char* name) { return {QString::fromLatin1(name), FieldType::Money, 0}; }
    static FieldDef date(const char* name) { return {QString::fromLatin1(name), FieldType::Date, 0}; }
    static FieldDef autoInc(const char* name) { return {QString::fromLatin1(name), FieldType::AutoInc, 0}; }
};

struct TableLayout {
    QString name;     // table name as SQL texts use it
    QString fileName; // file in the working folder, with its extension
    QVector<FieldDef> fields;
    QStringList key;      // fields of the primary, unique key; empty for none
    bool durable = true;  // false for working tables rebuilt on every use
    bool scratch = false; // made only by Table::createTable, never at start
    // Fields with an index of their own, which keeps the filters and look-ups
    // of large tables fast.
    QStringList indexes;
    int fieldIndex(const QString& fieldName) const; // case-insensitive, -1 if none

    static TableLayout of(const char* name, const char* fileName, QVector<FieldDef> fields,
                          QStringList key = {}, QStringList indexes = {});
};

// The table layer knows the tables its callers register: each working area
// registers its layouts once, before Database::open. A layout whose name is
// already known is left as it is.
void registerLayouts(const QVector<TableLayout>& layouts);
// A registered table by its file name ("lines.DB" and "lines.db" are one
// table; the extension may be left out). nullptr for an unknown name.
const TableLayout* layoutFor(const QString& fileName);
const std::deque<TableLayout>& allLayouts();

// The one connection to the tables of the working folder. Every table is a
// SQLite file of its own under its file name, attached to this connection so
// that statements may join tables and a transaction spans several of them.
class Database {
public:
    // Fixes the working folder for the rest of the run. A missing table file
    // is created with its layout, filled from deliveredData/tables/<name>.tsv
    // when the delivered data set has that table, else empty.
    static void open(const QString& workingFolder, const QString& deliveredData = QString());
    static void close(); // posts nothing; closes every file cleanly
    static bool isOpen();
    static Database& instance();

    QString workingFolder() const;
    // The file of that name in the working folder, matched case-insensitively.
    QString pathFor(const QString& fileName) const;

    // Runs fn as one transaction: all its writes land or none does. An
    // exception from fn rolls back and is rethrown. A nested call joins the
    // transaction already running.
    void transaction(const std::function<void()>& fn);
    bool inTransaction() const;

    // At the end of the program: every open table posts a changed pending row
    // and drops an untouched one. Each failure is passed to onError, and the
    // other tables still finish.
    void postPendingRows(const std::function<void(const Error&)>& onError);

    // Changes whenever a row of any table may have changed since it was last
    // read: a write on the connection, a table file replaced or let go, the
    // tables closed. Equal stamps mean every table holds what it held then,
    // so a list read from the tables need not be read again.
    struct ChangeStamp {
        std::uint64_t files = 0;
        std::int64_t rows = 0;
        bool operator==(const ChangeStamp&) const = default;
    };
    ChangeStamp changeStamp() const;

    sqlite3* handle() const;

    struct Impl;
    Impl* impl() const { return m_impl.get(); }
    ~Database();

private:
    Database();
    std::unique_ptr<Impl> m_impl;
};

class Table;
class Query;

// One field of the current row of a table or query.
class Field {
public:
    const FieldDef& def() const;
    QString name() const { return def().name; }

    bool isNull() const;
    // Number and money fields in the general float form, dates in the short
    // date form, an empty field as "".
    QString asString() const;
    double asFloat() const;      // empty reads as 0
    Currency asCurrency() const; // empty reads as 0
    int asInteger() const;       // empty reads as 0
    QDate asDate() const;        // empty reads as a null date
    QVariant value() const;      // null QVariant when empty

    // Writing needs the row in edit or insert state. Text converts in the
    // regional settings (raising EConvertError); the empty text clears the
    // field; an alpha text longer than the field keeps its first characters.
    void setAsString(const QString& text);
    void setAsFloat(double value);
    void setAsCurrency(Currency value);
    void setAsInteger(int value);
    void setAsDate(const QDate& date);
    void clear();

    struct Source; // implemented by Table and Query
    Field(Source* source, int index) : m_source(source), m_index(index) {}

private:
    Source* m_source;
    int m_index;
};

// A cursor over one table file, as a table component of a form holds it.
// Several Table objects may open the same file; each sees the rows posted by
// the others after its refresh(). Keyed tables are in key order, the others in
// the order their rows were added; filters narrow what the cursor walks.
class Table {
public:
    enum class State { Inactive, Browse, Edit, Insert };
    // UpdateRecord goes out at the start of post(), and before a move, insert or
    // refresh decides whether the pending row is changed, so that bound controls
    // write the text the operator left in them first.
    enum class Event { Scrolled, DataChanged, StateChanged, FieldChanged, Closed, UpdateRecord };

    explicit Table(const QString& fileName = QString());
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    void setTableName(const QString& fileName);
    QString tableName() const;
    const TableLayout& layout() const;

    void open();
    void close();
    bool active() const;

    void first();
    void prior();
    void next();
    void last();
    bool eof() const; // past the last row, or the table is empty
    bool bof() const;
    int recordCount() const; // rows the filter lets through
    int recNo() const;       // 1-based, 0 when empty
    bool isEmpty() const { return recordCount() == 0; }
    // Random access for a grid, which paints a window of rows and jumps to the
    // row the operator clicks. moveTo makes row recNo (1-based, among the rows
    // the filter lets through) current as next() would, posting or dropping a
    // pending row first, and returns false when there is no such row. valueAt
    // reads one field of such a row as stored, as Field::value() gives it,
    // moving nothing and posting nothing. A row being inserted is not among
    // them: recordCount() leaves it out and recNo() is the place it shows at.
    bool moveTo(int recNo);
    QVariant valueAt(int recNo, int fieldIndex) const;

    // Moving, inserting or refreshing posts a changed pending row and drops an
    // untouched one.
    void append(); // a new row at the end (insert state)
    void insert(); // a new row at the current row of a keyless table; keyed tables place it by key
    void edit();
    void post(); // raises EDatabaseError on a key violation; the row stays pending
    void cancel();
    void remove();  // deletes the current row; the next row becomes current
    void refresh(); // re-reads the file, keeping the current row where it still exists
    void emptyTable();
    State state() const;
    bool modified() const; // the pending row has been changed

    Field fieldByName(const QString& name); // raises EDatabaseError for an unknown field
    int fieldCount() const;
    Field field(int index);

    // Filter terms joined by "and"; op is "=" or ">="; values are bound, never
    // pasted into SQL; text compares in the Polish collation and an empty field
    // compares as ''. A long or number field compares numerically.
    struct FilterTerm {
        QString field;
        QString op;
        QString value;
    };
    void setFilter(const QVector<FilterTerm>& terms);
    void setFiltered(bool on);
    bool filtered() const;

    // The scratch table: replaces the file with an empty table of these fields.
    void createTable(const QVector<FieldDef>& fields);

    // Row events. beforeInsert may throw EAbort to stop the insert. afterPost
    // may edit and post the same row again.
    std::function<void(Table&)> beforeInsert;
    std::function<void(Table&)> afterInsert;
    std::function<void(Table&)> beforePost;
    std::function<void(Table&)> afterPost;
    std::function<void(Table&)> afterScroll;

    // What data-aware controls listen to. Returns a handle for removeListener.
    int addListener(std::function<void(Event)> listener);
    void removeListener(int handle);

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

// A read-only result of one SQL text with bound values, as the query
// components run them ("select Code from people order by Code").
class Query {
public:
    Query();
    ~Query();
    void setSql(const QString& sql);
    QString sql() const;
    void bindValue(int position, const QVariant& value); // 1-based
    void open();
    void close();
    bool active() const;
    void first();
    void next();
    void prior();
    void last();
    bool eof() const;
    bool bof() const;
    int recordCount() const;
    Field fieldByName(const QString& name);
    int fieldCount() const;
    Field field(int index);
    // Runs a statement that returns no rows (insert, update, delete).
    static void exec(const QString& sql, const QVector<QVariant>& values = {});

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

} // namespace tv
