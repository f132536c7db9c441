#include "invoicing/invoice_window.h"

#include <cmath>
#include <limits>

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "costing/rules/customer_rows.h"
#include "invoicing/info_screen.h"
#include "invoicing/registers/administration.h"
#include "invoicing/registers/goods.h"
#include "invoicing/registers/issued_invoices.h"
#include "invoicing/registers/sellers.h"
#include "invoicing/rules/amount_in_words.h"
#include "invoicing/rules/invoice_header.h"
#include "invoicing/welcome_screen.h"
#include "platform/clock.h"
#include "platform/convert.h"
#include "platform/errors.h"
#include "platform/report/fonts.h"
#include "platform/ui/application.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware.h"
#include "platform/ui/messages.h"
#include "platform/ui/pick_lists.h"

TForm_fa1* Form_fa1 = nullptr;

namespace {

const QStringList kPaymentForms = {QStringLiteral("przelewem "),      QStringLiteral("akredytywą"),
                                   QStringLiteral("czekiem"),         QStringLiteral("gotówką"),
                                   QStringLiteral("kartą kredytową"), QStringLiteral("kartą płatniczą"),
                                   QStringLiteral("przelewem"),       QStringLiteral("wekslem"),
                                   QStringLiteral("za pobraniem"),    QStringLiteral("zapłacono przelewem")};
const QStringList kPaymentTerms = {QStringLiteral("7 dni"), QStringLiteral("14 dni"),
                                   QStringLiteral("30 dni"), QStringLiteral("Zgodnie z umową"),
                                   QStringLiteral("Inne")};
const QStringList kShipping = {QStringLiteral("Poczta"), QStringLiteral("Servisco"),
                               QStringLiteral("Przesyłka kurierska")};

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QComboBox* makeList(QWidget* parent, const char* name, const QStringList& items, const QString& text) {
    auto* combo = named(new QComboBox(parent), name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // What the operator types is the text, letter by letter: a completion
    // would change it with no change handler run.
    combo->setCompleter(nullptr);
    combo->addItems(items);
    combo->setEditText(text);
    return combo;
}

// A date picker whose change handler runs only for the operator's own
// changes (typing, the arrows, the wheel, the calendar), never when code
// sets its date. Every input event reaching the picker or its calendar marks
// the changes it causes as the operator's; the mark ends once the event has
// been handled.
class OperatorDateEdit : public QDateEdit {
public:
    explicit OperatorDateEdit(QWidget* parent) : QDateEdit(parent) {
        setCalendarPopup(true);
        setCalendarWidget(new QCalendarWidget(this));
        watch(this);
        connect(this, &QDateEdit::dateChanged, this, [this] {
            if (m_operator && onOperatorChange) tv::ui::guard(onOperatorChange);
        });
    }
    std::function<void()> onOperatorChange;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::FocusOut:
            if (!m_operator) {
                m_operator = true;
                QTimer::singleShot(0, this, [this] { m_operator = false; });
            }
            break;
        case QEvent::ChildAdded:
            if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child())) watch(child);
            break;
        default:
            break;
        }
        return QDateEdit::eventFilter(watched, event);
    }

private:
    void watch(QWidget* widget) {
        widget->installEventFilter(this);
        for (QWidget* child : widget->findChildren<QWidget*>())
            child->installEventFilter(this);
    }
    bool m_operator = false;
};

QDateEdit* makeDate(QWidget* parent, const char* name) {
    auto* picker = named(new OperatorDateEdit(parent), name);
    picker->setDate(tv::today());
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return picker;
}

// Runs a step of a sequence on its own: a failure is shown and the next step
// still runs.
void step(const std::function<void()>& fn) {
    tv::ui::guard(fn);
}

// Calls back when a register window is shown or hidden.
class RegisterWatch : public QObject {
public:
    RegisterWatch(QObject* parent, std::function<void()> shown, std::function<void(QObject*)> hidden)
        : QObject(parent), m_shown(std::move(shown)), m_hidden(std::move(hidden)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !static_cast<QShowEvent*>(event)->spontaneous())
            tv::ui::guard(m_shown);
        else if (event->type() == QEvent::Hide && !static_cast<QHideEvent*>(event)->spontaneous())
            tv::ui::guard([&] { m_hidden(watched); });
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_shown;
    std::function<void(QObject*)> m_hidden;
};

// Runs a function on a click of a plain widget (the logo).
class ClickWatch : public QObject {
public:
    ClickWatch(QWidget* widget, std::function<void()> click) : QObject(widget), m_click(std::move(click)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            tv::ui::guard(m_click);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_click;
};

// Whether a widget is the grid or lies inside it (its cell editor).
bool within(const QWidget* widget, const QWidget* container) {
    for (; widget; widget = widget->parentWidget())
        if (widget == container) return true;
    return false;
}

} // namespace

TForm_fa1::TForm_fa1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form_fa1"));
    setWindowTitle(QStringLiteral("Tarvelino 2000 - moduł FAKTURY"));
    // The form was designed for a compact sans-serif face; with the one the
    // printouts pin, every control fits at the design size on any machine.
    QFont face(tv::report::pinnedFamily(QStringLiteral("Tahoma")));
    face.setPointSize(8);
    setFont(face);
    webAddress = qEnvironmentVariable("TARVELINO_WWW");
    openAddress = [](const QString& address) { return tv::ui::shellOpen(address); };
    buildControls();
    buildLayout();
    bindHandlers();
    bindStockHandlers();
    FormCreate(this);
    // Construction, as the window starts out.
    Zapisana = false;
    RazemNetto = RazemBrutto = RazemVAT = tv::Currency();
    for (QDateEdit* picker : {DateTimePicker1, DateTimePicker2, DateTimePicker3})
        picker->setDate(tv::today());
    LicznikFaktur = -1;
    LiczPozycje = true;
    TrybVatRR = false;
    WczytajSprzedawcow();
    sprzedawcy->first();
    ComboBox2->setEditText(sprzedawcy->isEmpty() ? QString() : sprzedawcy->fieldByName("Id").asString());
    ComboBox5->setEditText(QString());
    WczytajKontrahentow();
    // The help file follows the window in use: this one sets it when it is
    // activated, so the start screen shown first keeps the program's own.
}

