// How fast the invoice window answers: adding a line to an invoice of 100
// lines and recomputing it (renumbering, the rate rows, the totals, their
// texts and the words), as "Dodaj pozycję" and "Potwierdź zmianę" do; in the
// stock version every line is also checked against goods of its name. Run by
// hand:
//   QT_QPA_PLATFORM=offscreen ./bench_invoice

#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QTest>

#include "bench_support.h"
#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "platform/table.h"
#include "platform/ui/application.h"
#include "platform/ui/controls.h"
#include "platform/ui/messages.h"
#include "support/test_env.h"

namespace {

const char* const kRates[] = {"22", "7", "0", "zw.", "3"};

// The program as the operator has it: the invoice window shown with an
// invoice of 100 lines over five rates, each line named as goods in stock.
class Session {
public:
    Session()
        : m_forms(true, [] {
              tv::ui::setDataDir(tvtest::sourceDataDir());
              addGoods();
          }) {
        Form_fa1->show();
        Form_fa1->activateWindow();
        if (!QTest::qWaitForWindowActive(Form_fa1)) qWarning("the invoice window did not become active");
        tv::Table& lines = *Form_fa1->pozycje;
        lines.first();
        lines.emptyTable();
        for (int i = 0; i < 100; ++i)
            addLine(i);
        Form_fa1->Przelicz();
        tv::ui::clearShownMessages();
    }

    static void addGoods() {
        tv::Table goods(QStringLiteral("towary.DB"));
        goods.open();
        tv::Database::instance().transaction([&] {
            for (int i = 0; i <= 100; ++i) {
                goods.append();
                goods.fieldByName("Nazwa").setAsString(QStringLiteral("Pozycja %1").arg(i));
                goods.fieldByName("Nr").setAsInteger(1000 + i);
                goods.fieldByName("Id").setAsString(QStringLiteral("P%1").arg(i));
                goods.fieldByName("Magazyn").setAsFloat(1000);
                goods.post();
            }
        });
    }

    static void addLine(int i) {
        tv::Table& lines = *Form_fa1->pozycje;
        Form_fa1->SpeedButton20Click(Form_fa1->SpeedButton20);
        lines.fieldByName("Nazwa").setAsString(QStringLiteral("Pozycja %1").arg(i));
        lines.fieldByName("Ilosc").setAsFloat(1 + i % 7);
        lines.fieldByName("Jm").setAsString("szt");
        lines.fieldByName("Netto_jedn").setAsFloat(0.35 + i * 1.17);
        lines.fieldByName("VAT").setAsString(kRates[i % 5]);
    }

private:
    tvbench::FormsSession m_forms;
};

Session* g_session = nullptr;
void openSession() {
    if (!g_session) g_session = new Session;
}

void addAndRecompute(benchmark::State& state, bool stock) {
    openSession();
    Form_fa10->CheckBox1->setChecked(stock);
    tv::Table& lines = *Form_fa1->pozycje;
    for (auto _ : state) {
        Session::addLine(100);
        Form_fa1->SpeedButton14Click(Form_fa1->SpeedButton14);
        state.PauseTiming();
        lines.last();
        lines.remove();
        state.ResumeTiming();
    }
    if (lines.recordCount() != 100) state.SkipWithError("the invoice lost or gained lines");
    if (!tv::ui::shownMessages().isEmpty())
        state.SkipWithError(tv::ui::shownMessages().front().text.toStdString().c_str());
}

void BM_AddLineAndRecompute100(benchmark::State& state) {
    addAndRecompute(state, false);
}

void BM_AddLineAndRecompute100InStock(benchmark::State& state) {
    addAndRecompute(state, true);
}

BENCHMARK(BM_AddLineAndRecompute100)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_AddLineAndRecompute100InStock)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return tvbench::runBenchmarks(argc, argv, [] {
        delete g_session;
        g_session = nullptr;
    });
}
