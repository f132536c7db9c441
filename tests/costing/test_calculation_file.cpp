#include <gtest/gtest.h>

#include <array>
#include <functional>

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "app/forms.h"
#include "costing/calculation_file_format.h"
#include "costing/costing_sheet.h"
#include "costing/refdata/paper_colour.h"
#include "platform/convert.h"
#include "platform/table.h"
#include "platform/textfile.h"
#include "platform/ui/controls.h"
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/messages.h"
#include "sheet_fixture.h"
#include "support/app_fixture.h"
#include "support/typing.h"

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

using costing::CalculationTexts;
using costing::PaperLineTexts;

// ---- the file layout, without a window -------------------------------------

CalculationTexts sampleTexts(int paperLines) {
    CalculationTexts texts;
    for (int i = 0; i < paperLines; ++i)
        texts.paper.append({"A4", QString::number(10 * (i + 1)), "Kreda", "pełny", "135", "12,5"});
    texts.customer = "ALFA";
    texts.format = "2";
    texts.options = {"22", "10", "5", "7", "", "1 zszywka"};
    for (int slot = 0; slot < CalculationTexts::kFieldCount; ++slot)
        texts.fields[size_t(slot)] = QString::number(slot);
    texts.fields[40] = texts.fields[41] = "41";
    texts.date = "05.03.2024";
    return texts;
}

class CalculationLayout : public ::testing::TestWithParam<int> {};

TEST_P(CalculationLayout, HasSixLinesPerPaperLineAndNinetyMore) {
    const int n = GetParam();
    const QStringList lines = costing::calculationLines(sampleTexts(n));
    ASSERT_EQ(lines.size(), 6 * n + 90);
    EXPECT_EQ(lines[0], QString::number(n));
    for (int i = 0; i < n; ++i)
        EXPECT_EQ(lines[1 + 6 * i + 1], QString::number(10 * (i + 1))) << "sheets of paper line " << i;
    const int base = 6 * n; // lines 6N+2 onwards, 1-based, are at index base + 1
    EXPECT_EQ(lines[base + 1], "ALFA");
    EXPECT_EQ(lines[base + 2], "2");
    EXPECT_EQ(lines[base + 3], "22");
    EXPECT_EQ(lines[base + 7], "") << "the fifth option line is always empty";
    EXPECT_EQ(lines[base + 8], "1 zszywka");
    EXPECT_EQ(lines[base + 9], "0") << "Edit1 comes first";
    EXPECT_EQ(lines[base + 9 + 40], "41");
    EXPECT_EQ(lines[base + 9 + 41], "41") << "Edit41 is written twice";
    EXPECT_EQ(lines[base + 9 + 79], "79");
    EXPECT_EQ(lines.last(), "05.03.2024");
}

INSTANTIATE_TEST_SUITE_P(PaperLines, CalculationLayout, ::testing::Values(0, 2, 50));

TEST(CalculationFileBytes, SmallFixtureInCodePage1250WithCrLf) {
    CalculationTexts texts;
    texts.paper.append({"A4", "50", "Kreda", "pełny", "135", "10,5"});
    texts.customer = "Żółw";
    texts.format = "3";
    texts.options = {"22", "0", "0", "0", "", "Bez szycia"};
    texts.fields.fill("0");
    texts.fields[0] = "Ulotka Łódź";
    texts.fields[69] = "pilne\r\nna jutro"; // Edit69, the remarks
    texts.date = "05.03.2024";

    tv::LineBuffer buffer;
    for (const QString& line : costing::calculationLines(texts))
        buffer.add(line);

    QByteArray expected = "1\r\nA4\r\n50\r\nKreda\r\npe\xb3ny\r\n135\r\n10,5\r\n"
                          "\xaf\xf3\xb3w\r\n3\r\n22\r\n0\r\n0\r\n0\r\n\r\nBez szycia\r\n"
                          "Ulotka \xa3\xf3"
                          "d\x9f\r\n";
    for (int slot = 1; slot < 69; ++slot)
        expected += "0\r\n";
    expected += "pilne na jutro\r\n";
    for (int slot = 70; slot < 80; ++slot)
        expected += "0\r\n";
    expected += "05.03.2024\r\n";
    EXPECT_EQ(buffer.toBytes(), expected);
}

