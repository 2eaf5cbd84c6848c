#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <memory>
#include <vector>

#include "ui/CellGridView.h"
#include "ui/CellTextModel.h"
#include "ui_test_support.h"

using ui::CellGridView;
using ui::CellPos;
using ui::CellTextModel;
using ui_test::CellCentre;
using ui_test::Press;
using ui_test::Type;

Q_DECLARE_METATYPE(CellPos)

namespace {

// A grid shaped like the needed grid, beside a plain line edit that can take the focus away.
struct GridWindow {
  GridWindow() {
    auto* layout = new QVBoxLayout(&window);
    grid = new CellGridView(cells);
    grid->SetRowHeight(24);
    grid->SetColumnWidths({106, 18, 40, 68, 70, 58});
    grid->setFixedSize(393, 265);
    elsewhere = new QLineEdit;
    layout->addWidget(grid);
    layout->addWidget(elsewhere);
    grid->SetOnSelectCell([this](QObject* sender, int col, int row, bool& allow) {
      QCOMPARE(sender, grid);
      asked.push_back({col, row});
      allow = allow && allowMoves;
    });
  }

  // Declared before the window, the cells outlive the grid that shows them.
  CellTextModel cells{6, 15};
  QWidget window;
  CellGridView* grid;
  QLineEdit* elsewhere;
  std::vector<CellPos> asked;
  bool allowMoves = true;
};

}  // namespace

class CellGridTest : public QObject {
  Q_OBJECT

  std::unique_ptr<GridWindow> w_;

  CellGridView& Grid() { return *w_->grid; }

  // A cell's face as the grid paints it, away from its text and its focus rectangle.
  QColor FaceOf(CellPos cell) {
    const QImage shot = Grid().viewport()->grab().toImage();
    const QRect box = Grid().visualRect(Grid().Cells().IndexOf(cell.col, cell.row));
    return shot.pixelColor((QPointF(box.center()) * shot.devicePixelRatio()).toPoint());
  }

  // Moves the current cell without asking the test's handler, to set up a starting point.
  void StartAt(CellPos cell) {
    Grid().SetCurrentRow(cell.row);
    Grid().SetCurrentColumn(cell.col);
    QCOMPARE(Grid().CurrentCell(), cell);
    w_->asked.clear();
  }

 private slots:
  void init() {
    w_ = std::make_unique<GridWindow>();
    w_->window.show();
    QVERIFY(QTest::qWaitForWindowActive(&w_->window));
    Grid().setFocus();
    QTRY_VERIFY(Grid().hasFocus());
  }

  void cleanup() { w_.reset(); }

  void startsOnColumn0OfRow1WithTheEditorClosed() {
    QCOMPARE(Grid().CurrentCell(), (CellPos{0, 1}));
    QVERIFY(!Grid().EditorOpen());
    QCOMPARE(Grid().Cells().Cell(0, 1), QString());
    QCOMPARE(Grid().Cells().Cell(7, 99), QString());
  }

  void keysMoveTheCurrentCellAfterAskingOnce_data() {
    QTest::addColumn<CellPos>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<CellPos>("to");
    const auto row = [](const char* name, CellPos from, int key, Qt::KeyboardModifiers mods,
                        CellPos to) {
      QTest::newRow(name) << from << key << static_cast<int>(mods.toInt()) << to;
    };
    row("down", {2, 3}, Qt::Key_Down, {}, {2, 4});
    row("up", {2, 3}, Qt::Key_Up, {}, {2, 2});
    row("right", {2, 3}, Qt::Key_Right, {}, {3, 3});
    row("end", {2, 3}, Qt::Key_End, {}, {5, 3});
    row("ctrl+end", {2, 3}, Qt::Key_End, Qt::ControlModifier, {5, 14});
    row("ctrl+home", {2, 3}, Qt::Key_Home, Qt::ControlModifier, {0, 1});
    row("ctrl+right reaches the last column", {1, 3}, Qt::Key_Right, Qt::ControlModifier, {5, 3});
    row("page down by the visible rows less one", {1, 1}, Qt::Key_PageDown, {}, {1, 9});
    row("ctrl+page down", {1, 1}, Qt::Key_PageDown, Qt::ControlModifier, {1, 9});
    row("tab", {2, 3}, Qt::Key_Tab, {}, {3, 3});
    row("tab wraps to row 1", {5, 14}, Qt::Key_Tab, {}, {0, 1});
    row("shift+tab wraps to the last row", {0, 1}, Qt::Key_Backtab, Qt::ShiftModifier, {5, 14});
  }

