#pragma once

#include <array>
#include <functional>

#include <QDate>
#include <QHash>
#include <QMainWindow>

#include "platform/table.h"
#include "platform/textfile.h"

class QAction;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QToolBar;

// Every edit field of the sheet by number (there is no Edit80).
#define TV_SHEET_EDITS(X)                                                                                    \
    X(1)                                                                                                     \
    X(2)                                                                                                     \
    X(3)                                                                                                     \
    X(4) X(5) X(6) X(7) X(8) X(9) X(10) X(11) X(12) X(13) X(14) X(15) X(16) X(17) X(18) X(19) X(20) X(21)    \
        X(22) X(23) X(24) X(25) X(26) X(27) X(28) X(29) X(30) X(31) X(32) X(33) X(34) X(35) X(36) X(37)      \
            X(38) X(39) X(40) X(41) X(42) X(43) X(44) X(45) X(46) X(47) X(48) X(49) X(50) X(51) X(52) X(53)  \
                X(54) X(55) X(56) X(57) X(58) X(59) X(60) X(61) X(62) X(63) X(64) X(65) X(66) X(67) X(68)    \
                    X(69) X(70) X(71) X(72) X(73) X(74) X(75) X(76) X(77) X(78) X(79)

namespace tv::ui {
class DBLookupComboBox;
class DataSource;
class SpeedButton;
} // namespace tv::ui

