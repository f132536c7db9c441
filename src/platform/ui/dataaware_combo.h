#pragma once

#include <QComboBox>
#include <QPointer>

#include "platform/ui/dataaware_source.h"

namespace tv::ui {

// An editable drop-down list bound to one field: the box shows the current
// row's field, and its items are texts the operator may pick or type over.
//
// The operator's choice of an item writes it into the field at once; typed
// text stays pending, as in a bound edit, until the box loses the focus or the
// row is posted. Either needs the row in edit or insert state, which the first
// change puts it in where the data source has automatic editing; without,
// the change is undone. Nothing set by code (setText, the row moving) emits
// edited() or chosen(). A text the field does not take raises on leaving
// (shown, the focus stays) or on posting (the post fails with it). Over an
// alpha field the typing is limited to its size and to the characters of code
// page 1250.
class DBComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DBComboBox(QWidget* parent = nullptr);
    ~DBComboBox() override;

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }
    void setDataField(const QString& field);
    QString dataField() const { return m_field; }

    QString text() const { return currentText(); }
    // Shows the text as code sets it: nothing is written, and what the
    // operator had typed is dropped.
    void setText(const QString& text);

    // The operator has typed a text not yet written into the field.
    bool isPending() const { return m_pending; }
    // Writes a pending text into the field now.
    void writePending();

signals:
    void edited(); // the operator typed: the box's text changed
    void chosen(); // the operator chose an item; the field holds it already

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void reload();
    void onTextEdited();
    void onActivated(int index);
    void writeText(const QString& text);
    bool operatorMayType();
    int fieldIndex() const;
    void updateLimit();

    QPointer<DataSource> m_source;
    QString m_field;
    int m_writer = 0;
    bool m_pending = false;
    bool m_enteringEdit = false;
    bool m_finishing = false;
};

} // namespace tv::ui
