#pragma once

#include <QVector>

#include "platform/table.h"

// The tables the platform's tests work on: layouts of the tests' own, made
// known to the table layer by the tests' main.
namespace tvtest {
QVector<tv::TableLayout> testTables();
void registerTestTables();
} // namespace tvtest
