#pragma once

#include <QHeaderView>

namespace ui {

// The heading row of a grid: button face, the grid's text colour and grid lines like the cells.
// Its sections are dragged to move columns, and resized, but never clicked.
class GridHeading : public QHeaderView {
 public:
  explicit GridHeading(QWidget* parent);

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

}  // namespace ui
