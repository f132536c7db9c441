#include "invoicing/rules/printout_texts.h"

namespace invoicing {

namespace {

const QString bullet = QStringLiteral(" \u2022 ");

QString addressLine(const PartyFields& party) {
    return party.Ulica + QStringLiteral(", ") + party.Kod + u' ' + party.Miejscowosc;
}

QString taxLine(const PartyFields& party) {
    QString line = party.NIP.isEmpty() ? QString() : QStringLiteral("NIP: ") + party.NIP;
    if (!party.REGON.isEmpty()) line += bullet + QStringLiteral("REGON: ") + party.REGON;
    return line;
}

QString phoneLine(const PartyFields& party, const QString& phonePrefix, const QString& faxCaption) {
    QString line = party.Telefon.isEmpty() ? QString() : phonePrefix + party.Telefon;
    if (!party.Faks.isEmpty()) line += bullet + faxCaption + party.Faks;
    return line;
}

// The lines after the address: tax, phone and, when there is one, the e-mail.
void addContactLines(QStringList& block, const PartyFields& party, const QString& phonePrefix,
                     Printout printout) {
    block << taxLine(party);
    block << phoneLine(party, phonePrefix,
                       printout == Printout::Bill ? QStringLiteral("Faks: ") : QStringLiteral("Fax: "));
    if (!party.Email.isEmpty()) block << QStringLiteral("Email: ") + party.Email;
}

} // namespace

QStringList sellerBlock(const PartyFields& party, Printout printout) {
    QStringList block{party.Firma};
    const QString address = addressLine(party);
    if (printout == Printout::VatInvoice || address.size() > 4) block << address;
    addContactLines(block, party, QStringLiteral("tel. "), printout);
    return block;
}

QStringList customerBlock(const PartyFields& party, Printout printout) {
    QStringList block{party.Firma};
    QString address = addressLine(party);
    if (!party.Kraj.isEmpty()) address += u' ' + party.Kraj;
    if (printout == Printout::Bill || address.size() > 5) block << address;
    addContactLines(block, party,
                    printout == Printout::Bill ? QStringLiteral("tel.") : QStringLiteral("tel. "), printout);
    return block;
}

QStringList bankLines(const PartyFields& party, Printout printout) {
    const bool shown = printout == Printout::Bill ? !party.Nr_rku.isEmpty() : !party.Bank.isEmpty();
    if (!shown) return {QString(), QString(), QString()};
    const QString heading = printout == Printout::Bill ? QStringLiteral("Nr rachunku bankowego:")
                                                       : QStringLiteral("Nr rachunku bankowego");
    return {heading, party.Bank, party.Nr_rku};
}

QString printoutDate(const QDate& date) {
    return QStringLiteral("%1/%2/%3")
        .arg(date.day())
        .arg(date.month(), 2, 10, QChar(u'0'))
        .arg(date.year(), 4, 10, QChar(u'0'));
}

QString saleMonthText(const QDate& date) {
    static const char* const months[] = {"styczeń",  "luty",        "marzec",   "kwiecień",
                                         "maj",      "czerwiec",    "lipiec",   "sierpień",
                                         "wrzesień", "październik", "listopad", "grudzień"};
    return QString::fromUtf8(months[date.month() - 1]) + u' ' +
           QStringLiteral("%1").arg(date.year(), 4, 10, QChar(u'0'));
}

QString paymentTermText(const QString& term, const QDate& paymentDate) {
    return term == QStringLiteral("Inne") ? printoutDate(paymentDate) : term;
}

QString previewCaption(FormaWydruku form) {
    return copyCaptions(form).first();
}

QStringList copyCaptions(FormaWydruku form) {
    const QString original = QStringLiteral("Oryginał");
    const QString copy = QStringLiteral("Kopia");
    switch (form) {
    case FormaWydruku::OryginalIKopia:
        return {original, copy};
    case FormaWydruku::OryginalI2Kopie:
        return {original, copy, copy};
    case FormaWydruku::BezNapisu:
        return {QString()};
    case FormaWydruku::OryginalKopia2x:
        break;
    }
    const QString both = QStringLiteral("Oryginał \\ Kopia");
    return {both, both};
}

} // namespace invoicing
