// Timings of the reference-data dialogs as the operator meets them.

#include <algorithm>
#include <chrono>
#include <vector>

#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QLineEdit>

#include "bench_support.h"
#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "platform/table.h"
#include "platform/ui/controls.h"

namespace {

void addRow(const char* file, const std::vector<std::pair<const char*, QString>>& fields) {
    tv::Table table(QString::fromLatin1(file));
    table.open();
    table.append();
    for (const auto& [field, text] : fields)
        table.fieldByName(QString::fromLatin1(field)).setAsString(text);
    table.post();
}

// The shop's usual reference data, written before the forms open their tables.
void fillReferenceData() {
    addRow("formaty.db", {{"Nazwa", "A4"}, {"St0", "16"}});
    addRow("formaty.db", {{"Nazwa", "A3"}, {"St0", "8"}});
    addRow("formaty.db", {{"Nazwa", "B2"}, {"St0", "4"}});
    addRow("rodzpap.db", {{"Nazwa", "Kreda"}});
    for (int g = 80; g <= 300; g += 5)
        addRow(
            "gramatury.db",
            {{"Rodzpap", "1"}, {"Gramatura", QString::number(g)}, {"Cena_ark", "0,2"}, {"Cena_ryzy", "100"}});
    addRow("ustawienia.db", {{"Maszyna", "4"},
                             {"Przelot_bialy4", "0,05"},
                             {"Przelot_kolor4", "0,06"},
                             {"Pl_czb", "12"},
                             {"Pl_kolor", "20"},
                             {"Matryca", "A3"},
                             {"Sklad_czb", "8"},
                             {"Sklad_kolor", "4"},
                             {"Zysk_od_rob", "10"},
                             {"Narzut_mat", "15"},
                             {"Podatek", "22"},
                             {"Falsowanie", "0,02"}});
}

// The operator presses "  Dodaj" with 50 lines already on the job: the line is
// checked, stored, and the paper figures and the whole sheet recomputed.
void BM_AddPaperLineWith50Lines(benchmark::State& state) {
    tvbench::FormsSession session(false, fillReferenceData);
    // The paper dialog shown, so that its grid follows every step of the lines.
    Form4->show();
    Form1->Edit2->setText(QStringLiteral("1000"));
    Form4->Edit2->setText(QStringLiteral("16"));
    Form4->ComboBox2->setCurrentText(QStringLiteral("115"));
    Form4->ComboBox2Change(Form4->ComboBox2);
    for (int i = 0; i < 50; ++i) {
        Form4->ComboBox1->setCurrentIndex(i % 4);
        Form4->SpeedButton3->click();
    }
    if (Form4->papkol->recordCount() != 50 || !tv::ui::shownMessages().isEmpty()) {
        state.SkipWithError("the 50 lines could not be added");
        return;
    }
    Form4->ComboBox1->setCurrentIndex(3);

    std::vector<double> times;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Form4->SpeedButton3->click();
        const auto end = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        times.push_back(seconds);
        // Back to 50 lines for the next press, untimed.
        Form4->papkol->last();
        Form4->papkol->remove();
    }
    if (Form4->papkol->recordCount() != 50 || !tv::ui::shownMessages().isEmpty())
        state.SkipWithError("adding a line failed");
    std::sort(times.begin(), times.end());
    if (!times.empty()) state.counters["median_ms"] = times[times.size() / 2] * 1000.0;
}
BENCHMARK(BM_AddPaperLineWith50Lines)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    return tvbench::runBenchmarks(argc, argv);
}