TEST(CalculationFileBytes, LineBreaksInAnyValueBecomeSpaces) {
    CalculationTexts texts = sampleTexts(1);
    texts.paper[0].rodzpap = "Kre\nda";
    texts.customer = "AL\rFA";
    texts.fields[5] = "a\r\nb\nc";
    const QStringList lines = costing::calculationLines(texts);
    ASSERT_EQ(lines.size(), 96);
    EXPECT_EQ(lines[3], "Kre da");
    EXPECT_EQ(lines[7], "AL FA");
    EXPECT_EQ(lines[7 + 8 + 5], "a b c");
}

TEST(CalculationReading, GivesBackWhatWasWritten) {
    const CalculationTexts texts = sampleTexts(3);
    const costing::CalculationReading reading = costing::readCalculation(costing::calculationLines(texts));
    ASSERT_TRUE(reading.ok) << reading.problem.toStdString();
    ASSERT_EQ(reading.texts.paper.size(), 3);
    EXPECT_EQ(reading.texts.paper[2].ilosc, "30");
    EXPECT_EQ(reading.texts.paper[2].kolor, "pełny");
    EXPECT_EQ(reading.texts.customer, "ALFA");
    EXPECT_EQ(reading.formatNumber, 2);
    EXPECT_EQ(reading.texts.options, texts.options);
    EXPECT_EQ(reading.texts.fields, texts.fields);
    EXPECT_EQ(reading.date, QDate(2024, 3, 5));
}

struct AcceptedCase {
    const char* name;
    std::function<void(QStringList&)> change;
    std::function<void(const costing::CalculationReading&)> check;
};

class CalculationAccepted : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(CalculationAccepted, Reads) {
    QStringList lines = costing::calculationLines(sampleTexts(1));
    GetParam().change(lines);
    const costing::CalculationReading reading = costing::readCalculation(lines);
    ASSERT_TRUE(reading.ok) << "line " << reading.badLine << ": " << reading.problem.toStdString();
    GetParam().check(reading);
}

// With one paper line: line 8 is the customer, 9 the format, 16 Edit1, 96 the date.
const AcceptedCase kAccepted[] = {
    {"IsoDate", [](QStringList& l) { l[95] = "2024-03-05"; },
     [](const costing::CalculationReading& r) { EXPECT_EQ(r.date, QDate(2024, 3, 5)); }},
    {"DottedDateWithOneDigitDay", [](QStringList& l) { l[95] = "5.3.2024"; },
     [](const costing::CalculationReading& r) { EXPECT_EQ(r.date, QDate(2024, 3, 5)); }},
    {"DashedDate", [](QStringList& l) { l[95] = "05-03-2024"; },
     [](const costing::CalculationReading& r) { EXPECT_EQ(r.date, QDate(2024, 3, 5)); }},
    {"EmptyPaperNumbersClearTheirFields", [](QStringList& l) { l[2] = l[5] = l[6] = ""; },
     [](const costing::CalculationReading& r) { EXPECT_EQ(r.texts.paper[0].ilosc, ""); }},
    {"EmptyFormatMeansNone", [](QStringList& l) { l[8] = ""; },
     [](const costing::CalculationReading& r) { EXPECT_FALSE(r.formatNumber.has_value()); }},
    {"FieldLinesAreLeftToTheSheetsChecks", [](QStringList& l) { l[15 + 6] = "abc"; },
     [](const costing::CalculationReading& r) { EXPECT_EQ(r.texts.fields[6], "abc"); }},
    {"LinesAfterTheDateAreIgnored",
     [](QStringList& l) {
         l << ""
           << "nadmiar";
     },
     [](const costing::CalculationReading& r) { EXPECT_EQ(r.date, QDate(2024, 3, 5)); }},
};

INSTANTIATE_TEST_SUITE_P(Variants, CalculationAccepted, ::testing::ValuesIn(kAccepted),
                         [](const auto& info) { return std::string(info.param.name); });

struct RejectedCase {
    const char* name;
    std::function<void(QStringList&)> change;
    int badLine;
    const char* problem;
};

class CalculationRejected : public ::testing::TestWithParam<RejectedCase> {};

TEST_P(CalculationRejected, NamesTheFirstBadLine) {
    QStringList lines = costing::calculationLines(sampleTexts(2)); // 102 lines
    GetParam().change(lines);
    const costing::CalculationReading reading = costing::readCalculation(lines);
    EXPECT_FALSE(reading.ok);
    EXPECT_EQ(reading.badLine, GetParam().badLine);
    EXPECT_TRUE(reading.problem.contains(QString::fromUtf8(GetParam().problem)))
        << reading.problem.toStdString();
}

