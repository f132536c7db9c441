#include "costing/rules/money.h"

#include "costing/rules/rounding.h"

namespace costing {

double mul(double a, double b) {
    return double(static_cast<long double>(a) * static_cast<long double>(b));
}

double mul(double a, double b, double c) {
    return double(static_cast<long double>(a) * static_cast<long double>(b) * static_cast<long double>(c));
}

double add(double a, double b) {
    return double(static_cast<long double>(a) + static_cast<long double>(b));
}

double mulAdd(double a, double b, double c, double d) {
    return double(static_cast<long double>(a) * static_cast<long double>(b) * static_cast<long double>(c) +
                  static_cast<long double>(d));
}

double addProduct(double a, double b, double c) {
    return double(static_cast<long double>(a) + static_cast<long double>(b) * static_cast<long double>(c));
}

tv::Currency addRounded(tv::Currency sum, double value) {
    return toMoney(Zaokraglij((sum + toMoney(value)).toDouble()));
}

} // namespace costing
