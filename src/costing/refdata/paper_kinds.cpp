#include "costing/refdata/paper_kinds.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/convert.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware.h"
#include "platform/ui/dialog_parts.h"
#include "platform/ui/messages.h"

TForm5* Form5 = nullptr;
bool przeliczanieCeny = true;

namespace {

const QString kNazwa = QStringLiteral("Nazwa");
const QString kNr = QStringLiteral("Nr");
const QString kRodzpap = QStringLiteral("Rodzpap");
const QString kGramatura = QStringLiteral("Gramatura");
const QString kCenaArk = QStringLiteral("Cena_ark");
const QString kCenaRyzy = QStringLiteral("Cena_ryzy");

// The grammages every new kind starts with: 80 to 300 g/m² in steps of 5.
constexpr int kFirstGrammage = 80;
constexpr int kGrammageLimit = 301;
constexpr int kGrammageStep = 5;

void cancelPending(tv::Table& table) {
    if (table.state() == tv::Table::State::Edit || table.state() == tv::Table::State::Insert) table.cancel();
}

} // namespace

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Rodzaje papieru"));

    rodzpap = new tv::Table(QStringLiteral("rodzpap.db"));
    gramatury = new tv::Table(QStringLiteral("gramatury.db"));
    DataSource1 = new tv::ui::DataSource(rodzpap, this);
    DataSource2 = new tv::ui::DataSource(gramatury, this);
    // Prices change only after "Modyfikuj pozycję", never by a stray keystroke.
    DataSource2->setAutoEdit(false);
    gramatury->beforeInsert = [this](tv::Table& t) { gramaturyBeforeInsert(t); };
    gramatury->afterInsert = [this](tv::Table& t) { gramaturyAfterInsert(t); };
    gramatury->afterPost = [this](tv::Table& t) { gramaturyAfterPost(t); };

    buildLayout();

    rodzpap->open();
    rodzpap->first();
    gramatury->open();
    showCurrentKind();
    if (!rodzpap->isEmpty()) filterToCurrentKind();

    bindHandlers();
}

TForm5::~TForm5() {
    // The data sources and controls over the tables let go of them as they go.
    delete gramatury;
    delete rodzpap;
}

