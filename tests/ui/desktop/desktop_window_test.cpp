// The main window, the help window and the Clear question on a real X display, with the window
// manager and the scale that the test's environment chose.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "ui/CellGridView.h"
#include "ui/SHMHelp.h"
#include "ui/SHMMain.h"
#include "ui/WindowFrame.h"
#include "ui_test_support.h"

using ui::THelpForm;
using ui::TMainForm;

namespace {

// A window is framed once the window manager has reparented it; without one, never.
bool Framed(const QWidget* window) {
  return !ui::FrameMargins(window).isNull();
}

QRect InWindow(const QWidget* widget) {
  return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

QPoint ScreenCentre() {
  return QGuiApplication::primaryScreen()->geometry().center();
}

}  // namespace

class DesktopWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TMainForm> form_;
  std::unique_ptr<THelpForm> help_;
  bool managed_ = false;

  template <class T>
  T* Find(const char* name) const {
    return ui_test::Find<T>(*form_, name);
  }

  void Press(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }

  // Waits until the window manager, if there is one, has framed and placed the window.
  void Settle(QWidget* window) {
    QVERIFY(QTest::qWaitForWindowExposed(window));
    if (managed_) {
      // Slow on a busy machine: the window manager runs beside the test.
      QTRY_VERIFY_WITH_TIMEOUT(Framed(window), 20000);
    }
    QTest::qWait(100);
  }

 private slots:
  void initTestCase() {
    managed_ = qEnvironmentVariable("SHIFTMETER_WINDOW_MANAGER") != QLatin1String("none");
  }

  void init() {
    form_ = std::make_unique<TMainForm>();
    help_ = std::make_unique<THelpForm>(form_.get());
    form_->SetHelpForm(help_.get());
    // Without a window manager nobody else would give the window the keyboard.
    ui::BringToFront(form_.get());
    Settle(form_.get());
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }

  void cleanup() {
    help_.reset();
    form_.reset();
  }

