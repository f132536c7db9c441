#include "costing/refdata/paper_colour.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "costing/refdata/paper_kinds.h"
#include "costing/rules/money.h"
#include "platform/convert.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware.h"
#include "platform/ui/dialog_parts.h"
#include "platform/ui/messages.h"

TForm4* Form4 = nullptr;

namespace {

const QString kNazwa = QStringLiteral("Nazwa");
const QString kNr = QStringLiteral("Nr");
const QString kGramatura = QStringLiteral("Gramatura");
const QString kCenaRyzy = QStringLiteral("Cena_ryzy");
const QString kCenaArk = QStringLiteral("Cena_ark");

} // namespace

double lookupFormatRatio(tv::Table& formaty, const QString& name, const QString& role) {
    formaty.open();
    for (formaty.first(); !formaty.eof(); formaty.next()) {
        if (formaty.fieldByName(kNazwa).asString() != name) continue;
        const double ratio = formaty.fieldByName(QStringLiteral("St0")).asFloat();
        if (!(ratio > 0))
            throw tv::Error(
                QStringLiteral("%1 „%2” ma niewłaściwą wielkość (St0 = %3); popraw ją w formatach "
                               "papieru.")
                    .arg(role, name, tv::FloatToStr(ratio)));
        return ratio;
    }
    if (name.isEmpty()) throw tv::Error(QStringLiteral("%1 nie jest wybrany.").arg(role));
    throw tv::Error(QStringLiteral("%1 „%2” nie istnieje w tabeli formatów papieru.").arg(role, name));
}

bool CzyCalkowita(const QString& text) {
    int value = 0;
    return tv::TryStrToInt(text, value);
}

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Papier/Kolor"));

    papkol = new tv::Table(QStringLiteral("papkol.db"));
    rodzpap = new tv::Table(QStringLiteral("rodzpap.db"));
    gramatury = new tv::Table(QStringLiteral("gramatury.db"));
    formaty = new tv::Table(QStringLiteral("formaty.db"));
    DataSource1 = new tv::ui::DataSource(papkol, this);
    DataSource2 = new tv::ui::DataSource(rodzpap, this);
    DataSource3 = new tv::ui::DataSource(gramatury, this);

    buildLayout();

    rodzpap->open();
    rodzpap->first();
    gramatury->open();
    DBLookupComboBox2->refill();
    if (!rodzpap->eof()) DBLookupComboBox2->setKeyValue(rodzpap->fieldByName(kNr).value());
    DBLookupComboBox2CloseUp(this);
    // The lines of an earlier run belong to no calculation any more.
    papkol->open();
    papkol->emptyTable();

    bindHandlers();
}

TForm4::~TForm4() {
    // The data sources and controls over the tables let go of them as they go.
    delete formaty;
    delete gramatury;
    delete rodzpap;
    delete papkol;
}

