// How fast the costing sheet answers the operator: one keystroke in the print
// run with its whole cascade, with and without a discount, and leaving the
// print run (paper recomputation and summary). Run by hand:
//   QT_QPA_PLATFORM=offscreen ./bench_costing

#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "bench_support.h"
#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "platform/table.h"
#include "platform/ui/application.h"
#include "platform/ui/messages.h"
#include "support/test_env.h"

namespace {

// The program as the operator has it: every form created in a working folder
// with the delivered data, the sheet shown, a job with a few paper lines.
class Session {
public:
    Session() : m_forms(true, [] { tv::ui::setDataDir(tvtest::sourceDataDir()); }) {
        Form1->show();
        Form1->activateWindow();
        if (!QTest::qWaitForWindowActive(Form1)) qWarning("the costing sheet did not become active");
        Form4->Label9->setText("A4");
        Form4->formatMatrycy = "A3";
        tv::Table& papkol = *Form4->papkol;
        papkol.open();
        const char* colours[] = {"1", "pełny", "2", "1", "3"};
        for (int i = 0; i < 10; ++i) {
            papkol.append();
            papkol.fieldByName("Format").setAsString("A4");
            papkol.fieldByName("Ilosc").setAsFloat(50 + i);
            papkol.fieldByName("Rodzpap").setAsString("Kreda mat");
            papkol.fieldByName("Kolor").setAsString(QString::fromUtf8(colours[i % 5]));
            papkol.fieldByName("Gramatura").setAsFloat(135);
            papkol.fieldByName("Koszt").setAsFloat(12.5 + i);
            papkol.post();
        }
        // Every section has figures, so that every keystroke changes every total.
        const std::pair<QLineEdit*, const char*> figures[] = {
            {Form1->Edit7, "120"},   {Form1->Edit11, "15"},   {Form1->Edit13, "25"},
            {Form1->Edit22, "0,35"}, {Form1->Edit32, "25"},   {Form1->Edit35, "40"},
            {Form1->Edit78, "0,02"}, {Form1->Edit47, "0,04"}, {Form1->Edit51, "0,06"},
            {Form1->Edit77, "0,05"}, {Form1->Edit53, "1,5"},  {Form1->Edit54, "40"}};
        for (const auto& [field, text] : figures)
            field->setText(QString::fromUtf8(text));
        Form1->ComboBox5->setEditText("2 zszywki");
        Form1->ComboBox2->setEditText("20");
        Form1->Edit2->setText("1000");
        Form4->PrzeliczPapier();
        Form1->PageControl1->setCurrentIndex(0);
        Form1->Edit2->setFocus(Qt::TabFocusReason);
        tv::ui::clearShownMessages();
    }

private:
    tvbench::FormsSession m_forms;
};

// The session opens with the first benchmark, once the application exists.
Session* g_session = nullptr;
void openSession() {
    if (!g_session) g_session = new Session;
}

// Typing a digit and taking it back again: every one an accepted keystroke
// that changes all four mirrors.
void typeIntoPrintRun(benchmark::State& state) {
    QLineEdit* run = Form1->Edit2;
    run->setText("1000");
    run->end(false);
    bool typeDigit = true;
    for (auto _ : state) {
        QTest::keyClick(run, typeDigit ? Qt::Key_5 : Qt::Key_Backspace);
        typeDigit = !typeDigit;
    }
    if (!tv::ui::shownMessages().isEmpty())
        state.SkipWithError(tv::ui::shownMessages().front().text.toStdString().c_str());
}

void BM_PrintRunKeystroke(benchmark::State& state) {
    openSession();
    Form1->ComboBox3->setEditText("0");
    typeIntoPrintRun(state);
}

void BM_PrintRunKeystrokeWithDiscount(benchmark::State& state) {
    openSession();
    Form1->ComboBox3->setEditText("10");
    typeIntoPrintRun(state);
    Form1->ComboBox3->setEditText("0");
}

// Enter runs the print run's exit as leaving it does: paper lines, the sheet's
// paper figures and their sections, the folds, and the summary.
void BM_LeavePrintRun(benchmark::State& state) {
    openSession();
    Form1->ComboBox3->setEditText("0");
    QLineEdit* run = Form1->Edit2;
    bool thousand = true;
    for (auto _ : state) {
        state.PauseTiming();
        run->setText(thousand ? "1000" : "2000");
        thousand = !thousand;
        state.ResumeTiming();
        QTest::keyClick(run, Qt::Key_Return);
    }
    if (!tv::ui::shownMessages().isEmpty())
        state.SkipWithError(tv::ui::shownMessages().front().text.toStdString().c_str());
}

BENCHMARK(BM_PrintRunKeystroke)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_PrintRunKeystrokeWithDiscount)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LeavePrintRun)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return tvbench::runBenchmarks(argc, argv, [] {
        delete g_session;
        g_session = nullptr;
    });
}
