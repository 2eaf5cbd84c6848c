#!/usr/bin/env bash
# Starts the built program on a virtual X display and saves a picture of the screen, to look at
# the window as a person would see it.
# Usage: scripts/screenshot.sh [output.png] [scale factor, e.g. 1.5]
# Expects build/default/bin/Shiftmeter (scripts/run.sh builds it), or SHIFTMETER_BIN pointing
# at another build of it.
set -euo pipefail
cd "$(dirname "$0")/.."

output=${1:-build/screenshot.png}
scale=${2:-1}
program=${SHIFTMETER_BIN:-build/default/bin/Shiftmeter}
for tool in Xvfb import xwininfo; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (packages xvfb, imagemagick, x11-utils)" >&2; exit 1; }
done
[ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 1; }

# Xvfb picks a free display number and writes it out once it accepts connections.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; kill "$xvfb_pid"; exit 1; }
display=:$(cat "$display_file")
rm -f "$display_file"

program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

export DISPLAY=$display

QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$program" &
program_pid=$!
for _ in $(seq 100); do
  xwininfo -name "Shiftmeter from Rostavel" 2>/dev/null | grep -q IsViewable && break
  sleep 0.1
done
sleep 1
mkdir -p "$(dirname "$output")"
import -window root "$output"
echo "saved $output"