const RejectedCase kRejected[] = {
    {"EmptyFile", [](QStringList& l) { l.clear(); }, 1, "za mało wierszy"},
    {"CountNotANumber", [](QStringList& l) { l[0] = "dwa"; }, 1, "„dwa”"},
    {"NegativeCount", [](QStringList& l) { l[0] = "-1"; }, 1, "nieujemną"},
    {"CountBeyondTheFile", [](QStringList& l) { l[0] = "3"; }, 103, "jest 102, potrzeba 108"},
    {"TruncatedBeforeTheDate", [](QStringList& l) { l.removeLast(); }, 102, "za mało wierszy"},
    {"TruncatedInsideThePaperLines", [](QStringList& l) { l = l.mid(0, 10); }, 11, "jest 10, potrzeba 102"},
    {"SheetsNotANumber", [](QStringList& l) { l[8] = "dużo"; }, 9, "ilość arkuszy „dużo”"},
    {"GrammageNotANumber", [](QStringList& l) { l[5] = "135g"; }, 6, "gramatura"},
    {"CostNotMoney", [](QStringList& l) { l[12] = "1,2,3"; }, 13, "koszt „1,2,3”"},
    {"FormatNotANumber", [](QStringList& l) { l[14] = "A4"; }, 15, "numer formatu"},
    {"DateNotADate", [](QStringList& l) { l[101] = "jutro"; }, 102, "„jutro” nie jest datą"},
    {"ImpossibleDate", [](QStringList& l) { l[101] = "31.02.2024"; }, 102, "nie jest datą"},
    // A file cut inside its last line: the year 202 is outside the date box.
    {"DateCutShort", [](QStringList& l) { l[101] = "10.12.202"; }, 102,
     "„10.12.202” nie jest datą z zakresu"},
    {"DateBeforeTheDateBox", [](QStringList& l) { l[101] = "1700-01-01"; }, 102, "nie jest datą z zakresu"},
    // Once lines are missing the others are out of place: the shortage is the fault.
    {"ShortFileBeforeItsContent",
     [](QStringList& l) {
         l[2] = "x";
         l.removeLast();
     },
     102, "za mało wierszy"},
    {"FaultInACompleteFile", [](QStringList& l) { l[2] = "x"; }, 3, "ilość arkuszy"},
};

INSTANTIATE_TEST_SUITE_P(Faults, CalculationRejected, ::testing::ValuesIn(kRejected),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CalculationReading, MessageNamesTheFileAndTheLine) {
    QStringList lines = costing::calculationLines(sampleTexts(0));
    lines[89] = "wczoraj";
    const costing::CalculationReading reading = costing::readCalculation(lines);
    const QString message = costing::badCalculationMessage("/tmp/zlecenie.clc", reading);
    EXPECT_TRUE(message.contains("„/tmp/zlecenie.clc”")) << message.toStdString();
    EXPECT_TRUE(message.contains("Wiersz 90")) << message.toStdString();
}

// ---- the sheet ---------------------------------------------------------------

// The sheet as after "Nowa", on the delivered formats (A0 to A6, B0 to B6):
// the job on A4 with A3 plates.
class CalculationFileTest : public tvtest::SheetFixture {
protected:
    QString path(const QString& name) const { return QDir(workingFolder()).filePath("Kalkulacje/" + name); }

    static int formatNumber(const QString& name) {
        tv::Table formats(QStringLiteral("formaty.db"));
        formats.open();
        for (formats.first(); !formats.eof(); formats.next())
            if (formats.fieldByName("Nazwa").asString() == name) return formats.fieldByName("Nr").asInteger();
        return 0;
    }

    // A job as the operator would cost it: inputs typed, every section and
    // the summary computed from them.
    static void costAJob() {
        Form1->ComboBox7->setEditText("Żuraw");
        edit(1)->setText("Ulotka „Łąka”");
        edit(2)->setText("250");
        edit(7)->setText("120");
        edit(9)->setText("80,5");
        edit(15)->setText("2,5");
        edit(26)->setText("15");
        edit(41)->setText("30");
        edit(53)->setText("2");
        edit(69)->setText("pilne");
        Form1->ComboBox2->setEditText("10");
        Form1->ComboBox3->setEditText("5");
        Form1->ComboBox4->setEditText("7");
        Form1->ComboBox5->setEditText("1 zszywka");
        Form1->DateTimePicker1->setDate(QDate(2024, 3, 5));
        addPaperLine(50, "pełny", 10.5);
        addPaperLine(20, "1", 4.25);
        tv::ui::guard([] {
            Form4->PrzeliczPapier();
            Form1->PrzeliczPrzygotowanie();
            Form1->PrzeliczMaterial();
            Form1->PrzeliczRobocizne();
            Form1->PrzeliczRobocizneBezposrednia();
            Form1->PrzeliczPodsumowanie();
        });
    }

