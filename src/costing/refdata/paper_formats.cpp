#include "costing/refdata/paper_formats.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

#include "costing/costing_sheet.h"
#include "platform/convert.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware.h"
#include "platform/ui/dialog_parts.h"
#include "platform/ui/messages.h"

TForm3* Form3 = nullptr;

namespace {

const QString kNazwa = QStringLiteral("Nazwa");
const QString kSt0 = QStringLiteral("St0");

// A format's name is copied into the 5-character format of every paper line
// and into the plate format of the settings.
constexpr int kNameLength = 5;

} // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Edycja formatów"));
    formaty = new tv::Table(QStringLiteral("formaty.db"));
    formaty->beforePost = [this](tv::Table& t) { formatyBeforePost(t); };
    DataSource1 = new tv::ui::DataSource(formaty, this);
    // A format changes only after "Modyfikuj pozycję" or "Wstaw nową pozycję".
    DataSource1->setAutoEdit(false);
    buildLayout();
    tv::ui::onClick(SpeedButton1, [this] { SpeedButton1Click(SpeedButton1); });
}

TForm3::~TForm3() {
    // The data source and controls over the table let go of it as it goes.
    delete formaty;
}

void TForm3::buildLayout() {
    auto* root = new QVBoxLayout(this);
    root->addWidget(tv::ui::makeHeading(QStringLiteral("Zbiór formatów papieru"), this));

    DBGrid1 = new tv::ui::DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DataSource1);
    tv::ui::DBGridColumn name{kNazwa, QStringLiteral("Nazwa")};
    name.maxLength = kNameLength;
    DBGrid1->setColumns({name, {kSt0, QStringLiteral("Stosunek do A0")}});
    DBGrid1->setReadOnly(false);
    DBGrid1->setConfirmDelete(true);
    root->addWidget(DBGrid1, 1);

    auto* fields = new QGridLayout;
    DBEdit2 = tv::ui::makeEdit("DBEdit2", DataSource1, kNazwa, Qt::AlignLeft, this);
    DBEdit2->setLengthLimit(kNameLength);
    DBEdit3 = tv::ui::makeEdit("DBEdit3", DataSource1, kSt0, Qt::AlignRight, this);
    fields->addWidget(new QLabel(QStringLiteral("Nazwa:"), this), 0, 0);
    fields->addWidget(DBEdit2, 0, 1);
    auto* ratioLabel = new QLabel(QStringLiteral("Stosunek do 1 formatu X0:\n(dla formatów A -> A0\n"
                                                 "dla formatów B -> B0):"),
                                  this);
    fields->addWidget(ratioLabel, 1, 0);
    fields->addWidget(DBEdit3, 1, 1);
    fields->setColumnStretch(1, 1);
    root->addLayout(fields);

    auto* footer = new QHBoxLayout;
    DBNavigator1 = new tv::ui::DBNavigator(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setDataSource(DataSource1);
    DBNavigator1->setHints({QStringLiteral("Pierwsza pozycja"), QStringLiteral("Poprzednia pozycja"),
                            QStringLiteral("Następna pozycja"), QStringLiteral("Ostatnia pozycja"),
                            QStringLiteral("Wstaw nową pozycję"), QStringLiteral("Usuń pozycję"),
                            QStringLiteral("Modyfikuj pozycję"), QStringLiteral("Potwierdź zmianę"),
                            QStringLiteral("Anuluj zmianę"), QStringLiteral("Odśwież dane")});
    SpeedButton1 = tv::ui::makeButton("SpeedButton1", QStringLiteral("Zamknij"), this);
    footer->addWidget(DBNavigator1);
    footer->addStretch(1);
    footer->addWidget(SpeedButton1);
    root->addLayout(footer);

    resize(420, 420);
}

void TForm3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) tv::ui::guard([this] { FormShow(this); });
}

void TForm3::FormShow(QObject*) {
    formaty->open();
}

void TForm3::SpeedButton1Click(QObject*) {
    reject();
}

// The sheet, the paper lines and the settings look formats up by name and
// divide by their ratios: a format without a name, with a name longer than
// those copies hold, or with no positive ratio would break them all.
void TForm3::formatyBeforePost(tv::Table& DataSet) {
    const QString name = DataSet.fieldByName(kNazwa).asString();
    if (name.trimmed().isEmpty()) throw tv::Error(QStringLiteral("Wpisz nazwę formatu"));
    if (name.size() > kNameLength)
        throw tv::Error(QStringLiteral("Nazwa formatu może mieć najwyżej %1 znaków").arg(kNameLength));
    if (!(DataSet.fieldByName(kSt0).asFloat() > 0))
        throw tv::Error(QStringLiteral("Stosunek do formatu X0 musi być liczbą większą od zera"));
}

void TForm3::postPending() {
    if (!formaty->active()) return;
    const tv::Table::State state = formaty->state();
    if (state != tv::Table::State::Edit && state != tv::Table::State::Insert) return;
    // What the bound controls still hold counts as a change of the row.
    DataSource1->updateRecord();
    // A row opened and left untouched is nothing the operator meant to store.
    if (formaty->modified())
        formaty->post();
    else
        formaty->cancel();
}

void TForm3::reject() {
    if (!tv::ui::runShowingErrors([this] { postPending(); })) return;
    QDialog::reject();
    tv::ui::guard([this] {
        formaty->close();
        refreshSheetFormats();
    });
}

void TForm3::refreshSheetFormats() {
    if (!Form1) return;
    Form1->formaty->open();
    Form1->formaty->refresh();
    Form1->DBLookupComboBox1->refill();
}
