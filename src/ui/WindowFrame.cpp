#include "ui/WindowFrame.h"

#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace ui {

// The native window's margins follow the window manager's reports; a widget's own frame
// geometry can keep a frame measured before the window manager had finished framing it.
QMargins FrameMargins(const QWidget* window) {
  const QWindow* handle = window->windowHandle();
  return handle != nullptr ? handle->frameMargins() : QMargins();
}

void PlaceFrameAt(QWidget* window, QPoint frameTopLeft, const QMargins& frame) {
  window->setGeometry(QRect(frameTopLeft + QPoint(frame.left(), frame.top()), window->size()));
}

QPoint CentredTopLeft(const QRect& area, QSize outerSize, QPoint limit) {
  return {std::max(limit.x(), area.left() + (area.width() - outerSize.width()) / 2),
          std::max(limit.y(), area.top() + (area.height() - outerSize.height()) / 2)};
}

void CentreFrameOver(QWidget* window, const QRect& area, const QMargins& frame, QPoint limit) {
  PlaceFrameAt(window, CentredTopLeft(area, window->size().grownBy(frame), limit), frame);
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
