#include "support/print_queue.h"

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace tvtest {

namespace {

struct ToolResult {
    bool ok = false;
    QString out;
};

// Runs one of the command-line tools in the C locale, so that its output
// reads the same on every machine.
ToolResult runTool(const QString& program, const QStringList& arguments, int timeoutMs = 30000) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    return result;
}

// The pages of a PDF file as grey pictures at 50 dots an inch: one dot is
// half a millimetre, fine enough to see a line of text out of place.
constexpr int pictureDpi = 50;
QVector<QImage> pagePictures(const QString& pdf, const QString& scratch, const QString& prefix) {
    QVector<QImage> pages;
    const QString root = QDir(scratch).filePath(prefix);
    if (!runTool("pdftoppm", {"-r", QString::number(pictureDpi), "-gray", pdf, root}).ok) return pages;
    QStringList files = QDir(scratch).entryList({prefix + "-*.pgm"}, QDir::Files);
    // pdftoppm numbers the pages with as many digits as the last page needs.
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    for (const QString& file : files)
        pages.append(QImage(QDir(scratch).filePath(file)).convertToFormat(QImage::Format_Grayscale8));
    return pages;
}

bool inkAt(const QImage& page, int x, int y) {
    return x >= 0 && y >= 0 && x < page.width() && y < page.height() && page.constScanLine(y)[x] < 160;
}

bool hasInk(const QImage& page) {
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (inkAt(page, x, y)) return true;
    return false;
}

// The share of a's ink that has no ink of b within one dot.
double unmatchedInk(const QImage& a, const QImage& b) {
    long ink = 0;
    long unmatched = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!inkAt(a, x, y)) continue;
            ++ink;
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx)
                    found = inkAt(b, x + dx, y + dy);
            if (!found) ++unmatched;
        }
    return ink == 0 ? 0 : double(unmatched) / double(ink);
}

double inkMismatch(const QString& output, const QString& document) {
    QTemporaryDir scratch;
    if (!scratch.isValid()) return 1;
    const QVector<QImage> written = pagePictures(output, scratch.path(), "output");
    const QVector<QImage> sent = pagePictures(document, scratch.path(), "document");
    if (written.isEmpty() || written.size() != sent.size()) return 1;
    double worst = 0;
    for (int i = 0; i < written.size(); ++i) {
        const QImage& a = written[i];
        const QImage& b = sent[i];
        if (a.isNull() || b.isNull() || std::abs(a.width() - b.width()) > 1 ||
            std::abs(a.height() - b.height()) > 1)
            return 1;
        if (hasInk(a) != hasInk(b)) return 1; // one of them is a blank page
        worst = std::max({worst, unmatchedInk(a, b), unmatchedInk(b, a)});
    }
    return worst;
}

} // namespace

bool PdfFacts::isA4() const {
    // A4 is 595.28 x 841.89 points; cups-pdf rounds to whole points.
    return readable && std::abs(pageSize.width() - 595.28) < 1 && std::abs(pageSize.height() - 841.89) < 1;
}

PdfFacts readPdf(const QString& path) {
    PdfFacts facts;
    const ToolResult info = runTool("pdfinfo", {path});
    if (!info.ok) return facts;
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                          QRegularExpression::MultilineOption);
    static const QRegularExpression size(
        QStringLiteral("^Page size:\\s+([0-9.]+) x ([0-9.]+) pts(?: \\(([^)]*)\\))?"),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch pagesMatch = pages.match(info.out);
    const QRegularExpressionMatch sizeMatch = size.match(info.out);
    if (!pagesMatch.hasMatch() || !sizeMatch.hasMatch()) return facts;
    facts.pages = pagesMatch.captured(1).toInt();
    facts.pageSize = QSizeF(sizeMatch.captured(1).toDouble(), sizeMatch.captured(2).toDouble());
    facts.pageSizeName = sizeMatch.captured(3);
    const ToolResult text = runTool("pdftotext", {"-enc", "UTF-8", path, "-"});
    facts.text = text.out;
    facts.readable = text.ok;
    return facts;
}

