#include "costing/costing_sheet.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "costing/calculation_file_format.h"
#include "costing/costing_sheet_catalogue.h"
#include "costing/refdata/customers.h"
#include "costing/refdata/initial_settings.h"
#include "costing/refdata/paper_colour.h"
#include "costing/refdata/paper_formats.h"
#include "costing/refdata/paper_kinds.h"
#include "platform/clock.h"
#include "platform/report/fonts.h"
#include "platform/ui/application.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/dataaware_source.h"
#include "platform/ui/messages.h"

TForm1* Form1 = nullptr;

using costing::Kind;

namespace {

const QString kCaption = QStringLiteral("Arkusz kalkulacyjny Tarvelino 2.22");
constexpr int kClientWidth = 644;
constexpr int kClientHeight = 477;

// Results white on navy, fields that other forms fill on silver.
void applyKindLook(QWidget* control, Kind kind) {
    QPalette p = control->palette();
    switch (kind) {
    case Kind::Out:
    case Kind::Total:
    case Kind::Copy:
        p.setColor(QPalette::Base, QColor(0, 0, 128));
        p.setColor(QPalette::Text, Qt::white);
        break;
    case Kind::Paper:
        p.setColor(QPalette::Base, QColor(192, 192, 192));
        break;
    default:
        return;
    }
    control->setPalette(p);
}

QComboBox* makeOptionList(QWidget* parent, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(15);
    combo->addItems(items);
    return combo;
}

} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kCaption);
    // The sheet's designed font: every field of the busiest tab fits the
    // designed client area with it, on every machine alike.
    setFont(QFont(tv::report::pinnedFamily(QStringLiteral("Tahoma")), 8));

    kontrahenci = new tv::Table(QStringLiteral("kontrahenci.db"));
    formaty = new tv::Table(QStringLiteral("formaty.db"));
    pozycje = new tv::Table(QStringLiteral("pozycje.DB"));
    stawkiVAT = new tv::Table(QStringLiteral("stawkiVAT.DB"));
    formaty->open();
    DataSource2 = new tv::ui::DataSource(formaty, this);

    buildMenuAndToolbar();
    buildLayout();

    domyslne.fill(QString());
    poprzedniTekst.clear();
    katalog.clear();
    nazwaPliku.clear();
    DateTimePicker1->setDate(tv::today());
    DBLookupComboBox1->setText(formaty->eof() ? QString()
                                              : formaty->fieldByName(QStringLiteral("Nazwa")).asString());
    katalog = QDir::currentPath();
    if (!katalog.endsWith(u'/')) katalog += u'/';
    ZapamietajPola();
    WczytajKontrahentow();
    tv::ui::setHelpFile(QStringLiteral("KM550help.hlp"));

    bindCommands();
    bindFieldHandlers();
}

TForm1::~TForm1() {
    // The format box listens to its table: it goes before the table does.
    delete DBLookupComboBox1;
    delete DataSource2;
    delete stawkiVAT;
    delete pozycje;
    delete formaty;
    delete kontrahenci;
}

QWidget* TForm1::control(const QString& name) const {
    return m_controls.value(name);
}

