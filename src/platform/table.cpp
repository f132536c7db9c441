// The table cursor. It walks a snapshot of the row ids in table order (key
// order, or the order rows were added), reads rows in blocks through cached
// statements and keeps one pending row for edit and insert.

#include <algorithm>
#include <cmath>

#include <QSet>

#include "platform/convert.h"
#include "platform/table.h"
#include "platform/table_internal.h"

namespace tv {

using detail::CellKind;
using detail::CellRef;
using detail::StatementUse;
using detail::Value;

namespace {

constexpr int kBlock = 128;

const TableLayout& emptyLayout() {
    static const TableLayout layout;
    return layout;
}

int compareValues(const Value& a, const Value& b) {
    if (a.kind == CellKind::Null || b.kind == CellKind::Null)
        return a.kind == b.kind ? 0 : (a.kind == CellKind::Null ? -1 : 1);
    const bool aText = a.kind == CellKind::Text;
    const bool bText = b.kind == CellKind::Text;
    if (aText && bText) return detail::polishCompare(a.s, b.s);
    if (aText != bText) return aText ? 1 : -1; // numbers sort before texts, as SQLite orders them
    const double x = a.kind == CellKind::Int ? double(a.i) : a.d;
    const double y = b.kind == CellKind::Int ? double(b.i) : b.d;
    if (a.kind == CellKind::Int && b.kind == CellKind::Int) return a.i < b.i ? -1 : (a.i > b.i ? 1 : 0);
    return x < y ? -1 : (x > y ? 1 : 0);
}

} // namespace

struct Table::Impl final : Field::Source, detail::TableObserver {
    Table* q = nullptr;
    QString name;
    const TableLayout* layout = nullptr;
    int index = -1;
    State state = State::Inactive;
    QHash<QString, int> names;

    // SQL of this table, built when it opens.
    QString qualified;
    QString columnList;
    QString orderBy;
    QString fetchIn;
    QString fetchRange;
    QString insertSql;
    QString keySql;
    QString duplicateSql;

    std::vector<std::int64_t> rows;
    int pos = 0;
    bool atEof = true;
    bool atBof = true;
    bool backward = false;
    bool stale = false;
    bool registered = false;

    detail::RowStore store;
    QHash<std::int64_t, int> slotOf;
    int memoPos = -1;
    int memoSlot = -1;

    std::vector<Value> pending;
    std::vector<bool> dirty;
    bool isModified = false;
    std::int64_t editRowid = 0;
    int insertAt = 0;
    bool insertAtEnd = true;
    int savedPos = 0;
    std::uint64_t pendingTransaction = 0; // the transaction the pending row was begun in

    QVector<FilterTerm> terms;
    bool filterOn = false;
    QString whereSql;
    std::vector<Value> whereValues;

    std::vector<std::pair<int, std::function<void(Event)>>> listeners;
    int nextHandle = 1;

    ~Impl() override { unregister(); }

    // ---- Field::Source --------------------------------------------------------
    const FieldDef& sourceField(int i) const override { return layout->fields[i]; }

    CellRef sourceCell(int i) override {
        ensureFresh();
        if (state == State::Edit || state == State::Insert) return detail::toCell(pending[size_t(i)]);
        const int slot = currentSlot();
        return slot < 0 ? CellRef() : store.cell(slot, i);
    }

    void sourceWrite(int i, const Value& value) override {
        if (state != State::Edit && state != State::Insert)
            throw EDatabaseError(QStringLiteral("Tabela „%1” nie jest w trybie edycji ani dopisywania")
                                     .arg(layout ? layout->name : name));
        const FieldDef& def = layout->fields[i];
        if (def.type == FieldType::AutoInc)
            throw EDatabaseError(
                QStringLiteral("Pole „%1” jest numerowane przez tabelę i nie może być zmieniane")
                    .arg(def.name));
        pending[size_t(i)] = value;
        dirty[size_t(i)] = true;
        isModified = true;
        notify(Event::FieldChanged);
    }

    // ---- TableObserver ----------------------------------------------------------
    int observedLayout() const override { return index; }
    void externalReset() override {
        if (state == State::Inactive) return;
        stale = true;
        notify(Event::DataChanged);
    }
    void rolledBack(std::uint64_t serial) override {
        if ((state == State::Edit || state == State::Insert) && pendingTransaction >= serial) cancel();
    }
    void finishPending() override {
        if (state != State::Edit && state != State::Insert) return;
        if (isModified)
            q->post();
        else
            q->cancel();
    }
    void databaseClosed() override {
        registered = false;
        if (state == State::Inactive) return;
        dropSnapshot();
        state = State::Inactive;
        notify(Event::StateChanged);
        notify(Event::Closed);
    }