std::optional<PrintQueue> PrintQueue::open(QString* whyNot) {
    const QString skipped = qEnvironmentVariable("TARVELINO_PRINT_QUEUE_SKIPPED");
    const QString folder = qEnvironmentVariable("TARVELINO_PRINT_QUEUE");
    const QString name = qEnvironmentVariable("TARVELINO_PRINT_QUEUE_NAME");
    QString reason;
    if (!skipped.isEmpty())
        reason = QStringLiteral("no private print queue on this machine: %1").arg(skipped);
    else if (folder.isEmpty() || name.isEmpty())
        reason = QStringLiteral("no private print queue: ./test.sh starts one for the tests (as root, "
                                "with cups and printer-driver-cups-pdf installed)");
    else
        for (const char* tool : {"lpstat", "pdfinfo", "pdftotext", "pdftoppm"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                reason = QStringLiteral("%1 is not installed").arg(QString::fromLatin1(tool));
    if (!reason.isEmpty()) {
        if (whyNot) *whyNot = reason;
        return std::nullopt;
    }
    return PrintQueue(folder, name);
}

QVector<int> PrintQueue::jobIds(const QString& which) const {
    QVector<int> ids;
    const ToolResult listed = runTool("lpstat", {"-W", which, "-o", m_name}, 10000);
    const QRegularExpression line(QStringLiteral("^%1-(\\d+)\\s").arg(QRegularExpression::escape(m_name)),
                                  QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(listed.out); it.hasNext();)
        ids.append(it.next().captured(1).toInt());
    std::sort(ids.begin(), ids.end());
    return ids;
}

QVector<PrintedCopy> PrintQueue::print(const std::function<void()>& command, int timeoutMs) const {
    // Test processes that print run side by side: each holds the queue from
    // its first look at the jobs to the end of its own, so that the jobs
    // after its mark are all its own. A holder that died leaves no lock.
    QLockFile turn(QDir(m_folder).filePath(QStringLiteral("tests.lock")));
    turn.setStaleLockTime(0);
    if (!turn.tryLock(timeoutMs)) {
        ADD_FAILURE() << "the print queue stayed taken by another test; " << logs().toStdString();
        return {};
    }
    const QVector<int> before = jobIds(QStringLiteral("all"));
    const int last = before.isEmpty() ? 0 : before.last();
    command();

    // The program hands each job to the scheduler before its print command
    // returns; what is left is to wait for the queue to print them.
    QVector<int> sent;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        sent.clear();
        for (int id : jobIds(QStringLiteral("all")))
            if (id > last) sent.append(id);
        const QVector<int> pending = jobIds(QStringLiteral("not-completed"));
        const bool waiting =
            std::any_of(sent.begin(), sent.end(), [&](int id) { return pending.contains(id); });
        if (!waiting && (!sent.isEmpty() || clock.elapsed() > 2000)) break;
        if (clock.elapsed() > timeoutMs) break;
        QThread::msleep(50);
    }

    QVector<PrintedCopy> copies;
    const QStringList written = QDir(QDir(m_folder).filePath("pdf")).entryList({"*.pdf"}, QDir::Files);
    for (int id : sent) {
        PrintedCopy copy;
        copy.jobId = id;
        copy.documentPath =
            QDir(m_folder).filePath(QStringLiteral("spool/d%1-001").arg(id, 5, 10, QChar(u'0')));
        copy.document = readPdf(copy.documentPath);
        // cups-pdf labels each file with its job: "<title>-job_<id>.pdf".
        const QRegularExpression label(QStringLiteral("(^|-)job_%1(-|\\.pdf$)").arg(id));
        for (const QString& file : written)
            if (label.match(file).hasMatch()) copy.outputPath = QDir(m_folder).filePath("pdf/" + file);
        if (!copy.outputPath.isEmpty()) {
            copy.output = readPdf(copy.outputPath);
            copy.inkMismatch = inkMismatch(copy.outputPath, copy.documentPath);
        }
        copies.append(copy);
    }
    return copies;
}

QString PrintQueue::logs() const {
    return QStringLiteral("logs in %1").arg(QDir(m_folder).filePath("log"));
}

void expectPrintedOnA4(const QVector<PrintedCopy>& copies, int jobs, int pagesEach) {
    EXPECT_EQ(copies.size(), jobs) << "print jobs the queue received";
    for (const PrintedCopy& copy : copies) {
        SCOPED_TRACE(QStringLiteral("job %1").arg(copy.jobId).toStdString());
        ASSERT_TRUE(copy.document.readable) << "no document spooled as " << copy.documentPath.toStdString();
        ASSERT_FALSE(copy.outputPath.isEmpty()) << "cups-pdf wrote no PDF for the job";
        ASSERT_TRUE(copy.output.readable) << copy.outputPath.toStdString();
        EXPECT_EQ(copy.document.pages, pagesEach);
        EXPECT_EQ(copy.output.pages, pagesEach);
        EXPECT_TRUE(copy.document.isA4())
            << copy.document.pageSize.width() << " x " << copy.document.pageSize.height() << " pt";
        EXPECT_TRUE(copy.output.isA4())
            << copy.output.pageSize.width() << " x " << copy.output.pageSize.height() << " pt";
        EXPECT_EQ(copy.output.pageSizeName, "A4");
        EXPECT_LT(copy.inkMismatch, 0.05) << "the written pages do not show the document";
    }
}

} // namespace tvtest
