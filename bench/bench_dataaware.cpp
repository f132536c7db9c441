// Timings of a grid over a long table, as the operator meets them: opening it,
// jumping to the end, paging down and storing one changed row, each with the
// repaint that shows the result.

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "bench_support.h"
#include "platform/table.h"
#include "platform/ui/dataaware.h"
#include "platform/ui/messages.h"

namespace {

constexpr int kRows = 20000;

// A working folder whose paper-line table holds kRows lines, and a grid over
// them in a window of an ordinary size.
class LongTable {
public:
    LongTable() {
        tv::ui::setAnswerer([](const tv::ui::ShownMessage&) { return tv::ui::Answer::Ok; });
        table = std::make_unique<tv::Table>(QStringLiteral("papkol.db"));
        table->open();
        tv::Database::instance().transaction([&] {
            for (int i = 1; i <= kRows; ++i) {
                table->append();
                table->fieldByName(QStringLiteral("Format")).setAsString(QStringLiteral("A4"));
                table->fieldByName(QStringLiteral("Ilosc")).setAsInteger(i);
                table->fieldByName(QStringLiteral("Rodzpap")).setAsString(QStringLiteral("Kreda"));
                table->fieldByName(QStringLiteral("Kolor")).setAsString(QStringLiteral("pełny"));
                table->fieldByName(QStringLiteral("Gramatura")).setAsInteger(115);
                table->fieldByName(QStringLiteral("Koszt")).setAsString(QStringLiteral("12,5"));
                table->post();
            }
        });
        table->first();
        source = std::make_unique<tv::ui::DataSource>(table.get());
    }
    ~LongTable() {
        grid.reset();
        source.reset();
        table.reset();
        tv::ui::setAnswerer({});
    }

    std::unique_ptr<tv::ui::DBGrid> makeGrid() const {
        auto made = std::make_unique<tv::ui::DBGrid>();
        made->setDataSource(source.get());
        made->setColumns({{"Format", "Format"},
                          {"Ilosc", "Ilość arkuszy"},
                          {"Rodzpap", "Rodzaj papieru"},
                          {"Kolor", "Ilość kolorów"},
                          {"Gramatura", "Gramatura"},
                          {"Koszt", "Koszt"}});
        made->resize(800, 600);
        return made;
    }

    tvtest::WorkingFolder folder;
    std::unique_ptr<tv::Table> table;
    std::unique_ptr<tv::ui::DataSource> source;
    std::unique_ptr<tv::ui::DBGrid> grid;
};

// Made by the first benchmark that needs it, and gone before the application.
std::unique_ptr<LongTable> g_longTable;

LongTable& longTable() {
    if (!g_longTable) g_longTable = std::make_unique<LongTable>();
    return *g_longTable;
}

template <class Step> void timeSteps(benchmark::State& state, Step step) {
    std::vector<double> times;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        step();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    std::sort(times.begin(), times.end());
    if (!times.empty()) state.counters["median_ms"] = times[times.size() / 2] * 1000.0;
}

tv::ui::DBGrid& shownGrid() {
    LongTable& data = longTable();
    if (!data.grid) {
        data.grid = data.makeGrid();
        data.grid->show();
        QApplication::processEvents();
    }
    return *data.grid;
}

// A grid made over the whole table and painted for the first time.
void BM_OpenGridOver20000Rows(benchmark::State& state) {
    LongTable& data = longTable();
    data.table->first();
    timeSteps(state, [&] {
        std::unique_ptr<tv::ui::DBGrid> grid = data.makeGrid();
        benchmark::DoNotOptimize(grid->grab());
    });
}
BENCHMARK(BM_OpenGridOver20000Rows)->UseManualTime()->Unit(benchmark::kMillisecond);

// "Ostatnia pozycja" and back to the first row, each shown.
void BM_JumpToTheLastRowAndBack(benchmark::State& state) {
    tv::ui::DBGrid& grid = shownGrid();
    tv::Table& table = *longTable().table;
    timeSteps(state, [&] {
        table.last();
        benchmark::DoNotOptimize(grid.grab());
        table.first();
        benchmark::DoNotOptimize(grid.grab());
    });
    if (table.recNo() != 1) state.SkipWithError("the cursor did not come back");
}
BENCHMARK(BM_JumpToTheLastRowAndBack)->UseManualTime()->Unit(benchmark::kMillisecond);

// Page Down in the grid: the cursor follows and the next screen is painted.
void BM_PageDown(benchmark::State& state) {
    tv::ui::DBGrid& grid = shownGrid();
    tv::Table& table = *longTable().table;
    table.first();
    timeSteps(state, [&] {
        if (table.recNo() > kRows - 100) table.first();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(&grid, &press);
        benchmark::DoNotOptimize(grid.grab());
    });
}
BENCHMARK(BM_PageDown)->UseManualTime()->Unit(benchmark::kMillisecond);

// One field changed and the row stored in the middle of the table, shown.
void BM_EditAndPostOneRow(benchmark::State& state) {
    tv::ui::DBGrid& grid = shownGrid();
    tv::Table& table = *longTable().table;
    table.moveTo(kRows / 2);
    int weight = 80;
    timeSteps(state, [&] {
        table.edit();
        table.fieldByName(QStringLiteral("Gramatura")).setAsInteger(weight++ % 300);
        table.post();
        benchmark::DoNotOptimize(grid.grab());
    });
}
BENCHMARK(BM_EditAndPostOneRow)->UseManualTime()->Unit(benchmark::kMillisecond);

// A form's code walks 50 rows of the table while the grid over it is shown,
// as a recomputation over the paper lines does; the grid follows each step.
void BM_WalkFiftyRowsUnderTheShownGrid(benchmark::State& state) {
    shownGrid();
    tv::Table& table = *longTable().table;
    timeSteps(state, [&] {
        table.first();
        for (int step = 0; step < 50; ++step)
            table.next();
    });
    if (table.recNo() != 51) state.SkipWithError("the cursor did not walk");
}
BENCHMARK(BM_WalkFiftyRowsUnderTheShownGrid)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return tvbench::runBenchmarks(argc, argv, [] { g_longTable.reset(); });
}
