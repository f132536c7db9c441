#include "invoicing/rules/invoice_store.h"

#include <iterator>

#include <QStringList>
#include <QVariant>

#include "costing/rules/vat_rates.h"
#include "invoicing/rules/numbering.h"
#include "invoicing/rules/stock.h"
#include "platform/convert.h"
#include "platform/table.h"

namespace invoicing {

namespace {

// The header's fields in the table's order, as the statements name them.
const char* const kHeaderFields[] = {"Nr",      "Nr_sprzed", "Nr_kontr",   "Rodzaj",     "Data_wyst",
                                     "Data_pl", "Forma_pl",  "Netto",      "WartoscVAT", "Brutto",
                                     "Data_sp", "Termin_pl", "Zamowienie", "Sp_wysylki", "Mies_sp",
                                     "Rodz_fa", "Rodz_wy",   "Rabat"};
// The line fields stored with each line, and the number that links them.
const char* const kLineFields[] = {"Lp",    "Nazwa",    "Ilosc",  "VAT",        "Jm",
                                   "Netto", "KwotaVAT", "Brutto", "Netto_jedn", "PKWiU"};

QString fieldList(std::initializer_list<const char*> extra, const char* const* fields, int count) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QString::fromLatin1(fields[i]);
    for (const char* name : extra)
        names << QString::fromLatin1(name);
    return names.join(QLatin1String(", "));
}

QString marks(int count) {
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("?");
    return u'(' + list.join(u',') + u')';
}

// The tables keep an empty text as no value.
QVariant text(const QString& value) {
    return value.isEmpty() ? QVariant() : QVariant(value);
}
QVariant date(const QDate& value) {
    return value.isValid() ? QVariant(value) : QVariant();
}
template <typename T> QVariant optional(const std::optional<T>& value) {
    return value ? QVariant(*value) : QVariant();
}

QVector<QVariant> headerValues(const InvoiceHeader& h) {
    return {text(h.number),    optional(h.seller),  optional(h.customer), h.documentType,
            date(h.issueDate), date(h.paymentDate), text(h.paymentForm),  h.net.toDouble(),
            h.vat.toDouble(),  h.gross.toDouble(),  date(h.saleDate),     text(h.paymentTerm),
            text(h.order),     text(h.shipping),    h.saleMonth,          h.documentKind,
            h.printForm,       optional(h.discount)};
}

void appendLineValues(QVector<QVariant>& values, const InvoiceLine& line) {
    values << optional(line.lp) << text(line.name) << optional(line.quantity) << text(line.vat)
           << text(line.unit) << optional(line.net) << optional(line.vatAmount) << optional(line.gross)
           << optional(line.unitNet) << text(line.pkwiu);
}

std::optional<int> intOf(const tv::Field& field) {
    if (field.isNull()) return std::nullopt;
    return field.asInteger();
}
std::optional<double> floatOf(const tv::Field& field) {
    if (field.isNull()) return std::nullopt;
    return field.asFloat();
}

InvoiceLine lineOf(tv::Query& query) {
    InvoiceLine line;
    line.lp = intOf(query.fieldByName(QStringLiteral("Lp")));
    line.name = query.fieldByName(QStringLiteral("Nazwa")).asString();
    line.quantity = floatOf(query.fieldByName(QStringLiteral("Ilosc")));
    line.vat = query.fieldByName(QStringLiteral("VAT")).asString();
    line.unit = query.fieldByName(QStringLiteral("Jm")).asString();
    line.net = floatOf(query.fieldByName(QStringLiteral("Netto")));
    line.vatAmount = floatOf(query.fieldByName(QStringLiteral("KwotaVAT")));
    line.gross = floatOf(query.fieldByName(QStringLiteral("Brutto")));
    line.unitNet = floatOf(query.fieldByName(QStringLiteral("Netto_jedn")));
    line.pkwiu = query.fieldByName(QStringLiteral("PKWiU")).asString();
    return line;
}

int fieldSize(const QString& table, const QString& field) {
    const tv::TableLayout* layout = tv::layoutFor(table);
    const int index = layout ? layout->fieldIndex(field) : -1;
    return index < 0 ? 0 : layout->fields[index].size;
}

void checkLength(const QString& value, const QString& table, const QString& field, const QString& label,
                 const QString& where = QString()) {
    const int size = fieldSize(table, field);
    if (size <= 0 || value.size() <= size) return;
    const QString subject = where.isEmpty() ? QStringLiteral("Pole") : where + QStringLiteral("pole");
    throw SaveRefused(QStringLiteral("%1 „%2” mieści najwyżej %3 znaków, a „%4” ma ich %5. "
                                     "Skróć ten tekst; faktury nie zapisano.")
                          .arg(subject, label)
                          .arg(size)
                          .arg(value)
                          .arg(value.size()));
}

const char* partyTable(Party party) {
    return party == Party::Seller ? "sprzedawcy" : "kontrahenci";
}

} // namespace

