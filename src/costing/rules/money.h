#pragma once

#include "platform/currency.h"

// Money arithmetic as every figure of the program has always been computed.
namespace costing {

// Products and sums of floats are formed in extended precision and stored as a
// double; the last bit decides a figure that lies on a rounding boundary.
double mul(double a, double b);
double mul(double a, double b, double c);
double add(double a, double b);
// a x b x c + d and a + b x c, each whole expression in extended precision.
double mulAdd(double a, double b, double c, double d);
double addProduct(double a, double b, double c);

// A double as money: the nearest 0.0001, ties to even.
inline tv::Currency toMoney(double value) {
    return tv::Currency::fromDouble(value);
}

// One step of a rounded running total: the value joins the sum as money and
// the sum is rounded to two decimals again.
tv::Currency addRounded(tv::Currency sum, double value);

} // namespace costing
