#pragma once

// The tables the platform's tests work on: layouts of the tests' own, made
// known to the table layer by the tests' main.
namespace tvtest {
void registerTestTables();
}
