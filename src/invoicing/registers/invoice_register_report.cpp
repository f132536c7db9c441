#include "invoicing/registers/invoice_register_report.h"

#include "invoicing/registers/issued_invoices.h"
#include "platform/report/table_source.h"

TFa2_wy* Fa2_wy = nullptr;

using namespace tv::report;

namespace {

constexpr double pageWidth = 718;

// One column of the list: its title, its field and where it stands; amounts
// stand flush right in their box.
struct Column {
    const char* title;
    const char* field;
    double x;
    double width;
    bool amount;
};
const Column kColumns[] = {
    {"Nazwa kontrahenta", "Firma", 0, 186, false}, {"NIP", "NIP", 194, 74, false},
    {"Nr faktury", "Nr", 272, 116, false},         {"Data wystawienia", "Data_wyst", 392, 116, false},
    {"Wartość netto", "Netto", 512, 100, true},    {"Wartość brutto", "Brutto", 616, 102, true},
};
constexpr double totalsX = 392;

} // namespace

TFa2_wy::TFa2_wy(QObject* parent) : QObject(parent) {
    QuickRep1.title = QStringLiteral("Zestawienie faktur");

    Band& title = QuickRep1.addBand(BandType::Title, 64, QStringLiteral("TitleBand1"));
    title.add(label(QStringLiteral("QRLabel1"), QStringLiteral("Zestawienie faktur"), 0, 0)
                  .withFont(tahoma(18))
                  .centred(pageWidth));
    title.add(label(QStringLiteral("QRLabel2"), QStringLiteral("za okres od"), 190, 34).withFont(tahoma(14)));
    title.add(label(QStringLiteral("data_od"), QString(), 300, 34).withFont(tahoma(14)));
    title.add(label(QStringLiteral("QRLabel3"), QStringLiteral("do"), 410, 34).withFont(tahoma(14)));
    title.add(label(QStringLiteral("data_do"), QString(), 440, 34).withFont(tahoma(14)));

    Band& header = QuickRep1.addBand(BandType::ColumnHeader, 24, QStringLiteral("ColumnHeaderBand1"));
    header.ruleBottom = true;
    Band& rows = QuickRep1.addBand(BandType::Detail, 16, QStringLiteral("QRSubDetail1"));
    if (Form_fa2) rows.source = querySource(*Form_fa2->Query2);
    int n = 11;
    for (const Column& c : kColumns) {
        Element caption = label(QStringLiteral("QRLabel%1").arg(n++), QString::fromUtf8(c.title), c.x, 2)
                              .withFont(tahoma(11));
        Element value = dataText(QStringLiteral("QRDBText_%1").arg(QLatin1String(c.field)),
                                 QString::fromLatin1(c.field), c.x, 1)
                            .withFont(tahoma(8));
        if (c.amount) {
            caption.alignedRight(c.width);
            value.alignedRight(c.width);
        } else {
            // A long business name wraps within its column and the row grows.
            value.wrapped(c.width);
        }
        header.add(caption);
        rows.add(value);
    }

    Band& totals = QuickRep1.addBand(BandType::Summary, 30, QStringLiteral("SummaryBand1"));
    totals.add(hRule(totalsX, 2, pageWidth - totalsX));
    totals.add(
        label(QStringLiteral("QRLabel8"), QStringLiteral("Razem:"), totalsX, 8).withFont(tahoma(9, Bold)));
    const Column& net = kColumns[4];
    const Column& gross = kColumns[5];
    totals.add(label(QStringLiteral("QRLabel9"), QString(), net.x, 8)
                   .withFont(tahoma(9, Bold))
                   .alignedRight(net.width));
    totals.add(label(QStringLiteral("QRLabel10"), QString(), gross.x, 8)
                   .withFont(tahoma(9, Bold))
                   .alignedRight(gross.width));
}

TFa2_wy::~TFa2_wy() = default;
