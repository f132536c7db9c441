#include "costing/refdata/initial_settings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include "costing/costing_sheet.h"
#include "costing/costing_sheet_catalogue.h"
#include "costing/refdata/paper_colour.h"
#include "platform/convert.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog_parts.h"
#include "platform/ui/messages.h"

TForm6* Form6 = nullptr;

namespace {

enum class BoxKind { Edit, Percent, Vat, Press, Plate };

// One box of the dialog: its label and design text, and the settings field it
// is loaded from and stored to. The press type and its two pass prices have
// none here: which fields they use depends on the press type.
struct SettingBox {
    const char* control;
    const char* label;
    const char* initial;
    const char* field;
    BoxKind kind;
};

// In the order of the form.
const SettingBox kBoxes[] = {
    {"Edit1", "Cena przelotu biały:", "0", "", BoxKind::Edit},
    {"Edit2", "Cena przelotu kolor:", "0", "", BoxKind::Edit},
    {"ComboBox4", "Rodzaj maszyny:", "4-kolorowa", "", BoxKind::Press},
    {"Edit3", "Stawka godzinowa:", "0", "Stawka_godz", BoxKind::Edit},
    {"Edit4", "Cena płyty czarno-białej:", "0", "Pl_czb", BoxKind::Edit},
    {"Edit5", "Cena płyty kolorowej:", "0", "Pl_kolor", BoxKind::Edit},
    {"ComboBox5", "Wielkość matrycy:", "A3", "Matryca", BoxKind::Plate},
    {"Edit6", "Skanowanie (cena za 1 Mb):", "0", "Skanowanie", BoxKind::Edit},
    {"Edit7", "Fotonaświetlarka (cena za 1 m):", "0", "Fotonasw", BoxKind::Edit},
    // The box labelled as the colour page price is stored in Sklad_czb and the
    // one labelled as the black page price in Sklad_kolor: stored records
    // follow this pairing, and each still reaches the sheet field that prices
    // the matching page count.
    {"Edit8", "Skład komputerowy\n(1 strona kolorowa):", "0", "Sklad_czb", BoxKind::Edit},
    {"Edit9", "Skład komputerowy\n(1 strona czarno-biała):", "0", "Sklad_kolor", BoxKind::Edit},
    {"ComboBox1", "Zysk do robocizny bezp.:", "0", "Zysk_od_rob", BoxKind::Percent},
    {"ComboBox2", "Narzut do materiału:", "0", "Narzut_mat", BoxKind::Percent},
    {"ComboBox3", "Podatek:", "0", "Podatek", BoxKind::Vat},
    {"Edit10", "Szycie (koszt 1 zszywki):", "0", "Szycie", BoxKind::Edit},
    {"Edit12", "Cięcie (koszt 1 godziny):", "0", "Ciecie", BoxKind::Edit},
    {"Edit13", "Falcowanie (koszt 1 zgięcia):", "0", "Falsowanie", BoxKind::Edit},
    {"Edit11", "Transport (koszt 1 km):", "0", "Transport", BoxKind::Edit},
};

// The sheet field each box is copied into, in the order of the copies.
const std::pair<const char*, const char*> kSheetCopies[] = {
    {"Edit11", "Edit9"},  {"Edit13", "Edit8"}, {"Edit16", "Edit6"},        {"Edit19", "Edit7"},
    {"Edit32", "Edit4"},  {"Edit35", "Edit5"}, {"ComboBox4", "ComboBox2"}, {"Edit78", "Edit13"},
    {"Edit73", "Edit11"}, {"Edit47", "Edit1"}, {"Edit51", "Edit2"},        {"Edit77", "Edit10"},
    {"Edit54", "Edit12"}, {"Edit57", "Edit3"}, {"ComboBox2", "ComboBox1"}, {"ComboBox1", "ComboBox3"},
};

struct PressType {
    const char* name;
    int code;
    const char* blackPass;
    const char* colourPass;
};

const PressType kPressTypes[] = {
    {"1-kolorowa", 1, "Przelot_bialy1", "Przelot_kolor1"},
    {"2-kolorowa", 2, "Przelot_bialy2", "Przelot_kolor2"},
    {"4-kolorowa", 4, "Przelot_bialy4", "Przelot_kolor4"},
};

// The press type a box text stands for when storing: any other text is the
// four-colour press.
const PressType& pressForText(const QString& text) {
    for (const PressType& press : kPressTypes)
        if (text == QLatin1String(press.name)) return press;
    return kPressTypes[2];
}

const PressType* pressForCode(int code) {
    for (const PressType& press : kPressTypes)
        if (press.code == code) return &press;
    return nullptr;
}

QComboBox* makeCombo(QWidget* parent, bool editable, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(editable);
    if (editable) combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    return combo;
}

void setComboText(QComboBox* combo, const QString& text) {
    if (combo->isEditable())
        combo->setEditText(text);
    else
        combo->setCurrentIndex(combo->findText(text));
}

// The text a field would take, checked the way the field converts it; the
// conversion error names the text.
void checkConvertible(const tv::FieldDef& def, const QString& text) {
    if (text.isEmpty()) return;
    switch (def.type) {
    case tv::FieldType::Money:
        tv::StrToCurr(text);
        break;
    case tv::FieldType::Number:
        tv::StrToFloat(text);
        break;
    case tv::FieldType::Long:
        tv::StrToInt(text);
        break;
    default:
        break;
    }
}

} // namespace

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Ustawienia początkowe"));
    ustawienia = new tv::Table(QStringLiteral("ustawienia.db"));
    formaty = new tv::Table(QStringLiteral("formaty.db"));
    buildLayout();

    tv::ui::onClick(SpeedButton1, [this] { SpeedButton1Click(SpeedButton1); });
    tv::ui::onClick(SpeedButton2, [this] { SpeedButton2Click(SpeedButton2); });
    tv::ui::onClick(SpeedButton3, [this] { SpeedButton3Click(SpeedButton3); });
    tv::ui::onChange(ComboBox4, [this] { ComboBox4Change(ComboBox4); });

    ustawienia->open();
    ustawienia->first();
    WczytajUstawienia();
    formaty->open();
    fillPlateFormats();
}