TForm_fa1::~TForm_fa1() {
    // Controls that listen to a table go before their tables do.
    delete centralWidget();
    for (tv::ui::DataSource* source : {DataSource1, DataSource2, DataSource3, DataSource4, DataSource8})
        delete source;
    delete Query3;
    delete Query2;
    delete Query1;
    for (tv::Table* table : {tabletemp2, tabletemp1, wyst_pozycje_kor, wyst_pozycje, wyst_faktury, towary,
                             stawkiVAT, pozycje, kontrahenci, sprzedawcy})
        delete table;
}

void TForm_fa1::buildControls() {
    sprzedawcy = new tv::Table(QStringLiteral("sprzedawcy.db"));
    kontrahenci = new tv::Table(QStringLiteral("kontrahenci.DB"));
    pozycje = new tv::Table(QStringLiteral("pozycje.db"));
    stawkiVAT = new tv::Table(QStringLiteral("stawkiVAT.db"));
    towary = new tv::Table(QStringLiteral("towary.DB"));
    wyst_faktury = new tv::Table(QStringLiteral("wyst_faktury.DB"));
    wyst_pozycje = new tv::Table(QStringLiteral("wyst_pozycje.DB"));
    wyst_pozycje_kor = new tv::Table(QStringLiteral("wyst_pozycje_kor.DB"));
    tabletemp1 = new tv::Table;
    tabletemp2 = new tv::Table;
    for (tv::Table* table : {sprzedawcy, kontrahenci, pozycje, stawkiVAT, towary, wyst_faktury, wyst_pozycje})
        table->open();
    Query1 = new tv::Query;
    Query2 = new tv::Query;
    Query2->setSql(QStringLiteral("select * from stawkiVAT order by VAT desc"));
    Query3 = new tv::Query;
    DataSource1 = new tv::ui::DataSource(sprzedawcy);
    DataSource2 = new tv::ui::DataSource(kontrahenci);
    DataSource3 = new tv::ui::DataSource(towary);
    DataSource4 = new tv::ui::DataSource(pozycje);
    DataSource8 = new tv::ui::DataSource(stawkiVAT);
    DataSource8->setAutoEdit(false);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);
    auto edit = [central](const char* name, const QString& text = QString()) {
        return named(new QLineEdit(text, central), name);
    };
    Edit5 = edit("Edit5");
    Edit6 = edit("Edit6");
    Edit7 = edit("Edit7", QStringLiteral("Dziękujemy"));
    Edit8 = edit("Edit8");
    Edit9 = edit("Edit9");
    Edit11 = edit("Edit11");
    Edit12 = edit("Edit12");
    DateTimePicker1 = makeDate(central, "DateTimePicker1");
    DateTimePicker2 = makeDate(central, "DateTimePicker2");
    DateTimePicker2->setVisible(false);
    DateTimePicker3 = makeDate(central, "DateTimePicker3");
    CheckBox1 = named(new QCheckBox(QStringLiteral("miesiąc sprzedaży"), central), "CheckBox1");
    CheckBox1->setVisible(false);
    ComboBox1 = makeList(central, "ComboBox1", kPaymentForms, QStringLiteral("gotówką"));
    ComboBox2 = makeList(central, "ComboBox2", {}, QString());
    ComboBox3 = makeList(central, "ComboBox3", {}, QString());
    ComboBox4 = makeList(central, "ComboBox4", kPaymentTerms, QStringLiteral("Zgodnie z umową"));
    ComboBox5 = makeList(central, "ComboBox5", {}, QString());
    ComboBox7 = makeList(central, "ComboBox7", kShipping, QString());
    shippingLabel = new QLabel(QStringLiteral("Sposób wysyłki"), central);
    ComboBox7->setVisible(false);
    shippingLabel->setVisible(false);
    // The number, the order and the payment texts go into the invoice's
    // header fields, and the choices into "ustmain.txt", both code page 1250:
    // the operator types nothing else, and no more than the field holds. The
    // number alone is not cut: the numbering pattern makes it too, and one too
    // long is refused, with its message, when the invoice is saved.
    tv::ui::keepToCodePage1250(Edit5);
    auto storedIn = [header = &wyst_faktury->layout()](QLineEdit* control, const char* field) {
        tv::ui::keepToCodePage1250(control);
        control->setMaxLength(header->fields[header->fieldIndex(QString::fromLatin1(field))].size);
    };
    storedIn(Edit11, "Zamowienie");
    storedIn(ComboBox1->lineEdit(), "Forma_pl");
    storedIn(ComboBox4->lineEdit(), "Termin_pl");
    storedIn(ComboBox7->lineEdit(), "Sp_wysylki");
    DBLookupComboBox3 = named(new tv::ui::DBLookupComboBox(central), "DBLookupComboBox3");
    DBLookupComboBox3->setListSource(DataSource3);
    DBLookupComboBox3->setListField(QStringLiteral("Id"));
    DBLookupComboBox3->setKeyField(QStringLiteral("Nr"));

    GroupBox2 = named(new QGroupBox(QStringLiteral("rodzaj dokumentu"), central), "GroupBox2");
    RadioButton1 = named(new QRadioButton(QStringLiteral("faktura VAT"), GroupBox2), "RadioButton1");
    RadioButton3 = named(new QRadioButton(QStringLiteral("faktura VAT RR"), GroupBox2), "RadioButton3");
    RadioButton4 = named(new QRadioButton(QStringLiteral("rachunek"), GroupBox2), "RadioButton4");
    RadioButton1->setChecked(true);
    RadioButton3->setVisible(false);
    GroupBox1 = named(new QGroupBox(QStringLiteral("Forma wydruku"), central), "GroupBox1");
    RadioButton6 = named(new QRadioButton(QStringLiteral("Oryginał i kopia"), GroupBox1), "RadioButton6");
    RadioButton5 = named(new QRadioButton(QStringLiteral("Bez napisu (1x)"), GroupBox1), "RadioButton5");
    RadioButton2 = named(new QRadioButton(QStringLiteral("Oryginał\\kopia (2x)"), GroupBox1), "RadioButton2");
    RadioButton7 = named(new QRadioButton(QStringLiteral("Oryginał i 2 kopie"), GroupBox1), "RadioButton7");
    RadioButton6->setChecked(true);

    CheckBox2 = named(new QCheckBox(QStringLiteral("Rabat:"), central), "CheckBox2");
    CheckBox2->setEnabled(false);
    QStringList percentages;
    for (int p = 5; p <= 95; p += 5)
        percentages << QString::number(p);
    ComboBox6 = makeList(central, "ComboBox6", percentages, QStringLiteral("5"));
    ComboBox6->setEnabled(false);

    DBGrid1 = named(new tv::ui::DBGrid(central), "DBGrid1");
    DBGrid1->setDataSource(DataSource4);
    QVector<tv::ui::DBGridColumn> columns;
    for (const char* field :
         {"Lp", "Nazwa", "PKWiU", "Ilosc", "Jm", "Netto_jedn", "Netto", "VAT", "KwotaVAT", "Brutto", "Klasa"})
        columns.append(tv::ui::DBGridColumn(QString::fromLatin1(field), QString::fromLatin1(field)));
    DBGrid1->setColumns(columns);
    // Down on the last line appends the next one, as in any editable grid:
    // otherwise the line just typed stays open and the next name typed
    // overwrites it. Insert stays the window's own "Dodaj pozycję".
    DBGrid1->setAllowInsert(true);
    Edit3 = edit("Edit3", QStringLiteral("0"));
    Edit2 = edit("Edit2", QStringLiteral("0"));
    Edit1 = edit("Edit1", QStringLiteral("0"));
    Edit4 = edit("Edit4");
    for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4})
        e->setReadOnly(true);
    for (QLineEdit* e : {Edit1, Edit2, Edit3})
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    valuta = named(new QLabel(QStringLiteral("valuta"), central), "valuta");
    valuta->setVisible(false);

    auto dbEdit = [central](const char* name, tv::ui::DataSource* source, const char* field) {
        auto* e = named(new tv::ui::DBEdit(central), name);
        e->setDataSource(source);
        e->setDataField(QString::fromLatin1(field));
        e->setVisible(false);
        return e;
    };
    DBEdit2 = dbEdit("DBEdit2", DataSource1, "Miejscowosc");
    DBEdit5 = dbEdit("DBEdit5", DataSource1, "Nazwisko");
    DBEdit7 = dbEdit("DBEdit7", DataSource1, "Ulica");
    DBEdit6 = dbEdit("DBEdit6", DataSource2, "Nazwisko");
    DBEdit1 = dbEdit("DBEdit1", DataSource8, "Netto");
    DBEdit3 = dbEdit("DBEdit3", DataSource8, "KwotaVAT");
    DBEdit4 = dbEdit("DBEdit4", DataSource8, "Brutto");

    ToolBar1 = named(new QToolBar(this), "ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setFocusPolicy(Qt::NoFocus);
    ToolBar1->setIconSize(QSize(20, 20));
    addToolBar(ToolBar1);
    auto tool = [this](const char* name, const QString& hint, QStyle::StandardPixmap icon) {
        auto* button = named(new tv::ui::SpeedButton(QString(), this), name);
        button->setToolTip(hint);
        button->setText(hint);
        button->setIcon(style()->standardIcon(icon));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        ToolBar1->addWidget(button);
        return button;
    };
    SpeedButton1 = tool("SpeedButton1", QStringLiteral("Nowa faktura"), QStyle::SP_FileIcon);
    SpeedButton2 = tool("SpeedButton2", QStringLiteral("Zapisz fakturę"), QStyle::SP_DialogSaveButton);
    ToolBar1->addSeparator();
    SpeedButton3 = tool("SpeedButton3", QStringLiteral("Podgląd wydruku"), QStyle::SP_FileDialogContentsView);
    SpeedButton4 = tool("SpeedButton4", QStringLiteral("Drukuj fakturę"), QStyle::SP_FileDialogDetailedView);
    ToolBar1->addSeparator();
    SpeedButton13 = tool("SpeedButton13", QStringLiteral("Administracja"), QStyle::SP_FileDialogListView);
    SpeedButton18 = tool("SpeedButton18", QStringLiteral("Zarchiwizuj pliki"), QStyle::SP_DriveHDIcon);
    SpeedButton22 =
        tool("SpeedButton22", QStringLiteral("Rozpakuj pliki archiwalne"), QStyle::SP_DialogOpenButton);
    ToolBar1->addSeparator();
    SpeedButton5 = tool("SpeedButton5", QStringLiteral("Pomoc"), QStyle::SP_DialogHelpButton);
    SpeedButton16 = tool("SpeedButton16", QStringLiteral("O programie.."), QStyle::SP_MessageBoxInformation);
    SpeedButton6 = tool("SpeedButton6", QStringLiteral("Zamknij"), QStyle::SP_DialogCloseButton);
    auto* spacer = new QWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    ToolBar1->addWidget(spacer);
    Image1 = named(new QLabel(QStringLiteral("Tarvelino 2000"), this), "Image1");
    Image1->setToolTip(QStringLiteral("nasza strona w internecie"));
    QFont logoFont = Image1->font();
    logoFont.setBold(true);
    logoFont.setItalic(true);
    logoFont.setPointSize(10);
    Image1->setFont(logoFont);
    Image1->setStyleSheet(QStringLiteral("color: #05007e; padding: 0 6px;"));
    ToolBar1->addWidget(Image1);

    auto lineCommand = [central](const char* name, const QString& hint, const QString& glyph) {
        auto* button = named(new tv::ui::SpeedButton(glyph, central), name);
        button->setToolTip(hint);
        button->setFixedSize(30, 25);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        QFont f = button->font();
        f.setPointSize(10);
        button->setFont(f);
        return button;
    };
    SpeedButton20 = lineCommand("SpeedButton20", QStringLiteral("Dodaj pozycję"), QStringLiteral("+"));
    SpeedButton19 = lineCommand("SpeedButton19", QStringLiteral("Usuń pozycję"), QStringLiteral("−"));
    SpeedButton21 = lineCommand("SpeedButton21", QStringLiteral("Modyfikuj pozycję"), QStringLiteral("✎"));
    SpeedButton14 = lineCommand("SpeedButton14", QStringLiteral("Potwierdź zmianę"), QStringLiteral("✓"));
    SpeedButton15 = lineCommand("SpeedButton15", QStringLiteral("Anuluj zmianę"), QStringLiteral("✗"));
    SpeedButton32 = lineCommand("SpeedButton32", QStringLiteral("Odśwież dane"), QStringLiteral("↻"));

    auto panel = [central](const char* name, const QString& caption) {
        auto* p = named(new tv::ui::PanelButton(caption, central), name);
        p->setColours(8257541, 12648458);
        p->setMinimumHeight(22);
        p->setContentsMargins(8, 2, 8, 2);
        return p;
    };
    Panel1 = panel("Panel1", QStringLiteral("towary i usługi"));
    Panel2 = panel("Panel2", QStringLiteral("kontrahenci"));
    Panel3 = panel("Panel3", QStringLiteral("sprzedawcy"));
    Panel4 = panel("Panel4", QStringLiteral("faktury"));
    Panel5 = panel("Panel5", QStringLiteral("dodaj towar do listy"));
    Panel8 = panel("Panel8", QStringLiteral("NIP"));
    auto hidden = [central](const char* name) {
        auto* button = named(new tv::ui::SpeedButton(QString(), central), name);
        button->setVisible(false);
        return button;
    };
    SpeedButton9 = hidden("SpeedButton9");
    SpeedButton8 = hidden("SpeedButton8");
    SpeedButton7 = hidden("SpeedButton7");
    SpeedButton10 = hidden("SpeedButton10");
    SpeedButton11 = hidden("SpeedButton11");
    Button1 = named(new QPushButton(QStringLiteral("odejmij all"), central), "Button1");
    Button1->setVisible(false);
}

