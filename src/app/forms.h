#pragma once

#include <QString>
#include <QStringList>

// Makes the tables of both areas known to the table layer; before the
// tables are opened.
void registerTables();

// Creates every form once, in the program's fixed order; each is reached
// through its global pointer until destroyForms() at the end of the run.
void createForms();
void destroyForms();

// The object names of the forms in the order createForms() made them.
const QStringList& formCreationOrder();

// The delivered data set: $TARVELINO_DATA, else data/ beside the build tree or
// the installed share folder. Empty when none is found.
QString findDataDir();
