#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include "app/forms.h"
#include "app/info_box.h"
#include "app/start_screen.h"
#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "invoicing/invoice_window.h"
#include "platform/errors.h"
#include "platform/table.h"
#include "platform/ui/application.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware_controls.h"
#include "support/app_fixture.h"

using tvtest::AppFixture;

namespace {

void showActive(QWidget* w) {
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

} // namespace

class StartupTest : public AppFixture {};

TEST_F(StartupTest, FormsAreCreatedOnceInTheProgramsOrder) {
    const QStringList expected = {
        "TForm_start",   "TForm1",        "TForm2",        "TForm3",        "TForm4",        "TForm5",
        "TForm6",        "TForm8",        "TForm9",        "TForm7",        "TForm10",       "TForm_fa1",
        "TQuickReport6", "TForm_fa10",    "TForm_fa2",     "TFa2_wy",       "TForm_fa3",     "TForm_fa4",
        "TForm_fa5",     "TForm_fa6",     "TForm_fa7",     "TForm_fa8",     "TForm_fa9",     "TQuickReport1",
        "TQuickReport2", "TQuickReport3", "TQuickReport4", "TQuickReport5", "Tformatka_info"};
    EXPECT_EQ(formCreationOrder(), expected);
    EXPECT_NE(Form_start, nullptr);
    EXPECT_NE(Form1, nullptr);
    EXPECT_NE(Form4, nullptr);
    EXPECT_NE(Form_fa1, nullptr);
    EXPECT_NE(formatka_info, nullptr);
    // Every form but the start screen starts hidden.
    EXPECT_FALSE(Form1->isVisible());
    EXPECT_FALSE(formatka_info->isVisible());
}

TEST_F(StartupTest, StartPanelAndEnterOpenTheSheetOtherKeysDoNothing) {
    showActive(Form_start);
    EXPECT_EQ(Form_start->windowTitle(), QString("Tarvelino 2.22"));

    QTest::keyClick(Form_start, Qt::Key_A);
    QTest::keyClick(Form_start, Qt::Key_Space);
    EXPECT_TRUE(Form_start->isVisible());
    EXPECT_FALSE(Form1->isVisible());

    QTest::keyClick(Form_start, Qt::Key_Return);
    EXPECT_TRUE(Form1->isVisible());
    EXPECT_FALSE(Form_start->isVisible());
    EXPECT_EQ(Form1->windowTitle(), QString("Arkusz kalkulacyjny Tarvelino 2.22"));
}

TEST_F(StartupTest, StartPanelClickOpensTheSheetWithTheBevelLook) {
    showActive(Form_start);
    QTest::mousePress(Form_start->Panel1, Qt::LeftButton);
    EXPECT_TRUE(Form_start->Panel1->lowered());
    QTest::mouseRelease(Form_start->Panel1, Qt::LeftButton);
    EXPECT_FALSE(Form_start->Panel1->lowered());
    EXPECT_TRUE(Form1->isVisible());
    EXPECT_FALSE(Form_start->isVisible());
}

TEST_F(StartupTest, ClosingTheSheetEndsTheProgram) {
    showActive(Form1);
    Form_fa1->show();
    EXPECT_FALSE(tv::ui::terminationRequested());
    Form1->close();
    EXPECT_TRUE(tv::ui::terminationRequested());
}

TEST_F(StartupTest, KoniecAndZamknijEndTheProgram) {
    Form1->Koniec1->trigger();
    EXPECT_TRUE(tv::ui::terminationRequested());
    tv::ui::resetTerminationRequest();
    Form1->SpeedButton16->click();
    EXPECT_TRUE(tv::ui::terminationRequested());
}

TEST_F(StartupTest, CutInATextFieldDoesNotEndTheProgram) {
    showActive(Form1);
    Form1->Edit1->setFocus();
    Form1->Edit1->setText("Ulotka");
    Form1->Edit1->selectAll();
    QTest::keyClick(Form1->Edit1, Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(tv::ui::terminationRequested());
    EXPECT_EQ(Form1->Edit1->text(), QString());
}

TEST_F(StartupTest, HelpFileFollowsTheActivatedWindow) {
    EXPECT_EQ(tv::ui::helpFile(), QString("KM550help.hlp"));
    tv::ui::setHelpFile("Fhelp.hlp");
    showActive(Form1);
    EXPECT_EQ(tv::ui::helpFile(), QString("KM550help.hlp"));
    EXPECT_FALSE(tv::ui::helpPagePath(tv::ui::helpFile()).isEmpty());
    EXPECT_FALSE(tv::ui::helpPagePath("KM550HELP.HLP").isEmpty());
    EXPECT_FALSE(tv::ui::helpPagePath("Fhelp.hlp").isEmpty());
}

TEST_F(StartupTest, HelpShowsTheSheetsOwnHelpPage) {
    showActive(Form1);
    Form1->Pomoc2->trigger();
    QWidget* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == QString("Pomoc")) help = w;
    ASSERT_NE(help, nullptr);
    auto* browser = help->findChild<QTextBrowser*>();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->source().toLocalFile().endsWith("km550help.html"));
    EXPECT_TRUE(browser->toPlainText().contains("Arkusz kalkulacyjny Tarvelino 2.22"));
    help->hide();
}

