#pragma once

#include <QString>
#include <functional>

namespace ui {

using FailureReporter = std::function<void(const QString& message)>;

// Runs work, catching any failure that escapes it and reporting it; answers whether the work
// ran to its end. This is the one place where failures of the program's handlers end.
bool RunGuarded(const std::function<void()>& work);

// Shows a failure the way the program always does: the error box. A reporter put in its place
// (tests do) receives the message instead; an empty one restores the error box.
void ReportFailure(const QString& message);
void SetFailureReporter(FailureReporter reporter);

// The error box: the application title, the failure's message, a stop icon and one OK button.
void ShowFailureBox(const QString& message);

}  // namespace ui
