#pragma once

#include <QVector>

#include "platform/table.h"

namespace costing {

// The seventeen fields of a customer row in the table's order, with their
// types and sizes; the re-sort gives its scratch table the same layout.
QVector<tv::FieldDef> customerFields();

// The fields of an invoice line, as the working lines and the issued lines
// share them (without the working table's Rabat and the issued Nr_faktury).
QVector<tv::FieldDef> invoiceLineFields();

// The tables of the costing side: customers and their scratch copy, formats,
// the job's paper lines, paper kinds, grammages, settings and the two working
// tables of the invoice being prepared.
QVector<tv::TableLayout> costingTables();

} // namespace costing
