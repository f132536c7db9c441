#include "invoicing/registers/goods.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QShowEvent>
#include <QVBoxLayout>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/rules/goods_prices.h"
#include "platform/convert.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware_combo.h"
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/dataaware_grid.h"
#include "platform/ui/dataaware_source.h"
#include "platform/ui/register_editor.h"

TForm_fa5* Form_fa5 = nullptr;

using tv::ui::RegisterEditor;
using Command = RegisterEditor::Command;
using Navigation = RegisterEditor::Navigation;

namespace {

constexpr int kTeal = 0x808000;

// The search boxes and the fields they narrow, in the order of the filter.
const QStringList kSearchFields = {QStringLiteral("Nazwa"), QStringLiteral("PKWiU"), QStringLiteral("Opis")};

struct ColumnDef {
    const char* field;
    const char* title;
    int width;
};

QVector<tv::ui::DBGridColumn> columns(std::initializer_list<ColumnDef> defs) {
    QVector<tv::ui::DBGridColumn> result;
    for (const ColumnDef& d : defs) {
        tv::ui::DBGridColumn column(QString::fromLatin1(d.field), QString::fromUtf8(d.title));
        column.width = d.width;
        result.append(column);
    }
    return result;
}

// The stock version's grid, with class and stock.
QVector<tv::ui::DBGridColumn> stockColumns() {
    return columns({{"Nazwa", "", 230},
                    {"VAT", "", 45},
                    {"Jm", "", 50},
                    {"Netto", "", 85},
                    {"Opis", "", 190},
                    {"PKWiU", "", 95},
                    {"Klasa", "", 60},
                    {"Magazyn", "", 75}});
}

// The plain version's grid, with the identifier instead.
QVector<tv::ui::DBGridColumn> plainColumns() {
    return columns({{"Nazwa", "", 230},
                    {"Id", "Identyfikator", 120},
                    {"VAT", "", 45},
                    {"Jm", "", 50},
                    {"Netto", "", 85},
                    {"Opis", "", 190},
                    {"PKWiU", "", 95}});
}

// The details in the order the group shows them, each with its edit's name.
struct DetailDef {
    const char* name;
    const char* label;
    const char* field;
};
const DetailDef kDetails[] = {
    {"DBEdit1", "Nazwa towaru lub usługi", "Nazwa"},
    {"DBEdit7", "Identyfikator", "Id"},
    {"DBEdit2", "Jednostka miary", "Jm"},
    {"DBEdit4", "PKWiU", "PKWiU"},
    {"DBEdit6", "Klasa lub jakość", "Klasa"},
    {"DBEdit5", "Opis", "Opis"},
    {"DBEdit3", "Wartość netto", "Netto"},
};

} // namespace

