// The customer register and the calculation files at the sizes a shop reaches:
// twenty thousand customers, a calculation with fifty paper lines.

#include <benchmark/benchmark.h>

#include <memory>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "bench_support.h"
#include "costing/costing_sheet.h"
#include "costing/refdata/customers.h"
#include "costing/refdata/paper_colour.h"
#include "invoicing/invoice_window.h"
#include "platform/table.h"
#include "platform/ui/controls.h"

namespace {

constexpr int kCustomers = 20000;
constexpr int kPaperLines = 50;

// Customers named as a shop names them, written in no particular order.
void fillCustomers() {
    static const char* const towns[] = {"Łódź", "Kraków", "Gdańsk", "Poznań", "Zakopane", "Żywiec"};
    tv::Table table(QStringLiteral("kontrahenci.db"));
    table.open();
    tv::Database::instance().transaction([&] {
        for (int i = 0; i < kCustomers; ++i) {
            const int n = (i * 7919) % kCustomers; // a scrambled order of the numbers
            table.append();
            table.fieldByName("Id").setAsString(QStringLiteral("K%1").arg(n, 5, 10, QChar('0')));
            table.fieldByName("Nr").setAsInteger(n + 1);
            table.fieldByName("Nazwisko").setAsString(QStringLiteral("Klient Nazwisko %1").arg(n));
            table.fieldByName("Firma").setAsString(QStringLiteral("Firma %1 sp. z o.o.").arg(kCustomers - n));
            table.fieldByName("Ulica").setAsString(QStringLiteral("Długa %1").arg(n % 300));
            table.fieldByName("Miejscowosc").setAsString(QString::fromUtf8(towns[n % 6]));
            table.fieldByName("NIP").setAsString(QStringLiteral("%1").arg(7000000000LL + n));
            table.fieldByName("Telefon").setAsString(QStringLiteral("42 %1").arg(n));
            table.fieldByName("Rabat").setAsFloat(n % 15);
            table.fieldByName("Uwagi").setAsString(QStringLiteral("uwagi do klienta %1").arg(n));
            table.fieldByName("Kraj").setAsString(QStringLiteral("Polska"));
            table.post();
        }
    });
}

// One working folder with the forms for every benchmark of the run.
struct Setup {
    tvbench::FormsSession session{false, fillCustomers};

    Setup() {
        Form_fa4->show();
        (void)QTest::qWaitForWindowExposed(Form_fa4);
    }
};

std::unique_ptr<Setup> g_setup;

Setup& setup() {
    if (!g_setup) g_setup = std::make_unique<Setup>();
    return *g_setup;
}

void BM_ResortOnConfirm(benchmark::State& state) {
    setup();
    for (auto _ : state)
        Form_fa4->SpeedButton9Click(Form_fa4->SpeedButton9);
    state.counters["customers"] = Form_fa4->kontrahenci->recordCount();
}
BENCHMARK(BM_ResortOnConfirm)->Unit(benchmark::kMillisecond)->Iterations(5);

// One keystroke in the "Firma" search box, alternating between a text that
// narrows the list and one that widens it again.
void BM_SearchKeystroke(benchmark::State& state) {
    setup();
    Form_fa4->Panel2Click(Form_fa4->Panel2);
    const QString texts[] = {QStringLiteral("Firma 1"), QStringLiteral("Firma 15"), QStringLiteral("Firma 1"),
                             QStringLiteral("F")};
    int i = 0;
    for (auto _ : state) {
        Form_fa4->Firma->setText(texts[i++ % 4]);
        benchmark::DoNotOptimize(Form_fa4->kontrahenci->recordCount());
    }
    Form_fa4->Panel2Click(Form_fa4->Panel2);
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond);

void BM_CloseRefillsBothPickers(benchmark::State& state) {
    setup();
    for (auto _ : state) {
        Form_fa4->SpeedButton1Click(Form_fa4->SpeedButton1);
        state.PauseTiming();
        Form_fa4->show();
        state.ResumeTiming();
    }
    state.counters["items"] = Form1->ComboBox7->count() + Form_fa1->ComboBox3->count();
}
BENCHMARK(BM_CloseRefillsBothPickers)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_SaveAndLoadCalculation(benchmark::State& state) {
    setup();
    tv::Table& papkol = *Form4->papkol;
    papkol.emptyTable();
    tv::Database::instance().transaction([&] {
        for (int i = 0; i < kPaperLines; ++i) {
            papkol.append();
            papkol.fieldByName("Format").setAsString("A4");
            papkol.fieldByName("Ilosc").setAsFloat(10 + i);
            papkol.fieldByName("Rodzpap").setAsString("Kreda");
            papkol.fieldByName("Kolor").setAsString(i % 2 ? "pełny" : "1");
            papkol.fieldByName("Gramatura").setAsFloat(135);
            papkol.fieldByName("Koszt").setAsFloat(1.25 * i);
            papkol.post();
        }
    });
    Form1->ComboBox7->setEditText(QStringLiteral("K10000"));
    const QString file = QDir::current().filePath("Kalkulacje/bench.clc");
    for (auto _ : state) {
        Form1->ZapiszKalkulacje(file);
        Form1->OtworzKalkulacje(file);
    }
    state.counters["paper lines"] = papkol.recordCount();
}
BENCHMARK(BM_SaveAndLoadCalculation)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The forms go while the application still exists.
    return tvbench::runBenchmarks(argc, argv, [] { g_setup.reset(); });
}
