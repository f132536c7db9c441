#include "invoicing/registers/administration.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "platform/ui/controls.h"

TForm_fa10* Form_fa10 = nullptr;

TForm_fa10::TForm_fa10(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_fa10"));
    setWindowTitle(QStringLiteral("Administracja"));
    Edit1 = new QLineEdit(QStringLiteral("#N/#MM/#YYYY"), this);
    Edit2 = new QLineEdit(QStringLiteral("1"), this);
    RadioButton1 = new QRadioButton(QStringLiteral("normalnym"), this);
    RadioButton2 = new QRadioButton(QStringLiteral("firmowym"), this);
    RadioButton1->setChecked(true);
    CheckBox1 = new QCheckBox(QStringLiteral("wersja magazynowa"), this);
    CheckBox2 = new QCheckBox(QStringLiteral("archiwizuj automatycznie"), this);
    Edit3 = new QLineEdit(QStringLiteral("Dziękujemy"), this);
    Edit4 = new QLineEdit(this);
    CheckBox_Ulica = new QCheckBox(QStringLiteral("miejsce wystawienia"), this);
    logo = new QCheckBox(QStringLiteral("logo na wydruku"), this);
    FirstScreen = new QCheckBox(QStringLiteral("pomiń ekran powitalny"), this);
    Image1 = new QLabel(this);
    Label12 = new QLabel(QStringLiteral("CurrentDir"), this);
    Label12->setVisible(false);
    SpeedButton3 = new tv::ui::PanelButton(QStringLiteral("wczytaj logo"), this);
    SpeedButton1 = new tv::ui::PanelButton(QStringLiteral("OK"), this);
    SpeedButton2 = new tv::ui::PanelButton(QStringLiteral("anuluj"), this);
}

TForm_fa10::~TForm_fa10() = default;

void TForm_fa10::FormCreate(QObject*) {}
void TForm_fa10::ZapiszUstawienia() {}
void TForm_fa10::WczytajUstawienia() {}
void TForm_fa10::SpeedButton1Click(QObject*) {}
void TForm_fa10::SpeedButton2Click(QObject*) {}
void TForm_fa10::SpeedButton3Click(QObject*) {}
void TForm_fa10::FormShow(QObject*) {}
void TForm_fa10::FormClose(QObject*) {}
void TForm_fa10::CheckBox1MouseUp(QObject*) {}
void TForm_fa10::CheckBox_UlicaMouseUp(QObject*) {}
void TForm_fa10::OpenPictureDialog1Close(QObject*) {}