    // ---- helpers ------------------------------------------------------------------
    Database::Impl& db() const { return *Database::instance().impl(); }

    void notify(Event event) {
        const auto copy = listeners;
        for (const auto& listener : copy)
            listener.second(event);
    }

    void unregister() {
        if (!registered || !Database::isOpen()) return;
        auto& observers = db().observers;
        observers.erase(std::remove(observers.begin(), observers.end(), this), observers.end());
        registered = false;
    }

    [[noreturn]] void fail(const QString& what) const { db().fail(index, what); }

    void checkActive() const {
        if (state == State::Inactive)
            throw EDatabaseError(
                QStringLiteral("Tabela „%1” nie jest otwarta").arg(layout ? layout->name : name));
    }

    void setName(const QString& fileName) {
        name = fileName;
        names.clear();
        if (fileName.isEmpty()) {
            layout = nullptr;
            index = -1;
            return;
        }
        layout = layoutFor(fileName);
        if (!layout) throw EDatabaseError(QStringLiteral("Nieznana tabela „%1”").arg(fileName));
        index = detail::layoutIndex(layout);
        for (int i = 0; i < layout->fields.size(); ++i)
            names.insert(layout->fields[i].name, i);
    }

    int fieldIndex(const QString& fieldName) const {
        if (!layout)
            throw EDatabaseError(QStringLiteral("Tabela nie ma nazwy: brak pola „%1”").arg(fieldName));
        auto it = names.constFind(fieldName);
        if (it != names.constEnd()) return it.value();
        const int i = layout->fieldIndex(fieldName);
        if (i < 0)
            throw EDatabaseError(QStringLiteral("Tabela „%1” nie ma pola „%2”").arg(layout->name, fieldName));
        return i;
    }

    void buildSql() {
        qualified = detail::qualifiedName(*layout);
        QStringList columns;
        for (const FieldDef& field : layout->fields)
            columns << detail::quoteIdentifier(field.name);
        columnList = columns.join(QLatin1String(", "));
        const QString order = detail::quoteIdentifier(QLatin1String(detail::kOrderColumn));
        if (layout->key.isEmpty()) {
            orderBy = order + QLatin1String(", rowid");
        } else if (detail::autoIncKey(*layout)) {
            orderBy = QStringLiteral("rowid");
        } else {
            QStringList key;
            for (const QString& k : layout->key)
                key << detail::quoteIdentifier(k);
            orderBy = key.join(QLatin1String(", "));
        }
        QStringList marks;
        for (int i = 0; i < kBlock; ++i)
            marks << QStringLiteral("?");
        fetchIn = QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid IN (%3)")
                      .arg(columnList, qualified, marks.join(u','));
        fetchRange = QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid BETWEEN ?1 AND ?2")
                         .arg(columnList, qualified);
        QStringList insertMarks;
        for (int i = 0; i < layout->fields.size(); ++i)
            insertMarks << QStringLiteral("?");
        QString insertColumns = columnList;
        if (layout->key.isEmpty()) {
            insertColumns += QLatin1String(", ") + order;
            insertMarks << QStringLiteral("?");
        }
        insertSql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                        .arg(qualified, insertColumns, insertMarks.join(u','));
        if (!layout->key.isEmpty() && !detail::autoIncKey(*layout)) {
            QStringList key;
            QStringList same;
            int n = 1;
            for (const QString& k : layout->key) {
                key << detail::quoteIdentifier(k);
                same << QStringLiteral("%1 IS ?%2").arg(detail::quoteIdentifier(k)).arg(n++);
            }
            keySql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?1")
                         .arg(key.join(QLatin1String(", ")), qualified);
            duplicateSql = QStringLiteral("SELECT 1 FROM %1 WHERE %2 AND rowid <> ?%3")
                               .arg(qualified, same.join(QLatin1String(" AND ")))
                               .arg(n);
        } else {
            keySql.clear();
            duplicateSql.clear();
        }
    }

    sqlite3_stmt* statement(const QString& sql) { return db().statement(index, sql); }

