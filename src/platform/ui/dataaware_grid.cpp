#include "platform/ui/dataaware_grid.h"

#include <algorithm>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "platform/errors.h"
#include "platform/ui/controls.h"
#include "platform/ui/messages.h"

namespace tv::ui {

namespace {

// Enough rows for several screens of a tall grid; beyond it the texts are
// dropped and read again, so a long scroll never holds the whole table.
constexpr int maxCachedRows = 2048;

bool isNumeric(FieldType type) {
    return type == FieldType::Long || type == FieldType::Number || type == FieldType::Money ||
           type == FieldType::AutoInc;
}

const TableLayout* layoutOf(const DataSource* source) {
    if (!source || !source->table()) return nullptr;
    Table* table = source->table();
    if (table->active()) return &table->layout();
    return layoutFor(table->tableName());
}

// The row indicator column. Its width is fixed, so the size the base header
// would measure from the texts of up to two hundred rows, after every reset of
// the rows, is never used.
class RowIndicatorHeader : public QHeaderView {
public:
    explicit RowIndicatorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {}
    QSize sizeHint() const override { return QSize(minimumWidth(), defaultSectionSize()); }
};

} // namespace

// ---------------------------------------------------------------------------
// DBGridModel

DBGridModel::DBGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void DBGridModel::setDataSource(DataSource* source) {
    if (m_source) disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source) {
        connect(m_source, &DataSource::dataChanged, this, &DBGridModel::reload);
        connect(m_source, &DataSource::closed, this, &DBGridModel::reload);
        connect(m_source, &DataSource::tableChanged, this, &DBGridModel::reload);
        connect(m_source, &DataSource::scrolled, this, &DBGridModel::onScrolled);
        connect(m_source, &DataSource::stateChanged, this, &DBGridModel::onStateChanged);
        connect(m_source, &DataSource::fieldChanged, this, &DBGridModel::onFieldChanged);
        connect(m_source, &QObject::destroyed, this, &DBGridModel::reload);
    }
    reload();
}

void DBGridModel::setColumns(const QVector<DBGridColumn>& columns) {
    m_givenColumns = columns;
    reload();
}

void DBGridModel::setReadOnly(bool on) {
    if (m_readOnly == on) return;
    m_readOnly = on;
    if (m_rowCount > 0 && !m_columns.isEmpty())
        emit dataChanged(index(0, 0), index(m_rowCount - 1, columnCount() - 1));
}

void DBGridModel::reload() {
    beginResetModel();
    m_cache.clear();
    const TableLayout* layout = layoutOf(m_source);
    m_columns = m_givenColumns;
    if (m_columns.isEmpty() && layout) {
        // A grid given no columns shows every field under its own name.
        for (const FieldDef& def : layout->fields)
            m_columns.append(DBGridColumn(def.name));
    }
    m_fieldIndexes.clear();
    for (const DBGridColumn& column : m_columns)
        m_fieldIndexes.append(column.text || !layout ? -1 : layout->fieldIndex(column.field));
    m_rowCount = tableRowCount();
    endResetModel();
    m_shownCurrent = currentRow();
    emit cursorMoved();
}

void DBGridModel::onScrolled() {
    if (tableRowCount() != m_rowCount) {
        reload();
        return;
    }
    const int previous = m_shownCurrent;
    m_shownCurrent = currentRow();
    emitRowChanged(previous);
    emitRowChanged(m_shownCurrent);
    emit cursorMoved();
}

void DBGridModel::onStateChanged() {
    // Entering or leaving insert state adds or removes a row, and a post may
    // have moved the row to its key's place: the texts read so far are stale.
    m_cache.clear();
    if (tableRowCount() != m_rowCount || currentRow() != m_shownCurrent) {
        reload();
        return;
    }
    if (m_rowCount > 0 && !m_columns.isEmpty())
        emit dataChanged(index(0, 0), index(m_rowCount - 1, columnCount() - 1));
    if (m_shownCurrent >= 0) emit headerDataChanged(Qt::Vertical, m_shownCurrent, m_shownCurrent);
}

void DBGridModel::onFieldChanged() {
    emitRowChanged(currentRow());
}