void TForm_fa1::buildLayout() {
    auto* central = centralWidget();
    auto label = [central](const QString& caption, QWidget* buddy) {
        auto* l = new QLabel(caption, central);
        l->setBuddy(buddy);
        return l;
    };

    // The header: number, dates and payment on the left, the parties below.
    auto* header = new QGridLayout;
    header->setHorizontalSpacing(6);
    header->setVerticalSpacing(3);
    header->addWidget(label(QStringLiteral("Nr faktury"), Edit5), 0, 0);
    header->addWidget(Edit5, 0, 1);
    header->addWidget(label(QStringLiteral("Data wystawienia"), DateTimePicker1), 0, 2);
    header->addWidget(DateTimePicker1, 0, 3);
    header->addWidget(label(QStringLiteral("Data sprzedaży"), DateTimePicker3), 0, 4);
    auto* saleDate = new QHBoxLayout;
    saleDate->setSpacing(6);
    saleDate->addWidget(DateTimePicker3, 1);
    saleDate->addWidget(CheckBox1);
    header->addLayout(saleDate, 0, 5);
    header->addWidget(label(QStringLiteral("Miejsce wystawienia"), Edit6), 1, 0);
    header->addWidget(Edit6, 1, 1);
    header->addWidget(label(QStringLiteral("Forma płatności"), ComboBox1), 1, 2);
    header->addWidget(ComboBox1, 1, 3);
    header->addWidget(label(QStringLiteral("Termin płatności"), ComboBox4), 1, 4);
    auto* term = new QHBoxLayout;
    term->setSpacing(4);
    term->addWidget(ComboBox4, 1);
    term->addWidget(DateTimePicker2, 1);
    header->addLayout(term, 1, 5);
    header->addWidget(label(QStringLiteral("Sprzedawca"), ComboBox2), 2, 0);
    header->addWidget(ComboBox2, 2, 1);
    header->addWidget(label(QStringLiteral("Imię i nazwisko sprzedawcy:"), Edit8), 2, 2, 1, 2);
    header->addWidget(Edit8, 2, 4, 1, 2);
    header->addWidget(label(QStringLiteral("Kontrahent"), ComboBox3), 3, 0);
    header->addWidget(ComboBox3, 3, 1);
    header->addWidget(label(QStringLiteral("Imię i nazwisko kontrahenta:"), Edit9), 3, 2, 1, 2);
    header->addWidget(Edit9, 3, 4, 1, 2);
    header->addWidget(label(QStringLiteral("Zamówienie:"), Edit11), 4, 0);
    header->addWidget(Edit11, 4, 1);
    header->addWidget(shippingLabel, 4, 2);
    header->addWidget(ComboBox7, 4, 3);
    header->setColumnStretch(1, 3);
    header->setColumnStretch(3, 2);
    header->setColumnStretch(5, 3);

    // The document's kind and print form, and the discount.
    auto* kinds = new QVBoxLayout(GroupBox2);
    kinds->setContentsMargins(6, 2, 6, 4);
    kinds->setSpacing(2);
    for (QRadioButton* b : {RadioButton1, RadioButton3, RadioButton4})
        kinds->addWidget(b);
    auto* forms = new QGridLayout(GroupBox1);
    forms->setContentsMargins(6, 2, 6, 4);
    forms->setHorizontalSpacing(12);
    forms->setVerticalSpacing(2);
    forms->addWidget(RadioButton6, 0, 0);
    forms->addWidget(RadioButton5, 1, 0);
    forms->addWidget(RadioButton2, 0, 1);
    forms->addWidget(RadioButton7, 1, 1);
    auto* discount = new QHBoxLayout;
    discount->setSpacing(4);
    discount->addWidget(CheckBox2);
    ComboBox6->setMinimumContentsLength(3);
    discount->addWidget(ComboBox6);
    discount->addWidget(new QLabel(QStringLiteral("%"), central));
    auto* discountColumn = new QVBoxLayout;
    discountColumn->addStretch();
    discountColumn->addLayout(discount);
    auto* options = new QHBoxLayout;
    options->setSpacing(8);
    options->addWidget(GroupBox2);
    options->addWidget(GroupBox1);
    options->addStretch();
    options->addLayout(discountColumn);

    // The line commands and the goods picker, above the grid.
    auto* lineRow = new QHBoxLayout;
    lineRow->setSpacing(2);
    for (tv::ui::SpeedButton* b :
         {SpeedButton20, SpeedButton19, SpeedButton21, SpeedButton14, SpeedButton15, SpeedButton32})
        lineRow->addWidget(b);
    lineRow->addSpacing(12);
    lineRow->addStretch();
    lineRow->addWidget(label(QStringLiteral("Towary i usługi"), ComboBox5));
    ComboBox5->setMinimumContentsLength(18);
    DBLookupComboBox3->setMinimumContentsLength(18);
    lineRow->addWidget(ComboBox5);
    lineRow->addWidget(DBLookupComboBox3);
    lineRow->addSpacing(4);
    lineRow->addWidget(Panel5);

    // The totals, the amount in words and the texts printed under the lines.
    auto* totals = new QGridLayout;
    totals->setHorizontalSpacing(6);
    totals->setVerticalSpacing(3);
    auto* sum = new QLabel(QStringLiteral("Razem"), central);
    QFont bold = sum->font();
    bold.setBold(true);
    sum->setFont(bold);
    totals->addWidget(sum, 0, 0);
    totals->addWidget(label(QStringLiteral("Wartość netto"), Edit3), 0, 1, Qt::AlignRight);
    totals->addWidget(Edit3, 0, 2);
    totals->addWidget(label(QStringLiteral("Kwota VAT"), Edit2), 0, 3, Qt::AlignRight);
    totals->addWidget(Edit2, 0, 4);
    totals->addWidget(label(QStringLiteral("Wartość brutto"), Edit1), 0, 5, Qt::AlignRight);
    totals->addWidget(Edit1, 0, 6);
    totals->addWidget(label(QStringLiteral("Słownie"), Edit4), 1, 0);
    totals->addWidget(Edit4, 1, 1, 1, 6);
    totals->addWidget(label(QStringLiteral("Dodatkowy tekst"), Edit7), 2, 0);
    totals->addWidget(Edit7, 2, 1, 1, 2);
    totals->addWidget(label(QStringLiteral("Uwagi"), Edit12), 2, 3, Qt::AlignRight);
    totals->addWidget(Edit12, 2, 4, 1, 3);
    totals->setColumnStretch(2, 1);
    totals->setColumnStretch(4, 1);
    totals->setColumnStretch(6, 1);

    // The registers, as panels along the bottom.
    auto* panels = new QHBoxLayout;
    panels->setSpacing(4);
    for (tv::ui::PanelButton* p : {Panel1, Panel2, Panel3, Panel4, Panel8})
        panels->addWidget(p, 1);

    auto* main = new QVBoxLayout(central);
    main->setContentsMargins(6, 4, 6, 6);
    main->setSpacing(4);
    main->addLayout(header);
    main->addLayout(options);
    main->addLayout(lineRow);
    main->addWidget(DBGrid1, 1);
    main->addLayout(totals);
    main->addLayout(panels);

    // Every column of the lines in view at once: the figures as wide as
    // their titles need, the name taking what is left.
    const QFontMetrics metrics(DBGrid1->font());
    const struct {
        int column;
        int characters;
    } widths[] = {{0, 3}, {2, 7}, {3, 5}, {4, 4}, {5, 8}, {6, 8}, {7, 4}, {8, 8}, {9, 8}, {10, 4}};
    for (const auto& w : widths) {
        const QString title = DBGrid1->model()->headerData(w.column, Qt::Horizontal).toString();
        DBGrid1->setColumnWidth(w.column, std::max(metrics.horizontalAdvance(title) + 12,
                                                   metrics.averageCharWidth() * w.characters + 8));
    }
    DBGrid1->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    DBGrid1->horizontalHeader()->setMinimumSectionSize(24);
}

