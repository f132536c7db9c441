#pragma once

#include <QDialog>

#include "platform/table.h"

class QLineEdit;

namespace tv::ui {
class DBEdit;
class DBGrid;
class DBLookupComboBox;
class DBNavigator;
class DBText;
class DataSource;
class SpeedButton;
} // namespace tv::ui

// Paper kinds and the prices of their grammages.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
    ~TForm5() override;

    tv::Table* rodzpap = nullptr;
    tv::Table* gramatury = nullptr;
    tv::ui::DataSource* DataSource1 = nullptr; // rodzpap
    tv::ui::DataSource* DataSource2 = nullptr; // gramatury, no automatic editing

    tv::ui::DBLookupComboBox* DBLookupComboBox1 = nullptr; // "Rodzaj papieru:"
    tv::ui::DBText* DBText1 = nullptr;                     // the current kind's name
    QLineEdit* Edit1 = nullptr;                            // "Wpisz nazwę:"
    tv::ui::SpeedButton* SpeedButton1 = nullptr;           // Dodaj rodzaj
    tv::ui::SpeedButton* SpeedButton2 = nullptr;           // Usuń rodzaj
    tv::ui::SpeedButton* SpeedButton3 = nullptr;           // Zamknij
    tv::ui::DBGrid* DBGrid1 = nullptr;                     // "Ceny gramatur:"
    tv::ui::DBEdit* DBEdit2 = nullptr;                     // "Gramatura:"
    tv::ui::DBEdit* DBEdit3 = nullptr;                     // "Cena za arkusz:"
    tv::ui::DBEdit* DBEdit1 = nullptr;                     // "Cena za ryzę (500 arkuszy):"
    tv::ui::DBNavigator* DBNavigator1 = nullptr;

    void SpeedButton1Click(QObject* Sender = nullptr);
    void SpeedButton2Click(QObject* Sender = nullptr);
    void SpeedButton3Click(QObject* Sender = nullptr);
    void DBLookupComboBox1CloseUp(QObject* Sender = nullptr);
    void FormShow(QObject* Sender = nullptr);
    void gramaturyBeforeInsert(tv::Table& DataSet);
    void gramaturyAfterInsert(tv::Table& DataSet);
    void gramaturyAfterPost(tv::Table& DataSet);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void bindHandlers();
    // Narrows gramatury to the rows of the kind rodzpap stands on.
    void filterToCurrentKind();
    // Shows in the kind box the kind rodzpap stands on (nothing when empty).
    void showCurrentKind();
    // After a write that rolled back, the cursors re-read what the files hold.
    void rereadAfterFailure();
};

// Guards the ream-price rule against running again for its own post; one for
// the whole program.
extern bool przeliczanieCeny;

extern TForm5* Form5;
