#include "invoicing/reports/vat_invoice_report.h"

#include <QLineEdit>

#include "invoicing/invoice_window.h"
#include "platform/report/layout.h"
#include "platform/report/table_source.h"

TForm_fa6* Form_fa6 = nullptr;

using namespace tv::report;
using namespace invoicing::printout;
using invoicing::Printout;

namespace {

const QString titleBand = QStringLiteral("TitleBand");
const QString copyCaption = QStringLiteral("QRLabel25");
const QString remarksFrame = QStringLiteral("remarksFrame");
const QString remarksCaption = QStringLiteral("QRLabel53");
const QString remarksText = QStringLiteral("QRLabel54");
const QStringList sellerBank = {QStringLiteral("QRLabel31"), QStringLiteral("QRLabel32"),
                                QStringLiteral("QRLabel33")};
const QStringList customerBank = {QStringLiteral("QRLabel56"), QStringLiteral("QRLabel35"),
                                  QStringLiteral("QRLabel46")};
// The receiver's signature: two heading lines and the name.
const QStringList receiverBlock = {QStringLiteral("receiverHeading"), QStringLiteral("receiverHeading2"),
                                   QStringLiteral("receiverName")};

const TitlePlaces plainPlaces{147, 29, 27, 60, 60, 90};
// Letterhead leaves room at the top for the firm's own print.
const TitlePlaces letterheadPlaces{257, 129, 127, 160, 160, 190};

const Text titleTexts[] = {
    {"stampCaption", "Pieczęć wystawcy", 32, 29, 8},
    {"titleCaption", "Faktura VAT", 475, 27, 18, Bold},
    {"nrCaption", "NR", 476, 60, 14},
    {"numberValue", "", 511, 60, 14},
    {"QRLabel25", "Oryginał", 475, 90, 12, Bold | Italic},
};

const Text headerTexts[] = {
    {nullptr, "Data wystawienia", 8, 5, 8, Italic},
    {nullptr, "Miejsce wystawienia", 160, 5, 8, Italic},
    {"saleHeading", "Data sprzedaży", 324, 5, 8, Italic},
    {nullptr, "Termin płatności", 472, 5, 8, Italic},
    {nullptr, "Forma płatności", 608, 5, 8, Italic},
    {"issueDate", "", 10, 27, 9},
    {"placeOfIssue", "", 160, 27, 9},
    {"saleValue", "", 324, 27, 9},
    {"paymentTerm", "", 472, 27, 9},
    {"paymentForm", "", 608, 27, 9},
    {nullptr, "Sprzedawca", 9, 64, 12, Bold | Italic},
    {nullptr, "Nabywca", 368, 64, 12, Bold | Italic},
    {"QRLabel31", "", 8, 167, 10, Bold | Italic},
    {"QRLabel32", "", 8, 183, 10, Bold | Italic},
    {"QRLabel33", "", 8, 199, 10, Bold | Italic},
    {"QRLabel56", "", 368, 167, 10, Bold | Italic},
    {"QRLabel35", "", 368, 183, 10, Bold | Italic},
    {"QRLabel46", "", 368, 199, 10, Bold | Italic},
    {nullptr, "Lp", 8, 232, 10},
    {nullptr, "Nazwa", 40, 232, 10},
    {nullptr, "SWW/PKWiU", 179, 232, 10},
    {nullptr, "Ilość", 272, 232, 10},
    {nullptr, "Jm", 329, 232, 10},
    {nullptr, "Cena netto", 358, 232, 10},
    {nullptr, "Wart. netto", 438, 232, 10},
    {nullptr, "VAT", 520, 232, 10},
    {nullptr, "Kwota VAT", 565, 232, 10},
    {nullptr, "Brutto", 632, 232, 10, Plain, Box::Right, 78},
};
const Rule headerRules[] = {{0, 80, 340}, {360, 80, 348}};
// The bank lines and the column headings stand under the party blocks.
constexpr double firstLineUnderBlocks = 167;

// The item rows print nothing under "Kwota VAT" and "Brutto": the per-rate
// rows fill those columns.
const Column itemColumns[] = {
    {"Lp", 11},
    {"Nazwa", 40, Box::Wrap, 169},
    {"PKWiU", 216},
    {"Ilosc", 256, Box::RightWrap, 41},
    {"Jm", 304, Box::Right, 41},
    {"Netto_jedn", 352, Box::RightWrap, 65},
    {"Netto", 416, Box::RightWrap, 82},
    {"VAT", 510, Box::RightWrap, 24},
};
constexpr double itemY = 4;
constexpr double percentX = 536;

const Column rateColumns[] = {
    {"Netto", 420, Box::Right, 78},
    {"VAT", 510, Box::Right, 24},
    {"KwotaVAT", 560, Box::Right, 73},
    {"Brutto", 632, Box::Right, 78},
};
constexpr double rateY = 2;

const Text totalsTexts[] = {
    {nullptr, "Razem:", 328, 13, 8},
    {"netTotal", "", 393, 13, 8, Plain, Box::Right, 105},
    {"vatTotal", "", 533, 13, 8, Plain, Box::Right, 100},
    {"grossTotal", "", 644, 13, 8, Plain, Box::Right, 66},
    {nullptr, "Do zapłaty:", 8, 31, 10, Italic},
    {"toPay", "", 120, 31, 12, Bold},
    {nullptr, "Słownie:", 8, 55, 10, Italic},
    {"inWords", "", inWordsX, 55, 10, Plain, Box::Wrap, inWordsWidth},
    {"discountCaption", "", 8, 79, 10, Italic},
    {"discountValue", "", 120, 79, 10},
    {"orderCaption", "", 8, 103, 10, Italic},
    {"orderValue", "", 120, 103, 10},
    {"shippingCaption", "", 8, 127, 10, Italic},
    {"shippingValue", "", 120, 127, 10},
    {"QRLabel53", "Uwagi", 495, 120, 10, Italic},
    {"QRLabel54", "", 495, 137, 9, Plain, Box::Wrap, 178, 52},
    {nullptr, "Imię i nazwisko osoby upoważnionej", 40, 150, 9, Bold},
    {nullptr, "do wystawienia faktury VAT:", 40, 165, 9, Bold},
    {"issuerName", "", 40, 186, 9},
    {"receiverHeading", "Imię i nazwisko osoby upoważnionej", 264, 150, 9, Bold},
    {"receiverHeading2", "do odbioru faktury VAT:", 264, 165, 9, Bold},
    {"receiverName", "", 264, 186, 9},
};
constexpr double remarksFrameY = 116;
constexpr double remarksFrameWidth = 193;
constexpr double remarksFrameHeight = 88;

const Text summaryTexts[] = {
    {"QRLabel42", "", 152, 70, 10, Italic, Box::CentreWrap, 413, 32},
};

} // namespace

