#pragma once

#include <string>

#include "calc/cell_grid.h"
#include "ui/CellTextModel.h"

namespace ui {

// The calculation's view of a grid on screen: cell texts as UTF-8, addressed by position, so a
// dragged column is read where it now stands.
class ModelCellGrid final : public calc::CellGrid {
 public:
  explicit ModelCellGrid(CellTextModel& cells) : cells_(&cells) {}

  int ColCount() const override { return cells_->ColCount(); }
  int RowCount() const override { return cells_->RowCount(); }
  std::string Cell(int col, int row) const override;
  void SetCell(int col, int row, std::string text) override;

 private:
  CellTextModel* cells_;
};

}  // namespace ui