TEST_F(StartupTest, AboutShowsTheInfoBoxAndOkClosesIt) {
    Form1->Oprogramie1->trigger();
    EXPECT_TRUE(formatka_info->isVisible());
    EXPECT_EQ(formatka_info->windowTitle(), QString("Info"));
    EXPECT_FALSE(formatka_info->Button2->isVisibleTo(formatka_info));
    formatka_info->Button1->click();
    EXPECT_FALSE(formatka_info->isVisible());
}

TEST_F(StartupTest, PaperDialogWithoutFormatAsksForOne) {
    Form1->DBLookupComboBox1->setText(QString());
    Form1->SpeedButton11->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QString("Wybierz format papieru"));
    EXPECT_EQ(messages()[0].caption, QString());
    EXPECT_EQ(messages()[0].buttons, tv::ui::Buttons::Ok);
    EXPECT_FALSE(Form4->isVisible());
}

TEST_F(StartupTest, SheetShowsTheCurrentFormatAndPassesItToThePaperDialog) {
    EXPECT_FALSE(Form1->DBLookupComboBox1->text().isEmpty());
    EXPECT_EQ(Form4->Label9->text(), Form1->DBLookupComboBox1->text());
    EXPECT_GT(Form4->numerFormatu, 0);
}

TEST_F(StartupTest, AnExceptionInAHandlerReachesTheErrorBoxAndTheProgramGoesOn) {
    QPushButton button;
    int after = 0;
    tv::ui::onClick(&button, [&] {
        throw tv::EConvertError("'' is not a valid floating point value");
        ++after;
    });
    button.click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QString("'' is not a valid floating point value"));
    EXPECT_EQ(messages()[0].caption, QString("Tarvelino"));
    EXPECT_EQ(messages()[0].icon, tv::ui::Icon::Error);
    EXPECT_EQ(after, 0);
    button.click();
    EXPECT_EQ(messages().size(), 2);
}

