#include "costing/refdata/customers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "costing/costing_sheet.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/dataaware_grid.h"
#include "platform/ui/dataaware_source.h"
#include "platform/ui/messages.h"
#include "platform/ui/pick_lists.h"

TForm_fa4* Form_fa4 = nullptr;

using tv::ui::RegisterEditor;
using Command = RegisterEditor::Command;
using Navigation = RegisterEditor::Navigation;

namespace costing {

using tv::ui::RegisterField;

const QVector<RegisterField>& customerEditFields() {
    static const QVector<RegisterField> fields = {
        {QStringLiteral("Identyfikator"), QStringLiteral("Id")},
        {QStringLiteral("Imię i nazwisko"), QStringLiteral("Nazwisko")},
        {QStringLiteral("Firma"), QStringLiteral("Firma")},
        {QStringLiteral("Adres e-mail"), QStringLiteral("Email")},
        {QStringLiteral("Ulica"), QStringLiteral("Ulica")},
        {QStringLiteral("Miejscowość"), QStringLiteral("Miejscowosc")},
        {QStringLiteral("Kod"), QStringLiteral("Kod")},
        {QStringLiteral("Telefon"), QStringLiteral("Telefon")},
        {QStringLiteral("Faks"), QStringLiteral("Faks")},
        {QStringLiteral("NIP"), QStringLiteral("NIP")},
        {QStringLiteral("REGON"), QStringLiteral("REGON")},
        {QStringLiteral("Bank"), QStringLiteral("Bank")},
        {QStringLiteral("Numer rachunku bankowego"), QStringLiteral("Nr_rku")},
        {QStringLiteral("Rabat"), QStringLiteral("Rabat")},
        {QStringLiteral("Uwagi"), QStringLiteral("Uwagi")},
        {QStringLiteral("Kraj"), QStringLiteral("Kraj")},
    };
    return fields;
}

} // namespace costing

namespace {

constexpr int kRegisterWidth = 1000;
constexpr int kRegisterHeight = 680;

// The search boxes and the fields they narrow, in the order of the filter.
const QStringList kSearchFields = {QStringLiteral("Id"), QStringLiteral("Firma"), QStringLiteral("Nazwisko"),
                                   QStringLiteral("NIP")};

// The grid's columns, wide enough that a whole tax number, town and phone
// number show without scrolling, and narrow enough that the register with
// its commands and search fits a 1024 × 768 screen.
QVector<tv::ui::DBGridColumn> customerColumns() {
    const struct {
        const char* field;
        const char* title;
        int width;
    } columns[] = {{"Id", "Identyfikator", 90}, {"Nazwisko", "Imię i nazwisko", 130},
                   {"Firma", "", 160},          {"NIP", "", 105},
                   {"Miejscowosc", "", 110},    {"Telefon", "", 100}};
    QVector<tv::ui::DBGridColumn> result;
    for (const auto& c : columns) {
        tv::ui::DBGridColumn column(QString::fromLatin1(c.field), QString::fromUtf8(c.title));
        column.width = c.width;
        result.append(column);
    }
    return result;
}

} // namespace

TForm_fa4::TForm_fa4(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_fa4"));
    setWindowTitle(QStringLiteral("Zbiór kontrahentów"));
    kontrahenci = new tv::Table(QStringLiteral("kontrahenci.db"));
    kontrahenci->open();
    Query1 = new tv::Query;

    Editor = new RegisterEditor(kontrahenci, this);
    DataSource1 = Editor->dataSource();
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    DataSource1->setAutoEdit(true);
    DBGrid1 = Editor->addGrid(customerColumns());
    Editor->setDetailsTitle(QStringLiteral("Informacje o kontrahencie"));
    const QVector<tv::ui::DBEdit*> edits = Editor->addEdits(costing::customerEditFields());
    std::copy(edits.begin(), edits.end(), DBEdits.begin());

    const QVector<QLineEdit*> boxes =
        Editor->addSearch({{QStringLiteral("Id"), QStringLiteral("Identyfikator")},
                           {QStringLiteral("Firma"), QStringLiteral("Firma")},
                           {QStringLiteral("Imie"), QStringLiteral("Imię i nazwisko")},
                           {QStringLiteral("NIP"), QStringLiteral("NIP")}},
                          QStringLiteral("Panel2"));
    Id = boxes[0];
    Firma = boxes[1];
    Imie = boxes[2];
    NIP = boxes[3];
    Panel2 = Editor->clearPanel();
    Button1 = Editor->searchButton();

    Panel1 = Editor->panel(Command::Add);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Editor->nameStandardControls(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Editor);
    // Room for the whole grid row beside the commands, within a 1024 × 768
    // screen with its title bar and a panel of the desktop.
    resize(kRegisterWidth, kRegisterHeight);
    tv::ui::centreOnScreen(this);

    bindHandlers();
}

