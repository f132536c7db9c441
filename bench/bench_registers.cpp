// The invoicing registers at the sizes a shop reaches after years of work:
// fifty thousand issued invoices with their lines, twenty thousand goods.

#include <benchmark/benchmark.h>

#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

#include "bench_support.h"
#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/registers/goods.h"
#include "invoicing/registers/issued_invoices.h"
#include "platform/table.h"
#include "platform/ui/controls.h"

namespace {

constexpr int kInvoices = 50000;
constexpr int kLinesPerInvoice = 2;
constexpr int kCustomers = 2000;
constexpr int kGoods = 20000;

void fill() {
    tv::Database::instance().transaction([] {
        tv::Table customers(QStringLiteral("kontrahenci.db"));
        customers.open();
        for (int i = 1; i <= kCustomers; ++i) {
            customers.append();
            customers.fieldByName("Id").setAsString(QStringLiteral("K%1").arg(i, 5, 10, QChar('0')));
            customers.fieldByName("Nr").setAsInteger(i);
            customers.fieldByName("Firma").setAsString(QStringLiteral("Firma %1 sp. z o.o.").arg(i));
            customers.fieldByName("NIP").setAsString(QStringLiteral("%1").arg(7000000000LL + i));
            customers.post();
        }
        tv::Table sellers(QStringLiteral("sprzedawcy.db"));
        sellers.open();
        for (int i = 1; i <= 3; ++i) {
            sellers.append();
            sellers.fieldByName("Id").setAsString(QStringLiteral("S%1").arg(i));
            sellers.fieldByName("Nr").setAsInteger(i);
            sellers.post();
        }
        // Ten years of invoices, about fourteen a day.
        tv::Table invoices(QStringLiteral("wyst_faktury.db"));
        tv::Table lines(QStringLiteral("wyst_pozycje.db"));
        invoices.open();
        lines.open();
        const QDate start(2014, 1, 1);
        for (int i = 0; i < kInvoices; ++i) {
            const QDate issued = start.addDays(i * 3650 / kInvoices);
            const QString number =
                QStringLiteral("%1/%2/%3").arg(i % 500 + 1).arg(issued.month()).arg(issued.year());
            invoices.append();
            invoices.fieldByName("Nr").setAsString(number);
            invoices.fieldByName("Nr_sprzed").setAsInteger(i % 3 + 1);
            invoices.fieldByName("Nr_kontr").setAsInteger(i % kCustomers + 1);
            invoices.fieldByName("Data_wyst").setAsDate(issued);
            invoices.fieldByName("Forma_pl")
                .setAsString(i % 3 ? QStringLiteral("gotówką") : QStringLiteral("przelewem"));
            invoices.fieldByName("Netto").setAsFloat(100 + i % 900);
            invoices.fieldByName("Brutto").setAsFloat((100 + i % 900) * 1.22);
            invoices.post();
            for (int l = 0; l < kLinesPerInvoice; ++l) {
                lines.append();
                lines.fieldByName("Nr_faktury").setAsString(number);
                lines.fieldByName("Lp").setAsInteger(l + 1);
                lines.fieldByName("Nazwa").setAsString(QStringLiteral("Druk %1").arg(i));
                lines.post();
            }
        }
        tv::Table goods(QStringLiteral("towary.DB"));
        goods.open();
        for (int i = 0; i < kGoods; ++i) {
            const int n = (i * 7919) % kGoods;
            goods.append();
            goods.fieldByName("Nazwa").setAsString(
                QStringLiteral("Towar %1 %2").arg(QChar(u'A' + n % 26)).arg(n));
            goods.fieldByName("Nr").setAsInteger(n + 1);
            goods.fieldByName("Id").setAsString(QStringLiteral("T%1").arg(n, 5, 10, QChar('0')));
            goods.fieldByName("VAT").setAsString(QStringLiteral("22"));
            goods.fieldByName("Netto").setAsFloat(1 + n % 300);
            goods.fieldByName("Magazyn").setAsFloat(n % 40);
            goods.fieldByName("PKWiU").setAsString(QStringLiteral("22.%1").arg(n % 99));
            goods.post();
        }
    });
}

struct Setup {
    tvbench::FormsSession session{false, fill};
};

std::unique_ptr<Setup> g_setup;

Setup& setup() {
    if (!g_setup) g_setup = std::make_unique<Setup>();
    return *g_setup;
}

// Showing the register: every invoice listed, the last one selected with its
// lines, the grid painted.
void BM_OpenInvoiceRegister(benchmark::State& state) {
    setup();
    for (auto _ : state) {
        Form_fa2->show();
        QApplication::processEvents();
        state.PauseTiming();
        Form_fa2->hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["invoices"] = Form_fa2->wyst_faktury->recordCount();
}
BENCHMARK(BM_OpenInvoiceRegister)->Unit(benchmark::kMillisecond)->Iterations(10);

// A new date in "Od kiedy", alternating between a narrow and a wide period.
void BM_ChangeThePeriod(benchmark::State& state) {
    setup();
    Form_fa2->show();
    QApplication::processEvents();
    const QDate dates[] = {QDate(2023, 12, 1), QDate(2014, 1, 1)};
    int i = 0;
    for (auto _ : state) {
        Form_fa2->od_kiedy->setDate(dates[i++ % 2]);
        QApplication::processEvents();
    }
    state.counters["listed"] = Form_fa2->wyst_faktury->recordCount();
    Form_fa2->hide();
}
BENCHMARK(BM_ChangeThePeriod)->Unit(benchmark::kMillisecond)->Iterations(20);

// One keystroke in the goods search, narrowing and widening in turn.
void BM_GoodsSearchKeystroke(benchmark::State& state) {
    setup();
    Form_fa5->show();
    QApplication::processEvents();
    const QString texts[] = {QStringLiteral("Towar K"), QStringLiteral("Towar K1"), QStringLiteral("Towar K"),
                             QStringLiteral("T")};
    int i = 0;
    for (auto _ : state) {
        Form_fa5->Nazwa->setText(texts[i++ % 4]);
        QApplication::processEvents();
    }
    state.counters["goods"] = Form_fa5->towary->recordCount();
    Form_fa5->Panel1Click(Form_fa5->Panel1);
    Form_fa5->hide();
}
BENCHMARK(BM_GoodsSearchKeystroke)->Unit(benchmark::kMillisecond);

// Opening the invoice window: its show sequence numbers the invoice from the
// register and fills the pickers of sellers, customers and goods.
void BM_ShowInvoiceWindow(benchmark::State& state) {
    setup();
    Form_fa10->CheckBox1->setChecked(true);
    for (auto _ : state) {
        Form_fa1->show();
        QApplication::processEvents();
        state.PauseTiming();
        Form_fa1->hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ShowInvoiceWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

// One keystroke in the invoice window's goods picker: the list of goods in
// stock is read again and the goods register follows the typed Id.
void BM_GoodsPickerKeystroke(benchmark::State& state) {
    setup();
    Form_fa10->CheckBox1->setChecked(true);
    Form_fa1->show();
    QApplication::processEvents();
    QComboBox* picker = Form_fa1->ComboBox5;
    picker->setFocus(Qt::OtherFocusReason);
    const Qt::Key keys[] = {Qt::Key_T, Qt::Key_1, Qt::Key_Backspace, Qt::Key_Backspace};
    int i = 0;
    for (auto _ : state) {
        QTest::keyClick(picker, keys[i++ % 4]);
        QApplication::processEvents();
    }
    state.counters["offered"] = picker->count();
    Form_fa1->hide();
}
BENCHMARK(BM_GoodsPickerKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return tvbench::runBenchmarks(argc, argv, [] { g_setup.reset(); });
}
