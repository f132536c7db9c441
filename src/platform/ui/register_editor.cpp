#include "platform/ui/register_editor.h"

#include <climits>

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStackedLayout>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/errors.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/dataaware_source.h"
#include "platform/ui/messages.h"

namespace tv::ui {

namespace {

// Which window was active before the one active now, leaving out message
// boxes and file dialogs: returning from them is no activation of a form.
class ActivationWatcher : public QObject {
public:
    static ActivationWatcher& instance() {
        static auto* watcher = [] {
            auto* w = new ActivationWatcher;
            qApp->installEventFilter(w);
            return w;
        }();
        return *watcher;
    }
    QPointer<QWidget> previous;
    QPointer<QWidget> current;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ActivationChange && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && widget->isActiveWindow() && !transient(widget)) {
                previous = current;
                current = widget;
            }
        }
        return false;
    }

private:
    static bool transient(const QWidget* window) {
        return qobject_cast<const QMessageBox*>(window) || qobject_cast<const QFileDialog*>(window);
    }
};

struct NavigationDef {
    const char* name;
    const char* hint;
    QStyle::StandardPixmap icon;
};

// In the order of RegisterEditor::Navigation.
const NavigationDef kNavigation[] = {
    {"SpeedButton3", "Pierwsza pozycja", QStyle::SP_MediaSkipBackward},
    {"SpeedButton5", "Poprzednia pozycja", QStyle::SP_MediaSeekBackward},
    {"SpeedButton6", "Następna pozycja", QStyle::SP_MediaSeekForward},
    {"SpeedButton4", "Ostatnia pozycja", QStyle::SP_MediaSkipForward},
    {"SpeedButton20", "Dodaj pozycję", QStyle::SP_FileDialogNewFolder},
    {"SpeedButton19", "Usuń pozycję", QStyle::SP_TrashIcon},
    {"SpeedButton21", "Modyfikuj pozycję", QStyle::SP_FileDialogDetailedView},
    {"SpeedButton14", "Potwierdź zmianę", QStyle::SP_DialogApplyButton},
    {"SpeedButton15", "Anuluj zmianę", QStyle::SP_DialogCancelButton},
    {"SpeedButton2", "Odśwież dane", QStyle::SP_BrowserReload},
};

struct CommandDef {
    const char* name;
    const char* caption;
};

// In the order of RegisterEditor::Command; a form may rename a panel.
const CommandDef kCommands[] = {
    {"SpeedButton7", "dodaj"},   {"SpeedButton8", "usuń"},    {"SpeedButton9", "potwierdź"},
    {"SpeedButton10", "anuluj"}, {"SpeedButton1", "zamknij"},
};

tv::ui::PanelButton* makePanel(const QString& name, const QString& caption, QWidget* parent) {
    auto* panel = new tv::ui::PanelButton(caption, parent);
    panel->setObjectName(name);
    panel->setColours(RegisterEditor::kPanelColour, RegisterEditor::kPanelPressedColour);
    panel->setMinimumSize(96, 26);
    QFont font = panel->font();
    font.setBold(true);
    panel->setFont(font);
    return panel;
}

} // namespace

RegisterEditor::RegisterEditor(tv::Table* table, QWidget* parent)
    : QWidget(parent), m_table(table), m_source(new tv::ui::DataSource(table, this)) {
    ActivationWatcher::instance();

    auto* outer = new QVBoxLayout(this);
    auto* navigationRow = new QHBoxLayout;
    navigationRow->setSpacing(2);
    outer->addLayout(navigationRow);
    auto* body = new QHBoxLayout;
    outer->addLayout(body, 1);
    auto* main = new QVBoxLayout;
    body->addLayout(main, 1);
    m_grids = new QStackedLayout;
    main->addLayout(m_grids, 1);
    main->addWidget(detailsGroup());
    m_side = new QVBoxLayout;
    body->addLayout(m_side);
    m_commandsLayout = new QVBoxLayout;
    m_side->addLayout(m_commandsLayout);
    m_side->addStretch(1);

    for (int i = 0; i < 10; ++i) {
        auto* button = new tv::ui::SpeedButton(QString(), this);
        button->setObjectName(QString::fromLatin1(kNavigation[i].name));
        button->setToolTip(QString::fromUtf8(kNavigation[i].hint));
        button->setIcon(style()->standardIcon(kNavigation[i].icon));
        m_navigation[size_t(i)] = button;
        navigationRow->addWidget(button);
    }
    navigationRow->addStretch(1);

    for (int i = 0; i < 5; ++i) {
        tv::ui::PanelButton* panel =
            makePanel(QString::fromLatin1(kCommands[i].name), QString::fromUtf8(kCommands[i].caption), this);
        m_panels[size_t(i)] = panel;
        m_commandsLayout->addWidget(panel);
    }
}

