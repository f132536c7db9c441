#include "invoicing/reports/bill_report.h"

#include <QLineEdit>

#include "invoicing/invoice_window.h"
#include "platform/report/table_source.h"

TForm_fa7* Form_fa7 = nullptr;

using namespace tv::report;
using namespace invoicing::printout;
using invoicing::Printout;

namespace {

const QString titleBand = QStringLiteral("TitleBand");
const QString copyCaption = QStringLiteral("QRLabel48");
const QStringList sellerBank = {QStringLiteral("QRLabel4"), QStringLiteral("QRLabel5"),
                                QStringLiteral("QRLabel7")};
const QStringList customerBank = {QStringLiteral("QRLabel8"), QStringLiteral("QRLabel9"),
                                  QStringLiteral("QRLabel10")};

const TitlePlaces plainPlaces{147, 29, 27, 60, 60, 106};
const TitlePlaces letterheadPlaces{247, 129, 127, 160, 160, 206};

const Text titleTexts[] = {
    {"stampCaption", "Pieczęć wystawcy:", 8, 29, 8},
    {"titleCaption", "Rachunek", 475, 27, 18, Bold},
    {"nrCaption", "NR", 475, 60, 14},
    {"numberValue", "", 511, 60, 14},
    {"QRLabel48", "Oryginał", 475, 106, 12, Bold | Italic},
};

const Text headerTexts[] = {
    {nullptr, "Data wystawienia", 16, 5, 8, Italic},
    {nullptr, "Miejsce wystawienia", 160, 5, 8, Italic},
    {"saleHeading", "Data sprzedaży", 320, 5, 8, Italic},
    {nullptr, "Termin płatności", 456, 5, 8, Italic},
    {nullptr, "Forma płatności", 592, 5, 8, Italic},
    {"issueDate", "", 16, 27, 9},
    {"placeOfIssue", "", 160, 27, 9},
    {"saleValue", "", 320, 27, 9},
    {"paymentTerm", "", 456, 27, 9},
    {"paymentForm", "", 592, 27, 9},
    {nullptr, "Sprzedawca", 9, 64, 12, Bold | Italic},
    {nullptr, "Nabywca", 368, 64, 12, Bold | Italic},
    {"QRLabel4", "", 8, 192, 10, Bold | Italic},
    {"QRLabel5", "", 8, 208, 10, Bold | Italic},
    {"QRLabel7", "", 8, 224, 10, Bold | Italic},
    {"QRLabel8", "", 368, 192, 10, Bold | Italic},
    {"QRLabel9", "", 368, 208, 10, Bold | Italic},
    {"QRLabel10", "", 368, 224, 10, Bold | Italic},
    {nullptr, "Lp", 8, 300, 10},
    {nullptr, "Nazwa", 48, 300, 10},
    {nullptr, "Ilość", 400, 300, 10},
    {nullptr, "Jm", 448, 300, 10},
    {nullptr, "Cena jednostkowa", 497, 300, 10},
    {nullptr, "Wartość", 666, 300, 10},
};
const Rule headerRules[] = {{0, 80, 340}, {360, 80, 348}};
constexpr double firstLineUnderBlocks = 192;

const Column itemColumns[] = {
    {"Lp", 9},
    {"Nazwa", 48, Box::Wrap, 289},
    {"Ilosc", 360, Box::Right, 68},
    {"Jm", 432, Box::Right, 33},
    {"Netto_jedn", 488, Box::Right, 108},
    {"Brutto", 616, Box::Right, 98},
};
constexpr double itemY = 2;

const Text totalsTexts[] = {
    {nullptr, "Razem wartość:", 472, 5, 12, Italic},
    {"grossTotal", "", 577, 21, 12, Plain, Box::Right, 136},
    {nullptr, "Do zapłaty:", 8, 47, 10, Italic},
    {"toPay", "", 120, 47, 10, Bold},
    {nullptr, "Słownie:", 8, 71, 10, Italic},
    {"inWords", "", inWordsX, 71, 10, Plain, Box::Wrap, inWordsWidth},
    {"discountCaption", "", 8, 95, 10, Italic},
    {"discountValue", "", 120, 95, 10},
    {"orderCaption", "", 8, 119, 10, Italic},
    {"orderValue", "", 120, 119, 10},
    {"shippingCaption", "", 8, 143, 10, Italic},
    {"shippingValue", "", 120, 143, 10},
    {nullptr, "Imię i nazwisko osoby wystawiającej:", 48, 174, 9, Bold},
    {"issuerName", "", 48, 194, 9},
    {"QRLabel82", "", 120, 262, 12, Italic, Box::CentreWrap, 481, 76},
};
const Rule totalsRules[] = {{577, 13, 136}, {8, 246, 705}};

} // namespace

