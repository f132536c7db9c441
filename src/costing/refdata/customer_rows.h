#pragma once

#include <QVariant>
#include <QVector>

#include "platform/table.h"

namespace costing {

// The seventeen fields of a customer row in the table's order, with their
// types and sizes: the layout the re-sort gives its scratch table.
QVector<tv::FieldDef> customerFieldDefs();

// Writes a value read from a field of the same name into a field of a row in
// edit or insert state: numbers keep every digit (never through their text),
// texts stay texts and an empty value leaves the field empty.
void setFieldValue(tv::Field to, const QVariant& value);
inline void copyField(const tv::Field& from, tv::Field to) {
    setFieldValue(to, from.value());
}

} // namespace costing
