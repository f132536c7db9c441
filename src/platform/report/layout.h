#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>

#include "platform/report/report.h"

namespace tv::report {

// What the layout made of one element on one page: a line of text, a rule, a
// frame or a picture, at its place in design units (1/96 inch). The origin is
// the top-left corner of the printable area, i.e. inside the page margins, so
// an element's x is its design x and y is the band's top plus the element's y.
struct LaidOutItem {
    enum class Kind { Text, Line, Rect, Image };
    Kind kind = Kind::Text;
    QString name;                  // the element's name ("" for band rules)
    QString text;                  // Text: one line
    QRectF rect;                   // Text: where the line's box stands (width = the text's own width);
                                   // Line: from topLeft to bottomRight (zero height or width)
    Font font;                     // Text
    Align alignment = Align::Left; // how the painter places the text in rect
    double ascent = 0;             // Text: the baseline's distance below rect.top()
    double penWidth = 1;           // Line, Rect
    QImage image;                  // Image: drawn from source into rect
    QRectF source;
};

struct LaidOutPage {
    int number = 1;        // 1-based
    QSizeF paperSize;      // design units (A4: 793.7 x 1122.5)
    QPointF contentOrigin; // the margins' top-left offset on the paper
    QSizeF contentSize;
    QVector<LaidOutItem> items;

    // For tests and checks: texts in the order laid out, and look-ups.
    QStringList texts() const;
    const LaidOutItem* findText(const QString& text) const;
    QVector<const LaidOutItem*> itemsNamed(const QString& name) const;
};

// Lays the report out into pages. Bands go down the page in order; a band
// that does not fit above the page footer moves whole to a new page (a band
// taller than a whole page starts a page of its own and runs past its foot).
// Data sources are walked from their first row and restored at the end.
QVector<LaidOutPage> layoutReport(Report& report);

// Text measurement the layout uses: the pinned font's design metrics scaled
// to the point size at 96 dpi, no kerning; the line is the font's Windows
// ascent plus descent. For callers that need to place things the same way.
double textWidth(const Font& font, const QString& text);
double lineHeight(const Font& font);
// The lines a text wraps into at that width (word boundaries, a long word
// broken anywhere; '\n' always breaks).
QStringList wrapText(const Font& font, const QString& text, double width);

} // namespace tv::report
