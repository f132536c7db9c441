#include "costing/reports/calculation_title.h"

using namespace tv::report;

tv::report::Band& addCalculationTitle(Report& report, double height, int headingStyle) {
    constexpr double captionX = 466;
    constexpr double gap = 4;
    report.title = QStringLiteral("Kalkulacja");
    report.baseFont = tahoma(10);
    Band& title = report.addBand(BandType::Title, height, QStringLiteral("TitleBand1"));
    title.add(label(QString(), QStringLiteral("KALKULACJA"), 8, 0)).withFont(tahoma(14, headingStyle));
    title.add(label(QString(), QStringLiteral("Data wykonania:"), captionX, 3))
        .withFont(tahoma(12, Bold))
        .alignedRight(printDateX - gap - captionX);
    return title;
}
