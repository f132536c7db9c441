#include <gtest/gtest.h>

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "invoicing/admin_support.h"
#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"
#include "invoicing/registers/goods.h"
#include "platform/ui/controls.h"
#include "platform/ui/register_editor.h"
#include "support/typing.h"

using admintest::cp1250Lines;
using admintest::readBytes;
using admintest::writeBytes;

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString kCannotWrite = QStringLiteral("Nie można zaktualizowac pliku 'ustaw.txt'");
const QString kNotFound = QStringLiteral("Nie znaleziono pliku 'ustaw.txt'");
const QString kRestart =
    QStringLiteral("Proszę zamknąć i ponownie uruchomić program w celu aktualizacji ustawień");

struct Options {
    bool plainPaper, stock, archive, street, logo, skip;
};

Options optionsOf(const TForm_fa10& f) {
    return {f.RadioButton1->isChecked(),   f.CheckBox1->isChecked(), f.CheckBox2->isChecked(),
            f.CheckBox_Ulica->isChecked(), f.logo->isChecked(),      f.FirstScreen->isChecked()};
}

void expectOptions(const Options& got, const Options& want) {
    EXPECT_EQ(got.plainPaper, want.plainPaper);
    EXPECT_EQ(got.stock, want.stock);
    EXPECT_EQ(got.archive, want.archive);
    EXPECT_EQ(got.street, want.street);
    EXPECT_EQ(got.logo, want.logo);
    EXPECT_EQ(got.skip, want.skip);
}

} // namespace

// ---- first start and reading at start ---------------------------------------------

class AdministrationFirstStart : public admintest::InvoicingFixture {};

TEST_F(AdministrationFirstStart, DefaultsSwitchEveryLaterOptionOnAndTheNewInvoiceWritesTenLines) {
    EXPECT_EQ(Form_fa10->windowTitle(), QString("Administracja"));
    EXPECT_EQ(Form_fa10->Edit1->text(), QString("#N/#MM/#YYYY"));
    EXPECT_EQ(Form_fa10->Edit2->text(), QString("1"));
    EXPECT_EQ(Form_fa10->Edit3->text(), QString("Dziękujemy"));
    EXPECT_EQ(Form_fa10->Edit4->text(), QString());
    EXPECT_FALSE(Form_fa10->RadioButton2->isChecked());
    expectOptions(optionsOf(*Form_fa10), {true, true, true, true, true, true});
    EXPECT_EQ(Form_fa1->LicznikFaktur, 1);
    EXPECT_EQ(readBytes(file("ustaw.txt")),
              QByteArray("#N/#MM/#YYYY\r\n1\r\nDzi\xEAkujemy\r\n0\r\n1\r\n1\r\n\r\n1\r\n1\r\n1\r\n"));
    // Nothing is said at a first start, and the INI is written only on closing.
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_FALSE(QFile::exists(file("FAKTURY.INI")));
    // The memo's design lines are what a first start wrote, then the new invoice's ten.
    EXPECT_EQ(Form_fa10->Memo1.count(), 10);
}

class AdministrationFromFiles : public admintest::InvoicingFixture {
protected:
    QByteArray settings;
    QByteArray ini;
    void prepareSideFiles() override {
        if (!settings.isEmpty()) writeBytes(file("ustaw.txt"), settings);
        if (!ini.isEmpty()) writeBytes(file("FAKTURY.INI"), ini);
    }
    // Starts again with these files; an empty settings text with asFolder
    // puts a folder where the settings file would be, which cannot be read.
    void startWith(const QByteArray& settingsBytes, const QByteArray& iniBytes = {}, bool asFolder = false) {
        settings = settingsBytes;
        ini = iniBytes;
        destroyForms();
        QFile::remove(file("ustaw.txt"));
        QFile::remove(file("FAKTURY.INI"));
        if (asFolder) QDir(workingFolder()).mkdir("ustaw.txt");
        prepareSideFiles();
        tv::ui::clearShownMessages();
        createForms();
    }
};

