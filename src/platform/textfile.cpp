#include "platform/textfile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/errors.h"

namespace tv {

namespace {

// Bytes 0x80..0xFF of code page 1250. The five bytes the code page leaves
// undefined read as the C1 control of the same number, so they survive a
// load and a save unchanged.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, //
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, //
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, //
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, //
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, //
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, //
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, //
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, //
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, //
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, //
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, //
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, //
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, //
};

// Unicode to byte for every character of the upper half; 0 where the code page has none.
const std::array<unsigned char, 65536>& encodeTable() {
    static const std::array<unsigned char, 65536> table = [] {
        std::array<unsigned char, 65536> t{};
        for (int k = 0; k < 128; ++k)
            t[kHighHalf[size_t(k)]] = static_cast<unsigned char>(0x80 + k);
        return t;
    }();
    return table;
}

QString fileError(const QString& what, const QString& path, const QString& reason) {
    return QStringLiteral("%1 \"%2\": %3").arg(what, QDir::toNativeSeparators(path), reason);
}

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

QByteArray toCp1250(const QString& text) {
    const auto& table = encodeTable();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            bytes.append(char(c));
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            // One character outside the basic plane: one replacement.
            bytes.append('?');
            ++i;
        } else {
            const unsigned char b = table[c];
            bytes.append(b != 0 ? char(b) : '?');
        }
    }
    return bytes;
}

bool inCp1250(QChar c) {
    return c.unicode() < 0x80 || encodeTable()[c.unicode()] != 0;
}

QString keepCp1250(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text)
        if (inCp1250(c)) kept.append(c);
    return kept;
}

QString fromCp1250(const QByteArray& bytes) {
    QString text;
    text.resize(bytes.size());
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = b < 0x80 ? QChar(char16_t(b)) : QChar(kHighHalf[b - 0x80]);
    }
    return text;
}

namespace {

// Temporary files of a save are named ".<file>.tv-XXXXXX" beside the file and
// held locked while they are written. One left by a save that never finished
// (the program was killed) is locked by nobody: the next save into the folder
// removes it.
const char* const kTemporaryMark = ".tv-";

bool isOurTemporary(const QString& name) {
    const qsizetype mark = name.lastIndexOf(QLatin1String(kTemporaryMark));
    return name.startsWith(u'.') && mark > 1 && name.size() - mark == 4 + 6 &&
           std::all_of(name.cbegin() + mark + 4, name.cend(),
                       [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 0x80; });
}

// The previous release named the temporaries of its calculation files
// ".<file>.clc.XXXXXX" and never locked them: only their age tells one that
// a killed save left from one that a copy of that release is still writing.
const char* const kPreviousCalculationMark = ".clc.";
constexpr time_t kPreviousTemporaryAge = 60;

bool isPreviousCalculationTemporary(const QString& name) {
    const qsizetype mark = name.size() - 5 - 6;
    return name.startsWith(u'.') && mark > 1 &&
           QStringView(name).mid(mark, 5).compare(QLatin1String(kPreviousCalculationMark),
                                                  Qt::CaseInsensitive) == 0 &&
           std::all_of(name.cbegin() + mark + 5, name.cend(),
                       [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 0x80; });
}

// Removes the file unless a save holds its lock, or, for an unlocked kind,
// it was written too recently to be an orphan.
void removeOrphan(const QString& path, bool onlyWhenOld) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return;
    struct stat info {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        (!onlyWhenOld ||
         (::fstat(fd, &info) == 0 && ::time(nullptr) - info.st_mtime >= kPreviousTemporaryAge)))
        ::unlink(name.constData());
    ::close(fd);
}

void removeStaleTemporaries(const QString& directory) {
    const QDir folder(directory);
    const QStringList entries =
        folder.entryList({QStringLiteral(".*") + QLatin1String(kTemporaryMark) + u'*',
                          QStringLiteral(".*") + QLatin1String(kPreviousCalculationMark) + u'*'},
                         QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (isOurTemporary(entry))
            removeOrphan(folder.filePath(entry), false);
        else if (isPreviousCalculationTemporary(entry))
            removeOrphan(folder.filePath(entry), true);
    }
}

// Creates and locks a fresh temporary file; a cleaner of another copy of the
// program that removed it between the two steps makes it try again.
int createTemporary(QByteArray& pattern, const QByteArray& templ) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        pattern = templ;
        const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd < 0) return -1;
        struct stat info {};
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &info) == 0 && info.st_nlink > 0) return fd;
        ::close(fd);
    }
    errno = EAGAIN;
    return -1;
}

} // namespace

