#!/usr/bin/env bash
# Start-up time (process start to the main window shown) and peak memory of Shiftmeter against
# a bare Qt Widgets window with two empty 6-column tables, on a virtual X display; then the time
# from a cell-moving key press to the finished repaint. Targets: start-up and memory at most
# 1.3 times the bare program's, a move under 2 ms.
# Usage: bench/startup_bench.sh [runs]     (builds into build/bench first)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-10}
scripts/setup.sh look
build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSHIFTMETER_BUILD_TESTS=OFF \
  -DSHIFTMETER_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target Shiftmeter bare_qt_window cell_move_bench >/dev/null

source scripts/virtual_display.sh
start_virtual_display
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
export QT_QPA_PLATFORM=xcb

log=$build/startup_bench.log
: >"$log"

# Prints "<milliseconds to shown> <peak resident KiB>" for one start of a program.
measure_once() {
  local program=$1 title=$2 start pid shown
  start=$(date +%s%N)
  "$program" 2>>"$log" &
  pid=$!
  until xwininfo -name "$title" 2>/dev/null | grep -q IsViewable; do
    kill -0 "$pid" 2>/dev/null || { echo "$program ended before showing its window (see $log)" >&2; exit 1; }
  done
  shown=$(date +%s%N)
  sleep 0.5
  local peak
  peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$(((shown - start) / 1000000)) $peak"
}

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

bare=$build/bench/ui/bare_qt_window
shiftmeter=$build/bin/Shiftmeter
measure_once "$bare" "Bare Qt window" >/dev/null  # warm the file cache
measure_once "$shiftmeter" "Shiftmeter from Rostavel" >/dev/null
# The two programs take turns, so that whatever else loads the machine weighs on both alike.
bare_samples=()
shiftmeter_samples=()
for _ in $(seq "$runs"); do
  bare_samples+=("$(measure_once "$bare" "Bare Qt window")")
  shiftmeter_samples+=("$(measure_once "$shiftmeter" "Shiftmeter from Rostavel")")
done
declare -A time_ms memory_kib
for name in bare shiftmeter; do
  declare -n samples="${name}_samples"
  time_ms[$name]=$(printf '%s\n' "${samples[@]}" | cut -d' ' -f1 | median)
  memory_kib[$name]=$(printf '%s\n' "${samples[@]}" | cut -d' ' -f2 | median)
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
printf 'start-up to window shown (median of %d): bare %d ms, Shiftmeter %d ms, ratio %s (target <= 1.3)\n' \
  "$runs" "${time_ms[bare]}" "${time_ms[shiftmeter]}" "$(ratio "${time_ms[shiftmeter]}" "${time_ms[bare]}")"
printf 'peak resident memory (median of %d): bare %d KiB, Shiftmeter %d KiB, ratio %s (target <= 1.3)\n' \
  "$runs" "${memory_kib[bare]}" "${memory_kib[shiftmeter]}" "$(ratio "${memory_kib[shiftmeter]}" "${memory_kib[bare]}")"
"$build/bench/ui/cell_move_bench"
