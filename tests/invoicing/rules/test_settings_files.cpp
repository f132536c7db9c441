#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include "invoicing/rules/settings_files.h"
#include "platform/errors.h"
#include "platform/regional.h"
#include "platform/textfile.h"
#include "support/test_env.h"

using namespace invoicing;

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Loads the bytes as the forms do (through the line buffer), reads them into
// values, writes the values back and returns the file's new bytes.
template <typename Read, typename Write>
QByteArray roundTrip(const QByteArray& bytes, Read read, Write write) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("side.txt"));
    writeBytes(path, bytes);
    tv::LineBuffer memo;
    memo.loadFromFile(path);
    const auto values = read(memo.lines());
    memo.clear();
    for (const QString& line : write(values))
        memo.add(line);
    memo.saveToFile(path);
    return readBytes(path);
}

} // namespace

// ---- "ustaw.txt" -------------------------------------------------------------------

TEST(SettingsFile, TenLinesSurviveARoundTripByteForByte) {
    const QByteArray files[] = {
        // Polish letters in code page 1250, every option on, letterhead paper.
        "FV #N/#MM/#YYYY\r\n17\r\nDzi\xEAkujemy za zakupy\r\n1\r\n1\r\n1\r\n"
        "P\xB3\x61tno\x9C\xE6 w ci\xB9gu 7 dni\r\n1\r\n1\r\n1\r\n",
        // Every option off, plain paper, empty texts.
        "#N/#YY\r\n1\r\n\r\n0\r\n0\r\n0\r\n\r\n0\r\n0\r\n0\r\n",
        // A mixed file with blanks kept at both ends of the texts.
        "#N-#D.#M.#Y\r\n250\r\n  \xA3\xF3\x64\xBC  \r\n0\r\n1\r\n0\r\n\x8C\x8F\xAF \r\n0\r\n1\r\n0\r\n",
    };
    for (const QByteArray& bytes : files)
        EXPECT_EQ(roundTrip(bytes, readAdministrationLines, administrationLines), bytes);
}

TEST(SettingsFile, EachLineGoesToItsSetting) {
    const AdministrationSettings s =
        readAdministrationLines({"#N/#YY", "12,9", "Dziękujemy", "1", "0", "1", "Uwagi", "0", "1", "0"});
    EXPECT_EQ(s.pattern, QString("#N/#YY"));
    EXPECT_EQ(s.counter, QString("12,9"));
    EXPECT_EQ(s.extraText, QString("Dziękujemy"));
    EXPECT_FALSE(s.plainPaper);
    EXPECT_FALSE(s.stock);
    EXPECT_TRUE(s.autoArchive);
    EXPECT_EQ(s.remarks, QString("Uwagi"));
    EXPECT_FALSE(s.streetAsPlace);
    EXPECT_TRUE(s.logoOnPrintout);
    EXPECT_FALSE(s.skipWelcome);
}

TEST(SettingsFile, OnlyZeroSwitchesAFlagOffAndOnlyZeroMeansPlainPaper) {
    struct Case {
        QString text;
        bool flag;
        bool plainPaper;
    };
    const Case cases[] = {
        {"0", false, true},  {"1", true, false},  {"tak", true, false}, {"", true, false},
        {" 0", true, false}, {"00", true, false}, {"x", true, false},
    };
    for (const Case& c : cases) {
        const AdministrationSettings s =
            readAdministrationLines({"#N", "1", "", c.text, c.text, c.text, "", c.text, c.text, c.text});
        EXPECT_EQ(s.plainPaper, c.plainPaper) << c.text.toStdString();
        for (bool flag : {s.stock, s.autoArchive, s.streetAsPlace, s.logoOnPrintout, s.skipWelcome})
            EXPECT_EQ(flag, c.flag) << c.text.toStdString();
    }
}

