#include <gtest/gtest.h>

#include <QFileInfo>
#include <QRegularExpression>

#include "invoicing/reports/printout_fixture.h"
#include "invoicing/rules/invoice_store.h"
#include "platform/clock.h"
#include "platform/ui/report_preview.h"

using namespace tv::report;
using tvtest::textOf;

namespace {

const char* const noPrintoutMessage =
    "Wydruk jest dostępny tylko dla dokumentów „faktura VAT” i „rachunek”. Wybierz rodzaj dokumentu.";
const char* const noBuyerQuestion = "Nie wybrano nabywcy. Czy wydrukować dokument bez danych nabywcy?";
const char* const stockQuestion = "Naciśnięcie tak spowoduje odjęcie produktów z magazynu kontynuować ?";

// A document kind, the report it prints on and the label of its copy caption.
struct Kind {
    const char* name;
    QRadioButton* TForm_fa1::*button;
    Report* (*report)();
    const char* captionLabel;
    const char* jobTitle;
};

const Kind kinds[] = {
    {"faktura VAT", &TForm_fa1::RadioButton1, [] { return &Form_fa6->QuickRep1; }, "QRLabel25",
     "Faktura VAT 7/03/2024"},
    {"rachunek", &TForm_fa1::RadioButton4, [] { return &Form_fa7->QuickRep1; }, "QRLabel48",
     "Rachunek 7/03/2024"},
};

// A print form, the preview's caption and the caption of every copy.
struct Form {
    const char* name;
    QRadioButton* TForm_fa1::*button;
    QString preview;
    QStringList copies;
};

const Form forms[] = {
    {"Oryginał i kopia", &TForm_fa1::RadioButton6, "Oryginał", {"Oryginał", "Kopia"}},
    {"Oryginał i 2 kopie", &TForm_fa1::RadioButton7, "Oryginał", {"Oryginał", "Kopia", "Kopia"}},
    {"Bez napisu (1x)", &TForm_fa1::RadioButton5, "", {""}},
    {"Oryginał\\kopia (2x)",
     &TForm_fa1::RadioButton2,
     "Oryginał \\ Kopia",
     {"Oryginał \\ Kopia", "Oryginał \\ Kopia"}},
};

int rowsOf(const char* table) {
    tv::Table t(QString::fromLatin1(table));
    t.open();
    return t.recordCount();
}

double stockOf(const QString& goods) {
    tv::Table t(QStringLiteral("towary.DB"));
    t.open();
    for (t.first(); !t.eof(); t.next())
        if (t.fieldByName("Nazwa").asString() == goods) return t.fieldByName("Magazyn").asFloat();
    return -1;
}

} // namespace

// The window's two commands as the operator gives them: previews land in the
// hook instead of a window, print jobs in a recording printer.
class InvoicePrintCommands : public tvtest::InvoiceFixture {
protected:
    void SetUp() override {
        InvoiceFixture::SetUp();
        tv::ui::setPreviewHook([this](Report& report, const QVector<LaidOutPage>& pages) {
            previewed.append(&report);
            previewPages.append(pages);
        });
        setPrintSink(&printer);
        tv::ui::clearShownMessages();
    }
    void TearDown() override {
        setPrintSink(nullptr);
        tv::ui::setPreviewHook({});
        InvoiceFixture::TearDown();
    }

    static void answerEveryQuestion(tv::ui::Answer answer) {
        tv::ui::setAnswerer([answer](const tv::ui::ShownMessage& m) {
            return m.buttons == tv::ui::Buttons::YesNo ? answer : tv::ui::Answer::Ok;
        });
    }

    // What the window shows, to see that a refused command changed nothing.
    struct WindowState {
        QString number;
        int counter;
        bool printed;
        bool saved;
        int lines;
        friend bool operator==(const WindowState&, const WindowState&) = default;
    };
    static WindowState windowState() {
        return {Form_fa1->Edit5->text(), Form_fa1->LicznikFaktur, Form_fa1->Wydrukowana, Form_fa1->Zapisana,
                Form_fa1->pozycje->recordCount()};
    }

    QVector<Report*> previewed;
    QVector<QVector<LaidOutPage>> previewPages;
    tvtest::RecordingPrinter printer;
};

