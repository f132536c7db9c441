#include "invoicing/rules/invoice_register.h"

#include "invoicing/rules/stock.h"
#include "platform/errors.h"

namespace invoicing {

QVector<tv::Table::FilterTerm> periodFilter(const QDate& from, const QDate& to, bool transferOnly) {
    // Dates in the ISO form, which the table layer reads as dates whatever
    // the short date form of the regional settings is.
    QVector<tv::Table::FilterTerm> terms = {
        {QStringLiteral("Data_wyst"), QStringLiteral(">="), from.toString(Qt::ISODate)},
        {QStringLiteral("Data_wyst"), QStringLiteral("<="), to.toString(Qt::ISODate)},
    };
    if (transferOnly)
        terms.append(
            {QStringLiteral("Forma_pl"), QStringLiteral("="), QString::fromLatin1(kTransferPayment)});
    return terms;
}

void openRegisterListing(tv::Query& query, const QDate& from, const QDate& to) {
    query.close();
    // A left join keeps the invoices without a known customer; one customer
    // row per number keeps every invoice listed once.
    query.setSql(
        QStringLiteral("select wyst_faktury.*, k.NIP as NIP, k.Firma as Firma, k.Id as Id from wyst_faktury "
                       "left join (select Nr, NIP, Firma, Id from kontrahenci group by Nr) as k "
                       "on k.Nr = wyst_faktury.Nr_kontr "
                       "where wyst_faktury.Data_wyst >= ?1 and wyst_faktury.Data_wyst <= ?2 "
                       "order by wyst_faktury.Data_wyst, wyst_faktury.Nr"));
    query.bindValue(1, from);
    query.bindValue(2, to);
    query.open();
}

ListingTotals listingTotals(tv::Query& listing) {
    ListingTotals totals;
    tv::Field net = listing.fieldByName(QStringLiteral("Netto"));
    tv::Field gross = listing.fieldByName(QStringLiteral("Brutto"));
    for (listing.first(); !listing.eof(); listing.next()) {
        totals.net += net.asCurrency();
        totals.gross += gross.asCurrency();
    }
    listing.first();
    return totals;
}

void deleteInvoiceLines(const QString& number) {
    tv::Database::instance().transaction([&] {
        tv::Query::exec(QStringLiteral("delete from wyst_pozycje where Nr_faktury = ?1"), {number});
        dropStockRecord(number);
    });
}

QHash<int, QString> idsByNumber(const QString& table) {
    if (table != QLatin1String("kontrahenci") && table != QLatin1String("sprzedawcy"))
        throw tv::EDatabaseError(QStringLiteral("Nieznany rejestr „%1”").arg(table));
    tv::Query query;
    // In the register's own order: the customers by their key, the sellers
    // as they were added.
    const QString order =
        table == QLatin1String("kontrahenci") ? QStringLiteral("Id, Nr") : QStringLiteral("rowid");
    query.setSql(QStringLiteral("select Nr, Id from %1 where Nr is not null order by %2").arg(table, order));
    query.open();
    QHash<int, QString> ids;
    ids.reserve(query.recordCount());
    tv::Field nr = query.fieldByName(QStringLiteral("Nr"));
    tv::Field id = query.fieldByName(QStringLiteral("Id"));
    for (query.first(); !query.eof(); query.next()) {
        const int number = nr.asInteger();
        if (!ids.contains(number)) ids.insert(number, id.asString());
    }
    return ids;
}

} // namespace invoicing
