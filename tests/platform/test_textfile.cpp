#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <random>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/errors.h"
#include "platform/textfile.h"

// Readable QString values in failure messages.
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

// --- code page 1250 ----------------------------------------------------------------

TEST(Cp1250, PolishLettersHaveTheirBytes) {
    const QString letters = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ€„”–");
    const QByteArray bytes(
        "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF\x80\x84\x94\x96");
    EXPECT_EQ(tv::toCp1250(letters), bytes);
    EXPECT_EQ(tv::fromCp1250(bytes), letters);
}

TEST(Cp1250, KeepingDropsOnlyWhatTheCodePageLacks) {
    const QString kept = QStringLiteral("Zażółć „gęślą” jaźń – 5 € §°");
    EXPECT_EQ(tv::keepCp1250(kept), kept);
    EXPECT_EQ(tv::keepCp1250(QStringLiteral("ΩMEGA 中 ĳ ✓")), QStringLiteral("MEGA   "));
    EXPECT_EQ(tv::keepCp1250(QString::fromUtf8("a\U0001F600b")), QStringLiteral("ab"));
    EXPECT_TRUE(tv::inCp1250(u'ż'));
    EXPECT_FALSE(tv::inCp1250(QChar(0x03A9)));
    EXPECT_FALSE(tv::toCp1250(tv::keepCp1250(QStringLiteral("ΩMEGA ✓"))).contains('?'));
}

