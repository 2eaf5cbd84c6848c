#include "ui/CellGridView.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cstdlib>

#include "ui/CellDelegate.h"
#include "ui/VetoSelectionModel.h"

namespace ui {
namespace {

constexpr int kLine = kGridLineWidth;

// The heading row: button face, the grid's text colour and grid lines like the cells.
class GridHeading : public QHeaderView {
 public:
  explicit GridHeading(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setSectionsMovable(true);
    setHighlightSections(false);
    setStretchLastSection(false);
    setMinimumSectionSize(kLine);
    setSectionResizeMode(QHeaderView::Interactive);
  }

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
    const QPalette& colours = palette();
    painter->save();
    painter->setFont(font());
    PaintCell(painter, rect, colours.color(QPalette::Button), colours.color(QPalette::Dark),
              colours.color(QPalette::Text),
              model()->headerData(logicalIndex, Qt::Horizontal).toString());
    painter->restore();
  }
};

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

bool CellGridView::HandleMoveKey(QKeyEvent* event, bool editorOpen) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  const std::optional<CellMove> move = MoveForKey(event->key(), modifiers, editorOpen);
  if (!move) {
    return false;
  }
  const GridExtent extent = Extent();
  const int oldColScroll = horizontalScrollBar()->value();
  const int oldRowScroll = verticalScrollBar()->value();
  const bool extend = (modifiers & Qt::ShiftModifier) && ExtendsRange(*move);
  if (MoveTo(MoveTarget(CurrentCell(), *move, extent), extend)) {
    ScrollAfterMove(*move, extent, oldColScroll, oldRowScroll);
  }
  return true;
}

// Paging keys scroll the view by as much as they move the cell, so the cell keeps its place on
// screen where it can.
void CellGridView::ScrollAfterMove(CellMove move, const GridExtent& extent, int oldColScroll,
                                   int oldRowScroll) {
  switch (move) {
    case CellMove::PageUp:
      verticalScrollBar()->setValue(oldRowScroll - extent.rowStep);
      break;
    case CellMove::PageDown:
      verticalScrollBar()->setValue(oldRowScroll + extent.rowStep);
      break;
    case CellMove::CtrlLeft:
      horizontalScrollBar()->setValue(oldColScroll - extent.colStep);
      break;
    case CellMove::CtrlRight:
      horizontalScrollBar()->setValue(oldColScroll + extent.colStep);
      break;
    default:
      return;
  }
  scrollTo(currentIndex());
}

bool CellGridView::HandleScrollKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (modifiers != Qt::ControlModifier ||
      (event->key() != Qt::Key_Up && event->key() != Qt::Key_Down)) {
    return false;
  }
  QScrollBar* bar = verticalScrollBar();
  bar->setValue(bar->value() + (event->key() == Qt::Key_Up ? -1 : 1));
  return true;
}

bool CellGridView::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool tabKey = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (tabKey && HandleMoveKey(key, EditorOpen())) {
      return true;
    }
  }
  return QTableView::event(event);
}

// A character beyond the basic plane arrives as one key whose text is a surrogate pair, so the
// test goes by code point, not by UTF-16 unit.
bool EditorTakes(const QString& text) {
  if (text.isEmpty()) {
    return false;
  }
  const QChar first = text.front();
  if (first.isHighSurrogate()) {
    return text.size() > 1 && text.at(1).isLowSurrogate();
  }
  switch (first.category()) {
    case QChar::Other_Control:
    case QChar::Other_NotAssigned:
    case QChar::Other_Surrogate:
      return false;
    default:
      return true;
  }
}

namespace {

// A command key (Ctrl+Backspace deletes a word) is no typing: let into an editor whose whole
// text is selected, it would delete all but the last word of the cell.
bool StartsTyping(const QKeyEvent* event) {
  const bool commandKey =
      event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  return !commandKey && (event->key() == Qt::Key_Backspace || EditorTakes(event->text()));
}

}  // namespace

// Keys the open editor leaves unused (Ctrl+Home, Ctrl+End) come on to the grid; they still
// belong to the editor's caret and move no cell.
void CellGridView::keyPressEvent(QKeyEvent* event) {
  if (HandleMoveKey(event, EditorOpen()) || HandleScrollKey(event)) {
    return;
  }
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      OpenEditor(Caret::SelectAll);
      return;
    case Qt::Key_F2:
      OpenEditor(Caret::AtEnd);
      return;
    case Qt::Key_Escape:
      return;
    default:
      break;
  }
  if (StartsTyping(event)) {
    OpenEditor(Caret::SelectAll);
    if (EditorOpen()) {
      QCoreApplication::sendEvent(Editor(), event);
    }
    return;
  }
  event->ignore();
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