void saveFileAtomically(const QString& path, const QByteArray& contents) {
    const QFileInfo target(path);
    const QString directory = target.absolutePath();
    removeStaleTemporaries(directory);
    const QByteArray templ = QFile::encodeName(QDir(directory).filePath(
        QStringLiteral(".%1%2XXXXXX").arg(target.fileName(), QLatin1String(kTemporaryMark))));
    QByteArray pattern;
    const int fd = createTemporary(pattern, templ);
    if (fd < 0) throw EFileError(fileError(QStringLiteral("Nie można zapisać pliku"), path, systemReason()));
    auto fail = [&](const QString& reason) {
        ::close(fd);
        ::unlink(pattern.constData());
        throw EFileError(fileError(QStringLiteral("Nie można zapisać pliku"), path, reason));
    };
    const char* data = contents.constData();
    qsizetype left = contents.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR) continue;
            fail(systemReason());
        }
        data += written;
        left -= written;
    }
    // The new file keeps the old one's permissions; a new file gets the usual ones.
    struct stat old {};
    if (::stat(QFile::encodeName(target.absoluteFilePath()).constData(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    if (::fsync(fd) != 0) fail(systemReason());
    // Renamed while still open and locked, so that no cleaner takes it for an orphan.
    if (::rename(pattern.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        fail(systemReason());
    ::close(fd);
    // The rename itself reaches the disk with the folder's entry.
    const int dirFd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

// --- LineBuffer ------------------------------------------------------------------

QString LineBuffer::line(int index) const {
    return index >= 0 && index < m_lines.size() ? m_lines[index] : QString();
}

void LineBuffer::setLine(int index, const QString& text) {
    if (index < 0) return;
    while (m_lines.size() <= index)
        m_lines.append(QString());
    m_lines[index] = text;
}

void LineBuffer::loadFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(fileError(QStringLiteral("Nie można odczytać pliku"), path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EFileError(fileError(QStringLiteral("Nie można odczytać pliku"), path, file.errorString()));
    const QString text = fromCp1250(bytes);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
            start = i + 1;
        }
    }
    if (start < n) lines.append(text.mid(start));
    m_lines = lines;
}

bool LineBuffer::tryLoadFromFile(const QString& path) {
    try {
        loadFromFile(path);
        return true;
    } catch (const EFileError&) {
        return false;
    }
}

QByteArray LineBuffer::toBytes() const {
    QByteArray bytes;
    for (const QString& text : m_lines) {
        bytes += toCp1250(text);
        bytes += "\r\n";
    }
    return bytes;
}

void LineBuffer::saveToFile(const QString& path) const {
    saveFileAtomically(path, toBytes());
}

// --- IniFile ---------------------------------------------------------------------

IniFile::IniFile(QString path) : m_path(std::move(path)) {
    LineBuffer buffer;
    if (!QFileInfo::exists(m_path) || !buffer.tryLoadFromFile(m_path)) return;
    Section* section = nullptr;
    for (const QString& raw : buffer.lines()) {
        const QString text = raw.trimmed();
        if (text.isEmpty() || text.startsWith(u';')) continue;
        if (text.startsWith(u'[') && text.endsWith(u']')) {
            const QString name = text.mid(1, text.size() - 2).trimmed();
            section = nullptr;
            for (Section& existing : m_sections) {
                if (existing.name.compare(name, Qt::CaseInsensitive) == 0) section = &existing;
            }
            if (!section) {
                m_sections.append(Section{name, {}});
                section = &m_sections.last();
            }
            continue;
        }
        const qsizetype equals = text.indexOf(u'=');
        if (!section || equals <= 0) continue;
        const QString key = text.left(equals).trimmed();
        const QString value = text.mid(equals + 1).trimmed();
        bool found = false;
        for (Entry& entry : section->entries) {
            if (entry.key.compare(key, Qt::CaseInsensitive) == 0) {
                found = true; // the first of two equal keys is the one that counts
                break;
            }
        }
        if (!found) section->entries.append(Entry{key, value});
    }
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const {
    for (const Section& s : m_sections) {
        if (s.name.compare(section, Qt::CaseInsensitive) != 0) continue;
        for (const Entry& entry : s.entries) {
            if (entry.key.compare(key, Qt::CaseInsensitive) == 0) return entry.value;
        }
    }
    return defaultValue;
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
    const QString text = readString(section, key).trimmed();
    if (text.isEmpty()) return defaultValue;
    bool ok = false;
    int value = 0;
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X'))
        value = text.mid(2).toInt(&ok, 16);
    else
        value = text.toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    Section* target = nullptr;
    for (Section& s : m_sections) {
        if (s.name.compare(section, Qt::CaseInsensitive) == 0) target = &s;
    }
    if (!target) {
        m_sections.append(Section{section, {}});
        target = &m_sections.last();
    }
    for (Entry& entry : target->entries) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0) {
            entry.value = value;
            return;
        }
    }
    target->entries.append(Entry{key, value});
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::save() const {
    LineBuffer buffer;
    for (const Section& section : m_sections) {
        buffer.add(u'[' + section.name + u']');
        for (const Entry& entry : section.entries)
            buffer.add(entry.key + u'=' + entry.value);
        buffer.add(QString());
    }
    buffer.saveToFile(m_path);
}

} // namespace tv
