// Drives the real main window through a long run of random user actions: typing any character,
// pasting long text, every key of the cell-move table, clicks, the wheel, heading drags that
// move or widen columns, the scroll bar and Clear with either answer. After each action the
// window must show exactly what the test's own model of it expects: the labels that a fresh
// recalculation over copies of the cells gives at the last move attempt, the cells, the current
// cells, the editors and the focus.
//
// The run is fixed by its seed: SHIFTMETER_STRAIN_SEED overrides the default seed and
// SHIFTMETER_STRAIN_ACTIONS the number of actions. A failure names the seed and the action.

#include <QtTest/qtestspontaneevent.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <array>
#include <deque>
#include <map>
#include <optional>
#include <random>

#include "calc/grid_shape.h"
#include "calc/recalc.h"
#include "result_labels.h"
#include "ui/CellGridView.h"
#include "ui/SHMMain.h"
#include "ui_test_support.h"

using ui::CellGridView;
using ui::CellPos;
namespace needed_grid = calc::needed_grid;
namespace staff_grid = calc::staff_grid;

namespace {

constexpr std::uint32_t kDefaultSeed = 0x5b1f7u;

constexpr int kDefaultActions = 20000;

template <class Number>
Number FromEnvironment(const char* name, Number fallback) {
  const QByteArray text = qgetenv(name);
  bool ok = false;
  const qulonglong value = text.toULongLong(&ok, 0);
  return ok ? static_cast<Number>(value) : fallback;
}

constexpr int kNeeded = 0;
constexpr int kStaff = 1;
constexpr int kNoGrid = -1;

// The texts of one grid, heading row included, row after row.
struct GridCellsCopy {
  int cols = 0;
  int rows = 0;
  QStringList texts;

  QString& At(int col, int row) { return texts[row * cols + col]; }
  const QString& At(int col, int row) const { return texts[row * cols + col]; }
};

GridCellsCopy CopyCells(const CellGridView& grid) {
  return {grid.Cells().ColCount(), grid.Cells().RowCount(), ui_test::CellTexts(grid)};
}

calc::MemoryCellGrid ToMemory(const GridCellsCopy& cells) {
  calc::MemoryCellGrid memory(cells.cols, cells.rows);
  for (int row = 0; row < cells.rows; ++row) {
    for (int col = 0; col < cells.cols; ++col) {
      memory.SetCell(col, row, cells.At(col, row).toStdString());
    }
  }
  return memory;
}

// Takes back the cells the recalculation rewrote; a cell it left alone keeps its exact text.
void TakeRewrites(const calc::MemoryCellGrid& memory, GridCellsCopy& cells) {
  for (int row = 0; row < cells.rows; ++row) {
    for (int col = 0; col < cells.cols; ++col) {
      const std::string text = memory.Cell(col, row);
      if (text != cells.At(col, row).toStdString()) {
        cells.At(col, row) = QString::fromStdString(text);
      }
    }
  }
}

// What the test expects the window to show after an action.
struct Expected {
  std::array<GridCellsCopy, 2> cells;
  std::array<CellPos, 2> current;
  // An editor that is open, or hidden while its grid lacks the focus and back when it returns.
  std::array<bool, 2> editorWanted{};
  int focused = kNeeded;
  ResultLabels labels;
  // After an editing command whose result the test does not work out (Delete, undo, cut), the
  // current cell of the focused grid may hold any text, as long as the editor shows the same.
  bool editedFreely = false;