void TForm_fa1::bindHandlers() {
    using tv::ui::onChange;
    using tv::ui::onClick;
    onChange(ComboBox2, [this] { ComboBox2Change(ComboBox2); });
    onChange(ComboBox3, [this] { ComboBox3Change(ComboBox3); });
    // The chosen parties follow the pickers' texts whoever sets them.
    connect(ComboBox2, &QComboBox::editTextChanged, this,
            [this] { tv::ui::guard([this] { syncChosenParty(ComboBox2, *sprzedawcy, chosenSeller); }); });
    connect(ComboBox3, &QComboBox::editTextChanged, this,
            [this] { tv::ui::guard([this] { syncChosenParty(ComboBox3, *kontrahenci, chosenCustomer); }); });
    onChange(DBEdit2, [this] { DBEdit2Change(DBEdit2); });
    onChange(DBEdit5, [this] { DBEdit5Change(DBEdit5); });
    onChange(DBEdit6, [this] { DBEdit6Change(DBEdit6); });
    static_cast<OperatorDateEdit*>(DateTimePicker1)->onOperatorChange = [this] {
        DateTimePicker1Change(DateTimePicker1);
    };
    onChange(ComboBox4, [this] { ComboBox4Change(ComboBox4); });
    // The payment date is shown exactly while the term says "Inne", also when
    // the window sets the term itself (the remembered defaults, the issue
    // date's text): a hidden date would still be printed as the term.
    connect(ComboBox4, &QComboBox::editTextChanged, this, [this](const QString& term) {
        DateTimePicker2->setVisible(term == QLatin1String("Inne"));
    });
    onChange(ComboBox1, [this] { ComboBox1Change(ComboBox1); });

    onClick(SpeedButton1, [this] { SpeedButton1Click(SpeedButton1); });
    onClick(SpeedButton2, [this] { SpeedButton2Click(SpeedButton2); });
    onClick(SpeedButton3, [this] { SpeedButton3Click(SpeedButton3); });
    onClick(SpeedButton4, [this] { SpeedButton4Click(SpeedButton4); });
    onClick(SpeedButton13, [this] { SpeedButton13Click(SpeedButton13); });
    onClick(SpeedButton18, [this] { SpeedButton18Click(SpeedButton18); });
    onClick(SpeedButton22, [this] { SpeedButton22Click(SpeedButton22); });
    onClick(SpeedButton5, [this] { SpeedButton5Click(SpeedButton5); });
    onClick(SpeedButton16, [this] { SpeedButton16Click(SpeedButton16); });
    onClick(SpeedButton6, [this] { SpeedButton6Click(SpeedButton6); });
    new ClickWatch(Image1, [this] { Image1Click(Image1); });
    onClick(Panel1, [this] { Panel1Click(Panel1); });
    onClick(Panel2, [this] { Panel2Click(Panel2); });
    onClick(Panel3, [this] { Panel3Click(Panel3); });
    onClick(Panel4, [this] { Panel4Click(Panel4); });
    onClick(Panel5, [this] { Panel5Click(Panel5); });
    onClick(SpeedButton9, [this] { SpeedButton9Click(SpeedButton9); });
    onClick(SpeedButton8, [this] { SpeedButton8Click(SpeedButton8); });
    onClick(SpeedButton7, [this] { SpeedButton7Click(SpeedButton7); });
    onClick(SpeedButton10, [this] { SpeedButton10Click(SpeedButton10); });
    onClick(SpeedButton11, [this] { SpeedButton11Click(SpeedButton11); });

    // The lines.
    onClick(SpeedButton20, [this] { SpeedButton20Click(SpeedButton20); });
    onClick(SpeedButton19, [this] { SpeedButton19Click(SpeedButton19); });
    onClick(SpeedButton21, [this] { SpeedButton21Click(SpeedButton21); });
    onClick(SpeedButton14, [this] { SpeedButton14Click(SpeedButton14); });
    onClick(SpeedButton15, [this] { SpeedButton15Click(SpeedButton15); });
    onClick(SpeedButton32, [this] { SpeedButton32Click(SpeedButton32); });
    tv::ui::onKeyDown(DBGrid1,
                      [this](int& key, Qt::KeyboardModifiers shift) { DBGrid1KeyDown(DBGrid1, key, shift); });
    // Leaving the grid, its cell editor included, confirms the line.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (old && now && within(old, DBGrid1) && !within(now, DBGrid1) && now->window() == this)
            tv::ui::guard([this] { SpeedButton14Click(DBGrid1); });
    });
    pozycje->addListener([this](tv::Table::Event event) {
        if (event == tv::Table::Event::FieldChanged) pozycjeCalcFields(*pozycje);
    });
    pozycje->beforePost = [this](tv::Table& lines) { checkLineRate(lines); };
    onClick(CheckBox2, [this] {
        if (!m_discountFromCode) CheckBox2Click(CheckBox2);
    });
    onChange(ComboBox6, [this] { ComboBox6Change(ComboBox6); });

    // The list of goods outside the stock version stands where the stock
    // version's picker would.
    struct PickerSwap : QObject {
        TForm_fa1* form;
        explicit PickerSwap(TForm_fa1* f) : QObject(f), form(f) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
                form->DBLookupComboBox3->setVisible(form->ComboBox5->isHidden());
            return QObject::eventFilter(watched, event);
        }
    };
    ComboBox5->installEventFilter(new PickerSwap(this));
    DBLookupComboBox3->setVisible(ComboBox5->isHidden());
}

