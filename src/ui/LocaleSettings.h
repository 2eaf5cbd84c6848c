#pragma once

#include <QLocale>
#include <QString>
#include <optional>

#include "calc/regional.h"

namespace ui {

// The regional format settings a locale gives, under the one-character rule and its defaults.
calc::RegionalSettings RegionalSettingsOf(const QLocale& locale);

// The text between the hour and the minute fields of a Qt time format, quoted text resolved;
// nothing when the format has no hour followed by minutes.
std::optional<QString> TimeSeparatorOf(const QString& timeFormat);

// Reads the settings from the application's locale (the user's, unless changed since) into
// the values the conversions use.
void ReadRegionalSettings();

}  // namespace ui