    void step(sqlite3_stmt* s) {
        const int rc = sqlite3_step(s);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) fail(detail::sqliteMessage(db().db));
    }

    void clearCache() {
        store.reset(int(layout->fields.size()));
        slotOf.clear();
        memoPos = -1;
        memoSlot = -1;
    }

    void dropSnapshot() {
        rows.clear();
        pos = 0;
        atEof = atBof = true;
        pending.clear();
        isModified = false;
        if (layout) clearCache();
    }

    void loadSnapshot() {
        QString sql = QStringLiteral("SELECT rowid FROM %1").arg(qualified);
        if (filterOn && !whereSql.isEmpty()) sql += QLatin1String(" WHERE ") + whereSql;
        sql += QLatin1String(" ORDER BY ") + orderBy;
        sqlite3_stmt* s = statement(sql);
        StatementUse use(s);
        if (filterOn)
            for (size_t i = 0; i < whereValues.size(); ++i)
                detail::bindValue(s, int(i) + 1, whereValues[i]);
        rows.clear();
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW)
            rows.push_back(sqlite3_column_int64(s, 0));
        if (rc != SQLITE_DONE) fail(detail::sqliteMessage(db().db));
        clearCache();
        stale = false;
    }

    void reloadKeepingRow() {
        const bool hadRows = !rows.empty();
        const std::int64_t current = hadRows ? rows[size_t(pos)] : 0;
        const int oldPos = pos;
        loadSnapshot();
        if (rows.empty()) {
            pos = 0;
            atEof = atBof = true;
            return;
        }
        auto it = hadRows ? std::find(rows.begin(), rows.end(), current) : rows.end();
        pos = it != rows.end() ? int(it - rows.begin()) : std::min(oldPos, int(rows.size()) - 1);
        atEof = atBof = false;
    }

    void ensureFresh() {
        if (stale && state != State::Inactive) reloadKeepingRow();
    }

    // The store slot of the current row, reading a block of rows around it
    // when it is not cached yet.
    int currentSlot() {
        if (rows.empty()) return -1;
        if (memoPos == pos && memoSlot >= 0) return memoSlot;
        memoSlot = slotAt(pos);
        memoPos = pos;
        return memoSlot;
    }

    int slotAt(int at) {
        auto it = slotOf.constFind(rows[size_t(at)]);
        if (it == slotOf.constEnd()) {
            fetchBlock(at);
            it = slotOf.constFind(rows[size_t(at)]);
            memoPos = -1;
        }
        return it.value();
    }

    void fetchBlock(int at) {
        if (store.rowCount() > 4 * kBlock) clearCache();
        const int n = int(rows.size());
        const int start = backward ? std::max(0, at - kBlock + 1) : at;
        const int end = std::min(n, start + kBlock);
        std::vector<std::int64_t> wanted;
        wanted.reserve(size_t(end - start));
        for (int i = start; i < end; ++i)
            if (!slotOf.contains(rows[size_t(i)])) wanted.push_back(rows[size_t(i)]);
        std::sort(wanted.begin(), wanted.end());
        wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
        if (wanted.empty()) return;
        // Rows added in order lie side by side in the file: one range scan
        // reads them faster than a lookup for each.
        const bool dense = wanted.back() - wanted.front() < std::int64_t(2 * kBlock);
        sqlite3_stmt* s = statement(dense ? fetchRange : fetchIn);
        StatementUse use(s);
        if (dense) {
            sqlite3_bind_int64(s, 1, wanted.front());
            sqlite3_bind_int64(s, 2, wanted.back());
        } else {
            for (int i = 0; i < kBlock; ++i) {
                if (i < int(wanted.size()))
                    sqlite3_bind_int64(s, i + 1, wanted[size_t(i)]);
                else
                    sqlite3_bind_null(s, i + 1);
            }
        }
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
            const std::int64_t rowid = sqlite3_column_int64(s, 0);
            if (dense && !std::binary_search(wanted.begin(), wanted.end(), rowid)) continue;
            if (!slotOf.contains(rowid)) slotOf.insert(rowid, store.addFromStatement(s, 1));
        }
        if (rc != SQLITE_DONE) fail(detail::sqliteMessage(db().db));
        // A row another view deleted reads as empty until the next refresh.
        for (std::int64_t rowid : wanted)
            if (!slotOf.contains(rowid)) slotOf.insert(rowid, store.addNulls());
    }

    std::vector<Value> currentValues() {
        std::vector<Value> values(size_t(layout->fields.size()));
        const int slot = currentSlot();
        if (slot >= 0)
            for (int i = 0; i < layout->fields.size(); ++i)
                values[size_t(i)] = detail::toValue(store.cell(slot, i));
        return values;
    }

    void scrolled() {
        notify(Event::Scrolled);
        if (q->afterScroll) q->afterScroll(*q);
    }

    // Leaves edit or insert: a changed row is posted, an untouched one dropped.
    void browseMode() {
        if (state != State::Edit && state != State::Insert) return;
        notify(Event::UpdateRecord);
        if (state != State::Edit && state != State::Insert) return;
        if (isModified)
            q->post();
        else
            q->cancel();
    }

    void beginInsert(bool atEnd) {
        checkActive();
        ensureFresh();
        browseMode();
        if (q->beforeInsert) q->beforeInsert(*q);
        savedPos = pos;
        insertAtEnd = atEnd || rows.empty() || atEof;
        insertAt = insertAtEnd ? int(rows.size()) : pos;
        pending.assign(size_t(layout->fields.size()), Value());
        dirty.assign(size_t(layout->fields.size()), false);
        isModified = false;
        pendingTransaction = db().currentTransaction();
        state = State::Insert;
        notify(Event::StateChanged);
        notify(Event::DataChanged);
        if (q->afterInsert) q->afterInsert(*q);
        if (q->afterScroll) q->afterScroll(*q);
    }

    std::vector<Value> keyOf(std::int64_t rowid) {
        std::vector<Value> key(size_t(layout->key.size()));
        sqlite3_stmt* s = statement(keySql);
        StatementUse use(s);
        sqlite3_bind_int64(s, 1, rowid);
        const int rc = sqlite3_step(s);
        if (rc == SQLITE_ROW) {
            detail::RowStore one;
            one.reset(int(key.size()));
            one.addFromStatement(s, 0);
            for (size_t k = 0; k < key.size(); ++k)
                key[k] = detail::toValue(one.cell(0, int(k)));
        } else if (rc != SQLITE_DONE) {
            fail(detail::sqliteMessage(db().db));
        }
        return key;
    }

    std::vector<Value> pendingKey() const {
        std::vector<Value> key;
        for (const QString& k : layout->key)
            key.push_back(pending[size_t(layout->fieldIndex(k))]);
        return key;
    }

    static int compareKeys(const std::vector<Value>& a, const std::vector<Value>& b) {
        for (size_t i = 0; i < a.size(); ++i)
            if (int r = compareValues(a[i], b[i])) return r;
        return 0;
    }

    // Where a row of this key stands in the snapshot of a keyed table.
    int keyPosition(const std::vector<Value>& key) {
        if (detail::autoIncKey(*layout)) {
            const std::int64_t rowid = key.front().i;
            return int(std::upper_bound(rows.begin(), rows.end(), rowid) - rows.begin());
        }
        int lo = 0;
        int hi = int(rows.size());
        if (hi > 0 && compareKeys(keyOf(rows.back()), key) <= 0) return hi;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (compareKeys(keyOf(rows[size_t(mid)]), key) <= 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    }

    [[noreturn]] void keyViolation() const {
        throw EDatabaseError(
            QStringLiteral("Naruszenie klucza: w tabeli „%1” istnieje już wiersz o tym kluczu")
                .arg(layout->name));
    }

    void checkDuplicate(std::int64_t ownRowid) {
        if (duplicateSql.isEmpty()) return;
        const std::vector<Value> key = pendingKey();
        sqlite3_stmt* s = statement(duplicateSql);
        StatementUse use(s);
        for (size_t k = 0; k < key.size(); ++k)
            detail::bindValue(s, int(k) + 1, key[k]);
        sqlite3_bind_int64(s, int(key.size()) + 1, ownRowid);
        const int rc = sqlite3_step(s);
        if (rc == SQLITE_ROW) keyViolation();
        if (rc != SQLITE_DONE) fail(detail::sqliteMessage(db().db));
    }

    std::int64_t singleInt(const QString& sql, const std::int64_t* argument, bool& isNull) {
        sqlite3_stmt* s = statement(sql);
        StatementUse use(s);
        if (argument) sqlite3_bind_int64(s, 1, *argument);
        const int rc = sqlite3_step(s);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) fail(detail::sqliteMessage(db().db));
        isNull = rc == SQLITE_DONE || sqlite3_column_type(s, 0) == SQLITE_NULL;
        return isNull ? 0 : sqlite3_column_int64(s, 0);
    }

    // The order value of a new row of a keyless table: after every row, or
    // between the current row and the one before it in the whole file.
    std::int64_t newOrder() {
        const QString order = detail::quoteIdentifier(QLatin1String(detail::kOrderColumn));
        bool isNull = false;
        if (insertAtEnd || insertAt >= int(rows.size())) {
            const std::int64_t last =
                singleInt(QStringLiteral("SELECT max(%1) FROM %2").arg(order, qualified), nullptr, isNull);
            return isNull ? detail::kOrderStep : last + detail::kOrderStep;
        }
        const std::int64_t before = rows[size_t(insertAt)];
        for (int attempt = 0; attempt < 2; ++attempt) {
            const std::int64_t current = singleInt(
                QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?1").arg(order, qualified), &before, isNull);
            if (isNull) break;
            const std::int64_t previous =
                singleInt(QStringLiteral("SELECT max(%1) FROM %2 WHERE %1 < ?1").arg(order, qualified),
                          &current, isNull);
            const std::int64_t low = isNull ? current - 2 * detail::kOrderStep : previous;
            if (current - low >= 2) return low + (current - low) / 2;
            // No room left between the two rows: spread the whole table out again.
            db().execOn(index, QStringLiteral("UPDATE %1 SET %2 = r.n * %3 FROM (SELECT rowid AS id, "
                                              "row_number() OVER (ORDER BY %2, rowid) AS n FROM %1) AS r "
                                              "WHERE %1.rowid = r.id")
                                   .arg(qualified, order)
                                   .arg(detail::kOrderStep));
        }
        insertAtEnd = true;
        return newOrder();
    }

    void post() {
        checkActive();
        if (state != State::Edit && state != State::Insert) return;
        // Bound controls write the text the operator left in them first.
        notify(Event::UpdateRecord);
        if (state != State::Edit && state != State::Insert) return;
        if (q->beforePost) q->beforePost(*q);
        if (state != State::Edit && state != State::Insert)
            return; // the handler has posted or cancelled the row itself
        std::int64_t rowid = 0;
        if (state == State::Insert) {
            checkDuplicate(0);
            const std::int64_t order = layout->key.isEmpty() ? newOrder() : 0;
            sqlite3_stmt* s = statement(insertSql);
            {
                StatementUse use(s);
                for (size_t i = 0; i < pending.size(); ++i)
                    detail::bindValue(s, int(i) + 1, pending[i]);
                if (layout->key.isEmpty()) sqlite3_bind_int64(s, int(pending.size()) + 1, order);
                const int rc = sqlite3_step(s);
                if ((rc & 0xFF) == SQLITE_CONSTRAINT) keyViolation();
                if (rc != SQLITE_DONE) fail(detail::sqliteMessage(db().db));
            }
            rowid = sqlite3_last_insert_rowid(db().db);
            const int autoInc = detail::autoIncField(*layout);
            if (autoInc >= 0) pending[size_t(autoInc)] = Value::ofInt(rowid);
            int at;
            if (layout->key.isEmpty())
                at = insertAtEnd ? int(rows.size()) : std::min(insertAt, int(rows.size()));
            else
                at = keyPosition(pendingKey());
            rows.insert(rows.begin() + at, rowid);
            pos = at;
        } else {
            rowid = editRowid;
            QStringList sets;
            std::vector<int> changed;
            bool keyChanged = false;
            for (int i = 0; i < int(pending.size()); ++i) {
                if (!dirty[size_t(i)]) continue;
                changed.push_back(i);
                sets << detail::quoteIdentifier(layout->fields[i].name) + QLatin1String(" = ?");
                if (layout->key.contains(layout->fields[i].name)) keyChanged = true;
            }
            if (!changed.empty()) {
                if (keyChanged) checkDuplicate(rowid);
                const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                        .arg(qualified, sets.join(QLatin1String(", ")));
                sqlite3_stmt* s = statement(sql);
                StatementUse use(s);
                int n = 1;
                for (int i : changed)
                    detail::bindValue(s, n++, pending[size_t(i)]);
                sqlite3_bind_int64(s, n, rowid);
                const int rc = sqlite3_step(s);
                if ((rc & 0xFF) == SQLITE_CONSTRAINT) keyViolation();
                if (rc != SQLITE_DONE) fail(detail::sqliteMessage(db().db));
                if (sqlite3_changes(db().db) == 0)
                    fail(QStringLiteral("wiersz został w międzyczasie usunięty"));
            }
            if (keyChanged && !layout->key.isEmpty()) {
                auto it = std::find(rows.begin(), rows.end(), rowid);
                if (it != rows.end()) rows.erase(it);
                const int at = keyPosition(pendingKey());
                rows.insert(rows.begin() + at, rowid);
                pos = at;
            }
        }
        if (store.rowCount() > 4 * kBlock) clearCache();
        slotOf.insert(rowid, store.addValues(pending));
        memoPos = -1;
        pending.clear();
        isModified = false;
        atEof = atBof = false;
        state = State::Browse;
        notify(Event::StateChanged);
        notify(Event::DataChanged);
        if (q->afterPost) q->afterPost(*q);
    }

    void cancel() {
        if (state == State::Insert) {
            pos = rows.empty() ? 0 : std::min(savedPos, int(rows.size()) - 1);
        } else if (state != State::Edit) {
            return;
        }
        pending.clear();
        isModified = false;
        state = State::Browse;
        notify(Event::StateChanged);
        notify(Event::DataChanged);
    }

    void applyFilterChange() {
        if (state == State::Inactive) return;
        loadSnapshot();
        pos = 0;
        atBof = true;
        atEof = rows.empty();
        backward = false;
        notify(Event::DataChanged);
        scrolled();
    }
};

