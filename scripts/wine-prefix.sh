#!/usr/bin/env bash
# Prepares the Wine prefix that $WINEPREFIX names as a Windows desk the program meets: set up
# once, with the fonts its windows ask for under the names Windows gives them. Windows ships
# Tahoma and Times New Roman, and Office adds Century Gothic; here Wine's own Tahoma goes into
# the Windows font folder, and Wine maps the other two names onto their metric-compatible
# clones from Debian. Font smoothing is on, as Windows has it from the start. Needs the packages
# of `scripts/setup.sh windows`, or Wine and fonts-wine.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX names the prefix to prepare}"
export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
stamp=$WINEPREFIX/.shiftmeter-desk
[ -f "$stamp" ] && exit 0

# Wine makes the prefix's own folder, but not the folders above it.
mkdir -p "$(dirname "$WINEPREFIX")"
wineboot -i >/dev/null 2>&1
wineserver -w
cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
  "$WINEPREFIX/drive_c/windows/Fonts/"
set_value() {
  wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1
}
set_value 'HKCU\Software\Wine\Fonts\Replacements' 'Times New Roman' 'Liberation Serif'
set_value 'HKCU\Software\Wine\Fonts\Replacements' 'Century Gothic' 'URW Gothic'
set_value 'HKCU\Control Panel\Desktop' FontSmoothing 2
wine reg add 'HKCU\Control Panel\Desktop' /v FontSmoothingType /t REG_DWORD /d 2 /f >/dev/null 2>&1
wineserver -w
touch "$stamp"
