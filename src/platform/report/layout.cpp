#include "platform/report/layout.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QHash>
#include <QRawFont>

#include "platform/convert.h"
#include "platform/report/fonts.h"

namespace tv::report {

namespace {

constexpr double epsilon = 0.01;

// Texts are measured from the font's design metrics, scaled linearly to the
// point size at 96 dpi: advances without hinting, embedded bitmaps or kerning
// (as the printer's driver measures), and the line of the font's Windows
// ascent and descent, the spacing the designs were drawn with. The same text
// thus measures the same on the screen, the printer and the PDF, and on every
// machine.
struct Metrics {
    Font font;
    QRawFont raw;     // at one pixel per font unit, so its advances are the design's
    double scale = 1; // design units per font unit
    double ascent = 0;
    double line = 0;
    QHash<QString, double> widths; // captions repeat on every layout
};

int bigEndian16(const QByteArray& table, int offset) {
    if (table.size() < offset + 2) return 0;
    return (uchar(table.at(offset)) << 8) | uchar(table.at(offset + 1));
}

// Resolving a font costs far more than measuring a text, and a report uses a
// handful of fonts, so they are kept for the program's life (never destroyed:
// fonts must not outlive the application object).
Metrics& metricsFor(const Font& font) {
    static auto* cache = new QVector<Metrics*>;
    for (Metrics* m : *cache)
        if (m->font == font) return *m;
    ensureFontsLoaded();
    auto* m = new Metrics;
    m->font = font;
    const double pixelSize = font.pointSize * 96.0 / 72.0;
    m->raw = QRawFont::fromFont(qfontFor(font));
    const double unitsPerEm = m->raw.isValid() ? m->raw.unitsPerEm() : 0;
    if (unitsPerEm > 0) {
        m->raw.setPixelSize(unitsPerEm);
        m->scale = pixelSize / unitsPerEm;
        const QByteArray os2 = m->raw.fontTable("OS/2");
        const int winAscent = bigEndian16(os2, 74);
        const int winDescent = bigEndian16(os2, 76);
        m->ascent = (winAscent > 0 ? winAscent : m->raw.ascent()) * m->scale;
        m->line = m->ascent + (winAscent > 0 ? winDescent : m->raw.descent()) * m->scale;
    } else {
        const QFontMetricsF fm(qfontFor(font));
        m->ascent = fm.ascent();
        m->line = fm.height();
    }
    cache->append(m);
    return *m;
}

double measure(Metrics& m, const QString& text) {
    auto it = m.widths.constFind(text);
    if (it != m.widths.constEnd()) return *it;
    if (m.widths.size() > 20000) m.widths.clear();
    double w = 0;
    if (m.raw.isValid()) {
        const QVector<quint32> glyphs = m.raw.glyphIndexesForString(text);
        for (const QPointF& advance : m.raw.advancesForGlyphIndexes(glyphs))
            w += advance.x();
        w *= m.scale;
    } else {
        w = QFontMetricsF(qfontFor(m.font)).horizontalAdvance(text);
    }
    m.widths.insert(text, w);
    return w;
}

QString chopTrailingSpace(QString s) {
    int n = s.size();
    while (n > 0 && s.at(n - 1).isSpace())
        --n;
    s.truncate(n);
    return s;
}

QStringList splitLines(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t.split(u'\n');
}

// Greedy filling at the blanks; a word wider than the line is broken where it
// reaches the edge. Without kerning widths add up, so words are measured once.
QStringList wrapWith(Metrics& m, const QString& text, double width) {
    QStringList out;
    const double space = measure(m, QStringLiteral(" "));
    for (const QString& paragraph : splitLines(text)) {
        if (measure(m, paragraph) <= width + epsilon) {
            out << chopTrailingSpace(paragraph);
            continue;
        }
        QString line;
        double lineWidth = 0;
        for (const QString& word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
            double w = measure(m, word);
            if (!line.isEmpty() && lineWidth + space + w <= width + epsilon) {
                line += u' ' + word;
                lineWidth += space + w;
                continue;
            }
            if (!line.isEmpty()) out << line;
            line = word;
            lineWidth = w;
            while (lineWidth > width + epsilon && line.size() > 1) {
                int fit = 1;
                while (fit < line.size() && measure(m, line.left(fit + 1)) <= width + epsilon)
                    ++fit;
                out << line.left(fit);
                line = line.mid(fit);
                lineWidth = measure(m, line);
            }
        }
        out << line;
    }
    return out;
}

// A band rendered for one row: its height after growth and its items with y
// from the band's top.
struct BandImage {
    double height = 0;
    QVector<LaidOutItem> items;
};

QString elementText(const Element& e, const DataSource* row) {
    switch (e.kind) {
    case Element::Kind::Label:
        return e.caption;
    case Element::Kind::Memo:
        return e.lines.join(u'\n');
    case Element::Kind::DataText: {
        if (!row || row->eof()) return QString();
        const QString text = row->fieldText(e.field);
        if (!text.isEmpty() && (e.money || row->isMoney(e.field)))
            return FormatCurrency(row->fieldMoney(e.field));
        return text;
    }
    default:
        return QString();
    }
}

// Places a text element; returns how far it reaches below its design bottom.
double placeText(const Report& report, const Element& e, const DataSource* row, QVector<LaidOutItem>& items) {
    const Font font = e.font.value_or(report.baseFont);
    Metrics& m = metricsFor(font);
    const QString text = elementText(e, row);
    const bool fixedBox = !e.autoSize && e.width > 0;
    const QStringList lines = (e.wordWrap && e.width > 0) ? wrapWith(m, text, e.width) : splitLines(text);
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.isEmpty()) continue;
        const double w = measure(m, line);
        double left = e.x;
        Align align = Align::Left;
        if (fixedBox && e.alignment == Align::Right) {
            left = e.x + e.width - w;
            align = Align::Right;
        } else if (fixedBox && e.alignment == Align::Center) {
            left = e.x + (e.width - w) / 2;
            align = Align::Center;
        }
        LaidOutItem item;
        item.kind = LaidOutItem::Kind::Text;
        item.name = e.name;
        item.text = line;
        item.rect = QRectF(left, e.y + i * m.line, w, m.line);
        item.font = font;
        item.alignment = align;
        item.ascent = m.ascent;
        items.append(item);
    }
    const double designBottom = e.y + (e.height > 0 ? e.height : m.line);
    const double contentBottom = e.y + lines.size() * m.line;
    return std::max(0.0, contentBottom - designBottom);
}

