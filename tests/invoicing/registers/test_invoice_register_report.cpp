// The register printout "Zestawienie faktur": its rows, their order and the
// totals of the rows printed, as the preview gets the laid-out pages.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>

#include "invoicing/registers/invoice_register_report.h"
#include "invoicing/registers/issued_invoices.h"
#include "platform/clock.h"
#include "platform/report/layout.h"
#include "platform/ui/report_preview.h"
#include "registers_support.h"

using namespace registerstest;
using namespace tv::report;

namespace {

class RegisterPrintout : public tvtest::AppFixture {
protected:
    void SetUp() override {
        tv::setToday(QDate(2024, 3, 31));
        AppFixture::SetUp();
        tv::ui::setPreviewHook([this](Report&, const QVector<LaidOutPage>& laidOut) { pages = laidOut; });
    }

    void TearDown() override {
        tv::ui::setPreviewHook({});
        AppFixture::TearDown();
        tv::setToday(QDate());
    }

    static void addCustomer(const char* id, int nr, const char* firma, const char* nip) {
        addRow("kontrahenci.db", {{"Id", id}, {"Nr", nr}, {"Firma", QString::fromUtf8(firma)}, {"NIP", nip}});
    }

    static void addInvoice(const char* nr, const QDate& issued, std::optional<int> customer, double net,
                           double gross, const char* payment = "gotówką") {
        FieldValues values = {{"Nr", nr},        {"Data_wyst", issued}, {"Netto", net},
                              {"Brutto", gross}, {"Forma_pl", payment}, {"Nr_sprzed", 1}};
        if (customer) values.append({"Nr_kontr", *customer});
        addRow("wyst_faktury.db", values);
    }

    // The texts of every page with the element that printed them.
    QStringList named(const QString& name) const {
        QStringList texts;
        for (const LaidOutPage& page : pages)
            for (const LaidOutItem* item : page.itemsNamed(name))
                if (item->kind == LaidOutItem::Kind::Text) texts << item->text;
        return texts;
    }

    void print(const QDate& from, const QDate& to) {
        showActive(Form_fa2);
        Form_fa2->setDate(Form_fa2->od_kiedy, from);
        Form_fa2->setDate(Form_fa2->do_kiedy, to);
        click(Form_fa2->drukuj);
    }

    QVector<LaidOutPage> pages;
};

TEST_F(RegisterPrintout, ListsThePeriodWithCustomersAndTotalsThePrintedRows) {
    addRow("sprzedawcy.db", {{"Id", "A"}, {"Nr", 1}});
    addRow("sprzedawcy.db", {{"Id", "B"}, {"Nr", 2}});
    addCustomer("ALFA", 1, "Alfa sp. z o.o.", "111-22-33-444");
    addCustomer("BETA", 2, "Beta", "555-66-77-888");
    addInvoice("2/03/2024", QDate(2024, 3, 5), 2, 1000.5, 1230.62, "przelewem");
    addInvoice("1/03/2024", QDate(2024, 3, 5), 1, 100, 123);
    addInvoice("3/03/2024", QDate(2024, 3, 1), std::nullopt, 10, 12.2);
    addInvoice("1/02/2024", QDate(2024, 2, 28), 1, 7, 7.49);
    addInvoice("1/04/2024", QDate(2024, 4, 1), 1, 9, 9.63);

    showActive(Form_fa2);
    Form_fa2->CheckBox1->click(); // the register shows transfers only...
    print(QDate(2024, 3, 1), QDate(2024, 3, 31));

    ASSERT_EQ(pages.size(), 1);
    const LaidOutPage& page = pages.first();
    EXPECT_NE(page.findText("Zestawienie faktur"), nullptr);
    EXPECT_EQ(named("data_od"), QStringList({"01.03.2024"}));
    EXPECT_EQ(named("data_do"), QStringList({"31.03.2024"}));
    for (const char* title : {"Nazwa kontrahenta", "NIP", "Nr faktury", "Data wystawienia", "Wartość netto",
                              "Wartość brutto", "Razem:"})
        EXPECT_NE(page.findText(QString::fromUtf8(title)), nullptr) << title;
    // ...the printout lists every invoice of the period, each once, the one
    // without a customer too, and totals what it lists.
    EXPECT_EQ(named("QRDBText_Nr"), QStringList({"3/03/2024", "1/03/2024", "2/03/2024"}));
    EXPECT_EQ(named("QRDBText_Firma"), QStringList({"Alfa sp. z o.o.", "Beta"}));
    EXPECT_EQ(named("QRDBText_NIP"), QStringList({"111-22-33-444", "555-66-77-888"}));
    EXPECT_EQ(named("QRDBText_Data_wyst"), QStringList({"01.03.2024", "05.03.2024", "05.03.2024"}));
    EXPECT_EQ(named("QRDBText_Netto"),
              QStringList({"10,00 zł", "100,00 zł", QString::fromUtf8("1\u00a0000,50 zł")}));
    EXPECT_EQ(named("QRLabel9"), QStringList({QString::fromUtf8("1\u00a0110,50 zł")}));
    EXPECT_EQ(named("QRLabel10"), QStringList({QString::fromUtf8("1\u00a0365,82 zł")}));
}

TEST_F(RegisterPrintout, EmptyPeriodPrintsTitlesAndZeroTotals) {
    addInvoice("1/02/2024", QDate(2024, 2, 28), std::nullopt, 7, 7.49);
    print(QDate(2024, 3, 1), QDate(2024, 3, 31));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_NE(pages.first().findText("Nazwa kontrahenta"), nullptr);
    EXPECT_TRUE(named("QRDBText_Nr").isEmpty());
    EXPECT_EQ(named("QRLabel9"), QStringList({"0,00 zł"}));
    EXPECT_EQ(named("QRLabel10"), QStringList({"0,00 zł"}));
}

TEST_F(RegisterPrintout, LongListRunsOverPagesWithTheTotalsAtTheEnd) {
    tv::Database::instance().transaction([&] {
        for (int i = 1; i <= 150; ++i)
            addInvoice(QStringLiteral("%1/03/2024").arg(i).toLatin1().constData(), QDate(2024, 3, 1 + i % 28),
                       std::nullopt, 1, 1.23);
    });
    print(QDate(2024, 3, 1), QDate(2024, 3, 31));
    ASSERT_GE(pages.size(), 3);
    EXPECT_EQ(named("QRDBText_Nr").size(), 150);
    EXPECT_FALSE(pages.last().itemsNamed("QRLabel9").isEmpty());
    EXPECT_EQ(named("QRLabel9"), QStringList({"150,00 zł"}));
    EXPECT_EQ(named("QRLabel10"), QStringList({"184,50 zł"}));
    // The column titles head every page.
    for (const LaidOutPage& page : pages)
        EXPECT_NE(page.findText("Nr faktury"), nullptr);
}

} // namespace
