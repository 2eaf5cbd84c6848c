#include "calc/cell_grid.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace calc {
namespace {

TEST(MemoryCellGrid, NeverWrittenCellReadsEmptyAndWrittenCellReadsBack) {
  MemoryCellGrid grid(6, 15);
  EXPECT_EQ(grid.ColCount(), 6);
  EXPECT_EQ(grid.RowCount(), 15);
  EXPECT_EQ(grid.Cell(5, 14), "");
  grid.SetCell(5, 14, "80");
  grid.SetCell(0, 0, "Shift Desc");
  EXPECT_EQ(grid.Cell(5, 14), "80");
  EXPECT_EQ(grid.Cell(0, 0), "Shift Desc");
  EXPECT_EQ(grid.Cell(4, 14), "");
  EXPECT_EQ(grid.Cell(5, 13), "");
}

TEST(MemoryCellGrid, CellOutsideTheGridThrowsOutOfRange) {
  MemoryCellGrid grid(4, 10);
  const int outside[][2] = {{-1, 0}, {0, -1}, {4, 0}, {0, 10}, {4, 10}};
  for (const auto& [col, row] : outside) {
    SCOPED_TRACE(testing::Message() << col << ", " << row);
    EXPECT_THROW(static_cast<void>(grid.Cell(col, row)), std::out_of_range);
    EXPECT_THROW(grid.SetCell(col, row, "x"), std::out_of_range);
  }
}

TEST(MemoryCellGrid, EmptyGridHoldsNoCellAndNegativeSizeIsRejected) {
  MemoryCellGrid empty(0, 0);
  EXPECT_THROW(static_cast<void>(empty.Cell(0, 0)), std::out_of_range);
  EXPECT_THROW(MemoryCellGrid(-1, 3), std::invalid_argument);
  EXPECT_THROW(MemoryCellGrid(3, -1), std::invalid_argument);
}

}  // namespace
}  // namespace calc
