#pragma once

#include <exception>
#include <functional>

#include <QAbstractTableModel>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVector>

#include "platform/ui/dataaware_source.h"

namespace tv::ui {

struct DBGridColumn {
    DBGridColumn() = default;
    DBGridColumn(QString fieldName, QString columnTitle = QString(), bool columnReadOnly = false)
        : field(std::move(fieldName)), title(std::move(columnTitle)), readOnly(columnReadOnly) {}

    QString field;         // the table's field this column shows
    QString title;         // empty: the field name
    bool readOnly = false; // also true for autoincrement fields
    int width = 0;         // pixels; 0 sizes the column from its field
    // Typing limit of the in-place editor below an alpha field's size, for a
    // text copied into shorter fields elsewhere; 0 keeps the field's size.
    int maxLength = 0;
    // A column the form computes (a lookup or calculated text) instead of a
    // field: its text for the stored row recNo (Table::valueAt), or for the
    // current row read through the table's fields when recNo is 0. Always
    // read-only.
    std::function<QString(Table& table, int recNo)> text;
};

// The rows of a table as a Qt model. Nothing is copied up front: the row count
// is the table's and a row is read when the view asks for it, without moving
// the cursor, so that a grid over tens of thousands of rows opens at once and
// painting never posts or scrolls. The current row is read from the cursor
// itself, pending values included.
class DBGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DBGridModel(QObject* parent = nullptr);

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }
    // No columns given: every field of the table, titled by its name.
    void setColumns(const QVector<DBGridColumn>& columns);
    const QVector<DBGridColumn>& columns() const { return m_columns; }
    void setReadOnly(bool on);
    bool readOnly() const { return m_readOnly; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Writes the current row's field; needs the row in edit or insert state
    // (or automatic editing). A text that does not convert is not written:
    // false, with the error kept for lastError().
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    int fieldIndex(int column) const; // -1 for a computed column
    const FieldDef* fieldDef(int column) const;
    bool columnEditable(int column) const;
    int currentRow() const; // the cursor's row, -1 when none
    // The row being inserted shows at the cursor's place, among the stored
    // rows; this is the stored row number of a grid row (0 for that row).
    int storedRecNo(int row) const;

    // The error of the last write that failed, kept so that the grid can show
    // it or pass it on to the post that asked for the write.
    std::exception_ptr lastError() const { return m_lastError; }
    void clearLastError() { m_lastError = nullptr; }
    // Rows read from the table since the model was set up; lets a test see
    // that only the shown rows are read.
    int rowsRead() const { return m_rowsRead; }

signals:
    void cursorMoved(); // the table's current row changed, or the rows were re-read

private:
    void reload();
    void onStateChanged();
    void onScrolled();
    void onFieldChanged();
    void emitRowChanged(int row);
    QString cellText(int row, int column) const;
    const QStringList& cachedRow(int row) const;
    int tableRowCount() const;

    QPointer<DataSource> m_source;
    QVector<DBGridColumn> m_givenColumns;
    QVector<DBGridColumn> m_columns; // as given, or every field of the table
    QVector<int> m_fieldIndexes;
    bool m_readOnly = false;
    int m_rowCount = 0;
    int m_shownCurrent = -1;
    std::exception_ptr m_lastError;
    mutable QHash<int, QStringList> m_cache; // texts of rows other than the current one
    mutable int m_rowsRead = 0;
};

class DBGridDelegate;

// A grid over a table: columns and titles as given, read-only or editable in
// place, its row following the table's cursor both ways.
//
// Editing a cell writes its field; the row must be in edit or insert state
// already unless the data source has automatic editing. Ctrl+Delete deletes
// the current row of an editable grid, after the question "Usunąć rekord?"
// while the delete confirmation is on. Every key the operator presses, also
// inside a cell being edited, first reaches the event filters installed on the
// grid, so a form's key handler sees them all; a filter that consumes a key
// stops it. A grid that allows inserting (off unless the form turns it on)
// inserts a row at the current one on Insert and appends one on Down from the
// last row, through the table's insert and append, so that the table's own
// before-insert and after-insert handlers run. A new row the operator leaves
// untouched (only the insert handlers wrote it) gets no second one on Down,
// and goes again when the operator moves off it in the grid.
class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);
    ~DBGrid() override;

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_model->dataSource(); }
    void setColumns(const QVector<DBGridColumn>& columns);
    void setReadOnly(bool on);
    bool isReadOnly() const { return m_model->readOnly(); }
    void setConfirmDelete(bool on) { m_confirmDelete = on; }
    bool confirmDelete() const { return m_confirmDelete; }
    void setRowSelect(bool on); // whole-row selection instead of the current cell
    void setAllowInsert(bool on) { m_allowInsert = on; }
    bool allowInsert() const { return m_allowInsert; }

    DBGridModel* gridModel() const { return m_model; }
    QWidget* cellEditor() const; // the open in-place editor, or nullptr

    // Ctrl+Delete: asks when the confirmation is on, then deletes the row.
    void deleteCurrentRow();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void commitData(QWidget* editor) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyboardSearch(const QString& search) override;

private:
    friend class DBGridDelegate;
    void followCursor();
    void sizeColumns();
    void writePendingCell();
    bool forwardEditorKey(QKeyEvent* event);
    void closeCellEditor();
    bool insertsFor(const QKeyEvent* event) const;
    void insertFor(const QKeyEvent* event);
    bool dropUntouchedNewRow();

    DBGridModel* m_model;
    DBGridDelegate* m_delegate;
    QPointer<DataSource> m_source;
    int m_writer = 0;
    bool m_confirmDelete = true;
    bool m_allowInsert = false;
    bool m_untouchedNewRow = false;
    bool m_syncing = false;
    bool m_commitFailed = false;
    bool m_inCommit = false;
    bool m_openingEditor = false;
    bool m_forwarding = false;
    bool m_forwardReached = false;
    bool m_forwardConsumed = false;
};

} // namespace tv::ui
