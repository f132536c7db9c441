#pragma once

#include <array>
#include <optional>

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

namespace costing {

// One paper and colour line of the job, each value as its table field gives it.
struct PaperLineTexts {
    QString format;
    QString ilosc;
    QString rodzpap;
    QString kolor;
    QString gramatura;
    QString koszt;
};

// A calculation file's content, value by value, in the order the file holds it.
struct CalculationTexts {
    static constexpr int kOptionCount = 6; // option slots 0 to 5, slot 4 always empty
    static constexpr int kFieldCount = 80; // the sheet's fields, Edit41 twice
    static constexpr int kFixedLines = 90;

    QVector<PaperLineTexts> paper;
    QString customer;
    QString format; // formaty.Nr of the calculation's format, as text
    std::array<QString, kOptionCount> options;
    std::array<QString, kFieldCount> fields;
    QString date; // short date text
};

// Lines of the file: 6 × N + 90 for N paper lines. A value holding a line
// break gets a space in its place, so that every value stays on its own line.
QStringList calculationLines(const CalculationTexts& calculation);

// A file read back and checked whole: either every value is of its kind, or
// the first line that is not (1-based) with a Polish description of the fault.
struct CalculationReading {
    bool ok = false;
    CalculationTexts texts;
    std::optional<int> formatNumber; // none when the format line is empty
    QDate date;
    int badLine = 0;
    QString problem;
};

// The dates the sheet's date box holds. A file's date outside them (a year
// cut short to "202" by a truncated file) is no date of a calculation.
QDate earliestCalculationDate();
QDate latestCalculationDate();

// Checks the line count, the paper-line count, each paper line's numbers and
// money, the format number and the date (short form, yyyy-MM-dd, dd.MM.yyyy or
// dd-MM-yyyy, within the date box's range). Field and option lines are taken as they are: the sheet's own
// checks deal with them. Lines after the last one the file needs are ignored.
CalculationReading readCalculation(const QStringList& lines);

// The message shown for a file that is not a calculation.
QString badCalculationMessage(const QString& fileName, const CalculationReading& reading);

} // namespace costing