TForm_fa6::TForm_fa6(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("Form_fa6"));
    QuickRep1.baseFont = times(10);
    QuickRep1.title = QStringLiteral("Faktura VAT");

    Band& title = QuickRep1.addBand(BandType::Title, 129, titleBand);
    title.ruleBottom = true;
    Element& image = title.add(tv::report::picture(headerImage, 283, 24, 151, 65));
    image.stretch = true;
    image.centre = true;
    addTexts(title, titleTexts);

    Band& header = QuickRep1.addBand(BandType::GroupHeader, 258, QStringLiteral("HeaderBand"));
    header.ruleBottom = true;
    addTexts(header, headerTexts);
    addRules(header, headerRules);
    header.add(memo(sellerMemo, 9, 90, 331, 78)).withFont(times(10));
    header.add(memo(customerMemo, 368, 90, 340, 79)).withFont(times(10));
    for (Element& e : header.elements)
        if (e.y >= firstLineUnderBlocks) m_belowBlocks.add(e);

    Band& items = QuickRep1.addBand(BandType::Detail, 24, QStringLiteral("DetailBand1"));
    items.source = tableSource(*Form_fa1->pozycje);
    addColumns(items, itemColumns, itemY, 8);
    items.add(label(QString(), QStringLiteral("%"), percentX, itemY)).withFont(times(8));

    Band& rateHeader = QuickRep1.addBand(BandType::GroupHeader, 28, QStringLiteral("RateHeaderBand"));
    rateHeader.add(label(QString(), QStringLiteral("Ogółem wg. stawek VAT:"), 197, 10))
        .withFont(times(10, Italic));
    rateHeader.add(hRule(352, 13, 361));

    Band& rates = QuickRep1.addBand(BandType::SubDetail, 17, QStringLiteral("RateBand"));
    rates.source = tableSource(*Form_fa1->stawkiVAT);
    addColumns(rates, rateColumns, rateY, 8, QStringLiteral("rate"));
    rates.add(label(QString(), QStringLiteral("%"), percentX, rateY)).withFont(times(8));

    Band& totals = QuickRep1.addBand(BandType::GroupFooter, 219, QStringLiteral("TotalsBand"));
    totals.add(hRule(352, 5, 361));
    totals.add(frame(remarksFrame, 488, remarksFrameY, remarksFrameWidth, remarksFrameHeight));
    addTexts(totals, totalsTexts);
    addUnderWords(totals, m_belowWords);

    Band& summary = QuickRep1.addBand(BandType::Summary, 137, QStringLiteral("SummaryBand"));
    summary.add(hRule(8, 62, 705));
    addTexts(summary, summaryTexts);
}