void TForm1::buildMenuAndToolbar() {
    auto action = [this](const char* name, const QString& text, const QKeySequence& shortcut = {}) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        if (!shortcut.isEmpty()) {
            a->setShortcut(shortcut);
            // Ctrl+X and Ctrl+C belong to the fields' own cut and copy while a
            // text field has the focus; Qt gives the focused edit the key first.
            a->setShortcutContext(Qt::WindowShortcut);
        }
        return a;
    };
    Nowa1 = action("Nowa1", QStringLiteral("&Nowa"));
    Otworz1 = action("Otworz1", QStringLiteral("&Otwórz"), QKeySequence(Qt::CTRL | Qt::Key_O));
    Zapisz1 = action("Zapisz1", QStringLiteral("&Zapisz"), QKeySequence(Qt::CTRL | Qt::Key_S));
    Zapiszjako1 = action("Zapiszjako1", QStringLiteral("Z&apisz jako"));
    Drukuj1 = action("Drukuj1", QStringLiteral("&Drukuj"), QKeySequence(Qt::CTRL | Qt::Key_D));
    Drukujczystkalkulacj1 = action("Drukujczystkalkulacj1", QStringLiteral("Drukuj &czystą kalkulację"),
                                   QKeySequence(Qt::CTRL | Qt::Key_C));
    Podgldwydruku1 =
        action("Podgldwydruku1", QStringLiteral("&Podgląd wydruku"), QKeySequence(Qt::CTRL | Qt::Key_P));
    Podgldczystejkalkulacji1 =
        action("Podgldczystejkalkulacji1", QStringLiteral("Podgląd czystej &kalkulacji"));
    Koniec1 = action("Koniec1", QStringLiteral("&Koniec"), QKeySequence(Qt::CTRL | Qt::Key_X));
    Kontrahenci1 = action("Kontrahenci1", QStringLiteral("&Kontrahenci"));
    Rodzajepapieruigramatury1 =
        action("Rodzajepapieruigramatury1", QStringLiteral("&Rodzaje papieru i gramatury"));
    Formatypapieru1 = action("Formatypapieru1", QStringLiteral("&Formaty papieru"));
    Ustawieniapocztkowe1 = action("Ustawieniapocztkowe1", QStringLiteral("&Ustawienia początkowe"));
    Pomoc2 = action("Pomoc2", QStringLiteral("&Użytkowanie programu"), QKeySequence(Qt::Key_F1));
    Oprogramie1 = action("Oprogramie1", QStringLiteral("&O programie.."));

    QMenu* calculation = menuBar()->addMenu(QStringLiteral("&Kalkulacja"));
    calculation->addActions({Nowa1, Otworz1, Zapisz1, Zapiszjako1});
    calculation->addSeparator();
    calculation->addActions({Drukuj1, Drukujczystkalkulacj1, Podgldwydruku1, Podgldczystejkalkulacji1});
    calculation->addSeparator();
    calculation->addAction(Koniec1);
    QMenu* data = menuBar()->addMenu(QStringLiteral("&Edycja danych"));
    data->addActions({Kontrahenci1, Rodzajepapieruigramatury1, Formatypapieru1, Ustawieniapocztkowe1});
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Pomoc"));
    help->addActions({Pomoc2, Oprogramie1});

    ToolBar1 = addToolBar(QStringLiteral("Narzędzia"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFocusPolicy(Qt::NoFocus);
    ToolBar1->setIconSize(QSize(16, 16));
    auto tool = [this](tv::ui::SpeedButton*& button, const char* name, const QString& hint,
                       QStyle::StandardPixmap icon, const QString& caption = QString()) {
        button = new tv::ui::SpeedButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(hint);
        button->setIcon(style()->standardIcon(icon));
        if (!caption.isEmpty()) button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        m_controls.insert(button->objectName(), button);
        ToolBar1->addWidget(button);
    };
    tool(SpeedButton9, "SpeedButton9", QStringLiteral("Nowa kalkulacja"), QStyle::SP_FileIcon);
    tool(SpeedButton8, "SpeedButton8", QStringLiteral("Otwórz kalkulację"), QStyle::SP_DialogOpenButton);
    tool(SpeedButton7, "SpeedButton7", QStringLiteral("Zachowaj kalkulację"), QStyle::SP_DialogSaveButton);
    ToolBar1->addSeparator();
    tool(SpeedButton6, "SpeedButton6", QStringLiteral("Drukuj"), QStyle::SP_FileDialogDetailedView);
    tool(SpeedButton5, "SpeedButton5", QStringLiteral("Podgląd wydruku"), QStyle::SP_FileDialogContentsView);
    ToolBar1->addSeparator();
    tool(SpeedButton13, "SpeedButton13", QStringLiteral("Ustawienia początkowe"),
         QStyle::SP_FileDialogListView);
    tool(SpeedButton4, "SpeedButton4", QStringLiteral("Faktura"), QStyle::SP_ArrowForward,
         QStringLiteral("  Faktura"));
    ToolBar1->addSeparator();
    tool(SpeedButton15, "SpeedButton15", QStringLiteral("Pomoc"), QStyle::SP_DialogHelpButton);
    tool(SpeedButton2, "SpeedButton2", QStringLiteral("O programie"), QStyle::SP_MessageBoxInformation);
    tool(SpeedButton1, "SpeedButton1", QStringLiteral("Zamknij"), QStyle::SP_DialogCloseButton);
}

void TForm1::buildLayout() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(PageControl1);

    QWidget** tabs[] = {&TabSheet1, &TabSheet2, &TabSheet3, &TabSheet4};
    QGroupBox** groups[] = {&GroupBox1, &GroupBox2, &GroupBox3, &GroupBox4, &GroupBox5};
    const QFontMetrics metrics(font());
    int tabIndex = 0;
    for (const costing::Tab& tabDef : costing::sheetCatalogue()) {
        auto* page = new QWidget;
        page->setObjectName(tabDef.objectName);
        *tabs[tabIndex++] = page;
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(4, 4, 4, 4);
        pageLayout->setSpacing(4);
        QGridLayout* summaryColumns = nullptr;
        if (tabDef.objectName == QLatin1String("TabSheet4")) {
            summaryColumns = new QGridLayout;
            pageLayout->addLayout(summaryColumns);
        }
        int leftRow = 0;
        for (const costing::Group& groupDef : tabDef.groups) {
            QWidget* container;
            if (!groupDef.title.isEmpty() || groupDef.objectName.startsWith(QLatin1String("GroupBox"))) {
                auto* box = new QGroupBox(groupDef.title, page);
                box->setObjectName(groupDef.objectName);
                const int n = groupDef.objectName.mid(8).toInt();
                if (n >= 1 && n <= 5) *groups[n - 1] = box;
                container = box;
            } else {
                container = new QWidget(page);
            }
            auto* grid = new QGridLayout(container);
            grid->setContentsMargins(6, 4, 6, 4);
            grid->setHorizontalSpacing(4);
            grid->setVerticalSpacing(2);
            int r = 0;
            for (const costing::Row& rowDef : groupDef.rows) {
                if (!rowDef.caption.isEmpty()) grid->addWidget(new QLabel(rowDef.caption, container), r, 0);
                auto* cells = new QHBoxLayout;
                cells->setSpacing(3);
                for (const costing::Cell& cell : rowDef.cells) {
                    if (cell.name.isEmpty()) {
                        auto* label = new QLabel(cell.fixed, container);
                        cells->addWidget(label);
                        continue;
                    }
                    QWidget* w = nullptr;
                    if (cell.name.startsWith(QLatin1String("Edit"))) {
                        auto* edit = new QLineEdit(cell.design, container);
                        edit->setReadOnly(cell.kind == Kind::Copy || cell.kind == Kind::Total);
                        if (cell.kind != Kind::Text) edit->setAlignment(Qt::AlignRight);
                        w = edit;
                    } else if (cell.name == QLatin1String("ComboBox7")) {
                        w = makeOptionList(container, {});
                    } else if (cell.name == QLatin1String("ComboBox5")) {
                        w = makeOptionList(container, costing::stitchingItems());
                    } else if (cell.name == QLatin1String("ComboBox6")) {
                        w = makeOptionList(container, costing::vatScopeItems());
                    } else if (cell.name == QLatin1String("ComboBox1")) {
                        w = makeOptionList(container, costing::vatCodeItems());
                    } else if (cell.name.startsWith(QLatin1String("ComboBox"))) {
                        w = makeOptionList(container, costing::percentItems());
                    } else if (cell.name == QLatin1String("DBLookupComboBox1")) {
                        auto* lookup = new tv::ui::DBLookupComboBox(container);
                        lookup->setListSource(DataSource2);
                        lookup->setListField(QStringLiteral("Nazwa"));
                        lookup->setKeyField(QStringLiteral("Nr"));
                        w = lookup;
                    } else if (cell.name == QLatin1String("DateTimePicker1")) {
                        auto* date = new QDateEdit(container);
                        date->setCalendarPopup(true);
                        date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
                        date->setDateRange(costing::earliestCalculationDate(),
                                           costing::latestCalculationDate());
                        w = date;
                    } else if (cell.name.startsWith(QLatin1String("SpeedButton"))) {
                        static const QHash<QString, QString> hints = {
                            {QStringLiteral("SpeedButton10"), QStringLiteral("Edytuj listę kontrahentów")},
                            {QStringLiteral("SpeedButton11"), QStringLiteral("Ustaw papier/kolor")},
                            {QStringLiteral("SpeedButton12"), QStringLiteral("Edytuj formaty")}};
                        auto* button = new tv::ui::SpeedButton(QStringLiteral("..."), container);
                        button->setAutoRaise(false);
                        button->setToolTip(hints.value(cell.name));
                        w = button;
                    }
                    w->setObjectName(cell.name);
                    if (!cell.hint.isEmpty()) w->setToolTip(cell.hint);
                    if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->isEditable())
                        combo->setEditText(cell.design);
                    applyKindLook(w, cell.kind);
                    // Figures keep a fixed width so that the columns of a section line up;
                    // free texts take the rest of the row.
                    const bool button = qobject_cast<tv::ui::SpeedButton*>(w) != nullptr;
                    if (cell.width > 0 && !button)
                        w->setFixedWidth(std::max(metrics.averageCharWidth() * cell.width + 16,
                                                  w->minimumSizeHint().width()));
                    cells->addWidget(w, cell.width > 0 || button ? 0 : 1);
                    m_controls.insert(cell.name, w);
                }
                cells->addStretch(0);
                grid->addLayout(cells, r, 1);
                ++r;
            }
            grid->setColumnStretch(1, 1);
            if (summaryColumns) {
                // The summary tab: the job's options on the left, the figures on the right.
                if (groupDef.objectName == QLatin1String("GroupBoxPodsumowanie"))
                    summaryColumns->addWidget(container, 0, 1, leftRow, 1);
                else
                    summaryColumns->addWidget(container, leftRow++, 0);
            } else {
                pageLayout->addWidget(container);
            }
        }
        if (summaryColumns) {
            auto* buttons = new QHBoxLayout;
            buttons->addStretch();
            auto panelButton = [&](tv::ui::SpeedButton*& b, const char* name, const QString& caption) {
                b = new tv::ui::SpeedButton(caption, page);
                b->setObjectName(QString::fromLatin1(name));
                b->setAutoRaise(false);
                b->setMinimumWidth(90);
                m_controls.insert(b->objectName(), b);
                buttons->addWidget(b);
            };
            panelButton(SpeedButton3, "SpeedButton3", QStringLiteral("Zachowaj"));
            panelButton(SpeedButton14, "SpeedButton14", QStringLiteral("Drukuj"));
            panelButton(SpeedButton16, "SpeedButton16", QStringLiteral("Zamknij"));
            pageLayout->addLayout(buttons);
        }
        pageLayout->addStretch(1);
        auto* scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidget(page);
        PageControl1->addTab(scroll, tabDef.title);
    }

