// The one text collation of the tables: Polish alphabetical order.

#include <array>
#include <cstring>

#include <QChar>

#include "platform/table_internal.h"

namespace tv::detail {

const char* const kCollation = "POLSKI";

namespace {

struct Weight {
    std::uint32_t primary = 0;   // band << 21 | value
    std::uint32_t secondary = 0; // 0 for a plain letter, the accented letter's code point otherwise
    std::uint8_t tertiary = 0;   // 1 for upper case
};

constexpr char16_t kAlphabetFull[] = u"aąbcćdeęfghijklłmnńoópqrsśtuvwxyzźż";

int alphabetIndex(char32_t lower) {
    for (int i = 0; kAlphabetFull[i]; ++i)
        if (kAlphabetFull[i] == lower) return i;
    return -1;
}

Weight computeWeight(char32_t cp) {
    Weight w;
    if (cp > 0xFFFF) {
        w.primary = (3u << 21) | (cp & 0x1FFFFF);
        return w;
    }
    const QChar ch{char16_t(cp)};
    const char16_t lower = ch.toLower().unicode();
    w.tertiary = (ch.isUpper() || ch.isTitleCase()) ? 1 : 0;
    const int index = alphabetIndex(lower);
    if (index >= 0) {
        w.primary = (1u << 21) | std::uint32_t(index);
        return w;
    }
    if (ch.isLetter()) {
        const QString decomposed = QChar(lower).decomposition();
        const int baseIndex = decomposed.isEmpty() ? -1 : alphabetIndex(decomposed.at(0).unicode());
        if (baseIndex >= 0) {
            w.primary = (1u << 21) | std::uint32_t(baseIndex);
            w.secondary = lower;
        } else {
            w.primary = (2u << 21) | lower;
        }
        return w;
    }
    w.primary = cp;
    return w;
}

constexpr int kTableSize = 0x250;

const std::array<Weight, kTableSize>& weightTable() {
    static const std::array<Weight, kTableSize> table = [] {
        std::array<Weight, kTableSize> t{};
        for (int cp = 0; cp < kTableSize; ++cp)
            t[size_t(cp)] = computeWeight(char32_t(cp));
        return t;
    }();
    return table;
}

inline Weight weightOf(char32_t cp, const std::array<Weight, kTableSize>& table) {
    return cp < kTableSize ? table[cp] : computeWeight(cp);
}

// Decodes one code point; a malformed byte stands for itself.
inline char32_t decode(const unsigned char* s, int n, int& pos) {
    const unsigned char c = s[pos];
    if (c < 0x80) {
        ++pos;
        return c;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        ++pos;
        return c;
    }
    if (pos + extra > n - 1) {
        ++pos;
        return c;
    }
    for (int k = 1; k <= extra; ++k) {
        const unsigned char cc = s[pos + k];
        if ((cc & 0xC0) != 0x80) {
            ++pos;
            return c;
        }
        cp = (cp << 6) | (cc & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

template <typename Key>
int compareLevel(const unsigned char* a, int na, const unsigned char* b, int nb, Key key) {
    const auto& table = weightTable();
    int pa = 0;
    int pb = 0;
    while (pa < na && pb < nb) {
        const char32_t ca = decode(a, na, pa);
        const char32_t cb = decode(b, nb, pb);
        if (ca == cb) continue;
        const std::uint32_t ka = key(weightOf(ca, table));
        const std::uint32_t kb = key(weightOf(cb, table));
        if (ka != kb) return ka < kb ? -1 : 1;
    }
    if (pa < na) return 1;
    if (pb < nb) return -1;
    return 0;
}

int collationCallback(void*, int na, const void* a, int nb, const void* b) {
    return polishCompare(static_cast<const char*>(a), na, static_cast<const char*>(b), nb);
}

} // namespace

int polishCompare(const char* a, int na, const char* b, int nb) {
    const auto* ua = reinterpret_cast<const unsigned char*>(a);
    const auto* ub = reinterpret_cast<const unsigned char*>(b);
    // Plain ASCII letters and digits decide most comparisons at the first
    // difference, so the primary level runs first and alone.
    if (int r = compareLevel(ua, na, ub, nb, [](const Weight& w) { return w.primary; })) return r;
    if (int r = compareLevel(ua, na, ub, nb, [](const Weight& w) { return w.secondary; })) return r;
    if (int r = compareLevel(ua, na, ub, nb, [](const Weight& w) { return std::uint32_t(w.tertiary); }))
        return r;
    const int common = std::min(na, nb);
    if (int r = std::memcmp(a, b, size_t(common))) return r < 0 ? -1 : 1;
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

int polishCompare(const QString& a, const QString& b) {
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return polishCompare(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
}

void registerCollation(sqlite3* db) {
    sqlite3_create_collation_v2(db, kCollation, SQLITE_UTF8, nullptr, collationCallback, nullptr);
}

} // namespace tv::detail
