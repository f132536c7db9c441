#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QRadioButton>

#include "invoicing/admin_support.h"
#include "invoicing/invoice_window.h"
#include "invoicing/registers/administration.h"

using admintest::cp1250Lines;
using admintest::readBytes;
using admintest::writeBytes;

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString kNotFound = QStringLiteral("Nie znaleziono pliku 'ustmain.txt'");
const QString kCannotWrite = QStringLiteral("Nie można zaktualizowac pliku 'ustmain.txt'");

QRadioButton* documentKindButton(int code) {
    QRadioButton* kinds[] = {Form_fa1->RadioButton1, Form_fa1->RadioButton3, Form_fa1->RadioButton4};
    return kinds[code];
}

QRadioButton* printFormButton(int code) {
    QRadioButton* forms[] = {Form_fa1->RadioButton6, Form_fa1->RadioButton5, Form_fa1->RadioButton2,
                             Form_fa1->RadioButton7};
    return forms[code];
}

class WindowDefaults : public admintest::InvoicingFixture {};

} // namespace

TEST_F(WindowDefaults, WithoutAFileTheReaderWritesOneFromTheWindowAndShowsIt) {
    Form_fa1->ComboBox4->setEditText("9/05/2024");
    Form_fa1->WczytajUstawienia();
    EXPECT_EQ(readBytes(file("ustmain.txt")),
              QByteArray("got\xF3wk\xB9\r\n9/05/2024\r\n\r\n0\r\n0\r\n0\r\n"));
    EXPECT_EQ(Form_fa1->ComboBox1->currentText(), QString("gotówką"));
    EXPECT_EQ(Form_fa1->ComboBox4->currentText(), QString("9/05/2024"));
    EXPECT_FALSE(Form_fa1->CheckBox1->isChecked());
    EXPECT_TRUE(Form_fa1->RadioButton1->isChecked());
    EXPECT_TRUE(Form_fa1->RadioButton6->isChecked());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(WindowDefaults, TheSixLinesGoToTheirControls) {
    struct Case {
        QStringList lines;
        bool saleMonth;
        int kind;
        int form;
    };
    const Case cases[] = {
        {{"czekiem", "7 dni", "Poczta", "0", "0", "0"}, false, 0, 0},
        {{"przelewem ", "Inne", "Servisco", "1", "1", "1"}, true, 1, 1},
        {{"zapłacono przelewem", "30 dni", "", "tak", "2", "2"}, true, 2, 2},
        {{"za pobraniem", "14 dni", "Przesyłka kurierska", "0", "3", "3"}, false, 2, 3},
        {{"wekslem", "Zgodnie z umową", "", "0", "x", "7"}, false, 2, 3},
        // Three lines: the sale month checked, a bill, two copies.
        {{"kartą płatniczą", "5/03/2009", "Poczta"}, true, 2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.join('|').toStdString());
        writeBytes(file("ustmain.txt"), cp1250Lines(c.lines));
        Form_fa1->WczytajUstawienia();
        EXPECT_EQ(Form_fa1->ComboBox1->currentText(), c.lines[0]);
        EXPECT_EQ(Form_fa1->ComboBox4->currentText(), c.lines[1]);
        EXPECT_EQ(Form_fa1->ComboBox7->currentText(), c.lines[2]);
        EXPECT_EQ(Form_fa1->CheckBox1->isChecked(), c.saleMonth);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(documentKindButton(k)->isChecked(), k == c.kind) << k;
        for (int f = 0; f < 4; ++f)
            EXPECT_EQ(printFormButton(f)->isChecked(), f == c.form) << f;
        EXPECT_TRUE(messages().isEmpty());
    }
}

TEST_F(WindowDefaults, TheChoicesSurviveClosingAndReopeningByteForByte) {
    const QByteArray files[] = {
        "wpisana r\xEA\x63znie\r\n30 dni\r\nPrzesy\xB3ka kurierska\r\n1\r\n2\r\n3\r\n",
        "przelewem \r\n5/03/2009\r\n\r\n0\r\n1\r\n2\r\n",
        "got\xF3wk\xB9\r\nZgodnie z umow\xB9\r\nPoczta\r\n1\r\n0\r\n1\r\n",
    };
    for (const QByteArray& bytes : files) {
        writeBytes(file("ustmain.txt"), bytes);
        Form_fa1->WczytajUstawienia();
        // Other choices in between, then the remembered ones back.
        Form_fa1->ComboBox1->setEditText("czekiem");
        Form_fa1->RadioButton3->setChecked(true);
        Form_fa1->RadioButton5->setChecked(true);
        Form_fa1->WczytajUstawienia();
        QFile::remove(file("ustmain.txt"));
        Form_fa1->ZapiszUstawienia();
        EXPECT_EQ(readBytes(file("ustmain.txt")), bytes);
    }
    // Across a restart too.
    restart();
    Form_fa1->WczytajUstawienia();
    EXPECT_EQ(Form_fa1->ComboBox1->currentText(), QString("gotówką"));
    EXPECT_EQ(Form_fa1->ComboBox7->currentText(), QString("Poczta"));
    EXPECT_TRUE(Form_fa1->RadioButton5->isChecked());
}

TEST_F(WindowDefaults, AFileThatCanBeNeitherReadNorWrittenIsReportedAndTheWindowGoesOn) {
    QDir(workingFolder()).mkdir("ustmain.txt");
    Form_fa1->ComboBox1->setEditText("czekiem");
    Form_fa1->WczytajUstawienia();
    ASSERT_EQ(messages().size(), 2);
    EXPECT_EQ(messages()[0].text, kCannotWrite);
    EXPECT_EQ(messages()[0].caption, QString());
    EXPECT_EQ(messages()[1].text, kNotFound);
    EXPECT_EQ(Form_fa1->ComboBox1->currentText(), QString("czekiem"));
}

TEST_F(WindowDefaults, TheMemoCarriesBothSideFilesOneAfterTheOther) {
    Form_fa1->WczytajUstawienia();
    EXPECT_EQ(Form_fa10->Memo1.count(), 6);
    Form_fa10->ZapiszUstawienia();
    EXPECT_EQ(Form_fa10->Memo1.count(), 10);
    Form_fa1->ZapiszUstawienia();
    EXPECT_EQ(Form_fa10->Memo1.count(), 6);
    EXPECT_EQ(readBytes(file("ustaw.txt")).count("\r\n"), 10);
}