    struct SheetState {
        std::array<QString, 80> fields;
        std::array<QString, 6> options;
        QString customer;
        QDate date;
        QVector<QStringList> paper;
        QString caption;
        QString fileName;
    };

    static SheetState state() {
        SheetState s;
        for (int slot = 0; slot < 80; ++slot)
            s.fields[size_t(slot)] = Form1->pola[size_t(slot)]->text();
        for (int slot = 0; slot < 6; ++slot)
            s.options[size_t(slot)] =
                Form1->opcje[size_t(slot)] ? Form1->opcje[size_t(slot)]->currentText() : QString();
        s.customer = Form1->ComboBox7->currentText();
        s.date = Form1->DateTimePicker1->date();
        tv::Table& papkol = *Form4->papkol;
        for (papkol.first(); !papkol.eof(); papkol.next()) {
            QStringList row;
            for (const char* field : {"Format", "Ilosc", "Rodzpap", "Kolor", "Gramatura", "Koszt"})
                row << papkol.fieldByName(field).asString();
            s.paper << row;
        }
        s.caption = Form1->windowTitle();
        s.fileName = Form1->nazwaPliku;
        return s;
    }

    static void expectSameCalculation(const SheetState& actual, const SheetState& expected) {
        for (int slot = 0; slot < 80; ++slot)
            EXPECT_EQ(actual.fields[size_t(slot)], expected.fields[size_t(slot)]) << "pola slot " << slot;
        EXPECT_EQ(actual.options, expected.options);
        EXPECT_EQ(actual.customer, expected.customer);
        EXPECT_EQ(actual.date, expected.date);
        EXPECT_EQ(actual.paper, expected.paper);
    }

    static QStringList fileLines(const QString& file) {
        tv::LineBuffer buffer;
        buffer.loadFromFile(file);
        return buffer.lines();
    }

    // Changes a saved calculation's lines in place.
    static void rewriteLines(const QString& file, const std::function<void(QStringList&)>& change) {
        QStringList lines = fileLines(file);
        change(lines);
        tv::LineBuffer buffer;
        for (const QString& line : lines)
            buffer.add(line);
        buffer.saveToFile(file);
    }

    static void answerFileDialog(const QString& file) {
        tv::ui::setFileAnswerer([file](const tv::ui::FileDialogRequest&) { return file; });
    }
};

