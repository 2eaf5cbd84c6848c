// Times large input in the main window for one text size, in MiB, and prints the figures with
// the process's peak memory:
//   recalc       a cell move whose recalculation reads a cell of that size in every column of
//                both grids (entries padded with blanks or zeros, descriptions and totals);
//   paste-mixed  a paste of that size into an open editor, text mixing scripts and emoji;
//   paste-ascii  the same with plain ASCII text.
// Each time is the median of three runs, from the key press to the end of the repaint.
// Usage: large_input_bench recalc|paste-mixed|paste-ascii <MiB>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "ui/CellGridView.h"
#include "ui/SHMMain.h"

namespace {

constexpr int kRuns = 3;
constexpr qsizetype kMebibyte = qsizetype{1} << 20;

ui::CellGridView* Grid(const ui::TMainForm& form, const char* name) {
  return form.findChild<ui::CellGridView*>(QString::fromLatin1(name));
}

void Settle() {
  for (int round = 0; round < 3; ++round) {
    QCoreApplication::processEvents();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void PressOn(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = {}) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QCoreApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QCoreApplication::sendEvent(widget, &release);
}

QString Repeated(const QString& piece, qsizetype length) {
  QString text;
  text.reserve(length);
  while (text.size() < length) {
    text += piece;
  }
  text.truncate(length);
  return text;
}

// A peak or current size of the process from /proc/self/status, in MiB.
double MemoryMiB(const char* field) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) {
    return 0;
  }
  const QByteArray prefix = QByteArray(field) + ':';
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith(prefix)) {
      return line.mid(prefix.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
  }
  return 0;
}

double MedianMs(const std::function<double()>& run) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    times.push_back(run());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

double TimedMs(const std::function<void()>& work) {
  QElapsedTimer clock;
  clock.start();
  work();
  Settle();
  return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// Row 1 of both grids: every column holds `length` characters, readable entries padded so that
// the recalculation must read all of them.
void FillRow(ui::TMainForm& form, qsizetype length) {
  const QString blanks(length, QChar(u' '));
  const QString zeros(length, QChar(u'0'));
  const QString words = Repeated(QStringLiteral("night shift "), length);
  const std::array<QString, 6> needed{words,           blanks + "7",       zeros + "3",
                                      blanks + "9:30", "5:00 pm" + blanks, words};
  const std::array<QString, 4> staff{words, zeros + "4", zeros + "37.5", words};
  for (std::size_t col = 0; col < needed.size(); ++col) {
    Grid(form, "NeededHoursList")->Cells().SetCell(static_cast<int>(col), 1, needed[col]);
  }
  for (std::size_t col = 0; col < staff.size(); ++col) {
    Grid(form, "EmployeeHoursList")->Cells().SetCell(static_cast<int>(col), 1, staff[col]);
  }
}

double RecalcMs(ui::TMainForm& form, qsizetype length) {
  ui::CellGridView* needed = Grid(form, "NeededHoursList");
  return MedianMs([&] {
    needed->SetCurrentRow(1);
    FillRow(form, length);
    Settle();
    return TimedMs([&] { PressOn(needed, Qt::Key_Down); });
  });
}

double PasteMs(ui::TMainForm& form, const QString& text) {
  ui::CellGridView* needed = Grid(form, "NeededHoursList");
  QGuiApplication::clipboard()->setText(text);
  return MedianMs([&] {
    needed->Cells().SetCell(0, 1, {});
    PressOn(needed, Qt::Key_F2);
    Settle();
    QLineEdit* editor = needed->Editor();
    const double ms = TimedMs([&] { PressOn(editor, Qt::Key_V, Qt::ControlModifier); });
    if (needed->Cells().Cell(0, 1).size() != text.size()) {
      std::fprintf(stderr, "the paste was cut\n");
      std::exit(1);
    }
    PressOn(editor, Qt::Key_Return);
    Settle();
    return ms;
  });
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  const QString scenario = arguments.value(1);
  const double mebibytes = arguments.value(2).toDouble();
  if (mebibytes <= 0 || !QStringList{"recalc", "paste-mixed", "paste-ascii"}.contains(scenario)) {
    std::fprintf(stderr, "usage: large_input_bench recalc|paste-mixed|paste-ascii <MiB>\n");
    return 2;
  }
  ui::TMainForm form;
  form.show();
  Settle();
  const double before = MemoryMiB("VmRSS");
  const auto length = static_cast<qsizetype>(mebibytes * static_cast<double>(kMebibyte));
  double ms = 0;
  if (scenario == "recalc") {
    ms = RecalcMs(form, length);
  } else {
    const QString piece = scenario == "paste-mixed" ? QStringLiteral("Früh 夜勤 שמירה 👷 ")
                                                    : QStringLiteral("night shift ");
    ms = PasteMs(form, Repeated(piece, length));
  }
  std::printf("%-12s %5.1f MiB  %9.1f ms  %7.1f ms/MiB  peak %7.1f MiB  (window alone %.1f MiB)\n",
              qPrintable(scenario), mebibytes, ms, ms / mebibytes, MemoryMiB("VmHWM"), before);
  return 0;
}