// The registers are created after this window; they are watched once they
// exist, from the first show or the first panel click on.
void TForm_fa1::watchRegisters() {
    static const char* const property = "_tvWatchedByInvoiceWindow";
    if (!m_registerWatch) {
        m_registerWatch = new RegisterWatch(
            this, [this] { registerShown(); }, [this](QObject* form) { registerClosed(form); });
    }
    for (QWidget* form :
         {static_cast<QWidget*>(Form_fa3), customerRegister, static_cast<QWidget*>(Form_fa5)}) {
        if (!form || form->property(property).toBool()) continue;
        form->installEventFilter(m_registerWatch);
        form->setProperty(property, true);
    }
}

void TForm_fa1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) tv::ui::guard([this] { FormShow(this); });
}

void TForm_fa1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        tv::ui::guard([this] { FormActivate(this); });
}

void TForm_fa1::closeEvent(QCloseEvent* event) {
    tv::ui::guard([this] { FormClose(this); });
    event->accept();
}

void TForm_fa1::FormCreate(QObject*) {
    resize(689, 577);
}

void TForm_fa1::FormShow(QObject*) {
    watchRegisters();
    step([this] {
        Edit8->clear();
        Edit9->clear();
    });
    step([this] {
        WczytajSprzedawcow();
        ComboBox2->setEditText(ComboBox2->count() > 0 ? ComboBox2->itemText(0) : QString());
        ComboBox2Change(this);
    });
    step([this] { ComboBox5->setEditText(QString()); });
    step([] {
        if (Form_fa10) Form_fa10->Label12->setText(QDir::currentPath());
    });
    step([this] { ComboBox4->setEditText(invoicing::termDateText(DateTimePicker1->date())); });
    step([this] { Zapisana = false; });
    step([this] {
        if (Form_fa10) Form_fa10->Edit2->setText(QString::number(NastepnyNumer() + 1));
    });
    step([this] {
        if (!Form_fa10) return;
        Form_fa10->SpeedButton1Click(Form_fa10);
        // A stored invoice on screen keeps its number: the counter taken over
        // is the next invoice's.
        if (!storedNumber.isEmpty() && Form_fa10->Edit2->text() == QString::number(LicznikFaktur))
            counterPastStored = storedNumber;
    });
    step([this] { UstawMiejsceWystawienia(); });
    step([this] { WczytajUstawienia(); });
    step([this] { showPartyNames(); });
}

