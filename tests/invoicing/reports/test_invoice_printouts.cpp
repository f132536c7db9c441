#include <gtest/gtest.h>

#include <functional>

#include <QFile>
#include <QImage>

#include "invoicing/rules/amount_in_words.h"
#include "invoicing/reports/printout_fixture.h"
#include "platform/report/layout.h"

using namespace tv::report;
using tvtest::firstText;
using tvtest::textOf;

namespace {

// Band tops of the VAT invoice on plain paper with three single-line items:
// title 147, header 258, items 24 each, per-rate header 28, rates 17 each,
// totals 219, summary 137.
constexpr double invoiceHeaderTop = 147;
constexpr double invoiceItemsTop = 405;
constexpr double invoiceRateHeaderTop = 477;
constexpr double invoiceRatesTop = 505;
constexpr double invoiceTotalsTop = 556;
constexpr double invoiceSummaryTop = 775;
// The bill: title 147, header 318, items 17 each, totals 440.
constexpr double billHeaderTop = 147;
constexpr double billItemsTop = 465;
constexpr double billTotalsTop = 516;

struct Placed {
    const char* name;
    const char* text;
    double x; // left edge, or right edge for right-aligned boxes
    double y; // from the top of the page's printable area
    double pointSize;
    int style = Plain;
    bool right = false;
};

void expectPlaced(const LaidOutPage& page, const Placed& p, const QString& text) {
    SCOPED_TRACE(p.name);
    const LaidOutItem* item = firstText(page, QString::fromLatin1(p.name));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(textOf(page, QString::fromLatin1(p.name)), text);
    EXPECT_NEAR(p.right ? item->rect.right() : item->rect.left(), p.x, 0.01);
    EXPECT_NEAR(item->rect.top(), p.y, 0.01);
    EXPECT_EQ(item->font.family, "Times New Roman");
    EXPECT_EQ(item->font.pointSize, p.pointSize);
    EXPECT_EQ(item->font.bold, bool(p.style & Bold));
    EXPECT_EQ(item->font.italic, bool(p.style & Italic));
}

// A caption at its place in its font.
struct Caption {
    const char* text;
    double x;
    double y;
    double pointSize;
    int style = Plain;
    bool right = false;
};

void expectCaptions(const LaidOutPage& page, std::initializer_list<Caption> captions) {
    for (const Caption& c : captions) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromUtf8(c.text);
        const LaidOutItem* found = nullptr;
        for (const LaidOutItem& item : page.items)
            if (item.kind == LaidOutItem::Kind::Text && item.text == text &&
                qAbs(item.rect.top() - c.y) < 0.01 &&
                qAbs((c.right ? item.rect.right() : item.rect.left()) - c.x) < 0.01)
                found = &item;
        ASSERT_NE(found, nullptr) << c.x << ", " << c.y;
        EXPECT_EQ(found->font.pointSize, c.pointSize);
        EXPECT_EQ(found->font.bold, bool(c.style & Bold));
        EXPECT_EQ(found->font.italic, bool(c.style & Italic));
    }
}

bool hasRule(const LaidOutPage& page, double x, double y, double length) {
    for (const LaidOutItem& item : page.items)
        if (item.kind == LaidOutItem::Kind::Line && qAbs(item.rect.left() - x) < 0.01 &&
            qAbs(item.rect.top() - y) < 0.51 && qAbs(item.rect.width() - length) < 0.5)
            return true;
    return false;
}

// The items a data band printed for one field, top to bottom.
QVector<const LaidOutItem*> column(const LaidOutPage& page, const char* name) {
    QVector<const LaidOutItem*> items;
    for (const LaidOutItem* item : page.itemsNamed(QString::fromLatin1(name)))
        if (item->kind == LaidOutItem::Kind::Text) items.append(item);
    std::sort(items.begin(), items.end(), [](auto* a, auto* b) { return a->rect.top() < b->rect.top(); });
    return items;
}

QStringList columnTexts(const LaidOutPage& page, const char* name) {
    QStringList texts;
    for (const LaidOutItem* item : column(page, name))
        texts << item->text;
    return texts;
}

double lineOf(double pointSize) {
    return lineHeight(timesNewRoman(pointSize));
}

void writeBmp(const QString& path, const QSize& size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "BMP"));
}

const LaidOutItem* pictureItem(const LaidOutPage& page) {
    for (const LaidOutItem* item : page.itemsNamed("QRImage1"))
        if (item->kind == LaidOutItem::Kind::Image) return item;
    return nullptr;
}

} // namespace

class VatInvoicePrintout : public tvtest::InvoiceFixture {};

// ---- the VAT invoice ---------------------------------------------------------------

