#include "costing/reports/calculation_report.h"

#include <iterator>

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QLineEdit>
#include <QRegularExpression>

#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "platform/convert.h"
#include "platform/report/table_source.h"
#include "platform/table.h"

TForm7* Form7 = nullptr;

using namespace tv::report;

namespace {

// Where the amounts of every cost line stand.
constexpr double amountX = 608;
constexpr double printDateX = 600;
constexpr double dateCaptionX = 466;
constexpr double gap = 4;

enum class Look {
    Caption,    // 10 pt
    Heading,    // section heading, 11 pt italic, a full-width rule under it
    Total,      // a section's "Razem:", 11 pt, a rule over the right half above it
    Value,      // 10 pt, sized to its text
    TotalValue, // 11 pt
    Date,       // completion date, 11 pt
    Remarks,    // 9 pt, wraps at the remarks width and grows downwards
};

// One text of the design: a fixed caption (no name) or a value label the fill
// writes by name.
struct Text {
    const char* name;
    const char* caption;
    double x;
    double y;
    Look look;
};

constexpr double remarksWidth = 665;
// A section heading's rule stands just under the heading's line.
constexpr double headingRuleOffset = 19;

Font fontFor(Look look) {
    switch (look) {
    case Look::Heading:
        return tahoma(11, Italic);
    case Look::Total:
    case Look::TotalValue:
    case Look::Date:
        return tahoma(11);
    case Look::Remarks:
        return tahoma(9);
    case Look::Caption:
    case Look::Value:
        break;
    }
    return tahoma(10);
}

// The job header and the column headings of the paper lines.
const Text headerTexts[] = {
    {nullptr, "Dla:", 8, 8, Look::Caption},
    {"QRLabel17", "", 40, 8, Look::Value},
    {nullptr, "Nazwa druku:", 8, 24, Look::Caption},
    {"QRLabel18", "", 96, 24, Look::Value},
    {nullptr, "Nakład:", 8, 40, Look::Caption},
    {"QRLabel20", "", 64, 40, Look::Value},
    {nullptr, "Dostarczone materiały:", 336, 40, Look::Caption},
    {"QRLabel19", "", 480, 40, Look::Value},
    {nullptr, "Format:", 8, 56, Look::Caption},
    {"QRLabel22", "", 64, 56, Look::Value},
    {nullptr, "Dodatkowo:", 336, 56, Look::Caption},
    {"QRLabel21", "", 416, 56, Look::Value},
    {nullptr, "Format:", 128, 80, Look::Caption},
    {nullptr, "Ilość arkuszy", 200, 80, Look::Caption},
    {nullptr, "Gramatura", 304, 80, Look::Caption},
    {nullptr, "Ilość kolorów", 400, 80, Look::Caption},
    {nullptr, "Rodzaj papieru", 496, 80, Look::Caption},
    {nullptr, "Koszt", 608, 80, Look::Caption},
};
constexpr double headerRuleY = 96;

// One paper line: the field and where its value stands.
struct Column {
    const char* field;
    double x;
};
const Column paperColumns[] = {
    {"Format", 136}, {"Ilosc", 208}, {"Gramatura", 312}, {"Kolor", 416}, {"Rodzpap", 512}, {"Koszt", amountX},
};

// The paper total, the four cost sections, the summary and the remarks.
const Text footerTexts[] = {
    {nullptr, "Razem:", 520, 8, Look::Caption},
    {"QRLabel16", "", amountX, 8, Look::Value},

    {nullptr, "1. Przygotowanie do druku", 8, 24, Look::Heading},
    {nullptr, "Teksty i fotografie:", 8, 48, Look::Caption},
    {"QRLabel49", "", 128, 48, Look::Value},
    {"QRLabel25", "", amountX, 48, Look::Value},
    {nullptr, "Projekt:", 8, 64, Look::Caption},
    {"QRLabel50", "", 64, 64, Look::Value},
    {"QRLabel27", "", amountX, 64, Look::Value},
    {nullptr, "Skład komp.:", 8, 80, Look::Caption},
    {"QRLabel51", "", 96, 80, Look::Value},
    {"QRLabel29", "", amountX, 80, Look::Value},
    {nullptr, "Skanowanie:", 8, 96, Look::Caption},
    {"QRLabel52", "", 96, 96, Look::Value},
    {"QRLabel31", "", amountX, 96, Look::Value},
    {nullptr, "Fotonaświetlarka:", 8, 112, Look::Caption},
    {"QRLabel53", "", 128, 112, Look::Value},
    {"QRLabel33", "", amountX, 112, Look::Value},
    {nullptr, "Razem:", 520, 144, Look::Total},
    {"QRLabel35", "", amountX, 144, Look::TotalValue},

    {nullptr, "2. Materiał", 8, 165, Look::Heading},
    {nullptr, "Papier:", 8, 192, Look::Caption},
    {"QRLabel54", "", 152, 192, Look::Value},
    {"QRLabel55", "", amountX, 192, Look::Value},
    {nullptr, "Dodatki:", 8, 208, Look::Caption},
    {"QRLabel56", "", 152, 208, Look::Value},
    {"QRLabel57", "", amountX, 208, Look::Value},
    {nullptr, "Dodatki specjalne:", 8, 224, Look::Caption},
    {"QRLabel58", "", 152, 224, Look::Value},
    {"QRLabel59", "", amountX, 224, Look::Value},
    {nullptr, "Płyty do druku tekstu:", 8, 240, Look::Caption},
    {"QRLabel60", "", 152, 240, Look::Value},
    {"QRLabel61", "", amountX, 240, Look::Value},
    {nullptr, "Płyty do druku kolor.:", 8, 256, Look::Caption},
    {"QRLabel62", "", 152, 256, Look::Value},
    {"QRLabel63", "", amountX, 256, Look::Value},
    {nullptr, "Materiał razem:", 408, 288, Look::Caption},
    {"QRLabel45", "", amountX, 288, Look::Value},
    {nullptr, "Narzut do materiału:", 408, 304, Look::Caption},
    {"QRLabel46", "", 536, 304, Look::Value},
    {nullptr, "%", 567, 304, Look::Caption},
    {"QRLabel47", "", amountX, 304, Look::Value},
    {nullptr, "Razem:", 408, 320, Look::Total},
    {"QRLabel48", "", amountX, 320, Look::TotalValue},

    {nullptr, "3. Robocizna", 8, 341, Look::Heading},
    {nullptr, "Lakierowanie:", 256, 365, Look::Caption},
    {"QRLabel66", "", 360, 365, Look::Value},
    {nullptr, "Pakowanie:", 520, 365, Look::Caption},
    {"QRLabel68", "", amountX, 365, Look::Value},
    {nullptr, "Sztancowanie:", 256, 381, Look::Caption},
    {"QRLabel70", "", 360, 381, Look::Value},
    {nullptr, "Klejenie:", 520, 381, Look::Caption},
    {"QRLabel72", "", amountX, 381, Look::Value},
    {nullptr, "Falcowanie:", 256, 397, Look::Caption},
    {"QRLabel74", "", 360, 397, Look::Value},
    {"QRLabel75", "", amountX, 397, Look::Value},
    {nullptr, "Transport:", 256, 413, Look::Caption},
    {"QRLabel77", "", 360, 413, Look::Value},
    {"QRLabel78", "", amountX, 413, Look::Value},
    {nullptr, "Razem:", 520, 444, Look::Total},
    {"QRLabel80", "", amountX, 444, Look::TotalValue},

    {nullptr, "4. Robocizna bezpośrednia", 8, 460, Look::Heading},
    {nullptr, "Druk czarno-biały:", 8, 488, Look::Caption},
    {"QRLabel89", "", 128, 488, Look::Value},
    {"QRLabel94", "", amountX, 488, Look::Value},
    {nullptr, "Druk kolorowy:", 8, 504, Look::Caption},
    {"QRLabel90", "", 128, 504, Look::Value},
    {"QRLabel95", "", amountX, 504, Look::Value},
    {nullptr, "Szycie:", 8, 520, Look::Caption},
    {"QRLabel91", "", 128, 520, Look::Value},
    {"QRLabel96", "", amountX, 520, Look::Value},
    {nullptr, "Cięcie:", 8, 536, Look::Caption},
    {"QRLabel92", "", 128, 536, Look::Value},
    {"QRLabel97", "", amountX, 536, Look::Value},
    {nullptr, "Inne:", 8, 552, Look::Caption},
    {"QRLabel93", "", 128, 552, Look::Value},
    {"QRLabel98", "", amountX, 552, Look::Value},
    {nullptr, "Razem:", 520, 584, Look::Total},
    {"QRLabel88", "", amountX, 584, Look::TotalValue},

    {nullptr, "Podsumowanie", 16, 610, Look::Heading},
    {nullptr, "Robocizna razem:", 408, 637, Look::Caption},
    {"QRLabel103", "", amountX, 637, Look::Value},
    {nullptr, "Termin wykonania:", 16, 650, Look::Caption},
    {"QRLabel117", "", 136, 650, Look::Date},
    {nullptr, "Zysk od robocizny bezp.:", 408, 653, Look::Caption},
    {"QRLabel128", "", 560, 653, Look::Value},
    {nullptr, "%", 584, 653, Look::Caption},
    {"QRLabel104", "", amountX, 653, Look::Value},
    {nullptr, "Robocizna bezp.:", 408, 669, Look::Caption},
    {"QRLabel105", "", amountX, 669, Look::Value},
    {nullptr, "Rabat:", 16, 674, Look::Caption},
    {"QRLabel119", "", 64, 674, Look::Value},
    {nullptr, "%", 88, 674, Look::Caption},
    {nullptr, "od ceny netto", 112, 674, Look::Caption},
    {nullptr, "Pozycje 1-4 razem netto:", 408, 685, Look::Caption},
    {"QRLabel106", "", amountX, 685, Look::Value},
    {"QRLabel124", "", 16, 698, Look::Value},
    {nullptr, "Zaokrąglenie:", 408, 701, Look::Caption},
    {"QRLabel107", "", amountX, 701, Look::Value},
    {nullptr, "Podatek:", 408, 717, Look::Caption},
    {"QRLabel126", "", 560, 717, Look::Value},
    {nullptr, "%", 584, 717, Look::Caption},
    {"QRLabel108", "", amountX, 717, Look::Value},
    {"QRLabel125", "", 16, 722, Look::Value},
    {nullptr, "Cena brutto:", 408, 733, Look::Caption},
    {"QRLabel109", "", amountX, 733, Look::Value},
    {nullptr, "Cena jednostkowa:", 408, 749, Look::Caption},
    {"QRLabel110", "", amountX, 749, Look::Value},

    {nullptr, "Uwagi:", 0, 786, Look::Caption},
    {"QRLabel132", "", 48, 786, Look::Remarks},
};
constexpr double remarksRuleY = 770;

void addTexts(const Report& report, Band& band, const Text* first, const Text* last) {
    const double width = report.page.contentWidth();
    for (const Text* t = first; t != last; ++t) {
        Element& e = band.add(
            label(QString::fromLatin1(t->name ? t->name : ""), QString::fromUtf8(t->caption), t->x, t->y));
        e.withFont(fontFor(t->look));
        if (t->look == Look::Remarks) e.wrapped(remarksWidth);
        if (t->look == Look::Heading) band.add(hRule(0, t->y + headingRuleOffset, width));
        if (t->look == Look::Total)
            band.add(hRule(width / 2, t->y, width / 2)); // along the top of the total's line
    }
}

// A sheet control's text as the operator sees it.
QString controlText(const QString& name) {
    QWidget* w = Form1->control(name);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
    throw tv::Error(QStringLiteral("Brak pola arkusza: %1").arg(name));
}

// A label's text from a template naming sheet controls in braces: the factor
// rows print "{Edit10} x {Edit11} + {Edit12} x {Edit13}".
QString expand(const char* pattern) {
    static const QRegularExpression field(QStringLiteral("\\{(\\w+)\\}"));
    const QString text = QString::fromLatin1(pattern);
    QString out;
    qsizetype at = 0;
    for (auto it = field.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(at, m.capturedStart() - at);
        out += controlText(m.captured(1));
        at = m.capturedEnd();
    }
    return out + text.mid(at);
}

// Which sheet texts a value label shows.
struct Copy {
    const char* label;
    const char* pattern;
};

const Copy jobHeader[] = {
    {"QRLabel18", "{Edit1}"}, {"QRLabel20", "{Edit2}"},
    {"QRLabel19", "{Edit3}"}, {"QRLabel22", "{DBLookupComboBox1}"},
    {"QRLabel21", "{Edit4}"}, {"QRLabel16", "{Edit5}"},
};

const Copy preparation[] = {
    {"QRLabel49", "{Edit6}"},
    {"QRLabel50", "{Edit8}"},
    {"QRLabel51", "{Edit10} x {Edit11} + {Edit12} x {Edit13}"},
    {"QRLabel52", "{Edit15} x {Edit16}"},
    {"QRLabel53", "{Edit18} x {Edit19}"},
    {"QRLabel25", "{Edit7}"},
    {"QRLabel27", "{Edit9}"},
    {"QRLabel29", "{Edit14}"},
    {"QRLabel31", "{Edit17}"},
    {"QRLabel33", "{Edit20}"},
    {"QRLabel35", "{Edit21}"},
};

const Copy materialDescriptions[] = {
    {"QRLabel58", "{Edit29}"},
    {"QRLabel60", "{Edit31} x {Edit32}"},
    {"QRLabel62", "{Edit34} x {Edit35}"},
};

const Copy materialAmounts[] = {
    {"QRLabel55", "{Edit24}"}, {"QRLabel59", "{Edit30}"},    {"QRLabel61", "{Edit33}"},
    {"QRLabel63", "{Edit36}"}, {"QRLabel45", "{Edit37}"},    {"QRLabel47", "{Edit38}"},
    {"QRLabel48", "{Edit39}"}, {"QRLabel46", "{ComboBox4}"},
};

const Copy labour[] = {
    {"QRLabel66", "{Edit41}"},
    {"QRLabel70", "{Edit43}"},
    {"QRLabel68", "{Edit71}"},
    {"QRLabel72", "{Edit70}"},
    {"QRLabel74", "{Edit40} x {Edit78}"},
    {"QRLabel77", "{Edit72} x {Edit73}"},
    {"QRLabel75", "{Edit79}"},
    {"QRLabel78", "{Edit74}"},
    {"QRLabel80", "{Edit44}"},
};

const Copy directLabour[] = {
    {"QRLabel89", "{Edit45} x {Edit46} x {Edit47}"},
    {"QRLabel90", "{Edit49} x {Edit50} x {Edit51}"},
    {"QRLabel91", "{ComboBox5} x {Edit75} x {Edit77}"},
    {"QRLabel92", "{Edit53} x {Edit54}"},
    {"QRLabel93", "{Edit56} x {Edit57}"},
    {"QRLabel94", "{Edit48}"},
    {"QRLabel95", "{Edit52}"},
    {"QRLabel96", "{Edit76}"},
    {"QRLabel97", "{Edit55}"},
    {"QRLabel98", "{Edit58}"},
    {"QRLabel88", "{Edit59}"},
};

const Copy summary[] = {
    {"QRLabel119", "{ComboBox3}"}, {"QRLabel128", "{ComboBox2}"}, {"QRLabel126", "{ComboBox1}"},
    {"QRLabel103", "{Edit61}"},    {"QRLabel104", "{Edit62}"},    {"QRLabel105", "{Edit63}"},
    {"QRLabel106", "{Edit64}"},    {"QRLabel107", "{Edit65}"},    {"QRLabel108", "{Edit66}"},
    {"QRLabel109", "{Edit67}"},    {"QRLabel110", "{Edit68}"},
};

// The customer's printed name: the chosen Id's company, else its surname,
// else the Id itself; a text that names no customer prints as typed. The
// table is left on the matched row, or on its last row.
QString customerName() {
    const QString id = Form1->ComboBox7->currentText();
    tv::Table& customers = *Form1->kontrahenci;
    customers.first();
    const int count = customers.recordCount();
    for (int n = 1; n <= count; ++n) {
        if (customers.fieldByName(QStringLiteral("Id")).asString() == id) {
            for (const char* field : {"Firma", "Nazwisko", "Id"}) {
                const QString text = customers.fieldByName(QString::fromLatin1(field)).asString();
                if (!text.isEmpty()) return text;
            }
            return QString();
        }
        if (n < count) customers.next();
    }
    return id;
}

// The two extras lines in one description. The test is on the first line
// itself, so that a first line that happens to begin with a comma still prints.
QString extrasDescription() {
    const QString first = Form1->Edit25->text();
    const QString second = Form1->Edit27->text();
    return first.isEmpty() ? second : first + QStringLiteral(", ") + second;
}

// An extras amount not yet typed counts as nothing; any other text that is
// not a number stops the fill with the conversion error.
double extrasAmount(const QLineEdit* edit) {
    const QString text = edit->text();
    return text.isEmpty() ? 0.0 : tv::StrToFloat(text);
}

QString extrasTotal() {
    const double sum = extrasAmount(Form1->Edit26) + extrasAmount(Form1->Edit28);
    return tv::CurrToStr(tv::Currency::fromDouble(sum));
}

QString dateText(const QDate& date) {
    return tv::FormatDateTime(QStringLiteral("d/mm/yyyy"), date);
}

} // namespace

