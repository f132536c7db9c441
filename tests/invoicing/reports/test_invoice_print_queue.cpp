#include <gtest/gtest.h>

#include <QTest>

#include "invoicing/reports/printout_fixture.h"
#include "invoicing/rules/invoice_store.h"
#include "platform/clock.h"
#include "support/print_queue.h"

// "Drukuj fakturę" on a real CUPS queue, as the operator gives it: the invoice
// is saved, its copies go out one print job each under its caption on the
// default printer (the tests' private cups-pdf queue), and the window moves on
// to the next invoice.

namespace {

struct DocumentCase {
    const char* name;
    QRadioButton* TForm_fa1::*kind;
    const char* title;
    std::initializer_list<const char*> texts; // besides the window's own figures
    std::initializer_list<const char*> absent;
};

const DocumentCase documents[] = {
    {"FakturaVat",
     &TForm_fa1::RadioButton1,
     "Faktura VAT",
     {"Ogółem wg. stawek VAT:", "do wystawienia faktury VAT:", "do odbioru faktury VAT:",
      "NIP: 676-10-20-300 \u2022 REGON: 350123456"},
     {"Rachunek"}},
    {"Rachunek",
     &TForm_fa1::RadioButton4,
     "Rachunek",
     {"Razem wartość:", "Imię i nazwisko osoby wystawiającej:", "NIP: 676-10-20-300 \u2022 REGON: 350123456"},
     {"Faktura VAT", "Ogółem wg. stawek VAT:"}},
};

const char* const stockQuestion = "Naciśnięcie tak spowoduje odjęcie produktów z magazynu kontynuować ?";

void PrintTo(const DocumentCase& c, std::ostream* os) {
    *os << c.name;
}

} // namespace

class InvoiceOnThePrintQueue : public tvtest::InvoiceFixture,
                               public ::testing::WithParamInterface<DocumentCase> {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        QString whyNot;
        queue = tvtest::PrintQueue::open(&whyNot);
        if (!queue) GTEST_SKIP() << whyNot.toStdString();
        // Shown first: showing the window numbers it anew and takes its
        // defaults, so the invoice is filled in afterwards, as the operator does.
        Form_fa1->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form_fa1));
        fillInvoice();
    }

    // The messages the command showed, for a failure's report.
    QString shown() const {
        QString out;
        for (const tv::ui::ShownMessage& m : messages())
            out += QStringLiteral("message: \"%1\"\n").arg(m.text);
        return out;
    }

    std::optional<tvtest::PrintQueue> queue;
};

TEST_P(InvoiceOnThePrintQueue, OryginalIKopiaPrintsTwoJobsTheOriginalThenTheCopy) {
    const DocumentCase& document = GetParam();
    chooseKind(Form_fa1->*document.kind);
    choosePrintForm(Form_fa1->RadioButton6);
    // The stock version asks before it saves; the operator says "Tak".
    setChecked(Form_fa10->CheckBox1, true);
    tv::ui::setAnswerer([](const tv::ui::ShownMessage& m) {
        return m.text == QString::fromUtf8(stockQuestion) ? tv::ui::Answer::Yes : tv::ui::Answer::No;
    });
    const QString number = Form_fa1->Edit5->text();
    const int counter = Form_fa1->LicznikFaktur;
    // The window groups thousands with a no-break space; pdftotext gives it
    // back as a plain one.
    const QString shownGross = Form_fa1->Edit1->text();
    const QString gross = QString(shownGross).replace(QChar(0xA0), u' ');
    const QString inWords = Form_fa1->Edit4->text();

    const auto copies = queue->print([&] { Form_fa1->SpeedButton4Click(Form_fa1); });

    ASSERT_EQ(messages().size(), 1) << shown().toStdString();
    EXPECT_EQ(messages()[0].text, QString::fromUtf8(stockQuestion));
    // Saved under its number before it was printed ...
    const std::optional<invoicing::InvoiceHeader> stored = invoicing::loadHeader(number);
    ASSERT_TRUE(stored) << number.toStdString();
    EXPECT_EQ(tv::FormatCurrency(stored->gross), shownGross);
    EXPECT_EQ(invoicing::loadLines(number).size(), 3);
    // ... and, every copy sent, the window holds the next invoice.
    EXPECT_EQ(Form_fa1->LicznikFaktur, counter + 1);
    EXPECT_EQ(Form_fa1->Edit5->text(), Form_fa1->FormatujNumer(counter + 1, tv::today()));
    EXPECT_EQ(Form_fa1->pozycje->recordCount(), 0);
    EXPECT_TRUE(Form_fa1->storedNumber.isEmpty());
    EXPECT_FALSE(Form_fa1->Wydrukowana);

    tvtest::expectPrintedOnA4(copies, 2, 1);
    ASSERT_EQ(copies.size(), 2) << shown().toStdString() << queue->logs().toStdString();
    const QString original = copies[0].document.text;
    const QString copy = copies[1].document.text;
    EXPECT_TRUE(original.contains("Oryginał"));
    EXPECT_FALSE(original.contains("Kopia"));
    EXPECT_TRUE(copy.contains("Kopia"));
    EXPECT_FALSE(copy.contains("Oryginał"));
    for (const QString& text : {original, copy}) {
        for (const QString& expected :
             {QString::fromUtf8(document.title), QString("7/03/2024"), QString("5/03/2024"),
              QString("Drukarnia Tarvelino Sp. z o.o."), QString("Agencja Reklamowa „Aga”"),
              QString("Ulotki A5 kolorowe"), QString("Katalog firmowy"), QString("Projekt graficzny"),
              QString("Do zapłaty:"), gross, inWords, QString("Jan Kowalski"), QString("Dziękujemy")})
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
        for (const char* expected : document.texts)
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
        for (const char* absent : document.absent)
            EXPECT_FALSE(text.contains(QString::fromUtf8(absent))) << absent;
    }
}

INSTANTIATE_TEST_SUITE_P(Documents, InvoiceOnThePrintQueue, ::testing::ValuesIn(documents),
                         [](const auto& info) { return std::string(info.param.name); });
