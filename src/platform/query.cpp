// Queries: one SQL text with bound values over the table files. The result is
// read whole when the query opens, so it holds no file while it is browsed.

#include <algorithm>

#include "platform/table.h"
#include "platform/table_internal.h"

namespace tv {

using detail::CellKind;
using detail::CellRef;
using detail::Value;

namespace {

// The tables a statement names, found by scanning its identifiers (outside
// string literals and comments) for the names of known layouts.
std::vector<int> referencedLayouts(const QString& sql) {
    std::vector<int> found;
    auto check = [&](const QString& token) {
        const std::deque<TableLayout>& layouts = allLayouts();
        for (int i = 0; i < int(layouts.size()); ++i)
            if (layouts[size_t(i)].name.compare(token, Qt::CaseInsensitive) == 0 &&
                std::find(found.begin(), found.end(), i) == found.end())
                found.push_back(i);
    };
    const int n = int(sql.size());
    int i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == u'\'') {
            ++i;
            while (i < n) {
                if (sql.at(i) == u'\'') {
                    if (i + 1 < n && sql.at(i + 1) == u'\'') {
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            ++i;
        } else if (c == u'-' && i + 1 < n && sql.at(i + 1) == u'-') {
            while (i < n && sql.at(i) != u'\n')
                ++i;
        } else if (c == u'/' && i + 1 < n && sql.at(i + 1) == u'*') {
            const int end = sql.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else if (c == u'"' || c == u'`' || c == u'[') {
            const QChar close = c == u'[' ? QChar(u']') : c;
            const int end = sql.indexOf(close, i + 1);
            check(sql.mid(i + 1, (end < 0 ? n : end) - i - 1));
            i = end < 0 ? n : end + 1;
        } else if (c.isLetter() || c == u'_') {
            const int start = i;
            while (i < n && (sql.at(i).isLetterOrNumber() || sql.at(i) == u'_'))
                ++i;
            check(sql.mid(start, i - start));
        } else {
            ++i;
        }
    }
    return found;
}

void bindVariant(sqlite3_stmt* statement, int position, const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        sqlite3_bind_null(statement, position);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::QDate:
        detail::bindText(statement, position, value.toDate().toString(Qt::ISODate));
        return;
    case QMetaType::QDateTime:
        detail::bindText(statement, position, value.toDateTime().date().toString(Qt::ISODate));
        return;
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        sqlite3_bind_int64(statement, position, value.toLongLong());
        return;
    case QMetaType::ULongLong:
    case QMetaType::ULong:
        sqlite3_bind_int64(statement, position, std::int64_t(value.toULongLong()));
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(statement, position, value.toDouble());
        return;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob64(statement, position, bytes.constData(), sqlite3_uint64(bytes.size()),
                            SQLITE_TRANSIENT);
        return;
    }
    default: {
        // A text value is bound as it is: the empty text is '' here, as SQL wrote it.
        const QByteArray utf8 = value.toString().toUtf8();
        sqlite3_bind_text64(statement, position, utf8.constData(), sqlite3_uint64(utf8.size()),
                            SQLITE_TRANSIENT, SQLITE_UTF8);
        return;
    }
    }
}

QString queryError(const QString& sql, const QString& message) {
    return QStringLiteral("Błąd zapytania „%1”: %2").arg(sql.simplified(), message);
}

// Prepares a statement with every table it names attached, and keeps those
// files attached until it is finalized.
class PreparedQuery {
public:
    PreparedQuery(const QString& sql, const QVector<QPair<int, QVariant>>& values) {
        m_db = Database::instance().impl();
        try {
            prepare(sql, values);
        } catch (...) {
            release();
            throw;
        }
    }
    ~PreparedQuery() { release(); }
    PreparedQuery(const PreparedQuery&) = delete;
    PreparedQuery& operator=(const PreparedQuery&) = delete;
    sqlite3_stmt* get() const { return m_statement; }
    sqlite3* db() const { return m_db->db; }

private:
    void prepare(const QString& sql, const QVector<QPair<int, QVariant>>& values) {
        Database::Impl& db = *m_db;
        for (int layout : referencedLayouts(sql)) {
            db.attach(layout);
            db.pin(layout);
            m_pinned.push_back(layout);
        }
        m_sql = sql;
        m_statement = db.takeQueryStatement(sql);
        if (!m_statement) {
            if (sqlite3_errcode(db.db) != SQLITE_OK)
                throw EDatabaseError(queryError(sql, detail::sqliteMessage(db.db)));
            throw EDatabaseError(queryError(sql, QStringLiteral("puste zapytanie")));
        }
        const int count = sqlite3_bind_parameter_count(m_statement);
        for (const auto& [position, value] : values) {
            if (position < 1 || position > count)
                throw EDatabaseError(
                    queryError(sql, QStringLiteral("brak parametru numer %1").arg(position)));
            bindVariant(m_statement, position, value);
        }
    }
    void release() {
        if (m_statement) m_db->returnQueryStatement(m_sql, m_statement);
        m_statement = nullptr;
        for (int layout : m_pinned)
            m_db->unpin(layout);
        m_pinned.clear();
    }

    Database::Impl* m_db = nullptr;
    QString m_sql;
    sqlite3_stmt* m_statement = nullptr;
    std::vector<int> m_pinned;
};

} // namespace

struct Query::Impl final : Field::Source {
    QString sql;
    QVector<QPair<int, QVariant>> values;
    bool active = false;
    QVector<FieldDef> fields;
    QHash<QString, int> names;
    detail::RowStore store;
    int count = 0;
    int pos = 0;
    bool atEof = true;
    bool atBof = true;

