#pragma once

#include <memory>

#include "platform/report/report.h"

namespace tv {
class Table;
class Query;
} // namespace tv

namespace tv::report {

// A detail band's rows from a table cursor, in the table's order (with its
// filter). Money fields print in the currency format, numbers in the general
// float form, dates in the short date form. After the layout the cursor goes
// back to the row it stood on, so the form's grid does not jump.
std::shared_ptr<DataSource> tableSource(tv::Table& table);
// The same over a query's result (it has no current row to go back to).
std::shared_ptr<DataSource> querySource(tv::Query& query);

} // namespace tv::report
