#include <gtest/gtest.h>

#include <QFontInfo>

#include "platform/errors.h"
#include "platform/report/fonts.h"
#include "platform/report/layout.h"
#include "platform/report/report.h"
#include "test_report_support.h"

using namespace tv::report;

namespace {

constexpr double tolerance = 0.01;

const LaidOutItem& only(const LaidOutPage& page, const QString& name) {
    const auto items = page.itemsNamed(name);
    EXPECT_EQ(items.size(), 1) << name.toStdString();
    static const LaidOutItem none;
    return items.isEmpty() ? none : *items.first();
}

// The calculation's shape: a title, a header repeated on every page, one band
// per paper line and a tall footer that must never be split.
Report calculationShape(int rows, std::shared_ptr<tvtest::RowsSource>* sourceOut = nullptr) {
    Report report;
    Band& title = report.addBand(BandType::Title, 25, "title");
    title.ruleBottom = true;
    title.add(label("QRLabel1", "KALKULACJA", 8, 0).withFont(tahoma(14, Bold)));
    Band& header = report.addBand(BandType::ColumnHeader, 106, "header");
    header.add(label("Format", "Format:", 128, 80));
    Band& detail = report.addBand(BandType::Detail, 16, "detail");
    auto source = std::make_shared<tvtest::RowsSource>(QStringList{"Format", "Koszt"},
                                                       tvtest::numberedRows(rows), QSet<QString>{"Koszt"});
    detail.source = source;
    detail.add(dataText("QRDBText1", "Format", 136, 0).withFont(tahoma(9)));
    detail.add(dataText("QRDBText6", "Koszt", 608, 0).withFont(tahoma(9)));
    Band& footer = report.addBand(BandType::Summary, 808, "footer");
    footer.ruleBottom = true;
    footer.add(label("QRLabel132", "Uwagi:", 0, 786));
    if (sourceOut) *sourceOut = source;
    return report;
}

} // namespace

TEST(ReportFonts, DesignNamesMapToThePinnedFontFiles) {
    ASSERT_TRUE(fontPinned("Tahoma"));
    ASSERT_TRUE(fontPinned("Times New Roman"));
    EXPECT_EQ(pinnedFamily("Times New Roman"), "Liberation Serif");
    for (int style : {int(Plain), int(Bold), int(Italic), Bold | Italic}) {
        EXPECT_EQ(QFontInfo(qfontFor(tahoma(10, style))).family(), "Tahoma") << style;
        EXPECT_EQ(QFontInfo(qfontFor(timesNewRoman(10, style))).family(), "Liberation Serif") << style;
    }
}

TEST(ReportFonts, MetricsAreTheFontFilesAtNinetySixDpi) {
    // 10 pt at 96 dpi is 13.33 units; Tahoma's line is about 1.2 em.
    EXPECT_NEAR(lineHeight(tahoma(10)), 16.1, 0.5);
    EXPECT_GT(textWidth(timesNewRoman(10, Bold), "KALKULACJA"), textWidth(timesNewRoman(10), "KALKULACJA"))
        << "a face of its own for bold";
    EXPECT_NEAR(lineHeight(timesNewRoman(10)), 14.76, 0.05) << "Times New Roman's 1.107 em";
    EXPECT_NEAR(textWidth(tahoma(20), "Zażółć"), 2 * textWidth(tahoma(10), "Zażółć"), 0.05);
}

TEST(ReportLayout, ElementsStandAtTheirBandsTopPlusTheirY) {
    Report report = calculationShape(2);
    const QVector<LaidOutPage> pages = layoutReport(report);
    ASSERT_EQ(pages.size(), 1);
    const LaidOutPage& page = pages.first();
    EXPECT_NEAR(page.contentOrigin.x(), 37.795, 0.001);
    EXPECT_NEAR(page.contentSize.height(), 1046.93, 0.01);

    EXPECT_EQ(only(page, "QRLabel1").rect.topLeft(), QPointF(8, 0));
    EXPECT_EQ(only(page, "Format").rect.topLeft(), QPointF(128, 25 + 80));
    const auto rows = page.itemsNamed("QRDBText1");
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0]->text, "Wiersz 1");
    EXPECT_EQ(rows[0]->rect.topLeft(), QPointF(136, 131));
    EXPECT_EQ(rows[1]->rect.topLeft(), QPointF(136, 147));
    EXPECT_EQ(only(page, "QRLabel132").rect.topLeft(), QPointF(0, 163 + 786));
    EXPECT_EQ(only(page, "QRLabel1").font, tahoma(14, Bold));
    EXPECT_EQ(only(page, "Format").font, tahoma(10)) << "the report's base font";
}