TEST_F(VatInvoicePrintout, EveryValueLabelShowsTheWindowAtItsPlace) {
    const QVector<LaidOutPage> pages = invoicePages();
    ASSERT_EQ(pages.size(), 1);
    const LaidOutPage& page = pages.first();
    const double h = invoiceHeaderTop, t = invoiceTotalsTop;
    const Placed labels[] = {
        {"numberValue", "7/03/2024", 511, 60, 14},
        {"QRLabel25", "Oryginał", 475, 90, 12, Bold | Italic},
        {"issueDate", "5/03/2024", 10, h + 27, 9},
        {"placeOfIssue", "Kraków", 160, h + 27, 9},
        {"saleHeading", "Data sprzedaży", 324, h + 5, 8, Italic},
        {"saleValue", "4/03/2024", 324, h + 27, 9},
        {"paymentTerm", "14 dni", 472, h + 27, 9},
        {"paymentForm", "przelewem", 608, h + 27, 9},
        {"QRLabel31", "Nr rachunku bankowego", 8, h + 167, 10, Bold | Italic},
        {"QRLabel32", "PKO BP S.A.", 8, h + 183, 10, Bold | Italic},
        {"QRLabel33", "12 1020 2892 0000 5102 0123 4567", 8, h + 199, 10, Bold | Italic},
        {"QRLabel56", "Nr rachunku bankowego", 368, h + 167, 10, Bold | Italic},
        {"QRLabel35", "mBank", 368, h + 183, 10, Bold | Italic},
        {"QRLabel46", "34 1140 0000 1111 2222 3333 4444", 368, h + 199, 10, Bold | Italic},
        {"toPay", "", 120, t + 31, 12, Bold},
        {"inWords", "trzy tysiące pięćset dwa zł 00\\100", 120, t + 55, 10},
        {"issuerName", "Jan Kowalski", 40, t + 186, 9},
        {"receiverName", "Agata Nowak", 504, t + 186, 9},
        {"netTotal", "", 498, t + 13, 8, Plain, true},
        {"vatTotal", "", 633, t + 13, 8, Plain, true},
        {"grossTotal", "", 710, t + 13, 8, Plain, true},
    };
    const QMap<QString, QString> totals = {{"toPay", money("3502")},
                                           {"netTotal", money("3250")},
                                           {"vatTotal", money("252")},
                                           {"grossTotal", money("3502")}};
    for (const Placed& p : labels)
        expectPlaced(page, p, totals.value(QString::fromLatin1(p.name), QString::fromUtf8(p.text)));

    // The additional text is centred in its box.
    const LaidOutItem* extra = firstText(page, "QRLabel42");
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->text, "Dziękujemy");
    EXPECT_NEAR(extra->rect.center().x(), 152 + 413 / 2.0, 0.01);
    EXPECT_NEAR(extra->rect.top(), invoiceSummaryTop + 70, 0.01);
    EXPECT_TRUE(extra->font.italic);
    EXPECT_EQ(extra->font.pointSize, 10);
}

TEST_F(VatInvoicePrintout, PartyBlocksPrintLineByLine) {
    const LaidOutPage page = invoicePages().first();
    const QStringList seller = {"Drukarnia Tarvelino Sp. z o.o.", "ul. Długa 5, 30-001 Kraków",
                                "NIP: 676-10-20-300 \u2022 REGON: 350123456",
                                "tel. 12 411 22 33 \u2022 Fax: 12 411 22 34", "Email: biuro@tarvelino.pl"};
    const QStringList customer = {"Agencja Reklamowa „Aga”", "ul. Polna 12, 00-950 Warszawa",
                                  "NIP: 525-000-11-22", "tel. 22 600 70 80"};
    EXPECT_EQ(columnTexts(page, "QRMemo1"), seller);
    EXPECT_EQ(columnTexts(page, "QRMemo2"), customer);
    const QVector<const LaidOutItem*> lines = column(page, "QRMemo1");
    for (int i = 0; i < lines.size(); ++i) {
        EXPECT_NEAR(lines[i]->rect.left(), 9, 0.01);
        EXPECT_NEAR(lines[i]->rect.top(), invoiceHeaderTop + 90 + i * lineOf(10), 0.01);
        EXPECT_EQ(lines[i]->font.pointSize, 10);
    }
    EXPECT_NEAR(column(page, "QRMemo2").first()->rect.left(), 368, 0.01);
}

TEST_F(VatInvoicePrintout, FixedCaptionsAndRulesStandAtTheirPlaces) {
    const LaidOutPage page = invoicePages().first();
    const double h = invoiceHeaderTop, t = invoiceTotalsTop;
    expectCaptions(page, {
                             {"Pieczęć wystawcy", 32, 29, 8},
                             {"Faktura VAT", 475, 27, 18, Bold},
                             {"NR", 476, 60, 14},
                             {"Data wystawienia", 8, h + 5, 8, Italic},
                             {"Miejsce wystawienia", 160, h + 5, 8, Italic},
                             {"Termin płatności", 472, h + 5, 8, Italic},
                             {"Forma płatności", 608, h + 5, 8, Italic},
                             {"Sprzedawca", 9, h + 64, 12, Bold | Italic},
                             {"Nabywca", 368, h + 64, 12, Bold | Italic},
                             {"Lp", 8, h + 232, 10},
                             {"Nazwa", 40, h + 232, 10},
                             {"SWW/PKWiU", 179, h + 232, 10},
                             {"Ilość", 272, h + 232, 10},
                             {"Jm", 329, h + 232, 10},
                             {"Cena netto", 358, h + 232, 10},
                             {"Wart. netto", 438, h + 232, 10},
                             {"VAT", 520, h + 232, 10},
                             {"Kwota VAT", 565, h + 232, 10},
                             {"Brutto", 710, h + 232, 10, Plain, true},
                             {"Ogółem wg. stawek VAT:", 197, invoiceRateHeaderTop + 10, 10, Italic},
                             {"Razem:", 328, t + 13, 8},
                             {"Do zapłaty:", 8, t + 31, 10, Italic},
                             {"Słownie:", 8, t + 55, 10, Italic},
                             {"Imię i nazwisko osoby upoważnionej", 40, t + 150, 9, Bold},
                             {"do wystawienia faktury VAT:", 40, t + 165, 9, Bold},
                             {"Imię i nazwisko osoby upoważnionej", 504, t + 150, 9, Bold},
                             {"do odbioru faktury VAT:", 504, t + 165, 9, Bold},
                         });
    const double width = page.contentSize.width();
    EXPECT_TRUE(hasRule(page, 0, invoiceHeaderTop, width)); // under the title band
    EXPECT_TRUE(hasRule(page, 0, invoiceItemsTop, width));  // under the header band
    EXPECT_TRUE(hasRule(page, 0, h + 80, 340));             // under "Sprzedawca"
    EXPECT_TRUE(hasRule(page, 360, h + 80, 348));           // under "Nabywca"
    EXPECT_TRUE(hasRule(page, 352, invoiceRateHeaderTop + 13, 361));
    EXPECT_TRUE(hasRule(page, 352, t + 5, 361));
    EXPECT_TRUE(hasRule(page, 8, invoiceSummaryTop + 62, 705));
    EXPECT_EQ(tvtest::overlappingTexts(page), QStringList());
}

