#include <gtest/gtest.h>

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QSignalBlocker>
#include <QTest>

#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "costing/reports/blank_calculation_report.h"
#include "costing/reports/calculation_report.h"
#include "platform/convert.h"
#include "platform/errors.h"
#include "platform/regional.h"
#include "platform/report/layout.h"
#include "platform/report/painter.h"
#include "platform/table.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/report_preview.h"
#include "support/app_fixture.h"

using namespace tv::report;

namespace {

// Band tops on the first page: the title band is 25 high, the job header 106,
// every paper line 16.
constexpr double headerTop = 25;
constexpr double linesTop = 131;
constexpr double lineHeightUnits = 16;
double footerTop(int paperLines) {
    return linesTop + paperLines * lineHeightUnits;
}

struct PaperLine {
    const char* format;
    const char* sheets;
    const char* kind;
    const char* colours;
    const char* grammage;
    const char* cost;
};

void addRow(tv::Table& table, const QVector<QPair<QString, QString>>& fields) {
    table.append();
    for (const auto& [name, value] : fields)
        table.fieldByName(name).setAsString(value);
    table.post();
}

// Every text of a page that the layout attributes to one element.
QString textOf(const LaidOutPage& page, const QString& name) {
    QStringList lines;
    for (const LaidOutItem* item : page.itemsNamed(name))
        if (item->kind == LaidOutItem::Kind::Text) lines << item->text;
    return lines.join(u'\n');
}

const LaidOutItem* firstText(const LaidOutPage& page, const QString& name) {
    for (const LaidOutItem* item : page.itemsNamed(name))
        if (item->kind == LaidOutItem::Kind::Text) return item;
    return nullptr;
}

// Print jobs as the default printer would get them.
class RecordingPrinter : public PrintSink {
public:
    QString name = QStringLiteral("HP LaserJet");
    QVector<QVector<LaidOutPage>> jobs;
    QString defaultPrinterName() override { return name; }
    bool print(const QVector<LaidOutPage>& pages, const QString&) override {
        jobs.append(pages);
        return true;
    }
};

// A readable test name from a case's texts.
std::string caseName(std::initializer_list<QString> parts) {
    QString name;
    for (const QString& part : parts) {
        if (!name.isEmpty()) name += u'_';
        name += part.isEmpty() ? QStringLiteral("empty") : part;
    }
    std::string out;
    for (const QChar c : name)
        out += (c.unicode() < 128 && c.isLetterOrNumber()) ? char(c.unicode()) : '_';
    return out;
}

// Texts of a page whose boxes cross: two captions or values printed over each
// other. Lines of neighbouring rows may touch, so a box is taken without the
// blank strip above and below its glyphs.
QStringList overlappingTexts(const LaidOutPage& page) {
    QVector<const LaidOutItem*> texts;
    for (const LaidOutItem& item : page.items)
        if (item.kind == LaidOutItem::Kind::Text) texts.append(&item);
    QStringList out;
    for (int i = 0; i < texts.size(); ++i)
        for (int j = i + 1; j < texts.size(); ++j) {
            const QRectF a = texts[i]->rect.adjusted(0, 2, 0, -2);
            const QRectF b = texts[j]->rect.adjusted(0, 2, 0, -2);
            const QRectF both = a.intersected(b);
            if (both.width() > 0.5 && both.height() > 0)
                out << QStringLiteral("\"%1\" ~ \"%2\"").arg(texts[i]->text, texts[j]->text);
        }
    return out;
}

QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

// The sheet as the operator left it: every field holds a text of its own, so a
// label that shows the wrong field cannot go unnoticed.
class CalculationPrintout : public tvtest::AppFixture {
protected:
    void prepareData() override {
        tv::Table formats(QStringLiteral("formaty.db"));
        formats.open();
        addRow(formats, {{"Nazwa", "A4"}, {"St0", "16"}});
        addRow(formats, {{"Nazwa", "A3"}, {"St0", "8"}});
        tv::Table customers(QStringLiteral("kontrahenci.db"));
        customers.open();
        addRow(customers, {{"Id", "AGA"}, {"Nr", "1"}, {"Nazwisko", "Kowalska"}, {"Firma", "Drukarnia Żak"}});
        addRow(customers, {{"Id", "BOR"}, {"Nr", "2"}, {"Nazwisko", "Nowak"}, {"Firma", ""}});
        addRow(customers, {{"Id", "CEZ"}, {"Nr", "3"}, {"Nazwisko", ""}, {"Firma", ""}});
    }

    // Sets a field as another form would, without the sheet recomputing, so
    // that the printout shows exactly these texts.
    static void setField(const QString& name, const QString& text) {
        QWidget* w = Form1->control(name);
        const QSignalBlocker blocker(w);
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->setText(text);
        else if (auto* lookup = qobject_cast<tv::ui::DBLookupComboBox*>(w))
            lookup->setText(text);
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            combo->setEditText(text);
        else
            FAIL() << name.toStdString();
    }

    static void fillSheet() {
        for (int n = 1; n <= 79; ++n)
            setField(QStringLiteral("Edit%1").arg(n), QStringLiteral("%1,25").arg(n));
        setField("Edit1", "Katalog „Jesień” żółty");
        setField("Edit3", "Papier klienta");
        setField("Edit4", "Złocenie okładki");
        setField("Edit6", "Zdjęcia ślubne");
        setField("Edit8", "Logo");
        setField("Edit25", "Folia");
        setField("Edit27", "Koperty");
        setField("Edit29", "Tłoczenie");
        setField("Edit42", "1234-5678");
        setField("Edit69", "Odbiór osobisty");
        setField("ComboBox1", "22");
        setField("ComboBox2", "15");
        setField("ComboBox3", "5");
        setField("ComboBox4", "10");
        setField("ComboBox5", "2 zszywki");
        setField("ComboBox6", "do części I");
        setField("ComboBox7", "AGA");
        setField("DBLookupComboBox1", "A4");
        Form1->DateTimePicker1->setDate(QDate(2024, 3, 5));
    }

    static void addPaperLines(int count) {
        for (int i = 0; i < count; ++i)
            addRow(*Form4->papkol, {{"Format", "A4"},
                                    {"Ilosc", QString::number(50 + i)},
                                    {"Rodzpap", "Kreda"},
                                    {"Kolor", "pełny"},
                                    {"Gramatura", "90"},
                                    {"Koszt", "12,5"}});
    }