TForm_fa5::TForm_fa5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_fa5"));
    setWindowTitle(QStringLiteral("Towary, usługi"));
    towary = new tv::Table(QStringLiteral("towary.DB"));
    towary->open();

    Editor = new RegisterEditor(towary, this);
    DataSource1 = Editor->dataSource();
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    DataSource1->setAutoEdit(true);
    DBGrid1 = Editor->addGrid(stockColumns(), kTeal);

    // The plain grid lies over the stock grid at the same place and size;
    // the stock version shows the stock grid instead.
    DBGrid2 = Editor->addGrid(plainColumns(), RegisterEditor::kPanelColour);
    Editor->showGrid(DBGrid2);

    Editor->setDetailsTitle(QStringLiteral("Informacje o towarze lub usłudze"));
    tv::ui::DBEdit** edits[] = {&DBEdit1, &DBEdit7, &DBEdit2, &DBEdit4, &DBEdit6, &DBEdit5, &DBEdit3};
    for (size_t i = 0; i < std::size(kDetails); ++i) {
        tv::ui::DBEdit* edit =
            Editor->addEdit({QString::fromUtf8(kDetails[i].label), QString::fromLatin1(kDetails[i].field)});
        edit->setObjectName(QString::fromLatin1(kDetails[i].name));
        *edits[i] = edit;
    }
    EditBrutto = new tv::ui::DBEdit(this);
    EditBrutto->setObjectName(QStringLiteral("EditBrutto"));
    EditBrutto->setDataSource(DataSource1);
    EditBrutto->setDataField(QStringLiteral("Brutto"));
    Editor->addDetail(QStringLiteral("Wartość brutto"), EditBrutto);
    DBComboBox1 = new tv::ui::DBComboBox(this);
    DBComboBox1->setObjectName(QStringLiteral("DBComboBox1"));
    DBComboBox1->addItems({QStringLiteral("0"), QStringLiteral("3"), QStringLiteral("7"),
                           QStringLiteral("22"), QStringLiteral("zw.")});
    DBComboBox1->setDataSource(DataSource1);
    DBComboBox1->setDataField(QStringLiteral("VAT"));
    Editor->addDetail(QStringLiteral("Stawka VAT"), DBComboBox1);
    DBComboBox1->installEventFilter(this);

    const QVector<QLineEdit*> boxes = Editor->addSearch({{QStringLiteral("Nazwa"), QStringLiteral("Nazwa")},
                                                         {QStringLiteral("PKWIU"), QStringLiteral("PKWiU")},
                                                         {QStringLiteral("Opis"), QStringLiteral("Opis")}},
                                                        QStringLiteral("Panel1"));
    Nazwa = boxes[0];
    PKWIU = boxes[1];
    Opis = boxes[2];
    Panel1 = Editor->clearPanel();
    Button1 = Editor->searchButton();

    SpeedButton7 = Editor->panel(Command::Add);
    Editor->nameStandardControls(this);

    auto* title = new QLabel(QStringLiteral("Zbiór towarów i usług"), this);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    title->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(title);
    layout->addWidget(Editor, 1);
    resize(1180, 720);

    bindHandlers();
    FormCreate(this);
}

TForm_fa5::~TForm_fa5() {
    // The controls go first: they read the table while they are torn down.
    delete Editor;
    Editor = nullptr;
    delete towary;
}

void TForm_fa5::bindHandlers() {
    Editor->bindStandardHandlers(this);

    Editor->onSearch([this] { Button1Click(Button1); });
    Editor->onClearSearch([this] { Panel1Click(Panel1); });

    // The two computations follow the operator's own edits only: typing in
    // the net, gross or rate box, choosing a rate, and a field the operator
    // changed in the grid. Moving to another record changes the boxes' texts
    // but writes nothing.
    QObject::connect(DBEdit3, &QLineEdit::textEdited, this,
                     [this] { tv::ui::guard([this] { DBEdit3Change(DBEdit3); }); });
    QObject::connect(EditBrutto, &QLineEdit::textEdited, this,
                     [this] { tv::ui::guard([this] { EditBruttoChange(EditBrutto); }); });
    QObject::connect(DBComboBox1, &tv::ui::DBComboBox::edited, this,
                     [this] { tv::ui::guard([this] { DBComboBox1Change(DBComboBox1); }); });
    QObject::connect(DBComboBox1, &tv::ui::DBComboBox::chosen, this,
                     [this] { tv::ui::guard([this] { DBComboBox1Click(DBComboBox1); }); });
    tv::ui::onExit(DBComboBox1, [this] { DBComboBox1Exit(DBComboBox1); });
    QObject::connect(DataSource1, &tv::ui::DataSource::fieldChanged, this, [this] { recordFieldWritten(); });
    for (auto signal :
         {&tv::ui::DataSource::scrolled, &tv::ui::DataSource::stateChanged, &tv::ui::DataSource::dataChanged})
        QObject::connect(DataSource1, signal, this, [this] { rememberPricing(); });
    rememberPricing();
}

void TForm_fa5::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        RegisterEditor::activatedFromAnotherWindow(this))
        tv::ui::guard([this] { FormActivate(this); });
}

