// The end of a working session with the invoicing window: the window closed
// and opened again, the program ended with an invoice on screen, and the
// program started again in the same folder.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include "app/program.h"
#include "app/start_screen.h"
#include "costing/costing_sheet.h"
#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/welcome_screen.h"
#include "journey_support.h"
#include "platform/clock.h"
#include "platform/table.h"
#include "platform/ui/application.h"
#include "platform/ui/dataaware_grid.h"
#include "support/test_env.h"

using namespace journey;
using tv::ui::Answer;

namespace {

const QDate kToday(2025, 3, 14);

class SessionEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_previousFolder = QDir::currentPath();
        QDir::setCurrent(m_folder.path());
        tv::setToday(kToday);
        m_previousLocale = QLocale();
        tv::ui::useProgramLocale(QLocale::c());
        tv::ui::resetTerminationRequest();
    }
    void TearDown() override {
        if (m_running) endProgram();
        tv::setToday(QDate());
        QLocale::setDefault(m_previousLocale);
        QDir::setCurrent(m_previousFolder);
    }

    QString file(const QString& name) const { return QDir(m_folder.path()).filePath(name); }

    void startTheProgram() {
        startProgram(m_folder.path(), tvtest::sourceDataDir());
        m_running = true;
        ASSERT_NO_FATAL_FAILURE(activate(Form_start));
        QTest::keyClick(Form_start, Qt::Key_Return);
        ASSERT_NO_FATAL_FAILURE(activate(Form1));
    }
    void endTheProgram() {
        Form1->Koniec1->trigger();
        endProgram();
        m_running = false;
        tv::ui::resetTerminationRequest();
    }
    void restart() {
        ASSERT_NO_FATAL_FAILURE(endTheProgram());
        ASSERT_NO_FATAL_FAILURE(startTheProgram());
    }

    // A small job on the sheet, handed over as an invoice.
    void handOverAJob(const QString& name, const QString& price) {
        ASSERT_NO_FATAL_FAILURE(fill(Form1->Edit1, name));
        Form1->Edit65->setText(price);
        click(Form1->SpeedButton4); // "  Faktura"
        ASSERT_TRUE(Form_fa1->isVisible());
        QApplication::processEvents();
        if (Form_fa8 && Form_fa8->isVisible()) QTest::keyClick(Form_fa8, Qt::Key_Return);
        ASSERT_NO_FATAL_FAILURE(activate(Form_fa1));
    }

    // Starts a line in the grid and types its name without confirming it.
    void typeAHalfLine(const QString& name) {
        tv::ui::DBGrid* grid = Form_fa1->DBGrid1;
        ASSERT_NO_FATAL_FAILURE(activate(Form_fa1));
        grid->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert);
        QApplication::processEvents();
        ASSERT_EQ(Form_fa1->pozycje->state(), tv::Table::State::Insert);
        ASSERT_NO_FATAL_FAILURE(clickCell(grid, Form_fa1->pozycje->recNo() - 1, "Nazwa"));
        keys(QApplication::focusWidget(), name);
    }

    QStringList storedInvoices() {
        QStringList out;
        tv::Table t(QStringLiteral("wyst_faktury.db"));
        t.open();
        for (t.first(); !t.eof(); t.next())
            out << t.fieldByName("Nr").asString() + "|" + t.fieldByName("Brutto").asString();
        return out;
    }
    int storedLines() {
        tv::Table t(QStringLiteral("wyst_pozycje.db"));
        t.open();
        return t.recordCount();
    }

    QTemporaryDir m_folder;
    QString m_previousFolder;
    QLocale m_previousLocale;
    Operator m_operator;
    bool m_running = false;
};

} // namespace

TEST_F(SessionEnd, EndingWithAnUnsavedInvoiceAndAHalfTypedLineStoresNothingAndNumbersOn) {
    ASSERT_NO_FATAL_FAILURE(startTheProgram());
    ASSERT_NO_FATAL_FAILURE(handOverAJob("Ulotka", "1000"));
    EXPECT_EQ(Form_fa1->Edit5->text(), QStringLiteral("1/03/2025"));
    ASSERT_NO_FATAL_FAILURE(typeAHalfLine("Teczka"));
    ASSERT_NO_FATAL_FAILURE(restart());
    m_operator.checkAllAnswered();
    EXPECT_EQ(storedInvoices(), QStringList());
    EXPECT_EQ(Form_fa1->pozycje->recordCount(), 0);
    ASSERT_NO_FATAL_FAILURE(handOverAJob("Plakat", "200"));
    EXPECT_EQ(Form_fa1->Edit5->text(), QStringLiteral("1/03/2025"));
    EXPECT_EQ(columnTexts(Form_fa1->DBGrid1, "Nazwa"),
              QStringList({"Przygotowanie do druku Plakat", "Druk Plakat"}));
}

