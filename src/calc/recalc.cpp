#include "calc/recalc.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#include "calc/errors.h"
#include "calc/grid_shape.h"
#include "calc/number_text.h"
#include "calc/time_text.h"
#include "detail/arithmetic.h"
#include "detail/fp_environment.h"
#include "detail/not_valid.h"
#include "detail/time_entry.h"

namespace calc {
namespace {

// The magnitude of the lowest 32-bit number does not fit 32 bits; a wrapped negative count
// would give plainly wrong man-hours, and a widened one would be written back as a text the
// next run cannot read, so such an entry counts as unreadable.
std::int32_t Magnitude(std::int32_t value, const std::string& text) {
  if (value == std::numeric_limits<std::int32_t>::min()) {
    FailNotValid(text, "integer value");
  }
  return value < 0 ? -value : value;
}

// One recalculation: the error flag and the two totals live exactly as long as the run.
template <ExtendedArithmetic Real>
class Recalculation {
 public:
  explicit Recalculation(const RegionalSettings& settings) : settings_(settings) {}

  ReCalcResult Run(CellGrid& needed, CellGrid& staff) {
    for (int row = 1; row < needed.RowCount(); ++row) {
      if (RowHasData(needed, row)) {
        NeededRow(needed, row);
      }
    }
    for (int row = 1; row < staff.RowCount(); ++row) {
      if (RowHasData(staff, row)) {
        StaffRow(staff, row);
      }
    }
    return Verdict();
  }

 private:
  // A failed conversion, or a stored value beyond the double range, abandons the rest of the
  // step and marks the whole run as failed; the loops carry on.
  template <class Step>
  void RunOrMarkFailed(Step&& step) {
    try {
      step();
    } catch (const Exception&) {
      error_ = true;
    }
  }

  void NeededRow(CellGrid& grid, int row) {
    std::int32_t count = 0;
    std::int32_t employees = 0;
    std::optional<double> start;
    std::optional<double> end;
    RunOrMarkFailed([&] { count = NormaliseCount(grid, needed_grid::kShifts, row); });
    RunOrMarkFailed([&] { employees = NormaliseCount(grid, needed_grid::kEmployees, row); });
    if (error_) {
      return;
    }
    RunOrMarkFailed([&] { start = NormaliseTime(grid, needed_grid::kStart, row); });
    if (error_) {
      return;
    }
    RunOrMarkFailed([&] { end = NormaliseTime(grid, needed_grid::kEnd, row); });
    if (error_) {
      return;
    }
    // Both counts lie within 0 to 2^31 - 1, so their product is exact in 64 bits.
    const std::int64_t shifts = std::int64_t{count} * std::int64_t{employees};
    const double shiftHours = start && end ? ShiftHours(*start, *end) : 0.0;
    RunOrMarkFailed([&] {
      AddManHours(grid, needed_grid::kTotal, row, Real(shifts) * Real(shiftHours), totalNeeded_);
    });
  }

  void StaffRow(CellGrid& grid, int row) {
    std::int32_t employees = 0;
    double hours = 0.0;
    RunOrMarkFailed([&] { employees = NormaliseCount(grid, staff_grid::kEmployees, row); });
    RunOrMarkFailed([&] { hours = NormaliseHours(grid, staff_grid::kHours, row); });
    if (error_) {
      return;
    }
    RunOrMarkFailed([&] {
      AddManHours(grid, staff_grid::kTotal, row, Real(employees) * Real(hours), totalAvailable_);
    });
  }

  static std::int32_t NormaliseCount(CellGrid& grid, int col, int row) {
    const std::string text = grid.Cell(col, row);
    const std::int32_t count = Magnitude(text.empty() ? 0 : ParseWholeNumber(text), text);
    grid.SetCell(col, row, FormatWholeNumber(count));
    return count;
  }

  // Written back without thousands separators, so that the next run can read it again. The
  // fifteen digits of the scientific form round the largest doubles past the double range;
  // such hours fail here like hours beyond it, rather than leave a text the next run cannot read.
  double NormaliseHours(CellGrid& grid, int col, int row) {
    const std::string text = grid.Cell(col, row);
    const double hours = text.empty() ? 0.0 : ReadHours(text);
    const std::string rewritten = FormatHoursUngroupedAs<Real>(Real(hours), settings_);
    ReadHours(rewritten);
    grid.SetCell(col, row, rewritten);
    return hours;
  }

