#include "platform/currency.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/errors.h"

namespace tv {

namespace {

using Int128 = __int128;
using UInt128 = unsigned __int128;

constexpr std::int64_t kScale = 10000;

[[noreturn]] void raiseOverflow() {
    throw EOverflow(QStringLiteral("Przekroczenie zakresu kwoty"));
}

Currency checked(Int128 units) {
    if (units > std::numeric_limits<std::int64_t>::max() || units < std::numeric_limits<std::int64_t>::min())
        raiseOverflow();
    return Currency::fromUnits(std::int64_t(units));
}

} // namespace

Currency Currency::fromDouble(double d) {
    if (!std::isfinite(d)) raiseOverflow();
    if (d == 0.0) return Currency();
    // d = mantissa x 2^exponent with a 53-bit integer mantissa; d x 10000 is then
    // an integer times a power of two, which 128-bit arithmetic rounds exactly.
    int binaryExponent = 0;
    const double fraction = std::frexp(std::fabs(d), &binaryExponent);
    const auto mantissa = std::uint64_t(std::ldexp(fraction, 53));
    const int exponent = binaryExponent - 53;
    const UInt128 scaled = UInt128(mantissa) * kScale; // below 2^67
    // The largest magnitude that fits: 2^63 - 1 for positive amounts, 2^63 for negative ones.
    const UInt128 limit = d < 0 ? (UInt128(1) << 63) : (UInt128(1) << 63) - 1;
    // A whole exponent means |d| >= 2^52, far beyond the largest amount.
    if (exponent >= 0) raiseOverflow();
    const int shift = -exponent;
    // Below half a unit: rounds to zero.
    if (shift >= 68) return Currency();
    UInt128 magnitude = scaled >> shift;
    const UInt128 remainder = scaled - (magnitude << shift);
    const UInt128 half = UInt128(1) << (shift - 1);
    if (remainder > half || (remainder == half && (magnitude & 1) != 0)) ++magnitude;
    if (magnitude > limit) raiseOverflow();
    return fromUnits(d < 0 ? std::int64_t(-Int128(magnitude)) : std::int64_t(magnitude));
}

Currency Currency::fromInt(std::int64_t whole) {
    return checked(Int128(whole) * kScale);
}

double Currency::toDouble() const {
    // One rounding of units / 10000 in extended precision, as the money type's
    // own conversion does, then stored as a double.
    return double(static_cast<long double>(m_units) / 10000.0L);
}

Currency Currency::operator+(Currency other) const {
    return checked(Int128(m_units) + other.m_units);
}

Currency Currency::operator-(Currency other) const {
    return checked(Int128(m_units) - other.m_units);
}

Currency Currency::operator-() const {
    return checked(-Int128(m_units));
}

Currency Currency::operator*(Currency other) const {
    // Built-in division truncates toward zero, as the money product does.
    return checked(Int128(m_units) * other.m_units / kScale);
}

Currency Currency::operator/(Currency other) const {
    if (other.m_units == 0) throw EOverflow(QStringLiteral("Dzielenie kwoty przez zero"));
    return checked(Int128(m_units) * kScale / other.m_units);
}

} // namespace tv