void TForm_fa1::FormActivate(QObject*) {
    step([this] { valuta->setText(invoicing::currencyWord()); });
    step([] { tv::ui::setHelpFile(QStringLiteral("Fhelp.hlp")); });
    step([this] {
        if (!stockVersion()) ComboBox5->setVisible(false);
        WypelnijListeTowarow();
    });
    step([this] { showPartyNames(); });
}

void TForm_fa1::FormClose(QObject*) {
    step([this] {
        if (Form_fa10 && Form_fa10->CheckBox2->isChecked()) archiveData(false);
    });
    step([this] { ZapiszUstawienia(); });
    step([] {
        if (Form_fa8) Form_fa8->close();
    });
}

// The names beside the pickers, of the parties chosen: none for a picker
// whose text names no row.
void TForm_fa1::showPartyNames() {
    Edit8->setText(chosenSeller ? DBEdit5->text() : QString());
    Edit9->setText(!ComboBox3->currentText().isEmpty() && chosenCustomer ? DBEdit6->text() : QString());
}

void TForm_fa1::syncChosenParty(QComboBox* picker, tv::Table& table, std::optional<int>& chosen) {
    const int row = invoicing::findRow(table, QStringLiteral("Id"), picker->currentText());
    if (row == 0) {
        chosen.reset();
        return;
    }
    chosen = table.valueAt(row, table.layout().fieldIndex(QStringLiteral("Nr"))).toInt();
}