TEST_F(VatInvoicePrintout, ItemRowsAndRateRowsPrintTheTablesInTheirColumns) {
    const LaidOutPage page = invoicePages().first();
    struct Cell {
        const char* name;
        double x;
        bool right;
        QStringList texts;
    };
    const Cell items[] = {
        {"Lp", 11, false, {"1", "2", "3"}},
        {"Nazwa", 40, false, {"Ulotki A5 kolorowe", "Katalog firmowy", "Projekt graficzny"}},
        {"PKWiU", 216, false, {"58.19.1", "58.11.1"}},
        {"Ilosc", 297, true, {"1000", "200", "1"}},
        {"Jm", 345, true, {"szt.", "szt.", "usł."}},
        {"Netto_jedn", 417, true, {money("0,35"), money("12,5"), money("400")}},
        {"Netto", 498, true, {money("350"), money("2500"), money("400")}},
        {"VAT", 534, true, {"22", "7", "zw."}},
    };
    for (const Cell& c : items) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(columnTexts(page, c.name), c.texts);
        for (const LaidOutItem* item : column(page, c.name)) {
            EXPECT_NEAR(c.right ? item->rect.right() : item->rect.left(), c.x, 0.01);
            EXPECT_EQ(item->font.pointSize, 8);
        }
    }
    const QVector<const LaidOutItem*> lp = column(page, "Lp");
    for (int i = 0; i < lp.size(); ++i)
        EXPECT_NEAR(lp[i]->rect.top(), invoiceItemsTop + 4 + 24 * i, 0.01);

    const Cell rates[] = {
        {"rateNetto", 498, true, {money("350"), money("2500"), money("400")}},
        {"rateVAT", 534, true, {"22", "7", "zw."}},
        {"rateKwotaVAT", 633, true, {money("77"), money("175"), money("0")}},
        {"rateBrutto", 710, true, {money("427"), money("2675"), money("400")}},
    };
    for (const Cell& c : rates) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(columnTexts(page, c.name), c.texts);
        const QVector<const LaidOutItem*> cells = column(page, c.name);
        for (int i = 0; i < cells.size(); ++i) {
            EXPECT_NEAR(cells[i]->rect.right(), c.x, 0.01);
            EXPECT_NEAR(cells[i]->rect.top(), invoiceRatesTop + 2 + 17 * i, 0.01);
        }
    }
    // A fixed "%" after every rate, the exempt one too, on the item and the rate rows.
    int percents = 0;
    for (const LaidOutItem& item : page.items)
        if (item.kind == LaidOutItem::Kind::Text && item.text == "%") {
            ++percents;
            EXPECT_NEAR(item.rect.left(), 536, 0.01);
        }
    EXPECT_EQ(percents, 6);
}

TEST_F(VatInvoicePrintout, TheTotalsPrintTheWindowsTextsAsTheyStand) {
    setText(Form_fa1->Edit3, "netto jak w oknie");
    setText(Form_fa1->Edit2, "12,3");
    setText(Form_fa1->Edit1, "1 000,00 zł");
    setText(Form_fa1->Edit4, "tysiąc zł 00\\100");
    const LaidOutPage page = invoicePages().first();
    EXPECT_EQ(textOf(page, "netTotal"), "netto jak w oknie");
    EXPECT_EQ(textOf(page, "vatTotal"), "12,3");
    EXPECT_EQ(textOf(page, "grossTotal"), "1 000,00 zł");
    EXPECT_EQ(textOf(page, "toPay"), "1 000,00 zł");
    EXPECT_EQ(textOf(page, "inWords"), "tysiąc zł 00\\100");
}

TEST_F(VatInvoicePrintout, HeaderRowFollowsTheSaleMonthAndTheTermInne) {
    struct Case {
        bool month;
        QDate sale;
        const char* term;
        const char* heading;
        const char* saleText;
        const char* termText;
    };
    const Case cases[] = {
        {true, QDate(2024, 12, 1), "Inne", "Miesiąc sprzedaży", "grudzień 2024", "19/03/2024"},
        {false, QDate(2024, 12, 1), "9/04/2024", "Data sprzedaży", "1/12/2024", "9/04/2024"},
        {true, QDate(2025, 1, 31), "Zgodnie z umową", "Miesiąc sprzedaży", "styczeń 2025", "Zgodnie z umową"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saleText);
        setChecked(Form_fa1->CheckBox1, c.month);
        setDate(Form_fa1->DateTimePicker3, c.sale);
        setText(Form_fa1->ComboBox4, QString::fromUtf8(c.term));
        for (const LaidOutPage& page : {invoicePages().first(), billPages().first()}) {
            EXPECT_EQ(textOf(page, "saleHeading"), QString::fromUtf8(c.heading));
            EXPECT_EQ(textOf(page, "saleValue"), QString::fromUtf8(c.saleText));
            EXPECT_EQ(textOf(page, "paymentTerm"), QString::fromUtf8(c.termText));
        }
    }
}