bool TForm_fa5::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBComboBox1 && event->type() == QEvent::KeyRelease)
        tv::ui::guard([this] { DBComboBox1KeyUp(DBComboBox1); });
    return QDialog::eventFilter(watched, event);
}

void TForm_fa5::FormCreate(QObject*) {
    addedRecord = false;
    computing = false;
}

// The stock version shows the grid with class and stock; the administration
// form shows the plain grid again when the option is switched off.
void TForm_fa5::FormActivate(QObject*) {
    if (Form_fa10 && Form_fa10->CheckBox1->isChecked()) Editor->showGrid(DBGrid1);
    Panel1Click(Panel1);
}

// "dodaj": the new record holds only its number, one more than the highest
// over the whole table whatever the search shows, and is stored at once.
void TForm_fa5::SpeedButton7Click(QObject*) {
    addedRecord = false;
    // As the scan from the first row did: a changed pending record is posted
    // first (so its number counts), an untouched one dropped.
    towary->first();
    const int number = RegisterEditor::nextNumber({QStringLiteral("select max(Nr) from towary")});
    towary->append();
    towary->fieldByName(QStringLiteral("Nr")).setAsInteger(number);
    towary->post();
    m_addedNumber = number;
    addedRecord = true;
}

void TForm_fa5::SpeedButton8Click(QObject*) {
    addedRecord = false;
    Editor->deleteWithQuestion(QStringLiteral("Czy na pewno usunąć wybraną pozycję?"));
}

void TForm_fa5::SpeedButton9Click(QObject*) {
    Editor->postPending();
    addedRecord = false;
}

// "anuluj" after "dodaj" removes the record "dodaj" stored, wherever the
// cursor has moved since; otherwise it cancels the pending edit.
void TForm_fa5::SpeedButton10Click(QObject*) {
    if (!addedRecord) {
        towary->cancel();
        return;
    }
    towary->cancel();
    tv::Query::exec(QStringLiteral("delete from towary where Nr = ?1"), {m_addedNumber});
    towary->refresh();
    addedRecord = false;
}

void TForm_fa5::SpeedButton1Click(QObject*) {
    Editor->postPending();
    addedRecord = false;
    Form_fa1->WypelnijListeTowarow();
    Editor->closeWindow();
}

void TForm_fa5::closeEvent(QCloseEvent* event) {
    event->setAccepted(Editor->closeRequested([this] { SpeedButton1Click(SpeedButton1); }));
}

void TForm_fa5::reject() {
    close();
}

void TForm_fa5::SpeedButton20Click(QObject* Sender) {
    SpeedButton7Click(Sender);
}
void TForm_fa5::SpeedButton19Click(QObject* Sender) {
    SpeedButton8Click(Sender);
}
void TForm_fa5::SpeedButton14Click(QObject* Sender) {
    SpeedButton9Click(Sender);
}
void TForm_fa5::SpeedButton15Click(QObject* Sender) {
    SpeedButton10Click(Sender);
}
void TForm_fa5::SpeedButton3Click(QObject*) {
    towary->first();
}
void TForm_fa5::SpeedButton5Click(QObject*) {
    towary->prior();
}
void TForm_fa5::SpeedButton6Click(QObject*) {
    towary->next();
}
void TForm_fa5::SpeedButton4Click(QObject*) {
    towary->last();
}
void TForm_fa5::SpeedButton21Click(QObject*) {
    towary->edit();
}
void TForm_fa5::SpeedButton2Click(QObject*) {
    towary->refresh();
}

// The typed texts are bound, never pasted into the filter, so a name with an
// apostrophe is searched like any other; each term keeps the rows that sort
// at or after the typed text.
void TForm_fa5::Button1Click(QObject*) {
    Editor->applySearch(kSearchFields);
}

void TForm_fa5::Panel1Click(QObject*) {
    Editor->clearSearch({Opis, Nazwa, PKWIU}, [this] { Button1Click(Button1); });
}

// ---- net and gross ---------------------------------------------------------------