TEST(Cp1250, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = tv::fromCp1250(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(tv::toCp1250(text), all);
    // No byte reads as the replacement character.
    EXPECT_FALSE(text.contains(QChar(0xFFFD)));
}

TEST(Cp1250, MissingCharactersBecomeQuestionMarks) {
    struct Case {
        QString text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {QStringLiteral("ñ"), "?"},                         // Spanish letter, not in the code page
        {QStringLiteral("a漢b"), "a?b"},                    // CJK
        {QStringLiteral("x😀y"), "x?y"},                     // one '?' for a character outside the basic plane
        {QString(QChar(0xFFFD)), "?"},                      // the replacement character itself
        {QStringLiteral("ü ß × Ł"), "\xFC \xDF \xD7 \xA3"}, // characters the code page has
        {QString(QChar(0x00A0)), "\xA0"},                   // the thousands separator of amounts
    };
    for (const Case& c : cases)
        EXPECT_EQ(tv::toCp1250(c.text), c.bytes) << c.text.toStdString();
}

// --- line buffer -------------------------------------------------------------------

class TextFiles : public ::testing::Test {
protected:
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QStringList entries() const {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    QTemporaryDir m_dir;
};

TEST_F(TextFiles, SavesCrLfAfterEveryLineInCp1250) {
    tv::LineBuffer buffer;
    buffer.add(QStringLiteral("Zażółć"));
    buffer.add(QString());
    buffer.add(QStringLiteral("1"));
    buffer.saveToFile(file("ustaw.txt"));
    EXPECT_EQ(readBytes(file("ustaw.txt")), QByteArray("Za\xBF\xF3\xB3\xE6\r\n\r\n1\r\n"));

    tv::LineBuffer empty;
    empty.saveToFile(file("pusty.txt"));
    EXPECT_EQ(readBytes(file("pusty.txt")), QByteArray());
}

TEST_F(TextFiles, LoadsEveryKindOfLineEnd) {
    struct Case {
        QByteArray bytes;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\n\rb", {"a", "", "b"}},
        {"\xA3\xF3\x64\x9F", {QStringLiteral("Łódź")}},
    };
    for (const Case& c : cases) {
        writeBytes(file("in.txt"), c.bytes);
        tv::LineBuffer buffer;
        buffer.add(QStringLiteral("stale"));
        buffer.loadFromFile(file("in.txt"));
        EXPECT_EQ(buffer.lines(), c.lines) << c.bytes.toStdString();
    }
}

TEST_F(TextFiles, LinesPastTheEndReadEmptyAndSettingOneExtends) {
    tv::LineBuffer buffer;
    buffer.add(QStringLiteral("0"));
    EXPECT_EQ(buffer.line(5), QString());
    EXPECT_EQ(buffer.line(-1), QString());
    buffer.setLine(3, QStringLiteral("x"));
    EXPECT_EQ(buffer.lines(), (QStringList{"0", "", "", "x"}));
    buffer.setLine(0, QStringLiteral("1"));
    EXPECT_EQ(buffer.line(0), QStringLiteral("1"));
    EXPECT_EQ(buffer.count(), 4);
}

TEST_F(TextFiles, MissingFileRaisesAndLeavesTheBufferAlone) {
    tv::LineBuffer buffer;
    buffer.add(QStringLiteral("kept"));
    EXPECT_FALSE(buffer.tryLoadFromFile(file("brak.txt")));
    EXPECT_EQ(buffer.lines(), QStringList{"kept"});
    try {
        buffer.loadFromFile(file("brak.txt"));
        FAIL();
    } catch (const tv::EFileError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Nie można odczytać pliku"))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("brak.txt")));
    }
}

TEST_F(TextFiles, SaveAndLoadRoundTrip) {
    tv::LineBuffer out;
    for (const char* line : {"Firma \"Druk\" Sp. z o.o.", "ul. Świętokrzyska 5", "", "=;[x]", "0"})
        out.add(QString::fromUtf8(line));
    out.saveToFile(file("ustmain.txt"));
    tv::LineBuffer in;
    in.loadFromFile(file("ustmain.txt"));
    EXPECT_EQ(in.lines(), out.lines());
}

// --- replacing a file whole ------------------------------------------------------------

TEST_F(TextFiles, SavingReplacesTheOldFileAndLeavesNoTemporary) {
    writeBytes(file("a.txt"), "old contents that are longer\r\n");
    tv::saveFileAtomically(file("a.txt"), "new\r\n");
    EXPECT_EQ(readBytes(file("a.txt")), QByteArray("new\r\n"));
    EXPECT_EQ(entries(), QStringList{"a.txt"});
}

// A save killed half-way leaves its temporary file; the next save into the
// folder clears every one that no save is still writing, and nothing else.
TEST_F(TextFiles, SavingClearsTemporariesOfSavesThatNeverFinished) {
    const QByteArray big(4 << 20, 'k');
    std::mt19937 random(7);
    std::uniform_int_distribution<int> delay(0, 3000);
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                tv::saveFileAtomically(file("a.clc"), big);
        }
        ::usleep(useconds_t(2000 + delay(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    // Another copy of the program in the middle of its save, and files of others.
    const QString live = file(".b.clc.tv-Live01");
    writeBytes(live, "half");
    const int held = ::open(QFile::encodeName(live).constData(), O_RDWR);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    for (const char* other : {".notes.backup", ".c.clc.tv-toolong7", "d.clc.tv-Abc123"})
        writeBytes(file(other), "x");

    tv::saveFileAtomically(file("e.clc"), "new\r\n");
    ::close(held);
    QStringList left = entries();
    left.removeAll("a.clc");
    EXPECT_EQ(left, QStringList({".b.clc.tv-Live01", ".c.clc.tv-toolong7", ".notes.backup", "d.clc.tv-Abc123",
                                 "e.clc"}));
}

// The previous release left ".<file>.clc.XXXXXX" behind when a save was
// killed, unlocked: one written a while ago goes with the next save; a fresh
// one may be a save of that release still running, and a locked one or a name
// of another shape is nobody's to remove.
TEST_F(TextFiles, SavingClearsTemporariesThePreviousReleaseLeft) {
    const QByteArray held = QFile::encodeName(file(".locked.clc.Held01"));
    struct Case {
        const char* name;
        bool old;
        bool kept;
    } cases[] = {{".a.clc.Ab12Cd", true, false}, {".Oferta 7.CLC.x9Y8z7", true, false},
                 {".b.clc.Fresh1", false, true}, {".locked.clc.Held01", true, true},
                 {".c.clc.toolong", true, true}, {".d.clc.ab-12c", true, true},
                 {"e.clc.Ab12Cd", true, true},   {".clc.Ab12Cd", true, true},
                 {".f.txt.Ab12Cd", true, true},  {".notes.backup", true, true}};
    for (const Case& c : cases) {
        writeBytes(file(c.name), "half");
        if (!c.old) continue;
        const struct timeval longAgo[2] = {{::time(nullptr) - 600, 0}, {::time(nullptr) - 600, 0}};
        ASSERT_EQ(::utimes(QFile::encodeName(file(c.name)).constData(), longAgo), 0) << c.name;
    }
    const int lock = ::open(held.constData(), O_RDWR);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);

    tv::saveFileAtomically(file("g.clc"), "new\r\n");
    ::close(lock);
    const QStringList left = entries();
    for (const Case& c : cases)
        EXPECT_EQ(left.contains(QString::fromUtf8(c.name)), c.kept) << c.name;
    EXPECT_TRUE(left.contains("g.clc"));
}

TEST_F(TextFiles, SavingKeepsThePermissionsOfTheOldFile) {
    writeBytes(file("a.txt"), "old");
    ASSERT_EQ(::chmod(QFile::encodeName(file("a.txt")).constData(), 0640), 0);
    tv::saveFileAtomically(file("a.txt"), "new");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(file("a.txt")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(TextFiles, AFailedSaveLeavesTheOldFileAndNoTemporary) {
    // A folder in the way: the new contents are written but cannot take its place.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("zajete")));
    writeBytes(file("zajete/inside.txt"), "keep");
    try {
        tv::saveFileAtomically(file("zajete"), "new");
        FAIL();
    } catch (const tv::EFileError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Nie można zapisać pliku"))) << e.what();
    }
    EXPECT_EQ(readBytes(file("zajete/inside.txt")), QByteArray("keep"));
    EXPECT_TRUE(entries().isEmpty()) << entries().join(u' ').toStdString();

    // A folder that does not exist.
    EXPECT_THROW(tv::saveFileAtomically(file("brak/a.txt"), "x"), tv::EFileError);
    tv::LineBuffer buffer;
    buffer.add(QStringLiteral("x"));
    EXPECT_THROW(buffer.saveToFile(file("brak/a.txt")), tv::EFileError);
}

// --- INI files -------------------------------------------------------------------------

TEST_F(TextFiles, IniWritesSectionsAndKeysInFirstWrittenOrder) {
    tv::IniFile ini(file("FAKTURY.INI"));
    ini.writeString(QStringLiteral("Firma"), QStringLiteral("Nazwa"), QStringLiteral("Drukarnia Łódź"));
    ini.writeBool(QStringLiteral("Wydruk"), QStringLiteral("Logo"), true);
    ini.writeInteger(QStringLiteral("Firma"), QStringLiteral("Kopie"), 2);
    ini.writeBool(QStringLiteral("Wydruk"), QStringLiteral("Tlo"), false);
    ini.writeString(QStringLiteral("firma"), QStringLiteral("NAZWA"), QStringLiteral("Nowa"));
    ini.save();
    EXPECT_EQ(readBytes(file("FAKTURY.INI")),
              QByteArray("[Firma]\r\nNazwa=Nowa\r\nKopie=2\r\n\r\n[Wydruk]\r\nLogo=1\r\nTlo=0\r\n\r\n"));
}

TEST_F(TextFiles, IniReadsWhatItFindsAndDefaultsForTheRest) {
    writeBytes(file("a.ini"),
               "; komentarz\r\n[Ustawienia]\r\n Miasto = \xA3\xF3\x64\x9F \r\nFlaga=1\r\nZero=0\r\n"
               "Tekst=tak\r\nHex=0x1F\r\nPusty=\r\nRowna=a=b\r\n[Inna]\nFlaga=0\n");
    const tv::IniFile ini(file("a.ini"));
    const QString s = QStringLiteral("Ustawienia");
    EXPECT_EQ(ini.readString(s, QStringLiteral("Miasto")), QStringLiteral("Łódź"));
    EXPECT_EQ(ini.readString(QStringLiteral("USTAWIENIA"), QStringLiteral("miasto")), QStringLiteral("Łódź"));
    EXPECT_EQ(ini.readString(s, QStringLiteral("Rowna")), QStringLiteral("a=b"));
    EXPECT_EQ(ini.readString(s, QStringLiteral("Pusty"), QStringLiteral("d")), QString());
    EXPECT_EQ(ini.readString(s, QStringLiteral("Brak"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(ini.readString(QStringLiteral("Brak"), QStringLiteral("Flaga"), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_TRUE(ini.readBool(s, QStringLiteral("Flaga"), false));
    EXPECT_FALSE(ini.readBool(s, QStringLiteral("Zero"), true));
    EXPECT_FALSE(ini.readBool(QStringLiteral("Inna"), QStringLiteral("Flaga"), true));
    EXPECT_TRUE(ini.readBool(s, QStringLiteral("Tekst"), true))
        << "a text that is no number gives the default";
    EXPECT_FALSE(ini.readBool(s, QStringLiteral("Tekst"), false));
    EXPECT_TRUE(ini.readBool(s, QStringLiteral("Brak"), true));
    EXPECT_EQ(ini.readInteger(s, QStringLiteral("Hex"), 0), 31);
    EXPECT_EQ(ini.readInteger(s, QStringLiteral("Tekst"), 7), 7);
}

TEST_F(TextFiles, IniKeepsOtherKeysWhenOneChanges) {
    writeBytes(file("a.ini"), "[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n\r\n");
    tv::IniFile ini(file("a.ini"));
    ini.writeString(QStringLiteral("A"), QStringLiteral("y"), QStringLiteral("20"));
    ini.writeString(QStringLiteral("C"), QStringLiteral("w"), QStringLiteral("4"));
    ini.save();
    EXPECT_EQ(readBytes(file("a.ini")),
              QByteArray("[A]\r\nx=1\r\ny=20\r\n\r\n[B]\r\nz=3\r\n\r\n[C]\r\nw=4\r\n\r\n"));
    const tv::IniFile again(file("a.ini"));
    EXPECT_EQ(again.readString(QStringLiteral("B"), QStringLiteral("z")), QStringLiteral("3"));
}

TEST_F(TextFiles, IniSaveFailureRaises) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("a.ini")));
    tv::IniFile ini(file("a.ini"));
    ini.writeBool(QStringLiteral("A"), QStringLiteral("x"), true);
    EXPECT_THROW(ini.save(), tv::EFileError);
}

} // namespace
