#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <QtTest>
#include <memory>
#include <optional>

#include "ui/SHMHelp.h"
#include "ui/WindowFrame.h"
#include "url_recorder.h"

using ui::THelpForm;

namespace {

constexpr QSize kMainClientSize{787, 554};

// Writes name into dir with the given contents and answers its path.
QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& contents) {
  const QString path = dir.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size()) {
    qFatal("cannot write %s", qPrintable(path));
  }
  return path;
}

// A guide long enough to scroll, with one link to a second local page and one to the web.
QByteArray LongGuide() {
  QByteArray html =
      "<html><body><h1>Guide</h1>"
      "<p><a href=\"second.html\">Second page</a> <a href=\"https://example.org/x\">Web</a></p>";
  for (int paragraph = 0; paragraph < 300; ++paragraph) {
    html += "<p>Paragraph " + QByteArray::number(paragraph) + "</p>";
  }
  return html + "</body></html>";
}

bool AnyMessageBoxOpen() {
  const auto windows = QApplication::topLevelWidgets();
  return std::any_of(windows.cbegin(), windows.cend(), [](const QWidget* window) {
    return qobject_cast<const QMessageBox*>(window);
  });
}

int VisibleHelpWindows() {
  const auto windows = QApplication::topLevelWidgets();
  return static_cast<int>(std::count_if(windows.cbegin(), windows.cend(), [](QWidget* window) {
    return qobject_cast<THelpForm*>(window) != nullptr && window->isVisible();
  }));
}

