#include "costing/reports/blank_calculation_report.h"

#include <iterator>

TForm10* Form10 = nullptr;

using namespace tv::report;

namespace {

enum class Piece {
    Caption,     // 10 pt
    Heading,     // section heading, 11 pt italic underlined
    Total,       // "Razem:", 11 pt
    Line,        // an underlined blank from x to `to`, under the row's text
    Box,         // a framed blank at x, `to` wide, one row high
    Amount,      // a framed blank in the amount column
    TotalAmount, // the same, as tall as an 11 pt line
};

struct Blank {
    Piece piece;
    const char* text;
    double x;
    double y;
    double to = 0;
};

constexpr double amountX = 608;
constexpr double amountWidth = 105;
constexpr double rowHeight = 16;
constexpr double totalHeight = 18;
// Where a blank line stands below the top of its row: just under the text.
constexpr double underline = 15;
// Descriptions run up to the amount column.
constexpr double lineEnd = 600;
// The left column of the summary ends before the amounts' captions.
constexpr double summaryLineEnd = 392;
constexpr double percentWidth = 22;

const Blank titleBlanks[] = {
    {Piece::Line, "", 40, 40, 718},
    {Piece::Caption, "Dla:", 8, 40},
    {Piece::Caption, "Nazwa druku:", 8, 60},
    {Piece::Line, "", 96, 60, 718},
    {Piece::Caption, "Nakład:", 8, 80},
    {Piece::Line, "", 64, 80, 320},
    {Piece::Caption, "Dostarczone materiały:", 336, 80},
    {Piece::Line, "", 480, 80, 718},
    {Piece::Caption, "Format:", 8, 100},
    {Piece::Line, "", 64, 100, 320},
    {Piece::Caption, "Dodatkowo:", 336, 100},
    {Piece::Line, "", 416, 100, 718},
    {Piece::Caption, "Rodzaje papieru: ", 8, 120},
    {Piece::Line, "", 120, 120, 718},
    {Piece::Line, "", 8, 136, 718},
};

const Blank footerBlanks[] = {
    {Piece::Heading, "1. Przygotowanie do druku", 8, 24},
    {Piece::Caption, "Teksty i fotografie:", 8, 48},
    {Piece::Line, "", 128, 48, lineEnd},
    {Piece::Amount, "", amountX, 48},
    {Piece::Caption, "Projekt:", 8, 64},
    {Piece::Line, "", 128, 64, lineEnd},
    {Piece::Amount, "", amountX, 64},
    {Piece::Caption, "Skład komp.:", 8, 80},
    {Piece::Line, "", 96, 80, 156},
    {Piece::Caption, "x", 162, 80},
    {Piece::Line, "", 174, 80, 234},
    {Piece::Caption, "zł", 238, 80},
    {Piece::Caption, "+", 258, 80},
    {Piece::Line, "", 274, 80, 334},
    {Piece::Caption, "x", 340, 80},
    {Piece::Line, "", 352, 80, 412},
    {Piece::Caption, "zł", 416, 80},
    {Piece::Amount, "", amountX, 80},
    {Piece::Caption, "Skanowanie:", 8, 96},
    {Piece::Line, "", 96, 96, 156},
    {Piece::Caption, "MB", 160, 96},
    {Piece::Caption, "x", 186, 96},
    {Piece::Line, "", 198, 96, 258},
    {Piece::Caption, "zł", 262, 96},
    {Piece::Amount, "", amountX, 96},
    {Piece::Caption, "Fotonaświetlarka:", 8, 112},
    {Piece::Line, "", 128, 112, 188},
    {Piece::Caption, "m", 192, 112},
    {Piece::Caption, "x", 210, 112},
    {Piece::Line, "", 222, 112, 282},
    {Piece::Caption, "zł", 286, 112},
    {Piece::Amount, "", amountX, 112},
    {Piece::Total, "Razem:", 544, 144},
    {Piece::TotalAmount, "", amountX, 144},

    {Piece::Heading, "2. Materiał", 8, 165},
    {Piece::Caption, "Papier:", 8, 192},
    {Piece::Line, "", 152, 192, lineEnd},
    {Piece::Amount, "", amountX, 192},
    {Piece::Caption, "Dodatki:", 8, 208},
    {Piece::Line, "", 152, 208, lineEnd},
    {Piece::Amount, "", amountX, 208},
    {Piece::Caption, "Dodatki specjalne:", 8, 224},
    {Piece::Line, "", 152, 224, lineEnd},
    {Piece::Amount, "", amountX, 224},
    {Piece::Caption, "Płyty do druku tekstu:", 8, 240},
    {Piece::Line, "", 152, 240, lineEnd},
    {Piece::Amount, "", amountX, 240},
    {Piece::Caption, "Płyty do druku kolor.:", 8, 256},
    {Piece::Line, "", 152, 256, lineEnd},
    {Piece::Amount, "", amountX, 256},
    {Piece::Caption, "Materiał razem:", 408, 288},
    {Piece::Amount, "", amountX, 288},
    {Piece::Caption, "Narzut do materiału:", 408, 304},
    {Piece::Box, "", 536, 304, percentWidth + 6},
    {Piece::Caption, "%", 567, 304},
    {Piece::Amount, "", amountX, 304},
    {Piece::Total, "Razem:", 544, 320},
    {Piece::TotalAmount, "", amountX, 320},

    {Piece::Heading, "3. Robocizna", 8, 341},
    {Piece::Caption, "Lakierowanie:", 256, 365},
    {Piece::Box, "", 360, 365, amountWidth},
    {Piece::Caption, "Pakowanie:", 520, 365},
    {Piece::Amount, "", amountX, 365},
    {Piece::Caption, "Sztancowanie:", 256, 381},
    {Piece::Box, "", 360, 381, amountWidth},
    {Piece::Caption, "Klejenie:", 520, 381},
    {Piece::Amount, "", amountX, 381},
    {Piece::Caption, "Falcowanie:", 256, 397},
    {Piece::Line, "", 360, 397, lineEnd},
    {Piece::Amount, "", amountX, 397},
    {Piece::Caption, "Transport:", 256, 413},
    {Piece::Line, "", 360, 413, lineEnd},
    {Piece::Amount, "", amountX, 413},
    {Piece::Total, "Razem:", 544, 444},
    {Piece::TotalAmount, "", amountX, 444},

    {Piece::Heading, "4. Robocizna bezpośrednia", 8, 460},
    {Piece::Caption, "Druk czarno-biały:", 8, 488},
    {Piece::Line, "", 128, 488, lineEnd},
    {Piece::Amount, "", amountX, 488},
    {Piece::Caption, "Druk kolorowy:", 8, 504},
    {Piece::Line, "", 128, 504, lineEnd},
    {Piece::Amount, "", amountX, 504},
    {Piece::Caption, "Szycie:", 8, 520},
    {Piece::Line, "", 128, 520, lineEnd},
    {Piece::Amount, "", amountX, 520},
    {Piece::Caption, "Cięcie:", 8, 536},
    {Piece::Line, "", 128, 536, lineEnd},
    {Piece::Amount, "", amountX, 536},
    {Piece::Caption, "Inne:", 8, 552},
    {Piece::Line, "", 128, 552, lineEnd},
    {Piece::Amount, "", amountX, 552},
    {Piece::Total, "Razem:", 544, 584},
    {Piece::TotalAmount, "", amountX, 584},

    {Piece::Heading, "Podsumowanie", 16, 610},
    {Piece::Caption, "Robocizna razem:", 408, 637},
    {Piece::Amount, "", amountX, 637},
    {Piece::Caption, "Termin wykonania:", 16, 650},
    {Piece::Line, "", 136, 650, summaryLineEnd},
    {Piece::Caption, "Zysk od robocizny bezp.:", 408, 653},
    {Piece::Box, "", 560, 653, percentWidth},
    {Piece::Caption, "%", 584, 653},
    {Piece::Amount, "", amountX, 653},
    {Piece::Caption, "Robocizna bezp.:", 408, 669},
    {Piece::Amount, "", amountX, 669},
    {Piece::Caption, "Rabat:", 16, 674},
    {Piece::Box, "", 60, 674, percentWidth + 4},
    {Piece::Caption, "%", 88, 674},
    {Piece::Caption, "od ceny brutto:", 112, 674},
    {Piece::Line, "", 204, 674, summaryLineEnd},
    {Piece::Caption, "Pozycje 1-4 razem netto:", 408, 685},
    {Piece::Amount, "", amountX, 685},
    {Piece::Caption, "ISSN:", 16, 698},
    {Piece::Line, "", 56, 698, summaryLineEnd},
    {Piece::Caption, "Zaokrąglenie:", 408, 701},
    {Piece::Amount, "", amountX, 701},
    {Piece::Caption, "Podatek:", 408, 717},
    {Piece::Box, "", 560, 717, percentWidth},
    {Piece::Caption, "%", 584, 717},
    {Piece::Amount, "", amountX, 717},
    {Piece::Caption, "VAT 0% do:", 16, 722},
    {Piece::Line, "", 96, 722, summaryLineEnd},
    {Piece::Caption, "Cena brutto:", 408, 733},
    {Piece::Amount, "", amountX, 733},
    {Piece::Caption, "Cena jednostkowa:", 408, 749},
    {Piece::Amount, "", amountX, 749},

    {Piece::Caption, "Uwagi:", 0, 772},
};
constexpr double remarksBoxY = 790;
constexpr double remarksBoxHeight = 40;

void addBlanks(Band& band, const Blank* first, const Blank* last) {
    for (const Blank* b = first; b != last; ++b) {
        const QString text = QString::fromUtf8(b->text);
        switch (b->piece) {
        case Piece::Caption:
            band.add(label(QString(), text, b->x, b->y));
            break;
        case Piece::Heading:
            band.add(label(QString(), text, b->x, b->y)).withFont(tahoma(11, Italic | Underline));
            break;
        case Piece::Total:
            band.add(label(QString(), text, b->x, b->y)).withFont(tahoma(11));
            break;
        case Piece::Line:
            band.add(hRule(b->x, b->y + underline, b->to - b->x));
            break;
        case Piece::Box:
            band.add(frame(QString(), b->x, b->y - 1, b->to, rowHeight));
            break;
        case Piece::Amount:
            band.add(frame(QString(), amountX, b->y - 1, amountWidth, rowHeight));
            break;
        case Piece::TotalAmount:
            band.add(frame(QString(), amountX, b->y - 1, amountWidth, totalHeight));
            break;
        }
    }
}

} // namespace

TForm10::TForm10(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("Form10"));
    QuickRep1.title = QStringLiteral("Kalkulacja");
    QuickRep1.baseFont = tahoma(10);
    const double width = QuickRep1.page.contentWidth();

    Band& title = QuickRep1.addBand(BandType::Title, 155, QStringLiteral("TitleBand1"));
    title.add(label(QString(), QStringLiteral("KALKULACJA"), 8, 0)).withFont(tahoma(14, Bold | Underline));
    // The caption ends flush before its box, as on the calculation printout.
    title.add(label(QString(), QStringLiteral("Data wykonania:"), 466, 3))
        .withFont(tahoma(12, Bold))
        .alignedRight(130);
    title.add(frame(QString(), 600, 1, amountWidth, 22));
    addBlanks(title, std::begin(titleBlanks), std::end(titleBlanks));

    // Printed at the foot of the page, below the header's blanks.
    Band& footer = QuickRep1.addBand(BandType::PageFooter, 835, QStringLiteral("PageFooterBand1"));
    addBlanks(footer, std::begin(footerBlanks), std::end(footerBlanks));
    footer.add(frame(QString(), 0, remarksBoxY, width, remarksBoxHeight));
}

TForm10::~TForm10() = default;
