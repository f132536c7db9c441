#include "costing/reports/calculation_report.h"

#include <span>

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QLineEdit>
#include <QRegularExpression>

#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "costing/reports/calculation_title.h"
#include "platform/clock.h"
#include "platform/convert.h"
#include "platform/report/table_source.h"
#include "platform/table.h"

TForm7* Form7 = nullptr;

using namespace tv::report;

namespace {

// Where the amounts of every cost line stand.
constexpr double amountX = 608;

enum class Look {
    Plain,   // caption, value and amount at 10 pt
    Heading, // section heading, 11 pt italic, a full-width rule under it
    Total,   // a section's "Razem:" and its amount at 11 pt, a rule over the right half above them
    Date,    // the completion date at 11 pt
    Remarks, // the remarks at 9 pt, wrapping at the remarks width and growing downwards
};

// One line of the design: a fixed caption, the value label after it and the
// line's amount label in the amount column; a line may lack any of them.
struct Line {
    double y;
    const char* caption;
    double captionX;
    const char* value = nullptr;
    double valueX = 0;
    const char* amount = nullptr;
    Look look = Look::Plain;
};

constexpr double remarksWidth = 665;
// A section heading's rule stands just under the heading's line.
constexpr double headingRuleOffset = 19;

// The job header and the column headings of the paper lines.
const Line headerLines[] = {
    {8, "Dla:", 8, "QRLabel17", 40},
    {24, "Nazwa druku:", 8, "QRLabel18", 96},
    {40, "Nakład:", 8, "QRLabel20", 64},
    {40, "Dostarczone materiały:", 336, "QRLabel19", 480},
    {56, "Format:", 8, "QRLabel22", 64},
    {56, "Dodatkowo:", 336, "QRLabel21", 416},
    {80, "Format:", 128},
    {80, "Ilość arkuszy", 200},
    {80, "Gramatura", 304},
    {80, "Ilość kolorów", 400},
    {80, "Rodzaj papieru", 496},
    {80, "Koszt", 608},
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
const Line footerLines[] = {
    {8, "Razem:", 520, nullptr, 0, "QRLabel16"},

    {24, "1. Przygotowanie do druku", 8, nullptr, 0, nullptr, Look::Heading},
    {48, "Teksty i fotografie:", 8, "QRLabel49", 128, "QRLabel25"},
    {64, "Projekt:", 8, "QRLabel50", 64, "QRLabel27"},
    {80, "Skład komp.:", 8, "QRLabel51", 96, "QRLabel29"},
    {96, "Skanowanie:", 8, "QRLabel52", 96, "QRLabel31"},
    {112, "Fotonaświetlarka:", 8, "QRLabel53", 128, "QRLabel33"},
    {144, "Razem:", 520, nullptr, 0, "QRLabel35", Look::Total},

    {165, "2. Materiał", 8, nullptr, 0, nullptr, Look::Heading},
    {192, "Papier:", 8, "QRLabel54", 152, "QRLabel55"},
    {208, "Dodatki:", 8, "QRLabel56", 152, "QRLabel57"},
    {224, "Dodatki specjalne:", 8, "QRLabel58", 152, "QRLabel59"},
    {240, "Płyty do druku tekstu:", 8, "QRLabel60", 152, "QRLabel61"},
    {256, "Płyty do druku kolor.:", 8, "QRLabel62", 152, "QRLabel63"},
    {288, "Materiał razem:", 408, nullptr, 0, "QRLabel45"},
    {304, "Narzut do materiału:", 408, "QRLabel46", 536, "QRLabel47"},
    {304, "%", 567},
    {320, "Razem:", 408, nullptr, 0, "QRLabel48", Look::Total},

    {341, "3. Robocizna", 8, nullptr, 0, nullptr, Look::Heading},
    {365, "Lakierowanie:", 256, "QRLabel66", 360},
    {365, "Pakowanie:", 520, nullptr, 0, "QRLabel68"},
    {381, "Sztancowanie:", 256, "QRLabel70", 360},
    {381, "Klejenie:", 520, nullptr, 0, "QRLabel72"},
    {397, "Falcowanie:", 256, "QRLabel74", 360, "QRLabel75"},
    {413, "Transport:", 256, "QRLabel77", 360, "QRLabel78"},
    {444, "Razem:", 520, nullptr, 0, "QRLabel80", Look::Total},

    {460, "4. Robocizna bezpośrednia", 8, nullptr, 0, nullptr, Look::Heading},
    {488, "Druk czarno-biały:", 8, "QRLabel89", 128, "QRLabel94"},
    {504, "Druk kolorowy:", 8, "QRLabel90", 128, "QRLabel95"},
    {520, "Szycie:", 8, "QRLabel91", 128, "QRLabel96"},
    {536, "Cięcie:", 8, "QRLabel92", 128, "QRLabel97"},
    {552, "Inne:", 8, "QRLabel93", 128, "QRLabel98"},
    {584, "Razem:", 520, nullptr, 0, "QRLabel88", Look::Total},

    {610, "Podsumowanie", 16, nullptr, 0, nullptr, Look::Heading},
    {637, "Robocizna razem:", 408, nullptr, 0, "QRLabel103"},
    {650, "Termin wykonania:", 16, "QRLabel117", 136, nullptr, Look::Date},
    {653, "Zysk od robocizny bezp.:", 408, "QRLabel128", 560, "QRLabel104"},
    {653, "%", 584},
    {669, "Robocizna bezp.:", 408, nullptr, 0, "QRLabel105"},
    {674, "Rabat:", 16, "QRLabel119", 64},
    {674, "%", 88},
    {674, "od ceny netto", 112},
    {685, "Pozycje 1-4 razem netto:", 408, nullptr, 0, "QRLabel106"},
    {698, nullptr, 0, "QRLabel124", 16},
    {701, "Zaokrąglenie:", 408, nullptr, 0, "QRLabel107"},
    {717, "Podatek:", 408, "QRLabel126", 560, "QRLabel108"},
    {717, "%", 584},
    {722, nullptr, 0, "QRLabel125", 16},
    {733, "Cena brutto:", 408, nullptr, 0, "QRLabel109"},
    {749, "Cena jednostkowa:", 408, nullptr, 0, "QRLabel110"},

    {786, "Uwagi:", 0, "QRLabel132", 48, nullptr, Look::Remarks},
};
constexpr double remarksRuleY = 770;

Font captionFont(Look look) {
    if (look == Look::Heading) return tahoma(11, Italic);
    return tahoma(look == Look::Total ? 11 : 10);
}

Font valueFont(Look look) {
    if (look == Look::Date) return tahoma(11);
    return tahoma(look == Look::Remarks ? 9 : 10);
}

void addLines(const Report& report, Band& band, std::span<const Line> lines) {
    const double width = report.page.contentWidth();
    for (const Line& line : lines) {
        if (line.caption)
            band.add(label(QString(), QString::fromUtf8(line.caption), line.captionX, line.y))
                .withFont(captionFont(line.look));
        if (line.value) {
            Element& value = band.add(label(QString::fromLatin1(line.value), QString(), line.valueX, line.y))
                                 .withFont(valueFont(line.look));
            if (line.look == Look::Remarks) value.wrapped(remarksWidth);
        }
        if (line.amount)
            band.add(label(QString::fromLatin1(line.amount), QString(), amountX, line.y))
                .withFont(tahoma(line.look == Look::Total ? 11 : 10));
        if (line.look == Look::Heading) band.add(hRule(0, line.y + headingRuleOffset, width));
        if (line.look == Look::Total)
            band.add(hRule(width / 2, line.y, width / 2)); // along the top of the total's line
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
    const double width = QuickRep1.page.contentWidth();

    Band& title = addCalculationTitle(QuickRep1, 25, Bold);
    title.ruleBottom = true;
    title.add(label(QStringLiteral("QRLabel122"), QString(), printDateX, 3)).withFont(tahoma(12, Bold));

    Band& header = QuickRep1.addBand(BandType::GroupHeader, 106, QStringLiteral("GroupHeaderBand1"));
    addLines(QuickRep1, header, headerLines);
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
    addLines(QuickRep1, footer, footerLines);
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
    set("QRLabel122", dateText(tv::today()));
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