TEST_F(VatInvoicePrintout, OrderShippingAndDiscountPrintOnlyWhenGiven) {
    setText(Form_fa1->Edit11, "ZAM/12/2024");
    setText(Form_fa1->ComboBox7, "Poczta");
    setChecked(Form_fa1->CheckBox2, true);
    setText(Form_fa1->ComboBox6, "15");
    for (const LaidOutPage& page : {invoicePages().first(), billPages().first()}) {
        EXPECT_EQ(textOf(page, "orderCaption"), "Zamówienie:");
        EXPECT_EQ(textOf(page, "orderValue"), "ZAM/12/2024");
        EXPECT_EQ(textOf(page, "shippingCaption"), "Sposób wysyłki:");
        EXPECT_EQ(textOf(page, "shippingValue"), "Poczta");
        EXPECT_EQ(textOf(page, "discountCaption"), "Udzielono rabatu:");
        EXPECT_EQ(textOf(page, "discountValue"), "15 %");
    }
    const LaidOutPage invoice = invoicePages().first();
    EXPECT_NEAR(firstText(invoice, "discountCaption")->rect.topLeft().y(), invoiceTotalsTop + 79, 0.01);
    EXPECT_NEAR(firstText(invoice, "orderValue")->rect.left(), 120, 0.01);
    EXPECT_NEAR(firstText(invoice, "shippingValue")->rect.top(), invoiceTotalsTop + 127, 0.01);

    // The next fill leaves nothing of these behind.
    setText(Form_fa1->Edit11, "");
    setText(Form_fa1->ComboBox7, "");
    setChecked(Form_fa1->CheckBox2, false);
    for (const LaidOutPage& page : {invoicePages().first(), billPages().first()})
        for (const char* name : {"orderCaption", "orderValue", "shippingCaption", "shippingValue",
                                 "discountCaption", "discountValue"})
            EXPECT_TRUE(page.itemsNamed(name).isEmpty()) << name;
}

// The words of a large total run over one line: they wrap before the right
// margin and push the texts under them down, on the invoice and on the bill.
TEST_F(VatInvoicePrintout, ALongAmountInWordsWrapsWithinThePageAndPushesTheRestDown) {
    setText(Form_fa1->Edit11, "ZAM/12/2024");
    setText(Form_fa1->ComboBox7, "Poczta");
    setChecked(Form_fa1->CheckBox2, true);
    setText(Form_fa1->Edit12, "Płatne po odbiorze");
    const QString words = invoicing::amountInWords(tv::StrToCurr("777777777777,77"), "zł");
    const struct {
        const char* printout;
        std::function<QVector<LaidOutPage>()> pages;
    } printouts[] = {{"Faktura VAT", invoicePages}, {"Rachunek", billPages}};
    for (const auto& printout : printouts) {
        SCOPED_TRACE(printout.printout);
        const LaidOutPage shortWords = printout.pages().last();
        setText(Form_fa1->Edit4, words);
        const LaidOutPage page = printout.pages().last();
        setText(Form_fa1->Edit4, QStringLiteral("trzy tysiące pięćset dwa zł 00\\100"));

        const QVector<const LaidOutItem*> lines = column(page, "inWords");
        ASSERT_EQ(lines.size(), 2);
        QStringList texts;
        for (const LaidOutItem* line : lines) {
            EXPECT_NEAR(line->rect.left(), 120, 0.01);
            EXPECT_LE(line->rect.right(), page.contentSize.width());
            texts << line->text;
        }
        EXPECT_EQ(texts.join(u' '), words.trimmed());
        EXPECT_EQ(tvtest::overlappingTexts(page), QStringList());
        const double pushed = firstText(page, "discountCaption")->rect.top() -
                              firstText(shortWords, "discountCaption")->rect.top();
        EXPECT_GT(pushed, 0);
        EXPECT_GE(firstText(page, "discountCaption")->rect.top() + 0.01, lines.last()->rect.bottom());
        EXPECT_NEAR(firstText(page, "issuerName")->rect.top() - firstText(shortWords, "issuerName")->rect.top(),
                    pushed, 0.01);
        // The next fill with a short text puts them back.
        EXPECT_EQ(firstText(printout.pages().last(), "discountCaption")->rect.top(),
                  firstText(shortWords, "discountCaption")->rect.top());
    }
}

TEST_F(VatInvoicePrintout, RemarksStandInAFrameAtTheRightAndMoveTheReceiverBack) {
    const double t = invoiceTotalsTop;
    auto frames = [](const LaidOutPage& page) {
        QVector<QRectF> out;
        for (const LaidOutItem& item : page.items)
            if (item.kind == LaidOutItem::Kind::Rect) out << item.rect;
        return out;
    };
    // No remarks: no frame, the receiver's signature at the right.
    LaidOutPage page = invoicePages().first();
    EXPECT_TRUE(frames(page).isEmpty());
    EXPECT_TRUE(page.itemsNamed("QRLabel53").isEmpty());
    EXPECT_NEAR(firstText(page, "receiverName")->rect.left(), 504, 0.01);

    setText(Form_fa1->Edit12, "Odbiór osobisty");
    page = invoicePages().first();
    ASSERT_EQ(frames(page).size(), 1);
    EXPECT_EQ(frames(page).first(), QRectF(488, t + 116, 193, 88));
    expectPlaced(page, {"QRLabel53", "", 495, t + 120, 10, Italic}, "Uwagi");
    expectPlaced(page, {"QRLabel54", "", 495, t + 137, 9}, "Odbiór osobisty");
    expectCaptions(page, {{"Imię i nazwisko osoby upoważnionej", 264, t + 150, 9, Bold},
                          {"do odbioru faktury VAT:", 264, t + 165, 9, Bold}});
    EXPECT_NEAR(firstText(page, "receiverName")->rect.left(), 264, 0.01);
    EXPECT_EQ(tvtest::overlappingTexts(page), QStringList());

    // Remarks longer than the frame was drawn for stretch it: every line stays inside.
    setText(Form_fa1->Edit12,
            QString("Towar odebrano osobiście, płatność przelewem w terminie. ").repeated(3));
    page = invoicePages().first();
    const QVector<const LaidOutItem*> lines = column(page, "QRLabel54");
    ASSERT_GE(lines.size(), 5);
    const QRectF frame = frames(page).first();
    for (const LaidOutItem* line : lines) {
        EXPECT_LE(line->rect.right(), 495 + 178.01);
        EXPECT_LE(line->rect.bottom(), frame.bottom());
    }

    // And back: the next invoice without remarks shows none of them.
    setText(Form_fa1->Edit12, "");
    page = invoicePages().first();
    EXPECT_TRUE(frames(page).isEmpty());
    EXPECT_TRUE(page.itemsNamed("QRLabel54").isEmpty());
    EXPECT_NEAR(firstText(page, "receiverName")->rect.left(), 504, 0.01);
}

