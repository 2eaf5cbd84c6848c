#include "ui/WindowFrame.h"

#include <QWidget>

namespace ui {

QMargins FrameMargins(const QWidget* window) {
  const QRect outer = window->frameGeometry();
  const QRect inner = window->geometry();
  return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
          outer.bottom() - inner.bottom()};
}

void PlaceFrameAt(QWidget* window, QPoint frameTopLeft, const QMargins& frame) {
  window->setGeometry(QRect(frameTopLeft + QPoint(frame.left(), frame.top()), window->size()));
}

// Showing and raising alone leave a minimised window minimised.
void BringToFront(QWidget* window) {
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

void ReturnFocusTo(QWidget* window) {
  if (window != nullptr && window->isVisible() && !window->isMinimized()) {
    window->activateWindow();
  }
}

}  // namespace ui
