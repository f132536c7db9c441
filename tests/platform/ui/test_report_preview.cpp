#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "platform/report/painter.h"
#include "platform/ui/messages.h"
#include "platform/ui/report_preview.h"

using namespace tv::report;

namespace {

class RecordingPrinter : public PrintSink {
public:
    QString name = "HP LaserJet";
    QVector<QVector<LaidOutPage>> jobs;
    QString defaultPrinterName() override { return name; }
    bool print(const QVector<LaidOutPage>& pages, const QString&) override {
        jobs.append(pages);
        return true;
    }
};

Report twoPageReport() {
    Report report;
    report.title = "Kalkulacja";
    report.addBand(BandType::Title, 25).add(label("title", "KALKULACJA", 8, 0).withFont(tahoma(14, Bold)));
    report.addBand(BandType::Summary, 808).add(label("first", "Zażółć gęślą jaźń", 0, 786));
    report.addBand(BandType::Summary, 808).add(label("QRLabel25", "Oryginał", 0, 0));
    return report;
}

bool fileStartsWithPdf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

class ReportPreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        setPrintSink(&printer);
        tv::ui::clearShownMessages();
        // No box may open a window in a test: an unexpected one answers No or OK.
        tv::ui::setAnswerer([](const tv::ui::ShownMessage& box) {
            return box.buttons == tv::ui::Buttons::YesNo ? tv::ui::Answer::No : tv::ui::Answer::Ok;
        });
        tv::ui::setFileAnswerer([this](const tv::ui::FileDialogRequest& request) {
            requests.append(request);
            return chosenFile;
        });
    }
    void TearDown() override {
        setPrintSink(nullptr);
        tv::ui::setFileAnswerer(nullptr);
        tv::ui::setAnswerer(nullptr);
    }

    QTemporaryDir dir;
    RecordingPrinter printer;
    QString chosenFile;
    QVector<tv::ui::FileDialogRequest> requests;
};

} // namespace

TEST_F(ReportPreviewTest, NavigatesPagesWithTheirCaption) {
    Report report = twoPageReport();
    tv::ui::ReportPreview preview(report);
    preview.show();
    EXPECT_TRUE(preview.isModal());
    EXPECT_EQ(preview.pageCount(), 2);
    EXPECT_EQ(preview.pageCaption(), "Strona 1 z 2");
    EXPECT_FALSE(preview.priorButton()->isEnabled());
    QTest::mouseClick(preview.nextButton(), Qt::LeftButton);
    EXPECT_EQ(preview.pageCaption(), "Strona 2 z 2");
    EXPECT_FALSE(preview.nextButton()->isEnabled());
    EXPECT_TRUE(preview.priorButton()->isEnabled());
    QTest::mouseClick(preview.nextButton(), Qt::LeftButton);
    EXPECT_EQ(preview.currentPage(), 1);
    QTest::keyClick(&preview, Qt::Key_PageUp);
    EXPECT_EQ(preview.pageCaption(), "Strona 1 z 2");
}

TEST_F(ReportPreviewTest, ZoomScalesThePageShown) {
    Report report = twoPageReport();
    tv::ui::ReportPreview preview(report);
    preview.show();
    EXPECT_EQ(preview.zoomBox()->currentText(), "Szerokość strony");
    preview.setZoomMode(tv::ui::ReportPreview::ZoomMode::Percent100);
    EXPECT_EQ(preview.zoomBox()->currentText(), "100%");
    const QPixmap page = preview.pageView()->pixmap();
    EXPECT_NEAR(page.width() / page.devicePixelRatio(), 793.7, 1) << "A4 at a pixel a unit";
    preview.setZoomMode(tv::ui::ReportPreview::ZoomMode::Percent50);
    EXPECT_NEAR(preview.pageView()->pixmap().width() / page.devicePixelRatio(), 396.9, 1);
    preview.setZoomMode(tv::ui::ReportPreview::ZoomMode::WholePage);
    EXPECT_LE(preview.pageView()->pixmap().height() / page.devicePixelRatio(), preview.height());

    // The page is painted: the title's ink shows near its place at 100 %.
    preview.setZoomMode(tv::ui::ReportPreview::ZoomMode::Percent100);
    const QImage image = preview.pageView()->pixmap().toImage();
    bool ink = false;
    for (int x = 45; x < 160 && !ink; ++x)
        for (int y = 38; y < 60 && !ink; ++y)
            ink = qGray(image.pixel(qRound(x * page.devicePixelRatio()),
                                    qRound(y * page.devicePixelRatio()))) < 128;
    EXPECT_TRUE(ink);
}

