#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tv {

// Windows code page 1250 both ways; a character the code page lacks becomes '?'.
QByteArray toCp1250(const QString& text);
QString fromCp1250(const QByteArray& bytes);
// Whether the code page has the character (a surrogate half never counts).
bool inCp1250(QChar c);
// The text without the characters the code page lacks.
QString keepCp1250(const QString& text);

// Replaces the file whole or not at all: writes a temporary file beside it,
// flushes it to disk and renames it over the old one. Raises EFileError.
void saveFileAtomically(const QString& path, const QByteArray& contents);

// The memo used as a line buffer for side files: lines in code page 1250,
// CR LF after every line, the last one included.
class LineBuffer {
public:
    void clear() { m_lines.clear(); }
    void add(const QString& line) { m_lines.append(line); }
    int count() const { return int(m_lines.size()); }
    // A line past the end reads as the empty text.
    QString line(int index) const;
    void setLine(int index, const QString& text);
    const QStringList& lines() const { return m_lines; }

    // Reads CR LF, LF or CR line ends. Raises EFileError when the file cannot be read.
    void loadFromFile(const QString& path);
    bool tryLoadFromFile(const QString& path);
    // Raises EFileError; an existing file stays as it was on failure.
    void saveToFile(const QString& path) const;
    QByteArray toBytes() const;

private:
    QStringList m_lines;
};

// INI file as plain "Key=Value" lines under "[Section]" headers, in code page
// 1250 with CR LF; keys keep the order in which they were first written;
// booleans are "1" and "0".
class IniFile {
public:
    explicit IniFile(QString path);
    QString readString(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeBool(const QString& section, const QString& key, bool value);
    void writeInteger(const QString& section, const QString& key, int value);
    // Writes the file atomically. Raises EFileError.
    void save() const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        QVector<Entry> entries;
    };
    QString m_path;
    QVector<Section> m_sections;
};

} // namespace tv