  // The frame adds what it adds outside; inside, every control stands where it was laid out,
  // in logical pixels at any scale.
  void insideHoldsTheLayout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("box");
    const auto row = [](const char* name, QRect box) { QTest::newRow(name) << name << box; };
    row("Panel1", {16, 64, 417, 393});
    row("Panel2", {448, 64, 318, 393});
    row("Panel3", {16, 464, 753, 47});
    row("Message", {16 + 2 + 3, 464 + 2 + 3, 743, 37});
    row("Button1", {536, 520, 75, 25});
    row("btnClear", {615, 520, 75, 25});
    row("BitBtn1", {694, 520, 75, 25});
  }

  void insideHoldsTheLayout() {
    QFETCH(QString, name);
    QFETCH(QRect, box);
    QCOMPARE(form_->size(), TMainForm::kDesignedClientSize);
    QCOMPARE(InWindow(form_->findChild<QWidget*>(name)), box);
    QCOMPARE(Framed(form_.get()), managed_);
    const qreal scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    QCOMPARE(form_->devicePixelRatioF(), scale);
  }

  // The window manager's maximise keeps the size; moving still moves.
  void sizeIsRefusedAndMovingAllowed() {
    form_->showMaximized();
    QTest::qWait(300);
    QCOMPARE(form_->size(), TMainForm::kDesignedClientSize);
    form_->move(40, 30);
    QTRY_COMPARE(form_->pos(), QPoint(40, 30));
    QCOMPARE(form_->size(), TMainForm::kDesignedClientSize);
  }

  // What the screen shows: the buttons stand clear of the verdict strip, and the strip's black
  // area runs to its right end.
  void screenShowsTheStripWhole() {
    const QPixmap shot = form_->screen()->grabWindow(form_->winId());
    const QImage image = shot.toImage();
    const qreal scale = qreal(image.width()) / form_->width();
    const auto pixel = [&](QPoint at) { return image.pixelColor((QPointF(at) * scale).toPoint()); };
    const QRect message = InWindow(Find<QWidget>("Message"));
    QCOMPARE(pixel({message.right() - 1, message.center().y()}), QColor(Qt::black));
    QCOMPARE(pixel({message.left() + 1, message.bottom() - 1}), QColor(Qt::black));
    const QRect strip = InWindow(Find<QWidget>("Panel3"));
    for (const char* button : {"Button1", "btnClear", "BitBtn1"}) {
      QVERIFY2(!InWindow(Find<QWidget>(button)).intersects(strip), button);
    }
  }

  // The dotted rectangle of the current cell leaves nothing behind on the cells it has left.
  void focusRectangleFollowsTheCurrentCell() {
    auto* grid = ui_test::NeededGrid(*form_);
    ui_test::ClickCell(*grid, {1, 1});
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Tab}) {
      QTest::keyClick(grid, key);
    }
    QCOMPARE(grid->CurrentCell(), (ui::CellPos{4, 2}));
    QTest::qWait(200);
    const QImage shot = grid->screen()->grabWindow(grid->viewport()->winId()).toImage();
    const qreal scale = qreal(shot.width()) / grid->viewport()->width();
    const QRect current = grid->visualRect(grid->Cells().IndexOf(4, 2));
    const QColor ink = grid->palette().color(QPalette::Text);
    int strayInk = 0;
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) {
        const bool inCurrent = current.contains((QPointF(x, y) / scale).toPoint());
        strayInk += !inCurrent && shot.pixelColor(x, y) == ink ? 1 : 0;
      }
    }
    QCOMPARE(strayInk, 0);
  }

  void helpIsCentredByItsFrame() {
    form_->move(300, 200);
    QTest::qWait(100);
    Press("BitBtn1");
    Settle(help_.get());
    const QRect main = form_->windowHandle()->frameGeometry();
    const QRect own = help_->windowHandle()->frameGeometry();
    QCOMPARE(own.topLeft(), QPoint(main.x() + (main.width() - own.width()) / 2,
                                   main.y() + (main.height() - own.height()) / 2));
  }

  void helpComesBackFromMinimisedInFront() {
    Press("BitBtn1");
    Settle(help_.get());
    help_->showMinimized();
    if (managed_) {
      QTRY_VERIFY(help_->isMinimized());
    }
    Press("BitBtn1");
    QTRY_VERIFY(!help_->isMinimized());
    QTRY_VERIFY(help_->isActiveWindow());
    QTRY_COMPARE(QApplication::topLevelAt(help_->geometry().center()), help_.get());
  }

  // The help window is no child of the main window, which comes in front of it when activated.
  void mainWindowComesInFrontOfHelp() {
    Press("BitBtn1");
    Settle(help_.get());
    QTRY_VERIFY(help_->isActiveWindow());
    const QPoint overlap = form_->geometry().center();
    QTRY_COMPARE(QApplication::topLevelAt(overlap), help_.get());
    ui::BringToFront(form_.get());
    QTRY_COMPARE(QApplication::topLevelAt(overlap), form_.get());
    QTRY_VERIFY(form_->isActiveWindow());
    help_->close();
    QTRY_VERIFY(form_->isActiveWindow());
  }

  // Centred by its frame on the screen, and the keyboard back in the main window afterwards.
  void clearQuestionIsCentredOnTheScreen() {
    form_->move(0, 0);
    QTest::qWait(100);
    QRect seen;
    QTimer::singleShot(0, this, [&] {
      QWidget* box = QApplication::activeModalWidget();
      QTRY_VERIFY(box != nullptr);
      Settle(box);
      seen = box->windowHandle()->frameGeometry();
      QTest::keyClick(box, Qt::Key_Escape);
    });
    Press("btnClear");
    QVERIFY(seen.isValid());
    QVERIFY2((seen.center() - ScreenCentre()).manhattanLength() <= 2,
             qPrintable(QStringLiteral("box frame %1,%2 %3x%4")
                            .arg(seen.x())
                            .arg(seen.y())
                            .arg(seen.width())
                            .arg(seen.height())));
    QTRY_VERIFY(form_->isActiveWindow());
  }
};

QTEST_MAIN(DesktopWindowTest)
#include "desktop_window_test.moc"