TForm7::TForm7(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("Form7"));
    QuickRep1.title = QStringLiteral("Kalkulacja");
    QuickRep1.baseFont = tahoma(10);
    const double width = QuickRep1.page.contentWidth();

    Band& title = QuickRep1.addBand(BandType::Title, 25, QStringLiteral("TitleBand1"));
    title.ruleBottom = true;
    title.add(label(QString(), QStringLiteral("KALKULACJA"), 8, 0)).withFont(tahoma(14, Bold));
    // At 12 pt bold the caption is wider than the 104 units before the date,
    // so it ends flush before the date instead of running under it.
    title.add(label(QString(), QStringLiteral("Data wykonania:"), dateCaptionX, 3))
        .withFont(tahoma(12, Bold))
        .alignedRight(printDateX - gap - dateCaptionX);
    title.add(label(QStringLiteral("QRLabel122"), QString(), printDateX, 3)).withFont(tahoma(12, Bold));

    Band& header = QuickRep1.addBand(BandType::GroupHeader, 106, QStringLiteral("GroupHeaderBand1"));
    addTexts(QuickRep1, header, std::begin(headerTexts), std::end(headerTexts));
    header.add(hRule(0, headerRuleY, width));

    // The paper lines are the paper dialog's, read while the report is laid out.
    Band& lines = QuickRep1.addBand(BandType::SubDetail, 16, QStringLiteral("QRSubDetail1"));
    if (Form4 && Form4->papkol) lines.source = tableSource(*Form4->papkol);
    for (const Column& c : paperColumns)
        lines.add(dataText(QString::fromLatin1(c.field), QString::fromLatin1(c.field), c.x, 1))
            .withFont(tahoma(9));

    // Never split: after six paper lines the whole band moves to a second page.
    Band& footer = QuickRep1.addBand(BandType::GroupFooter, 808, QStringLiteral("GroupFooterBand1"));
    footer.ruleBottom = true;
    addTexts(QuickRep1, footer, std::begin(footerTexts), std::end(footerTexts));
    footer.add(hRule(0, remarksRuleY, width));
}

