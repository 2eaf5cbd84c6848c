#include "second_run.h"

#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>

#include "detail/time_entry.h"

namespace calc::second_run {
namespace {

// The time a time cell counts as; nothing for an empty cell, which counts no hours.
std::optional<double> TimeOfCell(const std::string& typed, const RegionalSettings& settings) {
  return typed.empty() ? std::nullopt : TryReadTimeEntry<Extended>(typed, settings);
}

// Nothing when the text cannot be read as weekly hours.
std::optional<double> HoursOfCell(const std::string& text, const RegionalSettings& settings) {
  try {
    return text.empty() ? 0.0 : std::fabs(NarrowToDouble(ParseReal(text, settings)));
  } catch (const Exception&) {
    return std::nullopt;
  }
}

// A count of zero makes the row's man-hours zero, whatever its hours; the first run has
// rewritten every count of a row with data as plain digits.
bool CountsAreNonZero(const CellGrid& afterFirst, int row, std::initializer_list<int> countCols) {
  for (const int col : countCols) {
    if (ParseWholeNumber(afterFirst.Cell(col, row)) == 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::set<int> NeededRowsThatMayChange(const CellGrid& typed, const CellGrid& afterFirst,
                                      const RegionalSettings& settings) {
  std::set<int> rows;
  for (int row = 1; row < typed.RowCount(); ++row) {
    for (const int col : {needed_grid::kStart, needed_grid::kEnd}) {
      const std::optional<double> before = TimeOfCell(typed.Cell(col, row), settings);
      if (RowHasData(typed, row) &&
          CountsAreNonZero(afterFirst, row, {needed_grid::kShifts, needed_grid::kEmployees}) &&
          (!before || *before != TimeOfCell(afterFirst.Cell(col, row), settings))) {
        rows.insert(row);
      }
    }
  }
  return rows;
}

std::set<int> StaffRowsThatMayChange(const CellGrid& typed, const CellGrid& afterFirst,
                                     const RegionalSettings& settings) {
  std::set<int> rows;
  for (int row = 1; row < typed.RowCount(); ++row) {
    if (RowHasData(typed, row) && CountsAreNonZero(afterFirst, row, {staff_grid::kEmployees}) &&
        HoursOfCell(typed.Cell(staff_grid::kHours, row), settings) !=
            HoursOfCell(afterFirst.Cell(staff_grid::kHours, row), settings)) {
      rows.insert(row);
    }
  }
  return rows;
}

}  // namespace calc::second_run