// The fitting zooms follow the room the window gives the page: when it first
// opens and whenever it is resized.
TEST_F(ReportPreviewTest, FittingZoomsFillTheWindowFromTheStartAndFollowItsSize) {
    Report report = twoPageReport();
    tv::ui::ReportPreview preview(report);
    preview.resize(900, 1000);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    QCoreApplication::processEvents();
    auto shownWidth = [&] {
        const QPixmap page = preview.pageView()->pixmap();
        return page.width() / page.devicePixelRatio();
    };
    auto shownHeight = [&] {
        const QPixmap page = preview.pageView()->pixmap();
        return page.height() / page.devicePixelRatio();
    };
    const int viewWidth = preview.pageView()->parentWidget()->width();
    EXPECT_EQ(preview.zoomBox()->currentText(), "Szerokość strony");
    EXPECT_GT(shownWidth(), 0.9 * viewWidth - 40);
    EXPECT_LE(shownWidth(), viewWidth);

    preview.resize(1200, 1000);
    QCoreApplication::processEvents();
    EXPECT_GT(shownWidth(), 0.9 * preview.pageView()->parentWidget()->width() - 40);

    preview.setZoomMode(tv::ui::ReportPreview::ZoomMode::WholePage);
    QCoreApplication::processEvents();
    const double wholeHeight = shownHeight();
    EXPECT_GT(wholeHeight, 0.9 * preview.pageView()->parentWidget()->height() - 40);
    preview.resize(1200, 700);
    QCoreApplication::processEvents();
    EXPECT_LT(shownHeight(), wholeHeight);
    EXPECT_LE(shownHeight(), preview.pageView()->parentWidget()->height());
}

TEST_F(ReportPreviewTest, PrintSendsTheShownPagesToTheDefaultPrinter) {
    Report report = twoPageReport();
    tv::ui::ReportPreview preview(report);
    QTest::mouseClick(preview.printButton(), Qt::LeftButton);
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(printer.jobs.first().size(), 2);
    EXPECT_TRUE(tv::ui::shownMessages().isEmpty());
}

TEST_F(ReportPreviewTest, EnterClosesThePreviewWithoutPrinting) {
    Report report = twoPageReport();
    tv::ui::ReportPreview preview(report);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    QTest::keyClick(&preview, Qt::Key_Return);
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_TRUE(requests.isEmpty());
    EXPECT_FALSE(preview.isVisible());
}

TEST_F(ReportPreviewTest, WithoutAPrinterItOffersThePdf) {
    printer.name.clear();
    chosenFile = dir.filePath("wydruk");
    Report report = twoPageReport();
    tv::ui::ReportPreview preview(report);

    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    QTest::mouseClick(preview.printButton(), Qt::LeftButton);
    ASSERT_EQ(tv::ui::shownMessages().size(), 1);
    EXPECT_EQ(tv::ui::shownMessages().first().text,
              "Nie zainstalowano drukarki. Czy zapisać wydruk jako plik PDF?");
    EXPECT_EQ(tv::ui::shownMessages().first().buttons, tv::ui::Buttons::YesNo);
    EXPECT_TRUE(requests.isEmpty()) << "no dialog after No";

    tv::ui::pushTestAnswer(tv::ui::Answer::Yes);
    QTest::mouseClick(preview.printButton(), Qt::LeftButton);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_TRUE(requests.first().save);
    EXPECT_EQ(requests.first().defaultExtension, "pdf");
    EXPECT_TRUE(fileStartsWithPdf(dir.filePath("wydruk.pdf"))) << "the extension is added";
    EXPECT_TRUE(printer.jobs.isEmpty());
}

TEST_F(ReportPreviewTest, SaveAsPdfWritesTheChosenFileOrNothingWhenCancelled) {
    Report report = twoPageReport();
    tv::ui::ReportPreview preview(report);
    QTest::mouseClick(preview.pdfButton(), Qt::LeftButton);
    EXPECT_EQ(requests.size(), 1);
    EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "cancelled";

    chosenFile = dir.filePath("kalkulacja.pdf");
    QTest::mouseClick(preview.pdfButton(), Qt::LeftButton);
    EXPECT_TRUE(fileStartsWithPdf(chosenFile));

    chosenFile = dir.filePath("brak/kalkulacja.pdf");
    QTest::mouseClick(preview.pdfButton(), Qt::LeftButton);
    ASSERT_EQ(tv::ui::shownMessages().size(), 1);
    EXPECT_EQ(tv::ui::shownMessages().first().text, "Nie można zapisać pliku kalkulacja.pdf");
    EXPECT_EQ(tv::ui::shownMessages().first().icon, tv::ui::Icon::Error);
}