TEST_F(AdministrationFromFiles, LinesGoToTheirControlsOnlyZeroSwitchesOff) {
    struct Case {
        QStringList lines;
        Options options;
    };
    const Case cases[] = {
        {{"#N/#YY", "7", "Witamy", "0", "0", "0", "uwaga", "0", "0", "0"},
         {true, false, false, false, false, false}},
        {{"#N/#YY", "7", "Witamy", "1", "1", "tak", "uwaga", "x", "1", "1"},
         {false, true, true, true, true, true}},
        {{"#N/#YY", "7", "Witamy", "x", "0", "1", "uwaga", "1", "0", "1"},
         {false, false, true, true, false, true}},
        // Five lines: an empty line 4 and the missing lines switch their options on.
        {{"#N/#YY", "7", "Witamy", "0", ""}, {true, true, true, true, true, true}},
        {{"#N/#YY", "7", "Witamy", "", "0"}, {false, false, true, true, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.join('|').toStdString());
        startWith(cp1250Lines(c.lines));
        EXPECT_EQ(Form_fa10->Edit1->text(), QString("#N/#YY"));
        EXPECT_EQ(Form_fa10->Edit2->text(), QString("7"));
        EXPECT_EQ(Form_fa10->Edit3->text(), QString("Witamy"));
        EXPECT_EQ(Form_fa10->Edit4->text(), c.lines.value(6));
        expectOptions(optionsOf(*Form_fa10), c.options);
        EXPECT_NE(Form_fa10->RadioButton1->isChecked(), Form_fa10->RadioButton2->isChecked());
        EXPECT_EQ(Form_fa1->LicznikFaktur, 7);
        EXPECT_TRUE(messages().isEmpty());
    }
}

TEST_F(AdministrationFromFiles, TheIniLosesToTheSettingsFileAtStartAndBothAgreeAfterClosing) {
    startWith(cp1250Lines({"#N/#MM/#YYYY", "3", "Dziękujemy", "0", "0", "0", "", "0", "0", "0"}),
              "[Opcje]\r\nFormat=FV #N\r\nTekst=Inny\r\nUwagi=Inne uwagi\r\nWydruk=0\r\nMagazyn=1\r\n"
              "Archiwum=1\r\n");
    EXPECT_EQ(Form_fa10->Edit1->text(), QString("#N/#MM/#YYYY"));
    EXPECT_EQ(Form_fa10->Edit3->text(), QString("Dziękujemy"));
    EXPECT_EQ(Form_fa10->Edit4->text(), QString());
    EXPECT_TRUE(Form_fa10->RadioButton1->isChecked());
    EXPECT_FALSE(Form_fa10->CheckBox1->isChecked());
    EXPECT_FALSE(Form_fa10->CheckBox2->isChecked());

    Form_fa10->show();
    Form_fa10->close();
    EXPECT_EQ(readBytes(file("FAKTURY.INI")),
              QByteArray("[Opcje]\r\nFormat=#N/#MM/#YYYY\r\nTekst=Dzi\xEAkujemy\r\nUwagi=\r\nWydruk=1\r\n"
                         "Magazyn=0\r\nArchiwum=0\r\n\r\n"));
}

TEST_F(AdministrationFromFiles, WithoutASettingsFileTheIniGivesTheSixOptions) {
    // An unreadable settings file (here a folder of that name) leaves the
    // controls as the INI set them; the start still completes.
    startWith({},
              "[Opcje]\r\nFormat=FV #N\r\nTekst=Inny\r\nUwagi=Inne uwagi\r\nWydruk=0\r\nMagazyn=1\r\n"
              "Archiwum=1\r\n",
              true);
    EXPECT_EQ(Form_fa10->Edit1->text(), QString("FV #N"));
    EXPECT_EQ(Form_fa10->Edit3->text(), QString("Inny"));
    EXPECT_EQ(Form_fa10->Edit4->text(), QString("Inne uwagi"));
    EXPECT_TRUE(Form_fa10->RadioButton2->isChecked());
    EXPECT_TRUE(Form_fa10->CheckBox1->isChecked());
    EXPECT_TRUE(Form_fa10->CheckBox2->isChecked());
    EXPECT_EQ(Form_fa1->Edit7->text(), QString("Inny"));
    EXPECT_EQ(messageCount(kNotFound), 1);
    EXPECT_EQ(messageCount(kCannotWrite), 1);
    EXPECT_EQ(Form_fa1->LicznikFaktur, 1);
}

TEST_F(AdministrationFromFiles, AnUnreadableCounterLineCountsAsOne) {
    for (const char* counter : {"abc", "", "0", "-4", "1e40"}) {
        SCOPED_TRACE(counter);
        startWith(cp1250Lines({"#N/#MM/#YYYY", counter, "", "0", "0", "0", "", "0", "0", "0"}));
        EXPECT_EQ(Form_fa10->Edit2->text(), QString("1"));
        EXPECT_EQ(Form_fa1->LicznikFaktur, 1);
        EXPECT_TRUE(messages().isEmpty());
        EXPECT_EQ(readBytes(file("ustaw.txt")),
                  cp1250Lines({"#N/#MM/#YYYY", "1", "", "0", "0", "0", "", "0", "0", "0"}));
    }
}

// ---- OK, anuluj and closing ----------------------------------------------------------

class AdministrationCommands : public admintest::InvoicingFixture {
protected:
    void prepareSideFiles() override {
        writeBytes(file("ustaw.txt"), cp1250Lines({"#N/#MM/#YYYY", "5", "Dziękujemy", "0", "0", "0",
                                                   "Uwagi stałe", "0", "0", "0"}));
    }
    void click(tv::ui::PanelButton* panel) { QTest::mouseClick(panel, Qt::LeftButton); }
};

TEST_F(AdministrationCommands, OkStoresTheSettingsTakesTheCounterOverAndClosesWritingTheIni) {
    Form_fa10->show();
    Form_fa10->Edit2->setText("12,9");
    Form_fa10->Edit3->setText("Zapraszamy ponownie");
    Form_fa10->Edit4->setText("Płatne przelewem");
    Form_fa10->RadioButton2->setChecked(true);
    Form_fa10->CheckBox2->setChecked(true);
    Form_fa10->FirstScreen->setChecked(true);
    click(Form_fa10->SpeedButton1);

    EXPECT_FALSE(Form_fa10->isVisible());
    EXPECT_EQ(Form_fa1->LicznikFaktur, 12);
    EXPECT_EQ(Form_fa1->Edit5->text(), Form_fa1->FormatujNumer(12, Form_fa1->DateTimePicker1->date()));
    EXPECT_EQ(readBytes(file("ustaw.txt")), cp1250Lines({"#N/#MM/#YYYY", "12,9", "Zapraszamy ponownie", "1",
                                                         "0", "1", "Płatne przelewem", "0", "0", "1"}));
    EXPECT_EQ(readBytes(file("FAKTURY.INI")),
              QByteArray("[Opcje]\r\nFormat=#N/#MM/#YYYY\r\nTekst=Zapraszamy ponownie\r\n"
                         "Uwagi=P\xB3\x61tne przelewem\r\nWydruk=0\r\nMagazyn=0\r\nArchiwum=1\r\n\r\n"));
    EXPECT_EQ(Form_fa1->Edit7->text(), QString("Zapraszamy ponownie"));
    EXPECT_EQ(Form_fa1->Edit12->text(), QString("Płatne przelewem"));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(AdministrationCommands, AStoredInvoiceKeepsItsNumberWhenTheCounterIsTakenOver) {
    Form_fa1->storedNumber = "3/05/2024";
    Form_fa1->Edit5->setText("3/05/2024");
    for (tv::ui::PanelButton* command : {Form_fa10->SpeedButton1, Form_fa10->SpeedButton2}) {
        Form_fa10->show();
        Form_fa10->Edit2->setText("30");
        click(command);
        EXPECT_EQ(Form_fa1->Edit5->text(), QString("3/05/2024"));
    }
    EXPECT_EQ(Form_fa1->LicznikFaktur, 30);
}

TEST_F(AdministrationCommands, OkRefusesWhatWouldBreakTheNumberingAndStoresNothing) {
    struct Case {
        QString counter;
        QString pattern;
        QString messageStart;
    };
    const Case cases[] = {
        {"abc", "#N/#MM/#YYYY", "Aktualny numer faktury musi być liczbą 1 lub większą"},
        {"0", "#N/#MM/#YYYY", "Aktualny numer faktury musi być liczbą 1 lub większą"},
        {"", "#N/#MM/#YYYY", "Aktualny numer faktury musi być liczbą 1 lub większą"},
        {"12.5", "#N/#MM/#YYYY", "Aktualny numer faktury musi być liczbą 1 lub większą"},
        {"8", "#N/#MM/#", "Format numeracji nie może kończyć się pojedynczym znakiem '#'."},
        {"8", "", "Format numeracji nie może być pusty."},
    };
    const QByteArray before = readBytes(file("ustaw.txt"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.counter.toStdString() + " " + c.pattern.toStdString());
        tv::ui::clearShownMessages();
        Form_fa10->show();
        Form_fa10->Edit1->setText(c.pattern);
        Form_fa10->Edit2->setText(c.counter);
        Form_fa10->Edit3->setText("zmieniony");
        click(Form_fa10->SpeedButton1);
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages()[0].text.startsWith(c.messageStart)) << messages()[0].text.toStdString();
        EXPECT_EQ(messages()[0].caption, QString("Uwaga"));
        // Nothing stored, nothing taken over, and the form stays for the correction.
        EXPECT_TRUE(Form_fa10->isVisible());
        EXPECT_EQ(readBytes(file("ustaw.txt")), before);
        EXPECT_FALSE(QFile::exists(file("FAKTURY.INI")));
        EXPECT_EQ(Form_fa1->LicznikFaktur, 5);
        EXPECT_EQ(Form_fa1->Edit7->text(), QString("Dziękujemy"));
    }
    // Corrected, the settings then survive a restart.
    Form_fa10->Edit1->setText("#N/#MM/#YYYY");
    Form_fa10->Edit2->setText("9");
    click(Form_fa10->SpeedButton1);
    restart();
    EXPECT_EQ(Form_fa10->Edit2->text(), QString("9"));
    EXPECT_EQ(Form_fa10->Edit3->text(), QString("zmieniony"));
    EXPECT_EQ(Form_fa1->LicznikFaktur, 9);
}

TEST_F(AdministrationCommands, AnulujThrowsTheEditsAwayButKeepsTheInvoiceWindowsRemarks) {
    Form_fa1->Edit12->setText("uwagi faktury");
    Form_fa10->show();
    Form_fa10->Edit1->setText("FV #N");
    Form_fa10->Edit2->setText("40");
    Form_fa10->Edit3->setText("inny tekst");
    Form_fa10->CheckBox1->setChecked(true);
    Form_fa10->logo->setChecked(true);
    click(Form_fa10->SpeedButton2);

    EXPECT_FALSE(Form_fa10->isVisible());
    EXPECT_EQ(Form_fa10->Edit1->text(), QString("#N/#MM/#YYYY"));
    EXPECT_EQ(Form_fa10->Edit2->text(), QString("5"));
    EXPECT_EQ(Form_fa10->Edit3->text(), QString("Dziękujemy"));
    EXPECT_FALSE(Form_fa10->CheckBox1->isChecked());
    EXPECT_FALSE(Form_fa10->logo->isChecked());
    EXPECT_EQ(Form_fa1->LicznikFaktur, 5);
    // Closing hands the stored texts to the window.
    EXPECT_EQ(Form_fa1->Edit7->text(), QString("Dziękujemy"));
    EXPECT_EQ(Form_fa1->Edit12->text(), QString("Uwagi stałe"));
    EXPECT_TRUE(readBytes(file("FAKTURY.INI")).contains("Format=#N/#MM/#YYYY\r\n"));
}

TEST_F(AdministrationCommands, AnulujWithoutTheFileSaysSoAndGoesOnWithTheEdits) {
    QFile::remove(file("ustaw.txt"));
    Form_fa10->show();
    Form_fa10->Edit2->setText("21");
    Form_fa10->Edit3->setText("nowy tekst");
    click(Form_fa10->SpeedButton2);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, kNotFound);
    EXPECT_EQ(messages()[0].caption, QString());
    EXPECT_EQ(Form_fa10->Edit3->text(), QString("nowy tekst"));
    EXPECT_EQ(Form_fa1->LicznikFaktur, 21);
    EXPECT_FALSE(Form_fa10->isVisible());
}

