#include "ui/CellTextModel.h"

#include <algorithm>

namespace ui {

CellTextModel::CellTextModel(int cols, int rows, QObject* parent)
    : QAbstractTableModel(parent),
      cols_(std::max(cols, 0)),
      rows_(std::max(rows, 1)),
      cells_(static_cast<std::size_t>(cols_) * static_cast<std::size_t>(rows_)) {}

bool CellTextModel::Contains(int col, int row) const {
  return col >= 0 && col < cols_ && row >= 0 && row < rows_;
}

bool CellTextModel::Names(const QModelIndex& index) const {
  const CellPos pos = PosOf(index);
  return index.isValid() && Contains(pos.col, pos.row);
}

std::size_t CellTextModel::Slot(int col, int row) const {
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) +
         static_cast<std::size_t>(col);
}

QString CellTextModel::Cell(int col, int row) const {
  return Contains(col, row) ? cells_[Slot(col, row)] : QString();
}

void CellTextModel::SetCell(int col, int row, const QString& text) {
  if (!Contains(col, row) || cells_[Slot(col, row)] == text) {
    return;
  }
  cells_[Slot(col, row)] = text;
  if (row == 0) {
    emit headerDataChanged(Qt::Horizontal, col, col);
  } else {
    const QModelIndex changed = IndexOf(col, row);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
  }
}

void CellTextModel::MoveColumn(int from, int to) {
  if (!Contains(from, 0) || !Contains(to, 0) || from == to) {
    return;
  }
  for (int row = 0; row < rows_; ++row) {
    const auto rowStart = cells_.begin() + static_cast<std::ptrdiff_t>(Slot(0, row));
    const auto first = rowStart + std::min(from, to);
    const auto last = rowStart + std::max(from, to) + 1;
    if (from < to) {
      std::rotate(first, first + 1, last);
    } else {
      std::rotate(first, last - 1, last);
    }
  }
  const int left = std::min(from, to);
  const int right = std::max(from, to);
  emit headerDataChanged(Qt::Horizontal, left, right);
  if (rows_ > 1) {
    emit dataChanged(IndexOf(left, 1), IndexOf(right, rows_ - 1), {Qt::DisplayRole, Qt::EditRole});
  }
}

int CellTextModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ItemRow(rows_);
}

int CellTextModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cols_;
}

QVariant CellTextModel::data(const QModelIndex& index, int role) const {
  if (!Names(index) || (role != Qt::DisplayRole && role != Qt::EditRole)) {
    return {};
  }
  const CellPos pos = PosOf(index);
  return Cell(pos.col, pos.row);
}

bool CellTextModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!Names(index) || role != Qt::EditRole) {
    return false;
  }
  const CellPos pos = PosOf(index);
  SetCell(pos.col, pos.row, value.toString());
  return true;
}

Qt::ItemFlags CellTextModel::flags(const QModelIndex& index) const {
  if (!Names(index)) {
    return Qt::NoItemFlags;
  }
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant CellTextModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !Contains(section, 0)) {
    return {};
  }
  return Cell(section, 0);
}

}  // namespace ui
