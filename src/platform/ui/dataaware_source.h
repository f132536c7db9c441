#pragma once

#include <functional>

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>

#include "platform/table.h"

namespace tv::ui {

// The link between one table cursor and the controls bound to it. It turns
// the table's events into signals, and decides whether operator typing may
// change the current row.
//
// Pending texts: a bound edit keeps what the operator types and writes it into
// the field when it loses the focus, and before the row is posted. The table
// announces every post (and every move or refresh that posts) with its
// UpdateRecord event; the data source then runs the writers its controls have
// registered, so a post started by a form's own command, by the navigator or
// by the table itself always stores what the controls show. A writer whose
// text does not convert raises the conversion error, and the post is not made.
//
// A table destroyed first detaches itself from the data source, which then
// shows no table; a table closed and opened again stays attached.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject* parent = nullptr);
    explicit DataSource(Table* table, QObject* parent = nullptr);
    ~DataSource() override;

    void setTable(Table* table);
    Table* table() const { return m_table; }
    bool active() const { return m_table && m_table->active(); }

    // Automatic editing (on by default): typing into a bound control puts the
    // current row in edit state. With it off, typing changes nothing until
    // the row has been put in edit or insert state by a command.
    bool autoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool on) { m_autoEdit = on; }

    bool editing() const; // the current row is in edit or insert state
    // Called by a control before it lets the operator change the row: true
    // when the row takes the change, after putting it in edit state where
    // automatic editing allows. Raises the table's errors.
    bool tryEdit();

    // Writes the pending texts of the bound controls into the row.
    void updateRecord();

    // Controls register the writer of their pending text; removed by handle.
    int addPendingWriter(std::function<void()> writer);
    void removePendingWriter(int handle);

signals:
    void dataChanged();  // rows changed, were re-read or filtered
    void scrolled();     // another row became current
    void stateChanged(); // browse, edit, insert, inactive
    void fieldChanged(); // a field of the pending row was written
    void closed();
    void tableChanged(); // setTable gave another table

private:
    void onTableEvent(Table::Event event);

    Table* m_table = nullptr;
    int m_listener = -1;
    bool m_autoEdit = true;
    struct Writer {
        int handle;
        std::function<void()> write;
    };
    QVector<Writer> m_writers;
    int m_nextWriter = 1;
};

// The text a bound control shows for a field: money with two decimals
// ("150,00"), other numbers in the general form, dates in the short form, an
// empty field as "".
QString displayText(const FieldDef& def, const QVariant& value);
QString displayText(const Field& field);
// Money with two decimals, halves away from zero, no grouping.
QString moneyText(Currency value);

// Runs an operator's action; an error it raises is shown in the application's
// error box (an abort silently) and false is returned. Controls use it where
// an action of theirs has no caller to report to.
bool runShowingErrors(const std::function<void()>& action);

} // namespace tv::ui
