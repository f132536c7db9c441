// Table layouts: the registry the areas fill at start, and the SQL texts
// that create and reach a table of a layout.

#include <algorithm>
#include <deque>

#include "platform/table.h"
#include "platform/table_internal.h"

namespace tv {

int TableLayout::fieldIndex(const QString& fieldName) const {
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

TableLayout TableLayout::of(const char* name, const char* fileName, QVector<FieldDef> fields, QStringList key,
                            QStringList indexes) {
    TableLayout layout;
    layout.name = QString::fromLatin1(name);
    layout.fileName = QString::fromLatin1(fileName);
    layout.fields = std::move(fields);
    layout.key = std::move(key);
    layout.indexes = std::move(indexes);
    return layout;
}

namespace {

// Never destroyed: cursors and the connection refer to layouts until the very
// end of the process, whatever order the statics go in.
std::deque<TableLayout>& registry() {
    static auto* layouts = new std::deque<TableLayout>;
    return *layouts;
}

QString bareName(const QString& fileName) {
    QString name = fileName;
    const int slash = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    if (slash >= 0) name = name.mid(slash + 1);
    if (name.endsWith(QLatin1String(".db"), Qt::CaseInsensitive)) name.chop(3);
    return name;
}

} // namespace

void registerLayouts(const QVector<TableLayout>& layouts) {
    for (const TableLayout& layout : layouts) {
        if (layoutFor(layout.name)) continue;
        if (Database::isOpen())
            throw EDatabaseError(
                QStringLiteral("Tabela „%1” zgłoszona po otwarciu tabel").arg(layout.fileName));
        registry().push_back(layout);
    }
}

const std::deque<TableLayout>& allLayouts() {
    return registry();
}

const TableLayout* layoutFor(const QString& fileName) {
    const QString name = bareName(fileName);
    for (const TableLayout& layout : registry())
        if (layout.name.compare(name, Qt::CaseInsensitive) == 0) return &layout;
    return nullptr;
}

namespace detail {

const char* const kOrderColumn = "_tv_ord";

int layoutIndex(const TableLayout* layout) {
    const std::deque<TableLayout>& layouts = registry();
    for (size_t i = 0; i < layouts.size(); ++i)
        if (&layouts[i] == layout) return int(i);
    return -1;
}

QString quoteIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace(u'"', QLatin1String("\"\""));
    return u'"' + quoted + u'"';
}

QString schemaName(const TableLayout& layout) {
    return QLatin1String("db_") + layout.name;
}

QString qualifiedName(const TableLayout& layout) {
    return quoteIdentifier(schemaName(layout)) + u'.' + quoteIdentifier(layout.name);
}

QString declaredType(const FieldDef& field) {
    switch (field.type) {
    case FieldType::Alpha:
        return QStringLiteral("VARCHAR(%1)").arg(field.size);
    case FieldType::Long:
        return QStringLiteral("INTEGER");
    case FieldType::Number:
        return QStringLiteral("DOUBLE");
    case FieldType::Money:
        return QStringLiteral("MONEY REAL");
    case FieldType::Date:
        return QStringLiteral("DATE");
    case FieldType::AutoInc:
        return QStringLiteral("INTEGER");
    }
    return {};
}

FieldDef fieldFromDeclaredType(const QString& name, const char* declared) {
    FieldDef def;
    def.name = name;
    def.type = FieldType::Alpha;
    if (!declared) return def;
    const QString type = QString::fromLatin1(declared).trimmed().toUpper();
    if (type.startsWith(QLatin1String("VARCHAR"))) {
        const int open = type.indexOf(u'(');
        def.size = open > 0 ? type.mid(open + 1).chopped(1).toInt() : 0;
    } else if (type == QLatin1String("INTEGER")) {
        def.type = FieldType::Long;
    } else if (type == QLatin1String("DOUBLE")) {
        def.type = FieldType::Number;
    } else if (type == QLatin1String("MONEY REAL")) {
        def.type = FieldType::Money;
    } else if (type == QLatin1String("DATE")) {
        def.type = FieldType::Date;
    }
    return def;
}

int autoIncField(const TableLayout& layout) {
    for (int i = 0; i < layout.fields.size(); ++i)
        if (layout.fields[i].type == FieldType::AutoInc) return i;
    return -1;
}

bool autoIncKey(const TableLayout& layout) {
    if (layout.key.size() != 1) return false;
    const int index = layout.fieldIndex(layout.key.first());
    return index >= 0 && layout.fields[index].type == FieldType::AutoInc;
}

QString createTableSql(const TableLayout& layout, const QString& tableName) {
    QStringList columns;
    for (const FieldDef& field : layout.fields) {
        QString column = quoteIdentifier(field.name) + u' ' + declaredType(field);
        if (field.type == FieldType::Alpha) column += QLatin1String(" COLLATE ") + QLatin1String(kCollation);
        if (field.type == FieldType::AutoInc) column += QLatin1String(" PRIMARY KEY AUTOINCREMENT");
        columns << column;
    }
    if (layout.key.isEmpty())
        columns << quoteIdentifier(QLatin1String(kOrderColumn)) + QLatin1String(" INTEGER");
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(tableName, columns.join(QLatin1String(", ")));
}

QStringList createIndexSql(const TableLayout& layout, const QString& schemaPrefix) {
    QStringList sql;
    const QString table = quoteIdentifier(layout.name);
    auto indexName = [&](const QString& suffix) {
        return schemaPrefix + quoteIdentifier(layout.name + QLatin1String("_") + suffix);
    };
    const QString order = quoteIdentifier(QLatin1String(kOrderColumn));
    if (!layout.key.isEmpty() && !autoIncKey(layout)) {
        QStringList key;
        for (const QString& k : layout.key)
            key << quoteIdentifier(k);
        sql << QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                   .arg(indexName(QStringLiteral("klucz")), table, key.join(QLatin1String(", ")));
    }
    if (layout.key.isEmpty()) {
        sql << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                   .arg(indexName(QStringLiteral("kolejnosc")), table, order);
        // A row added by a plain INSERT without an order goes to the end.
        sql << QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1 AFTER INSERT ON %2 WHEN new.%3 IS NULL BEGIN "
                              "UPDATE %2 SET %3 = (SELECT coalesce(max(%3), 0) FROM %2) + %4 "
                              "WHERE rowid = new.rowid; END")
                   .arg(indexName(QStringLiteral("dopisz")), table, order)
                   .arg(kOrderStep);
    }
    for (const QString& field : layout.indexes) {
        sql << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3%4)")
                   .arg(indexName(field), table, quoteIdentifier(field),
                        layout.key.isEmpty() ? QLatin1String(", ") + order : QString());
    }
    return sql;
}

bool isBusy(int resultCode) {
    return (resultCode & 0xFF) == SQLITE_BUSY || (resultCode & 0xFF) == SQLITE_LOCKED;
}

QString sqliteMessage(sqlite3* db) {
    // A file another copy of the program keeps locked is not at fault.
    if (isBusy(sqlite3_extended_errcode(db))) return busyDetail();
    return QString::fromUtf8(sqlite3_errmsg(db));
}

QString busyDetail() {
    return QStringLiteral(
               "folder roboczy jest używany przez inną kopię programu (plik zajęty dłużej niż %1 s)")
        .arg(kBusyTimeoutMs / 1000);
}

} // namespace detail
} // namespace tv
