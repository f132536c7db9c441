// Numbering, saving and loading of the invoice on screen: the window's side of
// the rules in invoicing/rules/numbering and invoicing/rules/invoice_store.

#include "invoicing/invoice_window.h"

#include <initializer_list>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>

#include "invoicing/registers/administration.h"
#include "invoicing/rules/invoice_store.h"
#include "invoicing/rules/numbering.h"
#include "platform/clock.h"
#include "platform/ui/messages.h"

using invoicing::Party;
using invoicing::SaveRefused;

namespace {

QString numberingPattern() {
    // The administration form is made after this window; until it exists its
    // design pattern holds.
    return Form_fa10 && Form_fa10->Edit1 ? Form_fa10->Edit1->text() : QStringLiteral("#N/#MM/#YYYY");
}

// A refused save is told to the operator, once the save's transaction has
// rolled back, and the command that saves (the save button, printing, a new
// invoice) ends there.
[[noreturn]] void refuse(TForm_fa1& window, const QString& message) {
    window.warnOutsideTransaction(message);
    throw tv::EAbort();
}

// The buttons of one group written one by one, so that none may be left checked.
void setButtons(std::initializer_list<std::pair<QRadioButton*, bool>> states) {
    for (const auto& state : states)
        state.first->setAutoExclusive(false);
    for (const auto& state : states)
        state.first->setChecked(state.second);
    for (const auto& state : states)
        state.first->setAutoExclusive(true);
}

// Makes the party's row current, so that what follows the current row (the
// hidden name edits) shows the invoice's own party.
void moveToParty(tv::Table& table, int number) {
    table.refresh();
    for (table.first(); !table.eof(); table.next()) {
        const tv::Field nr = table.fieldByName(QStringLiteral("Nr"));
        if (!nr.isNull() && nr.asInteger() == number) return;
    }
}

// The invoice on screen as a save reads it: two equal states store the same
// invoice. A party or discount that a save would refuse counts by its text.
QVariantList screenState(TForm_fa1& w) {
    auto party = [](Party kind, const QString& id, std::optional<int> chosen) -> QVariant {
        try {
            const std::optional<int> number = invoicing::partyNumber(kind, id, chosen);
            return number ? QVariant(*number) : QVariant();
        } catch (const SaveRefused&) {
            return id;
        }
    };
    QVariant discount;
    try {
        const std::optional<int> percentage =
            invoicing::storedDiscount(w.CheckBox2->isChecked(), w.ComboBox6->currentText());
        if (percentage) discount = *percentage;
    } catch (const SaveRefused&) {
        discount = w.ComboBox6->currentText();
    }
    const invoicing::DocumentKindButtons kind{w.RadioButton1->isChecked(), w.RadioButton3->isChecked(),
                                              w.RadioButton4->isChecked()};
    QVariantList state;
    state << w.storedNumber << w.Edit5->text()
          << party(Party::Seller, w.ComboBox2->currentText(), w.chosenSeller)
          << party(Party::Customer, w.ComboBox3->currentText(), w.chosenCustomer) << discount
          << invoicing::documentKindCode(kind) << w.ComboBox1->currentText() << w.DateTimePicker1->date()
          << w.DateTimePicker2->date() << w.DateTimePicker3->date() << w.ComboBox4->currentText()
          << w.ComboBox7->currentText() << w.Edit11->text() << w.CheckBox1->isChecked()
          << invoicing::printFormCode({w.RadioButton6->isChecked(), w.RadioButton5->isChecked(),
                                       w.RadioButton2->isChecked(), w.RadioButton7->isChecked()});
    // A line typed and not yet confirmed is a change.
    state << (w.pozycje->state() != tv::Table::State::Browse && w.pozycje->modified());
    auto number = [](const std::optional<double>& value) { return value ? QVariant(*value) : QVariant(); };
    for (const invoicing::InvoiceLine& line : invoicing::readLines(*w.pozycje))
        state << (line.lp ? QVariant(*line.lp) : QVariant()) << line.name << number(line.quantity) << line.vat
              << line.unit << number(line.net) << number(line.vatAmount) << number(line.gross)
              << number(line.unitNet) << line.pkwiu;
    return state;
}

} // namespace

QString TForm_fa1::FormatujNumer(int numer, const QDate& data) {
    return invoicing::formatNumber(numberingPattern(), numer, data);
}

int TForm_fa1::NastepnyNumer() {
    return invoicing::highestNumberOfYear(numberingPattern(), tv::today());
}

