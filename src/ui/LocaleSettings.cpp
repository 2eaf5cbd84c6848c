#include "ui/LocaleSettings.h"

namespace ui {

std::optional<QString> TimeSeparatorOf(const QString& timeFormat) {
  bool quoted = false;
  bool afterHour = false;
  QString between;
  for (qsizetype i = 0; i < timeFormat.size(); ++i) {
    const QChar ch = timeFormat[i];
    if (ch == u'\'') {
      const bool doubled = i + 1 < timeFormat.size() && timeFormat[i + 1] == u'\'';
      if (!doubled) {
        quoted = !quoted;
        continue;
      }
      ++i;
    } else if (!quoted && (ch == u'h' || ch == u'H')) {
      afterHour = true;
      between.clear();
      continue;
    } else if (!quoted && ch == u'm' && afterHour) {
      return between;
    }
    if (afterHour) {
      between += ch;
    }
  }
  return std::nullopt;
}

calc::RegionalSettings RegionalSettingsOf(const QLocale& locale) {
  const calc::RegionalSettings defaults;
  calc::RegionalSettings settings;
  settings.decimalSeparator =
      calc::OneCharacterSetting(locale.decimalPoint().toStdString(), defaults.decimalSeparator);
  settings.thousandsSeparator =
      calc::OneCharacterSetting(locale.groupSeparator().toStdString(), defaults.thousandsSeparator);
  const std::optional<QString> timeSeparator =
      TimeSeparatorOf(locale.timeFormat(QLocale::ShortFormat));
  settings.timeSeparator = timeSeparator ? calc::OneCharacterSetting(timeSeparator->toStdString(),
                                                                     defaults.timeSeparator)
                                         : defaults.timeSeparator;
  settings.amDesignator =
      calc::DesignatorSetting(locale.amText().toStdString(), defaults.amDesignator);
  settings.pmDesignator =
      calc::DesignatorSetting(locale.pmText().toStdString(), defaults.pmDesignator);
  return settings;
}

void ReadRegionalSettings() {
  calc::SetRegionalSettings(RegionalSettingsOf(QLocale()));
}

}  // namespace ui
