#include "platform/report/painter.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include "platform/errors.h"
#include "platform/report/fonts.h"

namespace tv::report {

namespace {

constexpr int pdfResolution = 1200;

QPageLayout paperLayout(const LaidOutPage& page) {
    const QSizeF mm(page.paperSize.width() / unitsPerMm, page.paperSize.height() / unitsPerMm);
    const QPageSize::PageSizeId id = QPageSize::id(mm, QPageSize::Millimeter, QPageSize::FuzzyMatch);
    const QPageSize size = id != QPageSize::Custom ? QPageSize(id) : QPageSize(mm, QPageSize::Millimeter);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

class SystemPrinter : public PrintSink {
public:
    QString defaultPrinterName() override { return QPrinterInfo::defaultPrinter().printerName(); }

    bool print(const QVector<LaidOutPage>& pages, const QString& jobName) override {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull() || pages.isEmpty()) return false;
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setDocName(jobName);
        printer.setFullPage(true);
        printer.setPageLayout(paperLayout(pages.first()));
        QPainter painter;
        if (!painter.begin(&printer)) return false;
        const double scale = printer.logicalDpiX() / 96.0;
        // With the full page the device origin is the paper's top-left corner.
        const QPointF origin(0, 0);
        for (int i = 0; i < pages.size(); ++i) {
            if (i > 0 && !printer.newPage()) return false;
            paintPage(painter, pages.at(i), scale, origin);
        }
        return painter.end();
    }
};

PrintSink* currentSink = nullptr;

} // namespace

void paintPage(QPainter& painter, const LaidOutPage& page, double scale, QPointF paperOrigin) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QPointF origin = paperOrigin + page.contentOrigin * scale;
    auto map = [&](const QRectF& r) { return QRectF(origin + r.topLeft() * scale, r.size() * scale); };
    // Point sizes are resolved by the device at its own resolution; this
    // makes a point on the page scale with the zoom and not twice.
    const double dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
    const double pointScale = scale * 96.0 / dpi;
    // A PDF (the printer's output too) embeds the regular outlines of a face
    // made bold on screen only.
    const bool embolden = painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Pdf;
    painter.setBrush(Qt::NoBrush);
    for (const LaidOutItem& item : page.items) {
        switch (item.kind) {
        case LaidOutItem::Kind::Text: {
            QFont font = qfontFor(item.font);
            font.setPointSizeF(item.font.pointSize * pointScale);
            painter.setFont(font);
            painter.setPen(Qt::black);
            // The baseline comes from the layout; the painter's own width of
            // the text keeps a right edge or a centre where the layout put it.
            const QRectF r = map(item.rect);
            double x = r.left();
            if (item.alignment != Align::Left) {
                const double painted = QFontMetricsF(font, painter.device()).horizontalAdvance(item.text);
                x = item.alignment == Align::Right ? r.right() - painted : r.center().x() - painted / 2;
            }
            const QPointF baseline(x, r.top() + item.ascent * scale);
            painter.drawText(baseline, item.text);
            if (embolden && boldIsSynthesized(item.font)) {
                // The outlines go into the file as they are: the text is laid
                // once more a twenty-fourth of an em to the right, as the screen
                // thickens the same glyphs. Text extractors drop the overlap.
                const double em = font.pointSizeF() * dpi / 72.0;
                painter.drawText(baseline + QPointF(em / 24.0, 0), item.text);
            }
            break;
        }
        case LaidOutItem::Kind::Line: {
            QPen pen(Qt::black, item.penWidth * scale, Qt::SolidLine, Qt::FlatCap);
            painter.setPen(pen);
            const QRectF r = map(item.rect);
            painter.drawLine(r.topLeft(), r.bottomRight());
            break;
        }
        case LaidOutItem::Kind::Rect: {
            QPen pen(Qt::black, item.penWidth * scale, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
            painter.setPen(pen);
            painter.drawRect(map(item.rect));
            break;
        }
        case LaidOutItem::Kind::Image:
            painter.drawImage(map(item.rect), item.image, item.source);
            break;
        }
    }
    painter.restore();
}

void writePdf(const QVector<LaidOutPage>& pages, const QString& path, const QString& title) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EFileError(QStringLiteral("Nie można zapisać pliku %1").arg(QFileInfo(path).fileName()));
    {
        QPdfWriter writer(&file);
        writer.setResolution(pdfResolution);
        writer.setCreator(QStringLiteral("Tarvelino"));
        writer.setTitle(title);
        if (!pages.isEmpty()) writer.setPageLayout(paperLayout(pages.first()));
        QPainter painter(&writer);
        const double scale = pdfResolution / 96.0;
        for (int i = 0; i < pages.size(); ++i) {
            if (i > 0) writer.newPage();
            paintPage(painter, pages.at(i), scale);
        }
        painter.end();
    }
    if (!file.commit())
        throw EFileError(QStringLiteral("Nie można zapisać pliku %1").arg(QFileInfo(path).fileName()));
}

void setPrintSink(PrintSink* sink) {
    currentSink = sink;
}

PrintSink& printSink() {
    static SystemPrinter system;
    return currentSink ? *currentSink : system;
}

PrintStatus printPages(const QVector<LaidOutPage>& pages, const QString& jobName) {
    PrintSink& sink = printSink();
    if (sink.defaultPrinterName().isEmpty()) return PrintStatus::NoPrinter;
    return sink.print(pages, jobName) ? PrintStatus::Printed : PrintStatus::Failed;
}

PrintStatus printReport(Report& report, int copies, const std::function<void(int copy)>& beforeCopy) {
    PrintSink& sink = printSink();
    if (sink.defaultPrinterName().isEmpty()) return PrintStatus::NoPrinter;
    for (int copy = 0; copy < copies; ++copy) {
        if (beforeCopy) beforeCopy(copy);
        if (!sink.print(layoutReport(report), report.title)) return PrintStatus::Failed;
    }
    return PrintStatus::Printed;
}

void printToPdf(Report& report, const QString& path, int copies,
                const std::function<void(int copy)>& beforeCopy) {
    QVector<LaidOutPage> all;
    for (int copy = 0; copy < copies; ++copy) {
        if (beforeCopy) beforeCopy(copy);
        for (LaidOutPage page : layoutReport(report)) {
            page.number = int(all.size()) + 1;
            all.append(page);
        }
    }
    writePdf(all, path, report.title);
}

} // namespace tv::report
