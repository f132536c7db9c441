#pragma once

#include <QString>
#include <QStringList>

#include "platform/table.h"

// Whole table files of the working folder: consistent copies of them, checks
// of a file brought from elsewhere, and putting such files in place of the
// open tables.
namespace tv {

// What backupTables does with a table whose file fails its check.
enum class DamagedTables {
    Refuse,       // raise EDatabaseError
    CopyAsTheyLie // copy the file byte for byte, so that nothing of it is lost
};

// Copies every table file of the working folder (the scratch table apart)
// into folder under its file name, each through SQLite's backup API, so that
// a copy is a sound database even while the program holds the table open.
// With CopyAsTheyLie a damaged file is copied as it lies and a missing one
// passed over. Returns the file names written, in the order of the
// registered layouts.
QStringList backupTables(const QString& folder, DamagedTables damaged = DamagedTables::Refuse);

// Checks that the file at path is a sound table of the layout: it opens as a
// database, has the layout's fields with their types and passes SQLite's
// integrity check. Raises EDatabaseError naming the file otherwise.
void checkTableFile(const QString& path, const TableLayout& layout);

// Puts the files named (file names of registered tables, found in
// sourceFolder) in place of the working folder's tables: each file is closed
// on the connection, replaced whole and opened again with a full check.
// Every cursor of the program then reads its rows anew, also when a file
// fails half-way (raising EDatabaseError; files already replaced stay so).
// Needs no transaction running and no pending rows the caller cares about.
void replaceTables(const QString& sourceFolder, const QStringList& fileNames);

} // namespace tv