TEST_F(VatInvoicePrintout, LongNamesWrapInTheirColumnAndPushTheNextRowsDown) {
    clearLines();
    const QString longName =
        "Książka „Dzieje miasta Krakowa” w twardej oprawie z obwolutą, wkładką mapową i tasiemką";
    addLine(longName, "58.11.1", "1250,5", "egz.", "1234,5", "22");
    addLine("Zakładka", "", "1", "szt.", "1", "22");
    recompute();
    const LaidOutPage page = invoicePages().first();
    const QVector<const LaidOutItem*> name = column(page, "Nazwa");
    ASSERT_GE(name.size(), 4); // at least three lines of the first name, one of the second
    QStringList firstName;
    for (int i = 0; i + 1 < name.size(); ++i) {
        EXPECT_NEAR(name[i]->rect.left(), 40, 0.01);
        EXPECT_LE(name[i]->rect.width(), 169.01);
        firstName << name[i]->text;
    }
    EXPECT_EQ(firstName.join(' '), longName);
    // The first row grew by its extra lines; the second starts below it.
    const int extraLines = int(name.size()) - 2;
    EXPECT_NEAR(column(page, "Lp")[1]->rect.top(), invoiceItemsTop + 24 + extraLines * lineOf(8) + 4, 0.01);
    // Wide amounts wrap inside their boxes instead of running into the next column.
    for (const char* field : {"Ilosc", "Netto_jedn", "Netto"})
        for (const LaidOutItem* item : column(page, field))
            EXPECT_GE(
                item->rect.left(),
                (QMap<QString, double>{{"Ilosc", 256}, {"Netto_jedn", 352}, {"Netto", 416}}).value(field) -
                    0.01)
                << field;
    EXPECT_EQ(tvtest::overlappingTexts(page), QStringList());
}

TEST_F(VatInvoicePrintout, ABlockThatWrapsPushesTheBankLinesAndHeadingsDown) {
    tv::Table sellers(QStringLiteral("sprzedawcy.db"));
    sellers.open();
    tvtest::addRow(sellers,
                   {{"Id", "DLUGA"},
                    {"Nr", "3"},
                    {"Firma", "Przedsiębiorstwo Poligraficzno-Wydawnicze „Tarvelino” spółka z ograniczoną "
                              "odpowiedzialnością spółka komandytowa"},
                    {"Ulica", "ul. Księcia Józefa Poniatowskiego 123/45"},
                    {"Kod", "30-001"},
                    {"Miejscowosc", "Kraków-Nowa Huta"},
                    {"NIP", "676-10-20-300"},
                    {"REGON", "350123456"},
                    {"Telefon", "12 411 22 33"},
                    {"Faks", "12 411 22 34"},
                    {"Email", "biuro@tarvelino.pl"},
                    {"Bank", "PKO BP"},
                    {"Nr_rku", "12 3456"}});
    Form_fa1->chosenSeller = 3;
    for (const LaidOutPage& page : {invoicePages().first(), billPages().first()}) {
        const QVector<const LaidOutItem*> block = column(page, "QRMemo1");
        ASSERT_GE(block.size(), 7);
        const double blockBottom = block.last()->rect.bottom();
        const bool invoice = page.findText("Faktura VAT");
        const QString bankHeading = invoice ? "QRLabel31" : "QRLabel4";
        const LaidOutItem* bank = firstText(page, bankHeading);
        ASSERT_NE(bank, nullptr);
        // Right under the block's last line, or at its design place when the block ends above it.
        const double designTop = billHeaderTop + (invoice ? 167 : 192);
        EXPECT_NEAR(bank->rect.top(), std::max(designTop, blockBottom), 0.01) << invoice;
        EXPECT_GT(blockBottom, invoiceHeaderTop + 90 + 79);
        const LaidOutItem* lp = page.findText("Lp");
        ASSERT_NE(lp, nullptr);
        EXPECT_NEAR(lp->rect.top() - bank->rect.top(), invoice ? 232 - 167 : 300 - 192, 0.01);
        EXPECT_EQ(tvtest::overlappingTexts(page), QStringList()) << invoice;
    }
    // A block that fits keeps the design places.
    Form_fa1->chosenSeller = 1;
    EXPECT_NEAR(firstText(invoicePages().first(), "QRLabel31")->rect.top(), invoiceHeaderTop + 167, 0.01);
}

