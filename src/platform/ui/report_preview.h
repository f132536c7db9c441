#pragma once

#include <functional>

#include <QDialog>
#include <QVector>

#include "platform/report/layout.h"
#include "platform/report/report.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace tv::ui {

// The report library's preview: a modal window over the laid-out pages with
// zoom, page navigation, "Drukuj" (default printer, no dialog) and "Zapisz
// jako PDF". Usage: tv::ui::previewReport(report, this);
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(tv::report::Report& report, QWidget* parent = nullptr);

    int pageCount() const { return int(m_pages.size()); }
    int currentPage() const { return m_current; } // 0-based
    QString pageCaption() const;                  // "Strona 1 z 2"
    double zoom() const { return m_zoom; }        // 1.0 = 100 %, a design unit a pixel

    // Zoom choices in the order of the list.
    enum class ZoomMode { WholePage, PageWidth, Percent50, Percent75, Percent100, Percent150, Percent200 };
    void setZoomMode(ZoomMode mode);

    void showPage(int index);
    void firstPage() { showPage(0); }
    void priorPage() { showPage(m_current - 1); }
    void nextPage() { showPage(m_current + 1); }
    void lastPage() { showPage(pageCount() - 1); }

    // The buttons' actions: print the pages shown (offering the PDF when no
    // printer is installed) and save them as a PDF file.
    void print();
    void saveAsPdf();

    QPushButton* printButton() const { return m_print; }
    QPushButton* pdfButton() const { return m_pdf; }
    QToolButton* nextButton() const { return m_next; }
    QToolButton* priorButton() const { return m_prior; }
    QComboBox* zoomBox() const { return m_zoomBox; }
    QLabel* pageView() const { return m_view; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override; // PgUp, PgDn, Home, End turn the pages

private:
    void render();
    void updateControls();

    tv::report::Report& m_report;
    QVector<tv::report::LaidOutPage> m_pages;
    int m_current = 0;
    double m_zoom = 1;
    ZoomMode m_mode = ZoomMode::PageWidth;

    QScrollArea* m_scroll = nullptr;
    QLabel* m_view = nullptr;
    QLabel* m_caption = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QToolButton* m_first = nullptr;
    QToolButton* m_prior = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_last = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_pdf = nullptr;
};

// Shows the report's preview modally.
void previewReport(tv::report::Report& report, QWidget* parent = nullptr);

// Test seam: while a hook is set, previewReport lays the report out and hands
// the pages to the hook instead of opening the window.
using PreviewHook =
    std::function<void(tv::report::Report& report, const QVector<tv::report::LaidOutPage>& pages)>;
void setPreviewHook(PreviewHook hook); // an empty hook: the window again

// Prints the report on the default printer without a dialog, one job per copy,
// beforeCopy(index) running before each (the copy caption). With no printer
// installed it says so and offers to save the copies as one PDF file instead.
// Returns true when printed or saved.
bool printReport(tv::report::Report& report, int copies = 1,
                 const std::function<void(int copy)>& beforeCopy = {});

// Asks for a file name and writes the report there as PDF (all copies in
// order). Returns false when the operator cancels or the file cannot be
// written (which is shown).
bool saveReportAsPdf(tv::report::Report& report, int copies = 1,
                     const std::function<void(int copy)>& beforeCopy = {});

// The messages these show, for the forms' tests.
inline constexpr const char* noPrinterMessage =
    "Nie zainstalowano drukarki. Czy zapisać wydruk jako plik PDF?";
inline constexpr const char* printFailedMessage = "Nie udało się wydrukować raportu.";

} // namespace tv::ui