TEST_F(InvoicePrintCommands, PreviewShowsTheChosenDocumentUnderThePreviewCaption) {
    for (const Kind& kind : kinds)
        for (const Form& form : forms) {
            SCOPED_TRACE(std::string(kind.name) + " / " + form.name);
            chooseKind(Form_fa1->*kind.button);
            choosePrintForm(Form_fa1->*form.button);
            previewed.clear();
            previewPages.clear();
            Form_fa1->SpeedButton3Click(Form_fa1);
            ASSERT_EQ(previewed.size(), 1);
            EXPECT_EQ(previewed[0], kind.report());
            ASSERT_EQ(previewPages[0].size(), 1);
            const LaidOutPage& page = previewPages[0][0];
            EXPECT_EQ(textOf(page, kind.captionLabel), form.preview);
            EXPECT_EQ(textOf(page, "issuerName"), "Jan Kowalski");
            EXPECT_EQ(textOf(page, "numberValue"), "7/03/2024");
        }
    // A preview prints nothing, saves nothing and leaves the invoice as it was.
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(rowsOf("wyst_faktury.db"), 0);
    EXPECT_FALSE(Form_fa1->Wydrukowana);
    EXPECT_EQ(Form_fa1->pozycje->recordCount(), 3);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(InvoicePrintCommands, EachPrintFormGoesOutInItsCopiesOneJobEachWithItsCaption) {
    for (const Kind& kind : kinds)
        for (const Form& form : forms) {
            SCOPED_TRACE(std::string(kind.name) + " / " + form.name);
            chooseKind(Form_fa1->*kind.button);
            choosePrintForm(Form_fa1->*form.button);
            printer.jobs.clear();
            printer.jobNames.clear();
            EXPECT_TRUE(Form_fa1->printDocument());
            ASSERT_EQ(printer.jobs.size(), form.copies.size());
            for (int copy = 0; copy < printer.jobs.size(); ++copy) {
                ASSERT_EQ(printer.jobs[copy].size(), 1);
                const LaidOutPage& page = printer.jobs[copy][0];
                EXPECT_EQ(textOf(page, kind.captionLabel), form.copies[copy]) << copy;
                EXPECT_EQ(textOf(page, "issuerName"), "Jan Kowalski");
                EXPECT_EQ(printer.jobNames[copy], kind.jobTitle);
            }
        }
    EXPECT_TRUE(previewed.isEmpty());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(InvoicePrintCommands, WithoutAPrintableKindBothCommandsSaySoAndDoNothingElse) {
    for (QRadioButton* kind : {Form_fa1->RadioButton3, static_cast<QRadioButton*>(nullptr)}) {
        SCOPED_TRACE(kind ? "faktura VAT RR" : "no kind");
        chooseKind(kind);
        const WindowState before = windowState();
        for (auto command : {&TForm_fa1::SpeedButton3Click, &TForm_fa1::SpeedButton4Click}) {
            tv::ui::clearShownMessages();
            (Form_fa1->*command)(Form_fa1);
            ASSERT_EQ(messages().size(), 1);
            EXPECT_EQ(messages()[0].text, QString::fromUtf8(noPrintoutMessage));
            EXPECT_EQ(messages()[0].caption, "Uwaga");
        }
        EXPECT_TRUE(previewed.isEmpty());
        EXPECT_TRUE(printer.jobs.isEmpty());
        EXPECT_EQ(rowsOf("wyst_faktury.db"), 0);
        EXPECT_TRUE(windowState() == before);
    }
}

TEST_F(InvoicePrintCommands, WithoutABuyerPrintingAsksFirstAndNoStopsIt) {
    Form_fa1->chosenCustomer.reset();
    setText(Form_fa1->ComboBox3, "");
    answerEveryQuestion(tv::ui::Answer::No);
    const WindowState before = windowState();
    Form_fa1->SpeedButton4Click(Form_fa1);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QString::fromUtf8(noBuyerQuestion));
    EXPECT_EQ(messages()[0].buttons, tv::ui::Buttons::YesNo);
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(rowsOf("wyst_faktury.db"), 0);
    EXPECT_TRUE(windowState() == before);
    // A customer who has since left the register counts as none.
    Form_fa1->chosenCustomer = 99;
    tv::ui::clearShownMessages();
    Form_fa1->SpeedButton4Click(Form_fa1);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QString::fromUtf8(noBuyerQuestion));
    // The preview shows the empty buyer block without asking.
    tv::ui::clearShownMessages();
    Form_fa1->SpeedButton3Click(Form_fa1);
    EXPECT_TRUE(messages().isEmpty());
    ASSERT_EQ(previewPages.size(), 1);
    EXPECT_TRUE(previewPages[0][0].itemsNamed("QRMemo2").isEmpty());
}

