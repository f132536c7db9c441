#pragma once

// A banded report held as data: a page, bands in print order, and on each band
// the elements it prints. Forms build their report once, then set captions,
// positions and visibility by element name before every preview or print.
//
// Coordinates are design units of 1/96 inch (0.2646 mm): x from the left page
// margin, y from the top of the band. Fonts are named as the designs name them
// ("Tahoma", "Times New Roman"); the layout maps them to the pinned font files
// (fonts.h), so a layout is the same on every machine.
//
// Usage:
//   tv::report::Report report;                       // A4 portrait, 10 mm margins, Tahoma 10 pt
//   auto& title = report.addBand(BandType::Title, 25, "TitleBand");
//   title.ruleBottom = true;
//   title.add(label("QRLabel1", "KALKULACJA", 8, 0).withFont(tahoma(14, Bold)));
//   auto& rows = report.addBand(BandType::Detail, 16);
//   rows.source = tableSource(lines);                // one band per row, in table order
//   rows.add(dataText("QRDBText6", "Koszt", 608, 0).withFont(tahoma(9)));   // money: "1 234,50 zł"
//   report.label("QRLabel17").caption = customerName;  // fill by name, references stay valid
//   QVector<LaidOutPage> pages = layoutReport(report);   // layout.h
//   writePdf(pages, path);                                // painter.h
//   printReport(report, 2, [&](int copy) { ... });        // painter.h: one job per copy
//   tv::ui::previewReport(report, this);                  // platform/ui/report_preview.h

#include <deque>
#include <memory>
#include <optional>

#include <QImage>
#include <QString>
#include <QStringList>

#include "platform/currency.h"

namespace tv::report {

inline constexpr double unitsPerMm = 96.0 / 25.4;
inline double mmToUnits(double mm) {
    return mm * unitsPerMm;
}

enum FontStyle { Plain = 0, Bold = 1, Italic = 2, Underline = 4 };

struct Font {
    QString family = QStringLiteral("Tahoma"); // the design's name; fonts.h maps it
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const Font&, const Font&) = default;
};
Font tahoma(double pointSize, int style = Plain);
Font timesNewRoman(double pointSize, int style = Plain);

enum class Align { Left, Right, Center };

// One printed thing on a band. A plain struct: the fields that matter depend on
// the kind; the builder functions below set the usual ones.
struct Element {
    enum class Kind { Label, DataText, Memo, Rule, Shape, Picture };
    Kind kind = Kind::Label;
    QString name; // for look-up by code ("QRLabel17"); may be empty
    double x = 0;
    double y = 0;
    double width = 0;  // 0 with autoSize: the text's own width
    double height = 0; // 0: one line of the element's font
    bool visible = true;

    // Texts (Label, DataText, Memo)
    std::optional<Font> font; // none: the report's base font
    QString caption;          // Label
    QString field;            // DataText: field of the band's data source
    bool money = false;       // DataText: print in the currency format even if the source does not say so
    QStringList lines;        // Memo
    bool autoSize = true;     // width follows the text; false: the box is x..x+width
    Align alignment = Align::Left;
    bool wordWrap = false; // wraps at width and grows downwards (the band grows with it)

    // Rule: horizontal from (x, y) over width, or vertical over height
    bool vertical = false;
    double penWidth = 1;

    // Picture: stretched to the box, else drawn at 1 pixel per unit (centred in the box when centre)
    QImage picture;
    bool stretch = false;
    bool centre = false;

    // Chainable modifiers for building.
    Element& withFont(const Font& f);
    Element& alignedRight(double boxWidth);                  // fixed box, text flush right
    Element& centred(double boxWidth);                       // fixed box, text centred
    Element& wrapped(double boxWidth, double boxHeight = 0); // fixed width, wraps, grows
    Element& withHeight(double h);
    Element& hidden();

    // Setters for code that fills a report.
    Element& setCaption(const QString& text);
    Element& setPosition(double newX, double newY);
    Element& setVisible(bool on);
};

Element label(const QString& name, const QString& caption, double x, double y);
Element dataText(const QString& name, const QString& field, double x, double y);
Element memo(const QString& name, double x, double y, double width, double height);
Element hRule(double x, double y, double length, const QString& name = QString());
Element vRule(double x, double y, double length, const QString& name = QString());
Element frame(const QString& name, double x, double y, double width, double height);
Element picture(const QString& name, double x, double y, double width, double height);

// Reads a picture file for a picture element; raises tv::EFileError
// ("Cannot open file <name>") when it is missing or unreadable.
QImage loadPicture(const QString& path);

// Rows for a detail or sub-detail band. The layout calls first(), then reads
// the fields and calls next() until eof(); it calls restore() when done so a
// cursor the form shows can go back where the operator left it.
class DataSource {
public:
    virtual ~DataSource() = default;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    // The field as text (numbers in the general float form, "" when empty).
    virtual QString fieldText(const QString& field) const = 0;
    virtual bool isMoney(const QString& field) const {
        (void)field;
        return false;
    }
    // Money fields print from the exact amount; the default reads fieldText.
    virtual Currency fieldMoney(const QString& field) const;
    virtual void restore() {}
};

// In print order, except that page headers, footers and column headers go on
// every page and the title once at the top of the first page. The others
// (group headers and footers, details, sub-details, summary) print in the
// order they were added: a band with a data source once per row, else once.
enum class BandType {
    Title,
    PageHeader,
    ColumnHeader,
    GroupHeader,
    Detail,
    SubDetail,
    GroupFooter,
    Summary,
    PageFooter
};

struct Band {
    BandType type = BandType::Detail;
    QString name;
    // The design height; a band grows by the most that its wrapping labels and
    // memos reach below their own design bottom (the other elements stay put).
    double height = 0;
    bool visible = true;
    bool ruleTop = false;    // a full-width rule along the band's top edge
    bool ruleBottom = false; // and along its bottom edge (after growth)
    std::shared_ptr<DataSource> source;
    std::deque<Element> elements; // a deque: references stay valid while elements are added

    Element& add(const Element& element);
};

struct PageSetup {
    double widthMm = 210; // A4 portrait
    double heightMm = 297;
    double leftMm = 10, topMm = 10, rightMm = 10, bottomMm = 10;
    double contentWidth() const { return mmToUnits(widthMm - leftMm - rightMm); }
    double contentHeight() const { return mmToUnits(heightMm - topMm - bottomMm); }
};

class Report {
public:
    PageSetup page;
    Font baseFont = tahoma(10);
    QString title; // the print job's and the PDF's title
    bool pageHeaderOnFirstPage = true;
    bool pageFooterOnLastPage = true;

    Band& addBand(BandType type, double height, const QString& name = QString());
    std::deque<Band>& bands() { return m_bands; }
    const std::deque<Band>& bands() const { return m_bands; }

    // Look-up by name; an unknown name raises tv::Error (a design fault, not
    // an operator's). References stay valid for the report's life.
    Band& band(const QString& name);
    Element& element(const QString& name);
    Element& label(const QString& name) { return element(name); }

private:
    std::deque<Band> m_bands;
};

} // namespace tv::report
