#include "ui/GridCells.h"

#include <stdexcept>

namespace ui {

void GridCells::Check(int col, int row) const {
  if (!cells_->Contains(col, row)) {
    throw std::out_of_range("cell outside the grid");
  }
}

std::string GridCells::Cell(int col, int row) const {
  Check(col, row);
  return cells_->Cell(col, row).toStdString();
}

void GridCells::SetCell(int col, int row, std::string text) {
  Check(col, row);
  cells_->SetCell(col, row, QString::fromStdString(text));
}

}  // namespace ui