RegisterEditor::~RegisterEditor() = default;

tv::ui::DBGrid* RegisterEditor::addGrid(const QVector<tv::ui::DBGridColumn>& columns, int titleColourBgr) {
    auto* grid = new tv::ui::DBGrid(this);
    grid->setObjectName(QStringLiteral("DBGrid%1").arg(m_grids->count() + 1));
    grid->setDataSource(m_source);
    grid->setColumns(columns);
    grid->setConfirmDelete(true);
    if (titleColourBgr >= 0) {
        const QColor colour = tv::ui::fromTColor(titleColourBgr);
        grid->horizontalHeader()->setStyleSheet(
            QStringLiteral("QHeaderView::section { background-color: %1; color: white; }")
                .arg(colour.name()));
    }
    m_grids->addWidget(grid);
    if (m_grids->count() == 1) m_grids->setCurrentWidget(grid);
    return grid;
}

void RegisterEditor::showGrid(tv::ui::DBGrid* grid) {
    m_grids->setCurrentWidget(grid);
}

QGroupBox* RegisterEditor::detailsGroup() {
    if (!m_details) {
        m_details = new QGroupBox(m_detailsTitle, this);
        m_detailsLayout = new QGridLayout(m_details);
        m_detailsLayout->setColumnStretch(1, 1);
        m_detailsLayout->setColumnStretch(3, 1);
    }
    return m_details;
}

void RegisterEditor::setDetailsTitle(const QString& title) {
    m_detailsTitle = title;
    detailsGroup()->setTitle(title);
}

void RegisterEditor::addDetail(const QString& label, QWidget* control) {
    QGroupBox* group = detailsGroup();
    control->setParent(group);
    // Two columns of labelled controls, filled row by row.
    const int row = m_detailRows / 2;
    const int column = (m_detailRows % 2) * 2;
    auto* caption = new QLabel(label, group);
    caption->setBuddy(control);
    m_detailsLayout->addWidget(caption, row, column);
    m_detailsLayout->addWidget(control, row, column + 1);
    ++m_detailRows;
}

tv::ui::DBEdit* RegisterEditor::addEdit(const RegisterField& field) {
    auto* edit = new tv::ui::DBEdit(this);
    edit->setObjectName(QStringLiteral("DBEdit%1").arg(++m_editCount));
    edit->setDataSource(m_source);
    edit->setDataField(field.field);
    addDetail(field.label, edit);
    return edit;
}

QVector<tv::ui::DBEdit*> RegisterEditor::addEdits(const QVector<RegisterField>& fields) {
    QVector<tv::ui::DBEdit*> edits;
    edits.reserve(fields.size());
    for (const RegisterField& field : fields)
        edits.append(addEdit(field));
    return edits;
}

QVector<QLineEdit*> RegisterEditor::addSearch(const QVector<RegisterSearchBox>& boxes,
                                              const QString& clearPanelName) {
    auto* group = new QGroupBox(QStringLiteral("Wyszukiwanie"), this);
    group->setObjectName(QStringLiteral("GroupBoxWyszukiwanie"));
    auto* layout = new QGridLayout(group);
    int row = 0;
    for (const RegisterSearchBox& box : boxes) {
        auto* edit = new QLineEdit(group);
        edit->setObjectName(box.objectName);
        auto* caption = new QLabel(box.label, group);
        caption->setBuddy(edit);
        layout->addWidget(caption, row, 0);
        layout->addWidget(edit, row, 1);
        m_searchBoxes.append(edit);
        ++row;
    }
    m_clearPanel = makePanel(clearPanelName, QStringLiteral("wyczyść"), group);
    layout->addWidget(m_clearPanel, row, 1);
    m_searchButton = new QPushButton(QStringLiteral("Button1"), group);
    m_searchButton->setObjectName(QStringLiteral("Button1"));
    m_searchButton->setVisible(false);
    // Before the stretch that ends the side column.
    m_side->insertWidget(m_side->count() - 1, group);
    return m_searchBoxes;
}