    static QVector<LaidOutPage> fillAndLayOut() {
        Form7->WypelnijKalkulacje();
        return layoutReport(Form7->QuickRep1);
    }
};

// ---- the filled calculation ----------------------------------------------

enum class At { Title, Header, Footer };

struct LabelCase {
    const char* label;
    const char* text;
    double x;
    double y; // from the top of its band
    At band;
};

// What each value label prints from the sheet above, and where.
const LabelCase filledLabels[] = {
    {"QRLabel17", "Drukarnia Żak", 40, 8, At::Header},
    {"QRLabel18", "Katalog „Jesień” żółty", 96, 24, At::Header},
    {"QRLabel20", "2,25", 64, 40, At::Header},
    {"QRLabel19", "Papier klienta", 480, 40, At::Header},
    {"QRLabel22", "A4", 64, 56, At::Header},
    {"QRLabel21", "Złocenie okładki", 416, 56, At::Header},
    {"QRLabel16", "5,25", 608, 8, At::Footer},
    {"QRLabel49", "Zdjęcia ślubne", 128, 48, At::Footer},
    {"QRLabel25", "7,25", 608, 48, At::Footer},
    {"QRLabel50", "Logo", 64, 64, At::Footer},
    {"QRLabel27", "9,25", 608, 64, At::Footer},
    {"QRLabel51", "10,25 x 11,25 + 12,25 x 13,25", 96, 80, At::Footer},
    {"QRLabel29", "14,25", 608, 80, At::Footer},
    {"QRLabel52", "15,25 x 16,25", 96, 96, At::Footer},
    {"QRLabel31", "17,25", 608, 96, At::Footer},
    {"QRLabel53", "18,25 x 19,25", 128, 112, At::Footer},
    {"QRLabel33", "20,25", 608, 112, At::Footer},
    {"QRLabel35", "21,25", 608, 144, At::Footer},
    {"QRLabel54", "22,25 x 23,25", 152, 192, At::Footer},
    {"QRLabel55", "24,25", 608, 192, At::Footer},
    {"QRLabel56", "Folia, Koperty", 152, 208, At::Footer},
    {"QRLabel57", "54,5", 608, 208, At::Footer},
    {"QRLabel58", "Tłoczenie", 152, 224, At::Footer},
    {"QRLabel59", "30,25", 608, 224, At::Footer},
    {"QRLabel60", "31,25 x 32,25", 152, 240, At::Footer},
    {"QRLabel61", "33,25", 608, 240, At::Footer},
    {"QRLabel62", "34,25 x 35,25", 152, 256, At::Footer},
    {"QRLabel63", "36,25", 608, 256, At::Footer},
    {"QRLabel45", "37,25", 608, 288, At::Footer},
    {"QRLabel46", "10", 536, 304, At::Footer},
    {"QRLabel47", "38,25", 608, 304, At::Footer},
    {"QRLabel48", "39,25", 608, 320, At::Footer},
    {"QRLabel66", "41,25", 360, 365, At::Footer},
    {"QRLabel68", "71,25", 608, 365, At::Footer},
    {"QRLabel70", "43,25", 360, 381, At::Footer},
    {"QRLabel72", "70,25", 608, 381, At::Footer},
    {"QRLabel74", "40,25 x 78,25", 360, 397, At::Footer},
    {"QRLabel75", "79,25", 608, 397, At::Footer},
    {"QRLabel77", "72,25 x 73,25", 360, 413, At::Footer},
    {"QRLabel78", "74,25", 608, 413, At::Footer},
    {"QRLabel80", "44,25", 608, 444, At::Footer},
    {"QRLabel89", "45,25 x 46,25 x 47,25", 128, 488, At::Footer},
    {"QRLabel94", "48,25", 608, 488, At::Footer},
    {"QRLabel90", "49,25 x 50,25 x 51,25", 128, 504, At::Footer},
    {"QRLabel95", "52,25", 608, 504, At::Footer},
    {"QRLabel91", "2 zszywki x 75,25 x 77,25", 128, 520, At::Footer},
    {"QRLabel96", "76,25", 608, 520, At::Footer},
    {"QRLabel92", "53,25 x 54,25", 128, 536, At::Footer},
    {"QRLabel97", "55,25", 608, 536, At::Footer},
    {"QRLabel93", "56,25 x 57,25", 128, 552, At::Footer},
    {"QRLabel98", "58,25", 608, 552, At::Footer},
    {"QRLabel88", "59,25", 608, 584, At::Footer},
    {"QRLabel103", "61,25", 608, 637, At::Footer},
    {"QRLabel117", "5.03.2024", 136, 650, At::Footer},
    {"QRLabel128", "15", 560, 653, At::Footer},
    {"QRLabel104", "62,25", 608, 653, At::Footer},
    {"QRLabel105", "63,25", 608, 669, At::Footer},
    {"QRLabel119", "5", 64, 674, At::Footer},
    {"QRLabel106", "64,25", 608, 685, At::Footer},
    {"QRLabel124", "ISSN: 1234-5678", 16, 698, At::Footer},
    {"QRLabel107", "65,25", 608, 701, At::Footer},
    {"QRLabel126", "22", 560, 717, At::Footer},
    {"QRLabel108", "66,25", 608, 717, At::Footer},
    {"QRLabel125", "VAT 22% do części I", 16, 722, At::Footer},
    {"QRLabel109", "67,25", 608, 733, At::Footer},
    {"QRLabel110", "68,25", 608, 749, At::Footer},
    {"QRLabel132", "Odbiór osobisty", 48, 786, At::Footer},
};

TEST_F(CalculationPrintout, EveryValueLabelShowsItsFieldAtItsPlace) {
    fillSheet();
    addPaperLines(2);
    const QVector<LaidOutPage> pages = fillAndLayOut();
    ASSERT_EQ(pages.size(), 1);
    const LaidOutPage& page = pages.first();
    for (const LabelCase& c : filledLabels) {
        SCOPED_TRACE(c.label);
        const LaidOutItem* item = firstText(page, c.label);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text, QString::fromUtf8(c.text));
        const double top = c.band == At::Header ? headerTop : footerTop(2);
        EXPECT_NEAR(item->rect.left(), c.x, 0.01);
        EXPECT_NEAR(item->rect.top(), top + c.y, 0.01);
    }
}

struct CaptionCase {
    const char* text;
    double x;
    double y; // from the top of its band
    At band;
    double pointSize;
};