#define TV_ASSIGN_EDIT(n) Edit##n = qobject_cast<QLineEdit*>(m_controls.value(QStringLiteral("Edit" #n)));
    TV_SHEET_EDITS(TV_ASSIGN_EDIT)
#undef TV_ASSIGN_EDIT
    QComboBox** combos[] = {&ComboBox1, &ComboBox2, &ComboBox3, &ComboBox4,
                            &ComboBox5, &ComboBox6, &ComboBox7};
    for (int i = 0; i < 7; ++i)
        *combos[i] = qobject_cast<QComboBox*>(m_controls.value(QStringLiteral("ComboBox%1").arg(i + 1)));
    DBLookupComboBox1 =
        qobject_cast<tv::ui::DBLookupComboBox*>(m_controls.value(QStringLiteral("DBLookupComboBox1")));
    DateTimePicker1 = qobject_cast<QDateEdit*>(m_controls.value(QStringLiteral("DateTimePicker1")));
    SpeedButton10 = qobject_cast<tv::ui::SpeedButton*>(m_controls.value(QStringLiteral("SpeedButton10")));
    SpeedButton11 = qobject_cast<tv::ui::SpeedButton*>(m_controls.value(QStringLiteral("SpeedButton11")));
    SpeedButton12 = qobject_cast<tv::ui::SpeedButton*>(m_controls.value(QStringLiteral("SpeedButton12")));

    Edit60->setVisible(false);
    // Texts that later land in shorter table fields are limited where typed:
    // the job's invoice line name is 255 characters with its longest prefix.
    Edit1->setMaxLength(232);
    ComboBox1->lineEdit()->setMaxLength(3);
    // Every field and list text is saved in the calculation file, which is
    // code page 1250: what the operator types stays within it.
    for (QWidget* control : std::as_const(m_controls)) {
        if (auto* edit = qobject_cast<QLineEdit*>(control)) tv::ui::keepToCodePage1250(edit);
        if (auto* combo = qobject_cast<QComboBox*>(control)) tv::ui::keepToCodePage1250(combo);
    }

    // The designed client area below the menu, at a fixed size.
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    tv::ui::centreOnScreen(this);
}

