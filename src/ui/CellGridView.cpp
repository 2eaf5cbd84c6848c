#include "ui/CellGridView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>
#include <cstdlib>

#include "ui/CellDelegate.h"
#include "ui/GridHeading.h"
#include "ui/VetoSelectionModel.h"

namespace ui {
namespace {

constexpr int kLine = kGridLineWidth;

}  // namespace

CellGridView::CellGridView(CellTextModel& cells, QWidget* parent)
    : QTableView(parent), cells_(cells) {
  setHorizontalHeader(new GridHeading(this));
  setModel(&cells_);
  selection_ = new VetoSelectionModel(
      &cells_, [this](const QModelIndex& target) { return AskSelectCell(target); }, this);
  setSelectionModel(selection_);
  setItemDelegate(new CellDelegate(
      [this](QLineEdit* editor) {
        editor_ = editor;
        editor->installEventFilter(this);
      },
      this));

  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setShowGrid(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  connect(horizontalHeader(), &QHeaderView::sectionMoved, this, &CellGridView::ColumnDragged);

  if (cells_.RowCount() > 1 && cells_.ColCount() > 0) {
    selection_->PlaceCurrent(IndexOf(anchor_));
    selection_->select(IndexOf(anchor_), QItemSelectionModel::ClearAndSelect);
  }
}

// On a scaled display a cell's edges fall between device pixels; the repaint of the cell left
// takes in its neighbours' edges, or part of its focus rectangle would stay behind.
void CellGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (previous.isValid()) {
    viewport()->update(visualRect(previous).adjusted(-kLine, -kLine, kLine, kLine));
  }
}

void CellGridView::SetColumnWidths(const std::vector<int>& widths) {
  const int count = std::min(static_cast<int>(widths.size()), cells_.ColCount());
  for (int col = 0; col < count; ++col) {
    horizontalHeader()->resizeSection(col, widths[static_cast<std::size_t>(col)] + kLine);
  }
}

void CellGridView::SetRowHeight(int height) {
  verticalHeader()->setMinimumSectionSize(kLine);
  verticalHeader()->setDefaultSectionSize(height + kLine);
  horizontalHeader()->setFixedHeight(height + kLine);
}

CellPos CellGridView::CurrentCell() const {
  return CellTextModel::PosOf(currentIndex());
}

void CellGridView::SetCurrentRow(int row) {
  MoveTo({CurrentCell().col, row}, false);
}

void CellGridView::SetCurrentColumn(int col) {
  MoveTo({col, CurrentCell().row}, false);
}

GridExtent CellGridView::Extent() const {
  GridExtent extent;
  extent.lastCol = cells_.ColCount() - 1;
  extent.lastRow = cells_.RowCount() - 1;
  const int width = viewport()->width();
  const int height = viewport()->height();
  int visibleCols = 0;
  for (int col = 0; col < cells_.ColCount(); ++col) {
    const int left = columnViewportPosition(col);
    visibleCols += left >= 0 && left + columnWidth(col) <= width ? 1 : 0;
  }
  int visibleRows = 0;
  extent.topVisibleRow = extent.bottomVisibleRow = CurrentCell().row;
  for (int item = 0; item < cells_.rowCount(); ++item) {
    const int top = rowViewportPosition(item);
    if (top >= 0 && top + rowHeight(item) <= height) {
      const int row = CellTextModel::DataRow(item);
      extent.topVisibleRow = visibleRows++ == 0 ? row : extent.topVisibleRow;
      extent.bottomVisibleRow = row;
    }
  }
  extent.colStep = std::max(1, visibleCols - 1);
  extent.rowStep = std::max(1, visibleRows - 1);
  return extent;
}

bool CellGridView::AskSelectCell(const QModelIndex& target) {
  bool allow = true;
  if (onSelectCell_) {
    const CellPos pos = CellTextModel::PosOf(target);
    onSelectCell_(this, pos.col, pos.row, allow);
  }
  return allow;
}

bool CellGridView::MoveTo(CellPos target, bool extendRange) {
  if (target == CurrentCell() || target.row < 1 || !cells_.Contains(target.col, target.row)) {
    return false;
  }
  selection_->setCurrentIndex(IndexOf(target), QItemSelectionModel::NoUpdate);
  if (CurrentCell() != target) {
    RefocusEditor();
    return false;
  }
  if (!extendRange) {
    anchor_ = target;
  }
  const QModelIndex topLeft =
      IndexOf({std::min(anchor_.col, target.col), std::min(anchor_.row, target.row)});
  const QModelIndex bottomRight =
      IndexOf({std::max(anchor_.col, target.col), std::max(anchor_.row, target.row)});
  selection_->select(QItemSelection(topLeft, bottomRight), QItemSelectionModel::ClearAndSelect);
  return true;
}

void CellGridView::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index.isValid()) {
    const CellPos target = CellTextModel::PosOf(index);
    if (target == CurrentCell()) {
      OpenEditor(Caret::SelectAll);
    } else {
      MoveTo(target, false);
    }
  }
  RefocusEditor();
  event->accept();
}

void CellGridView::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

// Dragging over cells selects nothing: ranges come from Shift with the keys only.
void CellGridView::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() == Qt::NoButton) {
    QTableView::mouseMoveEvent(event);
  }
}

void CellGridView::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
}

void CellGridView::wheelEvent(QWheelEvent* event) {
  constexpr int kNotch = QWheelEvent::DefaultDeltasPerStep;
  wheelRemainder_ += event->angleDelta().y();
  while (std::abs(wheelRemainder_) >= kNotch) {
    const bool down = wheelRemainder_ < 0;
    wheelRemainder_ += down ? kNotch : -kNotch;
    const CellPos target =
        MoveTarget(CurrentCell(), down ? CellMove::Down : CellMove::Up, Extent());
    if (!MoveTo(target, false)) {
      wheelRemainder_ = 0;
    }
  }
  event->accept();
}

// The model moves the data, so that whoever reads the grid by position finds the dragged
// column where it was dropped; the heading goes back to showing sections in model order.
void CellGridView::ColumnDragged(int /*logical*/, int oldVisual, int newVisual) {
  CloseEditor();
  QHeaderView* heading = horizontalHeader();
  std::vector<int> widths;
  for (int position = 0; position < cells_.ColCount(); ++position) {
    widths.push_back(heading->sectionSize(heading->logicalIndex(position)));
  }
  {
    const QSignalBlocker quiet(heading);
    heading->moveSection(newVisual, oldVisual);
  }
  cells_.MoveColumn(oldVisual, newVisual);
  for (int col = 0; col < cells_.ColCount(); ++col) {
    heading->resizeSection(col, widths[static_cast<std::size_t>(col)]);
  }
  const CellPos current = CurrentCell();
  anchor_ = {ColumnAfterMove(current.col, oldVisual, newVisual), current.row};
  selection_->PlaceCurrent(IndexOf(anchor_));
  selection_->select(IndexOf(anchor_), QItemSelectionModel::ClearAndSelect);
  updateGeometries();
  viewport()->update();
}

}  // namespace ui
