#include "ui_test_support.h"

#include <QApplication>
#include <QTest>

namespace ui_test {

void Press(int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
}

void Type(const QString& text) {
  for (const QChar character : text) {
    QTest::keyClick(QApplication::focusWidget(), character.toLatin1());
  }
}

QPoint CellCentre(const ui::CellGridView& grid, ui::CellPos cell) {
  return grid.visualRect(grid.Cells().IndexOf(cell.col, cell.row)).center();
}

void ClickCell(ui::CellGridView& grid, ui::CellPos cell) {
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, cell));
}

QStringList CellTexts(const ui::CellGridView& grid) {
  QStringList texts;
  for (int row = 0; row < grid.Cells().RowCount(); ++row) {
    for (int col = 0; col < grid.Cells().ColCount(); ++col) {
      texts.append(grid.Cells().Cell(col, row));
    }
  }
  return texts;
}

calc::MemoryCellGrid MemoryCopy(const ui::CellGridView& grid) {
  calc::MemoryCellGrid copy(grid.Cells().ColCount(), grid.Cells().RowCount());
  for (int row = 0; row < grid.Cells().RowCount(); ++row) {
    for (int col = 0; col < grid.Cells().ColCount(); ++col) {
      copy.SetCell(col, row, grid.Cells().Cell(col, row).toStdString());
    }
  }
  return copy;
}

ui::CellGridView* NeededGrid(const QObject& form) {
  return Find<ui::CellGridView>(form, "NeededHoursList");
}

ui::CellGridView* StaffGrid(const QObject& form) {
  return Find<ui::CellGridView>(form, "EmployeeHoursList");
}

}  // namespace ui_test