// ---- Table ------------------------------------------------------------------------

Table::Table(const QString& fileName) : m_impl(std::make_unique<Impl>()) {
    m_impl->q = this;
    m_impl->setName(fileName);
}

// Whoever still listens (a data source of a form) lets go of the table now:
// its last event is Closed with the file name cleared, which no close() sends.
Table::~Table() {
    if (m_impl->listeners.empty()) return;
    m_impl->name.clear();
    m_impl->notify(Event::Closed);
}

void Table::setTableName(const QString& fileName) {
    if (m_impl->state != State::Inactive) close();
    m_impl->setName(fileName);
}

QString Table::tableName() const {
    return m_impl->name;
}

const TableLayout& Table::layout() const {
    return m_impl->layout ? *m_impl->layout : emptyLayout();
}

void Table::open() {
    Impl& d = *m_impl;
    if (d.state != State::Inactive) return;
    if (!d.layout) throw EDatabaseError(QStringLiteral("Nie podano nazwy tabeli do otwarcia"));
    Database::Impl& db = d.db();
    db.attach(d.index);
    d.buildSql();
    d.clearCache();
    d.loadSnapshot();
    if (!d.registered) {
        db.observers.push_back(&d);
        d.registered = true;
    }
    d.pos = 0;
    d.atBof = true;
    d.atEof = d.rows.empty();
    d.backward = false;
    d.state = State::Browse;
    d.notify(Event::StateChanged);
    d.notify(Event::DataChanged);
    if (afterScroll) afterScroll(*this);
}