TEST_F(VatInvoicePrintout, LetterheadMovesOnlyTheTitleBand) {
    const LaidOutPage plain = invoicePages().first();
    Form_fa10->RadioButton2->setChecked(true);
    const LaidOutPage letterhead = invoicePages().first();
    struct Title {
        const char* text;
        double plainY;
    };
    for (const Title& t : {Title{"Pieczęć wystawcy", 29}, Title{"Faktura VAT", 27}, Title{"NR", 60},
                           Title{"7/03/2024", 60}, Title{"Oryginał", 90}}) {
        SCOPED_TRACE(t.text);
        ASSERT_NE(plain.findText(QString::fromUtf8(t.text)), nullptr);
        EXPECT_NEAR(plain.findText(QString::fromUtf8(t.text))->rect.top(), t.plainY, 0.01);
        EXPECT_NEAR(letterhead.findText(QString::fromUtf8(t.text))->rect.top(), t.plainY + 100, 0.01);
    }
    // Everything under the title band stands 110 lower on letterhead.
    const LaidOutItem* lp = plain.findText("Lp");
    EXPECT_NEAR(letterhead.findText("Lp")->rect.top() - lp->rect.top(), 110, 0.01);
    EXPECT_NEAR(firstText(letterhead, "QRLabel42")->rect.top() - firstText(plain, "QRLabel42")->rect.top(),
                110, 0.01);
    EXPECT_TRUE(hasRule(letterhead, 0, 257, letterhead.contentSize.width()));
    // The picture keeps its place.
    writeBmp(workingFolder() + "/tło.bmp", QSize(40, 20), Qt::gray);
    EXPECT_EQ(pictureItem(invoicePages().first())->rect, QRectF(283, 24, 151, 65));
}

