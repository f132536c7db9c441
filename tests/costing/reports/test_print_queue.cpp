#include <gtest/gtest.h>

#include <QDate>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "costing/sheet_fixture.h"
#include "platform/clock.h"
#include "platform/table.h"
#include "platform/ui/controls.h"
#include "support/print_queue.h"

// The costing sheet's printouts on a real CUPS queue: the operator fills the
// sheet and gives the print command, the default printer (the tests' private
// cups-pdf queue) prints, and the PDF files it writes are read back.
class CalculationOnThePrintQueue : public tvtest::SheetFixture {
protected:
    void prepareData() override {
        SheetFixture::prepareData();
        tv::Table customers(QStringLiteral("kontrahenci.db"));
        customers.open();
        customers.append();
        customers.fieldByName("Id").setAsString("AGA");
        customers.fieldByName("Nr").setAsString("1");
        customers.fieldByName("Nazwisko").setAsString("Kowalska");
        customers.fieldByName("Firma").setAsString("Drukarnia Żak");
        customers.post();
    }

    void SetUp() override {
        SheetFixture::SetUp();
        QString whyNot;
        queue = tvtest::PrintQueue::open(&whyNot);
        if (!queue) GTEST_SKIP() << whyNot.toStdString();
        tv::setToday(QDate(2024, 3, 1));
        showSheet();
    }

    void TearDown() override {
        tv::setToday(QDate());
        SheetFixture::TearDown();
    }

    // The job as the operator enters it: the customer from the list, the
    // figures typed (the sheet recomputes), the texts with Polish letters
    // put in whole, as pasted.
    static void fillInTheJob() {
        choose(Form1->ComboBox7, "AGA");
        for (const auto& [field, keys] : {std::pair{2, "500"}, std::pair{7, "125,5"}, std::pair{9, "80"}}) {
            QLineEdit* line = edit(field);
            focus(line);
            retype(line, keys);
            leave(line);
        }
        Form1->Edit1->setText("Katalog „Jesień”");
        Form1->Edit69->setText("Odbiór osobisty");
        Form1->DateTimePicker1->setDate(QDate(2024, 3, 5));
    }

    static void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }

    static QStringList pagesOf(const tvtest::PdfFacts& pdf) {
        QStringList pages = pdf.text.split(u'\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
        return pages;
    }

    std::optional<tvtest::PrintQueue> queue;
};

TEST_F(CalculationOnThePrintQueue, DrukujPrintsTheFilledCalculationAsOneA4Job) {
    fillInTheJob();
    const QString gross = Form1->Edit67->text();
    const QString unitPrice = Form1->Edit68->text();
    ASSERT_NE(gross, "0");

    const auto copies = queue->print([] { click(Form1->SpeedButton6); });

    tvtest::expectPrintedOnA4(copies, 1, 1);
    ASSERT_EQ(copies.size(), 1) << queue->logs().toStdString();
    const QString text = copies[0].document.text;
    for (const QString& expected :
         {QString("KALKULACJA"), QString("Data wykonania:"), QString("1.03.2024"), QString("Drukarnia Żak"),
          QString("Katalog „Jesień”"), QString("500"), QString("125,5"), QString("80"),
          QString("Cena brutto:"), gross, QString("Cena jednostkowa:"), unitPrice, QString("5.03.2024"),
          QString("Odbiór osobisty")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(CalculationOnThePrintQueue, AFooterThatNoLongerFitsStartsASecondPageOfTheSameJob) {
    fillInTheJob();
    for (int i = 0; i < 7; ++i)
        addPaperLine(100 + i, "4+4", 12.5);
    const QString gross = Form1->Edit67->text();

    const auto copies = queue->print([] { Form1->Drukuj1->trigger(); });

    tvtest::expectPrintedOnA4(copies, 1, 2);
    ASSERT_EQ(copies.size(), 1) << queue->logs().toStdString();
    const QStringList pages = pagesOf(copies[0].document);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains("Drukarnia Żak"));
    EXPECT_EQ(pages[0].count("Kreda mat"), 7);
    EXPECT_FALSE(pages[0].contains("Cena brutto:"));
    EXPECT_TRUE(pages[1].contains("Cena brutto:"));
    EXPECT_TRUE(pages[1].contains(gross));
}

TEST_F(CalculationOnThePrintQueue, TheBlankCalculationPrintsEmptyAsOneA4Job) {
    fillInTheJob();

    const auto copies = queue->print([] { Form1->Drukujczystkalkulacj1->trigger(); });

    tvtest::expectPrintedOnA4(copies, 1, 1);
    ASSERT_EQ(copies.size(), 1) << queue->logs().toStdString();
    const QString text = copies[0].document.text;
    for (const char* caption : {"KALKULACJA", "Data wykonania:", "Rodzaje papieru:",
                                "4. Robocizna bezpośrednia", "od ceny brutto:", "VAT 0% do:", "Uwagi:"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(caption))) << caption;
    // Nothing of the sheet's job gets onto the blank form.
    for (const char* filled : {"Drukarnia Żak", "Katalog", "125,5", "1.03.2024", "Odbiór osobisty"})
        EXPECT_FALSE(text.contains(QString::fromUtf8(filled))) << filled;
}
