#include "costing/calculation_file_format.h"

#include "platform/convert.h"
#include "platform/currency.h"

namespace costing {

namespace {

constexpr int kPaperLineSize = 6;

// CR LF counts as one break, so "a\r\nb" becomes "a b".
QString oneLine(QString value) {
    if (!value.contains(u'\r') && !value.contains(u'\n')) return value;
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

QString tooFewLines(qsizetype have, long long need) {
    return QStringLiteral("plik ma za mało wierszy (jest %1, potrzeba %2)").arg(have).arg(need);
}

bool isNumberOrEmpty(const QString& text) {
    double value = 0;
    return text.isEmpty() || tv::TryStrToFloat(text, value);
}

bool isMoneyOrEmpty(const QString& text) {
    tv::Currency value;
    return text.isEmpty() || tv::TryStrToCurr(text, value);
}

// Walks the lines in order; the first fault found is the one reported.
class Reader {
public:
    explicit Reader(const QStringList& lines) : m_lines(lines) {}

    int position() const { return m_next; }
    bool failed() const { return m_reading.badLine != 0; }

    // How many lines the file must have, once its paper-line count is known.
    void expect(long long lines) { m_expected = lines; }

    // The next line, or nothing (and the fault) when the file has ended.
    std::optional<QString> take() {
        if (failed()) return std::nullopt;
        if (m_next > m_lines.size()) {
            fail(m_next, tooFewLines(m_lines.size(), m_expected));
            return std::nullopt;
        }
        return m_lines[m_next++ - 1];
    }

    void fail(int line, const QString& problem) {
        if (failed()) return;
        m_reading.badLine = line;
        m_reading.problem = problem;
    }

    CalculationReading& reading() { return m_reading; }

private:
    const QStringList& m_lines;
    int m_next = 1;
    long long m_expected = CalculationTexts::kFixedLines;
    CalculationReading m_reading;
};

} // namespace

QDate earliestCalculationDate() {
    return QDate(1752, 9, 14);
}

QDate latestCalculationDate() {
    return QDate(9999, 12, 31);
}

QStringList calculationLines(const CalculationTexts& calculation) {
    QStringList lines;
    lines.reserve(kPaperLineSize * int(calculation.paper.size()) + CalculationTexts::kFixedLines);
    lines << tv::IntToStr(calculation.paper.size());
    for (const PaperLineTexts& line : calculation.paper) {
        lines << oneLine(line.format) << oneLine(line.ilosc) << oneLine(line.rodzpap) << oneLine(line.kolor)
              << oneLine(line.gramatura) << oneLine(line.koszt);
    }
    lines << oneLine(calculation.customer) << oneLine(calculation.format);
    for (const QString& option : calculation.options)
        lines << oneLine(option);
    for (const QString& field : calculation.fields)
        lines << oneLine(field);
    lines << oneLine(calculation.date);
    return lines;
}

CalculationReading readCalculation(const QStringList& lines) {
    Reader reader(lines);
    CalculationReading& reading = reader.reading();

    const std::optional<QString> countLine = reader.take();
    if (!countLine) return reading;
    int count = 0;
    if (!tv::TryStrToInt(*countLine, count) || count < 0) {
        reader.fail(1, QStringLiteral("liczba pozycji papieru „%1” nie jest liczbą całkowitą nieujemną")
                           .arg(*countLine));
        return reading;
    }
    const long long expected = kPaperLineSize * static_cast<long long>(count) + CalculationTexts::kFixedLines;
    reader.expect(expected);
    // A file shorter than its count announces has every later value out of
    // place, so the shortage is reported rather than the first misread value.
    if (lines.size() < expected) {
        reader.fail(int(lines.size()) + 1, tooFewLines(lines.size(), expected));
        return reading;
    }

    // A count far beyond what the file holds fails at its end; no room is
    // reserved for lines that are not there.
    for (int i = 0; i < count && !reader.failed(); ++i) {
        PaperLineTexts line;
        const int first = reader.position();
        auto take = [&](QString& into) {
            if (const std::optional<QString> text = reader.take()) into = *text;
        };
        take(line.format);
        take(line.ilosc);
        take(line.rodzpap);
        take(line.kolor);
        take(line.gramatura);
        take(line.koszt);
        if (reader.failed()) break;
        if (!isNumberOrEmpty(line.ilosc))
            reader.fail(first + 1, QStringLiteral("ilość arkuszy „%1” nie jest liczbą").arg(line.ilosc));
        else if (!isNumberOrEmpty(line.gramatura))
            reader.fail(first + 4, QStringLiteral("gramatura „%1” nie jest liczbą").arg(line.gramatura));
        else if (!isMoneyOrEmpty(line.koszt))
            reader.fail(first + 5, QStringLiteral("koszt „%1” nie jest kwotą").arg(line.koszt));
        reading.texts.paper.append(line);
    }
    if (reader.failed()) return reading;

    if (const std::optional<QString> customer = reader.take()) reading.texts.customer = *customer;
    const int formatLine = reader.position();
    if (const std::optional<QString> format = reader.take()) {
        reading.texts.format = *format;
        int number = 0;
        if (format->trimmed().isEmpty())
            reading.formatNumber.reset();
        else if (tv::TryStrToInt(*format, number))
            reading.formatNumber = number;
        else
            reader.fail(formatLine,
                        QStringLiteral("numer formatu „%1” nie jest liczbą całkowitą").arg(*format));
    }
    for (QString& option : reading.texts.options)
        if (const std::optional<QString> text = reader.take()) option = *text;
    for (QString& field : reading.texts.fields)
        if (const std::optional<QString> text = reader.take()) field = *text;
    const int dateLine = reader.position();
    if (const std::optional<QString> date = reader.take()) {
        reading.texts.date = *date;
        reading.date = tv::parseDateLenient(*date);
        if (!reading.date.isValid())
            reader.fail(dateLine, QStringLiteral("„%1” nie jest datą").arg(*date));
        else if (reading.date < earliestCalculationDate() || reading.date > latestCalculationDate())
            reader.fail(dateLine, QStringLiteral("„%1” nie jest datą z zakresu od %2 do %3")
                                      .arg(*date, tv::DateToStr(earliestCalculationDate()),
                                           tv::DateToStr(latestCalculationDate())));
    }
    reading.ok = !reader.failed();
    return reading;
}

QString badCalculationMessage(const QString& fileName, const CalculationReading& reading) {
    return QStringLiteral(
               "Plik „%1” nie jest poprawną kalkulacją.\nWiersz %2: %3.\nKalkulacja nie została wczytana.")
        .arg(fileName)
        .arg(reading.badLine)
        .arg(reading.problem);
}

} // namespace costing
