#include "invoicing/rules/numbering.h"

#include <algorithm>

#include <QStringList>
#include <QVector>

#include "platform/convert.h"
#include "platform/regional.h"
#include "platform/table.h"

namespace invoicing {

namespace {

// The pattern cut into its parts: plain text, the running number, and the
// lower-cased runs that format the date.
struct Token {
    enum class Kind { Text, Number, DateRun };
    Kind kind = Kind::Text;
    QString text;
};

QVector<Token> tokenize(const QString& pattern) {
    QVector<Token> tokens;
    auto addText = [&tokens](const QString& text) {
        if (!tokens.isEmpty() && tokens.last().kind == Token::Kind::Text)
            tokens.last().text += text;
        else
            tokens.append({Token::Kind::Text, text});
    };
    const qsizetype length = pattern.size();
    for (qsizetype i = 0; i < length; ++i) {
        if (pattern[i] != u'#' || i + 1 == length) {
            addText(pattern[i]);
            continue;
        }
        ++i;
        qsizetype run = 1;
        while (i + run < length && pattern[i + run] == pattern[i])
            ++run;
        if (pattern[i] == u'N')
            tokens.append({Token::Kind::Number, QString()});
        else
            tokens.append({Token::Kind::DateRun, pattern.mid(i, run).toLower()});
        i += run - 1;
    }
    return tokens;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// A name of the regional settings; the number itself should a list be short.
QString nameAt(const QStringList& names, int oneBased) {
    return oneBased >= 1 && oneBased <= names.size() ? names.at(oneBased - 1) : QString::number(oneBased);
}

QString formatRun(const QString& run, const QDate& date) {
    const tv::RegionalSettings& settings = tv::regional();
    const int k = int(run.size());
    switch (run[0].unicode()) {
    case u'd':
        if (k == 1) return QString::number(date.day());
        if (k == 2) return twoDigits(date.day());
        if (k == 3) return nameAt(settings.shortDayNames, date.dayOfWeek());
        if (k == 4) return nameAt(settings.longDayNames, date.dayOfWeek());
        return tv::DateToStr(date);
    case u'm':
        if (k == 1) return QString::number(date.month());
        if (k == 2) return twoDigits(date.month());
        if (k == 3) return nameAt(settings.shortMonthNames, date.month());
        return nameAt(settings.longMonthNames, date.month());
    case u'y':
        if (k <= 2) return twoDigits(date.year() % 100);
        return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
    case u'h':
    case u'n':
    case u's':
        // An issue date carries no time of day: its hours, minutes and seconds are 0.
        return k == 1 ? QStringLiteral("0") : QStringLiteral("00");
    case u'z':
        return k < 3 ? QStringLiteral("0") : QStringLiteral("000");
    case u't':
        return k == 1 ? QStringLiteral("0:00") : QStringLiteral("0:00:00");
    case u'c':
        return tv::DateToStr(date);
    default:
        return run;
    }
}

QString anyOf(QStringList names) {
    // Longer names first, so that "maj" never stops short of a longer name.
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (QString& name : names)
        name = QRegularExpression::escape(name);
    names.removeAll(QString());
    return names.isEmpty() ? QStringLiteral("\\d+") : QStringLiteral("(?:%1)").arg(names.join(u'|'));
}

// What a date run may have produced, as a pattern to match.
QString runExpression(const QString& run) {
    const tv::RegionalSettings& settings = tv::regional();
    const int k = int(run.size());
    switch (run[0].unicode()) {
    case u'd':
        if (k == 1) return QStringLiteral("\\d{1,2}");
        if (k == 2) return QStringLiteral("\\d{2}");
        if (k == 3) return anyOf(settings.shortDayNames);
        if (k == 4) return anyOf(settings.longDayNames);
        return QStringLiteral(".+?");
    case u'm':
        if (k == 1) return QStringLiteral("\\d{1,2}");
        if (k == 2) return QStringLiteral("\\d{2}");
        if (k == 3) return anyOf(settings.shortMonthNames);
        return anyOf(settings.longMonthNames);
    case u'y':
        return k <= 2 ? QStringLiteral("\\d{2}") : QStringLiteral("\\d{4}");
    case u'h':
    case u'n':
    case u's':
        return k == 1 ? QStringLiteral("\\d{1,2}") : QStringLiteral("\\d{2}");
    case u'z':
        return k < 3 ? QStringLiteral("\\d{1,3}") : QStringLiteral("\\d{3}");
    case u't':
    case u'c':
        return QStringLiteral(".+?");
    default:
        return QRegularExpression::escape(run);
    }
}

} // namespace

QString formatNumber(const QString& pattern, int number, const QDate& date) {
    QString result;
    for (const Token& token : tokenize(pattern)) {
        switch (token.kind) {
        case Token::Kind::Text:
            result += token.text;
            break;
        case Token::Kind::Number:
            result += QString::number(number);
            break;
        case Token::Kind::DateRun:
            result += formatRun(token.text, date);
            break;
        }
    }
    return result;
}

NumberReader::NumberReader(const QString& pattern) {
    QString expression;
    for (const Token& token : tokenize(pattern)) {
        switch (token.kind) {
        case Token::Kind::Text:
            expression += QRegularExpression::escape(token.text);
            break;
        case Token::Kind::Number:
            expression += m_hasNumber ? QStringLiteral("-?\\d+") : QStringLiteral("(-?\\d+)");
            m_hasNumber = true;
            break;
        case Token::Kind::DateRun:
            expression += runExpression(token.text);
            break;
        }
    }
    m_fits.setPattern(QStringLiteral("\\A(?:%1)\\z").arg(expression));
    m_fits.optimize();
}

std::optional<int> NumberReader::read(const QString& stored) const {
    if (m_hasNumber) {
        const QRegularExpressionMatch match = m_fits.match(stored);
        if (match.hasMatch()) {
            bool ok = false;
            const int value = match.capturedView(1).toInt(&ok);
            if (ok) return value;
        }
    }
    const qsizetype slash = stored.indexOf(u'/');
    if (slash < 0) return std::nullopt;
    int value = 0;
    if (!tv::TryStrToInt(stored.left(slash), value)) return std::nullopt;
    return value;
}

int highestNumberOfYear(const QString& pattern, const QDate& today) {
    const NumberReader reader(pattern);
    // Issue dates are stored as yyyy-mm-dd: the year's last two digits are
    // its third and fourth characters. A row without a date has none.
    tv::Query query;
    query.setSql(QStringLiteral("select Nr from wyst_faktury where substr(Data_wyst, 3, 2) = ?"));
    query.bindValue(1, twoDigits(today.year() % 100));
    query.open();
    int highest = 0;
    for (query.first(); !query.eof(); query.next()) {
        const std::optional<int> number = reader.read(query.field(0).asString());
        if (number && *number >= highest) highest = *number;
    }
    return highest;
}

} // namespace invoicing
