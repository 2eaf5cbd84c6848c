#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include "ui/CellGridView.h"

// The in-place editor of a grid and where the keyboard goes with it:
// - while the grid has the focus, an open editor holds it: a refused move, or a press on the
//   heading or the scroll bar, hands it back;
// - the focus leaving for another control closes the editor, and its return opens it again;
// - the focus leaving the window, or moving to the grid itself, leaves the editor as it is;
// - an editor that closes while it has the keyboard hands the keyboard to its grid.

namespace ui {

// The delegate leaves the open editor's keys and its focus to the grid. An editor that is being
// destroyed is a line editor no more, and its last events are none of the grid's business.
bool CellGridView::eventFilter(QObject* watched, QEvent* event) {
  const auto* editor = qobject_cast<const QLineEdit*>(watched);
  if (editor == nullptr || editor != editor_) {
    return QTableView::eventFilter(watched, event);
  }
  if (!EditorOpen()) {
    return false;
  }
  if (event->type() == QEvent::KeyPress) {
    return EditorKeyPress(static_cast<QKeyEvent*>(event));
  }
  if (event->type() == QEvent::FocusOut) {
    EditorFocusLost(static_cast<QFocusEvent*>(event));
  }
  return false;
}

bool CellGridView::EditorKeyPress(QKeyEvent* event) {
  if (HandleMoveKey(event, true) || HandleScrollKey(event)) {
    return true;
  }
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      CloseEditor();
      return true;
    case Qt::Key_Escape:
    case Qt::Key_F2:
      return true;
    default:
      return false;
  }
}

// A click into this grid takes the focus from the editor before the press arrives; the press
// then decides whether the editor closes (an allowed move) or keeps the focus.
void CellGridView::EditorFocusLost(const QFocusEvent* event) {
  const bool windowLeft =
      event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
  const QWidget* nowFocused = QApplication::focusWidget();
  if (windowLeft || nowFocused == this || nowFocused == viewport()) {
    return;
  }
  CloseEditor();
  reopenEditorOnFocus_ = true;
}

// A press on the heading or the scroll bar gives the focus to the grid itself; an editor that
// is open there takes it back, or the next key would open it afresh over the typed text. (The
// grid also takes the focus from an editor that is closing, for other reasons.)
void CellGridView::focusInEvent(QFocusEvent* event) {
  QTableView::focusInEvent(event);
  if (reopenEditorOnFocus_) {
    reopenEditorOnFocus_ = false;
    OpenEditor(Caret::SelectAll);
  } else if (event->reason() == Qt::MouseFocusReason) {
    RefocusEditor();
  }
}

bool CellGridView::EditorOpen() const {
  return !editor_.isNull() && !editor_->isHidden();
}

QLineEdit* CellGridView::Editor() const {
  return EditorOpen() ? editor_.data() : nullptr;
}

void CellGridView::OpenEditor(Caret caret) {
  if (!EditorOpen()) {
    edit(currentIndex(), QAbstractItemView::AllEditTriggers, nullptr);
  }
  QLineEdit* editor = Editor();
  if (editor == nullptr) {
    return;
  }
  if (caret == Caret::AtEnd) {
    editor->end(false);
  } else {
    editor->selectAll();
  }
  editor->setFocus();
}

void CellGridView::CloseEditor() {
  if (EditorOpen()) {
    closeEditor(Editor(), QAbstractItemDelegate::NoHint);
  }
}

// Qt hands the focus back to the view only when the editor "has focus", which needs an active
// window; a window that receives keys without being activated (no window manager, or one that
// does not activate on click) would lose every key after the editor closed. The window's own
// focus widget tells whether the keyboard was in the editor.
void CellGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const bool keyboardInEditor = editor != nullptr && window()->focusWidget() == editor;
  QTableView::closeEditor(editor, hint);
  if (keyboardInEditor) {
    setFocus(Qt::OtherFocusReason);
  }
}

void CellGridView::RefocusEditor() {
  if (EditorOpen()) {
    Editor()->setFocus();
  }
}

}  // namespace ui
