// The recalculation over a needed and a staff grid of the window's size, their cells typed from
// the fuzzer's input, under regional settings from its first line. Each further line types one
// cell: "N31=9a" puts "9a" into column 3, row 1 of the needed grid; "S22=37.5" puts "37.5" into
// column 2, row 2 of the staff grid. Both backends must agree on every run, and a second run
// over what a successful run wrote must repeat it except where the planner's entries were more
// precise than their rewritten form.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "calc/cell_grid.h"
#include "calc/errors.h"
#include "calc/grid_shape.h"
#include "calc/number_text.h"
#include "calc/recalc.h"
#include "calc/time_text.h"
#include "fuzz_support.h"
#include "second_run.h"

namespace {

using calc::MemoryCellGrid;
using fuzz::Native;
using fuzz::Require;
using fuzz::Soft;

namespace needed_grid = calc::needed_grid;
namespace staff_grid = calc::staff_grid;

struct Grids {
  MemoryCellGrid needed{needed_grid::kColCount, needed_grid::kRowCount};
  MemoryCellGrid staff{staff_grid::kColCount, staff_grid::kRowCount};

  friend bool operator==(const Grids&, const Grids&) = default;
};

void TypeCell(std::string_view line, Grids& grids) {
  constexpr std::size_t kTextStart = 4;
  if (line.size() < kTextStart - 1) {
    return;
  }
  const bool staff = line[0] == 'S' || line[0] == 's';
  MemoryCellGrid& grid = staff ? grids.staff : grids.needed;
  const auto col = static_cast<unsigned char>(line[1] - '0') % grid.ColCount();
  const auto row = static_cast<unsigned char>(line[2] - '1') % (grid.RowCount() - 1) + 1;
  grid.SetCell(col, row, std::string(line.substr(std::min(line.size(), kTextStart))));
}

Grids TypeGrids(std::string_view lines) {
  Grids grids;
  while (!lines.empty()) {
    const std::size_t end = lines.find('\n');
    TypeCell(lines.substr(0, end), grids);
    lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
  }
  return grids;
}

// Runs both backends on copies of `grids`; they must leave the same cells and answer alike.
calc::ReCalcResult RunBoth(Grids& grids, const calc::RegionalSettings& settings) {
  Grids soft = grids;
  const calc::ReCalcResult result = calc::ReCalcAs<Native>(grids.needed, grids.staff, settings);
  const calc::ReCalcResult softResult = calc::ReCalcAs<Soft>(soft.needed, soft.staff, settings);
  Require(result == softResult && grids == soft, "both backends recalculate alike",
          result.message + " / " + softResult.message);
  return result;
}

void CheckResultShape(const calc::ReCalcResult& result) {
  if (!result.ok) {
    Require(result.hrsNeeded == "ERROR" && result.hrsAvail == "ERROR" &&
                result.message == "ERROR" && result.messageColour == calc::kRed,
            "a failed run shows ERROR in red");
    return;
  }
  const bool extra =
      result.message.starts_with("You have ") && result.message.ends_with(" extra man-hours");
  const bool short_ =
      result.message.starts_with("You need ") && result.message.ends_with(" more man-hours");
  Require((extra && result.messageColour == calc::kBrightGreen) ||
              (short_ && result.messageColour == calc::kRed),
          "the verdict is a sentence in its colour", result.message);
}

// Descriptions and the rows that take no part are never written.
void CheckUntouched(const MemoryCellGrid& typed, const MemoryCellGrid& after) {
  for (int row = 1; row < typed.RowCount(); ++row) {
    const bool takesPart = calc::RowHasData(typed, row);
    for (int col = 0; col < typed.ColCount(); ++col) {
      Require(after.Cell(col, row) == typed.Cell(col, row) || (takesPart && col != 0),
              "a run writes only the entries of rows that take part",
              std::to_string(col) + ", " + std::to_string(row));
    }
  }
}

void RequireSameExceptTotals(const MemoryCellGrid& first, const MemoryCellGrid& second,
                             int totalCol, const std::set<int>& mayChange) {
  for (int row = 1; row < first.RowCount(); ++row) {
    for (int col = 0; col < first.ColCount(); ++col) {
      Require(second.Cell(col, row) == first.Cell(col, row) ||
                  (col == totalCol && mayChange.contains(row)),
              "a second run rewrites every cell as the first did",
              std::to_string(col) + ", " + std::to_string(row) + ": " +
                  fuzz::Escaped(first.Cell(col, row)) + " then " +
                  fuzz::Escaped(second.Cell(col, row)));
    }
  }
}

void CheckSecondRun(const Grids& typed, const Grids& first, const calc::ReCalcResult& firstResult,
                    const calc::RegionalSettings& settings) {
  const std::set<int> neededChanging =
      calc::second_run::NeededRowsThatMayChange(typed.needed, first.needed, settings);
  const std::set<int> staffChanging =
      calc::second_run::StaffRowsThatMayChange(typed.staff, first.staff, settings);
  Grids second = first;
  const calc::ReCalcResult secondResult = RunBoth(second, settings);
  Require(secondResult.ok, "a second run over a successful run's cells succeeds");
  RequireSameExceptTotals(first.needed, second.needed, needed_grid::kTotal, neededChanging);
  RequireSameExceptTotals(first.staff, second.staff, staff_grid::kTotal, staffChanging);
  Require(!neededChanging.empty() || !staffChanging.empty() || secondResult == firstResult,
          "a second run repeats the first's results",
          firstResult.message + " / " + secondResult.message);
  Grids third = second;
  Require(RunBoth(third, settings) == secondResult && third == second,
          "a third run changes nothing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  calc::RegionalSettings settings;
  const std::string_view lines = fuzz::TakeSettingsLine(fuzz::BeginInput(data, size), settings);
  const Grids typed = TypeGrids(lines);
  Grids first = typed;
  const calc::ReCalcResult result = RunBoth(first, settings);
  CheckResultShape(result);
  CheckUntouched(typed.needed, first.needed);
  CheckUntouched(typed.staff, first.staff);
  if (result.ok && fuzz::RenderingsReadBack(settings)) {
    CheckSecondRun(typed, first, result, settings);
  }
  return 0;
}
