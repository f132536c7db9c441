// The stock version on the invoice window: the goods picker, the stock
// question before a save and the deduction of a saved invoice.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/registers/goods.h"
#include "invoicing/rules/stock.h"
#include "platform/table.h"
#include "platform/ui/controls.h"
#include "platform/ui/messages.h"

namespace {

QStringList itemsOf(const QComboBox* combo) {
    QStringList items;
    items.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// Where a goods row of that key stands in a cursor ordered by the goods'
// key, counting from 1; 0 when the cursor does not show it there.
int positionOfGoods(tv::Table& goods, const invoicing::GoodsKey& key) {
    tv::Query before;
    before.setSql(QStringLiteral(
        "select count(*) from towary where (Nazwa is null and ?1 is not null) or Nazwa < ?1 or "
        "(Nazwa is ?1 and ((Nr is null and ?2 is not null) or Nr < ?2))"));
    before.bindValue(1, key.name.isEmpty() ? QVariant() : QVariant(key.name));
    before.bindValue(2, key.number);
    before.open();
    before.first();
    const int recNo = before.field(0).asInteger() + 1;
    const int name = goods.layout().fieldIndex(QStringLiteral("Nazwa"));
    const int number = goods.layout().fieldIndex(QStringLiteral("Nr"));
    if (recNo > goods.recordCount() || goods.valueAt(recNo, name).toString() != key.name ||
        goods.valueAt(recNo, number) != key.number)
        return 0;
    return recNo;
}

} // namespace

void TForm_fa1::bindStockHandlers() {
    // The picker lists goods by their Id; completing typed text into an Id
    // of another case would choose goods the operator did not type.
    ComboBox5->setCompleter(nullptr);
    tv::ui::onKeyDown(ComboBox5,
                      [this](int& key, Qt::KeyboardModifiers) { ComboBox5KeyPress(ComboBox5, key); });
    tv::ui::onChange(ComboBox5, [this] { ComboBox5Change(ComboBox5); });
    tv::ui::onClick(static_cast<QAbstractButton*>(Button1), [this] { Button1Click(Button1); });
}

bool TForm_fa1::stockVersion() const {
    return Form_fa10 && Form_fa10->CheckBox1->isChecked();
}

// The picker is read from the goods table itself, not through the goods
// register's cursor, whose search may hide goods. Its text stays. Every key
// in the picker asks for the list again: it is read only when the tables
// may have changed since, and set only when it differs, so that a keystroke
// stays quick with many goods.
void TForm_fa1::WypelnijListeTowarow() {
    const tv::Database::ChangeStamp stamp = tv::Database::instance().changeStamp();
    const bool stock = stockVersion();
    if (m_goodsListStamp == stamp && m_goodsListStock == stock) return;
    const QStringList ids = invoicing::goodsPickerIds(stock);
    m_goodsListStamp = stamp;
    m_goodsListStock = stock;
    if (ids == itemsOf(ComboBox5)) return;
    const QString text = ComboBox5->currentText();
    const QSignalBlocker quiet(ComboBox5);
    ComboBox5->clear();
    ComboBox5->addItems(ids);
    ComboBox5->setCurrentIndex(-1);
    ComboBox5->setEditText(text);
}

void TForm_fa1::ComboBox5KeyPress(QObject*, int&) {
    WypelnijListeTowarow();
}

// Positions the goods register on the first goods, in the table's order,
// whose Id begins with the picker's text (letters of another case differ);
// when none does, the register stays where it was. The register's search is
// cleared first when it hides those goods (each showing of the register
// clears it anyway).
void TForm_fa1::ComboBox5Change(QObject*) {
    if (!Form_fa5) return;
    const std::optional<invoicing::GoodsKey> key = invoicing::findGoodsByIdPrefix(ComboBox5->currentText());
    if (!key) return;
    tv::Table& goods = *Form_fa5->towary;
    // A pending record is settled first, so that the positions counted are
    // those of the stored rows.
    if (goods.state() != tv::Table::State::Browse) goods.refresh();
    int recNo = positionOfGoods(goods, *key);
    if (recNo == 0) {
        Form_fa5->Panel1Click(Form_fa5->Panel1);
        recNo = positionOfGoods(goods, *key);
    }
    if (recNo > 0 && recNo != goods.recNo()) goods.moveTo(recNo);
}

bool TForm_fa1::askStockQuestion() {
    if (!stockVersion() || pozycje->isEmpty()) return true;
    return tv::ui::askYesNo(
        QStringLiteral("Naciśnięcie tak spowoduje odjęcie produktów z magazynu kontynuować ?"),
        QStringLiteral("Uwaga"), tv::ui::Icon::Warning);
}

// The lines as stored in the working table: the window's line commands have
// posted the pending line before a save comes here.
QStringList TForm_fa1::deductStock(const QString& numer) {
    if (!stockVersion()) return {};
    QVector<invoicing::StockLine> lines;
    const int name = pozycje->layout().fieldIndex(QStringLiteral("Nazwa"));
    const int quantity = pozycje->layout().fieldIndex(QStringLiteral("Ilosc"));
    const int count = pozycje->recordCount();
    lines.reserve(count);
    for (int row = 1; row <= count; ++row)
        lines.append({pozycje->valueAt(row, name).toString(), pozycje->valueAt(row, quantity).toDouble()});
    const QStringList shortages = invoicing::deductInvoiceStock(numer, lines);
    // The goods register shows the new stock, unless the operator is editing
    // a record there (posting it later writes only what was typed). Should
    // the caller's transaction roll back, the register reads the table again.
    if (Form_fa5 && Form_fa5->towary->state() == tv::Table::State::Browse) Form_fa5->towary->refresh();
    return shortages;
}

void TForm_fa1::Button1Click(QObject*) {
    QStringList shortages;
    tv::Database::instance().transaction([&] { shortages = deductStock(Edit5->text()); });
    for (const QString& message : shortages)
        tv::ui::showMessage(message, QStringLiteral("Uwaga"), tv::ui::Icon::Warning, tv::ui::Buttons::Ok);
    WypelnijListeTowarow();
}
