#include <benchmark/benchmark.h>

#include "costing/rules/rounding.h"
#include "platform/convert.h"
#include "platform/currency.h"
#include "support/test_env.h"

// The conversions run for every field of the costing sheet on each keystroke;
// these figures show their cost per call.

static void BM_StrToFloat(benchmark::State& state) {
    tvtest::usePolishSettings();
    const QString text = QStringLiteral("1234,5678");
    for (auto _ : state)
        benchmark::DoNotOptimize(tv::StrToFloat(text));
}
BENCHMARK(BM_StrToFloat);

static void BM_StrToCurr(benchmark::State& state) {
    tvtest::usePolishSettings();
    const QString text = QStringLiteral("1234,5678");
    for (auto _ : state)
        benchmark::DoNotOptimize(tv::StrToCurr(text));
}
BENCHMARK(BM_StrToCurr);

static void BM_FloatToStr(benchmark::State& state) {
    tvtest::usePolishSettings();
    double value = 1234.5678;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tv::FloatToStr(value));
        value += 0.01;
    }
}
BENCHMARK(BM_FloatToStr);

static void BM_CurrToStr(benchmark::State& state) {
    tvtest::usePolishSettings();
    std::int64_t units = 12345678;
    for (auto _ : state)
        benchmark::DoNotOptimize(tv::CurrToStr(tv::Currency::fromUnits(units++)));
}
BENCHMARK(BM_CurrToStr);

static void BM_CurrencyFromDouble(benchmark::State& state) {
    double value = 0.333 * 1.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tv::Currency::fromDouble(value));
        value += 0.0001;
    }
}
BENCHMARK(BM_CurrencyFromDouble);

static void BM_Zaokraglij(benchmark::State& state) {
    tvtest::usePolishSettings();
    double value = 1234.5678;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Zaokraglij(value));
        value += 0.001;
    }
}
BENCHMARK(BM_Zaokraglij);

static void BM_FormatCurrency(benchmark::State& state) {
    tvtest::usePolishSettings();
    double value = 1234567.891;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tv::FormatCurrency(value));
        value += 0.01;
    }
}
BENCHMARK(BM_FormatCurrency);

BENCHMARK_MAIN();
