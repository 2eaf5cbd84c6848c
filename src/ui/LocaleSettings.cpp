#include "ui/LocaleSettings.h"

#include <QAbstractNativeEventFilter>

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

calc::RegionalSettings RegionalSettingsFrom(const RegionalTexts& texts) {
  const calc::RegionalSettings defaults;
  const auto oneCharacter = [](const std::optional<QString>& text, const std::string& fallback) {
    return text ? calc::OneCharacterSetting(text->toStdString(), fallback) : fallback;
  };
  const auto designator = [](const std::optional<QString>& text, const std::string& fallback) {
    return calc::DesignatorSetting(text.value_or(QString()).toStdString(), fallback);
  };
  calc::RegionalSettings settings;
  settings.decimalSeparator = oneCharacter(texts.decimalSeparator, defaults.decimalSeparator);
  settings.thousandsSeparator = oneCharacter(texts.thousandsSeparator, defaults.thousandsSeparator);
  settings.timeSeparator = oneCharacter(texts.timeSeparator, defaults.timeSeparator);
  settings.amDesignator = designator(texts.amDesignator, defaults.amDesignator);
  settings.pmDesignator = designator(texts.pmDesignator, defaults.pmDesignator);
  return settings;
}

RegionalTexts RegionalTextsOf(const QLocale& locale) {
  return {locale.decimalPoint(), locale.groupSeparator(),
          TimeSeparatorOf(locale.timeFormat(QLocale::ShortFormat)), locale.amText(),
          locale.pmText()};
}

calc::RegionalSettings RegionalSettingsOf(const QLocale& locale) {
  return RegionalSettingsFrom(RegionalTextsOf(locale));
}

void ReadRegionalSettings() {
  calc::SetRegionalSettings(RegionalSettingsFrom(UserRegionalTexts()));
}

// Windows has its own reading and watching of the settings (win32/WindowsRegional.cpp).
#ifndef Q_OS_WIN
RegionalTexts UserRegionalTexts() {
  return RegionalTextsOf(QLocale());
}

std::unique_ptr<QAbstractNativeEventFilter> SystemSettingChangeWatcher() {
  return nullptr;
}
#endif

}  // namespace ui