void TForm_fa1::ComboBox2Change(QObject*) {
    m_sellerText = ComboBox2->currentText();
    int row = invoicing::findRow(*sprzedawcy, QStringLiteral("Id"), m_sellerText);
    if (row == 0 && invoicing::fileHolds(*sprzedawcy, QStringLiteral("Id"), m_sellerText)) {
        // A seller added since the table was last read.
        sprzedawcy->refresh();
        row = invoicing::findRow(*sprzedawcy, QStringLiteral("Id"), m_sellerText);
    }
    if (row == 0) {
        chosenSeller.reset();
        m_sellerNr.reset();
        Edit8->clear();
        return;
    }
    sprzedawcy->moveTo(row);
    chosenSeller = m_sellerNr = sprzedawcy->fieldByName(QStringLiteral("Nr")).asInteger();
    Edit8->setText(sprzedawcy->fieldByName(QStringLiteral("Nazwisko")).asString());
}

void TForm_fa1::ComboBox3Change(QObject*) {
    m_customerText = ComboBox3->currentText();
    int row = invoicing::findRow(*kontrahenci, QStringLiteral("Id"), m_customerText);
    if (row == 0 && invoicing::fileHolds(*kontrahenci, QStringLiteral("Id"), m_customerText)) {
        kontrahenci->refresh();
        row = invoicing::findRow(*kontrahenci, QStringLiteral("Id"), m_customerText);
    }
    if (row == 0) {
        chosenCustomer.reset();
        m_customerNr.reset();
        Edit9->clear();
        setDiscountFromCode(false, QString());
        Przelicz();
        return;
    }
    kontrahenci->moveTo(row);
    chosenCustomer = m_customerNr = kontrahenci->fieldByName(QStringLiteral("Nr")).asInteger();
    Edit9->setText(kontrahenci->fieldByName(QStringLiteral("Nazwisko")).asString());
    const QString discount = kontrahenci->fieldByName(QStringLiteral("Rabat")).asString();
    if (!discount.isEmpty())
        setDiscountFromCode(true, discount);
    else
        setDiscountFromCode(false, QString());
    Przelicz();
}

void TForm_fa1::DBEdit2Change(QObject*) {
    Edit6->setText(DBEdit2->text());
}
void TForm_fa1::DBEdit5Change(QObject*) {
    Edit8->setText(DBEdit5->text());
}
void TForm_fa1::DBEdit6Change(QObject*) {
    Edit9->setText(DBEdit6->text());
}

void TForm_fa1::DateTimePicker1Change(QObject*) {
    // A stored invoice keeps the number it is stored under.
    if (storedNumber.isEmpty()) Edit5->setText(FormatujNumer(LicznikFaktur, DateTimePicker1->date()));
    ComboBox4->setEditText(invoicing::termDateText(DateTimePicker1->date()));
}

void TForm_fa1::ComboBox4Change(QObject*) {
    DateTimePicker2->setVisible(ComboBox4->currentText() == QLatin1String("Inne"));
}

void TForm_fa1::ComboBox1Change(QObject*) {
    // The due date the payment form implies; no control shows it.
    const QDate due = tv::today().addDays(CyfryZTekstu(ComboBox1->currentText()));
    Q_UNUSED(due);
}

// Neither is run by the document-kind buttons: the kind does not change how
// the lines are figured.
void TForm_fa1::RadioButton1Click(QObject*) {
    TrybVatRR = false;
    Przelicz();
}
void TForm_fa1::RadioButton3Click(QObject*) {
    TrybVatRR = true;
    Przelicz();
}

