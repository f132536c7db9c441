#include "invoicing/rules/stock.h"

#include <algorithm>
#include <cmath>

#include <QHash>

#include "costing/rules/rounding.h"
#include "platform/table.h"

namespace invoicing {

namespace {

// Quantities are doubles typed with a few decimals; sums of them compare
// with a margin far below any quantity a shop types.
bool above(double a, double b) {
    return a - b > 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

} // namespace

bool offeredInStock(double stock) {
    return std::nearbyint(stock) > 0;
}

QStringList goodsPickerIds(bool stockVersion) {
    tv::Query query;
    query.setSql(QStringLiteral("select Id, Magazyn from towary order by Id"));
    query.open();
    QStringList ids;
    ids.reserve(query.recordCount());
    tv::Field id = query.fieldByName(QStringLiteral("Id"));
    tv::Field stock = query.fieldByName(QStringLiteral("Magazyn"));
    for (query.first(); !query.eof(); query.next()) {
        if (id.isNull()) continue;
        if (stockVersion && !offeredInStock(stock.asFloat())) continue;
        ids << id.asString();
    }
    return ids;
}

std::optional<GoodsStock> findGoodsByName(const QString& name) {
    if (name.isEmpty()) return std::nullopt;
    tv::Query query;
    // The text key compares equal only for identical texts.
    query.setSql(QStringLiteral("select rowid as Wiersz, Nazwa, Magazyn from towary where Nazwa = ?1 "
                                "order by Nazwa, Nr limit 1"));
    query.bindValue(1, name);
    query.open();
    query.first();
    if (query.eof()) return std::nullopt;
    return GoodsStock{query.fieldByName(QStringLiteral("Wiersz")).value().toLongLong(),
                      query.fieldByName(QStringLiteral("Nazwa")).asString(),
                      query.fieldByName(QStringLiteral("Magazyn")).asFloat()};
}

std::optional<GoodsKey> findGoodsByIdPrefix(const QString& prefix) {
    tv::Query query;
    // substr() gives a plain text, so the comparison is exact and
    // case-sensitive, unlike the column's own collation.
    query.setSql(QStringLiteral("select Nazwa, Nr from towary where ?2 = 0 or substr(Id, 1, ?2) = ?1 "
                                "order by Nazwa, Nr limit 1"));
    query.bindValue(1, prefix);
    query.bindValue(2, int(prefix.toUcs4().size()));
    query.open();
    query.first();
    if (query.eof()) return std::nullopt;
    return GoodsKey{query.fieldByName(QStringLiteral("Nazwa")).asString(),
                    query.fieldByName(QStringLiteral("Nr")).value()};
}

QString shortageMessage(const QString& goodsName) {
    return QStringLiteral("W magazynie brakuje produktu ") + goodsName;
}

QVector<StockLine> stockRecord(const QString& invoiceNumber) {
    tv::Query query;
    query.setSql(QStringLiteral("select Nazwa, Ilosc from rozchody where Nr_faktury = ?1 order by rowid"));
    query.bindValue(1, invoiceNumber);
    query.open();
    QVector<StockLine> lines;
    for (query.first(); !query.eof(); query.next())
        lines.append({query.fieldByName(QStringLiteral("Nazwa")).asString(),
                      query.fieldByName(QStringLiteral("Ilosc")).asFloat()});
    return lines;
}

QStringList deductInvoiceStock(const QString& invoiceNumber, const QVector<StockLine>& lines) {
    // The goods of the invoice and of its record, in the order they first
    // appear, each with its lines.
    struct Goods {
        QString name;
        double wanted = 0;
        double recorded = 0;
        QVector<int> lines;
    };
    QVector<Goods> goods;
    QHash<QString, int> indexOf;
    auto entry = [&](const QString& name) -> Goods& {
        auto it = indexOf.constFind(name);
        if (it != indexOf.constEnd()) return goods[it.value()];
        indexOf.insert(name, int(goods.size()));
        Goods added;
        added.name = name;
        goods.append(added);
        return goods.last();
    };

    QVector<std::pair<int, QString>> shortages;
    tv::Database::instance().transaction([&] {
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].name.isEmpty()) continue;
            Goods& g = entry(lines[i].name);
            g.wanted += lines[i].quantity;
            g.lines.append(i);
        }
        for (const StockLine& taken : stockRecord(invoiceNumber))
            entry(taken.name).recorded += taken.quantity;

        QVector<StockLine> record;
        for (const Goods& g : goods) {
            double nowRecorded = g.recorded;
            const std::optional<GoodsStock> row = findGoodsByName(g.name);
            if (row) {
                const double stock = row->stock;
                double newStock = stock;
                if (above(g.wanted, g.recorded)) {
                    const double available = std::max(stock, 0.0);
                    // A line is short when the invoice up to it needs more
                    // than was taken before and the stock held together.
                    double upTo = 0;
                    for (int line : g.lines) {
                        upTo += lines[line].quantity;
                        if (above(upTo, g.recorded + available))
                            shortages.append({line, shortageMessage(row->name)});
                    }
                    if (above(g.wanted - g.recorded, available)) {
                        // A shortage takes what the stock held and leaves
                        // none, even where the stock stood below 0.
                        newStock = 0;
                        nowRecorded = g.recorded + available;
                    } else {
                        // Rounding never makes a deduction add to the stock.
                        newStock = std::min(Zaokraglij(stock - (g.wanted - g.recorded)), stock);
                        nowRecorded = g.recorded + (stock - newStock);
                    }
                } else if (above(g.recorded, g.wanted)) {
                    newStock = std::max(Zaokraglij(stock + (g.recorded - g.wanted)), stock);
                    nowRecorded = g.recorded - (newStock - stock);
                }
                if (newStock != stock)
                    tv::Query::exec(QStringLiteral("update towary set Magazyn = ?1 where rowid = ?2"),
                                    {newStock, row->row});
            }
            // Goods that are gone keep what was taken for them on record;
            // what is left of a give-back after rounding is nothing.
            if (above(std::fabs(nowRecorded), 0)) record.append({g.name, nowRecorded});
        }

        dropStockRecord(invoiceNumber);
        for (const StockLine& taken : record)
            tv::Query::exec(
                QStringLiteral("insert into rozchody (Nr_faktury, Nazwa, Ilosc) values (?1, ?2, ?3)"),
                {invoiceNumber, taken.name, taken.quantity});
    });

    std::stable_sort(shortages.begin(), shortages.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList messages;
    for (const auto& shortage : shortages)
        messages << shortage.second;
    return messages;
}

void dropStockRecord(const QString& invoiceNumber) {
    tv::Query::exec(QStringLiteral("delete from rozchody where Nr_faktury = ?1"), {invoiceNumber});
}

void moveStockRecord(const QString& from, const QString& to) {
    if (from == to) return;
    tv::Database::instance().transaction([&] {
        // The new number's own record, if any, is replaced by the moved one.
        dropStockRecord(to);
        tv::Query::exec(QStringLiteral("update rozchody set Nr_faktury = ?1 where Nr_faktury = ?2"),
                        {to, from});
    });
}

} // namespace invoicing