TEST(ReportLayout, BandRulesFollowTheBandsEdges) {
    Report report = calculationShape(0);
    const LaidOutPage page = layoutReport(report).first();
    QVector<double> ruleYs;
    for (const LaidOutItem& item : page.items)
        if (item.kind == LaidOutItem::Kind::Line) {
            EXPECT_EQ(item.rect.left(), 0);
            EXPECT_NEAR(item.rect.width(), 718.11, 0.01) << "full content width";
            ruleYs << item.rect.top();
        }
    EXPECT_EQ(ruleYs, (QVector<double>{24.5, 25 + 106 + 808 - 0.5}));
}

TEST(ReportLayout, AutoSizedLabelsTakeTheirTextsWidthUnclipped) {
    Report report;
    Band& band = report.addBand(BandType::Summary, 20);
    Element& value = band.add(label("QRLabel16", "", 608, 8).withHeight(17));
    value.width = 20; // a design width the text outgrows
    for (const QString text : {"1", "12 345,67", "bardzo długi opis wartości"}) {
        value.setCaption(text);
        const LaidOutPage page = layoutReport(report).first();
        const LaidOutItem& item = only(page, "QRLabel16");
        EXPECT_EQ(item.text, text);
        EXPECT_EQ(item.rect.left(), 608);
        EXPECT_NEAR(item.rect.width(), textWidth(tahoma(10), text), tolerance);
    }
    EXPECT_GT(textWidth(tahoma(10), "12 345,67"), 20);
}

struct BoxCase {
    Align align;
    const char* text;
};

class FixedBoxLabel : public ::testing::TestWithParam<BoxCase> {};

TEST_P(FixedBoxLabel, TextStandsFlushRightOrCentredInItsBox) {
    const BoxCase c = GetParam();
    Report report;
    Band& band = report.addBand(BandType::Detail, 24);
    Element e = label("Brutto", c.text, 632, 4).withFont(timesNewRoman(8));
    if (c.align == Align::Right)
        e.alignedRight(78);
    else
        e.centred(78);
    band.add(e);
    const LaidOutPage page = layoutReport(report).first();
    const LaidOutItem& item = only(page, "Brutto");
    const double width = textWidth(timesNewRoman(8), c.text);
    EXPECT_NEAR(item.rect.width(), width, tolerance);
    EXPECT_EQ(item.alignment, c.align);
    if (c.align == Align::Right)
        EXPECT_NEAR(item.rect.right(), 632 + 78, tolerance);
    else
        EXPECT_NEAR(item.rect.center().x(), 632 + 39, tolerance);
    EXPECT_EQ(item.rect.top(), 4);
}

INSTANTIATE_TEST_SUITE_P(Boxes, FixedBoxLabel,
                         ::testing::Values(BoxCase{Align::Right, "1,00 zł"},
                                           BoxCase{Align::Right, "12 345 678,90 zł"},
                                           BoxCase{Align::Center, "Dodatkowy tekst"},
                                           BoxCase{Align::Center, "tekst szerszy niż jego pole na wydruku"}));

TEST(ReportLayout, WrappedLabelBreaksAtWordsAndGrowsItsBandDownwards) {
    Report report;
    const Font font = tahoma(9);
    Band& footer = report.addBand(BandType::Summary, 808, "footer");
    footer.ruleBottom = true;
    const QString remarks = "Papier dostarcza klient, termin do uzgodnienia; prosimy o kontakt przed drukiem "
                            "nakładu, a próbne odbitki przesłać pocztą elektroniczną do akceptacji.";
    footer.add(label("QRLabel132", remarks, 48, 786).withFont(font).wrapped(300, 15));
    Band& after = report.addBand(BandType::Summary, 20, "after");
    after.add(label("next", "dalej", 0, 0));

    const LaidOutPage page = layoutReport(report).first();
    const auto lines = page.itemsNamed("QRLabel132");
    ASSERT_GE(lines.size(), 3);
    QStringList words;
    const double lh = lineHeight(font);
    for (int i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i]->rect.width(), 300 + tolerance) << i;
        EXPECT_EQ(lines[i]->rect.left(), 48);
        EXPECT_NEAR(lines[i]->rect.top(), 786 + i * lh, tolerance);
        words << lines[i]->text.split(' ');
    }
    EXPECT_EQ(words.join(' '), remarks) << "no word lost or broken";

    const double growth = lines.size() * lh - 15;
    EXPECT_NEAR(only(page, "next").rect.top(), 808 + growth, tolerance);
    double ruleY = 0;
    for (const LaidOutItem& item : page.items)
        if (item.kind == LaidOutItem::Kind::Line) ruleY = item.rect.top();
    EXPECT_NEAR(ruleY, 808 + growth - 0.5, tolerance) << "the band's rule moved down with it";
}

