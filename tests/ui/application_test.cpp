#include <QFile>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <optional>
#include <stdexcept>

#include "calc/errors.h"
#include "calc/regional.h"
#include "ui/FailureReport.h"
#include "ui/LocaleSettings.h"
#include "ui/SHMMain.h"
#include "ui/ShiftmeterApplication.h"

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

// The application's name as its construction set it, before the test runner touched it.
QString titleAtStart;

// An object whose handler fails the way a handler of the program could.
class FailingReceiver : public QObject {
 public:
  int handled = 0;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) {
      throw calc::EConvertError("'abc' is not a valid integer value");
    }
    if (event->type() == QEvent::User + 1) {
      throw 42;
    }
    ++handled;
    return QObject::event(event);
  }
};

}  // namespace

class ApplicationTest : public QObject {
  Q_OBJECT

  QStringList reported_;

 private slots:
  void init() {
    reported_.clear();
    ui::SetFailureReporter([this](const QString& message) { reported_.append(message); });
  }

  void cleanup() {
    ui::SetFailureReporter({});
    QLocale::setDefault(QLocale::system());
  }

  void titleComesFromTheExecutableName_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("plain") << "/opt/bin/Shiftmeter"
                           << "Shiftmeter";
    QTest::newRow("upper case") << "/opt/bin/SHIFTMETER"
                                << "Shiftmeter";
    QTest::newRow("cut at the first dot") << "/x/SHMProj.old.exe"
                                          << "Shmproj";
    QTest::newRow("lower case first letter stays") << "/x/shiftMeter"
                                                   << "shiftmeter";
  }

  void titleComesFromTheExecutableName() {
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(ui::ApplicationTitle(path), title);
  }

  void titleFollowsALinkToTheExecutable() {
#ifdef Q_OS_WIN
    QSKIP("Windows starts a program from its own file; a shortcut is no link to follow");
#endif
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString program = folder.filePath("Shiftmeter.bin");
    QFile file(program);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(QFile::link(program, folder.filePath("sm")));
    QCOMPARE(ui::ApplicationTitle(folder.filePath("sm")), QString("Shiftmeter"));
  }

  void applicationTakesItsTitleFromItsOwnFile() {
    QCOMPARE(titleAtStart, QString("application_test"));
  }

  void failureEscapingAHandlerIsReportedAndTheLoopGoesOn() {
    FailingReceiver receiver;
    QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&receiver, new QEvent(static_cast<QEvent::Type>(QEvent::User + 1)));
    QCoreApplication::postEvent(&receiver, new QEvent(static_cast<QEvent::Type>(QEvent::User + 2)));
    QCoreApplication::processEvents();
    QCOMPARE(reported_,
             (QStringList{"'abc' is not a valid integer value", "An unknown failure occurred."}));
    QCOMPARE(receiver.handled, 1);
  }

  void failureInAWindowHandlerLeavesTheWindowWorking() {
    ui::TMainForm form;
    form.show();
    auto* clear = form.findChild<QPushButton*>("btnClear");
    form.SetConfirmation([](QWidget*) -> bool { throw std::runtime_error("no dialog today"); });
    QTest::mouseClick(clear, Qt::LeftButton);
    QCOMPARE(reported_, QStringList{"no dialog today"});
    bool asked = false;
    form.SetConfirmation([&asked](QWidget*) { return asked = true; });
    QTest::mouseClick(clear, Qt::LeftButton);
    QVERIFY(asked);
    QCOMPARE(reported_.size(), 1);
  }

  void errorBoxShowsTheTitleTheMessageAndAStopIcon() {
    QMessageBox* seen = nullptr;
    QTimer::singleShot(0, [&seen] {
      seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(seen != nullptr);
      QCOMPARE(seen->windowTitle(), QCoreApplication::applicationName());
      QCOMPARE(seen->text(), QString("Out of memory"));
      QCOMPARE(seen->icon(), QMessageBox::Critical);
      QCOMPARE(seen->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
      QTest::keyClick(seen, Qt::Key_Return);
    });
    ui::ShowFailureBox("Out of memory");
    QVERIFY(seen != nullptr);
  }

  void localeChangeRereadsTheSettings() {
#ifdef Q_OS_WIN
    QSKIP("On Windows the settings come from the user's locale items (windows_regional_test)");
#endif
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCoreApplication::postEvent(qApp, new QEvent(QEvent::LocaleChange));
    QCoreApplication::processEvents();
    QCOMPARE(calc::GetRegionalSettings().decimalSeparator, std::string(","));
    QCOMPARE(calc::GetRegionalSettings().thousandsSeparator, std::string("."));
    QLocale::setDefault(QLocale::c());
    QCoreApplication::postEvent(qApp, new QEvent(QEvent::LocaleChange));
    QCoreApplication::processEvents();
    QCOMPARE(calc::GetRegionalSettings().decimalSeparator, std::string("."));
  }

  void settingsOfALocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("thousands");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("am");
    QTest::addColumn<QString>("pm");
    QTest::newRow("C") << "C"
                       << "."
                       << ","
                       << ":"
                       << "AM"
                       << "PM";
    QTest::newRow("en_US") << "en_US"
                           << "."
                           << ","
                           << ":"
                           << "AM"
                           << "PM";
    QTest::newRow("de_DE") << "de_DE"
                           << ","
                           << "."
                           << ":"
                           << "AM"
                           << "PM";
    QTest::newRow("fr_FR narrow no-break space") << "fr_FR"
                                                 << "," << QString(QChar(0x202F)) << ":"
                                                 << "AM"
                                                 << "PM";
    QTest::newRow("fi_FI dot between hours and minutes") << "fi_FI"
                                                         << "," << QString(QChar(0x00A0)) << "."
                                                         << "ap."
                                                         << "ip.";
    QTest::newRow("ko_KR") << "ko_KR"
                           << "."
                           << ","
                           << ":" << QString::fromUtf8("오전") << QString::fromUtf8("오후");
  }

  void settingsOfALocale() {
    QFETCH(QString, locale);
    QFETCH(QString, decimal);
    QFETCH(QString, thousands);
    QFETCH(QString, time);
    QFETCH(QString, am);
    QFETCH(QString, pm);
    const calc::RegionalSettings settings = ui::RegionalSettingsOf(QLocale(locale));
    QCOMPARE(QString::fromStdString(settings.decimalSeparator), decimal);
    QCOMPARE(QString::fromStdString(settings.thousandsSeparator), thousands);
    QCOMPARE(QString::fromStdString(settings.timeSeparator), time);
    QCOMPARE(QString::fromStdString(settings.amDesignator), am);
    QCOMPARE(QString::fromStdString(settings.pmDesignator), pm);
  }

  void timeSeparatorLiesBetweenHoursAndMinutes_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<std::optional<QString>>("separator");
    QTest::newRow("colon") << "h:mm AP" << std::optional<QString>(":");
    QTest::newRow("designator first") << "AP h:mm" << std::optional<QString>(":");
    QTest::newRow("dot") << "H.mm" << std::optional<QString>(".");
    QTest::newRow("quoted letters") << "HH 'h' mm" << std::optional<QString>(" h ");
    QTest::newRow("quoted quote") << "HH''mm" << std::optional<QString>("'");
    QTest::newRow("nothing between") << "HHmm" << std::optional<QString>("");
    QTest::newRow("no minutes") << "HH" << std::optional<QString>();
    QTest::newRow("empty") << "" << std::optional<QString>();
  }

  void timeSeparatorLiesBetweenHoursAndMinutes() {
    QFETCH(QString, format);
    QFETCH(std::optional<QString>, separator);
    QCOMPARE(ui::TimeSeparatorOf(format), separator);
  }

  void longSeparatorFallsBackAndMissingOneIsNoCharacter() {
    QLocale::setDefault(QLocale::c());
    QCOMPARE(calc::OneCharacterSetting(ui::TimeSeparatorOf("HH 'h' mm")->toStdString(), ":"),
             std::string(":"));
    QCOMPARE(calc::OneCharacterSetting(ui::TimeSeparatorOf("HHmm")->toStdString(), ":"),
             std::string());
  }

  void minimisedStartIsAskedByTheToolkitOption() {
    QVERIFY(ui::StartMinimisedRequested({"Shiftmeter", "-iconic"}));
    QVERIFY(!ui::StartMinimisedRequested({"Shiftmeter"}));
  }
};

int main(int argc, char** argv) {
  ui::ShiftmeterApplication application(argc, argv);
  titleAtStart = QCoreApplication::applicationName();
  ApplicationTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"
