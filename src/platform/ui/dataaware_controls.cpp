#include "platform/ui/dataaware_controls.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QSignalBlocker>
#include <QTimer>

#include "platform/ui/controls.h"

namespace tv::ui {

namespace {

int fieldIndexIn(const DataSource* source, const QString& field) {
    if (!source || !source->active() || field.isEmpty()) return -1;
    return source->table()->layout().fieldIndex(field);
}

// Whether a key would change the text of a line edit.
bool changesText(QKeyEvent* event) {
    static const QKeySequence::StandardKey editing[] = {QKeySequence::Paste,
                                                        QKeySequence::Cut,
                                                        QKeySequence::Undo,
                                                        QKeySequence::Redo,
                                                        QKeySequence::Delete,
                                                        QKeySequence::Backspace,
                                                        QKeySequence::DeleteEndOfWord,
                                                        QKeySequence::DeleteStartOfWord,
                                                        QKeySequence::DeleteEndOfLine,
                                                        QKeySequence::DeleteCompleteLine};
    for (QKeySequence::StandardKey key : editing)
        if (event->matches(key)) return true;
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) return true;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

bool sameKey(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull()) return false;
    bool aNumber = false;
    bool bNumber = false;
    const double x = a.toDouble(&aNumber);
    const double y = b.toDouble(&bNumber);
    if (aNumber && bNumber) return x == y;
    return a.toString() == b.toString();
}

} // namespace

// ---------------------------------------------------------------------------
// DBEdit

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, &DBEdit::onTextEdited);
}

DBEdit::~DBEdit() {
    if (m_source) m_source->removePendingWriter(m_writer);
}

void DBEdit::setDataSource(DataSource* source) {
    if (m_source) {
        disconnect(m_source, nullptr, this, nullptr);
        m_source->removePendingWriter(m_writer);
    }
    m_source = source;
    if (m_source) {
        for (auto signal : {&DataSource::dataChanged, &DataSource::scrolled, &DataSource::closed,
                            &DataSource::tableChanged})
            connect(m_source, signal, this, &DBEdit::reload);
        connect(m_source, &DataSource::stateChanged, this, [this] {
            // A post or cancel ends what was typed; entering edit state
            // changes no value, and must not undo the keystroke that caused it.
            if (!m_enteringEdit && (!m_pending || !m_source->editing())) reload();
        });
        connect(m_source, &DataSource::fieldChanged, this, &DBEdit::onFieldChanged);
        m_writer = m_source->addPendingWriter([this] { writePending(); });
    }
    reload();
}

void DBEdit::setDataField(const QString& field) {
    m_field = field;
    reload();
}

int DBEdit::fieldIndex() const {
    return fieldIndexIn(m_source, m_field);
}

void DBEdit::updateLimits() {
    const int field = fieldIndex();
    int limit = 32767;
    if (field >= 0) {
        const FieldDef& def = m_source->table()->layout().fields[field];
        if (def.type == FieldType::Alpha && def.size > 0) limit = def.size;
        // What is on screen is what the field stores: an alpha field holds
        // code page 1250 text.
        if (def.type == FieldType::Alpha) keepToCodePage1250(this);
    }
    if (m_lengthLimit > 0 && m_lengthLimit < limit) limit = m_lengthLimit;
    if (maxLength() != limit) setMaxLength(limit);
}

void DBEdit::reload() {
    m_pending = false;
    updateLimits();
    const int field = fieldIndex();
    const QString shown = field >= 0 ? tv::ui::displayText(m_source->table()->field(field)) : QString();
    if (shown != text()) setText(shown);
}

void DBEdit::onFieldChanged() {
    // Another control or the code wrote a field; keep what is being typed here.
    if (!m_pending) reload();
}

bool DBEdit::operatorMayType() {
    const int field = fieldIndex();
    if (field < 0 || m_source->table()->layout().fields[field].type == FieldType::AutoInc) return false;
    if (m_source->editing()) return true;
    m_enteringEdit = true;
    bool allowed = false;
    runShowingErrors([&] { allowed = m_source->tryEdit(); });
    m_enteringEdit = false;
    return allowed;
}

void DBEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_pending) {
        reload();
        selectAll();
        event->accept();
        return;
    }
    if (!isReadOnly() && changesText(event) && !operatorMayType()) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DBEdit::onTextEdited() {
    // Keys are checked before they reach the text; this catches the other
    // ways an operator changes it (the context menu, dropping text).
    if (operatorMayType())
        m_pending = true;
    else
        reload();
}

void DBEdit::writePending() {
    if (!m_pending) return;
    const int field = fieldIndex();
    if (field < 0 || !m_source->editing()) {
        reload();
        return;
    }
    Field target = m_source->table()->field(field);
    if (text() != tv::ui::displayText(target))
        target.setAsString(text()); // may raise; the text stays pending then
    reload();
}

void DBEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A menu or another window taking the focus for a while is no leaving.
    if (!m_pending || event->reason() == Qt::PopupFocusReason ||
        event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (!runShowingErrors([this] { writePending(); }))
        QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

// ---------------------------------------------------------------------------
// DBText

DBText::DBText(QWidget* parent) : QLabel(parent) {}

void DBText::setDataSource(DataSource* source) {
    if (m_source) disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source) {
        for (auto signal : {&DataSource::dataChanged, &DataSource::scrolled, &DataSource::closed,
                            &DataSource::tableChanged, &DataSource::stateChanged, &DataSource::fieldChanged})
            connect(m_source, signal, this, &DBText::reload);
    }
    reload();
}

void DBText::setDataField(const QString& field) {
    m_field = field;
    reload();
}

void DBText::reload() {
    const int field = fieldIndexIn(m_source, m_field);
    const QString shown = field >= 0 ? tv::ui::displayText(m_source->table()->field(field)) : QString();
    if (shown != text()) setText(shown);
}

// ---------------------------------------------------------------------------
// DBLookupComboBox

DBLookupComboBox::DBLookupComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    connect(this, &QComboBox::activated, this, &DBLookupComboBox::onActivated);
}

void DBLookupComboBox::setListSource(DataSource* source) {
    if (m_source) disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source) {
        for (auto signal : {&DataSource::dataChanged, &DataSource::closed, &DataSource::tableChanged})
            connect(m_source, signal, this, &DBLookupComboBox::refill);
        // A posted or cancelled row may add, drop or rename an item.
        connect(m_source, &DataSource::stateChanged, this, [this] {
            if (!m_source->editing()) refill();
        });
    }
    refill();
}

void DBLookupComboBox::setListField(const QString& field) {
    m_listField = field;
    refill();
}

void DBLookupComboBox::setKeyField(const QString& field) {
    m_keyField = field;
    refill();
}

void DBLookupComboBox::refill() {
    const QVariant shownKey = keyValue();
    const QString shownText = text();
    const QSignalBlocker blocker(this);
    clear();
    const int listIndex = fieldIndexIn(m_source, m_listField);
    if (listIndex >= 0) {
        const int keyIndex = fieldIndexIn(m_source, m_keyField);
        Table* table = m_source->table();
        const FieldDef& listDef = table->layout().fields[listIndex];
        const int rows = table->recordCount();
        for (int recNo = 1; recNo <= rows; ++recNo)
            addItem(tv::ui::displayText(listDef, table->valueAt(recNo, listIndex)),
                    keyIndex >= 0 ? table->valueAt(recNo, keyIndex) : QVariant());
    }
    // The refill keeps what was shown, found again by its key.
    int shown = -1;
    if (!shownKey.isNull()) {
        for (int i = 0; i < count() && shown < 0; ++i)
            if (sameKey(itemData(i), shownKey)) shown = i;
    } else if (!shownText.isEmpty()) {
        shown = findText(shownText);
    }
    setCurrentIndex(shown);
}

void DBLookupComboBox::setText(const QString& text) {
    const QSignalBlocker blocker(this);
    setCurrentIndex(text.isEmpty() ? -1 : findText(text));
}

QVariant DBLookupComboBox::keyValue() const {
    return currentIndex() >= 0 ? itemData(currentIndex()) : QVariant();
}

void DBLookupComboBox::setKeyValue(const QVariant& key) {
    int found = -1;
    for (int i = 0; i < count() && found < 0; ++i)
        if (sameKey(itemData(i), key)) found = i;
    const QSignalBlocker blocker(this);
    setCurrentIndex(found);
}

void DBLookupComboBox::onActivated(int index) {
    if (index < 0 || !m_source || !m_source->active()) return;
    runShowingErrors([&] {
        Table* table = m_source->table();
        const int keyIndex = fieldIndexIn(m_source, m_keyField);
        const QVariant key = itemData(index);
        // Item i stands for row i + 1 while the list is current; look the key
        // up when the rows have changed under it.
        int recNo = index + 1;
        if (keyIndex >= 0 && !sameKey(table->valueAt(recNo, keyIndex), key)) {
            recNo = 0;
            const int rows = table->recordCount();
            for (int row = 1; row <= rows && recNo == 0; ++row)
                if (sameKey(table->valueAt(row, keyIndex), key)) recNo = row;
        }
        if (recNo > 0 && recNo != table->recNo()) table->moveTo(recNo);
        emit closeUp();
    });
}

} // namespace tv::ui