TForm6::~TForm6() {
    delete formaty;
    delete ustawienia;
}

void TForm6::buildLayout() {
    auto* root = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    // Two columns of boxes: the press and plate rates on the left, the
    // preparation, percentages and finishing on the right.
    const int perColumn = 9;
    int index = 0;
    for (const SettingBox& box : kBoxes) {
        const QString name = QString::fromLatin1(box.control);
        const QString initial = QString::fromUtf8(box.initial);
        QWidget* control = nullptr;
        switch (box.kind) {
        case BoxKind::Edit: {
            auto* edit = new QLineEdit(initial, this);
            edit->setAlignment(Qt::AlignRight);
            control = edit;
            break;
        }
        case BoxKind::Percent:
            control = makeCombo(this, true, costing::percentItems());
            break;
        case BoxKind::Vat:
            control = makeCombo(this, true, costing::vatCodeItems());
            static_cast<QComboBox*>(control)->lineEdit()->setMaxLength(3);
            tv::ui::keepToCodePage1250(static_cast<QComboBox*>(control));
            break;
        case BoxKind::Press: {
            // Only the three press types have pass prices of their own.
            QStringList names;
            for (const PressType& press : kPressTypes)
                names << QString::fromLatin1(press.name);
            control = makeCombo(this, false, names);
            break;
        }
        case BoxKind::Plate:
            control = makeCombo(this, true, {});
            static_cast<QComboBox*>(control)->lineEdit()->setMaxLength(5);
            tv::ui::keepToCodePage1250(static_cast<QComboBox*>(control));
            break;
        }
        control->setObjectName(name);
        if (auto* combo = qobject_cast<QComboBox*>(control)) setComboText(combo, initial);
        const int column = index < perColumn ? 0 : 2;
        const int row = index < perColumn ? index : index - perColumn;
        grid->addWidget(new QLabel(QString::fromUtf8(box.label), this), row, column);
        grid->addWidget(control, row, column + 1);
        ++index;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    root->addLayout(grid);

#define TV_BOX(type, name) name = findChild<type*>(QStringLiteral(#name));
    TV_BOX(QLineEdit, Edit1)
    TV_BOX(QLineEdit, Edit2)
    TV_BOX(QLineEdit, Edit3)
    TV_BOX(QLineEdit, Edit4)
    TV_BOX(QLineEdit, Edit5)
    TV_BOX(QLineEdit, Edit6)
    TV_BOX(QLineEdit, Edit7)
    TV_BOX(QLineEdit, Edit8)
    TV_BOX(QLineEdit, Edit9)
    TV_BOX(QLineEdit, Edit10)
    TV_BOX(QLineEdit, Edit11)
    TV_BOX(QLineEdit, Edit12)
    TV_BOX(QLineEdit, Edit13)
    TV_BOX(QComboBox, ComboBox1)
    TV_BOX(QComboBox, ComboBox2)
    TV_BOX(QComboBox, ComboBox3)
    TV_BOX(QComboBox, ComboBox4)
    TV_BOX(QComboBox, ComboBox5)
#undef TV_BOX

    auto* buttons = new QHBoxLayout;
    auto button = [this, buttons](const char* name, const QString& caption) {
        tv::ui::SpeedButton* b = tv::ui::makeButton(name, caption, this);
        b->setMinimumWidth(90);
        buttons->addWidget(b);
        return b;
    };
    buttons->addStretch(1);
    SpeedButton2 = button("SpeedButton2", QStringLiteral("Zachowaj"));
    SpeedButton3 = button("SpeedButton3", QStringLiteral("Wczytaj"));
    SpeedButton1 = button("SpeedButton1", QStringLiteral("Zamknij"));
    root->addLayout(buttons);
}

QWidget* TForm6::control(const QString& name) const {
    return findChild<QWidget*>(name);
}

QString TForm6::boxText(const QString& name) const {
    QWidget* box = control(name);
    if (auto* edit = qobject_cast<QLineEdit*>(box)) return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(box)) return combo->currentText();
    return QString();
}

