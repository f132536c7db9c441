#include "costing/costing_sheet.h"

#include <QComboBox>
#include <QLineEdit>

#include "costing/field_chain.h"
#include "costing/rounding.h"
#include "platform/convert.h"
#include "platform/currency.h"
#include "platform/ui/messages.h"

using costing::chain::put;
using tv::Currency;

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
    return Currency::fromDouble(d);
}
QString text(Currency v) {
    return tv::CurrToStr(v);
}

// Products and sums of floats are formed in extended precision and stored as a
// double, as the figures have always been computed; the last bit decides a
// figure that lies on a rounding boundary.
double mul(double a, double b) {
    return double(static_cast<long double>(a) * static_cast<long double>(b));
}
double mul(double a, double b, double c) {
    return double(static_cast<long double>(a) * static_cast<long double>(b) * static_cast<long double>(c));
}
double add(double a, double b) {
    return double(static_cast<long double>(a) + static_cast<long double>(b));
}

// The VAT percentage of a rate code: "zw." is exempt, any other code is a number.
double rate(const QString& code) {
    return code == QLatin1String("zw.") ? 0.0 : tv::StrToFloat(code);
}

const QString kWholeNet = QStringLiteral("do całości");

// Renumbers the job's lines and rebuilds the totals per VAT rate from them.
// Returns the gross total of all rates. The total is summed in memory: a
// temporary row in the shared table would be seen by the invoice window if
// anything stopped between writing and deleting it.
double rebuildRateTable(tv::Table& lines, tv::Table& rates) {
    const QString VAT = QStringLiteral("VAT"), Netto = QStringLiteral("Netto"),
                  KwotaVAT = QStringLiteral("KwotaVAT"), Brutto = QStringLiteral("Brutto");
    lines.first();
    rates.emptyTable();

    const int count = lines.recordCount();
    for (int i = 0; i < count; ++i) {
        lines.edit();
        lines.fieldByName(QStringLiteral("Lp")).setAsInteger(i + 1);
        lines.post();

        const QString code = lines.fieldByName(VAT).asString();
        bool found = false;
        for (rates.first(); !rates.eof(); rates.next()) {
            if (rates.fieldByName(VAT).asString() == code) {
                found = true;
                break;
            }
        }
        if (!found) {
            rates.append();
            rates.fieldByName(VAT).setAsString(code);
            rates.fieldByName(Netto).setAsFloat(Zaokraglij(lines.fieldByName(Netto).asFloat()));
            rates.fieldByName(KwotaVAT).setAsFloat(Zaokraglij(lines.fieldByName(KwotaVAT).asFloat()));
            rates.fieldByName(Brutto).setAsFloat(
                add(rates.fieldByName(Netto).asFloat(), rates.fieldByName(KwotaVAT).asFloat()));
            rates.post();
        } else {
            // Several lines of one rate: the VAT of their summed net, not the sum of their VATs.
            const double r = rate(rates.fieldByName(VAT).asString());
            rates.edit();
            rates.fieldByName(Netto).setAsFloat(
                add(rates.fieldByName(Netto).asFloat(), Zaokraglij(lines.fieldByName(Netto).asFloat())));
            rates.fieldByName(KwotaVAT).setAsFloat(
                Zaokraglij(mul(rates.fieldByName(Netto).asFloat(), r, 0.01)));
            rates.fieldByName(Brutto).setAsFloat(
                add(rates.fieldByName(Netto).asFloat(), rates.fieldByName(KwotaVAT).asFloat()));
            rates.post();
        }
        lines.next();
    }

    // The net and VAT sums belong to the total row, of which only the gross
    // reaches the sheet; all three are still formed, so that a sum out of the
    // money range stops the run as it always has.
    Currency net, gross, vat;
    auto accumulate = [](Currency sum, double value) {
        return Cur(Zaokraglij((sum + Cur(value)).toDouble()));
    };
    for (rates.first(); !rates.eof(); rates.next()) {
        net = accumulate(net, rates.fieldByName(Netto).asFloat());
        gross = accumulate(gross, rates.fieldByName(Brutto).asFloat());
        vat = accumulate(vat, rates.fieldByName(KwotaVAT).asFloat());
    }
    return gross.toDouble();
}

void openIfNeeded(tv::Table* table) {
    if (!table->active()) table->open();
}

} // namespace

void TForm1::PrzeliczPrzygotowanie() {
    costing::chain::Scope scope;
    // Section 1 is recomputed on every keystroke of its fields; a text that is
    // still being typed simply leaves the figures as they were.
    try {
        Currency S = C(Edit7);
        S += C(Edit9);

        const double blackRate = F(Edit11);
        const double blackPages = mul(blackRate, F(Edit10));
        const double f12 = F(Edit12);
        const double f13 = F(Edit13);
        Currency v = Cur(double(static_cast<long double>(blackPages) +
                                static_cast<long double>(f12) * static_cast<long double>(f13)));
        put(Edit14, text(v));
        S += v;

        const double megabytes = F(Edit15);
        v = Cur(mul(megabytes, F(Edit16)));
        put(Edit17, text(v));
        S += v;

        const double metres = F(Edit18);
        v = Cur(mul(metres, F(Edit19)));
        put(Edit20, text(v));
        S += v;

        put(Edit21, text(S));
    } catch (...) {
    }
}

