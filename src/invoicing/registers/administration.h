#pragma once

#include <QDialog>

#include "platform/textfile.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tv::ui {
class PanelButton;
}

// The invoicing module's settings, held as the state of this form's controls:
// the other forms read them from here whenever they need a setting. Created
// once at start, right after the invoice window; "ustaw.txt" and
// "FAKTURY.INI" keep them between runs.
class TForm_fa10 : public QDialog {
    Q_OBJECT
public:
    explicit TForm_fa10(QWidget* parent = nullptr);
    ~TForm_fa10() override;

    QLineEdit* Edit1 = nullptr;                  // "Format numeracji:", design "#N/#MM/#YYYY"
    QLineEdit* Edit2 = nullptr;                  // "Aktualny numer faktury:", design "1"
    QRadioButton* RadioButton1 = nullptr;        // "Wydruk na papierze:" "normalnym" (design: checked)
    QRadioButton* RadioButton2 = nullptr;        // "firmowym"
    QCheckBox* CheckBox1 = nullptr;              // "wersja magazynowa"
    QCheckBox* CheckBox2 = nullptr;              // "archiwizuj automatycznie"
    QLineEdit* Edit3 = nullptr;                  // "Dodatkowy tekst:"
    QLineEdit* Edit4 = nullptr;                  // "Uwagi:"
    QCheckBox* CheckBox_Ulica = nullptr;         // "miejsce wystawienia" "(nazwa ulicy, wsi)"
    QCheckBox* logo = nullptr;                   // "logo na wydruku"
    QCheckBox* FirstScreen = nullptr;            // "pomiń ekran powitalny"
    QLabel* Image1 = nullptr;                    // "Logo twojej firmy"
    QLabel* Label12 = nullptr;                   // hidden, design caption "CurrentDir"
    tv::ui::PanelButton* SpeedButton3 = nullptr; // "wczytaj logo"
    tv::ui::PanelButton* SpeedButton1 = nullptr; // "OK"
    tv::ui::PanelButton* SpeedButton2 = nullptr; // "anuluj"
    // The hidden memo: the line buffer of "ustaw.txt" and of the invoice
    // window's "ustmain.txt".
    tv::LineBuffer Memo1;

    void FormCreate(QObject* Sender = nullptr);
    void ZapiszUstawienia();
    void WczytajUstawienia();
    void SpeedButton1Click(QObject* Sender = nullptr); // OK
    void SpeedButton2Click(QObject* Sender = nullptr); // anuluj
    void SpeedButton3Click(QObject* Sender = nullptr); // wczytaj logo
    void FormShow(QObject* Sender = nullptr);
    void FormClose(QObject* Sender = nullptr);
    void CheckBox1MouseUp(QObject* Sender = nullptr);
    void CheckBox_UlicaMouseUp(QObject* Sender = nullptr);
    void OpenPictureDialog1Close(QObject* Sender = nullptr);
};

extern TForm_fa10* Form_fa10;
