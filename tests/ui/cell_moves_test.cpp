#include <QTest>

#include "ui/CellMoves.h"

using ui::CellMove;
using ui::CellPos;
using ui::GridExtent;

Q_DECLARE_METATYPE(CellMove)
Q_DECLARE_METATYPE(CellPos)

namespace {

// The needed grid at its designed size: 6 columns all in view, data rows 1 to 14, of which
// rows 3 to 11 are fully visible.
GridExtent NeededGridScrolled() {
  GridExtent extent;
  extent.lastCol = 5;
  extent.lastRow = 14;
  extent.colStep = 5;
  extent.rowStep = 8;
  extent.topVisibleRow = 3;
  extent.bottomVisibleRow = 11;
  return extent;
}

}  // namespace

class CellMovesTest : public QObject {
  Q_OBJECT

 private slots:
  void targetOfEachMove_data() {
    QTest::addColumn<CellPos>("from");
    QTest::addColumn<CellMove>("move");
    QTest::addColumn<CellPos>("to");
    QTest::newRow("up") << CellPos{2, 5} << CellMove::Up << CellPos{2, 4};
    QTest::newRow("up held at row 1") << CellPos{2, 1} << CellMove::Up << CellPos{2, 1};
    QTest::newRow("down") << CellPos{2, 5} << CellMove::Down << CellPos{2, 6};
    QTest::newRow("down held at last row") << CellPos{2, 14} << CellMove::Down << CellPos{2, 14};
    QTest::newRow("left held at column 0") << CellPos{0, 3} << CellMove::Left << CellPos{0, 3};
    QTest::newRow("right") << CellPos{4, 3} << CellMove::Right << CellPos{5, 3};
    QTest::newRow("right held at last column") << CellPos{5, 3} << CellMove::Right << CellPos{5, 3};
    QTest::newRow("home") << CellPos{4, 3} << CellMove::Home << CellPos{0, 3};
    QTest::newRow("end") << CellPos{1, 3} << CellMove::End << CellPos{5, 3};
    QTest::newRow("ctrl+left reaches column 0")
        << CellPos{4, 3} << CellMove::CtrlLeft << CellPos{0, 3};
    QTest::newRow("ctrl+right reaches last column")
        << CellPos{1, 3} << CellMove::CtrlRight << CellPos{5, 3};
    QTest::newRow("ctrl+home") << CellPos{4, 9} << CellMove::CtrlHome << CellPos{0, 1};
    QTest::newRow("ctrl+end") << CellPos{1, 2} << CellMove::CtrlEnd << CellPos{5, 14};
    QTest::newRow("page down") << CellPos{1, 3} << CellMove::PageDown << CellPos{1, 11};
    QTest::newRow("page down held") << CellPos{1, 10} << CellMove::PageDown << CellPos{1, 14};
    QTest::newRow("page up held") << CellPos{1, 5} << CellMove::PageUp << CellPos{1, 1};
    QTest::newRow("ctrl+page up") << CellPos{1, 7} << CellMove::CtrlPageUp << CellPos{1, 3};
    QTest::newRow("ctrl+page down") << CellPos{1, 7} << CellMove::CtrlPageDown << CellPos{1, 11};
    QTest::newRow("tab") << CellPos{2, 4} << CellMove::Next << CellPos{3, 4};
    QTest::newRow("tab after last column") << CellPos{5, 4} << CellMove::Next << CellPos{0, 5};
    QTest::newRow("tab after last row") << CellPos{5, 14} << CellMove::Next << CellPos{0, 1};
    QTest::newRow("shift+tab") << CellPos{2, 4} << CellMove::Previous << CellPos{1, 4};
    QTest::newRow("shift+tab before column 0")
        << CellPos{0, 4} << CellMove::Previous << CellPos{5, 3};
    QTest::newRow("shift+tab above row 1") << CellPos{0, 1} << CellMove::Previous << CellPos{5, 14};
  }

  void targetOfEachMove() {
    QFETCH(CellPos, from);
    QFETCH(CellMove, move);
    QFETCH(CellPos, to);
    const CellPos target = ui::MoveTarget(from, move, NeededGridScrolled());
    QCOMPARE(target.col, to.col);
    QCOMPARE(target.row, to.row);
  }