TEST_F(AdministrationCommands, TheCloseBoxAndEscapeWriteTheIniAndHandTheTextsOver) {
    const QByteArray settings = readBytes(file("ustaw.txt"));
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "close box");
        QFile::remove(file("FAKTURY.INI"));
        Form_fa10->show();
        Form_fa10->Edit3->setText(escape ? "po Escape" : "po zamknięciu");
        Form_fa10->Edit4->setText("uwagi");
        Form_fa10->CheckBox1->setChecked(escape);
        if (escape)
            QTest::keyClick(Form_fa10, Qt::Key_Escape);
        else
            Form_fa10->close();
        EXPECT_FALSE(Form_fa10->isVisible());
        EXPECT_EQ(Form_fa1->Edit7->text(), Form_fa10->Edit3->text());
        EXPECT_EQ(Form_fa1->Edit12->text(), QString("uwagi"));
        const QByteArray ini = readBytes(file("FAKTURY.INI"));
        EXPECT_TRUE(ini.contains(escape ? "Magazyn=1\r\n" : "Magazyn=0\r\n")) << ini.toStdString();
        // Closing stores no settings: "anuluj" still finds the last OK's.
        EXPECT_EQ(readBytes(file("ustaw.txt")), settings);
    }
}

TEST_F(AdministrationCommands, EverySettingSurvivesARestartExactly) {
    Form_fa10->show();
    Form_fa10->Edit1->setText("FV #N/#YY");
    Form_fa10->Edit2->setText("314");
    Form_fa10->Edit3->setText("Dziękujemy za zakupy — zapraszamy");
    Form_fa10->Edit4->setText("Zażółć gęślą jaźń");
    Form_fa10->RadioButton2->setChecked(true);
    Form_fa10->CheckBox1->setChecked(true);
    Form_fa10->CheckBox2->setChecked(false);
    Form_fa10->CheckBox_Ulica->setChecked(true);
    Form_fa10->logo->setChecked(false);
    Form_fa10->FirstScreen->setChecked(true);
    click(Form_fa10->SpeedButton1);
    const QByteArray settings = readBytes(file("ustaw.txt"));
    const QByteArray ini = readBytes(file("FAKTURY.INI"));

    restart();
    EXPECT_EQ(Form_fa10->Edit1->text(), QString("FV #N/#YY"));
    EXPECT_EQ(Form_fa10->Edit2->text(), QString("314"));
    EXPECT_EQ(Form_fa10->Edit3->text(), QString("Dziękujemy za zakupy — zapraszamy"));
    EXPECT_EQ(Form_fa10->Edit4->text(), QString("Zażółć gęślą jaźń"));
    expectOptions(optionsOf(*Form_fa10), {false, true, false, true, false, true});
    EXPECT_EQ(Form_fa1->LicznikFaktur, 314);
    EXPECT_TRUE(messages().isEmpty());
    // The new invoice at start wrote the same file back, and a close the same INI.
    EXPECT_EQ(readBytes(file("ustaw.txt")), settings);
    Form_fa10->show();
    Form_fa10->close();
    EXPECT_EQ(readBytes(file("FAKTURY.INI")), ini);
}