void placePicture(const Element& e, QVector<LaidOutItem>& items) {
    if (e.picture.isNull()) return;
    const QRectF box(e.x, e.y, e.width, e.height);
    LaidOutItem item;
    item.kind = LaidOutItem::Kind::Image;
    item.name = e.name;
    item.image = e.picture;
    if (e.stretch || box.isEmpty()) {
        item.rect = box.isEmpty() ? QRectF(box.topLeft(), QSizeF(e.picture.size())) : box;
        item.source = QRectF(e.picture.rect());
    } else {
        // At its own size (a pixel a unit), centred or from the top-left, cut to the box.
        QRectF natural(box.topLeft(), QSizeF(e.picture.size()));
        if (e.centre) natural.moveCenter(box.center());
        const QRectF shown = natural.intersected(box);
        if (shown.isEmpty()) return;
        item.rect = shown;
        item.source = shown.translated(-natural.topLeft());
    }
    items.append(item);
}

LaidOutItem lineItem(const QString& name, const QRectF& rect, double penWidth) {
    LaidOutItem item;
    item.kind = LaidOutItem::Kind::Line;
    item.name = name;
    item.rect = rect;
    item.penWidth = penWidth;
    return item;
}

BandImage renderBand(const Report& report, const Band& band, const DataSource* row) {
    BandImage image;
    double growth = 0;
    for (const Element& e : band.elements) {
        if (!e.visible) continue;
        switch (e.kind) {
        case Element::Kind::Label:
        case Element::Kind::DataText:
        case Element::Kind::Memo:
            growth = std::max(growth, placeText(report, e, row, image.items));
            break;
        case Element::Kind::Rule:
            image.items.append(
                lineItem(e.name, e.vertical ? QRectF(e.x, e.y, 0, e.height) : QRectF(e.x, e.y, e.width, 0),
                         e.penWidth));
            break;
        case Element::Kind::Shape: {
            LaidOutItem item = lineItem(e.name, QRectF(e.x, e.y, e.width, e.height), e.penWidth);
            item.kind = LaidOutItem::Kind::Rect;
            image.items.append(item);
            break;
        }
        case Element::Kind::Picture:
            placePicture(e, image.items);
            break;
        }
    }
    image.height = band.height + growth;
    const double width = report.page.contentWidth();
    if (band.ruleTop) image.items.append(lineItem(QString(), QRectF(0, 0.5, width, 0), 1));
    if (band.ruleBottom) image.items.append(lineItem(QString(), QRectF(0, image.height - 0.5, width, 0), 1));
    return image;
}

