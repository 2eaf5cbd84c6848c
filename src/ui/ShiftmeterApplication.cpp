#include "ui/ShiftmeterApplication.h"

#include <QFileInfo>

#include "ui/Appearance.h"
#include "ui/FailureReport.h"
#include "ui/LocaleSettings.h"

namespace ui {

ShiftmeterApplication::ShiftmeterApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(ApplicationTitle(applicationFilePath()));
  // Lets the desktop match the windows with the menu entry and the software centre's listing.
  setDesktopFileName(QStringLiteral("com.rostavel.shiftmeter"));
  setWindowIcon(MainIcon());
  ReadRegionalSettings();
  if (settingChangeWatcher_) {
    installNativeEventFilter(settingChangeWatcher_.get());
  }
}

bool ShiftmeterApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunGuarded([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

bool ShiftmeterApplication::event(QEvent* event) {
  if (event->type() == QEvent::LocaleChange) {
    ReadRegionalSettings();
  }
  return QApplication::event(event);
}

QString ApplicationTitle(const QString& executablePath) {
  const QString resolved = QFileInfo(executablePath).canonicalFilePath();
  const QString fileName = QFileInfo(resolved.isEmpty() ? executablePath : resolved).fileName();
  const QString name = fileName.section(u'.', 0, 0);
  return name.left(1) + name.mid(1).toLower();
}

bool StartMinimisedRequested(const QStringList& arguments) {
  return arguments.contains(QStringLiteral("-iconic"));
}

}  // namespace ui