void DBGridModel::emitRowChanged(int row) {
    if (row < 0 || row >= m_rowCount || m_columns.isEmpty()) return;
    m_cache.remove(row);
    // No headerDataChanged for the indicator: a view lays itself out again on
    // every one, and a form walking its table would pay that per row. The
    // grid repaints the indicator when the cursor moves.
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int DBGridModel::tableRowCount() const {
    if (!m_source || !m_source->active()) return 0;
    Table* table = m_source->table();
    return table->recordCount() + (table->state() == Table::State::Insert ? 1 : 0);
}

int DBGridModel::storedRecNo(int row) const {
    if (!m_source || !m_source->active() || m_source->table()->state() != Table::State::Insert)
        return row + 1;
    const int inserted = m_source->table()->recNo() - 1;
    return row < inserted ? row + 1 : (row == inserted ? 0 : row);
}

int DBGridModel::currentRow() const {
    if (!m_source || !m_source->active()) return -1;
    const int row = m_source->table()->recNo() - 1;
    return row >= 0 && row < m_rowCount ? row : -1;
}

int DBGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount;
}

int DBGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

int DBGridModel::fieldIndex(int column) const {
    return column >= 0 && column < m_fieldIndexes.size() ? m_fieldIndexes[column] : -1;
}

const FieldDef* DBGridModel::fieldDef(int column) const {
    const int field = fieldIndex(column);
    const TableLayout* layout = layoutOf(m_source);
    if (field < 0 || !layout || field >= layout->fields.size()) return nullptr;
    return &layout->fields[field];
}

bool DBGridModel::columnEditable(int column) const {
    if (m_readOnly || column < 0 || column >= m_columns.size() || m_columns[column].readOnly) return false;
    const FieldDef* def = fieldDef(column);
    return def && def->type != FieldType::AutoInc;
}

QString DBGridModel::cellText(int row, int column) const {
    if (row == currentRow()) {
        const DBGridColumn& col = m_columns[column];
        if (col.text) return col.text(*m_source->table(), 0);
        const int field = fieldIndex(column);
        return field < 0 ? QString() : displayText(m_source->table()->field(field));
    }
    const QStringList& texts = cachedRow(row);
    return column < texts.size() ? texts[column] : QString();
}

const QStringList& DBGridModel::cachedRow(int row) const {
    auto found = m_cache.constFind(row);
    if (found != m_cache.constEnd()) return *found;
    if (m_cache.size() >= maxCachedRows) m_cache.clear();
    QStringList texts;
    texts.reserve(m_columns.size());
    Table* table = m_source->table();
    const TableLayout& layout = table->layout();
    const int recNo = storedRecNo(row);
    for (int column = 0; column < m_columns.size(); ++column) {
        const DBGridColumn& col = m_columns[column];
        const int field = m_fieldIndexes[column];
        if (col.text)
            texts.append(col.text(*table, recNo));
        else if (field < 0)
            texts.append(QString());
        else
            texts.append(displayText(layout.fields[field], table->valueAt(recNo, field)));
    }
    ++m_rowsRead;
    return *m_cache.insert(row, texts);
}

QVariant DBGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rowCount || index.column() >= m_columns.size() || !m_source ||
        !m_source->active())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole: {
        const FieldDef* def = fieldDef(index.column());
        const Qt::Alignment horizontal = def && isNumeric(def->type) ? Qt::AlignRight : Qt::AlignLeft;
        return QVariant::fromValue(horizontal | Qt::AlignVCenter);
    }
    default:
        return QVariant();
    }
}

QVariant DBGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= m_columns.size()) return QVariant();
        if (role == Qt::DisplayRole) {
            const DBGridColumn& column = m_columns[section];
            return column.title.isEmpty() ? column.field : column.title;
        }
        return QVariant();
    }
    // The row indicator: where the cursor is, and whether its row is being
    // edited or inserted, which matters when typing does not start editing.
    if (role == Qt::DisplayRole) {
        if (section != currentRow()) return QString();
        switch (m_source->table()->state()) {
        case Table::State::Edit:
            return QStringLiteral("I");
        case Table::State::Insert:
            return QStringLiteral("*");
        default:
            return QString(QChar(0x25B8));
        }
    }
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return QVariant();
}

