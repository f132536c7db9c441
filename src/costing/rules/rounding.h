#pragma once

#include <QString>

// Rounds a money amount to two decimals, half away from zero, by way of the
// decimal text of the amount x 1000 (the third decimal alone decides).
double Zaokraglij(double x);

// True when the text converts with StrToFloat / StrToCurr; never raises.
bool CzyLiczba(QString text);
bool CzyKwota(QString text);
