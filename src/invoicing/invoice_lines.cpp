// The lines of the invoice: the line rule that keeps each line's figures,
// the line commands and keys, goods lines and the discount.

#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/goods.h"
#include "invoicing/registers/issued_invoices.h"
#include "invoicing/rules/invoice_header.h"
#include "invoicing/rules/invoice_lines.h"
#include "invoicing/rules/stock.h"
#include "platform/errors.h"
#include "platform/table.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware.h"
#include "platform/ui/messages.h"

namespace {

bool editing(const tv::Table& table) {
    return table.state() == tv::Table::State::Edit || table.state() == tv::Table::State::Insert;
}

void warn(const QString& text) {
    tv::ui::showMessage(text, QStringLiteral("Uwaga"), tv::ui::Icon::Warning);
}

QString invalidDiscount() {
    return QStringLiteral("Niewłaściwa wartość rabatu");
}

// Sets a flag for the length of a scope, also when it ends with an error.
class Raise {
public:
    explicit Raise(bool& flag, bool value = true) : m_flag(flag), m_old(flag) { m_flag = value; }
    ~Raise() { m_flag = m_old; }
    Raise(const Raise&) = delete;
    Raise& operator=(const Raise&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

double lineRate(const QString& code) {
    return costing::isValidLineRate(code) ? costing::lineVatRate(code) : 0.0;
}

} // namespace

bool TForm_fa1::loadedLinesUnknown() const {
    return Form_fa2 && Form_fa2->loadedInvoice;
}

void TForm_fa1::warnOutsideTransaction(const QString& text) {
    if (tv::Database::instance().inTransaction())
        m_heldWarnings << text;
    else
        warn(text);
}

void TForm_fa1::showingHeldWarnings(const std::function<void()>& work) {
    try {
        work();
    } catch (...) {
        showHeldWarnings();
        throw;
    }
    showHeldWarnings();
}

void TForm_fa1::showHeldWarnings() {
    // Work nested in a transaction still open leaves them to whoever runs it.
    if (tv::Database::instance().inTransaction()) return;
    const QStringList held = std::exchange(m_heldWarnings, {});
    for (const QString& text : held)
        warn(text);
}

void TForm_fa1::pozycjeCalcFields(tv::Table& DataSet) {
    if (!editing(DataSet) || !LiczPozycje) return;
    Raise guard(LiczPozycje, false);
    if (!m_pricing) invoicing::keepTypedPriceUndiscounted(DataSet);
    invoicing::applyLineFigures(DataSet, TrybVatRR);
    if (!stockVersion() || loadedLinesUnknown()) return;
    const std::optional<invoicing::StockShortage> shortage =
        invoicing::stockShortage(DataSet.fieldByName(QStringLiteral("Nazwa")).asString(),
                                 DataSet.fieldByName(QStringLiteral("Ilosc")).asFloat(), storedNumber);
    if (!shortage) return;
    warnOutsideTransaction(invoicing::shortageMessage(shortage->goodsName));
    DataSet.fieldByName(QStringLiteral("Ilosc")).setAsFloat(shortage->available);
    // The figures follow the cut quantity at once.
    invoicing::applyLineFigures(DataSet, TrybVatRR);
}

// A line is posted only with a rate it can be figured with; otherwise it
// stays open for the operator to correct, and whoever asked for the post is
// told why.
void TForm_fa1::checkLineRate(tv::Table& lines) {
    const QString rate = lines.fieldByName(QStringLiteral("VAT")).asString();
    if (!costing::isValidLineRate(rate)) throw tv::Error(invoicing::invalidRateMessage(rate));
}

void TForm_fa1::SpeedButton20Click(QObject*) {
    const int lp = pozycje->recordCount() + 1;
    pozycje->append();
    pozycje->fieldByName(QStringLiteral("Lp")).setAsInteger(lp);
    // Whatever price is typed in is the line's undiscounted price.
    pozycje->fieldByName(QStringLiteral("Rabat")).setAsCurrency(tv::Currency());
    const int row = pozycje->recNo() - 1;
    if (row >= 0) {
        DBGrid1->setCurrentIndex(DBGrid1->model()->index(row, 1));
        DBGrid1->setFocus(Qt::OtherFocusReason);
    }
}

void TForm_fa1::SpeedButton19Click(QObject*) {
    if (pozycje->recordCount() == 0) return;
    if (tv::ui::askYesNo(QStringLiteral("Czy na pewno usunąć wybraną pozycję?"), QString()))
        pozycje->remove();
    Przelicz();
}

void TForm_fa1::SpeedButton21Click(QObject*) {
    pozycje->edit();
}

void TForm_fa1::SpeedButton14Click(QObject*) {
    if (editing(*pozycje)) pozycje->post();
    Przelicz();
}

void TForm_fa1::SpeedButton15Click(QObject*) {
    pozycje->cancel();
    Przelicz();
}

void TForm_fa1::SpeedButton32Click(QObject*) {
    pozycje->refresh();
    Przelicz();
}

// The keys this handler acts on are its own: the grid does not act on them
// again.
void TForm_fa1::DBGrid1KeyDown(QObject*, int& Key, Qt::KeyboardModifiers) {
    switch (Key) {
    case tv::ui::VK_DELETE:
        Key = 0;
        SpeedButton19Click(DBGrid1);
        break;
    case tv::ui::VK_INSERT:
        Key = 0;
        SpeedButton20Click(DBGrid1);
        break;
    case tv::ui::VK_RETURN:
        Key = 0;
        if (editing(*pozycje))
            SpeedButton14Click(DBGrid1);
        else
            SpeedButton21Click(DBGrid1);
        break;
    case tv::ui::VK_ESCAPE:
        Key = 0;
        SpeedButton15Click(DBGrid1);
        break;
    default:
        break;
    }
}

void TForm_fa1::SpeedButton11Click(QObject*) {
    const bool stock = stockVersion();
    if (stock && ComboBox5->currentText().isEmpty()) {
        warn(QStringLiteral("Proszę wybrac towar z listy"));
        return;
    }
    if (towary->recordCount() == 0) return;
    tv::Table* goods = towary;
    if (stock) {
        goods = Form_fa5 ? Form_fa5->towary : nullptr;
        // The goods the picker's text names, found again: the register's
        // cursor may have moved since the choice, and a text that names no
        // goods must not add whatever goods the cursor stands on.
        const std::optional<invoicing::GoodsKey> key = invoicing::findGoodsByIdPrefix(ComboBox5->currentText());
        if (goods && key) {
            ComboBox5Change(ComboBox5);
            if (goods->eof() || goods->fieldByName(QStringLiteral("Nazwa")).asString() != key->name ||
                goods->fieldByName(QStringLiteral("Nr")).value() != key->number)
                goods = nullptr;
        } else {
            goods = nullptr;
        }
        if (!goods || goods->eof()) {
            warn(QStringLiteral("Proszę wybrac towar z listy"));
            return;
        }
    } else {
        // The row the operator chose in the list, never wherever the cursor stands.
        const QVariant key = DBLookupComboBox3->keyValue();
        const int row = key.isNull() ? 0 : invoicing::findRow(*towary, QStringLiteral("Nr"), key.toInt());
        if (row == 0) {
            warn(QStringLiteral("Proszę wybrac towar z listy"));
            return;
        }
        towary->moveTo(row);
    }
    const QString name = goods->fieldByName(QStringLiteral("Nazwa")).asString();
    const QString unit = goods->fieldByName(QStringLiteral("Jm")).asString();
    const QString kind = goods->fieldByName(QStringLiteral("Klasa")).asString().left(3);
    const QString rateCode = goods->fieldByName(QStringLiteral("VAT")).asString();
    const QString pkwiu = goods->fieldByName(QStringLiteral("PKWiU")).asString();
    const double goodsPrice = goods->fieldByName(QStringLiteral("Netto")).asFloat();

    const int lp = pozycje->recordCount() + 1;
    pozycje->append();
    pozycje->fieldByName(QStringLiteral("Lp")).setAsInteger(lp);
    pozycje->fieldByName(QStringLiteral("Nazwa")).setAsString(name);
    pozycje->fieldByName(QStringLiteral("Ilosc")).setAsFloat(1.0);
    pozycje->fieldByName(QStringLiteral("Jm")).setAsString(unit);
    pozycje->fieldByName(QStringLiteral("Klasa")).setAsString(kind);

    double x = goodsPrice;
    if (CheckBox2->isChecked()) {
        float d = 0;
        if (invoicing::readDiscount(ComboBox6->currentText(), d))
            x = invoicing::discountedPrice(x, d);
        else
            warn(invalidDiscount());
    }
    const double rate = lineRate(rateCode);
    {
        Raise pricing(m_pricing);
        pozycje->fieldByName(QStringLiteral("Netto_jedn")).setAsFloat(x);
        pozycje->fieldByName(QStringLiteral("Netto")).setAsFloat(x);
        pozycje->fieldByName(QStringLiteral("VAT")).setAsString(rateCode);
        pozycje->fieldByName(QStringLiteral("PKWiU")).setAsString(pkwiu);
        pozycje->fieldByName(QStringLiteral("KwotaVAT")).setAsFloat(x * rate * 0.01);
        pozycje->fieldByName(QStringLiteral("Brutto")).setAsFloat(x * rate * 0.01 + x);
        invoicing::setDiscountTaken(*pozycje, goodsPrice, x);
    }
    pozycje->post();
    Przelicz();
}

void TForm_fa1::CheckBox2Click(QObject*) {
    if (CheckBox2->isChecked())
        UdzielRabatu();
    else if (handOver)
        handOver();
    Przelicz();
}

// Applies the percentage to the current unit prices, so that applying it
// twice compounds it; a line keeps what was taken off its undiscounted price.
void TForm_fa1::UdzielRabatu() {
    float d = 0;
    const bool valid = invoicing::readDiscount(ComboBox6->currentText(), d);
    const bool unknown = loadedLinesUnknown();
    Raise pricing(m_pricing);
    // The percentage was read above; the message of one that is no number,
    // due once for every line, and the lines' stock warnings come after the
    // transaction.
    showingHeldWarnings([&] {
        tv::Database::instance().transaction([&] {
            pozycje->first();
            for (int i = 0; i < pozycje->recordCount(); ++i) {
                pozycje->edit();
                const double before = pozycje->fieldByName(QStringLiteral("Netto_jedn")).asFloat();
                const std::optional<double> undiscounted = invoicing::undiscountedPrice(*pozycje, unknown);
                double x = before;
                if (valid)
                    x = invoicing::discountedPrice(x, d);
                else
                    warnOutsideTransaction(invalidDiscount());
                const double rate = lineRate(pozycje->fieldByName(QStringLiteral("VAT")).asString());
                const double net = pozycje->fieldByName(QStringLiteral("Ilosc")).asFloat() * x;
                pozycje->fieldByName(QStringLiteral("Netto_jedn")).setAsFloat(x);
                pozycje->fieldByName(QStringLiteral("Netto")).setAsFloat(net);
                pozycje->fieldByName(QStringLiteral("KwotaVAT")).setAsFloat(net * rate * 0.01);
                pozycje->fieldByName(QStringLiteral("Brutto")).setAsFloat(net * rate * 0.01 + net);
                if (undiscounted) invoicing::setDiscountTaken(*pozycje, *undiscounted, x);
                pozycje->post();
                pozycje->next();
            }
        });
    });
    Przelicz();
}

void TForm_fa1::ComboBox6Change(QObject*) {
    Przelicz();
}

namespace {
bool samePercentage(const QString& a, const QString& b) {
    float x = 0, y = 0;
    if (invoicing::readDiscount(a, x) && invoicing::readDiscount(b, y)) return x == y;
    return a == b;
}
} // namespace

void TForm_fa1::setDiscountFromCode(bool checked, const QString& percentage) {
    // A line still open goes in first: should it be refused, the box and
    // the lines stay as they were, in agreement.
    if (editing(*pozycje)) {
        if (pozycje->modified())
            pozycje->post();
        else
            pozycje->cancel();
    }
    const bool wasChecked = CheckBox2->isChecked();
    const QString wasPercentage = ComboBox6->currentText();
    {
        Raise fromCode(m_discountFromCode);
        CheckBox2->setChecked(checked);
        ComboBox6->setEditText(percentage);
    }
    if (wasChecked == checked && (!checked || samePercentage(wasPercentage, percentage))) return;
    std::optional<float> d;
    if (checked) {
        float value = 0;
        if (invoicing::readDiscount(percentage, value))
            d = value;
        else
            warnOutsideTransaction(invalidDiscount());
    }
    {
        Raise pricing(m_pricing);
        showingHeldWarnings([&] { invoicing::repriceLines(*pozycje, d, loadedLinesUnknown()); });
    }
    Przelicz();
}
