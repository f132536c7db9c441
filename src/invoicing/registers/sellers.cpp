#include "invoicing/registers/sellers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QVBoxLayout>

#include "invoicing/invoice_window.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/dataaware_grid.h"
#include "platform/ui/dataaware_source.h"
#include "platform/ui/pick_lists.h"
#include "platform/ui/register_editor.h"

TForm_fa3* Form_fa3 = nullptr;

using tv::ui::RegisterEditor;
using Command = RegisterEditor::Command;
using Navigation = RegisterEditor::Navigation;

namespace {

const tv::ui::RegisterField kFields[] = {
    {QStringLiteral("Identyfikator"), QStringLiteral("Id")},
    {QStringLiteral("Imię i nazwisko"), QStringLiteral("Nazwisko")},
    {QStringLiteral("Firma"), QStringLiteral("Firma")},
    {QStringLiteral("Ulica"), QStringLiteral("Ulica")},
    {QStringLiteral("Miejscowość"), QStringLiteral("Miejscowosc")},
    {QStringLiteral("Kod"), QStringLiteral("Kod")},
    {QStringLiteral("Telefon"), QStringLiteral("Telefon")},
    {QStringLiteral("Faks"), QStringLiteral("Faks")},
    {QStringLiteral("NIP"), QStringLiteral("NIP")},
    {QStringLiteral("REGON"), QStringLiteral("REGON")},
    {QStringLiteral("Adres e-mail"), QStringLiteral("Email")},
    {QStringLiteral("Bank"), QStringLiteral("Bank")},
    {QStringLiteral("Nr rachunku bankowego"), QStringLiteral("Nr_rku")},
    {QStringLiteral("Nr dowodu osobistego"), QStringLiteral("Nr_dowodu")},
};

QVector<tv::ui::DBGridColumn> sellerColumns() {
    const struct {
        const char* field;
        int width;
    } columns[] = {{"Id", 100},  {"Nazwisko", 170},    {"Firma", 230},
                   {"NIP", 115}, {"Miejscowosc", 130}, {"Telefon", 115}};
    QVector<tv::ui::DBGridColumn> result;
    for (const auto& c : columns) {
        tv::ui::DBGridColumn column(QString::fromLatin1(c.field));
        column.width = c.width;
        result.append(column);
    }
    return result;
}

} // namespace

TForm_fa3::TForm_fa3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_fa3"));
    setWindowTitle(QStringLiteral("Zbiór sprzedawców"));
    sprzedawcy = new tv::Table(QStringLiteral("sprzedawcy.db"));
    sprzedawcy->open();
    Query1 = new tv::Query;

    Editor = new RegisterEditor(sprzedawcy, this);
    DataSource1 = Editor->dataSource();
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    // Typing changes a seller only after "Modyfikuj pozycję" or "dodaj".
    DataSource1->setAutoEdit(false);
    DBGrid1 = Editor->addGrid(sellerColumns(), RegisterEditor::kPanelColour);
    Editor->setDetailsTitle(QStringLiteral("Informacje o sprzedawcy"));
    const QVector<tv::ui::DBEdit*> edits =
        Editor->addEdits(QVector<tv::ui::RegisterField>(std::begin(kFields), std::end(kFields)));
    std::copy(edits.begin(), edits.end(), DBEdits.begin());

    SpeedButton7 = Editor->panel(Command::Add);
    Editor->nameStandardControls(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Editor);
    resize(1000, 680);

    bindHandlers();
}

TForm_fa3::~TForm_fa3() {
    // The controls go first: they read the table while they are torn down.
    delete Editor;
    Editor = nullptr;
    delete Query1;
    delete sprzedawcy;
}

void TForm_fa3::bindHandlers() {
    Editor->bindStandardHandlers(this);
}

// "dodaj": one more than the highest number over the whole register and over
// the sellers that issued invoices name, so that a deleted seller's number
// never passes to another and the old invoices keep their issuer.
void TForm_fa3::SpeedButton7Click(QObject*) {
    sprzedawcy->first();
    const int number =
        RegisterEditor::nextNumber({QStringLiteral("select max(Nr) from sprzedawcy"),
                                    QStringLiteral("select max(Nr_sprzed) from wyst_faktury")});
    sprzedawcy->append();
    sprzedawcy->fieldByName(QStringLiteral("Nr")).setAsInteger(number);
}

void TForm_fa3::SpeedButton8Click(QObject*) {
    Editor->deleteWithQuestion(QStringLiteral("Czy na pewno usunąć pozycję?"));
}

void TForm_fa3::SpeedButton9Click(QObject*) {
    Editor->postPending();
}

void TForm_fa3::SpeedButton10Click(QObject*) {
    sprzedawcy->cancel();
}

// "zamknij": the invoice window's seller picker holds every seller's Id in
// order; the seller chosen for the invoice on screen stays in it.
void TForm_fa3::SpeedButton1Click(QObject*) {
    sprzedawcy->refresh();
    tv::ui::refillPicker(
        Form_fa1->ComboBox2,
        tv::ui::queryTexts(*Query1, QStringLiteral("select Id from sprzedawcy order by Id")));
    Editor->closeWindow();
}

void TForm_fa3::closeEvent(QCloseEvent* event) {
    event->setAccepted(Editor->closeRequested([this] { SpeedButton1Click(SpeedButton1); }));
}

void TForm_fa3::reject() {
    close();
}

void TForm_fa3::SpeedButton20Click(QObject* Sender) {
    SpeedButton7Click(Sender);
}
void TForm_fa3::SpeedButton19Click(QObject* Sender) {
    SpeedButton8Click(Sender);
}
void TForm_fa3::SpeedButton14Click(QObject* Sender) {
    SpeedButton9Click(Sender);
}
void TForm_fa3::SpeedButton15Click(QObject* Sender) {
    SpeedButton10Click(Sender);
}
void TForm_fa3::SpeedButton3Click(QObject*) {
    sprzedawcy->first();
}
void TForm_fa3::SpeedButton5Click(QObject*) {
    sprzedawcy->prior();
}
void TForm_fa3::SpeedButton6Click(QObject*) {
    sprzedawcy->next();
}
void TForm_fa3::SpeedButton4Click(QObject*) {
    sprzedawcy->last();
}
void TForm_fa3::SpeedButton21Click(QObject*) {
    sprzedawcy->edit();
}
void TForm_fa3::SpeedButton2Click(QObject*) {
    sprzedawcy->refresh();
}