  void ctrlArrowsStepByVisibleColumns() {
    GridExtent narrow = NeededGridScrolled();
    narrow.colStep = 2;
    QCOMPARE(ui::MoveTarget({1, 3}, CellMove::CtrlRight, narrow), (CellPos{3, 3}));
    QCOMPARE(ui::MoveTarget({1, 3}, CellMove::CtrlLeft, narrow), (CellPos{0, 3}));
  }

  void keysMapToMoves_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("editorOpen");
    QTest::addColumn<int>("move");  // -1: no move
    const auto row = [](const char* name, int key, Qt::KeyboardModifiers modifiers, bool open,
                        int move) {
      QTest::newRow(name) << key << static_cast<int>(modifiers.toInt()) << open << move;
    };
    const auto as = [](CellMove move) { return static_cast<int>(move); };
    row("tab", Qt::Key_Tab, Qt::NoModifier, true, as(CellMove::Next));
    row("backtab", Qt::Key_Backtab, Qt::ShiftModifier, true, as(CellMove::Previous));
    row("shift+tab", Qt::Key_Tab, Qt::ShiftModifier, false, as(CellMove::Previous));
    row("up in editor", Qt::Key_Up, Qt::NoModifier, true, as(CellMove::Up));
    row("ctrl+up scrolls only", Qt::Key_Up, Qt::ControlModifier, false, -1);
    row("ctrl+down scrolls only", Qt::Key_Down, Qt::ControlModifier, false, -1);
    row("page down in editor", Qt::Key_PageDown, Qt::NoModifier, true, as(CellMove::PageDown));
    row("ctrl+page up", Qt::Key_PageUp, Qt::ControlModifier, false, as(CellMove::CtrlPageUp));
    row("left, editor closed", Qt::Key_Left, Qt::NoModifier, false, as(CellMove::Left));
    row("left belongs to the editor", Qt::Key_Left, Qt::NoModifier, true, -1);
    row("end belongs to the editor", Qt::Key_End, Qt::NoModifier, true, -1);
    row("ctrl+right", Qt::Key_Right, Qt::ControlModifier, false, as(CellMove::CtrlRight));
    row("ctrl+end", Qt::Key_End, Qt::ControlModifier, false, as(CellMove::CtrlEnd));
    row("shift+home", Qt::Key_Home, Qt::ShiftModifier, false, as(CellMove::Home));
    row("alt+down is no move", Qt::Key_Down, Qt::AltModifier, false, -1);
    row("enter is no move", Qt::Key_Return, Qt::NoModifier, false, -1);
    row("f2 is no move", Qt::Key_F2, Qt::NoModifier, false, -1);
  }

  void keysMapToMoves() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, editorOpen);
    QFETCH(int, move);
    const auto found = ui::MoveForKey(key, Qt::KeyboardModifiers::fromInt(modifiers), editorOpen);
    QCOMPARE(found ? static_cast<int>(*found) : -1, move);
  }

  void shiftStretchesOnlyTheNamedMoves() {
    QVERIFY(ui::ExtendsRange(CellMove::PageDown));
    QVERIFY(ui::ExtendsRange(CellMove::Home));
    QVERIFY(!ui::ExtendsRange(CellMove::Previous));
    QVERIFY(!ui::ExtendsRange(CellMove::CtrlHome));
  }

  void columnsCloseUpAroundAMovedColumn_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("after");
    QTest::newRow("the moved column") << 3 << 3 << 4 << 4;
    QTest::newRow("between, moved right") << 4 << 3 << 4 << 3;
    QTest::newRow("between, moved left") << 1 << 3 << 0 << 2;
    QTest::newRow("outside") << 5 << 1 << 3 << 5;
  }

  void columnsCloseUpAroundAMovedColumn() {
    QFETCH(int, col);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, after);
    QCOMPARE(ui::ColumnAfterMove(col, from, to), after);
  }
};

QTEST_APPLESS_MAIN(CellMovesTest)
#include "cell_moves_test.moc"
