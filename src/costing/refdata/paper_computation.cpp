#include "costing/refdata/paper_colour.h"

#include <QLabel>
#include <QLineEdit>

#include "costing/costing_sheet.h"
#include "platform/convert.h"
#include "platform/currency.h"
#include "platform/errors.h"
#include "platform/ui/field_chain.h"

using tv::Currency;
using tv::ui::chain::put;

namespace {

// Pages come from sheets kept in single precision (saved files hold them so),
// which miss a whole page by a few millionths on most ratios: round to four
// decimals before cutting to whole pages.
long long wholePages(double pages) {
    return Currency::fromDouble(pages).trunc();
}

} // namespace

void TForm4::PrzeliczPapier() {
    tv::ui::chain::Scope scope;
    if (!formaty->active()) formaty->open();
    formaty->refresh();
    const double A = lookupFormatRatio(*formaty, Label9->text(), QStringLiteral("Format papieru"));
    const double B = lookupFormatRatio(*formaty, formatMatrycy, QStringLiteral("Format matrycy"));

    Currency T;
    double P1 = 0, Pk = 0, S1 = 0, Sk = 0;
    if (!papkol->active()) papkol->open();
    for (papkol->first(); !papkol->eof(); papkol->next()) {
        T += papkol->fieldByName(QStringLiteral("Koszt")).asCurrency();
        const double sheets = papkol->fieldByName(QStringLiteral("Ilosc")).asFloat();
        // Multiply first, then divide, as the sheets were computed.
        const double p = double(static_cast<long double>(sheets) * A / B);
        const QString colours = papkol->fieldByName(QStringLiteral("Kolor")).asString();
        if (colours == QLatin1String("1")) {
            P1 += p;
            S1 += sheets;
        } else if (colours == QStringLiteral("pełny")) {
            Pk += p;
            Sk += sheets * 4.0;
        } else {
            Pk += p;
            Sk += tv::StrToFloat(colours) * sheets;
        }
    }

    const QString total = tv::CurrToStr(T);
    if (Edit1) Edit1->setText(total);
    put(Form1->Edit5, total);
    put(Form1->Edit22, total);
    put(Form1->Edit10, tv::IntToStr(wholePages(P1)));
    put(Form1->Edit12, tv::IntToStr(wholePages(Pk)));
    put(Form1->Edit31, tv::FloatToStr(S1));
    put(Form1->Edit34, tv::FloatToStr(Sk));
    put(Form1->Edit45, tv::FloatToStr(S1));
    put(Form1->Edit49, tv::FloatToStr(Sk));

    // Folds: a job sheet folded down from the plate sheet; a plate smaller
    // than two job sheets has nothing to fold.
    const double F = A / (B * 2.0);
    const double X = F >= 1.0 ? double((static_cast<long double>(Pk) + P1) * F) : 0.0;
    // While the print run is being retyped there is no run to count folds for.
    const QString printRun = Form1->Edit2->text();
    if (printRun.isEmpty()) return;
    const Currency run = tv::StrToCurr(printRun);
    const Currency folds = run * Currency::fromDouble(X);
    put(Form1->Edit40, tv::IntToStr(folds.trunc()));
    // The folds field computes nothing when written, yet the folding cost, the
    // net and the gross depend on it.
    Form1->PrzeliczRobocizne();
}
