#include "ui/VerdictLabel.h"

#include <QPainter>

namespace ui {

VerdictLabel::VerdictLabel(QWidget* parent) : QLabel(parent) {}

void VerdictLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QFontMetricsF metrics(font());
  const QRectF inside = contentsRect();
  const QString shown = text();
  const qreal left = inside.left() + (inside.width() - metrics.horizontalAdvance(shown)) / 2;
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(QPointF(left, inside.top() + metrics.ascent()), shown);
}

}  // namespace ui