    const FieldDef& sourceField(int i) const override { return fields[i]; }
    CellRef sourceCell(int i) override {
        if (!active || count == 0) return {};
        return store.cell(pos, i);
    }
    void sourceWrite(int, const Value&) override {
        throw EDatabaseError(QStringLiteral("Wynik zapytania jest tylko do odczytu"));
    }

    void checkActive() const {
        if (!active) throw EDatabaseError(QStringLiteral("Zapytanie nie jest otwarte"));
    }

    int fieldIndex(const QString& name) const {
        auto it = names.constFind(name);
        if (it != names.constEnd()) return it.value();
        for (int i = 0; i < fields.size(); ++i)
            if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
        throw EDatabaseError(QStringLiteral("Zapytanie nie ma pola „%1”").arg(name));
    }
};

Query::Query() : m_impl(std::make_unique<Impl>()) {}

Query::~Query() = default;

void Query::setSql(const QString& sql) {
    close();
    m_impl->sql = sql;
}

QString Query::sql() const {
    return m_impl->sql;
}

void Query::bindValue(int position, const QVariant& value) {
    auto& values = m_impl->values;
    for (auto& entry : values)
        if (entry.first == position) {
            entry.second = value;
            return;
        }
    values.append({position, value});
}

void Query::open() {
    Impl& d = *m_impl;
    if (d.active) return;
    PreparedQuery prepared(d.sql, d.values);
    sqlite3_stmt* statement = prepared.get();
    d.fields.clear();
    d.names.clear();
    std::vector<int> columns;
    std::vector<bool> declared;
    const int columnCount = sqlite3_column_count(statement);
    for (int c = 0; c < columnCount; ++c) {
        const QString name = QString::fromUtf8(sqlite3_column_name(statement, c));
        if (name.compare(QLatin1String(detail::kOrderColumn), Qt::CaseInsensitive) == 0) continue;
        const char* type = sqlite3_column_decltype(statement, c);
        d.fields << detail::fieldFromDeclaredType(name, type);
        declared.push_back(type != nullptr);
        columns.push_back(c);
        if (!d.names.contains(name)) d.names.insert(name, int(d.fields.size()) - 1);
    }
    d.store.reset(int(columns.size()));
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        d.store.addFromStatement(statement, columns);
    if (rc != SQLITE_DONE) throw EDatabaseError(queryError(d.sql, detail::sqliteMessage(prepared.db())));
    d.count = d.store.rowCount();
    // A computed column has no declared type: its values tell what it holds.
    for (int f = 0; f < d.fields.size(); ++f) {
        if (declared[size_t(f)]) continue;
        for (int r = 0; r < d.count; ++r) {
            const CellKind kind = d.store.cell(r, f).kind;
            if (kind == CellKind::Null) continue;
            d.fields[f].type = kind == CellKind::Int    ? FieldType::Long
                               : kind == CellKind::Real ? FieldType::Number
                                                        : FieldType::Alpha;
            break;
        }
    }
    d.pos = 0;
    d.atBof = true;
    d.atEof = d.count == 0;
    d.active = true;
}

void Query::close() {
    Impl& d = *m_impl;
    d.active = false;
    d.count = 0;
    d.pos = 0;
    d.atBof = d.atEof = true;
    d.store.reset(0);
}

bool Query::active() const {
    return m_impl->active;
}

void Query::first() {
    Impl& d = *m_impl;
    d.checkActive();
    d.pos = 0;
    d.atBof = true;
    d.atEof = d.count == 0;
}

void Query::next() {
    Impl& d = *m_impl;
    d.checkActive();
    if (d.pos + 1 >= d.count) {
        d.atEof = true;
    } else {
        ++d.pos;
        d.atBof = d.atEof = false;
    }
}

void Query::prior() {
    Impl& d = *m_impl;
    d.checkActive();
    if (d.pos == 0 || d.count == 0) {
        d.atBof = true;
    } else {
        --d.pos;
        d.atBof = d.atEof = false;
    }
}

void Query::last() {
    Impl& d = *m_impl;
    d.checkActive();
    d.pos = std::max(0, d.count - 1);
    d.atBof = d.atEof = d.count == 0;
}

bool Query::eof() const {
    return !m_impl->active || m_impl->count == 0 || m_impl->atEof;
}

bool Query::bof() const {
    return !m_impl->active || m_impl->count == 0 || m_impl->atBof;
}

int Query::recordCount() const {
    return m_impl->active ? m_impl->count : 0;
}

Field Query::fieldByName(const QString& name) {
    return Field(m_impl.get(), m_impl->fieldIndex(name));
}

int Query::fieldCount() const {
    return int(m_impl->fields.size());
}

Field Query::field(int index) {
    if (index < 0 || index >= fieldCount())
        throw EDatabaseError(QStringLiteral("Zapytanie nie ma pola numer %1").arg(index));
    return Field(m_impl.get(), index);
}

void Query::exec(const QString& sql, const QVector<QVariant>& values) {
    QVector<QPair<int, QVariant>> numbered;
    for (int i = 0; i < values.size(); ++i)
        numbered.append({i + 1, values[i]});
    PreparedQuery prepared(sql, numbered);
    int rc;
    while ((rc = sqlite3_step(prepared.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) throw EDatabaseError(queryError(sql, detail::sqliteMessage(prepared.db())));
}

} // namespace tv
