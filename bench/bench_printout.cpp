#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTemporaryDir>

#include "app/forms.h"
#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "costing/reports/calculation_report.h"
#include "platform/report/layout.h"
#include "platform/report/painter.h"
#include "platform/table.h"
#include "support/test_env.h"

// The operator waits for the preview or the print job: filling the printout,
// laying out a calculation with 30 paper lines and writing it as a PDF should
// take well under 150 ms together.

namespace {

void prepareCalculation(int paperLines) {
    for (int n = 1; n <= 79; ++n) {
        auto* edit = qobject_cast<QLineEdit*>(Form1->control(QStringLiteral("Edit%1").arg(n)));
        const QSignalBlocker blocker(edit);
        edit->setText(QStringLiteral("%1,25").arg(n));
    }
    Form1->Edit1->setText(QStringLiteral("Katalog „Jesień” żółty"));
    Form1->Edit69->setText(
        QStringLiteral("Odbiór osobisty, faktura z odroczonym terminem płatności. ").repeated(3));
    tv::Table& papkol = *Form4->papkol;
    for (int i = 0; i < paperLines; ++i) {
        papkol.append();
        papkol.fieldByName(QStringLiteral("Format")).setAsString(QStringLiteral("A4"));
        papkol.fieldByName(QStringLiteral("Ilosc")).setAsString(QString::number(50 + i));
        papkol.fieldByName(QStringLiteral("Rodzpap")).setAsString(QStringLiteral("Kreda"));
        papkol.fieldByName(QStringLiteral("Kolor")).setAsString(QStringLiteral("pełny"));
        papkol.fieldByName(QStringLiteral("Gramatura")).setAsString(QStringLiteral("90"));
        papkol.fieldByName(QStringLiteral("Koszt")).setAsString(QStringLiteral("1234,5"));
        papkol.post();
    }
}

void BM_CalculationLayoutAndPdf(benchmark::State& state) {
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("kalkulacja.pdf"));
    for (auto _ : state) {
        Form7->WypelnijKalkulacje();
        const QVector<tv::report::LaidOutPage> pages = tv::report::layoutReport(Form7->QuickRep1);
        tv::report::writePdf(pages, path, Form7->QuickRep1.title);
        benchmark::DoNotOptimize(pages.size());
    }
}
BENCHMARK(BM_CalculationLayoutAndPdf)->Unit(benchmark::kMillisecond);

void BM_CalculationLayoutOnly(benchmark::State& state) {
    for (auto _ : state) {
        Form7->WypelnijKalkulacje();
        benchmark::DoNotOptimize(tv::report::layoutReport(Form7->QuickRep1).size());
    }
}
BENCHMARK(BM_CalculationLayoutOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerTables();
    tvtest::usePolishSettings();
    tvtest::WorkingFolder folder;
    createForms();
    prepareCalculation(30);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    destroyForms();
    return 0;
}
