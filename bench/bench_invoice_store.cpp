// Saving and numbering against a register of 50 000 issued invoices with
// 500 000 lines: the save command with an invoice of 20 lines (target under
// 20 ms) and the next number of the year (target under 100 ms).

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

#include "bench_support.h"
#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/rules/invoice_store.h"
#include "platform/clock.h"
#include "platform/table.h"
#include "platform/ui/controls.h"

namespace {

constexpr int kInvoices = 50000;
constexpr int kLinesEach = 10;
constexpr int kBatch = 100;

void addParty(const char* table, const char* id, int nr) {
    tv::Table t(QString::fromLatin1(table));
    t.open();
    t.append();
    t.fieldByName("Id").setAsString(QString::fromLatin1(id));
    t.fieldByName("Nr").setAsInteger(nr);
    t.post();
}

// The register as a busy shop has it after years of work: every invoice of
// this year, so that the next number reads all of them.
void fillRegister() {
    addParty("sprzedawcy.db", "FIRMA", 1);
    addParty("kontrahenci.db", "KOWAL", 5);
    tv::Database::instance().transaction([] {
        for (int first = 1; first <= kInvoices; first += kBatch) {
            QStringList headers;
            QStringList lines;
            QVector<QVariant> headerValues;
            QVector<QVariant> lineValues;
            for (int i = first; i < first + kBatch && i <= kInvoices; ++i) {
                const QDate issued = QDate(2009, 1, 1).addDays((i - 1) * 364 / kInvoices);
                const QString number =
                    QStringLiteral("%1/%2/2009").arg(i).arg(issued.month(), 2, 10, QChar(u'0'));
                headers << QStringLiteral("(?, 1, 5, 1, ?, 'gotówką', 100, 22, 122, 1, 1)");
                headerValues << number << issued;
                for (int lp = 1; lp <= kLinesEach; ++lp) {
                    lines << QStringLiteral("(?, ?, 1, '22', 'szt', 10, 2.2, 12.2, 10, ?)");
                    lineValues << lp << QStringLiteral("Druk ulotek A5, pozycja %1").arg(lp) << number;
                }
            }
            tv::Query::exec(
                QStringLiteral("insert into wyst_faktury (Nr, Nr_sprzed, Nr_kontr, Rodzaj, Data_wyst, "
                               "Forma_pl, Netto, WartoscVAT, Brutto, Rodz_fa, Rodz_wy) values ") +
                    headers.join(u','),
                headerValues);
            tv::Query::exec(
                QStringLiteral("insert into wyst_pozycje (Lp, Nazwa, Ilosc, VAT, Jm, Netto, KwotaVAT, "
                               "Brutto, Netto_jedn, Nr_faktury) values ") +
                    lines.join(u','),
                lineValues);
        }
    });
}

std::unique_ptr<tvbench::FormsSession>& session() {
    static std::unique_ptr<tvbench::FormsSession> s;
    if (!s) {
        tv::setToday(QDate(2009, 12, 31));
        s = std::make_unique<tvbench::FormsSession>(false, fillRegister);
        // Outside the stock version: no question waits before the save.
        Form_fa10->CheckBox1->setChecked(false);
    }
    return s;
}

// An invoice of 20 lines on the window, its parties chosen.
void prepareInvoice(const QString& number) {
    Form_fa1->Edit5->setText(number);
    Form_fa1->ComboBox2->setEditText(QStringLiteral("FIRMA"));
    Form_fa1->chosenSeller = 1;
    Form_fa1->ComboBox3->setEditText(QStringLiteral("KOWAL"));
    Form_fa1->chosenCustomer = 5;
    tv::Table& lines = *Form_fa1->pozycje;
    lines.emptyTable();
    tv::Database::instance().transaction([&] {
        for (int lp = 1; lp <= 20; ++lp) {
            lines.append();
            lines.fieldByName("Lp").setAsInteger(lp);
            lines.fieldByName("Nazwa").setAsString(QStringLiteral("Papier kredowy A4, ryza %1").arg(lp));
            lines.fieldByName("Ilosc").setAsFloat(lp);
            lines.fieldByName("VAT").setAsString(lp % 3 ? QStringLiteral("22") : QStringLiteral("7"));
            lines.fieldByName("Jm").setAsString(QStringLiteral("szt"));
            lines.fieldByName("Netto_jedn").setAsFloat(12.5);
            lines.fieldByName("Netto").setAsFloat(12.5 * lp);
            lines.post();
        }
    });
}

void reportTimes(benchmark::State& state, std::vector<double>& times) {
    if (!Form_fa1->Zapisana) state.SkipWithError("the invoice was not saved");
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times.empty() ? 0 : times[times.size() / 2];
    state.counters["p99_ms"] = times.empty() ? 0 : times[times.size() * 99 / 100];
}

template <typename F> double timed(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// "Zapisz fakturę" on a new invoice: the number checked, header and 20 lines written.
void BM_SaveNewInvoiceOf20Lines(benchmark::State& state) {
    session();
    std::vector<double> times;
    static int n = 0; // the benchmark runs more than once: every number stays new
    for (auto _ : state) {
        state.PauseTiming();
        Form_fa1->storedNumber.clear();
        prepareInvoice(QStringLiteral("N%1/12/2009").arg(++n));
        state.ResumeTiming();
        times.push_back(timed([] { Form_fa1->SpeedButton2Click(Form_fa1->SpeedButton2); }));
    }
    reportTimes(state, times);
}
BENCHMARK(BM_SaveNewInvoiceOf20Lines)->Unit(benchmark::kMillisecond);

// The same invoice saved again: its row updated, its 20 lines replaced.
void BM_SaveStoredInvoiceAgain(benchmark::State& state) {
    session();
    const QString number = QStringLiteral("P1/12/2009");
    prepareInvoice(number);
    Form_fa1->storedNumber = invoicing::invoiceStored(number) ? number : QString();
    Form_fa1->SpeedButton2Click(Form_fa1->SpeedButton2);
    std::vector<double> times;
    for (auto _ : state)
        times.push_back(timed([] { Form_fa1->SpeedButton2Click(Form_fa1->SpeedButton2); }));
    reportTimes(state, times);
}
BENCHMARK(BM_SaveStoredInvoiceAgain)->Unit(benchmark::kMillisecond);

// The rule alone, without the window: check, then header and lines.
void BM_SaveInvoiceRule(benchmark::State& state) {
    session();
    prepareInvoice(QStringLiteral("R/12/2009"));
    const QVector<invoicing::InvoiceLine> lines = invoicing::readLines(*Form_fa1->pozycje);
    invoicing::InvoiceHeader header;
    header.number = QStringLiteral("R/12/2009");
    header.issueDate = QDate(2009, 12, 31);
    header.seller = 1;
    header.customer = 5;
    if (!invoicing::invoiceStored(header.number)) invoicing::saveInvoice(header, lines, QString());
    for (auto _ : state)
        invoicing::saveInvoice(header, lines, header.number);
}
BENCHMARK(BM_SaveInvoiceRule)->Unit(benchmark::kMillisecond);

// The next number as the window's show sequence asks for it.
void BM_NastepnyNumer(benchmark::State& state) {
    session();
    int highest = 0;
    for (auto _ : state)
        highest = Form_fa1->NastepnyNumer();
    if (highest != kInvoices) state.SkipWithError("wrong highest number");
}
BENCHMARK(BM_NastepnyNumer)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return tvbench::runBenchmarks(argc, argv, [] {
        session().reset();
        tv::setToday(QDate());
    });
}