// Notes whether the help view was still empty when the watched window was first painted.
class FirstPaintWatch : public QObject {
 public:
  FirstPaintWatch(QWidget* window, const QTextBrowser* view) : view_(view) {
    window->installEventFilter(this);
  }
  std::optional<bool> viewEmptyAtFirstPaint;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint && !viewEmptyAtFirstPaint) {
      viewEmptyAtFirstPaint = view_->document()->isEmpty();
    }
    return false;
  }

 private:
  const QTextBrowser* const view_;
};

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder;
  std::unique_ptr<QWidget> mainWindow;
  std::unique_ptr<THelpForm> helpOwner;
  THelpForm* help = nullptr;

  void ShowMainWindow(const QPoint& framePosition, const QSize& clientSize) {
    mainWindow->move(framePosition);
    mainWindow->resize(clientSize);
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow.get()));
  }

  void ShowHelp() {
    ui::BringToFront(help);
    QVERIFY(QTest::qWaitForWindowExposed(help));
  }

 private slots:
  void initTestCase() {
    QVERIFY(folder.isValid());
    WriteFile(folder, QStringLiteral("Help.html"), LongGuide());
    WriteFile(folder, QStringLiteral("second.html"),
              "<html><body><h1>Second</h1><p>The followed page.</p></body></html>");
  }

  void init() {
    mainWindow = std::make_unique<QWidget>();
    helpOwner = std::make_unique<THelpForm>(mainWindow.get(), folder.path());
    help = helpOwner.get();
  }

  void cleanup() {
    helpOwner.reset();
    mainWindow.reset();
  }

  // The main window is painted first; the guide follows without the help window showing.
  void opensGuideAfterMainWindowsFirstPaintAndStaysHidden() {
    FirstPaintWatch watch(mainWindow.get(), help->WebBrowser1);
    QVERIFY(help->WebBrowser1->document()->isEmpty());
    ShowMainWindow({100, 100}, kMainClientSize);
    QTRY_VERIFY(watch.viewEmptyAtFirstPaint.has_value());
    QVERIFY(*watch.viewEmptyAtFirstPaint);
    QTRY_VERIFY(help->WebBrowser1->toPlainText().contains(QStringLiteral("Paragraph 299")));
    QVERIFY(!help->isVisible());
    QCOMPARE(help->WebBrowser1->source(),
             QUrl::fromLocalFile(folder.filePath(QStringLiteral("Help.html"))));
  }

  // Both the guide and the Close button's icon wait until they are needed, and are there when
  // the window shows.
  void shownBeforeMainWindowOpensGuideAtOnce() {
    QVERIFY(help->BitBtn1->icon().isNull());
    help->show();
    QVERIFY(help->WebBrowser1->toPlainText().contains(QStringLiteral("Paragraph 299")));
    QVERIFY(!help->BitBtn1->icon().isNull());
  }

  void firstShowCentresOverMainWindow_data() {
    QTest::addColumn<QPoint>("mainPosition");
    QTest::addColumn<QSize>("mainSize");
    QTest::addColumn<QPoint>("expected");
    // The help window's client area is 789 x 556; both windows get frames of equal thickness.
    QTest::newRow("designed main window") << QPoint(100, 100) << kMainClientSize << QPoint(99, 99);
    QTest::newRow("odd difference rounds toward zero")
        << QPoint(10, 10) << QSize(786, 553) << QPoint(9, 9);
    QTest::newRow("larger main window") << QPoint(50, 60) << QSize(1000, 801) << QPoint(155, 182);
    QTest::newRow("main window past the left edge")
        << QPoint(-300, 40) << kMainClientSize << QPoint(0, 39);
    QTest::newRow("main window past the top edge")
        << QPoint(40, -200) << kMainClientSize << QPoint(39, 0);
  }

  void firstShowCentresOverMainWindow() {
    QFETCH(QPoint, mainPosition);
    QFETCH(QSize, mainSize);
    QFETCH(QPoint, expected);
#ifdef Q_OS_WIN
    // Wine's windows are X windows, and the window manager there keeps them on the screen.
    const bool underWine =
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    if (underWine && (mainPosition.x() < 0 || mainPosition.y() < 0)) {
      QSKIP("Under Wine the X window manager moves a window back onto the screen");
    }
#endif
    ShowMainWindow(mainPosition, mainSize);
    QCOMPARE(mainWindow->frameGeometry().topLeft(), mainPosition);
    ShowHelp();
    QTRY_COMPARE(help->frameGeometry().topLeft(), expected);
    QCOMPARE(help->size(), QSize(789, 556));
  }

  void laterShowsKeepWhereUserLeftIt() {
    ShowMainWindow({100, 100}, kMainClientSize);
    ShowHelp();
    help->move(250, 260);
    ShowHelp();
    QTRY_COMPARE(help->pos(), QPoint(250, 260));
    help->move(200, 300);
    help->close();
    mainWindow->move(400, 400);
    ShowHelp();
    QTRY_COMPARE(help->pos(), QPoint(200, 300));
  }

  void showingTwiceKeepsOneWindow() {
    ShowMainWindow({100, 100}, kMainClientSize);
    ShowHelp();
    ShowHelp();
    QCOMPARE(VisibleHelpWindows(), 1);
    QVERIFY(QTest::qWaitForWindowActive(help));
  }

  void reopeningKeepsPageAndScrollPosition() {
    ShowMainWindow({100, 100}, kMainClientSize);
    ShowHelp();
    QScrollBar* scroll = help->WebBrowser1->verticalScrollBar();
    QVERIFY(scroll->maximum() > 200);
    scroll->setValue(200);
    help->close();
    ShowHelp();
    QCOMPARE(scroll->value(), 200);

    const QUrl second = QUrl::fromLocalFile(folder.filePath(QStringLiteral("second.html")));
    help->WebBrowser1->setSource(second);
    help->close();
    ShowHelp();
    QCOMPARE(help->WebBrowser1->source(), second);
  }

  void closingOnlyHides_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("Close button") << 0;
    QTest::newRow("Close button accelerator Alt+C") << 1;
    QTest::newRow("close box or Alt+F4") << 2;
  }

  void closingOnlyHides() {
    QFETCH(int, way);
    ShowMainWindow({100, 100}, kMainClientSize);
    ShowHelp();
    QVERIFY(QTest::qWaitForWindowActive(help));
    QPointer<THelpForm> alive(help);
    switch (way) {
      case 0:
        QTest::mouseClick(help->BitBtn1, Qt::LeftButton);
        break;
      case 1:
        QTest::keyClick(help, Qt::Key_C, Qt::AltModifier);
        break;
      default:
        QVERIFY(help->close());
    }
    QTRY_VERIFY(!help->isVisible());
    QTest::qWait(20);
    QVERIFY(!alive.isNull());
    QVERIFY(help->WebBrowser1->toPlainText().contains(QStringLiteral("Paragraph 0")));
  }

  void keysThatMustNotClose_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Escape") << static_cast<int>(Qt::Key_Escape);
    QTest::newRow("Enter") << static_cast<int>(Qt::Key_Return);
  }

  void keysThatMustNotClose() {
    QFETCH(int, key);
    ShowMainWindow({100, 100}, kMainClientSize);
    ShowHelp();
    QVERIFY(QTest::qWaitForWindowActive(help));
    for (QWidget* target :
         {static_cast<QWidget*>(help->WebBrowser1), static_cast<QWidget*>(help->BitBtn1)}) {
      target->setFocus();
      QTest::keyClick(target, static_cast<Qt::Key>(key));
      QTest::qWait(20);
      QVERIFY(help->isVisible());
    }
  }

  void unusableGuideShowsNoErrorBox_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("viewStaysEmpty");
    QTest::newRow("no Help.html") << "missing" << true;
    QTest::newRow("a folder named Help.html") << "folder" << true;
#ifndef Q_OS_WIN
    // Windows keeps no pipes among the files of a folder.
    QTest::newRow("a pipe named Help.html") << "pipe" << true;
