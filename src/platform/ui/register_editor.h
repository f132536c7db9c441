#pragma once

#include <array>
#include <functional>
#include <utility>

#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include "platform/table.h"
#include "platform/ui/dataaware_grid.h"

class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QStackedLayout;
class QVBoxLayout;

namespace tv::ui {
class DBEdit;
class DataSource;
class PanelButton;
class SpeedButton;
} // namespace tv::ui

namespace tv::ui {

// One labelled data-aware edit of a register's details group.
struct RegisterField {
    QString label;
    QString field;
};

// One box of a register's search group: the edit's name and its label.
struct RegisterSearchBox {
    QString objectName;
    QString label;
};

// The editor that the customer, seller and goods registers share: a grid over
// the register's table with a group of data-aware edits beside it, an optional
// search group, five command panels ("dodaj", "usuń", "potwierdź", "anuluj",
// "zamknij") that turn a lighter navy while pressed, and ten flat navigation
// buttons. The editor lays the widgets out and offers the table operations
// every register does alike; each form names the widgets as its own
// components and binds its handlers, so that what the registers do
// differently stays in the forms.
class RegisterEditor : public QWidget {
    Q_OBJECT
public:
    enum class Command { Add, Delete, Confirm, Cancel, Close };
    enum class Navigation { First, Prior, Next, Last, Add, Delete, Edit, Confirm, Cancel, Refresh };

    static constexpr int kPanelColour = 8257541;
    static constexpr int kPanelPressedColour = 12648458;

    RegisterEditor(tv::Table* table, QWidget* parent = nullptr);
    ~RegisterEditor() override;

    tv::Table* table() const { return m_table; }
    tv::ui::DataSource* dataSource() const { return m_source; }

    // A grid over the table. Grids added later lie at the same place over the
    // first; the form shows the one that fits (the goods register's two views).
    tv::ui::DBGrid* addGrid(const QVector<tv::ui::DBGridColumn>& columns, int titleColourBgr = -1);
    void showGrid(tv::ui::DBGrid* grid);

    // The details group, created with its title by the first call. Edits are
    // named "DBEdit1", "DBEdit2" ... in the order added.
    void setDetailsTitle(const QString& title);
    tv::ui::DBEdit* addEdit(const RegisterField& field);
    QVector<tv::ui::DBEdit*> addEdits(const QVector<RegisterField>& fields);
    // Any other control of the details group (a rate list, a computed edit).
    void addDetail(const QString& label, QWidget* control);

    // The search group "Wyszukiwanie": the boxes, the "wyczyść" panel and the
    // hidden button whose click is the search, all created by this call.
    QVector<QLineEdit*> addSearch(const QVector<RegisterSearchBox>& boxes, const QString& clearPanelName);
    const QVector<QLineEdit*>& searchBoxes() const { return m_searchBoxes; }
    tv::ui::PanelButton* clearPanel() const { return m_clearPanel; }
    QPushButton* searchButton() const { return m_searchButton; }

    tv::ui::PanelButton* panel(Command command) const { return m_panels[size_t(command)]; }
    tv::ui::SpeedButton* navigationButton(Navigation button) const { return m_navigation[size_t(button)]; }

    // Handlers run through the application's error guard.
    void onCommand(Command command, std::function<void()> handler);
    void onNavigation(Navigation button, std::function<void()> handler);
    // The search runs on the hidden button's click and on every change of a box.
    void onSearch(std::function<void()> handler);
    void onClearSearch(std::function<void()> handler);

    // ---- what the registers do alike ----------------------------------

    // One more than the highest number that the given "select max(...)" texts
    // find, each over the whole table it names whatever a form's filter shows.
    static int nextNumber(const QStringList& maxQueries);
    // Asks the question when the table shows a row, and deletes the current
    // row on "Tak". Returns whether a row was deleted.
    bool deleteWithQuestion(const QString& question);
    // Posts a pending edit or insert; does nothing in browse state.
    void postPending();
    // The filter of the search: every term "field >= typed text", bound.
    void applySearch(const QStringList& fields);
    // Empties the search boxes in the given order, then searches once.
    void clearSearch(const QVector<QLineEdit*>& inOrder, const std::function<void()>& search);

    // The register's window closes from its "zamknij" command through
    // closeWindow(); its close box and Escape go through closeRequested(),
    // which runs that same command first, so that however the operator
    // leaves the register the record being typed is kept and the pick lists
    // offer it. closeRequested() returns whether the window may close: not
    // while the command failed (its error is shown and the record stays on
    // screen to be put right).
    void closeWindow();
    bool closeRequested(const std::function<void()>& closeCommand);

