#!/usr/bin/env bash
# Start-up time (process start to the main window shown) and peak memory of Shiftmeter against
# a bare Qt Widgets window with two empty 6-column tables, on a virtual X display; then the time
# from a cell-moving key press to the finished repaint. Targets: start-up and memory at most
# 1.3 times the bare program's, a move under 2 ms.
# Usage: bench/startup_bench.sh [runs]     (builds into build/bench first)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-10}
build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSHIFTMETER_BUILD_TESTS=OFF \
  -DSHIFTMETER_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target Shiftmeter bare_qt_window cell_move_bench >/dev/null

display=:$((600 + RANDOM % 300))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

# Prints "<milliseconds to shown> <peak resident KiB>" for one start of a program.
measure_once() {
  local program=$1 title=$2 start pid shown
  start=$(date +%s%N)
  "$program" 2>/dev/null &
  pid=$!
  until xwininfo -name "$title" 2>/dev/null | grep -q IsViewable; do :; done
  shown=$(date +%s%N)
  sleep 0.5
  local peak
  peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$(((shown - start) / 1000000)) $peak"
}

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

declare -A time_ms memory_kib
for name in bare shiftmeter; do
  if [ "$name" = bare ]; then program=$build/bench/ui/bare_qt_window title="Bare Qt window"
  else program=$build/bin/Shiftmeter title="Shiftmeter from Rostavel"; fi
  measure_once "$program" "$title" >/dev/null  # warm the file cache
  samples=$(for _ in $(seq "$runs"); do measure_once "$program" "$title"; done)
  time_ms[$name]=$(cut -d' ' -f1 <<<"$samples" | median)
  memory_kib[$name]=$(cut -d' ' -f2 <<<"$samples" | median)
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
printf 'start-up to window shown (median of %d): bare %d ms, Shiftmeter %d ms, ratio %s (target <= 1.3)\n' \
  "$runs" "${time_ms[bare]}" "${time_ms[shiftmeter]}" "$(ratio "${time_ms[shiftmeter]}" "${time_ms[bare]}")"
printf 'peak resident memory (median of %d): bare %d KiB, Shiftmeter %d KiB, ratio %s (target <= 1.3)\n' \
  "$runs" "${memory_kib[bare]}" "${memory_kib[shiftmeter]}" "$(ratio "${memory_kib[shiftmeter]}" "${memory_kib[bare]}")"
"$build/bench/ui/cell_move_bench"