void Table::close() {
    Impl& d = *m_impl;
    if (d.state == State::Inactive) return;
    d.unregister();
    d.dropSnapshot();
    d.state = State::Inactive;
    d.notify(Event::StateChanged);
    d.notify(Event::Closed);
}

bool Table::active() const {
    return m_impl->state != State::Inactive;
}

void Table::first() {
    Impl& d = *m_impl;
    d.checkActive();
    d.ensureFresh();
    d.browseMode();
    d.pos = 0;
    d.atBof = true;
    d.atEof = d.rows.empty();
    d.backward = false;
    d.scrolled();
}

void Table::prior() {
    Impl& d = *m_impl;
    d.checkActive();
    d.ensureFresh();
    d.browseMode();
    if (d.rows.empty() || d.pos == 0) {
        d.atBof = true;
    } else {
        --d.pos;
        d.atBof = d.atEof = false;
    }
    d.backward = true;
    d.scrolled();
}

void Table::next() {
    Impl& d = *m_impl;
    d.checkActive();
    d.ensureFresh();
    d.browseMode();
    if (d.rows.empty() || d.pos + 1 >= int(d.rows.size())) {
        d.atEof = true;
    } else {
        ++d.pos;
        d.atBof = d.atEof = false;
    }
    d.backward = false;
    d.scrolled();
}

