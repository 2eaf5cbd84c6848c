#!/usr/bin/env bash
# Starts the real Shiftmeter.exe under Wine on the X display that on_x_display.sh made, and
# uses it as a person would, with real key events: the window appears with its designed inside,
# an unreadable "#" shows the red ERROR and holds the cursor, the corrected entry brings the
# green verdict back, and Alt+H shows the guide. What the window shows is read from screenshots.
# Usage: wine_smoke_test.sh Shiftmeter.exe   (WINEPREFIX names a prefix that
# scripts/wine-prefix.sh prepared; SHIFTMETER_SHOTS, if set, names a folder to keep the
# screenshots in)
set -euo pipefail
program=$1
shots=${SHIFTMETER_SHOTS:-$(mktemp -d)}
mkdir -p "$shots"
export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=

program_pid=
stop() {
  [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
}
trap stop EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The id of the first viewable window with this title, waiting up to ten seconds for it.
window_titled() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}

# Counts of one colour (#RRGGBB) inside a rectangle of the window, in client pixels.
colour_count() {
  local shot=$1 colour=$2 left=$3 top=$4 width=$5 height=$6
  convert "$shot" -crop "${width}x${height}+$((origin_x + left))+$((origin_y + top))" +repage \
    -format %c histogram:info:- | awk -v c="$colour" 'toupper($0) ~ c { sum += $1 } END { print sum + 0 }'
}

shot() {
  sleep 0.5
  import -window root "$shots/$1.png"
  echo "$shots/$1.png"
}

# The verdict label's area inside the window (the layout's Message label in its panel).
verdict_area=(19 467 743 37)
expect_verdict_colour() {
  local picture=$1 colour=$2 other=$3 seen others
  seen=$(colour_count "$picture" "$colour" "${verdict_area[@]}")
  others=$(colour_count "$picture" "$other" "${verdict_area[@]}")
  [ "$seen" -gt 100 ] && [ "$others" -eq 0 ] ||
    fail "verdict in $picture: $seen pixels of $colour (wanted over 100), $others of $other (wanted 0)"
}

started=$(date +%s%N)
wine "$program" &
program_pid=$!
main=$(window_titled "Shiftmeter from Rostavel") || fail "no window \"Shiftmeter from Rostavel\""
echo "window after $((($(date +%s%N) - started) / 1000000)) ms"
geometry=$(xwininfo -id "$main")
origin_x=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$geometry")
origin_y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$geometry")
size=$(awk '/Width:/ { w = $NF } /Height:/ { h = $NF } END { print w "x" h }' <<<"$geometry")
[ "$size" = 787x554 ] || fail "inside is $size, not 787x554"

xdotool windowactivate --sync "$main"
sleep 1
expect_verdict_colour "$(shot start)" '#00FF00' '#FF0000'

# Right to "#", abc, Down: refused, so the typing stays where it was.
xdotool key --delay 100 Right
xdotool type --delay 100 abc
xdotool key --delay 100 Down
expect_verdict_colour "$(shot error)" '#FF0000' '#00FF00'

# Had Down moved the cursor, the corrected text would land a row lower and ERROR would stay.
xdotool key --delay 100 BackSpace BackSpace BackSpace
xdotool type --delay 100 3
xdotool key --delay 100 Down
expect_verdict_colour "$(shot corrected)" '#00FF00' '#FF0000'

xdotool key --delay 100 alt+h
help=$(window_titled Help) || fail "Alt+H showed no window \"Help\""
sleep 1
shot help >/dev/null
echo "help window $help shown; screenshots in $shots"
