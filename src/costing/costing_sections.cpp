#include "costing/costing_sheet.h"

#include <exception>

#include <QComboBox>
#include <QLineEdit>

#include "costing/rules/money.h"
#include "costing/rules/rounding.h"
#include "costing/rules/vat_rates.h"
#include "platform/convert.h"
#include "platform/currency.h"
#include "platform/ui/field_chain.h"
#include "platform/ui/messages.h"

using costing::add;
using costing::addProduct;
using costing::mul;
using costing::mulAdd;
using costing::rebuildRateTable;
using costing::vatRate;
using tv::Currency;
using tv::ui::chain::put;

namespace {

// The notation of the costing rules: F reads a field as a float, C as money,
// Cur turns a double into money (nearest, ties to even), text writes money.
double F(const QLineEdit* field) {
    return tv::StrToFloat(field->text());
}
double F(const QComboBox* list) {
    return tv::StrToFloat(list->currentText());
}
Currency C(const QLineEdit* field) {
    return tv::StrToCurr(field->text());
}
Currency Cur(double d) {
    return costing::toMoney(d);
}
QString text(Currency v) {
    return tv::CurrToStr(v);
}

// One line of a section: its amount written into its field (through the
// given write) and added to the section's running total.
using Write = void (*)(QLineEdit*, const QString&);
void addLine(QLineEdit* field, Currency v, Currency& S, Write write = put) {
    write(field, text(v));
    S += v;
}

// Cur(F(a) x F(b)): a product of two plain numbers, converted once; a is read first.
Currency floatProduct(const QLineEdit* a, const QLineEdit* b) {
    const double x = F(a);
    return Cur(mul(x, F(b)));
}

// Cur(F(count)) x C(price): a quantity times a money price, truncating at the
// fourth decimal; the quantity is read first.
Currency moneyProduct(const QLineEdit* count, const QLineEdit* price) {
    const Currency quantity = Cur(F(count));
    return quantity * C(price);
}

// An error that a handler run by section 1's writes kept, carried out of the
// section's catch-all to be raised again there.
struct HandlerError {
    std::exception_ptr error;
};

void putRaisingHandlerErrors(QLineEdit* field, const QString& t) {
    field->setText(t);
    if (std::exception_ptr error = tv::ui::chain::takePending()) throw HandlerError{error};
}

const QString kWholeNet = QStringLiteral("do całości");

void openIfNeeded(tv::Table* table) {
    if (!table->active()) table->open();
}

} // namespace

void TForm1::PrzeliczPrzygotowanie() {
    tv::ui::chain::Scope scope;
    // Section 1 is recomputed on every keystroke of its fields; a text that is
    // still being typed simply leaves the figures as they were. Only its own
    // operands are passed over in silence: an error of the summary that its
    // changed total runs is the summary's, and is shown as from any section.
    try {
        Currency S = C(Edit7);
        S += C(Edit9);

        const double blackRate = F(Edit11);
        const double blackPages = mul(blackRate, F(Edit10));
        const double f12 = F(Edit12);
        const double f13 = F(Edit13);
        addLine(Edit14, Cur(addProduct(blackPages, f12, f13)), S, putRaisingHandlerErrors);
        addLine(Edit17, floatProduct(Edit15, Edit16), S, putRaisingHandlerErrors);
        addLine(Edit20, floatProduct(Edit18, Edit19), S, putRaisingHandlerErrors);
        putRaisingHandlerErrors(Edit21, text(S));
    } catch (const HandlerError& handler) {
        std::rethrow_exception(handler.error);
    } catch (...) {
    }
}

void TForm1::PrzeliczMaterial() {
    tv::ui::chain::Scope scope;
    Currency S;
    addLine(Edit24, moneyProduct(Edit23, Edit22), S);

    S += C(Edit26);
    S += C(Edit28);
    S += C(Edit30);

    addLine(Edit33, moneyProduct(Edit31, Edit32), S);
    addLine(Edit36, moneyProduct(Edit34, Edit35), S);
    put(Edit37, text(S));

    const Currency m = S * Cur(mul(F(ComboBox4), 0.01));
    put(Edit38, text(m));
    put(Edit39, text(S + m));
}

void TForm1::PrzeliczRobocizne() {
    tv::ui::chain::Scope scope;
    Currency S = C(Edit41);
    S += C(Edit43);
    S += C(Edit70);
    S += C(Edit71);

    addLine(Edit79, floatProduct(Edit40, Edit78), S);
    addLine(Edit74, floatProduct(Edit72, Edit73), S);
    put(Edit44, text(S));
}

void TForm1::PrzeliczRobocizneBezposrednia() {
    tv::ui::chain::Scope scope;
    Currency S;
    // Passes: plates times the print run as a float product, then the pass price.
    Currency passes = floatProduct(Edit45, Edit46);
    addLine(Edit48, passes * C(Edit47), S);
    passes = floatProduct(Edit49, Edit50);
    addLine(Edit52, passes * C(Edit51), S);

    addLine(Edit55, floatProduct(Edit53, Edit54), S);
    addLine(Edit58, floatProduct(Edit56, Edit57), S);

    // Only the two exact choices stitch; a typed text means no stitching.
    const QString stitching = ComboBox5->currentText();
    Currency v;
    if (stitching == QLatin1String("1 zszywka")) {
        v = moneyProduct(Edit75, Edit77);
    } else if (stitching == QLatin1String("2 zszywki")) {
        const Currency staples = Cur(mul(F(Edit75), 2.0));
        v = staples * C(Edit77);
    }
    addLine(Edit76, v, S);
    put(Edit59, text(S));
}