void Table::last() {
    Impl& d = *m_impl;
    d.checkActive();
    d.ensureFresh();
    d.browseMode();
    d.pos = d.rows.empty() ? 0 : int(d.rows.size()) - 1;
    d.atEof = d.rows.empty();
    d.atBof = d.rows.empty();
    d.backward = true;
    d.scrolled();
}

bool Table::eof() const {
    Impl& d = *m_impl;
    if (d.state == State::Inactive) return true;
    d.ensureFresh();
    if (d.state == State::Insert) return false;
    return d.rows.empty() || d.atEof;
}

bool Table::bof() const {
    Impl& d = *m_impl;
    if (d.state == State::Inactive) return true;
    d.ensureFresh();
    if (d.state == State::Insert) return false;
    return d.rows.empty() || d.atBof;
}

int Table::recordCount() const {
    Impl& d = *m_impl;
    if (d.state == State::Inactive) return 0;
    d.ensureFresh();
    return int(d.rows.size());
}

int Table::recNo() const {
    Impl& d = *m_impl;
    if (d.state == State::Inactive) return 0;
    d.ensureFresh();
    if (d.state == State::Insert) return d.insertAt + 1;
    return d.rows.empty() ? 0 : d.pos + 1;
}

bool Table::moveTo(int recNo) {
    Impl& d = *m_impl;
    d.checkActive();
    d.ensureFresh();
    d.browseMode();
    if (recNo < 1 || recNo > int(d.rows.size())) return false;
    d.backward = recNo - 1 < d.pos;
    d.pos = recNo - 1;
    d.atBof = d.atEof = false;
    d.scrolled();
    return true;
}

