// Settings passed to a conversion rule it alone: the process-wide ones stay as they were.

#include <gtest/gtest.h>

#include <string>

#include "calc/calc.h"

namespace calc {
namespace {

struct OddSettingsCase {
  RegionalSettings settings;
  std::string grouped;    // 1234567.5 rendered
  std::string ungrouped;  // the same without grouping
  std::string time;       // 21:30 rendered
};

TEST(SettingsArgument, EveryConversionUsesTheGivenSettings) {
  const OddSettingsCase cases[] = {
      {{"?", "\xE2\x80\xAF", ":", "am", "pm"},
       "1\xE2\x80\xAF"
       "234\xE2\x80\xAF"
       "567?5",
       "1234567?5",
       "9:30 pm"},
      {{"\xC3\xB7", "\xC2\xA0\xC2\xA0", "h", "AM", "PM"},
       "1\xC2\xA0\xC2\xA0"
       "234\xC2\xA0\xC2\xA0"
       "567\xC3\xB7"
       "5",
       "1234567\xC3\xB7"
       "5",
       "9h30 pm"},
  };
  for (const OddSettingsCase& c : cases) {
    SCOPED_TRACE(c.grouped);
    EXPECT_EQ(FormatHours(1234567.5, c.settings), c.grouped);
    EXPECT_EQ(FormatHoursUngrouped(1234567.5, c.settings), c.ungrouped);
    EXPECT_EQ(NarrowToDouble(ParseReal(c.ungrouped, c.settings)), 1234567.5);
    EXPECT_THROW(ParseReal("1234567.5", c.settings), EConvertError);
    EXPECT_EQ(FormatTime(ParseTime("9:30 pm"), c.settings), c.time);
    EXPECT_EQ(ParseTime(c.time, c.settings), ParseTime("9:30 pm"));

    MemoryCellGrid needed(needed_grid::kColCount, 2);
    MemoryCellGrid staff(staff_grid::kColCount, 2);
    staff.SetCell(staff_grid::kEmployees, 1, "2");
    staff.SetCell(staff_grid::kHours, 1, c.ungrouped);
    const ReCalcResult result = ReCalc(needed, staff, c.settings);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(staff.Cell(staff_grid::kHours, 1), c.ungrouped);
    EXPECT_EQ(result.hrsAvail, FormatHours(2469135.0, c.settings));
  }
  EXPECT_EQ(GetRegionalSettings(), RegionalSettings{});
}

}  // namespace
}  // namespace calc