TEST_F(VatInvoicePrintout, TheTitlePictureIsTheLogoOrTheBackgroundAndAMissingOneLeavesTheBoxEmpty) {
    writeBmp(workingFolder() + "/logo.bmp", QSize(300, 100), Qt::red);
    writeBmp(workingFolder() + "/tło.bmp", QSize(60, 20), Qt::blue);
    struct Case {
        bool logo;
        QColor colour;
    };
    for (const Case& c : {Case{true, Qt::red}, Case{false, Qt::blue}}) {
        setChecked(Form_fa10->logo, c.logo);
        for (const LaidOutPage& page : {invoicePages().first(), billPages().first()}) {
            const LaidOutItem* image = pictureItem(page);
            ASSERT_NE(image, nullptr);
            const bool invoice = page.findText("Faktura VAT");
            // Stretched to the whole box.
            EXPECT_EQ(image->rect, invoice ? QRectF(283, 24, 151, 65) : QRectF(283, 32, 152, 65));
            EXPECT_EQ(image->source, QRectF(image->image.rect()));
            EXPECT_EQ(image->image.pixelColor(0, 0), c.colour);
        }
    }
    // Missing, then a file that is no picture: the box stays empty and the
    // printout still has every text.
    setChecked(Form_fa10->logo, true);
    ASSERT_TRUE(QFile::remove(workingFolder() + "/logo.bmp"));
    for (int round = 0; round < 2; ++round) {
        for (const LaidOutPage& page : {invoicePages().first(), billPages().first()}) {
            EXPECT_EQ(pictureItem(page), nullptr);
            EXPECT_EQ(textOf(page, "numberValue"), "7/03/2024");
            EXPECT_EQ(textOf(page, "issuerName"), "Jan Kowalski");
        }
        QFile broken(workingFolder() + "/logo.bmp");
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("BM this is not a bitmap");
    }
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(VatInvoicePrintout, PartiesComeFromTheChosenRowsWhereverTheCursorsStand) {
    // The window's cursors stand on the first rows; the invoice names the
    // second ones. (An address of empty fields prints as its comma.)
    Form_fa1->sprzedawcy->first();
    Form_fa1->kontrahenci->first();
    Form_fa1->chosenSeller = 2;
    Form_fa1->chosenCustomer = 2;
    const LaidOutPage page = invoicePages().first();
    EXPECT_EQ(columnTexts(page, "QRMemo1"), QStringList({"Inny Sprzedawca", ","}));
    EXPECT_EQ(columnTexts(page, "QRMemo2"),
              QStringList({"Borys GmbH", "Hauptstraße 1, 10115 Berlin Niemcy"}));
    EXPECT_EQ(textOf(page, "issuerName"), "Adam Inny");
    EXPECT_EQ(textOf(page, "receiverName"), "Borys Müller");
    // Neither has a bank: all six bank lines are empty.
    for (const char* name : {"QRLabel31", "QRLabel32", "QRLabel33", "QRLabel56", "QRLabel35", "QRLabel46"})
        EXPECT_TRUE(page.itemsNamed(name).isEmpty()) << name;
    // The fill moved no cursor.
    EXPECT_EQ(Form_fa1->sprzedawcy->recNo(), 1);
    EXPECT_EQ(Form_fa1->kontrahenci->recNo(), 1);
}

TEST_F(VatInvoicePrintout, NoCustomerOrAVanishedOneLeavesTheBuyerEmpty) {
    for (const std::optional<int> customer : {std::optional<int>(), std::optional<int>(99)}) {
        Form_fa1->chosenCustomer = customer;
        const LaidOutPage invoice = invoicePages().first();
        EXPECT_TRUE(invoice.itemsNamed("QRMemo2").isEmpty());
        EXPECT_TRUE(invoice.itemsNamed("receiverName").isEmpty());
        EXPECT_TRUE(invoice.itemsNamed("QRLabel56").isEmpty());
        EXPECT_EQ(textOf(invoice, "issuerName"), "Jan Kowalski");
        EXPECT_EQ(columnTexts(invoice, "Nazwa").size(), 3);
        const LaidOutPage bill = billPages().first();
        EXPECT_TRUE(bill.itemsNamed("QRMemo2").isEmpty());
        EXPECT_TRUE(bill.itemsNamed("QRLabel8").isEmpty());
    }
}

TEST_F(VatInvoicePrintout, ThirtyLinesRunOntoASecondPageWithTheTotalsWhole) {
    clearLines();
    for (int i = 1; i <= 30; ++i)
        addLine(QString("Pozycja numer %1").arg(i), "58.19.1", QString::number(i), "szt.", "10",
                i % 3 == 0 ? "7" : (i % 3 == 1 ? "22" : "zw."));
    recompute();
    const QVector<LaidOutPage> pages = invoicePages();
    ASSERT_EQ(pages.size(), 2);
    QStringList names = columnTexts(pages[0], "Nazwa") + columnTexts(pages[1], "Nazwa");
    ASSERT_EQ(names.size(), 30);
    EXPECT_EQ(names.last(), "Pozycja numer 30");
    // The header is printed once; the totals and the summary stand whole on the last page.
    EXPECT_EQ(pages[1].findText("Sprzedawca"), nullptr);
    EXPECT_NE(pages[1].findText("Razem:"), nullptr);
    EXPECT_NE(firstText(pages[1], "QRLabel42"), nullptr);
    EXPECT_EQ(columnTexts(pages[1], "rateVAT"), QStringList({"22", "zw.", "7"}));
    for (const LaidOutPage& page : pages)
        EXPECT_LE(page.items.last().rect.bottom(), page.contentSize.height() + 0.01);
}

// ---- the bill --------------------------------------------------------------------------

class BillPrintout : public tvtest::InvoiceFixture {};

TEST_F(BillPrintout, EveryValueLabelShowsTheWindowAtItsPlace) {
    const QVector<LaidOutPage> pages = billPages();
    ASSERT_EQ(pages.size(), 1);
    const LaidOutPage& page = pages.first();
    const double h = billHeaderTop, t = billTotalsTop;
    const Placed labels[] = {
        {"numberValue", "7/03/2024", 511, 60, 14},
        {"QRLabel48", "Oryginał", 475, 106, 12, Bold | Italic},
        {"issueDate", "5/03/2024", 16, h + 27, 9},
        {"placeOfIssue", "Kraków", 160, h + 27, 9},
        {"saleHeading", "Data sprzedaży", 320, h + 5, 8, Italic},
        {"saleValue", "4/03/2024", 320, h + 27, 9},
        {"paymentTerm", "14 dni", 456, h + 27, 9},
        {"paymentForm", "przelewem", 592, h + 27, 9},
        {"QRLabel4", "Nr rachunku bankowego:", 8, h + 192, 10, Bold | Italic},
        {"QRLabel5", "PKO BP S.A.", 8, h + 208, 10, Bold | Italic},
        {"QRLabel7", "12 1020 2892 0000 5102 0123 4567", 8, h + 224, 10, Bold | Italic},
        {"QRLabel8", "Nr rachunku bankowego:", 368, h + 192, 10, Bold | Italic},
        {"QRLabel9", "mBank", 368, h + 208, 10, Bold | Italic},
        {"QRLabel10", "34 1140 0000 1111 2222 3333 4444", 368, h + 224, 10, Bold | Italic},
        {"grossTotal", "", 713, t + 21, 12, Plain, true},
        {"toPay", "", 120, t + 47, 10, Bold},
        {"inWords", "trzy tysiące pięćset dwa zł 00\\100", 120, t + 71, 10},
        {"issuerName", "Jan Kowalski", 48, t + 194, 9},
    };
    for (const Placed& p : labels)
        expectPlaced(page, p, QString(p.text).isEmpty() ? money("3502") : QString::fromUtf8(p.text));
    const LaidOutItem* extra = firstText(page, "QRLabel82");
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->text, "Dziękujemy");
    EXPECT_NEAR(extra->rect.center().x(), 120 + 481 / 2.0, 0.01);
    EXPECT_NEAR(extra->rect.top(), t + 262, 0.01);
    EXPECT_EQ(extra->font.pointSize, 12);
    EXPECT_TRUE(extra->font.italic);

    EXPECT_EQ(columnTexts(page, "QRMemo1"),
              QStringList({"Drukarnia Tarvelino Sp. z o.o.", "ul. Długa 5, 30-001 Kraków",
                           "NIP: 676-10-20-300 \u2022 REGON: 350123456",
                           "tel. 12 411 22 33 \u2022 Faks: 12 411 22 34", "Email: biuro@tarvelino.pl"}));
    EXPECT_EQ(columnTexts(page, "QRMemo2"),
              QStringList({"Agencja Reklamowa „Aga”", "ul. Polna 12, 00-950 Warszawa", "NIP: 525-000-11-22",
                           "tel.22 600 70 80"}));
}

