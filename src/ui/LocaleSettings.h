#pragma once

#include <QLocale>
#include <QString>
#include <memory>
#include <optional>

#include "calc/regional.h"

class QAbstractNativeEventFilter;

namespace ui {

// The five texts a platform gives for the regional format settings, before the one-character
// rule and the defaults apply; a text the platform did not give at all is nothing.
struct RegionalTexts {
  std::optional<QString> decimalSeparator;
  std::optional<QString> thousandsSeparator;
  std::optional<QString> timeSeparator;
  std::optional<QString> amDesignator;
  std::optional<QString> pmDesignator;
};

// The settings that the texts give under the one-character rule and its defaults.
calc::RegionalSettings RegionalSettingsFrom(const RegionalTexts& texts);

// The texts of a locale; its time separator comes from its short time format.
RegionalTexts RegionalTextsOf(const QLocale& locale);

calc::RegionalSettings RegionalSettingsOf(const QLocale& locale);

// The text between the hour and the minute fields of a Qt time format, quoted text resolved;
// nothing when the format has no hour followed by minutes.
std::optional<QString> TimeSeparatorOf(const QString& timeFormat);

// The texts where the user sets them: on Windows the items of the user's default locale, the
// overrides made in the Region control panel included; elsewhere the application's locale
// (the user's, unless changed since).
RegionalTexts UserRegionalTexts();

// Reads the user's settings into the values the conversions use.
void ReadRegionalSettings();

// A filter for the application's native events that reads the settings again whenever the
// system announces that they changed, as Windows does to every top-level window. Elsewhere
// nothing announces it and there is no filter: only a change of the application's own locale,
// which the application object handles, reads them again.
std::unique_ptr<QAbstractNativeEventFilter> SystemSettingChangeWatcher();

}  // namespace ui
