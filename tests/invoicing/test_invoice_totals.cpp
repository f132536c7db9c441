// The recompute of the invoice window: the rate rows, the three totals and
// their texts in the regional currency format, and the gross in words.

#include <gtest/gtest.h>

#include <QLineEdit>

#include "invoice_fixture.h"
#include "invoicing/invoice_window.h"
#include "platform/regional.h"
#include "platform/ui/dataaware.h"

using tvtest::InvoiceFixture;

namespace {

class InvoiceTotals : public InvoiceFixture {
protected:
    void TearDown() override {
        InvoiceFixture::TearDown();
        tvtest::usePolishSettings();
    }

    static QStringList rateRows() {
        QStringList out;
        tv::Table& rates = *Form_fa1->stawkiVAT;
        for (rates.first(); !rates.eof(); rates.next())
            out << QStringLiteral("%1 %2 %3 %4")
                       .arg(rates.fieldByName("VAT").asString(), rates.fieldByName("Netto").asString(),
                            rates.fieldByName("KwotaVAT").asString(), rates.fieldByName("Brutto").asString());
        return out;
    }
    static QStringList shown() {
        return {Form_fa1->Edit3->text(), Form_fa1->Edit2->text(), Form_fa1->Edit1->text(),
                Form_fa1->Edit4->text()};
    }
};

} // namespace

TEST_F(InvoiceTotals, VatPerRateOnTheRatesNetSum) {
    addLine("A", 1, 0.03, "22");
    addLine("B", 1, 10, "7");
    addLine("C", 1, 0.03, "22");
    addLine("D", 2, 2.5, "zw.");
    // Line numbers out of order, as after a deletion.
    Form_fa1->pozycje->first();
    Form_fa1->pozycje->edit();
    Form_fa1->pozycje->fieldByName("Lp").setAsInteger(9);
    Form_fa1->pozycje->post();

    Form_fa1->Przelicz();
    // 0.03 + 0.03 at 22 % is 0.06 with VAT 0.01 rounded once, not 0.02.
    EXPECT_EQ(rateRows(), QStringList({"22 0,06 0,01 0,07", "7 10 0,7 10,7", "zw. 5 0 5"}));
    EXPECT_EQ(Form_fa1->RazemNetto, tv::Currency::fromDouble(15.06));
    EXPECT_EQ(Form_fa1->RazemVAT, tv::Currency::fromDouble(0.71));
    EXPECT_EQ(Form_fa1->RazemBrutto, tv::Currency::fromDouble(15.77));
    EXPECT_EQ(shown(),
              QStringList({QString::fromUtf8("15,06 zł"), QString::fromUtf8("0,71 zł"),
                           QString::fromUtf8("15,77 zł"), QString::fromUtf8(" piętnaście zł 77\\100")}));
    QStringList numbers;
    for (Form_fa1->pozycje->first(); !Form_fa1->pozycje->eof(); Form_fa1->pozycje->next())
        numbers << Form_fa1->pozycje->fieldByName("Lp").asString();
    EXPECT_EQ(numbers, QStringList({"1", "2", "3", "4"}));
    // The grid shows the renumbered lines, and so do the rate table's views.
    QAbstractItemModel* shownLines = Form_fa1->DBGrid1->model();
    ASSERT_EQ(shownLines->rowCount(), 4);
    EXPECT_EQ(shownLines->index(0, 0).data().toString(), "1");
    EXPECT_EQ(shownLines->index(0, 1).data().toString(), "A");
    Form_fa1->stawkiVAT->first();
    EXPECT_EQ(Form_fa1->DBEdit4->text(), "0,07");
}

TEST_F(InvoiceTotals, LinesWithoutARateOrExemptAsZwAddUpWithoutVat) {
    addLine("A", 1, 3, "");
    addLine("B", 1, 4, "");
    addLine("C", 1, 1, "zw");
    addLine("D", 1, 2, "zw");
    Form_fa1->Przelicz();
    EXPECT_EQ(rateRows(), QStringList({" 7 0 7", "zw 3 0 3"}));
    EXPECT_EQ(Form_fa1->Edit1->text(), QString::fromUtf8("10,00 zł"));
}

TEST_F(InvoiceTotals, AmountsShowGroupedWithTheRegionalSeparator) {
    addLine("Nakład", 1, 1000, "22");
    Form_fa1->Przelicz();
    EXPECT_EQ(Form_fa1->Edit1->text(), QString::fromUtf8("1\u00a0220,00 zł"));
    EXPECT_EQ(Form_fa1->Edit4->text(), QString::fromUtf8(" jeden tysiąc dwieście dwadzieścia zł 00\\100"));

    tv::RegionalSettings settings = tv::RegionalSettings::polish();
    settings.currencySymbol = QString::fromUtf8("€");
    settings.currencyFormat = 0;
    settings.decimalSeparator = u'.';
    settings.thousandSeparator = u',';
    tv::setRegional(settings);
    Form_fa1->Przelicz();
    EXPECT_EQ(Form_fa1->Edit1->text(), QString::fromUtf8("€1,220.00"));
    EXPECT_EQ(Form_fa1->Edit4->text(), QString::fromUtf8(" jeden tysiąc dwieście dwadzieścia € 00\\100"));
}

TEST_F(InvoiceTotals, AnEmptyInvoiceHasZeroTotalsAndNoRates) {
    addLine("A", 1, 10, "22");
    Form_fa1->Przelicz();
    Form_fa1->pozycje->first();
    Form_fa1->pozycje->remove();
    Form_fa1->Przelicz();
    EXPECT_EQ(Form_fa1->stawkiVAT->recordCount(), 0);
    EXPECT_EQ(shown(), QStringList({QString::fromUtf8("0,00 zł"), QString::fromUtf8("0,00 zł"),
                                    QString::fromUtf8("0,00 zł"), QString::fromUtf8(" 00\\100")}));
}

TEST_F(InvoiceTotals, ACorrectionBelowZeroReadsMinus) {
    addLine("Zwrot", -1, 100, "22");
    Form_fa1->Przelicz();
    EXPECT_EQ(Form_fa1->Edit1->text(), QString::fromUtf8("-122,00 zł"));
    EXPECT_EQ(Form_fa1->Edit4->text(), QString::fromUtf8(" minus sto dwadzieścia dwa zł 00\\100"));
}

TEST_F(InvoiceTotals, ATotalOfThirteenDigitsHasNoWords) {
    addLine("Wszystko", 1, 1000000000000.0, "0");
    Form_fa1->Przelicz();
    EXPECT_TRUE(Form_fa1->Edit4->text().isEmpty());
    EXPECT_EQ(Form_fa1->stawkiVAT->recordCount(), 1);
}