TForm_fa6::~TForm_fa6() = default;

void TForm_fa6::WypelnijFakture() {
    Report& r = QuickRep1;
    // 1. Paper kind.
    placeTitle(r, titleBand, copyCaption, plainPaper() ? plainPlaces : letterheadPlaces);
    // 2.-6. Number, issue date, place, payment form and term, sale.
    fillHeaderRow(r);
    // 7. The totals as the window shows them, the words and the additional text.
    r.label(QStringLiteral("netTotal")).caption = Form_fa1->Edit3->text();
    r.label(QStringLiteral("vatTotal")).caption = Form_fa1->Edit2->text();
    r.label(grossTotal).caption = Form_fa1->Edit1->text();
    r.label(toPay).caption = Form_fa1->Edit1->text();
    r.label(inWords).caption = Form_fa1->Edit4->text();
    m_belowWords.place(r, r.label(inWords));
    r.label(QStringLiteral("QRLabel42")).caption = Form_fa1->Edit7->text();
    // 8.-12. The parties the operator chose, looked up now; none leaves its
    // block, bank lines and name empty.
    const std::optional<invoicing::PartyFields> seller = chosenSeller();
    const std::optional<invoicing::PartyFields> customer = chosenCustomer();
    r.label(issuerName).caption = seller ? seller->Nazwisko : QString();
    r.label(receiverBlock.last()).caption = customer ? customer->Nazwisko : QString();
    fillParty(r, sellerMemo, seller ? sellerBlock(*seller, Printout::VatInvoice) : QStringList(), sellerBank,
              seller ? bankLines(*seller, Printout::VatInvoice) : QStringList());
    fillParty(r, customerMemo, customer ? customerBlock(*customer, Printout::VatInvoice) : QStringList(),
              customerBank, customer ? bankLines(*customer, Printout::VatInvoice) : QStringList());
    m_belowBlocks.place(r, r.element(sellerMemo), r.element(customerMemo));
    // 13., 14. and 16. Order, shipping and discount.
    fillOrderShippingDiscount(r);
    // 15. Remarks and the receiver's signature.
    fillRemarksAndReceiver();
    // 17. The picture of the title band.
    r.element(headerImage).picture = headerPicture();
    r.title = QStringLiteral("Faktura VAT %1").arg(Form_fa1->Edit5->text()).trimmed();
}

void TForm_fa6::fillRemarksAndReceiver() {
    Report& r = QuickRep1;
    const QString remarks = Form_fa1->Edit12->text();
    Element& box = r.element(remarksFrame);
    Element& caption = r.label(remarksCaption);
    Element& text = r.label(remarksText);
    double receiverX = 0;
    if (remarks.isEmpty()) {
        caption.caption.clear();
        text.caption.clear();
        box.visible = false;
        for (Element* e : {&box, &caption, &text})
            e->x = 264;
        receiverX = 504;
    } else {
        box.x = 488;
        caption.x = 495;
        text.x = 495;
        caption.caption = QStringLiteral("Uwagi");
        text.caption = remarks;
        box.visible = true;
        receiverX = 264;
    }
    // Remarks longer than the box was drawn for stretch it with them, so the
    // frame still encloses every line.
    const Font font = text.font.value_or(r.baseFont);
    const double textHeight = wrapText(font, text.caption, text.width).size() * lineHeight(font);
    box.height = remarksFrameHeight + std::max(0.0, text.y + textHeight - (text.y + text.height));
    for (const QString& name : receiverBlock)
        r.element(name).x = receiverX;
}
