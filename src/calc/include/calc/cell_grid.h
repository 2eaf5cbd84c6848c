#pragma once

#include <string>
#include <vector>

namespace calc {

// A rectangular table of text cells as the recalculation sees it: addressed by column, then
// row, both counted from 0; row 0 holds the headings; a cell never written reads as "".
class CellGrid {
 public:
  virtual ~CellGrid() = default;

  virtual int ColCount() const = 0;
  virtual int RowCount() const = 0;
  virtual std::string Cell(int col, int row) const = 0;
  virtual void SetCell(int col, int row, std::string text) = 0;

  bool Contains(int col, int row) const {
    return col >= 0 && col < ColCount() && row >= 0 && row < RowCount();
  }

 protected:
  CellGrid() = default;
  CellGrid(const CellGrid&) = default;
  CellGrid& operator=(const CellGrid&) = default;

  // What every grid does with an address outside it: throws std::out_of_range.
  void RequireCell(int col, int row) const;
};

// A grid held in memory, for running the calculation without any window.
class MemoryCellGrid final : public CellGrid {
 public:
  // Throws std::invalid_argument for a negative size.
  MemoryCellGrid(int cols, int rows);

  int ColCount() const override { return cols_; }
  int RowCount() const override { return rows_; }
  std::string Cell(int col, int row) const override;
  void SetCell(int col, int row, std::string text) override;

  friend bool operator==(const MemoryCellGrid& a, const MemoryCellGrid& b) {
    return a.cols_ == b.cols_ && a.rows_ == b.rows_ && a.cells_ == b.cells_;
  }

 private:
  std::size_t Index(int col, int row) const;

  int cols_;
  int rows_;
  std::vector<std::string> cells_;
};

}  // namespace calc
