#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace ui {

// The frame a window manager has drawn around a shown top-level window; none where there is no
// window manager, or before the window has been framed.
QMargins FrameMargins(const QWidget* window);

// Places a window about to be shown so that its frame, expected to be as wide as frame, has its
// top-left corner at frameTopLeft. The window manager frames the window only once it is shown,
// so the position is given for the inside, which every window manager keeps.
void PlaceFrameAt(QWidget* window, QPoint frameTopLeft, const QMargins& frame);

// The top-left corner of an outer size centred over area: half the difference of the extents,
// rounded toward zero as integer division does, and never above or left of limit.
QPoint CentredTopLeft(const QRect& area, QSize outerSize, QPoint limit);

// Places a window about to be shown so that its frame, expected to be as wide as frame, is
// centred over area and never above or left of limit.
void CentreFrameOver(QWidget* window, const QRect& area, const QMargins& frame, QPoint limit);

// Shows window, restored if it was minimised, in front of the others and with the keyboard.
void BringToFront(QWidget* window);

// Gives the keyboard back to window once a window in front of it has gone. A window manager
// would do it; without one the focus would stay with the screen's root window.
void ReturnFocusTo(QWidget* window);

}  // namespace ui