  double ReadHours(const std::string& text) {
    return std::fabs(NarrowToDoubleAs<Real>(ParseRealAs<Real>(text, settings_)));
  }

  // An empty cell is written as midnight directly rather than read from a literal text, which
  // a time separator other than ":" could not read; it gives no time, so the row counts no
  // hours in this run. An unreadable entry fails as its repaired text does.
  std::optional<double> NormaliseTime(CellGrid& grid, int col, int row) {
    const std::string typed = grid.Cell(col, row);
    std::optional<double> timeOfDay;
    if (!typed.empty()) {
      timeOfDay = TryReadTimeEntry<Real>(typed, settings_);
      if (!timeOfDay) {
        FailNotValid(FixTime(typed), "time");
      }
    }
    grid.SetCell(col, row, FormatTimeAs<Real>(timeOfDay.value_or(0.0), settings_));
    return timeOfDay;
  }

  // Equal times make a full day; an end before the start runs past midnight.
  static double ShiftHours(double start, double end) {
    if (start == end) {
      return 24.0;
    }
    const Real span = start < end ? Real(end) - Real(start) : (Real(1) - Real(start)) + Real(end);
    return NarrowToDoubleAs<Real>(span * Real(24));
  }

  // Nothing is written unless both the row's man-hours and the new total fit a double.
  void AddManHours(CellGrid& grid, int col, int row, Real manHours, double& total) {
    const double rowHours = NarrowToDoubleAs<Real>(manHours);
    const double newTotal = NarrowToDoubleAs<Real>(Real(total) + Real(rowHours));
    grid.SetCell(col, row, FormatHoursAs<Real>(Real(rowHours), settings_));
    total = newTotal;
  }

  ReCalcResult Verdict() const {
    if (error_) {
      return {false, "ERROR", "ERROR", "ERROR", kRed};
    }
    ReCalcResult result{true, FormatHoursAs<Real>(Real(totalNeeded_), settings_),
                        FormatHoursAs<Real>(Real(totalAvailable_), settings_), "", kBrightGreen};
    const double difference = NarrowToDoubleAs<Real>(Real(totalAvailable_) - Real(totalNeeded_));
    if (difference >= 0) {
      result.message =
          "You have " + FormatHoursAs<Real>(Real(difference), settings_) + " extra man-hours";
    } else {
      result.message =
          "You need " + FormatHoursAs<Real>(Real(-difference), settings_) + " more man-hours";
      result.messageColour = kRed;
    }
    return result;
  }

  const RegionalSettings& settings_;
  bool error_ = false;
  double totalNeeded_ = 0.0;
  double totalAvailable_ = 0.0;
};

// The column count that ReCalc requires covers every column the run reads or writes.
static_assert(needed_grid::kTotal < needed_grid::kColCount);
static_assert(staff_grid::kTotal < staff_grid::kColCount);

void RequireColumns(const CellGrid& grid, int minimum, const char* name) {
  if (grid.ColCount() < minimum) {
    throw std::invalid_argument(std::string("The ") + name + " grid needs at least " +
                                std::to_string(minimum) + " columns");
  }
}

}  // namespace

bool RowHasData(const CellGrid& grid, int row) {
  for (int col = 1; col < grid.ColCount(); ++col) {
    if (!TrimBlanks(grid.Cell(col, row)).empty()) {
      return true;
    }
  }
  return false;
}

template <ExtendedArithmetic Real>
ReCalcResult ReCalcAs(CellGrid& needed, CellGrid& staff, const RegionalSettings& settings) {
  const DefaultFloatingPointModes floatingPointModes;
  const ArithmeticScope<Real> arithmetic;
  RequireColumns(needed, needed_grid::kColCount, "needed");
  RequireColumns(staff, staff_grid::kColCount, "staff");
  return Recalculation<Real>(settings).Run(needed, staff);
}

#define INSTANTIATE(Real) \
  template ReCalcResult ReCalcAs<Real>(CellGrid&, CellGrid&, const RegionalSettings&);
SHIFTMETER_FOR_EACH_ARITHMETIC_TYPE(INSTANTIATE)
#undef INSTANTIATE

}  // namespace calc
