#pragma once

#include "platform/report/report.h"

// Both calculation printouts open alike: the document's title and base font,
// and a title band headed "KALKULACJA" with the "Data wykonania:" caption.
// At 12 pt bold that caption is wider than the room the design leaves before
// the date at x 600, so it ends flush before the date instead of running
// under it.
inline constexpr double printDateX = 600;

// Sets up the report and adds its title band (heading and date caption).
tv::report::Band& addCalculationTitle(tv::report::Report& report, double height, int headingStyle);
