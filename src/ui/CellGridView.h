#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <functional>
#include <vector>

#include "ui/CellMoves.h"
#include "ui/CellTextModel.h"

namespace ui {

class VetoSelectionModel;

// Whether the in-place editor takes this key text as typed characters: anything but controls,
// unassigned code points and broken surrogates. Such a key on a closed cell opens its editor.
bool EditorTakes(const QString& text);

// A grid of text cells with a fixed heading row (row 0) and an in-place editor. Every change of
// the current cell, whatever asks for it, passes through one place that first asks the
// select-cell handler; when the handler clears the allow flag, nothing about the grid changes.
//
// Colours come from the palette: Base for the cells, Text for all text, Button for the
// headings, Dark for the grid lines, Highlight and HighlightedText for the highlighted range.
class CellGridView : public QTableView {
  Q_OBJECT

 public:
  using SelectCellHandler = std::function<void(QObject* sender, int col, int row, bool& allow)>;

  // The view shows cells made for it elsewhere, which must outlive it.
  explicit CellGridView(CellTextModel& cells, QWidget* parent = nullptr);

  CellTextModel& Cells() const { return cells_; }

  void SetOnSelectCell(SelectCellHandler handler) { onSelectCell_ = std::move(handler); }

  // Widths of the cells, left to right, without their grid lines; all rows share one height.
  void SetColumnWidths(const std::vector<int>& widths);
  void SetRowHeight(int height);

  CellPos CurrentCell() const;
  CellPos AnchorCell() const { return anchor_; }
  // Each is a cell move when it changes the current cell, and does nothing otherwise.
  void SetCurrentRow(int row);
  void SetCurrentColumn(int col);
  // The grid's size and what its view shows in full at the moment, for the cell moves.
  GridExtent Extent() const;

  bool EditorOpen() const;
  // The open in-place editor, or null while it is closed.
  QLineEdit* Editor() const;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  enum class Caret { SelectAll, AtEnd };

  QModelIndex IndexOf(CellPos pos) const { return cells_.IndexOf(pos.col, pos.row); }
  bool AskSelectCell(const QModelIndex& target);
  bool MoveTo(CellPos target, bool extendRange);
  void ColumnDragged(int logical, int oldVisual, int newVisual);

  // The keys that move the cell or scroll the view, in CellGridViewKeys.cpp.
  bool HandleMoveKey(QKeyEvent* event, bool editorOpen);
  bool HandleScrollKey(QKeyEvent* event);
  void ScrollAfterMove(CellMove move, const GridExtent& extent, int oldColScroll, int oldRowScroll);

  // The in-place editor and the focus rules it keeps, in CellGridViewEditor.cpp.
  void OpenEditor(Caret caret);
  void CloseEditor();
  void RefocusEditor();
  bool EditorKeyPress(QKeyEvent* event);
  void EditorFocusLost(const QFocusEvent* event);

  CellTextModel& cells_;
  VetoSelectionModel* selection_;
  QPointer<QLineEdit> editor_;
  SelectCellHandler onSelectCell_;
  CellPos anchor_;
  bool reopenEditorOnFocus_ = false;
  int wheelRemainder_ = 0;
};

}  // namespace ui