// The costing sheet: one window in which the operator prices one print job.
// Every input, rate and result is the text of a field; the section routines and
// the summary re-read the texts and write their results back, and other forms
// write figures and rates into the fields directly.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Tabs and groups.
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet4 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QGroupBox* GroupBox5 = nullptr;

    // Fields (there is no Edit80).
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLineEdit* Edit11 = nullptr;
    QLineEdit* Edit12 = nullptr;
    QLineEdit* Edit13 = nullptr;
    QLineEdit* Edit14 = nullptr;
    QLineEdit* Edit15 = nullptr;
    QLineEdit* Edit16 = nullptr;
    QLineEdit* Edit17 = nullptr;
    QLineEdit* Edit18 = nullptr;
    QLineEdit* Edit19 = nullptr;
    QLineEdit* Edit20 = nullptr;
    QLineEdit* Edit21 = nullptr;
    QLineEdit* Edit22 = nullptr;
    QLineEdit* Edit23 = nullptr;
    QLineEdit* Edit24 = nullptr;
    QLineEdit* Edit25 = nullptr;
    QLineEdit* Edit26 = nullptr;
    QLineEdit* Edit27 = nullptr;
    QLineEdit* Edit28 = nullptr;
    QLineEdit* Edit29 = nullptr;
    QLineEdit* Edit30 = nullptr;
    QLineEdit* Edit31 = nullptr;
    QLineEdit* Edit32 = nullptr;
    QLineEdit* Edit33 = nullptr;
    QLineEdit* Edit34 = nullptr;
    QLineEdit* Edit35 = nullptr;
    QLineEdit* Edit36 = nullptr;
    QLineEdit* Edit37 = nullptr;
    QLineEdit* Edit38 = nullptr;
    QLineEdit* Edit39 = nullptr;
    QLineEdit* Edit40 = nullptr;
    QLineEdit* Edit41 = nullptr;
    QLineEdit* Edit42 = nullptr;
    QLineEdit* Edit43 = nullptr;
    QLineEdit* Edit44 = nullptr;
    QLineEdit* Edit45 = nullptr;
    QLineEdit* Edit46 = nullptr;
    QLineEdit* Edit47 = nullptr;
    QLineEdit* Edit48 = nullptr;
    QLineEdit* Edit49 = nullptr;
    QLineEdit* Edit50 = nullptr;
    QLineEdit* Edit51 = nullptr;
    QLineEdit* Edit52 = nullptr;
    QLineEdit* Edit53 = nullptr;
    QLineEdit* Edit54 = nullptr;
    QLineEdit* Edit55 = nullptr;
    QLineEdit* Edit56 = nullptr;
    QLineEdit* Edit57 = nullptr;
    QLineEdit* Edit58 = nullptr;
    QLineEdit* Edit59 = nullptr;
    QLineEdit* Edit60 = nullptr;
    QLineEdit* Edit61 = nullptr;
    QLineEdit* Edit62 = nullptr;
    QLineEdit* Edit63 = nullptr;
    QLineEdit* Edit64 = nullptr;
    QLineEdit* Edit65 = nullptr;
    QLineEdit* Edit66 = nullptr;
    QLineEdit* Edit67 = nullptr;
    QLineEdit* Edit68 = nullptr;
    QLineEdit* Edit69 = nullptr;
    QLineEdit* Edit70 = nullptr;
    QLineEdit* Edit71 = nullptr;
    QLineEdit* Edit72 = nullptr;
    QLineEdit* Edit73 = nullptr;
    QLineEdit* Edit74 = nullptr;
    QLineEdit* Edit75 = nullptr;
    QLineEdit* Edit76 = nullptr;
    QLineEdit* Edit77 = nullptr;
    QLineEdit* Edit78 = nullptr;
    QLineEdit* Edit79 = nullptr;

    QComboBox* ComboBox1 = nullptr;                        // VAT code
    QComboBox* ComboBox2 = nullptr;                        // profit on direct labour, %
    QComboBox* ComboBox3 = nullptr;                        // discount, %
    QComboBox* ComboBox4 = nullptr;                        // mark-up on material, %
    QComboBox* ComboBox5 = nullptr;                        // stitching
    QComboBox* ComboBox6 = nullptr;                        // VAT scope
    QComboBox* ComboBox7 = nullptr;                        // customer Id
    tv::ui::DBLookupComboBox* DBLookupComboBox1 = nullptr; // paper format
    QDateEdit* DateTimePicker1 = nullptr;

    // Toolbar and panel buttons; they never take the focus.
    tv::ui::SpeedButton* SpeedButton1 = nullptr;  // Zamknij
    tv::ui::SpeedButton* SpeedButton2 = nullptr;  // O programie
    tv::ui::SpeedButton* SpeedButton3 = nullptr;  // Zachowaj (summary tab)
    tv::ui::SpeedButton* SpeedButton4 = nullptr;  // Faktura
    tv::ui::SpeedButton* SpeedButton5 = nullptr;  // Podgląd wydruku
    tv::ui::SpeedButton* SpeedButton6 = nullptr;  // Drukuj
    tv::ui::SpeedButton* SpeedButton7 = nullptr;  // Zachowaj kalkulację
    tv::ui::SpeedButton* SpeedButton8 = nullptr;  // Otwórz kalkulację
    tv::ui::SpeedButton* SpeedButton9 = nullptr;  // Nowa kalkulacja
    tv::ui::SpeedButton* SpeedButton10 = nullptr; // Edytuj listę kontrahentów
    tv::ui::SpeedButton* SpeedButton11 = nullptr; // Ustaw papier/kolor
    tv::ui::SpeedButton* SpeedButton12 = nullptr; // Edytuj formaty
    tv::ui::SpeedButton* SpeedButton13 = nullptr; // Ustawienia początkowe
    tv::ui::SpeedButton* SpeedButton14 = nullptr; // Drukuj (summary tab)
    tv::ui::SpeedButton* SpeedButton15 = nullptr; // Pomoc
    tv::ui::SpeedButton* SpeedButton16 = nullptr; // Zamknij (summary tab)
    QToolBar* ToolBar1 = nullptr;

    // Menu commands.
    QAction* Nowa1 = nullptr;
    QAction* Otworz1 = nullptr;
    QAction* Zapisz1 = nullptr;
    QAction* Zapiszjako1 = nullptr;
    QAction* Drukuj1 = nullptr;
    QAction* Drukujczystkalkulacj1 = nullptr;
    QAction* Podgldwydruku1 = nullptr;
    QAction* Podgldczystejkalkulacji1 = nullptr;
    QAction* Koniec1 = nullptr;
    QAction* Kontrahenci1 = nullptr;
    QAction* Rodzajepapieruigramatury1 = nullptr;
    QAction* Formatypapieru1 = nullptr;
    QAction* Ustawieniapocztkowe1 = nullptr;
    QAction* Pomoc2 = nullptr;
    QAction* Oprogramie1 = nullptr;

    // Tables of the form.
    tv::Table* kontrahenci = nullptr;          // kontrahenci.db
    tv::Table* formaty = nullptr;              // formaty.db, the format box's list
    tv::Table* pozycje = nullptr;              // pozycje.DB, the two lines of the job
    tv::Table* stawkiVAT = nullptr;            // stawkiVAT.DB, totals per rate
    tv::ui::DataSource* DataSource2 = nullptr; // formaty, for the format box

    // The hidden memo through which calculation files are read and written.
    tv::LineBuffer Memo1;

    // The 80 fields in the order of the calculation file (Edit41 twice), their
    // design texts, and the option lists (slot 4 holds none).
    std::array<QLineEdit*, 80> pola{};
    std::array<QString, 80> domyslne;
    std::array<QComboBox*, 7> opcje{};
    QString poprzedniTekst;
    QString katalog;    // working folder, ending in "\"
    QString nazwaPliku; // the open calculation file, empty for a new one

    // Frame.
    void FormShow(QObject* Sender = nullptr);
    void FormActivate(QObject* Sender = nullptr);
    void FormClose(QObject* Sender = nullptr);
    void Koniec1Click(QObject* Sender = nullptr);
    void SpeedButton1Click(QObject* Sender = nullptr);
    void Pomoc2Click(QObject* Sender = nullptr);
    void Oprogramie1Click(QObject* Sender = nullptr);

    void ZapamietajPola();
    void WczytajKontrahentow();
    void DBLookupComboBox1CloseUp(QObject* Sender = nullptr);

    // Commands.
    void Nowa1Click(QObject* Sender = nullptr);
    void SpeedButton8Click(QObject* Sender = nullptr);
    void Zapisz1Click(QObject* Sender = nullptr);
    void Zapiszjako1Click(QObject* Sender = nullptr);
    void SpeedButton6Click(QObject* Sender = nullptr);
    void Drukujczystkalkulacj1Click(QObject* Sender = nullptr);
    void SpeedButton5Click(QObject* Sender = nullptr);
    void Podgldczystejkalkulacji1Click(QObject* Sender = nullptr);
    void Kontrahenci1Click(QObject* Sender = nullptr);
    void SpeedButton10Click(QObject* Sender = nullptr);
    void Rodzajepapieruigramatury1Click(QObject* Sender = nullptr);
    void Formatypapieru1Click(QObject* Sender = nullptr);
    void SpeedButton12Click(QObject* Sender = nullptr);
    void Ustawieniapocztkowe1Click(QObject* Sender = nullptr);
    void SpeedButton13Click(QObject* Sender = nullptr);
    void SpeedButton11Click(QObject* Sender = nullptr);
    void SpeedButton4Click(QObject* Sender = nullptr); // the hand-over to the invoice window (invoicing side)

    // Cost sections and summary.
    void PrzeliczPrzygotowanie();
    void PrzeliczMaterial();
    void PrzeliczRobocizne();
    void PrzeliczRobocizneBezposrednia();
    void PrzeliczPodsumowanie();
    void PrzeliczStawkiVAT();
    void Edit21Change(QObject* Sender = nullptr);
    void ComboBox6Change(QObject* Sender = nullptr);
    void ComboBox7Exit(QObject* Sender = nullptr);

    // Input fields: enter, change, exit and key-down of each field.
    void Edit2Enter(QObject* Sender = nullptr);
    void Edit2Change(QObject* Sender = nullptr);
    void Edit2Exit(QObject* Sender = nullptr);
    void Edit2KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit5Enter(QObject* Sender = nullptr);
    void Edit5Change(QObject* Sender = nullptr);
    void Edit5Exit(QObject* Sender = nullptr);
    void Edit5KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit7Enter(QObject* Sender = nullptr);
    void Edit7Change(QObject* Sender = nullptr);
    void Edit7Exit(QObject* Sender = nullptr);
    void Edit7KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit9Enter(QObject* Sender = nullptr);
    void Edit9Change(QObject* Sender = nullptr);
    void Edit9Exit(QObject* Sender = nullptr);
    void Edit9KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit10Enter(QObject* Sender = nullptr);
    void Edit10Change(QObject* Sender = nullptr);
    void Edit10Exit(QObject* Sender = nullptr);
    void Edit10KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit11Enter(QObject* Sender = nullptr);
    void Edit11Change(QObject* Sender = nullptr);
    void Edit11Exit(QObject* Sender = nullptr);
    void Edit11KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit12Enter(QObject* Sender = nullptr);
    void Edit12Change(QObject* Sender = nullptr);
    void Edit12Exit(QObject* Sender = nullptr);
    void Edit12KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit13Enter(QObject* Sender = nullptr);
    void Edit13Change(QObject* Sender = nullptr);
    void Edit13Exit(QObject* Sender = nullptr);
    void Edit13KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit14Enter(QObject* Sender = nullptr);
    void Edit14Change(QObject* Sender = nullptr);
    void Edit14Exit(QObject* Sender = nullptr);
    void Edit14KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit15Enter(QObject* Sender = nullptr);
    void Edit15Change(QObject* Sender = nullptr);
    void Edit15Exit(QObject* Sender = nullptr);
    void Edit15KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit16Enter(QObject* Sender = nullptr);
    void Edit16Change(QObject* Sender = nullptr);
    void Edit16Exit(QObject* Sender = nullptr);
    void Edit16KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit17Enter(QObject* Sender = nullptr);
    void Edit17Change(QObject* Sender = nullptr);
    void Edit17Exit(QObject* Sender = nullptr);
    void Edit17KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit18Enter(QObject* Sender = nullptr);
    void Edit18Change(QObject* Sender = nullptr);
    void Edit18Exit(QObject* Sender = nullptr);
    void Edit18KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit19Enter(QObject* Sender = nullptr);
    void Edit19Change(QObject* Sender = nullptr);
    void Edit19Exit(QObject* Sender = nullptr);
    void Edit19KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit20Enter(QObject* Sender = nullptr);
    void Edit20Change(QObject* Sender = nullptr);
    void Edit20Exit(QObject* Sender = nullptr);
    void Edit20KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit22Enter(QObject* Sender = nullptr);
    void Edit22Change(QObject* Sender = nullptr);
    void Edit22Exit(QObject* Sender = nullptr);
    void Edit22KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit23Enter(QObject* Sender = nullptr);
    void Edit23Change(QObject* Sender = nullptr);
    void Edit23Exit(QObject* Sender = nullptr);
    void Edit23KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit24Enter(QObject* Sender = nullptr);
    void Edit24Change(QObject* Sender = nullptr);
    void Edit24Exit(QObject* Sender = nullptr);
    void Edit24KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit26Enter(QObject* Sender = nullptr);
    void Edit26Change(QObject* Sender = nullptr);
    void Edit26Exit(QObject* Sender = nullptr);
    void Edit26KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit28Enter(QObject* Sender = nullptr);
    void Edit28Change(QObject* Sender = nullptr);
    void Edit28Exit(QObject* Sender = nullptr);
    void Edit28KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit30Enter(QObject* Sender = nullptr);
    void Edit30Change(QObject* Sender = nullptr);
    void Edit30Exit(QObject* Sender = nullptr);
    void Edit30KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit31Enter(QObject* Sender = nullptr);
    void Edit31Change(QObject* Sender = nullptr);
    void Edit31Exit(QObject* Sender = nullptr);
    void Edit31KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit32Enter(QObject* Sender = nullptr);
    void Edit32Change(QObject* Sender = nullptr);
    void Edit32Exit(QObject* Sender = nullptr);
    void Edit32KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit33Enter(QObject* Sender = nullptr);
    void Edit33Change(QObject* Sender = nullptr);
    void Edit33Exit(QObject* Sender = nullptr);
    void Edit33KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit34Enter(QObject* Sender = nullptr);
    void Edit34Change(QObject* Sender = nullptr);
    void Edit34Exit(QObject* Sender = nullptr);
    void Edit34KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit35Enter(QObject* Sender = nullptr);
    void Edit35Change(QObject* Sender = nullptr);
    void Edit35Exit(QObject* Sender = nullptr);
    void Edit35KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit36Enter(QObject* Sender = nullptr);
    void Edit36Change(QObject* Sender = nullptr);
    void Edit36Exit(QObject* Sender = nullptr);
    void Edit36KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit40Enter(QObject* Sender = nullptr);
    void Edit40Change(QObject* Sender = nullptr);
    void Edit40Exit(QObject* Sender = nullptr);
    void Edit41Enter(QObject* Sender = nullptr);
    void Edit41Change(QObject* Sender = nullptr);
    void Edit41Exit(QObject* Sender = nullptr);
    void Edit41KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit43Enter(QObject* Sender = nullptr);
    void Edit43Change(QObject* Sender = nullptr);
    void Edit43Exit(QObject* Sender = nullptr);
    void Edit43KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit70Enter(QObject* Sender = nullptr);
    void Edit70Change(QObject* Sender = nullptr);
    void Edit70Exit(QObject* Sender = nullptr);
    void Edit70KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit71Enter(QObject* Sender = nullptr);
    void Edit71Change(QObject* Sender = nullptr);
    void Edit71Exit(QObject* Sender = nullptr);
    void Edit71KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit72Enter(QObject* Sender = nullptr);
    void Edit72Change(QObject* Sender = nullptr);
    void Edit72Exit(QObject* Sender = nullptr);
    void Edit72KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit73Enter(QObject* Sender = nullptr);
    void Edit73Change(QObject* Sender = nullptr);
    void Edit73Exit(QObject* Sender = nullptr);
    void Edit73KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit74Enter(QObject* Sender = nullptr);
    void Edit74Change(QObject* Sender = nullptr);
    void Edit74Exit(QObject* Sender = nullptr);
    void Edit74KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit78Enter(QObject* Sender = nullptr);
    void Edit78Change(QObject* Sender = nullptr);
    void Edit78Exit(QObject* Sender = nullptr);
    void Edit78KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit79Enter(QObject* Sender = nullptr);
    void Edit79Change(QObject* Sender = nullptr);
    void Edit79Exit(QObject* Sender = nullptr);
    void Edit79KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit45Enter(QObject* Sender = nullptr);
    void Edit45Change(QObject* Sender = nullptr);
    void Edit45Exit(QObject* Sender = nullptr);
    void Edit45KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit46Enter(QObject* Sender = nullptr);
    void Edit46Change(QObject* Sender = nullptr);
    void Edit46Exit(QObject* Sender = nullptr);
    void Edit46KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit47Enter(QObject* Sender = nullptr);
    void Edit47Change(QObject* Sender = nullptr);
    void Edit47Exit(QObject* Sender = nullptr);
    void Edit47KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit48Enter(QObject* Sender = nullptr);
    void Edit48Change(QObject* Sender = nullptr);
    void Edit48Exit(QObject* Sender = nullptr);
    void Edit48KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit49Enter(QObject* Sender = nullptr);
    void Edit49Change(QObject* Sender = nullptr);
    void Edit49Exit(QObject* Sender = nullptr);
    void Edit49KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit50Enter(QObject* Sender = nullptr);
    void Edit50Change(QObject* Sender = nullptr);
    void Edit50Exit(QObject* Sender = nullptr);
    void Edit50KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit51Enter(QObject* Sender = nullptr);
    void Edit51Change(QObject* Sender = nullptr);
    void Edit51Exit(QObject* Sender = nullptr);
    void Edit51KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit52Enter(QObject* Sender = nullptr);
    void Edit52Change(QObject* Sender = nullptr);
    void Edit52Exit(QObject* Sender = nullptr);
    void Edit52KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit53Enter(QObject* Sender = nullptr);
    void Edit53Change(QObject* Sender = nullptr);
    void Edit53Exit(QObject* Sender = nullptr);
    void Edit53KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit54Enter(QObject* Sender = nullptr);
    void Edit54Change(QObject* Sender = nullptr);
    void Edit54Exit(QObject* Sender = nullptr);
    void Edit54KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit55Enter(QObject* Sender = nullptr);
    void Edit55Change(QObject* Sender = nullptr);
    void Edit55Exit(QObject* Sender = nullptr);
    void Edit55KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit56Enter(QObject* Sender = nullptr);
    void Edit56Change(QObject* Sender = nullptr);
    void Edit56Exit(QObject* Sender = nullptr);
    void Edit56KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit57Enter(QObject* Sender = nullptr);
    void Edit57Change(QObject* Sender = nullptr);
    void Edit57Exit(QObject* Sender = nullptr);
    void Edit57KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit58Enter(QObject* Sender = nullptr);
    void Edit58Change(QObject* Sender = nullptr);
    void Edit58Exit(QObject* Sender = nullptr);
    void Edit58KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit75Enter(QObject* Sender = nullptr);
    void Edit75Change(QObject* Sender = nullptr);
    void Edit75Exit(QObject* Sender = nullptr);
    void Edit75KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit76Enter(QObject* Sender = nullptr);
    void Edit76Change(QObject* Sender = nullptr);
    void Edit76Exit(QObject* Sender = nullptr);
    void Edit76KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void Edit77Enter(QObject* Sender = nullptr);
    void Edit77Change(QObject* Sender = nullptr);
    void Edit77Exit(QObject* Sender = nullptr);
    void Edit77KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);

    // Calculation files.
    void ZapiszKalkulacje(const QString& fileName);
    void OtworzKalkulacje(const QString& fileName);
    void NowaKalkulacja();

    // The program's info box, shown by "O programie"; wired where the forms are created.
    std::function<void()> showInfoBox;

    // The field of that name ("Edit7", "ComboBox4"), for tests and the catalogue walk.
    QWidget* control(const QString& name) const;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QHash<QString, QWidget*> m_controls;
    void buildLayout();
    void buildMenuAndToolbar();
    void bindCommands();
    // Binds the enter, change, exit and key-down handlers of the input fields.
    void bindFieldHandlers();
};

extern TForm1* Form1;
