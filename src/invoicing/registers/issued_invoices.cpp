#include "invoicing/registers/issued_invoices.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/invoice_register_report.h"
#include "invoicing/rules/invoice_register.h"
#include "platform/clock.h"
#include "platform/convert.h"
#include "platform/regional.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware_grid.h"
#include "platform/ui/dataaware_source.h"
#include "platform/ui/messages.h"
#include "platform/ui/register_editor.h"
#include "platform/ui/report_preview.h"

TForm_fa2* Form_fa2 = nullptr;

using tv::ui::RegisterEditor;

namespace {

// The short date form of the regional settings in the notation of Qt's date
// pickers ("dd/mm/yyyy" with "." as separator is "dd.MM.yyyy").
QString pickerFormat() {
    const tv::RegionalSettings& settings = tv::regional();
    QString format;
    for (const QChar c : settings.shortDateFormat) {
        if (c == u'm')
            format += u'M';
        else if (c == u'/')
            format += settings.dateSeparator;
        else
            format += c;
    }
    return format;
}

QDateEdit* makeDatePicker(QWidget* parent, const char* name, const QDate& date) {
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(QString::fromLatin1(name));
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(pickerFormat());
    // A typed date counts once it is whole (Enter, leaving the picker or the
    // arrows), not at every digit on the way to it.
    picker->setKeyboardTracking(false);
    picker->setDate(date);
    return picker;
}

tv::ui::PanelButton* makePanel(QWidget* parent, const char* name, const QString& caption) {
    auto* panel = new tv::ui::PanelButton(caption, parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setColours(RegisterEditor::kPanelColour, RegisterEditor::kPanelPressedColour);
    panel->setMinimumSize(110, 26);
    QFont font = panel->font();
    font.setBold(true);
    panel->setFont(font);
    return panel;
}

struct NavigationDef {
    tv::ui::SpeedButton* TForm_fa2::*member;
    const char* name;
    const char* hint;
    QStyle::StandardPixmap icon;
};

const NavigationDef kInvoiceNavigation[] = {
    {&TForm_fa2::SpeedButton4, "SpeedButton4", "Pierwsza pozycja", QStyle::SP_MediaSkipBackward},
    {&TForm_fa2::SpeedButton6, "SpeedButton6", "Poprzednia pozycja", QStyle::SP_MediaSeekBackward},
    {&TForm_fa2::SpeedButton7, "SpeedButton7", "Następna pozycja", QStyle::SP_MediaSeekForward},
    {&TForm_fa2::SpeedButton5, "SpeedButton5", "Ostatnia pozycja", QStyle::SP_MediaSkipForward},
    {&TForm_fa2::SpeedButton3, "SpeedButton3", "Odśwież dane", QStyle::SP_BrowserReload},
    {&TForm_fa2::SpeedButton19, "SpeedButton19", "Usuń pozycję", QStyle::SP_TrashIcon},
};
const NavigationDef kLineNavigation[] = {
    {&TForm_fa2::SpeedButton9, "SpeedButton9", "Pierwsza pozycja", QStyle::SP_MediaSkipBackward},
    {&TForm_fa2::SpeedButton11, "SpeedButton11", "Poprzednia pozycja", QStyle::SP_MediaSeekBackward},
    {&TForm_fa2::SpeedButton12, "SpeedButton12", "Następna pozycja", QStyle::SP_MediaSeekForward},
    {&TForm_fa2::SpeedButton10, "SpeedButton10", "Ostatnia pozycja", QStyle::SP_MediaSkipForward},
    {&TForm_fa2::SpeedButton8, "SpeedButton8", "Odśwież dane", QStyle::SP_BrowserReload},
};

tv::ui::DBGridColumn column(const char* field, const char* title, int width) {
    tv::ui::DBGridColumn c(QString::fromLatin1(field), QString::fromUtf8(title), true);
    c.width = width;
    return c;
}

// The invoice of the window that loading another would lose: one not stored
// yet, or a stored one changed since it was loaded or saved.
bool unsavedInvoiceOnScreen() {
    if (!Form_fa1->storedNumber.isEmpty()) return Form_fa1->changedSinceStored();
    return !Form_fa1->pozycje->isEmpty() || Form_fa1->pozycje->state() == tv::Table::State::Insert;
}

} // namespace

TForm_fa2::TForm_fa2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_fa2"));
    setWindowTitle(QStringLiteral("Zbiór wystawionych faktur"));
    wyst_faktury = new tv::Table(QStringLiteral("wyst_faktury.db"));
    wyst_pozycje = new tv::Table(QStringLiteral("wyst_pozycje.db"));
    wyst_faktury->open();
    // No line shows until an invoice is selected.
    wyst_pozycje->setFilter({{QStringLiteral("Nr_faktury"), QStringLiteral("="), QStringLiteral("-1")}});
    wyst_pozycje->setFiltered(true);
    wyst_pozycje->open();
    Query2 = new tv::Query;
    buildControls();
    bindHandlers();
}

