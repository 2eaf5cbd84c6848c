#pragma once

#include <QColor>
#include <QLabel>
#include <QString>

#include "calc/recalc.h"
#include "ui/SHMMain.h"

// The three result labels of the main window and the colour of the verdict, as a recalculation
// sets them, so that a test can hold what the window shows against a recalculation of its own.
struct ResultLabels {
  QString hrsNeeded;
  QString hrsAvail;
  QString message;
  QColor colour;

  friend bool operator==(const ResultLabels&, const ResultLabels&) = default;

  static ResultLabels Of(const calc::ReCalcResult& result) {
    const calc::Rgb& rgb = result.messageColour;
    return {QString::fromStdString(result.hrsNeeded), QString::fromStdString(result.hrsAvail),
            QString::fromStdString(result.message), QColor(rgb.r, rgb.g, rgb.b)};
  }

  static ResultLabels ShownBy(const ui::TMainForm& form) {
    const auto* message = form.findChild<QLabel*>(QStringLiteral("Message"));
    return {form.findChild<QLabel*>(QStringLiteral("HrsNeeded"))->text(),
            form.findChild<QLabel*>(QStringLiteral("HrsAvail"))->text(), message->text(),
            message->palette().color(QPalette::WindowText)};
  }
};
