#include "invoicing/payment_forms.h"

#include <initializer_list>

TQuickReport1* QuickReport1 = nullptr;
TQuickReport2* QuickReport2 = nullptr;
TQuickReport3* QuickReport3 = nullptr;
TQuickReport4* QuickReport4 = nullptr;
TQuickReport5* QuickReport5 = nullptr;
TQuickReport6* QuickReport6 = nullptr;

namespace {

using namespace tv::report;

// One printed thing of a form part, in millimetres from the part's top-left
// corner. A data item is an empty label named "<name>_<part>", the place a
// filling would write into.
struct Item {
    enum Kind { Caption, Bold, Title, Box, Data };
    Kind kind;
    double x;
    double y;
    double w = 0;
    double h = 0;
    const char* text = "";
};

Item caption(double x, double y, const char* text) {
    return {Item::Caption, x, y, 0, 0, text};
}
Item bold(double x, double y, const char* text) {
    return {Item::Bold, x, y, 0, 0, text};
}
Item title(double x, double y, const char* text) {
    return {Item::Title, x, y, 0, 0, text};
}
Item box(double x, double y, double w, double h) {
    return {Item::Box, x, y, w, h, ""};
}
Item data(double x, double y, double w, const char* name) {
    return {Item::Data, x, y, w, 0, name};
}

// A form laid out on one band as tall as the page's printable area.
class FormSheet {
public:
    FormSheet(Report& report, const QString& name) {
        const double height = report.page.contentHeight() - 1;
        m_band = &report.addBand(BandType::Title, height, QStringLiteral("FormBand"));
        report.title = name;
    }