QVariant Table::valueAt(int recNo, int fieldIndex) const {
    Impl& d = *m_impl;
    if (d.state == State::Inactive || fieldIndex < 0 || fieldIndex >= fieldCount()) return {};
    d.ensureFresh();
    if (recNo < 1 || recNo > int(d.rows.size())) return {};
    const int slot = d.slotAt(recNo - 1);
    const CellRef cell = d.store.cell(slot, fieldIndex);
    if (cell.kind == CellKind::Null) return {};
    switch (d.layout->fields[fieldIndex].type) {
    case FieldType::Alpha:
        if (cell.kind == CellKind::Text) return cell.toText();
        return cell.kind == CellKind::Int ? QVariant(QString::number(cell.i))
                                          : QVariant(QString::number(cell.d));
    case FieldType::Long:
    case FieldType::AutoInc:
        return cell.kind == CellKind::Int ? QVariant(qlonglong(cell.i))
                                          : QVariant(qlonglong(std::llround(cell.d)));
    case FieldType::Number:
    case FieldType::Money:
        return cell.kind == CellKind::Int ? double(cell.i) : cell.d;
    case FieldType::Date:
        return QDate::fromString(cell.toText(), Qt::ISODate);
    }
    return {};
}

void Table::append() {
    m_impl->beginInsert(true);
}

void Table::insert() {
    m_impl->beginInsert(false);
}

void Table::edit() {
    Impl& d = *m_impl;
    d.checkActive();
    d.ensureFresh();
    if (d.state == State::Edit || d.state == State::Insert) return;
    if (d.rows.empty()) {
        insert();
        return;
    }
    d.pending = d.currentValues();
    d.dirty.assign(d.pending.size(), false);
    d.editRowid = d.rows[size_t(d.pos)];
    d.isModified = false;
    d.pendingTransaction = d.db().currentTransaction();
    d.state = State::Edit;
    d.notify(Event::StateChanged);
}

void Table::post() {
    m_impl->post();
}

void Table::cancel() {
    m_impl->cancel();
}

void Table::remove() {
    Impl& d = *m_impl;
    d.checkActive();
    d.ensureFresh();
    if (d.state == State::Insert) {
        d.cancel();
        return;
    }
    if (d.state == State::Edit) d.cancel();
    if (d.rows.empty())
        throw EDatabaseError(
            QStringLiteral("Tabela „%1” jest pusta: nie ma wiersza do usunięcia").arg(d.layout->name));
    const std::int64_t rowid = d.rows[size_t(d.pos)];
    {
        sqlite3_stmt* s = d.statement(QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(d.qualified));
        StatementUse use(s);
        sqlite3_bind_int64(s, 1, rowid);
        d.step(s);
    }
    d.rows.erase(d.rows.begin() + d.pos);
    d.slotOf.remove(rowid);
    d.memoPos = -1;
    const bool wasLast = d.pos >= int(d.rows.size());
    if (wasLast) d.pos = std::max(0, int(d.rows.size()) - 1);
    d.atEof = wasLast || d.rows.empty();
    d.atBof = d.rows.empty();
    d.notify(Event::DataChanged);
    d.scrolled();
}