// ---- codes -------------------------------------------------------------------------

int documentTypeCode(const DocumentKindButtons& shown) {
    return shown.vat ? 1 : 2;
}

int documentKindCode(const DocumentKindButtons& shown) {
    if (shown.vat) return 1;
    if (shown.vatRR) return 2;
    return 3;
}

int printFormCode(const PrintFormButtons& shown) {
    if (shown[0]) return 1;
    if (shown[1]) return 2;
    if (shown[3]) return 4;
    return 3;
}

DocumentKindButtons documentKindOnLoad(int documentKind, int documentType, const DocumentKindButtons& shown) {
    if (documentKind == -1) {
        DocumentKindButtons kind{false, false, shown.bill};
        if (documentType == 1) kind = {true, false, false};
        if (documentType == 2) kind = {false, true, false};
        return kind;
    }
    return {documentKind == 1, documentKind == 2, documentKind == 3};
}

PrintFormButtons printFormOnLoad(int printForm, const PrintFormButtons& shown) {
    if (printForm <= 0) return shown;
    return {printForm == 1, printForm == 2, printForm == 3, printForm == 4};
}

std::optional<int> storedDiscount(bool checked, const QString& percentage) {
    if (!checked) return std::nullopt;
    int value = 0;
    if (!tv::TryStrToInt(percentage, value))
        throw SaveRefused(QStringLiteral("Rabat „%1” nie jest liczbą całkowitą, a faktura przechowuje "
                                         "rabat w pełnych procentach. Faktury nie zapisano.")
                              .arg(percentage));
    return value;
}

// ---- parties ---------------------------------------------------------------------------

std::optional<int> partyNumber(Party party, const QString& id, std::optional<int> chosen) {
    if (id.isEmpty()) return std::nullopt;
    const QString table = QString::fromLatin1(partyTable(party));
    tv::Query query;
    if (chosen) {
        query.setSql(QStringLiteral("select Id from %1 where Nr = ?").arg(table));
        query.bindValue(1, *chosen);
        query.open();
        for (query.first(); !query.eof(); query.next())
            if (query.field(0).asString() == id) return chosen;
        query.close();
    }
    tv::Query byId;
    byId.setSql(QStringLiteral("select Nr from %1 where Id = ?").arg(table));
    byId.bindValue(1, id);
    byId.open();
    if (!byId.eof()) return intOf(byId.field(0)).value_or(0);
    throw SaveRefused(party == Party::Seller
                          ? QStringLiteral("Sprzedawcy „%1” nie ma w rejestrze sprzedawców. Wybierz "
                                           "sprzedawcę z listy; faktury nie zapisano.")
                                .arg(id)
                          : QStringLiteral("Kontrahenta „%1” nie ma w rejestrze kontrahentów. Wybierz "
                                           "kontrahenta z listy; faktury nie zapisano.")
                                .arg(id));
}

std::optional<PartyRow> findParty(Party party, int number) {
    tv::Query query;
    query.setSql(QStringLiteral("select Nr, Id, Nazwisko from %1 where Nr = ?")
                     .arg(QString::fromLatin1(partyTable(party))));
    query.bindValue(1, number);
    query.open();
    if (query.eof()) return std::nullopt;
    return PartyRow{query.field(0).asInteger(), query.field(1).asString(), query.field(2).asString()};
}

// ---- working lines --------------------------------------------------------------------------

