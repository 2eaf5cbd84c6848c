#include "ui/FailureReport.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <optional>
#include <utility>

namespace ui {
namespace {

FailureReporter& Reporter() {
  static FailureReporter reporter;
  return reporter;
}

}  // namespace

bool RunGuarded(const std::function<void()>& work) {
  std::optional<QString> failure;
  try {
    work();
  } catch (const std::exception& error) {
    failure = QString::fromUtf8(error.what());
  } catch (...) {
    failure = QStringLiteral("An unknown failure occurred.");
  }
  // The box runs its own event loop, so it is shown only once the failure is fully handled.
  if (failure) {
    ReportFailure(*failure);
  }
  return !failure;
}

void ReportFailure(const QString& message) {
  if (Reporter()) {
    Reporter()(message);
  } else {
    ShowFailureBox(message);
  }
}

void SetFailureReporter(FailureReporter reporter) {
  Reporter() = std::move(reporter);
}

void ShowFailureBox(const QString& message) {
  QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), message,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

}  // namespace ui