// A name whose last dot begins no ".pdf" (an invoice number with dots, a
// date) still gets the extension, and a file of that fuller name is replaced
// only when the operator says so.
TEST_F(ReportPreviewTest, SaveAsPdfAddsTheExtensionToANameWithDots) {
    Report report = twoPageReport();
    tv::ui::ReportPreview preview(report);
    chosenFile = dir.filePath("FV 7.03.2024");
    QTest::mouseClick(preview.pdfButton(), Qt::LeftButton);
    EXPECT_TRUE(fileStartsWithPdf(dir.filePath("FV 7.03.2024.pdf")));
    EXPECT_FALSE(QFile::exists(chosenFile));
    EXPECT_TRUE(tv::ui::shownMessages().isEmpty());

    QFile kept(dir.filePath("FV 7.03.2024.pdf"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly | QIODevice::Truncate));
    kept.write("kept");
    kept.close();
    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    QTest::mouseClick(preview.pdfButton(), Qt::LeftButton);
    ASSERT_EQ(tv::ui::shownMessages().size(), 1);
    EXPECT_EQ(tv::ui::shownMessages().first().text, "Plik FV 7.03.2024.pdf już istnieje. Czy go zastąpić?");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "kept");
    kept.close();

    tv::ui::pushTestAnswer(tv::ui::Answer::Yes);
    QTest::mouseClick(preview.pdfButton(), Qt::LeftButton);
    EXPECT_TRUE(fileStartsWithPdf(dir.filePath("FV 7.03.2024.pdf")));

    chosenFile = dir.filePath("wydruk.PDF");
    QTest::mouseClick(preview.pdfButton(), Qt::LeftButton);
    EXPECT_TRUE(fileStartsWithPdf(chosenFile)) << "a PDF extension in capitals stands";
}

TEST_F(ReportPreviewTest, DirectPrintWithoutAPrinterSavesEveryCopyToOnePdf) {
    Report report = twoPageReport();
    const QStringList captions{"Oryginał", "Kopia"};
    auto caption = [&](int copy) { report.label("QRLabel25").setCaption(captions.at(copy)); };

    EXPECT_TRUE(tv::ui::printReport(report, 2, caption));
    ASSERT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(printer.jobs[1].last().itemsNamed("QRLabel25").first()->text, "Kopia");

    printer.name.clear();
    chosenFile = dir.filePath("faktura.pdf");
    tv::ui::pushTestAnswer(tv::ui::Answer::Yes);
    EXPECT_TRUE(tv::ui::printReport(report, 2, caption));
    EXPECT_TRUE(fileStartsWithPdf(chosenFile));
    EXPECT_EQ(printer.jobs.size(), 2) << "nothing more went to a printer";

    tv::ui::pushTestAnswer(tv::ui::Answer::No);
    EXPECT_FALSE(tv::ui::printReport(report, 2, caption));
}

// The keys turn the pages whichever control has the focus: the preview opens
// with it on the zoom list, which would otherwise take them as a new zoom.
TEST_F(ReportPreviewTest, PageKeysTurnThePagesWhereverTheFocusIs) {
    Report report = twoPageReport();
    tv::ui::ReportPreview preview(report);
    preview.show();
    QApplication::setActiveWindow(&preview);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&preview));
    const struct {
        Qt::Key key;
        const char* caption;
    } steps[] = {{Qt::Key_PageDown, "Strona 2 z 2"},
                 {Qt::Key_PageUp, "Strona 1 z 2"},
                 {Qt::Key_End, "Strona 2 z 2"},
                 {Qt::Key_Home, "Strona 1 z 2"}};
    for (QWidget* focus : {static_cast<QWidget*>(preview.zoomBox()), static_cast<QWidget*>(preview.pdfButton())}) {
        focus->setFocus();
        for (const auto& step : steps) {
            SCOPED_TRACE(QTest::toString(step.key));
            QTest::keyClick(QApplication::focusWidget(), step.key);
            EXPECT_EQ(preview.pageCaption(), step.caption);
            EXPECT_EQ(preview.zoomBox()->currentText(), "Szerokość strony");
        }
    }
}
