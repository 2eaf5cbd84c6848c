#pragma once

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace ui {

// The window's typefaces by the names its layout asks for, each with a metric-compatible
// stand-in where the named face is not installed.
enum class Face { Tahoma, TimesNewRoman, CenturyGothic };

enum FontStyle { kRegular = 0, kBold = 1, kUnderline = 2 };

// Makes the Tahoma clone that Wine ships available from the folder chosen at build time
// (SHIFTMETER_TAHOMA_FOLDER, Debian's fonts-wine folder unless set); fontconfig does not index
// that folder. Nothing on Windows, whose own Tahoma is installed.
void InstallBundledFonts();

QFont MakeFont(Face face, int pixelSize, int style = kRegular);

// The application icon, in all the sizes it comes in.
QIcon MainIcon();

// A picture from the program's resources at its size in device-independent pixels, sharp on
// scaled displays; a missing picture is a null pixmap and shows nothing.
QPixmap Picture(const QString& resource, QSize size, qreal devicePixelRatio);

}  // namespace ui
