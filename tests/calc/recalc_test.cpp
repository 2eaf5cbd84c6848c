#include "calc/recalc.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "calc/cell_grid.h"
#include "calc/grid_shape.h"
#include "number_test_support.h"

namespace calc {

void PrintTo(const ReCalcResult& result, std::ostream* out) {
  *out << (result.ok ? "ok" : "failed") << " '" << result.hrsNeeded << "' '" << result.hrsAvail
       << "' '" << result.message << "' rgb(" << int{result.messageColour.r} << ","
       << int{result.messageColour.g} << "," << int{result.messageColour.b} << ")";
}

namespace {

using Cells = std::vector<std::string>;

void SetRow(CellGrid& grid, int row, const Cells& cells) {
  for (std::size_t col = 0; col < cells.size(); ++col) {
    grid.SetCell(static_cast<int>(col), row, cells[col]);
  }
}

Cells Row(const CellGrid& grid, int row) {
  Cells cells;
  for (int col = 0; col < grid.ColCount(); ++col) {
    cells.push_back(grid.Cell(col, row));
  }
  return cells;
}

ReCalcResult Surplus(const std::string& needed, const std::string& available,
                     const std::string& difference) {
  return {true, needed, available, "You have " + difference + " extra man-hours", kBrightGreen};
}

ReCalcResult Shortfall(const std::string& needed, const std::string& available,
                       const std::string& difference) {
  return {true, needed, available, "You need " + difference + " more man-hours", kRed};
}

const ReCalcResult kError{false, "ERROR", "ERROR", "ERROR", kRed};

template <class Real>
class ReCalcTest : public ::testing::Test {
 protected:
  ReCalcResult Run() { return ReCalcAs<Real>(needed_, staff_, settings_); }

