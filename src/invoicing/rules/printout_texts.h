#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The texts the VAT invoice and the bill print from a party's row and the
// invoice's header, and the copies each print form makes. The bill words a
// few of them differently from the invoice; both are kept here side by side.
namespace invoicing {

enum class Printout { VatInvoice, Bill };

// A seller's or customer's row as the printouts read it, under the tables'
// own field names. Sellers have no country: Kraj stays empty for them.
struct PartyFields {
    QString Firma;
    QString Ulica;
    QString Kod;
    QString Miejscowosc;
    QString NIP;
    QString REGON;
    QString Telefon;
    QString Faks;
    QString Email;
    QString Bank;
    QString Nr_rku;
    QString Nazwisko;
    QString Kraj;
};

// The lines of the seller's and the customer's block, in order. The tax and
// phone lines are there even when they stay empty, so the block keeps its
// shape; the address line is left out where the printout drops a short one.
QStringList sellerBlock(const PartyFields& party, Printout printout);
QStringList customerBlock(const PartyFields& party, Printout printout);

// The three bank lines under a block: the heading, the bank and the account
// number, or three empty lines when the party gives no account.
QStringList bankLines(const PartyFields& party, Printout printout);

// A date as the printouts write it: the day without a leading zero, the
// two-digit month and the year, joined by "/" whatever the regional date
// separator is ("5/03/2024").
QString printoutDate(const QDate& date);

// The sale month: the Polish month name, a blank and the year ("grudzień 2024").
QString saleMonthText(const QDate& date);

// The payment term: for "Inne" the payment date, any other term as it stands.
QString paymentTermText(const QString& term, const QDate& paymentDate);

// How many copies a print goes out in, and what each copy is captioned.
enum class FormaWydruku {
    OryginalIKopia,  // "Oryginał i kopia"
    OryginalI2Kopie, // "Oryginał i 2 kopie"
    BezNapisu,       // "Bez napisu (1x)"
    OryginalKopia2x, // "Oryginał\kopia (2x)"
};

// The caption the preview shows.
QString previewCaption(FormaWydruku form);
// The caption of every printed copy, in print order: one job each.
QStringList copyCaptions(FormaWydruku form);

} // namespace invoicing