void TForm5::buildLayout() {
    auto* root = new QVBoxLayout(this);
    QLabel* heading = tv::ui::makeHeading(QStringLiteral("Edycja rodzajów i cen papieru"), this);
    root->addWidget(heading);

    auto* kinds = new QGridLayout;
    DBLookupComboBox1 = new tv::ui::DBLookupComboBox(this);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setListSource(DataSource1);
    DBLookupComboBox1->setListField(kNazwa);
    DBLookupComboBox1->setKeyField(kNr);
    DBText1 = new tv::ui::DBText(this);
    DBText1->setObjectName(QStringLiteral("DBText1"));
    DBText1->setDataSource(DataSource1);
    DBText1->setDataField(kNazwa);
    DBText1->setFont(heading->font());
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    // A kind's name is copied into the 10-character name of every paper line.
    Edit1->setMaxLength(10);
    tv::ui::keepToCodePage1250(Edit1);
    SpeedButton1 = tv::ui::makeButton("SpeedButton1", QStringLiteral("Dodaj rodzaj"), this);
    SpeedButton2 = tv::ui::makeButton("SpeedButton2", QStringLiteral("Usuń rodzaj"), this);
    kinds->addWidget(new QLabel(QStringLiteral("Rodzaj papieru:"), this), 0, 0);
    kinds->addWidget(DBLookupComboBox1, 0, 1);
    kinds->addWidget(DBText1, 0, 2);
    kinds->addWidget(SpeedButton2, 0, 3);
    kinds->addWidget(new QLabel(QStringLiteral("Wpisz nazwę:"), this), 1, 0);
    kinds->addWidget(Edit1, 1, 1);
    kinds->addWidget(SpeedButton1, 1, 3);
    kinds->setColumnStretch(2, 1);
    root->addLayout(kinds);

    root->addWidget(new QLabel(QStringLiteral("Ceny gramatur:"), this));
    DBGrid1 = new tv::ui::DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DataSource2);
    DBGrid1->setColumns({{kGramatura, QStringLiteral("Gramatura")},
                         {kCenaArk, QStringLiteral("Cena 1 arkusza")},
                         {kCenaRyzy, QStringLiteral("Cena 1 ryzy")}});
    DBGrid1->setReadOnly(false);
    DBGrid1->setConfirmDelete(true);
    // Insert and Down on the last row make a grammage outside the delivered
    // ladder; the table's insert handlers give it the current kind.
    DBGrid1->setAllowInsert(true);
    root->addWidget(DBGrid1, 1);

    auto* group = new QGroupBox(QStringLiteral("Gramatura"), this);
    auto* groupLayout = new QGridLayout(group);
    DBEdit2 = tv::ui::makeEdit("DBEdit2", DataSource2, kGramatura, Qt::AlignRight, group);
    DBEdit3 = tv::ui::makeEdit("DBEdit3", DataSource2, kCenaArk, Qt::AlignRight, group);
    DBEdit1 = tv::ui::makeEdit("DBEdit1", DataSource2, kCenaRyzy, Qt::AlignRight, group);
    groupLayout->addWidget(new QLabel(QStringLiteral("Gramatura:"), group), 0, 0);
    groupLayout->addWidget(DBEdit2, 0, 1);
    groupLayout->addWidget(new QLabel(QStringLiteral("Cena za arkusz:"), group), 1, 0);
    groupLayout->addWidget(DBEdit3, 1, 1);
    groupLayout->addWidget(new QLabel(QStringLiteral("Cena za ryzę (500 arkuszy):"), group), 2, 0);
    groupLayout->addWidget(DBEdit1, 2, 1);
    root->addWidget(group);

    auto* footer = new QHBoxLayout;
    DBNavigator1 = new tv::ui::DBNavigator(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setDataSource(DataSource2);
    using B = tv::ui::DBNavigator::Button;
    DBNavigator1->setVisibleButtons(
        {B::First, B::Prior, B::Next, B::Last, B::Edit, B::Post, B::Cancel, B::Refresh});
    DBNavigator1->setHints({QStringLiteral("Pierwsza pozycja"), QStringLiteral("Poprzednia pozycja"),
                            QStringLiteral("Następna pozycja"), QStringLiteral("Ostatnia pozycja"),
                            QStringLiteral("Modyfikuj pozycję"), QStringLiteral("Potwierdź zmianę"),
                            QStringLiteral("Anuluj zmianę"), QStringLiteral("Odśwież dane")});
    SpeedButton3 = tv::ui::makeButton("SpeedButton3", QStringLiteral("Zamknij"), this);
    footer->addWidget(DBNavigator1);
    footer->addStretch(1);
    footer->addWidget(SpeedButton3);
    root->addLayout(footer);

    resize(520, 560);
}

void TForm5::bindHandlers() {
    tv::ui::onClick(SpeedButton1, [this] { SpeedButton1Click(SpeedButton1); });
    tv::ui::onClick(SpeedButton2, [this] { SpeedButton2Click(SpeedButton2); });
    tv::ui::onClick(SpeedButton3, [this] { SpeedButton3Click(SpeedButton3); });
    connect(DBLookupComboBox1, &tv::ui::DBLookupComboBox::closeUp, this,
            [this] { tv::ui::guard([this] { DBLookupComboBox1CloseUp(DBLookupComboBox1); }); });
}

void TForm5::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) tv::ui::guard([this] { FormShow(this); });
}

void TForm5::filterToCurrentKind() {
    const QString kind = tv::IntToStr(rodzpap->fieldByName(kNr).asInteger());
    gramatury->setFilter({{kRodzpap, QStringLiteral("="), kind}});
    gramatury->setFiltered(true);
}

void TForm5::showCurrentKind() {
    if (rodzpap->isEmpty())
        DBLookupComboBox1->setText(QString());
    else
        DBLookupComboBox1->setKeyValue(rodzpap->fieldByName(kNr).value());
}

void TForm5::rereadAfterFailure() {
    cancelPending(*rodzpap);
    cancelPending(*gramatury);
    rodzpap->refresh();
    if (!rodzpap->isEmpty()) filterToCurrentKind();
    gramatury->refresh();
    showCurrentKind();
}

