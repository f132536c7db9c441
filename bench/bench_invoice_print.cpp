#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTemporaryDir>

#include "bench_support.h"
#include "costing/rules/vat_rates.h"
#include "invoicing/invoice_window.h"
#include "invoicing/reports/vat_invoice_report.h"
#include "invoicing/rules/printout_texts.h"
#include "platform/convert.h"
#include "platform/report/layout.h"
#include "platform/report/painter.h"
#include "platform/table.h"

// The operator waits for the print of an invoice: filling the VAT invoice and
// writing its three copies ("Oryginał i 2 kopie") of 30 lines as one PDF
// should take well under 300 ms.

namespace {

void addRow(tv::Table& table, const QVector<QPair<QString, QString>>& fields) {
    table.append();
    for (const auto& [name, value] : fields)
        table.fieldByName(name).setAsString(value);
    table.post();
}

void fillRegisters() {
    tv::Table sellers(QStringLiteral("sprzedawcy.db"));
    sellers.open();
    addRow(sellers, {{"Id", "DRUK"},
                     {"Nr", "1"},
                     {"Nazwisko", "Jan Kowalski"},
                     {"Firma", "Drukarnia Tarvelino Sp. z o.o."},
                     {"Ulica", "ul. Długa 5"},
                     {"Kod", "30-001"},
                     {"Miejscowosc", "Kraków"},
                     {"NIP", "676-10-20-300"},
                     {"REGON", "350123456"},
                     {"Telefon", "12 411 22 33"},
                     {"Email", "biuro@tarvelino.pl"},
                     {"Bank", "PKO BP S.A."},
                     {"Nr_rku", "12 1020 2892 0000 5102 0123 4567"}});
    tv::Table customers(QStringLiteral("kontrahenci.db"));
    customers.open();
    addRow(customers, {{"Id", "AGA"},
                       {"Nr", "1"},
                       {"Nazwisko", "Agata Nowak"},
                       {"Firma", "Agencja Reklamowa „Aga”"},
                       {"Ulica", "ul. Polna 12"},
                       {"Kod", "00-950"},
                       {"Miejscowosc", "Warszawa"},
                       {"NIP", "525-000-11-22"}});
}

void prepareInvoice(int lines) {
    tv::Table table(QStringLiteral("pozycje.db"));
    table.open();
    const char* rates[] = {"22", "7", "zw."};
    for (int i = 1; i <= lines; ++i) {
        const QString rate = QString::fromLatin1(rates[i % 3]);
        const double net = i * 12.5;
        const double vat = rate == "zw." ? 0 : net * tv::StrToFloat(rate) / 100;
        addRow(table,
               {{"Lp", QString::number(i)},
                {"Nazwa",
                 QStringLiteral("Katalog „Jesień” %1, druk kolorowy dwustronny na papierze kredowym").arg(i)},
                {"PKWiU", "58.19.1"},
                {"Ilosc", QString::number(i)},
                {"Jm", "szt."},
                {"Netto_jedn", "12,5"},
                {"Netto", tv::FloatToStr(net)},
                {"VAT", rate},
                {"KwotaVAT", tv::FloatToStr(vat)},
                {"Brutto", tv::FloatToStr(net + vat)}});
    }
    Form_fa1->pozycje->refresh();
    costing::RateTotals totals;
    tv::Database::instance().transaction([&] {
        totals = costing::rebuildRateTable(*Form_fa1->pozycje, *Form_fa1->stawkiVAT, costing::lineVatRate);
    });
    for (auto [edit, text] : {std::pair{Form_fa1->Edit3, tv::FormatCurrency(totals.net)},
                              std::pair{Form_fa1->Edit2, tv::FormatCurrency(totals.vat)},
                              std::pair{Form_fa1->Edit1, tv::FormatCurrency(totals.gross)},
                              std::pair{Form_fa1->Edit5, QStringLiteral("7/03/2024")},
                              std::pair{Form_fa1->Edit12, QStringLiteral("Odbiór osobisty")}}) {
        const QSignalBlocker blocker(edit);
        edit->setText(text);
    }
    Form_fa1->chosenSeller = 1;
    Form_fa1->chosenCustomer = 1;
}

void BM_VatInvoiceThreeCopiesToPdf(benchmark::State& state) {
    tvbench::FormsSession session(false, fillRegisters);
    prepareInvoice(30);
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("faktura.pdf"));
    const QStringList captions = invoicing::copyCaptions(invoicing::FormaWydruku::OryginalI2Kopie);
    for (auto _ : state) {
        Form_fa6->WypelnijFakture();
        tv::report::printToPdf(Form_fa6->QuickRep1, path, int(captions.size()), [&](int copy) {
            Form_fa6->QuickRep1.label(QStringLiteral("QRLabel25")).caption = captions.at(copy);
        });
    }
}
BENCHMARK(BM_VatInvoiceThreeCopiesToPdf)->Unit(benchmark::kMillisecond);

// The same three copies laid out only, as the print jobs take them.
void BM_VatInvoiceThreeCopiesLaidOut(benchmark::State& state) {
    tvbench::FormsSession session(false, fillRegisters);
    prepareInvoice(30);
    for (auto _ : state) {
        Form_fa6->WypelnijFakture();
        for (int copy = 0; copy < 3; ++copy)
            benchmark::DoNotOptimize(tv::report::layoutReport(Form_fa6->QuickRep1).size());
    }
}
BENCHMARK(BM_VatInvoiceThreeCopiesLaidOut)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return tvbench::runBenchmarks(argc, argv);
}
