#pragma once

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QString>
#include <QStringList>
#include <memory>

#include "ui/LocaleSettings.h"

namespace ui {

// The application object: takes its title from the executable's name, carries the application
// icon, keeps the regional format settings in step with the locale, and catches every failure
// that escapes a handler so that none crosses the event loop.
class ShiftmeterApplication : public QApplication {
  Q_OBJECT

 public:
  ShiftmeterApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

 protected:
  bool event(QEvent* event) override;

 private:
  std::unique_ptr<QAbstractNativeEventFilter> settingChangeWatcher_ = SystemSettingChangeWatcher();
};

// The title for an executable: its file name (links resolved) without the folder, cut at the
// first dot, every letter after the first in lower case.
QString ApplicationTitle(const QString& executablePath);

// Whether the program was asked to start minimised, by the X toolkit's -iconic option.
bool StartMinimisedRequested(const QStringList& arguments);

}  // namespace ui
