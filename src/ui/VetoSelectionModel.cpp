#include "ui/VetoSelectionModel.h"

#include <utility>

namespace ui {

VetoSelectionModel::VetoSelectionModel(QAbstractItemModel* model, MoveQuestion mayMove,
                                       QObject* parent)
    : QItemSelectionModel(model, parent), mayMove_(std::move(mayMove)) {}

void VetoSelectionModel::setCurrentIndex(const QModelIndex& index, SelectionFlags command) {
  if (currentIndex().isValid() && index != currentIndex()) {
    if (!index.isValid() || !mayMove_(index)) {
      return;
    }
  }
  QItemSelectionModel::setCurrentIndex(index, command);
}

void VetoSelectionModel::PlaceCurrent(const QModelIndex& index) {
  QItemSelectionModel::setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

}  // namespace ui