  bool EditorVisible(int grid) const { return focused == grid && editorWanted[grid]; }
};

// Recalculates copies of both grids as the window does before a move; answers its result.
calc::ReCalcResult Recalculate(std::array<GridCellsCopy, 2>& cells) {
  calc::MemoryCellGrid needed = ToMemory(cells[kNeeded]);
  calc::MemoryCellGrid staff = ToMemory(cells[kStaff]);
  const calc::ReCalcResult result = calc::ReCalc(needed, staff);
  TakeRewrites(needed, cells[kNeeded]);
  TakeRewrites(staff, cells[kStaff]);
  return result;
}

// The editor's text with its selection, or the empty range at its caret, replaced.
QString Replaced(const QLineEdit& editor, const QString& insertion) {
  const QString text = editor.text();
  const int start = editor.hasSelectedText() ? editor.selectionStart() : editor.cursorPosition();
  const int end = editor.hasSelectedText() ? editor.selectionEnd() : start;
  return text.left(start) + insertion + text.mid(end);
}

// Backspace removes the selection, or the one code point before the caret.
QString AfterBackspace(const QLineEdit& editor) {
  if (editor.hasSelectedText()) {
    return Replaced(editor, {});
  }
  QString text = editor.text();
  const int caret = editor.cursorPosition();
  if (caret == 0) {
    return text;
  }
  const bool pair =
      caret > 1 && text.at(caret - 1).isLowSurrogate() && text.at(caret - 2).isHighSurrogate();
  return text.remove(caret - (pair ? 2 : 1), pair ? 2 : 1);
}

enum class Kind {
  Type,        // a key carrying text
  Key,         // a key without text of its own: moves, Enter, F2, Escape, editing commands
  Paste,       // puts `text` on the clipboard (unless empty) and presses Ctrl+V
  ClickCell,   // a click on `cell` of `grid`
  Wheel,       // one notch of the wheel over `grid`, down when `down`
  DragColumn,  // drags the heading at position `from` of `grid` to `to`
  Widen,       // drags the right edge of heading `from` of `grid` until it is `to` wide
  ScrollBar,   // a click on the needed grid's scroll bar at height `y`
  Clear,       // a click on Clear, answered `yes`
};

struct Action {
  Kind kind = Kind::Key;
  int key = 0;  // for Key
  Qt::KeyboardModifiers modifiers{};
  QString text{};
  int grid = kNeeded;
  CellPos cell{};
  bool down = false;
  int from = 0;
  int to = 0;
  int y = 0;
  bool yes = false;
};

QString Visible(const QString& text) {
  QString shown;
  for (const char32_t point : text.toUcs4()) {
    shown += point >= 0x20 && point < 0x7f
                 ? QString(QChar(point))
                 : QStringLiteral("\\u{%1}").arg(static_cast<uint>(point), 0, 16);
  }
  return shown;
}

QString Describe(const Action& action) {
  const QString grid = action.grid == kNeeded ? QStringLiteral("needed") : QStringLiteral("staff");
  switch (action.kind) {
    case Kind::Type:
      return QStringLiteral("type \"%1\"").arg(Visible(action.text));
    case Kind::Key:
      return QStringLiteral("key %1").arg(
          QKeySequence(static_cast<int>(action.modifiers.toInt()) | action.key).toString());
    case Kind::Paste:
      return QStringLiteral("paste %1 characters").arg(action.text.size());
    case Kind::ClickCell:
      return QStringLiteral("click %1 cell (%2, %3)")
          .arg(grid)
          .arg(action.cell.col)
          .arg(action.cell.row);
    case Kind::Wheel:
      return QStringLiteral("wheel %1 over %2").arg(action.down ? "down" : "up").arg(grid);
    case Kind::DragColumn:
      return QStringLiteral("drag %1 heading %2 to %3").arg(grid).arg(action.from).arg(action.to);
    case Kind::Widen:
      return QStringLiteral("make %1 column %2 %3 wide").arg(grid).arg(action.from).arg(action.to);
    case Kind::ScrollBar:
      return QStringLiteral("click the needed scroll bar at %1").arg(action.y);
    case Kind::Clear:
      return QStringLiteral("Clear, answered %1").arg(action.yes ? "Yes" : "No");
  }
  return {};
}

// Texts for the cells, by what the column at that position is read as.
const QStringList kWholeNumbers{"0",           "1",     "2",   "3",  "7",          "12",
                                "-3",          " 4",    "007", "+5", "2147483647", "-2147483648",
                                "99999999999", "1,000", "3.5", "x"};
const QStringList kTimes{"9a",      "9:30",           "5p",   "12:00 am", "10:00 pm", "6:00 am",
                         "9:30:15", "7:45:30.250 pm", "0:00", "23:59",    "12p",      "25:00",
                         "9:61",    "noon",           "1 2"};
const QStringList kHours{"37.5", "40",    "0.125", "1e3", "2.675", "7.555", "-8",
                         "1000", "1,000", "1e400", ".5",  "5.",    "4O"};
const QStringList kWords{"Night", "Früh", "夜勤", "שמירה", "Équipe B", "Ω-shift", "👷 crew", ""};

// Characters from many corners of Unicode: controls, marks, joiners, right-to-left letters,
// private use, unassigned points, and characters beyond the basic plane.
const std::vector<char32_t> kOddCharacters{
    0x00,   0x01,   0x08,   0x09,    0x0a,    0x0d,    0x1b,    0x1f,    0x7f,
    0x85,   0x9f,   0xa0,   0xad,    0xe9,    0x301,   0x378,   0x5d0,   0x627,
    0x200b, 0x200d, 0x200f, 0x2028,  0x202e,  0x3000,  0x4e00,  0xac00,  0xe000,
    0xfeff, 0xfffd, 0xffff, 0x1d400, 0x1f600, 0x1f469, 0x20000, 0x10fffd};

// Qt 6.4 leaves a heading's drag-scrolling timer running after the drop. It ticks on until a
// tick finds nothing to scroll, and a tick scrolls when the view has moved since the drop (the
// drop itself may move it to show the current cell). No planner acts within those ticks;
// waiting them out keeps the view's position, and so the run, off the clock.
class DragScrollWait : public QObject {
 public:
  DragScrollWait(QHeaderView* heading, const QScrollBar* scroll)
      : heading_(heading), scroll_(scroll) {
    clock_.start();
    heading_->installEventFilter(this);
  }
  ~DragScrollWait() override { heading_->removeEventFilter(this); }

