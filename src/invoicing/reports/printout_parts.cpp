#include "invoicing/reports/printout_parts.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>

#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "platform/errors.h"
#include "platform/report/layout.h"
#include "platform/table.h"

namespace invoicing::printout {

using namespace tv::report;

Font times(double pointSize, int style) {
    return timesNewRoman(pointSize, style);
}

namespace {

void shape(Element& e, Box box, double width, double height) {
    switch (box) {
    case Box::Auto:
        break;
    case Box::Right:
        e.alignedRight(width);
        break;
    case Box::Wrap:
        e.wrapped(width, height);
        break;
    case Box::RightWrap:
        e.alignedRight(width);
        e.wordWrap = true;
        break;
    case Box::CentreWrap:
        e.centred(width);
        e.wordWrap = true;
        break;
    }
    if (height > 0) e.height = height;
}

QString field(tv::Query& query, const char* name) {
    return query.fieldByName(QString::fromLatin1(name)).asString();
}

std::optional<PartyFields> findParty(const QString& table, const std::optional<int>& nr, bool withCountry) {
    if (!nr) return std::nullopt;
    tv::Query query;
    query.setSql(QStringLiteral("select * from %1 where Nr = ?").arg(table));
    query.bindValue(1, *nr);
    query.open();
    if (query.eof()) return std::nullopt;
    PartyFields party;
    party.Firma = field(query, "Firma");
    party.Ulica = field(query, "Ulica");
    party.Kod = field(query, "Kod");
    party.Miejscowosc = field(query, "Miejscowosc");
    party.NIP = field(query, "NIP");
    party.REGON = field(query, "REGON");
    party.Telefon = field(query, "Telefon");
    party.Faks = field(query, "Faks");
    party.Email = field(query, "Email");
    party.Bank = field(query, "Bank");
    party.Nr_rku = field(query, "Nr_rku");
    party.Nazwisko = field(query, "Nazwisko");
    if (withCountry) party.Kraj = field(query, "Kraj");
    return party;
}

// Where a block's or a label's text ends: its lines as the layout wraps them.
double blockBottom(const Report& report, const Element& block) {
    const Font font = block.font.value_or(report.baseFont);
    const QString text = block.kind == Element::Kind::Memo ? block.lines.join(u'\n') : block.caption;
    const int lines = int(wrapText(font, text, block.width).size());
    return block.y + std::max(lines, 1) * lineHeight(font);
}

} // namespace

void addTexts(Band& band, std::span<const Text> texts) {
    for (const Text& t : texts) {
        Element& e = band.add(label(t.name ? QString::fromLatin1(t.name) : QString(),
                                    QString::fromUtf8(t.caption), t.x, t.y))
                         .withFont(times(t.pointSize, t.style));
        shape(e, t.box, t.width, t.height);
    }
}

void addColumns(Band& band, std::span<const Column> columns, double y, double pointSize,
                const QString& namePrefix) {
    for (const Column& c : columns) {
        const QString field = QString::fromLatin1(c.field);
        Element& e = band.add(dataText(namePrefix + field, field, c.x, y)).withFont(times(pointSize));
        shape(e, c.box, c.width, 0);
    }
}

void addRules(Band& band, std::span<const Rule> rules) {
    for (const Rule& r : rules)
        band.add(hRule(r.x, r.y, r.length));
}

void placeTitle(Report& report, const QString& titleBand, const QString& copyCaption,
                const TitlePlaces& places) {
    report.band(titleBand).height = places.bandHeight;
    report.element(stampCaption).y = places.stampY;
    report.element(titleCaption).y = places.titleY;
    report.element(nrCaption).y = places.nrY;
    report.element(numberValue).y = places.numberY;
    report.element(copyCaption).y = places.copyCaptionY;
}

bool plainPaper() {
    return Form_fa10->RadioButton1->isChecked();
}

void fillHeaderRow(Report& report) {
    report.label(numberValue).caption = Form_fa1->Edit5->text();
    report.label(issueDate).caption = printoutDate(Form_fa1->DateTimePicker1->date());
    report.label(placeOfIssue).caption = Form_fa1->Edit6->text();
    report.label(paymentForm).caption = Form_fa1->ComboBox1->currentText();
    report.label(paymentTerm).caption =
        paymentTermText(Form_fa1->ComboBox4->currentText(), Form_fa1->DateTimePicker2->date());
    const QDate sale = Form_fa1->DateTimePicker3->date();
    if (Form_fa1->CheckBox1->isChecked()) {
        report.label(saleHeading).caption = QStringLiteral("Miesiąc sprzedaży");
        report.label(saleValue).caption = saleMonthText(sale);
    } else {
        report.label(saleHeading).caption = QStringLiteral("Data sprzedaży");
        report.label(saleValue).caption = printoutDate(sale);
    }
}

std::optional<PartyFields> chosenSeller() {
    return findParty(QStringLiteral("sprzedawcy"), Form_fa1->chosenSeller, false);
}

std::optional<PartyFields> chosenCustomer() {
    return findParty(QStringLiteral("kontrahenci"), Form_fa1->chosenCustomer, true);
}

void fillParty(Report& report, const QString& memo, const QStringList& block, const QStringList& bankLabels,
               const QStringList& bank) {
    report.element(memo).lines = block;
    for (int i = 0; i < bankLabels.size(); ++i)
        report.label(bankLabels.at(i)).caption = bank.value(i);
}

void BelowBlocks::add(Element& element) {
    m_top = m_elements.empty() ? element.y : std::min(m_top, element.y);
    m_elements.push_back({&element, element.y});
}

void BelowBlocks::place(const Report& report, const Element& seller, const Element& customer) {
    placeUnder(std::max(blockBottom(report, seller), blockBottom(report, customer)));
}

void BelowBlocks::place(const Report& report, const Element& above) {
    placeUnder(blockBottom(report, above));
}

void BelowBlocks::placeUnder(double bottom) {
    const double shift = std::max(0.0, bottom - m_top);
    for (const Placed& p : m_elements)
        p.element->y = p.designY + shift;
}

void addUnderWords(Band& totals, BelowBlocks& below) {
    double wordsY = 0;
    for (const Element& e : totals.elements)
        if (e.name == inWords) wordsY = e.y;
    for (Element& e : totals.elements)
        if (e.y > wordsY) below.add(e);
}

void fillOrderShippingDiscount(Report& report) {
    const QString order = Form_fa1->Edit11->text();
    report.label(orderCaption).caption = order.isEmpty() ? QString() : QStringLiteral("Zamówienie:");
    report.label(orderValue).caption = order;
    const QString shipping = Form_fa1->ComboBox7->currentText();
    report.label(shippingCaption).caption =
        shipping.isEmpty() ? QString() : QStringLiteral("Sposób wysyłki:");
    report.label(shippingValue).caption = shipping;
    const bool discount = Form_fa1->CheckBox2->isChecked();
    report.label(discountCaption).caption = discount ? QStringLiteral("Udzielono rabatu:") : QString();
    report.label(discountValue).caption =
        discount ? Form_fa1->ComboBox6->currentText() + QStringLiteral(" %") : QString();
}

QImage headerPicture() {
    const QString name =
        Form_fa10->logo->isChecked() ? QStringLiteral("logo.bmp") : QStringLiteral("tło.bmp");
    const QString path =
        tv::Database::isOpen() ? tv::Database::instance().pathFor(name) : QDir::current().filePath(name);
    try {
        return loadPicture(path);
    } catch (const tv::EFileError&) {
        return QImage();
    }
}

} // namespace invoicing::printout