void TForm1::bindCommands() {
    auto bind = [this](QAction* action, void (TForm1::*handler)(QObject*)) {
        connect(action, &QAction::triggered, this, [this, action, handler] {
            tv::ui::guard([this, action, handler] { (this->*handler)(action); });
        });
    };
    auto bindButton = [this](tv::ui::SpeedButton* button, void (TForm1::*handler)(QObject*)) {
        tv::ui::onClick(button, [this, button, handler] { (this->*handler)(button); });
    };
    bind(Nowa1, &TForm1::Nowa1Click);
    bindButton(SpeedButton9, &TForm1::Nowa1Click);
    bind(Otworz1, &TForm1::SpeedButton8Click);
    bindButton(SpeedButton8, &TForm1::SpeedButton8Click);
    bind(Zapisz1, &TForm1::Zapisz1Click);
    bindButton(SpeedButton7, &TForm1::Zapisz1Click);
    bindButton(SpeedButton3, &TForm1::Zapisz1Click);
    bind(Zapiszjako1, &TForm1::Zapiszjako1Click);
    bind(Drukuj1, &TForm1::SpeedButton6Click);
    bindButton(SpeedButton6, &TForm1::SpeedButton6Click);
    bindButton(SpeedButton14, &TForm1::SpeedButton6Click);
    bind(Drukujczystkalkulacj1, &TForm1::Drukujczystkalkulacj1Click);
    bind(Podgldwydruku1, &TForm1::SpeedButton5Click);
    bindButton(SpeedButton5, &TForm1::SpeedButton5Click);
    bind(Podgldczystejkalkulacji1, &TForm1::Podgldczystejkalkulacji1Click);
    bind(Koniec1, &TForm1::Koniec1Click);
    bind(Kontrahenci1, &TForm1::Kontrahenci1Click);
    bindButton(SpeedButton10, &TForm1::SpeedButton10Click);
    bind(Rodzajepapieruigramatury1, &TForm1::Rodzajepapieruigramatury1Click);
    bind(Formatypapieru1, &TForm1::Formatypapieru1Click);
    bindButton(SpeedButton12, &TForm1::SpeedButton12Click);
    bind(Ustawieniapocztkowe1, &TForm1::Ustawieniapocztkowe1Click);
    bindButton(SpeedButton13, &TForm1::SpeedButton13Click);
    bindButton(SpeedButton11, &TForm1::SpeedButton11Click);
    bind(Pomoc2, &TForm1::Pomoc2Click);
    bindButton(SpeedButton15, &TForm1::Pomoc2Click);
    bind(Oprogramie1, &TForm1::Oprogramie1Click);
    bindButton(SpeedButton2, &TForm1::Oprogramie1Click);
    bindButton(SpeedButton1, &TForm1::SpeedButton1Click);
    bindButton(SpeedButton16, &TForm1::SpeedButton1Click);
    bindButton(SpeedButton4, &TForm1::SpeedButton4Click);
    connect(DBLookupComboBox1, &tv::ui::DBLookupComboBox::closeUp, this,
            [this] { tv::ui::guard([this] { DBLookupComboBox1CloseUp(DBLookupComboBox1); }); });
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A window restored by the window manager was not shown by the program.
    if (!event->spontaneous()) tv::ui::guard([this] { FormShow(this); });
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        tv::ui::guard([this] { FormActivate(this); });
}