// The four texts are saved in code page 1250: a character it lacks never
// reaches the screen, so the files hold what the form showed and a restart
// shows it again.
TEST_F(AdministrationCommands, TypedTextsKeepToWhatTheFilesCanHold) {
    struct Case {
        QLineEdit* TForm_fa10::*edit;
        const char* typed;
        const char* kept;
    } cases[] = {{&TForm_fa10::Edit1, "FV→#N/#YY", "FV#N/#YY"},
                 {&TForm_fa10::Edit2, "3½1٤4", "314"},
                 {&TForm_fa10::Edit3, "ΩMEGA dziękuje ✓", "MEGA dziękuje "},
                 {&TForm_fa10::Edit4, "Zażółć 中 jaźń", "Zażółć  jaźń"}};
    Form_fa10->show();
    for (const Case& c : cases) {
        QLineEdit* edit = Form_fa10->*c.edit;
        edit->setFocus();
        edit->selectAll();
        tvtest::typeText(edit, QString::fromUtf8(c.typed));
        EXPECT_EQ(edit->text(), QString::fromUtf8(c.kept)) << c.typed;
    }
    click(Form_fa10->SpeedButton1);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(readBytes(file("ustaw.txt")),
              cp1250Lines({"FV#N/#YY", "314", QString::fromUtf8("MEGA dziękuje "), "0", "0", "0",
                           QString::fromUtf8("Zażółć  jaźń"), "0", "0", "0"}));
    EXPECT_TRUE(
        readBytes(file("FAKTURY.INI"))
            .contains(tv::toCp1250(QString::fromUtf8("Tekst=MEGA dziękuje \r\nUwagi=Zażółć  jaźń\r\n"))));

    restart();
    for (const Case& c : cases)
        EXPECT_EQ((Form_fa10->*c.edit)->text(), QString::fromUtf8(c.kept)) << c.typed;
}