TForm_fa2::~TForm_fa2() {
    // Controls that listen to a table go before their tables do.
    delete DBGrid1;
    delete DBGrid2;
    delete DataSource1;
    delete DataSource2;
    delete Query2;
    delete wyst_pozycje;
    delete wyst_faktury;
}

void TForm_fa2::buildControls() {
    DataSource1 = new tv::ui::DataSource(wyst_faktury);
    DataSource1->setAutoEdit(false);
    DataSource2 = new tv::ui::DataSource(wyst_pozycje);
    DataSource2->setAutoEdit(false);

    DBGrid1 = new tv::ui::DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DataSource1);
    const tv::TableLayout& invoices = wyst_faktury->layout();
    const int sellerField = invoices.fieldIndex(QStringLiteral("Nr_sprzed"));
    const int customerField = invoices.fieldIndex(QStringLiteral("Nr_kontr"));
    // The seller and customer columns look up the Id of the number stored.
    auto lookup = [](const QHash<int, QString>& ids, int field, const char* name) {
        return [&ids, field, name](tv::Table& table, int recNo) {
            const QVariant number = recNo > 0 ? table.valueAt(recNo, field)
                                              : table.fieldByName(QString::fromLatin1(name)).value();
            return number.isNull() ? QString() : ids.value(number.toInt());
        };
    };
    tv::ui::DBGridColumn seller(QStringLiteral("Sprzedawca"), QStringLiteral("Sprzedawca"), true);
    seller.text = lookup(m_sellers, sellerField, "Nr_sprzed");
    seller.width = 100;
    tv::ui::DBGridColumn customer(QStringLiteral("Kontrahent"), QStringLiteral("Kontrahent"), true);
    customer.text = lookup(m_customers, customerField, "Nr_kontr");
    customer.width = 100;
    DBGrid1->setColumns({column("Nr", "", 130), column("Data_wyst", "Data wyst.", 85), seller, customer,
                         column("Netto", "Wartość netto", 100), column("WartoscVAT", "Wartość VAT", 100),
                         column("Brutto", "Wartość brutto", 100)});
    DBGrid1->setReadOnly(true);
    DBGrid1->setRowSelect(true);

    DBGrid2 = new tv::ui::DBGrid(this);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setDataSource(DataSource2);
    DBGrid2->setColumns({column("Lp", "", 35), column("Nazwa", "", 220), column("PKWiU", "", 80),
                         column("Ilosc", "Ilość", 60), column("Jm", "", 45), column("Netto", "", 85),
                         column("VAT", "Stawka VAT", 80), column("KwotaVAT", "Kwota VAT", 85),
                         column("Brutto", "", 85)});
    DBGrid2->setReadOnly(true);

    od_kiedy = makeDatePicker(this, "od_kiedy", QDate(2001, 1, 1));
    do_kiedy = makeDatePicker(this, "do_kiedy", tv::today());
    CheckBox1 = new QCheckBox(QStringLiteral("tylko faktury przelewowe"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));

    SpeedButton1 = makePanel(this, "SpeedButton1", QStringLiteral("wczytaj fakturę"));
    SpeedButton2 = makePanel(this, "SpeedButton2", QStringLiteral("zamknij"));
    drukuj = makePanel(this, "drukuj", QStringLiteral("drukuj"));
    Panel1 = makePanel(this, "Panel1", QStringLiteral("korekta"));
    Panel1->setVisible(false);
    Wybierz = new QPushButton(QStringLiteral("Wybierz"), this);
    Wybierz->setObjectName(QStringLiteral("Wybierz"));
    Wybierz->setVisible(false);
    Button1 = new QPushButton(QStringLiteral("Button1"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setVisible(false);

    auto navigationRow = [this](const auto& defs) {
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        for (const NavigationDef& def : defs) {
            auto* button = new tv::ui::SpeedButton(QString(), this);
            button->setObjectName(QString::fromLatin1(def.name));
            button->setToolTip(QString::fromUtf8(def.hint));
            button->setIcon(style()->standardIcon(def.icon));
            this->*def.member = button;
            row->addWidget(button);
        }
        row->addStretch(1);
        return row;
    };

    auto* lists = new QVBoxLayout;
    lists->addWidget(new QLabel(QStringLiteral("Zbiór wystawionych faktur"), this));
    lists->addLayout(navigationRow(kInvoiceNavigation));
    lists->addWidget(DBGrid1, 3);
    lists->addWidget(new QLabel(QStringLiteral("Sprzedane towary i usługi"), this));
    lists->addLayout(navigationRow(kLineNavigation));
    lists->addWidget(DBGrid2, 2);

    auto* side = new QVBoxLayout;
    auto* period = new QGridLayout;
    period->addWidget(new QLabel(QStringLiteral("Od kiedy"), this), 0, 0);
    period->addWidget(od_kiedy, 0, 1);
    period->addWidget(new QLabel(QStringLiteral("Do kiedy"), this), 1, 0);
    period->addWidget(do_kiedy, 1, 1);
    side->addLayout(period);
    side->addWidget(CheckBox1);
    side->addSpacing(12);
    for (tv::ui::PanelButton* panel : {SpeedButton1, drukuj, Panel1, SpeedButton2})
        side->addWidget(panel);
    side->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(lists, 1);
    layout->addLayout(side);
    resize(1000, 680);
}

void TForm_fa2::bindHandlers() {
    wyst_faktury->afterScroll = [this](tv::Table& table) { wyst_fakturyAfterScroll(table); };
    tv::ui::onClick(SpeedButton1, [this] { SpeedButton1Click(SpeedButton1); });
    tv::ui::onClick(SpeedButton2, [this] { SpeedButton2Click(SpeedButton2); });
    tv::ui::onClick(drukuj, [this] { drukujClick(drukuj); });
    tv::ui::onClick(Panel1, [this] { Panel1Click(Panel1); });
    tv::ui::onClick(static_cast<QAbstractButton*>(Wybierz), [this] { WybierzClick(Wybierz); });
    tv::ui::onClick(static_cast<QAbstractButton*>(Button1), [this] { Button1Click(Button1); });
    tv::ui::onKeyDown(DBGrid1,
                      [this](int& key, Qt::KeyboardModifiers shift) { DBGrid1KeyDown(DBGrid1, key, shift); });
    // Code sets the dates through setDate, with these quiet.
    QObject::connect(od_kiedy, &QDateEdit::dateChanged, this,
                     [this] { tv::ui::guard([this] { od_kiedyChange(od_kiedy); }); });
    QObject::connect(do_kiedy, &QDateEdit::dateChanged, this,
                     [this] { tv::ui::guard([this] { do_kiedyChange(do_kiedy); }); });
    tv::ui::onClick(CheckBox1, [this] { CheckBox1Click(CheckBox1); });

    const std::pair<tv::ui::SpeedButton*, void (TForm_fa2::*)(QObject*)> buttons[] = {
        {SpeedButton4, &TForm_fa2::SpeedButton4Click},   {SpeedButton6, &TForm_fa2::SpeedButton6Click},
        {SpeedButton7, &TForm_fa2::SpeedButton7Click},   {SpeedButton5, &TForm_fa2::SpeedButton5Click},
        {SpeedButton3, &TForm_fa2::SpeedButton3Click},   {SpeedButton19, &TForm_fa2::SpeedButton19Click},
        {SpeedButton9, &TForm_fa2::SpeedButton9Click},   {SpeedButton11, &TForm_fa2::SpeedButton11Click},
        {SpeedButton12, &TForm_fa2::SpeedButton12Click}, {SpeedButton10, &TForm_fa2::SpeedButton10Click},
        {SpeedButton8, &TForm_fa2::SpeedButton8Click},
    };
    for (const auto& [button, handler] : buttons)
        tv::ui::onClick(static_cast<QAbstractButton*>(button),
                        [this, button, handler] { (this->*handler)(button); });
}

void TForm_fa2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) tv::ui::guard([this] { FormShow(this); });
}