// The fixed captions of the job header and the footer band, with their fonts.
const CaptionCase fixedCaptions[] = {
    {"Dla:", 8, 8, At::Header, 10},
    {"Nazwa druku:", 8, 24, At::Header, 10},
    {"Nakład:", 8, 40, At::Header, 10},
    {"Dostarczone materiały:", 336, 40, At::Header, 10},
    {"Format:", 8, 56, At::Header, 10},
    {"Dodatkowo:", 336, 56, At::Header, 10},
    {"Format:", 128, 80, At::Header, 10},
    {"Ilość arkuszy", 200, 80, At::Header, 10},
    {"Gramatura", 304, 80, At::Header, 10},
    {"Ilość kolorów", 400, 80, At::Header, 10},
    {"Rodzaj papieru", 496, 80, At::Header, 10},
    {"Razem:", 520, 8, At::Footer, 10},
    {"Teksty i fotografie:", 8, 48, At::Footer, 10},
    {"Projekt:", 8, 64, At::Footer, 10},
    {"Skład komp.:", 8, 80, At::Footer, 10},
    {"Skanowanie:", 8, 96, At::Footer, 10},
    {"Fotonaświetlarka:", 8, 112, At::Footer, 10},
    {"Razem:", 520, 144, At::Footer, 11},
    {"Papier:", 8, 192, At::Footer, 10},
    {"Dodatki:", 8, 208, At::Footer, 10},
    {"Dodatki specjalne:", 8, 224, At::Footer, 10},
    {"Płyty do druku tekstu:", 8, 240, At::Footer, 10},
    {"Płyty do druku kolor.:", 8, 256, At::Footer, 10},
    {"Materiał razem:", 408, 288, At::Footer, 10},
    {"Narzut do materiału:", 408, 304, At::Footer, 10},
    {"%", 567, 304, At::Footer, 10},
    {"Razem:", 408, 320, At::Footer, 11},
    {"Lakierowanie:", 256, 365, At::Footer, 10},
    {"Pakowanie:", 520, 365, At::Footer, 10},
    {"Sztancowanie:", 256, 381, At::Footer, 10},
    {"Klejenie:", 520, 381, At::Footer, 10},
    {"Falcowanie:", 256, 397, At::Footer, 10},
    {"Transport:", 256, 413, At::Footer, 10},
    {"Razem:", 520, 444, At::Footer, 11},
    {"Druk czarno-biały:", 8, 488, At::Footer, 10},
    {"Druk kolorowy:", 8, 504, At::Footer, 10},
    {"Szycie:", 8, 520, At::Footer, 10},
    {"Cięcie:", 8, 536, At::Footer, 10},
    {"Inne:", 8, 552, At::Footer, 10},
    {"Razem:", 520, 584, At::Footer, 11},
    {"Podsumowanie", 16, 610, At::Footer, 11},
    {"Robocizna razem:", 408, 637, At::Footer, 10},
    {"Termin wykonania:", 16, 650, At::Footer, 10},
    {"Zysk od robocizny bezp.:", 408, 653, At::Footer, 10},
    {"%", 584, 653, At::Footer, 10},
    {"Robocizna bezp.:", 408, 669, At::Footer, 10},
    {"Rabat:", 16, 674, At::Footer, 10},
    {"%", 88, 674, At::Footer, 10},
    {"od ceny netto", 112, 674, At::Footer, 10},
    {"Pozycje 1-4 razem netto:", 408, 685, At::Footer, 10},
    {"Zaokrąglenie:", 408, 701, At::Footer, 10},
    {"Podatek:", 408, 717, At::Footer, 10},
    {"%", 584, 717, At::Footer, 10},
    {"Cena brutto:", 408, 733, At::Footer, 10},
    {"Cena jednostkowa:", 408, 749, At::Footer, 10},
    {"Uwagi:", 0, 786, At::Footer, 10},
};

TEST_F(CalculationPrintout, FixedCaptionsStandAtTheirPlaceInTheirFont) {
    fillSheet();
    addPaperLines(2);
    const LaidOutPage page = fillAndLayOut().first();
    for (const CaptionCase& c : fixedCaptions) {
        const double top = (c.band == At::Header ? headerTop : footerTop(2)) + c.y;
        const LaidOutItem* found = nullptr;
        for (const LaidOutItem& item : page.items)
            if (item.kind == LaidOutItem::Kind::Text && item.name.isEmpty() &&
                item.text == QString::fromUtf8(c.text) && qAbs(item.rect.top() - top) < 0.01)
                found = &item;
        ASSERT_NE(found, nullptr) << c.text << " at " << c.y;
        EXPECT_NEAR(found->rect.left(), c.x, 0.01) << c.text << " at " << c.y;
        EXPECT_EQ(found->font.pointSize, c.pointSize) << c.text << " at " << c.y;
        EXPECT_FALSE(found->font.bold) << c.text;
    }
    // The value labels print at 10 pt, the section totals and the completion
    // date at 11 pt, the remarks at 9 pt.
    for (const LabelCase& c : filledLabels) {
        const QString name = QString::fromLatin1(c.label);
        double expected = 10;
        if (QStringList{"QRLabel35", "QRLabel48", "QRLabel80", "QRLabel88", "QRLabel117"}.contains(name))
            expected = 11;
        if (name == "QRLabel132") expected = 9;
        const LaidOutItem* item = firstText(page, name);
        ASSERT_NE(item, nullptr) << c.label;
        EXPECT_EQ(item->font.pointSize, expected) << c.label;
    }
}

TEST_F(CalculationPrintout, NoTextPrintsOverAnother) {
    fillSheet();
    addPaperLines(3);
    const LaidOutPage page = fillAndLayOut().first();
    EXPECT_EQ(overlappingTexts(page), QStringList());
}

TEST_F(CalculationPrintout, TitleCarriesTheHeadingAndTodaysDate) {
    fillSheet();
    const QDate today = QDate::currentDate();
    const LaidOutPage page = fillAndLayOut().first();
    const LaidOutItem* heading = page.findText("KALKULACJA");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->rect.topLeft(), QPointF(8, 0));
    EXPECT_TRUE(heading->font.bold);
    EXPECT_EQ(heading->font.pointSize, 14);
    const LaidOutItem* date = firstText(page, "QRLabel122");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->text,
              QString("%1.%2.%3").arg(today.day()).arg(today.month(), 2, 10, QChar('0')).arg(today.year()));
    EXPECT_EQ(date->rect.left(), 600);
    EXPECT_EQ(date->font.pointSize, 12);
    EXPECT_NE(page.findText("Data wykonania:"), nullptr);
}

