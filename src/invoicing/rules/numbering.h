#pragma once

#include <optional>

#include <QDate>
#include <QRegularExpression>
#include <QString>

// Invoice numbers: the administration's pattern expanded for a running number
// and an issue date, and the running numbers read back from stored invoices.
namespace invoicing {

// The issued-invoice table keeps at most this many characters of a number.
constexpr int kNumberLength = 20;

// Expands the pattern. Each character stands for itself except "#", which
// takes the run of identical characters after it: a run of "N" is the running
// number in plain digits (no padding, whatever the run's length); any other
// run is lower-cased and formats the issue date ("d", "dd" day, "m", "mm"
// month, "mmm"/"mmmm" and "ddd"/"dddd" the regional names, "y"/"yy" two-digit
// and "yyy"/"yyyy" four-digit year, "h", "n", "s", "z" a time of 0), and a
// character that means nothing to a date is copied. A "#" that ends the
// pattern has no run and stands for itself.
QString formatNumber(const QString& pattern, int number, const QDate& date);

// Reads the running number back from a stored number text by the pattern
// that made it: the digits where the pattern has its first "#N" run. Numbers
// that do not fit the pattern (made under an older one) give the whole
// number before their first "/", if that text is one; any other gives none.
class NumberReader {
public:
    explicit NumberReader(const QString& pattern);
    std::optional<int> read(const QString& stored) const;

private:
    QRegularExpression m_fits;
    bool m_hasNumber = false;
};

// The highest running number among the stored invoices issued in the year
// of `today`, the years compared by their last two digits; 0 when there is
// none. Reads every stored invoice through a query of its own, so that no
// register view or filter limits what it sees. Rows without an issue date
// or whose number cannot be read are passed over.
int highestNumberOfYear(const QString& pattern, const QDate& today);

} // namespace invoicing
