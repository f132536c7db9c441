#pragma once

#include <QDialog>
#include <QHash>

#include "platform/table.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;

namespace tv::ui {
class DBGrid;
class DataSource;
class PanelButton;
class SpeedButton;
} // namespace tv::ui

// The register of issued invoices: the list of a period, the lines of the
// selected invoice, delete, "wczytaj fakturę" and the register printout.
class TForm_fa2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm_fa2(QWidget* parent = nullptr);
    ~TForm_fa2() override;

    tv::Table* wyst_faktury = nullptr;
    tv::Table* wyst_pozycje = nullptr;
    tv::ui::DataSource* DataSource1 = nullptr; // wyst_faktury
    tv::ui::DataSource* DataSource2 = nullptr; // wyst_pozycje
    tv::Query* Query2 = nullptr;               // the register printout's rows

    tv::ui::DBGrid* DBGrid1 = nullptr; // invoices
    tv::ui::DBGrid* DBGrid2 = nullptr; // lines of the selected invoice
    QDateEdit* od_kiedy = nullptr;     // "Od kiedy"
    QDateEdit* do_kiedy = nullptr;     // "Do kiedy"
    QCheckBox* CheckBox1 = nullptr;    // "tylko faktury przelewowe"

    tv::ui::PanelButton* SpeedButton1 = nullptr; // wczytaj fakturę
    tv::ui::PanelButton* SpeedButton2 = nullptr; // zamknij
    tv::ui::PanelButton* drukuj = nullptr;       // drukuj
    tv::ui::PanelButton* Panel1 = nullptr;       // korekta (hidden)
    QPushButton* Wybierz = nullptr;              // hidden: the period filter
    QPushButton* Button1 = nullptr;              // hidden: the printout's query

    // Invoices.
    tv::ui::SpeedButton* SpeedButton4 = nullptr;  // Pierwsza pozycja
    tv::ui::SpeedButton* SpeedButton6 = nullptr;  // Poprzednia pozycja
    tv::ui::SpeedButton* SpeedButton7 = nullptr;  // Następna pozycja
    tv::ui::SpeedButton* SpeedButton5 = nullptr;  // Ostatnia pozycja
    tv::ui::SpeedButton* SpeedButton3 = nullptr;  // Odśwież dane
    tv::ui::SpeedButton* SpeedButton19 = nullptr; // Usuń pozycję
    // Lines.
    tv::ui::SpeedButton* SpeedButton9 = nullptr;  // Pierwsza pozycja
    tv::ui::SpeedButton* SpeedButton11 = nullptr; // Poprzednia pozycja
    tv::ui::SpeedButton* SpeedButton12 = nullptr; // Następna pozycja
    tv::ui::SpeedButton* SpeedButton10 = nullptr; // Ostatnia pozycja
    tv::ui::SpeedButton* SpeedButton8 = nullptr;  // Odśwież dane

    // Set by "wczytaj fakturę" while the invoice in the window was loaded from
    // the register; the invoice window clears it on a new invoice and skips
    // its stock checks while it is set.
    bool loadedInvoice = false;

    void FormShow(QObject* Sender = nullptr);
    void SpeedButton1Click(QObject* Sender = nullptr);  // wczytaj fakturę
    void SpeedButton2Click(QObject* Sender = nullptr);  // zamknij
    void SpeedButton19Click(QObject* Sender = nullptr); // delete the selected invoice
    void DBGrid1KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void wyst_fakturyAfterScroll(tv::Table& DataSet);
    void FiltrujPozycje(const QString& Nr);
    void WybierzClick(QObject* Sender = nullptr); // period filter
    // A date chosen in a picker's calendar is reported as its change too.
    void od_kiedyChange(QObject* Sender = nullptr);
    void do_kiedyChange(QObject* Sender = nullptr);
    void CheckBox1Click(QObject* Sender = nullptr);
    void Button1Click(QObject* Sender = nullptr); // the printout's query
    void drukujClick(QObject* Sender = nullptr);
    void Panel1Click(QObject* Sender = nullptr);
    void SpeedButton4Click(QObject* Sender = nullptr);
    void SpeedButton6Click(QObject* Sender = nullptr);
    void SpeedButton7Click(QObject* Sender = nullptr);
    void SpeedButton5Click(QObject* Sender = nullptr);
    void SpeedButton3Click(QObject* Sender = nullptr);
    void SpeedButton9Click(QObject* Sender = nullptr);
    void SpeedButton11Click(QObject* Sender = nullptr);
    void SpeedButton12Click(QObject* Sender = nullptr);
    void SpeedButton10Click(QObject* Sender = nullptr);
    void SpeedButton8Click(QObject* Sender = nullptr);

    // Sets a period date as code does: no filter runs.
    static void setDate(QDateEdit* picker, const QDate& date);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void bindHandlers();
    // The Ids the seller and customer columns show, read when the register
    // shows and refreshes.
    void readParties();
    QHash<int, QString> m_customers;
    QHash<int, QString> m_sellers;
};

extern TForm_fa2* Form_fa2;
