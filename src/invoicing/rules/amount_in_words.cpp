#include "invoicing/rules/amount_in_words.h"

#include <array>
#include <cstdint>

#include "platform/regional.h"

namespace invoicing {

namespace {

// Index 0 of each table stands for the digit 0.
const std::array<const char*, 10> kHundreds = {"",           " sto",        " dwieście", " trzysta",
                                               " czterysta", " pięćset",    " sześćset", " siedemset",
                                               " osiemset",  " dziewięćset"};
const std::array<const char*, 10> kTens = {"",
                                           "",
                                           " dwadzieścia",
                                           " trzydzieści",
                                           " czterdzieści",
                                           " pięćdziesiąt",
                                           " sześćdziesiąt",
                                           " siedemdziesiąt",
                                           " osiemdziesiąt",
                                           " dziewięćdziesiąt"};
const std::array<const char*, 10> kTeens = {" dziesięć",    " jedenaście",    " dwanaście",  " trzynaście",
                                            " czternaście", " piętnaście",    " szesnaście", " siedemnaście",
                                            " osiemnaście", " dziewiętnaście"};
const std::array<const char*, 10> kUnits = {"",      " jeden", " dwa",    " trzy",  " cztery",
                                            " pięć", " sześć", " siedem", " osiem", " dziewięć"};

struct GroupNames {
    const char* singular;
    const char* few;  // after 2, 3, 4
    const char* many; // genitive plural
};
const GroupNames kBillions = {" miliard", " miliardy", " miliardów"};
const GroupNames kMillions = {" milion", " miliony", " milionów"};
const GroupNames kThousands = {" tysiąc", " tysiące", " tysięcy"};

int digitAt(const QString& text, int i) {
    if (i >= text.size()) return -1;
    const QChar c = text.at(i);
    return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1;
}

QString word(const std::array<const char*, 10>& table, int digit) {
    return digit < 0 ? QString() : QString::fromUtf8(table[size_t(digit)]);
}

// The hundreds digit is not looked at: "101" takes the singular.
QString groupName(const QString& group, const GroupNames& names) {
    if (group.left(3) == QLatin1String("000")) return QString();
    const QChar t = group.at(1);
    const QChar u = group.at(2);
    if (t == u'1') return QString::fromUtf8(names.many);
    if (u == u'1') return QString::fromUtf8(t == u'0' ? names.singular : names.many);
    if (u == u'2' || u == u'3' || u == u'4') return QString::fromUtf8(names.few);
    return QString::fromUtf8(names.many);
}

} // namespace

QString threeDigitsInWords(const QString& digits) {
    QString words = word(kHundreds, digitAt(digits, 0));
    if (digits.size() > 1 && digits.at(1) == u'1') return words + word(kTeens, digitAt(digits, 2));
    return words + word(kTens, digitAt(digits, 1)) + word(kUnits, digitAt(digits, 2));
}

QString amountInWords(tv::Currency amount, const QString& currencyWord) {
    const std::int64_t units = amount.units();
    const std::uint64_t magnitude = units < 0 ? 0 - std::uint64_t(units) : std::uint64_t(units);
    QString text = QString::number(magnitude / 10000);
    if (text.size() > 12) return QString();

    QString result;
    bool higherGroup = false;
    auto takeGroup = [&](int over, const GroupNames& names) {
        if (text.size() <= over) return;
        text = text.rightJustified(over + 3, u'0');
        const QString group = text.left(3);
        result += threeDigitsInWords(group) + groupName(group, names);
        text.remove(0, 3);
        higherGroup = true;
    };
    takeGroup(9, kBillions);
    takeGroup(6, kMillions);
    takeGroup(3, kThousands);
    text = text.rightJustified(3, u'0');
    if (text != QLatin1String("000") || higherGroup) result += threeDigitsInWords(text) + u' ' + currencyWord;

    // The two decimals the money display shows, rounded half up.
    const int grosze = int((magnitude + 50) / 100 % 100);
    result += u' ' + QString::number(grosze).rightJustified(2, u'0') + QStringLiteral("\\100");
    return units < 0 ? QStringLiteral(" minus") + result : result;
}

QString currencyWord() {
    const QString symbol = tv::regional().currencySymbol;
    return symbol.isEmpty() ? QStringLiteral("zł") : symbol;
}

} // namespace invoicing
