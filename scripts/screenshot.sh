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
display=:$((90 + RANDOM % 500))

for tool in Xvfb import xwininfo; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (packages xvfb, imagemagick, x11-utils)" >&2; exit 1; }
done
[ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 1; }

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
xvfb_pid=$!
program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

export DISPLAY=$display
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

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