TEST_F(AdministrationCommands, ASettingsFileThatCannotBeWrittenIsReportedAndTheRestGoesOn) {
    QFile::remove(file("ustaw.txt"));
    QDir(workingFolder()).mkdir("ustaw.txt");
    Form_fa10->show();
    Form_fa10->Edit2->setText("17");
    click(Form_fa10->SpeedButton1);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, kCannotWrite);
    EXPECT_EQ(messages()[0].caption, QString());
    EXPECT_EQ(Form_fa1->LicznikFaktur, 17);
    EXPECT_EQ(Form_fa10->Edit2->text(), QString("17"));
}

TEST_F(AdministrationCommands, PanelsHaveTheRegistersLook) {
    for (tv::ui::PanelButton* panel :
         {Form_fa10->SpeedButton1, Form_fa10->SpeedButton2, Form_fa10->SpeedButton3}) {
        EXPECT_EQ(panel->colour(), tv::ui::RegisterEditor::kPanelColour);
        QTest::mousePress(panel, Qt::LeftButton);
        EXPECT_EQ(panel->colour(), tv::ui::RegisterEditor::kPanelPressedColour);
        QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(-5, -5));
        EXPECT_EQ(panel->colour(), tv::ui::RegisterEditor::kPanelColour);
    }
    EXPECT_EQ(Form_fa10->SpeedButton3->text(), QString("wczytaj logo"));
    EXPECT_EQ(Form_fa10->SpeedButton1->text(), QString("OK"));
    EXPECT_EQ(Form_fa10->SpeedButton2->text(), QString("anuluj"));
    EXPECT_TRUE(Form_fa10->Label12->isHidden());
    EXPECT_EQ(Form_fa10->Label12->text(), QString("CurrentDir"));
    EXPECT_EQ(Form_fa10->Image1->toolTip(), QString("plik graficzny BMP"));
}

