// The layouts of every table of the program, the Polish collation and the
// small SQL helpers the cursor, query and connection share.

#include <algorithm>
#include <array>
#include <cstring>

#include <QChar>

#include "platform/table.h"
#include "platform/table_internal.h"

namespace tv {

int TableLayout::fieldIndex(const QString& fieldName) const {
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

namespace {

FieldDef alpha(const char* name, int size) {
    return {QString::fromLatin1(name), FieldType::Alpha, size};
}
FieldDef longInt(const char* name) {
    return {QString::fromLatin1(name), FieldType::Long, 0};
}
FieldDef number(const char* name) {
    return {QString::fromLatin1(name), FieldType::Number, 0};
}
FieldDef money(const char* name) {
    return {QString::fromLatin1(name), FieldType::Money, 0};
}
FieldDef date(const char* name) {
    return {QString::fromLatin1(name), FieldType::Date, 0};
}
FieldDef autoInc(const char* name) {
    return {QString::fromLatin1(name), FieldType::AutoInc, 0};
}

QVector<FieldDef> customerFields() {
    return {alpha("Id", 10),     longInt("Nr"),        alpha("Nazwisko", 50),
            alpha("Firma", 100), alpha("Ulica", 40),   alpha("Miejscowosc", 35),
            alpha("Kod", 10),    alpha("Telefon", 15), alpha("Faks", 15),
            alpha("Email", 40),  alpha("NIP", 13),     alpha("REGON", 30),
            alpha("Bank", 50),   alpha("Nr_rku", 60),  number("Rabat"),
            alpha("Uwagi", 150), alpha("Kraj", 150)};
}

QVector<FieldDef> invoiceLineFields() {
    return {longInt("Lp"),       alpha("Nazwa", 255), number("Ilosc"),   alpha("VAT", 3),
            alpha("Jm", 10),     money("Netto"),      money("KwotaVAT"), money("Brutto"),
            money("Netto_jedn"), alpha("PKWiU", 20),  alpha("Klasa", 3)};
}

TableLayout makeLayout(const char* name, const char* fileName, QVector<FieldDef> fields, QStringList key,
                       bool durable = true) {
    TableLayout layout;
    layout.name = QString::fromLatin1(name);
    layout.fileName = QString::fromLatin1(fileName);
    layout.fields = std::move(fields);
    layout.key = std::move(key);
    layout.durable = durable;
    return layout;
}

QVector<TableLayout> buildLayouts() {
    QVector<TableLayout> all;
    all << makeLayout("kontrahenci", "kontrahenci.db", customerFields(), {"Id", "Nr"});
    all << makeLayout("tabletemp", "tabletemp.DB", customerFields(), {}, false);
    all << makeLayout("formaty", "formaty.db", {autoInc("Nr"), alpha("Nazwa", 6), number("St0")}, {"Nr"});
    all << makeLayout("papkol", "papkol.db",
                      {alpha("Format", 5), number("Ilosc"), alpha("Rodzpap", 10), alpha("Kolor", 5),
                       number("Gramatura"), money("Koszt")},
                      {}, false);
    all << makeLayout("rodzpap", "rodzpap.db", {autoInc("Nr"), alpha("Nazwa", 10)}, {});
    all << makeLayout("gramatury", "gramatury.db",
                      {longInt("Rodzpap"), number("Gramatura"), money("Cena_ark"), money("Cena_ryzy")}, {});
    all << makeLayout(
        "ustawienia", "ustawienia.db",
        {money("Przelot_bialy1"), money("Przelot_kolor1"), money("Przelot_bialy2"), money("Przelot_kolor2"),
         money("Przelot_bialy4"), money("Przelot_kolor4"), longInt("Maszyna"),      money("Stawka_godz"),
         money("Pl_czb"),         money("Pl_kolor"),       alpha("Matryca", 5),     money("Skanowanie"),
         money("Fotonasw"),       money("Sklad_czb"),      money("Sklad_kolor"),    longInt("Zysk_od_rob"),
         longInt("Narzut_mat"),   alpha("Podatek", 3),     money("Falsowanie"),     money("Szycie"),
         money("Ciecie"),         money("Transport")},
        {});
    QVector<FieldDef> pozycje = invoiceLineFields();
    pozycje << money("Rabat");
    all << makeLayout("pozycje", "pozycje.db", pozycje, {}, false);
    all << makeLayout("stawkiVAT", "stawkiVAT.db",
                      {alpha("VAT", 3), money("Netto"), money("KwotaVAT"), money("Brutto")}, {}, false);
    all << makeLayout("sprzedawcy", "sprzedawcy.db",
                      {alpha("Id", 10), longInt("Nr"), alpha("Nazwisko", 50), alpha("Firma", 255),
                       alpha("Ulica", 40), alpha("Miejscowosc", 20), alpha("Kod", 10), alpha("Telefon", 15),
                       alpha("Faks", 15), alpha("Email", 40), alpha("NIP", 13), alpha("REGON", 30),
                       alpha("Bank", 50), alpha("Nr_rku", 60), alpha("Nr_dowodu", 11)},
                      {});
    all << makeLayout("wyst_faktury", "wyst_faktury.db",
                      {alpha("Nr", 20), longInt("Nr_sprzed"), longInt("Nr_kontr"), longInt("Rodzaj"),
                       date("Data_wyst"), date("Data_pl"), alpha("Forma_pl", 20), money("Netto"),
                       money("WartoscVAT"), money("Brutto"), date("Data_sp"), alpha("Termin_pl", 20),
                       alpha("Zamowienie", 20), alpha("Sp_wysylki", 20), longInt("Mies_sp"),
                       longInt("Rodz_fa"), longInt("Rodz_wy"), longInt("Rabat")},
                      {});
    QVector<FieldDef> issuedLines = invoiceLineFields();
    issuedLines << alpha("Nr_faktury", 20);
    all << makeLayout("wyst_pozycje", "wyst_pozycje.db", issuedLines, {});
    all << makeLayout("wyst_pozycje_kor", "wyst_pozycje_kor.DB", issuedLines, {});
    all << makeLayout("towary", "towary.DB",
                      {money("Brutto"), alpha("Nazwa", 255), longInt("Nr"), alpha("VAT", 3), alpha("Jm", 10),
                       money("Netto"), alpha("Opis", 100), alpha("PKWiU", 20), alpha("Klasa", 10),
                       number("Magazyn"), alpha("Id", 255)},
                      {"Nazwa", "Nr"});
    return all;
}

} // namespace

const QVector<TableLayout>& allLayouts() {
    static const QVector<TableLayout> layouts = buildLayouts();
    return layouts;
}

const TableLayout* layoutFor(const QString& fileName) {
    QString name = fileName;
    const int slash = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    if (slash >= 0) name = name.mid(slash + 1);
    if (name.endsWith(QLatin1String(".db"), Qt::CaseInsensitive)) name.chop(3);
    for (const TableLayout& layout : allLayouts())
        if (layout.name.compare(name, Qt::CaseInsensitive) == 0) return &layout;
    return nullptr;
}

namespace detail {

const char* const kCollation = "POLSKI";
const char* const kOrderColumn = "_tv_ord";

// ---- collation ------------------------------------------------------------

namespace {

struct Weight {
    std::uint32_t primary = 0;   // band << 21 | value
    std::uint32_t secondary = 0; // 0 for a plain letter, the accented letter's code point otherwise
    std::uint8_t tertiary = 0;   // 1 for upper case
};

constexpr char16_t kAlphabetFull[] = u"aąbcćdeęfghijklłmnńoópqrsśtuvwxyzźż";

int alphabetIndex(char32_t lower) {
    for (int i = 0; kAlphabetFull[i]; ++i)
        if (kAlphabetFull[i] == lower) return i;
    return -1;
}

Weight computeWeight(char32_t cp) {
    Weight w;
    if (cp > 0xFFFF) {
        w.primary = (3u << 21) | (cp & 0x1FFFFF);
        return w;
    }
    const QChar ch{char16_t(cp)};
    const char16_t lower = ch.toLower().unicode();
    w.tertiary = (ch.isUpper() || ch.isTitleCase()) ? 1 : 0;
    const int index = alphabetIndex(lower);
    if (index >= 0) {
        w.primary = (1u << 21) | std::uint32_t(index);
        return w;
    }
    if (ch.isLetter()) {
        const QString decomposed = QChar(lower).decomposition();
        const int baseIndex = decomposed.isEmpty() ? -1 : alphabetIndex(decomposed.at(0).unicode());
        if (baseIndex >= 0) {
            w.primary = (1u << 21) | std::uint32_t(baseIndex);
            w.secondary = lower;
        } else {
            w.primary = (2u << 21) | lower;
        }
        return w;
    }
    w.primary = cp;
    return w;
}

constexpr int kTableSize = 0x250;

const std::array<Weight, kTableSize>& weightTable() {
    static const std::array<Weight, kTableSize> table = [] {
        std::array<Weight, kTableSize> t{};
        for (int cp = 0; cp < kTableSize; ++cp)
            t[size_t(cp)] = computeWeight(char32_t(cp));
        return t;
    }();
    return table;
}

inline Weight weightOf(char32_t cp, const std::array<Weight, kTableSize>& table) {
    return cp < kTableSize ? table[cp] : computeWeight(cp);
}

// Decodes one code point; a malformed byte stands for itself.
inline char32_t decode(const unsigned char* s, int n, int& pos) {
    const unsigned char c = s[pos];
    if (c < 0x80) {
        ++pos;
        return c;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        ++pos;
        return c;
    }
    if (pos + extra > n - 1) {
        ++pos;
        return c;
    }
    for (int k = 1; k <= extra; ++k) {
        const unsigned char cc = s[pos + k];
        if ((cc & 0xC0) != 0x80) {
            ++pos;
            return c;
        }
        cp = (cp << 6) | (cc & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

template <typename Key>
int compareLevel(const unsigned char* a, int na, const unsigned char* b, int nb, Key key) {
    const auto& table = weightTable();
    int pa = 0;
    int pb = 0;
    while (pa < na && pb < nb) {
        const char32_t ca = decode(a, na, pa);
        const char32_t cb = decode(b, nb, pb);
        if (ca == cb) continue;
        const std::uint32_t ka = key(weightOf(ca, table));
        const std::uint32_t kb = key(weightOf(cb, table));
        if (ka != kb) return ka < kb ? -1 : 1;
    }
    if (pa < na) return 1;
    if (pb < nb) return -1;
    return 0;
}

int collationCallback(void*, int na, const void* a, int nb, const void* b) {
    return polishCompare(static_cast<const char*>(a), na, static_cast<const char*>(b), nb);
}

} // namespace

int polishCompare(const char* a, int na, const char* b, int nb) {
    const auto* ua = reinterpret_cast<const unsigned char*>(a);
    const auto* ub = reinterpret_cast<const unsigned char*>(b);
    // Plain ASCII letters and digits decide most comparisons at the first
    // difference, so the primary level runs first and alone.
    if (int r = compareLevel(ua, na, ub, nb, [](const Weight& w) { return w.primary; })) return r;
    if (int r = compareLevel(ua, na, ub, nb, [](const Weight& w) { return w.secondary; })) return r;
    if (int r = compareLevel(ua, na, ub, nb, [](const Weight& w) { return std::uint32_t(w.tertiary); }))
        return r;
    const int common = std::min(na, nb);
    if (int r = std::memcmp(a, b, size_t(common))) return r < 0 ? -1 : 1;
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

int polishCompare(const QString& a, const QString& b) {
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return polishCompare(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
}

void registerCollation(sqlite3* db) {
    sqlite3_create_collation_v2(db, kCollation, SQLITE_UTF8, nullptr, collationCallback, nullptr);
}

// ---- values ---------------------------------------------------------------

bool Value::operator==(const Value& o) const {
    if (kind != o.kind) return false;
    switch (kind) {
    case CellKind::Null:
        return true;
    case CellKind::Int:
        return i == o.i;
    case CellKind::Real:
        return d == o.d;
    case CellKind::Text:
        return s == o.s;
    }
    return false;
}

Value toValue(const CellRef& cell) {
    switch (cell.kind) {
    case CellKind::Null:
        return {};
    case CellKind::Int:
        return Value::ofInt(cell.i);
    case CellKind::Real:
        return Value::ofReal(cell.d);
    case CellKind::Text:
        return Value::ofText(cell.toText());
    }
    return {};
}

CellRef toCell(const Value& value) {
    CellRef c;
    c.kind = value.kind;
    c.i = value.i;
    c.d = value.d;
    if (value.kind == CellKind::Text) c.text = &value.s;
    return c;
}

void RowStore::reset(int columns) {
    m_columns = columns;
    m_cells.clear();
    m_text.clear();
}

int RowStore::addFromStatement(sqlite3_stmt* statement, int firstColumn) {
    return addColumns(statement, nullptr, firstColumn);
}

int RowStore::addFromStatement(sqlite3_stmt* statement, const std::vector<int>& columns) {
    return addColumns(statement, columns.data(), 0);
}

int RowStore::addColumns(sqlite3_stmt* statement, const int* columns, int firstColumn) {
    const int row = rowCount();
    for (int c = 0; c < m_columns; ++c) {
        Cell cell;
        cell.i = 0;
        const int column = columns ? columns[c] : firstColumn + c;
        switch (sqlite3_column_type(statement, column)) {
        case SQLITE_INTEGER:
            cell.kind = CellKind::Int;
            cell.i = sqlite3_column_int64(statement, column);
            break;
        case SQLITE_FLOAT:
            cell.kind = CellKind::Real;
            cell.d = sqlite3_column_double(statement, column);
            break;
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
            const int length = sqlite3_column_bytes(statement, column);
            if (length > 0) {
                cell.kind = CellKind::Text;
                cell.offset = m_text.size();
                cell.length = std::uint32_t(length);
                m_text.append(text, size_t(length));
            }
            break;
        }
        default:
            break;
        }
        m_cells.push_back(cell);
    }
    return row;
}

int RowStore::addValues(const std::vector<Value>& values) {
    const int row = rowCount();
    for (int c = 0; c < m_columns; ++c) {
        Cell cell;
        cell.i = 0;
        const Value& v = values[size_t(c)];
        cell.kind = v.kind;
        if (v.kind == CellKind::Int)
            cell.i = v.i;
        else if (v.kind == CellKind::Real)
            cell.d = v.d;
        else if (v.kind == CellKind::Text) {
            const QByteArray utf8 = v.s.toUtf8();
            cell.offset = m_text.size();
            cell.length = std::uint32_t(utf8.size());
            m_text.append(utf8.constData(), size_t(utf8.size()));
        }
        m_cells.push_back(cell);
    }
    return row;
}

int RowStore::addNulls() {
    const int row = rowCount();
    Cell cell;
    cell.i = 0;
    m_cells.insert(m_cells.end(), size_t(m_columns), cell);
    return row;
}

CellRef RowStore::cell(int row, int column) const {
    const Cell& cell = m_cells[size_t(row) * size_t(m_columns) + size_t(column)];
    CellRef ref;
    ref.kind = cell.kind;
    switch (cell.kind) {
    case CellKind::Null:
        break;
    case CellKind::Int:
        ref.i = cell.i;
        break;
    case CellKind::Real:
        ref.d = cell.d;
        break;
    case CellKind::Text:
        ref.utf8 = m_text.data() + cell.offset;
        ref.length = int(cell.length);
        break;
    }
    return ref;
}

void bindText(sqlite3_stmt* statement, int position, const QString& text) {
    if (text.isEmpty()) {
        sqlite3_bind_null(statement, position);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text64(statement, position, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT,
                        SQLITE_UTF8);
}

void bindValue(sqlite3_stmt* statement, int position, const Value& value) {
    switch (value.kind) {
    case CellKind::Null:
        sqlite3_bind_null(statement, position);
        break;
    case CellKind::Int:
        sqlite3_bind_int64(statement, position, value.i);
        break;
    case CellKind::Real:
        sqlite3_bind_double(statement, position, value.d);
        break;
    case CellKind::Text:
        bindText(statement, position, value.s);
        break;
    }
}

// ---- SQL texts ------------------------------------------------------------

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

int layoutIndex(const TableLayout* layout) {
    return int(layout - allLayouts().constData());
}

QStringList secondaryIndexes(const TableLayout& layout) {
    if (layout.name == QLatin1String("wyst_pozycje") || layout.name == QLatin1String("wyst_pozycje_kor"))
        return {QStringLiteral("Nr_faktury")};
    if (layout.name == QLatin1String("wyst_faktury")) return {QStringLiteral("Data_wyst")};
    if (layout.name == QLatin1String("gramatury")) return {QStringLiteral("Rodzpap")};
    return {};
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

bool isScratch(const TableLayout& layout) {
    return layout.name == QLatin1String("tabletemp");
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
    for (const QString& field : secondaryIndexes(layout)) {
        sql << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3%4)")
                   .arg(indexName(field), table, quoteIdentifier(field),
                        layout.key.isEmpty() ? QLatin1String(", ") + order : QString());
    }
    return sql;
}

QString sqliteMessage(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

} // namespace detail
} // namespace tv
