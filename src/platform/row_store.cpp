// Values of rows as the cursors hold them: pending values, the compact row
// store and binding values to statements.

#include "platform/table_internal.h"

namespace tv::detail {

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

} // namespace tv::detail
