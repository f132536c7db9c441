#include "invoicing/invoice_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QVBoxLayout>

#include "costing/rules/customer_rows.h"
#include "platform/clock.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware.h"

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
    combo->addItems(items);
    combo->setEditText(text);
    return combo;
}

QDateEdit* makeDate(QWidget* parent, const char* name) {
    auto* picker = named(new QDateEdit(parent), name);
    picker->setCalendarPopup(true);
    picker->setDate(tv::today());
    return picker;
}

} // namespace

TForm_fa1::TForm_fa1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form_fa1"));
    setWindowTitle(QStringLiteral("Tarvelino 2000 - moduł FAKTURY"));
    buildControls();
    buildLayout();
    bindHandlers();
    bindStockHandlers();
    FormCreate(this);
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
    setCentralWidget(central);
    auto edit = [central](const char* name, const QString& text = QString()) {
        auto* e = named(new QLineEdit(text, central), name);
        return e;
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
    Edit3 = edit("Edit3", QStringLiteral("0"));
    Edit2 = edit("Edit2", QStringLiteral("0"));
    Edit1 = edit("Edit1", QStringLiteral("0"));
    Edit4 = edit("Edit4");
    for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4})
        e->setReadOnly(true);
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
    addToolBar(ToolBar1);
    auto tool = [this](const char* name, const QString& hint) {
        auto* button = named(new tv::ui::SpeedButton(QString(), this), name);
        button->setToolTip(hint);
        button->setText(hint);
        ToolBar1->addWidget(button);
        return button;
    };
    SpeedButton1 = tool("SpeedButton1", QStringLiteral("Nowa faktura"));
    SpeedButton2 = tool("SpeedButton2", QStringLiteral("Zapisz fakturę"));
    SpeedButton3 = tool("SpeedButton3", QStringLiteral("Podgląd wydruku"));
    SpeedButton4 = tool("SpeedButton4", QStringLiteral("Drukuj fakturę"));
    SpeedButton13 = tool("SpeedButton13", QStringLiteral("Administracja"));
    SpeedButton18 = tool("SpeedButton18", QStringLiteral("Zarchiwizuj pliki"));
    SpeedButton22 = tool("SpeedButton22", QStringLiteral("Rozpakuj pliki archiwalne"));
    SpeedButton5 = tool("SpeedButton5", QStringLiteral("Pomoc"));
    SpeedButton16 = tool("SpeedButton16", QStringLiteral("O programie.."));
    SpeedButton6 = tool("SpeedButton6", QStringLiteral("Zamknij"));
    Image1 = named(new QLabel(this), "Image1");
    Image1->setToolTip(QStringLiteral("nasza strona w internecie"));
    ToolBar1->addWidget(Image1);

    auto lineCommand = [central](const char* name, const QString& hint) {
        auto* button = named(new tv::ui::SpeedButton(QString(), central), name);
        button->setToolTip(hint);
        button->setFixedSize(30, 25);
        return button;
    };
    SpeedButton20 = lineCommand("SpeedButton20", QStringLiteral("Dodaj pozycję"));
    SpeedButton19 = lineCommand("SpeedButton19", QStringLiteral("Usuń pozycję"));
    SpeedButton21 = lineCommand("SpeedButton21", QStringLiteral("Modyfikuj pozycję"));
    SpeedButton14 = lineCommand("SpeedButton14", QStringLiteral("Potwierdź zmianę"));
    SpeedButton15 = lineCommand("SpeedButton15", QStringLiteral("Anuluj zmianę"));
    SpeedButton32 = lineCommand("SpeedButton32", QStringLiteral("Odśwież dane"));

    auto panel = [central](const char* name, const QString& caption) {
        auto* p = named(new tv::ui::PanelButton(caption, central), name);
        p->setColours(8257541, 12648458);
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
    auto* grid = new QGridLayout;
    int row = 0;
    auto add = [&](const QString& caption, QWidget* control, int column = 0) {
        grid->addWidget(new QLabel(caption, central), row, column);
        grid->addWidget(control, row, column + 1);
    };
    add(QStringLiteral("Nr faktury"), Edit5);
    add(QStringLiteral("Miejsce wystawienia"), Edit6, 2);
    ++row;
    add(QStringLiteral("Data wystawienia"), DateTimePicker1);
    add(QStringLiteral("Data sprzedaży"), DateTimePicker3, 2);
    ++row;
    add(QStringLiteral("Forma płatności"), ComboBox1);
    add(QStringLiteral("Termin płatności"), ComboBox4, 2);
    grid->addWidget(DateTimePicker2, row, 4);
    ++row;
    add(QStringLiteral("Sprzedawca"), ComboBox2);
    add(QStringLiteral("Imię i nazwisko sprzedawcy:"), Edit8, 2);
    ++row;
    add(QStringLiteral("Kontrahent"), ComboBox3);
    add(QStringLiteral("Imię i nazwisko kontrahenta:"), Edit9, 2);
    ++row;
    add(QStringLiteral("Zamówienie:"), Edit11);
    grid->addWidget(shippingLabel, row, 2);
    grid->addWidget(ComboBox7, row, 3);
    grid->addWidget(CheckBox1, row, 4);
    ++row;
    add(QStringLiteral("Towary i usługi"), ComboBox5);
    grid->addWidget(DBLookupComboBox3, row, 1);
    grid->addWidget(Panel5, row, 2);
    ++row;

    auto* kinds = new QVBoxLayout(GroupBox2);
    for (QRadioButton* b : {RadioButton1, RadioButton3, RadioButton4})
        kinds->addWidget(b);
    auto* forms = new QVBoxLayout(GroupBox1);
    for (QRadioButton* b : {RadioButton6, RadioButton5, RadioButton2, RadioButton7})
        forms->addWidget(b);
    auto* options = new QHBoxLayout;
    options->addWidget(GroupBox2);
    options->addWidget(GroupBox1);
    auto* discount = new QHBoxLayout;
    discount->addWidget(CheckBox2);
    discount->addWidget(ComboBox6);
    discount->addWidget(new QLabel(QStringLiteral("%"), central));
    options->addLayout(discount);

    auto* lineCommands = new QHBoxLayout;
    for (tv::ui::SpeedButton* b :
         {SpeedButton20, SpeedButton19, SpeedButton21, SpeedButton14, SpeedButton15, SpeedButton32})
        lineCommands->addWidget(b);
    lineCommands->addStretch();

    auto* totals = new QGridLayout;
    totals->addWidget(new QLabel(QStringLiteral("Razem"), central), 0, 0);
    totals->addWidget(new QLabel(QStringLiteral("Wartość netto"), central), 0, 1);
    totals->addWidget(Edit3, 0, 2);
    totals->addWidget(new QLabel(QStringLiteral("Kwota VAT"), central), 0, 3);
    totals->addWidget(Edit2, 0, 4);
    totals->addWidget(new QLabel(QStringLiteral("Wartość brutto"), central), 0, 5);
    totals->addWidget(Edit1, 0, 6);
    totals->addWidget(new QLabel(QStringLiteral("Słownie"), central), 1, 0);
    totals->addWidget(Edit4, 1, 1, 1, 6);
    totals->addWidget(new QLabel(QStringLiteral("Dodatkowy tekst"), central), 2, 0);
    totals->addWidget(Edit7, 2, 1, 1, 2);
    totals->addWidget(new QLabel(QStringLiteral("Uwagi"), central), 2, 3);
    totals->addWidget(Edit12, 2, 4, 1, 3);

    auto* panels = new QHBoxLayout;
    for (tv::ui::PanelButton* p : {Panel1, Panel2, Panel3, Panel4, Panel8})
        panels->addWidget(p);

    auto* main = new QVBoxLayout(central);
    main->addLayout(grid);
    main->addLayout(options);
    main->addWidget(DBGrid1, 1);
    main->addLayout(lineCommands);
    main->addLayout(totals);
    main->addLayout(panels);
}