  // A Qt that stops the timer at the drop sends no tick, and the wait runs out.
  void Await() {
    static_cast<void>(QTest::qWaitFor(
        [this] {
          if (ticked_ && scroll_->value() != valueBeforeTick_) {
            ticked_ = false;  // this tick scrolled, so another follows
          }
          return ticked_;
        },
        2000));
  }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    constexpr qint64 kEarliestTick = 45;
    if (event->type() == QEvent::Timer && clock_.elapsed() >= kEarliestTick) {
      ticked_ = true;
      valueBeforeTick_ = scroll_->value();
    }
    return false;
  }

 private:
  QHeaderView* heading_;
  const QScrollBar* scroll_;
  QElapsedTimer clock_;
  bool ticked_ = false;
  int valueBeforeTick_ = 0;
};

class Driver {
 public:
  Driver(ui::TMainForm& form, std::uint32_t seed) : form_(form), random_(seed) {
    grids_ = {ui_test::NeededGrid(form_), ui_test::StaffGrid(form_)};
    form_.SetConfirmation([this](QWidget*) {
      ++confirmationsAsked_;
      return answerYes_;
    });
    std::array<GridCellsCopy, 2> cells{CopyCells(*grids_[kNeeded]), CopyCells(*grids_[kStaff])};
    model_.cells = cells;
    model_.labels = ResultLabels::Of(Recalculate(cells));
    model_.current = {grids_[kNeeded]->CurrentCell(), grids_[kStaff]->CurrentCell()};
  }

  // Plays one action and answers what, if anything, the window shows differently from the model.
  QString Step() {
    const Action action = NextAction();
    lastAction_ = Describe(action);
    recent_.push_back(lastAction_);
    if (recent_.size() > 12) {
      recent_.pop_front();
    }
    ++counts_[action.kind];
    if (action.kind == Kind::Paste && !action.text.isEmpty()) {
      QGuiApplication::clipboard()->setText(action.text);  // copied from elsewhere
    }
    Expected expected = Plan(action);
    const int askedBefore = confirmationsAsked_;
    Perform(action);
    Settle();
    const int asked = confirmationsAsked_ - askedBefore;
    const QString problem = asked != (action.kind == Kind::Clear ? 1 : 0)
                                ? QStringLiteral("asked to confirm Clear %1 times").arg(asked)
                                : Compare(expected);
    if (expected.editedFreely && problem.isEmpty()) {
      const int grid = expected.focused;
      const CellPos at = expected.current[grid];
      expected.cells[grid].At(at.col, at.row) = grids_[grid]->Cells().Cell(at.col, at.row);
    }
    expected.editedFreely = false;
    model_ = expected;
    return problem;
  }

  // Whether the window shows what the model expects now, before any action or after the last.
  QString Check() const { return Compare(model_); }

  QString LastAction() const { return lastAction_; }
  QString RecentActions() const { return QStringList(recent_.begin(), recent_.end()).join(" / "); }

  QString Summary() const {
    QStringList parts;
    const QStringList names{"typed", "keys",   "pastes", "clicks", "wheel",
                            "drags", "widths", "scroll", "clear"};
    for (const auto& [kind, count] : counts_) {
      parts << QStringLiteral("%1 %2").arg(names[static_cast<int>(kind)]).arg(count);
    }
    parts << QStringLiteral("moves allowed %1, refused %2").arg(movesAllowed_).arg(movesRefused_);
    return parts.join(QStringLiteral(", "));
  }

 private:
  CellGridView& Grid(int grid) const { return *grids_[static_cast<std::size_t>(grid)]; }