#endif
    QTest::newRow("far larger than any guide") << "huge" << true;
    QTest::newRow("binary rubbish") << "rubbish" << false;
    QTest::newRow("broken markup") << "broken" << false;
  }

  // A pipe would block the read for good and a huge file take minutes: the view stays empty.
  void unusableGuideShowsNoErrorBox() {
    QFETCH(QString, kind);
    QFETCH(bool, viewStaysEmpty);
    QTemporaryDir elsewhere;
    const QString guide = elsewhere.filePath(QStringLiteral("Help.html"));
    if (kind == QLatin1String("folder")) {
      QVERIFY(QDir(elsewhere.path()).mkdir(QStringLiteral("Help.html")));
#ifndef Q_OS_WIN
    } else if (kind == QLatin1String("pipe")) {
      QCOMPARE(::mkfifo(QFile::encodeName(guide).constData(), 0600), 0);
#endif
    } else if (kind == QLatin1String("huge")) {
      QFile file(guide);
      QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(64LL * 1024 * 1024));
    } else if (kind == QLatin1String("rubbish")) {
      QByteArray bytes;
      for (int i = 0; i < 4096; ++i) {
        bytes += static_cast<char>((i * 7919) & 0xFF);
      }
      WriteFile(elsewhere, QStringLiteral("Help.html"), bytes);
    } else if (kind == QLatin1String("broken")) {
      WriteFile(elsewhere, QStringLiteral("Help.html"),
                "<html><body><table><tr><td><p>Unclosed <b>markup <a href=");
    }
    ShowMainWindow({100, 100}, kMainClientSize);
    THelpForm orphanGuide(mainWindow.get(), elsewhere.path());
    orphanGuide.show();
    QVERIFY(QTest::qWaitForWindowExposed(&orphanGuide));
    QTest::qWait(50);
    QVERIFY(!AnyMessageBoxOpen());
    QVERIFY(orphanGuide.isVisible());
    if (viewStaysEmpty) {
      QVERIFY(orphanGuide.WebBrowser1->toPlainText().isEmpty());
    }
  }

  void linksOpenLocallyOrInTheBrowser_data() {
    QTest::addColumn<int>("linkIndex");
    QTest::addColumn<QString>("expectedPage");
    QTest::addColumn<QString>("expectedRequest");
    QTest::newRow("local page is followed in the view") << 0 << "second.html"
                                                        << "";
    QTest::newRow("web address goes to the browser") << 1 << "Help.html"
                                                     << "https://example.org/x";
  }

  void linksOpenLocallyOrInTheBrowser() {
    QFETCH(int, linkIndex);
    QFETCH(QString, expectedPage);
    QFETCH(QString, expectedRequest);
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "Open");
    ShowMainWindow({100, 100}, kMainClientSize);
    ShowHelp();
    QVERIFY(QTest::qWaitForWindowActive(help));
    help->WebBrowser1->setFocus();
    for (int tab = 0; tab <= linkIndex; ++tab) {
      QTest::keyClick(help->WebBrowser1, Qt::Key_Tab);
    }
    QTest::keyClick(help->WebBrowser1, Qt::Key_Return);
    QTest::qWait(50);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(help->WebBrowser1->source(), QUrl::fromLocalFile(folder.filePath(expectedPage)));
    const QList<QUrl> expected =
        expectedRequest.isEmpty() ? QList<QUrl>{} : QList<QUrl>{QUrl(expectedRequest)};
    QCOMPARE(recorder.opened, expected);
  }

  // A window of its own: the main window can come in front of it, and closing the main window
  // ends the program while help is open.
  void closingTheMainWindowEndsTheProgram() {
    ShowMainWindow({100, 100}, kMainClientSize);
    ShowHelp();
    QVERIFY(help->isWindow() && help->parentWidget() == nullptr);
    QTimer::singleShot(0, mainWindow.get(), [this] { mainWindow->close(); });
    QTimer hung;
    hung.callOnTimeout([] { QCoreApplication::exit(1); });
    hung.start(5000);
    QCOMPARE(QCoreApplication::exec(), 0);
  }

  void closingGivesTheKeyboardBackToTheMainWindow() {
    ShowMainWindow({100, 100}, kMainClientSize);
    ShowHelp();
    QVERIFY(QTest::qWaitForWindowActive(help));
    QVERIFY(help->close());
    QVERIFY(QTest::qWaitForWindowActive(mainWindow.get()));
  }

  void helpComesBackFromMinimised() {
    ShowMainWindow({100, 100}, kMainClientSize);
    ShowHelp();
    help->showMinimized();
    QTRY_VERIFY(help->isMinimized());
    ui::BringToFront(help);
    QTRY_VERIFY(!help->isMinimized());
    QVERIFY(help->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(help));
  }

  void fixedDialogFrameWithCloseBoxOnly() {
    const Qt::WindowFlags flags = help->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(help->minimumSize(), help->maximumSize());
    QCOMPARE(help->windowTitle(), QStringLiteral("Help"));
    QVERIFY(!help->BitBtn1->isDefault() && !help->BitBtn1->autoDefault());
  }

  void keyboardFocusStartsInTheGuide() {
    ShowMainWindow({100, 100}, kMainClientSize);
    ShowHelp();
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTRY_COMPARE(QApplication::focusWidget(), help->WebBrowser1);
  }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