// The invoice's amount columns are right-aligned boxes that grow, and its
// additional text a centred one: every wrapped line keeps the box's alignment.
TEST(ReportLayout, WrappedBoxesKeepTheirAlignmentOnEveryLine) {
    Report report;
    Band& band = report.addBand(BandType::Detail, 24);
    band.add(
        label("Ilosc", "1 234 567 890 123", 256, 2).withFont(timesNewRoman(8)).alignedRight(41).wrapped(41));
    band.add(label("QRLabel42", "Dziękujemy za zakupy i zapraszamy ponownie do naszej drukarni", 152, 40)
                 .withFont(timesNewRoman(10, Italic))
                 .centred(150)
                 .wrapped(150, 32));
    const LaidOutPage page = layoutReport(report).first();
    const auto amounts = page.itemsNamed("Ilosc");
    ASSERT_GE(amounts.size(), 2);
    for (const LaidOutItem* line : amounts) {
        EXPECT_EQ(line->alignment, Align::Right);
        EXPECT_NEAR(line->rect.right(), 256 + 41, tolerance) << line->text.toStdString();
    }
    const auto texts = page.itemsNamed("QRLabel42");
    ASSERT_GE(texts.size(), 2);
    for (const LaidOutItem* line : texts) {
        EXPECT_EQ(line->alignment, Align::Center);
        EXPECT_NEAR(line->rect.center().x(), 152 + 75, tolerance) << line->text.toStdString();
        EXPECT_LE(line->rect.width(), 150 + tolerance);
    }
}

TEST(ReportLayout, WrappedLabelBreaksAWordLongerThanItsBox) {
    const QStringList lines = wrapText(tahoma(10), "Zażółćgęśląjaźńzażółćgęśląjaźń", 60);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.join(QString()), "Zażółćgęśląjaźńzażółćgęśląjaźń");
    for (const QString& line : lines)
        EXPECT_LE(textWidth(tahoma(10), line), 60 + tolerance);
    EXPECT_EQ(wrapText(tahoma(10), "jedna\ndruga", 500), (QStringList{"jedna", "druga"}));
}

TEST(ReportLayout, MemoLinesStackAndGrow) {
    Report report;
    Band& band = report.addBand(BandType::GroupHeader, 100);
    Element& m = band.add(memo("QRMemo1", 9, 90, 331, 30));
    m.lines = QStringList{"Drukarnia Tarvelino", "ul. Długa 5, 00-001 Warszawa", "", "tel. 22 123 45 67"};
    Band& next = report.addBand(BandType::GroupFooter, 10);
    next.add(label("after", "x", 0, 0));
    const LaidOutPage page = layoutReport(report).first();
    const auto lines = page.itemsNamed("QRMemo1");
    ASSERT_EQ(lines.size(), 3) << "the empty line prints nothing but keeps its place";
    const double lh = lineHeight(tahoma(10));
    EXPECT_NEAR(lines[2]->rect.top(), 90 + 3 * lh, tolerance);
    EXPECT_NEAR(only(page, "after").rect.top(), 100 + (4 * lh - 30), tolerance);
}

struct MoveCase {
    int rows;
    int pages;
    int footerPage; // 1-based
};

class WholeBandMoves : public ::testing::TestWithParam<MoveCase> {};

