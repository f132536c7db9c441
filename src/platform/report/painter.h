#pragma once

#include <functional>

#include <QString>
#include <QVector>

#include "platform/report/layout.h"

class QPainter;

namespace tv::report {

// Paints one laid-out page on any painter: the preview's image, the printer,
// the PDF writer. scale is device pixels per design unit; the paper's
// top-left corner goes to paperOrigin (device pixels).
void paintPage(QPainter& painter, const LaidOutPage& page, double scale, QPointF paperOrigin = QPointF());

// Writes the pages as a PDF file, A4 pages with the fonts embedded. The file
// is written beside its place and renamed over it when complete, so an old
// file is never left half-overwritten. Raises tv::EFileError on failure.
void writePdf(const QVector<LaidOutPage>& pages, const QString& path, const QString& title = QString());

// Where print jobs go. The default sends them to the system's default
// printer without a dialog; tests install their own to see the jobs.
class PrintSink {
public:
    virtual ~PrintSink() = default;
    // Empty when no printer is installed.
    virtual QString defaultPrinterName() = 0;
    // One print job. Returns false when the printer refused it.
    virtual bool print(const QVector<LaidOutPage>& pages, const QString& jobName) = 0;
};
void setPrintSink(PrintSink* sink); // nullptr: the system printer again
PrintSink& printSink();

enum class PrintStatus { Printed, NoPrinter, Failed };

// Prints pages already laid out, as one job.
PrintStatus printPages(const QVector<LaidOutPage>& pages, const QString& jobName);

// Prints the report copies times, one job per copy: before each copy,
// beforeCopy(index) may change the report (a copy caption), and the report is
// laid out anew. With no printer nothing is laid out and NoPrinter comes back;
// the caller offers the PDF instead (printToPdf).
PrintStatus printReport(Report& report, int copies = 1, const std::function<void(int copy)>& beforeCopy = {});

// The same copies, one after another, in one PDF file.
void printToPdf(Report& report, const QString& path, int copies = 1,
                const std::function<void(int copy)>& beforeCopy = {});

} // namespace tv::report