TEST_F(InvoicePrintCommands, AnInvoiceThatIsNotSavedIsNeverPrinted) {
    // A customer picker whose text names no customer: the save refuses the
    // invoice, and the command ends there with the invoice still on screen.
    Form_fa1->chosenCustomer.reset();
    setText(Form_fa1->ComboBox3, "NIEMA");
    const WindowState before = windowState();
    Form_fa1->SpeedButton4Click(Form_fa1);
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(rowsOf("wyst_faktury.db"), 0);
    EXPECT_TRUE(windowState() == before);
    for (const tv::ui::ShownMessage& m : messages())
        EXPECT_NE(m.text, QString::fromUtf8(noBuyerQuestion));
}

TEST_F(InvoicePrintCommands, WithoutAPrinterTheCopiesAreOfferedAsOnePdf) {
    printer.name.clear();
    const QString path = workingFolder() + "/faktura.pdf";
    tv::ui::setFileAnswerer([&](const tv::ui::FileDialogRequest&) { return path; });
    choosePrintForm(Form_fa1->RadioButton7);
    EXPECT_TRUE(Form_fa1->printDocument());
    EXPECT_TRUE(printer.jobs.isEmpty());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QString::fromUtf8(tv::ui::noPrinterMessage));
    ASSERT_TRUE(QFileInfo::exists(path));

    // One page per copy, each under its caption, with every text of the invoice.
    auto page = [&](int n) {
        return tvtest::runTool("pdftotext", {"-enc", "UTF-8", "-layout", "-f", QString::number(n), "-l",
                                             QString::number(n), path, "-"});
    };
    EXPECT_TRUE(tvtest::runTool("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+3")));
    EXPECT_TRUE(page(1).contains("Oryginał"));
    for (int n : {2, 3}) {
        EXPECT_TRUE(page(n).contains("Kopia")) << n;
        EXPECT_FALSE(page(n).contains("Oryginał")) << n;
    }
    const QString first = page(1);
    for (const char* text :
         {"Faktura VAT", "NR 7/03/2024", "Drukarnia Tarvelino Sp. z o.o.", "Agencja Reklamowa „Aga”",
          "NIP: 676-10-20-300 \u2022 REGON: 350123456", "Ulotki A5 kolorowe", "Ogółem wg. stawek VAT:",
          "trzy tysiące pięćset dwa zł 00\\100", "do odbioru faktury VAT:", "Dziękujemy"})
        EXPECT_TRUE(first.contains(QString::fromUtf8(text))) << text;
    // Bold and bold italic texts print in the bold faces, embedded.
    const QString fonts = tvtest::runTool("pdffonts", {path});
    for (const char* face : {"LiberationSerif-Bold ", "LiberationSerif-BoldItalic", "LiberationSerif-Italic",
                             "LiberationSerif "}) {
        const qsizetype at = fonts.indexOf(QString::fromLatin1(face));
        ASSERT_GE(at, 0) << face << "\n" << fonts.toStdString();
        EXPECT_TRUE(fonts.mid(at).section('\n', 0, 0).contains(" yes ")) << face;
    }
}

TEST_F(InvoicePrintCommands, ADeclinedPdfOrARefusedCopyReportsThePrintAsNotDone) {
    printer.name.clear();
    answerEveryQuestion(tv::ui::Answer::No);
    EXPECT_FALSE(Form_fa1->printDocument());
    EXPECT_EQ(messages().size(), 1);

    printer.name = "HP LaserJet";
    printer.failFromJob = 1;
    tv::ui::clearShownMessages();
    EXPECT_FALSE(Form_fa1->printDocument());
    EXPECT_EQ(printer.jobs.size(), 1);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QString::fromUtf8(tv::ui::printFailedMessage));
}

TEST_F(InvoicePrintCommands, NoToTheStockQuestionCancelsTheWholePrint) {
    tv::Table goods(QStringLiteral("towary.DB"));
    goods.open();
    tvtest::addRow(goods,
                   {{"Nazwa", "Ulotki A5 kolorowe"}, {"Nr", "1"}, {"Id", "ULOTKI"}, {"Magazyn", "5000"}});
    setChecked(Form_fa10->CheckBox1, true); // "wersja magazynowa"
    answerEveryQuestion(tv::ui::Answer::No);
    const WindowState before = windowState();
    Form_fa1->SpeedButton4Click(Form_fa1);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QString::fromUtf8(stockQuestion));
    EXPECT_EQ(messages()[0].buttons, tv::ui::Buttons::YesNo);
    EXPECT_TRUE(printer.jobs.isEmpty());
    EXPECT_EQ(rowsOf("wyst_faktury.db"), 0);
    EXPECT_EQ(rowsOf("rozchody.db"), 0);
    EXPECT_EQ(stockOf("Ulotki A5 kolorowe"), 5000);
    EXPECT_TRUE(Form_fa1->storedNumber.isEmpty());
    // The same invoice stays on screen: no "Nowa faktura".
    EXPECT_TRUE(windowState() == before);
    EXPECT_EQ(Form_fa1->ComboBox3->currentText(), "AGA");
}