void TForm1::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    tv::ui::guard([this] { FormClose(this); });
}

void TForm1::FormShow(QObject*) {
    formaty->open();
}

void TForm1::FormActivate(QObject*) {
    tv::ui::setHelpFile(QStringLiteral("KM550help.hlp"));
}

// Closing the sheet ends the whole program, the invoice window included.
void TForm1::FormClose(QObject*) {
    tv::ui::terminateApplication();
}

void TForm1::Koniec1Click(QObject*) {
    close();
}

void TForm1::SpeedButton1Click(QObject*) {
    tv::ui::terminateApplication();
}

void TForm1::Pomoc2Click(QObject*) {
    tv::ui::showHelpContents(tv::ui::helpFile());
}

void TForm1::Oprogramie1Click(QObject*) {
    if (showInfoBox) showInfoBox();
}

void TForm1::ZapamietajPola() {
    opcje = {ComboBox1, ComboBox2, ComboBox3, ComboBox4, nullptr, ComboBox5, ComboBox6};
    for (int slot = 0; slot < 80; ++slot) {
        // Slots 0 to 40 are Edit1 to Edit41, slot 41 is Edit41 again, then Edit42 to Edit79.
        const int number = slot <= 40 ? slot + 1 : slot;
        pola[slot] = qobject_cast<QLineEdit*>(m_controls.value(QStringLiteral("Edit%1").arg(number)));
        domyslne[slot] = pola[slot]->text();
    }
}

