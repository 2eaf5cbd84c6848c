#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <memory>
#include <stdexcept>

#include "ui/CellTextModel.h"
#include "ui/ModelCellGrid.h"

using ui::CellTextModel;
using ui::ModelCellGrid;

namespace {

constexpr int kCols = 3;
constexpr int kRows = 4;

// Every cell holds a text of its own, so that a write that lands anywhere shows.
void FillDistinct(CellTextModel& cells) {
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kCols; ++col) {
      cells.SetCell(col, row, QStringLiteral("c%1r%2").arg(col).arg(row));
    }
  }
}

QStringList Texts(const CellTextModel& cells) {
  QStringList texts;
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kCols; ++col) {
      texts.append(cells.Cell(col, row));
    }
  }
  return texts;
}

}  // namespace

class CellTextModelTest : public QObject {
  Q_OBJECT

  // Each test starts from the same distinct texts, so that a stray write shows.
  std::unique_ptr<CellTextModel> cells_;
  QStringList filled_;

 private slots:
  void init() {
    cells_ = std::make_unique<CellTextModel>(kCols, kRows);
    FillDistinct(*cells_);
    filled_ = Texts(*cells_);
  }

  void addressOutsideTheGridNamesNoCell_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::newRow("left of column 0") << -1 << 1;
    QTest::newRow("right of the last column") << kCols << 1;
    QTest::newRow("above the headings") << 0 << -1;
    QTest::newRow("below the last row") << 0 << kRows;
    QTest::newRow("far outside") << 7 << 99;
  }

  void addressOutsideTheGridNamesNoCell() {
    QFETCH(int, col);
    QFETCH(int, row);
    const QSignalSpy changed(cells_.get(), &CellTextModel::dataChanged);
    const QSignalSpy headingChanged(cells_.get(), &CellTextModel::headerDataChanged);
    QVERIFY(!cells_->Contains(col, row));
    QCOMPARE(cells_->Cell(col, row), QString());
    cells_->SetCell(col, row, QStringLiteral("written"));
    cells_->MoveColumn(col, 0);
    QCOMPARE(Texts(*cells_), filled_);
    QCOMPARE(changed.count() + headingChanged.count(), 0);
  }

  // The calculation is told of an address outside a grid on screen as of one outside any grid.
  void calculationMeetsAnAddressOutsideTheGridAsAFailure_data() {
    addressOutsideTheGridNamesNoCell_data();
  }

  void calculationMeetsAnAddressOutsideTheGridAsAFailure() {
    QFETCH(int, col);
    QFETCH(int, row);
    ModelCellGrid grid(*cells_);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid.Cell(col, row));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, grid.SetCell(col, row, "written"));
    QCOMPARE(Texts(*cells_), filled_);
  }

  void indexOutsideTheGridNamesNoCell_data() {
    QTest::addColumn<int>("itemRow");
    QTest::addColumn<int>("column");
    QTest::newRow("no index at all") << -1 << -1;
    QTest::newRow("a larger model's row below this grid") << kRows << 0;
    QTest::newRow("a larger model's column right of this grid") << 0 << kCols;
  }

  void indexOutsideTheGridNamesNoCell() {
    QFETCH(int, itemRow);
    QFETCH(int, column);
    QStandardItemModel larger(10, 10);
    const QModelIndex index = itemRow < 0 ? QModelIndex() : larger.index(itemRow, column);
    QVERIFY(!cells_->data(index, Qt::DisplayRole).isValid());
    QVERIFY(!cells_->data(index, Qt::EditRole).isValid());
    QVERIFY(!cells_->setData(index, QStringLiteral("written"), Qt::EditRole));
    QCOMPARE(cells_->flags(index), Qt::NoItemFlags);
    QCOMPARE(Texts(*cells_), filled_);
  }

  void headingOutsideTheGridIsNone_data() {
    QTest::addColumn<int>("section");
    QTest::newRow("left of column 0") << -1;
    QTest::newRow("right of the last column") << kCols;
  }

  void headingOutsideTheGridIsNone() {
    QFETCH(int, section);
    QVERIFY(!cells_->headerData(section, Qt::Horizontal, Qt::DisplayRole).isValid());
  }
};

QTEST_APPLESS_MAIN(CellTextModelTest)
#include "cell_text_model_test.moc"
