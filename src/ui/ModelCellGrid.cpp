#include "ui/ModelCellGrid.h"

namespace ui {

// The model reads an address outside it as empty text; to the calculation such an address is a
// failure, as it is in every grid.
std::string ModelCellGrid::Cell(int col, int row) const {
  RequireCell(col, row);
  return cells_->Cell(col, row).toStdString();
}

void ModelCellGrid::SetCell(int col, int row, std::string text) {
  RequireCell(col, row);
  cells_->SetCell(col, row, QString::fromStdString(text));
}

}  // namespace ui