void TForm1::PrzeliczPodsumowanie() {
    tv::ui::chain::Scope scope;
    put(Edit63, Edit59->text());

    const Currency directLabourCopy = C(Edit63);
    const Currency P = directLabourCopy * Cur(mul(F(ComboBox2), 0.01));
    put(Edit62, text(P));

    const Currency directLabour = C(Edit59);
    const Currency L = P + (directLabour + C(Edit44));
    put(Edit61, text(L));

    const Currency preparation = C(Edit21);
    const Currency N = L + (preparation + C(Edit39));
    put(Edit64, text(N));

    const Currency R = Currency::fromInt((N + Currency::fromUnits(5000)).trunc());
    put(Edit65, text(R));

    const bool wholeNet = ComboBox6->currentText() == kWholeNet;
    const Currency base = wholeNet ? C(Edit65) : C(Edit21);
    const Currency V = base * Cur(mul(vatRate(ComboBox1->currentText()), 0.01));
    put(Edit66, text(V));

    const QString discount = ComboBox3->currentText();
    if (discount == QLatin1String("0")) {
        put(Edit60, QStringLiteral("0"));
        put(Edit67, text(C(Edit65) + C(Edit66)));
    } else {
        // Everything the two lines need is read and checked before the tables
        // are touched, so that the rewrite below cannot stop half-way.
        const QString jobName = Edit1->text();
        const QString vatCode = ComboBox1->currentText();
        const QString preparationText = Edit21->text();
        const Currency printing = C(Edit65) - C(Edit21);
        double discountValue = 0;
        const bool discountValid = tv::TryStrToFloat(discount, discountValue);
        const float d = float(discountValue);
        if (!discountValid) {
            // Once for each of the job's two lines, which keep their undiscounted prices.
            for (int line = 0; line < 2; ++line)
                tv::ui::showMessage(QStringLiteral("Niewłaściwa wartość rabatu"), QStringLiteral("Uwaga"),
                                    tv::ui::Icon::Warning);
        }
        openIfNeeded(pozycje);
        openIfNeeded(stawkiVAT);

        double grossTotal = 0;
        tv::Database::instance().transaction([&] {
            pozycje->first();
            pozycje->emptyTable();

            pozycje->append();
            pozycje->fieldByName(QStringLiteral("Lp")).setAsInteger(1);
            pozycje->fieldByName(QStringLiteral("Nazwa"))
                .setAsString(QStringLiteral("Przygotowanie do druku ") + jobName);
            pozycje->fieldByName(QStringLiteral("Ilosc")).setAsFloat(1);
            pozycje->fieldByName(QStringLiteral("VAT")).setAsString(vatCode);
            pozycje->fieldByName(QStringLiteral("Jm")).setAsString(QStringLiteral("szt"));
            pozycje->fieldByName(QStringLiteral("Netto_jedn")).setAsString(preparationText);
            pozycje->post();

            pozycje->append();
            pozycje->fieldByName(QStringLiteral("Lp")).setAsInteger(2);
            pozycje->fieldByName(QStringLiteral("Nazwa")).setAsString(QStringLiteral("Druk ") + jobName);
            pozycje->fieldByName(QStringLiteral("Ilosc")).setAsFloat(1);
            pozycje->fieldByName(QStringLiteral("VAT")).setAsString(wholeNet ? vatCode : QStringLiteral("0"));
            pozycje->fieldByName(QStringLiteral("Jm")).setAsString(QStringLiteral("szt"));
            pozycje->fieldByName(QStringLiteral("Netto_jedn")).setAsCurrency(printing);
            pozycje->post();

            pozycje->first();
            const int count = pozycje->recordCount();
            for (int i = 0; i < count; ++i) {
                pozycje->edit();
                double u = pozycje->fieldByName(QStringLiteral("Netto_jedn")).asFloat();
                if (discountValid) u = Zaokraglij(mul(100.0 - double(d), u, 0.01));
                const double r = vatRate(pozycje->fieldByName(QStringLiteral("VAT")).asString());
                const double n = mul(pozycje->fieldByName(QStringLiteral("Ilosc")).asFloat(), u);
                const double lineVat = mul(n, r, 0.01);
                pozycje->fieldByName(QStringLiteral("Netto_jedn")).setAsFloat(u);
                pozycje->fieldByName(QStringLiteral("Netto")).setAsFloat(n);
                pozycje->fieldByName(QStringLiteral("KwotaVAT")).setAsFloat(lineVat);
                pozycje->fieldByName(QStringLiteral("Brutto")).setAsFloat(mulAdd(n, r, 0.01, n));
                pozycje->post();
                pozycje->next();
            }

            grossTotal = rebuildRateTable(*pozycje, *stawkiVAT).gross.toDouble();
        });
        put(Edit67, tv::FloatToStr(grossTotal));
    }

    // A print run that reads 0 has no unit price to speak of.
    const Currency gross = C(Edit67);
    const Currency printRun = C(Edit2);
    put(Edit68, printRun == Currency() ? QStringLiteral("0") : text(gross / printRun));
}

void TForm1::PrzeliczStawkiVAT() {
    tv::ui::chain::Scope scope;
    openIfNeeded(pozycje);
    openIfNeeded(stawkiVAT);
    double grossTotal = 0;
    tv::Database::instance().transaction(
        [&] { grossTotal = rebuildRateTable(*pozycje, *stawkiVAT).gross.toDouble(); });
    put(Edit67, tv::FloatToStr(grossTotal));
}

void TForm1::Edit21Change(QObject*) {
    PrzeliczPodsumowanie();
}