void TForm_fa1::UstawMiejsceWystawienia() {
    const bool fromStreet = Form_fa10 && Form_fa10->CheckBox_Ulica->isChecked();
    Edit6->setText(fromStreet ? invoicing::placeFromStreet(DBEdit7->text()) : DBEdit2->text());
}

void TForm_fa1::fillPicker(QComboBox* picker, tv::Table& table, const QString& sql) {
    table.refresh();
    const QStringList ids = tv::ui::queryTexts(*Query1, sql);
    picker->clear();
    picker->addItems(ids);
    // Adding items to an empty list would show the first one; the picker
    // starts empty.
    picker->setCurrentIndex(-1);
    picker->setEditText(QString());
}

void TForm_fa1::WczytajSprzedawcow() {
    fillPicker(ComboBox2, *sprzedawcy, QStringLiteral("select Id from sprzedawcy order by Id"));
}

void TForm_fa1::WczytajKontrahentow() {
    fillPicker(ComboBox3, *kontrahenci, QStringLiteral("select Id from kontrahenci order by Id"));
}

int TForm_fa1::CyfryZTekstu(const QString& text) {
    return invoicing::digitsOfText(text);
}

void TForm_fa1::SortujKontrahentow() {
    costing::resortCustomers(*tabletemp1, *tabletemp2, *Query3);
}

void TForm_fa1::registerShown() {
    m_sellerText = ComboBox2->currentText();
    m_customerText = ComboBox3->currentText();
    m_sellerNr = chosenSeller;
    m_customerNr = chosenCustomer;
}

// A register closing may have emptied or rebuilt the pickers and changed
// the rows: they are filled again and keep the party chosen.
void TForm_fa1::registerClosed(QObject* form) {
    if (form == Form_fa5) {
        towary->refresh();
        return;
    }
    if (form == Form_fa3) {
        const QString text = m_sellerText;
        const std::optional<int> nr = m_sellerNr;
        WczytajSprzedawcow();
        restorePicker(ComboBox2, *sprzedawcy, text, nr, false);
    } else {
        const QString text = m_customerText;
        const std::optional<int> nr = m_customerNr;
        WczytajKontrahentow();
        restorePicker(ComboBox3, *kontrahenci, text, nr, true);
    }
}

// Puts the chosen party back into a refilled picker: its text when it is
// still listed, else the new Id of the same row (renamed in the register);
// a party gone from the register leaves the picker empty and no party chosen.
void TForm_fa1::restorePicker(QComboBox* picker, tv::Table& table, const QString& text, std::optional<int> nr,
                              bool customer) {
    int row = invoicing::findRow(table, QStringLiteral("Id"), text);
    if (row == 0 && nr) row = invoicing::findRow(table, QStringLiteral("Nr"), *nr);
    if (row == 0) {
        picker->setEditText(QString());
        if (customer)
            ComboBox3Change(picker);
        else
            ComboBox2Change(picker);
        return;
    }
    const QString id = table.valueAt(row, table.layout().fieldIndex(QStringLiteral("Id"))).toString();
    picker->setEditText(id);
    // The hidden edits follow the row, so the names shown are its current ones.
    table.moveTo(row);
    if (customer) {
        m_customerText = id;
        Edit9->setText(DBEdit6->text());
    } else {
        m_sellerText = id;
        Edit8->setText(DBEdit5->text());
    }
}

void TForm_fa1::SpeedButton13Click(QObject*) {
    if (!Form_fa10) return;
    Form_fa10->show();
    Form_fa10->raise();
    Form_fa10->activateWindow();
    const QString counter = Form_fa10->Edit2->text();
    const double value = std::trunc(tv::StrToFloat(counter));
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw tv::EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(counter));
    LicznikFaktur = int(value);
    if (storedNumber.isEmpty()) Edit5->setText(FormatujNumer(LicznikFaktur, DateTimePicker1->date()));
}

void TForm_fa1::SpeedButton5Click(QObject*) {
    if (!tv::ui::showHelpContents(QStringLiteral("Fhelp.hlp")))
        tv::ui::showMessage(QStringLiteral("Nie znaleziono pomocy programu („Fhelp.hlp”)"), QString(),
                            tv::ui::Icon::Warning);
}

void TForm_fa1::SpeedButton16Click(QObject*) {
    if (!Form_fa9) return;
    Form_fa9->show();
    Form_fa9->raise();
}

void TForm_fa1::SpeedButton6Click(QObject*) {
    close();
}

void TForm_fa1::Image1Click(QObject*) {
    if (webAddress.isEmpty() || !openAddress) return;
    openAddress(webAddress);
}

namespace {
void showWithoutWaiting(QWidget* form) {
    if (!form) return;
    form->show();
    form->raise();
    form->activateWindow();
}
} // namespace

void TForm_fa1::SpeedButton9Click(QObject*) {
    watchRegisters();
    showWithoutWaiting(Form_fa5);
}
void TForm_fa1::SpeedButton8Click(QObject*) {
    watchRegisters();
    showWithoutWaiting(customerRegister);
}
void TForm_fa1::SpeedButton7Click(QObject*) {
    watchRegisters();
    showWithoutWaiting(Form_fa3);
}
void TForm_fa1::SpeedButton10Click(QObject*) {
    showWithoutWaiting(Form_fa2);
}
void TForm_fa1::Panel1Click(QObject*) {
    SpeedButton9Click(SpeedButton9);
}
void TForm_fa1::Panel2Click(QObject*) {
    SpeedButton8Click(SpeedButton8);
}
void TForm_fa1::Panel3Click(QObject*) {
    SpeedButton7Click(SpeedButton7);
}
void TForm_fa1::Panel4Click(QObject*) {
    SpeedButton10Click(SpeedButton10);
}
void TForm_fa1::Panel5Click(QObject*) {
    SpeedButton11Click(SpeedButton11);
}
