#include "ui/GridHeading.h"

#include <QPainter>

#include "ui/CellDelegate.h"

namespace ui {

GridHeading::GridHeading(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setSectionsClickable(false);
  setSectionsMovable(true);
  setHighlightSections(false);
  setStretchLastSection(false);
  setMinimumSectionSize(kGridLineWidth);
  setSectionResizeMode(QHeaderView::Interactive);
}

void GridHeading::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  const QPalette& colours = palette();
  painter->save();
  painter->setFont(font());
  PaintCell(painter, rect, colours.color(QPalette::Button), colours.color(QPalette::Dark),
            colours.color(QPalette::Text),
            model()->headerData(logicalIndex, Qt::Horizontal).toString());
  painter->restore();
}

}  // namespace ui