void Table::refresh() {
    Impl& d = *m_impl;
    d.checkActive();
    d.browseMode();
    d.reloadKeepingRow();
    d.notify(Event::DataChanged);
}

void Table::emptyTable() {
    Impl& d = *m_impl;
    if (!d.layout) throw EDatabaseError(QStringLiteral("Nie podano nazwy tabeli do opróżnienia"));
    if (d.state == State::Edit || d.state == State::Insert) d.cancel();
    Database::Impl& db = d.db();
    db.attach(d.index);
    db.execOn(d.index, QStringLiteral("DELETE FROM %1").arg(detail::qualifiedName(*d.layout)));
    if (d.state != State::Inactive) {
        d.rows.clear();
        d.clearCache();
        d.pos = 0;
        d.atEof = d.atBof = true;
    }
    // Other views of the file re-read it rather than show rows that are gone.
    for (detail::TableObserver* observer : std::vector<detail::TableObserver*>(db.observers))
        if (observer != &d && observer->observedLayout() == d.index) observer->externalReset();
    if (d.state != State::Inactive) d.notify(Event::DataChanged);
}

Table::State Table::state() const {
    return m_impl->state;
}

bool Table::modified() const {
    return (m_impl->state == State::Edit || m_impl->state == State::Insert) && m_impl->isModified;
}

Field Table::fieldByName(const QString& name) {
    return Field(m_impl.get(), m_impl->fieldIndex(name));
}

int Table::fieldCount() const {
    return m_impl->layout ? int(m_impl->layout->fields.size()) : 0;
}

Field Table::field(int index) {
    if (index < 0 || index >= fieldCount())
        throw EDatabaseError(QStringLiteral("Tabela „%1” nie ma pola numer %2").arg(tableName()).arg(index));
    return Field(m_impl.get(), index);
}

void Table::setFilter(const QVector<FilterTerm>& terms) {
    Impl& d = *m_impl;
    if (!d.layout) throw EDatabaseError(QStringLiteral("Nie podano nazwy tabeli dla filtru"));
    if (d.state != State::Inactive) {
        d.ensureFresh();
        d.browseMode();
    }
    QString where;
    std::vector<Value> values;
    detail::compileFilter(*d.layout, terms, where, values);
    d.terms = terms;
    d.whereSql = where;
    d.whereValues = std::move(values);
    if (d.filterOn) d.applyFilterChange();
}

void Table::setFiltered(bool on) {
    Impl& d = *m_impl;
    if (d.state != State::Inactive) {
        d.ensureFresh();
        d.browseMode();
    }
    if (d.filterOn == on) return;
    d.filterOn = on;
    d.applyFilterChange();
}

bool Table::filtered() const {
    return m_impl->filterOn;
}

void Table::createTable(const QVector<FieldDef>& fields) {
    Impl& d = *m_impl;
    if (!d.layout) throw EDatabaseError(QStringLiteral("Nie podano nazwy tabeli do utworzenia"));
    const TableLayout& layout = *d.layout;
    bool same = fields.size() == layout.fields.size();
    for (int i = 0; same && i < fields.size(); ++i)
        same = fields[i].name.compare(layout.fields[i].name, Qt::CaseInsensitive) == 0 &&
               fields[i].type == layout.fields[i].type &&
               (fields[i].type != FieldType::Alpha || fields[i].size == layout.fields[i].size);
    if (!same)
        throw EDatabaseError(
            QStringLiteral("Tabela „%1” może mieć tylko swój własny układ pól").arg(layout.fileName));
    close();
    Database::Impl& db = d.db();
    db.createFile(d.index, QString());
    db.resetObservers(d.index);
}

int Table::addListener(std::function<void(Event)> listener) {
    const int handle = m_impl->nextHandle++;
    m_impl->listeners.emplace_back(handle, std::move(listener));
    return handle;
}

void Table::removeListener(int handle) {
    auto& listeners = m_impl->listeners;
    listeners.erase(std::remove_if(listeners.begin(), listeners.end(),
                                   [handle](const auto& entry) { return entry.first == handle; }),
                    listeners.end());
}

} // namespace tv
