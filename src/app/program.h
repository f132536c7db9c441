#pragma once

#include <QString>

// The program's run around its message loop, as main runs it and as a test
// that plays an operator's day runs it.

// Opens the tables of the working folder (missing ones are created, filled
// from the delivered data set where it has them), creates every form and
// shows the start screen.
void startProgram(const QString& workingFolder, const QString& dataDir);

// Ends the run once the message loop has ended: a row the operator changed
// but has not confirmed is kept, as leaving the register would keep it (an
// untouched one is dropped); then the forms go and the tables are closed.
// Each step runs even when one before it failed.
void endProgram();
