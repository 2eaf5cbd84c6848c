#include "ui/CellMoves.h"

#include <algorithm>

namespace ui {
namespace {

CellPos Held(CellPos pos, const GridExtent& extent) {
  return {std::clamp(pos.col, 0, extent.lastCol), std::clamp(pos.row, 1, extent.lastRow)};
}

CellPos NextInReadingOrder(CellPos pos, const GridExtent& extent) {
  if (pos.col < extent.lastCol) {
    return {pos.col + 1, pos.row};
  }
  return {0, pos.row < extent.lastRow ? pos.row + 1 : 1};
}

CellPos PreviousInReadingOrder(CellPos pos, const GridExtent& extent) {
  if (pos.col > 0) {
    return {pos.col - 1, pos.row};
  }
  return {extent.lastCol, pos.row > 1 ? pos.row - 1 : extent.lastRow};
}

std::optional<CellMove> CaretOrCellMove(int key, bool ctrl, bool editorOpen) {
  if (editorOpen) {
    return std::nullopt;
  }
  switch (key) {
    case Qt::Key_Left:
      return ctrl ? CellMove::CtrlLeft : CellMove::Left;
    case Qt::Key_Right:
      return ctrl ? CellMove::CtrlRight : CellMove::Right;
    case Qt::Key_Home:
      return ctrl ? CellMove::CtrlHome : CellMove::Home;
    default:
      return ctrl ? CellMove::CtrlEnd : CellMove::End;
  }
}

}  // namespace

CellPos MoveTarget(CellPos current, CellMove move, const GridExtent& extent) {
  const int c = current.col;
  const int r = current.row;
  switch (move) {
    case CellMove::Up:
      return Held({c, r - 1}, extent);
    case CellMove::Down:
      return Held({c, r + 1}, extent);
    case CellMove::Left:
      return Held({c - 1, r}, extent);
    case CellMove::Right:
      return Held({c + 1, r}, extent);
    case CellMove::Home:
      return Held({0, r}, extent);
    case CellMove::End:
      return Held({extent.lastCol, r}, extent);
    case CellMove::CtrlLeft:
      return Held({c - extent.colStep, r}, extent);
    case CellMove::CtrlRight:
      return Held({c + extent.colStep, r}, extent);
    case CellMove::CtrlHome:
      return Held({0, 1}, extent);
    case CellMove::CtrlEnd:
      return Held({extent.lastCol, extent.lastRow}, extent);
    case CellMove::PageUp:
      return Held({c, r - extent.rowStep}, extent);
    case CellMove::PageDown:
      return Held({c, r + extent.rowStep}, extent);
    case CellMove::CtrlPageUp:
      return Held({c, extent.topVisibleRow}, extent);
    case CellMove::CtrlPageDown:
      return Held({c, extent.bottomVisibleRow}, extent);
    case CellMove::Next:
      return NextInReadingOrder(Held(current, extent), extent);
    case CellMove::Previous:
      return PreviousInReadingOrder(Held(current, extent), extent);
  }
  return current;
}

std::optional<CellMove> MoveForKey(int key, Qt::KeyboardModifiers modifiers, bool editorOpen) {
  if (modifiers & (Qt::AltModifier | Qt::MetaModifier)) {
    return std::nullopt;
  }
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  switch (key) {
    case Qt::Key_Tab:
      if (ctrl) {
        return std::nullopt;
      }
      return shift ? CellMove::Previous : CellMove::Next;
    case Qt::Key_Backtab:
      return ctrl ? std::nullopt : std::optional(CellMove::Previous);
    case Qt::Key_Up:
      return ctrl ? std::nullopt : std::optional(CellMove::Up);
    case Qt::Key_Down:
      return ctrl ? std::nullopt : std::optional(CellMove::Down);
    case Qt::Key_PageUp:
      return ctrl ? CellMove::CtrlPageUp : CellMove::PageUp;
    case Qt::Key_PageDown:
      return ctrl ? CellMove::CtrlPageDown : CellMove::PageDown;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
      return CaretOrCellMove(key, ctrl, editorOpen);
    default:
      return std::nullopt;
  }
}

int ColumnAfterMove(int col, int from, int to) {
  if (col == from) {
    return to;
  }
  if (from < col && col <= to) {
    return col - 1;
  }
  if (to <= col && col < from) {
    return col + 1;
  }
  return col;
}

bool ExtendsRange(CellMove move) {
  switch (move) {
    case CellMove::Up:
    case CellMove::Down:
    case CellMove::PageUp:
    case CellMove::PageDown:
    case CellMove::Left:
    case CellMove::Right:
    case CellMove::Home:
    case CellMove::End:
      return true;
    default:
      return false;
  }
}

}  // namespace ui
