#pragma once

#include <optional>

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// Stock of the stock version: which goods the invoice window's picker
// offers, and what a saved invoice takes from stock.
namespace invoicing {

// The goods picker of the stock version offers a goods item when its stock,
// rounded to a whole number (halves to the even number), is above 0.
bool offeredInStock(double stock);

// The Ids of the goods the picker offers, in the collation's order: every
// goods item outside the stock version, only those in stock in it. Goods
// without an Id cannot be picked and are left out.
QStringList goodsPickerIds(bool stockVersion);

// A goods row found by its exact name: the first in the table's order.
struct GoodsStock {
    long long row = 0; // the row's identity in the file
    QString name;
    double stock = 0;
};
std::optional<GoodsStock> findGoodsByName(const QString& name);

// The first goods row, in the table's order, whose Id begins with the text
// (case-sensitive): its Nazwa and Nr, the key the goods cursor is ordered by.
struct GoodsKey {
    QString name;
    QVariant number;
};
std::optional<GoodsKey> findGoodsByIdPrefix(const QString& prefix);

// One line of an invoice as the deduction sees it.
struct StockLine {
    QString name;
    double quantity = 0;
};

// "W magazynie brakuje produktu " and the goods' name.
QString shortageMessage(const QString& goodsName);

// Brings the stock in line with the invoice saved under the number. What was
// taken for that number before is recorded (table rozchody), so only the
// difference moves: more of a goods item is taken from stock, less is given
// back to it, and goods no longer on the invoice get back all that was taken.
// Lines match goods by their exact name; lines without a name, or naming no
// goods, change nothing. Stock never goes below 0: where it holds less than
// the difference, what it holds is taken and recorded, and every line that
// was not covered gets a shortage message. The stock is rounded to two
// decimals and the record holds what the stock actually lost, so a line
// given back restores the stock it came from. Runs as one transaction, joining
// the caller's. Returns the shortage messages, in line order.
QStringList deductInvoiceStock(const QString& invoiceNumber, const QVector<StockLine>& lines);

// Forgets what was taken for the invoice (it was deleted: nothing goes back).
void dropStockRecord(const QString& invoiceNumber);
// The invoice is stored under a new number: its record follows it.
void moveStockRecord(const QString& from, const QString& to);

// What the record holds for the invoice: goods name and quantity taken, in
// the order recorded.
QVector<StockLine> stockRecord(const QString& invoiceNumber);

} // namespace invoicing