TEST_P(WholeBandMoves, FooterThatDoesNotFitStartsTheNextPage) {
    const MoveCase c = GetParam();
    Report report = calculationShape(c.rows);
    const QVector<LaidOutPage> pages = layoutReport(report);
    ASSERT_EQ(pages.size(), c.pages);
    EXPECT_EQ(pages.first().itemsNamed("QRDBText1").size(), c.rows) << "all paper lines on the first page";
    const LaidOutPage& last = pages.at(c.footerPage - 1);
    const LaidOutItem& remarks = only(last, "QRLabel132");
    const double footerTop = c.footerPage == 1 ? 131 + 16 * c.rows : 106;
    EXPECT_NEAR(remarks.rect.top(), footerTop + 786, tolerance);
    for (const LaidOutPage& page : pages) {
        EXPECT_EQ(page.number, &page - pages.data() + 1);
        EXPECT_EQ(page.itemsNamed("Format").size(), 1) << "the column header is on every page";
        EXPECT_EQ(page.itemsNamed("QRLabel1").size(), page.number == 1 ? 1 : 0)
            << "the title only on the first";
        for (const LaidOutItem& item : page.items)
            EXPECT_LE(item.rect.bottom(), page.contentSize.height() + tolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(PaperLines, WholeBandMoves,
                         ::testing::Values(MoveCase{0, 1, 1}, MoveCase{6, 1, 1}, MoveCase{7, 2, 2},
                                           MoveCase{12, 2, 2}));

TEST(ReportLayout, DetailRowsFollowTheSourceAndPrintMoneyInTheCurrencyFormat) {
    std::shared_ptr<tvtest::RowsSource> source;
    Report report = calculationShape(0, &source);
    Band& detail = report.band("detail");
    auto rows = std::make_shared<tvtest::RowsSource>(
        QStringList{"Format", "Koszt", "Ilosc"},
        QVector<QStringList>{{"A4", "1234,5", "1000"}, {"B1", "", "2,5"}, {"A3", "-0,5", ""}},
        QSet<QString>{"Koszt"});
    detail.source = rows;
    detail.add(dataText("QRDBText2", "Ilosc", 208, 0));
    detail.add(dataText("QRDBText7", "Ilosc", 300, 0)).money = true;

    const LaidOutPage page = layoutReport(report).first();
    QStringList formats, costs, amounts, forcedMoney;
    for (const LaidOutItem* item : page.itemsNamed("QRDBText1"))
        formats << item->text;
    for (const LaidOutItem* item : page.itemsNamed("QRDBText6"))
        costs << item->text;
    for (const LaidOutItem* item : page.itemsNamed("QRDBText2"))
        amounts << item->text;
    for (const LaidOutItem* item : page.itemsNamed("QRDBText7"))
        forcedMoney << item->text;
    EXPECT_EQ(formats, (QStringList{"A4", "B1", "A3"}));
    EXPECT_EQ(costs, (QStringList{QString("1\u00A0234,50 zł"), QString("-0,50 zł")}))
        << "an empty amount prints nothing";
    EXPECT_EQ(amounts, (QStringList{"1000", "2,5"}));
    EXPECT_EQ(forcedMoney, (QStringList{QString("1\u00A0000,00 zł"), QString("2,50 zł")}));
    EXPECT_EQ(rows->restores, 1) << "the cursor goes back where it was";
}

TEST(ReportLayout, PageHeadersAndFootersGoOnEveryPage) {
    Report report;
    Band& header = report.addBand(BandType::PageHeader, 30, "pageHeader");
    header.add(label("head", "Zestawienie faktur", 0, 5).withFont(timesNewRoman(18)));
    report.addBand(BandType::Title, 40).add(label("title", "za okres", 0, 0));
    Band& detail = report.addBand(BandType::SubDetail, 20);
    detail.source =
        std::make_shared<tvtest::RowsSource>(QStringList{"Format", "Koszt"}, tvtest::numberedRows(100));
    detail.add(dataText("row", "Format", 0, 2));
    Band& footer = report.addBand(BandType::PageFooter, 25, "pageFooter");
    footer.add(label("foot", "stopka", 0, 5));
    Band& summary = report.addBand(BandType::Summary, 30);
    summary.add(label("total", "Razem:", 0, 0));

    const QVector<LaidOutPage> pages = layoutReport(report);
    ASSERT_GE(pages.size(), 3);
    int rows = 0;
    for (const LaidOutPage& page : pages) {
        const double footerTop = page.contentSize.height() - 25;
        EXPECT_NEAR(only(page, "foot").rect.top(), footerTop + 5, tolerance) << page.number;
        EXPECT_EQ(only(page, "head").rect.top(), 5) << page.number;
        EXPECT_EQ(page.itemsNamed("title").size(), page.number == 1 ? 1 : 0);
        for (const LaidOutItem* row : page.itemsNamed("row")) {
            EXPECT_LE(row->rect.top() - 2 + 20, footerTop + tolerance) << "a row never runs into the footer";
            EXPECT_EQ(row->text, QString("Wiersz %1").arg(++rows));
        }
    }
    EXPECT_EQ(rows, 100);
    EXPECT_EQ(pages.last().itemsNamed("total").size(), 1);
    const double perPage = std::floor((1046.93 - 30 - 25) / 20);
    EXPECT_EQ(pages.at(1).itemsNamed("row").size(), perPage);

    report.pageHeaderOnFirstPage = false;
    report.pageFooterOnLastPage = false;
    const QVector<LaidOutPage> again = layoutReport(report);
    EXPECT_TRUE(again.first().itemsNamed("head").isEmpty());
    EXPECT_EQ(again.first().itemsNamed("title").first()->rect.top(), 0);
    EXPECT_TRUE(again.last().itemsNamed("foot").isEmpty());
    EXPECT_EQ(again.at(1).itemsNamed("foot").size(), 1);
}

TEST(ReportLayout, CodeSetsCaptionsPositionsAndVisibilityByName) {
    Report report = calculationShape(1);
    report.label("QRLabel132").setCaption("Uwagi klienta").setPosition(48, 790);
    report.label("QRLabel1").setVisible(false);
    report.band("header").visible = false;
    const LaidOutPage page = layoutReport(report).first();
    EXPECT_EQ(only(page, "QRLabel132").text, "Uwagi klienta");
    EXPECT_EQ(only(page, "QRLabel132").rect.topLeft(), QPointF(48, 25 + 16 + 790));
    EXPECT_TRUE(page.itemsNamed("QRLabel1").isEmpty());
    EXPECT_TRUE(page.itemsNamed("Format").isEmpty());
    EXPECT_THROW(report.label("QRLabel999"), tv::Error);
}

TEST(ReportLayout, EmptyCaptionsPrintNothing) {
    Report report;
    report.addBand(BandType::Summary, 20).add(label("QRLabel124", "", 16, 0));
    EXPECT_TRUE(layoutReport(report).first().items.isEmpty());
}

TEST(ReportLayout, PicturesStretchToTheirBoxOrStandCentredInIt) {
    QImage image(100, 40, QImage::Format_RGB32);
    image.fill(Qt::red);
    Report report;
    Band& band = report.addBand(BandType::Title, 129);
    Element& stretched = band.add(picture("QRImage1", 283, 24, 151, 65));
    stretched.picture = image;
    stretched.stretch = true;
    Element& centred = band.add(picture("centred", 0, 0, 60, 60));
    centred.picture = image;
    centred.centre = true;
    band.add(picture("empty", 0, 0, 10, 10));

    const LaidOutPage page = layoutReport(report).first();
    EXPECT_EQ(only(page, "QRImage1").rect, QRectF(283, 24, 151, 65));
    EXPECT_EQ(only(page, "QRImage1").source, QRectF(0, 0, 100, 40));
    EXPECT_EQ(only(page, "centred").rect, QRectF(0, 10, 60, 40)) << "cut to the box's width";
    EXPECT_EQ(only(page, "centred").source, QRectF(20, 0, 60, 40));
    EXPECT_TRUE(page.itemsNamed("empty").isEmpty());
}

TEST(ReportLayout, LoadingAMissingPictureRaisesTheFileError) {
    try {
        loadPicture("/nonexistent/tło.bmp");
        FAIL();
    } catch (const tv::EFileError& e) {
        EXPECT_EQ(e.message(), "Cannot open file /nonexistent/tło.bmp");
    }
}

TEST(ReportLayout, RulesAndFramesKeepTheirDesignGeometry) {
    Report report;
    Band& band = report.addBand(BandType::GroupFooter, 219);
    band.add(hRule(352, 5, 361, "rule"));
    band.add(vRule(10, 20, 50, "vertical"));
    band.add(frame("box", 488, 116, 193, 88));
    const LaidOutPage page = layoutReport(report).first();
    EXPECT_EQ(only(page, "rule").kind, LaidOutItem::Kind::Line);
    EXPECT_EQ(only(page, "rule").rect, QRectF(352, 5, 361, 0));
    EXPECT_EQ(only(page, "vertical").rect, QRectF(10, 20, 0, 50));
    EXPECT_EQ(only(page, "box").kind, LaidOutItem::Kind::Rect);
    EXPECT_EQ(only(page, "box").rect, QRectF(488, 116, 193, 88));
}

TEST(ReportLayout, BandTallerThanAPageStartsAPageOfItsOwn) {
    Report report;
    report.addBand(BandType::Summary, 100).add(label("a", "a", 0, 0));
    report.addBand(BandType::Summary, 1200).add(label("b", "b", 0, 0));
    report.addBand(BandType::Summary, 100).add(label("c", "c", 0, 0));
    const QVector<LaidOutPage> pages = layoutReport(report);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(only(pages[1], "b").rect.top(), 0);
    EXPECT_EQ(only(pages[2], "c").rect.top(), 0);
}
