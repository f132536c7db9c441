#pragma once

#include <QDialog>

#include "platform/table.h"

namespace tv::ui {
class DBEdit;
class DBGrid;
class DBNavigator;
class DataSource;
class SpeedButton;
} // namespace tv::ui

// The paper-format editor: each format's name and its ratio to one sheet of
// its series' base format.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    tv::Table* formaty = nullptr;
    tv::ui::DataSource* DataSource1 = nullptr; // formaty, no automatic editing
    tv::ui::DBGrid* DBGrid1 = nullptr;
    tv::ui::DBEdit* DBEdit2 = nullptr; // "Nazwa:"
    tv::ui::DBEdit* DBEdit3 = nullptr; // "Stosunek do 1 formatu X0:"
    tv::ui::DBNavigator* DBNavigator1 = nullptr;
    tv::ui::SpeedButton* SpeedButton1 = nullptr; // Zamknij

    void FormShow(QObject* Sender = nullptr);
    void SpeedButton1Click(QObject* Sender = nullptr);
    void formatyBeforePost(tv::Table& DataSet);

    // Every way of closing the dialog ("Zamknij", the close box, Escape) ends
    // here: a pending row is posted first, and a post that fails keeps the
    // dialog open with its error.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void postPending();
    // The sheet's format box lists the formats as they now stand.
    void refreshSheetFormats();
};

extern TForm3* Form3;
