#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>

#include "platform/ui/dataaware_source.h"

namespace tv::ui {

// An edit bound to one field: it shows the current row's field, and setting
// that text when the cursor moves emits textChanged like any other change of
// its text (forms bind change handlers that follow the row).
//
// Operator typing needs the row in edit or insert state: with automatic
// editing the first keystroke puts it there; without, the keystroke changes
// nothing. The typed text is written into the field when the edit loses the
// focus and before the row is posted; Escape gives back the field's text. A
// text the field does not take raises the conversion error: on leaving, the
// error is shown and the focus stays; on posting, the post fails with it.
// Alpha fields limit the typing to their size and to the characters of code
// page 1250; autoincrement fields are read-only.
class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent = nullptr);
    ~DBEdit() override;

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }
    void setDataField(const QString& field);
    QString dataField() const { return m_field; }
    // The operator has typed a text not yet written into the field.
    bool isPending() const { return m_pending; }

    // Writes a pending text into the field now.
    void writePending();

    // Limits typing below an alpha field's size, for a text that is copied
    // into shorter fields elsewhere; 0 keeps the field's own size.
    void setLengthLimit(int chars) {
        m_lengthLimit = chars;
        updateLimits();
    }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void reload();
    void onFieldChanged();
    void onTextEdited();
    void updateLimits();
    bool operatorMayType();
    int fieldIndex() const;

    QPointer<DataSource> m_source;
    QString m_field;
    int m_writer = 0;
    bool m_pending = false;
    bool m_enteringEdit = false;
    int m_lengthLimit = 0;
};

// A label showing the current row's field.
class DBText : public QLabel {
    Q_OBJECT
public:
    explicit DBText(QWidget* parent = nullptr);
    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }
    void setDataField(const QString& field);
    QString dataField() const { return m_field; }

private:
    void reload();
    QPointer<DataSource> m_source;
    QString m_field;
};

// A drop-down list of one field of a list table (the list field, shown), each
// item keeping the row's key field. The list is read from the list table and
// read again whenever its rows change. The operator's choice moves the list
// table's cursor to the chosen row and then emits closeUp(); nothing set by
// code (setText, setKeyValue, a refill) moves the table or emits closeUp().
class DBLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DBLookupComboBox(QWidget* parent = nullptr);

    void setListSource(DataSource* source);
    DataSource* listSource() const { return m_source; }
    void setListField(const QString& field);
    QString listField() const { return m_listField; }
    void setKeyField(const QString& field);
    QString keyField() const { return m_keyField; }

    // The shown text; setText shows the first item with that text, or nothing
    // when there is none (also for the empty text).
    QString text() const { return currentText(); }
    void setText(const QString& text);
    // The key of the shown item; a null QVariant when nothing is shown.
    QVariant keyValue() const;
    void setKeyValue(const QVariant& key);

    // Reads the items again from the list table.
    void refill();

signals:
    void closeUp(); // the operator chose an item

private:
    void onActivated(int index);

    QPointer<DataSource> m_source;
    QString m_listField;
    QString m_keyField;
};

} // namespace tv::ui
