#include "platform/ui/report_preview.h"

#include <algorithm>
#include <cmath>

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/errors.h"
#include "platform/report/painter.h"
#include "platform/ui/messages.h"

namespace tv::ui {

using namespace tv::report;

namespace {

QString askPdfPath() {
    FileDialogRequest request;
    request.title = QStringLiteral("Zapisz wydruk jako PDF");
    request.filter = QStringLiteral("Pliki PDF|*.pdf");
    request.defaultExtension = QStringLiteral("pdf");
    request.save = true;
    request.confirmOverwrite = true;
    QString path = runFileDialog(request);
    // The dialog adds the extension only to a name without a dot, so a name
    // such as "FV 7.03.2024" gets it here, and the dialog asked about the
    // file as typed: a file of the fuller name is replaced only on "Tak".
    if (path.isEmpty() || QFileInfo(path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0)
        return path;
    path += QStringLiteral(".pdf");
    if (QFileInfo::exists(path) &&
        !askYesNo(QStringLiteral("Plik %1 już istnieje. Czy go zastąpić?").arg(QFileInfo(path).fileName()),
                  QStringLiteral("Uwaga"), Icon::Warning))
        return QString();
    return path;
}

// Writes what write() makes to the file the operator chooses; a failure is
// shown and the operator's pages are not lost: the preview stays open.
bool saveWith(const std::function<void(const QString&)>& write) {
    const QString path = askPdfPath();
    if (path.isEmpty()) return false;
    try {
        write(path);
        return true;
    } catch (const tv::Error& e) {
        showMessage(e.message(), QStringLiteral("Błąd"), Icon::Error);
        return false;
    }
}

bool offerPdfInstead(const std::function<void(const QString&)>& write) {
    if (!askYesNo(QString::fromUtf8(noPrinterMessage), QStringLiteral("Uwaga"), Icon::Warning)) return false;
    return saveWith(write);
}

const QStringList& zoomNames() {
    static const QStringList names = {QStringLiteral("Cała strona"), QStringLiteral("Szerokość strony"),
                                      QStringLiteral("50%"),         QStringLiteral("75%"),
                                      QStringLiteral("100%"),        QStringLiteral("150%"),
                                      QStringLiteral("200%")};
    return names;
}

QToolButton* navigationButton(const QString& text, const QString& hint, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

ReportPreview::ReportPreview(Report& report, QWidget* parent)
    : QDialog(parent), m_report(report), m_pages(layoutReport(report)) {
    setModal(true);
    setWindowTitle(report.title.isEmpty() ? QStringLiteral("Podgląd wydruku")
                                          : QStringLiteral("Podgląd wydruku - %1").arg(report.title));
    // As tall as a page reads well, but never taller than the screen.
    QSize size(900, 1000);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.92);
    resize(size);

    auto* bar = new QHBoxLayout;
    m_first = navigationButton(QStringLiteral("|<"), QStringLiteral("Pierwsza strona"), this);
    m_prior = navigationButton(QStringLiteral("<"), QStringLiteral("Poprzednia strona"), this);
    m_next = navigationButton(QStringLiteral(">"), QStringLiteral("Następna strona"), this);
    m_last = navigationButton(QStringLiteral(">|"), QStringLiteral("Ostatnia strona"), this);
    m_caption = new QLabel(this);
    m_zoomBox = new QComboBox(this);
    m_zoomBox->addItems(zoomNames());
    m_zoomBox->setToolTip(QStringLiteral("Powiększenie"));
    m_print = new QPushButton(QStringLiteral("Drukuj"), this);
    m_pdf = new QPushButton(QStringLiteral("Zapisz jako PDF"), this);
    auto* close = new QPushButton(QStringLiteral("Zamknij"), this);
    // Enter closes the preview; a print job or a file only on a deliberate click.
    m_print->setAutoDefault(false);
    m_pdf->setAutoDefault(false);
    close->setDefault(true);
    bar->addWidget(m_first);
    bar->addWidget(m_prior);
    bar->addWidget(m_caption);
    bar->addWidget(m_next);
    bar->addWidget(m_last);
    bar->addSpacing(16);
    bar->addWidget(m_zoomBox);
    bar->addStretch();
    bar->addWidget(m_print);
    bar->addWidget(m_pdf);
    bar->addWidget(close);

    m_view = new QLabel;
    m_view->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(true);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(m_first, &QToolButton::clicked, this, &ReportPreview::firstPage);
    connect(m_prior, &QToolButton::clicked, this, &ReportPreview::priorPage);
    connect(m_next, &QToolButton::clicked, this, &ReportPreview::nextPage);
    connect(m_last, &QToolButton::clicked, this, &ReportPreview::lastPage);
    connect(m_zoomBox, &QComboBox::activated, this, [this](int index) { setZoomMode(ZoomMode(index)); });
    connect(m_print, &QPushButton::clicked, this, &ReportPreview::print);
    connect(m_pdf, &QPushButton::clicked, this, &ReportPreview::saveAsPdf);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    // The page keys turn the pages whichever control has the focus: the zoom
    // list (where the focus starts) and the scroll area would take them too.
    const std::pair<Qt::Key, void (ReportPreview::*)()> pageKeys[] = {
        {Qt::Key_PageDown, &ReportPreview::nextPage},
        {Qt::Key_PageUp, &ReportPreview::priorPage},
        {Qt::Key_Home, &ReportPreview::firstPage},
        {Qt::Key_End, &ReportPreview::lastPage}};
    for (const auto& [key, turn] : pageKeys)
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, turn);

    m_scroll->installEventFilter(this);
    setZoomMode(ZoomMode::PageWidth);
}

QString ReportPreview::pageCaption() const {
    return QStringLiteral("Strona %1 z %2").arg(pageCount() == 0 ? 0 : m_current + 1).arg(pageCount());
}

void ReportPreview::setZoomMode(ZoomMode mode) {
    // The fixed zooms, in the order of the list; the fitting ones are 0.
    static constexpr double fixedZooms[] = {0, 0, 0.5, 0.75, 1, 1.5, 2};
    m_mode = mode;
    m_zoomBox->setCurrentIndex(int(mode));
    const QSizeF paper =
        m_pages.isEmpty() ? QSizeF(mmToUnits(210), mmToUnits(297)) : m_pages.first().paperSize;
    // The room as if no scroll bar were shown, so that a scroll bar coming or
    // going cannot change the fit (and the fit the scroll bar) back and forth;
    // a page at its width is taller than the window and needs the vertical bar.
    const QSize room = m_scroll->maximumViewportSize() - QSize(24, 24);
    const int barWidth = m_scroll->verticalScrollBar()->sizeHint().width();
    if (mode == ZoomMode::WholePage)
        m_zoom = std::min(room.width() / paper.width(), room.height() / paper.height());
    else if (mode == ZoomMode::PageWidth)
        m_zoom = (room.width() - barWidth) / paper.width();
    else
        m_zoom = fixedZooms[int(mode)];
    m_zoom = std::clamp(m_zoom, 0.1, 4.0);
    render();
}

void ReportPreview::showPage(int index) {
    if (m_pages.isEmpty()) return;
    m_current = std::clamp(index, 0, pageCount() - 1);
    render();
    m_scroll->verticalScrollBar()->setValue(0);
}

void ReportPreview::render() {
    updateControls();
    if (m_pages.isEmpty()) {
        m_view->clear();
        return;
    }
    const LaidOutPage& page = m_pages.at(m_current);
    const double ratio = devicePixelRatioF();
    const double scale = m_zoom * ratio;
    QImage image(
        QSize(std::lround(page.paperSize.width() * scale), std::lround(page.paperSize.height() * scale)),
        QImage::Format_RGB32);
    // At 96 dpi a point on the page scales with the zoom alone.
    const int dotsPerMeter = qRound(96.0 / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintPage(painter, page, scale);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    m_view->setPixmap(pixmap);
}

void ReportPreview::updateControls() {
    m_caption->setText(pageCaption());
    const bool many = pageCount() > 1;
    m_first->setEnabled(many && m_current > 0);
    m_prior->setEnabled(many && m_current > 0);
    m_next->setEnabled(many && m_current < pageCount() - 1);
    m_last->setEnabled(many && m_current < pageCount() - 1);
}

void ReportPreview::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageDown:
        nextPage();
        break;
    case Qt::Key_PageUp:
        priorPage();
        break;
    case Qt::Key_Home:
        firstPage();
        break;
    case Qt::Key_End:
        lastPage();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* event) {
    // The scroll area learns its size only after the window's own resize (and
    // first when the window is shown), so the fitting zooms follow it there.
    if (watched == m_scroll && event->type() == QEvent::Resize &&
        (m_mode == ZoomMode::WholePage || m_mode == ZoomMode::PageWidth))
        setZoomMode(m_mode);
    return QDialog::eventFilter(watched, event);
}

void ReportPreview::print() {
    const QString title = m_report.title;
    const QVector<LaidOutPage> pages = m_pages;
    auto write = [pages, title](const QString& path) { writePdf(pages, path, title); };
    switch (printPages(m_pages, title)) {
    case PrintStatus::Printed:
        break;
    case PrintStatus::NoPrinter:
        offerPdfInstead(write);
        break;
    case PrintStatus::Failed:
        showMessage(QString::fromUtf8(printFailedMessage), QStringLiteral("Błąd"), Icon::Error);
        break;
    }
}

void ReportPreview::saveAsPdf() {
    const QString title = m_report.title;
    const QVector<LaidOutPage> pages = m_pages;
    saveWith([pages, title](const QString& path) { writePdf(pages, path, title); });
}

namespace {
PreviewHook g_previewHook;
} // namespace

void setPreviewHook(PreviewHook hook) {
    g_previewHook = std::move(hook);
}

void previewReport(Report& report, QWidget* parent) {
    if (g_previewHook) {
        g_previewHook(report, layoutReport(report));
        return;
    }
    ReportPreview preview(report, parent);
    preview.exec();
}

bool printReport(Report& report, int copies, const std::function<void(int copy)>& beforeCopy) {
    switch (tv::report::printReport(report, copies, beforeCopy)) {
    case PrintStatus::Printed:
        return true;
    case PrintStatus::NoPrinter:
        return offerPdfInstead([&](const QString& path) { printToPdf(report, path, copies, beforeCopy); });
    case PrintStatus::Failed:
        showMessage(QString::fromUtf8(printFailedMessage), QStringLiteral("Błąd"), Icon::Error);
        return false;
    }
    return false;
}

bool saveReportAsPdf(Report& report, int copies, const std::function<void(int copy)>& beforeCopy) {
    return saveWith([&](const QString& path) { printToPdf(report, path, copies, beforeCopy); });
}

} // namespace tv::ui
