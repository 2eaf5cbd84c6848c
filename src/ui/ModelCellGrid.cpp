#include "ui/ModelCellGrid.h"

#include <stdexcept>

namespace ui {

void ModelCellGrid::Check(int col, int row) const {
  if (!cells_->Contains(col, row)) {
    throw std::out_of_range("cell outside the grid");
  }
}

std::string ModelCellGrid::Cell(int col, int row) const {
  Check(col, row);
  return cells_->Cell(col, row).toStdString();
}

void ModelCellGrid::SetCell(int col, int row, std::string text) {
  Check(col, row);
  cells_->SetCell(col, row, QString::fromStdString(text));
}

}  // namespace ui