TEST(SettingsFile, FirstStartWritesFiveLinesThatSwitchEveryLaterOptionOn) {
    QTemporaryDir dir;
    const QString path = dir.filePath(kSettingsFileName);
    tv::LineBuffer memo;
    for (const QString& line : administrationFirstStartLines())
        memo.add(line);
    memo.saveToFile(path);
    EXPECT_EQ(readBytes(path), QByteArray("#N/#MM/#YYYY\r\n1\r\nDzi\xEAkujemy\r\n0\r\n\r\n"));

    memo.loadFromFile(path);
    const AdministrationSettings s = readAdministrationLines(memo.lines());
    EXPECT_EQ(s.pattern, QString("#N/#MM/#YYYY"));
    EXPECT_EQ(s.counter, QString("1"));
    EXPECT_EQ(s.extraText, QString("Dziękujemy"));
    EXPECT_TRUE(s.plainPaper);
    EXPECT_EQ(s.remarks, QString());
    EXPECT_TRUE(s.stock);
    EXPECT_TRUE(s.autoArchive);
    EXPECT_TRUE(s.streetAsPlace);
    EXPECT_TRUE(s.logoOnPrintout);
    EXPECT_TRUE(s.skipWelcome);
    // Written back, the file then holds all ten lines.
    EXPECT_EQ(administrationLines(s),
              QStringList({"#N/#MM/#YYYY", "1", "Dziękujemy", "0", "1", "1", "", "1", "1", "1"}));
}

TEST(SettingsFile, ALineBreakInATextCannotShiftTheLinesAfterIt) {
    AdministrationSettings s;
    s.pattern = "#N";
    s.counter = "3";
    s.extraText = "Dziękujemy\r\nza zakupy";
    s.remarks = "a\nb\rc";
    const QStringList lines = administrationLines(s);
    ASSERT_EQ(lines.size(), kAdministrationLineCount);
    EXPECT_EQ(lines[2], QString("Dziękujemy za zakupy"));
    EXPECT_EQ(lines[6], QString("a b c"));
}

// ---- counter and pattern checks ---------------------------------------------------------

TEST(SettingsCounter, ReadsTheWholePartOfANumberOfOneOrMore) {
    tvtest::usePolishSettings();
    struct Case {
        QString text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"1", 1},
        {"12", 12},
        {"12,9", 12},
        {"1e1", 10},
        {" 7 ", 7},
        {"1,0", 1},
        {"0", std::nullopt},
        {"0,9", std::nullopt},
        {"-3", std::nullopt},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"12.5", std::nullopt},
        {"7a", std::nullopt},
        {"1e10", std::nullopt},
        {"2147483647", 2147483647},
    };
    for (const Case& c : cases)
        EXPECT_EQ(counterFromText(c.text), c.value) << c.text.toStdString();
}

