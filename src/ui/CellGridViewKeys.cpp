#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>

#include "ui/CellGridView.h"

// The keys of a grid: those that move the current cell or scroll the view, and those that open
// the editor, the first typed character going into it.

namespace ui {

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

}  // namespace ui
