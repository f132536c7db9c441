#pragma once

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include "platform/ui/dataaware_source.h"

class QToolButton;

namespace tv::ui {

// A row of buttons over a data source. The buttons never take the focus, so
// pressing one leaves a bound edit focused and its exit unrun; the edit's
// pending text still reaches the row, because posting writes pending texts
// first. Buttons that cannot act on the current state are disabled.
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum class Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    Q_ENUM(Button)

    explicit DBNavigator(QWidget* parent = nullptr);

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }

    // Which buttons show; they keep the order above whatever order is given.
    void setVisibleButtons(const QVector<Button>& buttons);
    QVector<Button> visibleButtons() const;
    // One hint per shown button, in their order.
    void setHints(const QStringList& hints);
    // "Usunąć rekord?" before the delete button deletes (on by default).
    void setConfirmDelete(bool on) { m_confirmDelete = on; }
    bool confirmDelete() const { return m_confirmDelete; }

    QToolButton* button(Button which) const;
    // Does what the button does, as a press of it would.
    void click(Button which);

signals:
    void clicked(tv::ui::DBNavigator::Button button); // after the button's action

private:
    void updateButtons();
    void act(Button which);

    QPointer<DataSource> m_source;
    QHash<Button, QToolButton*> m_buttons;
    bool m_confirmDelete = true;
};

} // namespace tv::ui