TForm7::~TForm7() = default;

void TForm7::WypelnijKalkulacje() {
    auto set = [this](const char* name, const QString& text) {
        QuickRep1.label(QString::fromLatin1(name)).caption = text;
    };
    auto copy = [&set](const auto& copies) {
        for (const Copy& c : copies)
            set(c.label, expand(c.pattern));
    };

    // 1. Print date.
    set("QRLabel122", dateText(QDate::currentDate()));
    // 2. Customer.
    set("QRLabel17", customerName());
    // 3. Job header and the paper total.
    copy(jobHeader);
    // 4. Preparation for print.
    copy(preparation);
    // 5. Material.
    set("QRLabel54", expand("{Edit22} x {Edit23}"));
    set("QRLabel56", extrasDescription());
    copy(materialDescriptions);
    set("QRLabel57", extrasTotal());
    copy(materialAmounts);
    // 6. Labour.
    copy(labour);
    // 7. Direct labour.
    copy(directLabour);
    // 8. Summary.
    set("QRLabel117", dateText(Form1->DateTimePicker1->date()));
    copy(summary);
    // 9. ISSN line.
    const QString issn = Form1->Edit42->text();
    set("QRLabel124", issn.isEmpty() ? QString() : QStringLiteral("ISSN: ") + issn);
    // 10. VAT line.
    const QString scope = Form1->ComboBox6->currentText();
    set("QRLabel125", scope.isEmpty() ? QString()
                                      : QStringLiteral("VAT ") + Form1->ComboBox1->currentText() +
                                            QStringLiteral("% ") + scope);
    // 11. Remarks.
    set("QRLabel132", Form1->Edit69->text());
}
