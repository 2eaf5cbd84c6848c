#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks the layout a desktop needs; then starts the
# installed program through its bin/ link, as the menu entry does, and checks that it keeps
# running until it is stopped and that it finds its guide beside the real executable.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build_dir=$1
source_dir=$2

prefix=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$prefix"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

app_dir="$prefix/lib/shiftmeter"
[ -f "$app_dir/Shiftmeter" ] && [ -x "$app_dir/Shiftmeter" ] || fail "no program in lib/shiftmeter"
cmp -s "$app_dir/Help.html" "$source_dir/src/ui/help/Help.html" || fail "Help.html is not beside the program"
[ -L "$prefix/bin/shiftmeter" ] || fail "bin/shiftmeter is not a link"
[ "$(readlink "$prefix/bin/shiftmeter")" = ../lib/shiftmeter/Shiftmeter ] || fail "bin/shiftmeter is not relative"
[ "$(readlink -f "$prefix/bin/shiftmeter")" = "$app_dir/Shiftmeter" ] || fail "bin/shiftmeter leads elsewhere"

desktop="$prefix/share/applications/shiftmeter.desktop"
grep -qx 'Exec=shiftmeter' "$desktop" || fail "the menu entry does not start bin/shiftmeter"
grep -qx 'Icon=shiftmeter' "$desktop" || fail "the menu entry does not name the icon"

# The width and height stored in a PNG's header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%d %d", $3 * 256 + $4, $7 * 256 + $8 }'; }
for size in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/shiftmeter.png"
  [ "$(png_size "$icon")" = "$size $size" ] || fail "no ${size}x${size} icon"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/shiftmeter.svg" || fail "no scalable icon"

# Runs the installed program through its link for two seconds and keeps its warnings.
# timeout answers 124 when it had to stop the program, which is what a running program needs.
run_through_link() {
  local status=0
  QT_QPA_PLATFORM=offscreen timeout 2 "$prefix/bin/shiftmeter" >/dev/null 2>"$prefix/warnings" || status=$?
  [ "$status" -eq 124 ] || { cat "$prefix/warnings" >&2; fail "$1: the program ended by itself ($status)"; }
}

run_through_link "with its guide"
! grep -q 'No document for' "$prefix/warnings" || fail "the installed program did not find its guide"

# Without the guide the program still runs, and the view's complaint names the place it looked.
mv "$app_dir/Help.html" "$prefix/Help.html.away"
run_through_link "without its guide"
grep -qF "No document for file://$app_dir/Help.html" "$prefix/warnings" ||
  fail "the program did not look for its guide beside the real executable (is the help window created at start-up?)"

echo "install layout and start through bin/shiftmeter: passed"
