#include "ui/BevelPanel.h"

#include <qdrawutil.h>

#include <QPainter>

namespace ui {
namespace {

void PaintBevel(QPainter& painter, const QRect& box, Bevel bevel, const QPalette& colours) {
  if (bevel == Bevel::None) {
    return;
  }
  const QColor light = colours.color(QPalette::Light);
  const QColor shadow = colours.color(QPalette::Dark);
  const QColor& topLeft = bevel == Bevel::Raised ? light : shadow;
  const QColor& bottomRight = bevel == Bevel::Raised ? shadow : light;
  painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), topLeft);
  painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), topLeft);
  painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), bottomRight);
  painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), bottomRight);
}

}  // namespace

BevelPanel::BevelPanel(Bevel outer, Bevel inner, int gap, QWidget* parent)
    : QWidget(parent), outer_(outer), inner_(inner), gap_(gap), client_(new QWidget(this)) {}

void BevelPanel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  qDrawWinPanel(&painter, rect(), palette(), true);
  const QRect inside = client_->geometry();
  PaintBevel(painter, inside, outer_, palette());
  const int innerInset = (outer_ == Bevel::None ? 0 : 1) + gap_;
  PaintBevel(painter, inside.adjusted(innerInset, innerInset, -innerInset, -innerInset), inner_,
             palette());
}

void BevelPanel::resizeEvent(QResizeEvent* /*event*/) {
  client_->setGeometry(rect().adjusted(kBorderWidth, kBorderWidth, -kBorderWidth, -kBorderWidth));
}

}  // namespace ui
