// Cells of 10 MiB in every column and a paste of 1 MiB: the window keeps every character that
// the recalculation does not rewrite by its rules, shows what a recalculation over copies of
// the cells gives, and goes on working afterwards. Times and memory are the benchmark's.

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <array>
#include <memory>

#include "calc/recalc.h"
#include "result_labels.h"
#include "ui/CellGridView.h"
#include "ui/SHMMain.h"
#include "ui_test_support.h"

using ui::CellGridView;
using ui::CellPos;

namespace {

constexpr qsizetype kMebibyte = qsizetype{1} << 20;
constexpr qsizetype kColumnText = 10 * kMebibyte;

// Text of exactly `length` UTF-16 units that changes all along, so that a cut or a shift
// anywhere shows: numbered pieces mixing ASCII, accents, CJK, right-to-left letters, a tab and
// characters beyond the basic plane, never split inside a surrogate pair.
QString VariedText(qsizetype length, const QString& tag) {
  QString text;
  text.reserve(length);
  for (qsizetype piece = 0; text.size() < length; ++piece) {
    text += QStringLiteral("%1-%2 Früh 夜勤 שמירה\t👷").arg(tag).arg(piece);
  }
  text.truncate(length);
  if (text.back().isHighSurrogate()) {
    text.back() = QChar(u'.');
  }
  return text;
}

// A cell the recalculation rewrote holds its new text; any other keeps what it held before.
// Answers the first cell that differs.
QString CellMismatch(const CellGridView& grid, const calc::MemoryCellGrid& before,
                     const calc::MemoryCellGrid& after, const QStringList& original) {
  for (int row = 0; row < grid.Cells().RowCount(); ++row) {
    for (int col = 0; col < grid.Cells().ColCount(); ++col) {
      const std::string text = after.Cell(col, row);
      const qsizetype slot = row * grid.Cells().ColCount() + col;
      const bool rewritten = text != before.Cell(col, row);
      const QString expected = rewritten ? QString::fromStdString(text) : original[slot];
      if (grid.Cells().Cell(col, row) != expected) {
        return QStringLiteral("%1 cell (%2, %3): %4 characters, expected %5")
            .arg(grid.objectName())
            .arg(col)
            .arg(row)
            .arg(grid.Cells().Cell(col, row).size())
            .arg(expected.size());
      }
    }
  }
  return {};
}

}  // namespace

class LargeInputTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ui::TMainForm> form_;

  CellGridView* Needed() const { return ui_test::NeededGrid(*form_); }
  CellGridView* Staff() const { return ui_test::StaffGrid(*form_); }

  static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    ui_test::Press(key, modifiers);
    QCoreApplication::processEvents();
  }

  struct Moved {
    bool ok;           // the recalculation read every entry
    QString mismatch;  // where the window differs from the recalculation over copies
  };

  // Presses a key that moves the current cell of the needed grid and compares the window with
  // a recalculation over copies of both grids taken just before.
  Moved MoveAndCompare(int key) {
    const calc::MemoryCellGrid neededBefore = ui_test::MemoryCopy(*Needed());
    const calc::MemoryCellGrid staffBefore = ui_test::MemoryCopy(*Staff());
    const QStringList neededTexts = ui_test::CellTexts(*Needed());
    const QStringList staffTexts = ui_test::CellTexts(*Staff());
    calc::MemoryCellGrid neededAfter = neededBefore;
    calc::MemoryCellGrid staffAfter = staffBefore;
    const calc::ReCalcResult result = calc::ReCalc(neededAfter, staffAfter);
    Press(key);
    const ResultLabels expected = ResultLabels::Of(result);
    const ResultLabels shown = ResultLabels::ShownBy(*form_);
    if (shown != expected) {
      return {result.ok,
              QStringLiteral("labels show %1, expected %2").arg(shown.message, expected.message)};
    }
    QString mismatch = CellMismatch(*Needed(), neededBefore, neededAfter, neededTexts);
    if (mismatch.isEmpty()) {
      mismatch = CellMismatch(*Staff(), staffBefore, staffAfter, staffTexts);
    }
    return {result.ok, mismatch};
  }

  // Whether the window shows what the recalculation over copies gives, and the
  // recalculation's answer is `ok`; says what differs otherwise.
  [[nodiscard]] bool MovesAsRecalculated(int key, bool ok) {
    const Moved moved = MoveAndCompare(key);
    if (!moved.mismatch.isEmpty() || moved.ok != ok) {
      qWarning().noquote() << moved.mismatch << "recalculation read every entry:" << moved.ok;
      return false;
    }
    return true;
  }

 private slots:
  void init() {
    form_ = std::make_unique<ui::TMainForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }

  void cleanup() { form_.reset(); }

  void tenMebibytesInEveryColumnAreReadOrKeptWhole() {
    const QString blanks(kColumnText, QChar(u' '));
    const QString zeros(kColumnText, QChar(u'0'));
    // Readable entries padded to 10 MiB, which the recalculation rewrites in their short form,
    // and descriptions and totals of 10 MiB.
    const std::array<QString, 6> needed{VariedText(kColumnText, "shift"),
                                        blanks + "7",
                                        zeros + "3",
                                        blanks + "9:30",
                                        "5:00 pm" + blanks,
                                        VariedText(kColumnText, "total")};
    const std::array<QString, 4> staff{VariedText(kColumnText, "group"), zeros + "4",
                                       zeros + "37.5", VariedText(kColumnText, "total")};
    for (int col = 0; col < 6; ++col) {
      Needed()->Cells().SetCell(col, 1, needed[static_cast<std::size_t>(col)]);
    }
    for (int col = 0; col < 4; ++col) {
      Staff()->Cells().SetCell(col, 1, staff[static_cast<std::size_t>(col)]);
    }
    QVERIFY(MovesAsRecalculated(Qt::Key_Down, true));
    QCOMPARE(Needed()->CurrentCell(), (CellPos{0, 2}));
    QCOMPARE(Needed()->Cells().Cell(3, 1), QString("9:30 am"));
    QCOMPARE(Needed()->Cells().Cell(0, 1), needed[0]);
    QCOMPARE(Staff()->Cells().Cell(0, 1), staff[0]);

    // Unreadable entries of 10 MiB in every column of row 2: all kept, the move refused.
    for (int col = 0; col < 6; ++col) {
      Needed()->Cells().SetCell(col, 2, VariedText(kColumnText, QStringLiteral("n%1").arg(col)));
    }
    for (int col = 0; col < 4; ++col) {
      Staff()->Cells().SetCell(col, 2, VariedText(kColumnText, QStringLiteral("s%1").arg(col)));
    }
    QVERIFY(MovesAsRecalculated(Qt::Key_Down, false));
    QCOMPARE(Needed()->CurrentCell(), (CellPos{0, 2}));
    QCOMPARE(Needed()->Cells().Cell(5, 2), VariedText(kColumnText, "n5"));

    // Still usable: with row 2's entries gone the next move goes ahead.
    for (int col = 1; col < 6; ++col) {
      Needed()->Cells().SetCell(col, 2, {});
    }
    for (int col = 1; col < 4; ++col) {
      Staff()->Cells().SetCell(col, 2, {});
    }
    QVERIFY(MovesAsRecalculated(Qt::Key_Down, true));
    QCOMPARE(Needed()->CurrentCell(), (CellPos{0, 3}));
    QCOMPARE(Needed()->Cells().Cell(0, 2), VariedText(kColumnText, "n0"));
  }

  void pasteOfOneMebibyteIsKeptWholeInEditorAndCell_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<bool>("readable");
    QTest::newRow("description") << 0 << true;
    QTest::newRow("count") << 1 << false;
  }

  void pasteOfOneMebibyteIsKeptWholeInEditorAndCell() {
    QFETCH(int, col);
    QFETCH(bool, readable);
    QString pasted = VariedText(kMebibyte, "paste");
    pasted[kMebibyte / 2] = QChar(u'\n');  // a line break in the middle is text like any other
    QGuiApplication::clipboard()->setText(pasted);
    QCOMPARE(QGuiApplication::clipboard()->text(), pasted);
    Needed()->SetCurrentColumn(col);
    Press(Qt::Key_F2);
    Press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Needed()->Editor()->text(), pasted);
    QCOMPARE(Needed()->Cells().Cell(col, 1), pasted);

    QVERIFY(MovesAsRecalculated(Qt::Key_Down, readable));
    QCOMPARE(Needed()->Cells().Cell(col, 1), pasted);
    if (readable) {
      return;
    }
    // The refused move leaves the editor open with every character, and a correction goes on.
    QVERIFY(Needed()->EditorOpen());
    QCOMPARE(Needed()->Editor()->text(), pasted);
    Press(Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), '5');
    QVERIFY(MovesAsRecalculated(Qt::Key_Down, true));
    QCOMPARE(Needed()->CurrentCell(), (CellPos{col, 2}));
    QCOMPARE(Needed()->Cells().Cell(col, 1), QString("5"));
  }
};

QTEST_MAIN(LargeInputTest)
#include "large_input_test.moc"