QVector<InvoiceLine> readLines(tv::Table& lines) {
    const tv::TableLayout& layout = lines.layout();
    int at[10];
    for (int i = 0; i < 10; ++i)
        at[i] = layout.fieldIndex(QString::fromLatin1(kLineFields[i]));
    auto number = [](const QVariant& v) { return v.isNull() ? std::optional<double>() : v.toDouble(); };
    QVector<InvoiceLine> result;
    const int count = lines.recordCount();
    result.reserve(count);
    for (int row = 1; row <= count; ++row) {
        InvoiceLine line;
        const QVariant lp = lines.valueAt(row, at[0]);
        if (!lp.isNull()) line.lp = lp.toInt();
        line.name = lines.valueAt(row, at[1]).toString();
        line.quantity = number(lines.valueAt(row, at[2]));
        line.vat = lines.valueAt(row, at[3]).toString();
        line.unit = lines.valueAt(row, at[4]).toString();
        line.net = number(lines.valueAt(row, at[5]));
        line.vatAmount = number(lines.valueAt(row, at[6]));
        line.gross = number(lines.valueAt(row, at[7]));
        line.unitNet = number(lines.valueAt(row, at[8]));
        line.pkwiu = lines.valueAt(row, at[9]).toString();
        result.append(line);
    }
    return result;
}

void replaceLines(tv::Table& lines, const QVector<InvoiceLine>& with) {
    const QString table = lines.layout().name;
    tv::Database::instance().transaction([&] {
        lines.emptyTable();
        if (with.isEmpty()) return;
        QVector<QVariant> values;
        QStringList rows;
        int lp = 0;
        for (InvoiceLine line : with) {
            line.lp = ++lp;
            appendLineValues(values, line);
            rows << marks(10);
        }
        tv::Query::exec(QStringLiteral("insert into %1 (%2) values %3")
                            .arg(table, fieldList({}, kLineFields, 10), rows.join(u',')),
                        values);
    });
    lines.refresh();
    lines.first();
}

// ---- storing and loading -----------------------------------------------------------------------

bool invoiceStored(const QString& number) {
    tv::Query query;
    query.setSql(QStringLiteral("select 1 from wyst_faktury where Nr = ? limit 1"));
    query.bindValue(1, number);
    query.open();
    return !query.eof();
}

void checkInvoice(const InvoiceHeader& header, const QVector<InvoiceLine>& lines,
                  const QString& storedNumber) {
    const QString invoices = QStringLiteral("wyst_faktury");
    if (header.number.isEmpty())
        throw SaveRefused(
            QStringLiteral("Faktura nie ma numeru. Wpisz numer faktury; faktury nie zapisano."));
    if (header.number.size() > kNumberLength)
        throw SaveRefused(QStringLiteral("Numer faktury „%1” ma %2 znaków, a mieści się najwyżej %3. "
                                         "Skróć go albo zmień format numeracji w administracji; "
                                         "faktury nie zapisano.")
                              .arg(header.number)
                              .arg(header.number.size())
                              .arg(kNumberLength));
    if (header.number != storedNumber && invoiceStored(header.number))
        throw SaveRefused(QStringLiteral("Faktura o numerze „%1” jest już zapisana. Nadaj tej fakturze "
                                         "inny numer; faktury nie zapisano.")
                              .arg(header.number));
    checkLength(header.paymentForm, invoices, QStringLiteral("Forma_pl"), QStringLiteral("Forma płatności"));
    checkLength(header.paymentTerm, invoices, QStringLiteral("Termin_pl"),
                QStringLiteral("Termin płatności"));
    checkLength(header.order, invoices, QStringLiteral("Zamowienie"), QStringLiteral("Zamówienie"));
    checkLength(header.shipping, invoices, QStringLiteral("Sp_wysylki"), QStringLiteral("Sposób wysyłki"));
    const QString lineTable = QStringLiteral("wyst_pozycje");
    for (int i = 0; i < lines.size(); ++i) {
        const InvoiceLine& line = lines[i];
        const QString where = QStringLiteral("W pozycji %1 ").arg(i + 1);
        if (!costing::isValidLineRate(line.vat))
            throw SaveRefused(QStringLiteral("Pozycja %1 („%2”) ma niewłaściwą stawkę VAT „%3”. Popraw "
                                             "stawkę; faktury nie zapisano.")
                                  .arg(i + 1)
                                  .arg(line.name, line.vat));
        checkLength(line.name, lineTable, QStringLiteral("Nazwa"), QStringLiteral("Nazwa"), where);
        checkLength(line.unit, lineTable, QStringLiteral("Jm"), QStringLiteral("Jm"), where);
        checkLength(line.pkwiu, lineTable, QStringLiteral("PKWiU"), QStringLiteral("PKWiU"), where);
    }
}