    void place(std::initializer_list<Item> items, double originX, double originY, int part) {
        for (const Item& item : items)
            add(item, originX, originY, part);
    }
    void add(const Item& item, double originX, double originY, int part) {
        const double x = mmToUnits(originX + item.x);
        const double y = mmToUnits(originY + item.y);
        const QString text = QString::fromUtf8(item.text);
        switch (item.kind) {
        case Item::Caption:
            m_band->add(label(QString(), text, x, y).withFont(tahoma(6.5)));
            break;
        case Item::Bold:
            m_band->add(label(QString(), text, x, y).withFont(tahoma(7.5, Bold)));
            break;
        case Item::Title:
            m_band->add(label(QString(), text, x, y).withFont(tahoma(10, Bold)));
            break;
        case Item::Box:
            m_band->add(frame(QString(), x, y, mmToUnits(item.w), mmToUnits(item.h)));
            break;
        case Item::Data: {
            Element e = label(QStringLiteral("%1_%2").arg(text).arg(part), QString(), x, y);
            e.autoSize = false;
            e.width = mmToUnits(item.w);
            m_band->add(e.withFont(tahoma(9)));
            break;
        }
        }
    }

private:
    Band* m_band;
};

void landscape(Report& report) {
    report.page.widthMm = 297;
    report.page.heightMm = 210;
}

// Combined forms: 10 mm at the left and the foot, 5.5 mm at the top and right.
void combinedFormPage(Report& report) {
    report.page.leftMm = 10;
    report.page.bottomMm = 10;
    report.page.topMm = 5.5;
    report.page.rightMm = 5.5;
}

// ---- "POLECENIE PRZELEWU": four parts, two by two ----------------------------------

void transferOrder(Report& report) {
    landscape(report);
    FormSheet sheet(report, QStringLiteral("Polecenie przelewu"));
    for (int part = 0; part < 4; ++part) {
        const double ox = (part % 2) * 142;
        const double oy = (part / 2) * 98;
        sheet.place({box(0, 0, 135, 92),
                     title(3, 2, "POLECENIE PRZELEWU"),
                     caption(104, 3, "PL. kas.:"),
                     box(117, 2, 16, 5),
                     bold(3, 9, "W ciężar rachunku"),
                     box(2, 14, 64, 31),
                     caption(4, 15, "nazwa dłużnika:"),
                     data(4, 19, 60, "NazwaDluznika"),
                     caption(4, 25, "w (banku):"),
                     data(4, 29, 60, "BankDluznika"),
                     caption(4, 35, "nr rachunku"),
                     box(4, 39, 60, 5),
                     data(5, 39.5, 58, "RachunekDluznika"),
                     bold(70, 9, "Na dobro rachunku"),
                     box(69, 14, 64, 31),
                     caption(71, 15, "nazwa wierzyciela:"),
                     data(71, 19, 60, "NazwaWierzyciela"),
                     caption(71, 25, "w (banku):"),
                     data(71, 29, 60, "BankWierzyciela"),
                     caption(71, 35, "nr rachunku"),
                     box(71, 39, 60, 5),
                     data(72, 39.5, 58, "RachunekWierzyciela"),
                     caption(3, 48, "kwota"),
                     box(2, 52, 50, 7),
                     data(4, 53, 46, "Kwota"),
                     caption(56, 48, "tytułem"),
                     box(55, 52, 78, 7),
                     data(57, 53, 74, "Tytulem"),
                     caption(3, 63, "data:"),
                     box(2, 67, 40, 7),
                     data(4, 68, 36, "Data"),
                     box(46, 63, 40, 27),
                     caption(48, 64, "stempel banku"),
                     box(90, 63, 43, 22),
                     caption(90, 86, "(Pieczęć zleceniobiorcy i podpisy)")},
                    ox, oy, part + 1);
    }
}

// ---- the two four-part pay-in forms: four strips side by side ----------------------

constexpr double kStripWidth = 66;
constexpr double kStripStep = 70.33; // four strips over the 277 mm of the page

void bankPayIn(Report& report) {
    landscape(report);
    FormSheet sheet(report, QStringLiteral("Bankowy dowód wpłaty"));
    const char* const numerals[] = {"I", "II", "III", "IV"};
    const char* const titles[] = {"DOWÓD WPŁATY", "POKWITOWANIE", "ODCINEK DLA BANKU ODBIORCY",
                                  "ZAWIADOMIENIE O KSIĘGOWANIU"};
    for (int part = 0; part < 4; ++part) {
        const double ox = part * kStripStep;
        sheet.place({box(0, 0, kStripWidth, 190),
                     bold(2, 2, "BANKOWY DOWÓD WPŁATY"),
                     bold(2, 8, titles[part]),
                     bold(kStripWidth - 9, 2, numerals[part]),
                     caption(2, 16, "Nazwa i adres odbiorcy wpłaty"),
                     box(2, 20, 62, 18),
                     data(3, 21, 60, "Odbiorca"),
                     data(3, 27, 60, "AdresOdbiorcy"),
                     caption(2, 42, "Na dobro rachunku:"),
                     box(2, 46, 62, 6),
                     data(3, 46.5, 60, "Rachunek"),
                     caption(2, 56, "W banku:"),
                     box(2, 60, 62, 6),
                     data(3, 60.5, 60, "Bank"),
                     caption(2, 70, "Nazwa i adres wpłacającego"),
                     box(2, 74, 62, 18),
                     data(3, 75, 60, "Wplacajacy"),
                     data(3, 81, 60, "AdresWplacajacego"),
                     caption(2, 96, "kwota zł"),
                     box(2, 100, 40, 7),
                     data(3, 101, 38, "Kwota"),
                     caption(2, 111, "Słownie złotych:"),
                     box(2, 115, 62, 12),
                     data(3, 116, 60, "Slownie"),
                     caption(2, 131, "tytuł wpłaty"),
                     box(2, 135, 62, 12),
                     data(3, 136, 60, "Tytul"),
                     box(2, 152, 62, 34),
                     caption(4, 153, "stempel banku")},
                    ox, 0, part + 1);
    }
}

void postPayIn(Report& report) {
    landscape(report);
    FormSheet sheet(report, QStringLiteral("Dowód wpłaty"));
    const char* const titles[] = {"Potwierdzenie dla wpłacającego", "Odcinek dla posiadacza rachunku",
                                  "Odcinek dla poczty", "Odcinek dla banku"};
    for (int part = 0; part < 4; ++part) {
        const double ox = part * kStripStep;
        sheet.place({box(0, 0, kStripWidth, 190),
                     bold(2, 2, titles[part]),
                     caption(2, 10, "Odbiorca"),
                     box(2, 14, 62, 16),
                     data(3, 15, 60, "Odbiorca"),
                     data(3, 21, 60, "AdresOdbiorcy"),
                     caption(2, 34, "Nr konta"),
                     box(2, 38, 62, 6),
                     data(3, 38.5, 60, "NrKonta"),
                     caption(2, 48, "w banku:"),
                     box(2, 52, 62, 6),
                     data(3, 52.5, 60, "Bank"),
                     caption(2, 62, "kwota zł"),
                     box(2, 66, 40, 7),
                     data(3, 67, 38, "Kwota"),
                     caption(2, 77, "słownie"),
                     box(2, 81, 62, 10),
                     data(3, 82, 60, "Slownie"),
                     caption(2, 95, "Wpłacający"),
                     box(2, 99, 62, 16),
                     data(3, 100, 60, "Wplacajacy"),
                     data(3, 106, 60, "AdresWplacajacego"),
                     caption(2, 119, "Tytułem"),
                     box(2, 123, 62, 10),
                     data(3, 124, 60, "Tytulem"),
                     caption(2, 137, "pobrano opłatę"),
                     box(2, 141, 30, 7),
                     data(3, 142, 28, "Oplata"),
                     box(34, 141, 30, 25),
                     caption(36, 142, "stempel"),
                     box(2, 170, 62, 14),
                     caption(2, 185, "podpis przyjmującego")},
                    ox, 0, part + 1);
    }
}

// ---- the combined transfer and pay-in form: two copies, one above the other ---------

void combinedCopy(FormSheet& sheet, double oy, int copy, bool markers) {
    sheet.place({box(0, 0, 194, 138),
                 caption(2, 2, "Nazwa odbiorcy"),
                 box(2, 6, 140, 7),
                 data(3, 7, 138, "NazwaOdbiorcy"),
                 caption(2, 15, "Nazwa odbiorcy c.d."),
                 box(2, 19, 140, 7),
                 data(3, 20, 138, "NazwaOdbiorcyCd"),
                 caption(2, 28, "nr rachunku odbiorcy"),
                 box(2, 32, 140, 7),
                 data(3, 33, 138, "RachunekOdbiorcy"),
                 caption(2, 41, "Waluta"),
                 box(2, 45, 16, 7),
                 bold(5, 46, "PLN"),
                 caption(22, 41, "Kwota"),
                 box(22, 45, 50, 7),
                 data(23, 46, 48, "Kwota"),
                 caption(2, 54, "kwota słownie"),
                 box(2, 58, 140, 7),
                 data(3, 59, 138, "KwotaSlownie"),
                 caption(2, 67, "nr rachunku zleceniodawcy (przelew)"),
                 box(2, 71, 140, 7),
                 data(3, 72, 138, "RachunekZleceniodawcy"),
                 caption(2, 80, "nazwa zleceniodawcy"),
                 box(2, 84, 140, 7),
                 data(3, 85, 138, "NazwaZleceniodawcy"),
                 caption(2, 93, "nazwa zleceniodawcy c.d."),
                 box(2, 97, 140, 7),
                 data(3, 98, 138, "NazwaZleceniodawcyCd"),
                 caption(2, 106, "Tytułem"),
                 box(2, 110, 140, 12),
                 data(3, 111, 138, "Tytulem"),
                 box(2, 124, 90, 10),
                 caption(2, 134.5, "data, pieczęć, podpis(y) zleceniodawcy"),
                 caption(146, 2, "Opłata:"),
                 box(146, 6, 46, 7),
                 data(147, 7, 44, "Oplata"),
                 box(146, 16, 46, 60),
                 caption(148, 17, "stempel dzienny"),
                 caption(146, 128, "l.k."),
                 box(154, 127, 38, 7)},
                0, oy, copy);
    if (!markers) return;
    sheet.place({box(146, 80, 10, 8), bold(149, 81.5, "W"), box(160, 80, 10, 8), bold(163, 81.5, "P"),
                 caption(96, 124, "data:"), box(96, 128, 46, 7), data(97, 129, 44, "Data")},
                0, oy, copy);
}

void combinedForm(Report& report, bool markers) {
    combinedFormPage(report);
    FormSheet sheet(report, QStringLiteral("Polecenie przelewu / wpłata gotówkowa"));
    combinedCopy(sheet, 0, 1, markers);
    combinedCopy(sheet, 143, 2, markers);
}

} // namespace

TQuickReport1::TQuickReport1(QObject* parent) : QObject(parent) {
    transferOrder(QuickRep1);
}
TQuickReport2::TQuickReport2(QObject* parent) : QObject(parent) {
    bankPayIn(QuickRep1);
}
TQuickReport3::TQuickReport3(QObject* parent) : QObject(parent) {
    postPayIn(QuickRep1);
}
TQuickReport4::TQuickReport4(QObject* parent) : QObject(parent) {
    combinedForm(QuickRep1, false);
}
TQuickReport5::TQuickReport5(QObject* parent) : QObject(parent) {
    combinedForm(QuickRep1, true);
}
TQuickReport6::TQuickReport6(QObject* parent) : QObject(parent) {
    combinedForm(QuickRep1, true);
}