Qt::ItemFlags DBGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (columnEditable(index.column())) flags |= Qt::ItemIsEditable;
    return flags;
}

bool DBGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !columnEditable(index.column()) || !m_source ||
        !m_source->active())
        return false;
    // Only the cursor's row is ever written: an editor left open while the
    // cursor moved elsewhere must not land in another row.
    if (index.row() != currentRow()) return false;
    Table* table = m_source->table();
    Field field = table->field(fieldIndex(index.column()));
    const QString text = value.toString();
    // Leaving a cell unchanged writes nothing, so an untouched row stays
    // untouched (and is dropped rather than posted when the cursor moves).
    if (text == displayText(field)) return true;
    try {
        if (!m_source->tryEdit()) return false;
        field.setAsString(text);
    } catch (const Error&) {
        m_lastError = std::current_exception();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// DBGridDelegate

// Creates the in-place editor (limited to an alpha field's size and to the
// characters it can store) and passes
// every key typed into it to the grid first.
class DBGridDelegate : public QStyledItemDelegate {
public:
    explicit DBGridDelegate(DBGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        if (const FieldDef* def = m_grid->gridModel()->fieldDef(index.column())) {
            if (def->type == FieldType::Alpha && def->size > 0) editor->setMaxLength(def->size);
            if (def->type == FieldType::Alpha) keepToCodePage1250(editor);
            const int limit = m_grid->gridModel()->columns().value(index.column()).maxLength;
            if (limit > 0 && limit < editor->maxLength()) editor->setMaxLength(limit);
            if (isNumeric(def->type)) editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        m_editor = editor;
        return editor;
    }

    QWidget* editor() const { return m_editor; }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && m_grid->forwardEditorKey(static_cast<QKeyEvent*>(event)))
            return true;
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    DBGrid* m_grid;
    mutable QPointer<QWidget> m_editor;
};

// ---------------------------------------------------------------------------
// DBGrid

DBGrid::DBGrid(QWidget* parent)
    : QTableView(parent), m_model(new DBGridModel(this)), m_delegate(new DBGridDelegate(this)) {
    setVerticalHeader(new RowIndicatorHeader(this));
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    // Fixed row heights keep scrolling through a long table from measuring rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(fontMetrics().horizontalAdvance(u'W') + 8);
    horizontalHeader()->setHighlightSections(false);
    connect(m_model, &DBGridModel::cursorMoved, this, &DBGrid::followCursor);
}

DBGrid::~DBGrid() {
    if (m_source) m_source->removePendingWriter(m_writer);
}

void DBGrid::setDataSource(DataSource* source) {
    if (m_source) {
        m_source->removePendingWriter(m_writer);
        disconnect(m_source, nullptr, this, nullptr);
    }
    m_source = source;
    m_untouchedNewRow = false;
    if (m_source) {
        m_writer = m_source->addPendingWriter([this] { writePendingCell(); });
        // A new row stays untouched until a field of it is written after its
        // insert handlers have run.
        connect(m_source, &DataSource::fieldChanged, this, [this] { m_untouchedNewRow = false; });
        connect(m_source, &DataSource::stateChanged, this, [this] {
            if (!m_source || m_source->table()->state() != Table::State::Insert) m_untouchedNewRow = false;
        });
    }
    m_model->setDataSource(source);
    sizeColumns();
}

void DBGrid::setColumns(const QVector<DBGridColumn>& columns) {
    m_model->setColumns(columns);
    sizeColumns();
}

void DBGrid::setReadOnly(bool on) {
    if (on) closeCellEditor();
    m_model->setReadOnly(on);
}

void DBGrid::setRowSelect(bool on) {
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    const QModelIndex current = currentIndex();
    if (current.isValid())
        selectionModel()->select(current,
                                 QItemSelectionModel::ClearAndSelect |
                                     (on ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate));
}

void DBGrid::sizeColumns() {
    const QFontMetrics metrics = fontMetrics();
    const QVector<DBGridColumn>& columns = m_model->columns();
    for (int column = 0; column < columns.size(); ++column) {
        if (columns[column].width > 0) {
            setColumnWidth(column, columns[column].width);
            continue;
        }
        int characters = 10;
        if (const FieldDef* def = m_model->fieldDef(column); def && def->type == FieldType::Alpha)
            characters = std::clamp(def->size, 4, 30);
        const QString title = m_model->headerData(column, Qt::Horizontal).toString();
        setColumnWidth(column, std::max(metrics.horizontalAdvance(title) + 16,
                                        metrics.averageCharWidth() * characters + 10));
    }
}

QWidget* DBGrid::cellEditor() const {
    return state() == QAbstractItemView::EditingState ? m_delegate->editor() : nullptr;
}

void DBGrid::closeCellEditor() {
    if (QWidget* editor = cellEditor()) closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DBGrid::followCursor() {
    if (m_syncing) return;
    // The indicator moved with the cursor (see DBGridModel::emitRowChanged).
    verticalHeader()->viewport()->update();
    const int row = m_model->currentRow();
    const QModelIndex current = currentIndex();
    if (row < 0) {
        if (current.isValid()) {
            m_syncing = true;
            selectionModel()->clear();
            m_syncing = false;
        }
        return;
    }
    QItemSelectionModel::SelectionFlags command = QItemSelectionModel::ClearAndSelect;
    if (selectionBehavior() == QAbstractItemView::SelectRows) command |= QItemSelectionModel::Rows;
    if (current.isValid() && current.row() == row) {
        if (!selectionModel()->isSelected(current)) {
            m_syncing = true;
            selectionModel()->select(current, command);
            m_syncing = false;
        }
        return;
    }
    // An editor still open on another row belongs to that row: close it
    // without writing.
    closeCellEditor();
    const int column =
        current.isValid() ? current.column() : std::max(0, horizontalHeader()->logicalIndexAt(0));
    const QModelIndex target = m_model->index(row, column);
    m_syncing = true;
    selectionModel()->setCurrentIndex(target, command);
    m_syncing = false;
    scrollTo(target);
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    // The base commits an editor left open on the previous cell (the editor
    // may also have committed already, on losing the focus to this click).
    QTableView::currentChanged(current, previous);
    if (m_syncing || !current.isValid() || !m_source || !m_source->active()) return;
    if (previous.isValid() && previous.row() == current.row()) return;
    Table* table = m_source->table();
    if (m_untouchedNewRow && current.row() != m_model->currentRow()) {
        // Leaving a new row untouched drops it; the rows below it move up.
        const int target = m_model->storedRecNo(current.row());
        dropUntouchedNewRow();
        if (target > 0) runShowingErrors([&] { table->moveTo(target); });
        if (m_model->currentRow() != current.row()) followCursor();
        return;
    }
    const int target = m_model->storedRecNo(current.row());
    if (!m_commitFailed && current.row() != m_model->currentRow() && target > 0)
        runShowingErrors([&] { table->moveTo(target); });
    // A refused write or post keeps the cursor where it was; show it there.
    if (m_model->currentRow() != current.row()) followCursor();
}

void DBGrid::commitData(QWidget* editor) {
    if (m_inCommit) return;
    m_inCommit = true;
    m_model->clearLastError();
    QTableView::commitData(editor);
    const std::exception_ptr error = m_model->lastError();
    m_model->clearLastError();
    if (error) {
        // The refused write holds back the move that the same click or key
        // asks for; the flag lasts until that event is over, which is after
        // the error box has been closed.
        m_commitFailed = true;
        runShowingErrors([&] { std::rethrow_exception(error); });
        QTimer::singleShot(0, this, [this] { m_commitFailed = false; });
    }
    m_inCommit = false;
}

void DBGrid::writePendingCell() {
    QWidget* editor = cellEditor();
    if (!editor || m_inCommit) return;
    m_inCommit = true;
    m_model->clearLastError();
    QTableView::commitData(editor);
    const std::exception_ptr error = m_model->lastError();
    m_model->clearLastError();
    m_inCommit = false;
    if (error) std::rethrow_exception(error);
    // The text is in the row now; an editor left open would write it again
    // after the post, starting a new edit.
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool DBGrid::forwardEditorKey(QKeyEvent* event) {
    if (m_openingEditor) return false;
    QPointer<QWidget> editor = cellEditor();
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat(),
                   event->count());
    m_forwarding = true;
    m_forwardReached = false;
    m_forwardConsumed = false;
    QCoreApplication::sendEvent(this, &copy);
    m_forwarding = false;
    // Stop the key when a filter took it, the grid used it, or a command run
    // for it has closed the editor.
    return !m_forwardReached || m_forwardConsumed || cellEditor() != editor || !editor;
}

bool DBGrid::insertsFor(const QKeyEvent* event) const {
    if (!m_allowInsert || isReadOnly() || !m_source || !m_source->active()) return false;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)) return false;
    const Table* table = m_source->table();
    if (event->key() == Qt::Key_Insert) return true;
    if (event->key() != Qt::Key_Down) return false;
    // Down appends from the last row only, and not again from a new row the
    // operator has not touched.
    if (table->state() == Table::State::Insert && (m_untouchedNewRow || !table->modified())) return false;
    return table->isEmpty() || table->recNo() >= table->recordCount();
}

