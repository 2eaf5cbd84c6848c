#include "calc/cell_grid.h"

#include <stdexcept>
#include <utility>

namespace calc {

MemoryGrid::MemoryGrid(int cols, int rows) : cols_(cols), rows_(rows) {
  if (cols < 0 || rows < 0) {
    throw std::invalid_argument("A grid cannot have a negative number of columns or rows");
  }
  cells_.resize(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
}

std::string MemoryGrid::Cell(int col, int row) const {
  return cells_[Index(col, row)];
}

void MemoryGrid::SetCell(int col, int row, std::string text) {
  cells_[Index(col, row)] = std::move(text);
}

std::size_t MemoryGrid::Index(int col, int row) const {
  if (col < 0 || col >= cols_ || row < 0 || row >= rows_) {
    throw std::out_of_range("Cell (" + std::to_string(col) + ", " + std::to_string(row) +
                            ") lies outside the grid");
  }
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) +
         static_cast<std::size_t>(col);
}

}  // namespace calc
