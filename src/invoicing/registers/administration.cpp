#include "invoicing/registers/administration.h"

#include <QBuffer>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/goods.h"
#include "invoicing/rules/settings_files.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware_grid.h"
#include "platform/ui/messages.h"
#include "platform/ui/register_editor.h"

TForm_fa10* Form_fa10 = nullptr;

const QString TForm_fa10::kPictureFilter =
    QStringLiteral("All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|Icons "
                   "(*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");

namespace {

const QString kLogoFileName = QStringLiteral("logo.bmp");

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The command panels look like the registers' ones: navy, lighter navy while
// pressed, white bold caption.
tv::ui::PanelButton* commandPanel(const char* name, const QString& caption, QWidget* parent) {
    auto* panel = named(new tv::ui::PanelButton(caption, parent), name);
    panel->setColours(tv::ui::RegisterEditor::kPanelColour, tv::ui::RegisterEditor::kPanelPressedColour);
    panel->setMinimumSize(96, 26);
    QFont font = panel->font();
    font.setBold(true);
    panel->setFont(font);
    return panel;
}

// Shows one of a register's grids: through its editor when the grids lie one
// over the other there, else by their own visibility.
void showOnlyGrid(tv::ui::DBGrid* shown, tv::ui::DBGrid* hidden) {
    if (!shown) return;
    if (auto* editor = qobject_cast<tv::ui::RegisterEditor*>(shown->parentWidget())) {
        editor->showGrid(shown);
        return;
    }
    shown->setVisible(true);
    if (hidden) hidden->setVisible(false);
}

} // namespace

