#pragma once

#include <QItemSelectionModel>
#include <functional>

namespace ui {

// The one place a current-cell change goes through: keys, clicks, the wheel and the program's
// own requests all end in setCurrentIndex, which asks first whether the move may happen.
class VetoSelectionModel : public QItemSelectionModel {
 public:
  using MoveQuestion = std::function<bool(const QModelIndex& target)>;

  VetoSelectionModel(QAbstractItemModel* model, MoveQuestion mayMove, QObject* parent);

  void setCurrentIndex(const QModelIndex& index, SelectionFlags command) override;

  // Places the current cell where no move is meant: at creation, and to follow a dragged column.
  void PlaceCurrent(const QModelIndex& index);

 private:
  MoveQuestion mayMove_;
};

}  // namespace ui