// The design texts remembered at construction.
TEST_F(StartupTest, DefaultsHoldTheDesignTexts) {
    const QSet<int> ones = {2, 23, 46, 50, 75};
    const QSet<int> texts = {1, 3, 4, 6, 8, 25, 27, 29, 42, 69};
    for (int slot = 0; slot < 80; ++slot) {
        const int number = slot <= 40 ? slot + 1 : slot;
        const QString expected = ones.contains(number) ? "1" : texts.contains(number) ? "" : "0";
        EXPECT_EQ(Form1->domyslne[slot], expected) << "slot " << slot << " (Edit" << number << ")";
        EXPECT_EQ(Form1->pola[slot]->objectName(), QString("Edit%1").arg(number));
    }
    EXPECT_EQ(Form1->pola[40], Form1->Edit41);
    EXPECT_EQ(Form1->pola[41], Form1->Edit41);
    EXPECT_EQ(Form1->opcje[4], nullptr);
    EXPECT_EQ(Form1->opcje[0], Form1->ComboBox1);
    EXPECT_EQ(Form1->opcje[5], Form1->ComboBox5);
    EXPECT_EQ(Form1->opcje[6], Form1->ComboBox6);
    EXPECT_TRUE(Form1->katalog.endsWith('/'));
    EXPECT_EQ(Form1->DateTimePicker1->date(), QDate::currentDate());
}

TEST_F(StartupTest, OptionListsHoldTheirItemsAndDesignTexts) {
    EXPECT_EQ(Form1->ComboBox1->currentText(), QString("22"));
    EXPECT_EQ(Form1->ComboBox1->count(), 4);
    EXPECT_EQ(Form1->ComboBox1->itemText(3), QString("zw."));
    EXPECT_EQ(Form1->ComboBox2->count(), 101);
    EXPECT_EQ(Form1->ComboBox3->currentText(), QString("0"));
    EXPECT_EQ(Form1->ComboBox4->itemText(100), QString("100"));
    EXPECT_EQ(Form1->ComboBox5->currentText(), QString("Bez szycia"));
    EXPECT_EQ(Form1->ComboBox6->currentText(), QString("do całości"));
    EXPECT_EQ(Form1->ComboBox6->itemText(1), QString("do części I"));
    EXPECT_TRUE(Form1->Edit21->isReadOnly());
    EXPECT_TRUE(Form1->Edit23->isReadOnly());
    EXPECT_FALSE(Form1->Edit14->isReadOnly());
    EXPECT_EQ(Form1->Edit1->maxLength(), 232);
    EXPECT_EQ(Form1->ComboBox1->lineEdit()->maxLength(), 3);
    EXPECT_EQ(Form1->PageControl1->count(), 4);
}

TEST_F(StartupTest, ToolbarButtonsTakeNoFocus) {
    for (auto* b : {Form1->SpeedButton1, Form1->SpeedButton5, Form1->SpeedButton6, Form1->SpeedButton7,
                    Form1->SpeedButton8, Form1->SpeedButton9, Form1->SpeedButton11, Form1->SpeedButton14})
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << b->objectName().toStdString();
}

class CustomerListTest : public AppFixture {
protected:
    void prepareData() override {
        tv::Table t("kontrahenci.db");
        t.open();
        // Appended out of order: the list follows the table's own order.
        for (auto [id, nr] : {std::pair{"Zenon", 1}, {"adam", 2}, {"Łukasz", 3}, {"Beta", 4}}) {
            t.append();
            t.fieldByName("Id").setAsString(id);
            t.fieldByName("Nr").setAsInteger(nr);
            t.post();
        }
    }
};

TEST_F(CustomerListTest, CustomerListIsFilledInTableOrderWithAnEmptyText) {
    tv::Table t("kontrahenci.db");
    t.open();
    QStringList expected;
    for (t.first(); !t.eof(); t.next())
        expected << t.fieldByName("Id").asString();
    QStringList shown;
    for (int i = 0; i < Form1->ComboBox7->count(); ++i)
        shown << Form1->ComboBox7->itemText(i);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(shown, (QStringList{"adam", "Beta", "Łukasz", "Zenon"}));
    EXPECT_EQ(Form1->ComboBox7->currentText(), QString());
}

TEST_F(StartupTest, CustomerListIsEmptyForAnEmptyTable) {
    EXPECT_EQ(Form1->ComboBox7->count(), 0);
    EXPECT_EQ(Form1->ComboBox7->currentText(), QString());
}
