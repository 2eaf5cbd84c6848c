#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "ui/CellMoves.h"

namespace ui {

// The cells of one grid and nothing else: a rectangle of texts addressed by column, then row,
// row 0 holding the headings. To Qt's views, data row r is item row r - 1 and the heading row
// is the horizontal header, so the headings never scroll and are never selected or edited.
//
// An address outside the grid names no cell, whichever way it comes: reading it gives empty
// text, or an empty QVariant through Qt's interface; writing or moving it changes nothing, and
// setData answers false.
class CellTextModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  CellTextModel(int cols, int rows, QObject* parent = nullptr);

  int ColCount() const { return cols_; }
  int RowCount() const { return rows_; }
  bool Contains(int col, int row) const;
  QString Cell(int col, int row) const;
  void SetCell(int col, int row, const QString& text);
  // Moves a whole column, heading and cells, to position `to`; the columns between close up.
  void MoveColumn(int from, int to);

  // The one mapping between the grid's rows and the views' item rows, both ways.
  static int ItemRow(int row) { return row - 1; }
  static int DataRow(int itemRow) { return itemRow + 1; }
  QModelIndex IndexOf(int col, int row) const { return index(ItemRow(row), col); }
  static CellPos PosOf(const QModelIndex& index) { return {index.column(), DataRow(index.row())}; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  bool Names(const QModelIndex& index) const;
  std::size_t Slot(int col, int row) const;

  int cols_;
  int rows_;
  std::vector<QString> cells_;
};

}  // namespace ui