TEST_F(CalculationFileTest, SaveWritesTheSheetWithItsPaperLines) {
    costAJob();
    const QString file = path("ulotka.clc");
    Form1->ZapiszKalkulacje(file);

    const QStringList lines = fileLines(file);
    ASSERT_EQ(lines.size(), 102);
    EXPECT_EQ(lines[0], "2");
    EXPECT_EQ(lines.mid(1, 6), QStringList({"A4", "50", "Kreda mat", "pełny", "135", "10,5"}));
    EXPECT_EQ(lines.mid(7, 6), QStringList({"A4", "20", "Kreda mat", "1", "135", "4,25"}));
    EXPECT_EQ(lines[13], "Żuraw");
    EXPECT_EQ(lines[14], QString::number(Form4->numerFormatu));
    EXPECT_EQ(lines[15], Form1->ComboBox1->currentText());
    EXPECT_EQ(lines[16], "10");
    EXPECT_EQ(lines[17], "5");
    EXPECT_EQ(lines[18], "7");
    EXPECT_EQ(lines[19], "");
    EXPECT_EQ(lines[20], "1 zszywka");
    EXPECT_EQ(lines[21], "Ulotka „Łąka”");
    EXPECT_EQ(lines[21 + 40], edit(41)->text());
    EXPECT_EQ(lines[21 + 41], edit(41)->text());
    EXPECT_EQ(lines[21 + 79], edit(79)->text());
    EXPECT_EQ(lines[101], "05.03.2024");

    // The raw bytes are code page 1250 with CR LF after every line.
    QFile raw(file);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    EXPECT_TRUE(bytes.endsWith("05.03.2024\r\n"));
    EXPECT_TRUE(bytes.contains("\xafuraw\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 102);
}

TEST_F(CalculationFileTest, LoadIntoAFreshSheetReproducesEveryFieldAndTheSummary) {
    costAJob();
    const SheetState saved = state();
    const QString file = path("ulotka.clc");
    Form1->ZapiszKalkulacje(file);

    destroyForms();
    createForms();
    Form4->formatMatrycy = "A3";
    tv::ui::clearShownMessages();
    Form1->OtworzKalkulacje(file);

    expectSameCalculation(state(), saved);
    EXPECT_EQ(Form1->Edit64->text(), saved.fields[64]) << "net total";
    EXPECT_EQ(Form1->Edit67->text(), saved.fields[67]) << "gross price";
    EXPECT_EQ(Form1->Edit68->text(), saved.fields[68]) << "unit price";
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
}

TEST_F(CalculationFileTest, RoundTripWithoutPaperLines) {
    edit(7)->setText("99");
    Form1->ComboBox7->setEditText("BETA");
    const SheetState saved = state();
    const QString file = path("pusta.clc");
    Form1->ZapiszKalkulacje(file);
    EXPECT_EQ(fileLines(file).size(), 90);
    EXPECT_EQ(fileLines(file).first(), "0");

    Form1->NowaKalkulacja();
    Form1->OtworzKalkulacje(file);
    expectSameCalculation(state(), saved);
}

// The fifth option line stands for no list: whatever it holds is passed over,
// and the stitching and the fields after it land where they belong.
TEST_F(CalculationFileTest, TheFifthOptionLineIsReadWithoutEffect) {
    Form1->ComboBox5->setEditText("2 zszywki");
    Form1->ComboBox4->setEditText("7");
    edit(1)->setText("Plakat");
    const SheetState saved = state();
    const QString file = path("opcje.clc");
    Form1->ZapiszKalkulacje(file);
    ASSERT_EQ(fileLines(file)[7], "") << "line 8 of a file without paper lines";
    rewriteLines(file, [](QStringList& lines) { lines[7] = "2 zszywki"; });

    Form1->NowaKalkulacja();
    Form1->OtworzKalkulacje(file);
    expectSameCalculation(state(), saved);
    EXPECT_EQ(Form1->ComboBox5->currentText(), "2 zszywki");
    EXPECT_EQ(Form1->ComboBox4->currentText(), "7");
}

TEST_F(CalculationFileTest, LoadedFormatIsChosenInTheBoxAndPassedOnWithoutRecomputing) {
    const int a3 = formatNumber("A3");
    ASSERT_NE(a3, 0);
    costAJob();
    const QString file = path("a3.clc");
    Form1->ZapiszKalkulacje(file);
    // The file says A3, and its paper cost differs from what the lines would give.
    rewriteLines(file, [a3](QStringList& lines) {
        lines[14] = QString::number(a3);
        lines[21 + 4] = "777"; // Edit5
    });

    Form1->NowaKalkulacja();
    Form1->OtworzKalkulacje(file);

    EXPECT_EQ(Form1->DBLookupComboBox1->text(), "A3");
    EXPECT_EQ(Form4->Label9->text(), "A3");
    EXPECT_EQ(Form4->numerFormatu, a3);
    EXPECT_EQ(Form1->formaty->fieldByName("Nr").asInteger(), a3);
    EXPECT_EQ(edit(5)->text(), "777");
    // Saving again keeps the loaded format.
    Form1->ZapiszKalkulacje(file);
    EXPECT_EQ(fileLines(file)[14], QString::number(a3));
}

// A format deleted since the file was saved, or a file without one: the box,
// the paper dialog and the paper computation stay on the format chosen
// before, with no error, and the calculation keeps the number it came with.
class FormatNotInTheTable : public CalculationFileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FormatNotInTheTable, KeepsTheFormatChosenBefore) {
    const int a4 = formatNumber("A4");
    costAJob();
    const QString chosen = path("a4.clc");
    Form1->ZapiszKalkulacje(chosen);
    rewriteLines(chosen, [a4](QStringList& lines) { lines[14] = QString::number(a4); });
    Form1->OtworzKalkulacje(chosen);
    ASSERT_EQ(Form4->Label9->text(), "A4");
    const SheetState saved = state();

    const QString file = path("bez_formatu.clc");
    Form1->ZapiszKalkulacje(file);
    const QString line = QString::fromLatin1(GetParam());
    rewriteLines(file, [line](QStringList& lines) { lines[14] = line; });
    Form1->NowaKalkulacja();
    tv::ui::clearShownMessages();
    Form1->OtworzKalkulacje(file);

    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
    expectSameCalculation(state(), saved);
    EXPECT_EQ(Form1->DBLookupComboBox1->text(), "A4");
    EXPECT_EQ(Form4->Label9->text(), "A4");
    EXPECT_EQ(Form1->formaty->fieldByName("Nr").asInteger(), a4);
    // The paper computation goes on with the format shown.
    tv::ui::guard([] { Form4->PrzeliczPapier(); });
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(" | ").toStdString();
    Form1->ZapiszKalkulacje(file);
    if (!line.isEmpty()) {
        EXPECT_EQ(fileLines(file)[14], line) << "a save keeps the loaded number";
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, FormatNotInTheTable, ::testing::Values("999", "0", ""));

TEST_F(CalculationFileTest, ACustomerNoLongerInTheRegisterStillShows) {
    Form1->ComboBox7->setEditText("ZNIKNĄŁ");
    const QString file = path("k.clc");
    Form1->ZapiszKalkulacje(file);
    Form1->ComboBox7->setEditText("");
    Form1->OtworzKalkulacje(file);
    EXPECT_EQ(Form1->ComboBox7->currentText(), "ZNIKNĄŁ");
}

// The file is code page 1250: a character outside it is never typed into the
// sheet, so that the reopened calculation names what the screen showed.
TEST_F(CalculationFileTest, TypedTextsStayWhatTheFileCanHold) {
    showSheet();
    QLineEdit* customer = Form1->ComboBox7->lineEdit();
    customer->setFocus();
    tvtest::typeText(customer, QStringLiteral("ΩMEGA"));
    edit(1)->setFocus();
    tvtest::typeText(edit(1), QStringLiteral("Ulotka ✓ „Łąka”"));
    edit(3)->setFocus();
    tvtest::typeText(edit(3), QStringLiteral("papier α"));
    EXPECT_EQ(Form1->ComboBox7->currentText(), "MEGA");
    EXPECT_EQ(edit(1)->text(), "Ulotka  „Łąka”");
    EXPECT_EQ(edit(3)->text(), "papier ");
    const SheetState typed = state();
    const QString file = path("omega.clc");
    Form1->ZapiszKalkulacje(file);
    Form1->NowaKalkulacja();
    Form1->OtworzKalkulacje(file);
    expectSameCalculation(state(), typed);
}

TEST_F(CalculationFileTest, MissingFileLeavesTheSheetButNamesTheFile) {
    costAJob();
    const SheetState before = state();
    const QString missing = path("nie_ma.clc");
    answerFileDialog(missing);
    Form1->SpeedButton8Click(Form1->SpeedButton8);

    ASSERT_EQ(tv::ui::shownMessages().size(), 1);
    EXPECT_EQ(tv::ui::shownMessages()[0].text, "Zadany plik nie istnieje!");
    EXPECT_EQ(tv::ui::shownMessages()[0].caption, "");
    expectSameCalculation(state(), before);
    EXPECT_EQ(Form1->nazwaPliku, missing);
    EXPECT_EQ(Form1->windowTitle(), "Arkusz kalkulacyjny Tarvelino 2000 - " + missing);
}

struct MalformedCase {
    const char* name;
    std::function<void(QStringList&)> change;
    int badLine;
};

class MalformedCalculation : public CalculationFileTest,
                             public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedCalculation, LeavesTheSheetAndItsPaperLinesUntouched) {
    // The file holds one calculation; the sheet holds another when it is opened.
    costAJob();
    const QString file = path("zla.clc");
    Form1->ZapiszKalkulacje(file);
    rewriteLines(file, GetParam().change);

    Form1->NowaKalkulacja();
    edit(7)->setText("55");
    Form1->ComboBox7->setEditText("GAMMA");
    addPaperLine(5, "2", 1);
    const QString other = path("inna.clc");
    Form1->ZapiszKalkulacje(other);
    Form1->nazwaPliku = other;
    Form1->setWindowTitle("Arkusz kalkulacyjny Tarvelino 2000 - " + other);
    const SheetState before = state();
    tv::ui::clearShownMessages();

    answerFileDialog(file);
    Form1->SpeedButton8Click(Form1->SpeedButton8);

    ASSERT_EQ(tv::ui::shownMessages().size(), 1);
    const tv::ui::ShownMessage& shown = tv::ui::shownMessages()[0];
    EXPECT_TRUE(shown.text.contains(file)) << shown.text.toStdString();
    EXPECT_TRUE(shown.text.contains(QStringLiteral("Wiersz %1:").arg(GetParam().badLine)))
        << shown.text.toStdString();
    EXPECT_EQ(shown.caption, "Błąd");
    const SheetState after = state();
    expectSameCalculation(after, before);
    EXPECT_EQ(after.fileName, other);
    EXPECT_EQ(after.caption, before.caption);
}

// The job has two paper lines: lines 2-13 are theirs, 14 the customer, 15 the format.
const MalformedCase kMalformed[] = {
    {"FewerLinesThanAnnounced", [](QStringList& l) { l = l.mid(0, 60); }, 61},
    {"PaperCountNotANumber", [](QStringList& l) { l[0] = "x"; }, 1},
    {"PaperLineSheets", [](QStringList& l) { l[8] = "dwadzieścia"; }, 9},
    {"PaperLineCost", [](QStringList& l) { l[12] = "4,25 zł"; }, 13},
    {"FormatNumber", [](QStringList& l) { l[14] = "A4"; }, 15},
    {"Date", [](QStringList& l) { l[101] = "5 marca"; }, 102},
    {"DateCutShort", [](QStringList& l) { l[101].chop(1); }, 102},
};

INSTANTIATE_TEST_SUITE_P(Files, MalformedCalculation, ::testing::ValuesIn(kMalformed),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalculationFileTest, NewCalculationResetsTheSheet) {
    costAJob();
    Form1->nazwaPliku = "x.clc";
    Form1->NowaKalkulacja();
    // The inputs and texts of the job go back to their design texts (the rates
    // come back from the settings).
    for (int number : {1, 2, 7, 9, 15, 23, 26, 41, 46, 53, 69})
        EXPECT_EQ(edit(number)->text(), Form1->domyslne[size_t(number <= 41 ? number - 1 : number)])
            << "Edit" << number;
    EXPECT_EQ(Form4->papkol->recordCount(), 0);
    EXPECT_EQ(Form1->ComboBox3->currentText(), "0");
    EXPECT_EQ(Form1->ComboBox5->currentText(), "0");
    EXPECT_EQ(Form1->nazwaPliku, "");
    EXPECT_EQ(Form1->windowTitle(), "Arkusz kalkulacyjny Tarvelino 2000");
    EXPECT_EQ(Form1->DateTimePicker1->date(), QDate::currentDate());
}

TEST_F(CalculationFileTest, FirstSaveAsksForANameAndLaterSavesDoNot) {
    const QString file = path("zlecenie.clc");
    answerFileDialog(file);
    Form1->Zapisz1Click(Form1->SpeedButton7);

    ASSERT_EQ(tv::ui::fileDialogRequests().size(), 1);
    const tv::ui::FileDialogRequest& request = tv::ui::fileDialogRequests()[0];
    EXPECT_EQ(request.title, "Zachowaj jako..");
    EXPECT_EQ(request.filter, "Kalkulacje|*.clc");
    EXPECT_EQ(request.defaultExtension, "clc");
    EXPECT_EQ(QDir(request.initialFolder).absolutePath(),
              QDir(workingFolder()).absoluteFilePath("Kalkulacje"));
    EXPECT_TRUE(request.save);
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(Form1->nazwaPliku, file);
    EXPECT_EQ(Form1->windowTitle(), "Arkusz kalkulacyjny Tarvelino 2000 - " + file);

    edit(7)->setText("321");
    Form1->Zapisz1Click(Form1->SpeedButton3);
    EXPECT_EQ(tv::ui::fileDialogRequests().size(), 1) << "no second dialog";
    EXPECT_EQ(fileLines(file)[9 + 6], "321");
}

TEST_F(CalculationFileTest, SavingAfterOpeningWritesTheOpenedFileWithoutADialog) {
    const QString file = path("otwarta.clc");
    Form1->ZapiszKalkulacje(file);
    answerFileDialog(file);
    Form1->SpeedButton8Click(Form1->SpeedButton8);
    ASSERT_EQ(tv::ui::fileDialogRequests().size(), 1);
    EXPECT_EQ(tv::ui::fileDialogRequests()[0].title, "Otwórz kalkulację..");
    EXPECT_FALSE(tv::ui::fileDialogRequests()[0].save);

    edit(9)->setText("44");
    Form1->Zapisz1Click(Form1->SpeedButton7);
    EXPECT_EQ(tv::ui::fileDialogRequests().size(), 1);
    EXPECT_EQ(fileLines(file)[9 + 8], "44");
}

TEST_F(CalculationFileTest, SaveAsAlwaysAsksAndRenamesTheCalculation) {
    Form1->nazwaPliku = path("stara.clc");
    const QString file = path("nowa.clc");
    answerFileDialog(file);
    Form1->Zapiszjako1Click(Form1->Zapiszjako1);
    EXPECT_EQ(tv::ui::fileDialogRequests().size(), 1);
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_FALSE(QFile::exists(path("stara.clc")));
    EXPECT_EQ(Form1->nazwaPliku, file);
}

TEST_F(CalculationFileTest, CancelledDialogsChangeNothing) {
    Form1->Zapisz1Click(Form1->SpeedButton7);
    Form1->Zapiszjako1Click(Form1->Zapiszjako1);
    Form1->SpeedButton8Click(Form1->SpeedButton8);
    EXPECT_EQ(tv::ui::fileDialogRequests().size(), 3);
    EXPECT_EQ(Form1->nazwaPliku, "");
    EXPECT_EQ(Form1->windowTitle(), "Arkusz kalkulacyjny Tarvelino 2.22");
}

TEST_F(CalculationFileTest, AFailedSaveIsShownAndTheNameStaysUnset) {
    const QString caption = Form1->windowTitle();
    answerFileDialog(QDir(workingFolder()).filePath("brak_folderu/x.clc"));
    Form1->SpeedButton7->click();
    ASSERT_EQ(tv::ui::shownMessages().size(), 1);
    EXPECT_TRUE(tv::ui::shownMessages()[0].text.startsWith("Nie można zapisać pliku"))
        << tv::ui::shownMessages()[0].text.toStdString();
    EXPECT_EQ(Form1->nazwaPliku, "");
    EXPECT_EQ(Form1->windowTitle(), caption);
}

struct NewCase {
    const char* name;
    tv::ui::Answer answer;
    const char* net; // Edit64
    bool chooseFile; // the save dialog gives a file, or is cancelled
    bool dialogShown;
    bool saved;
    bool reset;
};

class NewCommand : public CalculationFileTest, public ::testing::WithParamInterface<NewCase> {};

TEST_P(NewCommand, OffersToSaveFirst) {
    const NewCase& c = GetParam();
    edit(7)->setText("120");
    Form1->Edit64->setText(c.net);
    const QString file = path("przed_nowa.clc");
    answerFileDialog(c.chooseFile ? file : QString());
    tv::ui::pushTestAnswer(c.answer);

    Form1->Nowa1Click(Form1->Nowa1);

    ASSERT_GE(tv::ui::shownMessages().size(), 1);
    EXPECT_EQ(tv::ui::shownMessages()[0].text, "Czy zapisać kalkulację?");
    EXPECT_EQ(tv::ui::shownMessages()[0].caption, "");
    EXPECT_EQ(tv::ui::shownMessages()[0].buttons, tv::ui::Buttons::YesNo);
    EXPECT_EQ(tv::ui::fileDialogRequests().size(), c.dialogShown ? 1 : 0);
    EXPECT_EQ(QFile::exists(file), c.saved);
    if (c.saved) {
        EXPECT_EQ(fileLines(file)[9 + 6], "120");
    }
    EXPECT_EQ(edit(7)->text(), c.reset ? Form1->domyslne[6] : QString("120"));
}

const NewCase kNewCases[] = {
    {"AnsweredNo", tv::ui::Answer::No, "150", true, false, false, true},
    {"YesWithZeroNetSavesNothing", tv::ui::Answer::Yes, "0", true, false, false, true},
    {"YesSavesThenResets", tv::ui::Answer::Yes, "150", true, true, true, true},
    {"YesThenCancelKeepsTheCalculation", tv::ui::Answer::Yes, "150", false, true, false, false},
};

INSTANTIATE_TEST_SUITE_P(Answers, NewCommand, ::testing::ValuesIn(kNewCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
