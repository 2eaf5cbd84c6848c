#include "calc/cell_grid.h"

#include <stdexcept>
#include <utility>

namespace calc {

void CellGrid::RequireCell(int col, int row) const {
  if (!Contains(col, row)) {
    throw std::out_of_range("Cell (" + std::to_string(col) + ", " + std::to_string(row) +
                            ") lies outside the grid");
  }
}

MemoryCellGrid::MemoryCellGrid(int cols, int rows) : cols_(cols), rows_(rows) {
  if (cols < 0 || rows < 0) {
    throw std::invalid_argument("A grid cannot have a negative number of columns or rows");
  }
  cells_.resize(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
}

std::string MemoryCellGrid::Cell(int col, int row) const {
  return cells_[Index(col, row)];
}

void MemoryCellGrid::SetCell(int col, int row, std::string text) {
  cells_[Index(col, row)] = std::move(text);
}

std::size_t MemoryCellGrid::Index(int col, int row) const {
  RequireCell(col, row);
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) +
         static_cast<std::size_t>(col);
}

}  // namespace calc