TForm_fa7::TForm_fa7(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("Form_fa7"));
    QuickRep1.baseFont = times(10);
    QuickRep1.title = QStringLiteral("Rachunek");

    Band& title = QuickRep1.addBand(BandType::Title, 139, titleBand);
    title.ruleBottom = true;
    Element& image = title.add(tv::report::picture(headerImage, 283, 32, 152, 65));
    image.stretch = true;
    image.centre = true;
    addTexts(title, titleTexts);

    Band& header = QuickRep1.addBand(BandType::GroupHeader, 318, QStringLiteral("HeaderBand"));
    header.ruleBottom = true;
    addTexts(header, headerTexts);
    addRules(header, headerRules);
    header.add(memo(sellerMemo, 9, 90, 328, 79)).withFont(times(10));
    header.add(memo(customerMemo, 368, 90, 337, 79)).withFont(times(10));
    for (Element& e : header.elements)
        if (e.y >= firstLineUnderBlocks) m_belowBlocks.add(e);

    Band& items = QuickRep1.addBand(BandType::Detail, 17, QStringLiteral("DetailBand1"));
    items.source = tableSource(*Form_fa1->pozycje);
    addColumns(items, itemColumns, itemY, 8);

    Band& totals = QuickRep1.addBand(BandType::GroupFooter, 440, QStringLiteral("TotalsBand"));
    addRules(totals, totalsRules);
    addTexts(totals, totalsTexts);
    addUnderWords(totals, m_belowWords);
}

TForm_fa7::~TForm_fa7() = default;

void TForm_fa7::WypelnijRachunek() {
    Report& r = QuickRep1;
    // 1. Paper kind.
    placeTitle(r, titleBand, copyCaption, plainPaper() ? plainPlaces : letterheadPlaces);
    // 2.-6. Number, issue date, place, payment form and term, sale.
    fillHeaderRow(r);
    // 7. The gross total as the window shows it, twice, the words and the additional text.
    r.label(grossTotal).caption = Form_fa1->Edit1->text();
    r.label(toPay).caption = Form_fa1->Edit1->text();
    r.label(inWords).caption = Form_fa1->Edit4->text();
    m_belowWords.place(r, r.label(inWords));
    r.label(QStringLiteral("QRLabel82")).caption = Form_fa1->Edit7->text();
    // 8.-12. The issuer and the parties the operator chose, looked up now.
    const std::optional<invoicing::PartyFields> seller = chosenSeller();
    const std::optional<invoicing::PartyFields> customer = chosenCustomer();
    r.label(issuerName).caption = seller ? seller->Nazwisko : QString();
    fillParty(r, sellerMemo, seller ? sellerBlock(*seller, Printout::Bill) : QStringList(), sellerBank,
              seller ? bankLines(*seller, Printout::Bill) : QStringList());
    fillParty(r, customerMemo, customer ? customerBlock(*customer, Printout::Bill) : QStringList(),
              customerBank, customer ? bankLines(*customer, Printout::Bill) : QStringList());
    m_belowBlocks.place(r, r.element(sellerMemo), r.element(customerMemo));
    // 13., 14. and 16. Order, shipping and discount; the bill prints no remarks.
    fillOrderShippingDiscount(r);
    // 17. The picture of the title band.
    r.element(headerImage).picture = headerPicture();
    r.title = QStringLiteral("Rachunek %1").arg(Form_fa1->Edit5->text()).trimmed();
}