bool TForm_fa1::confirmNumberChange(const QString& numer) {
    if (storedNumber.isEmpty() || storedNumber == numer || numberChangeConfirmed == numer) return true;
    // A stored invoice deleted in the register meanwhile is stored anew.
    if (!invoicing::invoiceStored(storedNumber)) return true;
    if (invoicing::invoiceStored(numer))
        refuse(*this,
               QStringLiteral("Faktura o numerze „%1” jest już zapisana. Nadaj tej fakturze inny numer; "
                              "faktury nie zapisano.")
                   .arg(numer));
    if (!tv::ui::askYesNo(
            QStringLiteral("Ta faktura jest zapisana pod numerem „%1”.\nCzy nadać jej nowy numer "
                           "„%2”?")
                .arg(storedNumber, numer),
            QStringLiteral("Uwaga")))
        return false;
    numberChangeConfirmed = numer;
    return true;
}

void TForm_fa1::ZapiszFakture(const QString& numer) {
    auto forgetConfirmation = qScopeGuard([this] { numberChangeConfirmed.clear(); });
    if (!confirmNumberChange(numer)) throw tv::EAbort();
    invoicing::InvoiceHeader header;
    try {
        // What the operator chose is checked before anything is computed or written.
        header.seller = invoicing::partyNumber(Party::Seller, ComboBox2->currentText(), chosenSeller);
        header.customer = invoicing::partyNumber(Party::Customer, ComboBox3->currentText(), chosenCustomer);
        header.discount = invoicing::storedDiscount(CheckBox2->isChecked(), ComboBox6->currentText());
        const invoicing::DocumentKindButtons kind{RadioButton1->isChecked(), RadioButton3->isChecked(),
                                                  RadioButton4->isChecked()};
        Przelicz();
        header.number = numer;
        header.documentType = invoicing::documentTypeCode(kind);
        header.paymentForm = ComboBox1->currentText();
        header.paymentDate = DateTimePicker2->date();
        header.issueDate = DateTimePicker1->date();
        header.saleDate = DateTimePicker3->date();
        header.paymentTerm = ComboBox4->currentText();
        header.shipping = ComboBox7->currentText();
        header.order = Edit11->text();
        header.net = RazemNetto;
        header.vat = RazemVAT;
        header.gross = RazemBrutto;
        header.saleMonth = CheckBox1->isChecked() ? 1 : 0;
        header.documentKind = invoicing::documentKindCode(kind);
        header.printForm = invoicing::printFormCode({RadioButton6->isChecked(), RadioButton5->isChecked(),
                                                     RadioButton2->isChecked(), RadioButton7->isChecked()});
        invoicing::saveInvoice(header, invoicing::readLines(*pozycje), storedNumber);
    } catch (const SaveRefused& refusal) {
        refuse(*this, refusal.message());
    }
    storedNumber = numer;
    chosenSeller = header.seller;
    chosenCustomer = header.customer;
}