  void keysMoveTheCurrentCellAfterAskingOnce() {
    QFETCH(CellPos, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(CellPos, to);
    StartAt(from);
    Press(key, Qt::KeyboardModifiers::fromInt(modifiers));
    QCOMPARE(Grid().CurrentCell(), to);
    QCOMPARE(w_->asked, std::vector<CellPos>{to});
    QVERIFY(Grid().hasFocus());
  }

  void inputsThatMakeNoMoveAskNothing_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("up on row 1") << static_cast<int>(Qt::Key_Up) << 0;
    QTest::newRow("left on column 0") << static_cast<int>(Qt::Key_Left) << 0;
    QTest::newRow("ctrl+down") << static_cast<int>(Qt::Key_Down)
                               << static_cast<int>(Qt::ControlModifier);
    QTest::newRow("enter") << static_cast<int>(Qt::Key_Return) << 0;
    QTest::newRow("f2") << static_cast<int>(Qt::Key_F2) << 0;
    QTest::newRow("escape") << static_cast<int>(Qt::Key_Escape) << 0;
    QTest::newRow("typing") << static_cast<int>(Qt::Key_7) << 0;
  }

  void inputsThatMakeNoMoveAskNothing() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Press(key, Qt::KeyboardModifiers::fromInt(modifiers));
    QCOMPARE(Grid().CurrentCell(), (CellPos{0, 1}));
    QVERIFY(w_->asked.empty());
  }

  // With the editor open, the keys of the caret belong to it, whether or not it uses them.
  void caretKeysInAnOpenEditorMakeNoMove_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    const int ctrl = static_cast<int>(Qt::ControlModifier);
    const int ctrlShift = static_cast<int>(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("right") << static_cast<int>(Qt::Key_Right) << 0;
    QTest::newRow("end") << static_cast<int>(Qt::Key_End) << 0;
    QTest::newRow("ctrl+right") << static_cast<int>(Qt::Key_Right) << ctrl;
    QTest::newRow("ctrl+home") << static_cast<int>(Qt::Key_Home) << ctrl;
    QTest::newRow("ctrl+end") << static_cast<int>(Qt::Key_End) << ctrl;
    QTest::newRow("ctrl+shift+end") << static_cast<int>(Qt::Key_End) << ctrlShift;
  }

  void caretKeysInAnOpenEditorMakeNoMove() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    StartAt({2, 3});
    Type("12");
    Press(key, Qt::KeyboardModifiers::fromInt(modifiers));
    QCOMPARE(Grid().CurrentCell(), (CellPos{2, 3}));
    QVERIFY(w_->asked.empty());
    QVERIFY(Grid().EditorOpen());
    QCOMPARE(Grid().Cells().Cell(2, 3), QString("12"));
  }

  void ctrlDownScrollsTheViewWithoutMoving() {
    Press(Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(Grid().verticalScrollBar()->value(), 1);
    QCOMPARE(Grid().CurrentCell(), (CellPos{0, 1}));
  }

  void refusedMoveKeepsEverythingAndTheEditorOpenWithItsText() {
    StartAt({1, 2});
    Type("abc");
    QVERIFY(Grid().EditorOpen());
    QCOMPARE(Grid().Cells().Cell(1, 2), QString("abc"));
    w_->allowMoves = false;
    for (const int key : {Qt::Key_Down, Qt::Key_Tab, Qt::Key_PageDown}) {
      Press(key);
      QCOMPARE(Grid().CurrentCell(), (CellPos{1, 2}));
      QVERIFY(Grid().EditorOpen());
      QCOMPARE(Grid().Editor()->text(), QString("abc"));
      QCOMPARE(QApplication::focusWidget(), Grid().Editor());
    }
    QCOMPARE(w_->asked.size(), std::size_t{3});
    Press(Qt::Key_Backspace);
    Type("3");
    QCOMPARE(Grid().Cells().Cell(1, 2), QString("ab3"));
    w_->allowMoves = true;
    Press(Qt::Key_Down);
    QCOMPARE(Grid().CurrentCell(), (CellPos{1, 3}));
    QVERIFY(!Grid().EditorOpen());
    QCOMPARE(Grid().Cells().Cell(1, 2), QString("ab3"));
  }

  void refusedClickKeepsTheEditorOnTheCurrentCell() {
    Type("x");
    w_->allowMoves = false;
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(Grid(), {3, 4}));
    QCOMPARE(w_->asked, std::vector<CellPos>{(CellPos{3, 4})});
    QCOMPARE(Grid().CurrentCell(), (CellPos{0, 1}));
    QVERIFY(Grid().EditorOpen());
    QCOMPARE(QApplication::focusWidget(), Grid().Editor());
    Type("y");
    QCOMPARE(Grid().Cells().Cell(0, 1), QString("xy"));
  }

  void typingReplacesAndBackspaceEmpties() {
    Grid().Cells().SetCell(0, 1, "old text");
    Type("n");
    QCOMPARE(Grid().Cells().Cell(0, 1), QString("n"));
    Press(Qt::Key_Return);
    QVERIFY(!Grid().EditorOpen());
    Press(Qt::Key_Backspace);
    QVERIFY(Grid().EditorOpen());
    QCOMPARE(Grid().Cells().Cell(0, 1), QString());
  }

  // A closed cell takes the same characters as an open editor: those outside the basic plane
  // (sent as one key with a surrogate pair), joiners and private-use characters included.
  void closedCellTakesWhatTheEditorTakes_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("taken");
    QTest::newRow("accented letter") << QStringLiteral("\u00e9") << true;
    QTest::newRow("emoji") << QString::fromUcs4(U"\U0001F600") << true;
    QTest::newRow("CJK extension B") << QString::fromUcs4(U"\U00020000") << true;
    QTest::newRow("zero-width joiner") << QStringLiteral("\u200d") << true;
    QTest::newRow("private use") << QStringLiteral("\ue000") << true;
    QTest::newRow("combining mark") << QStringLiteral("\u0301") << true;
    QTest::newRow("control") << QStringLiteral("\u0001") << false;
    QTest::newRow("delete control") << QStringLiteral("\u007f") << false;
    QTest::newRow("unassigned") << QStringLiteral("\u0378") << false;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << false;
  }

  void closedCellTakesWhatTheEditorTakes() {
    QFETCH(QString, typed);
    QFETCH(bool, taken);
    Grid().Cells().SetCell(0, 1, "old");
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, typed, {});
    QCOMPARE(Grid().EditorOpen(), taken);
    QCOMPARE(Grid().Cells().Cell(0, 1), taken ? typed : QString("old"));
    Press(Qt::Key_F2);
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, typed, {});
    QCOMPARE(Grid().Cells().Cell(0, 1), taken ? typed + typed : QString("old"));
  }

  void backspaceWithACommandKeyLeavesAClosedCellAlone_data() {
    QTest::addColumn<int>("modifiers");
    QTest::newRow("ctrl") << static_cast<int>(Qt::ControlModifier);
    QTest::newRow("alt") << static_cast<int>(Qt::AltModifier);
    QTest::newRow("ctrl+shift") << static_cast<int>(Qt::ControlModifier | Qt::ShiftModifier);
  }

  void backspaceWithACommandKeyLeavesAClosedCellAlone() {
    QFETCH(int, modifiers);
    Grid().Cells().SetCell(0, 1, "early late night");
    Press(Qt::Key_Backspace, Qt::KeyboardModifiers::fromInt(modifiers));
    QVERIFY(!Grid().EditorOpen());
    QCOMPARE(Grid().Cells().Cell(0, 1), QString("early late night"));
  }

  void f2PutsTheCaretAfterTheText() {
    Grid().Cells().SetCell(0, 1, "9:0");
    Press(Qt::Key_F2);
    QVERIFY(Grid().EditorOpen());
    Type("0");
    QCOMPARE(Grid().Cells().Cell(0, 1), QString("9:00"));
  }

  void enterOpensAndClosesAndEscapeDoesNothing() {
    Grid().Cells().SetCell(0, 1, "keep");
    Press(Qt::Key_Return);
    QVERIFY(Grid().EditorOpen());
    QVERIFY(Grid().Editor()->hasSelectedText());
    Press(Qt::Key_Escape);
    QVERIFY(Grid().EditorOpen());
    Press(Qt::Key_Return);
    QVERIFY(!Grid().EditorOpen());
    QCOMPARE(Grid().Cells().Cell(0, 1), QString("keep"));
    QVERIFY(w_->asked.empty());
  }

  void editorNeverShortensALongCell() {
    const QString longText(40000, QChar('a'));
    Grid().Cells().SetCell(0, 1, longText);
    Press(Qt::Key_F2);
    Type("b");
    QCOMPARE(Grid().Cells().Cell(0, 1), longText + "b");
    Press(Qt::Key_Return);
    QCOMPARE(Grid().Cells().Cell(0, 1).size(), longText.size() + 1);
  }

  void writingTheCellUnderTheEditorShowsInIt() {
    Type("9a");
    Grid().Cells().SetCell(0, 1, "9:00 am");
    QCOMPARE(Grid().Editor()->text(), QString("9:00 am"));
  }

  void clickMovesAndAClickOnTheCurrentCellOpensTheEditor() {
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(Grid(), {2, 5}));
    QCOMPARE(Grid().CurrentCell(), (CellPos{2, 5}));
    QCOMPARE(w_->asked, std::vector<CellPos>{(CellPos{2, 5})});
    QVERIFY(!Grid().EditorOpen());
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(Grid(), {2, 5}));
    QVERIFY(Grid().EditorOpen());
    QCOMPARE(w_->asked.size(), std::size_t{1});
  }

  void clickOnAHeadingMakesNoMove() {
    QHeaderView* heading = Grid().horizontalHeader();
    QTest::mouseClick(heading->viewport(), Qt::LeftButton, {},
                      QPoint(heading->sectionViewportPosition(3) + 10, 10));
    QCOMPARE(Grid().CurrentCell(), (CellPos{0, 1}));
    QVERIFY(w_->asked.empty());
  }

  void wheelMovesOneRowPerNotch() {
    StartAt({1, 3});
    QWheelEvent down(QPointF(20, 40), Grid().viewport()->mapToGlobal(QPointF(20, 40)), {},
                     QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Grid().viewport(), &down);
    QCOMPARE(Grid().CurrentCell(), (CellPos{1, 4}));
    QWheelEvent up(QPointF(20, 40), Grid().viewport()->mapToGlobal(QPointF(20, 40)), {},
                   QPoint(0, 240), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Grid().viewport(), &up);
    QCOMPARE(Grid().CurrentCell(), (CellPos{1, 2}));
    QCOMPARE(w_->asked.size(), std::size_t{3});
  }

  void shiftStretchesTheRangeFromTheAnchor() {
    StartAt({1, 2});
    Press(Qt::Key_Down, Qt::ShiftModifier);
    Press(Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(Grid().CurrentCell(), (CellPos{2, 3}));
    QCOMPARE(Grid().AnchorCell(), (CellPos{1, 2}));
    QCOMPARE(Grid().selectionModel()->selectedIndexes().size(), 4);
    Press(Qt::Key_Down);
    QCOMPARE(Grid().AnchorCell(), (CellPos{2, 4}));
    QCOMPARE(Grid().selectionModel()->selectedIndexes().size(), 1);
  }

  void refusedShiftMoveKeepsTheRange() {
    StartAt({1, 2});
    Press(Qt::Key_Down, Qt::ShiftModifier);
    w_->allowMoves = false;
    Press(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(Grid().CurrentCell(), (CellPos{1, 3}));
    QCOMPARE(Grid().selectionModel()->selectedIndexes().size(), 2);
  }

  void programSettingRowOrColumnIsAMoveOnlyWhenItChangesTheCell() {
    Grid().SetCurrentRow(1);
    Grid().SetCurrentColumn(0);
    QVERIFY(w_->asked.empty());
    Grid().SetCurrentRow(6);
    QCOMPARE(w_->asked, std::vector<CellPos>{(CellPos{0, 6})});
    w_->allowMoves = false;
    Grid().SetCurrentColumn(4);
    QCOMPARE(Grid().CurrentCell(), (CellPos{0, 6}));
  }

  void focusLeavingHidesTheEditorAndReturningBringsItBack() {
    Type("12");
    w_->elsewhere->setFocus();
    QTRY_VERIFY(w_->elsewhere->hasFocus());
    QVERIFY(!Grid().EditorOpen());
    QCOMPARE(Grid().Cells().Cell(0, 1), QString("12"));
    Grid().setFocus();
    QTRY_VERIFY(Grid().EditorOpen());
    QCOMPARE(Grid().Editor()->selectedText(), QString("12"));
    QVERIFY(w_->asked.empty());
  }

  void draggedColumnMovesItsHeadingCellsAndWidth() {
    for (int col = 0; col < 6; ++col) {
      Grid().Cells().SetCell(col, 0, QString("H%1").arg(col));
      Grid().Cells().SetCell(col, 2, QString("c%1").arg(col));
    }
    StartAt({3, 2});
    QHeaderView* heading = Grid().horizontalHeader();
    heading->moveSection(3, 4);
    const QStringList headings{"H0", "H1", "H2", "H4", "H3", "H5"};
    for (int col = 0; col < 6; ++col) {
      QCOMPARE(Grid().Cells().Cell(col, 0), headings[col]);
      QCOMPARE(heading->logicalIndex(col), col);
    }
    QCOMPARE(Grid().Cells().Cell(3, 2), QString("c4"));
    QCOMPARE(Grid().Cells().Cell(4, 2), QString("c3"));
    QCOMPARE(heading->sectionSize(3), 72);
    QCOMPARE(heading->sectionSize(4), 70);
    QCOMPARE(Grid().CurrentCell(), (CellPos{4, 2}));
    QVERIFY(w_->asked.empty());
    Grid().Cells().SetCell(3, 2, "written");
    QCOMPARE(Grid().model()->index(1, 3).data().toString(), QString("written"));
  }

  // Pressing a heading or the scroll bar gives the focus to the grid; the open editor keeps
  // the keyboard, so the next key goes on at its caret instead of replacing the text.
  void editorKeepsTheKeyboardAfterAClickBesideTheCells_data() {
    QTest::addColumn<bool>("onHeading");
    QTest::newRow("heading") << true;
    QTest::newRow("scroll bar") << false;
  }

  void editorKeepsTheKeyboardAfterAClickBesideTheCells() {
    QFETCH(bool, onHeading);
    Type("12");
    QWidget* beside = onHeading ? Grid().horizontalHeader()->viewport()
                                : static_cast<QWidget*>(Grid().verticalScrollBar());
    QTest::mouseClick(beside, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(Grid().EditorOpen());
    QCOMPARE(QApplication::focusWidget(), Grid().Editor());
    Type("3");
    QCOMPARE(Grid().Cells().Cell(0, 1), QString("123"));
  }

  void headingDraggedWithTheMouseMovesTheColumn() {
    Grid().Cells().SetCell(1, 0, "#");
    Grid().Cells().SetCell(1, 1, "5");
    QHeaderView* heading = Grid().horizontalHeader();
    const int y = heading->height() / 2;
    const QPoint start(heading->sectionViewportPosition(1) + 10, y);
    const QPoint drop(heading->sectionViewportPosition(4) + 60, y);
    QTest::mousePress(heading->viewport(), Qt::LeftButton, {}, start);
    for (int x = start.x(); x <= drop.x(); x += 20) {
      QMouseEvent move(QEvent::MouseMove, QPointF(x, y),
                       heading->viewport()->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                       Qt::LeftButton, {});
      QApplication::sendEvent(heading->viewport(), &move);
    }
    QTest::mouseRelease(heading->viewport(), Qt::LeftButton, {}, drop);
    QCOMPARE(Grid().Cells().Cell(4, 0), QString("#"));
    QCOMPARE(Grid().Cells().Cell(4, 1), QString("5"));
    QCOMPARE(Grid().Cells().Cell(1, 1), QString());
    QVERIFY(w_->asked.empty());
  }

  // The current cell stays plain inside the highlighted range, whether or not its grid has the
  // keyboard.
  void currentCellStaysPlainInsideTheRange_data() {
    QTest::addColumn<bool>("focused");
    QTest::newRow("grid focused") << true;
    QTest::newRow("focus elsewhere") << false;
  }

  void currentCellStaysPlainInsideTheRange() {
    QFETCH(bool, focused);
    StartAt({1, 2});
    Press(Qt::Key_Down, Qt::ShiftModifier);
    if (!focused) {
      w_->elsewhere->setFocus();
      QTRY_VERIFY(w_->elsewhere->hasFocus());
    }
    const QPalette& colours = Grid().palette();
    QCOMPARE(FaceOf({1, 3}), colours.color(QPalette::Active, QPalette::Base));
    QCOMPARE(FaceOf({1, 2}), colours.color(QPalette::Active, QPalette::Highlight));
  }

  // A range is highlighted in the colours of its window's state, as the desktop gives them.
  void rangeTakesTheColoursOfItsWindowsState_data() {
    QTest::addColumn<bool>("windowActive");
    QTest::newRow("active window") << true;
    QTest::newRow("inactive window") << false;
  }

  void rangeTakesTheColoursOfItsWindowsState() {
    QFETCH(bool, windowActive);
    QPalette colours = Grid().palette();
    colours.setColor(QPalette::Active, QPalette::Highlight, QColor(0, 0, 200));
    colours.setColor(QPalette::Inactive, QPalette::Highlight, QColor(0, 120, 0));
    Grid().setPalette(colours);
    StartAt({1, 2});
    Press(Qt::Key_Down, Qt::ShiftModifier);
    QWidget other;
    if (!windowActive) {
      other.show();
      other.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    const QPalette::ColorGroup group = windowActive ? QPalette::Active : QPalette::Inactive;
    QCOMPARE(FaceOf({1, 2}), colours.color(group, QPalette::Highlight));
  }

  // Without a window manager, or with one that does not activate on click, keys reach a window
  // that is not the active one; the keyboard must stay in the grid when the editor closes.
  void keyboardStaysInTheGridOfAnInactiveWindowWhenTheEditorCloses() {
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!w_->window.isActiveWindow());
    for (const int closingKey : {int(Qt::Key_Tab), int(Qt::Key_Return)}) {
      QTest::keyClick(w_->window.focusWidget(), Qt::Key_5);
      QVERIFY(Grid().EditorOpen());
      QTest::keyClick(w_->window.focusWidget(), static_cast<Qt::Key>(closingKey));
      QVERIFY(!Grid().EditorOpen());
      QCOMPARE(w_->window.focusWidget(), &Grid());
    }
    QCOMPARE(Grid().CurrentCell(), (CellPos{1, 1}));
  }
};

QTEST_MAIN(CellGridTest)
#include "cell_grid_test.moc"
