#pragma once

#include <array>
#include <optional>

#include <QDate>
#include <QString>
#include <QVector>

#include "platform/currency.h"
#include "platform/errors.h"

namespace tv {
class Table;
}

// Issued invoices as the tables keep them: a header row in wyst_faktury and
// its lines in wyst_pozycje, linked by the invoice's number text.
namespace invoicing {

// A save refused before anything was written; the message tells the operator
// what to change.
class SaveRefused : public tv::Error {
public:
    using Error::Error;
};

// One invoice line, field for field as the line tables hold it; an empty
// field has no value. Klasa and the working table's Rabat are not stored.
struct InvoiceLine {
    std::optional<int> lp;
    QString name; // Nazwa
    std::optional<double> quantity;
    QString vat;  // rate code
    QString unit; // Jm
    std::optional<double> net;
    std::optional<double> vatAmount;
    std::optional<double> gross;
    std::optional<double> unitNet;
    QString pkwiu;
    bool operator==(const InvoiceLine&) const = default;
};

// The header row with its codes as stored.
struct InvoiceHeader {
    QString number;              // Nr
    std::optional<int> seller;   // Nr_sprzed: sprzedawcy.Nr, none without a seller
    std::optional<int> customer; // Nr_kontr: kontrahenci.Nr, none without a customer
    int documentType = 1;        // Rodzaj: 1 VAT invoice, 2 any other document
    QDate issueDate;             // Data_wyst
    QDate paymentDate;           // Data_pl
    QString paymentForm;         // Forma_pl
    tv::Currency net;            // Netto
    tv::Currency vat;            // WartoscVAT
    tv::Currency gross;          // Brutto
    QDate saleDate;              // Data_sp
    QString paymentTerm;         // Termin_pl
    QString order;               // Zamowienie
    QString shipping;            // Sp_wysylki
    int saleMonth = 0;           // Mies_sp: 1 prints the month of sale
    int documentKind = 1;        // Rodz_fa: 1 faktura VAT, 2 faktura VAT RR, 3 rachunek; -1 see Rodzaj
    int printForm = 1;           // Rodz_wy: 1 to 4; 0 or none keeps the form shown
    std::optional<int> discount; // Rabat: a whole percentage, none without a discount
    bool operator==(const InvoiceHeader&) const = default;
};

// ---- the stored codes ---------------------------------------------------------

// The document-kind buttons "faktura VAT", "faktura VAT RR", "rachunek".
struct DocumentKindButtons {
    bool vat = false;
    bool vatRR = false;
    bool bill = false;
    bool operator==(const DocumentKindButtons&) const = default;
};
// The print-form buttons in the order of their codes: "Oryginał i kopia",
// "Bez napisu (1x)", "Oryginał\kopia (2x)", "Oryginał i 2 kopie".
using PrintFormButtons = std::array<bool, 4>;

int documentTypeCode(const DocumentKindButtons& shown); // Rodzaj
int documentKindCode(const DocumentKindButtons& shown); // Rodz_fa
int printFormCode(const PrintFormButtons& shown);       // Rodz_wy
// The buttons after loading a header's codes over the ones shown: Rodz_fa -1
// takes the kind from Rodzaj; an unknown kind leaves none checked; a print
// form of 0 or less keeps the one shown.
DocumentKindButtons documentKindOnLoad(int documentKind, int documentType, const DocumentKindButtons& shown);
PrintFormButtons printFormOnLoad(int printForm, const PrintFormButtons& shown);

// The discount as stored: the percentage of a checked box, which must be a
// whole number (the field holds no fraction); none for an unchecked box.
// Raises SaveRefused for any other percentage.
std::optional<int> storedDiscount(bool checked, const QString& percentage);

// ---- parties --------------------------------------------------------------------

enum class Party { Seller, Customer };

// The Nr of the party a picker names: none for an empty picker; the row the
// operator chose while it still carries the picker's Id; otherwise the first
// row with that Id. Raises SaveRefused when no row has it.
std::optional<int> partyNumber(Party party, const QString& id, std::optional<int> chosen);

struct PartyRow {
    int number = 0; // Nr
    QString id;
    QString name; // Nazwisko
};
std::optional<PartyRow> findParty(Party party, int number);

// ---- lines of the working table ------------------------------------------------------

// Every line of a line table in its order, read without moving its cursor.
QVector<InvoiceLine> readLines(tv::Table& lines);
// Replaces every row of a working line table by these lines as they are,
// numbered from 1 in the given order; no line rule runs over them. Other
// views of the table re-read it; the cursor stands on the first line.
void replaceLines(tv::Table& lines, const QVector<InvoiceLine>& with);

// ---- storing and loading --------------------------------------------------------------

bool invoiceStored(const QString& number);

// Raises SaveRefused for what cannot be stored as it stands: no number, a
// number longer than the table keeps, a number that belongs to another
// stored invoice, a text longer than its field, a line whose rate is no rate.
// storedNumber is the number under which this invoice is stored already
// (empty for one never stored).
void checkInvoice(const InvoiceHeader& header, const QVector<InvoiceLine>& lines,
                  const QString& storedNumber);

// Checks, then writes the header and the lines in one transaction (the
// caller's, if one runs): the invoice stored under storedNumber keeps its
// row and takes the header's number; lines stored under either number are
// replaced by these. A refusal writes nothing.
void saveInvoice(const InvoiceHeader& header, const QVector<InvoiceLine>& lines, const QString& storedNumber);

// The header stored under the number; none when there is no such invoice.
std::optional<InvoiceHeader> loadHeader(const QString& number);
// Its lines in the order of their Lp, rows of one Lp in the order stored.
QVector<InvoiceLine> loadLines(const QString& number);

} // namespace invoicing
