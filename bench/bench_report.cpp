// The calculation printout's size: about 120 labels in the header and footer
// bands and 30 paper lines; laying it out and writing its PDF must take well
// under 150 ms.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include "platform/regional.h"
#include "platform/report/layout.h"
#include "platform/report/painter.h"
#include "platform/report/report.h"

using namespace tv::report;

namespace {

class PaperLines : public DataSource {
public:
    explicit PaperLines(int count) : m_count(count) {}
    void first() override { m_row = 0; }
    void next() override { ++m_row; }
    bool eof() const override { return m_row >= m_count; }
    QString fieldText(const QString& field) const override {
        if (field == QLatin1String("Koszt")) return QString::number(m_row * 37 + 12) + QStringLiteral(",5");
        if (field == QLatin1String("Rodzpap")) return QStringLiteral("kreda błysk %1").arg(m_row);
        return QString::number(m_row + 1);
    }
    bool isMoney(const QString& field) const override { return field == QLatin1String("Koszt"); }

private:
    int m_count;
    int m_row = 0;
};

Report calculation(int paperLines) {
    Report report;
    report.title = QStringLiteral("Kalkulacja");
    Band& title = report.addBand(BandType::Title, 25);
    title.ruleBottom = true;
    title.add(label("QRLabel1", "KALKULACJA", 8, 0).withFont(tahoma(14, Bold)));
    title.add(label("QRLabel121", "Data wykonania:", 496, 2).withFont(tahoma(12, Bold)));
    title.add(label("QRLabel122", "10.12.2024", 600, 2).withFont(tahoma(12, Bold)));

    Band& header = report.addBand(BandType::ColumnHeader, 106);
    for (int i = 0; i < 12; ++i)
        header.add(label(QStringLiteral("H%1").arg(i), QStringLiteral("Nagłówek %1:").arg(i),
                         8 + (i % 2) * 328, 8 + (i / 2) * 16));
    const double columns[] = {128, 200, 304, 400, 496, 608};
    for (double x : columns)
        header.add(label(QString(), "Kolumna", x, 80));
    header.add(hRule(0, 96, report.page.contentWidth()));

    Band& lines = report.addBand(BandType::Detail, 16);
    lines.source = std::make_shared<PaperLines>(paperLines);
    const char* fields[] = {"Format", "Ilosc", "Gramatura", "Kolor", "Rodzpap", "Koszt"};
    for (int i = 0; i < 6; ++i)
        lines.add(dataText(QString(), fields[i], columns[i] + 8, 0).withFont(tahoma(9)));

    Band& footer = report.addBand(BandType::Summary, 808);
    footer.ruleBottom = true;
    for (int row = 0; row < 48; ++row) {
        const double y = 8 + row * 16;
        footer.add(label(QString(), QStringLiteral("Pozycja kosztów %1:").arg(row), 8, y));
        footer.add(
            label(QStringLiteral("QRLabel%1").arg(200 + row), QStringLiteral("%1 x 12,5").arg(row), 136, y));
        if (row % 8 == 0) footer.add(hRule(0, y + 14, report.page.contentWidth()));
        footer.add(label(QStringLiteral("QRLabel%1").arg(300 + row), QStringLiteral("%1,00").arg(row * 113),
                         608, y));
    }
    footer.add(label("QRLabel132",
                     QStringLiteral("Uwagi operatora do zlecenia, zapisane tak, by się zawinęły w "
                                    "dwie linie na wydruku kalkulacji dla klienta."),
                     48, 786)
                   .withFont(tahoma(9))
                   .wrapped(665));
    return report;
}

void BM_CalculationLayout(benchmark::State& state) {
    Report report = calculation(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(layoutReport(report));
}
BENCHMARK(BM_CalculationLayout)->Arg(30)->Unit(benchmark::kMillisecond);

void BM_CalculationLayoutAndPdf(benchmark::State& state) {
    Report report = calculation(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kalkulacja.pdf"));
    int pages = 0;
    for (auto _ : state) {
        const QVector<LaidOutPage> laidOut = layoutReport(report);
        pages = int(laidOut.size());
        writePdf(laidOut, path, report.title);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_CalculationLayoutAndPdf)->Arg(30)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    tv::setRegional(tv::RegionalSettings::polish());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
