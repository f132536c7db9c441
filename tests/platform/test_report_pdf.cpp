#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/errors.h"
#include "platform/report/layout.h"
#include "platform/report/painter.h"
#include "platform/report/report.h"
#include "test_report_support.h"

using namespace tv::report;

namespace {

QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString& path, int page = 0) {
    QStringList args{"-layout", "-enc", "UTF-8"};
    if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
    return runTool("pdftotext", args << path << "-");
}

int pdfPages(const QString& path) {
    for (const QString& line : runTool("pdfinfo", {path}).split('\n'))
        if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    return -1;
}

// An invoice-like report: Times New Roman, a copy caption, item rows with
// money and a wrapped additional text.
Report invoiceShape(int rows) {
    Report report;
    report.title = "Faktura VAT";
    report.baseFont = timesNewRoman(10);
    Band& title = report.addBand(BandType::Title, 147);
    title.ruleBottom = true;
    title.add(label("QRLabel1", "Faktura VAT", 475, 27).withFont(timesNewRoman(18, Bold)));
    title.add(label("QRLabel25", "Oryginał", 475, 90).withFont(timesNewRoman(12, Bold | Italic)));
    title.add(label("stamp", "Pieczęć wystawcy", 32, 29).withFont(tahoma(8)));
    Band& items = report.addBand(BandType::Detail, 24);
    items.source = std::make_shared<tvtest::RowsSource>(
        QStringList{"Nazwa", "Brutto"},
        [&] {
            QVector<QStringList> r;
            for (int i = 1; i <= rows; ++i)
                r.append({QString("Pozycja %1 żółta").arg(i), QString::number(i * 1000) + ",5"});
            return r;
        }(),
        QSet<QString>{"Brutto"});
    items.add(dataText("Nazwa", "Nazwa", 40, 2).withFont(timesNewRoman(8)).wrapped(169));
    items.add(dataText("Brutto", "Brutto", 632, 2).withFont(timesNewRoman(8)).alignedRight(78));
    Band& summary = report.addBand(BandType::Summary, 137);
    summary.add(hRule(8, 62, 705));
    summary.add(label("QRLabel42", "Zażółć gęślą jaźń", 152, 70)
                    .withFont(timesNewRoman(10, Italic))
                    .centred(413)
                    .withHeight(32));
    summary.add(label("tahoma", "ZAŻÓŁĆ GĘŚLĄ JAŹŃ w Tahomie", 152, 110).withFont(tahoma(10, Bold)));
    return report;
}

class RecordingPrinter : public PrintSink {
public:
    QString name = "HP LaserJet";
    bool accept = true;
    QVector<QVector<LaidOutPage>> jobs;
    QStringList jobNames;
    QString defaultPrinterName() override { return name; }
    bool print(const QVector<LaidOutPage>& pages, const QString& jobName) override {
        jobs.append(pages);
        jobNames << jobName;
        return accept;
    }
};

class ReportOutput : public ::testing::Test {
protected:
    void SetUp() override { setPrintSink(&printer); }
    void TearDown() override { setPrintSink(nullptr); }
    QString file(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    RecordingPrinter printer;
};

} // namespace

TEST_F(ReportOutput, PdfCarriesPolishTextInBothFonts) {
    Report report = invoiceShape(3);
    const QString path = file("faktura.pdf");
    writePdf(layoutReport(report), path, report.title);
    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains("Zażółć gęślą jaźń")) << text.toStdString();
    EXPECT_TRUE(text.contains("ZAŻÓŁĆ GĘŚLĄ JAŹŃ w Tahomie")) << text.toStdString();
    EXPECT_TRUE(text.contains("Oryginał"));
    EXPECT_TRUE(text.contains("Pieczęć wystawcy"));
    EXPECT_TRUE(text.contains(QString("3\u00A0000,50 zł")) || text.contains("3 000,50 zł"))
        << text.toStdString();

    const QString fonts = runTool("pdffonts", {path});
    EXPECT_TRUE(fonts.contains("Tahoma")) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains("LiberationSerif")) << fonts.toStdString();
    EXPECT_EQ(runTool("pdfinfo", {path}).contains("Faktura VAT"), true) << "the document's title";
}