// ---- the stock option ------------------------------------------------------------------

TEST_F(AdministrationCommands, TheGoodsPickerFollowsEveryChangeOfTheStockOption) {
    Form_fa10->show();
    Form_fa10->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form_fa10));
    ASSERT_FALSE(Form_fa10->CheckBox1->isChecked());
    Form_fa10->CheckBox1->setFocus();
    // From the keyboard.
    QTest::keyClick(Form_fa10->CheckBox1, Qt::Key_Space);
    EXPECT_TRUE(Form_fa10->CheckBox1->isChecked());
    EXPECT_FALSE(Form_fa1->ComboBox5->isHidden());
    // With the mouse.
    QTest::mouseClick(Form_fa10->CheckBox1, Qt::LeftButton, {},
                      QPoint(6, Form_fa10->CheckBox1->height() / 2));
    EXPECT_FALSE(Form_fa10->CheckBox1->isChecked());
    EXPECT_TRUE(Form_fa1->ComboBox5->isHidden());
    // And when "anuluj" reads the stored state back.
    Form_fa10->CheckBox1->setChecked(true);
    EXPECT_FALSE(Form_fa1->ComboBox5->isHidden());
    QTest::mouseClick(Form_fa10->SpeedButton2, Qt::LeftButton);
    EXPECT_FALSE(Form_fa10->CheckBox1->isChecked());
    EXPECT_TRUE(Form_fa1->ComboBox5->isHidden());
}