void saveInvoice(const InvoiceHeader& header, const QVector<InvoiceLine>& lines,
                 const QString& storedNumber) {
    // Checked before the transaction begins: a refusal rolls nothing back,
    // so no view of any table has to read its rows again.
    checkInvoice(header, lines, storedNumber);
    tv::Database::instance().transaction([&] {
        const int headerCount = int(std::size(kHeaderFields));
        QVector<QVariant> values = headerValues(header);
        if (!storedNumber.isEmpty() && invoiceStored(storedNumber)) {
            // The stored row keeps its place in the register; only its values change.
            QStringList assignments;
            for (const char* field : kHeaderFields)
                assignments << QStringLiteral("%1 = ?").arg(QString::fromLatin1(field));
            values << storedNumber;
            tv::Query::exec(
                QStringLiteral("update wyst_faktury set %1 where Nr = ?").arg(assignments.join(u',')),
                values);
            // What the stock version took for the invoice follows it to its new number.
            if (storedNumber != header.number) moveStockRecord(storedNumber, header.number);
        } else {
            tv::Query::exec(QStringLiteral("insert into wyst_faktury (%1) values %2")
                                .arg(fieldList({}, kHeaderFields, headerCount), marks(headerCount)),
                            values);
        }
        const QString removeLines = QStringLiteral("delete from wyst_pozycje where Nr_faktury = ?");
        if (!storedNumber.isEmpty()) tv::Query::exec(removeLines, {storedNumber});
        if (storedNumber != header.number) tv::Query::exec(removeLines, {header.number});
        if (lines.isEmpty()) return;
        QVector<QVariant> lineValues;
        QStringList rows;
        lineValues.reserve(lines.size() * 11);
        for (const InvoiceLine& line : lines) {
            appendLineValues(lineValues, line);
            lineValues << header.number;
            rows << marks(11);
        }
        tv::Query::exec(QStringLiteral("insert into wyst_pozycje (%1) values %2")
                            .arg(fieldList({"Nr_faktury"}, kLineFields, 10), rows.join(u',')),
                        lineValues);
    });
}

std::optional<InvoiceHeader> loadHeader(const QString& number) {
    tv::Query query;
    query.setSql(QStringLiteral("select %1 from wyst_faktury where Nr = ?")
                     .arg(fieldList({}, kHeaderFields, int(std::size(kHeaderFields)))));
    query.bindValue(1, number);
    query.open();
    if (query.eof()) return std::nullopt;
    auto f = [&query](const char* name) { return query.fieldByName(QString::fromLatin1(name)); };
    InvoiceHeader h;
    h.number = f("Nr").asString();
    h.seller = intOf(f("Nr_sprzed"));
    h.customer = intOf(f("Nr_kontr"));
    h.documentType = f("Rodzaj").asInteger();
    h.issueDate = f("Data_wyst").asDate();
    h.paymentDate = f("Data_pl").asDate();
    h.paymentForm = f("Forma_pl").asString();
    h.net = f("Netto").asCurrency();
    h.vat = f("WartoscVAT").asCurrency();
    h.gross = f("Brutto").asCurrency();
    h.saleDate = f("Data_sp").asDate();
    h.paymentTerm = f("Termin_pl").asString();
    h.order = f("Zamowienie").asString();
    h.shipping = f("Sp_wysylki").asString();
    h.saleMonth = f("Mies_sp").asInteger();
    h.documentKind = f("Rodz_fa").asInteger();
    h.printForm = f("Rodz_wy").asInteger();
    h.discount = intOf(f("Rabat"));
    return h;
}

QVector<InvoiceLine> loadLines(const QString& number) {
    tv::Query query;
    query.setSql(QStringLiteral("select %1 from wyst_pozycje where Nr_faktury = ? order by Lp, rowid")
                     .arg(fieldList({}, kLineFields, 10)));
    query.bindValue(1, number);
    query.open();
    QVector<InvoiceLine> lines;
    lines.reserve(query.recordCount());
    for (query.first(); !query.eof(); query.next())
        lines.append(lineOf(query));
    return lines;
}

} // namespace invoicing