void TForm5::SpeedButton1Click(QObject*) {
    // A name of blanks would be a kind no list shows readably.
    const QString name = Edit1->text().trimmed();
    if (name.isEmpty()) {
        tv::ui::showMessage(QStringLiteral("Wpisz nazwę papieru"));
        return;
    }
    // The kind and its ladder land together or not at all: a kind without its
    // grammages could not be priced, grammages without a kind are lost rows.
    try {
        tv::Database::instance().transaction([&] {
            rodzpap->append();
            rodzpap->fieldByName(kNazwa).setAsString(name);
            rodzpap->post();
            const int nr = rodzpap->fieldByName(kNr).asInteger();
            // The new rows must pass the filter, so that each post leaves its
            // own row current for the ream-price rule.
            gramatury->setFilter({{kRodzpap, QStringLiteral("="), tv::IntToStr(nr)}});
            gramatury->setFiltered(true);
            for (int g = kFirstGrammage; g < kGrammageLimit; g += kGrammageStep) {
                gramatury->append();
                gramatury->fieldByName(kRodzpap).setAsInteger(nr);
                gramatury->fieldByName(kGramatura).setAsInteger(g);
                gramatury->post();
            }
        });
    } catch (...) {
        rereadAfterFailure();
        throw;
    }
    Edit1->setText(QString());
    filterToCurrentKind();
    showCurrentKind();
}

void TForm5::SpeedButton2Click(QObject*) {
    if (DBLookupComboBox1->text().isEmpty() || rodzpap->isEmpty()) {
        tv::ui::showMessage(QStringLiteral("Wybierz rodzaj papieru"));
        return;
    }
    const QString nazwa = rodzpap->fieldByName(kNazwa).asString();
    const QString question = QStringLiteral("Czy na pewno chcesz usunąć rodzaj papieru '") + nazwa + u'?';
    if (!tv::ui::askYesNo(question)) return;
    // A price being edited belongs to the kind about to go.
    cancelPending(*gramatury);
    try {
        tv::Database::instance().transaction([&] {
            const int nr = rodzpap->fieldByName(kNr).asInteger();
            rodzpap->remove();
            gramatury->setFiltered(false);
            gramatury->first();
            while (!gramatury->eof()) {
                if (gramatury->fieldByName(kRodzpap).asInteger() == nr)
                    gramatury->remove(); // the following row becomes current
                else
                    gramatury->next();
            }
        });
    } catch (...) {
        rereadAfterFailure();
        throw;
    }
    if (!rodzpap->isEmpty())
        filterToCurrentKind();
    else
        gramatury->setFiltered(false);
    showCurrentKind();
    tv::ui::showMessage(QStringLiteral("Usunięto rodzaj papieru '") + nazwa +
                            QStringLiteral("' wraz z przypisanymi mu cenami gramatur"),
                        QStringLiteral("OK"));
}

void TForm5::SpeedButton3Click(QObject*) {
    close();
}

void TForm5::DBLookupComboBox1CloseUp(QObject*) {
    if (DBLookupComboBox1->text().isEmpty()) return;
    filterToCurrentKind();
}

void TForm5::FormShow(QObject*) {
    rodzpap->first();
    showCurrentKind();
    if (!DBLookupComboBox1->text().isEmpty()) filterToCurrentKind();
}

void TForm5::gramaturyBeforeInsert(tv::Table&) {
    if (!rodzpap->isEmpty()) return;
    tv::ui::showMessage(QStringLiteral("Dodaj najpierw rodzaj papieru"));
    // A grammage of no kind could never be chosen: the insert stops here.
    throw tv::EAbort();
}

void TForm5::gramaturyAfterInsert(tv::Table& DataSet) {
    if (rodzpap->isEmpty()) return;
    DataSet.fieldByName(kRodzpap).setAsInteger(rodzpap->fieldByName(kNr).asInteger());
}

void TForm5::gramaturyAfterPost(tv::Table& DataSet) {
    if (!przeliczanieCeny) return;
    DataSet.edit();
    tv::Field sheet = DataSet.fieldByName(kCenaArk);
    tv::Field ream = DataSet.fieldByName(kCenaRyzy);
    if (sheet.asCurrency() != tv::Currency() && ream.asCurrency() == tv::Currency())
        ream.setAsCurrency(tv::Currency::fromDouble(sheet.asCurrency().toDouble() * 500.0));
    // The rule's own post must not run the rule again; the flag comes back
    // even when that post fails, or the rule would stay off for the whole run.
    struct Restore {
        ~Restore() { przeliczanieCeny = true; }
    } restore;
    przeliczanieCeny = false;
    try {
        DataSet.post();
    } catch (...) {
        // The operator's own post has landed; the row goes back to what it holds.
        DataSet.cancel();
        throw;
    }
}