void RegisterEditor::onCommand(Command command, std::function<void()> handler) {
    tv::ui::onClick(panel(command), std::move(handler));
}

void RegisterEditor::onNavigation(Navigation button, std::function<void()> handler) {
    tv::ui::onClick(static_cast<QAbstractButton*>(navigationButton(button)), std::move(handler));
}

void RegisterEditor::onSearch(std::function<void()> handler) {
    auto shared = std::make_shared<std::function<void()>>(std::move(handler));
    if (m_searchButton)
        tv::ui::onClick(static_cast<QAbstractButton*>(m_searchButton), [shared] { (*shared)(); });
    for (QLineEdit* box : m_searchBoxes)
        tv::ui::onChange(box, [shared] { (*shared)(); });
}

void RegisterEditor::onClearSearch(std::function<void()> handler) {
    if (m_clearPanel) tv::ui::onClick(m_clearPanel, std::move(handler));
}

int RegisterEditor::nextNumber(const QStringList& maxQueries) {
    long long highest = 0;
    for (const QString& sql : maxQueries) {
        tv::Query query;
        query.setSql(sql);
        query.open();
        query.first();
        if (!query.eof()) {
            const QVariant value = query.field(0).value();
            if (!value.isNull()) highest = std::max(highest, value.toLongLong());
        }
        query.close();
    }
    if (highest >= INT_MAX)
        throw tv::EDatabaseError(
            QStringLiteral("Wyczerpano numery pozycji rejestru: najwyższy numer to %1.").arg(highest));
    return int(highest + 1);
}

bool RegisterEditor::deleteWithQuestion(const QString& question) {
    if (m_table->recordCount() == 0) return false;
    if (!tv::ui::askYesNo(question, QString(), tv::ui::Icon::None)) return false;
    m_table->remove();
    return true;
}

void RegisterEditor::postPending() {
    const tv::Table::State state = m_table->state();
    if (state == tv::Table::State::Edit || state == tv::Table::State::Insert) m_table->post();
}

void RegisterEditor::applySearch(const QStringList& fields) {
    QVector<tv::Table::FilterTerm> terms;
    terms.reserve(fields.size());
    for (int i = 0; i < fields.size() && i < m_searchBoxes.size(); ++i)
        terms.append({fields[i], QStringLiteral(">="), m_searchBoxes[i]->text()});
    m_table->setFilter(terms);
    m_table->setFiltered(true);
}

void RegisterEditor::clearSearch(const QVector<QLineEdit*>& inOrder, const std::function<void()>& search) {
    // Emptying each box would search once per box; the result is that of the
    // last search, so the boxes are emptied quietly and searched once.
    for (QLineEdit* box : inOrder) {
        const QSignalBlocker quiet(box);
        box->clear();
    }
    search();
}

void RegisterEditor::closeWindow() {
    // Asked by the close box, the window is closing already: the command
    // only says that it got to its end.
    if (m_closeRequested) {
        m_commandClosed = true;
        return;
    }
    m_commandCloses = true;
    window()->close();
    m_commandCloses = false;
}

bool RegisterEditor::closeRequested(const std::function<void()>& closeCommand) {
    if (m_commandCloses || m_closeRequested) return true;
    m_closeRequested = true;
    m_commandClosed = false;
    guard(closeCommand);
    m_closeRequested = false;
    return m_commandClosed;
}

bool RegisterEditor::activatedFromAnotherWindow(const QWidget* form) {
    const ActivationWatcher& watcher = ActivationWatcher::instance();
    return watcher.current == form && watcher.previous != form;
}

} // namespace tv::ui