TEST_F(CalculationPrintout, ValueLabelsGrowWithTheirTextInsteadOfBeingCut) {
    fillSheet();
    const QString longName =
        QString("Książka „Dzieje miasta” z wkładką mapową, obwolutą i tasiemką ").repeated(2).trimmed();
    setField("Edit1", longName);
    const LaidOutPage page = fillAndLayOut().first();
    const LaidOutItem* item = firstText(page, "QRLabel18");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text, longName);
    EXPECT_NEAR(item->rect.width(), textWidth(item->font, longName), 0.01);
    EXPECT_GT(item->rect.right(), 600);
}

TEST_F(CalculationPrintout, RemarksWrapAtTheirWidthAndPushTheBandsFootDown) {
    fillSheet();
    const QString remarks =
        QString("Uwaga: klient odbiera osobiście, faktura z odroczonym terminem płatności. ").repeated(4);
    setField("Edit69", remarks);
    const LaidOutPage page = fillAndLayOut().first();
    const QVector<const LaidOutItem*> lines = page.itemsNamed("QRLabel132");
    ASSERT_GE(lines.size(), 3);
    QStringList words;
    for (int i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i]->rect.left(), 48);
        EXPECT_LE(lines[i]->rect.width(), 665.01);
        EXPECT_EQ(lines[i]->font.pointSize, 9);
        if (i > 0) {
            EXPECT_GT(lines[i]->rect.top(), lines[i - 1]->rect.top());
        }
        words << lines[i]->text;
    }
    EXPECT_EQ(words.join(' '), remarks.trimmed());
    // The band's bottom rule sits below the last line of the remarks.
    double lowestRule = 0;
    for (const LaidOutItem& item : page.items)
        if (item.kind == LaidOutItem::Kind::Line) lowestRule = std::max(lowestRule, item.rect.top());
    EXPECT_GE(lowestRule, lines.last()->rect.bottom() - 0.5);
}

TEST_F(CalculationPrintout, SectionHeadingsAreRuledAndTotalsSetOffByAHalfRule) {
    fillSheet();
    const LaidOutPage page = fillAndLayOut().first();
    const double width = page.contentSize.width();
    auto ruleBetween = [&](double fromX, double top, double bottom) {
        for (const LaidOutItem& item : page.items)
            if (item.kind == LaidOutItem::Kind::Line && item.rect.height() == 0 &&
                qAbs(item.rect.left() - fromX) < 1 && qAbs(item.rect.right() - width) < 1 &&
                item.rect.top() >= top && item.rect.top() <= bottom)
                return true;
        return false;
    };
    for (const char* heading : {"1. Przygotowanie do druku", "2. Materiał", "3. Robocizna",
                                "4. Robocizna bezpośrednia", "Podsumowanie"}) {
        SCOPED_TRACE(heading);
        const LaidOutItem* item = page.findText(QString::fromUtf8(heading));
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(item->font.italic);
        EXPECT_EQ(item->font.pointSize, 11);
        EXPECT_TRUE(ruleBetween(0, item->rect.top() + 10, item->rect.top() + 24));
    }
    for (const char* total : {"QRLabel35", "QRLabel48", "QRLabel80", "QRLabel88"}) {
        SCOPED_TRACE(total);
        const LaidOutItem* item = firstText(page, total);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->font.pointSize, 11);
        EXPECT_TRUE(ruleBetween(width / 2, item->rect.top() - 4, item->rect.top() + 1));
    }
    // The paper total is no section total: plain, and no rule above it.
    const LaidOutItem* paper = firstText(page, "QRLabel16");
    ASSERT_NE(paper, nullptr);
    EXPECT_EQ(paper->font.pointSize, 10);
    EXPECT_FALSE(ruleBetween(width / 2, paper->rect.top() - 4, paper->rect.top() + 1));
}

TEST_F(CalculationPrintout, PaperLinesPrintUnderTheirHeadingsWithTheCostInTheCurrencyFormat) {
    fillSheet();
    addRow(*Form4->papkol, {{"Format", "A4"},
                            {"Ilosc", "50"},
                            {"Rodzpap", "Kreda"},
                            {"Kolor", "pełny"},
                            {"Gramatura", "90"},
                            {"Koszt", "1234,5"}});
    addRow(*Form4->papkol, {{"Format", "A3"},
                            {"Ilosc", "12,5"},
                            {"Rodzpap", "Offset"},
                            {"Kolor", "1"},
                            {"Gramatura", "80"},
                            {"Koszt", "3"}});
    const LaidOutPage page = fillAndLayOut().first();

    struct Cell {
        const char* field;
        double x;
        QString first;
        QString second;
    };
    const Cell cells[] = {
        {"Format", 136, "A4", "A3"},
        {"Ilosc", 208, "50", "12,5"},
        {"Gramatura", 312, "90", "80"},
        {"Kolor", 416, "pełny", "1"},
        {"Rodzpap", 512, "Kreda", "Offset"},
        {"Koszt", 608, tv::FormatCurrency(tv::StrToCurr("1234,5")), tv::FormatCurrency(tv::StrToCurr("3"))},
    };
    for (const Cell& c : cells) {
        SCOPED_TRACE(c.field);
        const QVector<const LaidOutItem*> items = page.itemsNamed(c.field);
        ASSERT_EQ(items.size(), 2);
        EXPECT_EQ(items[0]->text, c.first);
        EXPECT_EQ(items[1]->text, c.second);
        EXPECT_EQ(items[0]->rect.left(), c.x);
        EXPECT_NEAR(items[1]->rect.top() - items[0]->rect.top(), lineHeightUnits, 0.01);
        EXPECT_GT(items[0]->rect.top(), linesTop);
        EXPECT_EQ(items[0]->font.pointSize, 9);
    }
    EXPECT_TRUE(textOf(page, "Koszt").startsWith(QString("1") + QChar(0x00A0) + "234,50"));
    EXPECT_TRUE(page.itemsNamed("Koszt").first()->text.endsWith("zł"));
    // The sheet's own amounts print as the sheet shows them.
    EXPECT_EQ(textOf(page, "QRLabel16"), "5,25");
    // Headings over the columns, in the header band.
    const LaidOutItem* costHeading = page.findText("Koszt");
    ASSERT_NE(costHeading, nullptr);
    EXPECT_EQ(costHeading->rect.topLeft(), QPointF(608, headerTop + 80));
    // The paper dialog's grid does not jump: the cursor is back on its row.
    EXPECT_EQ(Form4->papkol->recNo(), 2);
}

