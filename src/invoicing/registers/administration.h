#pragma once

#include <QDialog>

#include "platform/textfile.h"

class QCheckBox;
class QGroupBox;
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

    QGroupBox* GroupBox1 = nullptr;              // "Numeracja faktur"
    QLineEdit* Edit1 = nullptr;                  // "Format numeracji:", design "#N/#MM/#YYYY"
    QLineEdit* Edit2 = nullptr;                  // "Aktualny numer faktury:", design "1"
    QGroupBox* GroupBox2 = nullptr;              // "Wydruk na papierze:"
    QRadioButton* RadioButton1 = nullptr;        // "Wydruk na papierze:" "normalnym" (design: checked)
    QRadioButton* RadioButton2 = nullptr;        // "firmowym"
    QCheckBox* CheckBox1 = nullptr;              // "wersja magazynowa"
    QCheckBox* CheckBox2 = nullptr;              // "archiwizuj automatycznie"
    QGroupBox* GroupBox3 = nullptr;              // "Dodatkowy tekst, uwagi"
    QLineEdit* Edit3 = nullptr;                  // "Dodatkowy tekst:"
    QLineEdit* Edit4 = nullptr;                  // "Uwagi:"
    QCheckBox* CheckBox_Ulica = nullptr;         // "miejsce wystawienia" "(nazwa ulicy, wsi)"
    QCheckBox* logo = nullptr;                   // "logo na wydruku"
    QCheckBox* FirstScreen = nullptr;            // "pomiń ekran powitalny"
    QGroupBox* GroupBox4 = nullptr;              // "Logo twojej firmy"
    QLabel* Image1 = nullptr;                    // the logo, stretched, hint "plik graficzny BMP"
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

    // The filter of the picture dialog "wczytaj logo" opens.
    static const QString kPictureFilter;

    // Escape closes the form as its close box does.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void bindHandlers();
    void readSettingsAtStart();
    void applySettingsLines();
    bool settingsAreUsable();
    void takeOverCounter();
    void closeForm();
};

extern TForm_fa10* Form_fa10;