TForm_fa4::~TForm_fa4() {
    // The controls go first: they read the table while they are torn down.
    delete Editor;
    Editor = nullptr;
    delete Query1;
    delete kontrahenci;
}

void TForm_fa4::bindHandlers() {
    Editor->bindStandardHandlers(this);

    Editor->onSearch([this] { Button1Click(Button1); });
    Editor->onClearSearch([this] { Panel2Click(Panel2); });
}

void TForm_fa4::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        RegisterEditor::activatedFromAnotherWindow(this))
        tv::ui::guard([this] { FormActivate(this); });
}

// "dodaj": the new number is one more than the highest over the whole
// register, whatever the search shows, and over the customers that issued
// invoices name, so that a deleted customer's number is never handed out again.
void TForm_fa4::SpeedButton7Click(QObject*) {
    // As the original scan did by moving to the first row: a changed pending
    // record is posted first (so its number counts), an untouched one dropped.
    kontrahenci->first();
    const int number = RegisterEditor::nextNumber({QStringLiteral("select max(Nr) from kontrahenci"),
                                                   QStringLiteral("select max(Nr_kontr) from wyst_faktury")});
    kontrahenci->append();
    kontrahenci->fieldByName(QStringLiteral("Nr")).setAsInteger(number);
}

void TForm_fa4::SpeedButton8Click(QObject*) {
    Editor->deleteWithQuestion(QStringLiteral("Czy na pewno usunąć wybraną pozycję?"));
}

void TForm_fa4::SpeedButton9Click(QObject*) {
    Editor->postPending();
    if (resortCustomers) resortCustomers();
    // The rewrite goes through other cursors; this view reads it again so
    // that the grid shows the stored rows.
    kontrahenci->refresh();
}

void TForm_fa4::SpeedButton10Click(QObject*) {
    kontrahenci->cancel();
}

void TForm_fa4::SpeedButton1Click(QObject*) {
    kontrahenci->refresh();
    const QStringList ids =
        tv::ui::queryTexts(*Query1, QStringLiteral("select Id from kontrahenci order by Id"));
    for (QComboBox* picker : customerPickers)
        tv::ui::refillPicker(picker, ids);
    Editor->closeWindow();
}

void TForm_fa4::closeEvent(QCloseEvent* event) {
    event->setAccepted(Editor->closeRequested([this] { SpeedButton1Click(SpeedButton1); }));
}

void TForm_fa4::reject() {
    close();
}

void TForm_fa4::SpeedButton20Click(QObject* Sender) {
    SpeedButton7Click(Sender);
}
void TForm_fa4::SpeedButton19Click(QObject* Sender) {
    SpeedButton8Click(Sender);
}
void TForm_fa4::SpeedButton14Click(QObject* Sender) {
    SpeedButton9Click(Sender);
}
void TForm_fa4::SpeedButton15Click(QObject* Sender) {
    SpeedButton10Click(Sender);
}
void TForm_fa4::SpeedButton3Click(QObject*) {
    kontrahenci->first();
}
void TForm_fa4::SpeedButton5Click(QObject*) {
    kontrahenci->prior();
}
void TForm_fa4::SpeedButton6Click(QObject*) {
    kontrahenci->next();
}
void TForm_fa4::SpeedButton4Click(QObject*) {
    kontrahenci->last();
}
void TForm_fa4::SpeedButton21Click(QObject*) {
    kontrahenci->edit();
}
void TForm_fa4::SpeedButton2Click(QObject*) {
    kontrahenci->refresh();
}

// The typed texts are bound, never pasted into the filter, so "O'Neil" is
// searched like any other name; each term keeps the rows that sort at or
// after the typed text.
void TForm_fa4::Button1Click(QObject*) {
    Editor->applySearch(kSearchFields);
}

void TForm_fa4::Panel2Click(QObject*) {
    Editor->clearSearch({Id, Firma, Imie, NIP}, [this] { Button1Click(Button1); });
}

void TForm_fa4::FormActivate(QObject*) {
    Panel2Click(Panel2);
}
