#pragma once

#include <QDialog>
#include <QString>

#include "platform/table.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tv::ui {
class DBEdit;
class DBGrid;
class DBLookupComboBox;
class DataSource;
class SpeedButton;
} // namespace tv::ui

// The paper and colour lines of the job being costed, and their computation
// into the sheet's paper cost, page, plate, pass and fold counts.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    QLabel* Label9 = nullptr;                              // the job's format name, written by the sheet
    QLineEdit* Edit2 = nullptr;                            // "Ilość stron:"
    QLineEdit* Edit1 = nullptr;                            // "Razem:", total cost of all lines
    tv::ui::DBLookupComboBox* DBLookupComboBox2 = nullptr; // "Rodzaj papieru:"
    QComboBox* ComboBox1 = nullptr;                        // "Ilość kolorów:"
    QComboBox* ComboBox2 = nullptr;                        // "Gramatura:"
    QRadioButton* RadioButton1 = nullptr;                  // "Cena za ryzę"
    QRadioButton* RadioButton2 = nullptr;                  // "Cena za arkusz"
    tv::ui::DBEdit* DBEdit2 = nullptr;
    tv::ui::DBGrid* DBGrid1 = nullptr;
    tv::ui::SpeedButton* SpeedButton1 = nullptr; // Zamknij
    tv::ui::SpeedButton* SpeedButton2 = nullptr; // Ustaw rodzaje papieru i ceny gramatur
    tv::ui::SpeedButton* SpeedButton3 = nullptr; // Dodaj
    tv::ui::SpeedButton* SpeedButton4 = nullptr; // Usuń
    tv::ui::SpeedButton* SpeedButton5 = nullptr; // Wyczyść

    tv::Table* papkol = nullptr;
    tv::Table* rodzpap = nullptr;
    tv::Table* gramatury = nullptr;
    tv::Table* formaty = nullptr;
    tv::ui::DataSource* DataSource1 = nullptr; // papkol
    tv::ui::DataSource* DataSource2 = nullptr; // rodzpap
    tv::ui::DataSource* DataSource3 = nullptr; // gramatury

    QString formatMatrycy;  // plate (press sheet) format name, set by the settings
    QString poprzedniTekst; // last accepted text of Edit2
    int numerFormatu = 0;   // formaty.Nr of the format chosen on the sheet

    void PrzeliczPapier();
    void SpeedButton3Click(QObject* Sender = nullptr);
    void SpeedButton4Click(QObject* Sender = nullptr);
    void SpeedButton5Click(QObject* Sender = nullptr);
    void SpeedButton2Click(QObject* Sender = nullptr);
    void SpeedButton1Click(QObject* Sender = nullptr);
    void DBLookupComboBox2CloseUp(QObject* Sender = nullptr);
    void WczytajGramatury();
    void ComboBox2Change(QObject* Sender = nullptr);
    void RadioButton1Click(QObject* Sender = nullptr);
    void RadioButton2Click(QObject* Sender = nullptr);
    void Edit2Enter(QObject* Sender = nullptr);
    void Edit2Change(QObject* Sender = nullptr);
    void Edit2Exit(QObject* Sender = nullptr);

private:
    void buildLayout();
    void bindHandlers();
    // Moves gramatury to the row of the grammage the box shows; false when
    // the box is empty or no row of the chosen kind has that grammage.
    bool findChosenGrammage();
};

// True when the text converts to a 32-bit integer.
bool CzyCalkowita(const QString& text);

// St0 of the format of that name: the first formaty row whose Nazwa equals it.
// A name that no row holds, or a ratio of 0 or less, raises tv::Error with a
// message naming the format in its role ("Format papieru", "Format matrycy"),
// so that no sheet or page count is ever computed from another format's ratio
// or divided by zero.
double lookupFormatRatio(tv::Table& formaty, const QString& name, const QString& role);

extern TForm4* Form4;
