#!/usr/bin/env bash
# Checks an installed Shiftmeter under PREFIX (a `cmake --install` prefix, or usr/ of the
# unpacked Debian package): the layout a desktop and Debian need; then starts the installed
# program through its bin/ link, as the menu entry does, and checks that it keeps running until
# it is stopped and that it finds its guide beside the real executable.
# Usage: check_installed.sh PREFIX SOURCE_DIR
set -euo pipefail
prefix=$1
source_dir=$2

warnings=$(mktemp)
trap 'rm -f "$warnings"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

app_dir="$prefix/lib/shiftmeter"
[ -f "$app_dir/Shiftmeter" ] && [ -x "$app_dir/Shiftmeter" ] || fail "no program in lib/shiftmeter"
cmp -s "$app_dir/Help.html" "$source_dir/src/ui/help/Help.html" || fail "Help.html is not beside the program"
[ -L "$prefix/bin/shiftmeter" ] || fail "bin/shiftmeter is not a link"
[ "$(readlink "$prefix/bin/shiftmeter")" = ../lib/shiftmeter/Shiftmeter ] || fail "bin/shiftmeter is not relative"
[ "$(readlink -f "$prefix/bin/shiftmeter")" = "$app_dir/Shiftmeter" ] || fail "bin/shiftmeter leads elsewhere"

readelf -S "$app_dir/Shiftmeter" | grep -qF .comment && fail "the program keeps its .comment section"

app_id=com.rostavel.shiftmeter
desktop="$prefix/share/applications/$app_id.desktop"
grep -qx 'Exec=shiftmeter' "$desktop" || fail "the menu entry does not start bin/shiftmeter"
grep -qx 'Icon=shiftmeter' "$desktop" || fail "the menu entry does not name the icon"
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
  "$prefix/share/metainfo/$app_id.metainfo.xml" || fail "the AppStream metadata misses the menu entry"
zcat "$prefix/share/man/man1/shiftmeter.1.gz" | grep -qx 'shiftmeter \\- weekly shift staffing calculator' ||
  fail "no manual page shiftmeter(1)"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' \
  "$prefix/share/doc/shiftmeter/copyright" || fail "no machine-readable copyright file"
zcat "$prefix/share/doc/shiftmeter/changelog.gz" | grep -q '^shiftmeter (' || fail "no changelog"

# The width and height stored in a PNG's header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%d %d", $3 * 256 + $4, $7 * 256 + $8 }'; }
for size in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/shiftmeter.png"
  [ "$(png_size "$icon")" = "$size $size" ] || fail "no ${size}x${size} icon"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/shiftmeter.svg" || fail "no scalable icon"

# Runs the installed program through its link for two seconds, then asks it to end, and keeps
# its warnings. timeout answers 124 when the program was still running and ended on being asked;
# a program that ignored the request would be killed two seconds later (137).
run_through_link() {
  local status=0
  QT_QPA_PLATFORM=offscreen timeout -k 2 2 "$prefix/bin/shiftmeter" >/dev/null 2>"$warnings" || status=$?
  [ "$status" -eq 124 ] || { cat "$warnings" >&2; fail "$1: the program ended by itself ($status)"; }
}

run_through_link "with its guide"
! grep -q 'No document for' "$warnings" || fail "the installed program did not find its guide"

# Without the guide the program still runs, and the view's complaint names the place it looked.
mv "$app_dir/Help.html" "$prefix/Help.html.away"
run_through_link "without its guide"
grep -qF "No document for file://$app_dir/Help.html" "$warnings" ||
  fail "the program did not look for its guide beside the real executable (is the help window created at start-up?)"
mv "$prefix/Help.html.away" "$app_dir/Help.html"

echo "installed layout under $prefix and start through bin/shiftmeter: passed"
