#pragma once

#include <functional>
#include <optional>

#include <QDate>
#include <QString>
#include <QStringList>

#include "platform/textfile.h"

// The invoicing side's small side files, value by value: "ustaw.txt" (the
// administration settings), "FAKTURY.INI" (six of them again, section
// "Opcje") and "ustmain.txt" (the invoice window's last choices). The forms
// move their controls to and from these structures; the files themselves go
// through tv::LineBuffer and tv::IniFile in code page 1250 with CR LF.
namespace invoicing {

inline const QString kSettingsFileName = QStringLiteral("ustaw.txt");
inline const QString kIniFileName = QStringLiteral("FAKTURY.INI");
inline const QString kIniSection = QStringLiteral("Opcje");
inline const QString kWindowDefaultsFileName = QStringLiteral("ustmain.txt");

// The side file of that name in the working folder, matched there
// case-insensitively; the working folder holds every side file.
QString sideFilePath(const QString& fileName);

// Flags are written "1" and "0"; when read, only "0" is off, so any other
// text, a missing line included, switches the option on.
QString flagText(bool on);
bool flagFromText(const QString& text);

// A value that must stay on its own line: line breaks become blanks.
QString oneLine(const QString& value);

// ---- "ustaw.txt" -----------------------------------------------------------------

struct AdministrationSettings {
    QString pattern;             // 0: invoice number pattern
    QString counter;             // 1: current running number, as typed
    QString extraText;           // 2: extra text printed on invoices
    bool plainPaper = true;      // 3: "0" plain paper ("normalnym"), else letterhead ("firmowym")
    bool stock = false;          // 4: "wersja magazynowa"
    bool autoArchive = false;    // 5: "archiwizuj automatycznie"
    QString remarks;             // 6: remarks
    bool streetAsPlace = false;  // 7: place of issue from the seller's street
    bool logoOnPrintout = false; // 8: "logo na wydruku"
    bool skipWelcome = false;    // 9: "pomiń ekran powitalny"
};

inline constexpr int kAdministrationLineCount = 10;

// The ten lines, in their order.
QStringList administrationLines(const AdministrationSettings& settings);
// Lines 0 to 9 of a loaded file; a line the file lacks reads as the empty text.
AdministrationSettings readAdministrationLines(const QStringList& lines);
// What a first start writes when there is no file yet: five lines, so that
// every option after the paper kind reads as switched on.
QStringList administrationFirstStartLines();

// The running number typed as "Aktualny numer faktury": the whole part of the
// number it reads as in the regional settings ("12,9" is 12, "1e1" is 10).
// None when it is no number or its whole part is below 1 or beyond the
// 32-bit range.
std::optional<int> counterFromText(const QString& text);

// Whether the pattern ends with a "#" that has no character to expand after
// it (a run of "#" after a "#" is an ordinary run and expands to itself).
bool patternEndsWithBareHash(const QString& pattern);

// The dates on which a pattern gives its longest text this year: every weekday
// of every month on a two-digit day, and today.
QVector<QDate> numberProbeDates(const QDate& today);

using NumberFormatter = std::function<QString(int number, const QDate& date)>;

// Checks the administration's counter and pattern before anything is stored:
// the counter must read as a number of 1 or more, the pattern must be neither
// empty nor end with a bare "#", and its expansion with a five-digit number (or the counter,
// when longer) on any date of this year must fit the stored number. Returns
// the message to show, or the empty text when both are fine. An error the
// formatter raises is reported as the message.
QString administrationProblem(const QString& counterText, const QString& pattern,
                              const NumberFormatter& format, const QDate& today);

// ---- "FAKTURY.INI", section "Opcje" ----------------------------------------------

struct IniOptions {
    QString format;        // Format
    QString tekst;         // Tekst
    QString uwagi;         // Uwagi
    bool wydruk = true;    // Wydruk: plain paper
    bool magazyn = false;  // Magazyn: stock version
    bool archiwum = false; // Archiwum: automatic archive
};

// Each key that the file lacks keeps its value from the defaults.
IniOptions readIniOptions(const tv::IniFile& ini, const IniOptions& defaults);
// Writes the six keys in their order.
void writeIniOptions(tv::IniFile& ini, const IniOptions& options);

// ---- "ustmain.txt" ---------------------------------------------------------------

enum class DocumentKind { Vat = 0, VatRR = 1, Bill = 2 };
enum class PrintForm { OriginalAndCopy = 0, NoCaption = 1, OriginalSlashCopy = 2, OriginalAndTwoCopies = 3 };

struct WindowDefaults {
    QString paymentForm;                              // 0: taken over unchanged
    QString paymentTerm;                              // 1: a term from the list or a date text
    QString shipping;                                 // 2
    bool saleMonth = false;                           // 3: "miesiąc sprzedaży"
    DocumentKind documentKind = DocumentKind::Vat;    // 4: "0", "1", anything else a bill
    PrintForm printForm = PrintForm::OriginalAndCopy; // 5: "0", "1", "2", anything else "3"
};

inline constexpr int kWindowDefaultsLineCount = 6;

QStringList windowDefaultsLines(const WindowDefaults& defaults);
// Lines after the sixth are ignored; a missing line reads as the empty text.
WindowDefaults readWindowDefaultsLines(const QStringList& lines);

} // namespace invoicing