void TForm_fa1::WczytajFakture(const QString& numer) {
    using invoicing::PartyRow;
    const std::optional<invoicing::InvoiceHeader> found = invoicing::loadHeader(numer);
    if (!found) return;
    const invoicing::InvoiceHeader& h = *found;
    const QVector<invoicing::InvoiceLine> lines = invoicing::loadLines(numer);
    const std::optional<PartyRow> seller =
        h.seller ? invoicing::findParty(Party::Seller, *h.seller) : std::optional<PartyRow>();
    const std::optional<PartyRow> customer =
        h.customer ? invoicing::findParty(Party::Customer, *h.customer) : std::optional<PartyRow>();

    // Stored from here on: a date set below renumbers nothing.
    storedNumber = numer;
    Edit5->setText(numer);
    ComboBox1->setEditText(h.paymentForm);
    ComboBox4->setEditText(h.paymentTerm);
    DateTimePicker2->setVisible(h.paymentTerm == QLatin1String("Inne"));
    const std::pair<QDateEdit*, QDate> dates[] = {
        {DateTimePicker1, h.issueDate}, {DateTimePicker2, h.paymentDate}, {DateTimePicker3, h.saleDate}};
    for (const auto& [picker, date] : dates)
        if (date.isValid()) picker->setDate(date);
    ComboBox7->setEditText(h.shipping);
    Edit11->setText(h.order);

    // The discount box is set while the table holds no line, so that neither
    // the old lines nor the loaded ones are repriced: the stored prices stand.
    showingHeldWarnings([&] {
        tv::Database::instance().transaction([&] {
            invoicing::replaceLines(*pozycje, {});
            setDiscountFromCode(h.discount.has_value(),
                                h.discount ? QString::number(*h.discount) : ComboBox6->currentText());
            invoicing::replaceLines(*pozycje, lines);
        });
    });

    CheckBox1->setChecked(h.saleMonth == 1);
    const invoicing::DocumentKindButtons kind = invoicing::documentKindOnLoad(
        h.documentKind, h.documentType,
        {RadioButton1->isChecked(), RadioButton3->isChecked(), RadioButton4->isChecked()});
    setButtons({{RadioButton1, kind.vat}, {RadioButton3, kind.vatRR}, {RadioButton4, kind.bill}});
    const invoicing::PrintFormButtons form =
        invoicing::printFormOnLoad(h.printForm, {RadioButton6->isChecked(), RadioButton5->isChecked(),
                                                 RadioButton2->isChecked(), RadioButton7->isChecked()});
    setButtons(
        {{RadioButton6, form[0]}, {RadioButton5, form[1]}, {RadioButton2, form[2]}, {RadioButton7, form[3]}});

    // An invoice stored without a party has none; one whose party is gone says so.
    if (seller) {
        ComboBox2->setEditText(seller->id);
        chosenSeller = seller->number;
        moveToParty(*sprzedawcy, seller->number);
    } else {
        if (h.seller)
            tv::ui::showMessage(QStringLiteral("Nie znaleziono sprzedawcy wyszczególnionego w fakturze"),
                                QStringLiteral("Błąd"), tv::ui::Icon::Error);
        ComboBox2->setEditText(QString());
        chosenSeller.reset();
    }
    if (customer) {
        ComboBox3->setEditText(customer->id);
        Edit9->setText(customer->name);
        chosenCustomer = customer->number;
        moveToParty(*kontrahenci, customer->number);
    } else {
        if (h.customer)
            tv::ui::showMessage(QStringLiteral("Nie znaleziono kontrahenta wyszczególnionego w fakturze"),
                                QStringLiteral("Błąd"), tv::ui::Icon::Error);
        ComboBox3->setEditText(QString());
        Edit9->clear();
        chosenCustomer.reset();
    }
    Przelicz();
    m_storedState = screenState(*this);
}

bool TForm_fa1::changedSinceStored() {
    // A stored invoice whose state was never taken has no known change.
    if (storedNumber.isEmpty() || m_storedState.isEmpty()) return false;
    return screenState(*this) != m_storedState;
}

void TForm_fa1::SpeedButton2Click(QObject* Sender) {
    const bool stock = stockVersion();
    // A new line typed but not yet confirmed is a line too: it is saved below.
    const bool typedLine = pozycje->state() == tv::Table::State::Insert && pozycje->modified();
    if (stock && (pozycje->recordCount() > 0 || typedLine) && !askStockQuestion()) return;

    // Whatever stops the save leaves the window as it was: not saved, and
    // stored (or not) under the number it had. Callers (printing, loading
    // another invoice) read Zapisana and storedNumber to tell.
    const bool wasSaved = Zapisana;
    const QString wasStored = storedNumber;
    const std::optional<int> seller = chosenSeller;
    const std::optional<int> customer = chosenCustomer;
    auto undo = qScopeGuard([&] {
        Zapisana = wasSaved;
        storedNumber = wasStored;
        chosenSeller = seller;
        chosenCustomer = customer;
        numberChangeConfirmed.clear();
    });
    QStringList shortages;
    try {
        Zapisana = true;
        SpeedButton14Click(Sender);
        const QString number = Edit5->text();
        // Asked before the transaction, so that no question waits inside it.
        if (!confirmNumberChange(number)) return;
        showingHeldWarnings([&] {
            tv::Database::instance().transaction([&] {
                ZapiszFakture(number);
                if (stock) shortages = deductStock(number);
            });
        });
    } catch (const tv::EAbort&) {
        return; // refused, and the operator told why
    }
    undo.dismiss();
    numberChangeConfirmed.clear();
    m_storedState = screenState(*this);
    for (const QString& shortage : shortages)
        tv::ui::showMessage(shortage, QStringLiteral("Uwaga"), tv::ui::Icon::Warning);
    if (stock) WypelnijListeTowarow();
}
