#include "platform/report/report.h"

#include <QFileInfo>
#include <QImageReader>

#include "platform/convert.h"
#include "platform/errors.h"

namespace tv::report {

namespace {

Font makeFont(const char* family, double pointSize, int style) {
    Font f;
    f.family = QString::fromLatin1(family);
    f.pointSize = pointSize;
    f.bold = style & Bold;
    f.italic = style & Italic;
    f.underline = style & Underline;
    return f;
}

Element placed(Element::Kind kind, const QString& name, double x, double y, double width = 0,
               double height = 0) {
    Element e;
    e.kind = kind;
    e.name = name;
    e.x = x;
    e.y = y;
    e.width = width;
    e.height = height;
    return e;
}

} // namespace

Font tahoma(double pointSize, int style) {
    return makeFont("Tahoma", pointSize, style);
}
Font timesNewRoman(double pointSize, int style) {
    return makeFont("Times New Roman", pointSize, style);
}

Element& Element::withFont(const Font& f) {
    font = f;
    return *this;
}

Element& Element::alignedRight(double boxWidth) {
    autoSize = false;
    width = boxWidth;
    alignment = Align::Right;
    return *this;
}

Element& Element::centred(double boxWidth) {
    autoSize = false;
    width = boxWidth;
    alignment = Align::Center;
    return *this;
}

Element& Element::wrapped(double boxWidth, double boxHeight) {
    autoSize = false;
    wordWrap = true;
    width = boxWidth;
    if (boxHeight > 0) height = boxHeight;
    return *this;
}

Element& Element::withHeight(double h) {
    height = h;
    return *this;
}

Element& Element::hidden() {
    visible = false;
    return *this;
}

Element& Element::setCaption(const QString& text) {
    caption = text;
    return *this;
}

Element& Element::setPosition(double newX, double newY) {
    x = newX;
    y = newY;
    return *this;
}

Element& Element::setVisible(bool on) {
    visible = on;
    return *this;
}

Element label(const QString& name, const QString& caption, double x, double y) {
    Element e = placed(Element::Kind::Label, name, x, y);
    e.caption = caption;
    return e;
}

Element dataText(const QString& name, const QString& field, double x, double y) {
    Element e = placed(Element::Kind::DataText, name, x, y);
    e.field = field;
    return e;
}

Element memo(const QString& name, double x, double y, double width, double height) {
    Element e = placed(Element::Kind::Memo, name, x, y, width, height);
    e.autoSize = false;
    e.wordWrap = true;
    return e;
}

Element hRule(double x, double y, double length, const QString& name) {
    return placed(Element::Kind::Rule, name, x, y, length);
}

Element vRule(double x, double y, double length, const QString& name) {
    Element e = placed(Element::Kind::Rule, name, x, y, 0, length);
    e.vertical = true;
    return e;
}

Element frame(const QString& name, double x, double y, double width, double height) {
    return placed(Element::Kind::Shape, name, x, y, width, height);
}

Element picture(const QString& name, double x, double y, double width, double height) {
    return placed(Element::Kind::Picture, name, x, y, width, height);
}

QImage loadPicture(const QString& path) {
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull()) throw EFileError(QStringLiteral("Cannot open file %1").arg(path));
    return image;
}

Currency DataSource::fieldMoney(const QString& field) const {
    return StrToCurr(fieldText(field));
}

Element& Band::add(const Element& element) {
    elements.push_back(element);
    return elements.back();
}

Band& Report::addBand(BandType type, double height, const QString& name) {
    Band band;
    band.type = type;
    band.height = height;
    band.name = name;
    m_bands.push_back(std::move(band));
    return m_bands.back();
}

Band& Report::band(const QString& name) {
    for (Band& b : m_bands)
        if (b.name == name) return b;
    throw Error(QStringLiteral("Brak pasma raportu: %1").arg(name));
}

Element& Report::element(const QString& name) {
    for (Band& b : m_bands)
        for (Element& e : b.elements)
            if (e.name == name) return e;
    throw Error(QStringLiteral("Brak elementu raportu: %1").arg(name));
}

} // namespace tv::report