TEST_F(BillPrintout, FixedCaptionsRulesAndColumns) {
    const LaidOutPage page = billPages().first();
    const double h = billHeaderTop, t = billTotalsTop;
    expectCaptions(page, {
                             {"Pieczęć wystawcy:", 8, 29, 8},
                             {"Rachunek", 475, 27, 18, Bold},
                             {"NR", 475, 60, 14},
                             {"Data wystawienia", 16, h + 5, 8, Italic},
                             {"Miejsce wystawienia", 160, h + 5, 8, Italic},
                             {"Termin płatności", 456, h + 5, 8, Italic},
                             {"Forma płatności", 592, h + 5, 8, Italic},
                             {"Sprzedawca", 9, h + 64, 12, Bold | Italic},
                             {"Nabywca", 368, h + 64, 12, Bold | Italic},
                             {"Lp", 8, h + 300, 10},
                             {"Nazwa", 48, h + 300, 10},
                             {"Ilość", 400, h + 300, 10},
                             {"Jm", 448, h + 300, 10},
                             {"Cena jednostkowa", 497, h + 300, 10},
                             {"Wartość", 666, h + 300, 10},
                             {"Razem wartość:", 472, t + 5, 12, Italic},
                             {"Do zapłaty:", 8, t + 47, 10, Italic},
                             {"Słownie:", 8, t + 71, 10, Italic},
                             {"Imię i nazwisko osoby wystawiającej:", 48, t + 174, 9, Bold},
                         });
    EXPECT_TRUE(hasRule(page, 0, billHeaderTop, page.contentSize.width()));
    EXPECT_TRUE(hasRule(page, 0, billItemsTop, page.contentSize.width()));
    EXPECT_TRUE(hasRule(page, 0, h + 80, 340));
    EXPECT_TRUE(hasRule(page, 360, h + 80, 348));
    EXPECT_TRUE(hasRule(page, 577, t + 13, 136));
    EXPECT_TRUE(hasRule(page, 8, t + 246, 705));

    struct Cell {
        const char* name;
        double x;
        bool right;
        QStringList texts;
    };
    const Cell cells[] = {
        {"Lp", 9, false, {"1", "2", "3"}},
        {"Nazwa", 48, false, {"Ulotki A5 kolorowe", "Katalog firmowy", "Projekt graficzny"}},
        {"Ilosc", 428, true, {"1000", "200", "1"}},
        {"Jm", 465, true, {"szt.", "szt.", "usł."}},
        {"Netto_jedn", 596, true, {money("0,35"), money("12,5"), money("400")}},
        {"Brutto", 714, true, {money("427"), money("2675"), money("400")}},
    };
    for (const Cell& c : cells) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(columnTexts(page, c.name), c.texts);
        const QVector<const LaidOutItem*> items = column(page, c.name);
        for (int i = 0; i < items.size(); ++i) {
            EXPECT_NEAR(c.right ? items[i]->rect.right() : items[i]->rect.left(), c.x, 0.01);
            EXPECT_NEAR(items[i]->rect.top(), billItemsTop + 2 + 17 * i, 0.01);
            EXPECT_EQ(items[i]->font.pointSize, 8);
        }
    }
    EXPECT_EQ(tvtest::overlappingTexts(page), QStringList());
}

TEST_F(BillPrintout, HasNoVatFiguresRemarksOrReceiver) {
    setText(Form_fa1->Edit12, "Uwagi, które rachunek pomija");
    const LaidOutPage page = billPages().first();
    const QStringList texts = page.texts();
    for (const char* absent :
         {"Ogółem wg. stawek VAT:", "Kwota VAT", "SWW/PKWiU", "Uwagi", "Uwagi, które rachunek pomija",
          "do odbioru faktury VAT:", "Agata Nowak", "%", "22", "zw."})
        EXPECT_FALSE(texts.contains(QString::fromUtf8(absent))) << absent;
    EXPECT_FALSE(texts.contains(money("3250"))); // the net total
    EXPECT_FALSE(texts.contains(money("252")));  // the VAT total
    for (const LaidOutItem& item : page.items)
        EXPECT_NE(item.kind, LaidOutItem::Kind::Rect);
}

TEST_F(BillPrintout, LetterheadMovesOnlyTheTitleBand) {
    const LaidOutPage plain = billPages().first();
    Form_fa10->RadioButton2->setChecked(true);
    const LaidOutPage letterhead = billPages().first();
    for (const char* text : {"Pieczęć wystawcy:", "Rachunek", "NR", "7/03/2024", "Oryginał"})
        EXPECT_NEAR(letterhead.findText(QString::fromUtf8(text))->rect.top() -
                        plain.findText(QString::fromUtf8(text))->rect.top(),
                    100, 0.01)
            << text;
    EXPECT_NEAR(plain.findText("Oryginał")->rect.top(), 106, 0.01);
    EXPECT_NEAR(letterhead.findText("Lp")->rect.top() - plain.findText("Lp")->rect.top(), 100, 0.01);
    EXPECT_TRUE(hasRule(letterhead, 0, 247, letterhead.contentSize.width()));
}

TEST_F(BillPrintout, AShortSellerAddressIsDroppedAndEveryCustomerAddressKept) {
    tv::Table sellers(QStringLiteral("sprzedawcy.db"));
    sellers.open();
    tvtest::addRow(sellers, {{"Id", "X"}, {"Nr", "4"}, {"Firma", "Bez adresu"}, {"Nr_rku", "99 1234"}});
    tv::Table customers(QStringLiteral("kontrahenci.db"));
    customers.open();
    tvtest::addRow(customers,
                   {{"Id", "Y"}, {"Nr", "5"}, {"Firma", "Też bez adresu"}, {"Telefon", "500 600 700"}});
    Form_fa1->chosenSeller = 4;
    Form_fa1->chosenCustomer = 5;
    const LaidOutPage bill = billPages().first();
    EXPECT_EQ(columnTexts(bill, "QRMemo1"), QStringList({"Bez adresu"}));
    EXPECT_EQ(columnTexts(bill, "QRMemo2"), QStringList({"Też bez adresu", ",", "tel.500 600 700"}));
    // Without a bank the bill still prints the account.
    EXPECT_EQ(textOf(bill, "QRLabel4"), "Nr rachunku bankowego:");
    EXPECT_EQ(textOf(bill, "QRLabel7"), "99 1234");
    const LaidOutPage invoice = invoicePages().first();
    EXPECT_EQ(columnTexts(invoice, "QRMemo1"), QStringList({"Bez adresu", ","}));
    EXPECT_EQ(columnTexts(invoice, "QRMemo2"), QStringList({"Też bez adresu", "tel. 500 600 700"}));
    EXPECT_TRUE(invoice.itemsNamed("QRLabel31").isEmpty());
}

