#include "platform/ui/dataaware_combo.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

#include "platform/ui/controls.h"

namespace tv::ui {

DBComboBox::DBComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // The items are a few fixed texts; completing typed text into one of
    // them would change what the operator types.
    setCompleter(nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, &DBComboBox::onTextEdited);
    connect(this, qOverload<int>(&QComboBox::activated), this, &DBComboBox::onActivated);
}

DBComboBox::~DBComboBox() {
    if (m_source) m_source->removePendingWriter(m_writer);
}

void DBComboBox::setDataSource(DataSource* source) {
    if (m_source) {
        disconnect(m_source, nullptr, this, nullptr);
        m_source->removePendingWriter(m_writer);
    }
    m_source = source;
    if (m_source) {
        for (auto signal : {&DataSource::dataChanged, &DataSource::scrolled, &DataSource::closed,
                            &DataSource::tableChanged})
            connect(m_source, signal, this, &DBComboBox::reload);
        connect(m_source, &DataSource::stateChanged, this, [this] {
            if (!m_enteringEdit && (!m_pending || !m_source->editing())) reload();
        });
        connect(m_source, &DataSource::fieldChanged, this, [this] {
            if (!m_pending) reload();
        });
        m_writer = m_source->addPendingWriter([this] { writePending(); });
    }
    reload();
}

void DBComboBox::setDataField(const QString& field) {
    m_field = field;
    reload();
}

int DBComboBox::fieldIndex() const {
    if (!m_source || !m_source->active() || m_field.isEmpty()) return -1;
    return m_source->table()->layout().fieldIndex(m_field);
}

void DBComboBox::updateLimit() {
    const int field = fieldIndex();
    int limit = 32767;
    if (field >= 0) {
        const FieldDef& def = m_source->table()->layout().fields[field];
        if (def.type == FieldType::Alpha && def.size > 0) limit = def.size;
        // What is on screen is what the field stores: an alpha field holds
        // code page 1250 text.
        if (def.type == FieldType::Alpha) keepToCodePage1250(lineEdit());
    }
    if (lineEdit()->maxLength() != limit) lineEdit()->setMaxLength(limit);
}

void DBComboBox::setText(const QString& text) {
    m_pending = false;
    const QSignalBlocker blocker(this);
    setCurrentIndex(findText(text, Qt::MatchExactly));
    if (currentText() != text) setEditText(text);
}

void DBComboBox::reload() {
    updateLimit();
    const int field = fieldIndex();
    setText(field >= 0 ? displayText(m_source->table()->field(field)) : QString());
}

bool DBComboBox::operatorMayType() {
    const int field = fieldIndex();
    if (field < 0 || m_source->table()->layout().fields[field].type == FieldType::AutoInc) return false;
    if (m_source->editing()) return true;
    m_enteringEdit = true;
    bool allowed = false;
    runShowingErrors([&] { allowed = m_source->tryEdit(); });
    m_enteringEdit = false;
    return allowed;
}

void DBComboBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape && m_pending) {
        reload();
        lineEdit()->selectAll();
        event->accept();
        return;
    }
    const bool typing = key == Qt::Key_Backspace || key == Qt::Key_Delete ||
                        (!event->text().isEmpty() && event->text().at(0).isPrint());
    const bool choosing = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                          key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End;
    if ((typing || (choosing && !(event->modifiers() & Qt::AltModifier))) && !operatorMayType()) {
        event->accept();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Enter ends the typing; an item it matches is reported as chosen by
        // the box, and is no choice of the operator's.
        m_finishing = true;
        QComboBox::keyPressEvent(event);
        m_finishing = false;
        runShowingErrors([this] { writePending(); });
        return;
    }
    QComboBox::keyPressEvent(event);
}

void DBComboBox::focusOutEvent(QFocusEvent* event) {
    const bool leaving =
        event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
    m_finishing = true;
    QComboBox::focusOutEvent(event);
    m_finishing = false;
    if (!leaving || !m_pending) return;
    if (!runShowingErrors([this] { writePending(); }))
        QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

void DBComboBox::onTextEdited() {
    if (operatorMayType()) {
        m_pending = true;
        emit edited();
    } else {
        reload();
    }
}

void DBComboBox::onActivated(int index) {
    if (index < 0) return;
    // Ending the typing: the typed text, now spelt as the item it matches,
    // is written as the pending text.
    if (m_finishing) return;
    if (!operatorMayType()) {
        reload();
        return;
    }
    const bool written = runShowingErrors([&] { writeText(itemText(index)); });
    emit edited();
    if (written) emit chosen();
}

void DBComboBox::writePending() {
    if (!m_pending) return;
    writeText(currentText());
}

void DBComboBox::writeText(const QString& text) {
    const int field = fieldIndex();
    if (field < 0 || !m_source->editing()) {
        reload();
        return;
    }
    Field target = m_source->table()->field(field);
    // Marked as written first: the field's change reloads the box.
    m_pending = false;
    if (text != displayText(target)) {
        try {
            target.setAsString(text);
        } catch (...) {
            m_pending = true;
            throw;
        }
    }
    reload();
}

} // namespace tv::ui
