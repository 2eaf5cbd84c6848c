#!/usr/bin/env bash
# The installer under Wine, as an IT department uses it: a silent install per machine puts the
# program and its guide into Program Files\Rostavel\Shiftmeter, a Start-menu shortcut and an
# Add/Remove Programs entry in place; the installed program passes the smoke test of the built
# one; an installer of a higher version replaces it in place; the silent removal leaves nothing
# behind. Runs on the X display that on_x_display.sh made, in the prefix that WINEPREFIX names.
# Usage: msi_test.sh INSTALLER.msi VERSION WIXL WXS BUILD_DIR
set -euo pipefail
msi=$1 version=$2 wixl=$3 wxs=$4 build=$5
export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
work=$(mktemp -d)
installed=
# A failed run removes what it installed, so that the next run starts from a clean prefix.
stop() {
  [ -z "$installed" ] || wine msiexec /x "$(winepath -w "$installed")" /qn || true
  rm -rf "$work"
}
trap stop EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

folder="$WINEPREFIX/drive_c/Program Files/Rostavel"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# Windows Installer puts a per-machine shortcut into the common Start menu; Wine 8 puts it into
# the installing user's.
shortcuts() {
  find "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu" \
    "$WINEPREFIX/drive_c/users" -name Shiftmeter.lnk 2>/dev/null || true
}
# The Add/Remove Programs entries of Shiftmeter, as "name|publisher|version" lines.
entries() {
  wine reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | awk '
    /^HKEY/ { if (name == "Shiftmeter") print name "|" publisher "|" version
              name = publisher = version = "" }
    $1 == "DisplayName" { name = $3 } $1 == "Publisher" { publisher = $3 }
    $1 == "DisplayVersion" { version = $3 }
    END { if (name == "Shiftmeter") print name "|" publisher "|" version }'
}
# The product's icon as Add/Remove Programs shows it, from the machine's installer registry.
product_icon() {
  wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | tr -d '\r' |
    awk '$1 == "ProductIcon" { print $3 }' | grep -i 'Shiftmeter.ico' || true
}
run_installer() {
  wine msiexec "$1" "$(winepath -w "$2")" /qn || fail "msiexec $1 $2 answered $?"
  installed=$2
  [ "$1" = /i ] || installed=
}

[ -z "$(entries)" ] && [ ! -e "$folder" ] || fail "Shiftmeter is installed before the test"

run_installer /i "$msi"
for file in Shiftmeter.exe Help.html; do
  cmp -s "$folder/Shiftmeter/$file" "$build/bin/$file" || fail "$file not installed as built"
done
[ -n "$(shortcuts)" ] || fail "no Start-menu shortcut"
[ "$(entries)" = "Shiftmeter|Rostavel|$version" ] || fail "uninstall entry: $(entries)"
[ -n "$(product_icon)" ] || fail "no product icon registered"

# The installed program, used as the built one is: the same entries give the same verdicts.
bash "$(dirname "$0")/wine_smoke_test.sh" "$folder/Shiftmeter/Shiftmeter.exe" ||
  fail "the installed program failed the smoke test"

# The same package one patch version higher, as the next release would be.
IFS=. read -r major minor patch <<<"$version"
newer=$major.$minor.$((patch + 1))
(cd "$build" && "$wixl" -a x64 -D Version="$newer" -D Exe=bin/Shiftmeter.exe -D Help=bin/Help.html \
  -D Icon=packaging/Shiftmeter.ico -o "$work/newer.msi" "$wxs") || fail "wixl failed"
run_installer /i "$work/newer.msi"
[ "$(entries)" = "Shiftmeter|Rostavel|$newer" ] || fail "after the upgrade: $(entries)"
[ -f "$folder/Shiftmeter/Shiftmeter.exe" ] || fail "the upgrade removed the program"
[ "$(shortcuts | wc -l)" -eq 1 ] || fail "shortcuts after the upgrade: $(shortcuts)"

run_installer /x "$work/newer.msi"
[ ! -e "$folder" ] || fail "left behind: $(find "$folder")"
[ -z "$(shortcuts)" ] || fail "shortcut left behind: $(shortcuts)"
[ -z "$(entries)" ] || fail "uninstall entry left behind: $(entries)"
[ -z "$(product_icon)" ] || fail "product registration left behind"
! wine reg query 'HKLM\Software\Rostavel' >/dev/null 2>&1 || fail "HKLM\\Software\\Rostavel left behind"
echo "installed $version, upgraded to $newer, removed"
