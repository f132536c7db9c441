#pragma once

#include <QDialog>

#include "platform/table.h"

class QComboBox;
class QLineEdit;

namespace tv::ui {
class SpeedButton;
}

// The shop's rates and costing defaults, kept in the one settings record, and
// put into the costing sheet.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    ~TForm6() override;

    tv::Table* ustawienia = nullptr;
    tv::Table* formaty = nullptr; // list of the plate formats

    QLineEdit* Edit1 = nullptr;     // "Cena przelotu biały:"
    QLineEdit* Edit2 = nullptr;     // "Cena przelotu kolor:"
    QLineEdit* Edit3 = nullptr;     // "Stawka godzinowa:"
    QLineEdit* Edit4 = nullptr;     // "Cena płyty czarno-białej:"
    QLineEdit* Edit5 = nullptr;     // "Cena płyty kolorowej:"
    QLineEdit* Edit6 = nullptr;     // "Skanowanie (cena za 1 Mb):"
    QLineEdit* Edit7 = nullptr;     // "Fotonaświetlarka (cena za 1 m):"
    QLineEdit* Edit8 = nullptr;     // "Skład komputerowy (1 strona kolorowa):", stored in Sklad_czb
    QLineEdit* Edit9 = nullptr;     // "Skład komputerowy (1 strona czarno-biała):", stored in Sklad_kolor
    QLineEdit* Edit10 = nullptr;    // "Szycie (koszt 1 zszywki):"
    QLineEdit* Edit11 = nullptr;    // "Transport (koszt 1 km):"
    QLineEdit* Edit12 = nullptr;    // "Cięcie (koszt 1 godziny):"
    QLineEdit* Edit13 = nullptr;    // "Falcowanie (koszt 1 zgięcia):"
    QComboBox* ComboBox1 = nullptr; // "Zysk do robocizny bezp.:"
    QComboBox* ComboBox2 = nullptr; // "Narzut do materiału:"
    QComboBox* ComboBox3 = nullptr; // "Podatek:"
    QComboBox* ComboBox4 = nullptr; // "Rodzaj maszyny:"
    QComboBox* ComboBox5 = nullptr; // "Wielkość matrycy:"
    tv::ui::SpeedButton* SpeedButton1 = nullptr; // Zamknij
    tv::ui::SpeedButton* SpeedButton2 = nullptr; // Zachowaj
    tv::ui::SpeedButton* SpeedButton3 = nullptr; // Wczytaj

    void WczytajUstawienia();
    void ZapiszUstawienia();
    void SpeedButton1Click(QObject* Sender = nullptr);
    void SpeedButton2Click(QObject* Sender = nullptr);
    void SpeedButton3Click(QObject* Sender = nullptr);
    void ComboBox4Change(QObject* Sender = nullptr);
    void FormShow(QObject* Sender = nullptr);

    // The box of that name ("Edit8", "ComboBox5").
    QWidget* control(const QString& name) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    // The rates into the sheet, the plate format into the paper dialog, then
    // the sheet recomputed once so that its totals match the rates it shows.
    void copyIntoSheet();
    void fillPlateFormats();
    QString boxText(const QString& name) const;
    void setBoxText(const QString& name, const QString& text);
};

extern TForm6* Form6;