void TForm_fa1::bindHandlers() {}

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

void TForm_fa1::FormShow(QObject*) {}
void TForm_fa1::FormActivate(QObject*) {}
void TForm_fa1::FormClose(QObject*) {}
void TForm_fa1::ComboBox2Change(QObject*) {}
void TForm_fa1::ComboBox3Change(QObject*) {}
void TForm_fa1::DBEdit2Change(QObject*) {}
void TForm_fa1::DBEdit5Change(QObject*) {}
void TForm_fa1::DBEdit6Change(QObject*) {}
void TForm_fa1::DateTimePicker1Change(QObject*) {}
void TForm_fa1::ComboBox4Change(QObject*) {}
void TForm_fa1::ComboBox1Change(QObject*) {}
void TForm_fa1::RadioButton1Click(QObject*) {}
void TForm_fa1::RadioButton3Click(QObject*) {}
void TForm_fa1::UstawMiejsceWystawienia() {}
void TForm_fa1::WczytajSprzedawcow() {}
void TForm_fa1::WczytajKontrahentow() {}
int TForm_fa1::CyfryZTekstu(const QString&) {
    return 0;
}

void TForm_fa1::SortujKontrahentow() {
    costing::resortCustomers(*tabletemp1, *tabletemp2, *Query3);
}

void TForm_fa1::SpeedButton13Click(QObject*) {}
void TForm_fa1::SpeedButton5Click(QObject*) {}
void TForm_fa1::SpeedButton16Click(QObject*) {}
void TForm_fa1::SpeedButton6Click(QObject*) {}
void TForm_fa1::Image1Click(QObject*) {}
void TForm_fa1::SpeedButton9Click(QObject*) {}
void TForm_fa1::SpeedButton8Click(QObject*) {}
void TForm_fa1::SpeedButton7Click(QObject*) {}
void TForm_fa1::SpeedButton10Click(QObject*) {}
void TForm_fa1::Panel1Click(QObject*) {}
void TForm_fa1::Panel2Click(QObject*) {}
void TForm_fa1::Panel3Click(QObject*) {}
void TForm_fa1::Panel4Click(QObject*) {}
void TForm_fa1::Panel5Click(QObject*) {}