  RegionalSettings settings_;
  MemoryCellGrid needed_{needed_grid::kColCount, needed_grid::kRowCount};
  MemoryCellGrid staff_{staff_grid::kColCount, staff_grid::kRowCount};
};
TYPED_TEST_SUITE(ReCalcTest, testing::ArithmeticTypes, testing::ArithmeticTypeNames);

TYPED_TEST(ReCalcTest, EmptyGridsShowZeroTotalsAndAGreenSurplus) {
  const MemoryCellGrid untouched = this->needed_;
  EXPECT_EQ(this->Run(), Surplus("0", "0", "0"));
  EXPECT_EQ(this->needed_, untouched);
}

TYPED_TEST(ReCalcTest, RowsWithOnlyADescriptionOrControlCharactersAreIgnored) {
  SetRow(this->needed_, 1, {"Night shift"});
  SetRow(this->needed_, 2, {"", " ", "\t", "\r\n", "", "\x1F"});
  SetRow(this->staff_, 1, {"Drivers", " "});
  SetRow(this->needed_, 0, {"Shift Desc", "#", "junk", "never", "read", "here"});
  const MemoryCellGrid needed = this->needed_;
  const MemoryCellGrid staff = this->staff_;
  EXPECT_EQ(this->Run(), Surplus("0", "0", "0"));
  EXPECT_EQ(this->needed_, needed);
  EXPECT_EQ(this->staff_, staff);
}

TYPED_TEST(ReCalcTest, NeededRowIsNormalisedAndItsManHoursWritten) {
  const struct {
    Cells typed;
    Cells rewritten;
  } cases[] = {
      {{"", "5", "2", "9:00 am", "5:00 pm"}, {"", "5", "2", "9:00 am", "5:00 pm", "80"}},
      {{"", "1", "1", "10:00 pm", "6:00 am"}, {"", "1", "1", "10:00 pm", "6:00 am", "8"}},
      {{"", "1", "1", "8:00 am", "8:00 am"}, {"", "1", "1", "8:00 am", "8:00 am", "24"}},
      {{"", "-3", "", "9a", "5p"}, {"", "3", "0", "9:00 am", "5:00 pm", "0"}},
      {{"", "+007", "$2", " 9 : 15 ", "17:45"}, {"", "7", "2", "9:15 am", "5:45 pm", "119"}},
      {{"", "1", "1", "9:00:30", "17:00"}, {"", "1", "1", "9:00 am", "5:00 pm", "7.99"}},
      // 48 x 13:13:22.125 is 634.695 exactly; only extended working values land below it.
      {{"", "6", "8", "7:17:32.875", "20:30:55"}, {"", "6", "8", "7:17 am", "8:30 pm", "634.69"}},
      {{"", "3", "1", "11:50 pm", "12:10 am"}, {"", "3", "1", "11:50 pm", "12:10 am", "1"}},
      {{"", "", "", "", "", "80"}, {"", "0", "0", "12:00 am", "12:00 am", "0"}},
      {{"", "2147483647", "2147483647", "0:00", "0:00"},
       {"", "2147483647", "2147483647", "12:00 am", "12:00 am", "1.10680464339178E20"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed[1] + " " + c.typed[3] + " " + c.typed[4]);
    this->needed_ = MemoryCellGrid(needed_grid::kColCount, 2);
    SetRow(this->needed_, 1, c.typed);
    const ReCalcResult result = this->Run();
    EXPECT_EQ(Row(this->needed_, 1), c.rewritten);
    const std::string& total = c.rewritten[5];
    EXPECT_EQ(result, total == "0" ? Surplus("0", "0", "0") : Shortfall(total, "0", total));
  }
}

TYPED_TEST(ReCalcTest, StaffRowIsNormalisedAndItsManHoursWritten) {
  const struct {
    Cells typed;
    Cells rewritten;
    const char* available;
  } cases[] = {
      {{"Drivers", "3", "37.5"}, {"Drivers", "3", "37.5", "112.5"}, "112.5"},
      {{"", "-2", "-40"}, {"", "2", "40", "80"}, "80"},
      {{"", "", "", "112.5"}, {"", "0", "0", "0"}, "0"},
      {{"", "1", " 3.75e1 "}, {"", "1", "37.5", "37.5"}, "37.5"},
      {{"", "1", "1000"}, {"", "1", "1000", "1,000"}, "1,000"},
      {{"", "2", "1234.5"}, {"", "2", "1234.5", "2,469"}, "2,469"},
      {{"", "3", "37.125"}, {"", "3", "37.13", "111.38"}, "111.38"},
      {{"", "1", "1e308"}, {"", "1", "1E308", "1E308"}, "1E308"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed[2]);
    this->staff_ = MemoryCellGrid(staff_grid::kColCount, 2);
    SetRow(this->staff_, 1, c.typed);
    EXPECT_EQ(this->Run(), Surplus("0", c.available, c.available));
    EXPECT_EQ(Row(this->staff_, 1), c.rewritten);
  }
}

TYPED_TEST(ReCalcTest, VerdictComparesTheTotalsAndGroupsThousands) {
  SetRow(this->needed_, 1, {"", "5", "2", "9:00 am", "5:00 pm"});
  SetRow(this->staff_, 1, {"", "3", "37.5"});
  EXPECT_EQ(this->Run(), Surplus("80", "112.5", "32.5"));

  SetRow(this->needed_, 2, {"", "5", "1", "9:00 am", "5:00 pm"});
  SetRow(this->staff_, 1, {"", "2", "40"});
  EXPECT_EQ(this->Run(), Shortfall("120", "80", "40"));

  SetRow(this->needed_, 3, {"", "28", "5", "9:00 am", "5:00 pm"});
  SetRow(this->staff_, 2, {"", "1", "1160"});
  EXPECT_EQ(this->Run(), Surplus("1,240", "1,240", "0"));
  EXPECT_EQ(this->staff_.Cell(2, 2), "1160");
}

TYPED_TEST(ReCalcTest, EmptyTimeCountsNoHoursUntilTheNextRunReadsItAsMidnight) {
  SetRow(this->needed_, 1, {"", "5", "2"});
  SetRow(this->needed_, 2, {"", "1", "1", "9:00 am"});
  EXPECT_EQ(this->Run(), Surplus("0", "0", "0"));
  EXPECT_EQ(Row(this->needed_, 1), (Cells{"", "5", "2", "12:00 am", "12:00 am", "0"}));
  EXPECT_EQ(Row(this->needed_, 2), (Cells{"", "1", "1", "9:00 am", "12:00 am", "0"}));

  EXPECT_EQ(this->Run(), Shortfall("255", "0", "255"));
  EXPECT_EQ(this->needed_.Cell(5, 1), "240");
  EXPECT_EQ(this->needed_.Cell(5, 2), "15");
}

TYPED_TEST(ReCalcTest, TypedSecondsCountOnlyInTheRunThatReadsThem) {
  SetRow(this->needed_, 1, {"", "1", "1", "9:00:30.500", "17:00"});
  EXPECT_EQ(this->Run(), Shortfall("7.99", "0", "7.99"));
  EXPECT_EQ(this->needed_.Cell(3, 1), "9:00 am");
  EXPECT_EQ(this->Run(), Shortfall("8", "0", "8"));
}

TYPED_TEST(ReCalcTest, ErrorInRowTwoStillNormalisesCountsBelowButNoTimesOrTotals) {
  SetRow(this->needed_, 1, {"", "1", "1", "9a", "5p"});
  SetRow(this->needed_, 2, {"", "abc", "-2", "9a", "5p", "old"});
  SetRow(this->needed_, 3, {"", "-4", "+5", "9a", "5p", "old"});
  SetRow(this->staff_, 1, {"", "-3", "037.50", "old"});
  EXPECT_EQ(this->Run(), kError);
  EXPECT_EQ(Row(this->needed_, 1), (Cells{"", "1", "1", "9:00 am", "5:00 pm", "8"}));
  EXPECT_EQ(Row(this->needed_, 2), (Cells{"", "abc", "2", "9a", "5p", "old"}));
  EXPECT_EQ(Row(this->needed_, 3), (Cells{"", "4", "5", "9a", "5p", "old"}));
  EXPECT_EQ(Row(this->staff_, 1), (Cells{"", "3", "37.5", "old"}));
}

TYPED_TEST(ReCalcTest, UnreadableEntryKeepsItsTextAndEndsInError) {
  const struct {
    bool neededGrid;
    int col;
    std::string text;
  } cases[] = {
      {true, 1, "   "},       {true, 2, "1.5"},         {true, 3, "   "},
      {true, 4, "apple"},     {true, 3, "9:30 P.M."},   {true, 1, "-2147483648"},
      {true, 2, "$80000000"}, {true, 1, "-$80000000"},  {false, 1, "-2147483648"},
      {false, 2, "  "},       {false, 2, "1,000"},      {false, 2, "1e400"},
      {false, 1, "12a"},      {false, 2, "37.5 hours"}, {false, 2, "\xFF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    this->needed_ = MemoryCellGrid(needed_grid::kColCount, 2);
    this->staff_ = MemoryCellGrid(staff_grid::kColCount, 2);
    SetRow(this->needed_, 1, {"", "1", "1", "9:00 am", "5:00 pm", "old"});
    SetRow(this->staff_, 1, {"", "1", "40", "old"});
    MemoryCellGrid& grid = c.neededGrid ? this->needed_ : this->staff_;
    grid.SetCell(c.col, 1, c.text);
    EXPECT_EQ(this->Run(), kError);
    EXPECT_EQ(grid.Cell(c.col, 1), c.text);
    EXPECT_EQ(grid.Cell(grid.ColCount() - 1, 1), "old");
  }
}

// Man-hours or a total beyond the double range fail the row like an unreadable entry: the
// "Total Hrs" cell keeps its text and the run answers false.
TYPED_TEST(ReCalcTest, ManHoursBeyondTheDoubleRangeEndInError) {
  SetRow(this->needed_, 1, {"", "2147483647", "2147483647", "8:00 am", "8:00 am", "old"});
  SetRow(this->staff_, 1, {"", "2", "1e308", "old"});
  SetRow(this->staff_, 2, {"", "-1", "-1e308", "old"});
  EXPECT_EQ(this->Run(), kError);
  EXPECT_EQ(this->needed_.Cell(5, 1), "1.10680464339178E20");
  EXPECT_EQ(Row(this->staff_, 1), (Cells{"", "2", "1E308", "old"}));
  EXPECT_EQ(Row(this->staff_, 2), (Cells{"", "1", "1E308", "old"}));

  SetRow(this->staff_, 1, {"", "1", "1e308", "old"});
  EXPECT_EQ(this->Run(), kError);
  EXPECT_EQ(Row(this->staff_, 1), (Cells{"", "1", "1E308", "1E308"}));
  EXPECT_EQ(Row(this->staff_, 2), (Cells{"", "1", "1E308", "old"}));

  this->staff_.SetCell(2, 2, "1e307");
  EXPECT_EQ(this->Run(), Surplus("1.10680464339178E20", "1.1E308", "1.1E308"));
}

// The rewritten form of the weekly hours has fifteen digits; for the largest doubles it rounds
// past the double range, so those hours fail like hours beyond it rather than leaving a cell
// that the next run cannot read.
TYPED_TEST(ReCalcTest, HoursWhoseRewrittenFormPassesTheDoubleRangeEndInError) {
  const struct {
    std::string typed;
    std::string rewritten;  // empty: the run fails and the cell keeps its text
  } cases[] = {
      {"1.79769313486231e308", "1.79769313486231E308"},
      {"1.797693134862315e308", "1.79769313486231E308"},
      {"1.7976931348623151e308", ""},
      {"1.7976931348623157e308", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    SetRow(this->staff_, 1, {"", "1", c.typed, "old"});
    const ReCalcResult first = this->Run();
    EXPECT_EQ(first.ok, !c.rewritten.empty());
    EXPECT_EQ(this->staff_.Cell(2, 1), c.rewritten.empty() ? c.typed : c.rewritten);
    EXPECT_EQ(this->Run(), first);
  }
}

TYPED_TEST(ReCalcTest, TooFewColumnsAreRejectedBeforeAnyCellIsTouched) {
  SetRow(this->needed_, 1, {"", "-1", "1", "9a", "5p"});
  const MemoryCellGrid needed = this->needed_;
  MemoryCellGrid narrowStaff(staff_grid::kColCount - 1, staff_grid::kRowCount);
  EXPECT_THROW(ReCalcAs<TypeParam>(this->needed_, narrowStaff), std::invalid_argument);
  EXPECT_EQ(this->needed_, needed);
  MemoryCellGrid narrowNeeded(needed_grid::kColCount - 1, needed_grid::kRowCount);
  EXPECT_THROW(ReCalcAs<TypeParam>(narrowNeeded, this->staff_), std::invalid_argument);
}

TYPED_TEST(ReCalcTest, GridsOfAnyNumberOfRowsAndExtraColumnsAreRead) {
  MemoryCellGrid headingsOnly(needed_grid::kColCount, 1);
  MemoryCellGrid noRows(staff_grid::kColCount, 0);
  EXPECT_EQ(ReCalcAs<TypeParam>(headingsOnly, noRows), Surplus("0", "0", "0"));

  MemoryCellGrid tall(needed_grid::kColCount + 1, 100);
  for (int row = 1; row < 100; ++row) {
    SetRow(tall, row, {"", "1", "1", "9:00 am", "10:00 am"});
  }
  SetRow(tall, 50, {"", "", "", "", "", "", "note"});
  EXPECT_EQ(ReCalcAs<TypeParam>(tall, this->staff_), Shortfall("98", "0", "98"));
  EXPECT_EQ(Row(tall, 50), (Cells{"", "0", "0", "12:00 am", "12:00 am", "0", "note"}));
}

// Under Finnish settings an empty time cell still reads as midnight, and a time typed with
// the regional designator "ip." is read although the a/p repair spoils it.
TYPED_TEST(ReCalcTest, FinnishSettingsApplyToEveryCell) {
  this->settings_ = {",", "\xC2\xA0", ".", "ap.", "ip."};
  SetRow(this->needed_, 1, {"", "31", "5", "9.00", ""});
  SetRow(this->needed_, 2, {"", "1", "1", "17.30", "IP. 11.30"});
  SetRow(this->staff_, 1, {"", "2", "1234,5"});
  EXPECT_EQ(this->Run(), Surplus("6",
                                 "2\xC2\xA0"
                                 "469",
                                 "2\xC2\xA0"
                                 "463"));
  EXPECT_EQ(Row(this->needed_, 1), (Cells{"", "31", "5", "9.00 am", "12.00 am", "0"}));
  EXPECT_EQ(Row(this->needed_, 2), (Cells{"", "1", "1", "5.30 pm", "11.30 pm", "6"}));
  EXPECT_EQ(Row(this->staff_, 1), (Cells{"", "2", "1234,5",
                                         "2\xC2\xA0"
                                         "469"}));

  EXPECT_EQ(this->Run(), Surplus("2\xC2\xA0"
                                 "331",
                                 "2\xC2\xA0"
                                 "469",
                                 "138"));
  EXPECT_EQ(this->needed_.Cell(5, 1),
            "2\xC2\xA0"
            "325");
}

TYPED_TEST(ReCalcTest, KoreanDesignatorsAreReadBeforeOrAfterTheTime) {
  this->settings_ = {".", ",", ":", "오전", "오후"};
  SetRow(this->needed_, 1, {"", "1", "1", "오전 9:00", "5:30 오후"});
  EXPECT_EQ(this->Run(), Shortfall("8.5", "0", "8.5"));
  EXPECT_EQ(Row(this->needed_, 1), (Cells{"", "1", "1", "9:00 am", "5:30 pm", "8.5"}));
}

// Any bytes in any cell give a defined outcome; a huge entry is read in one pass and, when
// unreadable, kept whole.
TYPED_TEST(ReCalcTest, HugeCellsAreReadOrKeptWhole) {
  constexpr std::size_t kSize = 10U << 20U;
  SetRow(this->needed_, 1,
         {"", std::string(kSize, '0') + "5", "2", std::string(kSize, ' ') + "9a",
          "5:00 pm" + std::string(kSize, ' ')});
  SetRow(this->staff_, 1, {std::string(kSize, 'x'), "3", std::string(kSize, '0') + "37.5"});
  EXPECT_EQ(this->Run(), Surplus("80", "112.5", "32.5"));
  EXPECT_EQ(Row(this->needed_, 1), (Cells{"", "5", "2", "9:00 am", "5:00 pm", "80"}));
  EXPECT_EQ(this->staff_.Cell(2, 1), "37.5");

  const std::string junk(kSize, '\xFF');
  for (int col = 1; col < needed_grid::kColCount - 1; ++col) {
    this->needed_.SetCell(col, 2, junk);
  }
  this->staff_.SetCell(2, 2, junk);
  EXPECT_EQ(this->Run(), kError);
  EXPECT_EQ(Row(this->needed_, 2), (Cells{"", junk, junk, junk, junk, ""}));
  EXPECT_EQ(this->staff_.Cell(2, 2), junk);
}

}  // namespace
}  // namespace calc
