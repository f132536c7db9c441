#pragma once

#include <functional>
#include <optional>

#include <QSizeF>
#include <QString>
#include <QVector>

namespace tvtest {

// What pdfinfo and pdftotext tell of a PDF file.
struct PdfFacts {
    bool readable = false;
    int pages = 0;
    QSizeF pageSize;      // the first page, in points
    QString pageSizeName; // "A4" when pdfinfo recognises the size
    QString text;         // pdftotext, in reading order, pages separated by form feeds
    bool isA4() const;
};
PdfFacts readPdf(const QString& path);

// One print job as the tests' private CUPS queue ended it.
struct PrintedCopy {
    int jobId = 0;
    // The document the program sent, as the queue received and spooled it.
    QString documentPath;
    PdfFacts document;
    // The PDF the queue's cups-pdf printer wrote. Its pages are pictures of
    // the document's pages; its text layer does not survive the PostScript
    // that cups-pdf renders from, so texts are read from the document and
    // the two are compared as pictures (inkMismatch).
    QString outputPath;
    PdfFacts output;
    // The share of ink on either file's pages that has no ink at the same
    // place (within half a millimetre) on the other's: 0 when the written
    // pages show exactly the document, near 1 when they show something else;
    // 1 when the pages could not be compared.
    double inkMismatch = 1;
};

// The private CUPS queue that the test command starts (scripts/print_queue.sh):
// a cups-pdf printer, the default for the test processes, that writes every
// job it prints as a PDF file into its own folder.
//
//   QString whyNot;
//   auto queue = tvtest::PrintQueue::open(&whyNot);
//   if (!queue) GTEST_SKIP() << whyNot.toStdString();
//   const auto copies = queue->print([] { /* the operator's print command */ });
//   tvtest::expectPrintedOnA4(copies, 2, 1);
class PrintQueue {
public:
    // The queue, when the test command started it on this machine; otherwise
    // nothing, and whyNot says why (not root, no cupsd ...).
    static std::optional<PrintQueue> open(QString* whyNot);

    QString name() const { return m_name; }
    QString folder() const { return m_folder; }

    // Runs the command (the operator's print), waits until every job it sent
    // to the queue has ended, and returns them in the order they were sent,
    // each with the document it carried and the PDF the queue wrote. Jobs
    // still unfinished after the time-out are returned as they stand.
    QVector<PrintedCopy> print(const std::function<void()>& command, int timeoutMs = 60000) const;

    // Where to look when a job went wrong: the scheduler's and cups-pdf's logs.
    QString logs() const;

private:
    PrintQueue(QString folder, QString name) : m_folder(std::move(folder)), m_name(std::move(name)) {}
    QVector<int> jobIds(const QString& which) const;

    QString m_folder;
    QString m_name;
};

// Expects the given number of jobs, each completed with a written PDF of the
// given number of A4 pages that shows the document it was sent as.
void expectPrintedOnA4(const QVector<PrintedCopy>& copies, int jobs, int pagesEach);

} // namespace tvtest
