#pragma once

#include <optional>

#include <QDialog>
#include <QVariant>

#include "platform/table.h"

class QLineEdit;
class QPushButton;

namespace tv::ui {
class DBComboBox;
class DBEdit;
class DBGrid;
class DataSource;
class PanelButton;
class RegisterEditor;
class SpeedButton;
} // namespace tv::ui

// The register of goods and services, with the stock of the stock version.
// Its table is the one the invoice window's goods picker, stock check and
// stock deduction work on. The gross price follows the net price and the
// rate, and a typed gross price sets the net price.
class TForm_fa5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm_fa5(QWidget* parent = nullptr);
    ~TForm_fa5() override;

    tv::Table* towary = nullptr;
    tv::ui::DataSource* DataSource1 = nullptr;
    tv::ui::RegisterEditor* Editor = nullptr;
    tv::ui::DBGrid* DBGrid1 = nullptr; // with the stock columns
    tv::ui::DBGrid* DBGrid2 = nullptr; // without them, over DBGrid1

    // "Informacje o towarze lub usłudze"
    tv::ui::DBEdit* DBEdit1 = nullptr;         // Nazwa
    tv::ui::DBEdit* DBEdit7 = nullptr;         // Id
    tv::ui::DBEdit* DBEdit2 = nullptr;         // Jm
    tv::ui::DBEdit* DBEdit4 = nullptr;         // PKWiU
    tv::ui::DBEdit* DBEdit6 = nullptr;         // Klasa
    tv::ui::DBEdit* DBEdit5 = nullptr;         // Opis
    tv::ui::DBEdit* DBEdit3 = nullptr;         // Netto
    tv::ui::DBEdit* EditBrutto = nullptr;      // Brutto
    tv::ui::DBComboBox* DBComboBox1 = nullptr; // VAT

    // "Wyszukiwanie"
    QLineEdit* Nazwa = nullptr;
    QLineEdit* PKWIU = nullptr;
    QLineEdit* Opis = nullptr;
    tv::ui::PanelButton* Panel1 = nullptr; // wyczyść
    QPushButton* Button1 = nullptr;        // hidden; its click is the search

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

    // Set by "dodaj" while the record it added is pending.
    bool addedRecord = false;
    // Set while one of the two value computations runs.
    bool computing = false;

    void FormCreate(QObject* Sender = nullptr);
    void FormActivate(QObject* Sender = nullptr);
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
    void Panel1Click(QObject* Sender = nullptr);  // wyczyść

    void PrzeliczBrutto();
    void EditBruttoChange(QObject* Sender = nullptr);
    void DBEdit3Change(QObject* Sender = nullptr);
    void DBComboBox1Change(QObject* Sender = nullptr);
    void DBComboBox1Click(QObject* Sender = nullptr);
    void DBComboBox1KeyUp(QObject* Sender = nullptr);
    void DBComboBox1Exit(QObject* Sender = nullptr);

protected:
    void changeEvent(QEvent* event) override;
    // The close box and Escape leave the register as "zamknij" does.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bindHandlers();
    // The value the operator sees: a text typed and not yet written, when
    // it converts, else the record's field. Empty when the typed text does
    // not convert yet (the computation waits for the operator to go on).
    std::optional<double> shownAmount(tv::ui::DBEdit* edit, const QString& field) const;
    std::optional<QString> shownRate() const;
    // Runs the computations for the fields of the pending row that changed.
    void recordFieldWritten();
    void rememberPricing();

    QVariant m_addedNumber; // Nr of the record "dodaj" added
    QVariant m_net, m_gross, m_rate;
};

extern TForm_fa5* Form_fa5;
