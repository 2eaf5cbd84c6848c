#pragma once

#include <cstdint>
#include <string>

#include "calc/cell_grid.h"
#include "calc/extended.h"
#include "calc/grid_shape.h"
#include "calc/regional.h"

namespace calc {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;

  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBrightGreen{0, 255, 0};
inline constexpr Rgb kRed{255, 0, 0};

// What one recalculation shows: the texts for the labels HrsNeeded, HrsAvail and Message, the
// font colour of Message, and whether every entry could be read.
struct ReCalcResult {
  bool ok = false;
  std::string hrsNeeded;
  std::string hrsAvail;
  std::string message;
  Rgb messageColour;

  friend bool operator==(const ReCalcResult&, const ReCalcResult&) = default;
};

// True when a cell of the row past the description column is non-blank after TrimBlanks; the
// "Total Hrs" column counts.
bool RowHasData(const CellGrid& grid, int row);

// Recalculates the needed grid and the staff grid, whose columns needed_grid and staff_grid
// place: reads every row that has data, rewrites the entries it understands in their normal
// form, writes each row's man-hours, and totals hours needed against hours available. An
// unreadable entry, or man-hours beyond the double range, leaves its cell alone and turns the
// result into "ERROR". Throws std::invalid_argument, before touching any cell, when a grid has
// fewer columns than its kColCount; grids of any number of rows are read. Every working value
// is formed in `Real` and rounded to a double where it is stored. Texts are read and written
// under the given regional settings.
template <ExtendedArithmetic Real = Extended>
ReCalcResult ReCalcAs(CellGrid& needed, CellGrid& staff,
                      const RegionalSettings& settings = GetRegionalSettings());
inline ReCalcResult ReCalc(CellGrid& needed, CellGrid& staff,
                           const RegionalSettings& settings = GetRegionalSettings()) {
  return ReCalcAs(needed, staff, settings);
}

}  // namespace calc