  int Pick(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
  bool Chance(double share) { return std::bernoulli_distribution(share)(random_); }
  template <class List>
  auto PickFrom(const List& items) {
    return items[static_cast<decltype(items.size())>(Pick(static_cast<int>(items.size())))];
  }

  // ---- choosing the next action

  Action NextAction() {
    if (!queued_.empty()) {
      const Action next = queued_.front();
      queued_.pop_front();
      return next;
    }
    if (model_.focused == kNoGrid) {
      return ClickSomeCell();
    }
    if (stuck_ && Chance(0.3)) {
      return Repair();
    }
    const int roll = Pick(100);
    if (roll < 28) {
      return TypeEntry();
    }
    if (roll < 36) {
      return TypeOne(QString::fromUcs4(std::array{PickFrom(kOddCharacters)}.data(), 1));
    }
    if (roll < 61) {
      return MoveKey();
    }
    if (roll < 69) {
      return EditingKey();
    }
    if (roll < 81) {
      return ClickSomeCell();
    }
    if (roll < 87) {
      return {.kind = Kind::Wheel, .grid = Pick(2), .down = Chance(0.5)};
    }
    if (roll < 92) {
      return PasteSomething();
    }
    if (roll < 94) {
      return Chance(0.5) ? DragSomeColumn() : WidenSomeColumn();
    }
    if (roll < 97) {
      return {.kind = Kind::ScrollBar, .y = Pick(Grid(kNeeded).verticalScrollBar()->height())};
    }
    return {.kind = Kind::Clear, .yes = Chance(0.5)};
  }

  static Action Key(int key, Qt::KeyboardModifiers modifiers = {}) {
    return {.kind = Kind::Key, .key = key, .modifiers = modifiers};
  }

  static Action TypeOne(const QString& text) { return {.kind = Kind::Type, .text = text}; }

  // An entry that suits the column the current cell stands in, typed key by key, mostly in
  // place of the cell's text.
  Action TypeEntry() {
    const int grid = model_.focused;
    const int col = model_.current[grid].col;
    const bool whole = grid == kNeeded
                           ? col == needed_grid::kShifts || col == needed_grid::kEmployees
                           : col == staff_grid::kEmployees;
    const bool time = grid == kNeeded && (col == needed_grid::kStart || col == needed_grid::kEnd);
    const bool hours = grid == kStaff && col == staff_grid::kHours;
    const QString entry = Chance(0.1) ? PickFrom(kWords)
                          : whole     ? PickFrom(kWholeNumbers)
                          : time      ? PickFrom(kTimes)
                          : hours     ? PickFrom(kHours)
                                      : PickFrom(kWords);
    if (model_.EditorVisible(grid) && Chance(0.7)) {
      queued_.push_back(Key(Qt::Key_A, Qt::ControlModifier));
    }
    for (const char32_t point : entry.toUcs4()) {
      queued_.push_back(TypeOne(QString::fromUcs4(&point, 1)));
    }
    if (queued_.empty()) {
      return Key(Qt::Key_Backspace);
    }
    const Action first = queued_.front();
    queued_.pop_front();
    return first;
  }

  Action MoveKey() {
    static const std::array kKeys{Qt::Key_Up,     Qt::Key_Down,     Qt::Key_Left,
                                  Qt::Key_Right,  Qt::Key_Home,     Qt::Key_End,
                                  Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Tab};
    if (Chance(0.08)) {
      return Key(Qt::Key_Backtab, Qt::ShiftModifier);
    }
    const Qt::Key key = PickFrom(kKeys);
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ControlModifier, key != Qt::Key_Tab && Chance(0.25));
    modifiers.setFlag(Qt::ShiftModifier, Chance(0.15));
    return Key(key, modifiers);
  }

