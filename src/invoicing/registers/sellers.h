#pragma once

#include <array>

#include <QDialog>

#include "platform/table.h"

namespace tv::ui {
class DBEdit;
class DBGrid;
class DataSource;
class PanelButton;
class RegisterEditor;
class SpeedButton;
} // namespace tv::ui

// The register of sellers, the issuers of invoices: an instance of the
// register editor the customer register uses. A record changes only after
// "Modyfikuj pozycję" or "dodaj"; closing refills the invoice window's
// seller picker.
class TForm_fa3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm_fa3(QWidget* parent = nullptr);
    ~TForm_fa3() override;

    tv::Table* sprzedawcy = nullptr;
    tv::ui::DataSource* DataSource1 = nullptr;
    tv::Query* Query1 = nullptr;

    tv::ui::RegisterEditor* Editor = nullptr;
    tv::ui::DBGrid* DBGrid1 = nullptr;
    std::array<tv::ui::DBEdit*, 14> DBEdits{}; // DBEdit1 .. DBEdit14

    // Command panels.
    tv::ui::PanelButton* SpeedButton7 = nullptr;  // dodaj
    tv::ui::PanelButton* SpeedButton8 = nullptr;  // usuń
    tv::ui::PanelButton* SpeedButton9 = nullptr;  // potwierdź
    tv::ui::PanelButton* SpeedButton10 = nullptr; // anuluj
    tv::ui::PanelButton* SpeedButton1 = nullptr;  // zamknij

    // Navigation buttons.
    tv::ui::SpeedButton* SpeedButton3 = nullptr;  // Pierwsza pozycja
    tv::ui::SpeedButton* SpeedButton5 = nullptr;  // Poprzednia pozycja
    tv::ui::SpeedButton* SpeedButton6 = nullptr;  // Następna pozycja
    tv::ui::SpeedButton* SpeedButton4 = nullptr;  // Ostatnia pozycja
    tv::ui::SpeedButton* SpeedButton20 = nullptr; // Dodaj pozycję
    tv::ui::SpeedButton* SpeedButton19 = nullptr; // Usuń pozycję
    tv::ui::SpeedButton* SpeedButton21 = nullptr; // Modyfikuj pozycję
    tv::ui::SpeedButton* SpeedButton14 = nullptr; // Potwierdź zmianę
    tv::ui::SpeedButton* SpeedButton15 = nullptr; // Anuluj zmianę
    tv::ui::SpeedButton* SpeedButton2 = nullptr;  // Odśwież dane

    void SpeedButton7Click(QObject* Sender = nullptr);  // dodaj
    void SpeedButton8Click(QObject* Sender = nullptr);  // usuń
    void SpeedButton9Click(QObject* Sender = nullptr);  // potwierdź
    void SpeedButton10Click(QObject* Sender = nullptr); // anuluj
    void SpeedButton1Click(QObject* Sender = nullptr);  // zamknij
    void SpeedButton20Click(QObject* Sender = nullptr);
    void SpeedButton19Click(QObject* Sender = nullptr);
    void SpeedButton14Click(QObject* Sender = nullptr);
    void SpeedButton15Click(QObject* Sender = nullptr);
    void SpeedButton3Click(QObject* Sender = nullptr);
    void SpeedButton5Click(QObject* Sender = nullptr);
    void SpeedButton6Click(QObject* Sender = nullptr);
    void SpeedButton4Click(QObject* Sender = nullptr);
    void SpeedButton21Click(QObject* Sender = nullptr);
    void SpeedButton2Click(QObject* Sender = nullptr);

protected:
    // The close box and Escape leave the register as "zamknij" does.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void bindHandlers();
};

extern TForm_fa3* Form_fa3;