void TForm6::setBoxText(const QString& name, const QString& text) {
    QWidget* box = control(name);
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(box))
        setComboText(combo, text);
}

void TForm6::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) tv::ui::guard([this] { FormShow(this); });
}

void TForm6::WczytajUstawienia() {
    if (!ustawienia->isEmpty()) {
        if (ustawienia->eof()) ustawienia->first();
        for (const SettingBox& box : kBoxes) {
            if (*box.field)
                setBoxText(QString::fromLatin1(box.control),
                           ustawienia->fieldByName(QString::fromLatin1(box.field)).asString());
        }
        // A press type the record does not name leaves the type and its pass
        // prices as the dialog shows them.
        if (const PressType* press =
                pressForCode(ustawienia->fieldByName(QStringLiteral("Maszyna")).asInteger())) {
            setComboText(ComboBox4, QString::fromLatin1(press->name));
            Edit1->setText(ustawienia->fieldByName(QString::fromLatin1(press->blackPass)).asString());
            Edit2->setText(ustawienia->fieldByName(QString::fromLatin1(press->colourPass)).asString());
        }
    }
    copyIntoSheet();
}

void TForm6::ZapiszUstawienia() {
    const PressType& press = pressForText(ComboBox4->currentText());
    QVector<std::pair<QString, QString>> writes = {
        {QString::fromLatin1(press.blackPass), Edit1->text()},
        {QString::fromLatin1(press.colourPass), Edit2->text()},
        {QStringLiteral("Maszyna"), QString::number(press.code)},
    };
    for (const SettingBox& box : kBoxes)
        if (*box.field)
            writes.append({QString::fromLatin1(box.field), boxText(QString::fromLatin1(box.control))});

    // Every box is converted before the record is touched: a bad text stops
    // the store with its conversion error and leaves the record as it was.
    const tv::TableLayout& layout = ustawienia->layout();
    for (const auto& [field, text] : writes)
        checkConvertible(layout.fields[layout.fieldIndex(field)], text);

    tv::Database::instance().transaction([&] {
        if (ustawienia->isEmpty())
            ustawienia->append();
        else
            ustawienia->edit();
        try {
            for (const auto& [field, text] : writes)
                ustawienia->fieldByName(field).setAsString(text);
            ustawienia->post();
        } catch (...) {
            ustawienia->cancel();
            throw;
        }
    });
}

void TForm6::copyIntoSheet() {
    for (const auto& [target, source] : kSheetCopies) {
        QString text = boxText(QString::fromLatin1(source));
        // The sheet computes with every rate it holds; an empty one is none.
        if (text.isEmpty()) text = QStringLiteral("0");
        QWidget* field = Form1->control(QString::fromLatin1(target));
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->setText(text);
        else if (auto* combo = qobject_cast<QComboBox*>(field))
            setComboText(combo, text);
    }
    Form4->formatMatrycy = ComboBox5->currentText();
    // The copies recompute only the sections whose fields react at once, and
    // option lists set by code recompute nothing: the whole sheet follows now.
    Form1->PrzeliczPrzygotowanie();
    Form1->PrzeliczMaterial();
    Form1->PrzeliczRobocizne();
    Form1->PrzeliczRobocizneBezposrednia();
    Form1->PrzeliczPodsumowanie();
}

void TForm6::SpeedButton2Click(QObject*) {
    ZapiszUstawienia();
    copyIntoSheet();
    close();
}

void TForm6::SpeedButton3Click(QObject*) {
    WczytajUstawienia();
}

void TForm6::SpeedButton1Click(QObject*) {
    close();
}

void TForm6::ComboBox4Change(QObject*) {
    if (ustawienia->isEmpty()) return;
    if (ustawienia->eof()) ustawienia->first();
    const PressType& press = pressForText(ComboBox4->currentText());
    Edit1->setText(ustawienia->fieldByName(QString::fromLatin1(press.blackPass)).asString());
    Edit2->setText(ustawienia->fieldByName(QString::fromLatin1(press.colourPass)).asString());
}

void TForm6::fillPlateFormats() {
    const QString shown = ComboBox5->currentText();
    ComboBox5->clear();
    for (formaty->first(); !formaty->eof(); formaty->next())
        ComboBox5->addItem(formaty->fieldByName(QStringLiteral("Nazwa")).asString());
    ComboBox5->setEditText(shown);
}

void TForm6::FormShow(QObject*) {
    // Formats edited since the last showing are listed too.
    formaty->refresh();
    fillPlateFormats();
}
