// The regional format settings on Windows: read from the user's default locale, which carries
// the overrides the user made in the Region control panel, and read again when the system
// announces a change of its settings or the shell restarts.

#include <windows.h>

#include <QAbstractNativeEventFilter>
#include <array>
#include <memory>

#include "ui/LocaleSettings.h"

namespace ui {
namespace {

// Room for far longer texts than Windows keeps for any of the five items (a few characters
// each), with the terminating zero; a longer one fails the call and counts as not given.
constexpr int kLocaleItemCapacity = 256;

std::optional<QString> UserLocaleItem(LCTYPE item) {
  std::array<wchar_t, kLocaleItemCapacity> text{};
  const int written =
      GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text.data(), static_cast<int>(text.size()));
  if (written <= 0) {
    return std::nullopt;
  }
  return QString::fromWCharArray(text.data(), written - 1);
}

// Sees the messages that reach the program's top-level windows: WM_SETTINGCHANGE (the Region
// control panel broadcasts it with "intl") and the shell's "TaskbarCreated".
class SettingChangeFilter : public QAbstractNativeEventFilter {
 public:
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    if (eventType == "windows_generic_MSG") {
      const UINT id = static_cast<const MSG*>(message)->message;
      if (id == WM_SETTINGCHANGE || id == taskbarCreated_) {
        ReadRegionalSettings();
      }
    }
    return false;
  }

 private:
  const UINT taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
};

}  // namespace

RegionalTexts UserRegionalTexts() {
  return {UserLocaleItem(LOCALE_SDECIMAL), UserLocaleItem(LOCALE_STHOUSAND),
          UserLocaleItem(LOCALE_STIME), UserLocaleItem(LOCALE_S1159), UserLocaleItem(LOCALE_S2359)};
}

std::unique_ptr<QAbstractNativeEventFilter> SystemSettingChangeWatcher() {
  return std::make_unique<SettingChangeFilter>();
}

}  // namespace ui