void TForm1::PrzeliczMaterial() {
    costing::chain::Scope scope;
    const double printRun = F(Edit23);
    Currency v = Cur(printRun) * C(Edit22);
    put(Edit24, text(v));
    Currency S = v;

    S += C(Edit26);
    S += C(Edit28);
    S += C(Edit30);

    const double blackPlates = F(Edit31);
    v = Cur(blackPlates) * C(Edit32);
    put(Edit33, text(v));
    S += v;

    const double colourPlates = F(Edit34);
    v = Cur(colourPlates) * C(Edit35);
    put(Edit36, text(v));
    S += v;

    put(Edit37, text(S));

    const Currency m = S * Cur(mul(F(ComboBox4), 0.01));
    put(Edit38, text(m));
    put(Edit39, text(S + m));
}

void TForm1::PrzeliczRobocizne() {
    costing::chain::Scope scope;
    Currency S = C(Edit41);
    S += C(Edit43);
    S += C(Edit70);
    S += C(Edit71);

    const double folds = F(Edit40);
    Currency v = Cur(mul(folds, F(Edit78)));
    put(Edit79, text(v));
    S += v;

    const double kilometres = F(Edit72);
    v = Cur(mul(kilometres, F(Edit73)));
    put(Edit74, text(v));
    S += v;

    put(Edit44, text(S));
}

void TForm1::PrzeliczRobocizneBezposrednia() {
    costing::chain::Scope scope;
    double plates = F(Edit45);
    Currency passes = Cur(mul(plates, F(Edit46)));
    Currency v = passes * C(Edit47);
    put(Edit48, text(v));
    Currency S = v;

    plates = F(Edit49);
    passes = Cur(mul(plates, F(Edit50)));
    v = passes * C(Edit51);
    put(Edit52, text(v));
    S += v;

    const double cuttingHours = F(Edit53);
    v = Cur(mul(cuttingHours, F(Edit54)));
    put(Edit55, text(v));
    S += v;

    const double otherHours = F(Edit56);
    v = Cur(mul(otherHours, F(Edit57)));
    put(Edit58, text(v));
    S += v;

    // Only the two exact choices stitch; a typed text means no stitching.
    const QString stitching = ComboBox5->currentText();
    if (stitching == QLatin1String("1 zszywka")) {
        const double printRun = F(Edit75);
        v = Cur(printRun) * C(Edit77);
    } else if (stitching == QLatin1String("2 zszywki")) {
        const double staples = mul(F(Edit75), 2.0);
        v = Cur(staples) * C(Edit77);
    } else {
        v = Currency();
    }
    put(Edit76, text(v));
    S += v;

    put(Edit59, text(S));
}

void TForm1::PrzeliczPodsumowanie() {
    costing::chain::Scope scope;
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
    const Currency V = base * Cur(mul(rate(ComboBox1->currentText()), 0.01));
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
                const double r = rate(pozycje->fieldByName(QStringLiteral("VAT")).asString());
                const double n = mul(pozycje->fieldByName(QStringLiteral("Ilosc")).asFloat(), u);
                const double lineVat = mul(n, r, 0.01);
                pozycje->fieldByName(QStringLiteral("Netto_jedn")).setAsFloat(u);
                pozycje->fieldByName(QStringLiteral("Netto")).setAsFloat(n);
                pozycje->fieldByName(QStringLiteral("KwotaVAT")).setAsFloat(lineVat);
                pozycje->fieldByName(QStringLiteral("Brutto"))
                    .setAsFloat(double(static_cast<long double>(n) * r * static_cast<long double>(0.01) + n));
                pozycje->post();
                pozycje->next();
            }

            grossTotal = rebuildRateTable(*pozycje, *stawkiVAT);
        });
        put(Edit67, tv::FloatToStr(grossTotal));
    }

    // A print run that reads 0 has no unit price to speak of.
    const Currency gross = C(Edit67);
    const Currency printRun = C(Edit2);
    put(Edit68, printRun == Currency() ? QStringLiteral("0") : text(gross / printRun));
}

void TForm1::PrzeliczStawkiVAT() {
    costing::chain::Scope scope;
    openIfNeeded(pozycje);
    openIfNeeded(stawkiVAT);
    double grossTotal = 0;
    tv::Database::instance().transaction([&] { grossTotal = rebuildRateTable(*pozycje, *stawkiVAT); });
    put(Edit67, tv::FloatToStr(grossTotal));
}

void TForm1::Edit21Change(QObject*) {
    PrzeliczPodsumowanie();
}
