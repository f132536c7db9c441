#include "platform/report/table_source.h"

#include "platform/table.h"

namespace tv::report {

namespace {

template <typename Cursor> class CursorSource : public DataSource {
public:
    explicit CursorSource(Cursor& cursor) : m_cursor(cursor) {}

    void first() override {
        rememberPosition();
        m_cursor.first();
    }
    void next() override { m_cursor.next(); }
    bool eof() const override { return m_cursor.eof(); }
    QString fieldText(const QString& field) const override { return m_cursor.fieldByName(field).asString(); }
    bool isMoney(const QString& field) const override {
        return m_cursor.fieldByName(field).def().type == FieldType::Money;
    }
    Currency fieldMoney(const QString& field) const override {
        return m_cursor.fieldByName(field).asCurrency();
    }
    void restore() override;

private:
    void rememberPosition();

    Cursor& m_cursor;
    int m_savedRecNo = 0;
};

template <> void CursorSource<Table>::rememberPosition() {
    m_savedRecNo = m_cursor.recNo();
}

template <> void CursorSource<Table>::restore() {
    if (m_savedRecNo <= 0) return;
    m_cursor.first();
    for (int i = 1; i < m_savedRecNo && !m_cursor.eof(); ++i)
        m_cursor.next();
    m_savedRecNo = 0;
}

template <> void CursorSource<Query>::rememberPosition() {}

template <> void CursorSource<Query>::restore() {}

} // namespace

std::shared_ptr<DataSource> tableSource(Table& table) {
    return std::make_shared<CursorSource<Table>>(table);
}

std::shared_ptr<DataSource> querySource(Query& query) {
    return std::make_shared<CursorSource<Query>>(query);
}

} // namespace tv::report