void DBGrid::insertFor(const QKeyEvent* event) {
    Table* table = m_source->table();
    // A text left in a cell belongs to the row being left; it is written first.
    if (!runShowingErrors([this] { writePendingCell(); })) return;
    const bool made = runShowingErrors([&] {
        if (event->key() == Qt::Key_Insert)
            table->insert();
        else
            table->append();
    });
    m_untouchedNewRow = made && table->state() == Table::State::Insert;
    followCursor();
}

bool DBGrid::dropUntouchedNewRow() {
    if (!m_untouchedNewRow || !m_source || !m_source->active()) return false;
    Table* table = m_source->table();
    m_untouchedNewRow = false;
    if (table->state() != Table::State::Insert) return false;
    closeCellEditor();
    table->cancel();
    followCursor();
    return true;
}

void DBGrid::keyPressEvent(QKeyEvent* event) {
    const bool ctrlDelete = event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier);
    if (m_forwarding) {
        // A key from the in-place editor, after the filters had it.
        m_forwardReached = true;
        if (ctrlDelete) {
            m_forwardConsumed = true;
            closeCellEditor();
            deleteCurrentRow();
        } else if (insertsFor(event)) {
            m_forwardConsumed = true;
            insertFor(event);
        }
        event->accept();
        return;
    }
    if (ctrlDelete) {
        deleteCurrentRow();
        event->accept();
        return;
    }
    if (insertsFor(event)) {
        insertFor(event);
        event->accept();
        return;
    }
    // Up from a new row the operator never filled takes it back, rather than
    // storing a row of nothing but what the insert handlers gave it.
    if (event->key() == Qt::Key_Up && event->modifiers() == Qt::NoModifier && dropUntouchedNewRow()) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
    // The base selects the cell it moved to even when the table refused to
    // follow; show the cursor's row again.
    followCursor();
}

