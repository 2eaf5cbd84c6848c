#pragma once

// Which rows a second recalculation over what the first left may change, for every checker of
// that property. A second run reads the entries as the first wrote them, so a row's man-hours
// may change where its rewritten entry holds the typed one less precisely (seconds and
// milliseconds of a time, weekly hours beyond two decimals or fifteen digits), and where a
// time cell was empty: no hours on the first run, midnight on the next.

#include <set>

#include "calc/calc.h"

namespace calc::second_run {

std::set<int> NeededRowsThatMayChange(const CellGrid& typed, const CellGrid& afterFirst,
                                      const RegionalSettings& settings);
std::set<int> StaffRowsThatMayChange(const CellGrid& typed, const CellGrid& afterFirst,
                                     const RegionalSettings& settings);

}  // namespace calc::second_run
