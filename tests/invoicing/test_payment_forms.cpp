#include <gtest/gtest.h>

#include "invoicing/payment_forms.h"
#include "platform/report/layout.h"
#include "support/app_fixture.h"

namespace {

struct Case {
    const char* name;
    tv::report::Report* report;
    bool landscape;
    QStringList captions;
    int parts;
    const char* dataLabel; // one of the placeholders, present once per part
};

QVector<Case> cases() {
    const QStringList combined = {"Nazwa odbiorcy",
                                  "Nazwa odbiorcy c.d.",
                                  "nr rachunku odbiorcy",
                                  "Waluta",
                                  "PLN",
                                  "Kwota",
                                  "kwota słownie",
                                  "nr rachunku zleceniodawcy (przelew)",
                                  "nazwa zleceniodawcy",
                                  "nazwa zleceniodawcy c.d.",
                                  "Tytułem",
                                  "data, pieczęć, podpis(y) zleceniodawcy",
                                  "Opłata:",
                                  "stempel dzienny",
                                  "l.k."};
    QStringList marked = combined;
    marked << "W"
           << "P"
           << "data:";
    return {
        {"TQuickReport1",
         &QuickReport1->QuickRep1,
         true,
         {"POLECENIE PRZELEWU", "W ciężar rachunku", "Na dobro rachunku",
          "nazwa dłużnika:", "nazwa wierzyciela:", "w (banku):", "nr rachunku", "kwota", "tytułem",
          "data:", "stempel banku", "(Pieczęć zleceniobiorcy i podpisy)", "PL. kas.:"},
         4,
         "Kwota"},
        {"TQuickReport2",
         &QuickReport2->QuickRep1,
         true,
         {"BANKOWY DOWÓD WPŁATY", "I", "II", "III", "IV", "DOWÓD WPŁATY", "POKWITOWANIE",
          "ODCINEK DLA BANKU ODBIORCY", "ZAWIADOMIENIE O KSIĘGOWANIU", "Nazwa i adres odbiorcy wpłaty",
          "Na dobro rachunku:", "W banku:", "Nazwa i adres wpłacającego", "Słownie złotych:", "tytuł wpłaty",
          "stempel banku"},
         4,
         "Rachunek"},
        {"TQuickReport3",
         &QuickReport3->QuickRep1,
         true,
         {"Potwierdzenie dla wpłacającego", "Odcinek dla posiadacza rachunku", "Odcinek dla poczty",
          "Odcinek dla banku", "Odbiorca", "Nr konta", "w banku:", "Wpłacający", "Tytułem", "słownie",
          "pobrano opłatę", "podpis przyjmującego", "stempel"},
         4,
         "NrKonta"},
        {"TQuickReport4", &QuickReport4->QuickRep1, false, combined, 2, "RachunekOdbiorcy"},
        {"TQuickReport5", &QuickReport5->QuickRep1, false, marked, 2, "Data"},
        {"TQuickReport6", &QuickReport6->QuickRep1, false, marked, 2, "Data"},
    };
}

class PaymentForms : public tvtest::AppFixture {};

} // namespace

TEST_F(PaymentForms, EachLaysItsFormOutOnOnePageWithItsCaptionsAndDataPlaces) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const QVector<tv::report::LaidOutPage> pages = tv::report::layoutReport(*c.report);
        ASSERT_EQ(pages.size(), 1);
        const QSizeF paper = pages[0].paperSize;
        EXPECT_EQ(paper.width() > paper.height(), c.landscape);
        const QStringList texts = pages[0].texts();
        for (const QString& caption : c.captions)
            EXPECT_TRUE(texts.contains(caption)) << caption.toStdString();
        for (int part = 1; part <= c.parts; ++part)
            EXPECT_NO_THROW(c.report->element(QStringLiteral("%1_%2").arg(c.dataLabel).arg(part)));
        // Everything lies inside the printable area.
        for (const tv::report::LaidOutItem& item : pages[0].items) {
            EXPECT_GE(item.rect.left(), -0.5);
            EXPECT_LE(item.rect.right(), pages[0].contentSize.width() + 0.5) << item.text.toStdString();
            EXPECT_LE(item.rect.bottom(), pages[0].contentSize.height() + 0.5) << item.text.toStdString();
        }
    }
}

TEST_F(PaymentForms, TheCombinedFormsHaveTheirOwnMargins) {
    const tv::report::PageSetup& page = QuickReport4->QuickRep1.page;
    EXPECT_DOUBLE_EQ(page.leftMm, 10);
    EXPECT_DOUBLE_EQ(page.bottomMm, 10);
    EXPECT_DOUBLE_EQ(page.topMm, 5.5);
    EXPECT_DOUBLE_EQ(page.rightMm, 5.5);
    EXPECT_DOUBLE_EQ(QuickReport1->QuickRep1.page.leftMm, 10);
    EXPECT_DOUBLE_EQ(QuickReport1->QuickRep1.page.widthMm, 297);
}
