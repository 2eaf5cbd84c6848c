#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

#include "ui/SHMHelp.h"

using ui::THelpForm;

namespace {

// The build places the executable, and the guide beside it, in the build tree's bin folder.
QString BuiltHelpFolder() {
  return QDir::cleanPath(QStringLiteral(QT_TESTCASE_BUILDDIR "/../../bin"));
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class HelpPageTest : public QObject {
  Q_OBJECT

 private slots:
  void guideLiesBesideTheExecutable() {
    const QByteArray built = ReadAll(BuiltHelpFolder() + QStringLiteral("/Help.html"));
    const QByteArray source = ReadAll(QFINDTESTDATA("../../src/ui/help/Help.html"));
    QVERIFY(!source.isEmpty());
    QCOMPARE(built, source);
  }

  // Every link inside the guide must land on a section, and every web link go to the browser.
  void everyLinkLeadsSomewhere() {
    THelpForm help(nullptr, BuiltHelpFolder());
    const QTextDocument* page = help.WebBrowser1->document();
    QTRY_VERIFY(!page->isEmpty());
    QSet<QString> targets;
    QStringList internalLinks;
    for (QTextBlock block = page->begin(); block.isValid(); block = block.next()) {
      for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        const QTextCharFormat format = fragment.fragment().charFormat();
        for (const QString& name : format.anchorNames()) {
          targets.insert(name);
        }
        const QString href = format.anchorHref();
        if (href.startsWith(QLatin1Char('#'))) {
          internalLinks.append(href.mid(1));
        } else if (!href.isEmpty()) {
          QVERIFY2(href.startsWith(QLatin1String("https://")), qPrintable(href));
        }
      }
    }
    QVERIFY(internalLinks.size() >= 14);
    for (const QString& link : internalLinks) {
      QVERIFY2(targets.contains(link), qPrintable(link));
    }
  }

  // The guide wraps to the view: it reads from top to bottom, never sideways.
  void guideFitsTheViewsWidth() {
    THelpForm help(nullptr, BuiltHelpFolder());
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QTRY_VERIFY(!help.WebBrowser1->document()->isEmpty());
    // The view lays a long page out a piece at a time; its whole width is known at the end.
    help.WebBrowser1->document()->size();
    QTest::qWait(200);
    const QScrollBar* sideways = help.WebBrowser1->horizontalScrollBar();
    QVERIFY2(sideways->maximum() == 0,
             qPrintable(
                 QStringLiteral("the page is %1 px wider than the view").arg(sideways->maximum())));
  }
};

QTEST_MAIN(HelpPageTest)
#include "help_page_test.moc"