TForm_fa10::TForm_fa10(QWidget* parent) : QDialog(parent) {
    // The invoice window's numbering reads this form's pattern while the form
    // is still being built (the first new invoice below), so the form is
    // reachable from the start of its construction.
    Form_fa10 = this;
    setObjectName(QStringLiteral("Form_fa10"));
    setWindowTitle(QStringLiteral("Administracja"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    buildControls();
    Memo1.clear();
    for (const QString& line : invoicing::administrationFirstStartLines())
        Memo1.add(line);
    // Start-up always completes: whatever fails here is shown and the program
    // goes on with the settings it has.
    tv::ui::guard([this] { FormCreate(this); });
    tv::ui::guard([this] { readSettingsAtStart(); });
    bindHandlers();
    if (Form_fa1) tv::ui::guard([] { Form_fa1->NowaFaktura(); });
}

TForm_fa10::~TForm_fa10() = default;

void TForm_fa10::buildControls() {
    auto* layout = new QVBoxLayout(this);

    GroupBox1 = named(new QGroupBox(QStringLiteral("Numeracja faktur"), this), "GroupBox1");
    auto* numbering = new QGridLayout(GroupBox1);
    Edit1 = named(new QLineEdit(QStringLiteral("#N/#MM/#YYYY"), GroupBox1), "Edit1");
    Edit2 = named(new QLineEdit(QStringLiteral("1"), GroupBox1), "Edit2");
    numbering->addWidget(new QLabel(QStringLiteral("Format numeracji:"), GroupBox1), 0, 0);
    numbering->addWidget(Edit1, 0, 1);
    numbering->addWidget(new QLabel(QStringLiteral("Aktualny numer faktury:"), GroupBox1), 1, 0);
    numbering->addWidget(Edit2, 1, 1);
    auto* legendTitle = new QLabel(QStringLiteral("Znaki specjalne:"), GroupBox1);
    QFont bold = legendTitle->font();
    bold.setBold(true);
    legendTitle->setFont(bold);
    numbering->addWidget(legendTitle, 2, 0, 1, 2);
    numbering->addWidget(new QLabel(QStringLiteral("#N - kolejny numer"), GroupBox1), 3, 0);
    numbering->addWidget(new QLabel(QStringLiteral("#D - dzień miesiąca"), GroupBox1), 3, 1);
    numbering->addWidget(new QLabel(QStringLiteral("#M - miesiąc"), GroupBox1), 4, 0);
    numbering->addWidget(new QLabel(QStringLiteral("#Y - rok"), GroupBox1), 4, 1);
    // Broken by hand: a word-wrapped label gets too little height in a form
    // that sizes itself to its layout, and its second line was cut off.
    auto* repeats = new QLabel(
        QStringLiteral("Ilość powtorzeń znaku specjalnego po znaku '#'\noznacza ilość cyfr"), GroupBox1);
    numbering->addWidget(repeats, 5, 0, 1, 2);
    layout->addWidget(GroupBox1);

    GroupBox2 = named(new QGroupBox(QStringLiteral("Wydruk na papierze:"), this), "GroupBox2");
    auto* paper = new QHBoxLayout(GroupBox2);
    RadioButton1 = named(new QRadioButton(QStringLiteral("normalnym"), GroupBox2), "RadioButton1");
    RadioButton2 = named(new QRadioButton(QStringLiteral("firmowym"), GroupBox2), "RadioButton2");
    RadioButton1->setChecked(true);
    paper->addWidget(RadioButton1);
    paper->addWidget(RadioButton2);
    paper->addStretch(1);
    layout->addWidget(GroupBox2);

    CheckBox1 = named(new QCheckBox(QStringLiteral("wersja magazynowa"), this), "CheckBox1");
    CheckBox2 = named(new QCheckBox(QStringLiteral("archiwizuj automatycznie"), this), "CheckBox2");
    layout->addWidget(CheckBox1);
    layout->addWidget(CheckBox2);

    GroupBox3 = named(new QGroupBox(QStringLiteral("Dodatkowy tekst, uwagi"), this), "GroupBox3");
    auto* texts = new QGridLayout(GroupBox3);
    Edit3 = named(new QLineEdit(QStringLiteral("Dziękujemy"), GroupBox3), "Edit3");
    Edit4 = named(new QLineEdit(GroupBox3), "Edit4");
    texts->addWidget(new QLabel(QStringLiteral("Dodatkowy tekst:"), GroupBox3), 0, 0);
    texts->addWidget(Edit3, 0, 1);
    texts->addWidget(new QLabel(QStringLiteral("Uwagi:"), GroupBox3), 1, 0);
    texts->addWidget(Edit4, 1, 1);
    layout->addWidget(GroupBox3);

    // The four texts are saved in "ustaw.txt" and "FAKTURY.INI", code page 1250.
    for (QLineEdit* saved : {Edit1, Edit2, Edit3, Edit4})
        tv::ui::keepToCodePage1250(saved);

    auto* place = new QHBoxLayout;
    CheckBox_Ulica = named(new QCheckBox(QStringLiteral("miejsce wystawienia"), this), "CheckBox_Ulica");
    place->addWidget(CheckBox_Ulica);
    place->addWidget(new QLabel(QStringLiteral("(nazwa ulicy, wsi)"), this));
    place->addStretch(1);
    layout->addLayout(place);
    logo = named(new QCheckBox(QStringLiteral("logo na wydruku"), this), "logo");
    layout->addWidget(logo);

    GroupBox4 = named(new QGroupBox(QStringLiteral("Logo twojej firmy"), this), "GroupBox4");
    auto* picture = new QHBoxLayout(GroupBox4);
    Image1 = named(new QLabel(GroupBox4), "Image1");
    Image1->setToolTip(QStringLiteral("plik graficzny BMP"));
    Image1->setFixedSize(200, 100);
    Image1->setScaledContents(true);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->addWidget(Image1);
    SpeedButton3 = commandPanel("SpeedButton3", QStringLiteral("wczytaj logo"), GroupBox4);
    picture->addWidget(SpeedButton3, 0, Qt::AlignBottom);
    picture->addStretch(1);
    layout->addWidget(GroupBox4);

    FirstScreen = named(new QCheckBox(QStringLiteral("pomiń ekran powitalny"), this), "FirstScreen");
    layout->addWidget(FirstScreen);

    Label12 = named(new QLabel(QStringLiteral("CurrentDir"), this), "Label12");
    Label12->setVisible(false);

    auto* commands = new QHBoxLayout;
    commands->addStretch(1);
    SpeedButton1 = commandPanel("SpeedButton1", QStringLiteral("OK"), this);
    SpeedButton2 = commandPanel("SpeedButton2", QStringLiteral("anuluj"), this);
    commands->addWidget(SpeedButton1);
    commands->addWidget(SpeedButton2);
    layout->addLayout(commands);
}

void TForm_fa10::bindHandlers() {
    tv::ui::onClick(SpeedButton1, [this] { SpeedButton1Click(SpeedButton1); });
    tv::ui::onClick(SpeedButton2, [this] { SpeedButton2Click(SpeedButton2); });
    tv::ui::onClick(SpeedButton3, [this] { SpeedButton3Click(SpeedButton3); });
    // Every change of the two options counts, by mouse, keyboard or code (the
    // settings read back by "anuluj"), so that the windows follow the box.
    tv::ui::onClick(CheckBox1, [this] { CheckBox1MouseUp(CheckBox1); });
    tv::ui::onClick(CheckBox_Ulica, [this] { CheckBox_UlicaMouseUp(CheckBox_Ulica); });
}

void TForm_fa10::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    tv::ui::centreOnScreen(this);
    tv::ui::guard([this] { FormShow(this); });
}

void TForm_fa10::closeEvent(QCloseEvent* event) {
    tv::ui::guard([this] { FormClose(this); });
    event->accept();
}

void TForm_fa10::reject() {
    close();
}

// The form is closed as the original closed it, hidden or not: the close
// handler writes the INI and hands the texts to the invoice window each time.
void TForm_fa10::closeForm() {
    if (isVisible())
        close();
    else
        FormClose(this);
}

// ---- settings files ----------------------------------------------------------------

void TForm_fa10::FormCreate(QObject*) {
    const tv::IniFile ini(invoicing::sideFilePath(invoicing::kIniFileName));
    invoicing::IniOptions defaults;
    defaults.format = Edit1->text();
    defaults.tekst = Edit3->text();
    defaults.uwagi = Edit4->text();
    defaults.wydruk = RadioButton1->isChecked();
    defaults.magazyn = CheckBox1->isChecked();
    defaults.archiwum = CheckBox2->isChecked();
    const invoicing::IniOptions o = invoicing::readIniOptions(ini, defaults);
    Edit1->setText(o.format);
    Edit3->setText(o.tekst);
    Edit4->setText(o.uwagi);
    // A radio button of a group cannot be unchecked by itself: "not
    // normalnym" is its partner checked.
    (o.wydruk ? RadioButton1 : RadioButton2)->setChecked(true);
    CheckBox1->setChecked(o.magazyn);
    CheckBox2->setChecked(o.archiwum);
}

void TForm_fa10::readSettingsAtStart() {
    const QString path = invoicing::sideFilePath(invoicing::kSettingsFileName);
    if (!QFileInfo::exists(path)) {
        // A first start: the design lines become the file; when it cannot be
        // written the first new invoice says so as it saves the settings.
        try {
            Memo1.saveToFile(path);
        } catch (const tv::EFileError&) {
        }
    } else if (!Memo1.tryLoadFromFile(path)) {
        // The controls keep what the INI gave them.
        tv::ui::showMessage(QStringLiteral("Nie znaleziono pliku 'ustaw.txt'"));
        return;
    }
    applySettingsLines();
}

void TForm_fa10::applySettingsLines() {
    const invoicing::AdministrationSettings s = invoicing::readAdministrationLines(Memo1.lines());
    Edit1->setText(s.pattern);
    // A counter that does not read as a number would stop every numbering;
    // the invoice window renumbers from the register when it is shown anyway.
    Edit2->setText(invoicing::counterFromText(s.counter) ? s.counter : QStringLiteral("1"));
    Edit3->setText(s.extraText);
    (s.plainPaper ? RadioButton1 : RadioButton2)->setChecked(true);
    CheckBox1->setChecked(s.stock);
    CheckBox2->setChecked(s.autoArchive);
    Edit4->setText(s.remarks);
    CheckBox_Ulica->setChecked(s.streetAsPlace);
    logo->setChecked(s.logoOnPrintout);
    FirstScreen->setChecked(s.skipWelcome);
}

void TForm_fa10::ZapiszUstawienia() {
    invoicing::AdministrationSettings s;
    s.pattern = Edit1->text();
    s.counter = Edit2->text();
    s.extraText = Edit3->text();
    s.plainPaper = RadioButton1->isChecked();
    s.stock = CheckBox1->isChecked();
    s.autoArchive = CheckBox2->isChecked();
    s.remarks = Edit4->text();
    s.streetAsPlace = CheckBox_Ulica->isChecked();
    s.logoOnPrintout = logo->isChecked();
    s.skipWelcome = FirstScreen->isChecked();
    Memo1.clear();
    for (const QString& line : invoicing::administrationLines(s))
        Memo1.add(line);
    try {
        Memo1.saveToFile(invoicing::sideFilePath(invoicing::kSettingsFileName));
    } catch (const tv::EFileError&) {
        tv::ui::showMessage(QStringLiteral("Nie można zaktualizowac pliku 'ustaw.txt'"));
    }
}

void TForm_fa10::WczytajUstawienia() {
    if (!Memo1.tryLoadFromFile(invoicing::sideFilePath(invoicing::kSettingsFileName))) {
        tv::ui::showMessage(QStringLiteral("Nie znaleziono pliku 'ustaw.txt'"));
        return;
    }
    applySettingsLines();
}

// ---- OK and anuluj -------------------------------------------------------------------

// A counter or pattern that cannot number an invoice is refused before
// anything is stored: stored, it would stop the numbering at the next start.
bool TForm_fa10::settingsAreUsable() {
    const QString problem = invoicing::administrationProblem(
        Edit2->text(), Edit1->text(),
        [](int number, const QDate& date) {
            return Form_fa1 ? Form_fa1->FormatujNumer(number, date) : QString();
        },
        tv::today());
    if (problem.isEmpty()) return true;
    tv::ui::showMessage(problem, QStringLiteral("Uwaga"), tv::ui::Icon::Warning);
    Edit2->setFocus();
    return false;
}

void TForm_fa10::takeOverCounter() {
    if (!Form_fa1) return;
    Form_fa1->LicznikFaktur = invoicing::counterFromText(Edit2->text()).value_or(1);
    // A stored invoice keeps the number it is stored under.
    if (Form_fa1->storedNumber.isEmpty())
        Form_fa1->Edit5->setText(
            Form_fa1->FormatujNumer(Form_fa1->LicznikFaktur, Form_fa1->DateTimePicker1->date()));
}

void TForm_fa10::SpeedButton1Click(QObject*) {
    if (!settingsAreUsable()) return;
    ZapiszUstawienia();
    takeOverCounter();
    if (Form_fa1) Form_fa1->Edit12->setText(Edit4->text());
    closeForm();
}

void TForm_fa10::SpeedButton2Click(QObject*) {
    WczytajUstawienia();
    if (!settingsAreUsable()) return;
    takeOverCounter();
    closeForm();
}

void TForm_fa10::FormClose(QObject*) {
    tv::IniFile ini(invoicing::sideFilePath(invoicing::kIniFileName));
    invoicing::IniOptions o;
    o.format = Edit1->text();
    o.tekst = Edit3->text();
    o.uwagi = Edit4->text();
    o.wydruk = RadioButton1->isChecked();
    o.magazyn = CheckBox1->isChecked();
    o.archiwum = CheckBox2->isChecked();
    invoicing::writeIniOptions(ini, o);
    try {
        ini.save();
    } catch (const tv::EFileError&) {
        tv::ui::showMessage(QStringLiteral("Nie można zaktualizowac pliku 'FAKTURY.INI'"));
    }
    if (Form_fa1) {
        Form_fa1->Edit7->setText(Edit3->text());
        Form_fa1->Edit12->setText(Edit4->text());
    }
}

// ---- options -----------------------------------------------------------------------------

void TForm_fa10::CheckBox1MouseUp(QObject*) {
    const bool stock = CheckBox1->isChecked();
    if (Form_fa1) Form_fa1->ComboBox5->setVisible(stock);
    if (Form_fa5) {
        if (stock)
            showOnlyGrid(Form_fa5->DBGrid1, Form_fa5->DBGrid2);
        else
            showOnlyGrid(Form_fa5->DBGrid2, Form_fa5->DBGrid1);
    }
}

void TForm_fa10::CheckBox_UlicaMouseUp(QObject*) {
    if (Form_fa1) Form_fa1->UstawMiejsceWystawienia();
}

// ---- logo ----------------------------------------------------------------------------------

void TForm_fa10::FormShow(QObject*) {
    const QString path = invoicing::sideFilePath(kLogoFileName);
    Image1->clear();
    // No logo yet is the usual state of a new shop, not an error.
    if (!QFileInfo::exists(path)) return;
    const QImage picture(path);
    if (picture.isNull())
        throw tv::EFileError(QStringLiteral("Nie można odczytać obrazu z pliku '%1'.").arg(kLogoFileName));
    Image1->setPixmap(QPixmap::fromImage(picture));
}

void TForm_fa10::SpeedButton3Click(QObject*) {
    tv::ui::FileDialogRequest request;
    request.title = QStringLiteral("Otwórz");
    request.filter = kPictureFilter;
    const QString chosen = tv::ui::runFileDialog(request);
    OpenPictureDialog1Close(this);
    if (chosen.isEmpty()) return;

    QImageReader reader(chosen);
    reader.setDecideFormatFromContent(true);
    const QImage loaded = reader.read();
    if (loaded.isNull())
        throw tv::EFileError(QStringLiteral("Nie można wczytać obrazu z pliku '%1': program odczytuje logo "
                                            "z plików BMP i ICO. Logo pozostaje bez zmian.")
                                 .arg(QFileInfo(chosen).fileName()));
    // Whatever the chosen file was, "logo.bmp" becomes a real bitmap; the
    // transparent parts of an icon come out white, as on paper.
    QImage bitmap(loaded.size(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    {
        QPainter painter(&bitmap);
        painter.drawImage(0, 0, loaded);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!bitmap.save(&buffer, "BMP"))
        throw tv::EFileError(QStringLiteral("Nie można zapisać pliku '%1'.").arg(kLogoFileName));
    tv::saveFileAtomically(invoicing::sideFilePath(kLogoFileName), bytes);
    Image1->setPixmap(QPixmap::fromImage(bitmap));
}

void TForm_fa10::OpenPictureDialog1Close(QObject*) {
    tv::ui::showMessage(
        QStringLiteral("Proszę zamknąć i ponownie uruchomić program w celu aktualizacji ustawień"));
}
