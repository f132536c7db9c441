#pragma once

// The data-aware controls: a data source over a table cursor, the grid, the
// navigator, bound edits and labels, and the lookup combo box.
#include "platform/ui/dataaware_controls.h"
#include "platform/ui/dataaware_grid.h"
#include "platform/ui/dataaware_navigator.h"
#include "platform/ui/dataaware_source.h"
