// The regional settings as Windows gives them: from the user's default locale, overrides of the
// Region control panel included, and read again when the system broadcasts a change. Runs on
// the windows platform, whose top-level windows receive the broadcasts, with the user's locale
// German (LANG=de_DE.UTF-8 under Wine), so that the comma is the decimal separator.

#include <windows.h>

#include <QLabel>
#include <QTest>
#include <memory>
#include <string>

#include "calc/regional.h"
#include "ui/SHMMain.h"
#include "ui/ShiftmeterApplication.h"
#include "ui_test_support.h"

using ui_test::Press;

namespace {

const wchar_t kInternational[] = L"Control Panel\\International";

std::wstring UserOverride(const wchar_t* name) {
  std::wstring value(256, L'\0');
  DWORD bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, kInternational, name, RRF_RT_REG_SZ, nullptr, value.data(),
                   &bytes) != ERROR_SUCCESS) {
    return {};
  }
  value.resize(bytes / sizeof(wchar_t) - 1);
  return value;
}

// As the Region control panel sets a value: SetLocaleInfo writes it under
// HKCU\Control Panel\International. (Wine's GetLocaleInfoEx keeps what it read once per
// process and sees only changes made this way, not the registry written by another program.)
void SetDecimalSeparator(const std::wstring& separator) {
  QVERIFY(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator.c_str()));
  QCOMPARE(UserOverride(L"sDecimal"), separator);
}

// What the Region control panel does after a change: tells every top-level window.
void BroadcastSettingChange(UINT message) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(HWND_BROADCAST, message, 0, reinterpret_cast<LPARAM>(L"intl"),
                      SMTO_ABORTIFHUNG, 5000, &answer);
}

}  // namespace

class WindowsRegionalTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ui::TMainForm> form_;
  std::wstring savedDecimal_;

  QString Text(const char* label) const { return ui_test::Find<QLabel>(*form_, label)->text(); }

  // Gives row 1 of the staff grid a group of two with these weekly hours, then moves the
  // cursor, which recalculates.
  void EnterWeeklyHoursOfTwo(const QString& hours) {
    ui::CellGridView* staff = ui_test::StaffGrid(*form_);
    staff->Cells().SetCell(1, 1, QStringLiteral("2"));
    staff->Cells().SetCell(2, 1, hours);
    Press(Qt::Key_Right);
    QCOMPARE(ui_test::NeededGrid(*form_)->CurrentCell(), (ui::CellPos{1, 1}));
  }

 private slots:
  void initTestCase() { savedDecimal_ = UserOverride(L"sDecimal"); }

  void init() {
    form_ = std::make_unique<ui::TMainForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }

  void cleanup() {
    // Told while the window is there to hear it.
    SetDecimalSeparator(savedDecimal_);
    BroadcastSettingChange(WM_SETTINGCHANGE);
    form_.reset();
  }

  void userLocaleGivesTheDecimalComma() {
    QCOMPARE(calc::GetRegionalSettings().decimalSeparator, std::string(","));
    EnterWeeklyHoursOfTwo("1,5");
    QCOMPARE(Text("HrsAvail"), QString("3"));
  }

  void broadcastChangeOfTheDecimalSeparatorReachesTheNextRecalculation_data() {
    QTest::addColumn<unsigned>("message");
    QTest::newRow("WM_SETTINGCHANGE") << unsigned{WM_SETTINGCHANGE};
    QTest::newRow("TaskbarCreated") << unsigned{RegisterWindowMessageW(L"TaskbarCreated")};
  }

  void broadcastChangeOfTheDecimalSeparatorReachesTheNextRecalculation() {
    QFETCH(unsigned, message);
    SetDecimalSeparator(L".");
    QCOMPARE(calc::GetRegionalSettings().decimalSeparator, std::string(","));
    BroadcastSettingChange(message);
    QCOMPARE(calc::GetRegionalSettings().decimalSeparator, std::string("."));
    EnterWeeklyHoursOfTwo("1.5");
    QCOMPARE(Text("HrsAvail"), QString("3"));
  }
};

int main(int argc, char** argv) {
  ui::ShiftmeterApplication application(argc, argv);
  WindowsRegionalTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "windows_regional_test.moc"