TEST(SettingsPattern, OnlyAHashWithNothingAfterItIsBare) {
    struct Case {
        QString pattern;
        bool bare;
    };
    const Case cases[] = {
        {"#N/#MM/#YYYY", false}, {"", false},      {"FV", false},  {"#", true},    {"#N/#", true},
        {"##", false},           {"FV ##", false}, {"###", false}, {"#NN#", true}, {"#N#Y", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(patternEndsWithBareHash(c.pattern), c.bare) << c.pattern.toStdString();
}

TEST(SettingsPattern, ProbeDatesCoverEveryMonthAndWeekdayOfTheYear) {
    const QDate today(2024, 5, 9);
    const QVector<QDate> dates = numberProbeDates(today);
    EXPECT_EQ(dates.first(), today);
    QSet<int> months, weekdays;
    for (const QDate& d : dates) {
        ASSERT_TRUE(d.isValid());
        EXPECT_EQ(d.year(), 2024);
        months.insert(d.month());
        weekdays.insert(d.dayOfWeek());
    }
    EXPECT_EQ(months.size(), 12);
    EXPECT_EQ(weekdays.size(), 7);
}

namespace {

// A stand-in for the numbering: the number, then "/" and the month's Polish
// name when the pattern asks for "#MMMM", else the two-digit month.
QString fakeFormat(const QString& pattern, int number, const QDate& date) {
    static const char* const names[] = {"styczeń",  "luty",        "marzec",   "kwiecień",
                                        "maj",      "czerwiec",    "lipiec",   "sierpień",
                                        "wrzesień", "październik", "listopad", "grudzień"};
    QString text = pattern;
    text.replace("#N", QString::number(number));
    text.replace("#MMMM", QString::fromUtf8(names[date.month() - 1]));
    text.replace("#MM", QStringLiteral("%1").arg(date.month(), 2, 10, QChar('0')));
    text.replace("#YYYY", QString::number(date.year()));
    return text;
}

} // namespace

TEST(SettingsCheck, RefusesWhatWouldBreakTheNumbering) {
    tvtest::usePolishSettings();
    const QDate may(2024, 5, 9);
    struct Case {
        QString counter;
        QString pattern;
        QString messageStart; // empty: accepted
    };
    const Case cases[] = {
        {"1", "#N/#MM/#YYYY", ""},
        {"12,9", "#N/#MM/#YYYY", ""},
        {"abc", "#N/#MM/#YYYY", "Aktualny numer faktury musi być liczbą 1 lub większą"},
        {"0", "#N/#MM/#YYYY", "Aktualny numer faktury musi być liczbą 1 lub większą"},
        {"5", "#N/#MM/#", "Format numeracji nie może kończyć się pojedynczym znakiem '#'."},
        {"5", "  ", "Format numeracji nie może być pusty."},
        // Fits in May ("FV 99999/maj/2024" has 17), not in October (25).
        {"5", "FV #N/#MMMM/#YYYY", "Numer faktury według formatu \"FV #N/#MMMM/#YYYY\" może mieć 25 znaków"},
        // 20 characters exactly fit, 21 do not.
        {"5", "FAKTURA#N/#MM/#YYYY", ""},
        {"5", "FAKTURA #N/#MM/#YYYY", "Numer faktury według formatu"},
        // A counter longer than five digits is probed itself.
        {"1234567", "FAKT #N/#MM/#YYYY", ""},
        {"12345678", "FAKT #N/#MM/#YYYY", "Numer faktury według formatu"},
    };
    for (const Case& c : cases) {
        const QString problem = administrationProblem(
            c.counter, c.pattern, [&](int n, const QDate& d) { return fakeFormat(c.pattern, n, d); }, may);
        if (c.messageStart.isEmpty())
            EXPECT_EQ(problem, QString()) << c.pattern.toStdString();
        else
            EXPECT_TRUE(problem.startsWith(c.messageStart)) << problem.toStdString();
    }
}

TEST(SettingsCheck, AnErrorOfTheNumberingIsReportedNotThrown) {
    const QString problem = administrationProblem(
        "3", "#N", [](int, const QDate&) -> QString { throw tv::EConvertError("zły format"); },
        QDate(2024, 1, 1));
    EXPECT_TRUE(problem.contains("zły format")) << problem.toStdString();
}

// ---- "FAKTURY.INI" -----------------------------------------------------------------------

TEST(SettingsIni, SixKeysUnderOpcjeInTheirOrderByteForByte) {
    QTemporaryDir dir;
    const QString path = dir.filePath(kIniFileName);
    IniOptions o;
    o.format = "FV #N/#YY";
    o.tekst = "Dziękujemy";
    o.uwagi = "Płatność gotówką";
    o.wydruk = false;
    o.magazyn = true;
    o.archiwum = false;
    tv::IniFile ini(path);
    writeIniOptions(ini, o);
    ini.save();
    const QByteArray expected = "[Opcje]\r\nFormat=FV #N/#YY\r\nTekst=Dzi\xEAkujemy\r\n"
                                "Uwagi=P\xB3\x61tno\x9C\xE6 got\xF3wk\xB9\r\nWydruk=0\r\nMagazyn=1\r\n"
                                "Archiwum=0\r\n\r\n";
    EXPECT_EQ(readBytes(path), expected);

    // Read back and written again, nothing changes.
    tv::IniFile again(path);
    const IniOptions read = readIniOptions(again, IniOptions{});
    EXPECT_EQ(read.format, o.format);
    EXPECT_EQ(read.tekst, o.tekst);
    EXPECT_EQ(read.uwagi, o.uwagi);
    EXPECT_EQ(read.wydruk, o.wydruk);
    EXPECT_EQ(read.magazyn, o.magazyn);
    EXPECT_EQ(read.archiwum, o.archiwum);
    writeIniOptions(again, read);
    again.save();
    EXPECT_EQ(readBytes(path), expected);
}

TEST(SettingsIni, MissingKeysKeepTheDefaultsAndOtherSectionsStay) {
    QTemporaryDir dir;
    const QString path = dir.filePath(kIniFileName);
    writeBytes(path, "[Inne]\r\nKlucz=1\r\n\r\n[Opcje]\r\nTekst=Witamy\r\nMagazyn=0\r\n");
    IniOptions defaults;
    defaults.format = "#N/#MM/#YYYY";
    defaults.tekst = "Dziękujemy";
    defaults.uwagi = "brak";
    defaults.wydruk = true;
    defaults.magazyn = true;
    defaults.archiwum = true;
    tv::IniFile ini(path);
    const IniOptions o = readIniOptions(ini, defaults);
    EXPECT_EQ(o.format, QString("#N/#MM/#YYYY"));
    EXPECT_EQ(o.tekst, QString("Witamy"));
    EXPECT_EQ(o.uwagi, QString("brak"));
    EXPECT_TRUE(o.wydruk);
    EXPECT_FALSE(o.magazyn);
    EXPECT_TRUE(o.archiwum);

    writeIniOptions(ini, o);
    ini.save();
    EXPECT_EQ(readBytes(path),
              QByteArray("[Inne]\r\nKlucz=1\r\n\r\n[Opcje]\r\nTekst=Witamy\r\nMagazyn=0\r\n"
                         "Format=#N/#MM/#YYYY\r\nUwagi=brak\r\nWydruk=1\r\nArchiwum=1\r\n\r\n"));
}

// ---- "ustmain.txt" -----------------------------------------------------------------------

TEST(WindowDefaultsFile, SixLinesSurviveARoundTripByteForByte) {
    const QByteArray files[] = {
        "got\xF3wk\xB9\r\n5/03/2009\r\n\r\n0\r\n0\r\n0\r\n",
        "przelewem \r\n14 dni\r\nPrzesy\xB3ka kurierska\r\n1\r\n1\r\n3\r\n",
        "wpisane r\xEA\x63znie\r\nZgodnie z umow\xB9\r\nPoczta\r\n0\r\n2\r\n2\r\n",
        "akredytyw\xB9\r\n7 dni\r\nServisco\r\n1\r\n0\r\n1\r\n",
    };
    for (const QByteArray& bytes : files)
        EXPECT_EQ(roundTrip(bytes, readWindowDefaultsLines, windowDefaultsLines), bytes);
}

TEST(WindowDefaultsFile, KindAndPrintFormReadOnlyTheirOwnCodes) {
    struct Case {
        QString kind;
        DocumentKind documentKind;
        QString form;
        PrintForm printForm;
    };
    const Case cases[] = {
        {"0", DocumentKind::Vat, "0", PrintForm::OriginalAndCopy},
        {"1", DocumentKind::VatRR, "1", PrintForm::NoCaption},
        {"2", DocumentKind::Bill, "2", PrintForm::OriginalSlashCopy},
        {"3", DocumentKind::Bill, "3", PrintForm::OriginalAndTwoCopies},
        {"x", DocumentKind::Bill, "9", PrintForm::OriginalAndTwoCopies},
        {"", DocumentKind::Bill, "", PrintForm::OriginalAndTwoCopies},
    };
    for (const Case& c : cases) {
        const WindowDefaults d = readWindowDefaultsLines({"gotówką", "7 dni", "", "0", c.kind, c.form});
        EXPECT_EQ(d.documentKind, c.documentKind) << c.kind.toStdString();
        EXPECT_EQ(d.printForm, c.printForm) << c.form.toStdString();
    }
}

TEST(WindowDefaultsFile, AShortFileMeansSaleMonthBillAndTwoCopiesLongerLinesAreIgnored) {
    const WindowDefaults shortFile = readWindowDefaultsLines({"czekiem", "30 dni", "Poczta"});
    EXPECT_EQ(shortFile.paymentForm, QString("czekiem"));
    EXPECT_EQ(shortFile.paymentTerm, QString("30 dni"));
    EXPECT_EQ(shortFile.shipping, QString("Poczta"));
    EXPECT_TRUE(shortFile.saleMonth);
    EXPECT_EQ(shortFile.documentKind, DocumentKind::Bill);
    EXPECT_EQ(shortFile.printForm, PrintForm::OriginalAndTwoCopies);

    const WindowDefaults longFile = readWindowDefaultsLines({"a", "b", "c", "0", "0", "1", "x", "y"});
    EXPECT_EQ(windowDefaultsLines(longFile), QStringList({"a", "b", "c", "0", "0", "1"}));
}