    // True when the form's activation comes from another window of the
    // program, not back from one of its own message boxes or dialogs (which
    // must not clear a search the operator is working in).
    static bool activatedFromAnotherWindow(const QWidget* form);

    // Binds the handlers every register form has under the same names: the
    // five command panels and the ten navigation buttons, each handler given
    // its own control as the sender.
    template <typename Form> void bindStandardHandlers(Form* form);
    // Names the form's members after the editor's controls: every register
    // calls the panels "usuń" to "zamknij" and the navigation buttons alike
    // (only "dodaj" is named differently, by each form itself).
    template <typename Form> void nameStandardControls(Form* form);

private:
    QGroupBox* detailsGroup();

    tv::Table* m_table;
    tv::ui::DataSource* m_source;
    QVBoxLayout* m_side = nullptr;
    QStackedLayout* m_grids = nullptr;
    QGroupBox* m_details = nullptr;
    QGridLayout* m_detailsLayout = nullptr;
    QString m_detailsTitle;
    int m_detailRows = 0;
    int m_editCount = 0;
    QVector<QLineEdit*> m_searchBoxes;
    tv::ui::PanelButton* m_clearPanel = nullptr;
    QPushButton* m_searchButton = nullptr;
    QVBoxLayout* m_commandsLayout = nullptr;
    std::array<tv::ui::PanelButton*, 5> m_panels{};
    std::array<tv::ui::SpeedButton*, 10> m_navigation{};
    bool m_commandCloses = false;  // "zamknij" is closing the window
    bool m_closeRequested = false; // the close box or Escape is closing it
    bool m_commandClosed = false;  // "zamknij" got to its end meanwhile
};

template <typename Form> void RegisterEditor::nameStandardControls(Form* form) {
    form->SpeedButton8 = panel(Command::Delete);
    form->SpeedButton9 = panel(Command::Confirm);
    form->SpeedButton10 = panel(Command::Cancel);
    form->SpeedButton1 = panel(Command::Close);
    form->SpeedButton3 = navigationButton(Navigation::First);
    form->SpeedButton5 = navigationButton(Navigation::Prior);
    form->SpeedButton6 = navigationButton(Navigation::Next);
    form->SpeedButton4 = navigationButton(Navigation::Last);
    form->SpeedButton20 = navigationButton(Navigation::Add);
    form->SpeedButton19 = navigationButton(Navigation::Delete);
    form->SpeedButton21 = navigationButton(Navigation::Edit);
    form->SpeedButton14 = navigationButton(Navigation::Confirm);
    form->SpeedButton15 = navigationButton(Navigation::Cancel);
    form->SpeedButton2 = navigationButton(Navigation::Refresh);
}

template <typename Form> void RegisterEditor::bindStandardHandlers(Form* form) {
    using Handler = void (Form::*)(QObject*);
    const std::pair<Command, Handler> commands[] = {{Command::Add, &Form::SpeedButton7Click},
                                                    {Command::Delete, &Form::SpeedButton8Click},
                                                    {Command::Confirm, &Form::SpeedButton9Click},
                                                    {Command::Cancel, &Form::SpeedButton10Click},
                                                    {Command::Close, &Form::SpeedButton1Click}};
    for (const auto& [which, handler] : commands) {
        QObject* sender = panel(which);
        onCommand(which, [form, sender, h = handler] { (form->*h)(sender); });
    }
    const std::pair<Navigation, Handler> buttons[] = {
        {Navigation::First, &Form::SpeedButton3Click},   {Navigation::Prior, &Form::SpeedButton5Click},
        {Navigation::Next, &Form::SpeedButton6Click},    {Navigation::Last, &Form::SpeedButton4Click},
        {Navigation::Add, &Form::SpeedButton20Click},    {Navigation::Delete, &Form::SpeedButton19Click},
        {Navigation::Edit, &Form::SpeedButton21Click},   {Navigation::Confirm, &Form::SpeedButton14Click},
        {Navigation::Cancel, &Form::SpeedButton15Click}, {Navigation::Refresh, &Form::SpeedButton2Click}};
    for (const auto& [which, handler] : buttons) {
        QObject* sender = navigationButton(which);
        onNavigation(which, [form, sender, h = handler] { (form->*h)(sender); });
    }
}

} // namespace tv::ui