void DBGrid::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    followCursor();
}

void DBGrid::keyboardSearch(const QString&) {
    // Typing into a grid that does not edit moves nothing.
}

bool DBGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool opening = index.isValid() && state() != QAbstractItemView::EditingState &&
                         (trigger == QAbstractItemView::AllEditTriggers || (editTriggers() & trigger)) &&
                         (m_model->flags(index) & Qt::ItemIsEditable);
    if (opening) {
        if (index.row() != m_model->currentRow()) return false;
        bool allowed = false;
        runShowingErrors([&] { allowed = m_source && m_source->tryEdit(); });
        if (!allowed) return false;
    }
    // The key that opens the editor is handed to it by the base; the filters
    // have already seen it on the grid.
    m_openingEditor = true;
    const bool opened = QTableView::edit(index, trigger, event);
    m_openingEditor = false;
    return opened;
}

void DBGrid::deleteCurrentRow() {
    if (isReadOnly() || !m_source || !m_source->active() || m_source->table()->isEmpty()) return;
    if (m_confirmDelete && !ui::askYesNo(QStringLiteral("Usunąć rekord?"), QStringLiteral("Potwierdzenie")))
        return;
    Table* table = m_source->table();
    runShowingErrors([&] { table->remove(); });
}

} // namespace tv::ui
