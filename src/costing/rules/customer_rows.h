#pragma once

#include <QVariant>

#include "platform/table.h"

namespace costing {

// Writes a value read from a field of the same name into a field of a row in
// edit or insert state: numbers keep every digit (never through their text),
// texts stay texts and an empty value leaves the field empty.
void setFieldValue(tv::Field to, const QVariant& value);
inline void copyField(const tv::Field& from, tv::Field to) {
    setFieldValue(to, from.value());
}

// Rewrites the customer table in Id order through the scratch table: the
// source query reads the customers in Id order into the scratch copy, then
// the customer table is emptied and refilled from the copy. The copy lands
// whole; emptying and refilling the customers is one transaction, so should
// any row fail the table keeps every customer it had. The cursors are closed
// on every way out; the scratch file stays in the working folder.
void resortCustomers(tv::Table& scratch, tv::Table& customers, tv::Query& source);

} // namespace costing