void TForm_fa2::setDate(QDateEdit* picker, const QDate& date) {
    const QSignalBlocker quiet(picker);
    picker->setDate(date);
}

void TForm_fa2::readParties() {
    m_customers = invoicing::idsByNumber(QStringLiteral("kontrahenci"));
    m_sellers = invoicing::idsByNumber(QStringLiteral("sprzedawcy"));
}

// Each showing lists every invoice, ends on the last one and offers a
// period up to today.
void TForm_fa2::FormShow(QObject*) {
    readParties();
    wyst_faktury->setFiltered(false);
    wyst_faktury->refresh();
    if (!wyst_faktury->isEmpty()) FiltrujPozycje(wyst_faktury->fieldByName(QStringLiteral("Nr")).asString());
    wyst_pozycje->refresh();
    setDate(do_kiedy, tv::today());
    wyst_faktury->last();
}

void TForm_fa2::wyst_fakturyAfterScroll(tv::Table& DataSet) {
    FiltrujPozycje(DataSet.fieldByName(QStringLiteral("Nr")).asString());
}

// The lines of the invoice with that number; while the register shows no
// invoice, no line shows either.
void TForm_fa2::FiltrujPozycje(const QString& Nr) {
    const QString number = wyst_faktury->isEmpty() ? QStringLiteral("-1") : Nr;
    wyst_pozycje->setFilter({{QStringLiteral("Nr_faktury"), QStringLiteral("="), number}});
    wyst_pozycje->setFiltered(true);
}