// Dark pixels of each band of an image, top to bottom, one band per label.
QVector<int> inkPerBand(const QImage& image, int bands) {
    QVector<int> ink(bands, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ++ink[std::min(bands - 1, y * bands / image.height())];
    return ink;
}

// Bold prints bold: Tahoma has no bold face of its own, so its bold is made
// from the regular outlines, on screen and in the PDF alike; Times New Roman
// has one. Each bold label carries half as much ink again as the same text
// regular (as a bold face does), in the preview's image and on the rendered
// PDF page.
TEST_F(ReportOutput, BoldLooksBoldOnScreenAndInThePdf) {
    Report report;
    report.title = "Pogrubienie";
    Band& band = report.addBand(BandType::Title, 160);
    const Font fonts[] = {tahoma(14), tahoma(14, Bold), timesNewRoman(12), timesNewRoman(12, Bold)};
    for (int i = 0; i < 4; ++i)
        band.add(label(QString("l%1").arg(i), "KALKULACJA Data wykonania:", 10, i * 40).withFont(fonts[i]));
    const QVector<LaidOutPage> pages = layoutReport(report);
    const QString path = file("pogrubienie.pdf");
    writePdf(pages, path, report.title);
    EXPECT_TRUE(pdfText(path).contains("KALKULACJA Data wykonania:"));

    // The top of the page, 150 dpi: the 10 mm margin, then the four labels.
    const QString png = file("strona");
    runTool("pdftoppm", {"-r", "150", "-gray", "-png", "-f", "1", "-l", "1", "-x", "0", "-y", "59", "-W",
                         "1240", "-H", "250", path, png});
    QImage rendered(png + "-1.png");
    ASSERT_FALSE(rendered.isNull()) << "pdftoppm gave no page";

    QImage screen(1240, 250, QImage::Format_RGB32);
    screen.fill(Qt::white);
    {
        QPainter painter(&screen);
        paintPage(painter, pages.first(), 150.0 / 96.0, QPointF(0, -59));
    }
    for (const QImage* image : {&screen, &rendered}) {
        const QVector<int> ink = inkPerBand(*image, 4);
        const char* where = image == &screen ? "preview" : "PDF";
        EXPECT_GT(ink[1], ink[0] * 1.4) << where << ": Tahoma " << ink[0] << " / " << ink[1];
        EXPECT_GT(ink[3], ink[2] * 1.4) << where << ": Times New Roman " << ink[2] << " / " << ink[3];
    }
}

TEST_F(ReportOutput, PdfPagesAreA4InLayoutOrder) {
    Report report = invoiceShape(60);
    const QVector<LaidOutPage> pages = layoutReport(report);
    ASSERT_EQ(pages.size(), 2);
    const QString path = file("dwie.pdf");
    writePdf(pages, path);
    EXPECT_EQ(pdfPages(path), 2);
    EXPECT_TRUE(runTool("pdfinfo", {path}).contains("(A4)"));
    EXPECT_TRUE(pdfText(path, 1).contains("Pozycja 1 żółta"));
    EXPECT_FALSE(pdfText(path, 1).contains("Zażółć gęślą jaźń"));
    EXPECT_TRUE(pdfText(path, 2).contains("Pozycja 60 żółta"));
    EXPECT_TRUE(pdfText(path, 2).contains("Zażółć gęślą jaźń"));
}

TEST_F(ReportOutput, PdfReplacesAnOldFileWholeAndReportsAFolderItCannotWrite) {
    const QString path = file("wydruk.pdf");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("stara zawartość");
    }
    Report report = invoiceShape(1);
    writePdf(layoutReport(report), path);
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("%PDF-"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"wydruk.pdf"})
        << "no temporary left behind";

    try {
        writePdf(layoutReport(report), file("brak/wydruk.pdf"));
        FAIL();
    } catch (const tv::EFileError& e) {
        EXPECT_EQ(e.message(), "Nie można zapisać pliku wydruk.pdf");
    }
}

TEST_F(ReportOutput, EachCopyIsOneJobWithItsCaptionSetBeforeIt) {
    Report report = invoiceShape(2);
    const QStringList captions{"Oryginał", "Kopia", "Kopia"};
    QVector<int> called;
    const PrintStatus status = printReport(report, 3, [&](int copy) {
        called << copy;
        report.label("QRLabel25").setCaption(captions.at(copy));
    });
    EXPECT_EQ(status, PrintStatus::Printed);
    EXPECT_EQ(called, (QVector<int>{0, 1, 2}));
    ASSERT_EQ(printer.jobs.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(printer.jobs[i].first().itemsNamed("QRLabel25").first()->text, captions[i]);
        EXPECT_EQ(printer.jobs[i].first().itemsNamed("Nazwa").size(), 2) << "rows read anew for each copy";
    }
    EXPECT_EQ(printer.jobNames, (QStringList{"Faktura VAT", "Faktura VAT", "Faktura VAT"}));
}

TEST_F(ReportOutput, WithoutAPrinterNothingPrintsAndTheCopiesCanGoToOnePdf) {
    printer.name.clear();
    Report report = invoiceShape(1);
    int called = 0;
    EXPECT_EQ(printReport(report, 2, [&](int) { ++called; }), PrintStatus::NoPrinter);
    EXPECT_EQ(printPages(layoutReport(report), "x"), PrintStatus::NoPrinter);
    EXPECT_EQ(called, 0);
    EXPECT_TRUE(printer.jobs.isEmpty());

    const QString path = file("kopie.pdf");
    printToPdf(report, path, 2,
               [&](int copy) { report.label("QRLabel25").setCaption(copy == 0 ? "Oryginał" : "Kopia"); });
    EXPECT_EQ(pdfPages(path), 2);
    EXPECT_TRUE(pdfText(path, 1).contains("Oryginał"));
    EXPECT_TRUE(pdfText(path, 2).contains("Kopia"));
}

TEST_F(ReportOutput, ARefusedJobStopsTheRemainingCopies) {
    printer.accept = false;
    Report report = invoiceShape(1);
    EXPECT_EQ(printReport(report, 3), PrintStatus::Failed);
    EXPECT_EQ(printer.jobs.size(), 1);
}