  Action EditingKey() {
    static const std::array<std::pair<int, Qt::KeyboardModifiers>, 12> kKeys{{
        {Qt::Key_Return, {}},
        {Qt::Key_Enter, Qt::KeypadModifier},
        {Qt::Key_F2, {}},
        {Qt::Key_Escape, {}},
        {Qt::Key_Backspace, {}},
        {Qt::Key_Delete, {}},
        {Qt::Key_A, Qt::ControlModifier},
        {Qt::Key_Z, Qt::ControlModifier},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_X, Qt::ControlModifier},
        {Qt::Key_Backspace, Qt::ControlModifier},
        {Qt::Key_K, Qt::ControlModifier},
    }};
    const auto& [key, modifiers] = PickFrom(kKeys);
    return Key(key, modifiers);
  }

  Action ClickSomeCell() {
    const int grid = Pick(2);
    const ui::GridExtent extent = Grid(grid).Extent();
    const int row = extent.topVisibleRow + Pick(extent.bottomVisibleRow - extent.topVisibleRow + 1);
    return {.kind = Kind::ClickCell, .grid = grid, .cell = {PickFrom(ShownColumns(grid)), row}};
  }

  // The columns whose headings are in view from edge to edge, where a drag can start or end.
  std::vector<int> ShownColumns(int grid) const {
    const QHeaderView& heading = *Grid(grid).horizontalHeader();
    std::vector<int> shown;
    for (int col = 0; col < heading.count(); ++col) {
      const int left = heading.sectionViewportPosition(col);
      if (left >= 0 && left + heading.sectionSize(col) <= heading.viewport()->width()) {
        shown.push_back(col);
      }
    }
    return shown;
  }

  QString PasteText() {
    const int roll = Pick(100);
    const int length = roll < 70   ? 1 + Pick(120)
                       : roll < 97 ? 500 + Pick(4000)
                                   : 30000 + Pick(40000);
    QString text;
    while (text.size() < length) {
      const int kind = Pick(10);
      if (kind < 6) {
        text += QChar(0x20 + Pick(0x5f));
      } else if (kind < 9) {
        const char32_t point = PickFrom(kOddCharacters);
        text += QString::fromUcs4(&point, 1);
      } else {
        text += PickFrom(kWholeNumbers);
      }
    }
    return Chance(0.3) ? PickFrom(kWholeNumbers) + PickFrom(kHours) : text;
  }

  Action PasteSomething() {
    Action paste{.kind = Kind::Paste, .text = Chance(0.8) ? PasteText() : QString()};
    if (!model_.EditorVisible(model_.focused) && Chance(0.7)) {
      queued_.push_back(paste);
      return Key(Qt::Key_F2);
    }
    return paste;
  }

  Action DragSomeColumn() {
    const int grid = Pick(2);
    const std::vector<int> shown = ShownColumns(grid);
    const int from = PickFrom(shown);
    const int to = PickFrom(shown);
    const bool droppable = DropPoint(*Grid(grid).horizontalHeader(), from, to).has_value();
    return {.kind = Kind::DragColumn,
            .grid = grid,
            .from = from,
            .to = droppable && Chance(0.9) ? to : from};
  }

  // Widths stay wide enough to press a heading in its middle rather than on an edge.
  Action WidenSomeColumn() {
    const int grid = Pick(2);
    return {.kind = Kind::Widen,
            .grid = grid,
            .from = PickFrom(ShownColumns(grid)),
            .to = 16 + Pick(150)};
  }

  // A planner stuck on an unreadable entry empties the current cell when that is the one at
  // fault, and clears the calculator otherwise.
  Action Repair() {
    const int grid = model_.focused;
    const CellPos at = model_.current[grid];
    std::array<GridCellsCopy, 2> cells = model_.cells;
    cells[grid].At(at.col, at.row).clear();
    if (!Recalculate(cells).ok) {
      return {.kind = Kind::Clear, .yes = true};
    }
    if (model_.EditorVisible(grid)) {
      queued_.push_back(Key(Qt::Key_Backspace));
      return Key(Qt::Key_A, Qt::ControlModifier);
    }
    return Key(Qt::Key_Backspace);
  }

  // ---- what the window should show afterwards

  // A move attempt in `grid`: the recalculation over copies of the cells decides it.
  void Attempt(Expected& next, int grid, CellPos target) {
    if (target == next.current[grid]) {
      return;
    }
    const calc::ReCalcResult result = Recalculate(next.cells);
    next.labels = ResultLabels::Of(result);
    stuck_ = !result.ok;
    if (!result.ok) {
      ++movesRefused_;
      return;
    }
    ++movesAllowed_;
    next.current[grid] = target;
    if (next.focused == grid) {
      next.editorWanted[grid] = false;
    }
  }

  void SetCurrentText(Expected& next, const QString& text) {
    const CellPos at = next.current[next.focused];
    next.cells[next.focused].At(at.col, at.row) = text;
  }

  Expected Plan(const Action& action) {
    Expected next = model_;
    switch (action.kind) {
      case Kind::Type:
        PlanTyping(next, action.text);
        break;
      case Kind::Key:
        PlanKey(next, action);
        break;
      case Kind::Paste:
        if (next.EditorVisible(next.focused)) {
          SetCurrentText(
              next, Replaced(*Grid(next.focused).Editor(), QGuiApplication::clipboard()->text()));
        }
        break;
      case Kind::ClickCell:
        next.focused = action.grid;
        if (action.cell == next.current[action.grid]) {
          next.editorWanted[action.grid] = true;
        } else {
          Attempt(next, action.grid, action.cell);
        }
        break;
      case Kind::Wheel: {
        const CellPos at = next.current[action.grid];
        const int last = Grid(action.grid).Cells().RowCount() - 1;
        const int row = action.down ? std::min(at.row + 1, last) : std::max(at.row - 1, 1);
        Attempt(next, action.grid, {at.col, row});
        break;
      }
      case Kind::DragColumn:
        PlanDrag(next, action);
        break;
      case Kind::Widen:
        next.focused = action.grid;
        break;
      case Kind::ScrollBar:
        next.focused = kNeeded;
        break;
      case Kind::Clear:
        PlanClear(next, action.yes);
        break;
    }
    return next;
  }

  void PlanTyping(Expected& next, const QString& text) {
    const int grid = next.focused;
    if (!ui::EditorTakes(text)) {
      return;
    }
    if (next.EditorVisible(grid)) {
      SetCurrentText(next, Replaced(*Grid(grid).Editor(), text));
    } else {
      next.editorWanted[grid] = true;
      SetCurrentText(next, text);
    }
  }

  void PlanKey(Expected& next, const Action& action) {
    const int grid = next.focused;
    const bool open = next.EditorVisible(grid);
    const CellPos at = next.current[grid];
    if (const std::optional<ui::CellMove> move =
            ui::MoveForKey(action.key, action.modifiers, open)) {
      Attempt(next, grid, ui::MoveTarget(at, *move, Grid(grid).Extent()));
      return;
    }
    const bool command = action.modifiers & Qt::ControlModifier;
    switch (action.key) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        next.editorWanted[grid] = !open;
        return;
      case Qt::Key_F2:
        next.editorWanted[grid] = true;
        return;
      case Qt::Key_Backspace:
        if (!open && !command) {
          next.editorWanted[grid] = true;
          SetCurrentText(next, {});
        } else if (!open) {
          return;
        } else if (command) {
          next.editedFreely = true;
        } else {
          SetCurrentText(next, AfterBackspace(*Grid(grid).Editor()));
        }
        return;
      case Qt::Key_Delete:
      case Qt::Key_Z:
      case Qt::Key_X:
      case Qt::Key_K:
        next.editedFreely = open;
        return;
      default:
        return;  // Escape, Ctrl+A, caret keys, Ctrl+Up and Ctrl+Down change no text
    }
  }

  void PlanDrag(Expected& next, const Action& action) {
    const int grid = action.grid;
    next.focused = grid;
    if (action.from == action.to) {
      return;
    }
    next.editorWanted[grid] = false;
    GridCellsCopy& cells = next.cells[grid];
    for (int row = 0; row < cells.rows; ++row) {
      const QString moving = cells.At(action.from, row);
      const int step = action.from < action.to ? 1 : -1;
      for (int col = action.from; col != action.to; col += step) {
        cells.At(col, row) = cells.At(col + step, row);
      }
      cells.At(action.to, row) = moving;
    }
    int& col = next.current[grid].col;
    if (col == action.from) {
      col = action.to;
    } else if (action.from < col && col <= action.to) {
      --col;
    } else if (action.to <= col && col < action.from) {
      ++col;
    }
  }

  void PlanClear(Expected& next, bool yes) {
    next.focused = kNoGrid;
    if (!yes) {
      return;
    }
    for (GridCellsCopy& cells : next.cells) {
      for (int row = 1; row < cells.rows; ++row) {
        for (int col = 0; col < cells.cols; ++col) {
          cells.At(col, row).clear();
        }
      }
    }
    std::array<GridCellsCopy, 2> emptied = next.cells;
    next.labels = ResultLabels::Of(Recalculate(emptied));
    next.current = {CellPos{0, 1}, CellPos{0, 1}};
    stuck_ = false;
  }

  // ---- doing it, as a user would

  void Perform(const Action& action) {
    switch (action.kind) {
      case Kind::Type:
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), KeyFor(action.text),
                            action.text, action.modifiers);
        break;
      case Kind::Key:
        ui_test::Press(action.key, action.modifiers);
        break;
      case Kind::Paste:
        ui_test::Press(Qt::Key_V, Qt::ControlModifier);
        break;
      case Kind::ClickCell:
        ClickCell(Grid(action.grid), action.cell);
        break;
      case Kind::Wheel:
        Wheel(Grid(action.grid), action.down);
        break;
      case Kind::DragColumn:
        DragHeading(Grid(action.grid), action.from, action.to);
        break;
      case Kind::Widen:
        DragEdge(Grid(action.grid), action.from, action.to);
        break;
      case Kind::ScrollBar: {
        QScrollBar* bar = Grid(kNeeded).verticalScrollBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, action.y));
        break;
      }
      case Kind::Clear:
        answerYes_ = action.yes;
        QTest::mouseClick(ui_test::Find<QPushButton>(form_, "btnClear"), Qt::LeftButton);
        break;
    }
  }

  // The key code a keyboard sends with a character: its capital for letters.
  static Qt::Key KeyFor(const QString& text) {
    const char32_t point = text.toUcs4().value(0);
    return point >= 0x20 && point != 0x7f ? static_cast<Qt::Key>(QChar::toUpper(point))
                                          : Qt::Key_unknown;
  }

  // The click lands on whatever is drawn there: the cell, or the editor open over it.
  static void ClickCell(CellGridView& grid, CellPos cell) {
    const QPoint centre = ui_test::CellCentre(grid, cell);
    QWidget* target = grid.viewport()->childAt(centre);
    if (target == nullptr) {
      QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centre);
    } else {
      QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(grid.viewport(), centre));
    }
  }

  static void Wheel(CellGridView& grid, bool down) {
    const QPoint at = grid.viewport()->rect().center();
    QWheelEvent wheel(
        at, grid.viewport()->mapToGlobal(at), {},
        {0, down ? -QWheelEvent::DefaultDeltasPerStep : QWheelEvent::DefaultDeltasPerStep},
        Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::instance()->notify(grid.viewport(), &wheel);
  }

  // Where to let go of the heading at `from` so that it lands at `to`: past the middle of the
  // heading at `to`, and clear of the scrolling margins at either end. There the heading would
  // go on scrolling by a timer after the release (Qt 6.4), which would tie the view's position,
  // and so the actions that follow, to the clock. Nothing when there is no such point.
  static std::optional<int> DropPoint(const QHeaderView& heading, int from, int to) {
    const int margin = heading.autoScrollMargin();
    const int left = heading.sectionViewportPosition(to);
    const int width = heading.sectionSize(to);
    const int middle = left + width / 2;
    const int lowest = to > from ? middle + 1 : std::max(left, margin);
    const int highest = to > from
                            ? std::min(left + width - 1, heading.viewport()->width() - 1 - margin)
                            : middle - 1;
    if (lowest > highest) {
      return std::nullopt;
    }
    return std::clamp(to > from ? left + width * 3 / 4 : left + width / 4, lowest, highest);
  }

  // Presses the heading, drags it sideways and lets go where the heading drops it at `to`.
  static void DragHeading(CellGridView& grid, int from, int to) {
    QHeaderView* heading = grid.horizontalHeader();
    QWidget* surface = heading->viewport();
    const int y = heading->height() / 2;
    const QPoint start(heading->sectionViewportPosition(from) + heading->sectionSize(from) / 2, y);
    const QPoint drop(DropPoint(*heading, from, to).value_or(start.x()), y);
    QTest::mousePress(surface, Qt::LeftButton, {}, start);
    if (from != to) {
      const int step = drop.x() > start.x() ? 6 : -6;
      for (int x = start.x() + step; (drop.x() - x) * step > 0; x += step) {
        QTest::mouseMove(surface, QPoint(x, y));
      }
      QTest::mouseMove(surface, drop);
    }
    QTest::mouseRelease(surface, Qt::LeftButton, {}, from == to ? start : drop);
    if (from != to) {
      DragScrollWait(heading, grid.horizontalScrollBar()).Await();
    }
  }

  static void DragEdge(CellGridView& grid, int col, int width) {
    QHeaderView* heading = grid.horizontalHeader();
    QWidget* surface = heading->viewport();
    const int y = heading->height() / 2;
    const int edge = heading->sectionViewportPosition(col) + heading->sectionSize(col) - 1;
    const int end = edge + width - heading->sectionSize(col);
    QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(edge, y));
    const int step = end > edge ? 5 : -5;
    for (int x = edge + step; (end - x) * step > 0; x += step) {
      QTest::mouseMove(surface, QPoint(x, y));
    }
    QTest::mouseMove(surface, QPoint(end, y));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(end, y));
  }

  static void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // ---- comparing

  QString Compare(const Expected& expected) const {
    const ResultLabels shown = ResultLabels::ShownBy(form_);
    if (shown != expected.labels) {
      return QStringLiteral("labels \"%1\" \"%2\" \"%3\" %4, expected \"%5\" \"%6\" \"%7\" %8")
          .arg(shown.hrsNeeded, shown.hrsAvail, shown.message, shown.colour.name(),
               expected.labels.hrsNeeded, expected.labels.hrsAvail, expected.labels.message,
               expected.labels.colour.name());
    }
    for (int grid : {kNeeded, kStaff}) {
      if (QString problem = CompareGrid(expected, grid); !problem.isEmpty()) {
        return (grid == kNeeded ? QStringLiteral("needed grid: ")
                                : QStringLiteral("staff grid: ")) +
               problem;
      }
    }
    return CompareFocus(expected);
  }

  QString CompareGrid(const Expected& expected, int grid) const {
    const CellGridView& view = Grid(grid);
    if (view.CurrentCell() != expected.current[grid]) {
      return QStringLiteral("current cell (%1, %2), expected (%3, %4)")
          .arg(view.CurrentCell().col)
          .arg(view.CurrentCell().row)
          .arg(expected.current[grid].col)
          .arg(expected.current[grid].row);
    }
    const GridCellsCopy shown = CopyCells(view);
    const CellPos at = expected.current[grid];
    const bool free = expected.editedFreely && expected.focused == grid;
    for (int row = 0; row < shown.rows; ++row) {
      for (int col = 0; col < shown.cols; ++col) {
        const bool anyText = free && CellPos{col, row} == at;
        if (!anyText && shown.At(col, row) != expected.cells[grid].At(col, row)) {
          return QStringLiteral("cell (%1, %2) holds \"%3\", expected \"%4\"")
              .arg(col)
              .arg(row)
              .arg(Visible(shown.At(col, row).left(80)),
                   Visible(expected.cells[grid].At(col, row).left(80)));
        }
      }
    }
    const bool visible = expected.EditorVisible(grid);
    if (view.EditorOpen() != visible) {
      return QStringLiteral("editor %1, expected %2")
          .arg(view.EditorOpen() ? "open" : "closed", visible ? "open" : "closed");
    }
    if (visible && view.Editor()->text() != view.Cells().Cell(at.col, at.row)) {
      return QStringLiteral("editor shows \"%1\", its cell holds \"%2\"")
          .arg(Visible(view.Editor()->text().left(80)),
               Visible(view.Cells().Cell(at.col, at.row).left(80)));
    }
    if (visible &&
        view.Editor()->geometry().topLeft() != view.visualRect(view.currentIndex()).topLeft()) {
      return QStringLiteral("editor stands away from the current cell");
    }
    return {};
  }

  QString CompareFocus(const Expected& expected) const {
    const QWidget* focus = QApplication::focusWidget();
    if (expected.focused == kNoGrid) {
      return focus == ui_test::Find<QPushButton>(form_, "btnClear")
                 ? QString()
                 : QStringLiteral("focus left Clear");
    }
    const CellGridView& view = Grid(expected.focused);
    const QWidget* wanted = view.EditorOpen() ? static_cast<QWidget*>(view.Editor()) : &view;
    if (focus != wanted) {
      return QStringLiteral("focus on %1 (%2), expected %3 (%4)")
          .arg(focus != nullptr ? focus->metaObject()->className() : "nothing",
               focus != nullptr ? focus->objectName() : QString(),
               wanted->metaObject()->className(), wanted->objectName());
    }
    return {};
  }

  ui::TMainForm& form_;
  std::mt19937 random_;
  std::array<CellGridView*, 2> grids_{};
  Expected model_;
  std::deque<Action> queued_;
  bool stuck_ = false;
  bool answerYes_ = false;
  int confirmationsAsked_ = 0;
  int movesAllowed_ = 0;
  int movesRefused_ = 0;
  std::map<Kind, int> counts_;
  QString lastAction_;
  std::deque<QString> recent_;
};

}  // namespace