// The period's invoices, both ends included, compared as dates; with
// "tylko faktury przelewowe" only those paid exactly "przelewem".
void TForm_fa2::WybierzClick(QObject*) {
    const QDate from = od_kiedy->date();
    const QDate to = do_kiedy->date();
    if (from > to) {
        tv::ui::showMessage(QStringLiteral("Niewłaściwe daty"), QStringLiteral("uwaga !"),
                            tv::ui::Icon::Warning, tv::ui::Buttons::Ok);
        return;
    }
    // Setting the filter reads the table afresh: no refresh needs to follow.
    wyst_faktury->setFilter(invoicing::periodFilter(from, to, CheckBox1->isChecked()));
    wyst_faktury->setFiltered(true);
}

void TForm_fa2::od_kiedyChange(QObject*) {
    WybierzClick(Wybierz);
}
void TForm_fa2::do_kiedyChange(QObject*) {
    WybierzClick(Wybierz);
}
void TForm_fa2::CheckBox1Click(QObject*) {
    WybierzClick(Wybierz);
}

// Deletes the invoice with its lines in one transaction, and forgets what the
// stock version took for it; no stock goes back.
void TForm_fa2::SpeedButton19Click(QObject*) {
    if (wyst_faktury->isEmpty()) return;
    if (!tv::ui::askYesNo(QStringLiteral("Czy na pewno usunąć wybraną pozycję?"), QString(),
                          tv::ui::Icon::None))
        return;
    const QString number = wyst_faktury->fieldByName(QStringLiteral("Nr")).asString();
    tv::Database::instance().transaction([&] {
        wyst_faktury->remove();
        invoicing::deleteInvoiceLines(number);
    });
    FiltrujPozycje(wyst_faktury->isEmpty() ? QString()
                                           : wyst_faktury->fieldByName(QStringLiteral("Nr")).asString());
    // The invoice window's views of the register read it again.
    for (tv::Table* table : {Form_fa1->wyst_faktury, Form_fa1->wyst_pozycje})
        if (table->state() == tv::Table::State::Browse) table->refresh();
}

