#pragma once

#include <QVector>

#include "platform/table.h"

namespace invoicing {

// The tables of the invoicing side: sellers, issued invoices and their lines
// (with the correction lines' table delivered beside them) and the goods.
QVector<tv::TableLayout> invoicingTables();

} // namespace invoicing
