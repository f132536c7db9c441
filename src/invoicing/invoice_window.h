#pragma once

#include <functional>
#include <optional>

#include <QDate>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include "platform/currency.h"
#include "platform/table.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolBar;

namespace tv::ui {
class DBEdit;
class DBGrid;
class DBLookupComboBox;
class DataSource;
class PanelButton;
class SpeedButton;
} // namespace tv::ui

// The invoicing module's main window: one invoice at a time, with its seller
// and customer, dates, payment and document options, lines, totals per VAT
// rate and the gross amount in words. Created once at start, shown by the
// costing sheet's hand-over and hidden when closed.
//
// The window's behaviour is spread over files by concern: the window itself
// (construction, show, activate, close, pickers, toolbar) in
// invoice_window.cpp, the lines and the discount in invoice_lines.cpp, the
// recompute and the words in invoice_totals.cpp, numbering, saving and loading
// in invoice_storage.cpp, the new invoice in new_invoice.cpp, the defaults
// file in window_defaults.cpp, stock and the goods picker in stock.cpp, the
// archive in archive.cpp, preview and print in invoice_print.cpp; the
// costing sheet's hand-over (TForm1::SpeedButton4Click) in handover.cpp.
class TForm_fa1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm_fa1(QWidget* parent = nullptr);
    ~TForm_fa1() override;

    // ---- header -------------------------------------------------------
    QLineEdit* Edit5 = nullptr;           // "Nr faktury"
    QLineEdit* Edit6 = nullptr;           // "Miejsce wystawienia"
    QLineEdit* Edit7 = nullptr;           // "Dodatkowy tekst", design text "Dziękujemy"
    QLineEdit* Edit8 = nullptr;           // "Imię i nazwisko sprzedawcy:"
    QLineEdit* Edit9 = nullptr;           // "Imię i nazwisko kontrahenta:"
    QLineEdit* Edit11 = nullptr;          // "Zamówienie:"
    QLineEdit* Edit12 = nullptr;          // "Uwagi"
    QDateEdit* DateTimePicker1 = nullptr; // "Data wystawienia"
    QDateEdit* DateTimePicker2 = nullptr; // payment date for the term "Inne" (hidden)
    QDateEdit* DateTimePicker3 = nullptr; // "Data sprzedaży"
    QCheckBox* CheckBox1 = nullptr;       // "miesiąc sprzedaży" (hidden)
    QComboBox* ComboBox1 = nullptr;       // "Forma płatności"
    QComboBox* ComboBox2 = nullptr;       // "Sprzedawca": seller Id
    QComboBox* ComboBox3 = nullptr;       // "Kontrahent": customer Id
    QComboBox* ComboBox4 = nullptr;       // "Termin płatności"
    QComboBox* ComboBox5 = nullptr;       // "Towary i usługi": goods picker of the stock version
    QComboBox* ComboBox7 = nullptr;       // "Sposób wysyłki" (hidden with its label)
    QLabel* shippingLabel = nullptr;      // the label of ComboBox7
    tv::ui::DBLookupComboBox* DBLookupComboBox3 = nullptr; // goods list outside the stock version

    QGroupBox* GroupBox2 = nullptr;       // "rodzaj dokumentu"
    QRadioButton* RadioButton1 = nullptr; // "faktura VAT"
    QRadioButton* RadioButton3 = nullptr; // "faktura VAT RR" (hidden)
    QRadioButton* RadioButton4 = nullptr; // "rachunek"
    QGroupBox* GroupBox1 = nullptr;       // "Forma wydruku"
    QRadioButton* RadioButton6 = nullptr; // "Oryginał i kopia"
    QRadioButton* RadioButton5 = nullptr; // "Bez napisu (1x)"
    QRadioButton* RadioButton2 = nullptr; // "Oryginał\kopia (2x)"
    QRadioButton* RadioButton7 = nullptr; // "Oryginał i 2 kopie"

    // ---- discount ------------------------------------------------------
    QCheckBox* CheckBox2 = nullptr; // "Rabat:", disabled: only code sets it
    QComboBox* ComboBox6 = nullptr; // percentage "5" .. "95", disabled

    // ---- lines and totals ----------------------------------------------
    tv::ui::DBGrid* DBGrid1 = nullptr; // over pozycje, editable
    QLineEdit* Edit3 = nullptr;        // "Wartość netto"
    QLineEdit* Edit2 = nullptr;        // "Kwota VAT"
    QLineEdit* Edit1 = nullptr;        // "Wartość brutto"
    QLineEdit* Edit4 = nullptr;        // "Słownie"
    QLabel* valuta = nullptr;          // hidden: the currency word of the amount in words

    // Hidden data-aware edits following the current seller and customer rows.
    tv::ui::DBEdit* DBEdit2 = nullptr; // sprzedawcy.Miejscowosc
    tv::ui::DBEdit* DBEdit5 = nullptr; // sprzedawcy.Nazwisko
    tv::ui::DBEdit* DBEdit7 = nullptr; // sprzedawcy.Ulica
    tv::ui::DBEdit* DBEdit6 = nullptr; // kontrahenci.Nazwisko
    // Hidden data-aware edits of the rate table, for the display text of money.
    tv::ui::DBEdit* DBEdit1 = nullptr; // stawkiVAT.Netto
    tv::ui::DBEdit* DBEdit3 = nullptr; // stawkiVAT.KwotaVAT
    tv::ui::DBEdit* DBEdit4 = nullptr; // stawkiVAT.Brutto

    // ---- toolbar, line commands and panels ------------------------------
    QToolBar* ToolBar1 = nullptr;
    tv::ui::SpeedButton* SpeedButton1 = nullptr;  // "Nowa faktura"
    tv::ui::SpeedButton* SpeedButton2 = nullptr;  // "Zapisz fakturę"
    tv::ui::SpeedButton* SpeedButton3 = nullptr;  // "Podgląd wydruku"
    tv::ui::SpeedButton* SpeedButton4 = nullptr;  // "Drukuj fakturę"
    tv::ui::SpeedButton* SpeedButton13 = nullptr; // "Administracja"
    tv::ui::SpeedButton* SpeedButton18 = nullptr; // "Zarchiwizuj pliki"
    tv::ui::SpeedButton* SpeedButton22 = nullptr; // "Rozpakuj pliki archiwalne"
    tv::ui::SpeedButton* SpeedButton5 = nullptr;  // "Pomoc"
    tv::ui::SpeedButton* SpeedButton16 = nullptr; // "O programie.."
    tv::ui::SpeedButton* SpeedButton6 = nullptr;  // "Zamknij"
    QLabel* Image1 = nullptr;                     // logo, hint "nasza strona w internecie"

    tv::ui::SpeedButton* SpeedButton20 = nullptr; // "Dodaj pozycję"
    tv::ui::SpeedButton* SpeedButton19 = nullptr; // "Usuń pozycję"
    tv::ui::SpeedButton* SpeedButton21 = nullptr; // "Modyfikuj pozycję"
    tv::ui::SpeedButton* SpeedButton14 = nullptr; // "Potwierdź zmianę"
    tv::ui::SpeedButton* SpeedButton15 = nullptr; // "Anuluj zmianę"
    tv::ui::SpeedButton* SpeedButton32 = nullptr; // "Odśwież dane"

    tv::ui::PanelButton* Panel1 = nullptr; // "towary i usługi"
    tv::ui::PanelButton* Panel2 = nullptr; // "kontrahenci"
    tv::ui::PanelButton* Panel3 = nullptr; // "sprzedawcy"
    tv::ui::PanelButton* Panel4 = nullptr; // "faktury"
    tv::ui::PanelButton* Panel5 = nullptr; // "dodaj towar do listy"
    tv::ui::PanelButton* Panel8 = nullptr; // "NIP"
    // Hidden speed buttons through which the panels act.
    tv::ui::SpeedButton* SpeedButton9 = nullptr;  // goods register
    tv::ui::SpeedButton* SpeedButton8 = nullptr;  // customer register
    tv::ui::SpeedButton* SpeedButton7 = nullptr;  // seller register
    tv::ui::SpeedButton* SpeedButton10 = nullptr; // issued-invoice register
    tv::ui::SpeedButton* SpeedButton11 = nullptr; // add the chosen goods as a line
    QPushButton* Button1 = nullptr;               // hidden "odejmij all": the stock deduction

    // ---- tables ----------------------------------------------------------
    tv::Table* sprzedawcy = nullptr;
    tv::Table* kontrahenci = nullptr;
    tv::Table* pozycje = nullptr;
    tv::Table* stawkiVAT = nullptr;
    tv::Table* towary = nullptr;
    tv::Table* wyst_faktury = nullptr;
    tv::Table* wyst_pozycje = nullptr;
    tv::Table* wyst_pozycje_kor = nullptr;
    tv::Table* tabletemp1 = nullptr;           // the customer re-sort's scratch copy
    tv::Table* tabletemp2 = nullptr;           // the customer table, for the re-sort
    tv::Query* Query1 = nullptr;               // pick lists and the line query
    tv::Query* Query2 = nullptr;               // "select * from stawkiVAT order by VAT desc"
    tv::Query* Query3 = nullptr;               // the re-sort's source
    tv::ui::DataSource* DataSource1 = nullptr; // sprzedawcy
    tv::ui::DataSource* DataSource2 = nullptr; // kontrahenci
    tv::ui::DataSource* DataSource3 = nullptr; // towary
    tv::ui::DataSource* DataSource4 = nullptr; // pozycje
    tv::ui::DataSource* DataSource8 = nullptr; // stawkiVAT

    // ---- members ------------------------------------------------------------
    bool Zapisana = false;    // the invoice was saved
    int LicznikFaktur = -1;   // running number of the invoice being edited
    bool LiczPozycje = true;  // the line rule is armed (false while it runs)
    bool TrybVatRR = false;   // document kind VAT RR: lines carry no VAT
    bool Wydrukowana = false; // the invoice was printed
    tv::Currency RazemNetto;
    tv::Currency RazemBrutto;
    tv::Currency RazemVAT;

    // Our own state beside the original members.
    // The seller and customer rows the operator chose (their Nr); none when
    // the picker's text matches no row. Saving and printing use these, never
    // wherever a table's cursor happens to stand.
    std::optional<int> chosenSeller;
    std::optional<int> chosenCustomer;
    // The number under which the invoice on screen is stored (loaded or last
    // saved); empty for an invoice not stored yet.
    QString storedNumber;
    // The stored invoice on screen past which showing the window moved the
    // counter: the counter then numbers the next invoice, not this one.
    QString counterPastStored;

    // Wired at start where both areas are known (src/app/forms.cpp): the
    // costing sheet's hand-over, which the discount box runs when the
    // operator unchecks it; the customer register of the panel "kontrahenci";
    // what else must read the tables again after a restore.
    std::function<void()> handOver;
    QWidget* customerRegister = nullptr;
    std::function<void()> afterRestore;
    // The maker's web address the logo opens, from TARVELINO_WWW at start;
    // empty: the logo does nothing. openAddress hands it to the desktop.
    QString webAddress;
    std::function<bool(const QString&)> openAddress;

    // No warning box waits while a transaction holds the tables: a warning
    // raised inside one is held until it has ended. warnOutsideTransaction
    // shows the text at once or holds it; showingHeldWarnings runs work that
    // opens transactions and then shows what was held, whether the work
    // committed or rolled back (invoice_lines.cpp).
    void warnOutsideTransaction(const QString& text);
    void showingHeldWarnings(const std::function<void()>& work);

    // ---- the window (invoice_window.cpp) -------------------------------------
    void FormCreate(QObject* Sender = nullptr);
    void FormShow(QObject* Sender = nullptr);
    void FormActivate(QObject* Sender = nullptr);
    void FormClose(QObject* Sender = nullptr);
    void ComboBox2Change(QObject* Sender = nullptr);
    void ComboBox3Change(QObject* Sender = nullptr);
    void DBEdit2Change(QObject* Sender = nullptr);
    void DBEdit5Change(QObject* Sender = nullptr);
    void DBEdit6Change(QObject* Sender = nullptr);
    void DateTimePicker1Change(QObject* Sender = nullptr);
    void ComboBox4Change(QObject* Sender = nullptr);
    void ComboBox1Change(QObject* Sender = nullptr);
    void RadioButton1Click(QObject* Sender = nullptr); // bound to no event
    void RadioButton3Click(QObject* Sender = nullptr); // bound to no event
    void UstawMiejsceWystawienia();
    void WczytajSprzedawcow();
    void WczytajKontrahentow();
    static int CyfryZTekstu(const QString& text);
    void SortujKontrahentow();
    void SpeedButton13Click(QObject* Sender = nullptr); // Administracja
    void SpeedButton5Click(QObject* Sender = nullptr);  // Pomoc
    void SpeedButton16Click(QObject* Sender = nullptr); // O programie..
    void SpeedButton6Click(QObject* Sender = nullptr);  // Zamknij
    void Image1Click(QObject* Sender = nullptr);        // the logo link
    void SpeedButton9Click(QObject* Sender = nullptr);  // goods register
    void SpeedButton8Click(QObject* Sender = nullptr);  // customer register
    void SpeedButton7Click(QObject* Sender = nullptr);  // seller register
    void SpeedButton10Click(QObject* Sender = nullptr); // issued-invoice register
    void Panel1Click(QObject* Sender = nullptr);
    void Panel2Click(QObject* Sender = nullptr);
    void Panel3Click(QObject* Sender = nullptr);
    void Panel4Click(QObject* Sender = nullptr);
    void Panel5Click(QObject* Sender = nullptr);

    // ---- lines and discount (invoice_lines.cpp) -------------------------------
    void pozycjeCalcFields(tv::Table& DataSet);
    void SpeedButton20Click(QObject* Sender = nullptr); // Dodaj pozycję
    void SpeedButton19Click(QObject* Sender = nullptr); // Usuń pozycję
    void SpeedButton21Click(QObject* Sender = nullptr); // Modyfikuj pozycję
    void SpeedButton14Click(QObject* Sender = nullptr); // Potwierdź zmianę
    void SpeedButton15Click(QObject* Sender = nullptr); // Anuluj zmianę
    void SpeedButton32Click(QObject* Sender = nullptr); // Odśwież dane
    void DBGrid1KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void SpeedButton11Click(QObject* Sender = nullptr); // dodaj towar do listy
    void CheckBox2Click(QObject* Sender = nullptr);
    void UdzielRabatu();
    void ComboBox6Change(QObject* Sender = nullptr);
    // Sets the discount box and its percentage from code, their handlers
    // suppressed; when either changes, every line is repriced once from its
    // undiscounted price at the new percentage.
    void setDiscountFromCode(bool checked, const QString& percentage);

    // ---- recompute and words (invoice_totals.cpp) -------------------------------
    void Przelicz();
    QString Slownie(tv::Currency kwota);
    static QString SlownieTrzyCyfry(const QString& cyfry);

    // ---- numbering, saving and loading (invoice_storage.cpp) ---------------------
    QString FormatujNumer(int numer, const QDate& data);
    int NastepnyNumer();
    void ZapiszFakture(const QString& numer);
    void WczytajFakture(const QString& numer);
    void SpeedButton2Click(QObject* Sender = nullptr); // Zapisz fakturę
    // Before the invoice stored under storedNumber is saved under another
    // number: refuses a number that belongs to another stored invoice, else
    // asks whether to move the stored one; false when the operator says "Nie".
    bool confirmNumberChange(const QString& numer);
    QString numberChangeConfirmed; // the new number the operator agreed to, until the save ends
    // Whether the stored invoice on screen differs from what it was when it
    // was last loaded or saved; false for an invoice never stored.
    bool changedSinceStored();

    // ---- new invoice (new_invoice.cpp) ---------------------------------------------
    void NowaFaktura();
    void SpeedButton1Click(QObject* Sender = nullptr); // Nowa faktura

    // ---- window defaults (window_defaults.cpp) --------------------------------------
    void WczytajUstawienia();
    void ZapiszUstawienia();

    // ---- stock and goods picker (stock.cpp) ----------------------------------------
    void WypelnijListeTowarow();
    void ComboBox5KeyPress(QObject* Sender, int& Key);
    void ComboBox5Change(QObject* Sender = nullptr);
    void Button1Click(QObject* Sender = nullptr); // the stock deduction
    // Deducts the invoice's lines from stock, inside the caller's transaction:
    // only the difference against what was already deducted for that number.
    // Returns the shortage messages, for the caller to show after its commit.
    QStringList deductStock(const QString& numer);
    // The stock question before a save; false when the operator answers "Nie".
    bool askStockQuestion();
    // Whether the administration's "wersja magazynowa" is on.
    bool stockVersion() const;
    // Binds the goods picker and the hidden "odejmij all" to their handlers.
    void bindStockHandlers();

    // ---- archive (archive.cpp) -------------------------------------------------------
    void SpeedButton18Click(QObject* Sender = nullptr); // Zarchiwizuj pliki
    void SpeedButton22Click(QObject* Sender = nullptr); // Rozpakuj pliki archiwalne
    // Packs every table into the working folder's archive; tells the operator
    // when report is set (a failure is always raised).
    void archiveData(bool report);

    // ---- preview and print (invoice_print.cpp) ---------------------------------------
    void SpeedButton3Click(QObject* Sender = nullptr); // Podgląd wydruku
    void SpeedButton4Click(QObject* Sender = nullptr); // Drukuj fakturę
    // Fills the chosen document's printout and prints its copies, one job
    // each with its caption; false when a copy did not go out.
    bool printDocument();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildLayout();
    void bindHandlers();
    void watchRegisters();

    // The window's own helpers (invoice_window.cpp).
    void fillPicker(QComboBox* picker, tv::Table& table, const QString& sql);
    void syncChosenParty(QComboBox* picker, tv::Table& table, std::optional<int>& chosen);
    void showPartyNames();
    void registerShown();
    void registerClosed(QObject* form);
    void restorePicker(QComboBox* picker, tv::Table& table, const QString& text, std::optional<int> nr,
                       bool customer);
    void refreshAfterRestore();
    void renumberAfterRestore();
    QString archivePath() const;
    // Lines (invoice_lines.cpp).
    void checkLineRate(tv::Table& lines);
    bool loadedLinesUnknown() const;
    void showHeldWarnings();

    QObject* m_registerWatch = nullptr;
    bool m_discountFromCode = false; // the discount box is being set by code
    bool m_pricing = false;          // unit prices are being written by a discount
    QStringList m_heldWarnings;      // raised inside a transaction, shown once it ends
    // The pickers' texts and parties when a register was opened, kept up to
    // date by the operator's choices while it is open.
    QString m_sellerText;
    QString m_customerText;
    std::optional<int> m_sellerNr;
    std::optional<int> m_customerNr;
    // The invoice on screen as it was when last loaded or saved.
    QVariantList m_storedState;
    // The goods the picker lists were read at this stamp, for this version.
    std::optional<tv::Database::ChangeStamp> m_goodsListStamp;
    bool m_goodsListStock = false;
};

extern TForm_fa1* Form_fa1;