TEST_F(CalculationPrintout, NoPaperLinesStillPrintsTheWholeCalculation) {
    fillSheet();
    const QVector<LaidOutPage> pages = fillAndLayOut();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].itemsNamed("Koszt").isEmpty());
    const LaidOutItem* total = firstText(pages[0], "QRLabel16");
    ASSERT_NE(total, nullptr);
    EXPECT_EQ(total->rect.top(), footerTop(0) + 8);
}

struct PagingCase {
    int lines;
    int pages;
    int footerPage;
};

void PrintTo(const PagingCase& c, std::ostream* os) {
    *os << c.lines << " lines";
}

class CalculationPaging : public CalculationPrintout, public ::testing::WithParamInterface<PagingCase> {};

TEST_P(CalculationPaging, TheFooterBandMovesWholeToASecondPageAfterSixLines) {
    const PagingCase c = GetParam();
    fillSheet();
    addPaperLines(c.lines);
    const QVector<LaidOutPage> pages = fillAndLayOut();
    ASSERT_EQ(pages.size(), c.pages);
    // Every paper line stays on the first page, under the header.
    EXPECT_EQ(pages[0].itemsNamed("Koszt").size(), c.lines);
    // The footer band is never split: its first and last labels share a page.
    const LaidOutPage& footerPage = pages[c.footerPage - 1];
    const LaidOutItem* first = firstText(footerPage, "QRLabel16");
    const LaidOutItem* last = firstText(footerPage, "QRLabel132");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(first->rect.top(), (c.footerPage == 1 ? footerTop(c.lines) : 0) + 8);
    if (c.footerPage == 2) {
        EXPECT_EQ(firstText(pages[0], "QRLabel16"), nullptr);
        EXPECT_EQ(pages[1].findText("KALKULACJA"), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(PaperLines, CalculationPaging,
                         ::testing::Values(PagingCase{0, 1, 1}, PagingCase{6, 1, 1}, PagingCase{7, 2, 2},
                                           PagingCase{30, 2, 2}),
                         [](const auto& info) { return caseName({QString::number(info.param.lines)}); });

// ---- the fill's rules ------------------------------------------------------

struct CustomerCase {
    const char* typed;
    const char* printed;
    int rowAfter; // the customer table's row after the search
};

void PrintTo(const CustomerCase& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

class CustomerName : public CalculationPrintout, public ::testing::WithParamInterface<CustomerCase> {};

TEST_P(CustomerName, CompanyElseSurnameElseIdElseTheTypedText) {
    const CustomerCase c = GetParam();
    fillSheet();
    setField("ComboBox7", c.typed);
    const LaidOutPage page = fillAndLayOut().first();
    EXPECT_EQ(textOf(page, "QRLabel17"), QString::fromUtf8(c.printed));
    EXPECT_EQ(Form1->kontrahenci->recNo(), c.rowAfter);
}

INSTANTIATE_TEST_SUITE_P(Customers, CustomerName,
                         ::testing::Values(CustomerCase{"AGA", "Drukarnia Żak", 1},
                                           CustomerCase{"BOR", "Nowak", 2}, CustomerCase{"CEZ", "CEZ", 3},
                                           CustomerCase{"ZYG", "ZYG", 3}, CustomerCase{"", "", 3}),
                         [](const auto& info) { return caseName({info.param.typed}); });

// The sheet's two "Dodatki" lines, and what the printout makes of them.
struct ExtrasCase {
    const char* first;
    const char* second;
    const char* printed;
};

void PrintTo(const ExtrasCase& c, std::ostream* os) {
    *os << '"' << c.first << "\" \"" << c.second << '"';
}

std::string extrasCaseName(const ::testing::TestParamInfo<ExtrasCase>& info) {
    return caseName({QString::number(info.index), info.param.first, info.param.second});
}

class ExtrasDescription : public CalculationPrintout, public ::testing::WithParamInterface<ExtrasCase> {};

TEST_P(ExtrasDescription, JoinsBothLinesAndDropsTheSeparatorOnlyWhenTheFirstIsEmpty) {
    const ExtrasCase c = GetParam();
    fillSheet();
    setField("Edit25", QString::fromUtf8(c.first));
    setField("Edit27", QString::fromUtf8(c.second));
    Form7->WypelnijKalkulacje();
    EXPECT_EQ(Form7->QuickRep1.label("QRLabel56").caption, QString::fromUtf8(c.printed));
}

INSTANTIATE_TEST_SUITE_P(Extras, ExtrasDescription,
                         ::testing::Values(ExtrasCase{"Folia", "Koperty", "Folia, Koperty"},
                                           ExtrasCase{"", "Koperty", "Koperty"},
                                           ExtrasCase{"Folia", "", "Folia, "}, ExtrasCase{"", "", ""},
                                           // A first line of its own beginning with a comma stays.
                                           ExtrasCase{", matowa", "Koperty", ", matowa, Koperty"}),
                         extrasCaseName);

class ExtrasSum : public CalculationPrintout, public ::testing::WithParamInterface<ExtrasCase> {};

TEST_P(ExtrasSum, AddsBothAmountsAnEmptyOneCountingAsNothing) {
    const ExtrasCase c = GetParam();
    fillSheet();
    setField("Edit26", c.first);
    setField("Edit28", c.second);
    Form7->WypelnijKalkulacje();
    EXPECT_EQ(Form7->QuickRep1.label("QRLabel57").caption, QString::fromUtf8(c.printed));
}

INSTANTIATE_TEST_SUITE_P(Extras, ExtrasSum,
                         ::testing::Values(ExtrasCase{"12,5", "7,5", "20"}, ExtrasCase{"", "7,25", "7,25"},
                                           ExtrasCase{"0,1", "", "0,1"}, ExtrasCase{"", "", "0"},
                                           ExtrasCase{"1,23456", "0", "1,2346"},
                                           ExtrasCase{" 3 ", "-1", "2"}),
                         extrasCaseName);

TEST_F(CalculationPrintout, AnExtrasAmountThatIsNoNumberStopsTheFill) {
    fillSheet();
    Form7->WypelnijKalkulacje();
    setField("Edit24", "999");
    setField("Edit28", "12zł");
    try {
        Form7->WypelnijKalkulacje();
        FAIL() << "no error";
    } catch (const tv::EConvertError& e) {
        EXPECT_EQ(e.message(), "'12zł' is not a valid floating point value");
    }
    // The labels after the sum keep the last fill.
    EXPECT_EQ(Form7->QuickRep1.label("QRLabel55").caption, "24,25");
}

TEST_F(CalculationPrintout, IssnAndVatLinesOnlyWhenTheirFieldsHoldText) {
    fillSheet();
    setField("Edit42", "");
    setField("ComboBox6", "");
    const LaidOutPage page = fillAndLayOut().first();
    EXPECT_TRUE(textOf(page, "QRLabel124").isEmpty());
    EXPECT_TRUE(textOf(page, "QRLabel125").isEmpty());
    EXPECT_EQ(page.texts().filter("ISSN").size(), 0);
    EXPECT_EQ(page.texts().filter("VAT").size(), 0);

    setField("ComboBox6", "do całości");
    setField("ComboBox1", "zw.");
    EXPECT_EQ(textOf(fillAndLayOut().first(), "QRLabel125"), "VAT zw.% do całości");
}

TEST_F(CalculationPrintout, BothDatesUseTheSystemsDateSeparator) {
    tv::RegionalSettings settings = tv::regional();
    settings.dateSeparator = u'-';
    tv::setRegional(settings);
    fillSheet();
    Form1->DateTimePicker1->setDate(QDate(2025, 11, 9));
    const QDate today = QDate::currentDate();
    Form7->WypelnijKalkulacje();
    tvtest::usePolishSettings();
    EXPECT_EQ(Form7->QuickRep1.label("QRLabel117").caption, "9-11-2025");
    EXPECT_EQ(Form7->QuickRep1.label("QRLabel122").caption,
              QString("%1-%2-%3").arg(today.day()).arg(today.month(), 2, 10, QChar('0')).arg(today.year()));
}

// ---- PDF -------------------------------------------------------------------

TEST_F(CalculationPrintout, ThePdfCarriesThePolishTexts) {
    fillSheet();
    addPaperLines(7);
    const QString path = workingFolder() + "/kalkulacja.pdf";
    writePdf(fillAndLayOut(), path, Form7->QuickRep1.title);
    ASSERT_TRUE(QFileInfo::exists(path));
    const QString info = runTool("pdfinfo", {path});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\b"))) << info.toStdString();
    const QString first = runTool("pdftotext", {"-layout", "-enc", "UTF-8", "-f", "1", "-l", "1", path, "-"});
    const QString second =
        runTool("pdftotext", {"-layout", "-enc", "UTF-8", "-f", "2", "-l", "2", path, "-"});
    for (const char* text : {"KALKULACJA", "Drukarnia Żak", "Katalog „Jesień” żółty",
                             "Dostarczone materiały:", "Ilość kolorów", "pełny"})
        EXPECT_TRUE(first.contains(QString::fromUtf8(text))) << text;
    for (const char* text :
         {"Fotonaświetlarka:", "2. Materiał",
          "Płyty do druku kolor.:", "Narzut do materiału:", "4. Robocizna bezpośrednia",
          "Cięcie:", "Zaokrąglenie:", "Odbiór osobisty", "VAT 22% do części I", "Tłoczenie"})
        EXPECT_TRUE(second.contains(QString::fromUtf8(text))) << text;
}

// ---- the blank form --------------------------------------------------------

class BlankCalculation : public CalculationPrintout {};

TEST_F(BlankCalculation, OnePageWithTheCaptionsAndNoValues) {
    const QVector<LaidOutPage> pages = layoutReport(Form10->QuickRep1);
    ASSERT_EQ(pages.size(), 1);
    const LaidOutPage& page = pages.first();
    const LaidOutItem* heading = page.findText("KALKULACJA");
    ASSERT_NE(heading, nullptr);
    EXPECT_TRUE(heading->font.bold);
    EXPECT_TRUE(heading->font.underline);
    for (const char* caption : {"Data wykonania:",
                                "Dla:",
                                "Nazwa druku:",
                                "Nakład:",
                                "Format:",
                                "Dostarczone materiały:",
                                "Dodatkowo:",
                                "Rodzaje papieru: ",
                                "1. Przygotowanie do druku",
                                "Skład komp.:",
                                "MB",
                                "2. Materiał",
                                "3. Robocizna",
                                "Lakierowanie:",
                                "4. Robocizna bezpośrednia",
                                "Podsumowanie",
                                "Termin wykonania:",
                                "Rabat:",
                                "od ceny brutto:",
                                "ISSN:",
                                "VAT 0% do:",
                                "Uwagi:"})
        EXPECT_NE(page.findText(QString::fromUtf8(caption)), nullptr) << caption;
    // Section headings are underlined instead of ruled.
    for (const char* heading : {"1. Przygotowanie do druku", "2. Materiał", "3. Robocizna",
                                "4. Robocizna bezpośrednia", "Podsumowanie"}) {
        const LaidOutItem* item = page.findText(QString::fromUtf8(heading));
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(item->font.underline && item->font.italic) << heading;
    }
    const double footerTop = page.contentSize.height() - 835;
    for (const LaidOutItem& item : page.items) {
        if (item.kind == LaidOutItem::Kind::Line && item.rect.top() > footerTop) {
            EXPECT_LT(item.rect.width(), 500) << "a rule at " << item.rect.top();
        }
    }
}

TEST_F(BlankCalculation, EveryAmountTheCalculationPrintsHasABoxAtTheSameRow) {
    const LaidOutPage blank = layoutReport(Form10->QuickRep1).first();
    const double footerTop = blank.contentSize.height() - 835;
    const Band& calculationFooter = Form7->QuickRep1.band("GroupFooterBand1");
    int amounts = 0;
    for (const Element& e : calculationFooter.elements) {
        if (e.kind != Element::Kind::Label || e.name.isEmpty() || e.x != 608 || e.name == "QRLabel16")
            continue;
        ++amounts;
        bool boxed = false;
        for (const LaidOutItem& item : blank.items)
            boxed |= item.kind == LaidOutItem::Kind::Rect && item.rect.left() == 608 &&
                     qAbs(item.rect.width() - 105) < 0.01 && item.rect.top() <= footerTop + e.y + 3 &&
                     item.rect.bottom() >= footerTop + e.y + 12;
        EXPECT_TRUE(boxed) << e.name.toStdString();
    }
    EXPECT_EQ(amounts, 33);
}

// One row of the blank form read from left to right: its texts, "_" for an
// underlined blank and "[]" for a framed one.
QString rowReading(const LaidOutPage& page, double top, double fromX, double toX) {
    QVector<QPair<double, QString>> parts;
    for (const LaidOutItem& item : page.items) {
        if (item.rect.left() < fromX || item.rect.left() >= toX) continue;
        const QRectF& r = item.rect;
        if (item.kind == LaidOutItem::Kind::Text && qAbs(r.top() - top) < 4)
            parts.append({r.left(), item.text.trimmed()});
        else if (item.kind == LaidOutItem::Kind::Line && r.top() > top + 2 && r.top() < top + 15.2)
            parts.append({r.left(), QStringLiteral("_")});
        else if (item.kind == LaidOutItem::Kind::Rect && r.top() < top + 14 && r.bottom() > top + 2)
            parts.append({r.left(), QStringLiteral("[]")});
    }
    std::sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList words;
    for (const auto& part : parts)
        words << part.second;
    return words.join(u' ');
}

TEST_F(BlankCalculation, EachRowReadsAsDesigned) {
    const LaidOutPage page = layoutReport(Form10->QuickRep1).first();
    const double footerTop = page.contentSize.height() - 835;
    struct Row {
        bool inFooter;
        double y;
        double fromX;
        double toX;
        const char* reading;
    };
    const Row rows[] = {
        {false, 0, 0, 800, "KALKULACJA Data wykonania: []"},
        {false, 40, 0, 800, "Dla: _"},
        {false, 60, 0, 800, "Nazwa druku: _"},
        {false, 80, 0, 800, "Nakład: _ Dostarczone materiały: _"},
        {false, 100, 0, 800, "Format: _ Dodatkowo: _"},
        {false, 120, 0, 800, "Rodzaje papieru: _"},
        {true, 48, 0, 800, "Teksty i fotografie: _ []"},
        {true, 64, 0, 800, "Projekt: _ []"},
        {true, 80, 0, 800, "Skład komp.: _ x _ zł + _ x _ zł []"},
        {true, 96, 0, 800, "Skanowanie: _ MB x _ zł []"},
        {true, 112, 0, 800, "Fotonaświetlarka: _ m x _ zł []"},
        {true, 144, 0, 800, "Razem: []"},
        {true, 208, 0, 800, "Dodatki: _ []"},
        {true, 304, 0, 800, "Narzut do materiału: [] % []"},
        {true, 320, 0, 800, "Razem: []"},
        {true, 365, 0, 800, "Lakierowanie: [] Pakowanie: []"},
        {true, 381, 0, 800, "Sztancowanie: [] Klejenie: []"},
        {true, 397, 0, 800, "Falcowanie: _ []"},
        {true, 413, 0, 800, "Transport: _ []"},
        {true, 520, 0, 800, "Szycie: _ []"},
        {true, 650, 0, 400, "Termin wykonania: _"},
        {true, 653, 400, 800, "Zysk od robocizny bezp.: [] % []"},
        {true, 674, 0, 400, "Rabat: [] % od ceny brutto: _"},
        {true, 698, 0, 400, "ISSN: _"},
        {true, 717, 400, 800, "Podatek: [] % []"},
        {true, 722, 0, 400, "VAT 0% do: _"},
        {true, 749, 400, 800, "Cena jednostkowa: []"},
    };
    for (const Row& row : rows) {
        const double top = (row.inFooter ? footerTop : 0) + row.y;
        EXPECT_EQ(rowReading(page, top, row.fromX, row.toX).toStdString(), row.reading) << row.y;
    }
    // "Rodzaje papieru: " has a second line, "Uwagi:" a box across the page.
    int paperLines = 0;
    for (const LaidOutItem& item : page.items)
        paperLines += item.kind == LaidOutItem::Kind::Line && item.rect.top() > 130 &&
                      item.rect.top() < 155 && item.rect.width() > 590;
    EXPECT_EQ(paperLines, 2);
    const LaidOutItem* remarks = page.findText("Uwagi:");
    ASSERT_NE(remarks, nullptr);
    bool box = false;
    for (const LaidOutItem& item : page.items)
        box |= item.kind == LaidOutItem::Kind::Rect && item.rect.top() > remarks->rect.top() &&
               item.rect.left() <= 0.5 && item.rect.right() >= page.contentSize.width() - 1;
    EXPECT_TRUE(box);
}

// A blank to be written in stands clear of the caption before it, and no
// blank runs under a text.
TEST_F(BlankCalculation, BlanksStandClearOfTheirCaptions) {
    const LaidOutPage page = layoutReport(Form10->QuickRep1).first();
    EXPECT_EQ(overlappingTexts(page), QStringList());
    constexpr double minGap = 4;
    for (const LaidOutItem& text : page.items) {
        if (text.kind != LaidOutItem::Kind::Text) continue;
        const double top = text.rect.top() + 2;
        const double bottom = text.rect.bottom() - 1;
        for (const LaidOutItem& blank : page.items) {
            if (blank.kind != LaidOutItem::Kind::Line && blank.kind != LaidOutItem::Kind::Rect) continue;
            if (blank.rect.bottom() < top || blank.rect.top() > bottom) continue;
            const bool before = blank.rect.right() <= text.rect.left() + 0.5;
            const bool after = blank.rect.left() >= text.rect.right() + minGap - 0.01;
            EXPECT_TRUE(before || after) << '"' << text.text.toStdString() << "\" ends at "
                                         << text.rect.right() << ", a blank starts at " << blank.rect.left();
        }
    }
}

TEST_F(BlankCalculation, StaysBlankAfterACalculationIsFilled) {
    const QStringList before = layoutReport(Form10->QuickRep1).first().texts();
    fillSheet();
    addPaperLines(2);
    Form7->WypelnijKalkulacje();
    EXPECT_EQ(layoutReport(Form10->QuickRep1).first().texts(), before);
}

// ---- the sheet's four commands -------------------------------------------

// The commands as the operator gives them: the previews land in the hook
// instead of a window, the print jobs in a recording printer.
class PrintoutCommands : public CalculationPrintout {
protected:
    void SetUp() override {
        CalculationPrintout::SetUp();
        tv::ui::setPreviewHook([this](Report& report, const QVector<LaidOutPage>& pages) {
            previewed.append(&report);
            previewPages = pages;
        });
        setPrintSink(&printer);
        Form1->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
    }
    void TearDown() override {
        setPrintSink(nullptr);
        tv::ui::setPreviewHook({});
        CalculationPrintout::TearDown();
    }

    static void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }

    QVector<Report*> previewed;
    QVector<LaidOutPage> previewPages;
    RecordingPrinter printer;
};

TEST_F(PrintoutCommands, PreviewShowsTheSheetAsItStandsNow) {
    fillSheet();
    addPaperLines(3);
    Form7->WypelnijKalkulacje();
    // What the operator typed since the last fill shows in the next preview.
    setField("Edit6", "Nowe zdjęcia");
    click(Form1->SpeedButton5);
    ASSERT_EQ(previewed.size(), 1);
    EXPECT_EQ(previewed[0], &Form7->QuickRep1);
    ASSERT_EQ(previewPages.size(), 1);
    EXPECT_EQ(textOf(previewPages[0], "QRLabel49"), "Nowe zdjęcia");
    EXPECT_EQ(previewPages[0].itemsNamed("Koszt").size(), 3);
    EXPECT_TRUE(messages().isEmpty());

    Form1->Podgldwydruku1->trigger();
    EXPECT_EQ(previewed.size(), 2);
}

TEST_F(PrintoutCommands, PrintSendsTheFilledCalculationToTheDefaultPrinter) {
    fillSheet();
    addPaperLines(7);
    click(Form1->SpeedButton6);
    ASSERT_EQ(printer.jobs.size(), 1);
    ASSERT_EQ(printer.jobs[0].size(), 2);
    EXPECT_EQ(textOf(printer.jobs[0][0], "QRLabel17"), "Drukarnia Żak");
    EXPECT_EQ(textOf(printer.jobs[0][1], "QRLabel109"), "67,25");
    EXPECT_TRUE(previewed.isEmpty());

    // The menu command, its shortcut's action and the summary tab's button print the same.
    Form1->Drukuj1->trigger();
    Form1->PageControl1->setCurrentIndex(3);
    click(Form1->SpeedButton14);
    EXPECT_EQ(printer.jobs.size(), 3);
}

struct BadAmountCase {
    const char* field;
    const char* text;
};

void PrintTo(const BadAmountCase& c, std::ostream* os) {
    *os << c.field << " \"" << c.text << '"';
}

class BadExtrasAmount : public PrintoutCommands, public ::testing::WithParamInterface<BadAmountCase> {};

TEST_P(BadExtrasAmount, ShowsTheErrorAndNeitherPreviewsNorPrints) {
    const BadAmountCase c = GetParam();
    fillSheet();
    setField(c.field, QString::fromUtf8(c.text));
    click(Form1->SpeedButton5);
    click(Form1->SpeedButton6);
    EXPECT_TRUE(previewed.isEmpty());
    EXPECT_TRUE(printer.jobs.isEmpty());
    ASSERT_EQ(messages().size(), 2);
    for (const tv::ui::ShownMessage& m : messages()) {
        EXPECT_EQ(m.text, QString("'%1' is not a valid floating point value").arg(QString::fromUtf8(c.text)));
        EXPECT_EQ(m.icon, tv::ui::Icon::Error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Extras, BadExtrasAmount,
    ::testing::Values(BadAmountCase{"Edit26", "abc"}, BadAmountCase{"Edit28", "12.5"},
                      BadAmountCase{"Edit26", "1,2,3"}, BadAmountCase{"Edit28", "-"}),
    [](const auto& info) {
        return caseName({QString::number(info.index), info.param.field, info.param.text});
    });

TEST_F(PrintoutCommands, AnEmptyExtrasAmountNoLongerStopsThePreview) {
    fillSheet();
    setField("Edit26", "");
    click(Form1->SpeedButton5);
    ASSERT_EQ(previewPages.size(), 1);
    EXPECT_EQ(textOf(previewPages[0], "QRLabel57"), "28,25");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(PrintoutCommands, WithoutAPrinterThePrintIsOfferedAsPdf) {
    fillSheet();
    printer.name.clear();
    const QString path = workingFolder() + "/wydruk.pdf";
    tv::ui::setFileAnswerer([&](const tv::ui::FileDialogRequest&) { return path; });
    click(Form1->SpeedButton6);
    EXPECT_TRUE(printer.jobs.isEmpty());
    ASSERT_FALSE(messages().isEmpty());
    EXPECT_EQ(messages().first().text, QString::fromUtf8(tv::ui::noPrinterMessage));
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_TRUE(runTool("pdftotext", {"-enc", "UTF-8", path, "-"}).contains("Drukarnia Żak"));
}

TEST_F(PrintoutCommands, TheBlankFormPrintsAndPreviewsAsDesigned) {
    fillSheet();
    Form1->Drukujczystkalkulacj1->trigger();
    ASSERT_EQ(printer.jobs.size(), 1);
    const QStringList printed = printer.jobs[0].first().texts();
    EXPECT_TRUE(printed.contains("od ceny brutto:"));
    EXPECT_FALSE(printed.contains("Drukarnia Żak"));

    Form1->Podgldczystejkalkulacji1->trigger();
    ASSERT_EQ(previewed.size(), 1);
    EXPECT_EQ(previewed[0], &Form10->QuickRep1);
    ASSERT_EQ(previewPages.size(), 1);
    EXPECT_EQ(previewPages[0].texts(), printed);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(PrintoutCommands, TheSheetsOwnFiguresPrintAsTheSheetShowsThem) {
    // Typed as the operator types: the sheet recomputes its sections, and the
    // printout shows whatever the sheet then holds.
    Form1->PageControl1->setCurrentIndex(0);
    for (const char* name : {"Edit7", "Edit9"}) {
        auto* edit = qobject_cast<QLineEdit*>(Form1->control(name));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "125,5");
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    click(Form1->SpeedButton5);
    ASSERT_EQ(previewPages.size(), 1);
    const LaidOutPage& page = previewPages[0];
    EXPECT_EQ(textOf(page, "QRLabel25"), Form1->Edit7->text());
    EXPECT_EQ(textOf(page, "QRLabel27"), Form1->Edit9->text());
    EXPECT_EQ(textOf(page, "QRLabel35"), Form1->Edit21->text());
    EXPECT_EQ(textOf(page, "QRLabel109"), Form1->Edit67->text());
    EXPECT_EQ(textOf(page, "QRLabel20"), Form1->Edit2->text());
}