TEST_F(SessionEnd, ClosingTheWindowWithAutoArchiveAndAHalfTypedLineArchivesWithoutAQuestion) {
    ASSERT_NO_FATAL_FAILURE(startTheProgram());
    ASSERT_TRUE(Form_fa10->CheckBox2->isChecked()); // first start: "archiwizuj automatycznie"
    ASSERT_NO_FATAL_FAILURE(handOverAJob("Ulotka", "1000"));
    ASSERT_NO_FATAL_FAILURE(typeAHalfLine("Teczka"));
    click(Form_fa1->SpeedButton6); // "Zamknij"
    EXPECT_FALSE(Form_fa1->isVisible());
    EXPECT_TRUE(QFile::exists(file("archiwum1.zip")));
    m_operator.checkAllAnswered();
    EXPECT_EQ(storedInvoices(), QStringList());
}

TEST_F(SessionEnd, ASavedInvoiceClosedAndReopenedIsNeitherLostNorNumberedTwice) {
    ASSERT_NO_FATAL_FAILURE(startTheProgram());
    ASSERT_NO_FATAL_FAILURE(handOverAJob("Ulotka", "1000"));
    m_operator.expectBox(
        QStringLiteral("Naciśnięcie tak spowoduje odjęcie produktów z magazynu kontynuować ?"), Answer::Yes);
    click(Form_fa1->SpeedButton2); // "Zapisz fakturę"
    m_operator.checkAllAnswered();
    const QStringList first = storedInvoices();
    ASSERT_EQ(first.size(), 1);
    click(Form_fa1->SpeedButton6);
    ASSERT_NO_FATAL_FAILURE(handOverAJob("Plakat", "200"));
    EXPECT_EQ(Form_fa1->Edit5->text(), QStringLiteral("2/03/2025"));
    m_operator.expectBox(
        QStringLiteral("Naciśnięcie tak spowoduje odjęcie produktów z magazynu kontynuować ?"), Answer::Yes);
    click(Form_fa1->SpeedButton2);
    m_operator.checkAllAnswered();
    EXPECT_EQ(storedInvoices().size(), 2);
    EXPECT_EQ(storedInvoices().value(0), first.value(0));
    click(Form_fa1->SpeedButton1); // "Nowa faktura"
    EXPECT_EQ(Form_fa1->Edit5->text(), QStringLiteral("3/03/2025"));
    ASSERT_NO_FATAL_FAILURE(restart());
    m_operator.checkAllAnswered();
    EXPECT_EQ(storedInvoices().size(), 2);
    ASSERT_NO_FATAL_FAILURE(handOverAJob("Karta", "50"));
    EXPECT_EQ(Form_fa1->Edit5->text(), QStringLiteral("3/03/2025"));
    EXPECT_EQ(Form_fa10->Edit2->text(), QStringLiteral("3"));
}

TEST_F(SessionEnd, TheWelcomeScreenComesOnceARunAfterTheSkipOptionIsCleared) {
    ASSERT_NO_FATAL_FAILURE(startTheProgram());
    ASSERT_NO_FATAL_FAILURE(handOverAJob("Ulotka", "1000"));
    click(Form_fa1->SpeedButton13); // "Administracja"
    ASSERT_NO_FATAL_FAILURE(opened(Form_fa10));
    ASSERT_NO_FATAL_FAILURE(focus(Form_fa10->FirstScreen));
    QTest::keyClick(Form_fa10->FirstScreen, Qt::Key_Space);
    EXPECT_FALSE(Form_fa10->FirstScreen->isChecked());
    click(Form_fa10->SpeedButton1); // OK
    click(Form_fa1->SpeedButton6);
    ASSERT_NO_FATAL_FAILURE(restart());
    ASSERT_NO_FATAL_FAILURE(fill(Form1->Edit1, QStringLiteral("Plakat")));
    Form1->Edit65->setText("200");
    click(Form1->SpeedButton4);
    QApplication::processEvents();
    ASSERT_TRUE(Form_fa8->isVisible());
    QTest::keyClick(Form_fa8, Qt::Key_Return);
    EXPECT_FALSE(Form_fa8->isVisible());
    EXPECT_TRUE(Form_fa1->isVisible());
    EXPECT_EQ(columnTexts(Form_fa1->DBGrid1, "Nazwa"),
              QStringList({"Przygotowanie do druku Plakat", "Druk Plakat"}));
    click(Form_fa1->SpeedButton6);
    click(Form1->SpeedButton4);
    QApplication::processEvents();
    EXPECT_FALSE(Form_fa8->isVisible());
    EXPECT_TRUE(Form_fa1->isVisible());
    m_operator.checkAllAnswered();
}
