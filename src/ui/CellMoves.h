#pragma once

#include <Qt>
#include <optional>

namespace ui {

// A cell of a grid, column then row, both counted from 0; row 0 holds the headings.
struct CellPos {
  int col = 0;
  int row = 1;

  friend bool operator==(const CellPos&, const CellPos&) = default;
};

// The keyboard and wheel inputs that move a grid's current cell.
enum class CellMove {
  Up,
  Down,
  Left,
  Right,
  Home,
  End,
  CtrlLeft,
  CtrlRight,
  CtrlHome,
  CtrlEnd,
  PageUp,
  PageDown,
  CtrlPageUp,
  CtrlPageDown,
  Next,
  Previous,
};

// What a move needs to know of the grid and of its view at the moment of the move.
struct GridExtent {
  int lastCol = 0;
  int lastRow = 1;
  int colStep = 1;  // one less than the fully visible columns, at least 1
  int rowStep = 1;  // one less than the fully visible data rows, at least 1
  int topVisibleRow = 1;
  int bottomVisibleRow = 1;
};

// The cell a move aims at, held within the data cells. A target equal to the current cell
// means the input makes no move.
CellPos MoveTarget(CellPos current, CellMove move, const GridExtent& extent);

// The move a key makes, if any. With the editor open, Left, Right, Home and End (plain or with
// Ctrl) belong to the editor's caret. Ctrl+Up and Ctrl+Down only scroll, so they make no move.
std::optional<CellMove> MoveForKey(int key, Qt::KeyboardModifiers modifiers, bool editorOpen);

// Where a column at position `col` ends up when the column at `from` is moved to `to`.
int ColumnAfterMove(int col, int from, int to);

// Whether Shift with this move stretches the highlighted range instead of collapsing it.
bool ExtendsRange(CellMove move);

}  // namespace ui
