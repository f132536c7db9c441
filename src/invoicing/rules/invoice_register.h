#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QVector>

#include "platform/currency.h"
#include "platform/table.h"

// The register of issued invoices: which invoices a period shows, the
// register printout's rows and totals, and deleting an invoice.
namespace invoicing {

// The payment form that "tylko faktury przelewowe" keeps, exactly as written.
inline constexpr const char* kTransferPayment = "przelewem";

// The filter of a period: issue dates from..to, both included, compared as
// dates; with transferOnly only the invoices paid exactly "przelewem".
QVector<tv::Table::FilterTerm> periodFilter(const QDate& from, const QDate& to, bool transferOnly);

// The register printout's rows: every invoice issued from..to (both
// included), each once, with its customer's NIP, Firma and Id where the
// customer is known (an invoice without one is listed with those empty),
// ordered by issue date and then by number. The query is opened.
void openRegisterListing(tv::Query& query, const QDate& from, const QDate& to);

// The totals of the rows of an open listing.
struct ListingTotals {
    tv::Currency net;
    tv::Currency gross;
};
ListingTotals listingTotals(tv::Query& listing);

// Deletes the stored lines of the invoice and forgets what the stock version
// took for it (deleting gives nothing back to stock). Joins the caller's
// transaction; the caller deletes the header in the same one.
void deleteInvoiceLines(const QString& number);

// Nr -> Id of every row of a register ("kontrahenci", "sprzedawcy"): the
// register's columns of customers and sellers show the Id of the number an
// invoice stores. The first row of a number holds it.
QHash<int, QString> idsByNumber(const QString& table);

} // namespace invoicing
