#pragma once

#include <QDate>

namespace tv {

// Today's date as the whole program sees it: the system's date, unless a test
// has fixed it. Every rule that depends on the date (issue dates, numbering,
// a period ending today, two-digit years) reads it here.
QDate today();

// Fixes the date for tests; a null date returns to the system's clock.
void setToday(const QDate& date);

} // namespace tv
