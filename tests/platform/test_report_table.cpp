#include <gtest/gtest.h>

#include "platform/convert.h"
#include "platform/report/layout.h"
#include "platform/report/report.h"
#include "platform/report/table_source.h"
#include "platform/table.h"
#include "support/test_env.h"

using namespace tv::report;

namespace {

// A working table of parts, as a detail band reads it.
class ReportOverTable : public ::testing::Test {
protected:
    void SetUp() override {
        papkol.open();
        struct Line {
            const char* format;
            const char* ilosc;
            const char* gramatura;
            const char* koszt;
        };
        for (const Line& l : {Line{"A4", "1000", "80", "1234,5"}, Line{"B1", "2,5", "115", ""},
                              Line{"SRA3", "250", "300", "-0,25"}}) {
            papkol.append();
            papkol.fieldByName("Code").setAsString(l.format);
            papkol.fieldByName("Qty").setAsString(l.ilosc);
            papkol.fieldByName("Weight").setAsString(l.gramatura);
            papkol.fieldByName("Cost").setAsString(l.koszt);
            papkol.post();
        }
        Band& rows = report.addBand(BandType::Detail, 16);
        rows.source = tableSource(papkol);
        rows.add(dataText("Code", "Code", 136, 0));
        rows.add(dataText("Qty", "Qty", 208, 0));
        rows.add(dataText("Weight", "Weight", 312, 0));
        rows.add(dataText("Cost", "Cost", 608, 0));
        report.addBand(BandType::Summary, 20).add(label("end", "Razem:", 520, 0));
    }

    QStringList column(const LaidOutPage& page, const QString& name) {
        QStringList out;
        for (const LaidOutItem* item : page.itemsNamed(name))
            out << item->text;
        return out;
    }

    tvtest::WorkingFolder folder;
    tv::Table papkol{"parts.db"};
    Report report;
};

} // namespace

TEST_F(ReportOverTable, OneBandPerRowInTableOrderWithMoneyInTheCurrencyFormat) {
    const LaidOutPage page = layoutReport(report).first();
    EXPECT_EQ(column(page, "Code"), (QStringList{"A4", "B1", "SRA3"}));
    EXPECT_EQ(column(page, "Qty"), (QStringList{"1000", "2,5", "250"})) << "the shortest general form";
    EXPECT_EQ(column(page, "Weight"), (QStringList{"80", "115", "300"}));
    EXPECT_EQ(column(page, "Cost"), (QStringList{QString("1\u00A0234,50 zł"), QString("-0,25 zł")}))
        << "an empty amount prints nothing";
    EXPECT_EQ(page.itemsNamed("Cost").last()->rect.top(), 32);
    EXPECT_EQ(page.itemsNamed("end").first()->rect.top(), 48);
}

TEST_F(ReportOverTable, TheCursorGoesBackToTheOperatorsRow) {
    papkol.first();
    papkol.next();
    ASSERT_EQ(papkol.recNo(), 2);
    layoutReport(report);
    EXPECT_EQ(papkol.recNo(), 2);
    EXPECT_EQ(papkol.fieldByName("Code").asString(), "B1");
}

TEST_F(ReportOverTable, FilterNarrowsTheRowsAndAnEmptyTableStillPrints) {
    papkol.setFilter({{"Code", "=", "B1"}});
    papkol.setFiltered(true);
    EXPECT_EQ(column(layoutReport(report).first(), "Code"), QStringList{"B1"});

    papkol.setFiltered(false);
    papkol.emptyTable();
    const QVector<LaidOutPage> pages = layoutReport(report);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages.first().itemsNamed("Code").isEmpty());
    EXPECT_EQ(pages.first().itemsNamed("end").first()->rect.top(), 0);
}