void TForm4::buildLayout() {
    auto* root = new QVBoxLayout(this);
    QLabel* heading = tv::ui::makeHeading(QStringLiteral("Rodzaje papieru dla pozycji wydawniczej"), this);
    root->addWidget(heading);

    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(new QLabel(QStringLiteral("Format:"), this));
    Label9 = new QLabel(this);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setFont(heading->font());
    formatRow->addWidget(Label9);
    formatRow->addStretch(1);
    root->addLayout(formatRow);

    auto* entry = new QGridLayout;
    Edit2 = new QLineEdit(QStringLiteral("1"), this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setAlignment(Qt::AlignRight);
    DBLookupComboBox2 = new tv::ui::DBLookupComboBox(this);
    DBLookupComboBox2->setObjectName(QStringLiteral("DBLookupComboBox2"));
    DBLookupComboBox2->setListSource(DataSource2);
    DBLookupComboBox2->setListField(kNazwa);
    DBLookupComboBox2->setKeyField(kNr);
    // The colour and grammage boxes are lists only: a line never carries a
    // colour count or grammage that is not one of theirs.
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems(
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("pełny")});
    ComboBox1->setCurrentIndex(0);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setMaxVisibleItems(15);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setMinimumWidth(80);
    entry->addWidget(new QLabel(QStringLiteral("Ilość stron:"), this), 0, 0);
    entry->addWidget(Edit2, 0, 1);
    entry->addWidget(new QLabel(QStringLiteral("Rodzaj papieru:"), this), 0, 2);
    entry->addWidget(DBLookupComboBox2, 0, 3);
    entry->addWidget(new QLabel(QStringLiteral("Ilość kolorów:"), this), 1, 0);
    entry->addWidget(ComboBox1, 1, 1);
    entry->addWidget(new QLabel(QStringLiteral("Gramatura:"), this), 1, 2);
    entry->addWidget(ComboBox2, 1, 3);
    entry->setColumnStretch(3, 1);
    root->addLayout(entry);

    auto* price = new QGroupBox(this);
    auto* priceLayout = new QHBoxLayout(price);
    RadioButton1 = new QRadioButton(QStringLiteral("Cena za ryzę"), price);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(QStringLiteral("Cena za arkusz"), price);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    DBEdit2 = new tv::ui::DBEdit(price);
    DBEdit2->setObjectName(QStringLiteral("DBEdit2"));
    DBEdit2->setReadOnly(true);
    DBEdit2->setAlignment(Qt::AlignRight);
    DBEdit2->setDataSource(DataSource3);
    DBEdit2->setDataField(kCenaRyzy);
    priceLayout->addWidget(RadioButton1);
    priceLayout->addWidget(RadioButton2);
    priceLayout->addWidget(DBEdit2);
    priceLayout->addWidget(new QLabel(QStringLiteral("zł"), price));
    root->addWidget(price);

    auto* commands = new QHBoxLayout;
    SpeedButton3 = tv::ui::makeButton("SpeedButton3", QStringLiteral("  Dodaj"), this);
    SpeedButton4 = tv::ui::makeButton("SpeedButton4", QStringLiteral("  Usuń"), this);
    SpeedButton5 = tv::ui::makeButton("SpeedButton5", QStringLiteral("  Wyczyść"), this);
    commands->addWidget(SpeedButton3);
    commands->addWidget(SpeedButton4);
    commands->addWidget(SpeedButton5);
    commands->addStretch(1);
    root->addLayout(commands);

    DBGrid1 = new tv::ui::DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->setColumns({{QStringLiteral("Format"), QStringLiteral("Format")},
                         {QStringLiteral("Ilosc"), QStringLiteral("Ilość arkuszy")},
                         {QStringLiteral("Rodzpap"), QStringLiteral("Rodzaj papieru")},
                         {QStringLiteral("Kolor"), QStringLiteral("Ilość kolorów")},
                         {kGramatura, QStringLiteral("Gramatura")},
                         {QStringLiteral("Koszt"), QStringLiteral("Koszt")}});
    DBGrid1->setReadOnly(true);
    DBGrid1->setConfirmDelete(true);
    DBGrid1->setRowSelect(true);
    root->addWidget(DBGrid1, 1);

    auto* total = new QHBoxLayout;
    total->addStretch(1);
    total->addWidget(new QLabel(QStringLiteral("Razem:"), this));
    Edit1 = new QLineEdit(QStringLiteral("0"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setAlignment(Qt::AlignRight);
    total->addWidget(Edit1);
    total->addWidget(new QLabel(QStringLiteral("zł"), this));
    root->addLayout(total);

    auto* footer = new QHBoxLayout;
    SpeedButton2 =
        tv::ui::makeButton("SpeedButton2", QStringLiteral("Ustaw rodzaje papieru i ceny gramatur"), this);
    SpeedButton1 = tv::ui::makeButton("SpeedButton1", QStringLiteral("Zamknij"), this);
    footer->addWidget(SpeedButton2);
    footer->addStretch(1);
    footer->addWidget(SpeedButton1);
    root->addLayout(footer);

    resize(620, 480);
}

void TForm4::bindHandlers() {
    using tv::ui::onClick;
    onClick(SpeedButton3, [this] { SpeedButton3Click(SpeedButton3); });
    onClick(SpeedButton4, [this] { SpeedButton4Click(SpeedButton4); });
    onClick(SpeedButton5, [this] { SpeedButton5Click(SpeedButton5); });
    onClick(SpeedButton2, [this] { SpeedButton2Click(SpeedButton2); });
    onClick(SpeedButton1, [this] { SpeedButton1Click(SpeedButton1); });
    onClick(RadioButton1, [this] { RadioButton1Click(RadioButton1); });
    onClick(RadioButton2, [this] { RadioButton2Click(RadioButton2); });
    connect(DBLookupComboBox2, &tv::ui::DBLookupComboBox::closeUp, this,
            [this] { tv::ui::guard([this] { DBLookupComboBox2CloseUp(DBLookupComboBox2); }); });
    tv::ui::onChange(ComboBox2, [this] { ComboBox2Change(ComboBox2); });
    tv::ui::onEnter(Edit2, [this] { Edit2Enter(Edit2); });
    tv::ui::onChange(Edit2, [this] { Edit2Change(Edit2); });
    tv::ui::onExit(Edit2, [this] { Edit2Exit(Edit2); });
}

bool TForm4::findChosenGrammage() {
    const QString chosen = ComboBox2->currentText();
    if (chosen.isEmpty()) return false;
    gramatury->first();
    const int rows = gramatury->recordCount();
    for (int step = 0; step < rows; ++step) {
        if (gramatury->fieldByName(kGramatura).asString() == chosen) return true;
        gramatury->next();
    }
    return false;
}

void TForm4::SpeedButton3Click(QObject*) {
    if (DBLookupComboBox2->text().isEmpty()) {
        tv::ui::showMessage(QStringLiteral("Wybierz rodzaj papieru"));
        return;
    }
    // The grammage is sought again: the kind's rows may have been re-read
    // since it was chosen, and the line must be priced from that very row.
    if (!findChosenGrammage()) {
        tv::ui::showMessage(QStringLiteral("Wybierz gramaturę"));
        return;
    }
    int pages = 0;
    if (!tv::TryStrToInt(Edit2->text(), pages) || pages <= 0) {
        tv::ui::showMessage(QStringLiteral("Ilość stron musi być liczbą całkowitą większą od zera"));
        return;
    }
    const bool reamPrice = RadioButton1->isChecked();
    tv::Field price = gramatury->fieldByName(reamPrice ? kCenaRyzy : kCenaArk);
    if (price.isNull()) {
        tv::ui::showMessage(reamPrice ? QStringLiteral("Wybrana gramatura nie ma ceny za ryzę")
                                      : QStringLiteral("Wybrana gramatura nie ma ceny za arkusz"));
        return;
    }
    // Single precision, as the lines of saved calculations were computed.
    const float n = float(pages);
    const float a = float(lookupFormatRatio(*formaty, Label9->text(), QStringLiteral("Format papieru")));
    const float b = float(lookupFormatRatio(*formaty, formatMatrycy, QStringLiteral("Format matrycy")));
    const float sheets = n * b / a;
    // The price times the sheets (a ream being 500 of them) is a float product
    // as in the cost sections: formed whole in extended precision, stored as a
    // double, so that a cost on a rounding boundary lands where theirs would.
    const double cost =
        reamPrice ? costing::mul(price.asFloat(), 0.002, sheets) : costing::mul(price.asFloat(), sheets);
    const QString grammage = ComboBox2->currentText();

    papkol->append();
    try {
        papkol->fieldByName(QStringLiteral("Format")).setAsString(Label9->text());
        papkol->fieldByName(QStringLiteral("Ilosc")).setAsFloat(sheets);
        papkol->fieldByName(QStringLiteral("Rodzpap")).setAsString(DBLookupComboBox2->text());
        papkol->fieldByName(QStringLiteral("Kolor")).setAsString(ComboBox1->currentText());
        papkol->fieldByName(kGramatura).setAsString(grammage);
        papkol->fieldByName(QStringLiteral("Koszt")).setAsFloat(cost);
        papkol->post();
    } catch (...) {
        papkol->cancel();
        throw;
    }
    PrzeliczPapier();
}

void TForm4::SpeedButton4Click(QObject*) {
    if (papkol->isEmpty()) return;
    if (!tv::ui::askYesNo(QStringLiteral("Czy na pewno usunąć wybraną pozycję?"))) return;
    papkol->remove();
    PrzeliczPapier();
}

void TForm4::SpeedButton5Click(QObject*) {
    if (tv::ui::askYesNo(QStringLiteral("Czy na pewno usunąć wszystkie pozycje?"))) papkol->emptyTable();
    PrzeliczPapier();
}

void TForm4::SpeedButton2Click(QObject*) {
    Form5->show();
    gramatury->refresh();
    rodzpap->refresh();
}

void TForm4::SpeedButton1Click(QObject*) {
    close();
}

void TForm4::DBLookupComboBox2CloseUp(QObject*) {
    if (DBLookupComboBox2->text().isEmpty()) return;
    const QString kind = tv::IntToStr(rodzpap->fieldByName(kNr).asInteger());
    gramatury->setFilter({{QStringLiteral("Rodzpap"), QStringLiteral("="), kind}});
    gramatury->setFiltered(true);
    gramatury->refresh();
    WczytajGramatury();
}

void TForm4::WczytajGramatury() {
    ComboBox2->clear();
    gramatury->first();
    const int rows = gramatury->recordCount();
    for (int i = 0; i < rows; ++i) {
        ComboBox2->addItem(gramatury->fieldByName(kGramatura).asString());
        gramatury->next();
    }
    // A list box shows its first item once filled; no grammage is chosen yet.
    ComboBox2->setCurrentIndex(-1);
    gramatury->first();
}

void TForm4::ComboBox2Change(QObject*) {
    if (ComboBox2->currentText().isEmpty()) return;
    findChosenGrammage();
}

void TForm4::RadioButton1Click(QObject*) {
    DBEdit2->setDataField(kCenaRyzy);
}

void TForm4::RadioButton2Click(QObject*) {
    DBEdit2->setDataField(kCenaArk);
}

void TForm4::Edit2Enter(QObject*) {
    poprzedniTekst = Edit2->text();
}

void TForm4::Edit2Change(QObject*) {
    const QString text = Edit2->text();
    if (!text.isEmpty() && !CzyCalkowita(text))
        Edit2->setText(poprzedniTekst);
    else
        poprzedniTekst = text;
}

void TForm4::Edit2Exit(QObject*) {
    if (Edit2->text().isEmpty()) Edit2->setText(QStringLiteral("0"));
}