// ---- logo ---------------------------------------------------------------------------------

class AdministrationLogo : public admintest::InvoicingFixture {
protected:
    QString chosen;
    void SetUp() override {
        admintest::InvoicingFixture::SetUp();
        tv::ui::setFileAnswerer([this](const tv::ui::FileDialogRequest&) { return chosen; });
    }
    QImage picture(const QSize& size) {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        for (int y = 0; y < size.height() / 2; ++y)
            for (int x = 0; x < size.width(); ++x)
                image.setPixelColor(x, y, QColor(200, 20, 40));
        return image;
    }
};

TEST_F(AdministrationLogo, AChosenIconBecomesARealBitmapLogo) {
    chosen = QDir(workingFolder()).filePath("firma.ico");
    ASSERT_TRUE(picture(QSize(32, 32)).save(chosen, "ICO"));
    const QString before = QDir::currentPath();
    Form_fa10->show();
    QTest::mouseClick(Form_fa10->SpeedButton3, Qt::LeftButton);

    ASSERT_EQ(tv::ui::fileDialogRequests().size(), 1);
    EXPECT_EQ(tv::ui::fileDialogRequests()[0].filter, TForm_fa10::kPictureFilter);
    EXPECT_TRUE(
        TForm_fa10::kPictureFilter.startsWith("All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|"));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, kRestart);

    const QString logo = file("logo.bmp");
    EXPECT_TRUE(readBytes(logo).startsWith("BM"));
    QImageReader reader(logo);
    EXPECT_EQ(reader.format(), QByteArray("bmp"));
    const QImage stored = reader.read();
    ASSERT_EQ(stored.size(), QSize(32, 32));
    EXPECT_EQ(stored.pixelColor(3, 3), QColor(200, 20, 40));
    // Transparent parts come out white, as on paper.
    EXPECT_EQ(stored.pixelColor(3, 30), QColor(Qt::white));
    EXPECT_FALSE(Form_fa10->Image1->pixmap().isNull());
    EXPECT_EQ(QDir::currentPath(), before);

    // Shown again, the form shows the stored logo.
    Form_fa10->close();
    Form_fa10->Image1->clear();
    Form_fa10->show();
    EXPECT_EQ(Form_fa10->Image1->pixmap().size(), QSize(32, 32));
}

TEST_F(AdministrationLogo, CancellingOrAnUnreadablePictureLeavesTheLogoAsItWas) {
    const QByteArray old = [this] {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        picture(QSize(10, 10)).save(&buffer, "BMP");
        return bytes;
    }();
    writeBytes(file("logo.bmp"), old);
    Form_fa10->show();

    chosen.clear();
    QTest::mouseClick(Form_fa10->SpeedButton3, Qt::LeftButton);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, kRestart);
    EXPECT_EQ(readBytes(file("logo.bmp")), old);

    tv::ui::clearShownMessages();
    chosen = QDir(workingFolder()).filePath("rysunek.emf");
    writeBytes(chosen, QByteArray("\x01\x00\x00\x00 not a picture", 20));
    QTest::mouseClick(Form_fa10->SpeedButton3, Qt::LeftButton);
    ASSERT_EQ(messages().size(), 2);
    EXPECT_EQ(messages()[0].text, kRestart);
    EXPECT_TRUE(messages()[1].text.startsWith("Nie można wczytać obrazu z pliku 'rysunek.emf'"))
        << messages()[1].text.toStdString();
    EXPECT_EQ(readBytes(file("logo.bmp")), old);
    EXPECT_TRUE(Form_fa10->isVisible());
}

TEST_F(AdministrationLogo, TheFormOpensWithoutALogoAndReportsABrokenOne) {
    Form_fa10->show();
    EXPECT_TRUE(Form_fa10->Image1->pixmap().isNull());
    EXPECT_TRUE(messages().isEmpty());
    Form_fa10->close();

    writeBytes(file("logo.bmp"), "BM garbage");
    Form_fa10->show();
    EXPECT_TRUE(Form_fa10->isVisible());
    EXPECT_TRUE(Form_fa10->Image1->pixmap().isNull());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0].text, QString("Nie można odczytać obrazu z pliku 'logo.bmp'."));
}
