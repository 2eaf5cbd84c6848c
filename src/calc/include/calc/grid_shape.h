#pragma once

#include <array>
#include <string_view>

// The shape of the two grids. The recalculation reads each entry by its column's position, and
// the window builds the grids and writes their headings; both take the shape from here, so
// that the two can never disagree on which column holds what. Row 0 holds the headings.
namespace calc {

// The shifts the week needs, one row for each kind of shift.
namespace needed_grid {
inline constexpr int kDescription = 0;
inline constexpr int kShifts = 1;     // how many such shifts the week has
inline constexpr int kEmployees = 2;  // how many employees each shift takes
inline constexpr int kStart = 3;
inline constexpr int kEnd = 4;
inline constexpr int kTotal = 5;  // the row's man-hours
inline constexpr std::array<std::string_view, 6> kHeadings{"Shift Desc", "#",        "#Emp",
                                                           "Start Time", "End Time", "Total Hrs"};
inline constexpr int kColCount = static_cast<int>(kHeadings.size());
inline constexpr int kRowCount = 15;  // the heading row and 14 data rows
}  // namespace needed_grid

// The staff available, one row for each group of employees who work the same weekly hours.
namespace staff_grid {
inline constexpr int kDescription = 0;
inline constexpr int kEmployees = 1;
inline constexpr int kHours = 2;  // the weekly hours of each employee of the group
inline constexpr int kTotal = 3;  // the row's man-hours
inline constexpr std::array<std::string_view, 4> kHeadings{"Group Desc", "#Emp", "Hrs / Wk",
                                                           "Total Hrs"};
inline constexpr int kColCount = static_cast<int>(kHeadings.size());
inline constexpr int kRowCount = 10;  // the heading row and 9 data rows
}  // namespace staff_grid

}  // namespace calc
