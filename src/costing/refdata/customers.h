#pragma once

#include <array>
#include <functional>

#include <QDialog>
#include <QVector>

#include "platform/table.h"
#include "platform/ui/register_editor.h"

namespace costing {
// The sixteen labelled edits of a customer, in the order the register shows them.
const QVector<tv::ui::RegisterField>& customerEditFields();
} // namespace costing

// The customer register: browse, search, add, change and delete the customers
// that both the costing sheet and the invoice window pick from.
class QComboBox;

class TForm_fa4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm_fa4(QWidget* parent = nullptr);
    ~TForm_fa4() override;

    tv::Table* kontrahenci = nullptr;
    tv::ui::DataSource* DataSource1 = nullptr;
    tv::Query* Query1 = nullptr;

    tv::ui::RegisterEditor* Editor = nullptr;
    tv::ui::DBGrid* DBGrid1 = nullptr;
    std::array<tv::ui::DBEdit*, 16> DBEdits{}; // DBEdit1 .. DBEdit16

    // Search group.
    QLineEdit* Id = nullptr;
    QLineEdit* Firma = nullptr;
    QLineEdit* Imie = nullptr;
    QLineEdit* NIP = nullptr;
    tv::ui::PanelButton* Panel2 = nullptr; // wyczyść
    QPushButton* Button1 = nullptr;        // hidden; its click is the search

    // Command panels.
    tv::ui::PanelButton* Panel1 = nullptr;        // dodaj
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
    void Button1Click(QObject* Sender = nullptr); // search
    void Panel2Click(QObject* Sender = nullptr);  // wyczyść
    void FormActivate(QObject* Sender = nullptr);

    // What the register asks of windows of both areas, wired where the forms
    // are created: the re-sort of the customers ("potwierdź"; a routine of the
    // invoice window) and the customer pickers refilled by "zamknij", in order.
    std::function<void()> resortCustomers;
    QVector<QComboBox*> customerPickers;

protected:
    void changeEvent(QEvent* event) override;
    // The close box and Escape leave the register as "zamknij" does.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void bindHandlers();
};

extern TForm_fa4* Form_fa4;