class WindowStrainTest : public QObject {
  Q_OBJECT

 private slots:
  void windowShowsWhatAFreshRecalculationGivesAfterEveryAction() {
    const auto seed = FromEnvironment<std::uint32_t>("SHIFTMETER_STRAIN_SEED", kDefaultSeed);
    const int actions = FromEnvironment<int>("SHIFTMETER_STRAIN_ACTIONS", kDefaultActions);
    ui::TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    Driver driver(form, seed);
    const QString atStart = driver.Check();
    QVERIFY2(atStart.isEmpty(), qPrintable(atStart));
    QElapsedTimer clock;
    clock.start();
    for (int index = 0; index < actions; ++index) {
      const QString problem = driver.Step();
      if (!problem.isEmpty()) {
        QFAIL(qPrintable(QStringLiteral("seed %1, action %2 (%3): %4\n   actions before: %5")
                             .arg(seed)
                             .arg(index)
                             .arg(driver.LastAction(), problem, driver.RecentActions())));
      }
    }
    qInfo().noquote() << QStringLiteral("seed %1: %2 actions in %3 ms; %4")
                             .arg(seed)
                             .arg(actions)
                             .arg(clock.elapsed())
                             .arg(driver.Summary());
  }
};

QTEST_MAIN(WindowStrainTest)
#include "window_strain_test.moc"
