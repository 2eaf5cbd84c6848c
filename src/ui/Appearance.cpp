#include "ui/Appearance.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QStringList>
#include <initializer_list>

namespace ui {
namespace {

QString FirstInstalled(std::initializer_list<const char*> families) {
  const QStringList installed = QFontDatabase::families();
  for (const char* family : families) {
    if (installed.contains(QString::fromLatin1(family), Qt::CaseInsensitive)) {
      return QString::fromLatin1(family);
    }
  }
  return QString::fromLatin1(*(families.end() - 1));
}

#ifdef Q_OS_WIN
// Every Windows has Tahoma and Times New Roman; Century Gothic comes with Office, and Verdana,
// as wide and as round, stands in for it.
constexpr const char* kTahomaStandIn = "Tahoma";
constexpr const char* kTimesNewRomanStandIn = "Times New Roman";
constexpr const char* kCenturyGothicStandIn = "Verdana";
#else
// Metric-compatible faces that Debian packages.
constexpr const char* kTahomaStandIn = "DejaVu Sans";
constexpr const char* kTimesNewRomanStandIn = "Liberation Serif";
constexpr const char* kCenturyGothicStandIn = "URW Gothic";
#endif

QString FamilyFor(Face face) {
  switch (face) {
    case Face::Tahoma: {
      static const QString family = FirstInstalled({"Tahoma", kTahomaStandIn});
      return family;
    }
    case Face::TimesNewRoman: {
      static const QString family = FirstInstalled({"Times New Roman", kTimesNewRomanStandIn});
      return family;
    }
    case Face::CenturyGothic: {
      static const QString family = FirstInstalled({"Century Gothic", kCenturyGothicStandIn});
      return family;
    }
  }
  return {};
}

}  // namespace

void InstallBundledFonts() {
#ifndef Q_OS_WIN
  static const bool installed = [] {
    for (const char* name : {"tahoma.ttf", "tahomabd.ttf"}) {
      const QString file = QStringLiteral(SHIFTMETER_TAHOMA_FOLDER "/") + QLatin1String(name);
      if (QFileInfo::exists(file)) {
        QFontDatabase::addApplicationFont(file);
      }
    }
    return true;
  }();
  (void)installed;
#endif
}

QFont MakeFont(Face face, int pixelSize, int style) {
  QFont font(FamilyFor(face));
  font.setPixelSize(pixelSize);
  font.setBold((style & kBold) != 0);
  font.setUnderline((style & kUnderline) != 0);
  return font;
}

QIcon MainIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QString(":/assets/mainicon-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

QPixmap Picture(const QString& resource, QSize size, qreal devicePixelRatio) {
  return QIcon(resource).pixmap(size, devicePixelRatio);
}

}  // namespace ui
