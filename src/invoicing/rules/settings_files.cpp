#include "invoicing/rules/settings_files.h"

#include <climits>
#include <cmath>

#include <QDir>

#include "invoicing/rules/numbering.h"
#include "platform/convert.h"
#include "platform/errors.h"
#include "platform/table.h"

namespace invoicing {

QString sideFilePath(const QString& fileName) {
    if (tv::Database::isOpen()) return tv::Database::instance().pathFor(fileName);
    return QDir::current().filePath(fileName);
}

QString flagText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

bool flagFromText(const QString& text) {
    return text != QLatin1String("0");
}

// CR LF counts as one break, so "a\r\nb" becomes "a b".
QString oneLine(const QString& value) {
    if (!value.contains(u'\r') && !value.contains(u'\n')) return value;
    QString text = value;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

namespace {

QString lineAt(const QStringList& lines, int index) {
    return index < lines.size() ? lines[index] : QString();
}

} // namespace

// ---- "ustaw.txt" -----------------------------------------------------------------

QStringList administrationLines(const AdministrationSettings& s) {
    return {oneLine(s.pattern),         oneLine(s.counter),
            oneLine(s.extraText),       s.plainPaper ? QStringLiteral("0") : QStringLiteral("1"),
            flagText(s.stock),          flagText(s.autoArchive),
            oneLine(s.remarks),         flagText(s.streetAsPlace),
            flagText(s.logoOnPrintout), flagText(s.skipWelcome)};
}

AdministrationSettings readAdministrationLines(const QStringList& lines) {
    AdministrationSettings s;
    s.pattern = lineAt(lines, 0);
    s.counter = lineAt(lines, 1);
    s.extraText = lineAt(lines, 2);
    s.plainPaper = lineAt(lines, 3) == QLatin1String("0");
    s.stock = flagFromText(lineAt(lines, 4));
    s.autoArchive = flagFromText(lineAt(lines, 5));
    s.remarks = lineAt(lines, 6);
    s.streetAsPlace = flagFromText(lineAt(lines, 7));
    s.logoOnPrintout = flagFromText(lineAt(lines, 8));
    s.skipWelcome = flagFromText(lineAt(lines, 9));
    return s;
}

QStringList administrationFirstStartLines() {
    return {QStringLiteral("#N/#MM/#YYYY"), QStringLiteral("1"), QStringLiteral("Dziękujemy"),
            QStringLiteral("0"), QString()};
}

std::optional<int> counterFromText(const QString& text) {
    double value = 0;
    if (!tv::TryStrToFloat(text, value)) return std::nullopt;
    const double whole = std::trunc(value);
    if (!(whole >= 1 && whole <= double(INT_MAX))) return std::nullopt;
    return int(whole);
}

bool patternEndsWithBareHash(const QString& pattern) {
    // Walked as the expansion walks it: a "#" takes the run of equal
    // characters after it, so only a "#" with nothing after it is bare.
    qsizetype i = 0;
    const qsizetype n = pattern.size();
    while (i < n) {
        if (pattern[i] != u'#') {
            ++i;
            continue;
        }
        if (i + 1 >= n) return true;
        qsizetype end = i + 1;
        while (end < n && pattern[end] == pattern[i + 1])
            ++end;
        i = end;
    }
    return false;
}

QVector<QDate> numberProbeDates(const QDate& today) {
    QVector<QDate> dates{today};
    for (int month = 1; month <= 12; ++month)
        for (int day = 22; day <= 28; ++day)
            dates.append(QDate(today.year(), month, day));
    return dates;
}

QString administrationProblem(const QString& counterText, const QString& pattern,
                              const NumberFormatter& format, const QDate& today) {
    const std::optional<int> counter = counterFromText(counterText);
    if (!counter)
        return QStringLiteral("Aktualny numer faktury musi być liczbą 1 lub większą (wpisano \"%1\").")
            .arg(counterText);
    if (pattern.trimmed().isEmpty()) return QStringLiteral("Format numeracji nie może być pusty.");
    if (patternEndsWithBareHash(pattern))
        return QStringLiteral("Format numeracji nie może kończyć się pojedynczym znakiem '#'.");
    const int probe = std::max(*counter, 99999);
    QString longest;
    try {
        for (const QDate& date : numberProbeDates(today)) {
            const QString number = format(probe, date);
            if (number.size() > longest.size()) longest = number;
        }
    } catch (const tv::Error& e) {
        return QStringLiteral("Format numeracji \"%1\" nie daje numeru faktury: %2")
            .arg(pattern, e.message());
    }
    if (longest.size() > kNumberLength)
        return QStringLiteral("Numer faktury według formatu \"%1\" może mieć %2 znaków (np. \"%3\"), "
                              "a mieści się najwyżej %4.")
            .arg(pattern)
            .arg(longest.size())
            .arg(longest)
            .arg(kNumberLength);
    return QString();
}

// ---- "FAKTURY.INI" ---------------------------------------------------------------

IniOptions readIniOptions(const tv::IniFile& ini, const IniOptions& defaults) {
    IniOptions o;
    o.format = ini.readString(kIniSection, QStringLiteral("Format"), defaults.format);
    o.tekst = ini.readString(kIniSection, QStringLiteral("Tekst"), defaults.tekst);
    o.uwagi = ini.readString(kIniSection, QStringLiteral("Uwagi"), defaults.uwagi);
    o.wydruk = ini.readBool(kIniSection, QStringLiteral("Wydruk"), defaults.wydruk);
    o.magazyn = ini.readBool(kIniSection, QStringLiteral("Magazyn"), defaults.magazyn);
    o.archiwum = ini.readBool(kIniSection, QStringLiteral("Archiwum"), defaults.archiwum);
    return o;
}

void writeIniOptions(tv::IniFile& ini, const IniOptions& o) {
    ini.writeString(kIniSection, QStringLiteral("Format"), oneLine(o.format));
    ini.writeString(kIniSection, QStringLiteral("Tekst"), oneLine(o.tekst));
    ini.writeString(kIniSection, QStringLiteral("Uwagi"), oneLine(o.uwagi));
    ini.writeBool(kIniSection, QStringLiteral("Wydruk"), o.wydruk);
    ini.writeBool(kIniSection, QStringLiteral("Magazyn"), o.magazyn);
    ini.writeBool(kIniSection, QStringLiteral("Archiwum"), o.archiwum);
}

// ---- "ustmain.txt" ---------------------------------------------------------------

QStringList windowDefaultsLines(const WindowDefaults& d) {
    return {oneLine(d.paymentForm),
            oneLine(d.paymentTerm),
            oneLine(d.shipping),
            flagText(d.saleMonth),
            QString::number(int(d.documentKind)),
            QString::number(int(d.printForm))};
}

WindowDefaults readWindowDefaultsLines(const QStringList& lines) {
    WindowDefaults d;
    d.paymentForm = lineAt(lines, 0);
    d.paymentTerm = lineAt(lines, 1);
    d.shipping = lineAt(lines, 2);
    d.saleMonth = flagFromText(lineAt(lines, 3));
    const QString kind = lineAt(lines, 4);
    d.documentKind = kind == QLatin1String("0")   ? DocumentKind::Vat
                     : kind == QLatin1String("1") ? DocumentKind::VatRR
                                                  : DocumentKind::Bill;
    const QString form = lineAt(lines, 5);
    d.printForm = form == QLatin1String("0")   ? PrintForm::OriginalAndCopy
                  : form == QLatin1String("1") ? PrintForm::NoCaption
                  : form == QLatin1String("2") ? PrintForm::OriginalSlashCopy
                                               : PrintForm::OriginalAndTwoCopies;
    return d;
}

} // namespace invoicing