class Paginator {
public:
    explicit Paginator(Report& report) : m_report(report) {
        for (const Band& band : report.bands()) {
            if (!band.visible) continue;
            switch (band.type) {
            case BandType::PageHeader:
                m_pageHeaders.append(&band);
                break;
            case BandType::PageFooter:
                m_footers.append(renderBand(report, band, nullptr));
                m_footerHeight += m_footers.last().height;
                break;
            case BandType::ColumnHeader:
                m_columnHeaders.append(&band);
                break;
            case BandType::Title:
                m_titles.append(&band);
                break;
            default:
                break;
            }
        }
    }

    QVector<LaidOutPage> run() {
        startPage();
        for (Band& band : m_report.bands()) {
            if (!band.visible || !isFlow(band.type)) continue;
            if (!band.source) {
                placeFlow(renderBand(m_report, band, nullptr));
                continue;
            }
            DataSource& source = *band.source;
            struct Restore {
                DataSource& s;
                ~Restore() { s.restore(); }
            } restore{source};
            for (source.first(); !source.eof(); source.next())
                placeFlow(renderBand(m_report, band, &source));
        }
        finishPage(true);
        return m_pages;
    }

private:
    static bool isFlow(BandType type) {
        return type == BandType::GroupHeader || type == BandType::Detail || type == BandType::SubDetail ||
               type == BandType::GroupFooter || type == BandType::Summary;
    }

    void append(const BandImage& image, double top) {
        for (LaidOutItem item : image.items) {
            item.rect.translate(0, top);
            m_page.items.append(item);
        }
    }

    void startPage() {
        const PageSetup& setup = m_report.page;
        m_page = LaidOutPage();
        m_page.number = int(m_pages.size()) + 1;
        m_page.paperSize = QSizeF(mmToUnits(setup.widthMm), mmToUnits(setup.heightMm));
        m_page.contentOrigin = QPointF(mmToUnits(setup.leftMm), mmToUnits(setup.topMm));
        m_page.contentSize = QSizeF(setup.contentWidth(), setup.contentHeight());
        m_y = 0;
        m_flowOnPage = false;
        const bool first = m_page.number == 1;
        if (!first || m_report.pageHeaderOnFirstPage)
            for (const Band* band : m_pageHeaders)
                placeFixed(renderBand(m_report, *band, nullptr));
        if (first) {
            for (const Band* band : m_titles)
                placeFixed(renderBand(m_report, *band, nullptr));
            m_flowOnPage = !m_titles.isEmpty();
        }
        for (const Band* band : m_columnHeaders)
            placeFixed(renderBand(m_report, *band, nullptr));
    }

    void finishPage(bool last) {
        if (!last || m_report.pageFooterOnLastPage) {
            double top = m_page.contentSize.height() - m_footerHeight;
            for (const BandImage& footer : m_footers) {
                append(footer, top);
                top += footer.height;
            }
        }
        m_pages.append(m_page);
    }

    void placeFixed(const BandImage& image) {
        append(image, m_y);
        m_y += image.height;
    }

    void placeFlow(const BandImage& image) {
        const double limit = m_page.contentSize.height() - m_footerHeight;
        if (m_flowOnPage && m_y + image.height > limit + epsilon) {
            finishPage(false);
            startPage();
        }
        placeFixed(image);
        m_flowOnPage = true;
    }

    Report& m_report;
    QVector<const Band*> m_pageHeaders, m_columnHeaders, m_titles;
    QVector<BandImage> m_footers;
    double m_footerHeight = 0;
    QVector<LaidOutPage> m_pages;
    LaidOutPage m_page;
    double m_y = 0;
    bool m_flowOnPage = false;
};

} // namespace

QStringList LaidOutPage::texts() const {
    QStringList out;
    for (const LaidOutItem& item : items)
        if (item.kind == LaidOutItem::Kind::Text) out << item.text;
    return out;
}

const LaidOutItem* LaidOutPage::findText(const QString& text) const {
    for (const LaidOutItem& item : items)
        if (item.kind == LaidOutItem::Kind::Text && item.text == text) return &item;
    return nullptr;
}

QVector<const LaidOutItem*> LaidOutPage::itemsNamed(const QString& name) const {
    QVector<const LaidOutItem*> out;
    for (const LaidOutItem& item : items)
        if (item.name == name) out.append(&item);
    return out;
}

QVector<LaidOutPage> layoutReport(Report& report) {
    return Paginator(report).run();
}

double textWidth(const Font& font, const QString& text) {
    return measure(metricsFor(font), text);
}

double lineHeight(const Font& font) {
    return metricsFor(font).line;
}

QStringList wrapText(const Font& font, const QString& text, double width) {
    return wrapWith(metricsFor(font), text, width);
}

} // namespace tv::report