std::optional<double> TForm_fa5::shownAmount(tv::ui::DBEdit* edit, const QString& field) const {
    if (edit->isPending()) {
        double value = 0;
        if (!tv::TryStrToFloat(edit->text(), value)) return std::nullopt;
        return value;
    }
    return towary->fieldByName(field).asFloat();
}

std::optional<QString> TForm_fa5::shownRate() const {
    if (DBComboBox1->isPending()) {
        const QString typed = DBComboBox1->text();
        if (!invoicing::isGoodsRate(typed)) return std::nullopt;
        return typed;
    }
    return towary->fieldByName(QStringLiteral("VAT")).asString();
}

namespace {

// Writes a computed amount, putting the record in edit state; an amount the
// record already holds is left alone, so a computation that changes
// nothing writes nothing.
void writeAmount(tv::Table& table, const QString& field, tv::Currency value) {
    tv::Field target = table.fieldByName(field);
    if (!target.isNull() && target.asCurrency() == value) return;
    if (table.state() == tv::Table::State::Browse) {
        if (table.isEmpty()) return;
        table.edit();
    }
    target.setAsCurrency(value);
}

} // namespace

void TForm_fa5::PrzeliczBrutto() {
    if (computing || !towary->active()) return;
    computing = true;
    const auto done = qScopeGuard([this] { computing = false; });
    const std::optional<QString> rate = shownRate();
    const std::optional<double> net = shownAmount(DBEdit3, QStringLiteral("Netto"));
    if (!rate || !net) return;
    writeAmount(*towary, QStringLiteral("Brutto"), invoicing::grossFromNet(*net, *rate));
}

void TForm_fa5::EditBruttoChange(QObject*) {
    if (computing || !towary->active()) return;
    computing = true;
    const auto done = qScopeGuard([this] { computing = false; });
    const std::optional<QString> rate = shownRate();
    const std::optional<double> gross = shownAmount(EditBrutto, QStringLiteral("Brutto"));
    if (!rate || !gross) return;
    writeAmount(*towary, QStringLiteral("Netto"), invoicing::netFromGross(*gross, *rate));
}

void TForm_fa5::DBEdit3Change(QObject*) {
    if (DBComboBox1->text().isEmpty()) return;
    DBComboBox1->setText(towary->fieldByName(QStringLiteral("VAT")).asString());
    PrzeliczBrutto();
}

void TForm_fa5::DBComboBox1Change(QObject*) {
    PrzeliczBrutto();
}

void TForm_fa5::DBComboBox1Click(QObject*) {
    PrzeliczBrutto();
}

// Releasing a key or leaving the box computes only what the operator typed
// into it; passing through the box writes nothing.
void TForm_fa5::DBComboBox1KeyUp(QObject*) {
    if (DBComboBox1->isPending()) PrzeliczBrutto();
}

void TForm_fa5::DBComboBox1Exit(QObject*) {
    if (DBComboBox1->isPending()) PrzeliczBrutto();
}

void TForm_fa5::rememberPricing() {
    if (!towary->active()) return;
    m_net = towary->fieldByName(QStringLiteral("Netto")).value();
    m_gross = towary->fieldByName(QStringLiteral("Brutto")).value();
    m_rate = towary->fieldByName(QStringLiteral("VAT")).value();
}

void TForm_fa5::recordFieldWritten() {
    const QVariant net = towary->fieldByName(QStringLiteral("Netto")).value();
    const QVariant gross = towary->fieldByName(QStringLiteral("Brutto")).value();
    const QVariant rate = towary->fieldByName(QStringLiteral("VAT")).value();
    const bool rateChanged = rate != m_rate;
    const bool netChanged = net != m_net;
    const bool grossChanged = gross != m_gross;
    m_net = net;
    m_gross = gross;
    m_rate = rate;
    // A field written by the grid or by leaving a box: the same computation
    // as typing it, now from the record.
    tv::ui::guard([&] {
        if (rateChanged) PrzeliczBrutto();
        if (netChanged) DBEdit3Change(DBEdit3);
        if (grossChanged) EditBruttoChange(EditBrutto);
    });
}
