// The table layer's speed: walking a large register, appending many rows in
// one transaction, and one post to a working table.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include <QTemporaryDir>

#include "app/forms.h"
#include "platform/table.h"
#include "support/test_env.h"

using tv::Database;
using tv::Table;

namespace {

// One working folder for the run, holding 100 000 issued invoice lines.
struct Fixture {
    QTemporaryDir dir;
    Fixture() {
        tvtest::usePolishSettings();
        Database::open(dir.path());
        Table lines("wyst_pozycje.db");
        lines.open();
        Database::instance().transaction([&] {
            for (int i = 0; i < 100000; ++i) {
                lines.append();
                lines.fieldByName("Lp").setAsInteger(i % 12 + 1);
                lines.fieldByName("Nazwa").setAsString(QString("Druk ulotek A5, nakład %1 szt.").arg(i));
                lines.fieldByName("Ilosc").setAsFloat(1 + i % 7);
                lines.fieldByName("VAT").setAsString("22");
                lines.fieldByName("Jm").setAsString("szt.");
                lines.fieldByName("Netto").setAsFloat(12.5 * (i % 40));
                lines.fieldByName("Nr_faktury").setAsString(QString("FV/%1/2024").arg(i / 5));
                lines.post();
            }
        });
    }
    ~Fixture() { Database::close(); }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void walk(Table& lines, benchmark::State& state) {
    double sum = 0;
    int count = 0;
    for (lines.first(); !lines.eof(); lines.next()) {
        benchmark::DoNotOptimize(lines.fieldByName("Nazwa").asString());
        sum += lines.fieldByName("Netto").asFloat();
        benchmark::DoNotOptimize(lines.fieldByName("Nr_faktury").asString());
        ++count;
    }
    benchmark::DoNotOptimize(sum);
    if (count != 100000) state.SkipWithError("wrong row count");
}

void BM_WalkIssuedLines(benchmark::State& state) {
    fixture();
    Table lines("wyst_pozycje.db");
    lines.open();
    for (auto _ : state)
        walk(lines, state);
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_WalkIssuedLines)->Unit(benchmark::kMillisecond);

void BM_OpenAndWalkIssuedLines(benchmark::State& state) {
    fixture();
    for (auto _ : state) {
        Table lines("wyst_pozycje.db");
        lines.open();
        walk(lines, state);
    }
}
BENCHMARK(BM_OpenAndWalkIssuedLines)->Unit(benchmark::kMillisecond);

void BM_FilterOneInvoiceOfLarge(benchmark::State& state) {
    fixture();
    Table lines("wyst_pozycje.db");
    lines.open();
    lines.setFiltered(true);
    int i = 0;
    for (auto _ : state) {
        lines.setFilter({{"Nr_faktury", "=", QString("FV/%1/2024").arg(i++ % 20000)}});
        benchmark::DoNotOptimize(lines.recordCount());
    }
}
BENCHMARK(BM_FilterOneInvoiceOfLarge)->Unit(benchmark::kMicrosecond);

void BM_Append10000InOneTransaction(benchmark::State& state) {
    fixture();
    Table lines("wyst_pozycje_kor.DB");
    lines.open();
    for (auto _ : state) {
        state.PauseTiming();
        lines.emptyTable();
        state.ResumeTiming();
        Database::instance().transaction([&] {
            for (int i = 0; i < 10000; ++i) {
                lines.append();
                lines.fieldByName("Lp").setAsInteger(i + 1);
                lines.fieldByName("Nazwa").setAsString("Wizytówki dwustronne");
                lines.fieldByName("Netto").setAsFloat(99.99);
                lines.fieldByName("Nr_faktury").setAsString("FV/1/2024");
                lines.post();
            }
        });
    }
}
BENCHMARK(BM_Append10000InOneTransaction)->Unit(benchmark::kMillisecond);

void BM_PostToWorkingTable(benchmark::State& state) {
    fixture();
    Table lines("pozycje.DB");
    lines.open();
    lines.emptyTable();
    std::vector<double> times;
    times.reserve(size_t(state.max_iterations));
    int n = 0;
    for (auto _ : state) {
        if (++n % 2000 == 0) {
            state.PauseTiming();
            lines.emptyTable();
            state.ResumeTiming();
        }
        const auto start = std::chrono::steady_clock::now();
        lines.append();
        lines.fieldByName("Lp").setAsInteger(n);
        lines.fieldByName("Nazwa").setAsString("Przygotowanie do druku");
        lines.fieldByName("Netto").setAsFloat(150);
        lines.post();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times.empty() ? 0 : times[times.size() / 2];
    state.counters["p99_ms"] = times.empty() ? 0 : times[times.size() * 99 / 100];
}
BENCHMARK(BM_PostToWorkingTable)->Unit(benchmark::kMicrosecond);

// Start-up: every file verified, the 100 000-line register included.
void BM_OpenWorkingFolder(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        Database::close();
        Database::open(f.dir.path());
    }
}
BENCHMARK(BM_OpenWorkingFolder)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    registerTables();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