void TForm1::WczytajKontrahentow() {
    ComboBox7->clear();
    kontrahenci->open();
    kontrahenci->first();
    const int count = kontrahenci->recordCount();
    for (int i = 0; i < count; ++i) {
        ComboBox7->addItem(kontrahenci->fieldByName(QStringLiteral("Id")).asString());
        kontrahenci->next();
    }
    ComboBox7->setEditText(QString());
}

void TForm1::DBLookupComboBox1CloseUp(QObject*) {
    Form4->Label9->setText(DBLookupComboBox1->text());
    Form4->numerFormatu = formaty->fieldByName(QStringLiteral("Nr")).asInteger();
}

void TForm1::Kontrahenci1Click(QObject*) {
    Form_fa4->show();
}

void TForm1::SpeedButton10Click(QObject*) {
    Form_fa4->show();
    kontrahenci->refresh();
}

void TForm1::Rodzajepapieruigramatury1Click(QObject*) {
    Form5->show();
}

void TForm1::Formatypapieru1Click(QObject*) {
    Form3->show();
}

void TForm1::SpeedButton12Click(QObject*) {
    Form3->exec();
    formaty->open();
    formaty->refresh();
}

void TForm1::Ustawieniapocztkowe1Click(QObject*) {
    Form6->show();
}

void TForm1::SpeedButton13Click(QObject*) {
    Form6->show();
}

void TForm1::SpeedButton11Click(QObject*) {
    if (DBLookupComboBox1->text().isEmpty()) {
        tv::ui::showMessage(QStringLiteral("Wybierz format papieru"));
        return;
    }
    Form4->show();
}
