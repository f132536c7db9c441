#pragma once

#include <cstdint>

#include <QString>

namespace tv {

// Money in memory: a signed 64-bit fixed-point amount holding value x 10000.
// Arithmetic that leaves the 64-bit range raises EOverflow instead of wrapping;
// every result that fits is the exact fixed-point result.
class Currency {
public:
    constexpr Currency() = default;

    static constexpr Currency fromUnits(std::int64_t units) {
        Currency c;
        c.m_units = units;
        return c;
    }
    // d x 10000 rounded to the nearest unit, ties to even, computed from the
    // exact value of d (not from the double product d * 10000.0).
    // Raises EOverflow for a non-finite d or one out of range.
    static Currency fromDouble(double d);
    static Currency fromInt(std::int64_t whole);

    constexpr std::int64_t units() const { return m_units; }
    double toDouble() const;
    // Whole part, truncated toward zero.
    std::int64_t trunc() const { return m_units / 10000; }

    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;
    Currency operator-() const;
    Currency& operator+=(Currency other) { return *this = *this + other; }
    Currency& operator-=(Currency other) { return *this = *this - other; }
    // Product: the underlying integers multiplied, divided by 10000 truncating
    // toward zero (computed in 128 bits).
    Currency operator*(Currency other) const;
    // Quotient: the dividend's integer x 10000 divided by the divisor's integer,
    // truncating toward zero. Raises EOverflow when dividing by zero.
    Currency operator/(Currency other) const;

    friend constexpr bool operator==(Currency a, Currency b) { return a.m_units == b.m_units; }
    friend constexpr auto operator<=>(Currency a, Currency b) { return a.m_units <=> b.m_units; }

private:
    std::int64_t m_units = 0;
};

} // namespace tv
