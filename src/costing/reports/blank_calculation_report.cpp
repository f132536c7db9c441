#include "costing/reports/blank_calculation_report.h"

#include <span>

#include "costing/reports/calculation_title.h"

TForm10* Form10 = nullptr;

using namespace tv::report;

namespace {

enum class Look {
    Plain,   // 10 pt
    Heading, // section heading, 11 pt italic underlined
    Total,   // "Razem:" at 11 pt, its amount box as tall as its line
};

enum class Blank {
    None,
    Line, // an underlined blank from `from` to `to`, just under the row's text
    Box,  // a framed blank from `from` to `to`, one row high
};

// One piece of a row of the blank form: a caption, the blank after it and a
// framed box in the amount column; a piece may lack any of them.
struct Row {
    double y;
    const char* caption;
    double captionX;
    Blank blank = Blank::None;
    double from = 0;
    double to = 0;
    bool amount = false;
    Look look = Look::Plain;
};
constexpr bool boxed = true;

constexpr double amountX = 608;
constexpr double amountWidth = 105;
constexpr double rowHeight = 16;
constexpr double totalHeight = 18;
// Where a blank line stands below the top of its row: just under the text.
constexpr double underline = 15;
// The header's lines run to the right margin, descriptions up to the amount
// column, the left column of the summary up to the amounts' captions.
constexpr double pageEnd = 718;
constexpr double lineEnd = 600;
constexpr double summaryLineEnd = 392;

const Row titleRows[] = {
    {40, "Dla:", 8, Blank::Line, 40, pageEnd},
    {60, "Nazwa druku:", 8, Blank::Line, 96, pageEnd},
    {80, "Nakład:", 8, Blank::Line, 64, 320},
    {80, "Dostarczone materiały:", 336, Blank::Line, 480, pageEnd},
    {100, "Format:", 8, Blank::Line, 64, 320},
    {100, "Dodatkowo:", 336, Blank::Line, 416, pageEnd},
    {120, "Rodzaje papieru: ", 8, Blank::Line, 120, pageEnd},
    {136, nullptr, 0, Blank::Line, 8, pageEnd},
};

const Row footerRows[] = {
    {24, "1. Przygotowanie do druku", 8, Blank::None, 0, 0, false, Look::Heading},
    {48, "Teksty i fotografie:", 8, Blank::Line, 128, lineEnd, boxed},
    {64, "Projekt:", 8, Blank::Line, 128, lineEnd, boxed},
    // The factor rows: line "x" line "zł" "+" line "x" line "zł", and the like.
    {80, "Skład komp.:", 8, Blank::Line, 96, 156, boxed},
    {80, "x", 162, Blank::Line, 174, 234},
    {80, "zł", 238},
    {80, "+", 258, Blank::Line, 274, 334},
    {80, "x", 340, Blank::Line, 352, 412},
    {80, "zł", 416},
    {96, "Skanowanie:", 8, Blank::Line, 96, 156, boxed},
    {96, "MB", 160},
    {96, "x", 186, Blank::Line, 198, 258},
    {96, "zł", 262},
    {112, "Fotonaświetlarka:", 8, Blank::Line, 128, 188, boxed},
    {112, "m", 192},
    {112, "x", 210, Blank::Line, 222, 282},
    {112, "zł", 286},
    {144, "Razem:", 544, Blank::None, 0, 0, boxed, Look::Total},

    {165, "2. Materiał", 8, Blank::None, 0, 0, false, Look::Heading},
    {192, "Papier:", 8, Blank::Line, 152, lineEnd, boxed},
    {208, "Dodatki:", 8, Blank::Line, 152, lineEnd, boxed},
    {224, "Dodatki specjalne:", 8, Blank::Line, 152, lineEnd, boxed},
    {240, "Płyty do druku tekstu:", 8, Blank::Line, 152, lineEnd, boxed},
    {256, "Płyty do druku kolor.:", 8, Blank::Line, 152, lineEnd, boxed},
    {288, "Materiał razem:", 408, Blank::None, 0, 0, boxed},
    {304, "Narzut do materiału:", 408, Blank::Box, 536, 564, boxed},
    {304, "%", 567},
    {320, "Razem:", 544, Blank::None, 0, 0, boxed, Look::Total},

    {341, "3. Robocizna", 8, Blank::None, 0, 0, false, Look::Heading},
    {365, "Lakierowanie:", 256, Blank::Box, 360, 360 + amountWidth},
    {365, "Pakowanie:", 520, Blank::None, 0, 0, boxed},
    {381, "Sztancowanie:", 256, Blank::Box, 360, 360 + amountWidth},
    {381, "Klejenie:", 520, Blank::None, 0, 0, boxed},
    {397, "Falcowanie:", 256, Blank::Line, 360, lineEnd, boxed},
    {413, "Transport:", 256, Blank::Line, 360, lineEnd, boxed},
    {444, "Razem:", 544, Blank::None, 0, 0, boxed, Look::Total},

    {460, "4. Robocizna bezpośrednia", 8, Blank::None, 0, 0, false, Look::Heading},
    {488, "Druk czarno-biały:", 8, Blank::Line, 128, lineEnd, boxed},
    {504, "Druk kolorowy:", 8, Blank::Line, 128, lineEnd, boxed},
    {520, "Szycie:", 8, Blank::Line, 128, lineEnd, boxed},
    {536, "Cięcie:", 8, Blank::Line, 128, lineEnd, boxed},
    {552, "Inne:", 8, Blank::Line, 128, lineEnd, boxed},
    {584, "Razem:", 544, Blank::None, 0, 0, boxed, Look::Total},

    {610, "Podsumowanie", 16, Blank::None, 0, 0, false, Look::Heading},
    {637, "Robocizna razem:", 408, Blank::None, 0, 0, boxed},
    {650, "Termin wykonania:", 16, Blank::Line, 136, summaryLineEnd},
    {653, "Zysk od robocizny bezp.:", 408, Blank::Box, 560, 582, boxed},
    {653, "%", 584},
    {669, "Robocizna bezp.:", 408, Blank::None, 0, 0, boxed},
    {674, "Rabat:", 16, Blank::Box, 60, 86},
    {674, "%", 88},
    {674, "od ceny brutto:", 112, Blank::Line, 208, summaryLineEnd},
    {685, "Pozycje 1-4 razem netto:", 408, Blank::None, 0, 0, boxed},
    {698, "ISSN:", 16, Blank::Line, 56, summaryLineEnd},
    {701, "Zaokrąglenie:", 408, Blank::None, 0, 0, boxed},
    {717, "Podatek:", 408, Blank::Box, 560, 582, boxed},
    {717, "%", 584},
    {722, "VAT 0% do:", 16, Blank::Line, 96, summaryLineEnd},
    {733, "Cena brutto:", 408, Blank::None, 0, 0, boxed},
    {749, "Cena jednostkowa:", 408, Blank::None, 0, 0, boxed},

    {772, "Uwagi:", 0},
};
constexpr double remarksBoxY = 790;
constexpr double remarksBoxHeight = 40;

Font captionFont(Look look) {
    if (look == Look::Heading) return tahoma(11, Italic | Underline);
    return tahoma(look == Look::Total ? 11 : 10);
}

void addRows(Band& band, std::span<const Row> rows) {
    for (const Row& row : rows) {
        if (row.caption)
            band.add(label(QString(), QString::fromUtf8(row.caption), row.captionX, row.y))
                .withFont(captionFont(row.look));
        if (row.blank == Blank::Line) band.add(hRule(row.from, row.y + underline, row.to - row.from));
        if (row.blank == Blank::Box)
            band.add(frame(QString(), row.from, row.y - 1, row.to - row.from, rowHeight));
        if (row.amount)
            band.add(frame(QString(), amountX, row.y - 1, amountWidth,
                           row.look == Look::Total ? totalHeight : rowHeight));
    }
}

} // namespace

TForm10::TForm10(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("Form10"));
    const double width = QuickRep1.page.contentWidth();

    Band& title = addCalculationTitle(QuickRep1, 155, Bold | Underline);
    title.add(frame(QString(), printDateX, 1, amountWidth, 22));
    addRows(title, titleRows);

    // Printed at the foot of the page, below the header's blanks.
    Band& footer = QuickRep1.addBand(BandType::PageFooter, 835, QStringLiteral("PageFooterBand1"));
    addRows(footer, footerRows);
    footer.add(frame(QString(), 0, remarksBoxY, width, remarksBoxHeight));
}

TForm10::~TForm10() = default;