void TForm_fa2::DBGrid1KeyDown(QObject*, int& Key, Qt::KeyboardModifiers) {
    if (Key == tv::ui::VK_DELETE) SpeedButton19Click(SpeedButton19);
}

// "wczytaj fakturę": an invoice on screen that was never saved, or was
// changed since, is offered to be saved first, so that loading does not
// lose it.
void TForm_fa2::SpeedButton1Click(QObject*) {
    if (wyst_faktury->isEmpty()) return;
    const QString number = wyst_faktury->fieldByName(QStringLiteral("Nr")).asString();
    if (unsavedInvoiceOnScreen() &&
        tv::ui::askYesNo(QStringLiteral("Faktura na ekranie nie została zapisana. Czy zapisać ją przed "
                                        "wczytaniem wybranej faktury?"),
                         QStringLiteral("Uwaga"), tv::ui::Icon::Question)) {
        Form_fa1->SpeedButton2Click(Form_fa1->SpeedButton2);
        // Not saved after all ("Nie" to the stock question, a refused
        // save): the invoice stays on screen.
        if (unsavedInvoiceOnScreen()) return;
    }
    const bool wasLoaded = loadedInvoice;
    loadedInvoice = true;
    try {
        Form_fa1->WczytajFakture(number);
    } catch (...) {
        loadedInvoice = wasLoaded;
        throw;
    }
    close();
}

void TForm_fa2::SpeedButton2Click(QObject*) {
    close();
}

void TForm_fa2::Button1Click(QObject*) {
    invoicing::openRegisterListing(*Query2, od_kiedy->date(), do_kiedy->date());
}

// The printout lists the period's invoices (whatever the transfer-only box
// says) and totals the rows it prints.
void TForm_fa2::drukujClick(QObject*) {
    Button1Click(Button1);
    wyst_faktury->refresh();
    tv::report::Report& report = Fa2_wy->QuickRep1;
    report.label(QStringLiteral("data_od")).caption = tv::DateToStr(od_kiedy->date());
    report.label(QStringLiteral("data_do")).caption = tv::DateToStr(do_kiedy->date());
    const invoicing::ListingTotals totals = invoicing::listingTotals(*Query2);
    report.label(QStringLiteral("QRLabel9")).caption = tv::FormatCurrency(totals.net);
    report.label(QStringLiteral("QRLabel10")).caption = tv::FormatCurrency(totals.gross);
    tv::ui::previewReport(report, this);
}

void TForm_fa2::Panel1Click(QObject*) {}

void TForm_fa2::SpeedButton4Click(QObject*) {
    wyst_faktury->first();
}
void TForm_fa2::SpeedButton6Click(QObject*) {
    wyst_faktury->prior();
    if (!wyst_faktury->isEmpty()) FiltrujPozycje(wyst_faktury->fieldByName(QStringLiteral("Nr")).asString());
}
void TForm_fa2::SpeedButton7Click(QObject*) {
    wyst_faktury->next();
    if (!wyst_faktury->isEmpty()) FiltrujPozycje(wyst_faktury->fieldByName(QStringLiteral("Nr")).asString());
}
void TForm_fa2::SpeedButton5Click(QObject*) {
    wyst_faktury->last();
    if (!wyst_faktury->isEmpty()) FiltrujPozycje(wyst_faktury->fieldByName(QStringLiteral("Nr")).asString());
}
void TForm_fa2::SpeedButton3Click(QObject*) {
    readParties();
    wyst_faktury->refresh();
}
void TForm_fa2::SpeedButton9Click(QObject*) {
    wyst_pozycje->first();
}
void TForm_fa2::SpeedButton11Click(QObject*) {
    wyst_pozycje->prior();
}
void TForm_fa2::SpeedButton12Click(QObject*) {
    wyst_pozycje->next();
}
void TForm_fa2::SpeedButton10Click(QObject*) {
    wyst_pozycje->last();
}
void TForm_fa2::SpeedButton8Click(QObject*) {
    wyst_pozycje->refresh();
}