TEST_F(InvoicePrintCommands, ACopyThatFailsLeavesTheInvoiceSavedOnScreenForAnotherTry) {
    setChecked(Form_fa10->CheckBox1, false); // no stock question
    choosePrintForm(Form_fa1->RadioButton6);
    const WindowState before = windowState();
    printer.failFromJob = 1;
    Form_fa1->SpeedButton4Click(Form_fa1);
    EXPECT_EQ(printer.jobs.size(), 1);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QString::fromUtf8(tv::ui::printFailedMessage));
    // Saved, not printed, and still on screen: no "Nowa faktura".
    EXPECT_TRUE(invoicing::invoiceStored("7/03/2024"));
    EXPECT_EQ(rowsOf("wyst_faktury.db"), 1);
    EXPECT_FALSE(Form_fa1->Wydrukowana);
    EXPECT_TRUE(Form_fa1->Zapisana);
    EXPECT_EQ(Form_fa1->storedNumber, "7/03/2024");
    EXPECT_EQ(Form_fa1->Edit5->text(), before.number);
    EXPECT_EQ(Form_fa1->LicznikFaktur, before.counter);
    EXPECT_EQ(Form_fa1->pozycje->recordCount(), 3);
    EXPECT_EQ(Form_fa1->ComboBox3->currentText(), "AGA");

    // Once the printer works again, the same invoice prints whole, is kept
    // once under its number, and the next invoice follows.
    printer.failFromJob = -1;
    printer.jobs.clear();
    tv::ui::clearShownMessages();
    Form_fa1->SpeedButton4Click(Form_fa1);
    EXPECT_TRUE(messages().isEmpty());
    ASSERT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(textOf(printer.jobs[0][0], "QRLabel25"), "Oryginał");
    EXPECT_EQ(textOf(printer.jobs[1][0], "QRLabel25"), "Kopia");
    EXPECT_EQ(rowsOf("wyst_faktury.db"), 1);
    EXPECT_EQ(Form_fa1->LicznikFaktur, before.counter + 1);
    EXPECT_EQ(Form_fa1->Edit5->text(), Form_fa1->FormatujNumer(before.counter + 1, tv::today()));
    EXPECT_EQ(Form_fa1->pozycje->recordCount(), 0);
    EXPECT_FALSE(Form_fa1->Wydrukowana);
    EXPECT_TRUE(Form_fa1->storedNumber.isEmpty());
}

// Without a printer, "Tak" to the PDF and then a cancelled or unwritable file
// is no print: the invoice stays saved on screen and no new one starts.
TEST_F(InvoicePrintCommands, APdfNotWrittenInsteadOfPrintingLeavesTheInvoiceOnScreen) {
    setChecked(Form_fa10->CheckBox1, false); // no stock question
    printer.name.clear();
    answerEveryQuestion(tv::ui::Answer::Yes);
    const QString unwritable = workingFolder() + "/brak/faktura.pdf";
    for (const QString& chosen : {QString(), unwritable}) {
        SCOPED_TRACE(chosen.toStdString());
        tv::ui::setFileAnswerer([&](const tv::ui::FileDialogRequest&) { return chosen; });
        tv::ui::clearShownMessages();
        const WindowState before = windowState();
        Form_fa1->SpeedButton4Click(Form_fa1);
        EXPECT_TRUE(invoicing::invoiceStored("7/03/2024"));
        EXPECT_FALSE(Form_fa1->Wydrukowana);
        EXPECT_EQ(Form_fa1->Edit5->text(), before.number);
        EXPECT_EQ(Form_fa1->LicznikFaktur, before.counter);
        EXPECT_EQ(Form_fa1->pozycje->recordCount(), 3);
        EXPECT_EQ(messages().first().text, QString::fromUtf8(tv::ui::noPrinterMessage));
        EXPECT_EQ(messages().last().icon, chosen.isEmpty() ? tv::ui::Icon::Warning : tv::ui::Icon::Error);
    }
    EXPECT_FALSE(QFileInfo::exists(unwritable));
    tv::ui::setFileAnswerer(nullptr);
}
